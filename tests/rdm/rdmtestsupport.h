#pragma once

// A responder set up the way the display engine sets it up at start-up.

#include "net/network.h"
#include "rdm/buildlabel.h"
#include "rdm/configurator.h"
#include "rdm/rdm.h"
#include "rdm/sensorinfo.h"
#include "rdmtestframing.h"

#include <QByteArray>
#include <QDateTime>
#include <QHostAddress>
#include <QNetworkAddressEntry>
#include <QObject>

namespace RdmTest {

inline QList<InterfaceRecord> oneInterface() {
    InterfaceRecord r;
    r.entry.setIp(QHostAddress(QStringLiteral("192.168.1.20")));
    r.entry.setNetmask(QHostAddress(QStringLiteral("255.255.255.0")));
    r.entry.setBroadcast(QHostAddress(QStringLiteral("192.168.1.255")));
    r.hardwareAddress = QStringLiteral("00:1A:2B:3C:4D:5E");
    r.name = QStringLiteral("eth0");
    return {r};
}

// The model filled with the values the engine gives it at start-up.
inline void fillStartupModel(Configurator &m, const network &net, quint16 footprint,
                             const QDateTime &start) {
    m.slotSetDeviceInfo(0x0208, 0x0101, 0x02080300, footprint, 0);
    m.slotSetProductDetailIdList({0x0204, 0x0601});
    m.slotSetDeviceModelDescription(QStringLiteral("Tessaview"));
    m.slotSetManufacturerLabel(QStringLiteral("www.example.org"));
    m.slotSetDeviceLabel(QStringLiteral("Tessaview"));
    m.slotSetLanguageCapabilities({0x6465, 0x656E});
    m.slotSetLanguage(0x656E, true);
    m.slotSetSoftwareVersionLabel(QStringLiteral("V2.8"));
    m.slotSetBootSoftwareVersionId(32);
    m.slotSetBootSoftwareVersionLabel(bootSoftwareVersionLabel());
    QList<stDmxPersonality> personalities{{footprint, QStringLiteral("Current")}};
    for (int i = 1; i <= 9; ++i)
        personalities.append({512, QStringLiteral("Preset %1").arg(i)});
    m.slotSetDmxPersonalityDescription(personalities);
    m.slotSetDmxPersonality(1);
    m.slotSetDmxStartAddress(1);
    m.slotSetSlotInfo(0, 1);
    m.slotSetSlotDescription(QStringLiteral("Intensity"));
    m.slotSetDefaultSlotValue(0);
    m.slotSetDeviceHours(start);
    m.slotSetLampHours(start);
    m.slotSetDevicePowerCycle(17);
    m.slotSetDisplayLevel(255);
    m.slotSetSelfTestDescription({{0, QStringLiteral("SELF_TEST_OFF")},
                                  {1, QStringLiteral("Fill Snake")},
                                  {2, QStringLiteral("Color On/Off with R, G, B, W")},
                                  {3, QStringLiteral("Unfill Snake")},
                                  {4, QStringLiteral("Random Fill")},
                                  {5, QStringLiteral("Block Fill")},
                                  {255, QStringLiteral("SELF_TEST_ALL")}});
    m.slotSetDmxBlockAddress(0xFFFF);
    m.slotSetDmxFailMode({1, 0, 0, 255});
    m.slotSetDmxStartupMode({1, 0, 0, 255});
    m.slotSetMaximumLevel(255);
    m.slotSetCurve(1);
    m.slotSetCurveDescription({QStringLiteral("Curve Description Linear")});
    m.slotSetOutputResponseTime(1);
    m.slotSetOutputResponseTimeDescription(
        {{1, QStringLiteral("Output Response Time Description = 1")}});
    m.slotSetModulationFrequencyDescription(QStringLiteral("Modulation Frequency Description"));
    m.slotSetLockPin(7391);
    m.slotSetLockStateDescription({{0, QStringLiteral("Unlocked")}, {1, QStringLiteral("Locked")}});
    m.slotSetPresetStatus(QList<stPresetStatus>(9));
    m.slotSetDimmerInfo({0, 255, 0, 255, 1, 8, 0});
    m.slotSetPresetInfo({0, 0, 0, 0, 1, 1, 9, 0, 0, 0, 0, 0, 3000, 0, 3000, 0, 3000, 0, 3000});
    m.slotSetPresetMergeMode(2);

    QList<stListInterfaces> interfaces;
    QList<stInterfaceLabel> labels;
    QList<stHardwareAddressType1> hardware;
    QList<stIpV4DhcpMode> dhcp;
    QList<stIpV4ZeroconfMode> zeroconf;
    QList<stIpV4CurrentAddress> current;
    QList<stIpV4StaticAddress> statics;
    InterfaceRecord record;
    for (int i = 0; i < 38 && net.getInterface(i, record); ++i) {
        const quint32 address = record.entry.ip().toIPv4Address();
        const quint32 netmask = record.entry.netmask().toIPv4Address();
        interfaces.append({address, 1});
        labels.append(stInterfaceLabel{address, QString()});
        hardware.append(stHardwareAddressType1{address, QString()});
        dhcp.append({address, 2});
        zeroconf.append({address, 0});
        current.append({address, netmask, 2});
        statics.append({address, netmask});
    }
    m.slotSetListInterfaces(interfaces);
    m.slotSetInterfaceLabel(labels);
    m.slotSetInterfaceHardwareAddressType1(hardware);
    m.slotSetIpV4DhcpMode(dhcp);
    m.slotSetIpV4ZeroconfMode(zeroconf);
    m.slotSetIpV4CurrentAddress(current);
    m.slotSetIpV4StaticAddress(statics);
    m.slotSetDnsIpV4NameServer({QHostAddress(QStringLiteral("127.0.0.1"))});
    m.slotSetDnsHostName(net.hostName());
    m.slotSetDnsDomainName(net.domainName());
    m.slotSetResetFactoryDefaults();
}

// The connections the display engine makes from the responder to the model.
inline void connectToModel(rdm &r, Configurator &m) {
    QObject::connect(&r, &rdm::signalRdmSubDeviceStatusReportThreshold, &m,
                     &Configurator::slotSetSubDeviceStatusReportThreshold);
    QObject::connect(&r, &rdm::signalRdmDeviceLabel, &m, &Configurator::slotSetDeviceLabel);
    QObject::connect(&r, &rdm::signalRdmFactoryDefaults, &m, &Configurator::slotSetFactoryDefaults);
    QObject::connect(&r, &rdm::signalRdmLanguage, &m, &Configurator::slotSetLanguage);
    QObject::connect(&r, &rdm::signalRdmDmxPersonality, &m, &Configurator::slotSetDmxPersonality);
    QObject::connect(&r, &rdm::signalRdmDmxStartAddress, &m, &Configurator::slotSetDmxStartAddress);
    QObject::connect(&r, &rdm::signalRdmDeviceHours, &m,
                     qOverload<quint32>(&Configurator::slotSetDeviceHours));
    QObject::connect(&r, &rdm::signalRdmLampHours, &m,
                     qOverload<quint32>(&Configurator::slotSetLampHours));
    QObject::connect(&r, &rdm::signalRdmLampStrikes, &m, &Configurator::slotSetLampStrikes);
    QObject::connect(&r, &rdm::signalRdmLampState, &m, &Configurator::slotSetLampState);
    QObject::connect(&r, &rdm::signalRdmLampOnMode, &m, &Configurator::slotSetLampOnMode);
    QObject::connect(&r, &rdm::signalRdmDevicePowerCycle, &m,
                     &Configurator::slotSetDevicePowerCycle);
    QObject::connect(&r, &rdm::signalRdmDisplayInvert, &m, &Configurator::slotSetScreenInvert);
    QObject::connect(&r, &rdm::signalRdmDisplayLevel, &m, &Configurator::slotSetDisplayLevel);
    QObject::connect(&r, &rdm::signalRdmPanInvert, &m, &Configurator::slotSetScreenFlipVertical);
    QObject::connect(&r, &rdm::signalRdmTiltInvert, &m, &Configurator::slotSetScreenFlipHorizontal);
    QObject::connect(&r, &rdm::signalRdmPanTiltSwap, &m, &Configurator::slotSetScreenRotation);
    QObject::connect(&r, &rdm::signalRdmRealTimeClock, &m, &Configurator::slotSetRealTimeClock);
    QObject::connect(&r, &rdm::signalRdmIdentifyDevice, &m, &Configurator::slotSetIdentifyDevice);
    QObject::connect(&r, &rdm::signalRdmPowerState, &m, &Configurator::slotSetPowerState);
    QObject::connect(&r, &rdm::signalRdmPerformSelfTest, &m, &Configurator::slotSetPerformSelfTest);
    QObject::connect(&r, &rdm::signalRdmPresetPlayback, &m, &Configurator::slotSetPresetPlayback);
    QObject::connect(&r, &rdm::signalRdmDmxFailMode, &m, &Configurator::slotSetDmxFailMode);
    QObject::connect(&r, &rdm::signalRdmDmxStartupMode, &m, &Configurator::slotSetDmxStartupMode);
    QObject::connect(&r, &rdm::signalRdmMinimumLevel, &m, &Configurator::slotSetMinimumLevel);
    QObject::connect(&r, &rdm::signalRdmMaximumLevel, &m, &Configurator::slotSetMaximumLevel);
    QObject::connect(&r, &rdm::signalRdmCurve, &m, &Configurator::slotSetCurve);
    QObject::connect(&r, &rdm::signalRdmOutputResponseTime, &m,
                     &Configurator::slotSetOutputResponseTime);
    QObject::connect(&r, &rdm::signalRdmModulationFrequency, &m,
                     &Configurator::slotSetModulationFrequency);
    QObject::connect(&r, &rdm::signalRdmBurnIn, &m, &Configurator::slotSetBurnIn);
    QObject::connect(&r, &rdm::signalRdmLockPin, &m, &Configurator::slotSetLockPin);
    QObject::connect(&r, &rdm::signalRdmLockState, &m, &Configurator::slotSetLockState);
    QObject::connect(&r, &rdm::signalRdmIdentifyMode, &m, &Configurator::slotSetIdentifyMode);
    QObject::connect(&r, &rdm::signalRdmPresetStatus, &m,
                     qOverload<quint16, stPresetStatus>(&Configurator::slotSetPresetStatus));
    QObject::connect(&r, &rdm::signalRdmPresetMergeMode, &m, &Configurator::slotSetPresetMergeMode);
    QObject::connect(&r, &rdm::signalRdmPowerOnSelfTest, &m, &Configurator::slotSetPowerOnSelfTest);
}

// A responder wired like the engine wires it, on a computer with the single address
// 192.168.1.20/24 and 8 GiB of memory, started at noon on 15 March 2024 (UTC).
struct Fixture {
    explicit Fixture(quint16 footprint = 512) {
        fillStartupModel(model, net, footprint, now);
        connectToModel(responder, model);
    }

    QByteArray ask(const QByteArray &message) {
        return responder.handleRequest(message, RdmUid{ownManufacturer, ownDevice}).toByteArray();
    }

    QDateTime now = QDateTime(QDate(2024, 3, 15), QTime(12, 0), Qt::UTC);
    Configurator model{[this] { return now; }};
    SensorInfo sensors{
        [] { return QByteArray("MemTotal: 8388608 kB\nMemAvailable: 4194304 kB\n"); }};
    network net{oneInterface(), QStringLiteral("tessahost"), QStringLiteral("example.org")};
    rdm responder{&model, &sensors, &net};
};

} // namespace RdmTest
