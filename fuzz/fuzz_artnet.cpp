#include "net/artnet.h"
#include "net/framestore.h"
#include "net/network.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

// Input: one control byte, then the datagram. Bit 0 of the control byte picks a sender inside
// or outside the node's subnet; bits 1-7 advance the node's clock in 100 ms steps, so that
// ArtSync mode is entered and left across a run.

namespace {

class Discard : public ArtNetTransmitter {
public:
    void sendDatagram(const QByteArray &, const QHostAddress &) override {}
};

struct Harness {
    Harness()
        : net(QList<InterfaceRecord>{record()}, QStringLiteral("host"), QString()), node(&net) {
        node.setTransmitter(&discard);
        node.setClock([this] { return now; });
        node.setLedControl(true);
        node.setStartUniverse(3);
        // Six universes of 510 channels, the last one partial.
        store.allocate(2600, 510);
        node.setFrameBuffer(&store);
        node.setPollReplyEnabled(true);
    }

    static InterfaceRecord record() {
        InterfaceRecord r;
        r.entry.setIp(QHostAddress(QStringLiteral("192.168.1.10")));
        r.entry.setNetmask(QHostAddress(QStringLiteral("255.255.255.0")));
        r.entry.setBroadcast(QHostAddress(QStringLiteral("192.168.1.255")));
        r.hardwareAddress = QStringLiteral("00:1A:2B:3C:4D:5E");
        r.name = QStringLiteral("eth0");
        return r;
    }

    Discard discard;
    network net;
    FrameStore store;
    artnet node;
    qint64 now = 0;
    const QHostAddress inside{QStringLiteral("192.168.1.50")};
    const QHostAddress outside{QStringLiteral("10.0.0.5")};
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static Harness harness;
    if (size == 0)
        return 0;
    harness.now += (data[0] >> 1) * 100;
    harness.node.handleDatagram(artnetpackets::Bytes(data + 1, size - 1),
                                data[0] & 1 ? harness.outside : harness.inside);
    return 0;
}
