// Saving the DMX picture, one pixel per cell, to an image file.
#include "app/capturename.h"
#include "app/picturefolder.h"
#include "app/tessaview.h"
#include "engine/screenengine.h"

#include <QDebug>
#include <QFileDialog>
#include <QImage>

QString Tessaview::chooseCaptureFile(const QString &caption, const QString &proposedFile,
                                     const QString &filters) {
    return QFileDialog::getSaveFileName(nullptr, caption, proposedFile, filters);
}

QDateTime Tessaview::captureTime() const {
    return QDateTime::currentDateTime();
}

void Tessaview::saveCapture(const QImage &picture, const QString &fileName) const {
    // The format follows the suffix. Nobody is told of a failure, but the log says it.
    const QString target = CaptureName::distinctFileName(fileName);
    if (!picture.save(target))
        qWarning() << "capture not written:" << target;
}

void Tessaview::slotSaveScreenToBitmapByUser() {
    if (!m_pEngine)
        return;
    const QString stamp = CaptureName::timeStamp(captureTime());
    const QImage picture = m_pEngine->frameImage();

    // Only the first capture of a run asks; later ones go next to it with a new time stamp.
    if (m_sCaptureTemplate.isEmpty()) {
        const QString chosen = chooseCaptureFile(
            tr("Save Bitmap as"),
            QStringLiteral("%1/%2.bmp").arg(pictureFolder(), QStringLiteral("Tessaview")),
            CaptureName::dialogFilters());
        m_sCaptureTemplate = chosen.isEmpty() ? CaptureName::defaultTemplate(pictureFolder())
                                              : CaptureName::templateForChosenFile(chosen);
    }
    QString fileName = m_sCaptureTemplate;
    fileName.replace(CaptureName::placeholder, stamp);
    saveCapture(picture, fileName);
}

void Tessaview::slotSaveScreenToBitmapByRdm(quint16 uiSceneNumber) {
    if (!m_pEngine)
        return;
    const QString stamp = CaptureName::timeStamp(captureTime());
    saveCapture(m_pEngine->frameImage(),
                CaptureName::rdmSceneName(pictureFolder(), uiSceneNumber, stamp));
}
