#pragma once
#include "link/ui/com_port_map.h"

#include <QString>
#include <QStringList>
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

// The device of port `number` as the port lists show it beside the number: a
// by-id link without its folder ("usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"),
// any other path as it is ("/dev/pts/3"); empty when the map has none.
QString PortDeviceName(const ComPortMap& map, int number);

// A chosen port whose device is missing for the moment: "COM3 (absent)", the
// word in parentheses as the window gives it.
QString AbsentPortName(int number, const QString& absentWord);

// The number in the (at most three) characters after the first three of a
// port name ("COM12" → 12), trimmed of blanks, also of an absent port's entry
// ("COM3 (absent)" → 3); nothing when it is not a number.
std::optional<int> PortNumberOfName(const QString& name);

// The entries of a port list: one per port present, ascending, and the
// chosen port (0: none) in its place by number while its device is missing,
// so that a port gone for a moment (a cable pulled and put back, a virtual
// radio restarted) stays chosen. Beside each name the device `map` gives its
// number (PortDeviceName). Selected: the chosen port's entry, or -1.
struct PortListEntries {
    QStringList Names;
    QStringList Devices;
    int Selected = -1;
};
PortListEntries PortList(const std::vector<int>& present, int chosen, const QString& absentWord,
                         const ComPortMap& map);

} // namespace velmar
