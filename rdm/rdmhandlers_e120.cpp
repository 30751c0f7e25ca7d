// GET and SET handlers of the ANSI E1.20 parameters.

#include "rdm/configurator.h"
#include "rdm/rdm.h"
#include "rdm/rdmconstants.h"
#include "rdm/rdmhandlers.h"
#include "rdm/sensorinfo.h"

#include <algorithm>

using namespace Rdm;

namespace {

constexpr quint8 allSensors = 0xFF;

// SLOT_INFO and DEFAULT_SLOT_VALUE: one chunk of the footprint per GET. A controller fetches
// the rest by repeating the same GET while it gets ACK_OVERFLOW.
template <typename WriteSlot>
RdmReply slotListChunk(RdmContext &c, int chunk, WriteSlot writeSlot) {
    if (c.uiPreviousPid != c.request.pid)
        c.uiOverflowIndex = 0;
    const int footprint = c.model.personalityFootprint();
    int first = c.uiOverflowIndex * chunk;
    // The footprint shrank during a continuation: start the list again rather than leave
    // every further GET unanswered.
    if (first >= footprint) {
        c.uiOverflowIndex = 0;
        first = 0;
    }
    if (footprint == 0)
        return RdmReply::none();
    const int end = std::min(first + chunk, footprint);
    for (int slot = first; slot < end; ++slot)
        writeSlot(quint16(slot));
    if (end == footprint) {
        c.uiOverflowIndex = 0;
        return RdmReply::ack();
    }
    ++c.uiOverflowIndex;
    return RdmReply::ackOverflow();
}

} // namespace

namespace RdmHandlers {

RdmReply nackActionNotSupported(RdmContext &) {
    return RdmReply::nack(Nack::actionNotSupported);
}

// No status messages are ever queued, so the queue answers with an empty status list.
RdmReply getQueuedMessage(RdmContext &) {
    return RdmReply::ackWithPid(Pid::statusMessages);
}
RdmReply getStatusIdDescription(RdmContext &c) {
    const quint16 id = c.read16(0);
    if (id < 0x8000 || id > 0xFFDF)
        return RdmReply::nack(Nack::dataOutOfRange);
    RdmText text;
    text.append("Idx:").appendNumber(id).append(" (0x").appendNumber(id, 16);
    text.append(") Status Id Description");
    c.out.putText(text.view(), RdmTextWidth::label);
    return RdmReply::ack();
}

RdmReply getSupportedParameters(RdmContext &c) {
    for (quint16 pid : c.responder.supportedParameters())
        c.out.put16(pid);
    return RdmReply::ack();
}

RdmReply getDeviceInfo(RdmContext &c) {
    const Configurator &m = c.model;
    c.out.put16(m.rdmProtocolVersion());
    c.out.put16(m.deviceModelId());
    c.out.put16(m.productCategory());
    c.out.put32(m.softwareVersionId());
    // The footprint is the current personality's, so both answers always agree.
    c.out.put16(m.personalityFootprint());
    c.out.put8(m.dmxPersonality());
    c.out.put8(quint8(m.personalityDescriptions().size()));
    c.out.put16(m.dmxStartAddress());
    c.out.put16(c.request.subDevice == 0 ? m.subDeviceCount() : 0);
    c.out.put8(c.sensors ? quint8(c.sensors->sensorCount()) : 0);
    if (c.sensors)
        c.sensors->ensurePolling();
    return RdmReply::ack();
}

RdmReply getProductDetailIdList(RdmContext &c) {
    for (quint16 id : c.model.productDetailIdList())
        c.out.put16(id);
    return RdmReply::ack();
}

RdmReply setDeviceLabel(RdmContext &c) {
    const auto &data = c.request.data;
    c.model.slotSetDeviceLabel(
        QString::fromLatin1(reinterpret_cast<const char *>(data.data()), qsizetype(data.size())));
    return RdmReply::ack();
}

RdmReply getFactoryDefaults(RdmContext &c) {
    c.out.put8(c.model.factoryDefaults() ? 1 : 0);
    return RdmReply::ack();
}

RdmReply getLanguageCapabilities(RdmContext &c) {
    const QList<quint16> languages = c.model.languageCapabilities();
    if (languages.isEmpty())
        return RdmReply::nack(Nack::formatError);
    for (quint16 code : languages)
        c.out.put16(code);
    return RdmReply::ack();
}

RdmReply setLanguage(RdmContext &c) {
    const quint16 code = c.read16(0);
    if (!c.model.languageCapabilities().contains(code))
        return RdmReply::nack(Nack::dataOutOfRange);
    c.model.slotSetLanguage(code);
    return RdmReply::ack();
}

RdmReply getDmxPersonality(RdmContext &c) {
    c.out.put8(c.model.dmxPersonality());
    c.out.put8(quint8(c.model.personalityDescriptions().size()));
    return RdmReply::ack();
}

RdmReply setDmxPersonality(RdmContext &c) {
    const quint8 personality = c.read8(0);
    if (personality == 0 || personality > c.model.personalityDescriptions().size())
        return RdmReply::nack(Nack::dataOutOfRange);
    c.model.slotSetDmxPersonality(personality);
    return RdmReply::ack();
}

RdmReply getDmxPersonalityDescription(RdmContext &c) {
    const quint8 personality = c.read8(0);
    const QList<stDmxPersonality> personalities = c.model.personalityDescriptions();
    if (personality == 0 || personality > personalities.size())
        return RdmReply::nack(Nack::dataOutOfRange);
    const stDmxPersonality &entry = personalities.at(personality - 1);
    c.out.put8(personality);
    c.out.put16(entry.uiFootprint);
    c.out.putText(entry.sDescription, RdmTextWidth::label);
    return RdmReply::ack();
}

RdmReply setDmxStartAddress(RdmContext &c) {
    const quint16 address = c.read16(0);
    if (address < 1 || address + c.model.personalityFootprint() > 513)
        return RdmReply::nack(Nack::dataOutOfRange);
    c.model.slotSetDmxStartAddress(address);
    return RdmReply::ack();
}

RdmReply getSlotInfo(RdmContext &c) {
    const quint8 type = c.model.slotType();
    const quint16 labelId = c.model.slotLabelId();
    return slotListChunk(c, 45, [&](quint16 slot) {
        c.out.put16(slot);
        c.out.put8(type);
        c.out.put16(labelId);
    });
}

RdmReply getSlotDescription(RdmContext &c) {
    const quint16 slot = c.read16(0);
    if (slot >= c.model.personalityFootprint())
        return RdmReply::nack(Nack::dataOutOfRange);
    RdmText text;
    text.append(c.model.slotDescription()).append(" #").appendNumber(slot + 1u, 10, 3);
    c.out.put16(slot);
    c.out.putText(text.view(), RdmTextWidth::label);
    return RdmReply::ack();
}

RdmReply getDefaultSlotValue(RdmContext &c) {
    const quint8 value = c.model.defaultSlotValue();
    return slotListChunk(c, 76, [&](quint16 slot) {
        c.out.put16(slot);
        c.out.put8(value);
    });
}

RdmReply getSensorDefinition(RdmContext &c) {
    if (!c.sensors)
        return RdmReply::nack(Nack::formatError);
    const quint8 sensor = c.read8(0);
    SensorDefinition d;
    if (sensor >= c.sensors->sensorCount() || !c.sensors->sensorDefinition(sensor, d))
        return RdmReply::nack(Nack::dataOutOfRange);
    c.sensors->ensurePolling();
    c.out.put8(sensor);
    c.out.put8(d.uiType);
    c.out.put8(d.uiUnit);
    c.out.put8(d.uiPrefix);
    c.out.put16(quint16(d.iRangeMinimum));
    c.out.put16(quint16(d.iRangeMaximum));
    c.out.put16(quint16(d.iNormalMinimum));
    c.out.put16(quint16(d.iNormalMaximum));
    c.out.put8(d.uiRecordedValueSupport);
    c.out.putText(d.sDescription, RdmTextWidth::label);
    return RdmReply::ack();
}

namespace {
void putSensorValues(RdmContext &c, quint8 sensor, const SensorValues &v) {
    c.out.put8(sensor);
    c.out.put16(quint16(v.iPresent));
    c.out.put16(quint16(v.iLowest));
    c.out.put16(quint16(v.iHighest));
    c.out.put16(quint16(v.iRecorded));
}
} // namespace

RdmReply getSensorValue(RdmContext &c) {
    if (!c.sensors)
        return RdmReply::nack(Nack::formatError);
    const quint8 sensor = c.read8(0);
    SensorValues values;
    if (sensor >= c.sensors->sensorCount())
        return RdmReply::nack(Nack::dataOutOfRange);
    c.sensors->ensurePolling();
    if (!c.sensors->sensorValues(sensor, false, values))
        return RdmReply::nack(Nack::dataOutOfRange);
    putSensorValues(c, sensor, values);
    return RdmReply::ack();
}

RdmReply setSensorValue(RdmContext &c) {
    const quint8 sensor = c.read8(0);
    SensorValues values;
    // Resetting all sensors answers with sensor 0xFF and zero values (ANSI E1.20).
    if (sensor == allSensors && c.sensors) {
        for (int s = 0; s < c.sensors->sensorCount(); ++s)
            c.sensors->sensorValues(quint8(s), true, values);
        putSensorValues(c, sensor, {});
        return RdmReply::ack();
    }
    if (!c.sensors || sensor >= c.sensors->sensorCount() ||
        !c.sensors->sensorValues(sensor, true, values))
        return RdmReply::nack(Nack::dataOutOfRange);
    putSensorValues(c, sensor, values);
    return RdmReply::ack();
}

RdmReply setRecordSensors(RdmContext &c) {
    if (!c.sensors)
        return RdmReply::nack(Nack::formatError);
    const quint8 sensor = c.read8(0);
    if (sensor != allSensors && sensor >= c.sensors->sensorCount())
        return RdmReply::nack(Nack::dataOutOfRange);
    c.sensors->recordSensor(sensor);
    return RdmReply::ack();
}

RdmReply getPanInvert(RdmContext &c) {
    c.out.put8(c.model.screenFlipVertical() != 0 ? 1 : 0);
    return RdmReply::ack();
}

RdmReply getTiltInvert(RdmContext &c) {
    c.out.put8(c.model.screenFlipHorizontal() != 0 ? 1 : 0);
    return RdmReply::ack();
}

RdmReply getPanTiltSwap(RdmContext &c) {
    c.out.put8(c.model.screenRotation() != 0 ? 1 : 0);
    return RdmReply::ack();
}

// Swapping pan and tilt is a quarter turn of the picture.
RdmReply setPanTiltSwap(RdmContext &c) {
    c.model.slotSetScreenRotation(c.read8(0) != 0 ? 90 : 0);
    return RdmReply::ack();
}

RdmReply getRealTimeClock(RdmContext &c) {
    const QDateTime now = c.model.realTimeClock();
    const QDate date = now.date();
    const QTime time = now.time();
    c.out.put16(quint16(date.year()));
    c.out.put8(quint8(date.month()));
    c.out.put8(quint8(date.day()));
    c.out.put8(quint8(time.hour()));
    c.out.put8(quint8(time.minute()));
    c.out.put8(quint8(time.second()));
    return RdmReply::ack();
}

// A date or time that does not exist would leave the model with a meaningless clock offset.
RdmReply setRealTimeClock(RdmContext &c) {
    const std::optional<QDateTime> dateTime = Configurator::realTimeClockFromFields(
        c.read16(0), c.read8(2), c.read8(3), c.read8(4), c.read8(5), c.read8(6));
    if (!dateTime)
        return RdmReply::nack(Nack::dataOutOfRange);
    c.model.slotSetRealTimeClock(*dateTime);
    return RdmReply::ack();
}

// 0x01 is a warm reset, 0xFF a cold one; ANSI E1.20 defines no other.
RdmReply setResetDevice(RdmContext &c) {
    if (c.read8(0) != 0x01 && c.read8(0) != 0xFF)
        return RdmReply::nack(Nack::dataOutOfRange);
    c.model.slotSetResetDevice(c.read8(0));
    return RdmReply::ack();
}

// Full off, shutdown, standby, normal.
RdmReply setPowerState(RdmContext &c) {
    if (c.read8(0) > 0x02 && c.read8(0) != 0xFF)
        return RdmReply::nack(Nack::dataOutOfRange);
    c.model.slotSetPowerState(c.read8(0));
    return RdmReply::ack();
}

RdmReply getPerformSelfTest(RdmContext &c) {
    c.out.put8(c.model.performSelfTest() != 0 ? 1 : 0);
    return RdmReply::ack();
}

namespace {
const stSelfTestDescription *findSelfTest(const QList<stSelfTestDescription> &tests,
                                          quint8 number) {
    const auto it = std::find_if(tests.cbegin(), tests.cend(),
                                 [number](const auto &t) { return t.uiNumber == number; });
    return it != tests.cend() ? &*it : nullptr;
}
} // namespace

RdmReply setPerformSelfTest(RdmContext &c) {
    const quint8 number = c.read8(0);
    if (!findSelfTest(c.model.selfTestDescriptions(), number))
        return RdmReply::nack(Nack::dataOutOfRange);
    c.model.slotSetPerformSelfTest(number);
    return RdmReply::ack();
}

RdmReply getSelfTestDescription(RdmContext &c) {
    const quint8 number = c.read8(0);
    const QList<stSelfTestDescription> tests = c.model.selfTestDescriptions();
    const stSelfTestDescription *test = findSelfTest(tests, number);
    if (!test)
        return RdmReply::nack(Nack::dataOutOfRange);
    c.out.put8(number);
    c.out.putText(test->sDescription, RdmTextWidth::label);
    return RdmReply::ack();
}

RdmReply setCapturePreset(RdmContext &c) {
    const quint16 scene = c.read16(0);
    if (scene == 0 || scene > c.model.presetStatus().size())
        return RdmReply::nack(Nack::dataOutOfRange);
    c.model.slotSetCapturePreset(scene, c.read16(2), c.read16(4), c.read16(6));
    return RdmReply::ack();
}

RdmReply getPresetPlayback(RdmContext &c) {
    c.out.put16(c.model.presetPlaybackMode());
    c.out.put8(c.model.presetPlaybackLevel());
    return RdmReply::ack();
}

RdmReply setPresetPlayback(RdmContext &c) {
    c.model.slotSetPresetPlayback(c.read16(0), c.read8(2));
    return RdmReply::ack();
}

} // namespace RdmHandlers
