#include "net/framestore.h"

#include <QtTest>

#include <array>
#include <atomic>
#include <thread>

using Writer = FrameStore::Writer;

class TestFrameStore : public QObject {
    Q_OBJECT

private slots:
    void universesLandAtTheirSlots() {
        // 20 x 10 RGB at 510 channels per universe: 600 bytes, two universes.
        FrameStore store;
        store.allocate(600, 510);
        QCOMPARE(store.universeCount(), 2u);
        std::array<quint8, 512> data;
        data.fill(7);
        QCOMPARE(store.writeUniverse(0, data, Writer::ArtNet), 510);
        data.fill(9);
        QCOMPARE(store.writeUniverse(1, data, Writer::Sacn), 90); // cut at the end
        QCOMPARE(store.writeUniverse(2, data, Writer::Sacn), 0);
        QByteArray frame;
        QVERIFY(store.snapshot(frame));
        QCOMPARE(frame.size(), 600);
        QCOMPARE(quint8(frame[509]), quint8(7));
        QCOMPARE(quint8(frame[510]), quint8(9));
        QCOMPARE(quint8(frame[599]), quint8(9));
        QVERIFY(!store.snapshot(frame));
    }

    void shortUniverseAndSlotWidth() {
        FrameStore store;
        store.allocate(100, 100); // mono 10 x 10, one universe
        std::array<quint8, 512> data;
        data.fill(1);
        QCOMPARE(store.writeUniverse(0, data, Writer::ArtNet), 100);
        QCOMPARE(store.writeUniverse(0, std::span(data).first(24), Writer::ArtNet), 24);
        store.allocate(1024, 1000); // capped at 512
        QCOMPARE(store.channelsPerUniverse(), quint16(512));
        QCOMPARE(store.universeCount(), 2u);
    }

    // Start address 3, RGB cells, three channels per universe: each slot begins with the
    // universe's channel 3.
    void slotsBeginAtTheStartAddress() {
        const std::array<quint8, 6> universe{0x01, 0x02, 0x03, 0x04, 0x05, 0x06}; // channels 1-6
        QCOMPARE(channelsFrom(universe, 3).front(), quint8(0x03));
        QCOMPARE(channelsFrom(universe, 6).size(), 1u);
        QVERIFY(channelsFrom(universe, 7).empty());
        FrameStore store;
        store.allocate(6, 3); // two cells, one per universe
        store.setStartAddress(3);
        QCOMPARE(store.writeUniverse(0, universe, Writer::ArtNet), 3);
        QCOMPARE(store.writeUniverse(1, std::span(universe).first(4), Writer::Sacn), 2);
        QCOMPARE(store.writeUniverse(1, std::span(universe).first(2), Writer::Sacn), 0);
        QByteArray frame;
        QVERIFY(store.snapshot(frame));
        QCOMPARE(frame, QByteArray::fromHex("030405" // cell 0: channels 3, 4, 5 of universe 1
                                            "030400" // cell 1: channels 3, 4 of universe 2
                                            ));
    }

    // Sent once, as a console that sends only on change does: a new start address must move
    // the picture at once, and only where something was received.
    void startAddressChangeRederivesAtOnce() {
        FrameStore store;
        store.allocate(18, 6); // three universes of two RGB cells
        const std::array<quint8, 8> u0{0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18}; // 1-8
        const std::array<quint8, 4> u1{0x21, 0x22, 0x23, 0x24}; // channels 1-4 only
        store.writeUniverse(0, u0, Writer::ArtNet);
        store.writeUniverse(1, u1, Writer::Sacn);
        store.modify(Writer::Engine, [](std::span<quint8> frame) { frame[17] = 0xEE; });
        QByteArray frame;
        store.snapshot(frame);
        int notified = 0;
        store.setChangeListener([&notified] { ++notified; });
        store.setStartAddress(3);
        QVERIFY(store.snapshot(frame));
        QCOMPARE(notified, 1);
        QCOMPARE(frame, QByteArray::fromHex("131415161718" // universe 0: channels 3-8
                                            "232400000000" // universe 1: channels 3, 4
                                            "0000000000ee" // never received: left alone
                                            ));
        store.setStartAddress(3); // unchanged: nothing to paint
        QVERIFY(!store.snapshot(frame));
        store.setStartAddress(1);
        store.snapshot(frame);
        QCOMPARE(frame, QByteArray::fromHex("111213141516" // universe 0: channels 1-6
                                            "212223240000" // universe 1: channels 1-4
                                            "0000000000ee"));
        // The received copy moves with its universe: after a relayout that starts at universe
        // 1, slot 0 derives from universe 1's channels.
        store.relayout(12, 6, 1);
        store.setStartAddress(2);
        store.snapshot(frame);
        QCOMPARE(frame, QByteArray::fromHex("222324000000" // universe 1: channels 2-4
                                            "0000000000ee"));
        QCOMPARE(notified, 3);
    }

    void zeroChannelsPerUniverseWritesNothing() {
        FrameStore store;
        store.allocate(510, 0);
        QCOMPARE(store.universeCount(), 0u);
        std::array<quint8, 10> data{};
        QCOMPARE(store.writeUniverse(0, data, Writer::ArtNet), 0);
        store.release();
        QCOMPARE(store.length(), 0u);
        QCOMPARE(store.writeUniverse(0, data, Writer::ArtNet), 0);
    }

    void changesReachTheSnapshot() {
        FrameStore store;
        store.allocate(10, 512);
        std::array<quint8, 1> one{5};
        store.writeUniverse(0, one, Writer::Sacn);
        store.modify(Writer::Engine, [](std::span<quint8> bytes) { bytes[9] = 3; });
        QByteArray frame;
        QVERIFY(store.snapshot(frame));
        QCOMPARE(quint8(frame[0]), quint8(5));
        QCOMPARE(quint8(frame[9]), quint8(3));
        store.allocate(10, 512); // a new buffer starts zeroed and unchanged
        QVERIFY(!store.snapshot(frame));
        QCOMPARE(frame, QByteArray(10, '\0'));
    }

    void relayoutKeepsTheUniversesThatStay() {
        FrameStore store;
        store.relayout(8, 4, 1); // universes 1 and 2, four channels each
        const std::array<quint8, 4> u1{1, 2, 3, 4}, u2{5, 6, 7, 8};
        store.writeUniverse(0, u1, Writer::ArtNet);
        store.writeUniverse(1, u2, Writer::ArtNet);
        QByteArray frame;
        store.snapshot(frame);
        store.relayout(8, 4, 1); // same layout: nothing lost, nothing to paint anew
        QVERIFY(!store.snapshot(frame));
        QCOMPARE(frame, QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08", 8));
        // Start at universe 2, three channels each, three universes: 2 keeps its first three
        // bytes, 3 and 4 are new.
        store.relayout(9, 3, 2);
        store.snapshot(frame);
        QCOMPARE(frame, QByteArray("\x05\x06\x07\0\0\0\0\0\0", 9));
        // Back to universe 1, six channels each: 1 is new, 2 keeps three bytes and is cut
        // at the shorter frame.
        store.relayout(8, 6, 1);
        store.snapshot(frame);
        QCOMPARE(frame, QByteArray("\0\0\0\0\0\0\x05\x06", 8));
        store.allocate(8, 6); // allocate always starts from zero
        store.snapshot(frame);
        QCOMPARE(frame, QByteArray(8, '\0'));
    }

    // A writer thread fills whole universes with one value per packet; the reader must never
    // see a universe holding two values (a torn write) and must never miss the last change.
    void noTornFramesUnderConcurrentWrites() {
        FrameStore store;
        store.allocate(512 * 4, 512);
        std::atomic<bool> stop{false};
        std::thread writer([&] {
            std::array<quint8, 512> data;
            quint8 value = 0;
            while (!stop.load()) {
                ++value;
                data.fill(value);
                for (quint32 u = 0; u < 4; ++u)
                    store.writeUniverse(u, data, Writer::Sacn);
            }
            data.fill(0xEE);
            for (quint32 u = 0; u < 4; ++u)
                store.writeUniverse(u, data, Writer::Sacn);
        });
        QByteArray frame;
        for (int i = 0; i < 20000; ++i) {
            store.snapshot(frame);
            for (int u = 0; u < 4; ++u) {
                const char first = frame[u * 512];
                for (int c = 1; c < 512; ++c)
                    QCOMPARE(frame[u * 512 + c], first);
            }
            if (i % 1000 == 0)
                store.allocate(512 * 4, 512); // re-layout while the writer runs
        }
        stop = true;
        writer.join();
        QVERIFY(store.snapshot(frame));
        QCOMPARE(quint8(frame[2047]), quint8(0xEE));
    }
};

QTEST_GUILESS_MAIN(TestFrameStore)
#include "tst_framestore.moc"
