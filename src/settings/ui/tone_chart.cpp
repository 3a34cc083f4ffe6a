#include "settings/ui/tone_chart.h"

#include "settings/tone_tips.h"
#include "shell/ui/twips.h"

#include <QPainter>

namespace velmar {

ToneChart::ToneChart(const DocRecord& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

void ToneChart::SetTip(int tip) {
    tip_ = tip;
    update();
}

void ToneChart::paintEvent(QPaintEvent*) {
    // The bars are worked out in twips, the area's own units, then drawn in
    // pixels.
    const int widthTw = PixelsToTwips(width(), this);
    const int heightTw = PixelsToTwips(height(), this);
    const double scale = static_cast<double>(TwipsToPixels(1440, this)) / 1440.0;
    QPainter painter(this);
    painter.setPen(Qt::NoPen);
    for (const ToneBar& bar : ToneTipBars(TipAt(doc_, tip_), widthTw, heightTw)) {
        painter.setBrush(bar.Red ? Qt::red : Qt::blue);
        painter.drawRect(
            QRectF(bar.Left * scale, bar.Top * scale, bar.Width * scale, bar.Height * scale));
    }
}

} // namespace velmar
