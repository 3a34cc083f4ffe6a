#include <filesystem>
#include <fstream>
#include <optional>

#include <sys/fsuid.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "model/data_file.h"
#include "model/doc_compare.h"
#include "model_fakes.h"
#include "shell/temp_folder.h"

namespace velmar {
namespace {

namespace fs = std::filesystem;

class DataFileTest : public ::testing::Test {
protected:
    // A document with some edits, as a user would save it.
    std::unique_ptr<Document> EditedDocument() {
        auto doc = NewTestDocument();
        doc->ChList[doc->Doc.ChCount] = NewChannelInfo(167);
        doc->ChList[doc->Doc.ChCount++].RxFre = MakeFixStr<8>("02712500");
        doc->ChList[0].RxTone = 12;
        doc->Doc.EmbMsg[1] = MakeFixStr<16>("HELLO");
        doc->Doc.FmRadioList[2].Fre = MakeFixStr<8>("08800000");
        return doc;
    }

    bool Save(Document& doc, const std::string& name) {
        return SaveDocumentFile(doc, folder.Path(name), texts, sink);
    }
    bool Open(Document& doc, const std::string& name) {
        return OpenDocumentFile(doc, folder.Path(name), versions, texts, sink);
    }

    TempFolder folder;
    RecordingSink sink;
    IdTexts texts;
    VersionTable versions{{{"V102", "V102"}, {"V102", "V101"}}};
};

TEST_F(DataFileTest, ChannelFileNameReplacesTheLastThreeCharacters) {
    EXPECT_EQ(ChannelFileName("/home/u/radio.dat"), "/home/u/radio.fre");
    EXPECT_EQ(ChannelFileName("radio.DAT"), "radio.fre");
    EXPECT_EQ(ChannelFileName("ab"), "fre");
}

TEST_F(DataFileTest, SaveAndReopenGiveTheSameDocument) {
    auto doc = EditedDocument();
    ASSERT_TRUE(Save(*doc, "radio.dat"));
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(doc->DocFileName, folder.Path("radio.dat"));
    EXPECT_FALSE(doc->IsNewDocument);
    EXPECT_TRUE(IsDocUnchanged(*doc));
    EXPECT_EQ(fs::file_size(folder.Path("radio.dat")), kDocRecordSize);
    EXPECT_EQ(fs::file_size(folder.Path("radio.fre")), 3 * kChannelInfoSize);
    EXPECT_EQ(folder.Read("radio.dat").substr(0, 4), "V102");

    Document reopened;
    reopened.ModelName = "OTHER";
    reopened.BandText = "";
    ASSERT_TRUE(Open(reopened, "radio.dat"));
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_TRUE(IsDocUnchanged(reopened));
    EXPECT_EQ(reopened.Doc, doc->Doc);
    EXPECT_EQ(reopened.ChList[2], doc->ChList[2]);
    EXPECT_EQ(reopened.ModelName, "KAVRO");
    EXPECT_EQ(reopened.BandText, "25.615 - 30.105 MHz");
    EXPECT_DOUBLE_EQ(reopened.BandLow, 25.615);
    EXPECT_DOUBLE_EQ(reopened.BandHigh, 30.105);
    EXPECT_EQ(reopened.RadioInfo.BandCode, 1);
    EXPECT_EQ(reopened.DocFileName, folder.Path("radio.dat"));
    EXPECT_FALSE(reopened.IsNewDocument);
}

TEST_F(DataFileTest, SavingNoChannelsWritesAnEmptyChannelFile) {
    auto doc = NewTestDocument();
    doc->Doc.ChCount = 0;
    ASSERT_TRUE(Save(*doc, "empty.dat"));
    EXPECT_EQ(fs::file_size(folder.Path("empty.dat")), kDocRecordSize);
    EXPECT_EQ(fs::file_size(folder.Path("empty.fre")), 0u);
    Document reopened;
    ASSERT_TRUE(Open(reopened, "empty.dat"));
    EXPECT_EQ(reopened.Doc.ChCount, 0);
}

TEST_F(DataFileTest, SavingTakesTheModelIntoTheSnapshot) {
    auto doc = NewTestDocument();
    doc->ModelName = "KAVRO";
    doc->BandText = "450 - 520 MHz";
    ASSERT_TRUE(Save(*doc, "radio.dat"));
    EXPECT_EQ(doc->Doc.ModelInfo.BandCode, 32);
    EXPECT_EQ(doc->SavedDoc.ModelInfo.BandCode, 32);
}

TEST_F(DataFileTest, AFileOfAnotherCompatibleVersionOpens) {
    auto doc = EditedDocument();
    ASSERT_TRUE(Save(*doc, "radio.dat"));
    std::string data = folder.Read("radio.dat");
    data.replace(0, 4, "V101");
    folder.Write("radio.dat", data);

    Document reopened;
    ASSERT_TRUE(Open(reopened, "radio.dat"));
    EXPECT_EQ(std::string(reopened.SavedDoc.Version.data(), 4), "V102");
}

// Each damaged pair is refused with its message and leaves the open document
// exactly as it was, its file name included.
TEST_F(DataFileTest, DamagedFilesAreRefusedAndChangeNothing) {
    auto saved = EditedDocument();
    ASSERT_TRUE(Save(*saved, "good.dat"));
    const std::string data = folder.Read("good.dat");
    const std::string channels = folder.Read("good.fre");
    auto withWord = [&](std::size_t offset, std::uint16_t value) {
        std::string d = data;
        d[offset] = static_cast<char>(value & 0xFF);
        d[offset + 1] = static_cast<char>(value >> 8);
        return d;
    };
    const std::string incompatible =
        versions.CompatMessage("V102", "V099", VersionTable::DataFileKind, texts);

    struct Case {
        const char* what;
        std::string data;                   // contents of bad.dat
        std::optional<std::string> channel; // contents of bad.fre; nothing = no file
        std::string message;
    };
    const std::vector<Case> cases = {
        {"no version tag", "X102" + data.substr(4), channels, "#9065"},
        {"tag with a leading blank", " V10" + data.substr(4), channels, "#9065"},
        {"empty file", "", channels, "#9065"},
        {"incompatible version", "V099" + data.substr(4), channels, incompatible},
        {"one byte short", data.substr(0, kDocRecordSize - 1), channels, "#9033"},
        {"one byte long", data + "x", channels, "#9033"},
        {"channel count above 529", withWord(4, 530), channels, "#9033"},
        {"negative channel count", withWord(4, 0xFFFF), channels, "#9033"},
    };
    for (const Case& c : cases) {
        fs::remove(folder.Path("bad.fre"));
        folder.Write("bad.dat", c.data);
        if (c.channel)
            folder.Write("bad.fre", *c.channel);
        auto doc = NewTestDocument();
        doc->ChList[0].RxTone = 7; // unsaved edit
        const auto before = std::make_unique<Document>(*doc);
        sink.shown.clear();

        EXPECT_FALSE(Open(*doc, "bad.dat")) << c.what;
        EXPECT_EQ(sink.shown, std::vector<std::string>{c.message}) << c.what;
        EXPECT_TRUE(SameDocument(*doc, *before)) << c.what;
    }
}

// The channel file is read as far as it goes: whole records with a new
// channel number 1 … 529, up to the count the data file gives. The settings
// and the channels read open, with a warning that names how many channels
// could not be read.
TEST_F(DataFileTest, ChannelFileIsReadAsFarAsItGoes) {
    auto saved = EditedDocument(); // channels 1, 521 and 167
    ASSERT_TRUE(Save(*saved, "good.dat"));
    const std::string data = folder.Read("good.dat");
    const std::string channels = folder.Read("good.fre");
    ASSERT_EQ(channels.size(), 3 * kChannelInfoSize);
    const auto record = [&](int i) {
        return channels.substr(i * kChannelInfoSize, kChannelInfoSize);
    };
    const auto numbered = [&](int i, std::uint16_t chNo) {
        std::string r = record(i);
        r[0] = static_cast<char>(chNo & 0xFF);
        r[1] = static_cast<char>(chNo >> 8);
        return r;
    };

    struct Case {
        const char* what;
        std::optional<std::string> channel; // contents of bad.fre; nothing = no file
        int read;                           // channels that open
        std::vector<std::string> messages;
    };
    const std::vector<Case> cases = {
        {"channel file missing", std::nullopt, 0, {"#9100 3"}},
        {"channel file empty", "", 0, {"#9100 3"}},
        {"two records", channels.substr(0, 2 * kChannelInfoSize), 2, {"#9100 1"}},
        {"two and a half records", channels.substr(0, 2 * kChannelInfoSize + 54), 2, {"#9100 1"}},
        {"one byte short", channels.substr(0, channels.size() - 1), 2, {"#9100 1"}},
        {"a record more", channels + record(0), 3, {}},
        {"channel number used twice", record(0) + record(1) + record(0), 2, {"#9100 1"}},
        {"channel number 0 first", numbered(0, 0) + record(1) + record(2), 0, {"#9100 3"}},
        {"channel number 530 second", record(0) + numbered(1, 530) + record(2), 1, {"#9100 2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(folder.Path("bad.fre"));
        folder.Write("bad.dat", data);
        if (c.channel)
            folder.Write("bad.fre", *c.channel);
        auto doc = NewTestDocument();
        sink.shown.clear();

        ASSERT_TRUE(Open(*doc, "bad.dat"));
        EXPECT_EQ(sink.shown, c.messages);
        EXPECT_EQ(doc->Doc.ChCount, c.read);
        EXPECT_EQ(doc->SavedDoc.ChCount, c.read);
        for (int i = 0; i < c.read; ++i)
            EXPECT_EQ(doc->ChList[i], saved->ChList[i]) << i;
        EXPECT_EQ(doc->Doc.EmbMsg, saved->Doc.EmbMsg); // the settings are there
        EXPECT_EQ(doc->DocFileName, folder.Path("bad.dat"));
        EXPECT_FALSE(doc->IsNewDocument);
        EXPECT_TRUE(IsDocUnchanged(*doc));
    }
}

TEST_F(DataFileTest, AChannelFileThatIsAFolderGivesNoChannels) {
    auto saved = EditedDocument();
    ASSERT_TRUE(Save(*saved, "radio.dat"));
    fs::remove(folder.Path("radio.fre"));
    fs::create_directory(folder.Path("radio.fre"));
    auto doc = NewTestDocument();
    ASSERT_TRUE(Open(*doc, "radio.dat"));
    EXPECT_EQ(sink.shown, std::vector<std::string>{"#9100 3"});
    EXPECT_EQ(doc->Doc.ChCount, 0);
}

// What opened from a short channel file is saved as a whole pair again.
TEST_F(DataFileTest, SavingWhatWasReadGivesAWholePair) {
    auto saved = EditedDocument();
    ASSERT_TRUE(Save(*saved, "radio.dat"));
    folder.Write("radio.fre", folder.Read("radio.fre").substr(0, kChannelInfoSize + 10));
    auto doc = NewTestDocument();
    ASSERT_TRUE(Open(*doc, "radio.dat"));
    ASSERT_TRUE(Save(*doc, "radio.dat"));
    EXPECT_EQ(fs::file_size(folder.Path("radio.fre")), kChannelInfoSize);
    sink.shown.clear();
    Document reopened;
    ASSERT_TRUE(Open(reopened, "radio.dat"));
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(reopened.Doc.ChCount, 1);
}

TEST_F(DataFileTest, UnreadableFilesAreRefused) {
    fs::create_directory(folder.Path("folder.dat"));
    for (const char* name : {"missing.dat", "folder.dat"}) {
        auto doc = NewTestDocument();
        const auto before = std::make_unique<Document>(*doc);
        sink.shown.clear();
        EXPECT_FALSE(Open(*doc, name)) << name;
        EXPECT_EQ(sink.shown, std::vector<std::string>{"#9002"}) << name;
        EXPECT_TRUE(SameDocument(*doc, *before)) << name;
    }
}

// A file the user may not read: no permissions, and when the test runs as
// root (who reads anything) file access goes by the user "nobody" until the
// end of the scope.
class UnreadableFile {
public:
    explicit UnreadableFile(std::string path) : path_(std::move(path)) {
        fs::permissions(path_, fs::perms::none);
        if (::geteuid() == 0)
            previousUser_ = ::setfsuid(kNobody);
    }
    ~UnreadableFile() {
        if (previousUser_)
            ::setfsuid(static_cast<uid_t>(*previousUser_));
        fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write);
    }
    UnreadableFile(const UnreadableFile&) = delete;
    UnreadableFile& operator=(const UnreadableFile&) = delete;

    // Whether the file cannot be opened now (a machine might not allow the
    // change of user).
    bool Holds() const { return !std::ifstream(path_).is_open(); }

private:
    static constexpr uid_t kNobody = 65534;
    std::string path_;
    std::optional<int> previousUser_;
};

// A data file that cannot be opened is refused with 9002, whether it is
// opened as a document or read as a template's settings record, and so is a
// folder given as a template.
TEST_F(DataFileTest, FilesThatCannotBeOpenedAreRefused) {
    auto saved = EditedDocument();
    ASSERT_TRUE(Save(*saved, "radio.dat"));
    fs::create_directory(folder.Path("folder.dat"));
    {
        UnreadableFile locked(folder.Path("radio.dat"));
        if (!locked.Holds())
            GTEST_SKIP() << "a file cannot be made unreadable here";
        auto doc = NewTestDocument();
        const auto before = std::make_unique<Document>(*doc);
        EXPECT_FALSE(Open(*doc, "radio.dat"));
        EXPECT_TRUE(SameDocument(*doc, *before));
        EXPECT_FALSE(ReadDataRecord(folder.Path("radio.dat"), texts, sink));
        EXPECT_FALSE(ReadDocumentFiles(folder.Path("radio.dat"), texts, sink));
    }
    EXPECT_FALSE(ReadDataRecord(folder.Path("folder.dat"), texts, sink));
    EXPECT_EQ(sink.shown, std::vector<std::string>(4, "#9002"));
    // Readable again, it opens.
    Document doc;
    EXPECT_TRUE(Open(doc, "radio.dat"));
}

class SaveFailureTest : public DataFileTest {
protected:
    // A failed save reports 9002, changes nothing in the document (it still
    // counts as changed) and leaves no temporary file behind.
    void ExpectFailedSave(const std::string& name) {
        auto doc = EditedDocument();
        const auto before = std::make_unique<Document>(*doc);
        const auto entriesBefore = Entries();
        EXPECT_FALSE(Save(*doc, name));
        EXPECT_EQ(sink.shown, std::vector<std::string>{"#9002"});
        EXPECT_TRUE(SameDocument(*doc, *before));
        EXPECT_TRUE(IsDocChanged(*doc));
        EXPECT_EQ(Entries(), entriesBefore);
    }

    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder.Path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(SaveFailureTest, FolderThatDoesNotExist) {
    ExpectFailedSave("no/such/folder/radio.dat");
}

TEST_F(SaveFailureTest, ChannelFileCannotBeReplacedSoTheOldPairStays) {
    folder.Write("radio.dat", "old data");
    fs::create_directory(folder.Path("radio.fre"));
    ExpectFailedSave("radio.dat");
    EXPECT_EQ(folder.Read("radio.dat"), "old data");
}

TEST_F(SaveFailureTest, DataFileCannotBeReplacedSoTheOldChannelFileComesBack) {
    fs::create_directory(folder.Path("radio.dat"));
    folder.Write("radio.fre", "old channels");
    ExpectFailedSave("radio.dat");
    EXPECT_EQ(folder.Read("radio.fre"), "old channels");
}

TEST_F(SaveFailureTest, NoChannelFileIsLeftWhenThereWasNone) {
    fs::create_directory(folder.Path("radio.dat"));
    ExpectFailedSave("radio.dat");
    EXPECT_FALSE(folder.Exists("radio.fre"));
}

TEST_F(SaveFailureTest, DataFileNamedLikeItsChannelFile) {
    ExpectFailedSave("radio.fre");
}

TEST_F(DataFileTest, SavingReplacesAnOlderPair) {
    auto doc = EditedDocument();
    ASSERT_TRUE(Save(*doc, "radio.dat"));
    doc->Doc.ChCount = 1;
    ASSERT_TRUE(Save(*doc, "radio.dat"));
    EXPECT_EQ(fs::file_size(folder.Path("radio.fre")), kChannelInfoSize);
    Document reopened;
    ASSERT_TRUE(Open(reopened, "radio.dat"));
    EXPECT_EQ(reopened.Doc.ChCount, 1);
}

} // namespace
} // namespace velmar
