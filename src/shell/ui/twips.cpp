#include "shell/ui/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <cmath>

namespace velmar {

namespace {

constexpr double TwipsPerInch = 1440.0;

double DotsPerInch(const QWidget* widget) {
    if (widget)
        return widget->logicalDpiX();
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

// The store of the placement; an empty title still needs a name.
QSettings PlacementStore(const QString& appTitle) {
    const QString name = appTitle.isEmpty() ? QStringLiteral("Velmar") : appTitle;
    return QSettings(QSettings::IniFormat, QSettings::UserScope, name, name);
}

bool LiesOnAScreen(const QRect& placement) {
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(placement))
            return true;
    return false;
}

} // namespace

int TwipsToPixels(int twips, const QWidget* widget) {
    return static_cast<int>(std::lround(twips * DotsPerInch(widget) / TwipsPerInch));
}

int PixelsToTwips(int pixels, const QWidget* widget) {
    return static_cast<int>(std::lround(pixels * TwipsPerInch / DotsPerInch(widget)));
}

std::optional<QRect> LoadMainPlacement(const QString& appTitle, const QWidget* window) {
    QSettings store = PlacementStore(appTitle);
    store.beginGroup("Settings");
    const QRect defaults = DefaultMainPlacement(window);
    bool stored = false;
    const auto pixels = [&](const char* key, int defaultPixels) {
        bool ok = false;
        const int twips = store.value(key).toInt(&ok);
        stored = stored || store.contains(key);
        return ok ? TwipsToPixels(twips, window) : defaultPixels;
    };
    const QRect placement(pixels("MainLeft", defaults.x()), pixels("MainTop", defaults.y()),
                          pixels("MainWidth", defaults.width()),
                          pixels("MainHeight", defaults.height()));
    if (!stored || placement.width() <= 0 || placement.height() <= 0 || !LiesOnAScreen(placement))
        return std::nullopt;
    return placement;
}

QRect DefaultMainPlacement(const QWidget* window) {
    return QRect(TwipsToPixels(1000, window), TwipsToPixels(1000, window),
                 TwipsToPixels(12500, window), TwipsToPixels(9500, window));
}

void SaveMainPlacement(const QString& appTitle, const QRect& placement, const QWidget* window) {
    QSettings store = PlacementStore(appTitle);
    store.beginGroup("Settings");
    store.setValue("MainLeft", PixelsToTwips(placement.x(), window));
    store.setValue("MainTop", PixelsToTwips(placement.y(), window));
    store.setValue("MainWidth", PixelsToTwips(placement.width(), window));
    store.setValue("MainHeight", PixelsToTwips(placement.height(), window));
}

} // namespace velmar
