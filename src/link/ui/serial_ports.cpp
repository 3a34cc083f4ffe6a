#include "link/ui/serial_ports.h"

#include <QSerialPortInfo>
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

QString PortDeviceName(const ComPortMap& map, int number) {
    const auto device = map.Device(number);
    if (!device)
        return {};
    const std::string folder = std::string(ByIdFolder) + '/';
    const bool byId = device->starts_with(folder) && device->size() > folder.size();
    return QString::fromStdString(byId ? device->substr(folder.size()) : *device);
}

QString AbsentPortName(int number, const QString& absentWord) {
    return PortName(number) + QStringLiteral(" (") + absentWord + QLatin1Char(')');
}

std::optional<int> PortNumberOfName(const QString& name) {
    QString number = name.mid(3);
    if (const auto mark = number.indexOf(QStringLiteral(" (")); mark >= 0)
        number.truncate(mark);
    bool ok = false;
    const int value = number.left(3).trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

PortListEntries PortList(const std::vector<int>& present, int chosen, const QString& absentWord,
                         const ComPortMap& map) {
    PortListEntries list;
    const auto add = [&](int number, const QString& name) {
        list.Names << name;
        list.Devices << PortDeviceName(map, number);
    };
    const auto addChosen = [&](const QString& name) {
        list.Selected = static_cast<int>(list.Names.size());
        add(chosen, name);
    };
    const bool missing =
        chosen > 0 && std::find(present.begin(), present.end(), chosen) == present.end();
    for (const int number : present) {
        if (missing && list.Selected < 0 && number > chosen)
            addChosen(AbsentPortName(chosen, absentWord));
        if (number == chosen)
            addChosen(PortName(number));
        else
            add(number, PortName(number));
    }
    if (missing && list.Selected < 0)
        addChosen(AbsentPortName(chosen, absentWord));
    return list;
}

} // namespace velmar
