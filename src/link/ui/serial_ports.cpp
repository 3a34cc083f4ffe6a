#include "link/ui/serial_ports.h"

#include <QSerialPortInfo>
#include <algorithm>
#include <filesystem>
#include <map>

namespace velmar {

namespace fs = std::filesystem;

namespace {

constexpr const char* ByIdFolder = "/dev/serial/by-id";

// Device path → its by-id link.
std::map<std::string, std::string> ByIdLinks() {
    std::map<std::string, std::string> links;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(ByIdFolder, ec)) {
        std::error_code resolveError;
        const fs::path device = fs::canonical(entry.path(), resolveError);
        if (!resolveError)
            links.emplace(device.string(), entry.path().string());
    }
    return links;
}

} // namespace

std::vector<std::string> SystemSerialDevices() {
    const auto links = ByIdLinks();
    std::vector<std::string> devices;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
        const std::string location = port.systemLocation().toStdString();
        std::error_code ec;
        const fs::path resolved = fs::canonical(location, ec);
        const auto link = links.find(ec ? location : resolved.string());
        devices.push_back(link != links.end() ? link->second : location);
    }
    // The same numbers for the same devices, whatever order the system lists them in.
    std::sort(devices.begin(), devices.end());
    return devices;
}

std::vector<int> PresentPortNumbers(ComPortMap& map) {
    return map.Refresh(SystemSerialDevices());
}

QString PortName(int number) {
    return QStringLiteral("COM") + QString::number(number);
}

std::optional<int> PortNumberOfName(const QString& name) {
    bool ok = false;
    const int number = name.mid(3, 3).trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return number;
}

} // namespace velmar
