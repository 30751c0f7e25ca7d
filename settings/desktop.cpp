#include "settings/desktop.h"

#include <QGuiApplication>
#include <QScreen>

QRect desktopGeometry() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->virtualGeometry() : QRect();
}
