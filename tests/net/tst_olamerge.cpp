#include "net/artnet.h"
#include "net/framestore.h"
#include "net/network.h"
#include "peertools.h"
#include "runningreceiver.h"

#include <QCoreApplication>
#include <QUdpSocket>
#include <QtTest>

#include <atomic>
#include <memory>

// Two sources on one universe, as a rig has them: two OLA daemons, each in a namespace of its
// own on one bridge with ours (scripts/ola-peer.sh --second-daemon), and a sender of ours on a
// second address of our side (--second-local). OLA universe 1 leaves both E1.31 plugins as
// E1.31 universe 1; OLA universe 15 leaves the first daemon's Art-Net plugin as Port-Address 15.

namespace {

const std::initializer_list<const char *> harnessArgs = {
    "--plugin",        "artnet",        "--plugin", "e131",
    "--patch",         "e131:0:1", // in both daemons
    "--second-daemon", "--second-local"};

constexpr quint16 channelsPerUniverse = 512;
constexpr quint16 artNetStart = 15;

// An OLA client of daemon 1 or 2 run to a clean end.
bool ola(int daemon, const QStringList &arguments) {
    return Peer::runOla(arguments, {}, 15000,
                        daemon == 1 ? "TESSAVIEW_OLA_RUN" : "TESSAVIEW_OLA_RUN2")
        .ok();
}

bool setDmx(int daemon, int universe, const QByteArray &levels) {
    return ola(daemon, {QStringLiteral("ola_set_dmx"), QStringLiteral("-u"),
                        QString::number(universe), QStringLiteral("-d"), Peer::levelList(levels)});
}

QString device(int daemon, const char *plugin) {
    return qEnvironmentVariable(
        (QByteArray("TESSAVIEW_OLA_DEVICE") + (daemon == 1 ? "" : "2") + '_' + plugin).constData());
}

// The packets of the live source at `address`, 0 when no universe has one there.
quint64 packetsFrom(const ReceiverStats &stats, const QString &address) {
    for (const UniverseStats &universe : stats.lUniverses)
        for (const SourceStats &source : universe.lSources)
            if (source.address.toString() == address)
                return source.uiPackets;
    return 0;
}

} // namespace

class TestOlaMerge : public QObject {
    Q_OBJECT

    std::unique_ptr<network> net;
    QString remote, remote2, local, local2;

private slots:
    void initTestCase() {
        if (qEnvironmentVariable("TESSAVIEW_OLA_RUN2").isEmpty())
            QSKIP("run through scripts/ola-peer.sh --second-daemon --second-local");
        remote = qEnvironmentVariable("TESSAVIEW_PEER_REMOTE");
        remote2 = qEnvironmentVariable("TESSAVIEW_PEER_REMOTE2");
        local = qEnvironmentVariable("TESSAVIEW_PEER_LOCAL");
        local2 = qEnvironmentVariable("TESSAVIEW_PEER_LOCAL2");
        net = std::make_unique<network>();
        QVERIFY(net->indexForPeer(QHostAddress(remote).toIPv4Address()) >= 0);
    }

    // Daemon 2 at priority 150 owns universe 1 over daemon 1 at OLA's default 100, even with
    // fewer slots and while daemon 1 is still live; once it terminates its stream, daemon 1's
    // next packet is shown.
    void sacnHigherPriorityDaemonOwnsUntilItStops() {
        FrameStore store;
        store.allocate(channelsPerUniverse, channelsPerUniverse);
        RunningReceiver running(net.get());
        QVERIFY(running.receiver->setStartUniverse(0));
        running.receiver->setFrameBuffer(&store);
        QVERIFY(ola(2, {QStringLiteral("ola_set_priority"), QStringLiteral("-d"), device(2, "E131"),
                        QStringLiteral("-p"), QStringLiteral("0"), QStringLiteral("-o"),
                        QStringLiteral("150")}));
        auto head = [&store] { return frame(store).left(4); };

        QVERIFY(setDmx(1, 1, QByteArray::fromHex("0a141e28")));
        QTRY_COMPARE_WITH_TIMEOUT(head(), QByteArray::fromHex("0a141e28"), 5000);
        // Daemon 2 comes late: its levels wait for slot priorities OLA never sends, while daemon
        // 1's next packet (OLA sends on a change only) is still shown.
        QVERIFY(setDmx(2, 1, QByteArray::fromHex("c8c9")));
        QVERIFY(setDmx(1, 1, QByteArray::fromHex("0b151f29")));
        QTRY_COMPARE_WITH_TIMEOUT(head(), QByteArray::fromHex("0b151f29"), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(head(), QByteArray::fromHex("c8c90000"), 5000);
        QCOMPARE(packetsFrom(running.receiver->stats(), remote), quint64(2));
        const ReceiverStats both = running.receiver->stats();
        QCOMPARE(both.lUniverses.size(), 1);
        const UniverseStats &universe = both.lUniverses.at(0);
        QCOMPARE(universe.iPriority, 150);
        QCOMPARE(universe.lSources.at(universe.iOwnerIndex).address.toString(), remote2);

        // Unpatching makes OLA send Stream_Terminated.
        QVERIFY(ola(2, {QStringLiteral("ola_patch"), QStringLiteral("-r"), QStringLiteral("-d"),
                        device(2, "E131"), QStringLiteral("-p"), QStringLiteral("0"),
                        QStringLiteral("-u"), QStringLiteral("1")}));
        QTRY_COMPARE_WITH_TIMEOUT(packetsFrom(running.receiver->stats(), remote2), quint64(0),
                                  5000);
        QVERIFY(setDmx(1, 1, QByteArray::fromHex("0c16202a")));
        QTRY_COMPARE_WITH_TIMEOUT(head(), QByteArray::fromHex("0c16202a"), 5000);
        running.receiver->setFrameBuffer(nullptr);
    }

    // Our receiver starts, daemon 1 sends at 100 and daemon 2 at 150 a moment later: the first
    // look is daemon 2's, the store never changing through daemon 1's.
    void sacnFirstLookAfterSamplingIsTheHigherDaemons() {
        QVERIFY(ola(2, {QStringLiteral("ola_patch"), QStringLiteral("-d"), device(2, "E131"),
                        QStringLiteral("-p"), QStringLiteral("0"), QStringLiteral("-u"),
                        QStringLiteral("1")}));
        FrameStore store;
        store.allocate(channelsPerUniverse, channelsPerUniverse);
        std::atomic<int> changes = 0;
        store.setChangeListener([&changes] { ++changes; });
        RunningReceiver running(net.get());
        QVERIFY(running.receiver->setStartUniverse(0));
        QElapsedTimer started;
        started.start();
        running.receiver->setFrameBuffer(&store);
        QVERIFY(setDmx(1, 1, QByteArray::fromHex("3c3c3c")));
        QTest::qWait(250);
        QVERIFY(setDmx(2, 1, QByteArray::fromHex("f0f1")));
        QVERIFY(started.elapsed() < SacnMerger::samplingPeriodMs);
        QTRY_COMPARE_WITH_TIMEOUT(frame(store).left(3), QByteArray::fromHex("f0f100"), 5000);
        QCOMPARE(changes.load(), 1);
        running.receiver->setFrameBuffer(nullptr);
    }

    // OLA's Art-Net plugin and a sender of ours on our second address drive Port-Address 15:
    // the store shows the larger level of each slot, the longer packet's last slot included.
    void artNetOlaAndOurSenderMergeHtp() {
        FrameStore store;
        store.allocate(channelsPerUniverse, channelsPerUniverse);
        artnet node(net.get());
        QVERIFY(node.setStartUniverse(artNetStart));
        node.setFrameBuffer(&store);
        QVERIFY(node.setPollReplyEnabled(true));
        // OLA polls when a port is patched and sends ArtDmx only to nodes that answered.
        QVERIFY(ola(1, {QStringLiteral("ola_patch"), QStringLiteral("-d"), device(1, "ARTNET"),
                        QStringLiteral("-p"), QStringLiteral("0"), QStringLiteral("-u"),
                        QString::number(artNetStart)}));
        QTest::qWait(500); // our reply to its poll needs the event loop
        QVERIFY(setDmx(1, artNetStart, QByteArray::fromHex("10c830")));
        QTRY_COMPARE_WITH_TIMEOUT(frame(store).left(3), QByteArray::fromHex("10c830"), 5000);

        QUdpSocket sender;
        QVERIFY(sender.bind(QHostAddress(local2), 0));
        QByteArray dmx("Art-Net\0", 8);
        dmx += QByteArray::fromHex("0050");     // OpCode 0x5000, low byte first
        dmx += QByteArray::fromHex("000e");     // ProtVer 14
        dmx += QByteArray::fromHex("00");       // Sequence 0: not used
        dmx += QByteArray::fromHex("00");       // Physical
        dmx += QByteArray::fromHex("0f");       // SubUni: sub-net 0, universe 15
        dmx += QByteArray::fromHex("00");       // Net
        dmx += QByteArray::fromHex("0004");     // Length 4, high byte first
        dmx += QByteArray::fromHex("64646464"); // slots 1 .. 4
        QCOMPARE(sender.writeDatagram(dmx, QHostAddress(local), 6454), dmx.size());
        QTRY_COMPARE_WITH_TIMEOUT(frame(store).left(4), QByteArray::fromHex("64c86464"), 5000);

        const ReceiverStats stats = node.stats();
        QCOMPARE(stats.lUniverses.size(), 1);
        QCOMPARE(stats.lUniverses.at(0).uiUniverse, artNetStart);
        QCOMPARE(stats.lUniverses.at(0).ownership, UniverseOwnership::MergeHtp);
        QCOMPARE(stats.lUniverses.at(0).iLiveSources, 2);
        QVERIFY(packetsFrom(stats, remote) > 0 && packetsFrom(stats, local2) > 0);
    }
};

int main(int argc, char **argv) {
    if (const int status = Peer::enterHarness(argc, argv, harnessArgs); status >= 0)
        return status;
    QCoreApplication app(argc, argv);
    TestOlaMerge test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_olamerge.moc"
