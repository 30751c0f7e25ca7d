#pragma once

#include "net/bytereader.h"
#include "rdm/rdmmessage.h"
#include "rdm/rdmmessagedata.h"

#include <QtGlobal>

class Configurator;
class SensorInfo;
class network;
class rdm;

// What a parameter handler answers. The dispatcher turns it into the response bytes, so a
// handler only decides and fills the parameter data.
struct RdmReply {
    enum class Kind { Ack, AckOverflow, Nack, None };

    Kind kind = Kind::Ack;
    quint16 nackReason = 0;
    quint16 pid = 0;          // used when pidOverride is set
    bool pidOverride = false; // answer with another PID than the request's

    static RdmReply ack() { return {}; }
    static RdmReply ackOverflow() { return {Kind::AckOverflow, 0, 0, false}; }
    static RdmReply nack(quint16 reason) { return {Kind::Nack, reason, 0, false}; }
    static RdmReply none() { return {Kind::None, 0, 0, false}; }
    static RdmReply ackWithPid(quint16 pid) { return {Kind::Ack, 0, pid, true}; }
};

// Everything one handler call may use. The model is always present (the dispatcher refuses
// every GET and SET without one); sensors and net may be null.
struct RdmContext {
    rdm &responder;
    Configurator &model;
    SensorInfo *sensors;
    const network *net;
    const RdmRequest &request;
    RdmDataWriter &out;
    // The list continuation state (ACK_OVERFLOW chunks), owned by the responder.
    quint16 uiPreviousPid;
    quint16 &uiOverflowIndex;

    // The request's parameter data, big-endian; bytes it did not carry read as 0, so a
    // handler can never look outside the data the request carried.
    quint8 read8(int offset) const { return bytereader::u8(request.data, size_t(offset)); }
    quint16 read16(int offset) const { return bytereader::u16be(request.data, size_t(offset)); }
    quint32 read32(int offset) const { return bytereader::u32be(request.data, size_t(offset)); }
};

using RdmHandler = RdmReply (*)(RdmContext &);

// One handler per PID and command class. GET handlers are named get<Parameter>, SET handlers
// set<Parameter>; the dispatcher has already applied the minimum PDL of the parameter table.
namespace RdmHandlers {

// Answers that need no handler of their own.
RdmReply nackActionNotSupported(RdmContext &);

// E1.20
RdmReply getQueuedMessage(RdmContext &);
RdmReply getStatusIdDescription(RdmContext &);
RdmReply getSupportedParameters(RdmContext &);
RdmReply getDeviceInfo(RdmContext &);
RdmReply getProductDetailIdList(RdmContext &);
RdmReply setDeviceLabel(RdmContext &);
RdmReply getFactoryDefaults(RdmContext &);
RdmReply getLanguageCapabilities(RdmContext &);
RdmReply setLanguage(RdmContext &);
RdmReply getDmxPersonality(RdmContext &);
RdmReply setDmxPersonality(RdmContext &);
RdmReply getDmxPersonalityDescription(RdmContext &);
RdmReply setDmxStartAddress(RdmContext &);
RdmReply getSlotInfo(RdmContext &);
RdmReply getSlotDescription(RdmContext &);
RdmReply getDefaultSlotValue(RdmContext &);
RdmReply getSensorDefinition(RdmContext &);
RdmReply getSensorValue(RdmContext &);
RdmReply setSensorValue(RdmContext &);
RdmReply setRecordSensors(RdmContext &);
RdmReply getPanInvert(RdmContext &);
RdmReply getTiltInvert(RdmContext &);
RdmReply getPanTiltSwap(RdmContext &);
RdmReply setPanTiltSwap(RdmContext &);
RdmReply getRealTimeClock(RdmContext &);
RdmReply setRealTimeClock(RdmContext &);
RdmReply setResetDevice(RdmContext &);
RdmReply setPowerState(RdmContext &);
RdmReply getPerformSelfTest(RdmContext &);
RdmReply setPerformSelfTest(RdmContext &);
RdmReply getSelfTestDescription(RdmContext &);
RdmReply setCapturePreset(RdmContext &);
RdmReply getPresetPlayback(RdmContext &);
RdmReply setPresetPlayback(RdmContext &);

// E1.37-1
RdmReply getDmxFailMode(RdmContext &);
RdmReply setDmxFailMode(RdmContext &);
RdmReply getDmxStartupMode(RdmContext &);
RdmReply setDmxStartupMode(RdmContext &);
RdmReply getDimmerInfo(RdmContext &);
RdmReply getMinimumLevel(RdmContext &);
RdmReply setMinimumLevel(RdmContext &);
RdmReply setMaximumLevel(RdmContext &);
RdmReply getCurve(RdmContext &);
RdmReply setCurve(RdmContext &);
RdmReply getCurveDescription(RdmContext &);
RdmReply getOutputResponseTime(RdmContext &);
RdmReply setOutputResponseTime(RdmContext &);
RdmReply getOutputResponseTimeDescription(RdmContext &);
RdmReply getModulationFrequency(RdmContext &);
RdmReply setModulationFrequency(RdmContext &);
RdmReply getModulationFrequencyDescription(RdmContext &);
RdmReply setLockPin(RdmContext &);
RdmReply getLockState(RdmContext &);
RdmReply setLockState(RdmContext &);
RdmReply getLockStateDescription(RdmContext &);
RdmReply setIdentifyMode(RdmContext &);
RdmReply getPresetInfo(RdmContext &);
RdmReply getPresetStatus(RdmContext &);
RdmReply setPresetStatus(RdmContext &);
RdmReply setPresetMergeMode(RdmContext &);

// E1.37-2
RdmReply getListInterfaces(RdmContext &);
RdmReply getInterfaceLabel(RdmContext &);
RdmReply getInterfaceHardwareAddressType1(RdmContext &);
RdmReply getIpV4DhcpMode(RdmContext &);
RdmReply getIpV4ZeroconfMode(RdmContext &);
RdmReply getIpV4CurrentAddress(RdmContext &);
RdmReply getIpV4StaticAddress(RdmContext &);
RdmReply getDnsIpV4NameServer(RdmContext &);
RdmReply getDnsHostName(RdmContext &);
RdmReply getDnsDomainName(RdmContext &);

} // namespace RdmHandlers
