#include "channels/document_json.h"

#include <gtest/gtest.h>

#include <memory>

#include "channels/channel_list.h"
#include "channels/group_names.h"
#include "channels/tone_list.h"
#include "model/initial_values.h"
#include "shell/json_check.h"

namespace velmar {
namespace {

using test::JsonReader;
using test::JsonValue;

int ToneIndex(const std::string& name) {
    const auto& list = ToneList();
    return static_cast<int>(std::find(list.begin(), list.end(), name) - list.begin());
}

// A new document with channels 1, 521 and, added out of order, 300 and 45;
// texts with quotes, backslashes and bytes above 127.
class DocumentJsonTest : public ::testing::Test {
protected:
    DocumentJsonTest() {
        InitDocValues(doc, 1);
        AddCh(doc, 300, "28.12500");
        AddCh(doc, 45, "27.00000");
        ChannelInfo& ch = doc.ChList[FindChIndex(doc, 300)];
        ch.RxTone = ToneIndex("88.5");
        ch.TxTone = ToneIndex("D023N");
        ch.ShiftDir = 1;
        ch.Offset = MakeFixStr<7>("0060000");
        StoreGroupName(doc.Doc, 7, "\xC9T\"\\");
        doc.Doc.EmbMsg[0] = MakeFixStr<16>("say \"hi\" \\ \xFF");
        doc.Doc.EmbMsg[1] = MakeFixStr<16>("\xD6\xD0\xCE\xC4"); // GBK
        doc.DocFileName = "C:\\radios\\\"new\".dat";
        doc.Doc.OptFeatures.Word(OptWord::TotTime) = 180;
        doc.Doc.OptFeatures.EmgCh[2 * 7 + 1] = 12;
    }

    JsonValue Dump(bool gbk = false) {
        const std::string json = DocumentToJson(doc, gbk);
        auto parsed = JsonReader::Parse(json);
        EXPECT_TRUE(parsed) << json;
        return parsed.value_or(JsonValue{});
    }

    std::unique_ptr<Document> holder = std::make_unique<Document>();
    Document& doc = *holder;
};

TEST_F(DocumentJsonTest, HoldsEveryUsedChannelInNumberOrder) {
    const JsonValue json = Dump();
    const auto& channels = json["Channels"].Arr();
    ASSERT_EQ(channels.size(), 4u);
    std::vector<double> numbers;
    for (const auto& ch : channels)
        numbers.push_back(ch["Stored"]["ChNo"].Num());
    EXPECT_EQ(numbers, (std::vector<double>{1, 45, 300, 521}));
    EXPECT_EQ(json["ChCount"].Num(), 4);

    const JsonValue& ch = channels[2];
    EXPECT_EQ(ch["ChNo"].Num(), 300);
    EXPECT_EQ(ch["Group"].Str(), "7 -- \xC3\x89T\"\\");
    EXPECT_EQ(ch["RxMHz"].Num(), 28.125);
    EXPECT_EQ(ch["TxMHz"].Num(), 27.525);
    EXPECT_EQ(ch["Shift"].Str(), "-");
    EXPECT_EQ(ch["OffsetMHz"].Num(), 0.6);
    EXPECT_EQ(ch["RxToneName"].Str(), "88.5");
    EXPECT_EQ(ch["TxToneName"].Str(), "D023N");
    EXPECT_EQ(channels[0]["RxToneName"].Str(), "OFF");
    // every stored field, by its name
    const JsonValue& stored = ch["Stored"];
    EXPECT_EQ(stored.Obj().size(), 49u);
    EXPECT_FALSE(stored.Has("?"));
    EXPECT_EQ(stored["RxFre"].Str(), "02812500");
    EXPECT_EQ(stored["Offset"].Str(), "0060000");
    EXPECT_EQ(stored["ShiftDir"].Num(), 1);
    EXPECT_EQ(stored["RxTone"].Num(), ToneIndex("88.5"));
    EXPECT_EQ(stored["RbTone"].Num(), 1);
    EXPECT_EQ(stored["ExtraChoice"].Num(), 0);
}

TEST_F(DocumentJsonTest, HoldsTheDocumentFields) {
    const JsonValue json = Dump();
    EXPECT_EQ(json["ModelName"].Str(), "KAVRO");
    EXPECT_EQ(json["BandText"].Str(), "25.615 - 30.105 MHz");
    EXPECT_EQ(json["BandLowMHz"].Num(), 25.615);
    EXPECT_EQ(json["ModelInfo"]["BandCode"].Num(), doc.Doc.ModelInfo.BandCode);
    EXPECT_EQ(json["Version"].Str(), TrimFixStr(doc.Doc.Version));

    const JsonValue& opt = json["OptFeatures"];
    EXPECT_EQ(opt["Words"].Obj().size(), kOptWordCount);
    EXPECT_EQ(opt["Words"]["TotTime"].Num(), 180);
    EXPECT_TRUE(opt["Words"].Has("VoxDelay"));
    EXPECT_EQ(opt["EmergencyChannels"].Arr().size(), 13u);
    EXPECT_EQ(opt["EmergencyChannels"][7]["Positions"][1].Num(), 12);
    EXPECT_TRUE(opt["OptChannel"]["Stored"].Has("BusyLock"));
    EXPECT_TRUE(opt["OptChannel"]["RxMHz"].IsNull());

    const JsonValue& dtmf = json["DtmfSettings"];
    EXPECT_EQ(dtmf.Obj().size(), 16u);
    EXPECT_EQ(dtmf["MemCodes"].Arr().size(), 16u);
    EXPECT_TRUE(dtmf["KillCode"].Has("Code"));

    EXPECT_EQ(json["EmbMsg"].Arr().size(), 4u);
    EXPECT_EQ(json["KeySettings"].Arr().size(), 6u);
    EXPECT_EQ(json["AlertSettings"].Arr().size(), 11u);
    EXPECT_EQ(json["ScanSettings"].Arr().size(), 12u);
    EXPECT_EQ(json["ToneTips"].Arr().size(), 8u);
    EXPECT_EQ(json["ToneTips"][0]["Items"].Arr().size(), 14u);
    EXPECT_EQ(json["ResetFlags"].Arr().size(), 14u);
    EXPECT_EQ(json["GroupNames"].Arr().size(), 15u);
    EXPECT_EQ(json["GroupNames"][14]["Label"].Str(), "14 -- MEM");
    EXPECT_EQ(json["FmRadioList"].Arr().size(), 20u);
    EXPECT_EQ(json["TestFreList"].Arr().size(), 11u);
    EXPECT_TRUE(json["RadioInfo"].Has("SerialNo"));
    EXPECT_TRUE(json.Has("ExtOption"));
}

TEST_F(DocumentJsonTest, TextsAreConvertedAndEscaped) {
    const JsonValue json = Dump();
    EXPECT_EQ(json["GroupNames"][7]["Name"].Str(), "\xC3\x89T\"\\");
    EXPECT_EQ(json["GroupNames"][7]["Label"].Str(), "7 -- \xC3\x89T\"\\");
    EXPECT_EQ(json["EmbMsg"][0].Str(), "say \"hi\" \\ \xC3\xBF");
    EXPECT_EQ(json["DocFileName"].Str(), "C:\\radios\\\"new\".dat");
    // the same bytes read as GBK
    EXPECT_EQ(Dump(true)["EmbMsg"][1].Str(), "\xE4\xB8\xAD\xE6\x96\x87");
}

TEST_F(DocumentJsonTest, DamagedFieldsStayValidJson) {
    ChannelInfo& ch = doc.ChList[FindChIndex(doc, 45)];
    ch.RxFre = MakeFixStr<8>("27\x01\xFF\"00");
    ch.RxTone = 999;
    doc.Doc.OptFeatures.RadioLabel = MakeFixStr<16>("\x80\x81\x8D\x8F\x90\x9D");
    const JsonValue json = Dump(true); // GBK: bytes that are no GBK text
    const JsonValue& damaged = json["Channels"][1];
    EXPECT_TRUE(damaged["RxMHz"].IsNull());
    EXPECT_TRUE(damaged["TxMHz"].IsNull());
    EXPECT_TRUE(damaged["RxToneName"].IsNull());
    EXPECT_EQ(damaged["Stored"]["RxTone"].Num(), 999);
    Dump(false);
}

} // namespace
} // namespace velmar
