#include <filesystem>

#include <gtest/gtest.h>

#include "model/data_file.h"
#include "model/doc_compare.h"
#include "model/new_document.h"
#include "model/template_files.h"
#include "model_fakes.h"
#include "shell/temp_folder.h"

namespace velmar {
namespace {

namespace fs = std::filesystem;

class NewDocumentTest : public ::testing::Test {
protected:
    // Saves a template into Init/ whose document has `channels` channels and
    // `marker` as its first group name.
    void WriteTemplate(const std::string& name, int channels, const std::string& marker) {
        fs::create_directories(folder.Path("Init"));
        auto doc = NewTestDocument();
        doc->Doc.ChCount = 0;
        for (int n = 1; n <= channels; ++n) {
            doc->ChList[doc->Doc.ChCount] = NewChannelInfo(n);
            doc->ChList[doc->Doc.ChCount++].RxFre = MakeFixStr<8>("02700000");
        }
        doc->Doc.GroupNames[0] = MakeFixStr<6>(marker);
        ASSERT_TRUE(SaveDocumentFile(*doc, folder.Path("Init/" + name), texts, sink));
    }

    std::unique_ptr<Document> MakeNew(bool initSettings = false, std::string model = "KAVRO") {
        auto doc = std::make_unique<Document>();
        doc->ModelName = model;
        doc->InitSettingsMode = initSettings;
        doc->DocFileName = "/somewhere/old.dat";
        doc->IsNewDocument = false;
        InitNewDocument(*doc, folder.Path(), 5, texts, sink);
        return doc;
    }

    static std::string FirstGroupName(const Document& doc) {
        return TrimFixStr(doc.Doc.GroupNames[0]);
    }

    TempFolder folder;
    RecordingSink sink;
    IdTexts texts;
};

TEST_F(NewDocumentTest, TemplateNamesFollowModelBandAndMode) {
    Document doc;
    EXPECT_EQ(TemplateFileName(doc, "/prog"), "/prog/Init/KAVRO_1_NEW.dat");
    doc.InitSettingsMode = true;
    EXPECT_EQ(TemplateFileName(doc, "/prog"), "/prog/Init/KAVRO_1.dat");
    doc.BandText = "unknown";
    EXPECT_EQ(TemplateFileName(doc, "/prog"), "/prog/Init/KAVRO_0.dat");
}

TEST_F(NewDocumentTest, WithoutTemplatesTheInitialValuesStand) {
    const auto doc = MakeNew();
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_TRUE(doc->IsNewDocument);
    EXPECT_EQ(doc->DocFileName, "new.dat");
    ASSERT_EQ(doc->Doc.ChCount, 2);
    EXPECT_EQ(doc->ChList[0].ChNo, 1);
    EXPECT_EQ(doc->ChList[1].ChNo, 521);
    EXPECT_EQ(TrimFixStr(doc->ChList[1].RxFre), "02786000");
    EXPECT_TRUE(IsDocUnchanged(*doc));
}

TEST_F(NewDocumentTest, TheTemplateOfTheModelIsTaken) {
    WriteTemplate("KAVRO_1_NEW.dat", 3, "NEW");
    WriteTemplate("KAVRO_1.dat", 4, "INIT");
    const auto ordinary = MakeNew();
    EXPECT_EQ(FirstGroupName(*ordinary), "NEW");
    EXPECT_EQ(ordinary->Doc.ChCount, 3);
    EXPECT_TRUE(ordinary->IsNewDocument);
    EXPECT_EQ(ordinary->DocFileName, "new.dat");
    EXPECT_TRUE(IsDocUnchanged(*ordinary));

    const auto initSettings = MakeNew(true);
    EXPECT_EQ(FirstGroupName(*initSettings), "INIT");
    EXPECT_EQ(initSettings->Doc.ChCount, 4);
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(NewDocumentTest, WithoutItsTemplateTheDefaultModelTakesOnlyTheSettings) {
    WriteTemplate("KAVRO_1.dat", 4, "INIT");
    const auto doc = MakeNew();
    EXPECT_EQ(FirstGroupName(*doc), "INIT");
    EXPECT_EQ(doc->Doc.ChCount, 0);
    EXPECT_EQ(doc->SavedDoc.ChCount, 0);
    EXPECT_TRUE(IsDocUnchanged(*doc));
}

TEST_F(NewDocumentTest, AnotherModelKeepsTheInitialValues) {
    WriteTemplate("KAVRO_1.dat", 4, "INIT");
    const auto doc = MakeNew(false, "OTHER");
    EXPECT_EQ(FirstGroupName(*doc), "E");
    EXPECT_EQ(doc->Doc.ChCount, 2);
    EXPECT_EQ(TrimFixStr(doc->Doc.ModelInfo.Name), "OTHER");
}

TEST_F(NewDocumentTest, AModelNameWithAPathTakesNoTemplate) {
    WriteTemplate("KAVRO_1_NEW.dat", 3, "NEW");
    fs::create_directories(folder.Path("Init/x"));
    fs::copy(folder.Path("Init/KAVRO_1_NEW.dat"), folder.Path("Init/x/y_1_NEW.dat"));
    fs::copy(folder.Path("Init/KAVRO_1_NEW.fre"), folder.Path("Init/x/y_1_NEW.fre"));
    const auto doc = MakeNew(false, "x/y");
    EXPECT_EQ(FirstGroupName(*doc), "E");
}

TEST_F(NewDocumentTest, ADamagedTemplateIsReportedAndTheInitialValuesStand) {
    folder.Write("Init/KAVRO_1_NEW.dat", std::string(100, 'x'));
    const auto doc = MakeNew();
    EXPECT_EQ(sink.shown, std::vector<std::string>{"#9033"});
    EXPECT_EQ(doc->Doc.ChCount, 2);
    EXPECT_EQ(FirstGroupName(*doc), "E");
    EXPECT_TRUE(IsDocUnchanged(*doc));
}

// The shipped templates are what the program makes of its initial values now,
// and they open as ordinary data files.
TEST(ShippedTemplates, MatchTheInitialValuesAndOpen) {
    const fs::path initFolder = fs::path(VELMAR_SOURCE_DIR) / "data" / "Init";
    TempFolder scratch;
    for (const TemplateFile& file : BuildTemplateFiles()) {
        const std::string shipped = scratch.Read((initFolder / file.Name).string());
        EXPECT_TRUE(shipped == std::string(file.Bytes.begin(), file.Bytes.end()))
            << file.Name << " differs from the initial values; run velmar-make-templates";
    }

    RecordingSink sink;
    IdTexts texts;
    const VersionTable versions(std::vector<CompatPair>{{"V102", "V102"}});
    for (const char* name : {"KAVRO_1_NEW.dat", "KAVRO_1.dat"}) {
        Document doc;
        EXPECT_TRUE(OpenDocumentFile(doc, (initFolder / name).string(), versions, texts, sink))
            << name;
    }
    EXPECT_TRUE(sink.shown.empty());
}

TEST(ShippedTemplates, GiveTheNewDocumentItsTwoChannels) {
    RecordingSink sink;
    IdTexts texts;
    Document doc;
    InitNewDocument(doc, (fs::path(VELMAR_SOURCE_DIR) / "data").string(), 5, texts, sink);
    EXPECT_TRUE(sink.shown.empty());
    ASSERT_EQ(doc.Doc.ChCount, 2);
    EXPECT_EQ(doc.ChList[1].ChNo, 521);
    doc.InitSettingsMode = true;
    InitNewDocument(doc, (fs::path(VELMAR_SOURCE_DIR) / "data").string(), 5, texts, sink);
    EXPECT_EQ(doc.Doc.ChCount, 0);
}

} // namespace
} // namespace velmar
