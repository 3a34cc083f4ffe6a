#include "link/image_settings.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "link/image_channel.h"
#include "link/image_conversion.h"

namespace velmar {
namespace {

// How a 16-bit document word sits in one image byte.
enum class ByteForm {
    Plain,    // the value itself
    Per15,    // the value divided by 15 (seconds in steps of 15)
    Position, // channel position 1 … n stored as position − 1; 0 (none) as 0xFF
    Flag,     // read back: any non-zero byte is 1
};

std::uint8_t EncodeByte(int value, ByteForm form) {
    switch (form) {
    case ByteForm::Per15:
        return static_cast<std::uint8_t>(std::clamp(value / 15, 0, 255));
    case ByteForm::Position:
        return value <= 0 ? 0xFF : static_cast<std::uint8_t>(std::min(value, 255) - 1);
    case ByteForm::Flag:
        return value > 0 ? 1 : 0; // as it reads back
    case ByteForm::Plain:
        break;
    }
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

std::int16_t DecodeByte(std::uint8_t byte, ByteForm form) {
    switch (form) {
    case ByteForm::Per15:
        return static_cast<std::int16_t>(byte * 15);
    case ByteForm::Position:
        return static_cast<std::int16_t>(byte == 0xFF ? 0 : byte + 1);
    case ByteForm::Flag:
        return byte != 0 ? 1 : 0;
    case ByteForm::Plain:
        break;
    }
    return byte;
}

// Hands every document word that the image keeps in one byte to
// visit(address, word, form), for writing and reading alike.
template <class Record, class Visit> void ForEachWordByte(Record& doc, Visit&& visit) {
    auto& opt = doc.OptFeatures;
    struct OptionByte {
        std::uint16_t address;
        std::size_t word;
        ByteForm form;
    };
    constexpr OptionByte optionBytes[] = {
        {0x28B0, 2, ByteForm::Plain},  {0x28B1, 3, ByteForm::Per15}, {0x28B2, 7, ByteForm::Plain},
        {0x28B3, 8, ByteForm::Plain},  {0x28B4, 9, ByteForm::Plain}, {0x28B5, 11, ByteForm::Plain},
        {0x28B6, 10, ByteForm::Plain}, {0x28B7, 1, ByteForm::Plain}, {0x28B8, 0, ByteForm::Plain},
    };
    for (const OptionByte& b : optionBytes)
        visit(b.address, opt.Words[b.word], b.form);

    // Reset modes: words 13 … 18 alternate group and channel position.
    for (std::size_t k = 0; k < 6; ++k)
        visit(0x2900 + k, opt.Words[13 + k], k % 2 == 1 ? ByteForm::Position : ByteForm::Plain);

    // Emergency channels: the first of every group, then the second.
    for (std::size_t i = 0; i < opt.EmgCh.size(); ++i) {
        const std::size_t slot = i / 2 + 13 * (i % 2);
        visit(0x2908 + slot, opt.EmgCh[i], ByteForm::Position);
        visit(0x2928 + slot, opt.EmgChMode[i], ByteForm::Flag);
    }

    // Tone tips, 32 bytes each: the 14 tones, the 14 lengths, repeat, interval.
    for (std::size_t k = 0; k < doc.ToneTips.size(); ++k) {
        auto& tip = doc.ToneTips[k];
        const std::size_t base = 0x2A10 + 32 * k;
        for (std::size_t j = 0; j < tip.Items.size(); ++j) {
            visit(base + j, tip.Items[j].Tone, ByteForm::Plain);
            visit(base + 14 + j, tip.Items[j].Length, ByteForm::Plain);
        }
        visit(base + 28, tip.Repeat, ByteForm::Plain);
        visit(base + 29, tip.Interval, ByteForm::Plain);
    }
}

constexpr std::uint16_t kExtOption = 0x28B9;
constexpr std::uint16_t kOptChannelSettings = 0x28D4; // record bytes 4 … 12
constexpr std::uint16_t kEmbMsg = 0x29A0;             // 4 lines of 16 bytes
constexpr std::uint16_t kModelName = 0x29E0;          // 7 bytes, 0x00 after the name
constexpr std::uint16_t kBandCode = 0x29E7;
constexpr std::uint16_t kVersionTag = 0x29E8; // 4 bytes
constexpr std::size_t kEmbMsgLine = 16;
constexpr std::uint16_t kGroupNames = 0x2B10; // 13 slots of 8 bytes, 6 used
constexpr std::size_t kGroupNameSlot = 8;
constexpr std::size_t kGroupNameLength = 6;
constexpr std::uint16_t kResetFlags = 0x2B80; // one bit per group 0 … 13

// The part of a text that reads back from the image as it was written: up to
// its first NUL or 0xFF, without trailing blanks.
template <std::size_t N> std::string ImageForm(const FixStr<N>& field) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(field.data());
    return TrimFixStr(ImageText(std::span(bytes, N)));
}

// `text` (at most `length` bytes) followed by `fill` up to `length` bytes.
void WriteText(std::string_view text, std::uint8_t fill, std::span<std::uint8_t> target) {
    std::fill(target.begin(), target.end(), fill);
    std::copy_n(text.begin(), std::min(text.size(), target.size()), target.begin());
}

// A text as the editors store it: its characters, a NUL when it is shorter
// than the field, then blanks.
template <std::size_t N> FixStr<N> StoredText(std::string_view text) {
    FixStr<N> field = MakeFixStr<N>(text);
    if (text.size() < N)
        field[text.size()] = '\0';
    return field;
}

} // namespace

void WriteSettingsAreas(const DocRecord& doc, RadioImage& image) {
    const std::span<std::uint8_t> bytes = image.Range(0, RadioImage::Size);
    WriteText(ImageForm(doc.ModelInfo.Name), 0x00, image.Range(kModelName, 7));
    bytes[kBandCode] = EncodeByte(doc.ModelInfo.BandCode, ByteForm::Plain);
    WriteText("V102", 0x00, image.Range(kVersionTag, 4));

    ForEachWordByte(doc, [&](std::size_t address, std::int16_t word, ByteForm form) {
        bytes[address] = EncodeByte(word, form);
    });
    bytes[kExtOption] = EncodeByte(doc.ExtOption, ByteForm::Flag);
    WriteChannelSettings(doc.OptFeatures.OptChannel,
                         bytes.subspan<kOptChannelSettings, kChannelSettingsSize>());

    for (std::size_t line = 0; line < doc.EmbMsg.size(); ++line)
        WriteText(ImageForm(doc.EmbMsg[line]), 0x00,
                  image.Range(kEmbMsg + kEmbMsgLine * line, kEmbMsgLine));
    for (std::size_t g = 0; g < doc.GroupNames.size(); ++g)
        WriteText(ImageForm(doc.GroupNames[g]), ' ',
                  image.Range(kGroupNames + kGroupNameSlot * g, kGroupNameLength));

    image.Fill(kResetFlags, kResetFlags + 1, 0x00);
    for (std::size_t i = 0; i < doc.ResetFlags.size(); ++i)
        if (doc.ResetFlags[i] != 0)
            bytes[kResetFlags + i / 8] |= static_cast<std::uint8_t>(1 << (i % 8));
}

void ReadSettingsAreas(const RadioImage& image, DocRecord& doc) {
    const std::span<const std::uint8_t> bytes = image.Range(0, RadioImage::Size);
    doc.ModelInfo.Name = MakeFixStr<7>(TrimFixStr(ImageText(image.Range(kModelName, 7))));
    doc.ModelInfo.BandCode = bytes[kBandCode];

    ForEachWordByte(doc, [&](std::size_t address, std::int16_t& word, ByteForm form) {
        word = DecodeByte(bytes[address], form);
    });
    doc.ExtOption = static_cast<std::uint8_t>(DecodeByte(bytes[kExtOption], ByteForm::Flag));
    ReadChannelSettings(bytes.subspan<kOptChannelSettings, kChannelSettingsSize>(),
                        doc.OptFeatures.OptChannel);

    for (std::size_t line = 0; line < doc.EmbMsg.size(); ++line)
        doc.EmbMsg[line] = StoredText<kEmbMsgLine>(
            TrimFixStr(ImageText(image.Range(kEmbMsg + kEmbMsgLine * line, kEmbMsgLine))));
    for (std::size_t g = 0; g < doc.GroupNames.size(); ++g)
        doc.GroupNames[g] = StoredText<kGroupNameLength>(
            TrimFixStr(ImageText(image.Range(kGroupNames + kGroupNameSlot * g, kGroupNameLength))));

    for (std::size_t i = 0; i < doc.ResetFlags.size(); ++i)
        doc.ResetFlags[i] = (bytes[kResetFlags + i / 8] >> (i % 8)) & 1;
}

} // namespace velmar
