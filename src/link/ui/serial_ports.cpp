#include "link/ui/serial_ports.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QSerialPortInfo>
#include <QStyledItemDelegate>
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

// The drop-down list of a port box: each entry's name, then its device in a
// column of its own.
class PortItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        const QString device = index.data(PortDeviceRole).toString();
        if (device.isEmpty())
            return;
        QRect area = option.rect;
        area.setLeft(area.left() + DeviceColumn(option, index));
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        painter->setPen(
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::PlaceholderText));
        painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter, device);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        const QString device = index.data(PortDeviceRole).toString();
        if (!device.isEmpty())
            size.setWidth(DeviceColumn(option, index) +
                          option.fontMetrics.horizontalAdvance(device) + Gap(option));
        return size;
    }

private:
    static int Gap(const QStyleOptionViewItem& option) {
        return option.fontMetrics.horizontalAdvance(QStringLiteral("MM"));
    }
    // After the widest name of the list, so the devices stand in line.
    static int DeviceColumn(const QStyleOptionViewItem& option, const QModelIndex& index) {
        int widest = 0;
        const QAbstractItemModel* model = index.model();
        for (int row = 0; row < model->rowCount(); ++row)
            widest = std::max(widest, option.fontMetrics.horizontalAdvance(
                                          model->index(row, 0).data().toString()));
        return widest + 2 * Gap(option);
    }
};

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

void ShowPortList(QComboBox* combo, const PortListEntries& list) {
    QStringList names;
    QStringList devices;
    for (int i = 0; i < combo->count(); ++i) {
        names << combo->itemText(i);
        devices << combo->itemData(i, PortDeviceRole).toString();
    }
    if (names != list.Names || devices != list.Devices) {
        combo->clear();
        for (qsizetype i = 0; i < list.Names.size(); ++i)
            combo->addItem(list.Names[i], list.Devices[i]);
        // Wide enough for the longest device.
        QAbstractItemView* view = combo->view();
        view->setMinimumWidth(view->sizeHintForColumn(0) + 2 * view->frameWidth());
    }
    combo->setCurrentIndex(list.Selected);
}

void ShowPortDevices(QComboBox* combo, QLabel* device) {
    combo->setItemDelegate(new PortItemDelegate(combo));
    const auto follow = [combo, device] {
        device->setText(combo->currentData(PortDeviceRole).toString());
    };
    QObject::connect(combo, &QComboBox::currentIndexChanged, device, follow);
    follow();
}

} // namespace velmar
