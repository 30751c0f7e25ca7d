#include "net/artnet.h"
#include "net/framestore.h"
#include "net/network.h"
#include "tests/rdm/rdmtestsupport.h"

#include <QtTest>

#include <memory>
#include <vector>

// RDM carried by the node: the table-of-devices requests and ArtRdm fed to handleDatagram,
// with a responder wired like the engine wires it, and every datagram the node would send
// recorded.

namespace {

using namespace RdmTest;

struct Sent {
    QByteArray datagram;
    QHostAddress destination;
};

class Recorder : public ArtNetTransmitter {
public:
    void sendDatagram(const QByteArray &datagram, const QHostAddress &destination) override {
        sent.push_back({datagram, destination});
    }
    std::vector<Sent> sent;
};

const QHostAddress controller(QStringLiteral("192.168.1.50"));
const QHostAddress stranger(QStringLiteral("10.0.0.5"));

QByteArray header(quint16 opCode) {
    QByteArray d("Art-Net\0", 8);  // ID
    d.append(char(opCode & 0xFF)); // OpCode lo
    d.append(char(opCode >> 8));   // OpCode hi
    d.append(char(0x00));          // ProtVer hi
    d.append(char(0x0E));          // ProtVer lo
    return d;
}

QByteArray todRequest(quint8 net, const QByteArray &addresses, int adCount = -1) {
    QByteArray d = header(0x8000);
    d.append(QByteArray(9, '\0'));                            // Filler, Spare
    d.append(char(net));                                      // Net
    d.append(char(0x00));                                     // Command TodFull
    d.append(char(adCount < 0 ? addresses.size() : adCount)); // AdCount
    d.append(addresses);                                      // Address[]
    return d;
}

QByteArray todControl(quint8 net, quint8 command, quint8 address) {
    QByteArray d = header(0x8200);
    d.append(QByteArray(9, '\0')); // Filler, Spare
    d.append(char(net));           // Net
    d.append(char(command));       // Command
    d.append(char(address));       // Address
    return d;
}

QByteArray artRdm(quint8 net, quint8 address, const QByteArray &message, quint8 rdmVer = 0x01) {
    QByteArray d = header(0x8300);
    d.append(char(rdmVer));        // RdmVer
    d.append(QByteArray(8, '\0')); // Filler2, Spare
    d.append(char(net));           // Net
    d.append(char(0x00));          // Command ArProcess
    d.append(char(address));       // Address
    d.append(message);             // RDM packet without START code
    return d;
}

// ArtTodData as the table gives it, for one UID.
QByteArray expectedTodData(quint8 bindIndex, quint8 net, quint8 address, const QByteArray &uid) {
    QByteArray p("Art-Net\0", 8);  // ID
    p.append(char(0x00));          // OpCode lo
    p.append(char(0x81));          // OpCode hi
    p.append(char(0x00));          // ProtVer hi
    p.append(char(0x0E));          // ProtVer lo
    p.append(char(0x01));          // RdmVer
    p.append(char(0x01));          // Port
    p.append(QByteArray(6, '\0')); // Spare
    p.append(char(bindIndex));     // BindIndex
    p.append(char(net));           // Net
    p.append(char(0x00));          // CommandResponse TodFull
    p.append(char(address));       // Address
    p.append(char(0x00));          // UidTotal hi
    p.append(char(0x01));          // UidTotal lo
    p.append(char(0x00));          // BlockCount
    p.append(char(0x01));          // UidCount
    p.append(uid);                 // ToD[0]
    return p;
}

// ArtRdm as the table gives it for an answer.
QByteArray expectedRdm(quint8 net, quint8 address, const QByteArray &response) {
    QByteArray p("Art-Net\0", 8);  // ID
    p.append(char(0x00));          // OpCode lo
    p.append(char(0x83));          // OpCode hi
    p.append(char(0x00));          // ProtVer hi
    p.append(char(0x0E));          // ProtVer lo
    p.append(char(0x01));          // RdmVer
    p.append(QByteArray(8, '\0')); // Filler2, Spare
    p.append(char(net));           // Net
    p.append(char(0x00));          // Command ArProcess
    p.append(char(address));       // Address
    p.append(response);            // RDM packet without START code
    return p;
}

// 00:1A:2B:3C:4D:5E gives 0000:2B3C4D5E.
const QByteArray ourUid = QByteArray::fromHex("00002b3c4d5e");

constexpr quint16 displayLevel = 0x0501;

InterfaceRecord record(const char *ip, const char *hardware) {
    InterfaceRecord r;
    r.entry.setIp(QHostAddress(QLatin1String(ip)));
    r.entry.setNetmask(QHostAddress(QStringLiteral("255.255.255.0")));
    r.entry.setBroadcast(QHostAddress(QHostAddress(QLatin1String(ip)).toIPv4Address() | 0xFF));
    r.hardwareAddress = QLatin1String(hardware);
    r.name = QStringLiteral("eth");
    return r;
}

} // namespace

class TestArtnetRdm : public QObject {
    Q_OBJECT

    std::unique_ptr<Fixture> device;
    std::unique_ptr<artnet> node;
    FrameStore store;
    Recorder recorder;

    void feed(const QByteArray &d, const QHostAddress &from = controller) {
        recorder.sent.clear();
        node->handleDatagram(
            artnetpackets::Bytes(reinterpret_cast<const quint8 *>(d.constData()), size_t(d.size())),
            from);
    }

    // The node on the responder's interface snapshot (192.168.1.20/24, 00:1A:2B:3C:4D:5E).
    void makeNode(quint32 startUniverse, quint32 universes, bool withResponder, bool all) {
        node = std::make_unique<artnet>(&device->net);
        node->setTransmitter(&recorder);
        QVERIFY(node->setStartUniverse(startUniverse));
        store.allocate(universes * 510, 510);
        node->setFrameBuffer(&store);
        node->setRdm(withResponder ? &device->responder : nullptr, all);
    }

    void expectOne(const QByteArray &datagram, const QHostAddress &to = controller) {
        QCOMPARE(recorder.sent.size(), size_t(1));
        QCOMPARE(recorder.sent[0].datagram.toHex(' '), datagram.toHex(' '));
        QCOMPARE(recorder.sent[0].destination, to);
    }

private slots:
    void init() { device = std::make_unique<Fixture>(); }

    void cleanup() {
        node.reset();
        store.release();
        device.reset();
    }

    void todRequestServesOnlyTheStartUniverseByDefault() {
        makeNode(0, 2, true, false);
        feed(todRequest(0x00, QByteArray::fromHex("0001")));
        expectOne(expectedTodData(1, 0x00, 0x00, ourUid));
        feed(todRequest(0x00, QByteArray::fromHex("01c8")));
        QVERIFY(recorder.sent.empty());
    }

    void todRequestForAllUniversesAnswersEveryEntryFromTheStartUp() {
        makeNode(0, 2, true, true);
        feed(todRequest(0x00, QByteArray::fromHex("0001")));
        QCOMPARE(recorder.sent.size(), size_t(2));
        QCOMPARE(recorder.sent[0].datagram, expectedTodData(1, 0x00, 0x00, ourUid));
        QCOMPARE(recorder.sent[1].datagram, expectedTodData(1, 0x00, 0x01, ourUid));
        // No upper bound: Port-Address 200 of a two-universe node is answered too.
        feed(todRequest(0x00, QByteArray::fromHex("c8")));
        expectOne(expectedTodData(1, 0x00, 0xC8, ourUid));

        // Below the start universe nothing is served.
        makeNode(5, 1, true, true);
        feed(todRequest(0x00, QByteArray::fromHex("0405")));
        expectOne(expectedTodData(0, 0x00, 0x05, ourUid));
    }

    void todRequestNetAndEntryLimits() {
        makeNode(261, 1, true, false);
        // Net 0x81: bit 7 dropped, so entry 5 asks for Port-Address 261 (Net 1, universe 5).
        feed(todRequest(0x81, QByteArray::fromHex("05")));
        expectOne(expectedTodData(0, 0x01, 0x05, ourUid));
        // AdCount 3 with the matching entry third but only two entries present.
        feed(todRequest(0x01, QByteArray::fromHex("0102"), 3));
        QVERIFY(recorder.sent.empty());
        feed(todRequest(0x01, QByteArray::fromHex("010205"), 2));
        QVERIFY(recorder.sent.empty());
    }

    void todControlIsAnsweredOnlyWithRdmOn() {
        makeNode(0x0205, 3, true, false);
        // AtcFlush is treated like AtcNone.
        feed(todControl(0x82, 0x01, 0x05));
        expectOne(expectedTodData(1, 0x02, 0x05, ourUid));
        recorder.sent.clear();
        feed(todControl(0x02, 0x00, 0x06));
        QVERIFY(recorder.sent.empty());
        node->setRdm(nullptr, false); // UseRdm off
        feed(todControl(0x82, 0x01, 0x05));
        QVERIFY(recorder.sent.empty());
    }

    void nothingForAControllerOutsideEverySubnet() {
        makeNode(0, 1, true, true);
        feed(todRequest(0x00, QByteArray::fromHex("00")), stranger);
        feed(todControl(0x00, 0x00, 0x00), stranger);
        QVERIFY(recorder.sent.empty());
        feed(artRdm(0x00, 0x00, request(0x20, displayLevel)), stranger);
        QVERIFY(recorder.sent.empty());
    }

    void eachInterfaceAnnouncesItsOwnUid() {
        network two(
            {record("192.168.1.20", "00:1A:2B:3C:4D:5E"), record("10.0.0.1", "02:00:C0:FF:EE:01")},
            QStringLiteral("host"), QString());
        node = std::make_unique<artnet>(&two);
        node->setTransmitter(&recorder);
        QVERIFY(node->setStartUniverse(0));
        node->setRdm(&device->responder, false);
        feed(todControl(0x00, 0x00, 0x00), stranger);
        expectOne(expectedTodData(0, 0x00, 0x00, QByteArray::fromHex("0000c0ffee01")), stranger);
        // Asked on the other interface, the first interface's UID is not ours to answer for.
        feed(artRdm(0x00, 0x00, request(0x20, displayLevel)), stranger);
        QVERIFY(recorder.sent.empty());
        Message toSecond;
        toSecond.pid = displayLevel;
        toSecond.destinationDevice = 0xC0FFEE01;
        feed(artRdm(0x00, 0x00, request(toSecond)), stranger);
        QCOMPARE(recorder.sent.size(), size_t(1));
        // The response's source UID (after Sub-START code, length and destination UID).
        QCOMPARE(recorder.sent[0].datagram.mid(24 + 8, 6), QByteArray::fromHex("0000c0ffee01"));
    }

    void artRdmGetIsAnsweredToTheController() {
        makeNode(0x0205, 1, true, false);
        // Net 0x82 with bit 7 dropped: Port-Address 0x0205.
        feed(artRdm(0x82, 0x05, request(0x20, displayLevel)));
        expectOne(expectedRdm(0x02, 0x05, ack(0x20, displayLevel, hex("ff"))));
    }

    void artRdmSetReachesTheModel() {
        makeNode(0, 1, true, false);
        feed(artRdm(0x00, 0x00, request(0x30, displayLevel, hex("40"))));
        expectOne(expectedRdm(0x00, 0x00, ack(0x30, displayLevel)));
        QCOMPARE(device->model.displayLevel(), quint8(0x40));
        // A broadcast SET is carried out and never answered.
        feed(artRdm(0x00, 0x00,
                    request(Message{0x30, displayLevel, hex("20"), 0, 0xFFFF, 0xFFFFFFFF})));
        QVERIFY(recorder.sent.empty());
        QCOMPARE(device->model.displayLevel(), quint8(0x20));
    }

    void artRdmPortAddressRule() {
        makeNode(4, 3, true, false);
        feed(artRdm(0x00, 0x05, request(0x20, displayLevel)));
        QVERIFY(recorder.sent.empty());
        feed(artRdm(0x00, 0x03, request(0x20, displayLevel)));
        QVERIFY(recorder.sent.empty());
        node->setRdm(&device->responder, true);
        feed(artRdm(0x00, 0x05, request(0x20, displayLevel)));
        expectOne(expectedRdm(0x00, 0x05, ack(0x20, displayLevel, hex("ff"))));
        feed(artRdm(0x7F, 0xFF, request(0x20, displayLevel)));
        expectOne(expectedRdm(0x7F, 0xFF, ack(0x20, displayLevel, hex("ff"))));
        feed(artRdm(0x00, 0x03, request(0x20, displayLevel)));
        QVERIFY(recorder.sent.empty());
    }

    void artRdmDropped() {
        makeNode(0, 1, true, false);
        // RdmVer 0x02.
        feed(artRdm(0x00, 0x00, request(0x20, displayLevel), 0x02));
        QVERIFY(recorder.sent.empty());
        // Shorter than its 24-byte header.
        feed(artRdm(0x00, 0x00, QByteArray()).left(23));
        QVERIFY(recorder.sent.empty());
        // Addressed to another device: the responder returns nothing, so nothing is sent.
        feed(artRdm(0x00, 0x00, request(Message{0x20, displayLevel, {}, 0, 0x0000, 0x2B3C4D5F})));
        QVERIFY(recorder.sent.empty());
        // Without a responder ArtRdm is ignored.
        node->setRdm(nullptr, false);
        feed(artRdm(0x00, 0x00, request(0x20, displayLevel)));
        QVERIFY(recorder.sent.empty());
    }

    void responderDeletedBeforeTheNodeIsNotCalled() {
        makeNode(0, 1, true, false);
        auto responder = std::make_unique<rdm>(&device->model, &device->sensors, &device->net);
        node->setRdm(responder.get(), false);
        responder.reset();
        feed(artRdm(0x00, 0x00, request(0x20, displayLevel)));
        QVERIFY(recorder.sent.empty());
    }
};

QTEST_GUILESS_MAIN(TestArtnetRdm)
#include "tst_artnetrdm.moc"
