// 200 random edits through the program's own change paths (SetChValue with
// its coupling rules, the channel commands, group names and valid flags, the
// optional features, tone tips with their reference repair, the embedded
// message, the reset mode), with document replacements, saves, changes of
// the group shown, and undo and redo among them. After every undo and redo
// the document is the one a plain list of whole states says, byte for byte;
// undone to the start it is the start.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "channels/change_labels.h"
#include "channels/channel_values.h"
#include "channels/clipboard.h"
#include "channels/group_names.h"
#include "channels/tone_tip_refs.h"
#include "model/data_file.h"
#include "model/document_history.h"
#include "model/full_document.h"
#include "settings/emb_msg.h"
#include "settings/opt_features.h"
#include "settings/reset_mode.h"
#include "settings/tone_tips.h"

namespace velmar {
namespace {

class QuietSink : public MessageSink {
public:
    MsgAnswer Show(const std::string&, MsgButtons, MsgIcon) override { return MsgAnswer::Ok; }
};

class NumberTexts : public TextLookup {
public:
    std::string GetText(int id) const override { return "#" + std::to_string(id); }
};

// A document as undo must give it back: the working copy and the snapshot
// in their file form, and the globals.
struct State {
    std::vector<std::uint8_t> Data, Channels;
    std::vector<std::uint8_t> SavedData, SavedChannels;
    std::string ModelName, BandText, DocFileName;
    bool IsNewDocument = false;
    RadioInfoRecord RadioInfo;
    friend bool operator==(const State&, const State&) = default;

    bool SameIdentity(const State& other) const {
        return SavedData == other.SavedData && SavedChannels == other.SavedChannels &&
               ModelName == other.ModelName && BandText == other.BandText &&
               DocFileName == other.DocFileName && IsNewDocument == other.IsNewDocument &&
               RadioInfo == other.RadioInfo;
    }
    void TakeIdentity(const State& other) {
        const std::vector<std::uint8_t> data = Data, channels = Channels;
        *this = other;
        Data = data;
        Channels = channels;
    }
};

State StateOf(const Document& doc) {
    DataFileBytes working = EncodeDataFiles(doc.Doc, doc.ChList);
    DataFileBytes saved = EncodeDataFiles(doc.SavedDoc, doc.SavedChList);
    return {working.Data, working.Channels, saved.Data,        saved.Channels, doc.ModelName,
            doc.BandText, doc.DocFileName,  doc.IsNewDocument, doc.RadioInfo};
}

// Whole states one after another: what the history must behave like.
class PlainStates {
public:
    explicit PlainStates(const State& start) : states_{start} {}

    void Record(const State& now) {
        if (now == states_[cursor_])
            return;
        states_.resize(cursor_ + 1);
        states_.push_back(now);
        ++cursor_;
    }
    void Fold(const State& now) {
        if (!now.SameIdentity(states_[cursor_])) {
            // every state of the same document takes the new identity
            const State old = states_[cursor_];
            for (std::size_t k = cursor_; k-- > 0 && states_[k].SameIdentity(old);)
                states_[k].TakeIdentity(now);
            for (std::size_t k = cursor_ + 1; k < states_.size() && states_[k].SameIdentity(old);
                 ++k)
                states_[k].TakeIdentity(now);
        }
        states_[cursor_] = now;
        for (std::size_t k = states_.size() - 1; k > 0; --k) {
            if (states_[k] == states_[k - 1]) {
                states_.erase(states_.begin() + static_cast<std::ptrdiff_t>(k));
                if (k <= cursor_)
                    --cursor_;
            }
        }
    }
    void FileWritten(const State& now) {
        Fold(now);
        if (!now.IsNewDocument)
            files_[now.DocFileName] = {now.SavedData, now.SavedChannels};
    }
    bool Undo() { return Move(-1); }
    bool Redo() { return Move(+1); }
    const State& Current() const { return states_[cursor_]; }
    std::size_t Cursor() const { return cursor_; }

private:
    bool Move(int by) {
        if ((by < 0 && cursor_ == 0) || (by > 0 && cursor_ + 1 == states_.size()))
            return false;
        const bool otherDocument = !states_[cursor_].SameIdentity(states_[cursor_ + by]);
        cursor_ += by;
        State now = states_[cursor_];
        const auto file = files_.find(now.DocFileName);
        if (otherDocument && !now.IsNewDocument && file != files_.end()) {
            now.SavedData = file->second.first;
            now.SavedChannels = file->second.second;
            Fold(now);
        }
        return true;
    }

    std::vector<State> states_;
    std::size_t cursor_ = 0;
    std::map<std::string, std::pair<std::vector<std::uint8_t>, std::vector<std::uint8_t>>> files_;
};

class RandomEdits : public ::testing::Test {
protected:
    std::mt19937 random{2024};
    std::unique_ptr<Document> doc = FullTestDocument();
    QuietSink sink;
    NumberTexts texts;
    ChannelViews views;
    ChannelEnv env{sink, texts, views, true};
    ChannelClipboard clipboard;
    EditPreferences prefs;
    DocumentHistory history;
    int files = 0;

    int Pick(int count) { return static_cast<int>(random() % static_cast<unsigned>(count)); }

    // One user action through a change path; its label and merge key.
    std::pair<StepLabel, std::string> Edit() {
        const int group = Pick(15);
        const int pos = 1 + Pick(GroupSize(group));
        const StepLabel label{StepText::FieldOfChannel, {NumberArg(GroupStartNo(group) + pos)}};
        switch (Pick(9)) {
        case 0: { // a receive frequency, new, changed, out of band or emptied
            const char* entries[] = {"26.5", "27.125", "29.99", "31", ""};
            std::string value = entries[Pick(5)];
            SetChValue(*doc, env, group, pos, ChField::RxFre, value);
            return {label, {}};
        }
        case 1: { // a tone, with its coupling rules
            SetChValue(*doc, env, group, pos, Pick(2) ? ChField::RxTone : ChField::TxTone,
                       Pick(265));
            return {label, {}};
        }
        case 2: {
            const int codes[] = {ChField::BusyLock,  ChField::AmFm, ChField::AmPower4W,
                                 ChField::RbTone,    ChField::Tsq,  ChField::ScanSkip,
                                 ChField::OptSignal, ChField::TxFre};
            const int code = codes[Pick(8)];
            if (code == ChField::TxFre) {
                std::string offset = Pick(2) ? "+0.1" : "-0.01";
                SetChValue(*doc, env, group, pos, code, offset);
            } else {
                SetChValue(*doc, env, group, pos, code, Pick(3));
            }
            return {label, {}};
        }
        case 3: { // a channel command
            prefs.DeleteNoAsk = prefs.PasteNoAsk = true;
            prefs.DeleteRemoves = Pick(2);
            prefs.PasteInserts = Pick(2);
            ChEditContext context{*doc, clipboard, prefs, nullptr};
            const auto command = static_cast<ChEditCommand>(1 + Pick(7));
            RunChEditCommand(command, context, group, pos);
            return {ChEditLabel(command, GroupStartNo(group) + pos), {}};
        }
        case 4: { // a group name typed key by key: one step
            const int g = Pick(13);
            std::string typed;
            for (int k = 0, n = 1 + Pick(6); k < n; ++k) {
                typed.push_back(static_cast<char>('A' + Pick(26)));
                SetGroupName(doc->Doc, g, typed);
                history.Record(*doc, {StepText::GroupName, {NumberArg(g)}},
                               "group " + std::to_string(g));
            }
            return {{StepText::GroupName, {NumberArg(g)}}, "group " + std::to_string(g)};
        }
        case 5:
            SetGroupValid(doc->Doc, Pick(14), Pick(2));
            return {{StepText::GroupValid, {}}, {}};
        case 6: {
            const auto& rows = Pick(2) ? OptLeftRows() : OptCommonRows();
            const OptRow& row = rows[static_cast<std::size_t>(Pick(static_cast<int>(rows.size())))];
            SaveOptFeat(doc->Doc, row.Combo, Pick(3));
            if (!row.Checks.empty())
                SaveOptFeat(doc->Doc, kOptCheckBase + row.Checks[0].Check, Pick(2));
            return {{StepText::OptFeatures, {}}, {}};
        }
        case 7: { // a tone tip, then the references repaired
            const int tip = 1 + Pick(8);
            if (Pick(2))
                SetTipRepeat(doc->Doc, tip, Pick(3));
            else
                SetTipLength(doc->Doc, tip, 1 + Pick(14), Pick(3));
            CheckToneTipRefs(*doc, views);
            return {{StepText::ToneTip, {NumberArg(tip)}}, {}};
        }
        default: {
            if (Pick(2)) {
                doc->Doc.EmbMsg[Pick(4)] = EmbMsgStoredLine(Pick(2) ? "HELLO" : "");
                return {{StepText::EmbMsgLine, {}}, {}};
            }
            ResetModeLists lists;
            ReShowInit(lists, doc->Doc);
            GroupChoice& groups = lists.GroupLists[static_cast<int>(ResetMode::Normal)];
            if (!groups.List.Entries.empty()) {
                groups.List.Selected = Pick(static_cast<int>(groups.List.Entries.size()));
                GroupChosen(lists, doc->Doc, ResetMode::Normal);
            }
            return {{StepText::ResetMode, {}}, {}};
        }
        }
    }

    // Another document, as Open, New or a read replace it.
    void Replace() {
        const std::string name = "/data/file" + std::to_string(++files) + ".dat";
        doc->SavedDoc = doc->Doc;
        doc->SavedDoc.EmbMsg[0] = MakeFixStr<16>(name);
        doc->SavedDoc.ChCount = static_cast<std::int16_t>(Pick(30));
        for (int i = 0; i < doc->SavedDoc.ChCount; ++i)
            doc->SavedChList[i] = doc->ChList[(i * 17) % kMaxChannels];
        AdoptDocument(*doc);
        doc->DocFileName = name;
        doc->IsNewDocument = Pick(2);
        doc->RadioInfo.SerialNo = MakeFixStr<16>(name);
    }

    void RunOnce();

    void Save() {
        SnapshotDocument(*doc);
        doc->DocFileName = "/data/saved" + std::to_string(++files) + ".dat";
        doc->IsNewDocument = false;
    }
};

TEST_F(RandomEdits, UndoAndRedoGiveBackEveryStateAndTheStart) {
    for (unsigned seed : {2024u, 7u, 99u}) {
        SCOPED_TRACE(seed);
        random.seed(seed);
        doc = FullTestDocument();
        RunOnce();
    }
}

void RandomEdits::RunOnce() {
    history = DocumentHistory();
    clipboard = ChannelClipboard();
    history.Reset(*doc);
    const State start = StateOf(*doc);
    PlainStates plain(start);
    int edits = 0;
    while (edits < 200) {
        const int action = Pick(20);
        if (action < 12) {
            const auto [label, key] = Edit();
            history.Record(*doc, label, key);
            history.EndMerge(); // the focus leaves the box
            plain.Record(StateOf(*doc));
            ++edits;
        } else if (action == 12) { // a save: no step of its own
            Save();
            history.FileWritten(*doc);
            plain.FileWritten(StateOf(*doc));
        } else if (action == 13) { // Open, New or a read
            Replace();
            history.Record(*doc, {StepText::Open, {}});
            plain.Record(StateOf(*doc));
            if (Pick(2)) { // the file was read
                history.FileWritten(*doc);
                plain.FileWritten(StateOf(*doc));
            }
            ++edits;
        } else if (action < 15 && plain.Cursor() > 0) {
            // the grid shows another group: the state folds
            doc->Doc.OptFeatures.Word(OptWord::CurGroup) = static_cast<std::int16_t>(Pick(15));
            history.Fold(*doc);
            plain.Fold(StateOf(*doc));
        } else {
            const bool undo = action < 18;
            ASSERT_EQ(undo ? history.Undo(*doc) : history.Redo(*doc),
                      undo ? plain.Undo() : plain.Redo());
        }
        ASSERT_EQ(StateOf(*doc), plain.Current()) << "after " << edits << " edits";
    }
    while (history.CanRedo())
        ASSERT_TRUE(history.Redo(*doc) && plain.Redo());
    ASSERT_EQ(StateOf(*doc), plain.Current());
    while (history.Undo(*doc)) {
        ASSERT_TRUE(plain.Undo());
        ASSERT_EQ(StateOf(*doc), plain.Current());
    }
    EXPECT_EQ(plain.Cursor(), 0u);
    // The working copy is the start's; a save made on the way holds for it.
    EXPECT_EQ(StateOf(*doc).Data, start.Data);
    EXPECT_EQ(StateOf(*doc).Channels, start.Channels);
}

} // namespace
} // namespace velmar
