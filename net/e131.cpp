#include "net/e131.h"

#include "net/bytereader.h"

#include <algorithm>
#include <array>

namespace e131 {

namespace {

constexpr std::array<quint8, 12> packetIdentifier = {'A', 'S', 'C', '-', 'E', '1',
                                                     '.', '1', '7', 0,   0,   0};

// Only fields inside the checked header are read.
using bytereader::u16be;
using bytereader::u32be;

} // namespace

DataPacket parseDataPacket(std::span<const quint8> datagram) {
    DataPacket packet;
    const std::span<const quint8> bytes =
        datagram.first(std::min(datagram.size(), size_t(maxPacketLength)));
    if (bytes.size() < size_t(headerLength))
        return packet;
    if (u16be(bytes, 0) != 0x0010) {
        packet.status = Status::BadPreamble;
        return packet;
    }
    if (u16be(bytes, 2) != 0x0000) {
        packet.status = Status::BadPostamble;
        return packet;
    }
    if (!std::equal(packetIdentifier.begin(), packetIdentifier.end(), bytes.begin() + 4)) {
        packet.status = Status::BadIdentifier;
        return packet;
    }
    // The low twelve bits are the root PDU length, which the receiver does not rely on.
    if ((bytes[16] >> 4) != 0x7) {
        packet.status = Status::BadRootFlags;
        return packet;
    }
    if (u32be(bytes, 18) != 0x00000004) {
        packet.status = Status::BadRootVector;
        return packet;
    }
    packet.status = Status::Ok;
    packet.universe = u16be(bytes, 113);
    packet.propertyValueCount = u16be(bytes, 123);
    packet.startCode = bytes[125];
    // A sender that states more slots than it sent gets only what it sent: the missing ones
    // must not reach the frame as zeros.
    const size_t stated = packet.propertyValueCount == 0 ? 0 : packet.propertyValueCount - 1u;
    const size_t slotCount = std::min({stated, size_t(512), bytes.size() - headerLength});
    packet.slotData = bytes.subspan(headerLength, slotCount);
    return packet;
}

quint32 multicastGroup(quint32 universe) {
    if (universe < 1 || universe > maxUniverse)
        return 0;
    return (239u << 24) | (255u << 16) | universe;
}

} // namespace e131
