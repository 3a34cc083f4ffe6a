// A save that runs out of room half-way through a file: the data file pair
// saved before must stay as it was, byte for byte, and the save must be
// reported as failed. The room runs out by a file size limit, set in a forked
// child so that the test process keeps writing freely.
#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "model/data_file.h"
#include "model/doc_compare.h"
#include "model_fakes.h"
#include "shell/temp_folder.h"

#ifdef VELMAR_COVERAGE
extern "C" void __gcov_dump();
#endif

namespace velmar {
namespace {

namespace fs = std::filesystem;

// What the child saw of its failed save.
struct ChildReport {
    bool Saved = true;
    bool ShowedFileError = false;
    bool DocumentUntouched = false;
    bool StillChanged = false;
};

// Runs SaveDocumentFile(doc, fileName) in a child whose files cannot grow
// beyond `limit` bytes; writing past it fails with EFBIG instead of
// killing the child. Nothing when the child did not report.
std::optional<ChildReport> SaveUnderSizeLimit(const Document& doc, const std::string& fileName,
                                              rlim_t limit) {
    int channel[2];
    if (::pipe(channel) != 0)
        return std::nullopt;
    const pid_t child = ::fork();
    if (child < 0)
        return std::nullopt;
    if (child == 0) {
        ::close(channel[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        // Only the soft limit, so that it can be lifted again afterwards.
        rlimit usual{};
        ::getrlimit(RLIMIT_FSIZE, &usual);
        const rlimit small{limit, usual.rlim_max};
        ChildReport report;
        if (::setrlimit(RLIMIT_FSIZE, &small) == 0) {
            Document saving = doc;
            RecordingSink sink;
            IdTexts texts;
            report.Saved = SaveDocumentFile(saving, fileName, texts, sink);
            report.ShowedFileError =
                sink.shown == std::vector<std::string>{texts.GetText(kTextFileError)};
            report.DocumentUntouched = SameDocument(saving, doc);
            report.StillChanged = IsDocChanged(saving);
        }
        const bool sent =
            ::write(channel[1], &report, sizeof report) == static_cast<ssize_t>(sizeof report);
#ifdef VELMAR_COVERAGE
        // _exit() skips the writing of the coverage counters at exit; they
        // need room beyond the limit.
        ::setrlimit(RLIMIT_FSIZE, &usual);
        __gcov_dump();
#endif
        ::_exit(sent ? 0 : 1);
    }
    ::close(channel[1]);
    ChildReport report;
    const bool received =
        ::read(channel[0], &report, sizeof report) == static_cast<ssize_t>(sizeof report);
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!received || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return report;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct InterruptedSave {
    const char* Name;
    int Channels;     // in the document being saved
    rlim_t SizeLimit; // bytes a file may reach
};

// The channel file is written first, then the data file (1753 bytes).
const InterruptedSave InterruptedSaves[] = {
    {"ChannelFileCutShort", 40, 2000}, // 4320 channel bytes: stops in the channel file
    {"DataFileCutShort", 3, 1000},     // 324 channel bytes pass; the data file stops
    {"NothingWritableAtAll", 3, 0},    // not even the first byte
};

class SaveInterruptedTest : public ::testing::TestWithParam<InterruptedSave> {};

TEST_P(SaveInterruptedTest, LeavesThePreviousFilePairAndReportsTheFailure) {
    const InterruptedSave& save = GetParam();
    TempFolder folder;
    RecordingSink sink;
    IdTexts texts;

    // The pair as saved before: the template document.
    auto doc = NewTestDocument();
    ASSERT_TRUE(SaveDocumentFile(*doc, folder.Path("radio.dat"), texts, sink));
    const std::string dataBefore = folder.Read("radio.dat");
    const std::string channelsBefore = folder.Read("radio.fre");

    // Edits that make the new pair larger than the limit allows.
    doc->Doc.ChCount = 0;
    for (int i = 0; i < save.Channels; ++i) {
        doc->ChList[static_cast<std::size_t>(i)] = NewChannelInfo(i + 1);
        doc->ChList[static_cast<std::size_t>(i)].RxFre = MakeFixStr<8>("02712500");
        ++doc->Doc.ChCount;
    }
    doc->Doc.EmbMsg[1] = MakeFixStr<16>("NEW");
    ASSERT_TRUE(IsDocChanged(*doc));
    ASSERT_GT(static_cast<rlim_t>(save.Channels) * kChannelInfoSize + kDocRecordSize,
              save.SizeLimit);

    const auto report = SaveUnderSizeLimit(*doc, folder.Path("radio.dat"), save.SizeLimit);
    ASSERT_TRUE(report) << "the child did not report";
    EXPECT_FALSE(report->Saved);
    EXPECT_TRUE(report->ShowedFileError);
    EXPECT_TRUE(report->DocumentUntouched);
    EXPECT_TRUE(report->StillChanged);

    EXPECT_EQ(folder.Read("radio.dat"), dataBefore);
    EXPECT_EQ(folder.Read("radio.fre"), channelsBefore);
    // No half-written temporary file stays behind.
    EXPECT_EQ(FolderEntries(folder.Path()), (std::vector<std::string>{"radio.dat", "radio.fre"}));
}

INSTANTIATE_TEST_SUITE_P(SizeLimits, SaveInterruptedTest, ::testing::ValuesIn(InterruptedSaves),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace velmar
