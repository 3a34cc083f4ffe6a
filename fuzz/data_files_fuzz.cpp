// The data file pair reader on arbitrary files. The input is an options byte,
// the data file and then the channel file; option bits choose where the data
// file ends and let the channel count match the channel file, so that both
// the length checks and the records behind them are reached.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "model/data_file.h"

namespace velmar {
namespace {

constexpr std::uint8_t kWholeRecord = 1;   // the data file is exactly one record long
constexpr std::uint8_t kMatchingCount = 2; // ChCount is set to the channel records given
constexpr std::uint8_t kNoChannelFile = 4; // the channel file is missing
constexpr std::size_t kChCountOffset = 4;  // behind the 4-character version tag

struct FilePair {
    std::string data;
    std::string channels;
};

FilePair SplitInput(FuzzedDataProvider& in, std::uint8_t options) {
    FilePair files;
    const std::size_t dataLength =
        (options & kWholeRecord) ? kDocRecordSize
                                 : in.ConsumeIntegralInRange<std::size_t>(0, 2 * kDocRecordSize);
    files.data = in.ConsumeBytesAsString(dataLength);
    files.channels = in.ConsumeRemainingBytesAsString();
    if ((options & kMatchingCount) && files.data.size() > kChCountOffset + 1) {
        const std::size_t count = files.channels.size() / kChannelInfoSize;
        files.data[kChCountOffset] = static_cast<char>(count & 0xFF);
        files.data[kChCountOffset + 1] = static_cast<char>(count >> 8);
    }
    return files;
}

// The whole state OpenDocumentFile may change.
bool SameDocument(const Document& a, const Document& b) {
    return a.Doc == b.Doc && a.SavedDoc == b.SavedDoc && a.ChList == b.ChList &&
           a.SavedChList == b.SavedChList && a.ModelName == b.ModelName &&
           a.BandText == b.BandText && a.BandLow == b.BandLow && a.BandHigh == b.BandHigh &&
           a.DocFileName == b.DocFileName && a.IsNewDocument == b.IsNewDocument &&
           a.RadioInfo == b.RadioInfo;
}

void CheckRead(const std::string& dataPath, const FilePair& files) {
    const fuzz::NumberedTexts texts;
    fuzz::CountingSink messages;
    const auto loaded = ReadDocumentFiles(dataPath, texts, messages);
    if (!loaded) {
        // One clear message, and only the ones the reader knows.
        FUZZ_CHECK(messages.shown == 1);
        FUZZ_CHECK(messages.last == "T9002" || messages.last == "T9033");
        return;
    }
    FUZZ_CHECK(loaded->Record.ChCount >= 0 && loaded->Record.ChCount <= kMaxChannels);
    FUZZ_CHECK(loaded->Channels.size() == static_cast<std::size_t>(loaded->Record.ChCount));
    // Channels the data file promised but the channel file did not give are
    // named in one warning.
    FUZZ_CHECK(loaded->ChannelsNotRead >= 0);
    if (loaded->ChannelsNotRead == 0) {
        FUZZ_CHECK(messages.shown == 0);
    } else {
        FUZZ_CHECK(messages.shown == 1);
        FUZZ_CHECK(messages.last == "T9100 " + std::to_string(loaded->ChannelsNotRead));
    }

    // What was read is written back byte for byte, the channel count aside.
    ChannelList channels{};
    std::copy(loaded->Channels.begin(), loaded->Channels.end(), channels.begin());
    const DataFileBytes again = EncodeDataFiles(loaded->Record, channels);
    std::string data = files.data;
    const int promised = loaded->Record.ChCount + loaded->ChannelsNotRead;
    data[kChCountOffset] = static_cast<char>(loaded->Record.ChCount & 0xFF);
    data[kChCountOffset + 1] = static_cast<char>(loaded->Record.ChCount >> 8);
    FUZZ_CHECK(static_cast<std::uint8_t>(files.data[kChCountOffset]) == (promised & 0xFF));
    FUZZ_CHECK(std::string(again.Data.begin(), again.Data.end()) == data);
    FUZZ_CHECK(std::string(again.Channels.begin(), again.Channels.end()) ==
               files.channels.substr(0, again.Channels.size()));
}

void CheckOpen(const std::string& dataPath) {
    const fuzz::NumberedTexts texts;
    fuzz::CountingSink messages;
    const VersionTable versions({{"V102", "V102"}, {"V102", "V101"}});
    Document doc;
    doc.DocFileName = "before.dat";
    const Document before = doc;
    if (!OpenDocumentFile(doc, dataPath, versions, texts, messages)) {
        FUZZ_CHECK(messages.shown == 1);
        FUZZ_CHECK(SameDocument(doc, before));
        return;
    }
    FUZZ_CHECK(messages.shown <= 1); // at most the warning about channels not read
    FUZZ_CHECK(doc.DocFileName == dataPath && !doc.IsNewDocument);
    FUZZ_CHECK(doc.Doc.ChCount == doc.SavedDoc.ChCount);

    // Saving and opening again gives the same document.
    const std::string copyPath = (fuzz::ScratchFolder() / "copy.dat").string();
    const int shownBefore = messages.shown;
    FUZZ_CHECK(SaveDocumentFile(doc, copyPath, texts, messages));
    Document reopened;
    FUZZ_CHECK(OpenDocumentFile(reopened, copyPath, versions, texts, messages));
    FUZZ_CHECK(messages.shown == shownBefore); // a saved pair is whole
    // The radio's identification is not kept in the file (its band code
    // follows the file's when opened, not when saved).
    reopened.DocFileName = doc.DocFileName;
    reopened.RadioInfo = doc.RadioInfo;
    FUZZ_CHECK(SameDocument(reopened, doc));
}

} // namespace
} // namespace velmar

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmar;
    FuzzedDataProvider in(data, size);
    const auto options = in.ConsumeIntegral<std::uint8_t>();
    const FilePair files = SplitInput(in, options);

    const auto dataPath = fuzz::ScratchFolder() / "radio.dat";
    const auto channelPath = fuzz::ScratchFolder() / "radio.fre";
    fuzz::WriteFile(dataPath, files.data);
    std::error_code ec;
    std::filesystem::remove(channelPath, ec);
    if (!(options & kNoChannelFile))
        fuzz::WriteFile(channelPath, files.channels);

    CheckRead(dataPath.string(), files);
    CheckOpen(dataPath.string());
    return 0;
}
