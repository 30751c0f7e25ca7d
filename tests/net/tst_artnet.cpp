#include "buildinfo.h"
#include "net/artnet.h"
#include "net/framestore.h"
#include "net/network.h"
#include "storechanged.h"

#include <QtTest>

#include <array>
#include <memory>
#include <vector>

// The node's protocol logic, fed datagrams directly; what it would send is recorded.

namespace {

using ByteList = std::vector<quint8>;

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

ByteList header(quint16 opCode) {
    return {'A',  'r', 't', '-', 'N', 'e', 't', 0, quint8(opCode & 0xFF), quint8(opCode >> 8),
            0x00, 0x0E};
}

ByteList artDmx(quint16 portAddress, quint16 length, const ByteList &data) {
    ByteList d = header(0x5000);
    d.push_back(0);                          // Sequence
    d.push_back(0);                          // Physical
    d.push_back(quint8(portAddress & 0xFF)); // SubUni
    d.push_back(quint8(portAddress >> 8));   // Net
    d.push_back(quint8(length >> 8));        // Length hi
    d.push_back(quint8(length & 0xFF));      // Length lo
    d.insert(d.end(), data.begin(), data.end());
    return d;
}

ByteList sequenced(ByteList dmx, quint8 sequence) {
    dmx[12] = sequence; // Sequence
    return dmx;
}

// ArtAddress with BindIndex and Command.
ByteList artAddressTo(quint8 bindIndex, quint8 command) {
    ByteList d = header(0x6000);
    d.resize(107, 0);
    d[13] = bindIndex; // BindIndex
    d[106] = command;  // Command
    return d;
}

ByteList filled(size_t n, quint8 value) {
    return ByteList(n, value);
}

ByteList artPoll(quint8 talkToMe) {
    ByteList d = header(0x2000);
    d.push_back(talkToMe); // TalkToMe
    d.push_back(0);        // Priority
    return d;
}

ByteList artSync() {
    ByteList d = header(0x5200);
    d.push_back(0); // Aux1
    d.push_back(0); // Aux2
    return d;
}

ByteList artAddress(quint8 command) {
    ByteList d = header(0x6000);
    d.resize(107, 0);
    d[106] = command; // Command
    return d;
}

ByteList artTimeCode(quint8 frames, quint8 seconds, quint8 minutes, quint8 hours, quint8 type) {
    ByteList d = header(0x9700);
    d.insert(d.end(), {0, 0, frames, seconds, minutes, hours, type});
    return d;
}

InterfaceRecord record(const char *ip, const char *mask, const char *broadcast,
                       const char *hardware) {
    InterfaceRecord r;
    r.entry.setIp(QHostAddress(QLatin1String(ip)));
    r.entry.setNetmask(QHostAddress(QLatin1String(mask)));
    r.entry.setBroadcast(QHostAddress(QLatin1String(broadcast)));
    r.hardwareAddress = QLatin1String(hardware);
    r.name = QStringLiteral("eth0");
    return r;
}

const QHostAddress poller(QStringLiteral("192.168.1.50"));
const QHostAddress second(QStringLiteral("192.168.1.51"));
const QHostAddress third(QStringLiteral("192.168.1.52"));

// What the table says an ArtPollReply from 192.168.1.10 / 00:1A:2B:3C:4D:5E must hold.
QByteArray expectedPollReply(quint16 portAddress, quint8 numPorts, bool bound, quint8 bindIndex,
                             quint8 status1) {
    QByteArray p(240, '\0');
    p.replace(0, 8, QByteArray("Art-Net\0", 8)); // ID
    p[8] = 0x00;                                 // OpCode lo
    p[9] = 0x21;                                 // OpCode hi
    p[10] = char(192);                           // IP address, most significant first
    p[11] = char(168);
    p[12] = char(1);
    p[13] = char(10);
    p[14] = 0x36;                                           // Port lo
    p[15] = 0x19;                                           // Port hi
    p[16] = 2;                                              // VersInfoH
    p[17] = 8;                                              // VersInfoL
    p[18] = char((portAddress >> 8) & 0x7F);                // NetSwitch
    p[19] = char((portAddress >> 4) & 0x0F);                // SubSwitch
    p[20] = 0x0C;                                           // OemHi
    p[21] = 0x10;                                           // Oem
    p[22] = 0;                                              // UbeaVersion
    p[23] = char(status1);                                  // Status1
    p.replace(26, 9, "Tessaview");                          // ShortName
    p.replace(44, 33, "Tessaview V2.8 by www.example.org"); // LongName
    p.replace(108, 10, "sS 17x10 a");                       // NodeReport
    p[173] = char(numPorts);                                // NumPortsLo
    for (int j = 0; j < 4; ++j) {
        p[174 + j] = char(0x85); // PortTypes
        p[182 + j] = char(0x80); // GoodOutput
        if (j < numPorts)
            p[190 + j] = char((portAddress + j) & 0x0F); // SwOut
    }
    const char mac[] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
    p.replace(201, 6, QByteArray(mac, 6)); // MAC
    if (bound) {
        p[207] = char(192); // BindIp
        p[208] = char(168);
        p[209] = char(1);
        p[210] = char(10);
    }
    p[211] = char(bindIndex); // BindIndex
    p[212] = 0x08;            // Status2
    // RDM rides on the start universe only: the first port of the first reply.
    for (int j = 0; j < numPorts; ++j)
        p[213 + j] = char(j == 0 && bindIndex <= 1 ? 0x70 : 0xF0); // GoodOutputB
    if (status1 & 0x02)
        p.replace(218, 6, QByteArray::fromHex("00002b3c4d5e")); // DefaultRespUID
    return p;
}

} // namespace

// A responder that never answers: the node then announces RDM and serves its requests.
struct SilentRdm final : RdmRequestHandler {
    QByteArrayView handleRequest(QByteArrayView, const RdmUid &) override { return {}; }
};

class TestArtnet : public QObject {
    Q_OBJECT

    std::unique_ptr<network> net;
    std::unique_ptr<artnet> node;
    FrameStore store;
    Recorder recorder;
    SilentRdm silentRdm;
    qint64 now = 0;

    void feed(const ByteList &d, const QHostAddress &from = poller) {
        node->handleDatagram(artnetpackets::Bytes(d.data(), d.size()), from);
    }

    QByteArray frame() {
        QByteArray out;
        store.snapshot(out);
        return out;
    }

    // Node as the engine configures it; 510 channels per universe.
    void makeNode(quint32 frameLength, quint16 channelsPerUniverse, quint32 startUniverse) {
        node = std::make_unique<artnet>(net.get());
        node->setTransmitter(&recorder);
        node->setClock([this] { return now; });
        node->setLedControl(true);
        node->setVersion(2, 8);
        node->setOem(0x0C, 0x10);
        node->setShortName(QStringLiteral("Tessaview"));
        node->setLongName(QStringLiteral("Tessaview V2.8 by www.example.org"));
        node->setNodeReport(QStringLiteral("sS 17x10 a"));
        node->setRdm(&silentRdm, false);
        QVERIFY(node->setStartUniverse(startUniverse));
        store.allocate(frameLength, channelsPerUniverse);
        node->setFrameBuffer(&store);
        QVERIFY(node->setPollReplyEnabled(true));
        recorder.sent.clear();
    }

private slots:
    void init() {
        net = std::make_unique<network>(
            QList<InterfaceRecord>{
                record("192.168.1.10", "255.255.255.0", "192.168.1.255", "00:1A:2B:3C:4D:5E")},
            QStringLiteral("host"), QString());
        now = 0;
    }

    void cleanup() {
        node.reset();
        store.release();
        store.setStartAddress(1);
    }

    void dmxLandsAtUniverseSlots() {
        // Start universe 1, 510 channels per universe, two universes.
        makeNode(1020, 510, 0);
        feed(artDmx(0, 512, filled(512, 0x11)));
        QVERIFY(storeChanged(store));
        QVERIFY(!storeChanged(store));
        feed(artDmx(1, 512, filled(512, 0x22)));
        feed(artDmx(2, 512, filled(512, 0x33))); // beyond the frame
        const QByteArray f = frame();
        QCOMPARE(f, QByteArray(510, 0x11) + QByteArray(510, 0x22));

        // Length 100 leaves the rest of the universe as it was.
        feed(artDmx(0, 100, filled(100, 0x44)));
        QCOMPARE(frame().left(510), QByteArray(100, 0x44) + QByteArray(410, 0x11));
    }

    void twoSourcesMergeHtpAThirdIsIgnored() {
        makeNode(1020, 510, 0);
        feed(artDmx(0, 3, {0x10, 0x80, 0x00}), poller);
        feed(artDmx(0, 2, {0x40, 0x20}), second);
        QCOMPARE(frame().left(3), QByteArray::fromHex("408000"));
        feed(artDmx(0, 3, {0xFF, 0xFF, 0xFF}), third);
        QCOMPARE(frame().left(3), QByteArray::fromHex("408000"));
        const ReceiverStats stats = node->stats();
        QCOMPARE(stats.uiDroppedSourceLimit, quint64(1));
        QCOMPARE(stats.lUniverses.at(0).ownership, UniverseOwnership::MergeHtp);
        QCOMPARE(stats.lUniverses.at(0).iLiveSources, 2);
        // GoodOutput bit 3 on the merging port only.
        feed(artPoll(0x00));
        QCOMPARE(quint8(recorder.sent.back().datagram[182]), quint8(0x88));
        QCOMPARE(quint8(recorder.sent.back().datagram[183]), quint8(0x80));

        // 10 s of silence leaves the merge; then the third source may join.
        now = 10'000;
        feed(artDmx(0, 1, {0x01}), poller);
        QCOMPARE(frame().left(2), QByteArray::fromHex("4020")); // still merged at 10 000 ms
        now = 10'001;
        feed(artDmx(0, 1, {0x01}), poller);
        QCOMPARE(quint8(frame()[0]), quint8(0x01));
        feed(artDmx(0, 1, {0x05}), third);
        QCOMPARE(quint8(frame()[0]), quint8(0x05));
    }

    void artAddressSwitchesMergeModes() {
        makeNode(6 * 510, 510, 0);   // replies BindIndex 1 (0-3) and 2 (4-5)
        feed(artAddressTo(2, 0x11)); // AcMergeLtp1: Port-Address 5
        feed(artDmx(5, 1, {0x80}), poller);
        feed(artDmx(5, 1, {0x10}), second);
        QCOMPARE(quint8(frame()[5 * 510]), quint8(0x10)); // latest wins
        feed(artPoll(0x00));
        QCOMPARE(quint8(recorder.sent.back().datagram[183]), quint8(0x8A)); // merging, LTP
        feed(artAddressTo(2, 0x51));                                        // AcMergeHtp1
        feed(artDmx(5, 1, {0x20}), second);
        QCOMPARE(quint8(frame()[5 * 510]), quint8(0x80));
        QCOMPARE(node->stats().lUniverses.at(0).ownership, UniverseOwnership::MergeHtp);

        // AcCancelMerge: the next ArtDmx's sender is the only source.
        feed(artAddressTo(0, 0x01));
        feed(artDmx(5, 1, {0x30}), second);
        QCOMPARE(quint8(frame()[5 * 510]), quint8(0x30));
        QCOMPARE(node->stats().lUniverses.at(0).iLiveSources, 1);
    }

    void olderSequenceIsDropped() {
        makeNode(510, 510, 0);
        feed(sequenced(artDmx(0, 1, {0x01}), 100));
        feed(sequenced(artDmx(0, 1, {0x02}), 81)); // -19
        QCOMPARE(quint8(frame()[0]), quint8(0x01));
        feed(sequenced(artDmx(0, 1, {0x03}), 80)); // -20: a restarted sender
        QCOMPARE(quint8(frame()[0]), quint8(0x03));
        feed(sequenced(artDmx(0, 1, {0x04}), 0)); // 0: not numbered, always taken
        feed(sequenced(artDmx(0, 1, {0x05}), 0));
        QCOMPARE(quint8(frame()[0]), quint8(0x05));
        QCOMPARE(node->stats().uiDroppedSequence, quint64(1));
    }

    void syncShowsMergedData() {
        makeNode(510, 510, 0);
        feed(artSync());
        feed(artDmx(0, 2, {0x10, 0x90}), poller);
        feed(artDmx(0, 2, {0x70, 0x20}), second);
        QCOMPARE(frame().left(2), QByteArray(2, 0));
        feed(artSync());
        QCOMPARE(frame().left(2), QByteArray::fromHex("7090"));
    }

    void dmxBelowStartUniverseIsIgnored() {
        makeNode(600, 510, 5); // 20 x 10 RGB from Port-Address 5
        feed(artDmx(4, 3, {1, 2, 3}));
        QVERIFY(!storeChanged(store));
        QCOMPARE(frame(), QByteArray(600, 0));
        // The second universe fills cells 170 .. 199 from its channels 1 .. 90.
        ByteList data(512);
        for (size_t i = 0; i < data.size(); ++i)
            data[i] = quint8(i + 1);
        feed(artDmx(6, 512, data));
        const QByteArray f = frame();
        QCOMPARE(quint8(f[170 * 3]), quint8(1));
        QCOMPARE(quint8(f[599]), quint8(90));
        QCOMPARE(f.left(510), QByteArray(510, 0));
    }

    void newNodeIsNotInSyncMode() {
        makeNode(510, 510, 0);
        now = 100; // within the first seconds of the node's life
        QVERIFY(!node->getSyncState(nullptr, nullptr));
        feed(artDmx(0, 3, {7, 8, 9}));
        QVERIFY(storeChanged(store));
        QCOMPARE(frame().left(3), QByteArray::fromHex("070809"));
    }

    void syncHoldsDmxUntilTheNextSync() {
        makeNode(1020, 510, 0);
        now = 10'000;
        feed(artSync());
        int rate = -1;
        bool changed = false;
        QVERIFY(node->getSyncState(&rate, &changed));
        QVERIFY(!storeChanged(store)); // nothing buffered, nothing to show

        now = 10'020;
        feed(artDmx(0, 2, {5, 6}));
        QVERIFY(!storeChanged(store));
        QCOMPARE(frame().left(2), QByteArray(2, 0));
        now = 10'040;
        feed(artSync());
        QVERIFY(storeChanged(store));
        QCOMPARE(frame().left(2), QByteArray::fromHex("0506"));

        // 4000 ms after the last ArtSync still held; 4001 ms after it shown at once.
        now = 14'040;
        QVERIFY(node->getSyncState(nullptr, nullptr));
        feed(artDmx(1, 1, {9}));
        QVERIFY(!storeChanged(store));
        now = 14'041;
        QVERIFY(!node->getSyncState(nullptr, nullptr));
        feed(artDmx(0, 1, {1}));
        QVERIFY(storeChanged(store));
        QCOMPARE(quint8(frame()[0]), quint8(1));
    }

    void syncReleasesOnlyBufferedUniverses() {
        makeNode(1020, 510, 0);
        feed(artDmx(0, 510, filled(510, 0xA0))); // shown at once, no sync yet
        feed(artDmx(1, 510, filled(510, 0xB0)));
        now = 1000;
        feed(artSync());
        feed(artDmx(0, 510, filled(510, 0xA1)));
        feed(artSync());
        // Universe 1 was not buffered since the previous ArtSync: it keeps its data.
        QCOMPARE(frame(), QByteArray(510, char(0xA1)) + QByteArray(510, char(0xB0)));
        storeChanged(store);
        feed(artSync());
        QVERIFY(!storeChanged(store)); // nothing released, nothing changed

        // Two packets for one universe before an ArtSync: the later one wins, the longer
        // one's tail stays, exactly as without ArtSync.
        feed(artDmx(1, 510, filled(510, 0xC0)));
        feed(artDmx(1, 10, filled(10, 0xC1)));
        feed(artSync());
        QCOMPARE(frame().mid(510), QByteArray(10, char(0xC1)) + QByteArray(500, char(0xC0)));
    }

    // Start address 3: the frame takes channels 3 ... 512, shown at once or at the ArtSync.
    void startAddressShiftsBothPaths() {
        makeNode(510, 510, 0);
        store.setStartAddress(3);
        ByteList levels = filled(512, 0x20);
        levels[0] = levels[1] = 0x10; // channels 1 and 2 lie before the fixture
        feed(artDmx(0, 512, levels));
        QCOMPARE(frame(), QByteArray(510, 0x20));
        now = 1000;
        feed(artSync());
        levels[2] = 0x30; // channel 3, the fixture's first
        feed(artDmx(0, 512, levels));
        feed(artSync());
        QCOMPARE(frame(), QByteArray(1, 0x30) + QByteArray(509, 0x20));
        // Held back as received: the address in force at the ArtSync decides.
        levels[0] = 0x40;
        feed(artDmx(0, 512, levels));
        store.setStartAddress(1);
        feed(artSync());
        QCOMPARE(frame(), QByteArray(1, 0x40) + QByteArray(1, 0x10) + QByteArray(1, 0x30) +
                              QByteArray(507, 0x20));
    }

    void dmxAfterSyncLapsedIsNotUndoneByAStaleBuffer() {
        makeNode(510, 510, 0);
        now = 1000;
        feed(artSync());
        feed(artDmx(0, 1, {0x10})); // held back, no ArtSync follows in time
        now = 6000;
        feed(artDmx(0, 1, {0x20})); // shown at once
        feed(artSync());
        QCOMPARE(quint8(frame()[0]), quint8(0x20));
    }

    void syncRateAndSender() {
        makeNode(510, 510, 0);
        const QHostAddress a(QStringLiteral("192.168.1.60")), b(QStringLiteral("192.168.1.61"));
        now = 5000;
        for (int i = 0; i < 3; ++i) {
            feed(artSync(), a);
            now += 300;
        }
        now = 6100; // next second: rate of the previous one
        feed(artSync(), a);
        int rate = 0;
        bool changed = true;
        QVERIFY(node->getSyncState(&rate, &changed));
        QCOMPARE(rate, 3);
        QVERIFY(!changed);
        now = 7100;
        feed(artSync(), b);
        QVERIFY(node->getSyncState(&rate, &changed));
        QCOMPARE(rate, 1);
        QVERIFY(changed);
    }

    void zeroChannelsPerUniverse() {
        makeNode(510, 0, 0);
        feed(artDmx(0, 3, {1, 2, 3}));
        QVERIFY(!storeChanged(store));
        now = 100;
        feed(artSync());
        feed(artDmx(0, 3, {1, 2, 3}));
        feed(artSync());
        QCOMPARE(frame(), QByteArray(510, 0));
        feed(artPoll(0));
        QCOMPARE(recorder.sent.size(), size_t(1));
        QCOMPARE(quint8(recorder.sent[0].datagram[173]), quint8(1)); // NumPortsLo
    }

    void pollReplyOneUniverse() {
        makeNode(510, 510, 0);
        node->resetLedState();
        feed(artPoll(0x00));
        QCOMPARE(recorder.sent.size(), size_t(1));
        QCOMPARE(recorder.sent[0].destination, poller);
        QCOMPARE(recorder.sent[0].datagram, expectedPollReply(0, 1, false, 0, 0xC2));
    }

    void pollRepliesNeverCrossASubNet() {
        makeNode(4 * 510, 510, 14);
        node->resetLedState();
        feed(artPoll(0x00));
        QCOMPARE(recorder.sent.size(), size_t(2));
        QCOMPARE(recorder.sent[0].datagram, expectedPollReply(14, 2, true, 1, 0xC2));
        QCOMPARE(recorder.sent[1].datagram, expectedPollReply(16, 2, true, 2, 0xC2));
        QCOMPARE(recorder.sent[1].datagram.mid(18, 2), QByteArray::fromHex("0001")); // Net, Sub
        QCOMPARE(recorder.sent[1].datagram.mid(190, 4), QByteArray::fromHex("00010000")); // SwOut

        // Start 15 with four: one reply for 15, one for 16-18.
        makeNode(4 * 510, 510, 15);
        feed(artPoll(0x00));
        QCOMPARE(recorder.sent.size(), size_t(2));
        QCOMPARE(quint8(recorder.sent[0].datagram[173]), quint8(1)); // NumPortsLo
        QCOMPARE(quint8(recorder.sent[1].datagram[173]), quint8(3));
        QCOMPARE(quint8(recorder.sent[1].datagram[211]), quint8(2)); // BindIndex

        // Port-Addresses above 32767 are never announced.
        makeNode(4 * 510, 510, 32766);
        feed(artPoll(0x00));
        QCOMPARE(recorder.sent.size(), size_t(1));
        QCOMPARE(quint8(recorder.sent[0].datagram[173]), quint8(2));
        makeNode(510, 510, 32768);
        feed(artPoll(0x00));
        QVERIFY(recorder.sent.empty());

        // Without a responder Status1 does not announce RDM (bit 1).
        makeNode(510, 510, 0);
        node->setRdm(nullptr, false);
        node->resetLedState();
        feed(artPoll(0x00));
        QCOMPARE(quint8(recorder.sent[0].datagram[23]), quint8(0xC0));
    }

    void pollReplySixUniversesToBroadcast() {
        makeNode(6 * 510, 510, 0);
        node->resetLedState();
        feed(artPoll(0x04));
        QCOMPARE(recorder.sent.size(), size_t(2));
        for (const Sent &s : recorder.sent)
            QCOMPARE(s.destination, QHostAddress(QStringLiteral("192.168.1.255")));
        QCOMPARE(recorder.sent[0].datagram, expectedPollReply(0, 4, true, 1, 0xC2));
        QCOMPARE(recorder.sent[1].datagram, expectedPollReply(4, 2, true, 2, 0xC2));
        QCOMPARE(recorder.sent[1].datagram.mid(190, 4), QByteArray::fromHex("04050000"));
    }

    void pollRepliesStopAtBindIndex255() {
        // 1020 universes fill BindIndex 1..255 exactly; more are not announced rather than
        // wrapping BindIndex to 0 (the root device).
        for (const quint32 universes : {1020u, 1030u}) {
            makeNode(universes, 1, 0);
            node->resetLedState();
            feed(artPoll(0x00));
            QCOMPARE(recorder.sent.size(), size_t(255));
            QCOMPARE(recorder.sent[0].datagram, expectedPollReply(0, 4, true, 1, 0xC2));
            QCOMPARE(recorder.sent[254].datagram, expectedPollReply(1016, 4, true, 255, 0xC2));
        }
    }

    void targetedPollsAndRepliesOnChange() {
        makeNode(6 * 510, 510, 0); // replies BindIndex 1 (0-3) and 2 (4-5)
        ByteList poll = artPoll(0x20);
        poll.insert(poll.end(), {0x00, 0x05, 0x00, 0x05}); // Target Top 5, Bottom 5
        feed(poll);
        QCOMPARE(recorder.sent.size(), size_t(1));
        QCOMPARE(quint8(recorder.sent[0].datagram[211]), quint8(2)); // BindIndex
        poll[15] = 0x7F;                                             // Top 0x007F
        poll[17] = 0x06;                                             // Bottom 6
        feed(poll);
        QCOMPARE(recorder.sent.size(), size_t(1));

        // Asked for changes: a merge start on its reply only, a fail-safe state on all.
        feed(artPoll(0x02), second);
        recorder.sent.clear();
        feed(artDmx(5, 1, {0x10}), poller);
        QVERIFY(recorder.sent.empty());
        feed(artDmx(5, 1, {0x20}), third);
        QCOMPARE(recorder.sent.size(), size_t(1));
        QCOMPARE(recorder.sent[0].destination, second);
        QCOMPARE(quint8(recorder.sent[0].datagram[211]), quint8(2));    // BindIndex
        QCOMPARE(quint8(recorder.sent[0].datagram[183]), quint8(0x88)); // GoodOutput: merging
        node->setFailSafeState(artnetpackets::FailSafeState::Full);
        QCOMPARE(recorder.sent.size(), size_t(3));
        QCOMPARE(quint8(recorder.sent[2].datagram[217]), quint8(0x80)); // Status3
    }

    void dataRequestsAreAnswered() {
        makeNode(510, 510, 0);
        for (const quint8 request : {0x00, 0x01, 0x02, 0x03, 0x04}) {
            ByteList d = header(0x2700);
            d.insert(d.end(), {0x00, 0x00, 0x00, 0x00, 0x00, request}); // EstaMan, Oem, Request
            d.resize(40, 0);                                            // Spare
            feed(d);
        }
        // DrPoll without payload and three URLs; DrUrlPersUdr is not served.
        QCOMPARE(recorder.sent.size(), size_t(4));
        QCOMPARE(recorder.sent[0].datagram.size(), 20);
        const QByteArray web = QByteArray("http://") + BuildInfo::makerWeb;
        QCOMPARE(recorder.sent[1].datagram.mid(20), web + "/tessaview" + '\0');
        QCOMPARE(recorder.sent[3].datagram.mid(20), web + "/support" + '\0');
    }

    void pollFromOtherSubnetOrDisabled() {
        makeNode(510, 510, 0);
        feed(artPoll(0), QHostAddress(QStringLiteral("10.0.0.5")));
        QVERIFY(recorder.sent.empty());
        node->setPollReplyEnabled(false);
        feed(artPoll(0));
        QVERIFY(recorder.sent.empty());
        // Without a network snapshot nothing can be announced.
        artnet bare(nullptr);
        bare.setTransmitter(&recorder);
        bare.setStartUniverse(0);
        bare.setPollReplyEnabled(true);
        const ByteList poll = artPoll(0);
        bare.handleDatagram(artnetpackets::Bytes(poll.data(), poll.size()), poller);
        QVERIFY(recorder.sent.empty());
    }

    void indicatorCommands() {
        makeNode(510, 510, 0);
        node->resetLedState();
        feed(artAddress(0x04));
        QVERIFY(node->isLocateActive());
        feed(artPoll(0));
        QCOMPARE(quint8(recorder.sent.back().datagram[23]), quint8(0x42)); // Status1 locate
        feed(artAddress(0x91));
        QVERIFY(node->isLocateActive());
        feed(artAddress(0x03));
        QVERIFY(!node->isLocateActive());
        feed(artPoll(0));
        QCOMPARE(quint8(recorder.sent.back().datagram[23]), quint8(0x82)); // Status1 mute
        feed(artAddress(0x02));
        feed(artPoll(0));
        QCOMPARE(quint8(recorder.sent.back().datagram[23]), quint8(0xC2)); // Status1 normal

        node->slotSetAcLedMode(0x40);
        QVERIFY(node->isLocateActive());
        node->slotSetAcLedMode(0x41); // not a mode
        QVERIFY(node->isLocateActive());
        node->resetLedState();
        QVERIFY(!node->isLocateActive());

        // With LED control off nothing is obeyed and Status1 reports "unknown".
        node->setLedControl(false);
        feed(artAddress(0x04));
        node->slotSetAcLedMode(0x40);
        QVERIFY(!node->isLocateActive());
        node->resetLedState();
        feed(artPoll(0));
        QCOMPARE(quint8(recorder.sent.back().datagram[23]), quint8(0x02));
    }

    // ArtAddress is answered with a poll reply to its sender; its fail-safe commands are passed
    // on only once the node says ArtAddress may set them.
    void failSafeCommandsAndAddressReply() {
        makeNode(510, 510, 0);
        std::vector<int> asked;
        connect(node.get(), &artnet::failSafeRequested, this,
                [&asked](artnetpackets::FailSafeState state) { asked.push_back(int(state)); });
        connect(node.get(), &artnet::failSafeRecordRequested, this,
                [&asked] { asked.push_back(-1); });
        feed(artAddress(0x0A)); // AcFailFull
        QVERIFY(asked.empty());
        QCOMPARE(recorder.sent.size(), size_t(1));
        QCOMPARE(recorder.sent[0].destination, poller);
        QCOMPARE(quint8(recorder.sent[0].datagram[217]), quint8(0x00)); // Status3: hold
        node->setFailOverSupported(true);
        for (const quint8 command : {0x08, 0x09, 0x0A, 0x0B, 0x0C}) // Hold ... Scene, Record
            feed(artAddress(command));
        QCOMPARE(asked, (std::vector<int>{0, 1, 2, 3, -1}));
        node->setFailSafeState(artnetpackets::FailSafeState::Scene);
        feed(artAddress(0x00));                                             // AcNone
        QCOMPARE(quint8(recorder.sent.back().datagram[217]), quint8(0xE0)); // scene, fail-over
    }

    void timeCodeRecords() {
        makeNode(510, 510, 0);
        const QHostAddress a(QStringLiteral("192.168.1.70")), b(QStringLiteral("192.168.1.71"));
        feed(artTimeCode(1, 2, 3, 4, 3), a);
        feed(artTimeCode(5, 6, 7, 8, 0), b);
        feed(artTimeCode(9, 10, 11, 12, 1), a);
        QCOMPARE(node->timeCodes().size(), 2);
        QCOMPARE(node->timeCodes()[0].sender, a);
        QCOMPARE(node->timeCodes()[0].timeCode, (artnetpackets::TimeCode{9, 10, 11, 12, 1}));
        QCOMPARE(node->timeCodes()[1].timeCode, (artnetpackets::TimeCode{5, 6, 7, 8, 0}));
        // Forged sources cannot grow the list without bound.
        for (quint32 i = 0; i < 200; ++i)
            feed(artTimeCode(0, 0, 0, 0, 0), QHostAddress(0x0A000000 + i));
        QCOMPARE(node->timeCodes().size(), artnet::maxTimeCodeSenders);
    }

    void timeCodeSending() {
        net = std::make_unique<network>(
            QList<InterfaceRecord>{
                record("192.168.1.10", "255.255.255.0", "192.168.1.255", "00:1A:2B:3C:4D:5E"),
                record("10.1.0.2", "255.255.0.0", "10.1.255.255", "00:1A:2B:3C:4D:5F")},
            QStringLiteral("host"), QString());
        makeNode(510, 510, 0);
        const QHostAddress target(QStringLiteral("192.168.1.99"));
        node->slotSendTimeCode(12, 15, 30, 24, 1, &target);
        QCOMPARE(recorder.sent.size(), size_t(1));
        QCOMPARE(recorder.sent[0].destination, target);
        // Hours, Minutes, Seconds, Frames land at 17, 16, 15, 14; Type at 18.
        QCOMPARE(recorder.sent[0].datagram,
                 QByteArray("Art-Net\0", 8) + QByteArray::fromHex("0097000e0000181e0f0c01"));
        recorder.sent.clear();
        node->slotSendTimeCode(1, 2, 3, 4, 3);
        QCOMPARE(recorder.sent.size(), size_t(2));
        QCOMPARE(recorder.sent[0].destination, QHostAddress(QStringLiteral("192.168.1.255")));
        QCOMPARE(recorder.sent[1].destination, QHostAddress(QStringLiteral("10.1.255.255")));
    }

    void foreignShortAndOlderDatagramsAreDropped() {
        makeNode(510, 510, 0);
        ByteList dmx = artDmx(0, 3, {1, 2, 3});
        dmx[7] = 'x'; // ID damaged
        feed(dmx);
        feed(header(0x5000)); // 12 bytes
        ByteList unknown = header(0x2400);
        unknown.push_back(0);
        feed(unknown);
        ByteList reply = header(0x2100);
        reply.resize(240, 0);
        feed(reply); // another node's ArtPollReply
        QVERIFY(!storeChanged(store));
        QVERIFY(recorder.sent.empty());

        // From before Art-Net 4 (ProtVer 13): DMX is dropped and counted, a poll answered.
        dmx = artDmx(0, 3, {1, 2, 3});
        dmx[11] = 13; // ProtVer lo
        feed(dmx);
        QVERIFY(!storeChanged(store));
        QCOMPARE(node->stats().uiDroppedOldProtocol, quint64(1));
        ByteList poll = artPoll(0x00);
        poll[11] = 13; // ProtVer lo
        feed(poll);
        QCOMPARE(recorder.sent.size(), size_t(1));
    }

    void detachedNodeWritesNothing() {
        makeNode(510, 510, 0);
        node->setFrameBuffer(nullptr);
        feed(artDmx(0, 3, {1, 2, 3}));
        feed(artSync());
        QVERIFY(!storeChanged(store));
        QCOMPARE(frame(), QByteArray(510, 0));
    }
};

QTEST_GUILESS_MAIN(TestArtnet)
#include "tst_artnet.moc"
