#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QTimer;

// Sensor 0 as SENSOR_DEFINITION describes it.
struct SensorDefinition {
    quint8 uiSensor = 0;
    quint8 uiType = 0;
    quint8 uiUnit = 0;
    quint8 uiPrefix = 0;
    qint16 iRangeMinimum = 0;
    qint16 iRangeMaximum = 0;
    qint16 iNormalMinimum = 0;
    qint16 iNormalMaximum = 0;
    quint8 uiRecordedValueSupport = 0;
    QString sDescription;
};

// The four values SENSOR_VALUE reports after the sensor number.
struct SensorValues {
    qint16 iPresent = 0;
    qint16 iLowest = 0;
    qint16 iHighest = 0;
    qint16 iRecorded = 0;

    bool operator==(const SensorValues &) const = default;
};

// Physical memory in bytes; available is unknown when the system does not say.
struct MemoryStatus {
    quint64 uiTotal = 0;
    std::optional<quint64> uiAvailable;
};

// The device's RDM sensors: exactly one, sensor 0, the physical memory in use. Byte counts
// are scaled by a power of 1024 chosen from the total so that they fit a signed 16-bit value.
class SensorInfo : public QObject {
    Q_OBJECT

public:
    static constexpr quint8 SensorMemory = 0;
    static constexpr quint8 AllSensors = 0xFF;
    static constexpr int PollIntervalMs = 10000;

    // Returns the text of the system's memory report (the /proc/meminfo format).
    using MeminfoSource = std::function<QByteArray()>;

    explicit SensorInfo(QObject *parent = nullptr);
    explicit SensorInfo(MeminfoSource source, QObject *parent = nullptr);

    // MemTotal and MemAvailable of a /proc/meminfo text; lines it cannot read are skipped.
    static MemoryStatus parseMeminfo(QByteArrayView text);
    static QByteArray readProcMeminfo();
    // Bits by which byte counts are shifted right for a total of uiTotal bytes.
    static quint8 scaleShift(quint64 uiTotal);

    int sensorCount() const { return 1; }
    quint64 totalMemory() const { return m_uiTotalMemory; }
    quint8 shift() const { return m_uiShift; }

    // Starts the periodic update unless it runs already; the first update follows as soon
    // as control returns to the event loop.
    void ensurePolling();
    bool sensorDefinition(quint8 uiSensor, SensorDefinition &definition) const;
    // With bReset the lowest, highest and recorded values restart from the present value.
    bool sensorValues(quint8 uiSensor, bool bReset, SensorValues &values);
    // Records the present value of the sensor (all sensors for 0xFF) and returns it; nothing
    // for a sensor that does not exist.
    std::optional<qint16> recordSensor(quint8 uiSensor);

public slots:
    void slotTriggerSensorUpdate();
    void slotSensorReadRamUsed();

private:
    void readTotalMemory(const MemoryStatus &status);
    // The single-shot timer of the periodic update, made on first use.
    QTimer *pollTimer();

    MeminfoSource m_source;
    QTimer *m_pollTimer = nullptr;
    quint64 m_uiTotalMemory = 0;
    quint8 m_uiShift = 0;
    qint16 m_iPresent = 0;
    qint16 m_iRecorded = 0;
    qint16 m_iLowest = 0x7FFF;
    qint16 m_iHighest = -0x8000;
    bool m_bUnknownRecordReported = false;
};
