#pragma once
// Whether a write is followed by reading the radio back and comparing it with
// what was sent: "VerifyAfterWrite" in section "link" of mysetup.ini, 1 or 0,
// off when missing or not a number.
#include <string>
#include <string_view>

namespace velmar {

inline constexpr std::string_view VerifySection = "link";
inline constexpr std::string_view VerifyKey = "VerifyAfterWrite";

bool ReadVerifyAfterWrite(const std::string& setupPath);
bool WriteVerifyAfterWrite(const std::string& setupPath, bool on);

} // namespace velmar
