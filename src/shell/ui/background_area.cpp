#include "shell/ui/background_area.h"

#include <QPixmap>
#include <QResizeEvent>

namespace velmar {

BackgroundArea::BackgroundArea(QWidget* parent) : QMdiArea(parent) {
    setObjectName("BackgroundArea");
    // A child window larger than the area is reached by scrolling.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void BackgroundArea::SetPicture(const QImage& picture) {
    picture_ = picture;
    StretchPicture();
}

void BackgroundArea::resizeEvent(QResizeEvent* event) {
    QMdiArea::resizeEvent(event);
    StretchPicture();
}

void BackgroundArea::StretchPicture() {
    const QSize size = viewport()->size();
    if (picture_.isNull() || size.isEmpty()) {
        setBackground(palette().brush(QPalette::Dark));
        return;
    }
    setBackground(
        QPixmap::fromImage(picture_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

} // namespace velmar
