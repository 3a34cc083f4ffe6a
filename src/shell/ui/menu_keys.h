#pragma once
// The main window's menu keys (Ctrl+W writes, Ctrl+R reads …) run their
// command wherever the focus lies in the main window: neither the frame of a
// child window nor the control that has the focus takes them away.
#include <QObject>

class QMainWindow;
class QMdiSubWindow;

namespace velmar {

// Installed on the application for the life of `window`. A key that one of
// the window's visible and enabled menu entries claims goes to that entry,
// even when the focused control would take it for itself (a text box takes
// Ctrl+D and Ctrl+U as editing keys). A key without Ctrl or Alt (Delete)
// stays with a control that edits text: there it deletes a character.
class MenuKeysFirst : public QObject {
public:
    explicit MenuKeysFirst(QMainWindow& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMainWindow& window_;
};

// A child window's frame claims keys of its own (Ctrl+W closes it); those
// that a menu of the main window holding the frame claims too are taken off
// the frame, so that the menu entry alone answers them.
void GiveMenuKeysToMainWindow(QMdiSubWindow& frame);

} // namespace velmar
