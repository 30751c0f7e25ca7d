#include "capture/replayfeed.h"
#include "net/acnnet.h"
#include "net/framestore.h"
#include "net/network.h"
#include "net/runningreceiver.h"
#include "peertools.h"

#include <QCoreApplication>
#include <QNetworkInterface>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QtTest>

// A capture that is not ours: tshark records OLA's E1.31 on our side of the bridge
// (scripts/ola-peer.sh), and the replay of that file shows OLA's levels. OLA universe 1 leaves
// the E1.31 plugin as E1.31 universe 1.

namespace {

const std::initializer_list<const char *> harnessArgs = {"--plugin", "e131", "--patch", "e131:0:1"};

} // namespace

class TestReplayOla : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (qEnvironmentVariable("TESSAVIEW_OLA_RUN").isEmpty())
            QSKIP("run through scripts/ola-peer.sh");
        if (QStandardPaths::findExecutable(QStringLiteral("tshark")).isEmpty())
            QSKIP("tshark is not installed");
    }

    void tsharkCaptureOfOlaReplaysToOlasLevels() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("ola.pcapng"));
        const QString iface = qEnvironmentVariable("TESSAVIEW_PEER_IFACE");
        // Members of universe 1's group on that side, so the bridge forwards OLA's packets.
        QUdpSocket member;
        QVERIFY(member.bind(QHostAddress::AnyIPv4, 5568, QUdpSocket::ShareAddress));
        QVERIFY(member.joinMulticastGroup(QHostAddress(QStringLiteral("239.255.0.1")),
                                          QNetworkInterface::interfaceFromName(iface)));
        QProcess tshark;
        tshark.setProcessChannelMode(QProcess::MergedChannels);
        tshark.start(QStringLiteral("tshark"),
                     {QStringLiteral("-i"), iface, QStringLiteral("-f"),
                      QStringLiteral("udp port 5568"), QStringLiteral("-w"), file});
        QVERIFY(tshark.waitForStarted());
        QVERIFY2(
            QTest::qWaitFor(
                [&] { return tshark.readAll().contains("Capturing on") || QFile::exists(file); },
                10000),
            "tshark did not start capturing");
        QTest::qWait(500);
        const QByteArray levels = QByteArray::fromHex("0a141e28");
        QVERIFY(Peer::runOla({QStringLiteral("ola_set_dmx"), QStringLiteral("-u"),
                              QStringLiteral("1"), QStringLiteral("-d"), Peer::levelList(levels)})
                    .ok());
        QTest::qWait(1500);
        tshark.terminate();
        QVERIFY(tshark.waitForFinished(10000));
        // What OLA sends from now on is not in the capture, and the replay mutes it.
        QVERIFY(Peer::runOla({QStringLiteral("ola_set_dmx"), QStringLiteral("-u"),
                              QStringLiteral("1"), QStringLiteral("-d"), QStringLiteral("0,0,0,0")})
                    .ok());

        network net;
        FrameStore store;
        store.allocate(512, 512);
        RunningReceiver sacn(&net);
        QVERIFY(sacn.receiver->setStartUniverse(0));
        sacn.receiver->setFrameBuffer(&store);
        ReplayFeed feed({[] { return nullptr; }, [&sacn] { return sacn.receiver; },
                         [&sacn](bool on) { sacn.receiver->setReplaying(on); }, [] {}});
        QSignalSpy finished(&feed, &ReplayFeed::finished);
        const QString refused = feed.start(file, false);
        QVERIFY2(refused.isEmpty(), qPrintable(refused));
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.first().at(0).toString(), QString());
        // The receiver's listening time after its start passes before its first look.
        QTRY_COMPARE_WITH_TIMEOUT(
            [&] {
                QByteArray frame;
                store.snapshot(frame);
                return frame.left(4);
            }(),
            levels, 5000);
        sacn.receiver->setFrameBuffer(nullptr);
    }
};

int main(int argc, char **argv) {
    if (const int status = Peer::enterHarness(argc, argv, harnessArgs); status >= 0)
        return status;
    QCoreApplication app(argc, argv);
    TestReplayOla test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_replayola.moc"
