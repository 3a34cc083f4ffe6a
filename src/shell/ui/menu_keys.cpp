#include "shell/ui/menu_keys.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace velmar {

namespace {

// Every entry of the window's menus, submenus included.
QList<QAction*> MenuEntries(const QMainWindow& window) {
    QList<QAction*> entries;
    QList<QAction*> pending = window.menuBar()->actions();
    while (!pending.isEmpty()) {
        QAction* action = pending.takeFirst();
        if (QMenu* menu = action->menu())
            pending.append(menu->actions());
        else if (!action->isSeparator())
            entries.append(action);
    }
    return entries;
}

bool EditsText(const QObject* control) {
    if (const auto* box = qobject_cast<const QLineEdit*>(control))
        return !box->isReadOnly();
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(control))
        return !text->isReadOnly();
    if (const auto* text = qobject_cast<const QTextEdit*>(control))
        return !text->isReadOnly();
    return qobject_cast<const QAbstractSpinBox*>(control) != nullptr;
}

} // namespace

MenuKeysFirst::MenuKeysFirst(QMainWindow& window) : QObject(&window), window_(window) {
    qApp->installEventFilter(this);
}

bool MenuKeysFirst::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    auto* control = qobject_cast<QWidget*>(watched);
    if (!control || control->window() != &window_)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const bool typingKey = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (typingKey && EditsText(control))
        return false;
    const QKeySequence pressed(key->keyCombination());
    for (const QAction* entry : MenuEntries(window_)) {
        if (entry->isEnabled() && entry->isVisible() && entry->shortcuts().contains(pressed)) {
            // Not taken by the control: the shortcut map gives it to the entry.
            event->ignore();
            return true;
        }
    }
    return false;
}

void GiveMenuKeysToMainWindow(QMdiSubWindow& frame) {
    const auto* window = qobject_cast<const QMainWindow*>(frame.window());
    if (!window || !frame.systemMenu())
        return;
    QList<QKeySequence> menuKeys;
    for (const QAction* entry : MenuEntries(*window))
        menuKeys.append(entry->shortcuts());
    for (QAction* action : frame.systemMenu()->actions()) {
        QList<QKeySequence> kept = action->shortcuts();
        kept.removeIf([&](const QKeySequence& key) { return menuKeys.contains(key); });
        if (kept.size() != action->shortcuts().size())
            action->setShortcuts(kept);
    }
}

} // namespace velmar
