#pragma once
// The factory tool's settings file, "mysetup.ini" in its program folder.
#include <string>
#include <string_view>

namespace velmar {

inline constexpr std::string_view FactorySetupFile = "mysetup.ini";
inline constexpr std::string_view FactorySetupSection = "language";
inline constexpr std::string_view ComPortKey = "comPort";
inline constexpr std::string_view FactoryHandshakeKey = "FactoryHandshake";

// The keyword that opens a radio's factory mode when the settings name none;
// the virtual radio answers it too.
inline constexpr std::string_view DefaultFactoryHandshake = "FACTORY";

// A usable keyword: 7 ASCII capital letters.
bool IsFactoryHandshake(std::string_view keyword);

struct FactorySetup {
    int comPort = 0; // 0: none chosen
    std::string FactoryHandshake{DefaultFactoryHandshake};
    bool HandshakeRefused = false; // a keyword was set but is not usable; the default is used
};

// Reads the settings file. A missing file or key gives the default; a port
// number that is not a number from 0 to 65535 reads as 0.
FactorySetup ReadFactorySetup(const std::string& path);

} // namespace velmar
