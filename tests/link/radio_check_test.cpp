#include "link/radio_check.h"
#include "link/radio_password.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

namespace velmar {
namespace {

TEST(RadioCheckTest, CheckRadioModel) {
    const VersionTable versions{{{"V102", "V102"}}};
    struct Case {
        std::string_view documentModel;
        const char* documentBand;
        RadioIdentity radio;
        bool checkBand;
        ModelCheck expected;
    };
    const char* kavroBand = "25.615 - 30.105 MHz"; // 1
    const Case cases[] = {
        {"KAVRO", kavroBand, {"KAVRO", 1, "V102", {}}, true, ModelCheck::Pass},
        {"KAVRO  ", kavroBand, {"KAVRO", 1, "V102", {}}, true, ModelCheck::Pass},
        {std::string_view("KAVRO\0XY", 8),
         kavroBand,
         {"KAVRO", 1, "V102", {}},
         true,
         ModelCheck::Pass},
        {"KAVRO", kavroBand, {"KAVR", 1, "V102", {}}, true, ModelCheck::ModelDiffers},
        {"KAVRO", kavroBand, {"KAVRO", 1, "V101", {}}, true, ModelCheck::FirmwareIncompatible},
        {"KAVRO", kavroBand, {"OTHER", 1, "V101", {}}, true, ModelCheck::ModelDiffers},
        {"KAVRO", kavroBand, {"KAVRO", 7, "V102", {}}, false, ModelCheck::Pass},
        {"KAVRO", kavroBand, {"KAVRO", 7, "V102", {}}, true, ModelCheck::BandSameGroup},
        {"KAVRO", kavroBand, {"KAVRO", 8, "V102", {}}, true, ModelCheck::BandOtherGroup},
        {"KAVRO", "136 - 174 MHz", {"KAVRO", 14, "V102", {}}, true, ModelCheck::BandSameGroup},
        {"KAVRO", "450 - 520 MHz", {"KAVRO", 33, "V102", {}}, true, ModelCheck::BandOtherGroup},
        {"KAVRO", "unknown band", {"KAVRO", 0, "V102", {}}, true, ModelCheck::Pass},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.radio.Model << " " << int(c.radio.Band));
        EXPECT_EQ(CheckRadioModel(c.radio, c.documentModel, c.documentBand, c.checkBand, versions),
                  c.expected);
    }
}

TEST(RadioCheckTest, CheckRadioPassword) {
    struct Case {
        Bytes passwordBytes; // data bytes 12 … 15
        const char* held;
        bool passes;
    };
    const Case cases[] = {
        {{0xFF, 'A', 'B', 'C'}, "", true}, // 0xFF first: no password
        {{0x00, 0x00, 0x00, 0x00}, "X", true},  {{'A', 'B', 0x00, 0x00}, "AB", true},
        {{'A', 'B', 0x00, 0x00}, "ABC", false}, {{'A', 'B', 0x00, 0x00}, "", false},
        {{'A', 'B', ' ', 0xFF}, "AB", true}, // trailing blanks do not count
        {{'A', 'B', 'C', 'D'}, "ABCD", true},   {{'A', 'B', 'C', 'D'}, "abcd", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.held);
        Bytes data(BlockSize, 0x11);
        std::copy(c.passwordBytes.begin(), c.passwordBytes.end(), data.begin() + 12);
        EXPECT_EQ(CheckRadioPassword(data, c.held), c.passes);
    }
    EXPECT_EQ(PasswordInBlock(Bytes(5, 'A')), ""); // a short block holds none
}

TEST(RadioCheckTest, EnteredPasswordIsCutAndTrimmed) {
    LinkGlobals link;
    EnterRadioPassword(link, "AB ");
    EXPECT_EQ(link.RadioPassword, "AB");
    EnterRadioPassword(link, std::string_view("A\0B", 3));
    EXPECT_EQ(link.RadioPassword, "A");
}

} // namespace
} // namespace velmar
