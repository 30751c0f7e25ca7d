#pragma once

#include <QByteArray>
#include <QList>
#include <QtEndian>

#include <atomic>

// Builds an E1.31 data packet field by field, as a sender on the wire lays it out (offsets in
// bytes, multi-byte fields big-endian).
struct E131PacketBuilder {
    quint16 universe = 1;
    quint8 startCode = 0x00;
    QByteArray levels = QByteArray(512, '\0');
    // -1: START code plus the levels actually appended.
    int propertyValueCount = -1;
    QByteArray cid = QByteArray::fromHex("a5a5a5a5a5a5a5a5a5a5a5a5a5a5a5a5");
    quint8 priority = 100;
    quint16 syncAddress = 0;
    // -1: one more than the previous packet built, so a stream is never out of order.
    int sequence = -1;
    quint8 options = 0;

    QByteArray build() const {
        const int count = propertyValueCount >= 0 ? propertyValueCount : int(levels.size()) + 1;
        const int total = 126 + int(levels.size());
        QByteArray p;
        put16(p, 0x0010);                         // 0: Preamble Size
        put16(p, 0x0000);                         // 2: Post-amble Size
        p.append("ASC-E1.17\0\0\0", 12);          // 4: ACN Packet Identifier
        put16(p, quint16(0x7000 | (total - 16))); // 16: Root flags and length
        put32(p, 0x00000004);                     // 18: Root vector (E1.31 data)
        p.append(cid);                            // 22: CID
        put16(p, quint16(0x7000 | (total - 38))); // 38: Framing flags and length
        put32(p, 0x00000002);                     // 40: Framing vector (data packet)
        QByteArray source("test source");         // 44: Source Name, 64 bytes
        source.resize(64, '\0');
        p.append(source);
        p.append(char(priority));                                    // 108: Priority
        put16(p, syncAddress);                                       // 109: Synchronization Address
        p.append(char(sequence >= 0 ? sequence : ++nextSequence())); // 111: Sequence Number
        p.append(char(options));                                     // 112: Options
        put16(p, universe);                                          // 113: Universe
        put16(p, quint16(0x7000 | (total - 115)));                   // 115: DMP flags and length
        p.append(char(0x02));      // 117: DMP vector (set property)
        p.append(char(0xA1));      // 118: Address Type and Data Type
        put16(p, 0x0000);          // 119: First Property Address
        put16(p, 0x0001);          // 121: Address Increment
        put16(p, quint16(count));  // 123: Property value count
        p.append(char(startCode)); // 125: START code
        p.append(levels);          // 126: DMX slots, slot 1 first
        return p;
    }

    static std::atomic<quint8> &nextSequence() {
        static std::atomic<quint8> next = 0;
        return next;
    }
    static void put16(QByteArray &p, quint16 v) {
        p.append(char(v >> 8));
        p.append(char(v & 0xFF));
    }
    static void put32(QByteArray &p, quint32 v) {
        put16(p, quint16(v >> 16));
        put16(p, quint16(v & 0xFFFF));
    }
};

// An E1.31 synchronization packet (root vector 8, framing vector 1), 49 bytes.
inline QByteArray e131SyncPacket(quint16 syncAddress, quint8 sequence,
                                 const QByteArray &cid = QByteArray(16, char(0x5C))) {
    QByteArray p;
    E131PacketBuilder::put16(p, 0x0010);      // 0: Preamble Size
    E131PacketBuilder::put16(p, 0x0000);      // 2: Post-amble Size
    p.append("ASC-E1.17\0\0\0", 12);          // 4: ACN Packet Identifier
    E131PacketBuilder::put16(p, 0x7000 | 33); // 16: Root flags and length
    E131PacketBuilder::put32(p, 0x00000008);  // 18: Root vector (extended)
    p.append(cid);                            // 22: CID
    E131PacketBuilder::put16(p, 0x7000 | 11); // 38: Framing flags and length
    E131PacketBuilder::put32(p, 0x00000001);  // 40: Framing vector (synchronization)
    p.append(char(sequence));                 // 44: Sequence Number
    E131PacketBuilder::put16(p, syncAddress); // 45: Synchronization Address
    E131PacketBuilder::put16(p, 0);           // 47: Reserved
    return p;
}

// An E1.31 universe discovery packet, one page listing `universes`.
inline QByteArray e131DiscoveryPacket(const QList<quint16> &universes, quint8 page, quint8 lastPage,
                                      const QByteArray &cid) {
    const int total = 120 + 2 * int(universes.size());
    QByteArray p;
    E131PacketBuilder::put16(p, 0x0010);                         // 0: Preamble Size
    E131PacketBuilder::put16(p, 0x0000);                         // 2: Post-amble Size
    p.append("ASC-E1.17\0\0\0", 12);                             // 4: Packet Identifier
    E131PacketBuilder::put16(p, quint16(0x7000 | (total - 16))); // 16: Root flags, length
    E131PacketBuilder::put32(p, 0x00000008);                     // 18: Root vector
    p.append(cid);                                               // 22: CID
    E131PacketBuilder::put16(p, quint16(0x7000 | (total - 38))); // 38: Framing flags, length
    E131PacketBuilder::put32(p, 0x00000002);                     // 40: Framing vector
    QByteArray source("announcer");                              // 44: Source Name
    source.resize(64, '\0');
    p.append(source);
    E131PacketBuilder::put32(p, 0);                               // 108: Reserved
    E131PacketBuilder::put16(p, quint16(0x7000 | (total - 112))); // 112: Discovery flags, length
    E131PacketBuilder::put32(p, 0x00000001);                      // 114: Universe list vector
    p.append(char(page));                                         // 118: Page
    p.append(char(lastPage));                                     // 119: Last Page
    for (quint16 universe : universes)                            // 120: Universes, ascending
        E131PacketBuilder::put16(p, universe);
    return p;
}
