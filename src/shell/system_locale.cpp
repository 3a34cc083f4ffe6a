#include "shell/system_locale.h"

#include "shell/text_util.h"

#include <array>
#include <clocale>
#include <cstdlib>
#include <string>
#include <utility>

namespace velmar {

namespace {

// Language and territory as written in locale names, with their ids.
constexpr std::array<std::pair<std::string_view, std::uint32_t>, 30> KnownLocales = {{
    {"zh_CN", LocaleChinaChinese},
    {"zh_TW", LocaleTaiwanChinese},
    {"zh_HK", 0x0C04},
    {"zh_SG", 0x1004},
    {"zh_MO", 0x1404},
    {"en_US", LocaleUsEnglish},
    {"en_GB", 0x0809},
    {"en_AU", 0x0C09},
    {"en_CA", 0x1009},
    {"en_NZ", 0x1409},
    {"en_IE", 0x1809},
    {"en_IN", 0x4009},
    {"de_DE", 0x0407},
    {"de_AT", 0x0C07},
    {"de_CH", 0x0807},
    {"fr_FR", 0x040C},
    {"fr_CA", 0x0C0C},
    {"fr_BE", 0x080C},
    {"es_ES", 0x0C0A},
    {"es_MX", 0x080A},
    {"it_IT", 0x0410},
    {"pt_BR", 0x0416},
    {"pt_PT", 0x0816},
    {"nl_NL", 0x0413},
    {"ru_RU", 0x0419},
    {"pl_PL", 0x0415},
    {"ja_JP", 0x0411},
    {"ko_KR", 0x0412},
    {"sv_SE", 0x041D},
    {"tr_TR", 0x041F},
}};

} // namespace

std::uint32_t LocaleIdFromPosixName(std::string_view name) {
    // "zh_CN.UTF-8@modifier" -> "zh_CN"; BCP 47 writes "zh-CN".
    std::string base(name.substr(0, name.find_first_of(".@")));
    if (base.size() > 2 && base[2] == '-')
        base[2] = '_';
    for (const auto& [known, id] : KnownLocales) {
        if (EqualsIgnoreCase(base, known))
            return id;
    }
    return LocaleUsEnglish;
}

std::string UserLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const char* value = std::getenv(variable); value && *value)
            return value;
    }
    return {};
}

char UseDecimalPointForNumbers() {
    char separator = '.';
    if (std::setlocale(LC_NUMERIC, "")) {
        const char* point = std::localeconv()->decimal_point;
        if (point && point[0] && !point[1])
            separator = point[0];
    }
    std::setlocale(LC_NUMERIC, "C");
    return separator;
}

} // namespace velmar
