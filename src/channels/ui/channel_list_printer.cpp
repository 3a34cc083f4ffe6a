#include "channels/ui/channel_list_printer.h"

#include "channels/printed_channel_list.h"
#include "shell/ui/app_context.h"

#include <QFontDatabase>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <array>

namespace velmar {

namespace {

// Share of the line's width for each column, in 1/100.
constexpr std::array<int, kPrintedColumns> kColumnShare = {10, 20, 16, 16, 12, 12, 14};
constexpr int kPointSize = 10;

// A family that has the Chinese glyphs, so that group names and the Chinese
// texts reach the page (and a PDF's text) whatever the language; the default
// family when the system has none.
QFont ListFont() {
    QFont font;
    const QStringList families = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    for (const QString& family : families)
        if (QFontDatabase::isScalable(family) && !QFontDatabase::isBitmapScalable(family)) {
            font.setFamily(family);
            break;
        }
    font.setPointSize(kPointSize);
    return font;
}

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

class PagePainter {
public:
    PagePainter(QPainter& painter, const QRect& area)
        : painter_(painter), area_(area), line_(painter.fontMetrics().height() * 13 / 10) {}

    int LinesPerPage() const { return area_.height() / line_ - 4; } // title, headers, footer

    void Paint(const PrintedPage& page) {
        QFont bold = painter_.font();
        bold.setBold(true);
        const QFont plain = painter_.font();
        int y = area_.top();
        painter_.setFont(bold);
        Text(QRect(area_.left(), y, area_.width(), line_), Qt::AlignLeft, Utf8(page.Title));
        y += line_ * 3 / 2;
        Cells(y, page.Headers);
        y += line_;
        painter_.drawLine(area_.left(), y, area_.right(), y);
        painter_.setFont(plain);
        for (const PrintedLine& line : page.Lines) {
            if (line.IsGroup) {
                painter_.setFont(bold);
                Text(QRect(area_.left(), y, area_.width(), line_), Qt::AlignLeft,
                     Utf8(line.Cells.front()));
                painter_.setFont(plain);
            } else {
                Cells(y, line.Cells);
            }
            y += line_;
        }
        Text(QRect(area_.left(), area_.bottom() - line_, area_.width(), line_), Qt::AlignHCenter,
             Utf8(page.Footer));
    }

private:
    void Cells(int y, const std::vector<std::string>& cells) {
        int x = area_.left();
        for (std::size_t i = 0; i < cells.size() && i < kColumnShare.size(); ++i) {
            const int width = area_.width() * kColumnShare[i] / 100;
            Text(QRect(x, y, width, line_), Qt::AlignHCenter, Utf8(cells[i]));
            x += width;
        }
    }
    void Text(const QRect& box, Qt::Alignment align, const QString& text) {
        painter_.drawText(box, align | Qt::AlignVCenter, text);
    }

    QPainter& painter_;
    QRect area_;
    int line_;
};

} // namespace

bool PaintChannelList(QPagedPaintDevice& device, const AppContext& app) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setFont(ListFont());
    // The painter starts at the top left corner of the printable area.
    PagePainter pages(painter, QRect(0, 0, device.width(), device.height()));
    const std::vector<PrintedPage> list =
        PrintedChannelPages(app.Doc, app.Texts, app.AnsiIsGbk, pages.LinesPerPage());
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0 && !device.newPage())
            return false;
        pages.Paint(list[i]);
    }
    return painter.end();
}

bool WriteChannelListPdf(const QString& fileName, const AppContext& app) {
    QPdfWriter writer(fileName);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    writer.setResolution(300);
    writer.setTitle(app.Text(PrintText::Title));
    writer.setCreator(app.Text(12000));
    return PaintChannelList(writer, app);
}

} // namespace velmar
