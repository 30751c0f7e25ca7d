#include "rdm/rdm.h"

#include "net/network.h"
#include "rdm/configurator.h"
#include "rdm/rdmconstants.h"
#include "rdm/rdmparameters.h"

#include <QLoggingCategory>

// Off unless enabled ("tessaview.rdm.debug=true"): a peer sending broken checksums must not
// flood the log.
Q_LOGGING_CATEGORY(lcRdm, "tessaview.rdm", QtInfoMsg)

using namespace Rdm;

rdm::rdm(Configurator *pConfigurator, SensorInfo *pSensorInfo, network *pNetwork)
    : m_pConfigurator(pConfigurator), m_pSensorInfo(pSensorInfo), m_pNetwork(pNetwork),
      m_lSupportedParameters(rdmListedParameters()) {}

QByteArrayView rdm::handleRequest(QByteArrayView message, const RdmUid &ownUid) {
    if (message.size() <= RdmMessage::headerSize)
        return {};
    // The message length counts the START code, which ArtRdm leaves out, but not the two
    // checksum bytes; a datagram of any other size is no sound message.
    if (message.size() != qsizetype(quint8(message[1])) + 1)
        return {};
    const int messageLength = fillRdmImage(m_request, message);
    const RdmRequest request = parseRdmRequest(m_request);

    // Only our own UID is answered. A response always carries the addressed UID as its source,
    // so answering any other UID would speak for a device that is not us.
    const bool addressed = request.destination == ownUid;
    const bool broadcast = request.destination.isBroadcastFor(ownUid);
    if (!addressed && !broadcast)
        return {};
    // Discovery belongs to the Art-Net node's table of devices, not to the responder.
    if (request.commandClass != CommandClass::get && request.commandClass != CommandClass::set)
        return {};

    const RdmCheckResult check = checkRdmRequest(m_request, messageLength);
    if (check.check == RdmCheck::ChecksumMismatch)
        qCDebug(lcRdm).noquote() << QStringLiteral("CheckSum Error 0x%1 != 0x%2")
                                        .arg(check.computed, 4, 16, QLatin1Char('0'))
                                        .arg(check.received, 4, 16, QLatin1Char('0'));
    // A damaged message may not even be addressed to us, so it is never answered.
    if (check.check != RdmCheck::Ok && check.check != RdmCheck::ZeroPortId)
        return {};

    // A broadcast is never answered (ANSI E1.20); only a sound SET is carried out.
    if (broadcast) {
        if (check.check == RdmCheck::Ok && request.commandClass == CommandClass::set)
            dispatch(request);
        return {};
    }

    const int length = check.check == RdmCheck::Ok
                           ? dispatch(request)
                           : buildNack(m_response, request, request.pid, Nack::formatError);
    if (length <= 0)
        return {};
    return QByteArrayView(m_response.data() + 1, length);
}

int rdm::dispatch(const RdmRequest &request) {
    if (!m_pConfigurator || request.subDevice > m_pConfigurator->subDeviceCount())
        return buildNack(m_response, request, request.pid, Nack::subDeviceOutOfRange);

    m_data.clear();
    RdmContext context{*this,   *m_pConfigurator, m_pSensorInfo,   m_pNetwork,
                       request, m_data,           m_uiPreviousPid, m_uiOverflowIndex};
    const RdmReply reply = route(context);

    const quint16 pid = reply.pidOverride ? reply.pid : request.pid;
    switch (reply.kind) {
    case RdmReply::Kind::Ack:
        return buildAck(m_response, request, pid, m_data.data());
    case RdmReply::Kind::AckOverflow:
        return buildAckOverflow(m_response, request, pid, m_data.data());
    case RdmReply::Kind::Nack:
        return buildNack(m_response, request, pid, reply.nackReason);
    case RdmReply::Kind::None:
        break;
    }
    return 0;
}

RdmReply rdm::route(RdmContext &context) {
    const RdmRequest &request = context.request;
    const RdmParameter *parameter = findRdmParameter(request.pid);
    if (!parameter || !parameter->served())
        return RdmReply::nack(Nack::unknownPid);
    const bool get = request.commandClass == CommandClass::get;
    if (!(parameter->allowed & (get ? RdmAllow::get : RdmAllow::set)))
        return RdmReply::nack(Nack::unsupportedCommandClass);
    if (get) {
        // Every served GET moves the history, even one refused below, so a list
        // continuation is broken by any other GET in between.
        m_uiPreviousPid = m_uiCurrentPid;
        m_uiCurrentPid = request.pid;
        context.uiPreviousPid = m_uiPreviousPid;
    }
    if (!(get ? parameter->getPdl : parameter->setPdl).contains(request.pdl))
        return RdmReply::nack(Nack::formatError);
    if (!get && !inRange(parameter->setRange, context))
        return RdmReply::nack(Nack::dataOutOfRange);
    return get ? parameter->get(context) : parameter->set(context);
}

bool rdm::inRange(const RdmField &field, const RdmContext &context) {
    quint32 value = 0;
    switch (field.width) {
    case 0:
        return true;
    case 1:
        value = context.read8(field.offset);
        break;
    case 2:
        value = context.read16(field.offset);
        break;
    default:
        value = context.read32(field.offset);
        break;
    }
    return value >= field.min && value <= field.max;
}
