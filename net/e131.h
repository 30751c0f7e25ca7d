#pragma once

#include <QtGlobal>

#include <span>

// Streaming ACN (E1.31) packets as they arrive on UDP port 5568, read over a byte span with
// bounds-checked big-endian reads. Every layer of a data, synchronisation or universe
// discovery packet is validated; what the packet asks of the receiver (priority, sequence,
// options) is left to the merger.
namespace e131 {

constexpr quint16 port = 5568;
// A DMX slot area follows the fixed header at offset 126; 126 + 512 is the largest packet
// the receiver looks at.
constexpr int headerLength = 126;
constexpr int maxPacketLength = headerLength + 512;
constexpr int syncPacketLength = 49;
// Root and framing layers plus the discovery layer header; the universe list follows.
constexpr int discoveryHeaderLength = 120;
constexpr quint16 maxUniverse = 63999;
// Universe and per-address priorities run 0 ... 200; anything above is malformed.
constexpr quint8 maxPriority = 200;
constexpr quint16 discoveryUniverse = 64214;
constexpr quint8 dmxStartCode = 0x00;
constexpr quint8 perAddressPriorityStartCode = 0xDD;

constexpr quint8 optionPreviewData = 0x80;
constexpr quint8 optionStreamTerminated = 0x40;
constexpr quint8 optionForceSynchronization = 0x20;

enum class Status : quint8 {
    Ok,
    TooShort,
    BadPreamble,
    BadPostamble,
    BadIdentifier,
    BadRootFlags,
    BadRootVector,
    BadFramingVector,
    BadDmpVector,
    BadAddressType,
    BadFirstAddress,
    BadIncrement,
    BadUniverse,
};

enum class Kind : quint8 { Data, Sync, Discovery };

struct DataPacket {
    Status status = Status::TooShort;
    Kind kind = Kind::Data;
    // Sender's component identifier, 16 bytes (all packet kinds).
    std::span<const quint8> cid;
    // 64 bytes, zero-padded UTF-8 (data and discovery).
    std::span<const quint8> sourceName;
    quint8 priority = 0;
    // Data: the address the frame waits for; Sync: the address being released.
    quint16 syncAddress = 0;
    quint8 sequence = 0;
    quint8 options = 0;
    quint16 universe = 0;
    // START code plus slots, as the sender states it.
    quint16 propertyValueCount = 0;
    quint8 startCode = 0;
    // The DMX slots, slot 1 first: count - 1, at most 512, cut to the bytes the datagram holds.
    std::span<const quint8> slotData;
    // Discovery: page, last page and the big-endian universe list of this page.
    quint8 page = 0;
    quint8 lastPage = 0;
    std::span<const quint8> universeList;

    bool ok() const { return status == Status::Ok; }
};

// Reads the first maxPacketLength bytes of `datagram`. The returned spans point into it.
DataPacket parseDataPacket(std::span<const quint8> datagram);

// 239.255.hi.lo for universes 1..63999 and the discovery universe (host order); 0 otherwise.
quint32 multicastGroup(quint32 universe);

} // namespace e131
