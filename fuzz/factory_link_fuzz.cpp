// The factory link engine against a simulated factory-mode radio whose
// replies the input delivers, splits, damages or drops, with time-outs and
// stray bytes in between. The engine asks only for the model block and the
// blocks of the factory block, writes only the factory block, always ends,
// and an undisturbed operation that succeeds has moved every block.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "factory/factory_exchange.h"
#include "factory/factory_sim.h"
#include "fuzz_support.h"
#include "link_script.h"

namespace velmar {
namespace {

template <class Memory> void FillPattern(Memory& memory, std::uint8_t seed) {
    for (std::size_t i = 0; i < memory.bytes.size(); ++i)
        memory.bytes[i] = static_cast<std::uint8_t>(seed + i * 11);
}

bool IsFactoryBlock(std::uint32_t address) {
    return FactoryBlockMemory::Holds(address, BlockSize) &&
           (address - FactoryBlockMemory::FirstAddress) % BlockSize == 0;
}

struct FrameRules {
    FactoryLinkType type;
    const FactoryImage& image;
    std::string keyword;

    void operator()(const Bytes& frame) const {
        if (frame == Bytes(keyword.begin(), keyword.end()) || frame == EndFrame())
            return;
        if (const auto address = ParseReadBlockFrame(frame)) {
            FUZZ_CHECK(type == FactoryLinkType::Read);
            FUZZ_CHECK(*address == ModelBlockMemory::FirstAddress || IsFactoryBlock(*address));
            return;
        }
        const auto block = ParseBlockFrame(frame);
        FUZZ_CHECK(block.has_value()); // no other frame exists
        FUZZ_CHECK(type == FactoryLinkType::Write && IsFactoryBlock(block->Address));
        const auto sent = image.FactoryBlock.Block(block->Address);
        FUZZ_CHECK(std::equal(sent.begin(), sent.end(), block->Data.begin(), block->Data.end()));
    }
};

} // namespace
} // namespace velmar

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmar;
    FuzzedDataProvider in(data, size);
    const auto type = in.ConsumeBool() ? FactoryLinkType::Read : FactoryLinkType::Write;
    const std::string keyword(DefaultFactoryHandshake);

    // The radio may answer to another keyword, behind either kind of cable.
    const bool echo = in.ConsumeBool();
    RadioSim radio(FactoryRadioConfig(echo, in.ConsumeBool() ? keyword : "FACTORZ"));
    FactoryImage held;
    FillPattern(held.ModelBlock, in.ConsumeIntegral<std::uint8_t>());
    FillPattern(held.FactoryBlock, in.ConsumeIntegral<std::uint8_t>());
    LoadFactoryImage(radio, held);

    LinkGlobals link;
    link.NoEcho = in.ConsumeBool();
    FactoryInfo info;
    FactoryImage image;
    FactoryExchange exchange(
        type, FactoryLinkContext{link, info, image, keyword, FactoryLanguage::English});

    const FrameRules rules{type, image, keyword};
    fuzz::LinkScript script(exchange, radio, rules, 1 + FactoryExchange::ResendRequestLimit);
    script.Play(in);
    script.Drain(4);

    FUZZ_CHECK(exchange.Done() && exchange.Succeeded() == script.Succeeded());
    if (script.Succeeded() && !script.Tampered()) {
        const FactoryImage now = FactoryImageOf(radio);
        FUZZ_CHECK(now.FactoryBlock.bytes == image.FactoryBlock.bytes);
        if (type == FactoryLinkType::Read)
            FUZZ_CHECK(now.ModelBlock.bytes == image.ModelBlock.bytes);
    }
    return 0;
}
