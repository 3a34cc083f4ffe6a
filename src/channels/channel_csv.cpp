#include "channels/channel_csv.h"

#include <array>
#include <memory>
#include <optional>
#include <variant>

#include "channels/channel_values.h"
#include "channels/csv_reason.h"
#include "channels/csv_row.h"
#include "channels/offset_codec.h"
#include "channels/stored_fre_text.h"
#include "shell/numbers.h"
#include "shell/text_encoding.h"
#include "shell/text_util.h"

namespace velmar {

namespace {

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

std::array<std::string, CsvCol::kCount> ChannelFields(const Document& doc, const ChannelInfo& ch,
                                                      const std::string& rxText, bool ansiIsGbk) {
    std::array<std::string, CsvCol::kCount> f;
    f[CsvCol::Location] = std::to_string(ch.ChNo);
    f[CsvCol::Frequency] = SixDecimals(rxText);
    f[CsvCol::Duplex] = SignOf(ch.ShiftDir);
    f[CsvCol::Offset] = SixDecimals(OffsetStoreToShow(TrimFixStr(ch.Offset), kShiftNone));
    const CsvToneColumns tones = TonesToCsv({ch.RxTone, ch.TxTone});
    f[CsvCol::Tone] = tones.Tone;
    f[CsvCol::RToneFreq] = tones.RToneFreq;
    f[CsvCol::CToneFreq] = tones.CToneFreq;
    f[CsvCol::DtcsCode] = tones.DtcsCode;
    f[CsvCol::DtcsPolarity] = tones.DtcsPolarity;
    f[CsvCol::RxDtcsCode] = tones.RxDtcsCode;
    f[CsvCol::CrossMode] = tones.CrossMode;
    if (ch.AmFm == kModulationAm || ch.AmFm == kModulationFm)
        f[CsvCol::Mode] = kModulationNames[ch.AmFm];
    f[CsvCol::TStep] =
        ch.RxRaster >= 0 && ch.RxRaster <= 2 ? kRasterSteps[ch.RxRaster] : kRasterSteps[0];
    f[CsvCol::Skip] = ch.ScanSkip != 0 ? "S" : "";
    const int power = PowerValueOf(ch);
    if (const auto* level = PowerLevelOf(ch.AmFm, power))
        f[CsvCol::Power] = std::to_string(level->Watts) + "W";
    const std::string label = GroupShowName(doc.Doc, GroupOfChannel(ch.ChNo).Group);
    f[CsvCol::Comment] = ansiIsGbk ? GbkToUtf8(label) : Windows1252ToUtf8(label);
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
    std::optional<std::string> Apply(const CsvRowValues& row) {
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

    std::string Reason(int textId, std::vector<std::string> args) const {
        return CsvReasonText({textId, std::move(args)}, env_.Texts);
    }

    std::optional<std::string> Store(const CsvRowValues& row) {
        const std::string frequency = CsvNamedValue("Frequency", SixDecimals(row.RxText));
        const ChannelInfo* before = Channel(row.ChNo);
        const bool created = before == nullptr;
        if (before && row.ChNo <= kLastFixedChannel &&
            TrimFixStr(before->RxFre) != FreShowToStore(row.RxText, work_.BandLow))
            return Reason(CsvText::FixedFrequency, {frequency, std::to_string(row.ChNo),
                                                    StoredFreText(before->RxFre).value_or("-")});
        // the limits FreLimitBand clamps to; its warning would say the row was changed
        const double rxMhz = Number(row.RxText);
        if (rxMhz < work_.BandLow || rxMhz > work_.BandHigh)
            return Reason(CsvText::OutsideBand,
                          {frequency, NumberText(work_.BandLow), NumberText(work_.BandHigh)});
        const int amFm = row.AmFm.value_or(before ? before->AmFm : kModulationAm);
        const CsvPowerLevel* level = nullptr;
        if (row.Watts) {
            level = PowerLevelInWatts(amFm, *row.Watts);
            if (!level)
                return Reason(CsvText::NotPowerLevel,
                              {CsvNamedValue("Power", std::to_string(*row.Watts) + "W"),
                               kModulationNames[amFm == kModulationFm]});
        }

        std::string rx = row.RxText;
        Set(ChField::RxFre, rx);
        if (!messages_.first.empty())
            return frequency + ": " + messages_.first;
        if (rx != row.RxText)
            return Reason(CsvText::RasterMoves, {frequency, SixDecimals(rx)});
        ChannelInfo* ch = Channel(row.ChNo);
        if (!ch)
            return Reason(CsvText::ListFull, {frequency});

        std::optional<std::string> offsetEntry;
        if (row.Dir || row.OffsetText) {
            const std::string magnitude =
                row.OffsetText.value_or(OffsetStoreToShow(TrimFixStr(ch->Offset), kShiftNone));
            // a shift by nothing transmits on the receive frequency: no shift
            const int dir = Number(magnitude) == 0 ? kShiftNone : row.Dir.value_or(ch->ShiftDir);
            offsetEntry = SignOf(dir) + magnitude;
            std::string entry = *offsetEntry;
            Set(ChField::TxFre, entry);
        }
        if (row.AmFm && ch->AmFm != *row.AmFm)
            Set(ChField::AmFm, *row.AmFm);
        // A level the row keeps is left as it is, offered or not (a channel
        // that offers no level shows its first one), so that a file written
        // from the list reads back without change; a level the row sets, or
        // one of a channel it creates, is also offered.
        if (level && (created || PowerValueOf(*ch) != level->Value)) {
            if (ch->*level->Offered == 0)
                Set(level->OfferCode, 1);
            if (PowerValueOf(*ch) != level->Value)
                Set(amFm == kModulationFm ? ChField::FmPower : ChField::AmPower, level->Value);
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
            return Reason(CsvText::RasterMovesBoth,
                          {CsvNamedValue("Offset", *offsetEntry),
                           SixDecimals(StoredFreText(ch->RxFre).value_or("")),
                           SixDecimals(StoredTxFreText(*ch).value_or(""))});
        if (row.Tones && (ch->RxTone != row.Tones->RxTone || ch->TxTone != row.Tones->TxTone))
            return Reason(CsvText::TonesChanged, {"Tone"});
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
    std::string csv = CsvLine(kCsvColumnNames);
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
    CsvHeader header;
    if (!reader.Next(record)) {
        result.Refused.push_back({1, CsvReasonText({CsvText::FileEmpty, {}}, env.Texts)});
        return result;
    }
    if (auto reason = header.Read(record)) {
        result.Refused.push_back({record.Line, CsvReasonText(*reason, env.Texts)});
        return result;
    }
    result.HeaderRead = true;

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
                {record.Line,
                 CsvReasonText({CsvText::TooManyRows, {std::to_string(kMaxCsvRows)}}, env.Texts)});
            break;
        }
        auto parsed = ParseCsvRow(record, header);
        if (const auto* reason = std::get_if<CsvReason>(&parsed)) {
            result.Refused.push_back({record.Line, CsvReasonText(*reason, env.Texts)});
            continue;
        }
        const CsvRowValues& row = std::get<CsvRowValues>(parsed);
        if (firstRowOf[row.ChNo] != 0) {
            result.Refused.push_back(
                {record.Line, CsvReasonText({CsvText::Repeated,
                                             {CsvNamedValue("Location", std::to_string(row.ChNo)),
                                              std::to_string(firstRowOf[row.ChNo])}},
                                            env.Texts)});
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
