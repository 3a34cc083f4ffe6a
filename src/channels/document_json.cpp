#include "channels/document_json.h"

#include <cstddef>
#include <type_traits>

#include "channels/channel_list.h"
#include "channels/offset_codec.h"
#include "channels/stored_fre_text.h"
#include "channels/tone_list.h"
#include "shell/json_writer.h"
#include "shell/numbers.h"
#include "shell/text_encoding.h"

namespace velmar {

namespace {

// The option words by number (OptWord).
constexpr const char* kOptWordNames[] = {
    "EchoLock",         "Echo",           "DisplayMode",  "TotTime",        "CurGroup",
    "DisplayChoice",    "BacklightColor", "OptScanMode",  "ScanResumeTime", "KeyBeep",
    "FreqStep",         "UseCommonCh",    "PttIdPause",   "StartGroup",     "StartCh",
    "NormalGroup",      "NormalCh",       "ExtGroup",     "ExtCh",          "SqlLevel",
    "VoicePrompt",      "VoiceVolume",    "TailElimMode", "BatterySave",    "Vox",
    "VoxWithTone",      "ChannelLock",    "GroupSelect",  "TotPreAlert",    "CableClone",
    "TailElimNoSignal", "FreqChangeable", "TotRekeyTime", "TotResetTime",   "VoxLevel",
    "VoxDelay",
};
static_assert(std::size(kOptWordNames) == kOptWordCount);

// The fields in the order VisitFields hands them over.
constexpr const char* kChannelFieldNames[] = {
    "ChNo",        "ChEmpty",        "ScanSkip",   "RxFre",       "RxTone",        "TxTone",
    "FmPower",     "FmPowerLock",    "AmPower",    "AmPowerLock", "AmFm",          "AmFmLock",
    "AmPower4W",   "AmPower15W",     "FmPower4W",  "FmPower15W",  "FmPower50W",    "RxExpand",
    "TxCompress",  "NbAnl",          "Att",        "HiCut",       "BusyLock",      "RbLock",
    "RbTone",      "SqlMode",        "BotMemCode", "EotMemCode",  "CallMemCode",   "ShiftDir",
    "Offset",      "RxRaster",       "TxRaster",   "TxInhibit",   "RevTalkaround", "Scrambler",
    "Talkaround",  "SignalRelation", "Whisper",    "PttId",       "ChSpacing",     "OptSignal",
    "Compander",   "Reverse",        "RepLock",    "Rep",         "Tsq",           "FmPowerLock2",
    "ExtraChoice",
};
constexpr const char* kDtmfFieldNames[] = {
    "DtmfSpeed", "FirstDigitTime", "FirstDigitDelay", "StarHashTime", "DKeySet",   "SideTone",
    "CallAlert", "GroupCode",      "AutoResetTime",   "IdCode",       "IdCodeLen", "BotCode",
    "EotCode",   "StunCode",       "KillCode",        "MemCodes",
};

int GroupOfChNo(int chNo) {
    for (int group = kMemGroup; group > 0; --group)
        if (chNo > GroupStartNo(group))
            return group;
    return 0;
}

template <class T> inline constexpr bool kIsText = false;
template <std::size_t N> inline constexpr bool kIsText<FixStr<N>> = true;

class DocWriter {
public:
    explicit DocWriter(bool ansiIsGbk) : gbk_(ansiIsGbk) {}

    JsonWriter Json;

    // Record text bytes as UTF-8.
    std::string Text(std::string_view bytes) const {
        return gbk_ ? GbkToUtf8(bytes) : Windows1252ToUtf8(bytes);
    }

    template <class T> void Value(const T& value) {
        if constexpr (kIsText<T>) {
            Json.String(Text(TrimFixStr(value)));
        } else if constexpr (std::is_same_v<T, std::string>) {
            Json.String(Text(value));
        } else if constexpr (std::is_arithmetic_v<T>) {
            Json.Int(value);
        } else if constexpr (std::is_same_v<T, DtmfCode>) {
            Json.BeginObject();
            Member("Length", value.Length);
            Member("Code", value.Code);
            Json.EndObject();
        } else {
            Json.BeginArray(std::is_arithmetic_v<typename T::value_type>);
            for (const auto& element : value)
                Value(element);
            Json.EndArray();
        }
    }
    template <class T> void Member(std::string_view name, const T& value) {
        Json.Key(name);
        Value(value);
    }

    // Every field of a record under the names of its VisitFields order.
    template <class R, std::size_t N> void Fields(const R& record, const char* const (&names)[N]) {
        Json.BeginObject();
        std::size_t next = 0;
        auto visit = [&](const auto& field) { Member(next < N ? names[next++] : "?", field); };
        VisitFields(record, visit);
        Json.EndObject();
    }

    // A stored frequency in MHz; null when the field holds none.
    void Mhz(std::string_view name, const std::optional<std::string>& shown) {
        Json.Key(name);
        if (shown)
            Json.Number(Number(*shown));
        else
            Json.Null();
    }

    void ToneName(std::string_view name, int tone) {
        Json.Key(name);
        if (tone >= 0 && tone < kToneCount)
            Json.String(ToneList()[tone]);
        else
            Json.Null();
    }

    // The values a person reads, then every stored field. A channel of the
    // list begins with its number and group.
    void Channel(const ChannelInfo& ch, const DocRecord* listOf = nullptr) {
        Json.BeginObject();
        if (listOf) {
            Member("ChNo", ch.ChNo);
            Member("Group", GroupShowName(*listOf, GroupOfChNo(ch.ChNo)));
        }
        Mhz("RxMHz", StoredFreText(ch.RxFre));
        Mhz("TxMHz", StoredTxFreText(ch));
        const std::string offset = OffsetStoreToShow(TrimFixStr(ch.Offset), ch.ShiftDir);
        Member("Shift",
               std::string(offset[0] == '+' || offset[0] == '-' ? offset.substr(0, 1) : ""));
        Json.Key("OffsetMHz");
        Json.Number(std::abs(Number(offset)));
        ToneName("RxToneName", ch.RxTone);
        ToneName("TxToneName", ch.TxTone);
        Json.Key("Stored");
        Fields(ch, kChannelFieldNames);
        Json.EndObject();
    }

private:
    bool gbk_;
};

void WriteOptFeatures(DocWriter& w, const Document& doc) {
    const OptFeaturesRecord& opt = doc.Doc.OptFeatures;
    w.Json.BeginObject();
    w.Json.Key("Words");
    w.Json.BeginObject();
    for (std::size_t k = 0; k < kOptWordCount; ++k)
        w.Member(kOptWordNames[k], opt.Words[k]);
    w.Json.EndObject();
    w.Json.Key("EmergencyChannels");
    w.Json.BeginArray();
    for (int group = 0; group < kOrdinaryGroups; ++group) {
        w.Json.BeginObject();
        w.Member("Group", group);
        w.Member("Positions", std::array{opt.EmgCh[2 * group], opt.EmgCh[2 * group + 1]});
        w.Member("Modes", std::array{opt.EmgChMode[2 * group], opt.EmgChMode[2 * group + 1]});
        w.Json.EndObject();
    }
    w.Json.EndArray();
    w.Json.Key("OptChannel");
    w.Channel(opt.OptChannel);
    w.Member("RadioLabel", opt.RadioLabel);
    w.Json.EndObject();
}

void WriteToneTips(DocWriter& w, const DocRecord& record) {
    w.Json.BeginArray();
    for (std::size_t n = 0; n < record.ToneTips.size(); ++n) {
        const ToneTip& tip = record.ToneTips[n];
        w.Json.BeginObject();
        w.Member("Tip", static_cast<int>(n + 1));
        w.Member("Repeat", tip.Repeat);
        w.Member("Interval", tip.Interval);
        w.Json.Key("Items"); // [tone in 10 Hz, length in 10 ms]
        w.Json.BeginArray();
        for (const ToneItem& item : tip.Items)
            w.Value(std::array{item.Tone, item.Length});
        w.Json.EndArray();
        w.Json.EndObject();
    }
    w.Json.EndArray();
}

void WriteFrequencyLists(DocWriter& w, const DocRecord& record) {
    w.Json.Key("FmRadioList");
    w.Json.BeginArray();
    for (const FmRadioEntry& entry : record.FmRadioList) {
        w.Json.BeginObject();
        w.Member("Flag", entry.Flag);
        w.Member("Fre", entry.Fre);
        w.Mhz("MHz", StoredFreText(entry.Fre));
        w.Json.EndObject();
    }
    w.Json.EndArray();
    w.Json.Key("TestFreList");
    w.Json.BeginArray();
    for (const TestFrePair& pair : record.TestFreList) {
        w.Json.BeginObject();
        w.Member("RxFre", pair.RxFre);
        w.Mhz("RxMHz", StoredFreText(pair.RxFre));
        w.Member("TxFre", pair.TxFre);
        w.Mhz("TxMHz", StoredFreText(pair.TxFre));
        w.Json.EndObject();
    }
    w.Json.EndArray();
}

void WriteRadioInfo(DocWriter& w, const RadioInfoRecord& info) {
    w.Json.BeginObject();
    w.Member("BandCode", info.BandCode);
    w.Member("Reserved", info.Reserved);
    w.Member("SerialNo", info.SerialNo);
    w.Member("FactoryDate", info.FactoryDate);
    w.Member("RepairDate", info.RepairDate);
    w.Member("RepairReason", info.RepairReason);
    w.Member("VersionText", info.VersionText);
    w.Member("ModelText", info.ModelText);
    w.Member("AreaCode", info.AreaCode);
    w.Member("BatchNo", info.BatchNo);
    w.Member("CustomerCode", info.CustomerCode);
    w.Member("DealerCode", info.DealerCode);
    w.Member("StockInDate", info.StockInDate);
    w.Member("SaleDate", info.SaleDate);
    w.Member("Handler", info.Handler);
    w.Json.EndObject();
}

} // namespace

std::string DocumentToJson(const Document& doc, bool ansiIsGbk) {
    DocWriter w(ansiIsGbk);
    const DocRecord& record = doc.Doc;
    w.Json.BeginObject();
    w.Member("ModelName", doc.ModelName);
    w.Member("BandText", doc.BandText);
    w.Json.Key("BandLowMHz");
    w.Json.Number(doc.BandLow);
    w.Json.Key("BandHighMHz");
    w.Json.Number(doc.BandHigh);
    w.Member("DocFileName", doc.DocFileName);
    w.Member("Version", record.Version);
    w.Member("ChCount", record.ChCount);
    w.Json.Key("ModelInfo");
    w.Json.BeginObject();
    w.Member("Name", record.ModelInfo.Name);
    w.Member("BandCode", record.ModelInfo.BandCode);
    w.Json.EndObject();
    w.Json.Key("OptFeatures");
    WriteOptFeatures(w, doc);
    w.Json.Key("DtmfSettings");
    w.Fields(record.DtmfSettings, kDtmfFieldNames);
    w.Member("EmbMsg", record.EmbMsg);
    w.Member("KeySettings", record.KeySettings);
    w.Member("AlertSettings", record.AlertSettings);
    w.Member("ScanSettings", record.ScanSettings);
    w.Json.Key("ToneTips");
    WriteToneTips(w, record);
    w.Json.Key("GroupNames");
    w.Json.BeginArray();
    for (int group = 0; group <= kMemGroup; ++group) {
        w.Json.BeginObject();
        w.Member("Group", group);
        if (group < kOrdinaryGroups)
            w.Member("Name", record.GroupNames[group]);
        w.Member("Label", GroupShowName(record, group));
        w.Json.EndObject();
    }
    w.Json.EndArray();
    w.Member("ResetFlags", record.ResetFlags);
    w.Member("ExtOption", record.ExtOption);
    WriteFrequencyLists(w, record);
    w.Json.Key("RadioInfo");
    WriteRadioInfo(w, doc.RadioInfo);

    w.Json.Key("Channels");
    w.Json.BeginArray();
    for (int chNo = 1; chNo <= kMaxChannels; ++chNo)
        if (const int index = FindChIndex(doc, chNo); index >= 0)
            w.Channel(doc.ChList[index], &record);
    w.Json.EndArray();
    w.Json.EndObject();
    return w.Json.Text() + "\n";
}

} // namespace velmar
