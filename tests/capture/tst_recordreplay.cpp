#include "capture/networkrecorder.h"
#include "capture/replayfeed.h"
#include "net/acnnet.h"
#include "net/artnet.h"
#include "net/framestore.h"
#include "net/network.h"

#include "net/artdmxpacket.h"
#include "net/runningreceiver.h"
#include "net/storechanged.h"
#include "net/tst_acnsupport.h"

#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QtTest>

#include <memory>

// A session of two Art-Net consoles and two sACN sources, recorded from the receivers' sockets
// on loopback and replayed into fresh receivers: the picture has to go through the same looks
// in the same order.

namespace {

const QHostAddress loopback(QStringLiteral("127.0.0.1"));
// The sACN receiver only listens for its first 1.5 s.
constexpr int sacnSettleMs = 1600;
// Apart enough that a loaded machine still shows each look before the next arrives.
constexpr int stepMs = 100;
// An sACN record: pcap record header, IPv4 and UDP headers, 126 + 512 bytes of E1.31.
constexpr qint64 sacnRecordBytes = 16 + 28 + 638;

struct Rig {
    explicit Rig(network *net) : node(net), sacn(net) {
        store.allocate(1024, 512);
        node.setStartUniverse(0);
        node.setFrameBuffer(&store);
        sacn.receiver->setStartUniverse(0);
        sacn.receiver->setFrameBuffer(&store);
        QTest::qWait(sacnSettleMs);
        storeChanged(store);
    }
    ~Rig() { sacn.receiver->setFrameBuffer(nullptr); }
    ReplayTargets targets() {
        return {[this] { return &node; }, [this] { return sacn.receiver; },
                [this](bool on) {
                    node.setReplaying(on);
                    sacn.receiver->setReplaying(on);
                },
                [] {}};
    }
    FrameStore store;
    artnet node;
    RunningReceiver sacn;
};

using Looks = QList<QByteArray>;

void noteLook(FrameStore &store, Looks &looks) {
    QByteArray look;
    if (store.snapshot(look) && (looks.isEmpty() || looks.last() != look))
        looks.append(look);
}

QByteArray level(quint8 value) {
    QByteArray levels(512, '\0');
    levels[0] = char(value);
    return levels;
}

// Slot priorities first, so the source's levels need not wait for them.
QByteArray sacnPriorities(char cidByte) {
    E131PacketBuilder b;
    b.universe = 2;
    b.cid = QByteArray(16, cidByte);
    b.startCode = 0xDD;
    b.levels = QByteArray(512, char(100));
    return b.build();
}

QByteArray sacnPacket(char cidByte, quint8 value) {
    E131PacketBuilder b;
    b.universe = 2;
    b.cid = QByteArray(16, cidByte);
    b.levels = level(value);
    return b.build();
}

} // namespace

class TestRecordReplay : public QObject {
    Q_OBJECT

    std::unique_ptr<network> net;
    QTemporaryDir dir;
    Looks liveLooks;
    QString capture;
    quint64 recorded = 0;

    Looks replay(const QString &file, double speed, QString *message) {
        Rig rig(net.get());
        ReplayFeed feed(rig.targets());
        QSignalSpy finished(&feed, &ReplayFeed::finished);
        const QString error = feed.start(file, false);
        if (!error.isEmpty()) {
            *message = error;
            return {};
        }
        feed.setSpeed(speed);
        Looks looks;
        QElapsedTimer waited;
        waited.start();
        while (finished.isEmpty() && waited.elapsed() < 10000) {
            QTest::qWait(1);
            noteLook(rig.store, looks);
        }
        QTest::qWait(50);
        noteLook(rig.store, looks);
        *message =
            finished.isEmpty() ? QStringLiteral("no end") : finished.first().at(0).toString();
        return looks;
    }

private slots:
    void initTestCase() {
        if (qgetenv("TESSAVIEW_IN_NETNS") != "1")
            QSKIP("needs the private network namespace (scripts/in-netns.sh)");
        net = std::make_unique<network>();
        capture = dir.filePath(QStringLiteral("session.pcap"));
    }

    void recordsEveryDatagramTheSocketsRead() {
        Rig rig(net.get());
        NetworkRecorder recorder;
        QVERIFY(recorder.start(capture).isEmpty());
        rig.node.setTap(&recorder);
        rig.sacn.receiver->setTap(&recorder);

        // Fixed source ports: Wireshark lets a few ephemeral ports' own dissectors win over
        // Art-Net's (44818 reads as EtherNet/IP), and those packets would not count below.
        QUdpSocket consoleA, consoleB, sacnSender;
        QVERIFY(consoleA.bind(QHostAddress(QStringLiteral("127.0.0.1")), 16454));
        QVERIFY(consoleB.bind(QHostAddress(QStringLiteral("127.0.0.2")), 16455));
        QVERIFY(sacnSender.bind(QHostAddress(QStringLiteral("127.0.0.1")), 15568));
        QByteArray oldProtocol = artDmxPacket(0, 0, level(99));
        oldProtocol[11] = 13; // before Art-Net 4: dropped by the node, kept by the recording
        const QList<std::pair<QUdpSocket *, QByteArray>> session = {
            {&consoleA, artDmxPacket(0, 0, level(10))},
            {&sacnSender, sacnPriorities('X')},
            {&sacnSender, sacnPriorities('Y')},
            {&sacnSender, sacnPacket('X', 20)},
            {&consoleB, artDmxPacket(0, 0, level(30))},
            {&sacnSender, sacnPacket('Y', 40)},
            {&consoleA, artDmxPacket(0, 0, level(50))},
            {&sacnSender, sacnPacket('X', 60)},
            {&consoleA, oldProtocol},
            {&consoleB, artDmxPacket(0, 0, level(70))},
            {&sacnSender, sacnPacket('Y', 80)}};
        for (const auto &[socket, datagram] : session) {
            const quint16 port = datagram.startsWith("Art-Net") ? 6454 : 5568;
            QCOMPARE(socket->writeDatagram(datagram, loopback, port), datagram.size());
            QElapsedTimer step;
            step.start();
            while (step.elapsed() < stepMs) {
                QTest::qWait(1);
                noteLook(rig.store, liveLooks);
            }
        }
        rig.node.setTap(nullptr);
        rig.sacn.receiver->setTap(nullptr);
        recorder.stop();
        QCOMPARE(liveLooks.size(), 8);
        QCOMPARE(recorder.packetsWritten(), quint64(session.size()));
        QCOMPARE(recorder.notRecorded(), quint64(0));
        recorded = recorder.packetsWritten();
    }

    void replayShowsTheSameLooksInTheSameOrder() {
        QString message = QStringLiteral("unset");
        QCOMPARE(replay(capture, 1.0, &message), liveLooks);
        QCOMPARE(message, QString());
    }

    void damagedAndForeignFilesSayWhy() {
        const QString cut = dir.filePath(QStringLiteral("cut.pcap"));
        QVERIFY(QFile::copy(capture, cut));
        const qint64 size = QFileInfo(capture).size();
        QVERIFY(QFile::resize(cut, size - 10));
        QString message;
        QCOMPARE(replay(cut, 4.0, &message), liveLooks.mid(0, liveLooks.size() - 1));
        QVERIFY2(message.contains(QStringLiteral("stopped at packet %1, byte offset %2:")
                                      .arg(recorded)
                                      .arg(size - sacnRecordBytes)),
                 qPrintable(message));

        const QString text = dir.filePath(QStringLiteral("notes.txt"));
        QFile notes(text);
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write("Universe 1: front wash\nUniverse 2: back light\n");
        notes.close();
        replay(text, 1.0, &message);
        QVERIFY2(message.contains(QStringLiteral("not a packet capture")), qPrintable(message));
    }

    void aFullDiskEndsTheRecordingAndSaysWhy() {
        NetworkRecorder recorder;
        QSignalSpy failed(&recorder, &NetworkRecorder::failed);
        QVERIFY(recorder.start(QStringLiteral("/dev/full")).isEmpty());
        const QByteArray datagram = sacnPacket('X', 1);
        const auto bytes = std::span(reinterpret_cast<const quint8 *>(datagram.constData()),
                                     size_t(datagram.size()));
        for (int i = 0; i < 64; ++i)
            recorder.tap(5568, bytes, DatagramFacts{0x7F000001, 5000, 0x7F000001, i});
        QVERIFY(failed.wait(2000));
        QVERIFY2(failed.first().at(0).toString().contains(QStringLiteral("No space left")),
                 qPrintable(failed.first().at(0).toString()));
        recorder.stop();
    }

    void wiresharkDissectsEveryRecordedPacket() {
        const QString tshark = QStandardPaths::findExecutable(QStringLiteral("tshark"));
        if (tshark.isEmpty())
            QSKIP("tshark is not installed");
        QProcess run;
        run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // Wireshark finds E1.31 only by its heuristic, which is off by default.
        run.start(tshark, {QStringLiteral("--enable-heuristic"), QStringLiteral("acn"),
                           QStringLiteral("-r"), capture, QStringLiteral("-z"),
                           QStringLiteral("expert"), QStringLiteral("-T"), QStringLiteral("fields"),
                           QStringLiteral("-e"), QStringLiteral("frame.protocols")});
        QVERIFY(run.waitForFinished(60000));
        const QString out = QString::fromUtf8(run.readAllStandardOutput());
        QVERIFY2(out.count(QStringLiteral("ip:udp:artnet")) == 5, qPrintable(out));
        QVERIFY2(out.count(QStringLiteral("ip:udp:acn")) == 6, qPrintable(out));
        QVERIFY2(!out.contains(QStringLiteral("Malformed"), Qt::CaseInsensitive) &&
                     !out.contains(QStringLiteral("Error")),
                 qPrintable(out));
    }
};

QTEST_MAIN(TestRecordReplay)
#include "tst_recordreplay.moc"
