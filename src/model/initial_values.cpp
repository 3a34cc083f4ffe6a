#include "model/initial_values.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <initializer_list>

#include "model/band_table.h"

namespace velmar {
namespace {

// Stored form of a frequency: 8 digits in units of 10 Hz.
FixStr<8> StoredFre(double mhz) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%08lld", std::llround(mhz * 100000.0));
    return MakeFixStr<8>(digits);
}

void InitKeyAlertScan(DocRecord& d) {
    d.KeySettings = {10, 10, 0, 0, 0, 0};
    d.AlertSettings = {1};
    d.ScanSettings = {};
}

void InitOptChannel(ChannelInfo& c) {
    c.RxTone = c.TxTone = c.FmPower = c.AmPower = c.AmFm = 0;
    c.AmFmLock = c.AmPower4W = c.AmPower15W = c.FmPower4W = c.FmPower15W = c.FmPower50W = 0;
    c.RxExpand = c.TxCompress = c.NbAnl = c.Att = c.HiCut = 0;
    c.BusyLock = 0;
    c.RbLock = 0;
    c.RbTone = 1;
    c.SqlMode = c.BotMemCode = c.EotMemCode = c.CallMemCode = 0;
    c.RepLock = c.Rep = c.Tsq = c.FmPowerLock2 = c.ExtraChoice = 0;
}

void InitOptFeatures(DocRecord& d) {
    OptFeaturesRecord& o = d.OptFeatures;
    constexpr std::int16_t words[kOptWordCount] = {
        0, 0, 0, 4, 3, 1, 1, 0, 0, 1, 0, 0, 0,            // words 0 … 12
        3, 3, 3, 3, 9, 3,                                 // words 13 … 18
        0, 1, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 // words 19 … 35
    };
    std::copy(std::begin(words), std::end(words), o.Words.begin());
    o.EmgCh = {};
    o.EmgChMode = {};
    InitOptChannel(o.OptChannel);
    o.RadioLabel = MakeFixStr<16>(std::string_view("        qv9352 \0", 16));
    d.ExtOption = 1;
}

void InitDtmf(DtmfSettingsRecord& t) {
    t.DtmfSpeed = t.FirstDigitTime = t.FirstDigitDelay = t.StarHashTime = t.DKeySet = 0;
    t.SideTone = t.CallAlert = t.GroupCode = t.AutoResetTime = 0;
    t.IdCode = MakeFixStr<10>("000");
    t.IdCodeLen = 3;
    const DtmfCode noCode{0, MakeFixStr<16>("")};
    t.BotCode = t.EotCode = t.StunCode = t.KillCode = noCode;
    t.MemCodes.fill(noCode);
}

void InitChannels(Document& doc) {
    const FixStr<8> middle = StoredFre((doc.BandLow + doc.BandHigh) / 2);
    doc.Doc.ChCount = 0;
    for (int chNo : {1, 521}) {
        ChannelInfo& ch = doc.ChList[doc.Doc.ChCount++];
        ch = NewChannelInfo(chNo);
        ch.RxFre = middle;
    }
}

void InitFmAndTestLists(DocRecord& d) {
    d.FmRadioList.fill({1, MakeFixStr<8>("")});
    d.TestFreList.fill({NulFixStr<8>(), NulFixStr<8>()});
    d.TestFreList[0] = {MakeFixStr<8>("43510000"), MakeFixStr<8>("43510000")};
}

void InitGroupNamesAndFlags(DocRecord& d) {
    constexpr std::string_view names[13] = {"E", "UK", "PL", "EC", "PL", "U-EU", "U-UK",
                                            "E", "A",  "B",  "C",  "D",  "E"};
    for (std::size_t g = 0; g < d.GroupNames.size(); ++g)
        d.GroupNames[g] = MakeFixStr<6>(names[g]);
    d.ResetFlags.fill(1);
}

// Writes the listed (tone, length) items of a tip, then Repeat 1, Interval 0;
// the other items keep their values.
void SetToneTip(ToneTip& tip, std::initializer_list<ToneItem> items) {
    std::copy(items.begin(), items.end(), tip.Items.begin());
    tip.Repeat = 1;
    tip.Interval = 0;
}

void InitToneTips(std::array<ToneTip, 8>& tips) {
    SetToneTip(tips[0], {{210, 10}, {0, 10}, {210, 10}, {0, 10}, {210, 10}, {0, 10}, {210, 10}});
    SetToneTip(tips[1], {{80, 4},
                         {0, 4},
                         {80, 4},
                         {0, 4},
                         {80, 4},
                         {0, 4},
                         {80, 4},
                         {0, 4},
                         {80, 4},
                         {0, 4},
                         {80, 4},
                         {0, 4},
                         {80, 4},
                         {0, 4}});
    SetToneTip(tips[2], {{170, 3}, {90, 3}, {170, 3}, {90, 3}, {170, 3}, {90, 3}, {170, 3}});
    SetToneTip(tips[3], {{64, 6}, {94, 6}, {134, 6}, {163, 6}, {192, 6}});
    SetToneTip(tips[4], {{150, 20}, {70, 20}, {150, 20}, {70, 20}, {150, 20}, {70, 20}});
}

void InitRadioInfo(Document& doc, int currentMonth) {
    RadioInfoRecord& r = doc.RadioInfo;
    r.BandCode = doc.Doc.ModelInfo.BandCode;
    r.Reserved = r.SerialNo = r.FactoryDate = r.RepairDate = NulFixStr<16>();
    r.RepairReason = NulFixStr<96>();
    r.VersionText = "V1.02";
    r.ModelText = doc.ModelName;
    r.AreaCode.clear();
    char batch[16];
    std::snprintf(batch, sizeof batch, "%02d-1-E-1", currentMonth % 100);
    r.BatchNo = MakeFixStr<8>(batch);
    r.CustomerCode = MakeFixStr<4>("001A");
    r.DealerCode = r.StockInDate = r.SaleDate = r.Handler = NulFixStr<16>();
}

} // namespace

void InitDocValues(Document& doc, int currentMonth) {
    DocRecord& d = doc.Doc;
    InitKeyAlertScan(d);
    InitOptFeatures(d);
    d.EmbMsg.fill(NulFixStr<16>());
    InitDtmf(d.DtmfSettings);
    InitChannels(doc);
    InitFmAndTestLists(d);
    d.ModelInfo.Name = MakeFixStr<7>(doc.ModelName);
    d.ModelInfo.BandCode = static_cast<std::int16_t>(BandTextToCode(doc.BandText));
    InitGroupNamesAndFlags(d);
    InitToneTips(d.ToneTips);
    InitRadioInfo(doc, currentMonth);
}

int CurrentMonth() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_mon + 1;
}

} // namespace velmar
