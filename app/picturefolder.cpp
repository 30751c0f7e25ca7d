#include "app/picturefolder.h"

#include <QDir>
#include <QStandardPaths>

QString pictureFolder() {
    QString path = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (path.isEmpty())
        path = QDir::homePath();
    path = QDir::fromNativeSeparators(path);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}
