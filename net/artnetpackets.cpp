#include "net/artnetpackets.h"

#include "net/bytereader.h"

#include <algorithm>
#include <cstring>

namespace artnetpackets {

namespace {

constexpr std::array<quint8, 8> artNetId{'A', 'r', 't', '-', 'N', 'e', 't', 0};
constexpr qsizetype dmxArea = 530;
constexpr qsizetype rdmArea = 536;

// Reads past the end of the datagram give 0, as if it had been copied into a zeroed area of
// the packet's full size.
using bytereader::u16be;
using bytereader::u8;

quint16 u16le(Bytes data, size_t offset) {
    return quint16(u8(data, offset) | u8(data, offset + 1) << 8);
}

// A zeroed packet with the ID and OpCode, and ProtVer 14 unless the packet has none, written
// over `out` (resizing keeps its storage when it is large enough).
void packetInto(QByteArray &out, qsizetype size, OpCode opCode, bool withProtocolVersion) {
    out.resize(size);
    out.fill('\0');
    std::memcpy(out.data(), artNetId.data(), artNetId.size());
    out[8] = char(quint16(opCode) & 0xFF);
    out[9] = char(quint16(opCode) >> 8);
    if (withProtocolVersion) {
        out[10] = char(protocolVersion >> 8);
        out[11] = char(protocolVersion & 0xFF);
    }
}

QByteArray packet(qsizetype size, OpCode opCode, bool withProtocolVersion) {
    QByteArray out;
    packetInto(out, size, opCode, withProtocolVersion);
    return out;
}

void putU32be(QByteArray &out, qsizetype offset, quint32 value) {
    for (int i = 0; i < 4; ++i)
        out[offset + i] = char(value >> (24 - 8 * i));
}

// Latin-1 text cut so that the field always ends with a zero byte.
void putText(QByteArray &out, qsizetype offset, qsizetype fieldSize, const QString &text) {
    const QByteArray latin1 = text.toLatin1();
    const qsizetype n = std::min(latin1.size(), fieldSize - 1);
    std::memcpy(out.data() + offset, latin1.constData(), size_t(n));
}

} // namespace

std::optional<quint16> opCodeOf(Bytes datagram) {
    if (qsizetype(datagram.size()) < minimumDatagram)
        return std::nullopt;
    if (!std::equal(artNetId.begin(), artNetId.end(), datagram.begin()))
        return std::nullopt;
    return u16le(datagram, 8);
}

quint16 protocolVersionOf(Bytes datagram) {
    return u16be(datagram, 10);
}

Poll parsePoll(Bytes datagram) {
    return Poll{u8(datagram, 12), u16be(datagram, 14), u16be(datagram, 16)};
}

bool Poll::wants(quint16 portAddress, quint8 count) const {
    if (!targeted())
        return true;
    // Some port of [portAddress, portAddress + count) lies in [targetBottom, targetTop].
    return count > 0 && targetBottom <= targetTop && portAddress <= targetTop &&
           quint32(portAddress) + count > targetBottom;
}

void parseDmx(Bytes datagram, Dmx &out) {
    const Bytes area = datagram.first(std::min(datagram.size(), size_t(dmxArea)));
    out.portAddress = quint16((u8(area, 15) & 0x7F) << 8 | u8(area, 14));
    out.sequence = u8(area, 12);
    const quint16 length = u16be(area, 16);
    out.slotCount = std::min(length, quint16(maxSlots));
    const size_t present = area.size() > 18 ? std::min(area.size() - 18, size_t(out.slotCount)) : 0;
    out.lengthValid = length >= 2 && length % 2 == 0 && present == length;
    if (present > 0)
        std::memcpy(out.levels.data(), area.data() + 18, present);
    std::fill(out.levels.begin() + present, out.levels.begin() + out.slotCount, quint8(0));
}

std::optional<LedCommand> parseAddressLedCommand(Bytes datagram) {
    switch (u8(datagram, 106)) {
    case quint8(LedCommand::Normal):
        return LedCommand::Normal;
    case quint8(LedCommand::Mute):
        return LedCommand::Mute;
    case quint8(LedCommand::Locate):
        return LedCommand::Locate;
    default:
        return std::nullopt;
    }
}

AddressCommand parseAddressCommand(Bytes datagram) {
    return AddressCommand{u8(datagram, 13), u8(datagram, 106)};
}

TodRequest parseTodRequest(Bytes datagram) {
    TodRequest request;
    request.net = u8(datagram, 21) & 0x7F;
    const size_t present = datagram.size() > 24 ? datagram.size() - 24 : 0;
    request.count = quint8(std::min({size_t(u8(datagram, 23)), request.addresses.size(), present}));
    for (size_t i = 0; i < request.count; ++i)
        request.addresses[i] = datagram[24 + i];
    return request;
}

quint16 parseTodControlPortAddress(Bytes datagram) {
    return quint16((u8(datagram, 21) & 0x7F) << 8 | u8(datagram, 23));
}

std::optional<ArtRdmRequest> parseRdm(Bytes datagram) {
    const Bytes area = datagram.first(std::min(datagram.size(), size_t(rdmArea)));
    if (qsizetype(area.size()) < rdmHeaderSize || area[12] != 0x01)
        return std::nullopt;
    return ArtRdmRequest{quint16((area[21] & 0x7F) << 8 | area[23]), area.subspan(rdmHeaderSize)};
}

TimeCode parseTimeCode(Bytes datagram) {
    return TimeCode{u8(datagram, 14), u8(datagram, 15), u8(datagram, 16), u8(datagram, 17),
                    u8(datagram, 18)};
}

DataRequest parseDataRequest(Bytes datagram) {
    return DataRequest{u16be(datagram, 12), u16be(datagram, 14), u16be(datagram, 16)};
}

QByteArray buildPollReply(const PollReply &reply) {
    QByteArray out = packet(pollReplySize, OpCode::PollReply, false);
    putU32be(out, 10, reply.ipAddress);
    out[14] = char(udpPort & 0xFF);
    out[15] = char(udpPort >> 8);
    out[16] = char(reply.versionHi);
    out[17] = char(reply.versionLo);
    out[18] = char((reply.portAddress >> 8) & 0x7F);
    out[19] = char((reply.portAddress >> 4) & 0x0F);
    out[20] = char(reply.oemHi);
    out[21] = char(reply.oemLo);
    out[23] = char(reply.status1);
    putText(out, 26, 18, reply.shortName);
    putText(out, 44, 64, reply.longName);
    putText(out, 108, 64, reply.nodeReport);
    const int ports = std::clamp(int(reply.numPorts), 1, 4);
    out[173] = char(ports);
    for (int j = 0; j < 4; ++j) {
        out[174 + j] = char(0x85);
        out[182 + j] = char(reply.goodOutput[size_t(j)]);
        if (j < ports)
            out[190 + j] = char((reply.portAddress + j) & 0x0F);
    }
    std::memcpy(out.data() + 201, reply.mac.data(), reply.mac.size());
    putU32be(out, 207, reply.bindIp);
    out[211] = char(reply.bindIndex);
    out[212] = char(0x08);
    for (int j = 0; j < 4; ++j)
        out[213 + j] = char(reply.goodOutputB[size_t(j)]);
    out[217] = char(reply.status3);
    std::memcpy(out.data() + 218, reply.defaultResponderUid.data(),
                reply.defaultResponderUid.size());
    return out;
}

void pollReplyRanges(quint32 start, quint32 count, std::vector<ReplyRange> &out) {
    constexpr quint32 lastPortAddress = 32767;
    constexpr size_t maxReplies = 255;
    out.clear();
    const quint64 end = std::min(quint64(start) + count, quint64(lastPortAddress) + 1);
    for (quint64 p = start; p < end && out.size() < maxReplies;) {
        const quint64 ports = std::min({quint64(4), end - p, 16 - p % 16});
        out.push_back(ReplyRange{quint16(p), quint8(ports)});
        p += ports;
    }
}

void writeTodData(QByteArray &out, quint16 portAddress, quint8 bindIndex,
                  const std::array<quint8, 6> &uid) {
    packetInto(out, todDataSize, OpCode::TodData, true);
    out[12] = 0x01;
    out[13] = 0x01;
    out[20] = char(bindIndex);
    out[21] = char((portAddress >> 8) & 0x7F);
    out[23] = char(portAddress & 0xFF);
    out[25] = 0x01;
    out[27] = 0x01;
    std::memcpy(out.data() + 28, uid.data(), uid.size());
}

void writeRdm(QByteArray &out, quint16 portAddress, Bytes response) {
    const size_t n = std::min(response.size(), size_t(maxSlots));
    packetInto(out, rdmHeaderSize + qsizetype(n), OpCode::Rdm, true);
    out[12] = 0x01;
    out[21] = char(portAddress >> 8);
    out[23] = char(portAddress & 0xFF);
    if (n > 0)
        std::memcpy(out.data() + rdmHeaderSize, response.data(), n);
}

QByteArray buildTimeCode(const TimeCode &timeCode) {
    QByteArray out = packet(timeCodeSize, OpCode::TimeCode, true);
    out[14] = char(timeCode.frames);
    out[15] = char(timeCode.seconds);
    out[16] = char(timeCode.minutes);
    out[17] = char(timeCode.hours);
    out[18] = char(timeCode.type);
    return out;
}

void writeDataReply(QByteArray &out, quint8 oemHi, quint8 oemLo, quint16 request, Bytes payload) {
    const size_t n = std::min(payload.size(), size_t(maxDataPayload));
    packetInto(out, dataReplyHeaderSize + qsizetype(n), OpCode::DataReply, true);
    // EstaMan (12, 13) stays 0000, as in the poll reply.
    out[14] = char(oemHi);
    out[15] = char(oemLo);
    out[16] = char(request >> 8);
    out[17] = char(request & 0xFF);
    out[18] = char(n >> 8);
    out[19] = char(n & 0xFF);
    if (n > 0)
        std::memcpy(out.data() + dataReplyHeaderSize, payload.data(), n);
}

} // namespace artnetpackets
