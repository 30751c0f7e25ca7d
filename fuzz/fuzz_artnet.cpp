#include "net/artnet.h"
#include "net/framestore.h"
#include "net/network.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

// Input: one control byte, then the datagram. Bits 0-1 of the control byte pick the sender:
// 0 and 3 one controller inside the node's subnet, 2 a second one (so that sources merge),
// 1 one outside; bits 2-7 advance the node's clock in 100 ms steps, so that ArtSync mode and
// merges begin and end across a run. After every datagram the node checks its merges, as its
// timer does, which announces their ends to the pollers that asked for changes.

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
    const QHostAddress insideToo{QStringLiteral("192.168.1.51")};
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
    harness.now += (data[0] >> 2) * 100;
    const int sender = data[0] & 3;
    harness.node.handleDatagram(artnetpackets::Bytes(data + 1, size - 1),
                                sender == 1   ? harness.outside
                                : sender == 2 ? harness.insideToo
                                              : harness.inside);
    harness.node.checkMerges();
    return 0;
}
