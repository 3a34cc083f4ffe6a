#include "channels/csv_row.h"

#include "channels/channel_values.h"
#include "channels/offset_codec.h"
#include "shell/numbers.h"
#include "shell/text_util.h"

namespace velmar {

const std::array<const char*, CsvCol::kCount> kCsvColumnNames = {
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE",
};

namespace {

constexpr CsvPowerLevel kPowerLevels[] = {
    {kModulationAm, 0, 4, ChField::AmPower4W, &ChannelInfo::AmPower4W},
    {kModulationAm, 1, 15, ChField::AmPower15W, &ChannelInfo::AmPower15W},
    {kModulationFm, 0, 4, ChField::FmPower4W, &ChannelInfo::FmPower4W},
    {kModulationFm, 1, 15, ChField::FmPower15W, &ChannelInfo::FmPower15W},
    {kModulationFm, 2, 50, ChField::FmPower50W, &ChannelInfo::FmPower50W},
};

const CsvPowerLevel* FindLevel(int amFm, auto matches) {
    for (const auto& level : kPowerLevels)
        if (level.AmFm == amFm && matches(level))
            return &level;
    return nullptr;
}

// A frequency or offset in MHz as the codecs show it ("27.12500"): a number
// that is not negative and has no digits below 10 Hz.
std::optional<std::string> MhzText(std::string_view text) {
    const std::string number = NumericText(text);
    if (number.empty() || number.front() == '-')
        return std::nullopt;
    const auto point = number.find('.');
    if (point != std::string::npos && number.find_first_not_of('0', point + 6) != std::string::npos)
        return std::nullopt;
    return Format(Number(number), "#0.00000");
}

} // namespace

const CsvPowerLevel* PowerLevelOf(int amFm, int value) {
    return FindLevel(amFm, [&](const CsvPowerLevel& l) { return l.Value == value; });
}

const CsvPowerLevel* PowerLevelInWatts(int amFm, int watts) {
    return FindLevel(amFm, [&](const CsvPowerLevel& l) { return l.Watts == watts; });
}

int PowerValueOf(const ChannelInfo& channel) {
    return channel.AmFm == kModulationFm ? channel.FmPower : channel.AmPower;
}

std::optional<CsvReason> CsvHeader::Read(const CsvRecord& record) {
    index_.fill(-1);
    fieldCount_ = record.FieldCount;
    if (record.Unterminated)
        return CsvReason{CsvText::HeaderQuoteOpen, {}};
    for (std::size_t i = 0; i < record.Fields.size(); ++i) {
        for (int c = 0; c < CsvCol::kCount; ++c) {
            if (!EqualsIgnoreCase(TrimBlanks(record.Fields[i]), kCsvColumnNames[c]))
                continue;
            if (index_[c] >= 0)
                return CsvReason{CsvText::HeaderColumnTwice, {kCsvColumnNames[c]}};
            index_[c] = static_cast<int>(i);
        }
    }
    for (int required : {CsvCol::Location, CsvCol::Frequency})
        if (index_[required] < 0)
            return CsvReason{CsvText::HeaderColumnMissing, {kCsvColumnNames[required]}};
    return std::nullopt;
}

std::optional<std::string> CsvHeader::Get(const CsvRecord& record, int column) const {
    if (index_[column] < 0)
        return std::nullopt;
    return std::string(TrimBlanks(record.Fields[index_[column]]));
}

std::variant<CsvRowValues, CsvReason> ParseCsvRow(const CsvRecord& record,
                                                  const CsvHeader& header) {
    if (record.Unterminated)
        return CsvReason{CsvText::QuoteOpen, {}};
    if (record.FieldCount != header.FieldCount())
        return CsvReason{CsvText::FieldCount,
                         {std::to_string(record.FieldCount), std::to_string(header.FieldCount())}};
    const auto get = [&](int c) { return header.Get(record, c); };
    CsvRowValues row;

    const std::string location = *get(CsvCol::Location);
    const auto chNo = ParseCount(location);
    if (!chNo || *chNo < 1 || *chNo > kMaxChannels)
        return CsvReason{CsvText::NotChannelNo, {CsvNamedValue("Location", location)}};
    row.ChNo = *chNo;

    const std::string frequency = *get(CsvCol::Frequency);
    const auto rx = MhzText(frequency);
    if (!rx || Number(*rx) == 0)
        return CsvReason{CsvText::NotFrequency, {CsvNamedValue("Frequency", frequency)}};
    row.RxText = *rx;

    if (const auto duplex = get(CsvCol::Duplex)) {
        if (duplex->empty())
            row.Dir = kShiftNone;
        else if (*duplex == "+")
            row.Dir = kShiftPlus;
        else if (*duplex == "-")
            row.Dir = kShiftMinus;
        else
            return CsvReason{CsvText::NotDuplex, {CsvNamedValue("Duplex", *duplex)}};
    }
    if (const auto offset = get(CsvCol::Offset); offset && !offset->empty()) {
        row.OffsetText = MhzText(*offset);
        if (!row.OffsetText || Number(*row.OffsetText) >= 100)
            return CsvReason{CsvText::NotOffset, {CsvNamedValue("Offset", *offset)}};
    }
    if (const auto tone = get(CsvCol::Tone)) {
        const CsvToneColumns columns{*tone,
                                     get(CsvCol::RToneFreq).value_or(""),
                                     get(CsvCol::CToneFreq).value_or(""),
                                     get(CsvCol::DtcsCode).value_or(""),
                                     get(CsvCol::DtcsPolarity).value_or(""),
                                     get(CsvCol::RxDtcsCode).value_or(""),
                                     get(CsvCol::CrossMode).value_or("")};
        auto tones = TonesFromCsv(columns);
        if (const auto* reason = std::get_if<CsvReason>(&tones))
            return *reason;
        row.Tones = std::get<CsvTonePair>(tones);
    }
    if (const auto mode = get(CsvCol::Mode); mode && !mode->empty()) {
        if (EqualsIgnoreCase(*mode, kModulationNames[kModulationAm]))
            row.AmFm = kModulationAm;
        else if (EqualsIgnoreCase(*mode, kModulationNames[kModulationFm]))
            row.AmFm = kModulationFm;
        else
            return CsvReason{CsvText::NotMode, {CsvNamedValue("Mode", *mode)}};
    }
    if (const auto skip = get(CsvCol::Skip)) {
        if (skip->empty() || EqualsIgnoreCase(*skip, "S"))
            row.ScanSkip = skip->empty() ? 0 : 1;
        else
            return CsvReason{CsvText::NotSkip, {CsvNamedValue("Skip", *skip)}};
    }
    if (const auto power = get(CsvCol::Power); power && !power->empty()) {
        std::string_view watts = *power;
        if (watts.ends_with('W') || watts.ends_with('w'))
            watts.remove_suffix(1);
        const auto value = ParseNumber(watts);
        if (!value || *value < 0 || *value > 1000 || *value != static_cast<int>(*value))
            return CsvReason{CsvText::NotWatts, {CsvNamedValue("Power", *power)}};
        row.Watts = static_cast<int>(*value);
    }
    return row;
}

} // namespace velmar
