#include "app/capturename.h"

#include <QFileInfo>

namespace CaptureName {

QString timeStamp(const QDateTime &time) {
    return time.toString(QStringLiteral("yyyyMMddhhmmsszzz"));
}

QString dialogFilters() {
    return QStringLiteral("Windows Bitmap (*.bmp);;"
                          "Joint Photographic Experts Group (*.jpg);;"
                          "Joint Photographic Experts Group (*.jpeg);;"
                          "Portable Network Graphics (*.png);;"
                          "Portable Pixmap (*.ppm);;"
                          "Tagged Image File Format (*.tiff);;"
                          "X11 Bitmap (*.xbm);;"
                          "X11 Pixmap (*.xpm);;");
}

QString templateForChosenFile(const QString &chosenFile) {
    const QFileInfo info(chosenFile);
    QString suffix = info.suffix();
    if (suffix.isEmpty())
        suffix = QStringLiteral("bmp");
    return QStringLiteral("%1_%2.%3")
        .arg(info.path() + QLatin1Char('/') + info.baseName(), placeholder, suffix);
}

QString defaultTemplate(const QString &folder) {
    return QStringLiteral("%1/%2_%3.bmp").arg(folder, QStringLiteral("Tessaview"), placeholder);
}

QString rdmSceneName(const QString &folder, quint16 uiSceneNumber, const QString &stamp) {
    return QStringLiteral("%1/%2_RDM_Scene_%3_%4.bmp")
        .arg(folder, QStringLiteral("Tessaview"), QString::number(uiSceneNumber), stamp);
}

QString distinctFileName(const QString &fileName) {
    if (!QFileInfo::exists(fileName))
        return fileName;
    // The counter goes before the suffix of the file name itself, not before a "." of a
    // folder above it.
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot <= slash)
        dot = fileName.size();
    const QString head = fileName.left(dot);
    const QString tail = fileName.mid(dot);
    for (int n = 1;; ++n) {
        const QString candidate = QStringLiteral("%1_%2%3").arg(head).arg(n).arg(tail);
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

} // namespace CaptureName
