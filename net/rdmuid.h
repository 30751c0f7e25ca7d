#pragma once

#include <QtGlobal>

#include <array>
#include <optional>
#include <span>

class network;

// An RDM device UID: 16-bit manufacturer ID and 32-bit device ID.
struct RdmUid {
    quint16 manufacturer = 0;
    quint32 device = 0;

    bool operator==(const RdmUid &) const = default;

    // The UID a node announces for one interface: manufacturer 0x0000 and the low four bytes
    // of that interface's hardware address.
    static RdmUid fromHardwareAddress(const quint8 hardwareAddress[6]);
    // True for FFFF:FFFFFFFF and for the broadcast to every device of `own`'s manufacturer.
    bool isBroadcastFor(const RdmUid &own) const;
    // The six bytes as they travel, manufacturer first, each field big-endian.
    std::array<quint8, 6> toBytes() const;
    static RdmUid fromBytes(std::span<const quint8, 6> bytes);
};

// The UID announced in ArtTodData to a controller at `requesterAddress` (host order), and the
// one its ArtRdm requests are answered as: derived from the hardware address of the first
// interface whose subnet holds the controller; nothing when no interface does. Allocates
// nothing, as it runs for every ArtTodRequest and ArtRdm.
std::optional<RdmUid> announcedRdmUid(const network &net, quint32 requesterAddress);
// The same for the interface record `index` (network::indexForPeer), for a caller that needs
// the index too; nothing for -1.
std::optional<RdmUid> interfaceRdmUid(const network &net, int index);
