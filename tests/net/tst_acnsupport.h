#pragma once

#include <QByteArray>
#include <QtEndian>

// Builds an E1.31 data packet field by field, as a sender on the wire lays it out (offsets in
// bytes, multi-byte fields big-endian).
struct E131PacketBuilder {
    quint16 universe = 1;
    quint8 startCode = 0x00;
    QByteArray levels = QByteArray(512, '\0');
    // -1: START code plus the levels actually appended.
    int propertyValueCount = -1;

    QByteArray build() const {
        const int count = propertyValueCount >= 0 ? propertyValueCount : int(levels.size()) + 1;
        const int total = 126 + int(levels.size());
        QByteArray p;
        put16(p, 0x0010);                         // 0: Preamble Size
        put16(p, 0x0000);                         // 2: Post-amble Size
        p.append("ASC-E1.17\0\0\0", 12);          // 4: ACN Packet Identifier
        put16(p, quint16(0x7000 | (total - 16))); // 16: Root flags and length
        put32(p, 0x00000004);                     // 18: Root vector (E1.31 data)
        p.append(QByteArray::fromHex("a5a5a5a5a5a5a5a5a5a5a5a5a5a5a5a5")); // 22: CID
        put16(p, quint16(0x7000 | (total - 38))); // 38: Framing flags and length
        put32(p, 0x00000002);                     // 40: Framing vector (data packet)
        QByteArray source("test source");         // 44: Source Name, 64 bytes
        source.resize(64, '\0');
        p.append(source);
        p.append(char(100));                       // 108: Priority
        put16(p, 0);                               // 109: Synchronization Address
        p.append(char(7));                         // 111: Sequence Number
        p.append(char(0));                         // 112: Options
        put16(p, universe);                        // 113: Universe
        put16(p, quint16(0x7000 | (total - 115))); // 115: DMP flags and length
        p.append(char(0x02));                      // 117: DMP vector (set property)
        p.append(char(0xA1));                      // 118: Address Type and Data Type
        put16(p, 0x0000);                          // 119: First Property Address
        put16(p, 0x0001);                          // 121: Address Increment
        put16(p, quint16(count));                  // 123: Property value count
        p.append(char(startCode));                 // 125: START code
        p.append(levels);                          // 126: DMX slots, slot 1 first
        return p;
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
