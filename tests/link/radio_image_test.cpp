#include "link/radio_image.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmar {
namespace {

TEST(RadioImageTest, AddressRangesAndSizes) {
    EXPECT_EQ(RadioImage::Size, 11264u);
    EXPECT_EQ(RadioImage::LastAddress, 0x2BFF);
    EXPECT_EQ(RadioInfoBlock::Size, 256u);
    EXPECT_EQ(RadioInfoBlock::FirstAddress, 0x3000);
    EXPECT_EQ(RadioInfoBlock::LastAddress, 0x30FF);
}

TEST(RadioImageTest, BlockAccessStaysInsideTheRange) {
    struct Case {
        std::uint32_t address;
        bool imageHolds;
        bool infoHolds;
    };
    const Case cases[] = {
        {0x0000, true, false},  {0x2BF0, true, false},  {0x2BF1, false, false},
        {0x2C00, false, false}, {0x2FF0, false, false}, {0x3000, false, true},
        {0x30F0, false, true},  {0x30F1, false, false}, {0xFFFFFFF0, false, false},
    };
    RadioImage image;
    RadioInfoBlock info;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        EXPECT_EQ(image.Block(c.address).size(), c.imageHolds ? BlockSize : 0u);
        EXPECT_EQ(info.Block(c.address).size(), c.infoHolds ? BlockSize : 0u);
    }
}

TEST(RadioImageTest, StoreAndFillChangeNothingWhenOutside) {
    RadioInfoBlock info;
    const std::vector<std::uint8_t> block(BlockSize, 0x5A);
    EXPECT_TRUE(info.Store(0x3030, block));
    EXPECT_EQ(info.bytes[0x30], 0x5A);
    EXPECT_EQ(info.bytes[0x3F], 0x5A);
    EXPECT_FALSE(info.Store(0x30F8, block));
    EXPECT_FALSE(info.Store(0x2FF8, block));
    EXPECT_FALSE(info.Fill(0x30F0, 0x3100, 0xEE));
    EXPECT_FALSE(info.Fill(0x3010, 0x3000, 0xEE));
    EXPECT_EQ(info.bytes[0xF8], 0x00);
    EXPECT_EQ(info.bytes[0x00], 0x00);
}

TEST(RadioImageTest, ClearChannelAreaSetsOnlyTheChannelArea) {
    RadioImage image;
    ClearChannelArea(image);
    EXPECT_EQ(image.bytes[0x0000], 0xFF);
    EXPECT_EQ(image.bytes[0x243F], 0xFF);
    EXPECT_EQ(image.bytes[0x2440], 0x00);
}

} // namespace
} // namespace velmar
