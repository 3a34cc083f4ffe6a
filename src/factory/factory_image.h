#pragma once
// The two pieces of the radio's memory that hold the factory information, and
// the conversion between them and FactoryInfo.
#include "factory/factory_info.h"
#include "link/radio_image.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace velmar {

// Model text and band code; read from the radio, never written to it.
using ModelBlockMemory = RadioMemory<0x29E0, 16>;
// Factory mode, codes, password, serial number, dates and dealer data.
using FactoryBlockMemory = RadioMemory<0x3010, 240>;

// Bytes the conversion does not interpret keep what the last read brought
// (zero at start).
struct FactoryImage {
    ModelBlockMemory ModelBlock;
    FactoryBlockMemory FactoryBlock;
};

// Writes exactly `width` bytes from `address`: the text (blanks at its end and
// everything from a NUL on dropped, cut to `width`) and then 0x00. Addresses
// from 0x3010 on lie in FactoryBlock, lower ones in ModelBlock. False, and
// nothing written, when the range does not lie inside its block.
bool PutImageText(FactoryImage& image, std::uint16_t address, std::string_view text,
                  std::size_t width);

// The text of a field: its bytes up to the first 0x00 or 0xFF (erased memory)
// or `width`; empty when the range does not lie inside its block.
std::string ImageText(const FactoryImage& image, std::uint16_t address, std::size_t width);

// FactoryInfo into both blocks (the firmware version and the option flags are
// not kept in the radio).
void FactoryDataToImage(const FactoryInfo& info, FactoryImage& image);

// Both blocks into FactoryInfo; the firmware version and the option flags
// keep their values.
void ImageToFactoryData(const FactoryImage& image, FactoryInfo& info);

} // namespace velmar
