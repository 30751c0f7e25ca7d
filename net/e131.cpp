#include "net/e131.h"

#include "net/bytereader.h"

#include <algorithm>
#include <array>

namespace e131 {

namespace {

constexpr std::array<quint8, 12> packetIdentifier = {'A', 'S', 'C', '-', 'E', '1',
                                                     '.', '1', '7', 0,   0,   0};
constexpr quint32 rootVectorData = 0x00000004;
constexpr quint32 rootVectorExtended = 0x00000008;
constexpr quint32 framingVectorData = 0x00000002;
constexpr quint32 framingVectorSync = 0x00000001;
constexpr quint32 framingVectorDiscovery = 0x00000002;
constexpr quint32 discoveryVectorUniverseList = 0x00000001;

using bytereader::u16be;
using bytereader::u32be;

Status parseData(std::span<const quint8> bytes, DataPacket &packet) {
    if (bytes.size() < size_t(headerLength))
        return Status::TooShort;
    if (u32be(bytes, 40) != framingVectorData)
        return Status::BadFramingVector;
    if (bytes[117] != 0x02)
        return Status::BadDmpVector;
    if (bytes[118] != 0xA1)
        return Status::BadAddressType;
    if (u16be(bytes, 119) != 0)
        return Status::BadFirstAddress;
    if (u16be(bytes, 121) != 1)
        return Status::BadIncrement;
    packet.universe = u16be(bytes, 113);
    if (packet.universe < 1 || packet.universe > maxUniverse)
        return Status::BadUniverse;
    packet.sourceName = bytes.subspan(44, 64);
    packet.priority = bytes[108];
    packet.syncAddress = u16be(bytes, 109);
    packet.sequence = bytes[111];
    packet.options = bytes[112];
    packet.propertyValueCount = u16be(bytes, 123);
    packet.startCode = bytes[125];
    // A sender that states more slots than it sent gets only what it sent: the missing ones
    // must not reach the frame as zeros.
    const size_t stated = packet.propertyValueCount == 0 ? 0 : packet.propertyValueCount - 1u;
    const size_t slotCount = std::min({stated, size_t(512), bytes.size() - headerLength});
    packet.slotData = bytes.subspan(headerLength, slotCount);
    return Status::Ok;
}

Status parseExtended(std::span<const quint8> bytes, DataPacket &packet) {
    const quint32 vector = u32be(bytes, 40);
    if (vector == framingVectorSync) {
        if (bytes.size() < size_t(syncPacketLength))
            return Status::TooShort;
        packet.kind = Kind::Sync;
        packet.sequence = bytes[44];
        packet.syncAddress = u16be(bytes, 45);
        return Status::Ok;
    }
    if (vector != framingVectorDiscovery)
        return Status::BadFramingVector;
    if (bytes.size() < size_t(discoveryHeaderLength))
        return Status::TooShort;
    if (u32be(bytes, 114) != discoveryVectorUniverseList)
        return Status::BadFramingVector;
    packet.kind = Kind::Discovery;
    packet.sourceName = bytes.subspan(44, 64);
    packet.universe = discoveryUniverse;
    packet.page = bytes[118];
    packet.lastPage = bytes[119];
    // The discovery layer's own length bounds the list, as does the datagram.
    const size_t layerEnd = std::min(size_t(112) + (u16be(bytes, 112) & 0x0FFF), bytes.size());
    const size_t listBytes = layerEnd > 120 ? (layerEnd - 120) & ~size_t(1) : 0;
    packet.universeList = bytes.subspan(120, listBytes);
    return Status::Ok;
}

} // namespace

DataPacket parseDataPacket(std::span<const quint8> datagram) {
    DataPacket packet;
    // Discovery pages may be longer than a data packet (512 universes, 1144 bytes).
    const std::span<const quint8> bytes = datagram.first(std::min(datagram.size(), size_t(1144)));
    if (bytes.size() < size_t(syncPacketLength))
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
    packet.cid = bytes.subspan(22, 16);
    const quint32 rootVector = u32be(bytes, 18);
    if (rootVector == rootVectorData)
        packet.status =
            parseData(bytes.first(std::min(bytes.size(), size_t(maxPacketLength))), packet);
    else if (rootVector == rootVectorExtended)
        packet.status = parseExtended(bytes, packet);
    else
        packet.status = Status::BadRootVector;
    return packet;
}

quint32 multicastGroup(quint32 universe) {
    if ((universe < 1 || universe > maxUniverse) && universe != discoveryUniverse)
        return 0;
    return (239u << 24) | (255u << 16) | universe;
}

} // namespace e131
