// The RDM request path as a LAN peer reaches it. The first input byte picks the route (its
// low bits modulo the route count; bit 7 extends RDM to all universes for the Art-Net
// routes), the rest is the message; routes that repair the address and checksum let the
// fuzzer past those gates into every handler. The Art-Net routes go through the node's
// ArtRdm / ArtTod dispatch in front of the responder.

#include "net/artnet.h"
#include "net/framestore.h"
#include "tests/rdm/rdmtestsupport.h"

#include <QCoreApplication>
#include <cstddef>
#include <cstdint>

namespace {

enum Route : quint8 {
    RawMessage,     // handed over as received
    AddressedToUs,  // destination set to our UID, checksum made right
    AddressedToAll, // destination set to FFFF:FFFFFFFF, checksum made right
    ArtNetDatagram, // a whole Art-Net datagram from a controller in the node's subnet
    ArtRdmToUs,     // AddressedToUs wrapped in ArtRdm for the node's start universe
    RouteCount,
};

// Message offsets as carried over Art-Net (without START code).
constexpr int destinationOffset = 2;
constexpr int pdlOffset = 22;

void repair(QByteArray &message, quint16 manufacturer, quint32 device) {
    const QByteArray uid = RdmTest::uidBytes(manufacturer, device);
    for (int i = 0; i < uid.size() && destinationOffset + i < message.size(); ++i)
        message[destinationOffset + i] = uid[i];
    if (message.size() <= pdlOffset)
        return;
    const int checksumAt = 23 + quint8(message[pdlOffset]);
    if (checksumAt + 2 > message.size())
        return;
    quint16 sum = 0xCC;
    for (int i = 0; i < checksumAt; ++i)
        sum = quint16(sum + quint8(message[i]));
    message[checksumAt] = char(sum >> 8);
    message[checksumAt + 1] = char(sum);
}

RdmTest::Fixture &fixture() {
    static RdmTest::Fixture f(100);
    return f;
}

// What the node sends is checked against the only two shapes it may have here.
class Checker : public ArtNetTransmitter {
public:
    void sendDatagram(const QByteArray &datagram, const QHostAddress &) override {
        const quint16 opCode = quint16(quint8(datagram.at(8)) | quint8(datagram.at(9)) << 8);
        if (opCode == 0x8100 && datagram.size() == 34)
            return;
        // ArtRdm carries a whole response: 24 header bytes, then 25 to 256 RDM bytes.
        if (opCode == 0x8300 && datagram.size() >= 24 + 25 && datagram.size() <= 24 + 256)
            return;
        __builtin_trap();
    }
};

// The node on the responder's interface snapshot (192.168.1.20/24); Port-Address 3 is its
// first universe of two.
struct Node {
    Node() : node(&fixture().net) {
        node.setTransmitter(&checker);
        node.setStartUniverse(3);
        store.allocate(1020, 510);
        node.setFrameBuffer(&store);
    }
    Checker checker;
    FrameStore store;
    artnet node;
    const QHostAddress controller{QStringLiteral("192.168.1.50")};
};

Node &node() {
    static Node n;
    return n;
}

void feed(const QByteArray &datagram) {
    Node &n = node();
    n.node.handleDatagram(artnetpackets::Bytes(reinterpret_cast<const quint8 *>(datagram.data()),
                                               size_t(datagram.size())),
                          n.controller);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    static QCoreApplication app(*argc, *argv);
    // The sensor provider reports unknown sensor numbers; thousands of those say nothing.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    node().node.setRdm(&fixture().responder, false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1 || size > 1024)
        return 0;
    const Route route = Route((data[0] & 0x7F) % RouteCount);
    QByteArray message(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    RdmTest::Fixture &f = fixture();
    node().node.setRdm(&f.responder, data[0] & 0x80);
    switch (route) {
    case RawMessage:
        break;
    case AddressedToUs:
        repair(message, RdmTest::ownManufacturer, RdmTest::ownDevice);
        break;
    case AddressedToAll:
        repair(message, 0xFFFF, 0xFFFFFFFF);
        break;
    case ArtNetDatagram:
        feed(message);
        return 0;
    case ArtRdmToUs: {
        repair(message, RdmTest::ownManufacturer, RdmTest::ownDevice);
        QByteArray datagram("Art-Net\0\x00\x83\x00\x0e\x01", 13);
        datagram.append(QByteArray(8, '\0')); // Filler2, Spare
        datagram.append(char(0x00));          // Net
        datagram.append(char(0x00));          // Command ArProcess
        datagram.append(char(0x03));          // Address: the start universe
        feed(datagram + message);
        return 0;
    }
    case RouteCount:
        return 0;
    }
    const QByteArrayView answer =
        f.responder.handleRequest(message, RdmUid{RdmTest::ownManufacturer, RdmTest::ownDevice});
    // A response is never longer than the largest message and always checks out.
    if (answer.size() > 256 || (!answer.isEmpty() && answer.size() < 25))
        __builtin_trap();
    return 0;
}
