#include "channels/channel_csv.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "channel_fakes.h"
#include "channels/csv_carried.h"
#include "channels/group_names.h"
#include "channels/offset_codec.h"
#include "channels/stored_fre_text.h"
#include "channels/tone_list.h"
#include "model/data_file.h"
#include "model/initial_values.h"
#include "shell/file_io.h"
#include "shell/language_texts.h"
#include "shell/numbers.h"

namespace velmar {
namespace {

using test::Carried;
using test::CarriedOf;

constexpr const char* kHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

class CountingViews : public ChannelViews {
public:
    void reShowGrid(int chNo) override { rows.push_back(chNo); }
    void ReshowByCh() override { ++emergencyRefills; }
    void SetGridEditData(bool) override { ++editorRefreshes; }
    std::vector<int> rows;
    int emergencyRefills = 0;
    int editorRefreshes = 0;
};

int ToneIndex(const std::string& name) {
    const auto& list = ToneList();
    return static_cast<int>(std::find(list.begin(), list.end(), name) - list.begin());
}

// A new document of the default band "25.615 - 30.105 MHz": channels 1 and
// 521 at 27.86 MHz. Reasons come in the words of the shipped English file.
class ChannelCsvTest : public ::testing::Test {
protected:
    ChannelCsvTest() { InitDocValues(document, 1); }

    static std::unique_ptr<Document> NewDocument() {
        auto doc = std::make_unique<Document>();
        InitDocValues(*doc, 1);
        return doc;
    }
    ChannelInfo* Channel(Document& doc, int chNo) {
        const int index = FindChIndex(doc, chNo);
        return index < 0 ? nullptr : &doc.ChList[index];
    }
    CsvImportResult Import(const std::string& csv,
                           CsvImportMode mode = CsvImportMode::MergeByNumber) {
        return ReadChannelCsv(csv, document, env, mode);
    }
    static void ExpectSameDocument(const Document& a, const Document& b) {
        EXPECT_EQ(a.Doc, b.Doc);
        EXPECT_EQ(a.ChList, b.ChList);
        EXPECT_EQ(a.SavedDoc, b.SavedDoc);
        EXPECT_EQ(a.SavedChList, b.SavedChList);
    }

    std::unique_ptr<Document> holder = NewDocument();
    Document& document = *holder;
    RecordingSink sink;
    ShellSettings english;
    LanguageTexts texts{VELMAR_SOURCE_DIR "/data/language", english};
    CountingViews views;
    ChannelEnv env{sink, texts, views, false};
};

// Every channel of the radio, each tone family with tones from all over the
// list, both modulations with every power level, both skips, offsets plus,
// minus and none (with and without offset digits).
std::unique_ptr<Document> FullDocument() {
    auto doc = std::make_unique<Document>();
    InitDocValues(*doc, 1);
    doc->Doc.ChCount = 0;
    const auto& list = ToneList();
    const auto dcs = [](int k, bool inverted) { return 51 + k % 107 + (inverted ? 107 : 0); };
    const auto ctcss = [](int k) { return 1 + k % 50; };
    for (int chNo = 1; chNo <= kMaxChannels; ++chNo) {
        const int k = chNo * 7;
        const std::string fre = Format(25.615 + 0.005 * ((chNo * 37) % 899), "#0.00000");
        EXPECT_TRUE(AddCh(*doc, chNo, fre)) << chNo;
        ChannelInfo& ch = doc->ChList[chNo - 1];
        // a shift needs an offset: the rules switch a shift by nothing off
        const bool noOffset = chNo % 4 == 0;
        ch.ShiftDir = static_cast<std::uint8_t>(noOffset ? 0 : chNo % 3);
        const std::string offset = Format(noOffset ? 0.0 : 0.005 * (1 + k % 200), "00.00000");
        ch.Offset = MakeFixStr<7>(offset.substr(0, 2) + offset.substr(3));
        switch (chNo % 11) {
        case 0:
            ch.RxTone = 0, ch.TxTone = 0;
            break;
        case 1:
            ch.RxTone = 0, ch.TxTone = ctcss(k);
            break;
        case 2:
            ch.RxTone = ch.TxTone = ctcss(k);
            break;
        case 3:
            ch.RxTone = ctcss(k), ch.TxTone = ctcss(k + 1);
            break;
        case 4:
            ch.RxTone = dcs(k, chNo % 2), ch.TxTone = dcs(k, chNo % 3 == 0);
            break;
        case 5:
            ch.RxTone = dcs(k, chNo % 2), ch.TxTone = dcs(k + 5, chNo % 3 == 0);
            break;
        case 6:
            ch.RxTone = dcs(k, chNo % 2), ch.TxTone = ctcss(k);
            break;
        case 7:
            ch.RxTone = ctcss(k), ch.TxTone = dcs(k, chNo % 2);
            break;
        case 8:
            ch.RxTone = ctcss(k), ch.TxTone = 0;
            break;
        case 9:
            ch.RxTone = dcs(k, chNo % 2), ch.TxTone = 0;
            break;
        case 10:
            ch.RxTone = 0, ch.TxTone = dcs(k, chNo % 2);
            break;
        }
        EXPECT_LT(ch.RxTone, static_cast<int>(list.size()));
        ch.AmFm = static_cast<std::int16_t>(chNo % 2);
        if (ch.AmFm == 1) {
            ch.FmPower = static_cast<std::int16_t>(chNo % 3);
            (ch.FmPower == 0 ? ch.FmPower4W : ch.FmPower == 1 ? ch.FmPower15W : ch.FmPower50W) = 1;
        } else {
            ch.AmPower = static_cast<std::int16_t>((chNo / 2) % 2);
            (ch.AmPower == 0 ? ch.AmPower4W : ch.AmPower15W) = 1;
        }
        ch.ScanSkip = static_cast<std::int16_t>((chNo / 3) % 2);
    }
    return doc;
}

TEST_F(ChannelCsvTest, FullDocumentGoesThroughAndComesBack) {
    const auto source = FullDocument();
    const std::string csv = WriteChannelCsv(*source);
    ASSERT_TRUE(csv.starts_with(std::string(kHeader) + "\r\n"));

    // into a new document, and merged into one without channels (channel 1 of
    // a new document keeps its frequency)
    for (auto mode : {CsvImportMode::ReplaceList, CsvImportMode::MergeByNumber}) {
        document = *NewDocument();
        if (mode == CsvImportMode::MergeByNumber)
            document.Doc.ChCount = 0;
        sink.shown.clear();
        const auto result = Import(csv, mode);
        EXPECT_EQ(result.Imported, kMaxChannels);
        for (const auto& refused : result.Refused)
            ADD_FAILURE() << "row " << refused.Row << ": " << refused.Reason;
        EXPECT_TRUE(sink.shown.empty());
        ASSERT_EQ(document.Doc.ChCount, kMaxChannels);
        for (int chNo = 1; chNo <= kMaxChannels; ++chNo) {
            const ChannelInfo* back = Channel(document, chNo);
            ASSERT_NE(back, nullptr) << chNo;
            const ChannelInfo& original = source->ChList[chNo - 1];
            EXPECT_EQ(CarriedOf(*back), CarriedOf(original)) << "channel " << chNo;
            // the level is offered where it is set
            EXPECT_EQ(back->AmFm == 1 ? back->FmPower4W + back->FmPower15W + back->FmPower50W
                                      : back->AmPower4W + back->AmPower15W,
                      1)
                << chNo;
        }
        EXPECT_TRUE(WriteChannelCsv(document) == csv);
    }
}

// What the templates hold comes back unchanged, byte for byte: also the
// channels whose power level is not among the levels they offer.
TEST_F(ChannelCsvTest, ShippedTemplatesGoOutAndComeBackUnchanged) {
    int templates = 0;
    for (const auto& entry : std::filesystem::directory_iterator(VELMAR_SOURCE_DIR "/data/Init")) {
        if (entry.path().extension() != ".dat")
            continue;
        ++templates;
        const std::string dat = entry.path().string();
        SCOPED_TRACE(dat);
        const auto loaded = ReadDocumentFiles(dat, texts, sink);
        ASSERT_TRUE(loaded.has_value());
        TakeLoadedDocument(document, *loaded);
        const auto result = Import(WriteChannelCsv(document));
        EXPECT_EQ(result.Imported, document.Doc.ChCount);
        EXPECT_TRUE(result.Refused.empty());
        const DataFileBytes back = EncodeDataFiles(document.Doc, document.ChList);
        const auto asBytes = [](const std::optional<std::string>& file) {
            const std::string bytes = file.value_or("");
            return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
        };
        EXPECT_EQ(back.Data, asBytes(ReadWholeFile(dat)));
        EXPECT_EQ(back.Channels, asBytes(ReadWholeFile(ChannelFileName(dat))));
    }
    EXPECT_GT(templates, 0);
    EXPECT_TRUE(sink.shown.empty());
}

// A row changes the offered levels only where it changes the level.
TEST_F(ChannelCsvTest, PowerLevelsChangeOnlyWhereTheRowChangesThem) {
    ChannelInfo& vfo = *Channel(document, 521); // AM, level 4 W, no level offered
    const ChannelInfo before = vfo;
    EXPECT_EQ(Import("Location,Frequency,Mode,Power\r\n521,27.86,AM,4W\r\n").Imported, 1);
    EXPECT_EQ(vfo, before);
    EXPECT_EQ(Import("Location,Frequency,Mode,Power\r\n521,27.86,AM,15W\r\n").Imported, 1);
    EXPECT_EQ(vfo.AmPower, 1);
    EXPECT_EQ(vfo.AmPower15W, 1);
    EXPECT_EQ(vfo.AmPower4W, 0);
    EXPECT_EQ(Import("Location,Frequency,Mode,Power\r\n521,27.86,AM,4W\r\n").Imported, 1);
    EXPECT_EQ(vfo.AmPower, 0);
    EXPECT_EQ(vfo.AmPower4W, 1);
    EXPECT_EQ(vfo.AmPower15W, 1);
    // a channel the row makes offers its level
    EXPECT_EQ(Import("Location,Frequency,Mode,Power\r\n300,27.5,FM,4W\r\n").Imported, 1);
    EXPECT_EQ(Channel(document, 300)->FmPower4W, 1);
}

TEST_F(ChannelCsvTest, WrittenRowsSayWhatTheChannelHolds) {
    StoreGroupName(document.Doc, 0, "A,B");
    ChannelInfo& ch = *Channel(document, 1);
    ch.ShiftDir = kShiftMinus;
    ch.Offset = MakeFixStr<7>("0010000");
    ch.RxTone = ToneIndex("D023I");
    ch.TxTone = ToneIndex("88.5");
    ch.AmFm = 1;
    ch.FmPower = 2;
    ch.ScanSkip = 1;
    const std::string csv = WriteChannelCsv(document);
    EXPECT_EQ(csv,
              std::string(kHeader) + "\r\n" +
                  "1,,27.860000,-,0.100000,Cross,88.5,88.5,023,NR,023,Tone->DTCS,FM,5.00,S,50W,"
                  "\"0 -- A,B\",,,,\r\n"
                  "521,,27.860000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,AM,5.00,,4W,"
                  "13 -- VFO,,,,\r\n");
}

TEST_F(ChannelCsvTest, HandWrittenFileInAnotherColumnOrder) {
    const std::string csv = "\xEF\xBB\xBF"
                            "Comment,Tone,Frequency,Extra,location,cToneFreq,Mode,Power,Skip\n"
                            "\n"
                            "\"my, own\",TSQL,27.5,x,167,100.0,fm,15W,S\n"
                            "\"\"\"quoted\"\"\",,  28.000 ,,521,,AM,,\n";
    const auto result = Import(csv);
    EXPECT_TRUE(result.HeaderRead);
    EXPECT_EQ(result.Imported, 2);
    EXPECT_TRUE(result.Refused.empty());
    const ChannelInfo* ch = Channel(document, 167);
    ASSERT_NE(ch, nullptr);
    EXPECT_EQ(CarriedOf(*ch), (Carried{"27.50000", "0.00000", 13, 13, 1, 1, 1}));
    EXPECT_EQ(ch->FmPower15W, 1);
    const ChannelInfo* vfo = Channel(document, 521);
    EXPECT_EQ(CarriedOf(*vfo), (Carried{"28.00000", "0.00000", 0, 0, 0, 0, 0}));
    // the grid's group is the document's again
    EXPECT_EQ(document.Doc.OptFeatures.Word(OptWord::CurGroup), 3);
    // the windows are refreshed once, for the channels that changed
    EXPECT_EQ(views.rows, (std::vector<int>{167, 521}));
    EXPECT_EQ(views.editorRefreshes, 1);
}

TEST_F(ChannelCsvTest, MissingColumnsLeaveTheValuesAsTheyAre) {
    ChannelInfo& ch = *Channel(document, 521);
    ch.RxTone = ch.TxTone = ToneIndex("D023N");
    ch.ShiftDir = kShiftPlus;
    ch.Offset = MakeFixStr<7>("0060000");
    ch.AmFm = 1;
    ch.FmPower = 1;
    ch.FmPower15W = 1;
    ch.ScanSkip = 1;
    const ChannelInfo before = ch;
    EXPECT_EQ(Import("Location,Frequency\r\n521,27.860000\r\n").Imported, 1);
    EXPECT_EQ(*Channel(document, 521), before);
    // a duplex without offset keeps the offset digits, and the other way round
    EXPECT_EQ(Import("Location,Frequency,Duplex\r\n521,27.86,-\r\n").Imported, 1);
    EXPECT_EQ(OffsetStoreToShow(TrimFixStr(ch.Offset), ch.ShiftDir), "-0.60000");
    EXPECT_EQ(Import("Location,Frequency,Offset\r\n521,27.86,0.1\r\n").Imported, 1);
    EXPECT_EQ(OffsetStoreToShow(TrimFixStr(ch.Offset), ch.ShiftDir), "-0.10000");
    EXPECT_EQ(Import("Location,Frequency,Duplex\r\n521,27.86,\r\n").Imported, 1);
    EXPECT_EQ(ch.ShiftDir, kShiftNone);
    EXPECT_EQ(TrimFixStr(ch.Offset), "0010000");
    // a shift by nothing is no shift
    EXPECT_EQ(Import("Location,Frequency,Duplex,Offset\r\n521,27.86,+,0\r\n").Imported, 1);
    EXPECT_EQ(OffsetStoreToShow(TrimFixStr(ch.Offset), ch.ShiftDir), "0.00000");
}

TEST_F(ChannelCsvTest, ReplaceListKeepsTheVfoChannel) {
    AddCh(document, 300, "28.00000");
    const auto result = Import("Location,Frequency\r\n45,27.5\r\n", CsvImportMode::ReplaceList);
    EXPECT_EQ(result.Imported, 1);
    EXPECT_EQ(document.Doc.ChCount, 2);
    EXPECT_NE(Channel(document, 45), nullptr);
    EXPECT_NE(Channel(document, 521), nullptr);
    EXPECT_EQ(views.rows, (std::vector<int>{1, 45, 300}));
}

TEST_F(ChannelCsvTest, ReplaceListWithNothingImportedLeavesTheDocument) {
    const auto before = std::make_unique<Document>(document);
    const auto result = Import("Location,Frequency\r\n45,99\r\n", CsvImportMode::ReplaceList);
    EXPECT_EQ(result.Imported, 0);
    ASSERT_EQ(result.Refused.size(), 1u);
    ExpectSameDocument(document, *before);
    EXPECT_TRUE(views.rows.empty());
}

TEST_F(ChannelCsvTest, EmergencyChannelsOfRemovedChannelsAreCleared) {
    AddCh(document, 45, "27.00000");
    AddCh(document, 46, "27.00000");
    document.Doc.OptFeatures.EmgCh[2] = 5; // group 1: positions 5 and 6
    document.Doc.OptFeatures.EmgCh[3] = 6;
    Import("Location,Frequency\r\n46,27.5\r\n", CsvImportMode::ReplaceList);
    EXPECT_EQ(document.Doc.OptFeatures.EmgCh[2], 0);
    EXPECT_EQ(document.Doc.OptFeatures.EmgCh[3], 6);
}

TEST_F(ChannelCsvTest, RefusedRowsChangeNothing) {
    AddCh(document, 300, "28.00000");
    struct Case {
        const char* row; // after "Location,Frequency,Duplex,Offset,Tone,rToneFreq,Mode,Skip,Power"
        const char* reason;
    };
    const Case cases[] = {
        {"0,27.5,,,,,,,", "Location \"0\": not a channel number 1-529"},
        {"530,27.5,,,,,,,", "Location \"530\": not a channel number 1-529"},
        {"x1,27.5,,,,,,,", "Location \"x1\": not a channel number 1-529"},
        {",27.5,,,,,,,", "Location \"\": not a channel number 1-529"},
        {"300,abc,,,,,,,", "Frequency \"abc\": not a frequency in MHz (10 Hz steps)"},
        {"300,,,,,,,,", "Frequency \"\": not a frequency in MHz (10 Hz steps)"},
        {"300,27.123456,,,,,,,", "Frequency \"27.123456\": not a frequency in MHz (10 Hz steps)"},
        {"300,-27.5,,,,,,,", "Frequency \"-27.5\": not a frequency in MHz (10 Hz steps)"},
        {"300,31,,,,,,,", "Frequency \"31.000000\": outside the band 25.615 - 30.105 MHz"},
        {"301,25.6,,,,,,,", "Frequency \"25.600000\": outside the band 25.615 - 30.105 MHz"},
        {"300,27.123,,,,,,,", "Frequency \"27.123000\": the 5 kHz raster moves it to 27.120000"},
        {"1,27.5,,,,,,,",
         "Frequency \"27.500000\": channel 1 keeps the frequency it was created with, 27.86000"},
        {"300,28,off,,,,,,", "Duplex \"off\": the radio shifts by \"+\" or \"-\" only"},
        {"300,28,split,,,,,,", "Duplex \"split\": the radio shifts by \"+\" or \"-\" only"},
        {"300,28,+,abc,,,,,", "Offset \"abc\": not an offset in MHz below 100 (10 Hz steps)"},
        {"300,28,+,100,,,,,", "Offset \"100\": not an offset in MHz below 100 (10 Hz steps)"},
        {"246,27.60125,+,0.5,,,,,", "Offset \"+0.50000\": the raster would move receive and "
                                    "transmit to 27.600000 and 28.100000"},
        {"300,28,,,Tone,69.4,,,", "rToneFreq \"69.4\": not a CTCSS tone of this radio"},
        {"300,28,,,DCS,,,,", "Tone \"DCS\": not a tone mode of this radio"},
        {"300,28,,,,,NFM,,", "Mode \"NFM\": the radio has AM and FM only"},
        {"300,28,,,,,,P,", "Skip \"P\": the radio skips (\"S\") or scans (\"\") only"},
        {"300,28,,,,,,,5W", "Power \"5W\": not a power level of this radio in AM"},
        {"300,28,,,,,AM,,50W", "Power \"50W\": not a power level of this radio in AM"},
        {"300,28,,,,,,,high", "Power \"high\": not a power level in watts (4W, 15W, 50W)"},
        {"300,28,,,,,,", "8 fields where the header has 9"},
        {"300,28,,,,,,,,", "10 fields where the header has 9"},
        {"300,\"28,,,,,,,", "a quoted field is not closed"},
        {"300,\xFF\xFE,,,,,,,", "Frequency \"??\": not a frequency in MHz (10 Hz steps)"},
    };
    const auto before = std::make_unique<Document>(document);
    for (const auto& c : cases) {
        const auto result = Import(
            std::string("Location,Frequency,Duplex,Offset,Tone,rToneFreq,Mode,Skip,Power\r\n") +
            c.row + "\r\n");
        EXPECT_EQ(result.Imported, 0) << c.row;
        EXPECT_EQ(result.Refused, (std::vector<CsvRefusedRow>{{2, c.reason}})) << c.row;
        ExpectSameDocument(document, *before);
    }
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_TRUE(views.rows.empty());
}

TEST_F(ChannelCsvTest, GoodRowsGoInBesideRefusedOnes) {
    const auto result = Import("Location,Frequency,Tone,rToneFreq\n"
                               "200,28,Tone,88.5\n"
                               "201,99,,\n"
                               "200,29,,\n"
                               "202,28.5,,\n");
    EXPECT_EQ(result.Imported, 2);
    EXPECT_EQ(result.Refused,
              (std::vector<CsvRefusedRow>{{3, "Frequency \"99.000000\": outside the band 25.615 - "
                                              "30.105 MHz"},
                                          {4, "Location \"200\": repeated (first in row 2)"}}));
    EXPECT_EQ(CarriedOf(*Channel(document, 200)),
              (Carried{"28.00000", "0.00000", 0, ToneIndex("88.5"), 0, 0, 0}));
    EXPECT_EQ(Channel(document, 201), nullptr);
    EXPECT_NE(Channel(document, 202), nullptr);
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(ChannelCsvTest, FrequenciesAreCheckedAsInTheGridOfTheirGroup) {
    // groups 6 and 13 keep frequencies 1.25 kHz above the 5 kHz raster
    const auto result = Import("Location,Frequency\n246,27.60125\n521,27.60125\n166,27.60125\n");
    EXPECT_EQ(result.Imported, 2);
    EXPECT_EQ(result.Refused,
              (std::vector<CsvRefusedRow>{
                  {4, "Frequency \"27.601250\": the 5 kHz raster moves it to 27.600000"}}));
    EXPECT_EQ(StoredFreText(Channel(document, 246)->RxFre), "27.60125");
    EXPECT_EQ(StoredFreText(Channel(document, 521)->RxFre), "27.60125");
}

TEST_F(ChannelCsvTest, UnusableHeaderRefusesTheFile) {
    const auto before = std::make_unique<Document>(document);
    struct Case {
        std::string csv;
        CsvRefusedRow refused;
    };
    const Case cases[] = {
        {"", {1, "header: the file is empty"}},
        {"\r\n\r\n", {1, "header: the file is empty"}},
        {"Location,Name\r\n1,x\r\n", {1, "header: no column Frequency"}},
        {"\n\nFrequency\r\n27.5\r\n", {3, "header: no column Location"}},
        {"Location,Frequency,location\r\n", {1, "header: the column Location appears twice"}},
        {"\"Location,Frequency\r\n", {1, "header: a quoted field is not closed"}},
    };
    for (const auto& c : cases) {
        const auto result = Import(c.csv);
        EXPECT_FALSE(result.HeaderRead) << c.csv;
        EXPECT_EQ(result.Imported, 0);
        EXPECT_EQ(result.Refused, (std::vector<CsvRefusedRow>{c.refused})) << c.csv;
        ExpectSameDocument(document, *before);
    }
}

TEST_F(ChannelCsvTest, HugeAndBrokenFilesEndInBoundedWork) {
    std::string csv = "Location,Frequency\n";
    for (int i = 0; i < 200000; ++i)
        csv += std::to_string(i % 600) + ",27." + std::to_string(i % 1000) + "\xC3\n";
    const auto result = Import(csv);
    EXPECT_EQ(result.Imported, 0);
    ASSERT_EQ(result.Refused.size(), static_cast<std::size_t>(kMaxCsvRows + 1));
    EXPECT_EQ(result.Refused.back(),
              (CsvRefusedRow{kMaxCsvRows + 2,
                             "more than 2116 rows: this row and the rest were not read"}));

    std::string noise;
    for (int i = 0; i < 100000; ++i)
        noise += static_cast<char>((i * 7919) % 256);
    const auto before = std::make_unique<Document>(document);
    Import("Location,Frequency\n" + noise);
    ExpectSameDocument(document, *before);
}

} // namespace
} // namespace velmar
