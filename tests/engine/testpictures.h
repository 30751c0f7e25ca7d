#pragma once

#include <QDir>
#include <QImage>
#include <QString>
#include <QtGlobal>

// Writes a picture a test checks to $TESSAVIEW_TEST_PNG_DIR/<name>.png when that variable is
// set, so the pictures can be looked at; does nothing otherwise.
inline void savePicture(const QImage &picture, const QString &name) {
    const QString dir = qEnvironmentVariable("TESSAVIEW_TEST_PNG_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    QString file = name;
    file.replace(QLatin1Char(' '), QLatin1Char('_')).replace(QLatin1Char('/'), QLatin1Char('-'));
    picture.save(QDir(dir).filePath(file + QStringLiteral(".png")));
}
