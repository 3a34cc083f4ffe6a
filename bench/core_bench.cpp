// Speed of the core against what the user waits for anyway: a whole read or
// write is bounded by the 9600-baud line, so the exchange engine's own time
// is reported as a share of the wire time of the same bytes.
#include "link/image_conversion.h"
#include "link/radio_exchange.h"
#include "link/radio_sim.h"
#include "model/data_file.h"
#include "model/initial_values.h"
#include "shell/version_table.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <type_traits>
#include <variant>

namespace velmar {
namespace {

struct NoTexts : TextLookup {
    std::string GetText(int) const override { return {}; }
};
struct SilentMessages : MessageSink {
    MsgAnswer Show(const std::string&, MsgButtons, MsgIcon) override { return MsgAnswer::Ok; }
};

// A document with every channel of the first groups in use.
Document FullDocument() {
    Document doc;
    InitDocValues(doc, 1);
    RadioImage image;
    image.bytes.fill(0xFF);
    for (std::size_t i = 0; i < 0x2400; ++i)
        image.bytes[i] = static_cast<std::uint8_t>(i % 16 == 0 ? 0x10 : i % 7);
    for (std::size_t i = 0x2810; i <= 0x2850; ++i)
        image.bytes[i] = 0xFF; // every channel used
    ParseImage(image, doc);
    return doc;
}

void BM_BuildImage(benchmark::State& state) {
    Document doc = FullDocument();
    RadioImage image;
    for (auto _ : state) {
        benchmark::DoNotOptimize(BuildImage(doc, image));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BuildImage);

void BM_ParseImage(benchmark::State& state) {
    Document source = FullDocument();
    RadioImage image;
    BuildImage(source, image);
    Document doc;
    for (auto _ : state) {
        ParseImage(image, doc);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ParseImage);

void BM_SaveAndOpenDataFiles(benchmark::State& state) {
    const auto folder = std::filesystem::temp_directory_path() / "velmar-bench";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "bench.dat").string();
    Document doc = FullDocument();
    NoTexts texts;
    SilentMessages messages;
    const VersionTable versions{{{"V102", "V102"}}};
    for (auto _ : state) {
        SaveDocumentFile(doc, path, texts, messages);
        OpenDocumentFile(doc, path, versions, texts, messages);
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SaveAndOpenDataFiles)->Unit(benchmark::kMicrosecond);

// A whole exchange against the simulated radio with no real time; the
// counter wire_share is the engine's time over the line time at 9600 baud
// (10 bits a byte) of every byte sent and received.
template <LinkType Type> void BM_Exchange(benchmark::State& state) {
    LinkGlobals link;
    link.NoEcho = true;
    RadioImage image;
    RadioInfoBlock info;
    NoTexts texts;
    const VersionTable versions{{{"V102", "V102"}}};
    double lineBytes = 0;
    for (auto _ : state) {
        RadioSim sim;
        RadioExchange exchange(Type, ExchangeContext{link, image, info, versions, texts, "KAVRO",
                                                     "25.615 - 30.105 MHz", false});
        LinkActions actions = exchange.Start();
        lineBytes = 0;
        bool done = false;
        while (!done) {
            LinkActions next;
            for (const LinkAction& action : actions) {
                if (const auto* send = std::get_if<SendBytes>(&action)) {
                    lineBytes += static_cast<double>(send->Data.size());
                    for (const Bytes& piece : sim.Receive(send->Data)) {
                        lineBytes += static_cast<double>(piece.size());
                        for (LinkAction& a : exchange.OnBytes(piece))
                            next.push_back(std::move(a));
                    }
                } else if (std::holds_alternative<Finished>(action)) {
                    done = true;
                }
            }
            if (!done && next.empty())
                next = exchange.OnTimeout(); // the END of a write needs no reply
            actions = std::move(next);
        }
    }
    const double wireSeconds = lineBytes * 10.0 / 9600.0;
    state.counters["wire_s"] = wireSeconds;
    state.counters["wire_share"] = benchmark::Counter(
        wireSeconds, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Exchange<LinkType::Read>)->Name("BM_ReadExchange")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Exchange<LinkType::Write>)->Name("BM_WriteExchange")->Unit(benchmark::kMillisecond);

} // namespace
} // namespace velmar

BENCHMARK_MAIN();
