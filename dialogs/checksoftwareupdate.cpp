#include "dialogs/checksoftwareupdate.h"

#include "buildinfo.h"

#include <QMessageBox>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace {
constexpr int maxDelaySeconds = 24 * 60 * 60;
const QString versionPlaceholder = QStringLiteral("$$$VERSION$$$");
} // namespace

CheckSoftwareUpdate::CheckSoftwareUpdate(QObject *parent) : QObject(parent), m_manager(this) {
    connect(this, &CheckSoftwareUpdate::signalViewUpdateRequest, this,
            &CheckSoftwareUpdate::slotViewUpdateRequest);
}

CheckSoftwareUpdate::~CheckSoftwareUpdate() {
    dropReply();
}

QString CheckSoftwareUpdate::versionQueryUrl() {
    return QString::fromLatin1(BuildInfo::updateServer) +
           QStringLiteral("/update_check.php?software=tessaview");
}

void CheckSoftwareUpdate::setShowResult(bool bShowResult) {
    m_bShowResult = bShowResult;
}

void CheckSoftwareUpdate::setUpdateMessage(const QString &sUpdateMessage) {
    m_sUpdateMessage = sUpdateMessage;
}

void CheckSoftwareUpdate::setCurrentVersion(int iMajor, int iMinor, int iPatch, int iBuild) {
    m_currentVersion = {iMajor, iMinor, iPatch, iBuild};
}

void CheckSoftwareUpdate::startCheck(const QString &url, int delaySeconds) {
    m_sUrl = url;
    QTimer::singleShot(qBound(0, delaySeconds, maxDelaySeconds) * 1000, this,
                       &CheckSoftwareUpdate::CheckForUpdateIntern);
}

void CheckSoftwareUpdate::dropReply() {
    if (!m_pReply)
        return;
    // Disconnected first, so the abandoned request reports nothing.
    disconnect(m_pReply, nullptr, this, nullptr);
    m_pReply->abort();
    m_pReply->deleteLater();
    m_pReply = nullptr;
}

void CheckSoftwareUpdate::CheckForUpdateIntern() {
    dropReply();
    m_bDataReceived = false;
    m_replyBody.clear();

    QNetworkRequest request{QUrl(m_sUrl)};
    // A server that accepts the connection and never answers must not keep the check open.
    request.setTransferTimeout();
    m_pReply = m_manager.get(request);
    connect(m_pReply, &QNetworkReply::finished, this, &CheckSoftwareUpdate::httpFinished);
    connect(m_pReply, &QNetworkReply::readyRead, this, &CheckSoftwareUpdate::httpReadyRead);
    connect(m_pReply, &QNetworkReply::downloadProgress, this,
            &CheckSoftwareUpdate::updateDataReadProgress);
}

void CheckSoftwareUpdate::httpReadyRead() {
    if (!m_pReply)
        return;
    m_bDataReceived = true;
    const QByteArray chunk = m_pReply->readAll();
    m_replyBody.append(chunk.left(maxReplyBytes - m_replyBody.size()));
}

void CheckSoftwareUpdate::updateDataReadProgress(qint64, qint64) {}

void CheckSoftwareUpdate::httpFinished() {
    if (!m_pReply)
        return;
    // Bytes that arrived together with the end are not always announced by readyRead.
    if (m_pReply->bytesAvailable() > 0)
        httpReadyRead();
    // Released before any result is shown: the message box runs a nested event loop in which
    // a new check may already hold a reply of its own.
    dropReply();

    if (!m_bDataReceived) {
        if (m_bShowResult)
            emit signalViewUpdateRequest(
                tr("There is no internet connection available to check for updates!"));
        return;
    }
    m_bDataReceived = false;

    // The whole reply at once: a "version:" line may arrive split over several reads.
    const std::optional<SoftwareVersion> newer = newerVersionInReply(m_replyBody, m_currentVersion);
    m_replyBody.clear();
    if (newer) {
        m_bUpdateFound = true;
        QString message = m_sUpdateMessage;
        message.replace(versionPlaceholder, versionText(*newer));
        emit signalViewUpdateRequest(message);
    } else if (m_bShowResult) {
        emit signalViewUpdateRequest(tr("There is no update available!"));
    }
}

void CheckSoftwareUpdate::slotViewUpdateRequest(QString UpdateCheckInfo) {
    QMessageBox::information(nullptr, tr("Check for Updates"), UpdateCheckInfo, QMessageBox::Ok);
}
