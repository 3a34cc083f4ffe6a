#include "factory/factory_image.h"
#include "factory/factory_info.h"
#include "factory/factory_messages.h"
#include "factory/serial_number.h"
#include "factory_samples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace velmar {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(FactoryInfoTest, DefaultsFollowToday) {
    FactoryInfo info;
    info.AreaCode = "0755"; // left from before: the defaults replace it
    info.OptionFlags = {0, 0, 1, 1};
    InitFactoryData(info, March5th2026);

    EXPECT_EQ(info.SerialNumber, "2026030500000001");
    EXPECT_EQ(info.ProducedDate, "2026/3/5");
    EXPECT_EQ(info.ManufactureCode, "03-1-E-1");
    EXPECT_EQ(info.RadioType, "KAVRO");
    EXPECT_EQ(info.BandCode, 1);
    EXPECT_TRUE(info.FactoryMode);
    EXPECT_EQ(info.UserCode, "001A");
    EXPECT_EQ(info.FirmwareVersion, "V1.00");
    EXPECT_EQ(info.OptionFlags, (std::array<std::uint16_t, 4>{1, 1, 0, 0}));
    for (const auto* field :
         {&info.AreaCode, &info.MaintainedDate, &info.MaintainedDescription, &info.DealerCode,
          &info.StockDate, &info.SellDate, &info.Seller, &info.ProgramPassword})
        EXPECT_EQ(*field, "");

    InitFactoryData(info, {2026, 12, 31, "31.12.2026"});
    EXPECT_EQ(info.SerialNumber, "2026123100000001");
    EXPECT_EQ(info.ManufactureCode, "12-1-E-1");
}

TEST(FactoryInfoTest, SerialNumberAdvance) {
    struct Case {
        const char* serial;
        std::optional<std::string> next;
    };
    const Case cases[] = {
        {"0041", "00000042"},
        {"0", "00000001"},
        {"41  ", "00000042"},
        {"ABC", "ABC"},
        {"12-4", "12-4"},
        {"", ""},
        {"2026030500000001", "2026030500000002"},
        {"20260305ABCDEFGH", "20260305ABCDEFGH"},
        {"2026030599999998", "2026030599999999"},
        {"99999998", "99999999"},
        // The counter may not pass 99999999, whatever its length.
        {"99999999", std::nullopt},
        {"2026030599999999", std::nullopt},
        {"2026030502147483648", std::nullopt},
        {"123456789012345678901234567890123456789", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.serial);
        EXPECT_EQ(NextSerialNumber(c.serial), c.next);
    }
}

TEST(FactoryInfoTest, BandTextAndFamilies) {
    EXPECT_EQ(FactoryBandText(1), "25.615 - 30.105 MHz");
    EXPECT_EQ(FactoryBandText(32), "450 - 520 MHz");
    EXPECT_EQ(FactoryBandText(15), "");
    EXPECT_EQ(FactoryBandText(0), "");

    struct Case {
        int newCode, oldCode;
        bool same;
    };
    const Case cases[] = {{1, 7, true},   {7, 1, true},    {8, 14, true},   {7, 8, false},
                          {16, 16, true}, {16, 14, false}, {32, 32, false}, {-1, 1, false}};
    for (const Case& c : cases)
        EXPECT_EQ(SameBandFamily(c.newCode, c.oldCode), c.same) << c.newCode << " " << c.oldCode;
}

TEST(FactoryInfoTest, MessagesInBothLanguages) {
    EXPECT_EQ(MessageText(1, FactoryLanguage::English), "Communication Error!");
    EXPECT_EQ(MessageText(2, FactoryLanguage::English), "Cannot Open Communication Port.");
    EXPECT_EQ(MessageText(5, FactoryLanguage::English), "Write Complete!");
    EXPECT_EQ(MessageText(1, FactoryLanguage::Chinese), "通信错误！");
    EXPECT_EQ(MessageText(4, FactoryLanguage::Chinese), "读取完成！");
    for (int n = MsgCommunicationError; n <= MsgBadHandshakeSetting; ++n)
        EXPECT_FALSE(MessageText(n, FactoryLanguage::Chinese).empty()) << n;
    EXPECT_EQ(MessageText(0, FactoryLanguage::English), "");
    EXPECT_EQ(MessageText(MsgBadHandshakeSetting + 1, FactoryLanguage::Chinese), "");

    EXPECT_EQ(FactoryLanguageForLocale(0x0804), FactoryLanguage::Chinese);
    EXPECT_EQ(FactoryLanguageForLocale(0x0404), FactoryLanguage::English);
    EXPECT_EQ(FactoryLanguageForLocale(0x0409), FactoryLanguage::English);
}

// ---- the image blocks -------------------------------------------------------

TEST(FactoryImageTest, FieldsGoBackAndForth) {
    const FactoryInfo info = FilledInfo();
    FactoryImage image;
    FactoryDataToImage(info, image);

    FactoryInfo back;
    back.FirmwareVersion = "V9.99";
    back.OptionFlags = {0, 0, 1, 1};
    ImageToFactoryData(image, back);
    for (const FactoryTextField& field : FactoryTextFields) {
        if (field.Address == 0)
            continue;
        EXPECT_EQ(back.*field.Text, info.*field.Text) << field.Address;
    }
    EXPECT_EQ(back.RadioType, info.RadioType);
    EXPECT_EQ(back.BandCode, 5);
    EXPECT_FALSE(back.FactoryMode);
    // Not kept in the radio: left as they were.
    EXPECT_EQ(back.FirmwareVersion, "V9.99");
    EXPECT_EQ(back.OptionFlags, (std::array<std::uint16_t, 4>{0, 0, 1, 1}));
}

TEST(FactoryImageTest, TextsAreCutPaddedAndBounded) {
    FactoryImage image;
    image.FactoryBlock.Fill(0x3010, 0x30FF, 0x77);

    FactoryInfo info = FilledInfo();
    info.MaintainedDescription = std::string(100, 'x');
    info.MaintainedDescription.replace(79, 2, "yz");
    info.AreaCode = "12  "; // trailing blanks are dropped, the rest is 0x00
    FactoryDataToImage(info, image);

    const auto description = image.FactoryBlock.Range(0x3070, 80);
    EXPECT_EQ(description[78], 'x');
    EXPECT_EQ(description[79], 'y'); // the first 80 bytes, no more
    EXPECT_EQ(image.FactoryBlock.Range(0x30C0, 1)[0], 'D');
    const auto area = image.FactoryBlock.Range(0x3011, 4);
    EXPECT_EQ(Bytes(area.begin(), area.end()), (Bytes{'1', '2', 0, 0}));
    // Bytes no field covers keep what they held.
    EXPECT_EQ(image.FactoryBlock.Range(0x3015, 1)[0], 0x77);
    EXPECT_EQ(image.FactoryBlock.Range(0x3028, 1)[0], 0x77);

    // Fields that would leave their block are refused and write nothing.
    const FactoryImage before = image;
    EXPECT_FALSE(PutImageText(image, 0x30F8, "ABC", 16));
    EXPECT_FALSE(PutImageText(image, 0x29E0, "ABC", 17));
    EXPECT_FALSE(PutImageText(image, 0x3000, "ABC", 4));
    EXPECT_FALSE(PutImageText(image, 0x3011, "ABC", 0));
    EXPECT_TRUE(std::ranges::equal(image.FactoryBlock.Range(0x3010, 240),
                                   before.FactoryBlock.Range(0x3010, 240)));
    EXPECT_EQ(ImageText(image, 0x30F8, 16), "");
}

TEST(FactoryImageTest, ErasedFieldsReadEmpty) {
    FactoryImage image;
    image.ModelBlock.Fill(0x29E0, 0x29EF, 0xFF);
    image.FactoryBlock.Fill(0x3010, 0x30FF, 0xFF);
    image.FactoryBlock.Store(0x30F0, Bytes{'A', 'B', 0xFF, 'C'});

    FactoryInfo info = FilledInfo();
    ImageToFactoryData(image, info);
    EXPECT_EQ(info.RadioType, "");
    EXPECT_EQ(info.SerialNumber, "");
    EXPECT_EQ(info.MaintainedDescription, "");
    EXPECT_EQ(info.ProgramPassword, "");
    EXPECT_EQ(info.Seller, "AB"); // a field ends at its first 0xFF
    EXPECT_EQ(info.BandCode, 0xFF);
    EXPECT_TRUE(info.FactoryMode); // only bit 0 counts
}

} // namespace
} // namespace velmar
