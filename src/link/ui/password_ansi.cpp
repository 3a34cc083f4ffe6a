#include "link/ui/password_ansi.h"

#include <QStringEncoder>

namespace velmar {

std::string PasswordToAnsi(const QString& typed, bool ansiIsGbk) {
    QStringEncoder encoder(ansiIsGbk ? "GBK" : "windows-1252");
    if (!encoder.isValid()) {
        const QByteArray latin = typed.toLatin1();
        return std::string(latin.constData(), static_cast<std::size_t>(latin.size()));
    }
    const QByteArray bytes = encoder.encode(typed);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace velmar
