#include "link/demo_sample.h"

#include <algorithm>
#include <array>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "channels/tone_list.h"
#include "link/image_conversion.h"
#include "model/initial_values.h"

namespace velmar {
namespace {

enum Modulation : std::int16_t { AM = 0, FM = 1 };

struct ChannelPlan {
    int kHz;
    std::string_view rxTone = "OFF"; // texts of the tone list: "88.5", "D023N"
    std::string_view txTone = "OFF";
};

struct GroupPlan {
    std::string_view name;
    Modulation modulation;
    std::vector<ChannelPlan> channels; // positions 1, 2, …
    std::array<int, 2> emergency;      // positions of the two emergency channels (0: none)
};

// The 40 CB channels of the European plan, 26.965 … 27.405 MHz.
constexpr std::array<int, 40> CeptChannels = {
    26965, 26975, 26985, 27005, 27015, 27025, 27035, 27055, 27065, 27075,
    27085, 27105, 27115, 27125, 27135, 27155, 27165, 27175, 27185, 27205,
    27215, 27225, 27255, 27235, 27245, 27265, 27275, 27285, 27295, 27305,
    27315, 27325, 27335, 27345, 27355, 27365, 27375, 27385, 27395, 27405};

std::vector<ChannelPlan> CbPlan(int shiftKHz) {
    std::vector<ChannelPlan> plan;
    for (int kHz : CeptChannels)
        plan.push_back({kHz + shiftKHz});
    return plan;
}

// 29.520 … 29.690 MHz in 10 kHz steps; the repeaters on 29.620 … 29.680
// want their access tone on transmit.
std::vector<ChannelPlan> TenMetreFm() {
    constexpr std::string_view access[] = {"67.0",  "74.4",  "82.5", "88.5",
                                           "100.0", "107.2", "114.8"};
    std::vector<ChannelPlan> plan;
    for (int kHz = 29520; kHz <= 29690; kHz += 10) {
        const int repeater = (kHz - 29620) / 10;
        const bool hasTone = kHz >= 29620 && repeater < static_cast<int>(std::size(access));
        plan.push_back({kHz, "OFF", hasTone ? access[repeater] : "OFF"});
    }
    return plan;
}

// Groups 0 … 2 hold the fixed national plans, the others the owner's own.
std::vector<GroupPlan> Groups() {
    return {
        {"CEPT", FM, CbPlan(0), {9, 19}},
        {"EU-AM", AM, CbPlan(0), {9, 19}},
        {"PL", AM, CbPlan(-5), {9, 19}},
        {"CLUB",
         FM,
         {{27055, "88.5", "88.5"},
          {27065},
          {27125, "67.0", "67.0"},
          {27185},
          {27235, "103.5", "103.5"},
          {27285, "D023N", "D023N"},
          {27335, "OFF", "D047N"},
          {27385, "D754I", "D754I"},
          {27405, "123.0", "123.0"},
          {27615, "151.4", "151.4"},
          {27755, "D131N", "D131N"},
          {27805, "OFF", "77.0"}},
         {2, 4}},
        {"10M FM", FM, TenMetreFm(), {9, 0}},
        {"FARM",
         FM,
         {{26065, "D025N", "D025N"},
          {26095, "D031N", "D031N"},
          {26125, "D073N", "D073N"},
          {26155, "D114N", "D114N"},
          {26185, "D205N", "D205N"},
          {26215, "D243N", "D243N"},
          {26245, "D311N", "D311N"},
          {26275, "D411I", "D411I"}},
         {1, 0}},
    };
}

constexpr int VfoChannel = 521;
constexpr ChannelPlan Vfo{27185};
constexpr Modulation VfoModulation = FM;

struct MemoryPlan {
    ChannelPlan channel;
    Modulation modulation;
};
const std::array<MemoryPlan, 8> MemoryChannels = {{
    {{26965}, FM},
    {{27065}, AM},
    {{27185}, FM},
    {{27405}, FM},
    {{27555, "88.5", "88.5"}, FM},
    {{28500}, AM},
    {{29600}, FM},
    {{29620, "OFF", "67.0"}, FM},
}};

constexpr std::array<std::string_view, 4> Message = {"VELMAR DEMO", "KAVRO 10M RADIO",
                                                     "CH19 27.185 FM", "73 DE VELMAR"};

int ToneIndex(std::string_view text) {
    const auto& list = ToneList();
    const auto found = std::find(list.begin(), list.end(), text);
    if (found == list.end())
        throw std::logic_error("demo sample: no tone " + std::string(text));
    return static_cast<int>(found - list.begin());
}

FixStr<8> StoredFrequency(int kHz) {
    std::string digits = std::to_string(kHz * 100); // 10 Hz units
    digits.insert(0, 8 - std::min<std::size_t>(8, digits.size()), '0');
    return MakeFixStr<8>(digits);
}

void AddChannel(Document& doc, int chNo, const ChannelPlan& plan, Modulation modulation) {
    ChannelInfo& ch = doc.ChList[static_cast<std::size_t>(doc.Doc.ChCount++)];
    ch = NewChannelInfo(chNo);
    ch.RxFre = StoredFrequency(plan.kHz);
    ch.RxTone = static_cast<std::int16_t>(ToneIndex(plan.rxTone));
    ch.TxTone = static_cast<std::int16_t>(ToneIndex(plan.txTone));
    ch.AmFm = modulation;
    ch.FmPower = 2;
    ch.AmPower = 1;
    ch.NbAnl = modulation == AM ? 1 : 0;
    ch.Tsq = ch.RxTone != 0 ? 1 : 0;
    ch.BusyLock = ch.TxTone != 0 ? 1 : 0;
}

void AddChannels(Document& doc) {
    doc.Doc.ChCount = 0;
    const std::vector<GroupPlan> groups = Groups();
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const GroupPlan& group = groups[g];
        for (std::size_t p = 0; p < group.channels.size(); ++p)
            AddChannel(doc, GroupStartNo(static_cast<int>(g)) + static_cast<int>(p) + 1,
                       group.channels[p], group.modulation);
    }
    AddChannel(doc, VfoChannel, Vfo, VfoModulation);
    doc.ChList[static_cast<std::size_t>(doc.Doc.ChCount - 1)].ScanSkip = 1; // never scanned
    for (std::size_t m = 0; m < MemoryChannels.size(); ++m)
        AddChannel(doc, VfoChannel + 1 + static_cast<int>(m), MemoryChannels[m].channel,
                   MemoryChannels[m].modulation);
}

void SetGroups(DocRecord& d) {
    const std::vector<GroupPlan> groups = Groups();
    d.ResetFlags.fill(0);
    d.ResetFlags[13] = 1; // the VFO
    for (std::size_t g = 0; g < d.GroupNames.size(); ++g) {
        const bool used = g < groups.size();
        d.GroupNames[g] = MakeFixStr<6>(used ? groups[g].name : "");
        d.ResetFlags[g] = used ? 1 : 0;
        for (std::size_t n = 0; n < 2; ++n) {
            d.OptFeatures.EmgCh[2 * g + n] =
                static_cast<std::int16_t>(used ? groups[g].emergency[n] : 0);
            d.OptFeatures.EmgChMode[2 * g + n] = used ? groups[g].modulation : FM;
        }
    }
}

void SetOptions(DocRecord& d) {
    OptFeaturesRecord& o = d.OptFeatures;
    o.Word(OptWord::EchoLock) = 0;
    o.Word(OptWord::Echo) = 1;
    o.Word(OptWord::DisplayMode) = 1;
    o.Word(OptWord::TotTime) = 180;
    o.Word(OptWord::OptScanMode) = 1;
    o.Word(OptWord::ScanResumeTime) = 1;
    o.Word(OptWord::KeyBeep) = 1;
    o.Word(OptWord::FreqStep) = 1;
    o.Word(OptWord::UseCommonCh) = 0;
    // Reset modes: E-mode on the club channels, normal mode on CB 19, the
    // extended mode on the 10 m calling channel.
    o.Word(OptWord::StartGroup) = 3;
    o.Word(OptWord::StartCh) = 1;
    o.Word(OptWord::NormalGroup) = 0;
    o.Word(OptWord::NormalCh) = 19;
    o.Word(OptWord::ExtGroup) = 4;
    o.Word(OptWord::ExtCh) = 9;
    o.OptChannel.AmFm = FM;
    o.OptChannel.FmPower = 2;
    o.OptChannel.NbAnl = 1;
    d.ExtOption = 1;
    for (std::size_t line = 0; line < Message.size(); ++line)
        d.EmbMsg[line] = MakeFixStr<16>(Message[line]);
}

void SetToneTip(ToneTip& tip, std::initializer_list<ToneItem> items, int repeat, int interval) {
    tip.Items = {};
    std::copy(items.begin(), items.end(), tip.Items.begin());
    tip.Repeat = static_cast<std::int16_t>(repeat);
    tip.Interval = static_cast<std::int16_t>(interval);
}

// Tips 1 … 5 keep their initial values; the owner added three. Tones in
// 10 Hz, lengths and pauses in 10 ms.
void SetToneTips(std::array<ToneTip, 8>& tips) {
    SetToneTip(tips[5], {{100, 5}, {125, 5}, {150, 5}, {175, 5}, {200, 5}, {225, 5}, {250, 5}}, 1,
               0);
    SetToneTip(tips[6], {{120, 15}, {0, 5}, {180, 15}}, 1, 0);
    SetToneTip(tips[7], {{80, 18}, {0, 6}, {80, 6}, {0, 6}, {80, 18}}, 2, 20); // "K" in Morse
}

RadioInfoRecord Identification() {
    RadioInfoRecord info;
    info.AreaCode = "EU";
    info.BatchNo = MakeFixStr<8>("05-1-E-1");
    info.CustomerCode = MakeFixStr<4>("001A");
    info.SerialNo = MakeFixStr<16>("KV2405-0117");
    info.FactoryDate = MakeFixStr<16>("2024-05-14");
    info.RepairDate = MakeFixStr<16>("2025-02-03");
    info.RepairReason = MakeFixStr<96>("Microphone socket replaced");
    info.DealerCode = MakeFixStr<16>("NORDFUNK 042");
    info.StockInDate = MakeFixStr<16>("2024-06-03");
    info.SaleDate = MakeFixStr<16>("2024-06-21");
    info.Handler = MakeFixStr<16>("M. HOLT");
    return info;
}

} // namespace

std::vector<std::uint8_t> BuildDemoSample() {
    auto doc = std::make_unique<Document>();
    InitDocValues(*doc, 5);
    AddChannels(*doc);
    SetGroups(doc->Doc);
    SetOptions(doc->Doc);
    SetToneTips(doc->Doc.ToneTips);

    RadioImage image;
    image.bytes.fill(0xFF); // erased memory where the program writes nothing
    if (!BuildImage(*doc, image).Ok())
        throw std::logic_error("demo sample: a channel the radio cannot hold");
    RadioInfoBlock info;
    info.bytes.fill(0xFF);
    EncodeRadioInfo(Identification(), info);

    std::vector<std::uint8_t> bytes(RadioImage::Size + RadioInfoBlock::Size);
    const auto infoAt = std::copy(image.bytes.begin(), image.bytes.end(), bytes.begin());
    std::copy(info.bytes.begin(), info.bytes.end(), infoAt);
    return bytes;
}

} // namespace velmar
