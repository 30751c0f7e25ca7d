#include "net/acnnet.h"
#include "net/network.h"

#include "runningreceiver.h"
#include "storechanged.h"
#include "tst_acnsupport.h"

#include <QFile>
#include <QHostAddress>
#include <QMap>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <memory>
#include <netinet/in.h>
#include <set>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

// Sends E1.31 packets to the universe's group out of loopback, as a console would.
class Sender {
public:
    Sender() {
        m_fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        in_addr loopback{htonl(INADDR_LOOPBACK)};
        setsockopt(m_fd, IPPROTO_IP, IP_MULTICAST_IF, &loopback, sizeof(loopback));
    }
    ~Sender() { ::close(m_fd); }

    bool send(const E131PacketBuilder &packet) const { return send(packet.universe, packet); }
    // `groupUniverse` picks the destination group, independent of the universe field.
    bool send(quint16 groupUniverse, const E131PacketBuilder &packet) const {
        return send(groupUniverse, packet.build());
    }
    bool send(quint16 groupUniverse, const QByteArray &bytes) const {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(5568);
        to.sin_addr.s_addr = htonl(0xEFFF0000u | groupUniverse);
        return ::sendto(m_fd, bytes.constData(), size_t(bytes.size()), 0,
                        reinterpret_cast<const sockaddr *>(&to), sizeof(to)) == bytes.size();
    }

private:
    int m_fd = -1;
};

E131PacketBuilder packet(quint16 universe, const QByteArray &levels, quint8 startCode = 0) {
    E131PacketBuilder builder;
    builder.universe = universe;
    builder.levels = levels;
    builder.startCode = startCode;
    return builder;
}

// Groups joined on loopback with their user counts, as the kernel lists them.
QMap<QString, int> loopbackGroups() {
    QMap<QString, int> groups;
    QFile file(QStringLiteral("/proc/net/igmp"));
    if (!file.open(QIODevice::ReadOnly))
        return groups;
    bool onLoopback = false;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.isEmpty() || line.startsWith("Idx"))
            continue;
        if (!line.startsWith('\t')) {
            onLoopback = line.simplified().split(' ').value(1) == "lo";
            continue;
        }
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (!onLoopback || fields.size() < 2)
            continue;
        // The group is the raw network-order word printed as a host-order number.
        const quint32 raw = fields[0].toUInt(nullptr, 16);
        groups.insert(QHostAddress(ntohl(raw)).toString(), fields[1].toInt());
    }
    return groups;
}

} // namespace

class TestAcnnet : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { m_net = std::make_unique<network>(); }

    void universesLandAtTheirOffsets() {
        FrameStore store;
        store.allocate(1024, 512); // two universes of 512
        RunningReceiver running(m_net.get());
        QVERIFY(running.receiver->setStartUniverse(0));
        running.receiver->setFrameBuffer(&store);
        const QMap<QString, int> groups = loopbackGroups();
        QVERIFY(groups.contains(QStringLiteral("239.255.0.1")));
        QVERIFY(groups.contains(QStringLiteral("239.255.0.2")));
        QVERIFY(running.receiver->receiveBufferSize() > 0);

        Sender sender;
        QVERIFY(sender.send(1, packet(3, QByteArray(512, char(0x33))))); // no slot 2
        QVERIFY(sender.send(packet(1, QByteArray(512, char(0x11)))));
        QVERIFY(sender.send(packet(2, QByteArray(512, char(0x22)))));
        QTRY_COMPARE(frame(store), QByteArray(512, char(0x11)) + QByteArray(512, char(0x22)));

        // START code plus 100 slots changes bytes 0-99 only.
        E131PacketBuilder short100 = packet(1, QByteArray(512, char(0x44)));
        short100.propertyValueCount = 101;
        QVERIFY(sender.send(short100));
        QTRY_COMPARE(frame(store).left(101),
                     QByteArray(100, char(0x44)) + QByteArray(1, char(0x11)));
    }

    void layoutsOfTheFrameStore() {
        // 20 x 10 RGB at 510 channels per universe: 600 bytes; universe 2's channels 1-90 fill
        // bytes 510-599. Start universe 5: universe 4 (below the range) changes nothing.
        FrameStore store;
        store.allocate(600, 510);
        RunningReceiver running(m_net.get());
        QVERIFY(running.receiver->setStartUniverse(4));
        running.receiver->setFrameBuffer(&store);
        Sender sender;
        QVERIFY(sender.send(5, packet(4, QByteArray(512, char(0x99)))));
        QByteArray levels(512, '\0');
        for (int i = 0; i < levels.size(); ++i)
            levels[i] = char(i + 1);
        QVERIFY(sender.send(packet(6, levels)));
        QVERIFY(sender.send(packet(5, QByteArray(512, char(0x55)))));
        QTRY_COMPARE(frame(store).left(510), QByteArray(510, char(0x55)));
        QCOMPARE(frame(store).mid(510), levels.left(90));

        // 100 channels per universe: channels 101-512 of a packet are dropped.
        FrameStore mono;
        mono.allocate(100, 100);
        running.receiver->setFrameBuffer(&mono);
        QVERIFY(sender.send(packet(5, QByteArray(512, char(0x66)))));
        QTRY_COMPARE(frame(mono), QByteArray(100, char(0x66)));
    }

    void onlyDmxStartCodeIsWritten() {
        FrameStore store;
        store.allocate(1024, 512);
        RunningReceiver running(m_net.get());
        QVERIFY(running.receiver->setStartUniverse(0));
        running.receiver->setFrameBuffer(&store);
        Sender sender;
        // 0xDD per-address priority values are not levels; the 0x00 packet after it marks
        // that both were handled.
        QVERIFY(sender.send(packet(1, QByteArray(512, char(0xC8)), 0xDD)));
        QVERIFY(sender.send(packet(2, QByteArray(512, char(0x01)))));
        QTRY_COMPARE(frame(store).mid(512), QByteArray(512, char(0x01)));
        QCOMPARE(frame(store).left(512), QByteArray(512, '\0'));
    }

    void groupsFollowTheStartUniverse() {
        FrameStore store;
        store.allocate(512, 512);
        RunningReceiver running(m_net.get());
        QVERIFY(running.receiver->setStartUniverse(299));
        running.receiver->setFrameBuffer(&store);
        QVERIFY(loopbackGroups().contains(QStringLiteral("239.255.1.44")));
        // The universe-discovery group 239.255.250.214 (universe 64214) beside the universe.
        QVERIFY(loopbackGroups().contains(QStringLiteral("239.255.250.214")));
        QCOMPARE(running.receiver->joinedGroupCount(), 2);

        Sender sender;
        QVERIFY(sender.send(packet(300, QByteArray(512, char(0x30)))));
        QTRY_COMPARE(frame(store), QByteArray(512, char(0x30)));
        // The sender's discovery packet reaches its facts, not the picture.
        QVERIFY(sender.send(e131::discoveryUniverse,
                            e131DiscoveryPacket({300, 301}, 0, 0, E131PacketBuilder().cid)));
        QTRY_COMPARE(
            running.receiver->stats().lUniverses.value(0).lSources.value(0).lAnnouncedUniverses,
            (QList<quint16>{300, 301}));
        QCOMPARE(frame(store), QByteArray(512, char(0x30)));

        QVERIFY(running.receiver->setStartUniverse(9));
        QVERIFY(!loopbackGroups().contains(QStringLiteral("239.255.1.44")));
        QVERIFY(loopbackGroups().contains(QStringLiteral("239.255.0.10")));
        QCOMPARE(running.receiver->joinedGroupCount(), 2);
        QVERIFY(running.receiver->setStartUniverse(9)); // unchanged: nothing happens
        QVERIFY(!running.receiver->setStartUniverse(63999));

        running.receiver->setFrameBuffer(nullptr);
        QVERIFY(!loopbackGroups().contains(QStringLiteral("239.255.0.10")));
        QCOMPARE(running.receiver->joinedGroupCount(), 0);
        QVERIFY(!storeChanged(store));
    }

    void joinsOnEveryInterfaceOfTheSnapshot() {
        // Two records (127.0.0.1 itself is never listed, so two other loopback addresses):
        // the group is joined once per interface address.
        InterfaceRecord first, second;
        first.entry.setIp(QHostAddress(QStringLiteral("127.0.0.2")));
        first.entry.setNetmask(QHostAddress(QStringLiteral("255.0.0.0")));
        first.entry.setBroadcast(QHostAddress(QStringLiteral("127.255.255.255")));
        second = first;
        second.entry.setIp(QHostAddress(QStringLiteral("127.0.0.3")));
        network twoInterfaces({first, second}, QString(), QString());
        FrameStore store;
        store.allocate(512, 512);
        RunningReceiver running(&twoInterfaces);
        QVERIFY(running.receiver->setStartUniverse(76));
        running.receiver->setFrameBuffer(&store);
        QCOMPARE(running.receiver->joinedGroupCount(), 4);
        QCOMPARE(loopbackGroups().value(QStringLiteral("239.255.0.77")), 2);
        Sender sender;
        QVERIFY(sender.send(packet(77, QByteArray(512, char(0x77)))));
        QTRY_COMPARE(frame(store), QByteArray(512, char(0x77)));
        // The engine drops the snapshot before the receiver's deferred deletion runs.
        running.receiver->setNetwork(nullptr);
    }

    void allOf1024UniversesArrive() {
        FrameStore store;
        store.allocate(1024 * 512, 512);
        RunningReceiver running(m_net.get());
        QVERIFY(running.receiver->setStartUniverse(0));
        running.receiver->setFrameBuffer(&store);
        QCOMPARE(running.receiver->joinedGroupCount(), 1025);
        QVERIFY(loopbackGroups().contains(QStringLiteral("239.255.4.0"))); // universe 1024

        QFile cap(QStringLiteral("/proc/sys/net/ipv4/igmp_max_memberships"));
        if (cap.open(QIODevice::ReadOnly))
            qInfo("igmp_max_memberships %s, receive buffer %d bytes",
                  cap.readAll().trimmed().constData(), running.receiver->receiveBufferSize());

        QByteArray expected(1024 * 512, '\0');
        Sender sender;
        for (int u = 1; u <= 1024; ++u) {
            QByteArray levels(512, char(u & 0xFF));
            levels[0] = char(u >> 8);
            expected.replace((u - 1) * 512, 512, levels);
            QVERIFY(sender.send(packet(quint16(u), levels)));
            if (u % 64 == 0)
                QThread::msleep(2);
        }
        QTRY_VERIFY_WITH_TIMEOUT(frame(store) == expected, 10000);
    }

    void syncUniverseGroupIsJoinedOnce() {
        FrameStore store;
        store.allocate(1024, 512);
        acnnet receiver(m_net.get());
        QVERIFY(receiver.setStartUniverse(0));
        receiver.setFrameBuffer(&store);
        const int configured = receiver.joinedGroupCount();
        QVERIFY(configured > 0);
        E131PacketBuilder inRange = packet(1, QByteArray(4, char(0x10)));
        inRange.syncAddress = 2; // already one of ours
        E131PacketBuilder beyond = packet(1, QByteArray(4, char(0x10)));
        beyond.syncAddress = 500;
        E131PacketBuilder beyondOther = beyond; // a second source's own sync universe
        beyondOther.syncAddress = 600;
        for (const E131PacketBuilder &b : {inRange, beyond, beyondOther, beyond, beyondOther}) {
            const QByteArray bytes = b.build();
            receiver.processDatagram(std::span<const quint8>(
                reinterpret_cast<const quint8 *>(bytes.constData()), size_t(bytes.size())));
        }
        // Two universes and discovery per interface, then each sync universe on each.
        QCOMPARE(receiver.joinedGroupCount(), configured + 2 * (configured / 3));
        QVERIFY(loopbackGroups().contains(QStringLiteral("239.255.1.244")));
        QVERIFY(loopbackGroups().contains(QStringLiteral("239.255.2.88")));
    }

    // Each rule the sACN receiver judges, from crafted packets on a fake clock: every finding
    // is current after its cause and has ended 10 s after the cause was last seen.
    void findingsOfEachSacnRule() {
        FrameStore store;
        store.allocate(3 * 512, 512);
        acnnet receiver(m_net.get());
        qint64 nowMs = 0;
        receiver.setClock([&nowMs] { return nowMs; });
        QVERIFY(receiver.setStartUniverse(0));
        receiver.setFrameBuffer(&store);
        const auto send = [&](const E131PacketBuilder &b, quint32 from, quint32 group) {
            const QByteArray bytes = b.build();
            // Stamped on the fake clock too, so the sources are timed by it.
            receiver.processDatagram(
                {reinterpret_cast<const quint8 *>(bytes.constData()), size_t(bytes.size())}, from,
                (nowMs + 1) * 1'000'000, group);
        };
        constexpr quint32 consoleA = 0x0A000001, consoleB = 0x0A000002;
        constexpr quint32 group1 = 0xEFFF0001, group2 = 0xEFFF0002, group3 = 0xEFFF0003;
        const auto source = [](quint16 universe, char cid, int sequence, char level) {
            E131PacketBuilder b = packet(universe, QByteArray(4, level));
            b.cid = QByteArray(16, cid);
            b.sequence = sequence;
            return b;
        };
        for (const int sequence : {10, 12, 12, 11}) // a gap, a repeat, a late one
            send(source(1, 'A', sequence, char(sequence)), consoleA, group1);
        send(source(1, 'A', 13, 13), consoleB, group1); // the same CID from another address
        send(source(1, 'W', 1, 1), consoleA, group2);   // universe 1 on universe 2's group
        E131PacketBuilder high = source(2, 'H', 1, 1);
        high.priority = 201;
        E131PacketBuilder preview = source(2, 'P', 1, 1);
        preview.options = 0x80; // Preview_Data
        E131PacketBuilder synced = source(3, 'S', 1, 1);
        synced.syncAddress = 7;
        for (const E131PacketBuilder &b : {high, preview, synced})
            send(b, consoleA, b.universe == 2 ? group2 : group3);
        // Unchanged levels 1.5 s apart; then levels changing 150 ms apart.
        int sequence = 1;
        for (const auto &[at, level] : {std::pair{0, 1}, {1500, 1}, {1650, 2}, {1800, 3}}) {
            nowMs = at;
            send(source(2, 'R', sequence, char(level)), consoleA, group2);
            synced.sequence = ++sequence;
            send(synced, consoleA, group3);
        }
        nowMs = 2600; // the sync universe never came
        synced.sequence = 20;
        send(synced, consoleA, group3);

        using enum FindingCode;
        const std::set<FindingCode> expected{
            LostPackets,     DuplicatePackets,     LatePackets,     SharedCid,
            SacnWrongGroup,  SacnPriorityAbove200, SacnPreviewOnly, SacnMissingSync,
            SacnSlowRefresh, UnstableTiming};
        const auto current = [&receiver] {
            std::set<FindingCode> codes;
            for (const Finding &f : receiver.findings())
                if (f.current)
                    codes.insert(f.code);
            return codes;
        };
        const std::set<FindingCode> seen = current();
        QVERIFY(std::includes(seen.begin(), seen.end(), expected.begin(), expected.end()));
        nowMs += FindingsLog::endMs + 1;
        QVERIFY(current().empty());
    }

    void zeroChannelsPerUniverseWritesNothing() {
        FrameStore store;
        store.allocate(100, 0);
        acnnet receiver(m_net.get());
        QVERIFY(receiver.setStartUniverse(0));
        receiver.setFrameBuffer(&store);
        QCOMPARE(receiver.joinedGroupCount(), 0);
        const QByteArray bytes = packet(1, QByteArray(512, char(0x10))).build();
        receiver.processDatagram(std::span<const quint8>(
            reinterpret_cast<const quint8 *>(bytes.constData()), size_t(bytes.size())));
        QCOMPARE(frame(store), QByteArray(100, '\0'));
        QVERIFY(!storeChanged(store));
    }

    // The sACN thread writes while the GUI thread takes frames and snapshots and reconfigures
    // the receiver. Every packet carries one value in all its slots, so a snapshot showing two
    // values inside one universe is a torn write.
    void storeHammeredFromTheReceiverThread() {
        constexpr int universes = 8;
        FrameStore store;
        store.allocate(universes * 512, 512);
        RunningReceiver running(m_net.get());
        QVERIFY(running.receiver->setStartUniverse(0));
        running.receiver->setFrameBuffer(&store);

        std::atomic<bool> stop = false;
        std::atomic<int> sent = 0;
        std::thread sending([&] {
            Sender sender;
            for (int round = 0; !stop; ++round) {
                for (int u = 1; u <= universes; ++u) {
                    sender.send(packet(quint16(u), QByteArray(512, char(round % 250))));
                    ++sent;
                }
                if (round % 16 == 0)
                    std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
        });

        QByteArray snapshot;
        int changedFrames = 0;
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; clock.elapsed() < 1500 + SacnMerger::samplingPeriodMs; ++i) {
            if (store.snapshot(snapshot))
                ++changedFrames;
            for (int u = 0; u < universes; ++u) {
                const char first = snapshot[u * 512];
                QVERIFY2(snapshot.mid(u * 512, 512).count(first) == 512, "torn universe");
            }
            // Reconfiguration while packets flow: regroup, shift the start universe back and
            // forth (every packet stays uniform, so the check above still holds).
            if (i % 200 == 0)
                running.receiver->setFrameBuffer(&store);
            if (i % 50 == 0)
                QVERIFY(running.receiver->setStartUniverse(quint32(i / 50 % 2)));
            QThread::usleep(500);
        }
        stop = true;
        sending.join();
        QVERIFY(sent > 1000);
        QVERIFY(changedFrames > 10);

        // Packets still queued land before this one; detached, the receiver no longer touches
        // the store that dies at the end of this scope.
        QVERIFY(running.receiver->setStartUniverse(0));
        // Sent again until it shows: a universe the last layout did not have listens for 1.5 s
        // first, and a slow (sanitizer) build may still be reading a full socket buffer that
        // dropped the first one.
        Sender sender;
        QVERIFY(QTest::qWaitFor(
            [&] {
                sender.send(packet(1, QByteArray(512, char(0xFE))));
                return frame(store).at(0) == char(0xFE);
            },
            15000));
        running.receiver->setFrameBuffer(nullptr);
    }

private:
    std::unique_ptr<network> m_net;
};

QTEST_GUILESS_MAIN(TestAcnnet)
#include "tst_acnnet.moc"
