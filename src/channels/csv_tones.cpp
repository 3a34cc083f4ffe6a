#include "channels/csv_tones.h"

#include <algorithm>
#include <optional>

#include "channels/csv_records.h"
#include "channels/tone_list.h"
#include "shell/numbers.h"
#include "shell/text_util.h"

namespace velmar {

namespace {

constexpr int kDcsCount = kFirstDcsInverted - kFirstDcsNormal;

enum class Family { None, Ctcss, Dcs };

Family FamilyOf(int tone) {
    if (tone >= kFirstCtcss && tone < kFirstDcsNormal)
        return Family::Ctcss;
    if (tone >= kFirstDcsNormal && tone < kToneCount)
        return Family::Dcs;
    return Family::None;
}

bool IsInverted(int tone) {
    return tone >= kFirstDcsInverted;
}

// "023" of "D023N" and "D023I".
std::string DcsDigits(int tone) {
    return ToneList()[tone].substr(1, 3);
}

char PolarityLetter(int tone) {
    return FamilyOf(tone) == Family::Dcs && IsInverted(tone) ? 'R' : 'N';
}

std::optional<int> CtcssOf(const std::string& text) {
    const auto hz = ParseNumber(text);
    if (!hz)
        return std::nullopt;
    const std::string shown = Format(*hz, "0.0");
    if (Number(shown) != *hz)
        return std::nullopt;
    const auto& list = ToneList();
    const auto found = std::find(list.begin() + kFirstCtcss, list.begin() + kFirstDcsNormal, shown);
    if (found == list.begin() + kFirstDcsNormal)
        return std::nullopt;
    return static_cast<int>(found - list.begin());
}

// The normal-polarity index of a code of one to three octal digits.
std::optional<int> DcsOf(const std::string& text) {
    const std::string_view digits = TrimBlanks(text);
    if (digits.empty() || digits.size() > 3 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '7'; }))
        return std::nullopt;
    const std::string name = "D" + std::string(3 - digits.size(), '0') + std::string(digits) + "N";
    const auto& list = ToneList();
    const auto first = list.begin() + kFirstDcsNormal;
    const auto found = std::find(first, first + kDcsCount, name);
    if (found == first + kDcsCount)
        return std::nullopt;
    return static_cast<int>(found - list.begin());
}

// Reads the columns one by one; the first bad one ends the reading with its reason.
class ToneReader {
public:
    explicit ToneReader(const CsvToneColumns& columns) : c_(columns) {}

    int Ctcss(const std::string& column, const std::string& value) {
        if (const auto tone = CtcssOf(value))
            return *tone;
        Fail({CsvText::NotCtcss, {CsvNamedValue(column, value)}});
        return 0;
    }
    // polarityIndex 0: the encode letter, 1: the decode letter.
    int Dcs(const std::string& column, const std::string& value, int polarityIndex) {
        const auto normal = DcsOf(value);
        if (!normal) {
            Fail({CsvText::NotDcs, {CsvNamedValue(column, value)}});
            return 0;
        }
        const std::string polarity(TrimBlanks(c_.DtcsPolarity));
        const bool valid =
            polarity.size() == 2 && std::all_of(polarity.begin(), polarity.end(),
                                                [](char p) { return p == 'N' || p == 'R'; });
        if (!valid) {
            Fail({CsvText::NotPolarity, {CsvNamedValue("DtcsPolarity", c_.DtcsPolarity)}});
            return 0;
        }
        return polarity[polarityIndex] == 'R' ? *normal + kDcsCount : *normal;
    }
    void Fail(CsvReason reason) {
        if (!reason_)
            reason_ = std::move(reason);
    }
    const std::optional<CsvReason>& Reason() const { return reason_; }

private:
    const CsvToneColumns& c_;
    std::optional<CsvReason> reason_;
};

struct CrossPart {
    Family Tx;
    Family Rx;
    const char* Name;
};
constexpr CrossPart kCrossModes[] = {
    {Family::Ctcss, Family::Ctcss, "Tone->Tone"}, {Family::Ctcss, Family::Dcs, "Tone->DTCS"},
    {Family::Dcs, Family::Ctcss, "DTCS->Tone"},   {Family::None, Family::Ctcss, "->Tone"},
    {Family::None, Family::Dcs, "->DTCS"},        {Family::Dcs, Family::None, "DTCS->"},
    {Family::Dcs, Family::Dcs, "DTCS->DTCS"},
};

} // namespace

CsvToneColumns TonesToCsv(CsvTonePair tones) {
    const int rx = FamilyOf(tones.RxTone) == Family::None ? 0 : tones.RxTone;
    const int tx = FamilyOf(tones.TxTone) == Family::None ? 0 : tones.TxTone;
    const Family rxFamily = FamilyOf(rx);
    const Family txFamily = FamilyOf(tx);
    CsvToneColumns c{"", "88.5", "88.5", "023", "NN", "023", "Tone->Tone"};
    if (txFamily == Family::Ctcss)
        c.RToneFreq = ToneList()[tx];
    if (rxFamily == Family::Ctcss)
        c.CToneFreq = ToneList()[rx];
    if (txFamily == Family::Dcs)
        c.DtcsCode = DcsDigits(tx);
    if (rxFamily == Family::Dcs)
        c.RxDtcsCode = DcsDigits(rx);
    c.DtcsPolarity = {PolarityLetter(tx), PolarityLetter(rx)};

    if (rxFamily == Family::None && txFamily == Family::None) {
        c.Tone = "";
    } else if (rxFamily == Family::None && txFamily == Family::Ctcss) {
        c.Tone = "Tone";
    } else if (rxFamily == Family::Ctcss && rx == tx) {
        c.Tone = "TSQL";
    } else if (rxFamily == Family::Dcs && txFamily == Family::Dcs &&
               DcsDigits(rx) == DcsDigits(tx)) {
        c.Tone = "DTCS";
    } else {
        c.Tone = "Cross";
        for (const auto& mode : kCrossModes)
            if (mode.Tx == txFamily && mode.Rx == rxFamily)
                c.CrossMode = mode.Name;
    }
    return c;
}

std::variant<CsvTonePair, CsvReason> TonesFromCsv(const CsvToneColumns& c) {
    ToneReader read(c);
    CsvTonePair pair;
    const std::string mode(TrimBlanks(c.Tone));
    if (mode.empty()) {
        // no tones
    } else if (EqualsIgnoreCase(mode, "Tone")) {
        pair.TxTone = read.Ctcss("rToneFreq", c.RToneFreq);
    } else if (EqualsIgnoreCase(mode, "TSQL")) {
        pair.TxTone = pair.RxTone = read.Ctcss("cToneFreq", c.CToneFreq);
    } else if (EqualsIgnoreCase(mode, "DTCS")) {
        pair.TxTone = read.Dcs("DtcsCode", c.DtcsCode, 0);
        pair.RxTone = read.Dcs("DtcsCode", c.DtcsCode, 1);
    } else if (EqualsIgnoreCase(mode, "Cross")) {
        const std::string cross(TrimBlanks(c.CrossMode));
        const auto found =
            std::find_if(std::begin(kCrossModes), std::end(kCrossModes),
                         [&](const CrossPart& m) { return EqualsIgnoreCase(cross, m.Name); });
        if (found == std::end(kCrossModes))
            return CsvReason{CsvText::NotCrossMode, {CsvNamedValue("CrossMode", c.CrossMode)}};
        if (found->Tx == Family::Ctcss)
            pair.TxTone = read.Ctcss("rToneFreq", c.RToneFreq);
        if (found->Tx == Family::Dcs)
            pair.TxTone = read.Dcs("DtcsCode", c.DtcsCode, 0);
        if (found->Rx == Family::Ctcss)
            pair.RxTone = read.Ctcss("cToneFreq", c.CToneFreq);
        if (found->Rx == Family::Dcs)
            pair.RxTone = read.Dcs("RxDtcsCode", c.RxDtcsCode, 1);
    } else {
        return CsvReason{CsvText::NotToneMode, {CsvNamedValue("Tone", c.Tone)}};
    }
    if (read.Reason())
        return *read.Reason();
    return pair;
}

} // namespace velmar
