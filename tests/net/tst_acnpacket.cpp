#include "net/e131.h"

#include "tst_acnsupport.h"

#include <QTest>

namespace {

e131::DataPacket parse(const QByteArray &bytes) {
    return e131::parseDataPacket(std::span<const quint8>(
        reinterpret_cast<const quint8 *>(bytes.constData()), size_t(bytes.size())));
}

QByteArray levels(const e131::DataPacket &packet) {
    return QByteArray(reinterpret_cast<const char *>(packet.slotData.data()),
                      qsizetype(packet.slotData.size()));
}

} // namespace

class TestAcnPacket : public QObject {
    Q_OBJECT
private slots:
    void wellFormedPacketFromTheWire() {
        // A captured-style header written out as hex, universe 300 (0x012C), 3 slots.
        const QByteArray wire =
            QByteArray::fromHex("0010"                             // Preamble Size
                                "0000"                             // Post-amble Size
                                "4153432d45312e3137000000"         // "ASC-E1.17" + three zero bytes
                                "7071"                             // Root flags 0x7, length 0x071
                                "00000004"                         // Root vector
                                "0102030405060708090a0b0c0d0e0f10" // CID
                                "705b"                             // Framing flags and length
                                "00000002"                         // Framing vector
                                + QByteArray(64 * 2, '0') +        // Source Name
                                "64"                               // Priority 100
                                "0000"                             // Synchronization Address
                                "2a"                               // Sequence Number
                                "00"                               // Options
                                "012c"                             // Universe 300
                                "7010"                             // DMP flags and length
                                "02"                               // DMP vector
                                "a1"                               // Address Type and Data Type
                                "0000"                             // First Property Address
                                "0001"                             // Address Increment
                                "0004"     // Property value count: START + 3
                                "00"       // START code
                                "ff8001"); // slots 1..3
        QCOMPARE(wire.size(), 129);
        const e131::DataPacket packet = parse(wire);
        QVERIFY(packet.ok());
        QCOMPARE(packet.universe, quint16(300));
        QCOMPARE(packet.propertyValueCount, quint16(4));
        QCOMPARE(packet.startCode, quint8(0));
        QCOMPARE(levels(packet), QByteArray::fromHex("ff8001"));
    }

    void rootLayerChecksInOrder() {
        const QByteArray good = E131PacketBuilder{}.build();
        QVERIFY(parse(good).ok());

        QCOMPARE(parse(good.left(125)).status, e131::Status::TooShort);
        QCOMPARE(parse(QByteArray()).status, e131::Status::TooShort);

        QByteArray bad = good;
        bad[1] = 0x11; // preamble 0x0011
        QCOMPARE(parse(bad).status, e131::Status::BadPreamble);
        bad = good;
        bad[3] = 0x01; // post-amble 0x0001
        QCOMPARE(parse(bad).status, e131::Status::BadPostamble);
        // Any of the twelve identifier bytes, the trailing zeros included.
        for (int i = 4; i < 16; ++i) {
            bad = good;
            bad[i] = char(bad[i] ^ 0x20);
            QCOMPARE(parse(bad).status, e131::Status::BadIdentifier);
        }
        bad = good;
        bad[16] = char((bad[16] & 0x0F) | 0x60); // flags 0x6
        QCOMPARE(parse(bad).status, e131::Status::BadRootFlags);
        bad = good;
        bad[16] = char(0x70); // length bits are not checked
        bad[17] = char(0x00);
        QVERIFY(parse(bad).ok());
        bad = good;
        bad[21] = 0x09; // root vector 0x00000009
        QCOMPARE(parse(bad).status, e131::Status::BadRootVector);
        // A preamble fault is reported before an identifier fault.
        bad = good;
        bad[0] = 0x01;
        bad[4] = 'X';
        QCOMPARE(parse(bad).status, e131::Status::BadPreamble);
    }

    void framingAndDmpLayersAreChecked() {
        const QByteArray good = E131PacketBuilder{}.build();
        struct Case {
            int offset;
            quint8 value;
            e131::Status status;
        };
        const Case cases[] = {
            {43, 0x01, e131::Status::BadFramingVector}, // framing vector 0x00000001
            {117, 0x01, e131::Status::BadDmpVector},    // DMP vector
            {118, 0xA0, e131::Status::BadAddressType},  // address and data type
            {120, 0x01, e131::Status::BadFirstAddress}, // first property address 1
            {122, 0x02, e131::Status::BadIncrement},    // address increment 2
            {114, 0x00, e131::Status::BadUniverse},     // universe 0
        };
        for (const Case &c : cases) {
            QByteArray bad = good;
            bad[c.offset] = char(c.value);
            QCOMPARE(parse(bad).status, c.status);
        }
        E131PacketBuilder builder;
        builder.universe = 64000;
        QCOMPARE(parse(builder.build()).status, e131::Status::BadUniverse);
        // A data packet with the extended root vector is neither sync nor discovery.
        QByteArray bad = good;
        bad[21] = 0x08;
        QCOMPARE(parse(bad).status, e131::Status::BadFramingVector);
    }

    void dataFieldsSyncAndDiscoveryFromTheWire() {
        E131PacketBuilder builder;
        builder.priority = 150;
        builder.syncAddress = 0x1234;
        builder.sequence = 0xFE;
        builder.options = e131::optionPreviewData;
        const QByteArray data = builder.build();
        const e131::DataPacket packet = parse(data);
        QCOMPARE(packet.priority, quint8(150));
        QCOMPARE(packet.syncAddress, quint16(0x1234));
        QCOMPARE(packet.sequence, quint8(0xFE));
        QCOMPARE(packet.options, quint8(0x80));
        QCOMPARE(packet.cid.size(), size_t(16));
        QCOMPARE(packet.cid[0], quint8(0xA5));

        const QByteArray syncBytes = e131SyncPacket(0x0102, 9);
        QCOMPARE(syncBytes.size(), 49);
        const e131::DataPacket sync = parse(syncBytes);
        QVERIFY(sync.ok());
        QCOMPARE(sync.kind, e131::Kind::Sync);
        QCOMPARE(sync.syncAddress, quint16(0x0102));
        QCOMPARE(sync.sequence, quint8(9));
        QCOMPARE(parse(syncBytes.left(48)).status, e131::Status::TooShort);

        const QByteArray discoveryBytes =
            e131DiscoveryPacket({7, 0x1234}, 1, 2, QByteArray(16, char(0x33)));
        const e131::DataPacket discovery = parse(discoveryBytes);
        QVERIFY(discovery.ok());
        QCOMPARE(discovery.kind, e131::Kind::Discovery);
        QCOMPARE(discovery.page, quint8(1));
        QCOMPARE(discovery.lastPage, quint8(2));
        QCOMPARE(discovery.universeList.size(), size_t(4));
        QCOMPARE(discovery.universeList[3], quint8(0x34));
        // A list cut by the datagram keeps only whole universes.
        QCOMPARE(parse(discoveryBytes.left(123)).universeList.size(), size_t(2));
    }

    void slotCountFollowsThePropertyValueCount() {
        E131PacketBuilder builder;
        builder.levels = QByteArray(512, char(0x7F));

        builder.propertyValueCount = 101; // START code plus 100 slots
        QCOMPARE(parse(builder.build()).slotData.size(), size_t(100));
        builder.propertyValueCount = 1; // START code only
        QCOMPARE(parse(builder.build()).slotData.size(), size_t(0));
        builder.propertyValueCount = 0; // malformed: no slots, no underflow
        QCOMPARE(parse(builder.build()).slotData.size(), size_t(0));
        builder.propertyValueCount = 0xFFFF; // capped at 512
        QCOMPARE(parse(builder.build()).slotData.size(), size_t(512));

        // A count larger than the datagram: only the slots that were sent.
        builder.levels = QByteArray(10, char(0x7F));
        builder.propertyValueCount = 513;
        const QByteArray cutBytes = builder.build(); // the slots point into it
        const e131::DataPacket cut = parse(cutBytes);
        QVERIFY(cut.ok());
        QCOMPARE(levels(cut), QByteArray(10, char(0x7F)));

        // Bytes past offset 638 are never looked at.
        builder.levels = QByteArray(700, char(0x55));
        builder.propertyValueCount = 701;
        QCOMPARE(parse(builder.build()).slotData.size(), size_t(512));
    }

    void startCodeAndUniverseAreReported() {
        E131PacketBuilder builder;
        builder.universe = 63999;
        builder.startCode = 0xDD;
        const e131::DataPacket packet = parse(builder.build());
        QVERIFY(packet.ok());
        QCOMPARE(packet.universe, quint16(63999));
        QCOMPARE(packet.startCode, quint8(0xDD));
    }

    void multicastGroupPerUniverse() {
        QCOMPARE(e131::multicastGroup(1), 0xEFFF0001u);     // 239.255.0.1
        QCOMPARE(e131::multicastGroup(300), 0xEFFF012Cu);   // 239.255.1.44
        QCOMPARE(e131::multicastGroup(63999), 0xEFFFF9FFu); // 239.255.249.255
        QCOMPARE(e131::multicastGroup(0), 0u);
        QCOMPARE(e131::multicastGroup(64000), 0u);
        QCOMPARE(e131::multicastGroup(64214), 0xEFFFFAD6u); // 239.255.250.214, discovery
    }
};

QTEST_GUILESS_MAIN(TestAcnPacket)
#include "tst_acnpacket.moc"
