#include <functional>

#include <gtest/gtest.h>

#include "model/doc_compare.h"
#include "model_fakes.h"

namespace velmar {
namespace {

struct Edit {
    const char* what;
    std::function<void(Document&)> apply;
};

TEST(DocCompare, AFreshSnapshotIsUnchanged) {
    const auto doc = NewTestDocument();
    EXPECT_TRUE(IsDocUnchanged(*doc));
    EXPECT_FALSE(IsDocChanged(*doc));
}

TEST(DocCompare, EditsOfTheUserCountAsChanges) {
    const std::vector<Edit> edits = {
        {"ExtOption", [](Document& d) { d.Doc.ExtOption = 0; }},
        {"added channel", [](Document& d) { d.ChList[d.Doc.ChCount++] = NewChannelInfo(167); }},
        {"channel tone", [](Document& d) { d.ChList[1].RxTone = 12; }},
        {"channel frequency", [](Document& d) { d.ChList[0].RxFre = MakeFixStr<8>("02700000"); }},
        {"channel offset", [](Document& d) { d.ChList[0].Offset = MakeFixStr<7>("0460000"); }},
        {"channel replaced by another number", [](Document& d) { d.ChList[1].ChNo = 522; }},
        {"band code", [](Document& d) { d.Doc.ModelInfo.BandCode = 2; }},
        {"model name", [](Document& d) { d.Doc.ModelInfo.Name = MakeFixStr<7>("KAVRO2"); }},
        {"embedded message", [](Document& d) { d.Doc.EmbMsg[3] = MakeFixStr<16>("HELLO"); }},
        {"key settings", [](Document& d) { d.Doc.KeySettings[5] = 1; }},
        {"scan settings", [](Document& d) { d.Doc.ScanSettings[0] = 1; }},
        {"alert settings", [](Document& d) { d.Doc.AlertSettings[10] = 1; }},
        {"option word", [](Document& d) { d.Doc.OptFeatures.Word(OptWord::VoxDelay) = 2; }},
        {"emergency channel", [](Document& d) { d.Doc.OptFeatures.EmgCh[25] = 4; }},
        {"emergency mode", [](Document& d) { d.Doc.OptFeatures.EmgChMode[0] = 1; }},
        {"radio label", [](Document& d) { d.Doc.OptFeatures.RadioLabel = MakeFixStr<16>("X"); }},
        {"common TSQ", [](Document& d) { d.Doc.OptFeatures.OptChannel.Tsq = 1; }},
        {"common FM power", [](Document& d) { d.Doc.OptFeatures.OptChannel.FmPower50W = 1; }},
        {"DTMF memory code", [](Document& d) { d.Doc.DtmfSettings.MemCodes[3].Length = 2; }},
        {"DTMF ID code", [](Document& d) { d.Doc.DtmfSettings.IdCode = MakeFixStr<10>("001"); }},
        {"test frequency",
         [](Document& d) { d.Doc.TestFreList[1].TxFre = MakeFixStr<8>("02700000"); }},
        {"group name", [](Document& d) { d.Doc.GroupNames[7] = MakeFixStr<6>("F"); }},
        {"reset flag", [](Document& d) { d.Doc.ResetFlags[13] = 0; }},
        {"tone tip", [](Document& d) { d.Doc.ToneTips[7].Interval = 5; }},
    };
    for (const Edit& edit : edits) {
        auto doc = NewTestDocument();
        edit.apply(*doc);
        EXPECT_FALSE(IsDocUnchanged(*doc)) << edit.what;
    }
}

TEST(DocCompare, WhatTheUserCannotSeeIsNoChange) {
    const std::vector<Edit> edits = {
        {"version tag", [](Document& d) { d.Doc.Version = MakeFixStr<4>("V101"); }},
        {"FM radio list", [](Document& d) { d.Doc.FmRadioList[3].Flag = 0; }},
        {"ChEmpty", [](Document& d) { d.ChList[0].ChEmpty = 1; }},
        {"offset NULs against blanks", [](Document& d) { d.ChList[0].Offset.fill(' '); }},
        {"text cut at its NUL",
         [](Document& d) { d.Doc.EmbMsg[0] = MakeFixStr<16>(std::string_view("\0garbage", 8)); }},
        {"group name padding",
         [](Document& d) { d.Doc.GroupNames[1] = MakeFixStr<6>(std::string_view("UK\0\0", 4)); }},
        {"common roger-beep tone", [](Document& d) { d.Doc.OptFeatures.OptChannel.RbTone = 3; }},
        {"common channel number", [](Document& d) { d.Doc.OptFeatures.OptChannel.ChNo = 9; }},
        {"ID code beyond its length",
         [](Document& d) { d.Doc.DtmfSettings.IdCode = MakeFixStr<10>("000999"); }},
        {"channels in another order", [](Document& d) { std::swap(d.ChList[0], d.ChList[1]); }},
        {"channel beyond the count", [](Document& d) { d.ChList[5].RxTone = 9; }},
        {"edit undone by hand",
         [](Document& d) {
             d.ChList[0].RxTone = 12;
             d.ChList[0].RxTone = 0;
         }},
    };
    for (const Edit& edit : edits) {
        auto doc = NewTestDocument();
        edit.apply(*doc);
        EXPECT_TRUE(IsDocUnchanged(*doc)) << edit.what;
    }
}

} // namespace
} // namespace velmar
