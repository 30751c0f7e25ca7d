#include "rdm/configurator.h"

#include <algorithm>

namespace {
QDateTime systemNow() {
    return QDateTime::currentDateTimeUtc();
}
} // namespace

Configurator::Configurator(QObject *parent) : Configurator(Clock(systemNow), parent) {}

Configurator::Configurator(Clock clock, QObject *parent)
    : QObject(parent), m_clock(clock ? std::move(clock) : Clock(systemNow)) {
    const QDateTime now = m_clock();
    m_deviceHoursReference = now;
    m_lampHoursReference = now;
}

std::optional<QDateTime> Configurator::realTimeClockFromFields(int year, int month, int day,
                                                               int hour, int minute, int second) {
    const QDate date(year, month, day);
    const QTime time(hour, minute, second == 60 ? 59 : second);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    const QDateTime dateTime(date, time);
    if (!dateTime.isValid())
        return std::nullopt;
    return dateTime;
}

template <typename T> bool Configurator::store(T &field, const T &value) {
    if (field == value)
        return false;
    field = value;
    m_bFactoryDefaults = false;
    return true;
}

quint32 Configurator::hoursSince(const QDateTime &reference) const {
    const qint64 seconds = reference.toUTC().secsTo(m_clock().toUTC());
    if (seconds <= 0)
        return 0;
    return static_cast<quint32>(qMin<qint64>(seconds / 3600, 0xFFFFFFFF));
}

quint32 Configurator::deviceHours() const {
    return m_uiDeviceHours != 0 ? m_uiDeviceHours : hoursSince(m_deviceHoursReference);
}

quint32 Configurator::lampHours() const {
    return m_uiLampHours != 0 ? m_uiLampHours : hoursSince(m_lampHoursReference);
}

quint16 Configurator::personalityFootprint() const {
    const qsizetype personality = m_uiDmxPersonality;
    if (personality >= 1 && personality <= m_lPersonalityDescription.size())
        return m_lPersonalityDescription.at(personality - 1).uiFootprint;
    return m_uiDmxFootprint;
}

quint16 Configurator::fittingStartAddress(quint16 uiAddress) const {
    const int footprint = personalityFootprint();
    if (footprint == 0 || footprint > 512)
        return uiAddress;
    return quint16(std::min(int(uiAddress), 513 - footprint));
}

QDateTime Configurator::realTimeClock() const {
    return m_clock().toLocalTime().addMSecs(m_iRealTimeClockOffset);
}

void Configurator::slotSetSubDeviceStatusReportThreshold(quint8 uiThreshold) {
    store(m_uiSubDeviceStatusReportThreshold, uiThreshold);
}

void Configurator::slotSetDeviceInfo(quint16 uiDeviceModelId, quint16 uiProductCategory,
                                     quint32 uiSoftwareVersionId, quint16 uiRdmDmxFootPrint,
                                     quint16 uiSubDeviceId) {
    store(m_uiDeviceModelId, uiDeviceModelId);
    store(m_uiProductCategory, uiProductCategory);
    store(m_uiSoftwareVersionId, uiSoftwareVersionId);
    store(m_uiDmxFootprint, uiRdmDmxFootPrint);
    store(m_uiSubDeviceCount, uiSubDeviceId);
}

void Configurator::slotSetProductDetailIdList(QList<quint16> lProductDetailIdList) {
    store(m_lProductDetailIdList, lProductDetailIdList);
}

void Configurator::slotSetDeviceModelDescription(QString sText) {
    store(m_sDeviceModelDescription, sText);
}

void Configurator::slotSetManufacturerLabel(QString sText) {
    store(m_sManufacturerLabel, sText);
}

void Configurator::slotSetSoftwareVersionLabel(QString sText) {
    store(m_sSoftwareVersionLabel, sText);
}

void Configurator::slotSetBootSoftwareVersionLabel(QString sText) {
    store(m_sBootSoftwareVersionLabel, sText);
}

void Configurator::slotSetSlotDescription(QString sText) {
    store(m_sSlotDescription, sText);
}

void Configurator::slotSetModulationFrequencyDescription(QString sText) {
    store(m_sModulationFrequencyDescription, sText);
}

void Configurator::slotSetDnsHostName(QString sText) {
    store(m_sDnsHostName, sText);
}

void Configurator::slotSetDnsDomainName(QString sText) {
    store(m_sDnsDomainName, sText);
}

void Configurator::slotSetDeviceLabel(QString sLabel) {
    store(m_sDeviceLabel, sLabel);
}

void Configurator::slotSetFactoryDefaults() {
    // A request always acts: the flag says the model is at its defaults, not that the window's
    // settings are.
    m_iRealTimeClockOffset = 0;
    resetDmxStartAddress();
    slotSetDmxFailMode(holdForEver);
    slotSetDmxStartupMode(holdForEver);
    // The window puts its default settings into the model while it hears of the reset, which
    // clears the flag; the device is at its defaults once they are in.
    emit signalChangedFactoryDefaults();
    m_bFactoryDefaults = true;
}

void Configurator::resetDmxStartAddress() {
    if (m_uiDmxStartAddress == 1)
        return;
    m_uiDmxStartAddress = 1;
    emit signalChangedDmxStartAddress(1);
}

void Configurator::slotSetResetFactoryDefaults() {
    m_bFactoryDefaults = true;
}

void Configurator::slotSetLanguageCapabilities(QList<quint16> lLanguageCapabilities) {
    store(m_lLanguageCapabilities, lLanguageCapabilities);
}

void Configurator::slotSetLanguage(quint16 uiLanguage) {
    if (m_uiLanguage == uiLanguage)
        return;
    m_uiLanguage = uiLanguage;
    m_bFactoryDefaults = false;
    emit signalChangedLanguage(uiLanguage);
}

void Configurator::slotSetBootSoftwareVersionId(quint32 uiId) {
    store(m_uiBootSoftwareVersionId, uiId);
}

void Configurator::slotSetDmxPersonality(quint8 uiPersonality) {
    if (!store(m_uiDmxPersonality, uiPersonality))
        return;
    // A larger footprint must still end within the universe.
    slotSetDmxStartAddress(fittingStartAddress(m_uiDmxStartAddress));
    // Stored first, so that the preset's apply finds the personality it belongs to.
    emit signalChangedPresetHelper(int(uiPersonality) - 1);
}

void Configurator::slotSetDmxPersonalityDescription(
    QList<stDmxPersonality> lPersonalityDescription) {
    m_lPersonalityDescription = std::move(lPersonalityDescription);
    m_bFactoryDefaults = false;
}

void Configurator::slotSetPresetHelper(int iPresetHelper) {
    slotSetDmxPersonality(static_cast<quint8>(iPresetHelper + 1));
}

void Configurator::slotSetDmxStartAddress(quint16 uiAddress) {
    if (store(m_uiDmxStartAddress, uiAddress))
        emit signalChangedDmxStartAddress(uiAddress);
}

void Configurator::slotSetSlotInfo(quint8 uiSlotType, quint16 uiSlotLabelId) {
    store(m_uiSlotType, uiSlotType);
    store(m_uiSlotLabelId, uiSlotLabelId);
}

void Configurator::slotSetDefaultSlotValue(quint8 uiValue) {
    store(m_uiDefaultSlotValue, uiValue);
}

void Configurator::slotSetDeviceHours(quint32 uiHours) {
    store(m_uiDeviceHours, uiHours);
}

void Configurator::slotSetLampHours(quint32 uiHours) {
    store(m_uiLampHours, uiHours);
}

void Configurator::slotSetLampStrikes(quint32 uiStrikes) {
    store(m_uiLampStrikes, uiStrikes);
}

void Configurator::slotSetDevicePowerCycle(quint32 uiCycles) {
    store(m_uiDevicePowerCycles, uiCycles);
}

void Configurator::slotSetDeviceHours(QDateTime reference) {
    // The program start time is handed in at every apply; it is no change of the defaults.
    if (m_deviceHoursReference == reference)
        return;
    m_deviceHoursReference = reference;
}

void Configurator::slotSetLampHours(QDateTime reference) {
    store(m_lampHoursReference, reference);
}

void Configurator::slotSetLampState(quint8 uiState) {
    store(m_uiLampState, uiState);
}

void Configurator::slotSetLampOnMode(quint8 uiMode) {
    store(m_uiLampOnMode, uiMode);
}

void Configurator::slotSetScreenInvert(quint8 uiInvert) {
    store(m_uiScreenInvert, uiInvert);
}

void Configurator::slotSetDisplayLevel(quint8 uiLevel) {
    store(m_uiDisplayLevel, uiLevel);
}

void Configurator::slotSetScreenFlipVertical(quint8 uiFlip) {
    store(m_uiScreenFlipVertical, uiFlip);
}

void Configurator::slotSetScreenFlipHorizontal(quint8 uiFlip) {
    store(m_uiScreenFlipHorizontal, uiFlip);
}

void Configurator::slotSetScreenRotation(quint16 uiRotation) {
    store(m_uiScreenRotation, uiRotation);
}

void Configurator::slotSetRealTimeClock(QDateTime dateTime) {
    // An invalid date-time has no distance to now; keeping the old offset beats storing 0.
    if (!dateTime.isValid())
        return;
    store(m_iRealTimeClockOffset, m_clock().msecsTo(dateTime));
}

void Configurator::slotSetIdentifyDevice(quint8 uiIdentify) {
    store(m_uiIdentifyDevice, uiIdentify);
}

void Configurator::slotSetPowerState(quint8 uiState) {
    store(m_uiPowerState, uiState);
}

void Configurator::slotSetResetDevice(quint8 uiStartType) {
    // A reset is a command, not a state: it acts every time it is asked for.
    m_bFactoryDefaults = false;
    emit signalChangedResetDevice(uiStartType);
}

void Configurator::slotSetPerformSelfTest(quint8 uiSelfTest) {
    if (store(m_uiPerformSelfTest, uiSelfTest))
        emit signalChangedPerformSelfTest(uiSelfTest);
}

void Configurator::slotSetSelfTestDescription(QList<stSelfTestDescription> lSelfTestDescription) {
    store(m_lSelfTestDescription, lSelfTestDescription);
}

void Configurator::slotSetCurveDescription(QStringList slCurveDescription) {
    store(m_slCurveDescription, slCurveDescription);
}

void Configurator::slotSetOutputResponseTimeDescription(
    QList<stOutputResponseTimeDescription> lResponseTimeDescription) {
    store(m_lResponseTimeDescription, lResponseTimeDescription);
}

void Configurator::slotSetLockStateDescription(
    QList<stLockStateDescription> lLockStateDescription) {
    store(m_lLockStateDescription, lLockStateDescription);
}

void Configurator::slotSetPresetStatus(QList<stPresetStatus> lPresetStatus) {
    store(m_lPresetStatus, lPresetStatus);
}

void Configurator::slotSetListInterfaces(QList<stListInterfaces> lListInterfaces) {
    store(m_lListInterfaces, lListInterfaces);
}

void Configurator::slotSetInterfaceLabel(QList<stInterfaceLabel> lInterfaceLabel) {
    store(m_lInterfaceLabel, lInterfaceLabel);
}

void Configurator::slotSetInterfaceHardwareAddressType1(
    QList<stHardwareAddressType1> lHardwareAddressType1) {
    store(m_lHardwareAddressType1, lHardwareAddressType1);
}

void Configurator::slotSetIpV4DhcpMode(QList<stIpV4DhcpMode> lIpV4DhcpMode) {
    store(m_lIpV4DhcpMode, lIpV4DhcpMode);
}

void Configurator::slotSetIpV4ZeroconfMode(QList<stIpV4ZeroconfMode> lIpV4ZeroconfMode) {
    store(m_lIpV4ZeroconfMode, lIpV4ZeroconfMode);
}

void Configurator::slotSetIpV4CurrentAddress(QList<stIpV4CurrentAddress> lIpV4CurrentAddress) {
    store(m_lIpV4CurrentAddress, lIpV4CurrentAddress);
}

void Configurator::slotSetIpV4StaticAddress(QList<stIpV4StaticAddress> lIpV4StaticAddress) {
    store(m_lIpV4StaticAddress, lIpV4StaticAddress);
}

void Configurator::slotSetDnsIpV4NameServer(QList<QHostAddress> lIpV4NameServer) {
    store(m_lIpV4NameServer, lIpV4NameServer);
}

// A capture is a command: the same scene captured again after the picture changed must be
// saved again (the file names carry a time stamp for exactly that), so it always acts.
void Configurator::slotSetCapturePreset(quint16 uiScene) {
    m_uiCapturePresetScene = uiScene;
    m_bFactoryDefaults = false;
    emit signalChangedCapturePreset(uiScene);
}

void Configurator::slotSetCapturePreset(quint16 uiScene, quint16 uiUpFadeTime,
                                        quint16 uiDownFadeTime, quint16 uiWaitTime) {
    m_uiCapturePresetScene = uiScene;
    m_uiCapturePresetUpFadeTime = uiUpFadeTime;
    m_uiCapturePresetDownFadeTime = uiDownFadeTime;
    m_uiCapturePresetWaitTime = uiWaitTime;
    m_bFactoryDefaults = false;
    emit signalChangedCapturePreset(uiScene, uiUpFadeTime, uiDownFadeTime, uiWaitTime);
}

void Configurator::slotSetPresetPlayback(quint16 uiScene, quint8 uiLevel) {
    store(m_uiPresetPlaybackMode, uiScene);
    store(m_uiPresetPlaybackLevel, uiLevel);
}

void Configurator::slotSetDmxBlockAddress(quint16 uiBaseDmx512Address) {
    store(m_uiBaseDmx512Address, uiBaseDmx512Address);
}

void Configurator::slotSetDmxFailMode(stDmxSceneMode stMode) {
    if (store(m_stDmxFailMode, stMode))
        emit signalChangedDmxFailMode(stMode);
}

void Configurator::slotSetDmxStartupMode(stDmxSceneMode stMode) {
    if (store(m_stDmxStartupMode, stMode))
        emit signalChangedDmxStartupMode(stMode);
}

void Configurator::slotSetFailLook(LossLook look) {
    stDmxSceneMode mode = m_stDmxFailMode;
    switch (look) {
    case LossLook::Hold:
        mode.uiScene = 0;
        break;
    case LossLook::Zero:
        mode.uiScene = sceneAllChannels;
        mode.uiLevel = 0;
        break;
    case LossLook::Full:
        mode.uiScene = sceneAllChannels;
        mode.uiLevel = 255;
        break;
    case LossLook::Scene:
        if (lossLook(mode) != LossLook::Scene) {
            mode.uiScene = 1;
            mode.uiLevel = 255;
        }
        break;
    }
    slotSetDmxFailMode(mode);
}

void Configurator::slotSetFailSafeScene(const QByteArray &scene) {
    if (store(m_failSafeScene, scene))
        emit signalChangedFailSafeScene(scene);
}

void Configurator::slotSetDimmerInfo(stDimmerInfo stInfo) {
    store(m_stDimmerInfo, stInfo);
}

void Configurator::slotSetMinimumLevel(stMinimumLevel stLevel) {
    store(m_stMinimumLevel, stLevel);
}

void Configurator::slotSetMaximumLevel(quint16 uiLevel) {
    store(m_uiMaximumLevel, uiLevel);
}

void Configurator::slotSetCurve(quint8 uiCurve) {
    store(m_uiCurve, uiCurve);
}

void Configurator::slotSetOutputResponseTime(quint8 uiSetting) {
    store(m_uiOutputResponseTime, uiSetting);
}

void Configurator::slotSetModulationFrequency(quint8 uiSetting) {
    store(m_uiModulationFrequency, uiSetting);
}

void Configurator::slotSetBurnIn(quint8 uiHours) {
    store(m_uiBurnIn, uiHours);
}

void Configurator::slotSetLockPin(quint16 uiPin) {
    store(m_uiLockPin, uiPin);
}

void Configurator::slotSetLockState(quint8 uiState) {
    store(m_uiLockState, uiState);
}

void Configurator::slotSetIdentifyMode(quint8 uiMode) {
    store(m_uiIdentifyMode, uiMode);
}

void Configurator::slotSetPresetInfo(stPresetInfo stInfo) {
    store(m_stPresetInfo, stInfo);
}

void Configurator::slotSetPresetStatus(quint16 uiScene, stPresetStatus stStatus) {
    // Scene 0 has no place in the list; appended it would pose as the next scene.
    if (uiScene == 0)
        return;
    if (uiScene <= m_lPresetStatus.size()) {
        store(m_lPresetStatus[uiScene - 1], stStatus);
    } else {
        m_lPresetStatus.append(stStatus);
        m_bFactoryDefaults = false;
    }
}

void Configurator::slotSetPresetMergeMode(quint8 uiMode) {
    store(m_uiPresetMergeMode, uiMode);
}

void Configurator::slotSetPowerOnSelfTest(quint8 uiMode) {
    store(m_uiPowerOnSelfTest, uiMode);
}
