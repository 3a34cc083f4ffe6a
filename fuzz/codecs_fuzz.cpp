// The frequency and offset codecs on arbitrary text: whatever is typed, the
// stored frequency is 8 digits or empty, the stored offset 7 digits, and a
// checked frequency is a "#0.00000" text inside the band.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "channels/frequency_codec.h"
#include "channels/offset_codec.h"
#include "fuzz_support.h"
#include "model/band_table.h"
#include "shell/numbers.h"

namespace velmar {
namespace {

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "#0.00000": at least one integer digit, a point, five decimals.
bool IsShownFrequency(std::string_view text) {
    const auto point = text.find('.');
    return point != std::string_view::npos && point >= 1 && AllDigits(text.substr(0, point)) &&
           text.size() - point - 1 == 5 && AllDigits(text.substr(point + 1));
}

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

void CheckStoredFrequency(std::string_view entered, double bandLow) {
    const std::string stored = FreShowToStore(entered, bandLow);
    if (IsBlank(entered))
        FUZZ_CHECK(stored.empty());
    else
        FUZZ_CHECK(stored.size() == 8 && AllDigits(stored));
}

void CheckCheckedFrequency(std::string_view entered, int group, const FreContext& fre) {
    const std::string checked = FreCheckText(entered, group, fre);
    FUZZ_CHECK(IsShownFrequency(checked));
    const double value = Number(checked);
    FUZZ_CHECK(value >= fre.BandLow - 1e-9 && value <= fre.BandHigh + 1e-9);
    // A checked frequency passes the check unchanged.
    FUZZ_CHECK(FreCheckText(checked, group, fre) == checked);
    CheckStoredFrequency(checked, fre.BandLow);
}

void CheckOffset(std::string_view storedRx, std::string_view entered, bool offsetEntry,
                 std::string_view storedOffset, const FreContext& fre) {
    std::uint8_t dir = 0xEE;
    const std::string offset =
        OffsetShowToStore(storedRx, entered, offsetEntry, storedOffset, dir, fre);
    FUZZ_CHECK(offset.size() == 7 && AllDigits(offset));
    FUZZ_CHECK(dir == kShiftNone || dir == kShiftMinus || dir == kShiftPlus);
    (void)TxFreShow(storedRx, offset, dir, false, fre);
    (void)TxFreShowChecked(storedRx, offset, dir, true, fre);
}

} // namespace
} // namespace velmar

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmar;
    FuzzedDataProvider in(data, size);
    const auto& band = BandTable[in.ConsumeIntegralInRange<std::size_t>(0, BandTable.size() - 1)];
    const BandLimits limits = ParseBandLimits(band.Text);
    const int group = in.ConsumeIntegralInRange(0, 13);
    const bool offsetEntry = in.ConsumeBool();
    const std::string storedRx = in.ConsumeBytesAsString(8);
    const std::string storedOffset = in.ConsumeBytesAsString(7);
    const std::string entered = in.ConsumeRemainingBytesAsString();

    const fuzz::NumberedTexts texts;
    fuzz::CountingSink messages;
    const FreContext fre{limits.Low, limits.High, messages, texts};

    CheckStoredFrequency(entered, fre.BandLow);
    CheckCheckedFrequency(entered, group, fre);
    CheckOffset(storedRx, entered, offsetEntry, storedOffset, fre);
    // A damaged stored field shows as the band's lower edge.
    const std::string shown = FreStoreToShow(storedRx, fre);
    FUZZ_CHECK(shown.empty() || IsShownFrequency(shown) || shown == NumberText(fre.BandLow));
    return 0;
}
