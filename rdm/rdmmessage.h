#pragma once

#include "net/rdmuid.h"

#include <QByteArrayView>
#include <QtGlobal>
#include <array>
#include <span>

// The RDM message as it travels inside ArtRdm: everything from the Sub-START code through the
// checksum, without the START code. The responder works on a fixed image that puts the START
// code back in front, so offsets below count from the START code as ANSI E1.20 does.

namespace RdmMessage {
inline constexpr int imageSize = 257;
// The largest parameter data length ANSI E1.20 allows; it makes a full message fill the
// image exactly (24 header bytes + 231 data bytes + 2 checksum bytes).
inline constexpr int maxPdl = 231;
inline constexpr int headerSize = 24;

inline constexpr int offSubStartCode = 1;
inline constexpr int offMessageLength = 2;
inline constexpr int offDestination = 3;
inline constexpr int offSource = 9;
inline constexpr int offTransaction = 15;
inline constexpr int offPortIdResponseType = 16;
inline constexpr int offMessageCount = 17;
inline constexpr int offSubDevice = 18;
inline constexpr int offCommandClass = 20;
inline constexpr int offPid = 21;
inline constexpr int offPdl = 23;
inline constexpr int offData = 24;
} // namespace RdmMessage

using RdmImage = std::array<quint8, RdmMessage::imageSize>;

// 16-bit sum of the bytes, carries dropped.
quint16 rdmChecksum(std::span<const quint8> bytes);

// Zeroes the image, puts the START code at 0 and copies at most 256 received bytes behind it.
// Returns the message length counting the START code, capped at the image size.
int fillRdmImage(RdmImage &image, QByteArrayView received);

// The header fields of a request image. `data` views the parameter data inside the image and
// is never longer than maxPdl.
struct RdmRequest {
    RdmUid destination;
    RdmUid source;
    quint8 transactionNumber = 0;
    quint8 portId = 0;
    quint16 subDevice = 0;
    quint8 commandClass = 0;
    quint16 pid = 0;
    quint8 pdl = 0;
    std::span<const quint8> data;
};

RdmRequest parseRdmRequest(const RdmImage &image);

enum class RdmCheck {
    Ok,
    ZeroPortId,
    WrongSubStartCode,
    LengthMismatch, // the message length field is not the header plus the PDL
    Truncated,      // the checksum does not lie inside the received bytes
    ChecksumMismatch,
};

struct RdmCheckResult {
    RdmCheck check = RdmCheck::Ok;
    quint16 computed = 0; // filled for ChecksumMismatch
    quint16 received = 0;
};

// The checks made before a request is routed: non-zero port ID, the Sub-START code, a message
// length that agrees with the PDL (so the PDL is at most maxPdl), and a
// checksum that lies inside the received `messageLength` bytes and matches.
RdmCheckResult checkRdmRequest(const RdmImage &image, int messageLength);

// Writes a response to `request` into `out` (START code at 0) and returns the length of the
// response as carried over Art-Net (out[1] onward: 25 + data length, data cut to maxPdl), or 0
// when the request's command class gets no response. Destination and source UID are swapped,
// transaction number and sub-device copied, the command class raised by one.
int buildRdmResponse(RdmImage &out, const RdmRequest &request, quint8 responseType, quint16 pid,
                     std::span<const quint8> data);
int buildAck(RdmImage &out, const RdmRequest &request, quint16 pid, std::span<const quint8> data);
int buildAckOverflow(RdmImage &out, const RdmRequest &request, quint16 pid,
                     std::span<const quint8> data);
int buildNack(RdmImage &out, const RdmRequest &request, quint16 pid, quint16 reason);
