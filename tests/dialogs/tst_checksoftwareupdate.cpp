#include "dialogs/checksoftwareupdate.h"
#include "localhttpserver.h"

#include <QNetworkReply>
#include <QPointer>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

namespace {

const QString noUpdate = QStringLiteral("There is no update available!");
const QString noConnection =
    QStringLiteral("There is no internet connection available to check for updates!");
// Two placeholders: every one of them must be replaced.
const QString updateMessage = QStringLiteral("New $$$VERSION$$$ at the page for $$$VERSION$$$");

QString updateText(const QString &version) {
    return QString(updateMessage).replace(QStringLiteral("$$$VERSION$$$"), version);
}

// Keeps the results instead of opening message boxes.
class RecordingUpdateCheck : public CheckSoftwareUpdate {
public:
    void slotViewUpdateRequest(QString text) override { messages << text; }
    QStringList messages;
};

} // namespace

class TestCheckSoftwareUpdate : public QObject {
    Q_OBJECT

private:
    // Runs one check against `url` as the main window would and returns the results once the
    // request has finished.
    QStringList runCheck(const QString &url, bool showResult, int *readyReads = nullptr) {
        RecordingUpdateCheck check;
        check.setShowResult(showResult);
        check.setUpdateMessage(updateMessage);
        check.setCurrentVersion(2, 8, 3, 0);
        // The checker releases its reply once it has finished, and a refused connection may
        // finish before the test ever sees the reply, so the end is taken from the manager.
        auto *manager = check.findChild<QNetworkAccessManager *>();
        if (!manager)
            return {QStringLiteral("no network manager")};
        bool finished = false;
        int reads = 0;
        connect(manager, &QNetworkAccessManager::finished, this, [&finished] { finished = true; });
        check.startCheck(url, 0);
        QPointer<QNetworkReply> reply;
        [&] { QTRY_VERIFY(finished || (reply = check.findChild<QNetworkReply *>()) != nullptr); }();
        if (!finished && !reply)
            return {QStringLiteral("no request was made")};
        if (reply)
            connect(reply, &QNetworkReply::readyRead, this, [&reads] { ++reads; });
        [&] { QTRY_VERIFY_WITH_TIMEOUT(finished, 10000); }();
        QTest::qWait(50);
        if (readyReads)
            *readyReads = reads;
        return check.messages;
    }

private slots:
    void initTestCase() {
        // The local server is reached directly, never through a proxy from the environment.
        qunsetenv("http_proxy");
        qunsetenv("HTTP_PROXY");
    }

    void versionQueryIsTheUpdateServersCheckPage() {
        const QUrl url(CheckSoftwareUpdate::versionQueryUrl());
        QVERIFY(url.isValid());
        QCOMPARE(url.scheme(), QStringLiteral("http"));
        QCOMPARE(url.path(), QStringLiteral("/update_check.php"));
        QCOMPARE(url.query(), QStringLiteral("software=tessaview"));
    }

    void replies_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("showResult");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("same version, user asked")
            << QByteArray("version:2.8.3.0\n") << true << QStringList{noUpdate};
        QTest::newRow("same version, automatic check")
            << QByteArray("version:2.8.3.0\n") << false << QStringList{};
        QTest::newRow("older version")
            << QByteArray("version:2.8.2.99\n") << true << QStringList{noUpdate};
        QTest::newRow("three parts, capital V")
            << QByteArray("Version:2.8.4") << false << QStringList{updateText("2.8.4.0")};
        QTest::newRow("part that is no number is skipped")
            << QByteArray("version:3.x.1.2\n") << false << QStringList{updateText("3.1.2.0")};
        QTest::newRow("second line newer") << QByteArray("version:1.0.0.0\nversion:2.9.0.0\n")
                                           << true << QStringList{updateText("2.9.0.0")};
        QTest::newRow("text around the line, CR LF endings")
            << QByteArray("Tessaview\r\nlatest version:2.8.3.1\r\nthanks\r\n") << true
            << QStringList{updateText("2.8.3.1")};
        QTest::newRow("nothing after a zero byte counts")
            << QByteArray("version:2.8.3.0\n\0version:9.0.0.0\n", 33) << true
            << QStringList{noUpdate};
        QTest::newRow("all zero is no version")
            << QByteArray("version:0.0.0.0\n") << true << QStringList{noUpdate};
    }

    void replies() {
        QFETCH(QByteArray, body);
        QFETCH(bool, showResult);
        QFETCH(QStringList, expected);
        LocalHttpServer server;
        server.setResponse({LocalHttpServer::okHeader() + body});
        QCOMPARE(runCheck(server.url(QStringLiteral("/update_check.php?software=tessaview")),
                          showResult),
                 expected);
        QVERIFY(server.lastRequest().startsWith(
            "GET /update_check.php?software=tessaview HTTP/1.1\r\n"));
    }

    // The "version:" line arrives in two reads: only the update is reported, never a "no
    // update" first.
    void versionLineSplitOverTwoReads() {
        LocalHttpServer server;
        server.setResponse({LocalHttpServer::okHeader() + "news\nver", "sion:2.9.0.0\n"}, 300);
        int reads = 0;
        QCOMPARE(runCheck(server.url(QStringLiteral("/update_check.php")), true, &reads),
                 QStringList{updateText("2.9.0.0")});
        QVERIFY2(reads >= 2, "the reply did not arrive in two parts");
    }

    void httpErrorPageIsNoUpdate() {
        LocalHttpServer server;
        server.setResponse({"HTTP/1.1 404 Not Found\r\nContent-Type: text/html\r\n"
                            "Connection: close\r\n\r\n"
                            "<html><body><h1>Not Found</h1>No version here.</body></html>\n"});
        QCOMPARE(runCheck(server.url(QStringLiteral("/update_check.php")), true),
                 QStringList{noUpdate});
        QCOMPARE(runCheck(server.url(QStringLiteral("/update_check.php")), false), QStringList{});
    }

    void unreachableServer() {
        quint16 closedPort = 0;
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
            closedPort = probe.serverPort();
        }
        const QString url = QStringLiteral("http://127.0.0.1:%1/update_check.php").arg(closedPort);
        QCOMPARE(runCheck(url, true), QStringList{noConnection});
        QCOMPARE(runCheck(url, false), QStringList{});
    }

    // A new check while a request is still open abandons it without a result of its own.
    void newCheckAbandonsTheRunningRequest() {
        LocalHttpServer server;
        server.setResponse({LocalHttpServer::okHeader() + "version:2.9.0.0\n"}, 400);
        RecordingUpdateCheck check;
        check.setShowResult(true);
        check.setUpdateMessage(updateMessage);
        check.setCurrentVersion(2, 8, 3, 0);
        check.startCheck(server.url(QStringLiteral("/update_check.php")), 0);
        QTRY_COMPARE(server.requestCount(), 1);
        check.startCheck(server.url(QStringLiteral("/update_check.php")), 0);
        QTRY_COMPARE(check.messages.size(), 1);
        QTest::qWait(800);
        QCOMPARE(check.messages, QStringList{updateText("2.9.0.0")});
        QVERIFY(check.updateFound());
    }
};

QTEST_MAIN(TestCheckSoftwareUpdate)
#include "tst_checksoftwareupdate.moc"
