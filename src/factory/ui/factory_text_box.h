#pragma once
// One text field of the factory window at the window's edge: the box shows
// the field's ANSI bytes as text and gives them back, and refuses edits that
// the field cannot hold in the radio.
#include "factory/ui/ansi_text.h"

#include <QObject>
#include <QString>
#include <functional>
#include <string>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace velmar {

class FactoryTextBox : public QObject {
public:
    // `box` is a QLineEdit, or a QPlainTextEdit for a field of several lines
    // (its line breaks are CR LF in the bytes). `width` is the number of bytes
    // the field takes in the radio.
    FactoryTextBox(QWidget* box, std::size_t width, AnsiCodePage codePage);

    QWidget* Widget() const { return box_; }
    QString Text() const;
    std::size_t Width() const { return width_; }

    // Shows a field's bytes (after TrimFixStr).
    void Show(const std::string& ansi);
    // The field's bytes: the text in the code page, trailing blanks removed,
    // cut at a NUL, at most Width bytes and never half a character. A field
    // the user left as shown gives back exactly the bytes it showed.
    std::string Take() const;

    // Text put into the box when it gets the focus while empty.
    void SetFillOnFocus(std::function<QString()> fill) { fillOnFocus_ = std::move(fill); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Encoded {
        std::string Bytes;
        std::size_t Unstorable = 0;
    };
    Encoded Encode(const QString& text) const;
    void SetText(const QString& text);
    void OnTextChanged();
    int CursorPosition() const;
    void SetCursorPosition(int position);

    QWidget* box_;
    QLineEdit* line_;
    QPlainTextEdit* lines_;
    std::size_t width_;
    AnsiCodePage codePage_;
    std::function<QString()> fillOnFocus_;

    std::string shownBytes_; // what Show was given
    QString shownText_;      // and how it was shown
    QString accepted_;       // the text after the last edit that fitted
    std::size_t acceptedUnstorable_ = 0;
    bool filling_ = false;
};

} // namespace velmar
