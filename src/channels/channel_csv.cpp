#include "channels/channel_csv.h"

#include <array>
#include <memory>
#include <optional>
#include <variant>

#include "channels/channel_values.h"
#include "channels/csv_records.h"
#include "channels/csv_tones.h"
#include "channels/offset_codec.h"
#include "channels/stored_fre_text.h"
#include "shell/numbers.h"
#include "shell/text_encoding.h"
#include "shell/text_util.h"

namespace velmar {

namespace {

enum Column {
    Location,
    Name,
    Frequency,
    Duplex,
    Offset,
    Tone,
    RToneFreq,
    CToneFreq,
    DtcsCode,
    DtcsPolarity,
    RxDtcsCode,
    CrossMode,
    Mode,
    TStep,
    Skip,
    Power,
    Comment,
    Urcall,
    Rpt1Call,
    Rpt2Call,
    DvCode,
    kColumnCount
};
constexpr std::array<const char*, kColumnCount> kColumnNames = {
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE",
};

constexpr int kAm = 0; // AmFm values: the entries "AM", "FM" of the modulation list
constexpr int kFm = 1;
constexpr const char* kModeNames[] = {"AM", "FM"};

// The power levels of the detail editor, by modulation.
struct PowerLevel {
    int AmFm;
    int Value; // AmPower or FmPower
    int Watts;
    int OfferCode; // the field that offers the level on the channel
    std::int16_t ChannelInfo::*Offered;
};
constexpr PowerLevel kPowerLevels[] = {
    {kAm, 0, 4, ChField::AmPower4W, &ChannelInfo::AmPower4W},
    {kAm, 1, 15, ChField::AmPower15W, &ChannelInfo::AmPower15W},
    {kFm, 0, 4, ChField::FmPower4W, &ChannelInfo::FmPower4W},
    {kFm, 1, 15, ChField::FmPower15W, &ChannelInfo::FmPower15W},
    {kFm, 2, 50, ChField::FmPower50W, &ChannelInfo::FmPower50W},
};

const PowerLevel* FindLevel(int amFm, auto matches) {
    for (const auto& level : kPowerLevels)
        if (level.AmFm == amFm && matches(level))
            return &level;
    return nullptr;
}

int PowerOf(const ChannelInfo& channel) {
    return channel.AmFm == kFm ? channel.FmPower : channel.AmPower;
}

constexpr const char* kRasterSteps[] = {"5.00", "6.25", "8.33"}; // by RxRaster

struct GroupPosition {
    int Group = -1;
    int Pos = 0;
};

GroupPosition GroupOfChannel(int chNo) {
    for (int group = 0; group <= kMemGroup; ++group) {
        const int pos = chNo - GroupStartNo(group);
        if (pos >= 1 && pos <= GroupSize(group))
            return {group, pos};
    }
    return {};
}

std::string SixDecimals(const std::string& shown) {
    return shown + "0"; // the codecs show five decimals, 10 Hz
}

std::string SignOf(int dir) {
    return dir == kShiftMinus ? "-" : dir == kShiftPlus ? "+" : "";
}

std::array<std::string, kColumnCount> ChannelFields(const Document& doc, const ChannelInfo& ch,
                                                    const std::string& rxText, bool ansiIsGbk) {
    std::array<std::string, kColumnCount> f;
    f[Location] = std::to_string(ch.ChNo);
    f[Frequency] = SixDecimals(rxText);
    f[Duplex] = SignOf(ch.ShiftDir);
    f[Offset] = SixDecimals(OffsetStoreToShow(TrimFixStr(ch.Offset), kShiftNone));
    const CsvToneColumns tones = TonesToCsv({ch.RxTone, ch.TxTone});
    f[Tone] = tones.Tone;
    f[RToneFreq] = tones.RToneFreq;
    f[CToneFreq] = tones.CToneFreq;
    f[DtcsCode] = tones.DtcsCode;
    f[DtcsPolarity] = tones.DtcsPolarity;
    f[RxDtcsCode] = tones.RxDtcsCode;
    f[CrossMode] = tones.CrossMode;
    if (ch.AmFm == kAm || ch.AmFm == kFm)
        f[Mode] = kModeNames[ch.AmFm];
    f[TStep] = ch.RxRaster >= 0 && ch.RxRaster <= 2 ? kRasterSteps[ch.RxRaster] : kRasterSteps[0];
    f[Skip] = ch.ScanSkip != 0 ? "S" : "";
    const int power = PowerOf(ch);
    if (const auto* level =
            FindLevel(ch.AmFm, [&](const PowerLevel& l) { return l.Value == power; }))
        f[Power] = std::to_string(level->Watts) + "W";
    const std::string label = GroupShowName(doc.Doc, GroupOfChannel(ch.ChNo).Group);
    f[Comment] = ansiIsGbk ? GbkToUtf8(label) : Windows1252ToUtf8(label);
    return f;
}

std::string CsvLine(const auto& fields) {
    std::string line;
    bool first = true;
    for (const auto& field : fields) {
        if (!first)
            line += ',';
        line += CsvField(field);
        first = false;
    }
    return line + "\r\n";
}

// ---- reading -----------------------------------------------------------

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

struct RowValues {
    int ChNo = 0;
    std::string RxText; // as the codecs show it
    std::optional<int> Dir;
    std::optional<std::string> OffsetText; // magnitude as shown
    std::optional<CsvTonePair> Tones;
    std::optional<int> AmFm;
    std::optional<int> Watts;
    std::optional<int> ScanSkip;
};

class Header {
public:
    // The reason the header cannot be used; nothing when it can.
    std::optional<std::string> Read(const CsvRecord& record) {
        index_.fill(-1);
        fieldCount_ = record.FieldCount;
        if (record.Unterminated)
            return "header: a quoted field is not closed";
        for (std::size_t i = 0; i < record.Fields.size(); ++i) {
            for (int c = 0; c < kColumnCount; ++c) {
                if (!EqualsIgnoreCase(TrimBlanks(record.Fields[i]), kColumnNames[c]))
                    continue;
                if (index_[c] >= 0)
                    return std::string("header: the column ") + kColumnNames[c] + " appears twice";
                index_[c] = static_cast<int>(i);
            }
        }
        for (Column required : {Location, Frequency})
            if (index_[required] < 0)
                return std::string("header: no column ") + kColumnNames[required];
        return std::nullopt;
    }

    std::size_t FieldCount() const { return fieldCount_; }

    // The field of `column`, blanks trimmed; nothing when the file has no such column.
    std::optional<std::string> Get(const CsvRecord& record, Column column) const {
        if (index_[column] < 0)
            return std::nullopt;
        return std::string(TrimBlanks(record.Fields[index_[column]]));
    }

private:
    std::array<int, kColumnCount> index_{};
    std::size_t fieldCount_ = 0;
};

std::variant<RowValues, std::string> ParseRow(const CsvRecord& record, const Header& header) {
    if (record.Unterminated)
        return "a quoted field is not closed";
    if (record.FieldCount != header.FieldCount())
        return std::to_string(record.FieldCount) + " fields where the header has " +
               std::to_string(header.FieldCount());
    const auto get = [&](Column c) { return header.Get(record, c); };
    RowValues row;

    const std::string location = *get(Location);
    const auto chNo = ParseCount(location);
    if (!chNo || *chNo < 1 || *chNo > kMaxChannels)
        return CsvNamedValue("Location", location) + ": not a channel number 1-529";
    row.ChNo = *chNo;

    const std::string frequency = *get(Frequency);
    const auto rx = MhzText(frequency);
    if (!rx || Number(*rx) == 0)
        return CsvNamedValue("Frequency", frequency) + ": not a frequency in MHz (10 Hz steps)";
    row.RxText = *rx;

    if (const auto duplex = get(Duplex)) {
        if (duplex->empty())
            row.Dir = kShiftNone;
        else if (*duplex == "+")
            row.Dir = kShiftPlus;
        else if (*duplex == "-")
            row.Dir = kShiftMinus;
        else
            return CsvNamedValue("Duplex", *duplex) + ": the radio shifts by \"+\" or \"-\" only";
    }
    if (const auto offset = get(Offset); offset && !offset->empty()) {
        row.OffsetText = MhzText(*offset);
        if (!row.OffsetText || Number(*row.OffsetText) >= 100)
            return CsvNamedValue("Offset", *offset) +
                   ": not an offset in MHz below 100 (10 Hz steps)";
    }
    if (const auto tone = get(Tone)) {
        const CsvToneColumns columns{*tone,
                                     get(RToneFreq).value_or(""),
                                     get(CToneFreq).value_or(""),
                                     get(DtcsCode).value_or(""),
                                     get(DtcsPolarity).value_or(""),
                                     get(RxDtcsCode).value_or(""),
                                     get(CrossMode).value_or("")};
        auto tones = TonesFromCsv(columns);
        if (const auto* reason = std::get_if<std::string>(&tones))
            return *reason;
        row.Tones = std::get<CsvTonePair>(tones);
    }
    if (const auto mode = get(Mode); mode && !mode->empty()) {
        if (EqualsIgnoreCase(*mode, kModeNames[kAm]))
            row.AmFm = kAm;
        else if (EqualsIgnoreCase(*mode, kModeNames[kFm]))
            row.AmFm = kFm;
        else
            return CsvNamedValue("Mode", *mode) + ": the radio has AM and FM only";
    }
    if (const auto skip = get(Skip)) {
        if (skip->empty() || EqualsIgnoreCase(*skip, "S"))
            row.ScanSkip = skip->empty() ? 0 : 1;
        else
            return CsvNamedValue("Skip", *skip) + ": the radio skips (\"S\") or scans (\"\") only";
    }
    if (const auto power = get(Power); power && !power->empty()) {
        std::string_view watts = *power;
        if (watts.ends_with('W') || watts.ends_with('w'))
            watts.remove_suffix(1);
        const auto value = ParseNumber(watts);
        if (!value || *value != static_cast<int>(*value))
            return CsvNamedValue("Power", *power) + ": not a power level in watts (4W, 15W, 50W)";
        row.Watts = static_cast<int>(*value);
    }
    return row;
}

// Collects the messages the channel rules raise, so that they become the
// reason of a refused row instead of one message box each.
class MessageCollector : public MessageSink {
public:
    MsgAnswer Show(const std::string& text, MsgButtons, MsgIcon) override {
        if (first.empty())
            first = text;
        return MsgAnswer::Ok;
    }
    std::string first;
};

// Stores the rows into a working copy of the document, each row whole or not at all.
class RowImport {
public:
    RowImport(Document& work, const ChannelEnv& outer)
        : work_(work), env_{messages_, outer.Texts, quietViews_, true} {}

    // Why the row was refused; nothing when it went in.
    std::optional<std::string> Apply(const RowValues& row) {
        const auto place = GroupOfChannel(row.ChNo);
        group_ = place.Group;
        pos_ = place.Pos;
        const Saved saved = Save(row.ChNo);
        auto& curGroup = work_.Doc.OptFeatures.Word(OptWord::CurGroup);
        curGroup = static_cast<std::int16_t>(group_); // as the grid on the channel's group
        messages_.first.clear();
        auto reason = Store(row);
        if (!reason && !messages_.first.empty())
            reason = messages_.first;
        if (reason)
            Restore(saved);
        curGroup = saved.CurGroup;
        return reason;
    }

private:
    struct Saved {
        std::int16_t ChCount;
        int Slot; // the channel's list entry, or where a new one goes
        ChannelInfo Record;
        std::array<std::int16_t, 26> EmgCh;
        std::int16_t CurGroup;
    };

    Saved Save(int chNo) const {
        const int index = FindChIndex(work_, chNo);
        const int slot = index >= 0 ? index : std::min(UsedChCount(work_), kMaxChannels - 1);
        return {work_.Doc.ChCount, slot, work_.ChList[slot], work_.Doc.OptFeatures.EmgCh,
                work_.Doc.OptFeatures.Word(OptWord::CurGroup)};
    }

    void Restore(const Saved& saved) {
        work_.Doc.ChCount = saved.ChCount;
        work_.ChList[saved.Slot] = saved.Record;
        work_.Doc.OptFeatures.EmgCh = saved.EmgCh;
    }

    void Set(int code, std::string& value) { SetChValue(work_, env_, group_, pos_, code, value); }
    void Set(int code, int value) { SetChValue(work_, env_, group_, pos_, code, value); }

    ChannelInfo* Channel(int chNo) {
        const int index = FindChIndex(work_, chNo);
        return index < 0 ? nullptr : &work_.ChList[index];
    }

    std::optional<std::string> Store(const RowValues& row) {
        const std::string frequency = CsvNamedValue("Frequency", SixDecimals(row.RxText));
        const ChannelInfo* before = Channel(row.ChNo);
        if (before && row.ChNo <= kLastFixedChannel &&
            TrimFixStr(before->RxFre) != FreShowToStore(row.RxText, work_.BandLow))
            return frequency + ": channel " + std::to_string(row.ChNo) +
                   " keeps the frequency it was created with, " +
                   StoredFreText(before->RxFre).value_or("none");
        const int amFm = row.AmFm.value_or(before ? before->AmFm : kAm);
        const PowerLevel* level = nullptr;
        if (row.Watts) {
            level = FindLevel(amFm, [&](const PowerLevel& l) { return l.Watts == *row.Watts; });
            if (!level)
                return CsvNamedValue("Power", std::to_string(*row.Watts) + "W") +
                       ": not a power level of this radio in " + kModeNames[amFm == kFm];
        }

        std::string rx = row.RxText;
        Set(ChField::RxFre, rx);
        if (!messages_.first.empty())
            return frequency + ": " + messages_.first;
        if (rx != row.RxText)
            return frequency + ": the 5 kHz raster moves it to " + SixDecimals(rx);
        ChannelInfo* ch = Channel(row.ChNo);
        if (!ch)
            return frequency + ": the channel list is full";

        std::optional<std::string> offsetEntry;
        if (row.Dir || row.OffsetText) {
            const std::string magnitude = row.OffsetText.value_or(
                OffsetStoreToShow(TrimFixStr(ch->Offset), kShiftNone));
            // a shift by nothing transmits on the receive frequency: no shift
            const int dir = Number(magnitude) == 0 ? kShiftNone : row.Dir.value_or(ch->ShiftDir);
            offsetEntry = SignOf(dir) + magnitude;
            std::string entry = *offsetEntry;
            Set(ChField::TxFre, entry);
        }
        if (row.AmFm && ch->AmFm != *row.AmFm)
            Set(ChField::AmFm, *row.AmFm);
        if (level) {
            if (ch->*level->Offered == 0)
                Set(level->OfferCode, 1);
            if (PowerOf(*ch) != level->Value)
                Set(amFm == kFm ? ChField::FmPower : ChField::AmPower, level->Value);
        }
        if (row.Tones)
            StoreTones(*row.Tones);
        if (row.ScanSkip && ch->ScanSkip != *row.ScanSkip)
            Set(ChField::ScanSkip, *row.ScanSkip);

        // What the rules moved on the way in: only the raster alignment after
        // a new offset moves frequencies.
        if (offsetEntry &&
            (StoredFreText(ch->RxFre) != row.RxText ||
             OffsetStoreToShow(TrimFixStr(ch->Offset), ch->ShiftDir) != *offsetEntry))
            return CsvNamedValue("Offset", *offsetEntry) + ": the raster moves the channel to " +
                   SixDecimals(StoredFreText(ch->RxFre).value_or("")) + " / " +
                   SixDecimals(StoredTxFreText(*ch).value_or(""));
        if (row.Tones && (ch->RxTone != row.Tones->RxTone || ch->TxTone != row.Tones->TxTone))
            return "Tone: the tones were not stored as given";
        return std::nullopt;
    }

    // The decode and encode tone, set so that neither copies itself onto the
    // other: a first tone of a channel without tones is copied to the other side.
    void StoreTones(CsvTonePair tones) {
        ChannelInfo& ch = *Channel(GroupStartNo(group_) + pos_);
        if (ch.RxTone != tones.RxTone)
            Set(ChField::RxTone, tones.RxTone);
        if (ch.TxTone != tones.TxTone)
            Set(ChField::TxTone, tones.TxTone);
        if (ch.RxTone != tones.RxTone)
            Set(ChField::RxTone, tones.RxTone);
    }

    Document& work_;
    MessageCollector messages_;
    ChannelViews quietViews_; // the windows are refreshed once, at the end
    ChannelEnv env_;
    int group_ = 0;
    int pos_ = 0;
};

void RemoveAllButVfo(Document& work, std::vector<bool>& touched) {
    const int vfo = GroupStartNo(kVfoGroup) + 1;
    for (int i = UsedChCount(work) - 1; i >= 0; --i) {
        const int chNo = work.ChList[i].ChNo;
        if (chNo == vfo)
            continue;
        if (chNo >= 1 && chNo <= kMaxChannels)
            touched[chNo] = true;
        DeleteChAt(work, i);
    }
}

} // namespace

std::string WriteChannelCsv(const Document& doc, bool ansiIsGbk) {
    std::string csv = CsvLine(kColumnNames);
    for (int chNo = 1; chNo <= kMaxChannels; ++chNo) {
        const int index = FindChIndex(doc, chNo);
        if (index < 0)
            continue;
        const ChannelInfo& ch = doc.ChList[index];
        if (const auto rx = StoredFreText(ch.RxFre))
            csv += CsvLine(ChannelFields(doc, ch, *rx, ansiIsGbk));
    }
    return csv;
}

CsvImportResult ReadChannelCsv(std::string_view csv, Document& doc, const ChannelEnv& env,
                               CsvImportMode mode) {
    CsvImportResult result;
    CsvReader reader(csv);
    CsvRecord record;
    Header header;
    if (!reader.Next(record)) {
        result.Refused.push_back({1, "header: the file is empty"});
        return result;
    }
    if (auto reason = header.Read(record)) {
        result.Refused.push_back({record.Line, std::move(*reason)});
        return result;
    }

    auto work = std::make_unique<Document>(doc);
    std::vector<bool> touched(kMaxChannels + 1, false);
    if (mode == CsvImportMode::ReplaceList)
        RemoveAllButVfo(*work, touched);
    RowImport import(*work, env);
    std::vector<int> firstRowOf(kMaxChannels + 1, 0);
    int rows = 0;
    while (reader.Next(record)) {
        if (++rows > kMaxCsvRows) {
            result.Refused.push_back(
                {record.Line, "more than " + std::to_string(kMaxCsvRows) +
                                  " rows: this row and the rest were not read"});
            break;
        }
        auto parsed = ParseRow(record, header);
        if (auto* reason = std::get_if<std::string>(&parsed)) {
            result.Refused.push_back({record.Line, std::move(*reason)});
            continue;
        }
        const RowValues& row = std::get<RowValues>(parsed);
        if (firstRowOf[row.ChNo] != 0) {
            result.Refused.push_back(
                {record.Line, CsvNamedValue("Location", std::to_string(row.ChNo)) +
                                  ": repeated (first in row " +
                                  std::to_string(firstRowOf[row.ChNo]) + ")"});
            continue;
        }
        firstRowOf[row.ChNo] = record.Line;
        if (auto reason = import.Apply(row)) {
            result.Refused.push_back({record.Line, std::move(*reason)});
            continue;
        }
        touched[row.ChNo] = true;
        ++result.Imported;
    }
    if (result.Imported == 0)
        return result;

    ChannelViews quiet;
    for (int group = 0; group < kOrdinaryGroups; ++group)
        CheckGroupChRefs(*work, quiet, group);
    doc = *work;
    for (int chNo = 1; chNo <= kMaxChannels; ++chNo)
        if (touched[chNo])
            env.Views.reShowGrid(chNo);
    env.Views.ReshowByCh();
    env.Views.SetGridEditData(true);
    return result;
}

} // namespace velmar
