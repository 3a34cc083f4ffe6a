#include "factory/factory_setup.h"

#include "shell/ini_file.h"

#include <algorithm>

namespace velmar {
namespace {

int PortNumber(std::string_view text) {
    if (text.empty() || text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    const int port = std::stoi(std::string(text));
    return port <= 65535 ? port : 0;
}

} // namespace

bool IsFactoryHandshake(std::string_view keyword) {
    return keyword.size() == 7 &&
           std::all_of(keyword.begin(), keyword.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

FactorySetup ReadFactorySetup(const std::string& path) {
    FactorySetup setup;
    setup.comPort = PortNumber(ReadIniValue(path, FactorySetupSection, ComPortKey));
    const std::string keyword = ReadIniValue(path, FactorySetupSection, FactoryHandshakeKey);
    if (IsFactoryHandshake(keyword))
        setup.FactoryHandshake = keyword;
    else
        setup.HandshakeRefused = !keyword.empty();
    return setup;
}

} // namespace velmar
