#pragma once
#include <QString>
#include <string>

namespace velmar {

// The radio password as the radio keeps it: the typed text in the ANSI code
// page of record texts (GBK on a Chinese system, Windows-1252 otherwise);
// characters the code page lacks become "?".
std::string PasswordToAnsi(const QString& typed, bool ansiIsGbk);

} // namespace velmar
