// The document history: every step undone gives back the document byte for
// byte (its data files and the globals that go with it) and redone gives the
// changed one; typing is one step; changes nobody made as such join their
// neighbours; a save holds for every state of the saved document; 200 steps
// of a full document take little memory.
#include "model/document_history.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "model/data_file.h"
#include "model/doc_compare.h"
#include "model/full_document.h"

namespace velmar {
namespace {

// What a user sees of a document, in the file form of its records.
struct Seen {
    std::vector<std::uint8_t> Data, Channels, SavedData, SavedChannels;
    std::string ModelName, BandText, DocFileName;
    double BandLow = 0, BandHigh = 0;
    bool IsNewDocument = false;
    RadioInfoRecord RadioInfo;
    friend bool operator==(const Seen&, const Seen&) = default;
};

Seen SeenOf(const Document& doc) {
    DataFileBytes working = EncodeDataFiles(doc.Doc, doc.ChList);
    DataFileBytes saved = EncodeDataFiles(doc.SavedDoc, doc.SavedChList);
    return {working.Data,  working.Channels,  saved.Data,      saved.Channels,
            doc.ModelName, doc.BandText,      doc.DocFileName, doc.BandLow,
            doc.BandHigh,  doc.IsNewDocument, doc.RadioInfo};
}

class MapTexts : public TextLookup {
public:
    std::map<int, std::string> Texts;
    std::string GetText(int id) const override {
        const auto found = Texts.find(id);
        return found == Texts.end() ? "#" + std::to_string(id) : found->second;
    }
};

const StepLabel kEdit{StepText::OptFeatures, {}};

// A save as it changes the document: the snapshot taken, the file named.
void Save(Document& doc, const std::string& fileName) {
    SnapshotDocument(doc);
    doc.DocFileName = fileName;
    doc.IsNewDocument = false;
}

// Another document taken in whole, as Open does.
void ReplaceBy(Document& doc, const std::string& fileName, int seed) {
    doc.SavedDoc.EmbMsg[0] = MakeFixStr<16>("FILE " + std::to_string(seed));
    doc.SavedDoc.ChCount = static_cast<std::int16_t>(seed % 7);
    for (int i = 0; i < doc.SavedDoc.ChCount; ++i) {
        doc.SavedChList[i] = NewChannelInfo(200 + i);
        doc.SavedChList[i].RxFre = MakeFixStr<8>("0270000" + std::to_string(i));
    }
    AdoptDocument(doc);
    doc.DocFileName = fileName;
    doc.IsNewDocument = false;
}

class DocumentHistoryTest : public ::testing::Test {
protected:
    std::unique_ptr<Document> doc = FullTestDocument();
    DocumentHistory history;

    void SetUp() override { history.Reset(*doc); }

    // Runs `change` as one step and checks undo and redo around it.
    void ExpectUndoable(const char* name, const std::function<void(Document&)>& change) {
        SCOPED_TRACE(name);
        const Seen before = SeenOf(*doc);
        change(*doc);
        const Seen after = SeenOf(*doc);
        ASSERT_NE(before, after);
        history.Record(*doc, kEdit);
        ASSERT_TRUE(history.Undo(*doc));
        EXPECT_EQ(SeenOf(*doc), before);
        ASSERT_TRUE(history.Redo(*doc));
        EXPECT_EQ(SeenOf(*doc), after);
    }
};

TEST_F(DocumentHistoryTest, EveryKindOfChangeIsUndoneByteForByte) {
    const struct {
        const char* name;
        std::function<void(Document&)> change;
    } changes[] = {
        {"one field of a channel", [](Document& d) { d.ChList[130].RxTone = 12; }},
        {"a channel removed from the middle",
         [](Document& d) {
             std::copy(d.ChList.begin() + 201, d.ChList.end(), d.ChList.begin() + 200);
             --d.Doc.ChCount;
         }},
        {"a channel added at the end",
         [](Document& d) {
             ChannelInfo ch = NewChannelInfo(201);
             ch.RxFre = MakeFixStr<8>("02712500");
             d.ChList[d.Doc.ChCount++] = ch;
         }},
        {"the group renumbered",
         [](Document& d) {
             for (int i = 120; i < 160; ++i)
                 --d.ChList[i].ChNo;
         }},
        {"a setting", [](Document& d) { d.Doc.OptFeatures.Word(OptWord::TotTime) = 45; }},
        {"embedded message", [](Document& d) { d.Doc.EmbMsg[2] = MakeFixStr<16>("HELLO"); }},
        {"another document", [](Document& d) { ReplaceBy(d, "/data/other.dat", 3); }},
        {"model, band and radio information",
         [](Document& d) {
             d.ModelName = "OTHER";
             d.BandText.clear();
             d.BandLow = d.BandHigh = 0;
             d.RadioInfo.SerialNo = MakeFixStr<16>("SN 42");
             d.RadioInfo.ModelText = "FROM RADIO";
         }},
        {"every channel gone", [](Document& d) { d.Doc.ChCount = 0; }},
    };
    for (const auto& [name, change] : changes)
        ExpectUndoable(name, change);
}

TEST_F(DocumentHistoryTest, RunsUndoneToTheStartGiveTheStart) {
    const Seen start = SeenOf(*doc);
    std::vector<Seen> states{start};
    for (int i = 0; i < 150; ++i) {
        ChannelInfo& ch = doc->ChList[(i * 37) % doc->Doc.ChCount];
        ch.RxTone = static_cast<std::int16_t>((ch.RxTone + 1) % 265);
        if (i % 10 == 3) // and now and then a channel less
            doc->Doc.ChCount = static_cast<std::int16_t>(doc->Doc.ChCount - 1);
        history.Record(*doc, kEdit);
        states.push_back(SeenOf(*doc));
    }
    for (std::size_t k = states.size() - 1; k-- > 0;) {
        ASSERT_TRUE(history.Undo(*doc));
        ASSERT_EQ(SeenOf(*doc), states[k]) << "state " << k;
    }
    EXPECT_FALSE(history.Undo(*doc));
    for (std::size_t k = 1; k < states.size(); ++k) {
        ASSERT_TRUE(history.Redo(*doc));
        ASSERT_EQ(SeenOf(*doc), states[k]) << "state " << k;
    }
    EXPECT_FALSE(history.Redo(*doc));
}

TEST_F(DocumentHistoryTest, NoChangeNoStepAndANewStepDropsTheUndoneOnes) {
    history.Record(*doc, kEdit);
    EXPECT_FALSE(history.CanUndo());
    doc->ChList[5].ScanSkip = 1;
    history.Record(*doc, kEdit);
    doc->ChList[6].ScanSkip = 1;
    history.Record(*doc, kEdit);
    ASSERT_TRUE(history.Undo(*doc));
    EXPECT_EQ(history.RedoCount(), 1u);
    doc->ChList[7].ScanSkip = 1;
    history.Record(*doc, kEdit);
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.UndoCount(), 2u);
    EXPECT_EQ(doc->ChList[6].ScanSkip, 0);
}

TEST_F(DocumentHistoryTest, TypingInOneBoxIsOneStep) {
    const Seen start = SeenOf(*doc);
    const FixStr<16> lastLine = doc->Doc.EmbMsg[3];
    const StepLabel line{StepText::EmbMsgLine, {NumberArg(1)}};
    for (const char* typed : {"H", "HE", "HEL", "HELL", "HELLO"}) {
        doc->Doc.EmbMsg[0] = MakeFixStr<16>(typed);
        history.Record(*doc, line, "EmbMsg0");
    }
    EXPECT_EQ(history.UndoCount(), 1u);
    const Seen typed = SeenOf(*doc);

    // Another box, or the focus leaving, starts a step of its own.
    doc->Doc.EmbMsg[1] = MakeFixStr<16>("X");
    history.Record(*doc, line, "EmbMsg1");
    history.EndMerge();
    doc->Doc.EmbMsg[1] = MakeFixStr<16>("XY");
    history.Record(*doc, line, "EmbMsg1");
    EXPECT_EQ(history.UndoCount(), 3u);

    history.Undo(*doc);
    history.Undo(*doc);
    EXPECT_EQ(SeenOf(*doc), typed);
    history.Undo(*doc);
    EXPECT_EQ(SeenOf(*doc), start);

    // Typed and typed away again: no step is left.
    history.Redo(*doc);
    history.Undo(*doc);
    doc->Doc.EmbMsg[3] = MakeFixStr<16>("Z");
    history.Record(*doc, line, "EmbMsg3");
    doc->Doc.EmbMsg[3] = lastLine;
    history.Record(*doc, line, "EmbMsg3");
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(SeenOf(*doc), start);
}

TEST_F(DocumentHistoryTest, FoldedChangesGoWithTheirNeighbours) {
    const Seen start = SeenOf(*doc);
    const std::int16_t tone = doc->ChList[130].RxTone;
    doc->ChList[130].RxTone = 12;
    history.Record(*doc, kEdit);
    // The grid shows another group: no step of its own.
    doc->Doc.OptFeatures.Word(OptWord::CurGroup) = 5;
    history.Fold(*doc);
    const Seen shown = SeenOf(*doc);
    EXPECT_EQ(history.UndoCount(), 1u);
    ASSERT_TRUE(history.Undo(*doc));
    EXPECT_EQ(SeenOf(*doc), start);

    // Folded before a step that was undone, the redo still gives that step.
    doc->Doc.OptFeatures.Word(OptWord::CurGroup) = 7;
    history.Fold(*doc);
    ASSERT_TRUE(history.Redo(*doc));
    EXPECT_EQ(SeenOf(*doc), shown);
    ASSERT_TRUE(history.Undo(*doc));
    EXPECT_EQ(doc->Doc.OptFeatures.Word(OptWord::CurGroup), 7);

    // A fold that takes back the whole step leaves no step.
    history.Redo(*doc);
    doc->ChList[130].RxTone = tone;
    doc->Doc.OptFeatures.Word(OptWord::CurGroup) = 7;
    history.Fold(*doc);
    EXPECT_FALSE(history.CanUndo());
}

TEST_F(DocumentHistoryTest, ASaveHoldsForEveryStateOfTheSavedDocument) {
    doc->ChList[10].RxTone = 3;
    history.Record(*doc, kEdit);
    doc->ChList[11].RxTone = 4;
    history.Record(*doc, kEdit);
    Save(*doc, "/data/radio.dat");
    history.FileWritten(*doc);
    EXPECT_TRUE(IsDocUnchanged(*doc));

    ASSERT_TRUE(history.Undo(*doc));
    EXPECT_EQ(doc->DocFileName, "/data/radio.dat"); // the file it was saved as
    EXPECT_FALSE(doc->IsNewDocument);
    EXPECT_TRUE(IsDocChanged(*doc));
    ASSERT_TRUE(history.Undo(*doc));
    EXPECT_EQ(doc->DocFileName, "/data/radio.dat");
    ASSERT_TRUE(history.Redo(*doc));
    ASSERT_TRUE(history.Redo(*doc));
    EXPECT_TRUE(IsDocUnchanged(*doc)); // back at the saved state

    // Another document, then back: the saved document as it was saved.
    const Seen saved = SeenOf(*doc);
    ReplaceBy(*doc, "/data/other.dat", 4);
    history.Record(*doc, {StepText::Open, {}});
    history.FileWritten(*doc);
    ASSERT_TRUE(history.Undo(*doc));
    EXPECT_EQ(SeenOf(*doc), saved);
    EXPECT_TRUE(IsDocUnchanged(*doc));
    ASSERT_TRUE(history.Redo(*doc));
    EXPECT_EQ(doc->DocFileName, "/data/other.dat");
    EXPECT_TRUE(IsDocUnchanged(*doc));
}

TEST_F(DocumentHistoryTest, AFileSavedFromAnotherDocumentIsWhatItsDocumentComesBackTo) {
    Save(*doc, "/data/a.dat");
    history.FileWritten(*doc);
    ReplaceBy(*doc, "/data/b.dat", 5);
    history.Record(*doc, {StepText::Open, {}});
    // The second document is saved over the file of the first one.
    doc->Doc.EmbMsg[0] = MakeFixStr<16>("B OVER A");
    history.Record(*doc, kEdit);
    Save(*doc, "/data/a.dat");
    history.FileWritten(*doc);
    const DocRecord written = doc->SavedDoc;

    ASSERT_TRUE(history.Undo(*doc)); // the edit: still named a.dat, now changed
    EXPECT_EQ(doc->DocFileName, "/data/a.dat");
    ASSERT_TRUE(history.Undo(*doc)); // the open: the first document, whose file changed
    EXPECT_EQ(doc->DocFileName, "/data/a.dat");
    EXPECT_TRUE(doc->SavedDoc == written);
    EXPECT_TRUE(IsDocChanged(*doc)); // its content is not what a.dat holds now
}

TEST_F(DocumentHistoryTest, KeepsTheLast200Steps) {
    std::vector<Seen> states{SeenOf(*doc)};
    for (int i = 0; i < 250; ++i) {
        doc->ChList[i].TxTone = static_cast<std::int16_t>((doc->ChList[i].TxTone + 1) % 265);
        history.Record(*doc, {StepText::FieldOfChannel, {NumberArg(i + 1)}});
        states.push_back(SeenOf(*doc));
    }
    EXPECT_EQ(history.UndoCount(), DocumentHistory::kDefaultLimit);
    while (history.Undo(*doc)) {
    }
    EXPECT_EQ(SeenOf(*doc), states[250 - DocumentHistory::kDefaultLimit]);
    ASSERT_TRUE(history.RedoLabel());
    EXPECT_EQ(history.RedoLabel()->Args[0].Value, 51);
}

TEST_F(DocumentHistoryTest, TwoHundredStepsOfAFullDocumentTakeLittleMemory) {
    const std::size_t base = history.MemoryBytes();
    // Field changes, deletions, insertions and renumbering, over the whole list.
    for (int i = 0; i < 200; ++i) {
        switch (i % 4) {
        case 0:
            doc->ChList[(i * 13) % 500].RxTone ^= 0x100;
            break;
        case 1:
            std::copy(doc->ChList.begin() + 10 + i, doc->ChList.end(), doc->ChList.begin() + 9 + i);
            --doc->Doc.ChCount;
            break;
        case 2:
            std::copy_backward(doc->ChList.begin() + i, doc->ChList.end() - 1, doc->ChList.end());
            doc->ChList[i].RxFre = MakeFixStr<8>("02777700");
            ++doc->Doc.ChCount;
            break;
        default:
            for (int k = 0; k < 40; ++k)
                ++doc->ChList[(i + k) % 400].ChNo;
        }
        history.Record(*doc, kEdit);
    }
    EXPECT_EQ(history.UndoCount(), 200u);
    // The whole document is about 59 KB, held twice (working copy and
    // snapshot); the 200 steps together take less than a second copy of it.
    EXPECT_LT(history.MemoryBytes() - base, 150'000u);
}

TEST(StepLabel, TellsWhatTheMenuEntryUndoes) {
    MapTexts texts;
    texts.Texts = {{10230, "&Undo"},
                   {10233, "Re&do %1"},
                   {32300, "%1 of channel %2"},
                   {32301, "receive frequency"},
                   {32331, "paste to channel %1"}};
    const StepLabel rx{StepText::FieldOfChannel, {TextArg(32301), NumberArg(130)}};
    EXPECT_EQ(StepLabelText(rx, texts), "receive frequency of channel 130");
    EXPECT_EQ(UndoEntryText(nullptr, false, texts), "&Undo");
    const StepLabel paste{StepText::PasteChannel, {NumberArg(7)}};
    EXPECT_EQ(UndoEntryText(&paste, true, texts), "Re&do paste to channel 7");
}

} // namespace
} // namespace velmar
