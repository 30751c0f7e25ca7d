#include "artdmxpacket.h"
#include "net/artnet.h"
#include "net/framestore.h"
#include "net/network.h"
#include "storechanged.h"

#include <QFile>
#include <QThread>
#include <QUdpSocket>
#include <QtTest>

#include <map>

#include <memory>

// The node over real UDP on loopback. Run inside a private network namespace
// (scripts/in-netns.sh): there the interface snapshot is the loopback record 127.0.0.1/8 with
// broadcast 127.255.255.255. The controller sits on 127.0.0.2 so that its own socket on 6454
// gets the unicast replies meant for it, and a second socket bound to the broadcast address
// sees what the node broadcasts.

namespace {

const QHostAddress nodeAddress(QStringLiteral("127.0.0.1"));
const QHostAddress controllerAddress(QStringLiteral("127.0.0.2"));
const QHostAddress broadcastAddress(QStringLiteral("127.255.255.255"));

QByteArray header(quint16 opCode) {
    QByteArray d("Art-Net\0", 8);
    d.append(char(opCode & 0xFF)); // OpCode lo
    d.append(char(opCode >> 8));   // OpCode hi
    d.append('\0');                // ProtVerHi
    d.append('\x0e');              // ProtVerLo
    return d;
}

QByteArray artDmx(quint16 portAddress, const QByteArray &data) {
    QByteArray d = header(0x5000);
    d.append('\0');                     // Sequence
    d.append('\0');                     // Physical
    d.append(char(portAddress & 0xFF)); // SubUni
    d.append(char(portAddress >> 8));   // Net
    d.append(char(data.size() >> 8));   // Length hi
    d.append(char(data.size() & 0xFF)); // Length lo
    return d + data;
}

QByteArray artPoll(char talkToMe) {
    return header(0x2000) + talkToMe + '\0';
}
QByteArray artSync() {
    return header(0x5200) + QByteArray(2, '\0');
}

QByteArray artAddress(char command) {
    QByteArray d = header(0x6000) + QByteArray(95, '\0');
    d[106] = command; // Command
    return d;
}

std::unique_ptr<QUdpSocket> boundSocket(const QHostAddress &address) {
    auto socket = std::make_unique<QUdpSocket>();
    if (!socket->bind(address, 6454,
                      QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint))
        return nullptr;
    return socket;
}

// Waits for the next datagram on `socket`, running the event loop so that the node in this
// process can answer meanwhile.
QByteArray receive(QUdpSocket &socket, QHostAddress *from = nullptr, int timeoutMs = 2000) {
    if (!QTest::qWaitFor([&] { return socket.hasPendingDatagrams(); }, timeoutMs))
        return {};
    QByteArray d(int(socket.pendingDatagramSize()), '\0');
    socket.readDatagram(d.data(), d.size(), from);
    return d;
}

} // namespace

class TestArtnetUdp : public QObject {
    Q_OBJECT

    std::unique_ptr<network> net;
    std::unique_ptr<artnet> node;
    std::unique_ptr<QUdpSocket> controller;
    std::unique_ptr<QUdpSocket> broadcastListener;
    FrameStore store;
    qint64 now = 0;

    // A look at the store consumes the change, so it is polled here rather than inside QTRY_VERIFY,
    // which evaluates its expression once more at the end.
    bool frameTaken() {
        return QTest::qWaitFor([this] { return storeChanged(store); }, 2000);
    }

    bool nothingArrives(QUdpSocket &socket) {
        QTest::qWait(200);
        return !socket.hasPendingDatagrams();
    }

    void send(const QByteArray &datagram) {
        QCOMPARE(controller->writeDatagram(datagram, nodeAddress, 6454), datagram.size());
    }

    QByteArray frame() {
        QByteArray out;
        store.snapshot(out);
        return out;
    }

    void attach(quint32 frameLength, quint16 channelsPerUniverse, quint32 startUniverse) {
        QVERIFY(node->setStartUniverse(startUniverse));
        store.allocate(frameLength, channelsPerUniverse);
        node->setFrameBuffer(&store);
    }

private slots:
    void initTestCase() {
        if (qgetenv("TESSAVIEW_IN_NETNS") != "1")
            QSKIP("needs the private network namespace (scripts/in-netns.sh)");
    }

    void init() {
        net = std::make_unique<network>();
        QVERIFY(net->isOnlyLoopback());
        node = std::make_unique<artnet>(net.get());
        node->setClock([this] { return now; });
        node->setLedControl(true);
        node->setVersion(2, 8);
        node->setOem(0x0C, 0x10);
        node->setShortName(QStringLiteral("Tessaview"));
        node->resetLedState();
        now = 0;
        controller = boundSocket(controllerAddress);
        broadcastListener = boundSocket(broadcastAddress);
        QVERIFY(controller);
        QVERIFY(broadcastListener);
    }

    void cleanup() {
        node.reset();
        controller.reset();
        broadcastListener.reset();
        store.release();
    }

    void socketIsSharedWithLargeReceiveBuffer() {
        attach(510, 510, 0);
        QVERIFY(node->isListening());
        const int granted = node->receiveBufferSize();
        QFile rmemMax(QStringLiteral("/proc/sys/net/core/rmem_max"));
        QVERIFY(rmemMax.open(QIODevice::ReadOnly));
        const qint64 systemMax = rmemMax.readAll().trimmed().toLongLong();
        qInfo("receive buffer granted: %d bytes (net.core.rmem_max %lld)", granted, systemMax);
        QVERIFY(granted >= std::min<qint64>(artnet::receiveBufferBytes, systemMax));
        // A second node on the same machine still gets the port.
        artnet second(net.get());
        QVERIFY(second.setPollReplyEnabled(true));
    }

    void dmxLandsAtUniverseSlots() {
        // DmxUniverseStart 1, 510 channels per universe, two universes.
        attach(1020, 510, 0);
        send(artDmx(0, QByteArray(512, 0x11)));
        send(artDmx(1, QByteArray(512, 0x22)));
        send(artDmx(2, QByteArray(512, 0x33)));
        QTRY_COMPARE(frame(), QByteArray(510, 0x11) + QByteArray(510, 0x22));

        // 20 x 10 RGB from DmxUniverseStart 3: the second universe fills cells 170 .. 199.
        attach(600, 510, 2);
        QByteArray data(512, '\0');
        for (int i = 0; i < data.size(); ++i)
            data[i] = char(i + 1);
        send(artDmx(3, data));
        send(artDmx(1, QByteArray(512, 0x55))); // below the first universe
        QVERIFY(frameTaken());
        const QByteArray f = frame();
        QCOMPARE(f.left(510), QByteArray(510, '\0'));
        QCOMPARE(quint8(f[170 * 3]), quint8(1));
        QCOMPARE(quint8(f[599]), quint8(90));
    }

    void backlogIsReadInSlicesBetweenOtherEvents() {
        constexpr int universes = 600;
        attach(universes * 2, 2, 0);
        for (int k = 0; k < universes; ++k)
            send(artDmx(quint16(k), QByteArray(2, 0x01)));
        // Longer than any packet the node reads in full: still taken, cut to its first bytes.
        send(artDmx(0, QByteArray(512, 0x07)) + QByteArray(3000, 0x7F));
        QThread::msleep(100); // all queued at the socket, none read yet
        const auto written = [this] {
            const QByteArray f = frame();
            int count = 0;
            for (int k = 0; k < universes; ++k)
                count += f[2 * k] != '\0' ? 1 : 0;
            return count;
        };
        // One pass of the event loop takes one slice, so paints and timers get their turn.
        QCoreApplication::processEvents();
        QCOMPARE(written(), artnet::batchSize * artnet::batchesPerWakeUp);
        QTRY_COMPARE(written(), universes);
        QTRY_COMPARE(frame().left(2), QByteArray(2, 0x07));
    }

    void syncTiming() {
        attach(1020, 510, 0);
        now = 500; // a fresh node shows ArtDmx at once
        send(artDmx(0, QByteArray(3, 0x01)));
        QVERIFY(frameTaken());
        QVERIFY(!node->getSyncState(nullptr, nullptr));

        send(artSync());
        QTRY_VERIFY(node->getSyncState(nullptr, nullptr));
        send(artDmx(0, QByteArray(3, 0x02)));
        send(artDmx(1, QByteArray(3, 0x03)));
        QTest::qWait(100);
        QVERIFY(!storeChanged(store));
        QCOMPARE(frame().left(3), QByteArray(3, 0x01));

        send(artSync());
        QVERIFY(frameTaken());
        QCOMPARE(frame().left(3), QByteArray(3, 0x02));
        QCOMPARE(frame().mid(510, 3), QByteArray(3, 0x03));

        now += 4001; // ArtSync has stopped: ArtDmx shows at once again
        QVERIFY(!node->getSyncState(nullptr, nullptr));
        send(artDmx(1, QByteArray(3, 0x04)));
        QVERIFY(frameTaken());
        QCOMPARE(frame().mid(510, 3), QByteArray(3, 0x04));
    }

    void pollReplyToThePoller() {
        attach(6 * 510, 510, 0);
        QVERIFY(node->setPollReplyEnabled(true));
        send(artPoll(0x00));
        QHostAddress from;
        const QByteArray first = receive(*controller, &from);
        const QByteArray second = receive(*controller);
        QCOMPARE(from, nodeAddress);
        QCOMPARE(first.size(), 240);
        QCOMPARE(first.left(10), QByteArray("Art-Net\0\x00\x21", 10)); // ID, OpCode
        QCOMPARE(first.mid(10, 4), QByteArray::fromHex("7f000001"));   // IP address
        QCOMPARE(quint8(first[173]), quint8(4));                       // NumPortsLo
        QCOMPARE(quint8(first[211]), quint8(1));                       // BindIndex
        QCOMPARE(second.size(), 240);
        QCOMPARE(quint8(second[173]), quint8(2));
        QCOMPARE(second.mid(190, 4), QByteArray::fromHex("04050000")); // SwOut
        QCOMPARE(quint8(second[211]), quint8(2));
        QVERIFY(nothingArrives(*broadcastListener));
    }

    void pollReplyToTheBroadcastAddress() {
        attach(510, 510, 0);
        QVERIFY(node->setPollReplyEnabled(true));
        send(artPoll(0x04));
        const QByteArray reply = receive(*broadcastListener);
        QCOMPARE(reply.size(), 240);
        QCOMPARE(quint8(reply[173]), quint8(1));          // NumPortsLo
        QCOMPARE(reply.mid(207, 5), QByteArray(5, '\0')); // BindIp, BindIndex
        QVERIFY(nothingArrives(*controller));
    }

    // ArtAddress is answered with the node's poll reply, which shows what it changed.
    void indicatorCommands() {
        attach(510, 510, 0);
        QVERIFY(node->setPollReplyEnabled(true));
        send(artAddress(0x04));
        QCOMPARE(quint8(receive(*controller)[23]),
                 quint8(0x40)); // Status1: locate, no RDM responder
        QVERIFY(node->isLocateActive());
        send(artAddress(0x91));
        QCOMPARE(quint8(receive(*controller)[23]), quint8(0x40)); // not an indicator command
        send(artAddress(0x02));
        QCOMPARE(quint8(receive(*controller)[23]),
                 quint8(0xC0)); // Status1: normal, no RDM responder
        QVERIFY(!node->isLocateActive());
    }

    // What a console does wrong, from real datagrams: each finding once, counted, and ended
    // after 10 s without its cause.
    void findingsFromRealDatagrams() {
        attach(1020, 510, 0);
        const QByteArray levels(2, 0x10);
        for (const quint8 sequence : {1, 3, 3, 2}) // a gap, a repeat, a late one
            send(artDmxPacket(0, sequence, levels));
        send(artDmxPacket(1, 0, QByteArray(3, 0x10))); // odd length
        QByteArray old = artDmxPacket(1, 0, levels);
        old[11] = 13; // ProtVerLo below 14
        send(old);
        QCOMPARE(controller->writeDatagram(artDmxPacket(1, 0, levels), broadcastAddress, 6454),
                 qint64(20));
        using enum FindingCode;
        const std::map<FindingCode, quint64> expected{{LostPackets, 1},      {DuplicatePackets, 1},
                                                      {LatePackets, 1},      {ArtNetBadLength, 1},
                                                      {ArtNetOldVersion, 1}, {ArtNetBroadcast, 1}};
        const auto counts = [this] {
            std::map<FindingCode, quint64> out;
            for (const Finding &f : node->findings())
                if (f.current && f.address == controllerAddress.toIPv4Address())
                    out[f.code] += f.count;
            return out;
        };
        QTRY_COMPARE(counts(), expected);
        QCOMPARE(node->wireUniverses().size(), 2);
        now += FindingsLog::endMs + 1;
        QVERIFY(counts().empty());
    }

    void timeCodeReachesTheGivenAddress() {
        attach(510, 510, 0);
        node->slotSendTimeCode(1, 2, 3, 4, 3, &controllerAddress);
        const QByteArray tc = receive(*controller);
        QCOMPARE(tc, QByteArray("Art-Net\0", 8) + QByteArray::fromHex("0097000e00000403020103"));
        node->slotSendTimeCode(1, 2, 3, 4, 3); // to every record's broadcast address
        QCOMPARE(receive(*broadcastListener).size(), 19);
    }
};

QTEST_GUILESS_MAIN(TestArtnetUdp)
#include "tst_artnetudp.moc"
