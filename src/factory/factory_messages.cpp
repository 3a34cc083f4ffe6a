#include "factory/factory_messages.h"

#include "shell/system_locale.h"

#include <array>

namespace velmar {
namespace {

struct MessagePair {
    const char* English;
    const char* Chinese;
};

constexpr std::array<MessagePair, 7> Messages{{
    {"Communication Error!", "通信错误！"},
    {"Cannot Open Communication Port.", "不能打开串口。"},
    {"Unkown operating system!", "未知操作系统"},
    {"Read Complete!", "读取完成！"},
    {"Write Complete!", "写入完成！"},
    {"The serial number cannot count past 99999999. It was not advanced.",
     "序列号不能超过99999999，未能递增。"},
    {"The factory handshake keyword in mysetup.ini must be 7 capital letters. The built-in "
     "keyword is used.",
     "mysetup.ini中的工厂握手关键字必须是7个大写字母，现使用内置关键字。"},
}};

} // namespace

FactoryLanguage FactoryLanguageForLocale(std::uint32_t localeId) {
    return localeId == LocaleChinaChinese ? FactoryLanguage::Chinese : FactoryLanguage::English;
}

std::string MessageText(int number, FactoryLanguage language) {
    if (number < 1 || number > static_cast<int>(Messages.size()))
        return {};
    const MessagePair& pair = Messages[static_cast<std::size_t>(number - 1)];
    return language == FactoryLanguage::Chinese ? pair.Chinese : pair.English;
}

} // namespace velmar
