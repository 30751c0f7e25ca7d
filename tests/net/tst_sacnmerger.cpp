#include "net/e131.h"
#include "net/sacnmerger.h"

#include "tst_acnsupport.h"

#include <QMap>
#include <QTest>

namespace {

QByteArray cidOf(int n) {
    return QByteArray(15, char(0x10)) + char(n);
}

constexpr qint64 t = SacnMerger::samplingPeriodMs;
constexpr qint64 w = SacnMerger::perAddressWaitMs;

// A merger over universes 1..4, sampling from 0, and what it wrote, fed through the real parser;
// `looks` lists each change of universe 1. After start() times count from the sampling's end.
struct Rig {
    SacnMerger merger;
    QMap<quint32, QByteArray> written;
    QList<QByteArray> looks;
    qint64 base = 0;
    Rig() { merger.configure(1, 4, 0); }

    void record(quint32 index, std::span<const quint8> out) {
        written[index] =
            QByteArray(reinterpret_cast<const char *>(out.data()), qsizetype(out.size()));
        if (index == 0 && (looks.isEmpty() || looks.last() != written[0]))
            looks.append(written[0]);
    }
    void feed(const QByteArray &bytes, qint64 nowMs, quint32 sender = 0x0A000001) {
        const e131::DataPacket packet = e131::parseDataPacket(std::span<const quint8>(
            reinterpret_cast<const quint8 *>(bytes.constData()), size_t(bytes.size())));
        merger.accept(packet, sender, base + nowMs,
                      [this](quint32 i, auto out) { record(i, out); });
    }
    void tick(qint64 nowMs) {
        merger.tick(base + nowMs, [this](quint32 i, auto out) { record(i, out); });
    }
    void start() {
        tick(t);
        base = t;
    }
    ReceiverStats stats(qint64 nowMs) const { return merger.stats(base + nowMs); }
    // Universe 1 from source `n`.
    void send(int n, const QByteArray &levels, qint64 nowMs, quint8 priority = 100,
              int sequence = -1, quint8 options = 0, quint8 startCode = 0) {
        E131PacketBuilder b;
        b.cid = cidOf(n);
        b.levels = levels;
        b.priority = priority;
        b.sequence = sequence;
        b.options = options;
        b.startCode = startCode;
        feed(b.build(), nowMs);
    }
    // Takes what was written to universe 1 since the last call; "none" when nothing.
    QByteArray take() {
        const QByteArray out = written.value(0, "none");
        written.clear();
        return out;
    }
};

} // namespace

class TestSacnMerger : public QObject {
    Q_OBJECT
private slots:
    void sequenceBehindByUpTo19IsDropped() {
        Rig rig;
        rig.send(1, "\x01", 0, 100, 100);
        rig.start();
        QCOMPARE(rig.take(), QByteArray("\x01"));
        rig.send(1, "\x02", 1, 100, 100); // difference 0: a repeat
        rig.send(1, "\x03", 2, 100, 81);  // -19
        QCOMPARE(rig.take(), QByteArray("none"));
        rig.send(1, "\x04", 3, 100, 80); // -20: taken as a new run
        QCOMPARE(rig.take(), QByteArray("\x04"));
        rig.send(1, "\x05", 4, 100, 5);   // 80 -> 5 is +181 = -75: new run
        rig.send(1, "\x06", 5, 100, 250); // 5 -> 250 wraps back 11: dropped
        QCOMPARE(rig.take(), QByteArray("\x05"));
        const ReceiverStats stats = rig.stats(5);
        QCOMPARE(stats.uiDroppedSequence, quint64(3));
        QCOMPARE(stats.lUniverses.at(0).lSources.at(0).uiSequenceErrors, quint64(3));
        QCOMPARE(stats.lUniverses.at(0).lSources.at(0).uiPackets, quint64(3));
    }

    void highestPriorityOwnsAndTiesMergeHtp() {
        Rig rig;
        rig.send(1, QByteArray::fromHex("1080"), 0, 100);
        rig.send(2, QByteArray::fromHex("4020"), 0, 100);
        rig.start();
        QCOMPARE(rig.take(), QByteArray::fromHex("4080"));
        QCOMPARE(rig.stats(0).lUniverses.at(0).ownership, UniverseOwnership::MergeHtp);
        // A shorter packet ends the source's slots: its earlier third level is gone.
        rig.send(2, QByteArray::fromHex("402099"), 0, 100);
        rig.send(1, QByteArray::fromHex("108000"), 0, 100);
        rig.send(2, QByteArray::fromHex("4020"), 0, 100);
        QCOMPARE(rig.take(), QByteArray::fromHex("408000"));
        // The owner drives the whole universe: the lower sources' longer packets never show
        // through past the owner's last slot.
        rig.send(3, QByteArray::fromHex("0101"), 0, 101);
        rig.tick(w);
        QCOMPARE(rig.take(), QByteArray::fromHex("010100"));
        rig.send(1, QByteArray::fromHex("108030"), w, 100);
        QCOMPARE(rig.take(), QByteArray::fromHex("010100"));
        const UniverseStats u = rig.stats(w).lUniverses.at(0);
        QCOMPARE(u.ownership, UniverseOwnership::Single);
        QCOMPARE(u.iPriority, 101);
        QCOMPARE(u.lSources.at(u.iOwnerIndex).cid, cidOf(3));
        QCOMPARE(u.iLiveSources, 3);
    }

    void silentSourceLeavesAfter2500ms() {
        Rig rig;
        rig.send(1, "\x10", 0, 100);
        rig.send(2, "\x20", 0, 150);
        rig.send(1, "\x10", 2499, 100);
        QCOMPARE(rig.take(), QByteArray("\x20"));
        rig.send(1, "\x10", 2500, 100);
        QCOMPARE(rig.take(), QByteArray("\x20"));
        rig.send(1, "\x10", 2501, 100);
        QCOMPARE(rig.take(), QByteArray("\x10"));
        QCOMPARE(rig.merger.stats(2501).lUniverses.at(0).iLiveSources, 1);
        // The last source gone: nothing is written, the universe keeps its look.
        QCOMPARE(rig.merger.stats(6000).lUniverses.at(0).ownership, UniverseOwnership::None);
    }

    void previewAndOverPriorityNeverShownTerminatedLeavesAtOnce() {
        Rig rig;
        rig.send(1, "\x77", 0, 200, -1, e131::optionPreviewData);
        QCOMPARE(rig.take(), QByteArray("none"));
        QCOMPARE(rig.merger.stats(0).uiDroppedPreview, quint64(1));
        // Priorities run to 200: 201 is malformed, never shown, counted.
        rig.send(3, "\x66", 0, 201);
        QCOMPARE(rig.take(), QByteArray("none"));
        QCOMPARE(rig.merger.stats(0).uiDroppedPriority, quint64(1));
        rig.send(1, "\x10", 0, 100);
        rig.send(2, "\x20", 0, 150);
        rig.start();
        rig.send(2, "\x99", 1, 150, -1, e131::optionStreamTerminated); // its levels ignored
        QCOMPARE(rig.take(), QByteArray("\x10"));
        rig.send(1, "\x99", 2, 100, -1, e131::optionStreamTerminated);
        QCOMPARE(rig.take(), QByteArray("none"));
        QCOMPARE(rig.stats(2).lUniverses.at(0).iLiveSources, 0);
    }

    void seventeenthSourceIsCountedAndIgnored() {
        Rig rig;
        for (int n = 1; n <= 16; ++n)
            rig.send(n, "\x01", 0, 100);
        rig.send(17, "\xFF", 0, 200);
        rig.start();
        QCOMPARE(rig.take(), QByteArray("\x01"));
        QCOMPARE(rig.merger.stats(0).uiDroppedSourceLimit, quint64(1));
        QCOMPARE(rig.merger.stats(0).lUniverses.at(0).iLiveSources, 16);
        rig.send(16, "\x01", 1, 100, -1, e131::optionStreamTerminated);
        rig.send(17, "\xFF", 2, 200);
        rig.tick(2 + w);
        QCOMPARE(rig.take(), QByteArray("\xFF"));
    }

    void perAddressPriorityDecidesEachSlot() {
        Rig rig;
        // Slot 1 not sourced by source 1 (0), slot 2 above source 2, slot 3 below it.
        rig.send(1, QByteArray::fromHex("009632"), 0, 100, -1, 0,
                 e131::perAddressPriorityStartCode);
        rig.send(1, QByteArray::fromHex("112299"), 0, 100);
        rig.send(2, QByteArray::fromHex("445566"), 0, 100);
        rig.tick(t);
        QCOMPARE(rig.take(), QByteArray::fromHex("442266"));
        QCOMPARE(rig.merger.stats(0).lUniverses.at(0).ownership, UniverseOwnership::PerAddress);
        // No 0xDD for more than 2.5 s: back to the universe priority, merged HTP.
        rig.send(1, QByteArray::fromHex("112299"), 2400, 100);
        rig.send(2, QByteArray::fromHex("445566"), 2400, 100);
        rig.send(1, QByteArray::fromHex("112299"), 2501, 100);
        QCOMPARE(rig.take(), QByteArray::fromHex("445599"));
    }

    void synchronisedDataWaitsForItsSyncPacket() {
        Rig rig;
        E131PacketBuilder b;
        b.levels = "\x01";
        b.syncAddress = 7;
        rig.feed(b.build(), 0); // no sync seen yet: shown at once
        rig.start();
        QCOMPARE(rig.take(), QByteArray("\x01"));
        rig.feed(e131SyncPacket(7, 1), 10);
        b.levels = "\x02";
        rig.feed(b.build(), 20);
        rig.feed(e131SyncPacket(8, 2), 25); // another address releases nothing
        QCOMPARE(rig.take(), QByteArray("none"));
        rig.feed(e131SyncPacket(7, 3), 30);
        QCOMPARE(rig.take(), QByteArray("\x02"));
        QCOMPARE(rig.stats(30).lUniverses.at(0).uiSyncAddress, quint16(7));
        // Sync lost for more than 2.5 s while the data goes on: held unless
        // Force_Synchronization is set.
        b.levels = "\x03";
        rig.feed(b.build(), 1500);
        rig.feed(b.build(), 2531);
        QCOMPARE(rig.take(), QByteArray("none"));
        b.options = e131::optionForceSynchronization;
        rig.feed(b.build(), 2532);
        QCOMPARE(rig.take(), QByteArray("\x03"));
    }

    void lowerUnsynchronisedSourceNeverReleasesSynchronisedData() {
        Rig rig;
        E131PacketBuilder s;
        s.priority = 190;
        s.syncAddress = 7;
        rig.feed(s.build(), 0);
        rig.feed(e131SyncPacket(7, 1), 10);
        s.levels = "\x02";
        rig.feed(s.build(), 20);
        rig.send(1, "\x66", 25, 100);
        rig.start(); // merged with what s showed before
        QCOMPARE(rig.take(), QByteArray(512, '\0'));
        QCOMPARE(rig.merger.stats(25).lUniverses.at(0).uiSyncAddress, quint16(7));
        rig.feed(e131SyncPacket(7, 2), 30);
        QCOMPARE(rig.take(), QByteArray("\x02"));
    }

    void discoveryIsKeptPerSourceNeverPainted() {
        Rig rig;
        rig.send(1, "\x01", 0);
        rig.take();
        rig.feed(e131DiscoveryPacket({1, 2, 300}, 0, 0, cidOf(1)), 1);
        QCOMPARE(rig.take(), QByteArray("none"));
        const SourceStats source = rig.merger.stats(1).lUniverses.at(0).lSources.at(0);
        QCOMPARE(source.lAnnouncedUniverses, QList<quint16>({1, 2, 300}));
        QCOMPARE(source.address, QHostAddress(QStringLiteral("10.0.0.1")));
        QCOMPARE(source.sName, QStringLiteral("test source"));
    }

    void firstLookIsTheOwnersAndLateSourcesWaitForSlotPriorities() {
        Rig rig;
        rig.send(1, QByteArray::fromHex("1010"), 0, 50);
        rig.send(2, QByteArray::fromHex("2020"), 200, 150);
        rig.tick(t - 1);
        rig.tick(t);
        // Levels first, slot priorities 300 ms later: it never drives slot 1, which it leaves.
        rig.send(3, QByteArray::fromHex("9999"), t + 100, 150);
        rig.tick(t + 300);
        rig.send(3, QByteArray::fromHex("00c8"), t + 400, 150, -1, 0, 0xDD);
        QCOMPARE(rig.looks, QList<QByteArray>({QByteArray::fromHex("2020"), "\x20\x99"}));
    }

    void cablePullChangesTheLookOnce() {
        Rig rig;
        for (qint64 now = 0; now <= 4000; now += 5) {
            if (now <= 1000 && now % 50 == 0)
                rig.send(1, "\x30", now, 150);
            if (now <= 1010 && now % 50 == 10)
                rig.send(2, "\x20", now, 120);
            rig.send(3, "\x10", now, 100);
            rig.tick(now);
        }
        QCOMPARE(rig.looks, QList<QByteArray>({"\x30", "\x10"}));
    }

    void universeThatStaysKeepsItsSourcesAnAddedOneSamples() {
        Rig rig;
        rig.send(1, "\x11", 0);
        rig.tick(t);
        rig.merger.configure(1, 5, t);
        rig.send(1, "\x12", t + 1);
        E131PacketBuilder added;
        added.universe = 5;
        rig.feed(added.build(), t);
        rig.tick(2 * t - 1);
        QCOMPARE(rig.looks, QList<QByteArray>({"\x11", "\x12"}));
        QVERIFY(!rig.written.contains(4));
        rig.tick(2 * t);
        QVERIFY(rig.written.contains(4));
    }

    void otherUniversesAndInvalidPacketsAreCounted() {
        Rig rig;
        E131PacketBuilder b;
        b.universe = 5; // outside the four configured
        rig.feed(b.build(), 0);
        QVERIFY(rig.written.isEmpty());
        QByteArray bad = b.build();
        bad[117] = 0x03; // DMP vector
        rig.feed(bad, 0);
        QCOMPARE(rig.merger.stats(0).uiDroppedInvalid, quint64(1));
        QVERIFY(rig.merger.stats(0).lUniverses.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSacnMerger)
#include "tst_sacnmerger.moc"
