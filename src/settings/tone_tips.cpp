#include "settings/tone_tips.h"

#include <algorithm>
#include <cmath>

#include "channels/tone_tip_refs.h"
#include "settings/setting_lists.h"

namespace velmar {

namespace {

constexpr int kTextRepeatOff = 29200;
constexpr int kTextSilence = 29201;
constexpr int kTenMs = 10;
constexpr int kShortestMs = 4;   // items this short are not played
constexpr int kLowestHz = 48;    // tones this low are played as silence
constexpr int kChartMargin = 50; // around the bars, in the area's units
constexpr int kToneScale = 256;  // a tone of 256 would reach the top margin

bool IsTip(int tip) {
    return tip >= 1 && tip <= kToneTipCount;
}

bool IsItem(int item) {
    return item >= 1 && item <= kToneTipItems;
}

ToneTip& TipOf(DocRecord& doc, int tip) {
    return doc.ToneTips[tip - 1];
}

// Stores `value` into `field`, the repeat or a length of `tip`, unless it is
// 0 while `tip` is the only valid tip: that tip keeps its repeat and all its
// lengths, so that every roger-beep reference keeps a tip to name.
bool StoreKeepingTheOnlyTip(DocRecord& doc, int tip, std::int16_t& field, int value) {
    if (value == 0 && CountToneTips(doc) == 1 && IsToneTipValid(doc, tip))
        return false;
    field = static_cast<std::int16_t>(value);
    return true;
}

long Rounded(double x) {
    return std::lround(x);
}

} // namespace

std::vector<std::string> RepeatEntries(const TextLookup& texts) {
    std::vector<std::string> entries{texts.GetText(kTextRepeatOff)};
    for (const std::string& n : NumberEntries(1, kMaxRepeat))
        entries.push_back(n);
    return entries;
}

std::vector<std::string> TenfoldEntries() {
    return NumberEntries(0, kMaxTipByte * kTenMs, kTenMs);
}

std::vector<std::string> ToneEntries(const TextLookup& texts) {
    std::vector<std::string> entries{texts.GetText(kTextSilence)};
    for (const std::string& hz :
         NumberEntries(kFirstToneValue * kTenMs, kMaxTipByte * kTenMs, kTenMs))
        entries.push_back(hz);
    return entries;
}

int ToneShownIndex(int tone) {
    return tone >= kFirstToneValue && tone <= kMaxTipByte ? tone - kFirstToneValue + 1 : 0;
}

int ToneOfShownIndex(int index) {
    return index >= 1 && index <= kMaxTipByte - kFirstToneValue + 1 ? index + kFirstToneValue - 1
                                                                    : 0;
}

const ToneTip& TipAt(const DocRecord& doc, int tip) {
    return doc.ToneTips[IsTip(tip) ? tip - 1 : 0];
}

bool SetTipRepeat(DocRecord& doc, int tip, int value) {
    if (!IsTip(tip) || value < 0 || value > kMaxRepeat)
        return false;
    return StoreKeepingTheOnlyTip(doc, tip, TipOf(doc, tip).Repeat, value);
}

bool SetTipInterval(DocRecord& doc, int tip, int value) {
    if (!IsTip(tip) || value < 0 || value > kMaxTipByte)
        return false;
    TipOf(doc, tip).Interval = static_cast<std::int16_t>(value);
    return true;
}

bool SetTipTone(DocRecord& doc, int tip, int item, int value) {
    const bool offered = value == 0 || (value >= kFirstToneValue && value <= kMaxTipByte);
    if (!IsTip(tip) || !IsItem(item) || !offered)
        return false;
    TipOf(doc, tip).Items[item - 1].Tone = static_cast<std::int16_t>(value);
    return true;
}

bool SetTipLength(DocRecord& doc, int tip, int item, int value) {
    if (!IsTip(tip) || !IsItem(item) || value < 0 || value > kMaxTipByte)
        return false;
    return StoreKeepingTheOnlyTip(doc, tip, TipOf(doc, tip).Items[item - 1].Length, value);
}

std::vector<ToneBar> ToneTipBars(const ToneTip& tip, int width, int height) {
    const int w = width - 2 * kChartMargin;
    const int h = height - 2 * kChartMargin;
    long total = 0;
    for (const ToneItem& item : tip.Items)
        total += item.Length > 0 ? item.Length : 0;
    std::vector<ToneBar> bars;
    if (total < 1)
        return bars;
    long x = kChartMargin;
    const int bottom = height - kChartMargin;
    for (int k = 1; k <= kToneTipItems; ++k) {
        const ToneItem& item = tip.Items[k - 1];
        if (item.Length <= 0)
            continue;
        const long d = Rounded(static_cast<double>(item.Length) * w / total);
        const int tone = std::clamp<int>(item.Tone, 0, kToneScale);
        const long b = Rounded(static_cast<double>(tone) * h / kToneScale);
        bars.push_back({static_cast<int>(x), static_cast<int>(bottom - b), static_cast<int>(d),
                        static_cast<int>(b), k % 2 == 1});
        x += d;
    }
    return bars;
}

int TipTotalMs(const ToneTip& tip) {
    int total = 0;
    for (const ToneItem& item : tip.Items)
        total += item.Length > 0 ? item.Length * kTenMs : 0;
    return total;
}

TonePlayback::TonePlayback(const DocRecord& doc, int tip)
    : doc_(doc), tip_(tip), repeat_(TipAt(doc, tip).Repeat),
      intervalMs_(TipAt(doc, tip).Interval * kTenMs),
      playable_(IsTip(tip) && TipTotalMs(TipAt(doc, tip)) > kShortestMs) {}

std::optional<ToneStep> TonePlayback::Next() {
    if (!playable_)
        return std::nullopt;
    while (pass_ < repeat_) {
        while (item_ < kToneTipItems) {
            const ToneItem& item = TipAt(doc_, tip_).Items[item_];
            const int number = ++item_;
            const int ms = item.Length * kTenMs;
            if (ms <= kShortestMs)
                continue;
            if (stopped_)
                return std::nullopt;
            const int hz = item.Tone * kTenMs;
            return ToneStep{hz > kLowestHz ? hz : 0, ms, number};
        }
        ++pass_;
        item_ = 0;
        if (intervalMs_ > 0)
            return ToneStep{0, intervalMs_, 0};
    }
    return std::nullopt;
}

} // namespace velmar
