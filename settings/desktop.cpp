#include "settings/desktop.h"

#include "settings/settingsrecord.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

QRect desktopGeometry() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->virtualGeometry() : QRect();
}

void fitToDesktop(SettingsRecord &record) {
    const QRect desktop = desktopGeometry();
    if (record.ScreenNumber >= 0 && record.ScreenNumber >= QGuiApplication::screens().size()) {
        const QSize size = desktop.isEmpty() ? fallbackDesktopSize : desktop.size();
        record.ScreenNumber = ScreenChoice::Desktop;
        record.PosX = 0;
        record.PosY = 0;
        record.SizeX = quint16(size.width());
        record.SizeY = quint16(size.height());
    }
    const QRect window(record.PosX, record.PosY, record.SizeX, record.SizeY);
    if (record.ScreenNumber == ScreenChoice::UserSize && !desktop.isEmpty() &&
        !desktop.intersects(window)) {
        record.PosX = quint16(std::max(0, desktop.left()));
        record.PosY = quint16(std::max(0, desktop.top()));
    }
}
