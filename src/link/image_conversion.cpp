#include "link/image_conversion.h"

#include <algorithm>
#include <array>

#include "link/image_channel.h"
#include "link/image_settings.h"
#include "model/band_table.h"

namespace velmar {
namespace {

constexpr int kLastGroupChNo = 520; // groups 0 … 12 hold channels 1 … 520
constexpr int kVfoChNo = 521;       // then the VFO and the memory channels 522 … 529

constexpr std::uint16_t kUsedMap = 0x2810; // bit per channel 1 … 520
constexpr std::uint16_t kUsedMapEnd = 0x2851;
constexpr std::uint16_t kScanMap = 0x2860; // channels 1 … 520, then 522 … 529
constexpr std::uint16_t kScanMapEnd = 0x28A2;
constexpr std::uint16_t kChannelAreaEnd = 0x23FF;
constexpr std::uint16_t kSettingsArea = 0x2900;
constexpr std::uint16_t kSettingsAreaEnd = 0x2BFF;

// Bit of channel n in the scan map; the used map counts the same way but
// ends at channel 520. The VFO has no bit.
int MapBitIndex(int chNo) {
    return chNo <= kLastGroupChNo ? chNo - 1 : chNo - 2;
}

void SetMapBit(RadioImage& image, std::uint16_t map, int bit) {
    image.Range(map + bit / 8, 1)[0] |= static_cast<std::uint8_t>(1 << (bit % 8));
}

bool MapBit(const RadioImage& image, std::uint16_t map, int bit) {
    return (image.Range(map + bit / 8, 1)[0] >> (bit % 8) & 1) != 0;
}

std::span<std::uint8_t, kChannelRecordSize> ChannelRecord(RadioImage& image, int chNo) {
    return image.Range(ChannelAddress(chNo), kChannelRecordSize).first<kChannelRecordSize>();
}

std::span<const std::uint8_t, kChannelRecordSize> ChannelRecord(const RadioImage& image, int chNo) {
    return image.Range(ChannelAddress(chNo), kChannelRecordSize).first<kChannelRecordSize>();
}

std::string_view FieldText(const FixStr<8>& field) {
    return std::string_view(field.data(), field.size());
}

} // namespace

ImageBuildResult BuildImage(Document& doc, RadioImage& image) {
    const int count = std::clamp<int>(doc.Doc.ChCount, 0, kMaxChannels);

    // Check every channel before anything is changed.
    std::array<RecordFrequency, kMaxChannels> frequencies;
    for (int i = 0; i < count; ++i) {
        const ChannelInfo& ch = doc.ChList[i];
        if (ch.ChNo < 1 || ch.ChNo > kMaxChannels)
            return {ImageBuildFault::ChannelNumber, ch.ChNo};
        const auto frequency = FrequencyToRecord(FieldText(ch.RxFre));
        if (!frequency)
            return {ImageBuildFault::Frequency, ch.ChNo};
        frequencies[i] = *frequency;
    }

    image.Fill(0x0000, kChannelAreaEnd, 0xFF);
    image.Fill(kUsedMap, kUsedMapEnd, 0x00);
    image.Fill(kScanMap, kScanMapEnd, 0x00);
    image.Fill(kSettingsArea, kSettingsAreaEnd, 0xFF);

    for (int i = 0; i < count; ++i) {
        ChannelInfo& ch = doc.ChList[i];
        const bool empty = frequencies[i] == kNoRecordFrequency;
        ch.ChEmpty = empty ? 1 : 0;
        if (!empty && ch.ChNo != kVfoChNo) {
            const int bit = MapBitIndex(ch.ChNo);
            if (ch.ChNo <= kLastGroupChNo)
                SetMapBit(image, kUsedMap, bit);
            if (ch.ScanSkip == 0)
                SetMapBit(image, kScanMap, bit);
        }
        // A channel without a frequency keeps its erased record, as the
        // radio holds it, so that reading and writing back changes nothing.
        if (!empty)
            WriteChannelRecord(ch, frequencies[i], ChannelRecord(image, ch.ChNo));
    }

    doc.Doc.ModelInfo.Name = MakeFixStr<7>(doc.ModelName);
    doc.Doc.ModelInfo.BandCode = static_cast<std::int16_t>(BandTextToCode(doc.BandText));
    WriteSettingsAreas(doc.Doc, image);
    return {};
}

void ParseImage(const RadioImage& image, Document& doc) {
    ChannelList channels{};
    int count = 0;
    for (int n = 1; n <= kMaxChannels; ++n) {
        const auto record = ChannelRecord(image, n);
        const RecordFrequency frequency = ReadRecordFrequency(record);
        const bool empty = frequency == kNoRecordFrequency;
        if (n <= kLastGroupChNo && (empty || !MapBit(image, kUsedMap, MapBitIndex(n))))
            continue; // a free slot, or an erased record behind a stray used bit

        ChannelInfo& ch = channels[count++];
        ch = NewChannelInfo(n);
        ch.ChEmpty = empty ? 1 : 0;
        ch.RxFre = RecordToFrequency(frequency);
        const bool scanned = n != kVfoChNo && !empty && MapBit(image, kScanMap, MapBitIndex(n));
        ch.ScanSkip = scanned ? 0 : 1;
        ReadChannelSettings(record.subspan<4, kChannelSettingsSize>(), ch);
    }

    DocRecord parsed = doc.Doc;
    parsed.ChCount = static_cast<std::int16_t>(count);
    ReadSettingsAreas(image, parsed);

    // Model and band follow the radio, as when a document file is opened.
    doc.Doc = parsed;
    doc.ChList = channels;
    doc.ModelName = TrimFixStr(parsed.ModelInfo.Name);
    doc.BandText = BandCodeToText(parsed.ModelInfo.BandCode);
    doc.RadioInfo.BandCode = parsed.ModelInfo.BandCode;
    const BandLimits limits = ParseBandLimits(doc.BandText);
    doc.BandLow = limits.Low;
    doc.BandHigh = limits.High;
}

std::uint16_t ChannelAddress(int chNo) {
    const int m = chNo - 1;
    return static_cast<std::uint16_t>((32 * (m / 30) + m % 30 + 1) * 16);
}

std::string FreqPad(std::string_view text, std::size_t width) {
    std::string digits = TrimFixStr(text);
    if (digits.empty() || digits == "FFFFFFFF")
        return std::string(width, 'F');
    if (digits.size() % 2 == 1)
        digits += '0';
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return digits.substr(0, width);
}

std::string HexPad(std::uint32_t number, std::size_t width) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string hex;
    do {
        hex.insert(hex.begin(), kHexDigits[number % 16]);
        number /= 16;
    } while (number != 0);
    if (hex.size() < width)
        hex.insert(0, width - hex.size(), '0');
    return hex.substr(0, width);
}

std::string ImageText(std::span<const std::uint8_t> bytes) {
    const auto end = std::find_if(bytes.begin(), bytes.end(),
                                  [](std::uint8_t b) { return b == 0x00 || b == 0xFF; });
    return std::string(bytes.begin(), end);
}

} // namespace velmar
