#include "factory/ui/factory_text_box.h"

#include "model/fixed_text.h"

#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTimer>
#include <algorithm>

namespace velmar {
namespace {

// Texts of several lines break lines with CR LF in the radio.
QString ToBoxLines(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
QString ToFieldLines(QString text) {
    return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

} // namespace

FactoryTextBox::FactoryTextBox(QWidget* box, std::size_t width, AnsiCodePage codePage)
    : QObject(box), box_(box), line_(qobject_cast<QLineEdit*>(box)),
      lines_(qobject_cast<QPlainTextEdit*>(box)), width_(width), codePage_(codePage) {
    if (line_) {
        line_->setMaxLength(static_cast<int>(width));
        connect(line_, &QLineEdit::textChanged, this, &FactoryTextBox::OnTextChanged);
    } else if (lines_) {
        connect(lines_, &QPlainTextEdit::textChanged, this, &FactoryTextBox::OnTextChanged);
    }
    box->installEventFilter(this);
}

QString FactoryTextBox::Text() const {
    if (line_)
        return line_->text();
    return lines_ ? lines_->toPlainText() : QString();
}

void FactoryTextBox::SetText(const QString& text) {
    filling_ = true;
    if (line_)
        line_->setText(text);
    else if (lines_)
        lines_->setPlainText(text);
    filling_ = false;
    accepted_ = text;
    acceptedUnstorable_ = Encode(text).Unstorable;
}

void FactoryTextBox::Show(const std::string& ansi) {
    shownBytes_ = TrimFixStr(ansi);
    QString text = QString::fromStdString(AnsiToUtf8(shownBytes_, codePage_));
    shownText_ = lines_ ? ToBoxLines(text) : text;
    SetText(shownText_);
}

FactoryTextBox::Encoded FactoryTextBox::Encode(const QString& text) const {
    Encoded encoded;
    const QString field = lines_ ? ToFieldLines(text) : text;
    encoded.Bytes = Utf8ToAnsi(field.toStdString(), codePage_, &encoded.Unstorable);
    return encoded;
}

std::string FactoryTextBox::Take() const {
    QString text = Text();
    if (text == shownText_ && shownBytes_.size() <= width_)
        return TrimFixStr(shownBytes_);
    // Whole characters only: drop from the end until the bytes fit.
    std::string bytes = TrimFixStr(Encode(text).Bytes);
    while (bytes.size() > width_ && !text.isEmpty()) {
        text.chop(text.size() > 1 && text.back().isLowSurrogate() ? 2 : 1);
        bytes = TrimFixStr(Encode(text).Bytes);
    }
    return bytes;
}

// An edit that makes the text too long for the radio, or brings in a
// character the code page cannot store, is taken back.
void FactoryTextBox::OnTextChanged() {
    if (filling_)
        return;
    const QString text = Text();
    const Encoded encoded = Encode(text);
    if (encoded.Bytes.size() <= width_ && encoded.Unstorable <= acceptedUnstorable_) {
        accepted_ = text;
        acceptedUnstorable_ = encoded.Unstorable;
        return;
    }
    const int cursor = CursorPosition() - static_cast<int>(text.size() - accepted_.size());
    SetText(accepted_);
    SetCursorPosition(cursor);
}

int FactoryTextBox::CursorPosition() const {
    if (line_)
        return line_->cursorPosition();
    return lines_ ? lines_->textCursor().position() : 0;
}

void FactoryTextBox::SetCursorPosition(int position) {
    position = std::clamp(position, 0, static_cast<int>(accepted_.size()));
    if (line_) {
        line_->setCursorPosition(position);
    } else if (lines_) {
        QTextCursor cursor = lines_->textCursor();
        cursor.setPosition(position);
        lines_->setTextCursor(cursor);
    }
}

// Getting the focus selects the whole text (after the click that gave the
// focus has placed the cursor).
bool FactoryTextBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == box_ && event->type() == QEvent::FocusIn) {
        if (fillOnFocus_ && Text().isEmpty())
            SetText(fillOnFocus_());
        QTimer::singleShot(0, this, [this] {
            if (line_)
                line_->selectAll();
            else if (lines_)
                lines_->selectAll();
        });
    }
    return QObject::eventFilter(watched, event);
}

} // namespace velmar
