#include "factory/factory_setup.h"

#include <gtest/gtest.h>

#include <fstream>

namespace velmar {
namespace {

std::string WriteSetup(const std::string& name, const std::string& text) {
    const std::string path = testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

TEST(FactorySetupTest, ShippedSettingsUseTheDefaultKeyword) {
    const FactorySetup setup =
        ReadFactorySetup(std::string(VELMAR_SOURCE_DIR) + "/data/factory/mysetup.ini");
    EXPECT_EQ(setup.comPort, 1);
    EXPECT_EQ(setup.FactoryHandshake, DefaultFactoryHandshake);
    EXPECT_FALSE(setup.HandshakeRefused);
}

TEST(FactorySetupTest, UnusableValuesFallBack) {
    struct Case {
        const char* text;
        int port;
        const char* keyword;
        bool refused;
    };
    const Case cases[] = {
        {"[language]\ncomPort=7\nFactoryHandshake=SETMODE\n", 7, "SETMODE", false},
        {"[language]\ncomPort=COM3\nFactoryHandshake=factory\n", 0, "FACTORY", true},
        {"[language]\ncomPort=99999\nFactoryHandshake=FACTORYMODE\n", 0, "FACTORY", true},
        {"[language]\ncomPort=\n", 0, "FACTORY", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const FactorySetup setup = ReadFactorySetup(WriteSetup("factory_setup.ini", c.text));
        EXPECT_EQ(setup.comPort, c.port);
        EXPECT_EQ(setup.FactoryHandshake, c.keyword);
        EXPECT_EQ(setup.HandshakeRefused, c.refused);
    }
    const FactorySetup missing = ReadFactorySetup(testing::TempDir() + "no_such_setup.ini");
    EXPECT_EQ(missing.comPort, 0);
    EXPECT_EQ(missing.FactoryHandshake, DefaultFactoryHandshake);
}

} // namespace
} // namespace velmar
