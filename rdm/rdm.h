#pragma once

#include "net/rdmhandler.h"
#include "rdm/configuratortypes.h"
#include "rdm/rdmhandlers.h"
#include "rdm/rdmmessage.h"
#include "rdm/rdmmessagedata.h"
#include "rdm/rdmparameters.h"

#include <QByteArrayView>
#include <QDateTime>
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
// read the device model directly; accepted SETs are reported by the signalRdm... signals,
// which the display engine connects to the model's slots, and acknowledged.
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

signals:
    void signalRdmSubDeviceStatusReportThreshold(quint8 uiThreshold);
    // The engine emits this one with supportedParameters() when it sets up the responder,
    // so the device model learns the list. No RDM command sets it.
    void signalRdmSupportedParameter(QList<quint16> lSupportedParameterList);
    void signalRdmClearStatusId();
    void signalRdmDeviceLabel(QString sLabel);
    void signalRdmFactoryDefaults();
    void signalRdmLanguage(quint16 uiLanguage, bool bFactoryResetCycle);
    void signalRdmDmxPersonality(quint8 uiPersonality);
    void signalRdmDmxStartAddress(quint16 uiAddress);
    void signalRdmSensorValues(quint8 uiSensor);
    void signalRdmRecordSensors(quint8 uiSensor, qint16 iRecordedValue);
    void signalRdmDeviceHours(quint32 uiHours);
    void signalRdmLampHours(quint32 uiHours);
    void signalRdmLampStrikes(quint32 uiStrikes);
    void signalRdmLampState(quint8 uiState);
    void signalRdmLampOnMode(quint8 uiMode);
    void signalRdmDevicePowerCycle(quint32 uiCycles);
    void signalRdmDisplayInvert(quint8 uiInvert);
    void signalRdmDisplayLevel(quint8 uiLevel);
    void signalRdmPanInvert(quint8 uiInvert);
    void signalRdmTiltInvert(quint8 uiInvert);
    void signalRdmPanTiltSwap(quint16 uiRotation);
    void signalRdmRealTimeClock(QDateTime dateTime);
    void signalRdmIdentifyDevice(quint8 uiIdentify);
    void signalRdmResetDevice(quint8 uiStartType);
    void signalRdmPowerState(quint8 uiState);
    void signalRdmPerformSelfTest(quint8 uiSelfTest);
    void signalRdmCapturePreset(quint16 uiScene, quint16 uiUpFadeTime, quint16 uiDownFadeTime,
                                quint16 uiWaitTime);
    void signalRdmPresetPlayback(quint16 uiScene, quint8 uiLevel);
    void signalRdmDmxFailMode(stDmxSceneMode stMode);
    void signalRdmDmxStartupMode(stDmxSceneMode stMode);
    void signalRdmMinimumLevel(stMinimumLevel stLevel);
    void signalRdmMaximumLevel(quint16 uiLevel);
    void signalRdmCurve(quint8 uiCurve);
    void signalRdmOutputResponseTime(quint8 uiSetting);
    void signalRdmModulationFrequency(quint8 uiSetting);
    void signalRdmBurnIn(quint8 uiHours);
    void signalRdmLockPin(quint16 uiPin);
    void signalRdmLockState(quint8 uiState);
    void signalRdmIdentifyMode(quint8 uiMode);
    void signalRdmPresetStatus(quint16 uiScene, stPresetStatus stStatus);
    void signalRdmPresetMergeMode(quint8 uiMode);
    void signalRdmPowerOnSelfTest(quint8 uiMode);

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
