// GET and SET handlers of the ANSI E1.37-1 dimmer and preset parameters. The screen is no
// dimmer: several of them answer with constants, and most settings are only stored.

#include "rdm/configurator.h"
#include "rdm/rdm.h"
#include "rdm/rdmconstants.h"
#include "rdm/rdmhandlers.h"

#include <algorithm>

using namespace Rdm;

namespace {

// A time above the advertised maximum is stored as that maximum; "infinite" stays only
// where it is supported.
quint16 storedTime(quint16 time, quint16 maximum, bool infiniteSupported) {
    constexpr quint16 infinite = 0xFFFF;
    if (time == infinite && infiniteSupported)
        return infinite;
    return std::min(time, maximum);
}

void putSceneMode(RdmContext &c, const stDmxSceneMode &mode) {
    c.out.put16(mode.uiScene);
    c.out.put16(mode.uiDelay);
    c.out.put16(mode.uiHoldTime);
    c.out.put8(mode.uiLevel);
}

// The described lock states besides the unlocked state 0, numbered 1 upwards.
quint8 lockStateCount(const RdmContext &c) {
    const QList<stLockStateDescription> list = c.model.lockStateDescriptions();
    return quint8(
        std::count_if(list.cbegin(), list.cend(), [](const auto &d) { return d.uiNumber != 0; }));
}

// Hold (0), a preset scene, or every channel at the level.
bool playableScene(const RdmContext &c, quint16 scene) {
    return scene <= c.model.presetStatus().size() || scene == sceneAllChannels;
}

} // namespace

namespace RdmHandlers {

RdmReply getDmxFailMode(RdmContext &c) {
    putSceneMode(c, c.model.dmxFailMode());
    return RdmReply::ack();
}

RdmReply setDmxFailMode(RdmContext &c) {
    const stPresetInfo p = c.model.presetInfo();
    if (!playableScene(c, c.read16(0)))
        return RdmReply::nack(Nack::dataOutOfRange);
    c.model.slotSetDmxFailMode({c.read16(0),
                                storedTime(c.read16(2), p.uiMaximumDMX512FailDelayTimeSupported,
                                           p.uiDMX512FailInfiniteDelayTimeSupported),
                                storedTime(c.read16(4), p.uiMaximumDMX512FailHoldTimeSupported,
                                           p.uiDMX512FailInfiniteHoldTimeSupported),
                                c.read8(6)});
    return RdmReply::ack();
}

RdmReply getDmxStartupMode(RdmContext &c) {
    putSceneMode(c, c.model.dmxStartupMode());
    return RdmReply::ack();
}

// E1.37-1 defines no infinite start-up delay, only an infinite hold.
RdmReply setDmxStartupMode(RdmContext &c) {
    const stPresetInfo p = c.model.presetInfo();
    if (!playableScene(c, c.read16(0)))
        return RdmReply::nack(Nack::dataOutOfRange);
    c.model.slotSetDmxStartupMode(
        {c.read16(0), storedTime(c.read16(2), p.uiMaximumStartupDelayTimeSupported, false),
         storedTime(c.read16(4), p.uiMaximumStartupHoldTimeSupported, p.uiStartupInfiniteHoldTime),
         c.read8(6)});
    return RdmReply::ack();
}

RdmReply getDimmerInfo(RdmContext &c) {
    const stDimmerInfo d = c.model.dimmerInfo();
    c.out.put16(d.uiMinimumLevelLowerLimit);
    c.out.put16(d.uiMinimumLevelUpperLimit);
    c.out.put16(d.uiMaximumLevelLowerLimit);
    c.out.put16(d.uiMaximumLevelUpperLimit);
    c.out.put8(quint8(c.model.curveDescriptions().size()));
    c.out.put8(d.uiLevelsResolution);
    c.out.put8(d.uiMinimumLevelSplitLevelsSupported);
    return RdmReply::ack();
}

RdmReply getMinimumLevel(RdmContext &c) {
    const stMinimumLevel m = c.model.minimumLevel();
    c.out.put16(m.uiIncreasing);
    c.out.put16(m.uiDecreasing);
    c.out.put8(m.uiOnBelowMinimum);
    return RdmReply::ack();
}

// Both minimum levels stay within DIMMER_INFO's limits and never above the maximum level.
// Without split levels there is only one minimum, so the decreasing one is ignored and
// follows the increasing one.
RdmReply setMinimumLevel(RdmContext &c) {
    const stDimmerInfo d = c.model.dimmerInfo();
    const quint16 increasing = c.read16(0);
    const quint16 decreasing = d.uiMinimumLevelSplitLevelsSupported ? c.read16(2) : increasing;
    const quint16 upper = std::min(d.uiMinimumLevelUpperLimit, c.model.maximumLevel());
    const auto fits = [&](quint16 level) {
        return level >= d.uiMinimumLevelLowerLimit && level <= upper;
    };
    if (!fits(increasing) || !fits(decreasing) || c.read8(4) > 1)
        return RdmReply::nack(Nack::dataOutOfRange);
    c.model.slotSetMinimumLevel({increasing, decreasing, c.read8(4)});
    return RdmReply::ack();
}

RdmReply setMaximumLevel(RdmContext &c) {
    const stDimmerInfo d = c.model.dimmerInfo();
    const quint16 level = c.read16(0);
    const stMinimumLevel minimum = c.model.minimumLevel();
    const quint16 lower =
        std::max({d.uiMaximumLevelLowerLimit, minimum.uiIncreasing, minimum.uiDecreasing});
    if (level < lower || level > d.uiMaximumLevelUpperLimit)
        return RdmReply::nack(Nack::dataOutOfRange);
    c.model.slotSetMaximumLevel(level);
    return RdmReply::ack();
}

RdmReply getCurve(RdmContext &c) {
    c.out.put8(c.model.curve());
    c.out.put8(quint8(c.model.curveDescriptions().size()));
    return RdmReply::ack();
}

RdmReply setCurve(RdmContext &c) {
    const quint8 curve = c.read8(0);
    if (curve == 0 || curve > c.model.curveDescriptions().size())
        return RdmReply::nack(Nack::dataOutOfRange);
    c.model.slotSetCurve(curve);
    return RdmReply::ack();
}

RdmReply getCurveDescription(RdmContext &c) {
    const quint8 curve = c.read8(0);
    const QStringList curves = c.model.curveDescriptions();
    if (curve == 0 || curve > curves.size())
        return RdmReply::nack(Nack::dataOutOfRange);
    c.out.put8(curve);
    c.out.putText(curves.at(curve - 1), RdmTextWidth::label);
    return RdmReply::ack();
}

RdmReply getOutputResponseTime(RdmContext &c) {
    c.out.put8(c.model.outputResponseTime());
    c.out.put8(quint8(c.model.responseTimeDescriptions().size()));
    return RdmReply::ack();
}

RdmReply setOutputResponseTime(RdmContext &c) {
    const quint8 setting = c.read8(0);
    if (setting == 0 || setting > c.model.responseTimeDescriptions().size())
        return RdmReply::nack(Nack::dataOutOfRange);
    c.model.slotSetOutputResponseTime(c.read8(0));
    return RdmReply::ack();
}

RdmReply getOutputResponseTimeDescription(RdmContext &c) {
    const quint8 setting = c.read8(0);
    const QList<stOutputResponseTimeDescription> list = c.model.responseTimeDescriptions();
    const auto it = std::find_if(list.cbegin(), list.cend(),
                                 [setting](const auto &d) { return d.uiNumber == setting; });
    if (setting == 0 || it == list.cend())
        return RdmReply::nack(Nack::dataOutOfRange);
    c.out.put8(setting);
    c.out.putText(it->sDescription, RdmTextWidth::label);
    return RdmReply::ack();
}

// One fixed modulation frequency: setting 1 of 1.
RdmReply getModulationFrequency(RdmContext &c) {
    c.out.put8(1);
    c.out.put8(1);
    return RdmReply::ack();
}

RdmReply setModulationFrequency(RdmContext &c) {
    if (c.read8(0) != 1)
        return RdmReply::nack(Nack::dataOutOfRange);
    c.model.slotSetModulationFrequency(c.read8(0));
    return RdmReply::ack();
}

RdmReply getModulationFrequencyDescription(RdmContext &c) {
    const quint8 setting = c.read8(0);
    if (setting != 1)
        return RdmReply::nack(Nack::dataOutOfRange);
    RdmText text;
    text.append("Frequency Description ").appendNumber(setting);
    c.out.put8(setting);
    c.out.put32(0); // frequency
    c.out.putText(text.view(), RdmTextWidth::label);
    return RdmReply::ack();
}

RdmReply setLockPin(RdmContext &c) {
    const quint16 newPin = c.read16(0);
    const quint16 currentPin = c.read16(2);
    if (newPin > 9999)
        return RdmReply::nack(Nack::formatError);
    if (currentPin != c.model.lockPin())
        return RdmReply::nack(Nack::dataOutOfRange);
    c.model.slotSetLockPin(newPin);
    return RdmReply::ack();
}

RdmReply getLockState(RdmContext &c) {
    c.out.put8(c.model.lockState());
    c.out.put8(lockStateCount(c));
    return RdmReply::ack();
}

RdmReply setLockState(RdmContext &c) {
    if (c.read16(0) != c.model.lockPin() || c.read8(2) > lockStateCount(c))
        return RdmReply::nack(Nack::dataOutOfRange);
    c.model.slotSetLockState(c.read8(2));
    return RdmReply::ack();
}

// Each description carries the lock state it names (0 "Unlocked", 1 "Locked"), so it is found
// by that number rather than by its position. State 0 is the unlocked state, which ANSI
// E1.37-1 does not describe.
RdmReply getLockStateDescription(RdmContext &c) {
    const quint8 state = c.read8(0);
    const QList<stLockStateDescription> list = c.model.lockStateDescriptions();
    const auto it = std::find_if(list.cbegin(), list.cend(),
                                 [state](const auto &d) { return d.uiNumber == state; });
    if (state == 0 || state > lockStateCount(c) || it == list.cend())
        return RdmReply::nack(Nack::dataOutOfRange);
    c.out.put8(state);
    c.out.putText(it->sDescription, RdmTextWidth::label);
    return RdmReply::ack();
}

RdmReply setIdentifyMode(RdmContext &c) {
    const quint8 mode = c.read8(0);
    if (mode != 0x00 && mode != 0xFF)
        return RdmReply::nack(Nack::dataOutOfRange);
    c.model.slotSetIdentifyMode(mode);
    return RdmReply::ack();
}

RdmReply getPresetInfo(RdmContext &c) {
    const stPresetInfo p = c.model.presetInfo();
    c.out.put8(p.uiLevelFieldSupported);
    c.out.put8(p.uiPresetSequenceSupported);
    c.out.put8(p.uiSplitTimesSupported);
    c.out.put8(p.uiDMX512FailInfiniteDelayTimeSupported);
    c.out.put8(p.uiDMX512FailInfiniteHoldTimeSupported);
    c.out.put8(p.uiStartupInfiniteHoldTime);
    c.out.put16(quint16(c.model.presetStatus().size()));
    c.out.put16(p.uiMinimumPresetFadeTimeSupported);
    c.out.put16(p.uiMaximumPresetFadeTimeSupported);
    c.out.put16(p.uiMinimumPresetWaitTimeSupported);
    c.out.put16(p.uiMaximumPresetWaitTimeSupported);
    c.out.put16(p.uiMinimumDMX512FailDelayTimeSupported);
    c.out.put16(p.uiMaximumDMX512FailDelayTimeSupported);
    c.out.put16(p.uiMinimumDMX512FailHoldTimeSupported);
    c.out.put16(p.uiMaximumDMX512FailHoldTimeSupported);
    c.out.put16(p.uiMinimumStartupDelayTimeSupported);
    c.out.put16(p.uiMaximumStartupDelayTimeSupported);
    c.out.put16(p.uiMinimumStartupHoldTimeSupported);
    c.out.put16(p.uiMaximumStartupHoldTimeSupported);
    return RdmReply::ack();
}

RdmReply getPresetStatus(RdmContext &c) {
    const quint16 scene = c.read16(0);
    const QList<stPresetStatus> list = c.model.presetStatus();
    if (scene == 0 || scene > list.size())
        return RdmReply::nack(Nack::dataOutOfRange);
    const stPresetStatus &status = list.at(scene - 1);
    c.out.put16(scene);
    c.out.put16(status.uiUpFadeTime);
    c.out.put16(status.uiDownFadeTime);
    c.out.put16(status.uiWaitTime);
    c.out.put8(status.uiProgrammed);
    return RdmReply::ack();
}

// The last byte asks to clear the scene, which drops its times with it; otherwise only the
// times change and the scene stays as programmed as it was.
RdmReply setPresetStatus(RdmContext &c) {
    const quint16 scene = c.read16(0);
    const QList<stPresetStatus> list = c.model.presetStatus();
    const quint8 clear = c.read8(8);
    if (scene == 0 || scene > list.size() || clear > 1)
        return RdmReply::nack(Nack::dataOutOfRange);
    const quint8 programmed = list.at(scene - 1).uiProgrammed;
    if (programmed == PresetProgrammed::readOnly)
        return RdmReply::nack(Nack::writeProtect);
    const stPresetStatus status =
        clear ? stPresetStatus{0, 0, 0, PresetProgrammed::notProgrammed}
              : stPresetStatus{c.read16(2), c.read16(4), c.read16(6), programmed};
    c.model.slotSetPresetStatus(scene, status);
    return RdmReply::ack();
}

RdmReply setPresetMergeMode(RdmContext &c) {
    const quint8 mode = c.read8(0);
    if (mode > 3 && mode != 0xFF)
        return RdmReply::nack(Nack::dataOutOfRange);
    c.model.slotSetPresetMergeMode(mode);
    return RdmReply::ack();
}

} // namespace RdmHandlers
