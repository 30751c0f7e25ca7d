#include "buildinfo.h"
#include "net/acnnet.h"
#include "net/artnet.h"
#include "net/framestore.h"
#include "net/network.h"
#include "net/rdmuid.h"
#include "peertools.h"
#include "runningreceiver.h"
#include "storechanged.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QtTest>

#include <memory>

// Our receivers against an independent controller: OLA's daemon in a network namespace of its
// own, joined to ours by a veth pair (scripts/ola-peer.sh sets that up; main() below re-runs
// this program through it). OLA universes 1 and 2 leave its Art-Net plugin as Port-Addresses 1
// and 2, universes 11 and 12 leave its E1.31 plugin as E1.31 universes 11 and 12.

namespace {

// The harness arguments: both plugins, the E1.31 output ports patched at once. The Art-Net
// ports are patched by the tests: OLA polls when a port is patched and sends ArtDmx only to
// nodes that answered, so ArtDmx reaching our node also shows that OLA accepted our
// ArtPollReply.
const std::initializer_list<const char *> harnessArgs = {
    "--plugin", "artnet", "--plugin", "e131", "--patch", "e131:0:11", "--patch", "e131:1:12"};

// 20 x 10 RGB cells at 510 channels per universe: universe index 1 starts at cell 170.
constexpr quint32 frameLength = 20 * 10 * 3;
constexpr quint16 channelsPerUniverse = 510;

// 512 levels for the first universe; channels 511 and 512 lie beyond its 510-channel slot.
QByteArray firstUniverse() {
    QByteArray d(512, '\0');
    for (int i = 0; i < d.size(); ++i)
        d[i] = char((i * 7 + 3) & 0xFF);
    return d;
}

// 90 levels for the second: exactly cells 170 .. 199.
QByteArray secondUniverse() {
    QByteArray d(90, '\0');
    for (int i = 0; i < d.size(); ++i)
        d[i] = char(255 - i);
    return d;
}

QByteArray expectedFrame() {
    return firstUniverse().left(channelsPerUniverse) + secondUniverse();
}

// Announces RDM without answering: the poll replies then carry the responder's UID.
struct SilentRdm final : RdmRequestHandler {
    QByteArrayView handleRequest(QByteArrayView, const RdmUid &) override { return {}; }
};

// An OLA client run to a clean end.
bool runOla(const QStringList &arguments, const QByteArray &input = {}) {
    return Peer::runOla(arguments, input).ok();
}

} // namespace

class TestOlaPeer : public QObject {
    Q_OBJECT

    std::unique_ptr<network> net;
    QHostAddress local;
    QHostAddress remote;

    // Port-Address `start` is universe index 0.
    std::unique_ptr<artnet> makeNode(FrameStore &store, quint16 start = 1,
                                     quint32 length = frameLength) {
        auto node = std::make_unique<artnet>(net.get());
        node->setVersion(2, 8);
        node->setOem(0x0C, 0x10);
        node->setShortName(QStringLiteral("Tessaview"));
        node->setLongName(QStringLiteral("Tessaview peer test"));
        node->setNodeReport(QStringLiteral("#0001 [0000] peer test"));
        node->setLedControl(true);
        node->resetLedState();
        if (!node->setStartUniverse(start))
            return nullptr;
        store.allocate(length, channelsPerUniverse);
        node->setFrameBuffer(&store);
        node->setPollReplyEnabled(true);
        return node;
    }

    // Patches OLA's Art-Net output port `port` to OLA universe `universe` (Art-Net
    // Port-Address `universe`); OLA then polls, and the node's replies need the event loop.
    bool patchArtNet(int port, int universe) {
        const bool ok =
            runOla({QStringLiteral("ola_patch"), QStringLiteral("-d"),
                    qEnvironmentVariable("TESSAVIEW_OLA_DEVICE_ARTNET"), QStringLiteral("-p"),
                    QString::number(port), QStringLiteral("-u"), QString::number(universe)});
        QTest::qWait(500);
        return ok;
    }

private slots:
    void initTestCase() {
        if (qEnvironmentVariable("TESSAVIEW_OLA_RUN").isEmpty())
            QSKIP("run through scripts/ola-peer.sh");
        local = QHostAddress(qEnvironmentVariable("TESSAVIEW_PEER_LOCAL"));
        remote = QHostAddress(qEnvironmentVariable("TESSAVIEW_PEER_REMOTE"));
        net = std::make_unique<network>();
        // The veth end must be in the snapshot, or the poll replies and the sACN joins would
        // miss the interface OLA is on.
        QVERIFY(net->indexForPeer(remote.toIPv4Address()) >= 0);
    }

    void artNetDmxFromOla() {
        FrameStore store;
        const auto node = makeNode(store);
        QVERIFY(node && node->isListening());
        QVERIFY(patchArtNet(0, 1));
        QVERIFY(patchArtNet(1, 2));
        QVERIFY(runOla({QStringLiteral("ola_set_dmx"), QStringLiteral("-u"), QStringLiteral("1"),
                        QStringLiteral("-d"), Peer::levelList(firstUniverse())}));
        QVERIFY(runOla({QStringLiteral("ola_set_dmx"), QStringLiteral("-u"), QStringLiteral("2"),
                        QStringLiteral("-d"), Peer::levelList(secondUniverse())}));
        QTRY_COMPARE_WITH_TIMEOUT(frame(store), expectedFrame(), 5000);
        QVERIFY(!node->getSyncState(nullptr, nullptr));
    }

    void sacnFromOla() {
        FrameStore store;
        store.allocate(frameLength, channelsPerUniverse);
        RunningReceiver running(net.get());
        // E1.31 universe 11 is universe index 0.
        QVERIFY(running.receiver->setStartUniverse(10));
        running.receiver->setFrameBuffer(&store);
        QVERIFY(running.receiver->joinedGroupCount() >= 2);
        QVERIFY(runOla(
            {QStringLiteral("ola_streaming_client"), QStringLiteral("-u"), QStringLiteral("11")},
            Peer::levelList(firstUniverse()).toLatin1() + '\n'));
        QVERIFY(runOla({QStringLiteral("ola_set_dmx"), QStringLiteral("-u"), QStringLiteral("12"),
                        QStringLiteral("-d"), Peer::levelList(secondUniverse())}));
        QTRY_COMPARE_WITH_TIMEOUT(frame(store), expectedFrame(), 5000);
        running.receiver->setFrameBuffer(nullptr);
    }

    // What our node sends, as Wireshark's dissector reads it: poll replies to our poll and to
    // OLA's, timecode to the broadcast address and to OLA, a data reply to our request, with
    // no malformed packet and no expert note. Port-Addresses 15 .. 18 cross from sub-net 0
    // into sub-net 1, so each poll gets one reply for 15 and one for 16 .. 18. The dissector
    // here predates the Art-Net 4 reply fields and ArtDataReply: it shows them as filler and
    // data, which are compared byte for byte.
    void tsharkDissectsOurPacketsCleanly() {
        const QString tshark = QStandardPaths::findExecutable(QStringLiteral("tshark"));
        if (tshark.isEmpty())
            QSKIP("tshark is not installed");
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString capture = dir.filePath(QStringLiteral("node.pcapng"));
        FrameStore store;
        const auto node = makeNode(store, 15, 4 * channelsPerUniverse);
        QVERIFY(node && node->isListening());
        SilentRdm rdm;
        node->setRdm(&rdm, false);
        node->setFailSafeState(artnetpackets::FailSafeState::Zero);
        node->setFailOverSupported(true);

        QProcess capturing;
        const QString notCapturing = Peer::startArtNetCapture(
            capturing, tshark, {QStringLiteral("lo"), qEnvironmentVariable("TESSAVIEW_PEER_IFACE")},
            capture, {QStringLiteral("-a"), QStringLiteral("duration:4")});
        QVERIFY2(notCapturing.isEmpty(), qPrintable(notCapturing));
        // tshark reports the capture before every interface is live.
        QTest::qWait(1000);

        // An ArtPoll to the subnet broadcast, from a port other than 6454 so that the replies
        // to it are told apart from the poll.
        QUdpSocket poller;
        QVERIFY(poller.bind(local, 0));
        QByteArray poll("Art-Net\0", 8);
        poll += QByteArray::fromHex("0020"); // OpCode 0x2000, low byte first
        poll += QByteArray::fromHex("000e"); // ProtVer 14
        poll += QByteArray::fromHex("0000"); // Flags; DiagPriority
        const quint32 subnetBroadcast = (local.toIPv4Address() & 0xFFFFFF00u) | 0xFFu;
        QCOMPARE(poller.writeDatagram(poll, QHostAddress(subnetBroadcast), 6454), poll.size());
        // ID, OpCode 0x2700 LE, ProtVer 14, EstaMan, Oem, Request DrUrlProduct, Spare.
        const QByteArray dataRequest = QByteArray("Art-Net\0", 8) +
                                       QByteArray::fromHex("0027000e000000ff0001") +
                                       QByteArray(22, 0);
        QCOMPARE(poller.writeDatagram(dataRequest, local, 6454), dataRequest.size());
        // OLA polls too, when a port is patched.
        QVERIFY(patchArtNet(3, 4));
        node->slotSendTimeCode(1, 2, 3, 4, 3);
        node->slotSendTimeCode(23, 59, 59, 29, 2, &remote);
        QTest::qWait(1000);
        capturing.terminate(); // tshark closes the file cleanly on SIGTERM
        QTRY_COMPARE_WITH_TIMEOUT(capturing.state(), QProcess::NotRunning, 15000);

        const QString ours =
            QStringLiteral("udp.srcport == 6454 && ip.src == %1").arg(local.toString());
        auto read = [&](const QString &filter, const QStringList &more) {
            return Peer::readCapture(tshark, capture, filter, more);
        };
        auto column = [&](const QString &filter, const QString &field) {
            return read(filter, {QStringLiteral("-T"), QStringLiteral("fields"),
                                 QStringLiteral("-e"), field})
                .split('\n');
        };
        const QList<QByteArray> opCodes = column(ours, QStringLiteral("artnet.header.opcode"));
        qInfo("%s", read(QStringLiteral("udp port 6454"), {}).constData());
        QVERIFY2(opCodes.count("0x2100") >= 2, "poll replies to the poller and the broadcast");
        QCOMPARE(opCodes.count("0x9700"), 2);
        QCOMPARE(opCodes.count("0x2800"), 1);
        QStringList fields{QStringLiteral("-T"), QStringLiteral("fields")};
        for (const char *f : {"bind_index", "num_ports", "netswitch", "subswitch", "swout_1",
                              "swout_2", "swout_3", "swout_4"})
            fields << QStringLiteral("-e") << QStringLiteral("artnet.poll_reply.") + f;
        const QList<QByteArray> replies =
            read(QStringLiteral("(%1) && artnet.poll_reply").arg(ours), fields).split('\n');
        // BindIndex, NumPortsLo, NetSwitch, SubSwitch, SwOut 1 .. 4, once per poll.
        QCOMPARE(replies.count("0x01\t1\t0x00\t0x00\t0x0f\t0x00\t0x00\t0x00"),
                 opCodes.count("0x2100") / 2);
        QCOMPARE(replies.count("0x02\t3\t0x00\t0x01\t0x00\t0x01\t0x02\t0x00"),
                 opCodes.count("0x2100") / 2);
        // GoodOutputB (RDM on the start universe only), Status3 (fail-safe zero, fail-over),
        // DefaultRespUID, then zeros.
        const std::array<quint8, 6> uid = announcedRdmUid(*net, local.toIPv4Address())->toBytes();
        const QByteArray tail = "60" +
                                QByteArray(reinterpret_cast<const char *>(uid.data()), 6).toHex() +
                                QByteArray(32, '0');
        const QList<QByteArray> fillers = column(
            QStringLiteral("(%1) && artnet.poll_reply").arg(ours), QStringLiteral("artnet.filler"));
        QCOMPARE(fillers.count("70000000" + tail), opCodes.count("0x2100") / 2);
        // EstaMan, Oem (the test node's 0x0C10), Request, PayLen, PayLoad.
        const QByteArray url = QByteArray("http://") + BuildInfo::makerWeb + "/tessaview";
        QCOMPARE(column(QStringLiteral("(%1) && artnet.header.opcode == 0x2800").arg(ours),
                        QStringLiteral("artnet.data"))
                     .first(),
                 "00000c100001" + QByteArray::number(url.size() + 1, 16).rightJustified(4, '0') +
                     url.toHex() + "00");
        const QByteArray warnings =
            read(QStringLiteral("(%1) && (_ws.malformed || _ws.expert)").arg(ours),
                 {QStringLiteral("-V")});
        QVERIFY2(warnings.isEmpty(), warnings.constData());
    }
};

int main(int argc, char **argv) {
    if (const int status = Peer::enterHarness(argc, argv, harnessArgs); status >= 0)
        return status;
    QCoreApplication app(argc, argv);
    TestOlaPeer test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_olapeer.moc"
