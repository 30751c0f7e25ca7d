#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>
#include <span>
#include <vector>

// Art-Net (protocol revision 14) packets as this node reads and writes them. Parsers take the
// datagram as received and read every field through bounds-checked accessors, so a short
// datagram reads as if padded with zeros; builders write into a zeroed QByteArray.
namespace artnetpackets {

constexpr quint16 udpPort = 6454;
constexpr quint16 protocolVersion = 14;
constexpr qsizetype minimumDatagram = 13;
constexpr int maxSlots = 512;

enum class OpCode : quint16 {
    Poll = 0x2000,
    PollReply = 0x2100,
    DataRequest = 0x2700,
    DataReply = 0x2800,
    Dmx = 0x5000,
    Sync = 0x5200,
    Address = 0x6000,
    TodRequest = 0x8000,
    TodData = 0x8100,
    TodControl = 0x8200,
    Rdm = 0x8300,
    TimeCode = 0x9700,
};

using Bytes = std::span<const quint8>;

// The OpCode of a datagram that is at least 13 bytes long and starts with "Art-Net\0";
// nothing for anything else.
std::optional<quint16> opCodeOf(Bytes datagram);
// ProtVer, high byte first; a datagram too short to carry it reads as 0. Packets from before
// Art-Net 4 (below protocolVersion) are not taken, but for ArtPoll, which is still answered.
quint16 protocolVersionOf(Bytes datagram);

// ---- received ------------------------------------------------------------------------------

struct Poll {
    quint8 talkToMe = 0;
    // Targeted mode: only nodes with a Port-Address from bottom to top (inclusive) answer.
    quint16 targetTop = 0;
    quint16 targetBottom = 0;
    // TalkToMe bit 2: the poller wants the reply on the directed broadcast address.
    bool replyToBroadcast() const { return talkToMe & 0x04; }
    // Flags bit 1: send ArtPollReply whenever the node's conditions change.
    bool replyOnChange() const { return talkToMe & 0x02; }
    // Flags bit 5.
    bool targeted() const { return talkToMe & 0x20; }
    // Whether a poll reply announcing `count` ports from `portAddress` is wanted.
    bool wants(quint16 portAddress, quint8 count) const;
};
// An ArtPoll from before Art-Net 4 ends at Priority: its target fields read as zero.
Poll parsePoll(Bytes datagram);

struct Dmx {
    // SubUni as the low byte, Net's 7 bits above it: a Port-Address has 15 bits.
    quint16 portAddress = 0;
    // The Length field, 512 at most; slots the datagram does not carry read as 0.
    quint16 slotCount = 0;
    // 0: the sender does not number its packets.
    quint8 sequence = 0;
    // Length is even, 2 ... 512, and the datagram carries that many slots.
    bool lengthValid = false;
    std::array<quint8, maxSlots> levels{};
    Bytes data() const { return Bytes(levels.data(), slotCount); }
};
// Fills `out` in place so the 512-byte slot array is not copied per packet.
void parseDmx(Bytes datagram, Dmx &out);

enum class LedCommand : quint8 { Normal = 0x02, Mute = 0x03, Locate = 0x04 };
// The ArtAddress Command byte when it is one of the indicator commands; every other field of
// ArtAddress is ignored by this node.
std::optional<LedCommand> parseAddressLedCommand(Bytes datagram);

// ArtAddress merge commands; Port is 0-3 within the reply the BindIndex names.
constexpr quint8 acCancelMerge = 0x01;
constexpr quint8 acMergeLtp0 = 0x10;
constexpr quint8 acMergeHtp0 = 0x50;
// ArtAddress fail-safe commands: hold, zero, full and scene in FailSafeState order, then
// "record the current look as the scene".
constexpr quint8 acFailHold = 0x08;
constexpr quint8 acFailScene = 0x0B;
constexpr quint8 acFailRecord = 0x0C;
struct AddressCommand {
    quint8 bindIndex = 0;
    quint8 command = 0;
};
AddressCommand parseAddressCommand(Bytes datagram);

struct TodRequest {
    // Port-Address bits 14-8 (Net with bit 7 dropped).
    quint8 net = 0;
    // Entries actually examined: min(AdCount, 32, bytes present after offset 24).
    quint8 count = 0;
    std::array<quint8, 32> addresses{};
    quint16 portAddress(int i) const { return quint16(net << 8 | addresses[size_t(i)]); }
};
TodRequest parseTodRequest(Bytes datagram);

// ArtTodControl: the Port-Address asked for; the Command byte is not looked at.
quint16 parseTodControlPortAddress(Bytes datagram);

struct ArtRdmRequest {
    quint16 portAddress = 0;
    // The RDM message without its START code (at most 512 bytes).
    Bytes message;
};
// Nothing when the datagram is shorter than 24 bytes or RdmVer is not 0x01.
std::optional<ArtRdmRequest> parseRdm(Bytes datagram);

struct TimeCode {
    quint8 frames = 0;
    quint8 seconds = 0;
    quint8 minutes = 0;
    quint8 hours = 0;
    // 0 Film, 1 EBU, 2 DF, 3 SMPTE; passed through as it stands.
    quint8 type = 0;
    bool operator==(const TimeCode &) const = default;
};
TimeCode parseTimeCode(Bytes datagram);

// ArtDataRequest; EstaMan and Oem name the product the controller asks, not looked at: the
// reply names our own.
enum class DataRequestCode : quint16 {
    Poll = 0x0000,
    UrlProduct = 0x0001,
    UrlUserGuide = 0x0002,
    UrlSupport = 0x0003,
};
struct DataRequest {
    quint16 estaMan = 0;
    quint16 oem = 0;
    quint16 request = 0;
};
DataRequest parseDataRequest(Bytes datagram);

// ---- emitted -------------------------------------------------------------------------------

constexpr qsizetype pollReplySize = 240;
constexpr qsizetype todDataSize = 34;
constexpr qsizetype timeCodeSize = 19;
constexpr qsizetype rdmHeaderSize = 24;
constexpr qsizetype dataReplyHeaderSize = 20;
constexpr qsizetype maxDataPayload = 512;

// GoodOutput (A) bits of one output port.
constexpr quint8 goodOutputData = 0x80;    // data is being output
constexpr quint8 goodOutputMerging = 0x08; // merging Art-Net sources
constexpr quint8 goodOutputLtp = 0x02;     // the merge is LTP (clear: HTP)
constexpr quint8 goodOutputSacn = 0x01;    // the port outputs sACN (clear: Art-Net)
// GoodOutputB bits of one output port.
constexpr quint8 goodOutputBRdmOff = 0x80;      // RDM disabled on this port
constexpr quint8 goodOutputBContinuous = 0x40;  // continuous output (clear: delta)
constexpr quint8 goodOutputBNoDiscovery = 0x20; // no RDM discovery running
constexpr quint8 goodOutputBNoBackgroundDiscovery = 0x10;

// What an output does when its data stops: Status3 bits 7-6.
enum class FailSafeState : quint8 { Hold = 0, Zero = 1, Full = 2, Scene = 3 };
// Status3 bit 5: the fail-safe state can be set by ArtAddress.
constexpr quint8 status3FailOver = 0x20;

struct PollReply {
    quint32 ipAddress = 0;
    quint8 versionHi = 0;
    quint8 versionLo = 0;
    // Port-Address of the first universe announced in this reply.
    quint16 portAddress = 0;
    quint8 oemHi = 0;
    quint8 oemLo = 0;
    quint8 status1 = 0;
    QString shortName;
    QString longName;
    QString nodeReport;
    // 1 to 4.
    quint8 numPorts = 1;
    std::array<quint8, 6> mac{};
    quint32 bindIp = 0;
    quint8 bindIndex = 0;
    // Per port, the goodOutput* bits.
    std::array<quint8, 4> goodOutput{0x80, 0x80, 0x80, 0x80};
    std::array<quint8, 4> goodOutputB{};
    quint8 status3 = 0;
    // The RDM responder's UID as it travels; zeros without one.
    std::array<quint8, 6> defaultResponderUid{};
};
QByteArray buildPollReply(const PollReply &reply);

// The Port-Addresses one poll reply announces.
struct ReplyRange {
    quint16 portAddress = 0;
    quint8 numPorts = 0;
};
// The replies announcing `count` universes from Port-Address `start` into `out` (reused):
// four ports at most, never across a sub-net (each multiple of 16 begins a reply), nothing
// above Port-Address 32767, 255 replies at most (BindIndex is one byte).
void pollReplyRanges(quint32 start, quint32 count, std::vector<ReplyRange> &out);

// One UID for Port-Address `portAddress`; `bindIndex` 1 when the node has several universes.
// Written into `out`, whose storage is reused when it is large enough and not shared.
void writeTodData(QByteArray &out, quint16 portAddress, quint8 bindIndex,
                  const std::array<quint8, 6> &uid);

// `response` is the RDM message without START code; more than 512 bytes are cut. Written
// into `out` like writeTodData().
void writeRdm(QByteArray &out, quint16 portAddress, Bytes response);

QByteArray buildTimeCode(const TimeCode &timeCode);

// ArtDataReply answering `request` with `payload` (cut to 512 bytes; empty for DrPoll).
// Written into `out` like writeTodData().
void writeDataReply(QByteArray &out, quint8 oemHi, quint8 oemLo, quint16 request, Bytes payload);

} // namespace artnetpackets
