#include "channels/ui/ch_info_edit_rx_box.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QTimer>

#include "channels/channel_values.h"
#include "channels/ui/cell_keys.h"

namespace velmar {

namespace {

constexpr int kMaxRxLength = 9; // "145.50000"

bool IsCutCopyPaste(const QKeyEvent& key) {
    return key.matches(QKeySequence::Cut) || key.matches(QKeySequence::Copy) ||
           key.matches(QKeySequence::Paste) ||
           ((key.modifiers() & Qt::ControlModifier) &&
            (key.key() == Qt::Key_C || key.key() == Qt::Key_V || key.key() == Qt::Key_X));
}

} // namespace

RxFrequencyBox::RxFrequencyBox(QWidget* parent) : QLineEdit(parent) {
    setObjectName("Text1");
    setMaxLength(kMaxRxLength);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
}

void RxFrequencyBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit EnterPressed();
        return;
    }
    if (IsCutCopyPaste(*event)) {
        event->accept();
        return;
    }
    // Keys that type a character go through the frequency filter; editing and
    // moving keys (Backspace, Delete, arrows) pass.
    const QString typed = event->text();
    if (!typed.isEmpty()) {
        const char16_t unicode = typed.at(0).unicode();
        const char code = static_cast<char>(unicode > 255 ? 255 : unicode);
        if (!FrequencyEditorKey(code, ChField::RxFre, false)) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void RxFrequencyBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // After the click that brought the focus has placed the cursor.
    QTimer::singleShot(0, this, [this] {
        if (hasFocus() && !text().isEmpty())
            selectAll();
    });
}

void RxFrequencyBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    emit FocusLost();
}

void RxFrequencyBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void RxFrequencyBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void RxFrequencyBox::dragEnterEvent(QDragEnterEvent* event) {
    event->ignore();
}

void RxFrequencyBox::dropEvent(QDropEvent* event) {
    event->ignore();
}

} // namespace velmar
