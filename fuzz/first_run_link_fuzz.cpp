// The first-run link check against a simulated radio whose replies the input
// delivers, splits, damages or drops, with time-outs and stray bytes in
// between: it sends nothing but the handshake and always ends.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>

#include "fuzz_support.h"
#include "link/first_run_link.h"
#include "link_script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmar;
    FuzzedDataProvider in(data, size);
    RadioSimConfig config;
    config.Echo = in.ConsumeBool();
    RadioSim radio(config);
    LinkGlobals link;
    link.NoEcho = in.ConsumeBool();
    FirstRunLink check(link);

    const auto onlyHandshake = [](const Bytes& frame) { FUZZ_CHECK(frame == HandshakeFrame()); };
    fuzz::LinkScript script(check, radio, onlyHandshake, 1 + FirstRunLink::AttemptLimit);
    script.Play(in);
    script.Drain(2 * (1 + FirstRunLink::AttemptLimit));
    FUZZ_CHECK(check.Linked() == script.Succeeded());
    return 0;
}
