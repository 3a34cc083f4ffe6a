// The CSV import on arbitrary text: the input is an options byte (import
// mode, offsets preference, code page) and then the file. Whatever the file,
// the channel list stays sound (numbers 1 … 529, each once, the VFO kept;
// the list is in the order the channels were added), a file that brings no channel leaves the
// document as it was, and the list written out as CSV and imported again over itself refuses
// nothing and writes out as the same text. (Importing may still make a channel offer the power
// level it has, as setting a level does.)
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "channels/channel_csv.h"
#include "channels/channel_views.h"
#include "fuzz_support.h"
#include "model/initial_values.h"

namespace velmar {
namespace {

constexpr std::uint8_t kReplace = 1;  // ReplaceList, else MergeByNumber
constexpr std::uint8_t kTxOffset = 2; // ShowTxOffset
constexpr std::uint8_t kGbk = 4;      // group names in GBK
constexpr int kVfoChNo = 521;

struct QuietViews : ChannelViews {};

bool SameList(const Document& a, const Document& b) {
    return a.Doc == b.Doc && a.ChList == b.ChList;
}

void CheckList(const Document& doc) {
    const int count = doc.Doc.ChCount;
    FUZZ_CHECK(count >= 1 && count <= kMaxChannels);
    std::array<bool, kMaxChannels + 1> used{};
    for (int i = 0; i < count; ++i) {
        const int chNo = doc.ChList[static_cast<std::size_t>(i)].ChNo;
        FUZZ_CHECK(chNo >= 1 && chNo <= kMaxChannels);
        FUZZ_CHECK(!used[static_cast<std::size_t>(chNo)]);
        used[static_cast<std::size_t>(chNo)] = true;
    }
    FUZZ_CHECK(used[kVfoChNo]);
}

} // namespace
} // namespace velmar

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmar;
    if (size == 0)
        return 0;
    const std::uint8_t options = data[0];
    const std::string_view csv(reinterpret_cast<const char*>(data + 1), size - 1);

    static const Document fresh = [] {
        Document doc;
        InitDocValues(doc, 1);
        return doc;
    }();
    static Document doc, before, again;
    doc = fresh;
    before = doc;
    fuzz::NumberedTexts texts;
    fuzz::CountingSink messages;
    QuietViews views;
    const ChannelEnv env{messages, texts, views, (options & kTxOffset) != 0};
    const CsvImportMode mode =
        (options & kReplace) ? CsvImportMode::ReplaceList : CsvImportMode::MergeByNumber;

    const CsvImportResult result = ReadChannelCsv(csv, doc, env, mode);
    FUZZ_CHECK(result.Imported >= 0 && result.Imported <= kMaxCsvRows);
    for (const CsvRefusedRow& refused : result.Refused) {
        FUZZ_CHECK(refused.Row >= 1);
        FUZZ_CHECK(!refused.Reason.empty());
    }
    CheckList(doc);
    if (result.Imported == 0)
        FUZZ_CHECK(SameList(doc, before));

    // What was imported goes out and comes back as it is.
    const bool gbk = (options & kGbk) != 0;
    const std::string written = WriteChannelCsv(doc, gbk);
    again = doc;
    const CsvImportResult back = ReadChannelCsv(written, again, env, CsvImportMode::MergeByNumber);
    if (!back.Refused.empty())
        std::fprintf(stderr, "refused row %d: %s\n", back.Refused[0].Row,
                     back.Refused[0].Reason.c_str());
    FUZZ_CHECK(back.Refused.empty());
    FUZZ_CHECK(WriteChannelCsv(again, gbk) == written);
    return 0;
}
