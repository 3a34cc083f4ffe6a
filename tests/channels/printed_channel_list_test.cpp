#include "channels/printed_channel_list.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "channel_fakes.h"
#include "channels/channel_list.h"
#include "model/initial_values.h"

namespace velmar {
namespace {

class PercentTexts : public TextLookup {
public:
    std::string GetText(int id) const override {
        return id == PrintText::Page ? "%1/%2" : "#" + std::to_string(id);
    }
};

// What a page holds, one text per line: "=label" or the channel number.
std::vector<std::string> Outline(const PrintedPage& page) {
    std::vector<std::string> lines;
    for (const PrintedLine& line : page.Lines)
        lines.push_back(line.IsGroup ? "=" + line.Cells.front() : line.Cells.front());
    return lines;
}

class PrintedChannelListTest : public ::testing::Test {
protected:
    PrintedChannelListTest() {
        InitDocValues(doc, 1); // channels 1 and 521
        DeleteChByNo(doc, 521);
    }
    std::string Label(int group) const { return "=#14050 " + GroupShowName(doc.Doc, group); }
    void Add(int chNo, const char* fre = "27.12500") { ASSERT_TRUE(AddCh(doc, chNo, fre)); }
    std::vector<std::vector<std::string>> Pages(int linesPerPage) {
        std::vector<std::vector<std::string>> pages;
        for (const PrintedPage& page : PrintedChannelPages(doc, texts, false, linesPerPage))
            pages.push_back(Outline(page));
        return pages;
    }

    Document doc;
    PercentTexts texts;
};

TEST_F(PrintedChannelListTest, ChannelsGoByGroupInNumberOrderWithoutEmptyFrequencies) {
    Add(45);
    Add(3);
    Add(525);
    Add(50);
    std::memcpy(doc.ChList[FindChIndex(doc, 50)].RxFre.data(), "FFFFFFFF", 8); // no frequency
    const std::vector<PrintedLine> lines = PrintedChannelLines(doc, texts, false);
    std::vector<std::string> outline;
    for (const PrintedLine& line : lines)
        outline.push_back(line.IsGroup ? "=" + line.Cells.front() : line.Cells.front());
    EXPECT_EQ(outline, (std::vector<std::string>{Label(0), "1", "3", Label(1), "45",
                                                 "=#14050 14 -- MEM", "525"}));
    // Number, frequency, tones ("none" text), modulation, power, scan.
    EXPECT_EQ(lines[2].Cells, (std::vector<std::string>{"3", "27.12500", "#14013", "#14013", "AM",
                                                        "4 W", "#14017"}));
}

// A label never ends a page; a group going on over a page starts it again.
TEST_F(PrintedChannelListTest, PagesCarryTheirGroupsLabel) {
    for (int chNo : {2, 3, 41})
        Add(chNo);
    const std::string g0 = Label(0), g1 = Label(1);
    struct Case {
        int linesPerPage;
        std::vector<std::vector<std::string>> pages;
    };
    const Case cases[] = {
        {10, {{g0, "1", "2", "3", g1, "41"}}},
        {4, {{g0, "1", "2", "3"}, {g1, "41"}}},
        {5, {{g0, "1", "2", "3"}, {g1, "41"}}}, // the label would be the page's last line
        {3, {{g0, "1", "2"}, {g0, "3"}, {g1, "41"}}},
        {1, {{g0, "1"}, {g0, "2"}, {g0, "3"}, {g1, "41"}}}, // at least a label and a channel
    };
    for (const Case& c : cases)
        EXPECT_EQ(Pages(c.linesPerPage), c.pages) << c.linesPerPage << " lines a page";
}

TEST_F(PrintedChannelListTest, EveryPageHasTitleHeadersAndItsNumber) {
    for (int chNo = 1; chNo <= 10; ++chNo)
        if (chNo > 1)
            Add(chNo);
    const std::vector<PrintedPage> pages = PrintedChannelPages(doc, texts, false, 6);
    ASSERT_EQ(pages.size(), 2u);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        EXPECT_EQ(pages[i].Title, "#32200  KAVRO [" + doc.BandText + "]  new.dat");
        EXPECT_EQ(pages[i].Headers.size(), std::size_t(kPrintedColumns));
        EXPECT_EQ(pages[i].Footer, std::to_string(i + 1) + "/2");
    }
    doc.Doc.ChCount = 0;
    EXPECT_EQ(Pages(6), (std::vector<std::vector<std::string>>{{}}));
}

} // namespace
} // namespace velmar
