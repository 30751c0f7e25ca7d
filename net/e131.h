#pragma once

#include <QtGlobal>

#include <span>

// Streaming ACN (E1.31) data packets as they arrive on UDP port 5568, read over a byte span
// with bounds-checked big-endian reads. Only the root layer is validated; the framing and DMP
// layers are taken as they come (no priority, sequence or option handling).
namespace e131 {

constexpr quint16 port = 5568;
// A DMX slot area follows the fixed header at offset 126; 126 + 512 is the largest packet
// the receiver looks at.
constexpr int headerLength = 126;
constexpr int maxPacketLength = headerLength + 512;
constexpr quint16 maxUniverse = 63999;
constexpr quint8 dmxStartCode = 0x00;

enum class Status : quint8 {
    Ok,
    TooShort,
    BadPreamble,
    BadPostamble,
    BadIdentifier,
    BadRootFlags,
    BadRootVector,
};

struct DataPacket {
    Status status = Status::TooShort;
    quint16 universe = 0;
    // START code plus slots, as the sender states it.
    quint16 propertyValueCount = 0;
    quint8 startCode = 0;
    // The DMX slots, slot 1 first: count - 1, at most 512, cut to the bytes the datagram holds.
    std::span<const quint8> slotData;

    bool ok() const { return status == Status::Ok; }
};

// Reads the first maxPacketLength bytes of `datagram`. The returned slots point into it.
DataPacket parseDataPacket(std::span<const quint8> datagram);

// 239.255.hi.lo for universes 1..63999 (host order); 0 for any other universe.
quint32 multicastGroup(quint32 universe);

} // namespace e131
