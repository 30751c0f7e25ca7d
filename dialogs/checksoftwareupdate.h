#pragma once

#include "dialogs/updatereply.h"

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>

class QNetworkReply;

// Asks the maker's update server which version is the newest and tells the user. A newer
// version is always reported; "no update" and "no connection" only once the user asked
// (setShowResult). The reply is evaluated as a whole when it has finished.
class CheckSoftwareUpdate : public QObject {
    Q_OBJECT

public:
    explicit CheckSoftwareUpdate(QObject *parent = nullptr);
    ~CheckSoftwareUpdate() override;

    // The version query on the update server this build was configured with.
    static QString versionQueryUrl();

    void setShowResult(bool bShowResult);
    // The text shown for a newer version; "$$$VERSION$$$" is replaced by that version.
    void setUpdateMessage(const QString &sUpdateMessage);
    void setCurrentVersion(int iMajor, int iMinor, int iPatch, int iBuild);
    // Requests `url` after `delaySeconds`. Each call arms its own timer; a request that is
    // still running when the next one starts is abandoned without a result.
    void startCheck(const QString &url, int delaySeconds);

    bool updateFound() const { return m_bUpdateFound; }

signals:
    void signalViewUpdateRequest(QString UpdateCheckInfo);

public slots:
    void httpFinished();
    void httpReadyRead();
    void updateDataReadProgress(qint64 bytesRead, qint64 totalBytes);
    void CheckForUpdateIntern();
    // Shows the result in a message box; a subclass may present it differently.
    virtual void slotViewUpdateRequest(QString UpdateCheckInfo);

private:
    // The answer is a few lines; anything beyond this is not kept.
    static constexpr qsizetype maxReplyBytes = 64 * 1024;

    void dropReply();

    bool m_bShowResult = false;
    bool m_bDataReceived = false;
    QNetworkAccessManager m_manager;
    QNetworkReply *m_pReply = nullptr;
    QString m_sUpdateMessage;
    QString m_sUrl;
    SoftwareVersion m_currentVersion{0, 0, 0, 0};
    bool m_bUpdateFound = false;
    QByteArray m_replyBody;
};
