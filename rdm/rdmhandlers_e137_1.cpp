// GET and SET handlers of the ANSI E1.37-1 dimmer and preset parameters. The screen is no
// dimmer: several of them answer with constants, and most settings are only stored.

#include "rdm/configurator.h"
#include "rdm/rdm.h"
#include "rdm/rdmconstants.h"
#include "rdm/rdmhandlers.h"

#include <algorithm>

using namespace Rdm;

namespace RdmHandlers {

RdmReply getDmxBlockAddress(RdmContext &c) {
    c.out.put16(c.model.totalSubDeviceFootprint());
    c.out.put16(c.model.baseDmx512Address());
    return RdmReply::ack();
}

RdmReply setDmxBlockAddress(RdmContext &c) {
    emit c.responder.signalRdmDmxBlockAddress(c.read16(0));
    return RdmReply::ack();
}

RdmReply getDmxFailMode(RdmContext &c) {
    c.out.put16(c.model.dmxFailModeScene());
    c.out.put16(c.model.dmxFailModeDelay());
    c.out.put16(c.model.dmxFailModeHoldTime());
    c.out.put8(c.model.dmxFailModeLevel());
    return RdmReply::ack();
}

RdmReply setDmxFailMode(RdmContext &c) {
    emit c.responder.signalRdmDmxFailMode(c.read16(0), c.read16(2), c.read16(4), c.read8(6));
    return RdmReply::ack();
}

RdmReply getDmxStartupMode(RdmContext &c) {
    c.out.put16(c.model.dmxStartupModeScene());
    c.out.put16(c.model.dmxStartupModeDelay());
    c.out.put16(c.model.dmxStartupModeHoldTime());
    c.out.put8(c.model.dmxStartupModeLevel());
    return RdmReply::ack();
}

RdmReply setDmxStartupMode(RdmContext &c) {
    emit c.responder.signalRdmDmxStartupMode(c.read16(0), c.read16(2), c.read16(4), c.read8(6));
    return RdmReply::ack();
}

// The screen has no minimum or maximum level limits and one resolution; only the number of
// curves is real.
RdmReply getDimmerInfo(RdmContext &c) {
    for (int limit = 0; limit < 4; ++limit)
        c.out.put16(0);
    c.out.put8(quint8(c.model.curveDescriptions().size()));
    c.out.put8(0); // levels resolution
    c.out.put8(0); // minimum level split levels supported
    return RdmReply::ack();
}

RdmReply getMinimumLevel(RdmContext &c) {
    c.out.put16(0);
    c.out.put16(0);
    c.out.put8(0);
    return RdmReply::ack();
}

RdmReply setMinimumLevel(RdmContext &c) {
    emit c.responder.signalRdmMinimumLevel(c.read16(0), c.read16(2), c.read8(4));
    return RdmReply::ack();
}

RdmReply getMaximumLevel(RdmContext &c) {
    c.out.put16(0);
    return RdmReply::ack();
}

RdmReply setMaximumLevel(RdmContext &c) {
    emit c.responder.signalRdmMaximumLevel(c.read16(0));
    return RdmReply::ack();
}

RdmReply getCurve(RdmContext &c) {
    c.out.put8(c.model.curve());
    c.out.put8(quint8(c.model.curveDescriptions().size()));
    return RdmReply::ack();
}

RdmReply setCurve(RdmContext &c) {
    const quint8 curve = c.read8(0);
    if (curve > c.model.curveDescriptions().size())
        return RdmReply::nack(Nack::dataOutOfRange);
    emit c.responder.signalRdmCurve(curve);
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
    emit c.responder.signalRdmOutputResponseTime(c.read8(0));
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
    emit c.responder.signalRdmModulationFrequency(c.read8(0));
    return RdmReply::ack();
}

RdmReply getModulationFrequencyDescription(RdmContext &c) {
    const quint8 setting = c.read8(0);
    if (setting == 0)
        return RdmReply::nack(Nack::dataOutOfRange);
    RdmText text;
    text.append("Frequency Description ").appendNumber(setting);
    c.out.put8(setting);
    c.out.put32(0); // frequency
    c.out.putText(text.view(), RdmTextWidth::label);
    return RdmReply::ack();
}

RdmReply getBurnIn(RdmContext &c) {
    c.out.put8(c.model.burnIn());
    return RdmReply::ack();
}

RdmReply setBurnIn(RdmContext &c) {
    emit c.responder.signalRdmBurnIn(c.read8(0));
    return RdmReply::ack();
}

RdmReply getLockPin(RdmContext &c) {
    c.out.put16(c.model.lockPin());
    return RdmReply::ack();
}

RdmReply setLockPin(RdmContext &c) {
    const quint16 newPin = c.read16(0);
    const quint16 currentPin = c.read16(2);
    if (newPin > 9999)
        return RdmReply::nack(Nack::formatError);
    if (currentPin != c.model.lockPin())
        return RdmReply::nack(Nack::dataOutOfRange);
    emit c.responder.signalRdmLockPin(newPin);
    return RdmReply::ack();
}

RdmReply getLockState(RdmContext &c) {
    c.out.put8(c.model.lockState());
    c.out.put8(quint8(c.model.lockStateDescriptions().size()));
    return RdmReply::ack();
}

RdmReply setLockState(RdmContext &c) {
    if (c.read16(0) != c.model.lockPin())
        return RdmReply::nack(Nack::dataOutOfRange);
    emit c.responder.signalRdmLockState(c.read8(2));
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
    if (state == 0 || state > list.size() || it == list.cend())
        return RdmReply::nack(Nack::dataOutOfRange);
    c.out.put8(state);
    c.out.putText(it->sDescription, RdmTextWidth::label);
    return RdmReply::ack();
}

RdmReply getIdentifyMode(RdmContext &c) {
    c.out.put8(c.model.identifyMode());
    return RdmReply::ack();
}

RdmReply setIdentifyMode(RdmContext &c) {
    const quint8 mode = c.read8(0);
    if (mode != 0x00 && mode != 0xFF)
        return RdmReply::nack(Nack::dataOutOfRange);
    emit c.responder.signalRdmIdentifyMode(mode);
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
    c.out.put16(p.uiMaximumSceneNumber);
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

RdmReply setPresetStatus(RdmContext &c) {
    const quint16 scene = c.read16(0);
    if (scene == 0 || scene > c.model.presetStatus().size())
        return RdmReply::nack(Nack::dataOutOfRange);
    emit c.responder.signalRdmPresetStatus(scene, c.read16(2), c.read16(4), c.read16(6),
                                           c.read8(8));
    return RdmReply::ack();
}

RdmReply getPresetMergeMode(RdmContext &c) {
    c.out.put8(c.model.presetMergeMode());
    return RdmReply::ack();
}

RdmReply setPresetMergeMode(RdmContext &c) {
    const quint8 mode = c.read8(0);
    if (mode > 3 && mode != 0xFF)
        return RdmReply::nack(Nack::dataOutOfRange);
    emit c.responder.signalRdmPresetMergeMode(mode);
    return RdmReply::ack();
}

RdmReply getPowerOnSelfTest(RdmContext &c) {
    c.out.put8(c.model.powerOnSelfTest());
    return RdmReply::ack();
}

RdmReply setPowerOnSelfTest(RdmContext &c) {
    const quint8 value = c.read8(0);
    if (value > 1)
        return RdmReply::nack(Nack::dataOutOfRange);
    emit c.responder.signalRdmPowerOnSelfTest(value);
    return RdmReply::ack();
}

} // namespace RdmHandlers
