#pragma once
// The rules of the tone-tips editor, free of any widget: what its lists
// offer, what a choice stores and when it is refused, the bar chart of a tip
// in numbers, and the order in which a tip plays.
#include <optional>
#include <string>
#include <vector>

#include "model/doc_record.h"
#include "shell/text_lookup.h"

namespace velmar {

inline constexpr int kToneTipCount = 8;  // tips 1 … 8
inline constexpr int kToneTipItems = 14; // items 1 … 14 of a tip
inline constexpr int kMaxRepeat = 10;
inline constexpr int kMaxTipByte = 255;    // tone, length and interval each travel as one byte
inline constexpr int kFirstToneValue = 40; // 400 Hz, the lowest tone the tone lists offer

// Repeat list: text 29200 (off), then "1" … "10"; index = value.
std::vector<std::string> RepeatEntries(const TextLookup& texts);
// Interval and length lists: "0", "10" … "2550" (value × 10 ms); index = value.
std::vector<std::string> TenfoldEntries();
// Tone list of an item: text 29201 (silence), then "400" … "2550" (values 40 … 255).
std::vector<std::string> ToneEntries(const TextLookup& texts);

// The tone list entry that shows a stored tone: silence for 0 and for any
// value the list does not offer.
int ToneShownIndex(int tone);
// The tone value a tone list entry stores.
int ToneOfShownIndex(int index);

// Tip `tip` (1 … 8) of the document; tips outside that range are refused by
// the setters below.
const ToneTip& TipAt(const DocRecord& doc, int tip);

// Changes of one value of a tip, each stored at once. A value outside its
// list is refused. While `tip` is the only valid tip, a repeat or length of 0
// is refused, so that every roger-beep reference keeps a tip to name. Each
// returns whether the value was stored; after a stored repeat or length the
// caller repairs the references (CheckToneTipRefs).
bool SetTipRepeat(DocRecord& doc, int tip, int value);
bool SetTipInterval(DocRecord& doc, int tip, int value);
bool SetTipTone(DocRecord& doc, int tip, int item, int value);
bool SetTipLength(DocRecord& doc, int tip, int item, int value);

// One bar of the chart, in the drawing area's units: its left edge, its top,
// width and height; odd items red, even items blue.
struct ToneBar {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool Red = true;
    friend bool operator==(const ToneBar&, const ToneBar&) = default;
};

// The bars of a tip in an area of `width` × `height` units: between margins
// of 50, each used item as wide as its share of the total length and as high
// as its tone in 256ths of the height (less 100). No bars when the tip has no
// length.
std::vector<ToneBar> ToneTipBars(const ToneTip& tip, int width, int height);

// The sum of the item lengths in ms.
int TipTotalMs(const ToneTip& tip);

// One step of a play: a tone of `Hz` (0: silence) for `Ms` milliseconds.
struct ToneStep {
    int Hz = 0;
    int Ms = 0;
    int Item = 0; // 1 … 14; 0 for the pause after a play
    friend bool operator==(const ToneStep&, const ToneStep&) = default;
};

// The steps of one play of a tip, in order. Repeat and interval are taken
// when the play starts; each item is read when its turn comes, so a change
// made while playing is heard from the next item on. An item of 4 ms or less
// is skipped; a tone of 48 Hz or less is a silence; after the 14 items comes
// the interval pause. Stop ends the play before its next item.
class TonePlayback {
public:
    TonePlayback(const DocRecord& doc, int tip);

    // Whether the tip plays at all: its total length is above 4 ms.
    bool Playable() const { return playable_; }
    // The next step; nothing when the play is over.
    std::optional<ToneStep> Next();
    void Stop() { stopped_ = true; }

private:
    const DocRecord& doc_;
    int tip_;
    int repeat_;
    int intervalMs_;
    bool playable_;
    bool stopped_ = false;
    int pass_ = 0;
    int item_ = 0; // next item, 0 … 13; 14 = the interval pause is next
};

} // namespace velmar
