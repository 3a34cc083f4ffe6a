#include "factory/ui/serial_key_filter.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace velmar {

SerialKeyAction FilterSerialNumberKey(char32_t code) {
    constexpr char32_t Copy = 3, Paste = 22, Cut = 24, Enter = 13;
    if (code == Copy || code == Paste || code == Cut || code > 127)
        return SerialKeyAction::Discard;
    if (code == Enter)
        return SerialKeyAction::NextControl;
    const bool printable = code >= 32 && code < 127;
    if (printable && (code < '0' || code > '9'))
        return SerialKeyAction::Discard;
    return SerialKeyAction::Accept;
}

namespace {

// The character code a key press types, as the box would receive it: the
// control code of Ctrl+letter, 13 for either Enter key, 0 for keys that type
// nothing (arrows, Delete).
char32_t TypedCode(const QKeyEvent& key) {
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
        return 13;
    const bool control = key.modifiers() & Qt::ControlModifier;
    if (control && key.key() >= Qt::Key_A && key.key() <= Qt::Key_Z)
        return static_cast<char32_t>(key.key() - Qt::Key_A + 1);
    const QString text = key.text();
    if (text.isEmpty())
        return 0;
    return text.toUcs4().value(0);
}

// Moves the focus on as Tab would.
void FocusNextControl(QWidget* from) {
    for (QWidget* next = from->nextInFocusChain(); next && next != from;
         next = next->nextInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) && next->isEnabled() && next->isVisible()) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

} // namespace

bool SerialKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        const auto& key = *static_cast<QKeyEvent*>(event);
        // Shift+Insert and the like paste, copy or cut without a control code.
        if (key.matches(QKeySequence::Paste) || key.matches(QKeySequence::Copy) ||
            key.matches(QKeySequence::Cut))
            return true;
        if (event->type() == QEvent::ShortcutOverride)
            return false;
        const char32_t code = TypedCode(key);
        if (code == 0)
            return false;
        switch (FilterSerialNumberKey(code)) {
        case SerialKeyAction::Accept:
            return false;
        case SerialKeyAction::Discard:
            return true;
        case SerialKeyAction::NextControl:
            if (box)
                FocusNextControl(box);
            return true;
        }
        return true;
    }
    case QEvent::ContextMenu:
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        return static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton;
    default:
        return false;
    }
}

} // namespace velmar
