#include "link/ui/port_list_view.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

namespace velmar {

namespace {

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
