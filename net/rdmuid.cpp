#include "net/rdmuid.h"

#include "net/bytereader.h"
#include "net/network.h"

RdmUid RdmUid::fromHardwareAddress(const quint8 hardwareAddress[6]) {
    RdmUid uid;
    uid.device = quint32(hardwareAddress[2]) << 24 | quint32(hardwareAddress[3]) << 16 |
                 quint32(hardwareAddress[4]) << 8 | quint32(hardwareAddress[5]);
    return uid;
}

bool RdmUid::isBroadcastFor(const RdmUid &own) const {
    return device == 0xFFFFFFFFu && (manufacturer == 0xFFFF || manufacturer == own.manufacturer);
}

std::array<quint8, 6> RdmUid::toBytes() const {
    return {quint8(manufacturer >> 8), quint8(manufacturer), quint8(device >> 24),
            quint8(device >> 16),      quint8(device >> 8),  quint8(device)};
}

RdmUid RdmUid::fromBytes(std::span<const quint8, 6> bytes) {
    return {bytereader::u16be(bytes, 0), bytereader::u32be(bytes, 2)};
}

std::optional<RdmUid> announcedRdmUid(const network &net, quint32 requesterAddress) {
    return interfaceRdmUid(net, net.indexForPeer(requesterAddress));
}

std::optional<RdmUid> interfaceRdmUid(const network &net, int index) {
    const std::array<quint8, 6> *hardwareAddress = net.hardwareAddressBytes(index);
    if (!hardwareAddress)
        return std::nullopt;
    return RdmUid::fromHardwareAddress(hardwareAddress->data());
}
