#pragma once

#include <QtGlobal>

// Code values of ANSI E1.20, E1.37-1 and E1.37-2 used by the responder.
namespace Rdm {

inline constexpr quint8 startCode = 0xCC;
inline constexpr quint8 subStartCode = 0x01;

namespace CommandClass {
inline constexpr quint8 discovery = 0x10;
inline constexpr quint8 discoveryResponse = 0x11;
inline constexpr quint8 get = 0x20;
inline constexpr quint8 getResponse = 0x21;
inline constexpr quint8 set = 0x30;
inline constexpr quint8 setResponse = 0x31;
} // namespace CommandClass

namespace ResponseType {
inline constexpr quint8 ack = 0x00;
inline constexpr quint8 nackReason = 0x02;
inline constexpr quint8 ackOverflow = 0x03;
} // namespace ResponseType

namespace Nack {
inline constexpr quint16 unknownPid = 0x0000;
inline constexpr quint16 formatError = 0x0001;
inline constexpr quint16 unsupportedCommandClass = 0x0005;
inline constexpr quint16 dataOutOfRange = 0x0006;
inline constexpr quint16 writeProtect = 0x0007;
inline constexpr quint16 subDeviceOutOfRange = 0x0009;
inline constexpr quint16 actionNotSupported = 0x000B;
} // namespace Nack

namespace Pid {
// E1.20
inline constexpr quint16 discUniqueBranch = 0x0001;
inline constexpr quint16 discMute = 0x0002;
inline constexpr quint16 discUnMute = 0x0003;
inline constexpr quint16 proxiedDevices = 0x0010;
inline constexpr quint16 proxiedDeviceCount = 0x0011;
inline constexpr quint16 commsStatus = 0x0015;
inline constexpr quint16 queuedMessage = 0x0020;
inline constexpr quint16 statusMessages = 0x0030;
inline constexpr quint16 statusIdDescription = 0x0031;
inline constexpr quint16 clearStatusId = 0x0032;
inline constexpr quint16 subDeviceStatusReportThreshold = 0x0033;
inline constexpr quint16 supportedParameters = 0x0050;
inline constexpr quint16 parameterDescription = 0x0051;
inline constexpr quint16 deviceInfo = 0x0060;
inline constexpr quint16 productDetailIdList = 0x0070;
inline constexpr quint16 deviceModelDescription = 0x0080;
inline constexpr quint16 manufacturerLabel = 0x0081;
inline constexpr quint16 deviceLabel = 0x0082;
inline constexpr quint16 factoryDefaults = 0x0090;
inline constexpr quint16 languageCapabilities = 0x00A0;
inline constexpr quint16 language = 0x00B0;
inline constexpr quint16 softwareVersionLabel = 0x00C0;
inline constexpr quint16 bootSoftwareVersionId = 0x00C1;
inline constexpr quint16 bootSoftwareVersionLabel = 0x00C2;
inline constexpr quint16 dmxPersonality = 0x00E0;
inline constexpr quint16 dmxPersonalityDescription = 0x00E1;
inline constexpr quint16 dmxStartAddress = 0x00F0;
inline constexpr quint16 slotInfo = 0x0120;
inline constexpr quint16 slotDescription = 0x0121;
inline constexpr quint16 defaultSlotValue = 0x0122;
inline constexpr quint16 sensorDefinition = 0x0200;
inline constexpr quint16 sensorValue = 0x0201;
inline constexpr quint16 recordSensors = 0x0202;
inline constexpr quint16 deviceHours = 0x0400;
inline constexpr quint16 lampHours = 0x0401;
inline constexpr quint16 lampStrikes = 0x0402;
inline constexpr quint16 lampState = 0x0403;
inline constexpr quint16 lampOnMode = 0x0404;
inline constexpr quint16 devicePowerCycles = 0x0405;
inline constexpr quint16 displayInvert = 0x0500;
inline constexpr quint16 displayLevel = 0x0501;
inline constexpr quint16 panInvert = 0x0600;
inline constexpr quint16 tiltInvert = 0x0601;
inline constexpr quint16 panTiltSwap = 0x0602;
inline constexpr quint16 realTimeClock = 0x0603;
inline constexpr quint16 identifyDevice = 0x1000;
inline constexpr quint16 resetDevice = 0x1001;
inline constexpr quint16 powerState = 0x1010;
inline constexpr quint16 performSelfTest = 0x1020;
inline constexpr quint16 selfTestDescription = 0x1021;
inline constexpr quint16 capturePreset = 0x1030;
inline constexpr quint16 presetPlayback = 0x1031;
// E1.37-1
inline constexpr quint16 dmxBlockAddress = 0x0140;
inline constexpr quint16 dmxFailMode = 0x0141;
inline constexpr quint16 dmxStartupMode = 0x0142;
inline constexpr quint16 dimmerInfo = 0x0340;
inline constexpr quint16 minimumLevel = 0x0341;
inline constexpr quint16 maximumLevel = 0x0342;
inline constexpr quint16 curve = 0x0343;
inline constexpr quint16 curveDescription = 0x0344;
inline constexpr quint16 outputResponseTime = 0x0345;
inline constexpr quint16 outputResponseTimeDescription = 0x0346;
inline constexpr quint16 modulationFrequency = 0x0347;
inline constexpr quint16 modulationFrequencyDescription = 0x0348;
inline constexpr quint16 burnIn = 0x0440;
inline constexpr quint16 lockPin = 0x0640;
inline constexpr quint16 lockState = 0x0641;
inline constexpr quint16 lockStateDescription = 0x0642;
inline constexpr quint16 identifyMode = 0x1040;
inline constexpr quint16 presetInfo = 0x1041;
inline constexpr quint16 presetStatus = 0x1042;
inline constexpr quint16 presetMergeMode = 0x1043;
inline constexpr quint16 powerOnSelfTest = 0x1044;
// E1.37-2
inline constexpr quint16 listInterfaces = 0x0700;
inline constexpr quint16 interfaceLabel = 0x0701;
inline constexpr quint16 interfaceHardwareAddressType1 = 0x0702;
inline constexpr quint16 ipv4DhcpMode = 0x0703;
inline constexpr quint16 ipv4ZeroconfMode = 0x0704;
inline constexpr quint16 ipv4CurrentAddress = 0x0705;
inline constexpr quint16 ipv4StaticAddress = 0x0706;
inline constexpr quint16 interfaceRenewDhcp = 0x0707;
inline constexpr quint16 interfaceReleaseDhcp = 0x0708;
inline constexpr quint16 interfaceApplyConfiguration = 0x0709;
inline constexpr quint16 ipv4DefaultRoute = 0x070A;
inline constexpr quint16 dnsIpv4NameServer = 0x070B;
inline constexpr quint16 dnsHostname = 0x070C;
inline constexpr quint16 dnsDomainName = 0x070D;
} // namespace Pid

// PRESET_STATUS's programmed state (E1.37-1).
namespace PresetProgrammed {
inline constexpr quint8 notProgrammed = 0x00;
inline constexpr quint8 programmed = 0x01;
inline constexpr quint8 readOnly = 0x02;
} // namespace PresetProgrammed

} // namespace Rdm
