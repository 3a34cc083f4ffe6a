#pragma once
// Port lists in the windows: the boxes that show PortList's entries.
#include "link/ui/serial_ports.h"

class QComboBox;
class QLabel;

namespace velmar {

// Where a port list box keeps the device of each entry (its item data); the
// entry's text stays the port's name, which is all the program reads back.
inline constexpr int PortDeviceRole = Qt::UserRole;

// Shows `list` in `combo`; an unchanged list is left alone, so that an open
// drop-down stays open. The box reports no click (`activated` is the user's
// alone).
void ShowPortList(QComboBox* combo, const PortListEntries& list);

// Makes a port list box show where each number leads: the drop-down list
// gives each entry's device beside its name, and `device`, a label beside the
// box, gives the chosen entry's.
void ShowPortDevices(QComboBox* combo, QLabel* device);

} // namespace velmar
