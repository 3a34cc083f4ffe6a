#pragma once
// Comparison of two memory images, as after a write the radio's memory is
// compared with what was sent: how many of the 704 blocks differ, which
// channels differ in which field, and which other areas of the memory differ.
#include "link/radio_image.h"
#include "shell/text_lookup.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velmar {

// Field of a channel difference: a field code of the channel record
// (ChField::RxFre, RxTone, AmFm ...; ScanSkip for the scan list), or one of these.
inline constexpr int kFieldInUse = 0;             // the list of used channels
inline constexpr int kFieldOtherRecordBytes = -1; // record bytes that carry no field

struct ChannelDifference {
    int ChNo = 0;
    int Field = kFieldInUse;
    std::string Expected; // the value in each image as text: MHz, tone names, numbers
    std::string Actual;
    friend bool operator==(const ChannelDifference&, const ChannelDifference&) = default;
};

// An area outside the channel records (its whole address range).
struct AreaDifference {
    int NameTextId = 0;
    std::uint16_t First = 0;
    std::uint16_t Last = 0;
    friend bool operator==(const AreaDifference&, const AreaDifference&) = default;
};

struct ImageComparison {
    int DifferingBlocks = 0;
    std::vector<ChannelDifference> Channels; // by channel number, then field
    std::vector<AreaDifference> Areas;       // by address
    bool Equal() const { return DifferingBlocks == 0; }
};

// Compares the memory as `expected` holds it with `actual`, both over radio
// addresses 0x0000 … 0x2BFF. A channel differs in use or in the scan list as
// the read of either image would show it, and in each field its record
// carries; record bytes that differ in no field count as other bytes. The
// lists of used and scanned channels are named as areas only when no channel
// accounts for their difference.
ImageComparison CompareImages(const RadioImage& expected, const RadioImage& actual);

inline constexpr int kTextExpected = 32101;        // "expected"
inline constexpr int kTextInTheRadio = 32102;      // "in the radio"
inline constexpr int kTextDifferingBlocks = 32103; // "blocks differ:"
inline constexpr int kTextImagesEqual = 32104;     // the memory equals what was expected

// One line per difference: "Channel 12: RX Frequency: expected 27.61000, in
// the radio 27.62000"; an area by its name and address range.
std::vector<std::string> DifferenceLines(const ImageComparison& comparison,
                                         const TextLookup& texts);

// The name of a channel field as the detail editor captions it.
std::string ChannelFieldName(int field, const TextLookup& texts);

// "N blocks differ: N of 704", or the text that all are equal.
std::string ComparisonSummary(const ImageComparison& comparison, const TextLookup& texts);

inline constexpr int kTextDifferingChannels = 9137; // "Channels that differ:"
inline constexpr int kTextDifferingAreas = 9138;    // "Other memory that differs:"

// The numbers of the channels that differ in anything, ascending, each once.
std::vector<int> DifferingChannels(const ImageComparison& comparison);

// The result in a few lines, as one message: the summary, then the channels
// that differ ("Channels that differ: 1, 12") and the names of the other
// areas that do, each line only when there is something to name.
std::string ComparisonBrief(const ImageComparison& comparison, const TextLookup& texts);

} // namespace velmar
