// Rules of the embedded-message, model and radio-information windows.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "model/document.h"
#include "settings/emb_msg.h"
#include "settings/model_choice.h"
#include "settings/radio_info_view.h"

namespace velmar {
namespace {

std::string Bytes(const FixStr<kEmbMsgLineLength>& line) {
    return std::string(line.data(), line.size());
}

TEST(EmbMsgTest, LinesAreStoredWithANulAndBlanks) {
    const struct {
        std::string typed, stored;
    } cases[] = {
        {"HELLO", std::string("HELLO") + '\0' + std::string(10, ' ')},
        {"", std::string(1, '\0') + std::string(15, ' ')},
        {"0123456789ABCDEF", "0123456789ABCDEF"},
        {"0123456789ABCDEFG", "0123456789ABCDEF"},
        {"A  ", std::string("A  ") + '\0' + std::string(12, ' ')},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Bytes(EmbMsgStoredLine(c.typed)), c.stored) << c.typed;
}

TEST(EmbMsgTest, OpeningRewritesEachLineInItsStoredForm) {
    DocRecord doc;
    doc.EmbMsg[0] = MakeFixStr<16>("HI   ");
    doc.EmbMsg[1] = MakeFixStr<16>(std::string("AB") + '\0' + "junk");
    doc.EmbMsg[2] = MakeFixStr<16>("");
    doc.EmbMsg[3] = MakeFixStr<16>("0123456789ABCDEF");
    NormalizeEmbMsg(doc);
    EXPECT_EQ(Bytes(doc.EmbMsg[0]), Bytes(EmbMsgStoredLine("HI")));
    EXPECT_EQ(Bytes(doc.EmbMsg[1]), Bytes(EmbMsgStoredLine("AB")));
    EXPECT_EQ(Bytes(doc.EmbMsg[2]), Bytes(EmbMsgStoredLine("")));
    EXPECT_EQ(Bytes(doc.EmbMsg[3]), "0123456789ABCDEF");
}

TEST(EmbMsgTest, OnlyAsciiKeysPassAndNotCutCopyPaste) {
    const struct {
        char32_t key;
        bool allowed;
    } cases[] = {{U'A', true}, {U' ', true}, {U'~', true}, {127, true},   {8, true},
                 {3, false},   {22, false},  {24, false},  {U'é', false}, {U'中', false}};
    for (const auto& c : cases)
        EXPECT_EQ(IsEmbMsgKeyAllowed(c.key), c.allowed) << static_cast<int>(c.key);
}

TEST(ModelChoiceTest, TheModelOffersItsBand) {
    EXPECT_EQ(ModelList(), std::vector<std::string>{"KAVRO"});
    EXPECT_EQ(BandListOf("KAVRO"), std::vector<std::string>{"25.615 - 30.105 MHz"});
    EXPECT_TRUE(BandListOf("OTHER").empty());
    EXPECT_TRUE(BandListOf("kavro").empty());
}

TEST(ModelChoiceTest, AChangeIsAnyDifferenceInModelOrBand) {
    Document document;
    EXPECT_FALSE(IsModelChange(document, "KAVRO", "25.615 - 30.105 MHz"));
    EXPECT_TRUE(IsModelChange(document, "KAVRO", ""));
    EXPECT_TRUE(IsModelChange(document, "OTHER", "25.615 - 30.105 MHz"));
    document.BandText.clear();
    EXPECT_FALSE(IsModelChange(document, "KAVRO", ""));
}

TEST(ModelChoiceTest, ApplyingSetsBandCodesAndLimits) {
    Document document;
    document.BandText.clear();
    document.BandLow = 100;
    document.BandHigh = 500;
    document.Doc.ModelInfo.BandCode = 0;
    document.RadioInfo.BandCode = 0;
    ApplyModelChoice(document, "KAVRO", "25.615 - 30.105 MHz");
    EXPECT_EQ(document.ModelName, "KAVRO");
    EXPECT_EQ(document.BandText, "25.615 - 30.105 MHz");
    EXPECT_EQ(document.Doc.ModelInfo.BandCode, 1);
    EXPECT_EQ(document.RadioInfo.BandCode, 1);
    EXPECT_DOUBLE_EQ(document.BandLow, 25.615);
    EXPECT_DOUBLE_EQ(document.BandHigh, 30.105);
}

TEST(RadioInfoViewTest, ShowsTrimmedFieldsAndTheKnownModelAndBand) {
    RadioInfoRecord info;
    info.SerialNo = MakeFixStr<16>(std::string("A123") + '\0' + "zz");
    info.RepairReason = MakeFixStr<96>("Display replaced   ");
    info.AreaCode = "001A77";
    info.VersionText = "V1.02 ";
    info.ModelText = "OTHER";
    info.BandCode = 1;
    info.Handler = MakeFixStr<16>("Li Wei");
    const RadioInfoShown shown = ShowByData(info);
    EXPECT_EQ(shown.Model, "KAVRO");
    EXPECT_EQ(shown.Band, "25.615 - 30.105 MHz");
    EXPECT_EQ(shown.Boxes[0], "001A");
    EXPECT_EQ(shown.Boxes[1], "A123");
    EXPECT_EQ(shown.Boxes[4], "Display replaced");
    EXPECT_EQ(shown.Boxes[5], "V1.02 "); // a free text, shown as it is
    EXPECT_EQ(shown.Boxes[11], "Li Wei");

    info.BandCode = 2;
    EXPECT_EQ(ShowByData(info).Band, "");
}

// The rows as text (velmar-cli's info): each label with its own field, in
// the window's order from the area code down to the dealer frame.
TEST(RadioInfoView, LinesPairEachLabelWithItsField) {
    RadioInfoRecord info;
    info.AreaCode = "AREA";
    info.BatchNo = MakeFixStr<8>("BATCH");
    info.CustomerCode = MakeFixStr<4>("CUST");
    info.SerialNo = MakeFixStr<16>("SERIAL");
    info.FactoryDate = MakeFixStr<16>("MADE");
    info.VersionText = "VERSION";
    info.RepairDate = MakeFixStr<16>("REPAIRED");
    info.RepairReason = MakeFixStr<96>("REASON");
    info.DealerCode = MakeFixStr<16>("DEALER");
    info.StockInDate = MakeFixStr<16>("STOCK");
    info.SaleDate = MakeFixStr<16>("SOLD");
    info.Handler = MakeFixStr<16>("HANDLER");
    info.BandCode = 1;
    std::vector<std::tuple<int, int, std::string>> lines;
    for (const RadioInfoLine& line : RadioInfoLines(ShowByData(info)))
        lines.emplace_back(line.LabelTextId, line.SecondLabelTextId, line.Value);
    const std::vector<std::tuple<int, int, std::string>> expected = {
        {21002, 0, "AREA"},       {21005, 0, "KAVRO"},   {21006, 0, "25.615 - 30.105 MHz"},
        {21003, 0, "BATCH"},      {21004, 0, "CUST"},    {21007, 0, "SERIAL"},
        {21008, 0, "MADE"},       {21010, 0, "VERSION"}, {21009, 0, "REPAIRED"},
        {21011, 21012, "REASON"}, {21013, 0, "DEALER"},  {21014, 0, "STOCK"},
        {21015, 0, "SOLD"},       {21016, 0, "HANDLER"},
    };
    EXPECT_EQ(lines, expected);
}

} // namespace
} // namespace velmar
