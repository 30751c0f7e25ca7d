#include "dialogs/rdminforows.h"

#include "dialogs/rdmparameterinfo.h"
#include "net/network.h"
#include "rdm/configurator.h"
#include "rdm/rdmconstants.h"
#include "rdm/rdmparameters.h"
#include "settings/settingsrecord.h"

#include <QHostAddress>

using namespace Rdm::Pid;

namespace {

// A number in hexadecimal, upper case, padded with "0" to the width of its type.
template <typename T> QString hex(T value) {
    return QStringLiteral("%1")
        .arg(qulonglong(value), int(sizeof(T) * 2), 16, QLatin1Char('0'))
        .toUpper();
}

template <typename T> QString number(T value) {
    return QString::number(value);
}

RdmInfoRow row(quint16 pid, QStringList values = {}, int currentIndex = -1) {
    return {pid, std::move(values), currentIndex};
}

RdmInfoRow one(quint16 pid, const QString &value) {
    return {pid, {value}, -1};
}

// The list position of the entry numbered `number` in a list numbered from 1, or -1.
int oneBased(qsizetype count, int number) {
    return (number >= 1 && number <= count) ? number - 1 : -1;
}

} // namespace

QString RdmInfoRows::trueFalse(bool value) {
    return value ? tr("True") : tr("False");
}

QString RdmInfoRows::offOn(bool value) {
    return value ? tr("On") : tr("Off");
}

QString RdmInfoRows::deviceInfo(const Configurator &m) {
    const quint16 protocol = m.rdmProtocolVersion();
    return tr("RDM Protocol Version %1.%2 (0x%3)\n")
               .arg(protocol >> 8)
               .arg(protocol & 0xFF)
               .arg(hex(protocol)) +
           tr("Device Modell ID %1 (0x%2)\n").arg(m.deviceModelId()).arg(hex(m.deviceModelId())) +
           tr("Product Category %1 (0x%2)\n")
               .arg(m.productCategory())
               .arg(hex(m.productCategory())) +
           tr("Software Version ID %1 (0x%2)\n")
               .arg(m.softwareVersionId())
               .arg(hex(m.softwareVersionId())) +
           tr("DMX512 Footprint %1 (0x%2)\n")
               .arg(m.personalityFootprint())
               .arg(hex(m.personalityFootprint())) +
           tr("DMX512 Personality %1 (0x%2)\n")
               .arg(m.dmxPersonality())
               .arg(hex(m.dmxPersonality())) +
           tr("DMX512 Start Address %1 (0x%2)\n")
               .arg(m.dmxStartAddress())
               .arg(hex(m.dmxStartAddress())) +
           tr("Sub Device Count %1 (0x%2)\n").arg(m.subDeviceCount()).arg(hex(m.subDeviceCount()));
}

QString RdmInfoRows::lampState(quint8 state) {
    switch (state) {
    case 0x00:
        return QStringLiteral("LAMP_OFF");
    case 0x01:
        return QStringLiteral("LAMP_ON");
    case 0x02:
        return QStringLiteral("LAMP_STRIKE");
    case 0x03:
        return QStringLiteral("LAMP_STANDBY");
    case 0x04:
        return QStringLiteral("LAMP_NOT_PRESET");
    case 0x7F:
        return QStringLiteral("LAMP_ERROR");
    default:
        if (state >= 0x80 && state <= 0xDF)
            return tr("Manufacturer State");
        return tr("unknown");
    }
}

QString RdmInfoRows::lampOnMode(quint8 mode) {
    switch (mode) {
    case 0x00:
        return QStringLiteral("LAMP_ON_MODE_OFF");
    case 0x01:
        return QStringLiteral("LAMP_ON_MODE_DMX");
    case 0x02:
        return QStringLiteral("LAMP_ON_MODE_ON");
    case 0x03:
        return QStringLiteral("LAMP_ON_MODE_AFTER_CAL");
    default:
        return tr("Manufacturer State");
    }
}

QString RdmInfoRows::slotTypeName(quint8 type) {
    switch (type) {
    case 0x00:
        return QStringLiteral("ST_PRIMARY");
    case 0x01:
        return QStringLiteral("ST_SEC_FINE");
    case 0x02:
        return QStringLiteral("ST_SEC_TIMING");
    case 0x03:
        return QStringLiteral("ST_SEC_SPEED");
    case 0x04:
        return QStringLiteral("ST_SEC_CONTROL");
    case 0x05:
        return QStringLiteral("ST_SEC_INDEX");
    case 0x06:
        return QStringLiteral("ST_SEC_ROTATION");
    case 0x07:
        return QStringLiteral("ST_SEC_INDEX_ROTATE");
    case 0xFF:
        return QStringLiteral("ST_SEC_UNDEFINED");
    default:
        return tr("Unknown");
    }
}

QList<RdmInfoRow> RdmInfoRows::e120(const Configurator &m) {
    QList<RdmInfoRow> rows;

    rows << row(clearStatusId);
    rows << one(subDeviceStatusReportThreshold, number(m.subDeviceStatusReportThreshold()));

    // Every parameter answered, so also those SUPPORTED_PARAMETERS leaves out because every
    // responder must serve them; hence the table rather than the model's copy of that list.
    QStringList supported;
    for (quint16 pid : rdmServedParameters())
        supported << QStringLiteral("0x%1 %2").arg(hex(pid), RdmParameterInfo::parameterName(pid));
    rows << row(supportedParameters, supported);

    rows << row(parameterDescription);
    rows << one(Rdm::Pid::deviceInfo, RdmInfoRows::deviceInfo(m));

    QStringList details;
    for (quint16 id : m.productDetailIdList()) {
        QString name = RdmParameterInfo::productDetailName(id);
        if (name.isEmpty())
            name = tr("Unknown");
        details << QStringLiteral("%1 (0x%2)").arg(name, hex(id));
    }
    rows << row(productDetailIdList, details);

    rows << one(deviceModelDescription, m.deviceModelDescription());
    rows << one(manufacturerLabel, m.manufacturerLabel());
    rows << one(deviceLabel, m.deviceLabel());
    rows << one(factoryDefaults, trueFalse(m.factoryDefaults()));

    QStringList languages;
    const QList<quint16> capabilities = m.languageCapabilities();
    for (quint16 code : capabilities)
        languages << languageLetters(code);
    rows << row(languageCapabilities, languages, int(capabilities.indexOf(m.language())));
    rows << one(language, languageLetters(m.language()));

    rows << one(softwareVersionLabel, m.softwareVersionLabel());
    rows << one(bootSoftwareVersionId, QStringLiteral("%1 (0x%2)")
                                           .arg(m.bootSoftwareVersionId())
                                           .arg(hex(m.bootSoftwareVersionId())));
    rows << one(bootSoftwareVersionLabel, m.bootSoftwareVersionLabel());

    QStringList personalities;
    const QList<stDmxPersonality> descriptions = m.personalityDescriptions();
    for (qsizetype i = 0; i < descriptions.size(); ++i) {
        const stDmxPersonality &p = descriptions.at(i);
        // One multi-argument call, so a "%" in a description is never taken as a marker.
        personalities << tr("#%1: %2 | %3 (0x%4)")
                             .arg(QString::number(i + 1), p.sDescription,
                                  QString::number(p.uiFootprint), hex(p.uiFootprint));
    }
    const int currentPersonality = oneBased(descriptions.size(), m.dmxPersonality());
    rows << row(dmxPersonality, personalities, currentPersonality);
    rows << row(dmxPersonalityDescription, personalities, currentPersonality);

    rows << one(dmxStartAddress, number(m.dmxStartAddress()));

    // Every slot of the footprint carries the same type, label and default value.
    QStringList slotInfos, slotDescriptions, slotDefaults;
    for (int slot = 0; slot < m.personalityFootprint(); ++slot) {
        slotInfos << tr("#%1: Slot Type %2 (0x%3) | Slot Label ID %4 (0x%5)")
                         .arg(slot)
                         .arg(slotTypeName(m.slotType()))
                         .arg(hex(m.slotType()))
                         .arg(m.slotLabelId())
                         .arg(hex(m.slotLabelId()));
        slotDescriptions << QStringLiteral("#%1: %2").arg(slot).arg(m.slotDescription());
        slotDefaults << tr("#%1: Default Slot Value %2 (0x%3)")
                            .arg(slot)
                            .arg(m.defaultSlotValue())
                            .arg(hex(m.defaultSlotValue()));
    }
    rows << row(slotInfo, slotInfos);
    rows << row(slotDescription, slotDescriptions);
    rows << row(defaultSlotValue, slotDefaults);

    rows << one(deviceHours, number(m.deviceHours()));
    rows << one(lampHours, number(m.lampHours()));
    rows << one(lampStrikes, number(m.lampStrikes()));
    rows << one(Rdm::Pid::lampState, lampState(m.lampState()));
    rows << one(Rdm::Pid::lampOnMode, lampOnMode(m.lampOnMode()));
    rows << one(devicePowerCycles, number(m.devicePowerCycles()));

    QString invert;
    switch (m.screenInvert()) {
    case 0:
        invert = tr("Off");
        break;
    case 1:
        invert = tr("On");
        break;
    case 2:
        invert = tr("Auto");
        break;
    default:
        invert = number(m.screenInvert());
    }
    rows << one(displayInvert, invert);
    rows << one(displayLevel, number(m.displayLevel()));

    rows << one(panInvert, offOn(m.screenFlipVertical() != 0));
    rows << one(tiltInvert, offOn(m.screenFlipHorizontal() != 0));
    rows << one(panTiltSwap, offOn(m.screenRotation() != 0));
    rows << one(realTimeClock, m.realTimeClock().toString(QStringLiteral("yyyy/MM/dd hh:mm:ss")));

    rows << one(identifyDevice, offOn(m.identifyDevice() != 0));
    rows << row(resetDevice);

    QString power;
    switch (m.powerState()) {
    case 0x00:
        power = QStringLiteral("POWER_STATE_FULL_OFF");
        break;
    case 0x01:
        power = QStringLiteral("POWER_STATE_SHUTDOWN");
        break;
    case 0x02:
        power = QStringLiteral("POWER_STATE_STANDBY");
        break;
    case 0xFF:
        power = QStringLiteral("POWER_STATE_NORMAL");
        break;
    default:
        power = number(m.powerState());
    }
    rows << one(powerState, power);
    rows << one(performSelfTest, number(m.performSelfTest()));

    QStringList selfTests;
    int currentSelfTest = -1;
    const QList<stSelfTestDescription> tests = m.selfTestDescriptions();
    for (qsizetype i = 0; i < tests.size(); ++i) {
        const stSelfTestDescription &t = tests.at(i);
        if (t.uiNumber == m.performSelfTest())
            currentSelfTest = int(i);
        selfTests << QStringLiteral("#%1 (0x%2): %3")
                         .arg(t.uiNumber)
                         .arg(hex(t.uiNumber))
                         .arg(t.sDescription);
    }
    rows << row(selfTestDescription, selfTests, currentSelfTest);

    rows << one(capturePreset,
                tr("Scene #%1 (0x%2),\nFade Up Time %3 (0x%4),\nFade Down Time %5 (0x%6),\n"
                   "Waittime %7 (0x%8)")
                    .arg(m.capturePresetScene())
                    .arg(hex(m.capturePresetScene()))
                    .arg(m.capturePresetUpFadeTime())
                    .arg(hex(m.capturePresetUpFadeTime()))
                    .arg(m.capturePresetDownFadeTime())
                    .arg(hex(m.capturePresetDownFadeTime()))
                    .arg(m.capturePresetWaitTime())
                    .arg(hex(m.capturePresetWaitTime())));
    rows << one(presetPlayback, tr("Scene #%1 (0x%2),\nLevel %3 (0x%4)")
                                    .arg(m.presetPlaybackMode())
                                    .arg(hex(m.presetPlaybackMode()))
                                    .arg(m.presetPlaybackLevel())
                                    .arg(hex(m.presetPlaybackLevel())));
    return rows;
}

QString RdmInfoRows::presetInfo(const Configurator &m) {
    const stPresetInfo p = m.presetInfo();
    const auto line = [](const char *name, auto value) {
        return QStringLiteral("%1 %2 (0x%3)\n").arg(QLatin1String(name)).arg(value).arg(hex(value));
    };
    return line("LevelFieldSupported", p.uiLevelFieldSupported) +
           line("PresetSequenceSupported", p.uiPresetSequenceSupported) +
           line("SplitTimesSupported", p.uiSplitTimesSupported) +
           line("DMX512FailInfiniteDelayTimeSupported", p.uiDMX512FailInfiniteDelayTimeSupported) +
           line("DMX512FailInfiniteHoldTimeSupported", p.uiDMX512FailInfiniteHoldTimeSupported) +
           line("StartupInfiniteHoldTime", p.uiStartupInfiniteHoldTime) +
           line("MaximumSceneNumber", p.uiMaximumSceneNumber) +
           line("MinimumPresetFadeTimeSupported", p.uiMinimumPresetFadeTimeSupported) +
           line("MaximumPresetFadeTimeSupported", p.uiMaximumPresetFadeTimeSupported) +
           line("MinimumPresetWaitTimeSupported", p.uiMinimumPresetWaitTimeSupported) +
           line("MaximumPresetWaitTimeSupported", p.uiMaximumPresetWaitTimeSupported) +
           line("MinimumDMX512FailDelayTimeSupported", p.uiMinimumDMX512FailDelayTimeSupported) +
           line("MaximumDMX512FailDelayTimeSupported", p.uiMaximumDMX512FailDelayTimeSupported) +
           line("MinimumDMX512FailHoldTimeSupported", p.uiMinimumDMX512FailHoldTimeSupported) +
           line("MaximumDMX512FailHoldTimeSupported", p.uiMaximumDMX512FailHoldTimeSupported) +
           line("MinimumStartupDelayTimeSupported", p.uiMinimumStartupDelayTimeSupported) +
           line("MaximumStartupDelayTimeSupported", p.uiMaximumStartupDelayTimeSupported) +
           line("MinimumStartupHoldTimeSupported", p.uiMinimumStartupHoldTimeSupported) +
           line("MaximumStartupHoldTimeSupported", p.uiMaximumStartupHoldTimeSupported);
}

QList<RdmInfoRow> RdmInfoRows::e137_1(const Configurator &m) {
    QList<RdmInfoRow> rows;

    rows << one(dmxBlockAddress, tr("Total Sub-Device Footprint %1 (0x%2),\n"
                                    "Base DMX512 Address %3 (0x%4)")
                                     .arg(m.totalSubDeviceFootprint())
                                     .arg(hex(m.totalSubDeviceFootprint()))
                                     .arg(m.baseDmx512Address())
                                     .arg(hex(m.baseDmx512Address())));
    // Both modes share one layout; `format` names the delay.
    const auto sceneMode = [](const QString &format, const stDmxSceneMode &mode) {
        return format.arg(mode.uiScene)
            .arg(hex(mode.uiScene))
            .arg(mode.uiDelay)
            .arg(mode.uiHoldTime)
            .arg(mode.uiLevel)
            .arg(hex(mode.uiLevel));
    };
    rows << one(dmxFailMode, sceneMode(tr("Scene #%1 (0x%2),\nLossOfSignalDelayTime %3,\n"
                                          "HoldTime %4,\nLevel %5 (0x%6)"),
                                       m.dmxFailMode()));
    rows << one(dmxStartupMode, sceneMode(tr("Scene #%1 (0x%2),\nStartupDelayTime %3,\n"
                                             "HoldTime %4,\nLevel %5 (0x%6)"),
                                          m.dmxStartupMode()));

    const stDimmerInfo d = m.dimmerInfo();
    rows << one(dimmerInfo,
                QStringLiteral("MinimumLevelLowerLimit %1,\nMinimumLevelUpperLimit %2,\n"
                               "MaximumLevelLowerLimit %3,\nMaximumLevelUpperLimit %4,\n"
                               "NumberOfSupportedCurves %5,\nLevelsResolution %6,\n"
                               "SplitLevelsSupported %7")
                    .arg(d.uiMinimumLevelLowerLimit)
                    .arg(d.uiMinimumLevelUpperLimit)
                    .arg(d.uiMaximumLevelLowerLimit)
                    .arg(d.uiMaximumLevelUpperLimit)
                    .arg(d.uiNumberOfSupportedCurves)
                    .arg(d.uiLevelsResolution)
                    .arg(d.uiMinimumLevelSplitLevelsSupported));
    rows << one(minimumLevel, QStringLiteral("Increasing %1,\nDecreasing %2,\nOnBelowMinimum %3")
                                  .arg(m.minimumLevel().uiIncreasing)
                                  .arg(m.minimumLevel().uiDecreasing)
                                  .arg(m.minimumLevel().uiOnBelowMinimum));
    rows << one(maximumLevel, number(m.maximumLevel()));

    // Curves are numbered from 1 in list order.
    const QStringList curves = m.curveDescriptions();
    QStringList curveTexts;
    for (qsizetype i = 0; i < curves.size(); ++i) {
        const QString &text = curves.at(i);
        curveTexts << QStringLiteral("#%1 (0x%2): %3")
                          .arg(i + 1)
                          .arg(hex(quint8(i + 1)))
                          .arg(text.isEmpty() ? QStringLiteral(" - ") : text);
    }
    const int currentCurve = oneBased(curves.size(), m.curve());
    rows << row(curve, curveTexts, currentCurve);
    rows << (currentCurve >= 0 ? one(curveDescription, curves.at(currentCurve))
                               : row(curveDescription));

    const QList<stOutputResponseTimeDescription> times = m.responseTimeDescriptions();
    QStringList timeTexts;
    int currentTime = -1;
    for (qsizetype i = 0; i < times.size(); ++i) {
        const stOutputResponseTimeDescription &t = times.at(i);
        if (t.uiNumber == m.outputResponseTime())
            currentTime = int(i);
        timeTexts << QStringLiteral("#%1 (0x%2): %3")
                         .arg(t.uiNumber)
                         .arg(hex(t.uiNumber))
                         .arg(t.sDescription.isEmpty() ? QStringLiteral(" - ") : t.sDescription);
    }
    rows << row(outputResponseTime, timeTexts, currentTime);
    rows << (currentTime >= 0
                 ? one(outputResponseTimeDescription, times.at(currentTime).sDescription)
                 : row(outputResponseTimeDescription));
    rows << one(modulationFrequency, number(m.modulationFrequency()));
    rows << one(modulationFrequencyDescription, m.modulationFrequencyDescription());

    rows << one(burnIn, number(m.burnIn()));
    rows << one(lockPin, QStringLiteral("%1 (0x%2)").arg(m.lockPin()).arg(hex(m.lockPin())));

    const QList<stLockStateDescription> locks = m.lockStateDescriptions();
    QString lockDescription;
    bool lockDescribed = false;
    QStringList lockTexts;
    for (const stLockStateDescription &l : locks) {
        if (l.uiNumber == m.lockState()) {
            lockDescription = l.sDescription;
            lockDescribed = true;
        }
        lockTexts << l.sDescription;
    }
    const QString lockNumbers =
        QStringLiteral("%1 (0x%2)").arg(m.lockState()).arg(hex(m.lockState()));
    rows << one(lockState, lockDescribed
                               ? QStringLiteral("%1: %2").arg(lockNumbers, lockDescription)
                               : QStringLiteral("%1 %2").arg(lockNumbers, tr("unknown")));
    rows << row(lockStateDescription, lockTexts);

    rows << one(identifyMode, QStringLiteral("%1 (0x%2): %3")
                                  .arg(m.identifyMode())
                                  .arg(hex(m.identifyMode()))
                                  .arg(m.identifyMode() == 0 ? tr("quiet") : tr("loud")));
    rows << one(Rdm::Pid::presetInfo, presetInfo(m));

    QStringList scenes;
    const QList<stPresetStatus> status = m.presetStatus();
    for (qsizetype i = 0; i < status.size(); ++i) {
        const stPresetStatus &s = status.at(i);
        scenes << tr("Scene %1, UpFadeTime %2, DownFadeTime %3, WaitTime %4, "
                     "ClearPreset/Programmed %5 (0x%6)")
                      .arg(i + 1)
                      .arg(s.uiUpFadeTime)
                      .arg(s.uiDownFadeTime)
                      .arg(s.uiWaitTime)
                      .arg(s.uiProgrammed)
                      .arg(hex(s.uiProgrammed));
    }
    rows << row(presetStatus, scenes);
    rows << one(presetMergeMode, number(m.presetMergeMode()));

    QString selfTest;
    switch (m.powerOnSelfTest()) {
    case 0:
        selfTest = tr("False");
        break;
    case 1:
        selfTest = tr("True");
        break;
    default:
        selfTest = tr("Unknown");
    }
    rows << one(powerOnSelfTest, selfTest);
    return rows;
}

QString RdmInfoRows::hardwareTypeName(quint16 type) {
    switch (type) {
    case 1:
        return QStringLiteral("ETHERNET");
    case 6:
        return QStringLiteral("IEEE802");
    case 20:
        return QStringLiteral("SERIAL_LINE");
    case 24:
        return QStringLiteral("IEEE_1394");
    default:
        return QStringLiteral("HardwareTypeReserved");
    }
}

QString RdmInfoRows::ipV4(quint32 address) {
    return QHostAddress(address).toString();
}

QList<RdmInfoRow> RdmInfoRows::e137_2(const Configurator &m) {
    QList<RdmInfoRow> rows;

    QStringList interfaces;
    for (const stListInterfaces &i : m.listInterfaces())
        interfaces << QStringLiteral("%1 %2 (0x%3)")
                          .arg(i.uiInterfaceId)
                          .arg(hardwareTypeName(i.uiHardwareType))
                          .arg(hex(i.uiHardwareType));
    rows << row(listInterfaces, interfaces);

    QStringList labels;
    for (const stInterfaceLabel &l : m.interfaceLabel())
        labels << QStringLiteral("%1 %2").arg(l.uiInterfaceId).arg(l.sLabel);
    rows << row(interfaceLabel, labels);

    QStringList hardware;
    for (const stHardwareAddressType1 &h : m.hardwareAddressType1())
        hardware << QStringLiteral("%1 %2").arg(h.uiInterfaceId).arg(h.sHardwareAddress);
    rows << row(interfaceHardwareAddressType1, hardware);

    QStringList dhcp;
    for (const stIpV4DhcpMode &d : m.ipV4DhcpMode())
        dhcp << tr("%1, DHCP Mode=%2").arg(d.uiInterfaceId).arg(trueFalse(d.uiDhcpMode == 1));
    rows << row(ipv4DhcpMode, dhcp);

    QStringList zeroconf;
    for (const stIpV4ZeroconfMode &z : m.ipV4ZeroconfMode()) {
        const QString mode = z.uiZeroconfMode == 0   ? tr("False")
                             : z.uiZeroconfMode == 1 ? tr("True")
                                                     : tr("Unknown");
        zeroconf << QStringLiteral("%1, %2").arg(z.uiInterfaceId).arg(mode);
    }
    rows << row(ipv4ZeroconfMode, zeroconf);

    QStringList current;
    for (const stIpV4CurrentAddress &c : m.ipV4CurrentAddress()) {
        const QString status = c.uiDhcpStatus == 0   ? tr("Inactive")
                               : c.uiDhcpStatus == 1 ? tr("Active")
                                                     : tr("Unknown");
        current << tr("%1 / %2 (%3), DHCP Mode=%4")
                       .arg(ipV4(c.uiIpV4Address), ipV4(c.uiNetmask))
                       .arg(network::prefixLength(c.uiNetmask))
                       .arg(status);
    }
    rows << row(ipv4CurrentAddress, current);

    QStringList statics;
    for (const stIpV4StaticAddress &s : m.ipV4StaticAddress())
        statics << QStringLiteral("%1 / %2 (%3)")
                       .arg(ipV4(s.uiIpV4Address), ipV4(s.uiNetmask))
                       .arg(network::prefixLength(s.uiNetmask));
    rows << row(ipv4StaticAddress, statics);

    QStringList servers;
    const QList<QHostAddress> nameServers = m.ipV4NameServer();
    for (qsizetype i = 0; i < nameServers.size(); ++i)
        servers
            << tr("Name Server Index %1, Name Server %2").arg(i).arg(nameServers.at(i).toString());
    rows << row(dnsIpv4NameServer, servers);

    rows << one(dnsHostname, m.dnsHostName());
    rows << one(dnsDomainName, m.dnsDomainName());
    return rows;
}
