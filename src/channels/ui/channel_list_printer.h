#pragma once
// Paints the printed channel list (channels/printed_channel_list.h) onto a
// printer or a PDF file, page after page.
#include <QString>

class QPagedPaintDevice;

namespace velmar {

class AppContext;

// The document's channel list in the current language onto `device` (a
// QPrinter or a QPdfWriter whose page layout is set). False when the device
// cannot be painted on (a PDF file that cannot be written).
bool PaintChannelList(QPagedPaintDevice& device, const AppContext& app);

// The same list written as a PDF file.
bool WriteChannelListPdf(const QString& fileName, const AppContext& app);

} // namespace velmar
