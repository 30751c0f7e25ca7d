#pragma once

#include <QtGlobal>

#include <array>
#include <cstddef>
#include <optional>
#include <span>

// The layers under a captured UDP datagram, read and written by hand: captures come from
// anywhere, so every reader checks each length against the bytes that are really there.
namespace packetlayers {

using Bytes = std::span<const quint8>;

struct Ipv4 {
    quint32 source = 0;
    quint32 destination = 0;
    quint8 protocol = 0;
    Bytes payload;
};

struct Udp {
    quint16 sourcePort = 0;
    quint16 destinationPort = 0;
    Bytes payload;
};

constexpr quint8 protocolUdp = 17;

// The IPv4 packet inside a captured frame of libpcap link type `linkType` (DLT_EN10MB with any
// number of 802.1Q / 802.1ad tags, DLT_LINUX_SLL, DLT_LINUX_SLL2, DLT_RAW, DLT_IPV4); none for
// other network protocols and other link types.
std::optional<Bytes> ipv4OfFrame(int linkType, Bytes frame);

// None unless a whole, unfragmented IPv4 packet: a fragment holds a datagram's bytes in pieces,
// and a later fragment no UDP header at all. Bytes beyond the total length (Ethernet padding)
// are left out of the payload.
std::optional<Ipv4> parseIpv4(Bytes packet);

std::optional<Udp> parseUdp(Bytes segment);

constexpr size_t ipv4UdpHeaderBytes = 28;

// The IPv4 header (checksum filled in, no options) and UDP header (checksum 0, which IPv4
// allows) in front of a payload of `payloadBytes`. Addresses in host order.
std::array<quint8, ipv4UdpHeaderBytes> ipv4UdpHeader(quint32 source, quint16 sourcePort,
                                                     quint32 destination, quint16 destinationPort,
                                                     size_t payloadBytes);

} // namespace packetlayers
