#include "link/verify_setting.h"

#include "shell/ini_file.h"
#include "shell/text_util.h"

namespace velmar {

bool ReadVerifyAfterWrite(const std::string& setupPath) {
    const auto value = ParseInt16(ReadIniValue(setupPath, VerifySection, VerifyKey));
    return value && *value != 0;
}

bool WriteVerifyAfterWrite(const std::string& setupPath, bool on) {
    return WriteIniValue(setupPath, VerifySection, VerifyKey, on ? "1" : "0");
}

} // namespace velmar
