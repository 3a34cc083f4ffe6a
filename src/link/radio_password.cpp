#include "link/radio_password.h"

#include "model/fixed_text.h"

namespace velmar {

std::string PasswordInBlock(std::span<const std::uint8_t> blockData) {
    std::string password;
    for (std::size_t i = 12; i < 16 && i < blockData.size(); ++i) {
        if (blockData[i] == 0x00 || blockData[i] == 0xFF)
            break;
        password.push_back(static_cast<char>(blockData[i]));
    }
    return TrimFixStr(password);
}

bool CheckRadioPassword(std::span<const std::uint8_t> blockData, std::string_view radioPassword) {
    const std::string password = PasswordInBlock(blockData);
    return password.empty() || password == radioPassword;
}

void EnterRadioPassword(LinkGlobals& link, std::string_view typed) {
    link.RadioPassword = TrimFixStr(typed);
}

} // namespace velmar
