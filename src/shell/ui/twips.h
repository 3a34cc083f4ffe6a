#pragma once
#include <QRect>
#include <QString>
#include <optional>

class QWidget;

namespace velmar {

// Window definitions give sizes in twips: 1440 to the inch, so 15 twips a
// pixel at 96 dpi; the pixels follow the screen's resolution.
int TwipsToPixels(int twips, const QWidget* widget = nullptr);
int PixelsToTwips(int pixels, const QWidget* widget = nullptr);

// The main window's placement in the user's settings store, under the
// application title: section "Settings", keys "MainLeft", "MainTop",
// "MainWidth", "MainHeight" in twips (a key missing takes its default, see
// DefaultMainPlacement). Nothing when no key is stored (the first start) or
// the placement lies on no screen.
std::optional<QRect> LoadMainPlacement(const QString& appTitle, const QWidget* window);
// 1000, 1000, 12500, 9500 twips.
QRect DefaultMainPlacement(const QWidget* window);
void SaveMainPlacement(const QString& appTitle, const QRect& placement, const QWidget* window);

} // namespace velmar
