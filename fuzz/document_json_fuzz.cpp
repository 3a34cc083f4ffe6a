// The JSON dump on arbitrary documents: the input is an options byte, the
// document record and then channel records, byte for byte as a data file
// holds them (so every field takes any value, ChCount too), then the model
// name, band text and radio information texts. Whatever the document holds,
// the dump is one valid JSON value in valid UTF-8.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "channels/document_json.h"
#include "fuzz_support.h"
#include "json_check.h"
#include "model/channel_info.h"
#include "model/doc_record.h"

namespace velmar {
namespace {

constexpr std::uint8_t kGbk = 1;         // texts read as GBK, else Windows-1252
constexpr std::uint8_t kKeepChCount = 2; // ChCount as the input says, else the records given

template <std::size_t N> std::vector<std::uint8_t> Take(FuzzedDataProvider& in) {
    std::vector<std::uint8_t> bytes = in.ConsumeBytes<std::uint8_t>(N);
    bytes.resize(N, 0xFF);
    return bytes;
}

template <std::size_t N> void FillText(FixStr<N>& text, FuzzedDataProvider& in) {
    const std::string bytes = in.ConsumeBytesAsString(N);
    std::copy(bytes.begin(), bytes.end(), text.begin());
}

} // namespace
} // namespace velmar

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmar;
    FuzzedDataProvider in(data, size);
    const std::uint8_t options = in.ConsumeIntegral<std::uint8_t>();

    static Document doc;
    doc = Document{};
    const auto record = Take<kDocRecordSize>(in);
    doc.Doc = ParseDocRecord(std::span<const std::uint8_t, kDocRecordSize>(record));
    const int records = in.ConsumeIntegralInRange<int>(0, kMaxChannels);
    for (int i = 0; i < records && in.remaining_bytes() > 0; ++i) {
        const auto bytes = Take<kChannelInfoSize>(in);
        doc.ChList[static_cast<std::size_t>(i)] =
            ParseChannelInfo(std::span<const std::uint8_t, kChannelInfoSize>(bytes));
        if (!(options & kKeepChCount))
            doc.Doc.ChCount = static_cast<std::int16_t>(i + 1);
    }
    doc.ModelName = in.ConsumeRandomLengthString(16);
    doc.BandText = in.ConsumeRandomLengthString(40);
    doc.BandLow = in.ConsumeFloatingPoint<double>();
    doc.BandHigh = in.ConsumeFloatingPoint<double>();
    doc.RadioInfo.BandCode = in.ConsumeIntegral<std::int16_t>();
    FillText(doc.RadioInfo.SerialNo, in);
    FillText(doc.RadioInfo.FactoryDate, in);
    doc.RadioInfo.VersionText = in.ConsumeRandomLengthString(16);
    doc.RadioInfo.ModelText = in.ConsumeRandomLengthString(16);
    doc.RadioInfo.AreaCode = in.ConsumeRandomLengthString(8);

    const std::string json = DocumentToJson(doc, options & kGbk);
    const auto fault = fuzz::JsonFault(json);
    if (fault) {
        std::fprintf(stderr, "not JSON at byte %zu: %s\n", fault->Offset, fault->Reason);
        FUZZ_CHECK(!fault);
    }
    return 0;
}
