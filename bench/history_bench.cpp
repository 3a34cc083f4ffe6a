// Undo history on the largest document: 529 channels in use. Each benchmark
// makes 200 steps of the kinds users make (a value of one channel, a channel
// taken out of the middle of the list, one put back, a group renumbered, a
// setting) and reports what the history holds besides the document itself
// (history_bytes, and per step) and the time of a step, an undo and a redo.
#include "model/document_history.h"
#include "model/initial_values.h"
#include "model/snapshot.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

namespace velmar {
namespace {

constexpr int kSteps = 200;

Document FullDocument() {
    Document doc;
    InitDocValues(doc, 5);
    for (int i = 0; i < kMaxChannels; ++i) {
        ChannelInfo ch = NewChannelInfo(i + 1);
        ch.RxFre = MakeFixStr<8>("0" + std::to_string(2600000 + 125 * i));
        ch.RxTone = static_cast<std::int16_t>(i % 265);
        ch.TxTone = static_cast<std::int16_t>((i * 7) % 265);
        doc.ChList[static_cast<std::size_t>(i)] = ch;
    }
    doc.Doc.ChCount = kMaxChannels;
    SnapshotDocument(doc);
    return doc;
}

// Step `i` of the run.
void Change(Document& doc, int i) {
    switch (i % 5) {
    case 0:
        doc.ChList[(i * 13) % 500].RxTone ^= 0x40;
        break;
    case 1: // a channel out of the middle
        std::copy(doc.ChList.begin() + 260, doc.ChList.end(), doc.ChList.begin() + 259);
        --doc.Doc.ChCount;
        break;
    case 2: // and one in again
        std::copy_backward(doc.ChList.begin() + 100, doc.ChList.end() - 1, doc.ChList.end());
        doc.ChList[100].RxFre = MakeFixStr<8>("02777700");
        ++doc.Doc.ChCount;
        break;
    case 3: // the channels of a group one position down
        for (int k = 120; k < 160; ++k)
            ++doc.ChList[k].ChNo;
        break;
    default:
        doc.Doc.OptFeatures.Word(OptWord::TotTime) = static_cast<std::int16_t>(15 * (i % 40));
    }
}

const StepLabel kLabel{StepText::FieldOfChannel, {TextArg(32301), NumberArg(130)}};

void BM_Record200Steps(benchmark::State& state) {
    const Document start = FullDocument();
    std::size_t extra = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Document doc = start;
        DocumentHistory history;
        history.Reset(doc);
        const std::size_t base = history.MemoryBytes();
        state.ResumeTiming();
        for (int i = 0; i < kSteps; ++i) {
            Change(doc, i);
            history.Record(doc, kLabel);
        }
        state.PauseTiming();
        extra = history.MemoryBytes() - base;
        state.ResumeTiming();
    }
    state.counters["history_bytes"] = static_cast<double>(extra);
    state.counters["bytes_per_step"] = static_cast<double>(extra) / kSteps;
    state.counters["per_step"] = benchmark::Counter(static_cast<double>(kSteps),
                                                    benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}
BENCHMARK(BM_Record200Steps)->Unit(benchmark::kMillisecond);

void BM_Undo200StepsThenRedo(benchmark::State& state) {
    Document doc = FullDocument();
    DocumentHistory history;
    history.Reset(doc);
    for (int i = 0; i < kSteps; ++i) {
        Change(doc, i);
        history.Record(doc, kLabel);
    }
    for (auto _ : state) {
        while (history.Undo(doc)) {
        }
        while (history.Redo(doc)) {
        }
    }
    state.counters["per_undo_or_redo"] = benchmark::Counter(
        static_cast<double>(2 * kSteps),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["document_bytes"] =
        static_cast<double>(kDocRecordSize + kMaxChannels * kChannelInfoSize);
}
BENCHMARK(BM_Undo200StepsThenRedo)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace velmar

BENCHMARK_MAIN();
