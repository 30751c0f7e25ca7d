#include "rdm/devicemodelsetup.h"

#include "buildinfo.h"
#include "net/network.h"
#include "rdm/buildlabel.h"
#include "rdm/configurator.h"
#include "settings/settingsrecord.h"

#include <QHostAddress>

namespace {
const QString productName = QLatin1String(BuildInfo::productName);

QList<stDmxPersonality> personalities(quint16 footprint) {
    // Personality 1 is the settings in effect, 2 ... 10 the presets 1 ... 9.
    QList<stDmxPersonality> list{{footprint, QStringLiteral("Current")}};
    for (int preset = 1; preset <= 9; ++preset)
        list.append({512, QStringLiteral("Preset %1").arg(preset)});
    return list;
}

QList<stSelfTestDescription> selfTests() {
    return {{0, QStringLiteral("SELF_TEST_OFF")},
            {1, QStringLiteral("Fill Snake")},
            {2, QStringLiteral("Color On/Off with R, G, B, W")},
            {3, QStringLiteral("Unfill Snake")},
            {4, QStringLiteral("Random Fill")},
            {5, QStringLiteral("Block Fill")},
            {255, QStringLiteral("SELF_TEST_ALL")}};
}
} // namespace

void fillInterfaces(Configurator &model, const network *net) {
    QList<stListInterfaces> interfaces;
    QList<stInterfaceLabel> labels;
    QList<stHardwareAddressType1> hardware;
    QList<stIpV4DhcpMode> dhcp;
    QList<stIpV4ZeroconfMode> zeroconf;
    QList<stIpV4CurrentAddress> current;
    QList<stIpV4StaticAddress> statics;
    quint32 address = 0;
    quint32 netmask = 0;
    quint32 broadcast = 0;
    QString hardwareAddress;
    for (int index = 0; net && index < maxRdmInterfaces &&
                        net->getAddressInfo(index, address, netmask, broadcast, hardwareAddress);
         ++index) {
        interfaces.append({address, 1});
        labels.append({address, QString()});
        hardware.append({address, QString()});
        dhcp.append({address, 2});
        zeroconf.append({address, 0});
        current.append({address, netmask, 2});
        statics.append({address, netmask});
    }
    model.slotSetListInterfaces(interfaces);
    model.slotSetInterfaceLabel(labels);
    model.slotSetInterfaceHardwareAddressType1(hardware);
    model.slotSetIpV4DhcpMode(dhcp);
    model.slotSetIpV4ZeroconfMode(zeroconf);
    model.slotSetIpV4CurrentAddress(current);
    model.slotSetIpV4StaticAddress(statics);
    model.slotSetDnsHostName(net ? net->hostName() : QString());
    model.slotSetDnsDomainName(net ? net->domainName() : QString());
}

void fillDeviceModel(Configurator &model, const DeviceModelStart &start, const network *net) {
    const quint16 versionMajor = BuildInfo::versionMajor;
    const quint16 versionMinor = BuildInfo::versionMinor;
    // 0x02080300 for 2.8.3.0.
    const quint32 softwareVersionId =
        quint32(BuildInfo::versionMajor) << 24 | quint32(BuildInfo::versionMinor) << 16 |
        quint32(BuildInfo::versionPatch) << 8 | quint32(BuildInfo::versionBuild);

    // Model 0x0208, PRODUCT_CATEGORY_FIXTURE_FIXED, no sub-devices.
    model.slotSetDeviceInfo(0x0208, 0x0101, softwareVersionId, start.footprint, 0);
    // PRODUCT_DETAIL_LCDGATE, PRODUCT_DETAIL_ETHERNET_NODE.
    model.slotSetProductDetailIdList({0x0204, 0x0601});
    model.slotSetDeviceModelDescription(productName);
    model.slotSetManufacturerLabel(QLatin1String(BuildInfo::makerWeb));
    model.slotSetDeviceLabel(productName);
    model.slotSetLanguageCapabilities({LanguageCode::German, LanguageCode::English});
    model.slotSetLanguage(start.language);
    model.slotSetSoftwareVersionLabel(QStringLiteral("V%1.%2").arg(versionMajor).arg(versionMinor));
    model.slotSetBootSoftwareVersionId(32);
    model.slotSetBootSoftwareVersionLabel(bootSoftwareVersionLabel());
    model.slotSetPresetHelper(start.preset);
    model.slotSetDmxPersonalityDescription(personalities(start.footprint));
    // A stored address the footprint has outgrown (more channels per universe) moves back.
    model.slotSetDmxStartAddress(model.fittingStartAddress(start.dmxStartAddress));
    model.slotSetSlotInfo(0, 1);
    model.slotSetSlotDescription(QStringLiteral("Intensity"));
    model.slotSetDefaultSlotValue(0);
    model.slotSetDeviceHours(start.startTime);
    model.slotSetLampHours(start.startTime);
    model.slotSetDevicePowerCycle(start.powerCycles);
    model.slotSetDisplayLevel(start.displayLevel);
    model.slotSetScreenFlipVertical(start.flipVertical);
    model.slotSetScreenFlipHorizontal(start.flipHorizontal);
    model.slotSetScreenRotation(start.rotation);
    model.slotSetIdentifyDevice(start.identify);
    model.slotSetPerformSelfTest(start.selfTest);
    model.slotSetSelfTestDescription(selfTests());
    model.slotSetDmxBlockAddress(0xFFFF);
    model.slotSetDmxFailMode(start.failMode);
    model.slotSetDmxStartupMode(start.startupMode);
    model.slotSetFailSafeScene(start.failSafeScene);
    // Levels are the 8-bit channel values; the screen has no split minimum levels.
    model.slotSetDimmerInfo({0, 255, 0, 255, 1, 8, 0});
    model.slotSetMinimumLevel({0, 0, 0});
    model.slotSetMaximumLevel(255);
    model.slotSetCurve(1);
    model.slotSetCurveDescription({QStringLiteral("Curve Description Linear")});
    model.slotSetOutputResponseTime(1);
    model.slotSetOutputResponseTimeDescription(
        {{1, QStringLiteral("Output Response Time Description = 1")}});
    model.slotSetModulationFrequency(0);
    model.slotSetModulationFrequencyDescription(QStringLiteral("Modulation Frequency Description"));
    model.slotSetBurnIn(0);
    model.slotSetLockPin(7391);
    model.slotSetLockState(0);
    model.slotSetLockStateDescription(
        {{0, QStringLiteral("Unlocked")}, {1, QStringLiteral("Locked")}});
    model.slotSetIdentifyMode(0);
    // Nine presets (the personalities after the first); fail and start-up times up to five
    // minutes, holds also infinite; the level scales the fail scene.
    model.slotSetPresetInfo({1, 0, 0, 0, 1, 1, 9, 0, 0, 0, 0, 0, 3000, 0, 3000, 0, 3000, 0, 3000});
    model.slotSetPresetStatus(QList<stPresetStatus>(9));
    model.slotSetPresetMergeMode(2);
    model.slotSetPowerOnSelfTest(0);
    model.slotSetDnsIpV4NameServer({QHostAddress(QHostAddress::LocalHost)});
    fillInterfaces(model, net);
}
