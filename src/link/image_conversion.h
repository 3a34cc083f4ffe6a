#pragma once
// Conversion between the document and the radio's memory image: BuildImage
// before a write, ParseImage after a read, DecodeRadioInfo after a read of the
// identification block.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "link/radio_image.h"
#include "model/document.h"
#include "model/radio_info.h"

namespace velmar {

// Why a document cannot be written into the image.
enum class ImageBuildFault {
    None,
    ChannelNumber, // a used channel record has a number outside 1 … 529
    Frequency,     // a receive frequency is not digits, or lies at or above 327.675 MHz
};

struct ImageBuildResult {
    ImageBuildFault Fault = ImageBuildFault::None;
    int ChNo = 0; // the channel at fault
    bool Ok() const { return Fault == ImageBuildFault::None; }
};

// Writes the document into the areas of the image that the program knows and
// clears the areas it owns first (channel records and the settings area to
// 0xFF, the used and scan bitmaps to 0x00); every other byte keeps what the
// last read put there. The record of a channel without a frequency stays
// erased (0xFF in all 16 bytes). Recomputes ChEmpty of every used channel and
// sets ModelInfo of Doc from ModelName and BandText, whose model name, band
// code and "V102" go into the identification bytes. Every value is written in
// the form that reading gives back, so that an image built, parsed and built
// again is the same byte for byte: values wider than their place are clamped
// (a choice to the last entry of its list), yes/no values are written as 0
// or 1, texts end at their first NUL or 0xFF without trailing blanks. A used
// channel that the radio cannot hold (see ImageBuildFault) refuses the whole
// build: the image and the document are then left as they were.
ImageBuildResult BuildImage(Document& doc, RadioImage& image);

// Turns the image into the working document: the channel list (every used
// channel of groups 0 … 12, and always the VFO and the eight memory channels,
// in channel-number order), the settings the image carries, the model name
// and band (ModelName, BandText, the band limits, ModelInfo and the band code
// of RadioInfo). Fields the image does not carry keep their values; the
// snapshot is not touched. Any byte content gives a sound document: a record
// without frequency (0xFFFF) gives an ordinary slot no channel and leaves the
// VFO or a memory channel without frequency ("FFFFFFFF", ChEmpty 1, not
// scanned); tone codes and choices outside their lists read as 0.
void ParseImage(const RadioImage& image, Document& doc);

// Fills the fields of `info` that the identification block carries, read
// where the factory tool writes them (link/info_block_layout.h): area code,
// manufacture code (the batch), user code (the customer code), serial number,
// produced and maintained dates, the maintained description (the repair
// reason) and the dealer texts. BandCode, Reserved, VersionText and ModelText
// keep their values.
void DecodeRadioInfo(const RadioInfoBlock& block, RadioInfoRecord& info);

// The inverse, as a radio fresh from the factory holds them: each of those
// texts (without trailing blanks, cut at its first NUL) at its place, the rest
// of its place 0x00; every other byte of the block (the radio password at
// 0x303C … 0x303F among them) keeps its value.
void EncodeRadioInfo(const RadioInfoRecord& info, RadioInfoBlock& block);

// Radio address of the record of channel chNo (1 … 529): 30 records of 16
// bytes per 512-byte page, from page offset 0x010. Channel 1 is at 0x0010,
// 31 at 0x0210, 529 at 0x2330.
std::uint16_t ChannelAddress(int chNo);

// A stored frequency as `width` digits, the leading ones: the empty text and
// "FFFFFFFF" give `width` "F"s; otherwise the text cut at its first NUL and
// without trailing blanks, a "0" appended when its length is odd, "0"s put in
// front up to `width` characters, then cut to the first `width` characters.
// FreqPad("02761125", 6) is "027611" (kHz).
std::string FreqPad(std::string_view text, std::size_t width);

// `number` in upper-case hexadecimal, "0"s in front up to `width` characters,
// or cut to its first `width` characters when longer.
std::string HexPad(std::uint32_t number, std::size_t width);

// The text of image bytes: everything before the first 0x00 or 0xFF.
std::string ImageText(std::span<const std::uint8_t> bytes);

} // namespace velmar
