#include "capture/packetlayers.h"

#include "net/bytereader.h"

#include <pcap/dlt.h>

using bytereader::u16be;
using bytereader::u32be;

namespace packetlayers {

namespace {

constexpr quint16 etherTypeIpv4 = 0x0800;
// LINKTYPE_RAW as stored in a file; libpcap normally hands it out as DLT_RAW already.
constexpr int linkTypeRawInFile = 101;

std::optional<Bytes> ipv4After(Bytes frame, size_t headerBytes, quint16 etherType) {
    if (etherType != etherTypeIpv4 || frame.size() < headerBytes)
        return std::nullopt;
    return frame.subspan(headerBytes);
}

std::optional<Bytes> ipv4OfEthernet(Bytes frame) {
    size_t typeAt = 12;
    // 802.1Q, 802.1ad and the older QinQ tag each push the EtherType four bytes on.
    while (frame.size() >= typeAt + 2) {
        const quint16 type = u16be(frame, typeAt);
        if (type != 0x8100 && type != 0x88A8 && type != 0x9100)
            break;
        typeAt += 4;
    }
    if (frame.size() < typeAt + 2)
        return std::nullopt;
    return ipv4After(frame, typeAt + 2, u16be(frame, typeAt));
}

quint16 headerChecksum(Bytes header) {
    quint32 sum = 0;
    for (size_t i = 0; i + 1 < header.size(); i += 2)
        sum += u16be(header, i);
    while (sum > 0xFFFF)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return quint16(~sum);
}

void put16(quint8 *at, quint16 value) {
    at[0] = quint8(value >> 8);
    at[1] = quint8(value);
}

void put32(quint8 *at, quint32 value) {
    put16(at, quint16(value >> 16));
    put16(at + 2, quint16(value));
}

} // namespace

std::optional<Bytes> ipv4OfFrame(int linkType, Bytes frame) {
    switch (linkType) {
    case DLT_EN10MB:
        return ipv4OfEthernet(frame);
    case DLT_LINUX_SLL:
        return ipv4After(frame, 16, u16be(frame, 14));
    case DLT_LINUX_SLL2:
        return ipv4After(frame, 20, u16be(frame, 0));
    case DLT_RAW:
    case DLT_IPV4:
    case linkTypeRawInFile:
        return frame;
    default:
        return std::nullopt;
    }
}

std::optional<Ipv4> parseIpv4(Bytes packet) {
    if (packet.size() < 20 || packet[0] >> 4 != 4)
        return std::nullopt;
    const size_t headerBytes = size_t(packet[0] & 0x0F) * 4;
    const size_t totalBytes = u16be(packet, 2);
    const quint16 fragment = u16be(packet, 6);
    const bool moreFragments = (fragment & 0x2000) != 0;
    if (headerBytes < 20 || totalBytes < headerBytes || totalBytes > packet.size() ||
        moreFragments || (fragment & 0x1FFF) != 0)
        return std::nullopt;
    Ipv4 result;
    result.protocol = packet[9];
    result.source = u32be(packet, 12);
    result.destination = u32be(packet, 16);
    result.payload = packet.subspan(headerBytes, totalBytes - headerBytes);
    return result;
}

std::optional<Udp> parseUdp(Bytes segment) {
    const size_t length = u16be(segment, 4);
    if (segment.size() < 8 || length < 8 || length > segment.size())
        return std::nullopt;
    return Udp{u16be(segment, 0), u16be(segment, 2), segment.subspan(8, length - 8)};
}

std::array<quint8, ipv4UdpHeaderBytes> ipv4UdpHeader(quint32 source, quint16 sourcePort,
                                                     quint32 destination, quint16 destinationPort,
                                                     size_t payloadBytes) {
    std::array<quint8, ipv4UdpHeaderBytes> h{};
    h[0] = 0x45;
    put16(&h[2], quint16(ipv4UdpHeaderBytes + payloadBytes));
    put16(&h[6], 0x4000); // don't fragment
    h[8] = 64;
    h[9] = protocolUdp;
    put32(&h[12], source);
    put32(&h[16], destination);
    put16(&h[10], headerChecksum(Bytes(h.data(), 20)));
    put16(&h[20], sourcePort);
    put16(&h[22], destinationPort);
    put16(&h[24], quint16(8 + payloadBytes));
    return h;
}

} // namespace packetlayers
