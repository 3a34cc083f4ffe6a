#include "factory/factory_image.h"

#include "model/fixed_text.h"

#include <algorithm>
#include <span>

namespace velmar {
namespace {

// The bytes of a field, in whichever block holds its address (a FactoryImage
// or a const one); empty when the field does not lie wholly inside.
template <class Image> auto FieldRange(Image& image, std::uint16_t address, std::size_t width) {
    return address >= FactoryBlockMemory::FirstAddress ? image.FactoryBlock.Range(address, width)
                                                       : image.ModelBlock.Range(address, width);
}

// The two single-byte fields lie inside their blocks.
static_assert(ModelBlockMemory::Holds(BandCodeAddress) &&
              FactoryBlockMemory::Holds(FactoryModeAddress));

} // namespace

bool PutImageText(FactoryImage& image, std::uint16_t address, std::string_view text,
                  std::size_t width) {
    auto field = FieldRange(image, address, width);
    if (field.size() != width || width == 0)
        return false;
    const std::string trimmed = TrimFixStr(text);
    const std::size_t length = std::min(trimmed.size(), width);
    std::copy_n(trimmed.begin(), length, field.begin());
    std::fill(field.begin() + static_cast<std::ptrdiff_t>(length), field.end(), std::uint8_t{0});
    return true;
}

std::string ImageText(const FactoryImage& image, std::uint16_t address, std::size_t width) {
    const auto field = FieldRange(image, address, width);
    const auto end = std::find_if(field.begin(), field.end(),
                                  [](std::uint8_t b) { return b == 0x00 || b == 0xFF; });
    return std::string(field.begin(), end);
}

void FactoryDataToImage(const FactoryInfo& info, FactoryImage& image) {
    PutImageText(image, RadioTypeAddress, info.RadioType, RadioTypeWidth);
    image.ModelBlock.Range(BandCodeAddress, 1)[0] = static_cast<std::uint8_t>(info.BandCode & 0xFF);
    for (const FactoryTextField& field : FactoryTextFields)
        if (field.Address != 0)
            PutImageText(image, field.Address, info.*field.Text, field.Width);
    image.FactoryBlock.Range(FactoryModeAddress, 1)[0] = info.FactoryMode ? 1 : 0;
}

void ImageToFactoryData(const FactoryImage& image, FactoryInfo& info) {
    info.RadioType = ImageText(image, RadioTypeAddress, RadioTypeWidth);
    info.BandCode = image.ModelBlock.Range(BandCodeAddress, 1)[0];
    for (const FactoryTextField& field : FactoryTextFields)
        if (field.Address != 0)
            info.*field.Text = ImageText(image, field.Address, field.Width);
    info.FactoryMode = (image.FactoryBlock.Range(FactoryModeAddress, 1)[0] & 0x01) != 0;
}

} // namespace velmar
