#pragma once
#include <QImage>
#include <QMdiArea>

namespace velmar {

// The child-window area of the main window: scroll bars when a child window
// does not fit, and a picture drawn stretched over its whole size behind the
// child windows.
class BackgroundArea : public QMdiArea {
    Q_OBJECT
public:
    explicit BackgroundArea(QWidget* parent = nullptr);

    // A null image leaves the background empty.
    void SetPicture(const QImage& picture);
    bool HasPicture() const { return !picture_.isNull(); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void StretchPicture();

    QImage picture_;
};

} // namespace velmar
