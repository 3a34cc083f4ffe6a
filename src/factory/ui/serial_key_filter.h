#pragma once
// The serial number box takes digits only: letters and symbols typed are
// dropped, and copy, paste and cut are blocked, so that what the box holds
// stays a number the tool can count on.
#include <QObject>

namespace velmar {

enum class SerialKeyAction { Accept, Discard, NextControl };

// What the serial number box does with a character typed (its character
// code): the control codes of copy (3), paste (22) and cut (24) and every code
// above 127 are discarded, Enter (13) moves on to the next control, printable
// characters other than 0 … 9 are discarded; other control codes (Backspace)
// are accepted.
SerialKeyAction FilterSerialNumberKey(char32_t code);

// Applies FilterSerialNumberKey to the key presses of the box it is installed
// on, and blocks the other ways in of pasted text: the paste shortcuts, the
// context menu and the middle mouse button.
class SerialKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace velmar
