#include "rdm/sensorinfo.h"

#include <QDebug>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <limits>

namespace {
// E1.20 codes for the memory sensor.
constexpr quint8 SensMemory = 0x1D;
constexpr quint8 UnitsByte = 0x1C;
constexpr quint8 RecordedAndLowHighSupported = 0x03;

// One "Key:   value [kB]" line; false when the line is not of that form or overflows.
bool parseMeminfoLine(QByteArrayView line, QByteArrayView &key, quint64 &bytes) {
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0)
        return false;
    key = line.first(colon);
    const QList<QByteArray> words = line.sliced(colon + 1).toByteArray().simplified().split(' ');
    if (words.isEmpty() || words.size() > 2)
        return false;
    bool ok = false;
    const quint64 value = words[0].toULongLong(&ok);
    if (!ok)
        return false;
    quint64 unit = 1;
    if (words.size() == 2) {
        if (words[1] != "kB")
            return false;
        unit = 1024;
    }
    if (value > std::numeric_limits<quint64>::max() / unit)
        return false;
    bytes = value * unit;
    return true;
}
} // namespace

SensorInfo::SensorInfo(QObject *parent) : SensorInfo(MeminfoSource(readProcMeminfo), parent) {}

SensorInfo::SensorInfo(MeminfoSource source, QObject *parent)
    : QObject(parent), m_source(source ? std::move(source) : MeminfoSource(readProcMeminfo)) {
    readTotalMemory(parseMeminfo(m_source()));
}

QByteArray SensorInfo::readProcMeminfo() {
    QFile file(QStringLiteral("/proc/meminfo"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

MemoryStatus SensorInfo::parseMeminfo(QByteArrayView text) {
    MemoryStatus status;
    std::optional<quint64> free, buffers, cached;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        QByteArrayView key;
        quint64 bytes = 0;
        if (parseMeminfoLine(text.sliced(start, end - start), key, bytes)) {
            if (key == "MemTotal")
                status.uiTotal = bytes;
            else if (key == "MemAvailable")
                status.uiAvailable = bytes;
            else if (key == "MemFree")
                free = bytes;
            else if (key == "Buffers")
                buffers = bytes;
            else if (key == "Cached")
                cached = bytes;
        }
        start = end + 1;
    }
    // Kernels before 3.14 have no MemAvailable; free memory plus the reclaimable caches is
    // the usual estimate. Free memory alone would count the page cache as in use.
    if (!status.uiAvailable && free)
        status.uiAvailable = *free + buffers.value_or(0) + cached.value_or(0);
    return status;
}

quint8 SensorInfo::scaleShift(quint64 uiTotal) {
    // Unscaled only while the byte count itself fits the signed 16-bit range maximum.
    if (uiTotal <= 0x7FFF)
        return 0;
    for (quint8 shift : {10, 20, 30}) {
        if ((uiTotal >> shift) <= 0x7FFF)
            return shift;
    }
    return uiTotal < (quint64(1) << 55) ? 40 : 50;
}

void SensorInfo::readTotalMemory(const MemoryStatus &status) {
    // Once known, the total is kept: a failed read must not change the scale.
    if (m_uiTotalMemory != 0 || status.uiTotal == 0)
        return;
    m_uiTotalMemory = status.uiTotal;
    m_uiShift = scaleShift(m_uiTotalMemory);
}

QTimer *SensorInfo::pollTimer() {
    if (!m_pollTimer) {
        m_pollTimer = new QTimer(this);
        m_pollTimer->setSingleShot(true);
        connect(m_pollTimer, &QTimer::timeout, this, &SensorInfo::slotTriggerSensorUpdate);
    }
    return m_pollTimer;
}

void SensorInfo::ensurePolling() {
    if (m_pollTimer)
        return;
    pollTimer()->start(0);
}

void SensorInfo::slotTriggerSensorUpdate() {
    slotSensorReadRamUsed();
    pollTimer()->start(PollIntervalMs);
}

void SensorInfo::slotSensorReadRamUsed() {
    const MemoryStatus status = parseMeminfo(m_source());
    readTotalMemory(status);
    if (m_uiTotalMemory == 0 || !status.uiAvailable)
        return;
    const quint64 available = std::min(*status.uiAvailable, m_uiTotalMemory);
    m_iPresent = static_cast<qint16>((m_uiTotalMemory - available) >> m_uiShift);
    m_iLowest = std::min(m_iLowest, m_iPresent);
    m_iHighest = std::max(m_iHighest, m_iPresent);
}

bool SensorInfo::sensorDefinition(quint8 uiSensor, SensorDefinition &definition) const {
    if (uiSensor != SensorMemory) {
        qWarning("RDM     : recieved unknown sensor index by SENSOR_DEFINITION!");
        return false;
    }
    const qint16 range = static_cast<qint16>(m_uiTotalMemory >> m_uiShift);
    definition.uiSensor = uiSensor;
    definition.uiType = SensMemory;
    definition.uiUnit = UnitsByte;
    definition.uiPrefix = m_uiShift == 0 ? 0x00 : m_uiShift / 10 + 18;
    definition.iRangeMinimum = 0;
    definition.iRangeMaximum = range;
    definition.iNormalMinimum = 1;
    definition.iNormalMaximum = static_cast<qint16>(range - 1);
    definition.uiRecordedValueSupport = RecordedAndLowHighSupported;
    definition.sDescription = QStringLiteral("RAM");
    return true;
}

bool SensorInfo::sensorValues(quint8 uiSensor, bool bReset, SensorValues &values) {
    if (uiSensor != SensorMemory) {
        qWarning("RDM     : recieved unknown sensor index by SENSOR_VALUE!");
        values = {};
        return false;
    }
    if (bReset) {
        m_iLowest = m_iHighest = m_iRecorded = m_iPresent;
        values = {m_iPresent, m_iPresent, m_iPresent, m_iPresent};
        return true;
    }
    values = {m_iPresent, std::min(m_iLowest, m_iPresent), std::max(m_iHighest, m_iPresent),
              m_iRecorded};
    return true;
}

std::optional<qint16> SensorInfo::recordSensor(quint8 uiSensor) {
    if (uiSensor != SensorMemory && uiSensor != AllSensors) {
        // Any controller on the LAN can send this SET as often as it likes; one line is
        // enough to show the mistake, a line per request would flood the log.
        if (!m_bUnknownRecordReported) {
            m_bUnknownRecordReported = true;
            qWarning("RDM     : recieved unknown sensor index by RECORD_SENSORS!");
        }
        return std::nullopt;
    }
    m_iRecorded = m_iPresent;
    return m_iRecorded;
}
