// The radio link engine (read, write, radio information) against a simulated
// radio whose replies the input delivers, splits, damages or drops, with time-
// outs, stray bytes and the user's answers and passwords in between. The
// engine sends only commands for blocks inside the memory it works on, always
// ends once the radio is silent and the user cancels, and an undisturbed
// exchange that succeeds has moved every block.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "link/radio_exchange.h"
#include "link_script.h"

namespace velmar {
namespace {

constexpr const char* KavroBand = "25.615 - 30.105 MHz";

template <class Memory> void FillPattern(Memory& memory, std::uint8_t seed) {
    for (std::size_t i = 0; i < memory.bytes.size(); ++i)
        memory.bytes[i] = static_cast<std::uint8_t>(seed + i * 7 + i / 251);
}

RadioSimConfig RadioConfig(FuzzedDataProvider& in) {
    RadioSimConfig config;
    config.Echo = in.ConsumeBool();
    if (in.ConsumeBool())
        config.Identity.Model = in.ConsumeRandomLengthString(7);
    if (in.ConsumeBool())
        config.Identity.Band = in.ConsumeIntegral<std::uint8_t>();
    static const char* const versions[] = {"V102", "V101", "V100"};
    config.Identity.Version = versions[in.ConsumeIntegralInRange<int>(0, 2)];
    return config;
}

// Block commands only for blocks of the memory worked on (and the password
// block); a write sends the image as it stands.
struct FrameRules {
    LinkType type;
    const RadioImage& image;
    std::uint32_t first;
    std::uint32_t last;

    bool IsBlockOfRange(std::uint32_t address) const {
        return address >= first && address + BlockSize - 1 <= last &&
               (address - first) % BlockSize == 0;
    }

    void operator()(const Bytes& frame) const {
        if (frame == HandshakeFrame() || frame == IdentifyFrame() || frame == EndFrame())
            return;
        if (frame == EnterWriteFrame(true) || frame == EnterWriteFrame(false)) {
            FUZZ_CHECK(type == LinkType::Write);
            return;
        }
        if (const auto address = ParseReadBlockFrame(frame)) {
            FUZZ_CHECK(*address == PasswordBlockAddress ||
                       (type != LinkType::Write && IsBlockOfRange(*address)));
            return;
        }
        const auto block = ParseBlockFrame(frame);
        FUZZ_CHECK(block.has_value()); // no other frame exists
        FUZZ_CHECK(type == LinkType::Write && IsBlockOfRange(block->Address));
        const auto sent = image.Block(block->Address);
        FUZZ_CHECK(std::equal(sent.begin(), sent.end(), block->Data.begin(), block->Data.end()));
    }
};

} // namespace
} // namespace velmar

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmar;
    FuzzedDataProvider in(data, size);
    const auto type = static_cast<LinkType>(in.ConsumeIntegralInRange<int>(1, 3));

    RadioSim radio(RadioConfig(in));
    FillPattern(radio.Memory, in.ConsumeIntegral<std::uint8_t>());
    FillPattern(radio.InfoBlock, in.ConsumeIntegral<std::uint8_t>());
    radio.SetPassword(in.ConsumeRandomLengthString(4));

    LinkGlobals link;
    link.NoEcho = in.ConsumeBool();
    link.RadioPassword = in.ConsumeRandomLengthString(4);
    static RadioImage image;
    static RadioInfoBlock info;
    FillPattern(image, 0x5A);
    FillPattern(info, 0xA5);
    const VersionTable versions({{"V102", "V102"}, {"V102", "V101"}});
    const fuzz::NumberedTexts texts;
    const std::string band = in.ConsumeBool() ? KavroBand : "136 - 174 MHz";
    RadioExchange exchange(
        type, ExchangeContext{link, image, info, versions, texts, "KAVRO", band, in.ConsumeBool()});

    const bool infoRead = type == LinkType::RadioInfo;
    const FrameRules rules{type, image, infoRead ? RadioInfoBlock::FirstAddress : 0u,
                           infoRead ? RadioInfoBlock::LastAddress : RadioImage::LastAddress};
    const int maxRepeats =
        1 + RadioExchange::BlockRetryAllowance + RadioExchange::ResendRequestLimit;
    fuzz::LinkScript script(exchange, radio, rules, maxRepeats);
    script.Play(in);
    script.Drain(64);

    FUZZ_CHECK(exchange.Done() && exchange.Succeeded() == script.Succeeded());
    if (script.Succeeded() && !script.Tampered()) {
        if (type == LinkType::Read)
            FUZZ_CHECK(image.bytes == radio.Memory.bytes);
        else if (type == LinkType::Write)
            FUZZ_CHECK(radio.Memory.bytes == image.bytes);
        else
            FUZZ_CHECK(info.bytes == radio.InfoBlock.bytes);
    }
    return 0;
}
