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
      m_lSupportedParameters(rdmSupportedParameters.begin(), rdmSupportedParameters.end()) {}

QByteArrayView rdm::handleRequest(QByteArrayView message, const RdmUid &ownUid) {
    if (message.size() <= RdmMessage::headerSize)
        return {};
    const int messageLength = fillRdmImage(m_request, message);
    const RdmRequest request = parseRdmRequest(m_request);

    // Only our own UID is answered. A response always carries the addressed UID as its source,
    // so answering any other UID would speak for a device that is not us.
    const bool addressed = request.destination == ownUid;
    const bool broadcast = request.destination.isBroadcastFor(ownUid);
    if (!addressed && !broadcast)
        return {};
    if (request.commandClass != CommandClass::discovery &&
        request.commandClass != CommandClass::get && request.commandClass != CommandClass::set)
        return {};

    const RdmCheckResult check = checkRdmRequest(m_request, messageLength);
    if (check.check == RdmCheck::ChecksumMismatch)
        qCDebug(lcRdm).noquote() << QStringLiteral("CheckSum Error 0x%1 != 0x%2")
                                        .arg(check.computed, 4, 16, QLatin1Char('0'))
                                        .arg(check.received, 4, 16, QLatin1Char('0'));

    // A broadcast is never answered (ANSI E1.20); only a sound SET is carried out.
    if (broadcast) {
        if (check.check == RdmCheck::Ok && request.commandClass == CommandClass::set)
            dispatch(request);
        return {};
    }

    int length = 0;
    if (request.commandClass == CommandClass::discovery || check.check != RdmCheck::Ok)
        length = buildNack(m_response, request, request.pid, Nack::formatError);
    else
        length = dispatch(request);
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
    const RdmReply reply =
        request.commandClass == CommandClass::get ? handleGet(context) : handleSet(context);

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

RdmReply rdm::handleGet(RdmContext &context) {
    const RdmParameter *parameter = findRdmParameter(context.request.pid);
    if (!parameter || !parameter->get)
        return RdmReply::nack(Nack::unknownPid);
    // Every known GET moves the history, even one refused below, so a list continuation
    // is broken by any other GET in between.
    m_uiPreviousPid = m_uiCurrentPid;
    m_uiCurrentPid = context.request.pid;
    context.uiPreviousPid = m_uiPreviousPid;
    if (context.request.pdl < parameter->getMinPdl)
        return RdmReply::nack(Nack::formatError);
    return parameter->get(context);
}

RdmReply rdm::handleSet(RdmContext &context) {
    const RdmParameter *parameter = findRdmParameter(context.request.pid);
    if (!parameter)
        return RdmReply::nack(Nack::unknownPid);
    if (!parameter->set)
        return RdmReply::nack(parameter->get ? Nack::unsupportedCommandClass : Nack::unknownPid);
    if (context.request.pdl < parameter->setMinPdl)
        return RdmReply::nack(Nack::formatError);
    return parameter->set(context);
}
