#pragma once

#include <QString>
#include <QtGlobal>

// Plain records held in the device model's lists. Interface records are keyed by the
// interface identifier, which is the interface's IPv4 address as a 32-bit number (first
// dotted part in the most significant byte).

struct stDmxPersonality {
    quint16 uiFootprint = 0;
    QString sDescription;

    bool operator==(const stDmxPersonality &) const = default;
};

struct stSelfTestDescription {
    quint8 uiNumber = 0; // self-test number
    QString sDescription;

    bool operator==(const stSelfTestDescription &) const = default;
};

struct stOutputResponseTimeDescription {
    quint8 uiNumber = 0; // setting number
    QString sDescription;

    bool operator==(const stOutputResponseTimeDescription &) const = default;
};

struct stLockStateDescription {
    quint8 uiNumber = 0; // lock state
    QString sDescription;

    bool operator==(const stLockStateDescription &) const = default;
};

// The scene number is the position in the list plus 1.
struct stPresetStatus {
    quint16 uiUpFadeTime = 0;
    quint16 uiDownFadeTime = 0;
    quint16 uiWaitTime = 0;
    quint8 uiProgrammed = 0;

    bool operator==(const stPresetStatus &) const = default;
};

struct stListInterfaces {
    quint32 uiInterfaceId = 0;
    quint16 uiHardwareType = 1; // ARP hardware type, 1 = Ethernet

    bool operator==(const stListInterfaces &) const = default;
};

struct stInterfaceLabel {
    quint32 uiInterfaceId = 0;
    QString sLabel;

    bool operator==(const stInterfaceLabel &) const = default;
};

struct stHardwareAddressType1 {
    quint32 uiInterfaceId = 0;
    QString sHardwareAddress; // six hexadecimal octets separated by ":"

    bool operator==(const stHardwareAddressType1 &) const = default;
};

struct stIpV4DhcpMode {
    quint32 uiInterfaceId = 0;
    quint8 uiDhcpMode = 0;

    bool operator==(const stIpV4DhcpMode &) const = default;
};

struct stIpV4ZeroconfMode {
    quint32 uiInterfaceId = 0;
    quint8 uiZeroconfMode = 0;

    bool operator==(const stIpV4ZeroconfMode &) const = default;
};

struct stIpV4CurrentAddress {
    quint32 uiIpV4Address = 0; // also the interface identifier
    quint32 uiNetmask = 0;
    quint8 uiDhcpStatus = 2; // 0 inactive, 1 active, 2 unknown

    bool operator==(const stIpV4CurrentAddress &) const = default;
};

struct stIpV4StaticAddress {
    quint32 uiIpV4Address = 0; // also the interface identifier
    quint32 uiNetmask = 0;

    bool operator==(const stIpV4StaticAddress &) const = default;
};

// DIMMER_INFO's limits and capabilities.
struct stDimmerInfo {
    quint16 uiMinimumLevelLowerLimit = 0;
    quint16 uiMinimumLevelUpperLimit = 0;
    quint16 uiMaximumLevelLowerLimit = 0;
    quint16 uiMaximumLevelUpperLimit = 0;
    quint8 uiNumberOfSupportedCurves = 0;
    quint8 uiLevelsResolution = 0;
    quint8 uiMinimumLevelSplitLevelsSupported = 0;

    bool operator==(const stDimmerInfo &) const = default;
};

// MINIMUM_LEVEL's three fields.
struct stMinimumLevel {
    quint16 uiIncreasing = 0;
    quint16 uiDecreasing = 0;
    quint8 uiOnBelowMinimum = 0;

    bool operator==(const stMinimumLevel &) const = default;
};

// DMX_FAIL_MODE and DMX_STARTUP_MODE share one layout: the scene played, the delay before it
// (loss of signal, or start-up), how long it is held, and its level. Times in tenths of a
// second, 0xFFFF infinite.
struct stDmxSceneMode {
    quint16 uiScene = 0;
    quint16 uiDelay = 0;
    quint16 uiHoldTime = 0;
    quint8 uiLevel = 0;

    bool operator==(const stDmxSceneMode &) const = default;
};

// The one fail mode has two doors, RDM's scene numbers and Art-Net's fail-safe states (whose
// numbering LossLook keeps). Scene 0 holds the last look and a scene from 1 up plays the
// recorded scene at the level. E1.37-1 numbers no scene for "every channel at one level",
// which Art-Net's zero and full are, so that look takes the scene number 0xFFFF.
enum class LossLook : quint8 { Hold = 0, Zero = 1, Full = 2, Scene = 3 };
inline constexpr quint16 sceneAllChannels = 0xFFFF;
inline constexpr quint16 sceneTimeForEver = 0xFFFF;
// Today's behaviour and the factory default: the last look stays until data returns.
inline constexpr stDmxSceneMode holdForEver{0, 0, sceneTimeForEver, 255};

constexpr LossLook lossLook(const stDmxSceneMode &mode) {
    if (mode.uiScene == 0)
        return LossLook::Hold;
    if (mode.uiScene == sceneAllChannels)
        return mode.uiLevel == 0 ? LossLook::Zero : LossLook::Full;
    return LossLook::Scene;
}

// PRESET_INFO's capabilities; the maximum scene number answered is the preset count.
struct stPresetInfo {
    quint8 uiLevelFieldSupported = 0;
    quint8 uiPresetSequenceSupported = 0;
    quint8 uiSplitTimesSupported = 0;
    quint8 uiDMX512FailInfiniteDelayTimeSupported = 0;
    quint8 uiDMX512FailInfiniteHoldTimeSupported = 0;
    quint8 uiStartupInfiniteHoldTime = 0;
    quint16 uiMaximumSceneNumber = 0;
    quint16 uiMinimumPresetFadeTimeSupported = 0;
    quint16 uiMaximumPresetFadeTimeSupported = 0;
    quint16 uiMinimumPresetWaitTimeSupported = 0;
    quint16 uiMaximumPresetWaitTimeSupported = 0;
    quint16 uiMinimumDMX512FailDelayTimeSupported = 0;
    quint16 uiMaximumDMX512FailDelayTimeSupported = 0;
    quint16 uiMinimumDMX512FailHoldTimeSupported = 0;
    quint16 uiMaximumDMX512FailHoldTimeSupported = 0;
    quint16 uiMinimumStartupDelayTimeSupported = 0;
    quint16 uiMaximumStartupDelayTimeSupported = 0;
    quint16 uiMinimumStartupHoldTimeSupported = 0;
    quint16 uiMaximumStartupHoldTimeSupported = 0;

    bool operator==(const stPresetInfo &) const = default;
};
