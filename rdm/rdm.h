#pragma once

#include "net/rdmrequesthandler.h"
#include "rdm/configuratortypes.h"
#include "rdm/rdmhandlers.h"
#include "rdm/rdmmessage.h"
#include "rdm/rdmmessagedata.h"
#include "rdm/rdmparameters.h"

#include <QByteArrayView>
#include <QList>
#include <QObject>
#include <QString>
#include <QtGlobal>
#include <optional>

class Configurator;
class SensorInfo;
class network;

// The RDM responder. It owns no socket: the Art-Net node hands it each RDM message it accepts
// together with the UID it announced to that controller, and sends back what it returns. GETs
// read the device model and SETs store into it directly, through the parameter table; the
// model reports the changes something acts on.
class rdm : public QObject, public RdmRequestHandler {
    Q_OBJECT

public:
    // The three collaborators are borrowed and may each be null: without a model every GET and
    // SET is refused, without a sensor provider there are no sensors, and without a network
    // snapshot the DNS parameters are refused.
    rdm(Configurator *pConfigurator, SensorInfo *pSensorInfo, network *pNetwork);

    // `message` is the RDM message as ArtRdm carries it (Sub-START code through checksum).
    // Requests addressed to `ownUid` are answered; SETs to the broadcast UID or to the
    // manufacturer broadcast of `ownUid` are carried out without an answer; anything else is
    // ignored. Returns the response in the same form, or an empty view when nothing is to be
    // sent. The view points into the responder and stays valid until the next call.
    QByteArrayView handleRequest(QByteArrayView message, const RdmUid &ownUid) override;

    const QList<quint16> &supportedParameters() const { return m_lSupportedParameters; }

    // The engine replaces or drops its interface snapshot when the protocols are switched;
    // null refuses the DNS parameters again.
    void setNetwork(network *pNetwork) { m_pNetwork = pNetwork; }

private:
    // Routes a checked GET or SET through the parameter table and returns the length of the
    // response written into m_response.
    int dispatch(const RdmRequest &request);
    // The table's rules for the PID, then its handler.
    RdmReply route(RdmContext &context);
    static bool inRange(const RdmField &field, const RdmContext &context);

    Configurator *m_pConfigurator = nullptr;
    SensorInfo *m_pSensorInfo = nullptr;
    network *m_pNetwork = nullptr;
    quint16 m_uiCurrentPid = 0;
    quint16 m_uiPreviousPid = 0;
    quint16 m_uiOverflowIndex = 0;
    QList<quint16> m_lSupportedParameters;

    // Reused for every request, so answering allocates nothing.
    RdmImage m_request{};
    RdmImage m_response{};
    RdmDataWriter m_data;
};
