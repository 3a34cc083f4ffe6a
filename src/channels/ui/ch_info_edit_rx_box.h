#pragma once
// The detail editor's receive-frequency box Text1: takes digits and "." only,
// never cut, copy or paste, selects its whole text when it gets the focus,
// and reports Enter and the loss of the focus, which both store the entry.
#include <QLineEdit>

namespace velmar {

class RxFrequencyBox : public QLineEdit {
    Q_OBJECT
public:
    explicit RxFrequencyBox(QWidget* parent = nullptr);

signals:
    void EnterPressed(); // the key itself goes nowhere
    void FocusLost();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;   // no middle-button paste
    void mouseReleaseEvent(QMouseEvent* event) override; // no middle-button paste
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

} // namespace velmar
