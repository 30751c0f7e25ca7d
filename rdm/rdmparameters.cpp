#include "rdm/rdmparameters.h"

#include "rdm/configurator.h"
#include "rdm/rdm.h"
#include "rdm/rdmconstants.h"

#include <algorithm>

using namespace Rdm::Pid;
using namespace RdmHandlers;

namespace {

// The handlers that read one model value or pass one request value on.
template <auto Getter> RdmReply get8(RdmContext &c) {
    c.out.put8(quint8((c.model.*Getter)()));
    return RdmReply::ack();
}
template <auto Getter> RdmReply get16(RdmContext &c) {
    c.out.put16(quint16((c.model.*Getter)()));
    return RdmReply::ack();
}
template <auto Getter> RdmReply get32(RdmContext &c) {
    c.out.put32(quint32((c.model.*Getter)()));
    return RdmReply::ack();
}
template <auto Getter> RdmReply getLabel(RdmContext &c) {
    c.out.putText((c.model.*Getter)(), RdmTextWidth::label);
    return RdmReply::ack();
}
// The handlers that store one request value in the model.
template <auto Setter> RdmReply set0(RdmContext &c) {
    (c.model.*Setter)();
    return RdmReply::ack();
}
template <auto Setter> RdmReply set8(RdmContext &c) {
    (c.model.*Setter)(c.read8(0));
    return RdmReply::ack();
}
template <auto Setter> RdmReply set32(RdmContext &c) {
    (c.model.*Setter)(c.read32(0));
    return RdmReply::ack();
}
RdmReply ackEmpty(RdmContext &) {
    return RdmReply::ack();
}

using C = Configurator;
using A = RdmServe;
constexpr RdmPdl none{0, 0};
constexpr RdmPdl bytes(quint8 n) {
    return {n, n};
}
constexpr RdmPdl upTo(quint8 n) {
    return {0, n};
}
constexpr RdmField byteRange(quint8 min, quint8 max) {
    return {0, 1, min, max};
}

constexpr RdmParameter unserved(quint16 pid, const char *name, quint8 allowed) {
    return {pid, name, allowed, A::no, {}, nullptr, {}, nullptr, {}};
}
constexpr RdmParameter getter(quint16 pid, const char *name, RdmPdl pdl, RdmHandler get) {
    return {pid, name, RdmAllow::get, A::listed, pdl, get, {}, nullptr, {}};
}
constexpr RdmParameter setter(quint16 pid, const char *name, RdmPdl pdl, RdmHandler set) {
    return {pid, name, RdmAllow::set, A::listed, {}, nullptr, pdl, set, {}};
}
constexpr RdmParameter both(quint16 pid, const char *name, RdmPdl getPdl, RdmHandler get,
                            RdmPdl setPdl, RdmHandler set, RdmField range = {}) {
    return {pid, name, RdmAllow::getSet, A::listed, getPdl, get, setPdl, set, range};
}
constexpr RdmParameter required(RdmParameter p) {
    p.serve = A::required;
    return p;
}

// Sorted by PID for the look-up. The names are spelled as the standards spell them.
constexpr RdmParameter parameterTable[] = {
    unserved(discUniqueBranch, "DISC_UNIQUE_BRANCH", RdmAllow::none),
    unserved(discMute, "DISC_MUTE", RdmAllow::none),
    unserved(discUnMute, "DISC_UN_MUTE", RdmAllow::none),
    unserved(proxiedDevices, "PROXIED_DEVICES", RdmAllow::get),
    unserved(proxiedDeviceCount, "PROXIED_DEVICE_COUNT", RdmAllow::get),
    unserved(commsStatus, "COMMS_STATUS", RdmAllow::getSet),
    getter(queuedMessage, "QUEUED_MESSAGE", bytes(1), getQueuedMessage),
    // No status messages are ever queued, so the list is always empty.
    getter(statusMessages, "STATUS_MESSAGES", bytes(1), ackEmpty),
    getter(statusIdDescription, "STATUS_ID_DESCRIPTION", bytes(2), getStatusIdDescription),
    setter(clearStatusId, "CLEAR_STATUS_ID", none, ackEmpty),
    both(subDeviceStatusReportThreshold, "SUB_DEVICE_STATUS_REPORT_THRESHOLD", none,
         get8<&C::subDeviceStatusReportThreshold>, bytes(1),
         set8<&C::slotSetSubDeviceStatusReportThreshold>, byteRange(0, 4)),
    required(getter(supportedParameters, "SUPPORTED_PARAMETERS", none, getSupportedParameters)),
    // Without manufacturer-specific parameters there is nothing to describe.
    unserved(parameterDescription, "PARAMETER_DESCRIPTION", RdmAllow::get),
    required(getter(deviceInfo, "DEVICE_INFO", none, getDeviceInfo)),
    getter(productDetailIdList, "PRODUCT_DETAIL_ID_LIST", none, getProductDetailIdList),
    getter(deviceModelDescription, "DEVICE_MODEL_DESCRIPTION", none,
           getLabel<&C::deviceModelDescription>),
    getter(manufacturerLabel, "MANUFACTURER_LABEL", none, getLabel<&C::manufacturerLabel>),
    both(deviceLabel, "DEVICE_LABEL", none, getLabel<&C::deviceLabel>, upTo(32), setDeviceLabel),
    both(factoryDefaults, "FACTORY_DEFAULTS", none, getFactoryDefaults, none,
         set0<&C::slotSetFactoryDefaults>),
    getter(languageCapabilities, "LANGUAGE_CAPABILITIES", none, getLanguageCapabilities),
    both(language, "LANGUAGE", none, get16<&C::language>, bytes(2), setLanguage),
    required(getter(softwareVersionLabel, "SOFTWARE_VERSION_LABEL", none,
                    getLabel<&C::softwareVersionLabel>)),
    getter(bootSoftwareVersionId, "BOOT_SOFTWARE_VERSION_ID", none,
           get32<&C::bootSoftwareVersionId>),
    getter(bootSoftwareVersionLabel, "BOOT_SOFTWARE_VERSION_LABEL", none,
           getLabel<&C::bootSoftwareVersionLabel>),
    both(dmxPersonality, "DMX_PERSONALITY", none, getDmxPersonality, bytes(1), setDmxPersonality),
    getter(dmxPersonalityDescription, "DMX_PERSONALITY_DESCRIPTION", bytes(1),
           getDmxPersonalityDescription),
    required(both(dmxStartAddress, "DMX_START_ADDRESS", none, get16<&C::dmxStartAddress>, bytes(2),
                  setDmxStartAddress)),
    getter(slotInfo, "SLOT_INFO", none, getSlotInfo),
    getter(slotDescription, "SLOT_DESCRIPTION", bytes(2), getSlotDescription),
    getter(defaultSlotValue, "DEFAULT_SLOT_VALUE", none, getDefaultSlotValue),
    // There are no sub-devices, so there is no block of them to address.
    unserved(dmxBlockAddress, "DMX_BLOCK_ADDRESS", RdmAllow::getSet),
    both(dmxFailMode, "DMX_FAIL_MODE", none, getDmxFailMode, bytes(7), setDmxFailMode),
    both(dmxStartupMode, "DMX_STARTUP_MODE", none, getDmxStartupMode, bytes(7), setDmxStartupMode),
    getter(sensorDefinition, "SENSOR_DEFINITION", bytes(1), getSensorDefinition),
    both(sensorValue, "SENSOR_VALUE", bytes(1), getSensorValue, bytes(1), setSensorValue),
    setter(recordSensors, "RECORD_SENSORS", bytes(1), setRecordSensors),
    getter(dimmerInfo, "DIMMER_INFO", none, getDimmerInfo),
    both(minimumLevel, "MINIMUM_LEVEL", none, getMinimumLevel, bytes(5), setMinimumLevel),
    both(maximumLevel, "MAXIMUM_LEVEL", none, get16<&C::maximumLevel>, bytes(2), setMaximumLevel),
    both(curve, "CURVE", none, getCurve, bytes(1), setCurve),
    getter(curveDescription, "CURVE_DESCRIPTION", bytes(1), getCurveDescription),
    both(outputResponseTime, "OUTPUT_RESPONSE_TIME", none, getOutputResponseTime, bytes(1),
         setOutputResponseTime),
    getter(outputResponseTimeDescription, "OUTPUT_RESPONSE_TIME_DESCRIPTION", bytes(1),
           getOutputResponseTimeDescription),
    both(modulationFrequency, "MODULATION_FREQUENCY", none, getModulationFrequency, bytes(1),
         setModulationFrequency),
    getter(modulationFrequencyDescription, "MODULATION_FREQUENCY_DESCRIPTION", bytes(1),
           getModulationFrequencyDescription),
    both(deviceHours, "DEVICE_HOURS", none, get32<&C::deviceHours>, bytes(4),
         set32<qOverload<quint32>(&C::slotSetDeviceHours)>),
    both(lampHours, "LAMP_HOURS", none, get32<&C::lampHours>, bytes(4),
         set32<qOverload<quint32>(&C::slotSetLampHours)>),
    both(lampStrikes, "LAMP_STRIKES", none, get32<&C::lampStrikes>, bytes(4),
         set32<&C::slotSetLampStrikes>),
    both(lampState, "LAMP_STATE", none, get8<&C::lampState>, bytes(1), set8<&C::slotSetLampState>),
    both(lampOnMode, "LAMP_ON_MODE", none, get8<&C::lampOnMode>, bytes(1),
         set8<&C::slotSetLampOnMode>),
    both(devicePowerCycles, "DEVICE_POWER_CYCLES", none, get32<&C::devicePowerCycles>, bytes(4),
         set32<&C::slotSetDevicePowerCycle>),
    both(burnIn, "BURN_IN", none, get8<&C::burnIn>, bytes(1), set8<&C::slotSetBurnIn>),
    both(displayInvert, "DISPLAY_INVERT", none, get8<&C::screenInvert>, bytes(1),
         set8<&C::slotSetScreenInvert>, byteRange(0, 2)),
    both(displayLevel, "DISPLAY_LEVEL", none, get8<&C::displayLevel>, bytes(1),
         set8<&C::slotSetDisplayLevel>),
    both(panInvert, "PAN_INVERT", none, getPanInvert, bytes(1), set8<&C::slotSetScreenFlipVertical>,
         byteRange(0, 1)),
    both(tiltInvert, "TILT_INVERT", none, getTiltInvert, bytes(1),
         set8<&C::slotSetScreenFlipHorizontal>, byteRange(0, 1)),
    both(panTiltSwap, "PAN_TILT_SWAP", none, getPanTiltSwap, bytes(1), setPanTiltSwap,
         byteRange(0, 1)),
    both(realTimeClock, "REAL_TIME_CLOCK", none, getRealTimeClock, bytes(7), setRealTimeClock),
    both(lockPin, "LOCK_PIN", none, get16<&C::lockPin>, bytes(4), setLockPin),
    both(lockState, "LOCK_STATE", none, getLockState, bytes(3), setLockState),
    getter(lockStateDescription, "LOCK_STATE_DESCRIPTION", bytes(1), getLockStateDescription),
    getter(listInterfaces, "LIST_INTERFACES", none, getListInterfaces),
    getter(interfaceLabel, "INTERFACE_LABEL", bytes(4), getInterfaceLabel),
    getter(interfaceHardwareAddressType1, "INTERFACE_HARDWARE_ADDRESS_TYPE1", bytes(4),
           getInterfaceHardwareAddressType1),
    // The network configuration belongs to the computer; no controller may change it.
    both(ipv4DhcpMode, "IPV4_DHCP_MODE", bytes(4), getIpV4DhcpMode, bytes(5),
         nackActionNotSupported),
    both(ipv4ZeroconfMode, "IPV4_ZEROCONF_MODE", bytes(4), getIpV4ZeroconfMode, bytes(5),
         nackActionNotSupported),
    getter(ipv4CurrentAddress, "IPV4_CURRENT_ADDRESS", bytes(4), getIpV4CurrentAddress),
    both(ipv4StaticAddress, "IPV4_STATIC_ADDRESS", bytes(4), getIpV4StaticAddress, bytes(9),
         nackActionNotSupported),
    unserved(interfaceRenewDhcp, "INTERFACE_RENEW_DHCP", RdmAllow::set),
    unserved(interfaceReleaseDhcp, "INTERFACE_RELEASE_DHCP", RdmAllow::set),
    unserved(interfaceApplyConfiguration, "INTERFACE_APPLY_CONFIGURATION", RdmAllow::set),
    // The interface snapshot carries no gateway, so there is no route to report.
    unserved(ipv4DefaultRoute, "IPV4_DEFAULT_ROUTE", RdmAllow::getSet),
    both(dnsIpv4NameServer, "DNS_IPV4_NAME_SERVER", bytes(1), getDnsIpV4NameServer, bytes(5),
         nackActionNotSupported),
    both(dnsHostname, "DNS_HOSTNAME", none, getDnsHostName, {1, 63}, nackActionNotSupported),
    both(dnsDomainName, "DNS_DOMAIN_NAME", none, getDnsDomainName, upTo(231),
         nackActionNotSupported),
    required(both(identifyDevice, "IDENTIFY_DEVICE", none, get8<&C::identifyDevice>, bytes(1),
                  set8<&C::slotSetIdentifyDevice>, byteRange(0, 1))),
    setter(resetDevice, "RESET_DEVICE", bytes(1), setResetDevice),
    both(powerState, "POWER_STATE", none, get8<&C::powerState>, bytes(1), setPowerState),
    both(performSelfTest, "PERFORM_SELF_TEST", none, getPerformSelfTest, bytes(1),
         setPerformSelfTest),
    getter(selfTestDescription, "SELF_TEST_DESCRIPTION", bytes(1), getSelfTestDescription),
    setter(capturePreset, "CAPTURE_PRESET", bytes(8), setCapturePreset),
    both(presetPlayback, "PRESET_PLAYBACK", none, getPresetPlayback, bytes(3), setPresetPlayback),
    both(identifyMode, "IDENTIFY_MODE", none, get8<&C::identifyMode>, bytes(1), setIdentifyMode),
    getter(presetInfo, "PRESET_INFO", none, getPresetInfo),
    both(presetStatus, "PRESET_STATUS", bytes(2), getPresetStatus, bytes(9), setPresetStatus),
    both(presetMergeMode, "PRESET_MERGEMODE", none, get8<&C::presetMergeMode>, bytes(1),
         setPresetMergeMode),
    both(powerOnSelfTest, "POWER_ON_SELF_TEST", none, get8<&C::powerOnSelfTest>, bytes(1),
         set8<&C::slotSetPowerOnSelfTest>, byteRange(0, 1)),
};

constexpr bool byPid(const RdmParameter &a, const RdmParameter &b) {
    return a.pid < b.pid;
}
static_assert(std::is_sorted(std::begin(parameterTable), std::end(parameterTable), byPid));

constexpr bool handlersMatchClasses() {
    return std::all_of(std::begin(parameterTable), std::end(parameterTable), [](const auto &p) {
        return p.serve == RdmServe::no || ((p.get != nullptr) == bool(p.allowed & RdmAllow::get) &&
                                           (p.set != nullptr) == bool(p.allowed & RdmAllow::set));
    });
}
static_assert(handlersMatchClasses());

} // namespace

const RdmParameter *findRdmParameter(quint16 pid) {
    const auto it =
        std::lower_bound(std::begin(parameterTable), std::end(parameterTable), pid,
                         [](const RdmParameter &p, quint16 key) { return p.pid < key; });
    return it != std::end(parameterTable) && it->pid == pid ? &*it : nullptr;
}

std::span<const RdmParameter> rdmParameterTable() {
    return parameterTable;
}

namespace {
template <typename Keep> QList<quint16> pidsWhere(Keep keep) {
    QList<quint16> pids;
    for (const RdmParameter &p : parameterTable)
        if (keep(p))
            pids.append(p.pid);
    return pids;
}
} // namespace

QList<quint16> rdmListedParameters() {
    return pidsWhere([](const RdmParameter &p) { return p.serve == RdmServe::listed; });
}

QList<quint16> rdmServedParameters() {
    return pidsWhere([](const RdmParameter &p) { return p.served(); });
}
