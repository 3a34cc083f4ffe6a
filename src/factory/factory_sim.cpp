#include "factory/factory_sim.h"

namespace velmar {
namespace {

std::span<const std::uint8_t> ModelBlockOf(const FactoryImage& image) {
    return image.ModelBlock.Range(ModelBlockMemory::FirstAddress, ModelBlockMemory::Size);
}

std::span<const std::uint8_t> FactoryBlockOf(const FactoryImage& image) {
    return image.FactoryBlock.Range(FactoryBlockMemory::FirstAddress, FactoryBlockMemory::Size);
}

} // namespace

RadioSimConfig FactoryRadioConfig(bool echo, std::string_view keyword) {
    RadioSimConfig config;
    config.Echo = echo;
    config.FactoryHandshake = std::string(keyword);
    return config;
}

void LoadFactoryImage(RadioSim& radio, const FactoryImage& image) {
    radio.Memory.Store(ModelBlockMemory::FirstAddress, ModelBlockOf(image));
    radio.InfoBlock.Store(FactoryBlockMemory::FirstAddress, FactoryBlockOf(image));
}

FactoryImage FactoryImageOf(const RadioSim& radio) {
    FactoryImage image;
    image.ModelBlock.Store(
        ModelBlockMemory::FirstAddress,
        radio.Memory.Range(ModelBlockMemory::FirstAddress, ModelBlockMemory::Size));
    image.FactoryBlock.Store(
        FactoryBlockMemory::FirstAddress,
        radio.InfoBlock.Range(FactoryBlockMemory::FirstAddress, FactoryBlockMemory::Size));
    return image;
}

} // namespace velmar
