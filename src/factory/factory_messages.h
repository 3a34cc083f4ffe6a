#pragma once
// The factory tool carries its texts built in, in English and Chinese.
#include <cstdint>
#include <string>

namespace velmar {

enum class FactoryLanguage { English = 1, Chinese = 2 };

// Chinese on a system whose default locale is Chinese (PRC, 0x0804), English
// on any other.
FactoryLanguage FactoryLanguageForLocale(std::uint32_t localeId);

// Numbers of the built-in messages.
enum FactoryMessage {
    MsgCommunicationError = 1,
    MsgCannotOpenPort = 2,
    MsgUnknownSystem = 3,
    MsgReadComplete = 4,
    MsgWriteComplete = 5,
    MsgSerialAtLimit = 6,      // the serial number cannot advance further
    MsgBadHandshakeSetting = 7 // the configured factory keyword is unusable
};

// Message `number` in `language` (UTF-8); empty for an unknown number.
std::string MessageText(int number, FactoryLanguage language);

} // namespace velmar
