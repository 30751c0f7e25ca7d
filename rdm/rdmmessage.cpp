#include "rdm/rdmmessage.h"

#include "rdm/rdmconstants.h"

#include <algorithm>
#include <cstring>

using namespace RdmMessage;

namespace {

RdmUid readUid(const RdmImage &image, int offset) {
    return RdmUid::fromBytes(std::span<const quint8>(image).subspan(size_t(offset)).first<6>());
}

void writeUid(RdmImage &image, int offset, const RdmUid &uid) {
    const std::array<quint8, 6> bytes = uid.toBytes();
    std::copy(bytes.begin(), bytes.end(), image.begin() + offset);
}

} // namespace

quint16 rdmChecksum(std::span<const quint8> bytes) {
    quint16 sum = 0;
    for (quint8 b : bytes)
        sum = quint16(sum + b);
    return sum;
}

int fillRdmImage(RdmImage &image, QByteArrayView received) {
    image.fill(0);
    image[0] = Rdm::startCode;
    const int copied = int(std::min<qsizetype>(received.size(), imageSize - 1));
    if (copied > 0)
        std::memcpy(image.data() + 1, received.data(), size_t(copied));
    return copied + 1;
}

RdmRequest parseRdmRequest(const RdmImage &image) {
    RdmRequest request;
    request.destination = readUid(image, offDestination);
    request.source = readUid(image, offSource);
    request.transactionNumber = image[offTransaction];
    request.portId = image[offPortIdResponseType];
    request.subDevice = quint16(image[offSubDevice] << 8 | image[offSubDevice + 1]);
    request.commandClass = image[offCommandClass];
    request.pid = quint16(image[offPid] << 8 | image[offPid + 1]);
    request.pdl = image[offPdl];
    request.data =
        std::span<const quint8>(image).subspan(offData, std::min<int>(request.pdl, maxPdl));
    return request;
}

RdmCheckResult checkRdmRequest(const RdmImage &image, int messageLength) {
    RdmCheckResult result;
    if (image[offPortIdResponseType] == 0) {
        result.check = RdmCheck::ZeroPortId;
        return result;
    }
    if (image[offSubStartCode] != Rdm::subStartCode) {
        result.check = RdmCheck::WrongSubStartCode;
        return result;
    }
    const int pdl = image[offPdl];
    if (image[offMessageLength] != headerSize + pdl) {
        result.check = RdmCheck::LengthMismatch;
        return result;
    }
    // The considered length never reaches past the received bytes or the image.
    const int length = std::min({pdl + headerSize + 2, messageLength, imageSize});
    if (length <= headerSize + 1 || pdl + headerSize + 1 >= length) {
        result.check = RdmCheck::Truncated;
        return result;
    }
    result.computed = rdmChecksum(std::span<const quint8>(image).first(size_t(length - 2)));
    result.received = quint16(image[pdl + headerSize] << 8 | image[pdl + headerSize + 1]);
    if (result.computed != result.received)
        result.check = RdmCheck::ChecksumMismatch;
    return result;
}

int buildRdmResponse(RdmImage &out, const RdmRequest &request, quint8 responseType, quint16 pid,
                     std::span<const quint8> data) {
    using namespace Rdm::CommandClass;
    if (request.commandClass != discovery && request.commandClass != get &&
        request.commandClass != set)
        return 0;
    const int pdl = int(std::min<size_t>(data.size(), maxPdl));
    out.fill(0);
    out[0] = Rdm::startCode;
    out[offSubStartCode] = Rdm::subStartCode;
    out[offMessageLength] = quint8(headerSize + pdl);
    writeUid(out, offDestination, request.source);
    writeUid(out, offSource, request.destination);
    out[offTransaction] = request.transactionNumber;
    out[offPortIdResponseType] = responseType;
    out[offMessageCount] = 0;
    out[offSubDevice] = quint8(request.subDevice >> 8);
    out[offSubDevice + 1] = quint8(request.subDevice);
    out[offCommandClass] = quint8(request.commandClass + 1);
    out[offPid] = quint8(pid >> 8);
    out[offPid + 1] = quint8(pid);
    out[offPdl] = quint8(pdl);
    if (pdl > 0)
        std::memcpy(out.data() + offData, data.data(), size_t(pdl));
    const quint16 sum = rdmChecksum(std::span<const quint8>(out).first(size_t(headerSize + pdl)));
    out[headerSize + pdl] = quint8(sum >> 8);
    out[headerSize + pdl + 1] = quint8(sum);
    return headerSize + pdl + 1;
}

int buildAck(RdmImage &out, const RdmRequest &request, quint16 pid, std::span<const quint8> data) {
    return buildRdmResponse(out, request, Rdm::ResponseType::ack, pid, data);
}

int buildAckOverflow(RdmImage &out, const RdmRequest &request, quint16 pid,
                     std::span<const quint8> data) {
    return buildRdmResponse(out, request, Rdm::ResponseType::ackOverflow, pid, data);
}

int buildNack(RdmImage &out, const RdmRequest &request, quint16 pid, quint16 reason) {
    const std::array<quint8, 2> data{quint8(reason >> 8), quint8(reason)};
    return buildRdmResponse(out, request, Rdm::ResponseType::nackReason, pid, data);
}
