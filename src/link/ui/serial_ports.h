#pragma once
#include "link/ui/com_port_map.h"

#include <QString>
#include <optional>
#include <string>
#include <vector>

namespace velmar {

// The serial devices the system reports, by their stable names: the
// /dev/serial/by-id link that points at a device when there is one (it stays
// the same whichever socket the cable is plugged into), else its device path.
std::vector<std::string> SystemSerialDevices();

// The numbers of the ports that exist now, ascending; devices seen for the
// first time get their numbers on the way. The list of FillPortList.
std::vector<int> PresentPortNumbers(ComPortMap& map);

// "COM" followed by the number.
QString PortName(int number);

// The number in the (at most three) characters after the first three of a
// port name ("COM12" → 12), trimmed of blanks; nothing when it is not a number.
std::optional<int> PortNumberOfName(const QString& name);

} // namespace velmar
