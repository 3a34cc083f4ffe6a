#include "channels/csv_records.h"
#include "channels/csv_tones.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "channels/tone_list.h"
#include "shell/language_texts.h"

namespace velmar {
namespace {

std::vector<CsvRecord> ReadAll(std::string_view text) {
    CsvReader reader(text);
    std::vector<CsvRecord> records;
    CsvRecord record;
    while (reader.Next(record))
        records.push_back(record);
    return records;
}

using Fields = std::vector<std::string>;

TEST(CsvRecords, QuotesLineEndsAndEmptyLines) {
    const auto records = ReadAll("\xEF\xBB\xBF"
                                 "a,b\r\n"
                                 "\r\n"
                                 "\"x,y\",\"say \"\"hi\"\"\"\n"
                                 "\n"
                                 "\"two\r\nlines\",\r"
                                 "last");
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].Fields, (Fields{"a", "b"}));
    EXPECT_EQ(records[0].Line, 1);
    EXPECT_EQ(records[1].Fields, (Fields{"x,y", "say \"hi\""}));
    EXPECT_EQ(records[1].Line, 3);
    EXPECT_EQ(records[2].Fields, (Fields{"two\nlines", ""}));
    EXPECT_EQ(records[2].Line, 5);
    EXPECT_EQ(records[3].Fields, (Fields{"last"}));
    EXPECT_EQ(records[3].Line, 7);
    for (const auto& record : records)
        EXPECT_FALSE(record.Unterminated);
}

TEST(CsvRecords, UnclosedQuoteAndTooManyFields) {
    const auto open = ReadAll("a,\"never closed\nb,c\n");
    ASSERT_EQ(open.size(), 1u);
    EXPECT_TRUE(open[0].Unterminated);

    const auto wide = ReadAll(std::string(1000, ','));
    ASSERT_EQ(wide.size(), 1u);
    EXPECT_EQ(wide[0].FieldCount, 1001u);
    EXPECT_EQ(wide[0].Fields.size(), kMaxCsvFields);
}

TEST(CsvRecords, FieldsAreQuotedOnlyWhenTheyNeedIt) {
    EXPECT_EQ(CsvField("27.125000"), "27.125000");
    EXPECT_EQ(CsvField(""), "");
    EXPECT_EQ(CsvField("3 -- A,B"), "\"3 -- A,B\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    const auto back = ReadAll(CsvField("a,\"b\"\nc") + "," + CsvField("d"));
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].Fields, (Fields{"a,\"b\"\nc", "d"}));
}

TEST(CsvRecords, NamedValuesArePlainText) {
    EXPECT_EQ(CsvNamedValue("Mode", "NFM"), "Mode \"NFM\"");
    EXPECT_EQ(CsvNamedValue("Mode", "\xC3\x28\x01x"), "Mode \"?(?x\"");
    EXPECT_EQ(CsvNamedValue("Tone", std::string(30, 'a')),
              "Tone \"" + std::string(24, 'a') + "...\"");
}

TEST(CsvTones, EveryPairOfTheRadioGoesThroughAndComesBack) {
    for (int rx = 0; rx < kToneCount; ++rx)
        for (int tx = 0; tx < kToneCount; ++tx) {
            const auto back = TonesFromCsv(TonesToCsv({rx, tx}));
            ASSERT_TRUE(std::holds_alternative<CsvTonePair>(back))
                << ToneList()[rx] << " / " << ToneList()[tx] << ": text "
                << std::get<CsvReason>(back).TextId;
            ASSERT_EQ(std::get<CsvTonePair>(back), (CsvTonePair{rx, tx}))
                << ToneList()[rx] << " / " << ToneList()[tx];
        }
}

TEST(CsvTones, ColumnsOfEachFamily) {
    struct Case {
        const char* rx;
        const char* tx;
        CsvToneColumns columns;
    };
    const Case cases[] = {
        {"OFF", "OFF", {"", "88.5", "88.5", "023", "NN", "023", "Tone->Tone"}},
        {"OFF", "100.0", {"Tone", "100.0", "88.5", "023", "NN", "023", "Tone->Tone"}},
        {"67.0", "67.0", {"TSQL", "67.0", "67.0", "023", "NN", "023", "Tone->Tone"}},
        {"67.0", "69.3", {"Cross", "69.3", "67.0", "023", "NN", "023", "Tone->Tone"}},
        {"D754I", "D754N", {"DTCS", "88.5", "88.5", "754", "NR", "754", "Tone->Tone"}},
        {"D017N", "D025I", {"Cross", "88.5", "88.5", "025", "RN", "017", "DTCS->DTCS"}},
        {"D023I", "254.1", {"Cross", "254.1", "88.5", "023", "NR", "023", "Tone->DTCS"}},
        {"254.1", "D023I", {"Cross", "88.5", "254.1", "023", "RN", "023", "DTCS->Tone"}},
        {"71.9", "OFF", {"Cross", "88.5", "71.9", "023", "NN", "023", "->Tone"}},
        {"D065N", "OFF", {"Cross", "88.5", "88.5", "023", "NN", "065", "->DTCS"}},
        {"OFF", "D065I", {"Cross", "88.5", "88.5", "065", "RN", "023", "DTCS->"}},
    };
    const auto& list = ToneList();
    const auto indexOf = [&](const char* name) {
        return static_cast<int>(std::find(list.begin(), list.end(), name) - list.begin());
    };
    for (const auto& c : cases) {
        const auto columns = TonesToCsv({indexOf(c.rx), indexOf(c.tx)});
        EXPECT_EQ(columns.Tone, c.columns.Tone) << c.rx << " / " << c.tx;
        EXPECT_EQ(columns.RToneFreq, c.columns.RToneFreq) << c.rx << " / " << c.tx;
        EXPECT_EQ(columns.CToneFreq, c.columns.CToneFreq) << c.rx << " / " << c.tx;
        EXPECT_EQ(columns.DtcsCode, c.columns.DtcsCode) << c.rx << " / " << c.tx;
        EXPECT_EQ(columns.DtcsPolarity, c.columns.DtcsPolarity) << c.rx << " / " << c.tx;
        EXPECT_EQ(columns.RxDtcsCode, c.columns.RxDtcsCode) << c.rx << " / " << c.tx;
        EXPECT_EQ(columns.CrossMode, c.columns.CrossMode) << c.rx << " / " << c.tx;
    }
}

TEST(CsvTones, ColumnsWrittenByOtherToolsAreRead) {
    // Unused columns may hold anything; numbers and names as people write them.
    const CsvToneColumns tsql{"tsql", "999", "100", "", "", "", ""};
    EXPECT_EQ(std::get<CsvTonePair>(TonesFromCsv(tsql)), (CsvTonePair{13, 13}));
    const CsvToneColumns dtcs{"DTCS", "", "", "23", "RR", "", ""};
    EXPECT_EQ(std::get<CsvTonePair>(TonesFromCsv(dtcs)), (CsvTonePair{159, 159}));
}

TEST(CsvTones, RefusedColumnsAreNamed) {
    struct Case {
        CsvToneColumns columns;
        const char* reason;
    };
    const Case cases[] = {
        {{"DCS", "", "", "", "", "", ""}, "Tone \"DCS\": not a tone mode of this radio"},
        {{"Tone", "69.4", "", "", "", "", ""},
         "rToneFreq \"69.4\": not a CTCSS tone of this radio"},
        {{"Tone", "88.55", "", "", "", "", ""},
         "rToneFreq \"88.55\": not a CTCSS tone of this radio"},
        {{"TSQL", "88.5", "", "", "", "", ""}, "cToneFreq \"\": not a CTCSS tone of this radio"},
        {{"DTCS", "", "", "024", "NN", "", ""}, "DtcsCode \"024\": not a DCS code of this radio"},
        {{"DTCS", "", "", "089", "NN", "", ""}, "DtcsCode \"089\": not a DCS code of this radio"},
        {{"DTCS", "", "", "023", "NI", "", ""}, "DtcsPolarity \"NI\": not two letters N or R"},
        {{"Cross", "", "", "", "NN", "1023", "->DTCS"},
         "RxDtcsCode \"1023\": not a DCS code of this radio"},
        {{"Cross", "", "", "", "", "", "DTCS->DTCS->"},
         "CrossMode \"DTCS->DTCS->\": not a cross mode of this radio"},
    };
    ShellSettings english;
    const LanguageTexts texts(VELMAR_SOURCE_DIR "/data/language", english);
    for (const auto& c : cases) {
        const auto result = TonesFromCsv(c.columns);
        ASSERT_TRUE(std::holds_alternative<CsvReason>(result)) << c.reason;
        EXPECT_EQ(CsvReasonText(std::get<CsvReason>(result), texts), c.reason);
    }
}

} // namespace
} // namespace velmar
