// The radio image on arbitrary bytes: the input fills the image from address
// 0 and then the identification block (erased 0xFF beyond the input). Any
// image gives a sound document that can be written back unchanged.
#include <algorithm>
#include <cstdint>
#include <span>

#include "fuzz_support.h"
#include "link/image_conversion.h"
#include "settings/radio_info_view.h"

namespace velmar {
namespace {

constexpr int kVfoChNo = 521; // the VFO and the memory channels 522 … 529 are always there

// Fills `memory` from the front of `input` and takes those bytes off it.
template <class Memory> void Fill(Memory& memory, std::span<const std::uint8_t>& input) {
    memory.bytes.fill(0xFF);
    const std::size_t taken = std::min(input.size(), memory.bytes.size());
    std::copy_n(input.begin(), taken, memory.bytes.begin());
    input = input.subspan(taken);
}

bool IsStoredFrequency(const FixStr<8>& rx) {
    const std::string_view text(rx.data(), rx.size());
    return text == "FFFFFFFF" ||
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void CheckChannels(const Document& doc) {
    const int count = doc.Doc.ChCount;
    FUZZ_CHECK(count >= kMaxChannels - kVfoChNo + 1 && count <= kMaxChannels);
    for (int i = 0; i < count; ++i) {
        const ChannelInfo& ch = doc.ChList[i];
        FUZZ_CHECK(ch.ChNo >= 1 && ch.ChNo <= kMaxChannels);
        FUZZ_CHECK(i == 0 || doc.ChList[i - 1].ChNo < ch.ChNo);
        FUZZ_CHECK(IsStoredFrequency(ch.RxFre));
        const bool none = std::string_view(ch.RxFre.data(), 8) == "FFFFFFFF";
        FUZZ_CHECK(ch.ChEmpty == (none ? 1 : 0));
        FUZZ_CHECK(!none || ch.ScanSkip == 1);
    }
    for (int n = kVfoChNo; n <= kMaxChannels; ++n)
        FUZZ_CHECK(doc.ChList[count - 1 - (kMaxChannels - n)].ChNo == n);
}

void CheckRadioInfo(const RadioInfoBlock& block) {
    RadioInfoRecord info;
    DecodeRadioInfo(block, info);
    FUZZ_CHECK(info.AreaCode.size() <= 4);
    const RadioInfoShown shown = ShowByData(info);
    for (const std::string& box : shown.Boxes)
        FUZZ_CHECK(box.find_first_of(std::string_view("\0\xFF", 2)) == std::string::npos);
}

} // namespace
} // namespace velmar

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmar;
    std::span<const std::uint8_t> input(data, size);
    static RadioImage image;
    static RadioInfoBlock block;
    Fill(image, input);
    Fill(block, input);

    Document doc;
    ParseImage(image, doc);
    CheckChannels(doc);

    // Written back and read again, the document and the image stay as they
    // are; only a channel without a frequency is written as an erased record
    // and comes back as one.
    RadioImage written = image;
    FUZZ_CHECK(BuildImage(doc, written).Ok());
    Document again;
    ParseImage(written, again);
    FUZZ_CHECK(again.Doc == doc.Doc);
    FUZZ_CHECK(again.Doc.ChCount == doc.Doc.ChCount);
    for (int i = 0; i < doc.Doc.ChCount; ++i) {
        if (doc.ChList[i].ChEmpty == 0)
            FUZZ_CHECK(again.ChList[i] == doc.ChList[i]);
        else
            FUZZ_CHECK(again.ChList[i].ChNo == doc.ChList[i].ChNo && again.ChList[i].ChEmpty == 1);
    }
    FUZZ_CHECK(again.ModelName == doc.ModelName && again.BandText == doc.BandText);
    RadioImage rewritten = written;
    FUZZ_CHECK(BuildImage(again, rewritten).Ok());
    FUZZ_CHECK(rewritten.bytes == written.bytes);

    CheckRadioInfo(block);
    return 0;
}
