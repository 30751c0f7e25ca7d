#pragma once

#include "rdm/configuratortypes.h"

#include <QByteArray>
#include <QDateTime>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The RDM-visible device state. The display engine fills it at start-up, the painter reads
// the screen values, the responder reads everything and feeds accepted SETs into the slots.
// A slot stores a new value only when it really differs (the few commands that act every time
// say so). Most values are only read; the changes something acts on are reported by the few
// signals below. The model also keeps the E1.20 "at factory defaults" flag, which every
// change clears.
class Configurator : public QObject {
    Q_OBJECT

public:
    // Returns the current time; the hours and the real-time clock are taken from it.
    using Clock = std::function<QDateTime()>;

    explicit Configurator(QObject *parent = nullptr);
    explicit Configurator(Clock clock, QObject *parent = nullptr);

    // A controller's REAL_TIME_CLOCK fields as a local date-time, or nothing when that date
    // or time does not exist (month 13, hour 25, 31 February, a local time skipped by a
    // daylight-saving change). A leap second (60) counts as the last second of its minute.
    static std::optional<QDateTime> realTimeClockFromFields(int year, int month, int day, int hour,
                                                            int minute, int second);

    quint8 subDeviceStatusReportThreshold() const { return m_uiSubDeviceStatusReportThreshold; }
    quint16 rdmProtocolVersion() const { return m_uiRdmProtocolVersion; }
    quint16 deviceModelId() const { return m_uiDeviceModelId; }
    quint16 productCategory() const { return m_uiProductCategory; }
    quint32 softwareVersionId() const { return m_uiSoftwareVersionId; }
    quint16 dmxFootprint() const { return m_uiDmxFootprint; }
    quint16 subDeviceCount() const { return m_uiSubDeviceCount; }
    QList<quint16> productDetailIdList() const { return m_lProductDetailIdList; }
    QString deviceModelDescription() const { return m_sDeviceModelDescription; }
    QString manufacturerLabel() const { return m_sManufacturerLabel; }
    QString deviceLabel() const { return m_sDeviceLabel; }
    bool factoryDefaults() const { return m_bFactoryDefaults; }
    QList<quint16> languageCapabilities() const { return m_lLanguageCapabilities; }
    quint16 language() const { return m_uiLanguage; }
    QString softwareVersionLabel() const { return m_sSoftwareVersionLabel; }
    quint32 bootSoftwareVersionId() const { return m_uiBootSoftwareVersionId; }
    QString bootSoftwareVersionLabel() const { return m_sBootSoftwareVersionLabel; }
    quint8 dmxPersonality() const { return m_uiDmxPersonality; }
    QList<stDmxPersonality> personalityDescriptions() const { return m_lPersonalityDescription; }
    quint16 dmxStartAddress() const { return m_uiDmxStartAddress; }
    // The footprint of the current personality as its description gives it (the stored
    // footprint while the personality is not described): what DEVICE_INFO reports and what
    // the start address and the slot lists are measured by.
    quint16 personalityFootprint() const;
    // `uiAddress`, moved back as far as the current footprint needs to end within the universe.
    quint16 fittingStartAddress(quint16 uiAddress) const;
    quint8 slotType() const { return m_uiSlotType; }
    quint16 slotLabelId() const { return m_uiSlotLabelId; }
    QString slotDescription() const { return m_sSlotDescription; }
    quint8 defaultSlotValue() const { return m_uiDefaultSlotValue; }

    // DEVICE_HOURS / LAMP_HOURS as reported: the stored counter when non-zero, else the whole
    // hours from the reference time to now (0 for a reference in the future).
    quint32 deviceHours() const;
    QDateTime deviceHoursReference() const { return m_deviceHoursReference; }
    quint32 lampHours() const;
    QDateTime lampHoursReference() const { return m_lampHoursReference; }
    quint32 lampStrikes() const { return m_uiLampStrikes; }
    quint8 lampState() const { return m_uiLampState; }
    quint8 lampOnMode() const { return m_uiLampOnMode; }
    quint32 devicePowerCycles() const { return m_uiDevicePowerCycles; }

    quint8 screenInvert() const { return m_uiScreenInvert; }
    quint8 displayLevel() const { return m_uiDisplayLevel; }
    quint8 screenFlipVertical() const { return m_uiScreenFlipVertical; }
    quint8 screenFlipHorizontal() const { return m_uiScreenFlipHorizontal; }
    quint16 screenRotation() const { return m_uiScreenRotation; }

    // The controller's clock: current local time plus the stored offset.
    QDateTime realTimeClock() const;
    qint64 realTimeClockOffset() const { return m_iRealTimeClockOffset; }
    quint8 identifyDevice() const { return m_uiIdentifyDevice; }
    quint8 powerState() const { return m_uiPowerState; }
    quint8 performSelfTest() const { return m_uiPerformSelfTest; }
    QList<stSelfTestDescription> selfTestDescriptions() const { return m_lSelfTestDescription; }

    quint16 capturePresetScene() const { return m_uiCapturePresetScene; }
    quint16 capturePresetUpFadeTime() const { return m_uiCapturePresetUpFadeTime; }
    quint16 capturePresetDownFadeTime() const { return m_uiCapturePresetDownFadeTime; }
    quint16 capturePresetWaitTime() const { return m_uiCapturePresetWaitTime; }
    quint16 presetPlaybackMode() const { return m_uiPresetPlaybackMode; }
    quint8 presetPlaybackLevel() const { return m_uiPresetPlaybackLevel; }
    quint16 totalSubDeviceFootprint() const { return m_uiTotalSubDeviceFootprint; }
    quint16 baseDmx512Address() const { return m_uiBaseDmx512Address; }
    stDmxSceneMode dmxFailMode() const { return m_stDmxFailMode; }
    stDmxSceneMode dmxStartupMode() const { return m_stDmxStartupMode; }
    // The look recorded for the fail mode's scene: the picture's channels, universe slot after
    // universe slot, as the frame lays them out; empty until recorded.
    const QByteArray &failSafeScene() const { return m_failSafeScene; }
    stDimmerInfo dimmerInfo() const { return m_stDimmerInfo; }
    stMinimumLevel minimumLevel() const { return m_stMinimumLevel; }
    quint16 maximumLevel() const { return m_uiMaximumLevel; }
    quint8 curve() const { return m_uiCurve; }
    QStringList curveDescriptions() const { return m_slCurveDescription; }
    quint8 outputResponseTime() const { return m_uiOutputResponseTime; }
    QList<stOutputResponseTimeDescription> responseTimeDescriptions() const {
        return m_lResponseTimeDescription;
    }
    quint8 modulationFrequency() const { return m_uiModulationFrequency; }
    QString modulationFrequencyDescription() const { return m_sModulationFrequencyDescription; }
    quint8 burnIn() const { return m_uiBurnIn; }
    quint16 lockPin() const { return m_uiLockPin; }
    quint8 lockState() const { return m_uiLockState; }
    QList<stLockStateDescription> lockStateDescriptions() const { return m_lLockStateDescription; }
    quint8 identifyMode() const { return m_uiIdentifyMode; }
    stPresetInfo presetInfo() const { return m_stPresetInfo; }
    QList<stPresetStatus> presetStatus() const { return m_lPresetStatus; }
    quint8 presetMergeMode() const { return m_uiPresetMergeMode; }
    quint8 powerOnSelfTest() const { return m_uiPowerOnSelfTest; }

    QList<stListInterfaces> listInterfaces() const { return m_lListInterfaces; }
    QList<stInterfaceLabel> interfaceLabel() const { return m_lInterfaceLabel; }
    QList<stHardwareAddressType1> hardwareAddressType1() const { return m_lHardwareAddressType1; }
    QList<stIpV4DhcpMode> ipV4DhcpMode() const { return m_lIpV4DhcpMode; }
    QList<stIpV4ZeroconfMode> ipV4ZeroconfMode() const { return m_lIpV4ZeroconfMode; }
    QList<stIpV4CurrentAddress> ipV4CurrentAddress() const { return m_lIpV4CurrentAddress; }
    QList<stIpV4StaticAddress> ipV4StaticAddress() const { return m_lIpV4StaticAddress; }
    QList<QHostAddress> ipV4NameServer() const { return m_lIpV4NameServer; }
    QString dnsHostName() const { return m_sDnsHostName; }
    QString dnsDomainName() const { return m_sDnsDomainName; }

public slots:
    void slotSetSubDeviceStatusReportThreshold(quint8 uiThreshold);
    void slotSetDeviceInfo(quint16 uiDeviceModelId, quint16 uiProductCategory,
                           quint32 uiSoftwareVersionId, quint16 uiRdmDmxFootPrint,
                           quint16 uiSubDeviceId);
    void slotSetProductDetailIdList(QList<quint16> lProductDetailIdList);
    void slotSetDeviceModelDescription(QString sText);
    void slotSetManufacturerLabel(QString sText);
    void slotSetSoftwareVersionLabel(QString sText);
    void slotSetBootSoftwareVersionLabel(QString sText);
    void slotSetSlotDescription(QString sText);
    void slotSetModulationFrequencyDescription(QString sText);
    void slotSetDnsHostName(QString sText);
    void slotSetDnsDomainName(QString sText);
    void slotSetDeviceLabel(QString sLabel);
    // The one factory reset, from RDM and from the window's menu and dialog alike: always
    // restores the defaults, also right after start-up when the flag is set already, and
    // reports it once.
    void slotSetFactoryDefaults();
    void slotSetResetFactoryDefaults();
    void slotSetLanguageCapabilities(QList<quint16> lLanguageCapabilities);
    void slotSetLanguage(quint16 uiLanguage);
    void slotSetBootSoftwareVersionId(quint32 uiId);
    void slotSetDmxPersonality(quint8 uiPersonality);
    void slotSetDmxPersonalityDescription(QList<stDmxPersonality> lPersonalityDescription);
    void slotSetPresetHelper(int iPresetHelper);
    void slotSetDmxStartAddress(quint16 uiAddress);
    void slotSetSlotInfo(quint8 uiSlotType, quint16 uiSlotLabelId);
    void slotSetDefaultSlotValue(quint8 uiValue);
    void slotSetDeviceHours(quint32 uiHours);
    void slotSetLampHours(quint32 uiHours);
    void slotSetLampStrikes(quint32 uiStrikes);
    void slotSetDevicePowerCycle(quint32 uiCycles);
    void slotSetDeviceHours(QDateTime reference);
    void slotSetLampHours(QDateTime reference);
    void slotSetLampState(quint8 uiState);
    void slotSetLampOnMode(quint8 uiMode);
    void slotSetScreenInvert(quint8 uiInvert);
    void slotSetDisplayLevel(quint8 uiLevel);
    void slotSetScreenFlipVertical(quint8 uiFlip);
    void slotSetScreenFlipHorizontal(quint8 uiFlip);
    void slotSetScreenRotation(quint16 uiRotation);
    void slotSetRealTimeClock(QDateTime dateTime);
    void slotSetIdentifyDevice(quint8 uiIdentify);
    void slotSetPowerState(quint8 uiState);
    void slotSetResetDevice(quint8 uiStartType);
    void slotSetPerformSelfTest(quint8 uiSelfTest);
    void slotSetSelfTestDescription(QList<stSelfTestDescription> lSelfTestDescription);
    void slotSetCurveDescription(QStringList slCurveDescription);
    void slotSetOutputResponseTimeDescription(
        QList<stOutputResponseTimeDescription> lResponseTimeDescription);
    void slotSetLockStateDescription(QList<stLockStateDescription> lLockStateDescription);
    void slotSetPresetStatus(QList<stPresetStatus> lPresetStatus);
    void slotSetListInterfaces(QList<stListInterfaces> lListInterfaces);
    void slotSetInterfaceLabel(QList<stInterfaceLabel> lInterfaceLabel);
    void slotSetInterfaceHardwareAddressType1(QList<stHardwareAddressType1> lHardwareAddressType1);
    void slotSetIpV4DhcpMode(QList<stIpV4DhcpMode> lIpV4DhcpMode);
    void slotSetIpV4ZeroconfMode(QList<stIpV4ZeroconfMode> lIpV4ZeroconfMode);
    void slotSetIpV4CurrentAddress(QList<stIpV4CurrentAddress> lIpV4CurrentAddress);
    void slotSetIpV4StaticAddress(QList<stIpV4StaticAddress> lIpV4StaticAddress);
    void slotSetDnsIpV4NameServer(QList<QHostAddress> lIpV4NameServer);
    void slotSetCapturePreset(quint16 uiScene);
    void slotSetCapturePreset(quint16 uiScene, quint16 uiUpFadeTime, quint16 uiDownFadeTime,
                              quint16 uiWaitTime);
    void slotSetPresetPlayback(quint16 uiScene, quint8 uiLevel);
    void slotSetDmxBlockAddress(quint16 uiBaseDmx512Address);
    void slotSetDmxFailMode(stDmxSceneMode stMode);
    void slotSetDmxStartupMode(stDmxSceneMode stMode);
    // Art-Net's door to the fail mode: the delay and hold time stay, a scene keeps its level.
    void slotSetFailLook(LossLook look);
    void slotSetFailSafeScene(const QByteArray &scene);
    void slotSetDimmerInfo(stDimmerInfo stInfo);
    void slotSetMinimumLevel(stMinimumLevel stLevel);
    void slotSetMaximumLevel(quint16 uiLevel);
    void slotSetCurve(quint8 uiCurve);
    void slotSetOutputResponseTime(quint8 uiSetting);
    void slotSetModulationFrequency(quint8 uiSetting);
    void slotSetBurnIn(quint8 uiHours);
    void slotSetLockPin(quint16 uiPin);
    void slotSetLockState(quint8 uiState);
    void slotSetIdentifyMode(quint8 uiMode);
    void slotSetPresetInfo(stPresetInfo stInfo);
    // Scene uiScene's entry (list position uiScene - 1), appended when it is the next one.
    void slotSetPresetStatus(quint16 uiScene, stPresetStatus stStatus);
    void slotSetPresetMergeMode(quint8 uiMode);
    void slotSetPowerOnSelfTest(quint8 uiMode);

signals:
    // The window carries out what these ask for: a factory reset, a language, a preset (the
    // personality minus one), a self test, a capture of the picture for a scene.
    void signalChangedFactoryDefaults();
    void signalChangedLanguage(quint16 uiLanguage);
    void signalChangedPresetHelper(int iPresetHelper);
    void signalChangedPerformSelfTest(quint8 uiSelfTest);
    void signalChangedCapturePreset(quint16 uiScene);
    void signalChangedCapturePreset(quint16 uiScene, quint16 uiUpFadeTime, quint16 uiDownFadeTime,
                                    quint16 uiWaitTime);
    // The engine follows these: the picture's channels and the stored address, and a reset
    // (0x01 warm, 0xFF cold) re-applying the settings in effect.
    void signalChangedDmxStartAddress(quint16 uiAddress);
    void signalChangedResetDevice(quint8 uiStartType);
    // The picture follows these when data is lost or has not come yet; they are stored.
    void signalChangedDmxFailMode(stDmxSceneMode stMode);
    void signalChangedDmxStartupMode(stDmxSceneMode stMode);
    void signalChangedFailSafeScene(const QByteArray &scene);

private:
    // Stores value into field when it differs and clears the factory-defaults flag; returns
    // whether it changed, so the caller can report the change.
    template <typename T> bool store(T &field, const T &value);
    // Part of every factory reset: a fixture's address goes back to 1.
    void resetDmxStartAddress();
    quint32 hoursSince(const QDateTime &reference) const;

    Clock m_clock;

    quint8 m_uiSubDeviceStatusReportThreshold = 0;
    quint16 m_uiRdmProtocolVersion = 0x0100;
    quint16 m_uiDeviceModelId = 0;
    quint16 m_uiProductCategory = 0;
    quint32 m_uiSoftwareVersionId = 0;
    quint16 m_uiDmxFootprint = 0;
    quint16 m_uiSubDeviceCount = 0;
    QList<quint16> m_lProductDetailIdList;
    QString m_sDeviceModelDescription;
    QString m_sManufacturerLabel;
    QString m_sDeviceLabel;
    bool m_bFactoryDefaults = true;
    QList<quint16> m_lLanguageCapabilities;
    quint16 m_uiLanguage = 0;
    QString m_sSoftwareVersionLabel;
    quint32 m_uiBootSoftwareVersionId = 0;
    QString m_sBootSoftwareVersionLabel;
    quint8 m_uiDmxPersonality = 1;
    QList<stDmxPersonality> m_lPersonalityDescription;
    quint16 m_uiDmxStartAddress = 1;
    quint8 m_uiSlotType = 0;
    quint16 m_uiSlotLabelId = 1;
    QString m_sSlotDescription = QStringLiteral("Intensity");
    quint8 m_uiDefaultSlotValue = 0;
    QDateTime m_deviceHoursReference;
    quint32 m_uiDeviceHours = 0;
    QDateTime m_lampHoursReference;
    quint32 m_uiLampHours = 0;
    quint32 m_uiLampStrikes = 0;
    quint8 m_uiLampState = 0;
    quint8 m_uiLampOnMode = 0;
    quint32 m_uiDevicePowerCycles = 0;
    quint8 m_uiScreenInvert = 0;
    quint8 m_uiDisplayLevel = 255;
    quint8 m_uiScreenFlipVertical = 0;
    quint8 m_uiScreenFlipHorizontal = 0;
    quint16 m_uiScreenRotation = 0;
    qint64 m_iRealTimeClockOffset = 0;
    quint8 m_uiIdentifyDevice = 0;
    quint8 m_uiPowerState = 255;
    quint8 m_uiPerformSelfTest = 0;
    QList<stSelfTestDescription> m_lSelfTestDescription;
    quint16 m_uiCapturePresetScene = 0;
    quint16 m_uiCapturePresetUpFadeTime = 0;
    quint16 m_uiCapturePresetDownFadeTime = 0;
    quint16 m_uiCapturePresetWaitTime = 0;
    quint16 m_uiPresetPlaybackMode = 0;
    quint8 m_uiPresetPlaybackLevel = 255;
    quint16 m_uiTotalSubDeviceFootprint = 0;
    quint16 m_uiBaseDmx512Address = 0xFFFF;
    stDmxSceneMode m_stDmxFailMode = holdForEver;
    stDmxSceneMode m_stDmxStartupMode = holdForEver;
    QByteArray m_failSafeScene;
    stDimmerInfo m_stDimmerInfo;
    stMinimumLevel m_stMinimumLevel;
    quint16 m_uiMaximumLevel = 0;
    quint8 m_uiCurve = 0;
    QStringList m_slCurveDescription;
    quint8 m_uiOutputResponseTime = 0;
    QList<stOutputResponseTimeDescription> m_lResponseTimeDescription;
    quint8 m_uiModulationFrequency = 0;
    QString m_sModulationFrequencyDescription;
    quint8 m_uiBurnIn = 0;
    quint16 m_uiLockPin = 0;
    quint8 m_uiLockState = 0;
    QList<stLockStateDescription> m_lLockStateDescription;
    quint8 m_uiIdentifyMode = 0;
    stPresetInfo m_stPresetInfo;
    QList<stPresetStatus> m_lPresetStatus;
    quint8 m_uiPresetMergeMode = 0;
    quint8 m_uiPowerOnSelfTest = 0;
    QList<stListInterfaces> m_lListInterfaces;
    QList<stInterfaceLabel> m_lInterfaceLabel;
    QList<stHardwareAddressType1> m_lHardwareAddressType1;
    QList<stIpV4DhcpMode> m_lIpV4DhcpMode;
    QList<stIpV4ZeroconfMode> m_lIpV4ZeroconfMode;
    QList<stIpV4CurrentAddress> m_lIpV4CurrentAddress;
    QList<stIpV4StaticAddress> m_lIpV4StaticAddress;
    QList<QHostAddress> m_lIpV4NameServer;
    QString m_sDnsHostName;
    QString m_sDnsDomainName;
};
