#include "channels/ui/qt_combo.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace velmar {

ComboList ToComboList(const QComboBox& combo) {
    ComboList list;
    for (int i = 0; i < combo.count(); ++i)
        list.Entries.push_back(combo.itemText(i).toStdString());
    list.Selected = combo.currentIndex();
    return list;
}

void ShowComboList(QComboBox& combo, const ComboList& list) {
    QStringList entries;
    for (const std::string& entry : list.Entries)
        entries.append(QString::fromStdString(entry));
    const QSignalBlocker quiet(combo);
    if (ToComboList(combo).Entries != list.Entries) {
        combo.clear();
        combo.addItems(entries);
    }
    combo.setCurrentIndex(list.Selected);
}

void FillCombo(QComboBox& combo, const QStringList& entries) {
    const QSignalBlocker quiet(combo);
    combo.clear();
    combo.addItems(entries);
    combo.setCurrentIndex(-1);
}

} // namespace velmar
