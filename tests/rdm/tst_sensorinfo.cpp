#include "rdm/sensorinfo.h"

#include <QRegularExpression>
#include <QTest>
#include <QTimer>

namespace {
constexpr quint64 KiB = 1024;
constexpr quint64 GiB = KiB * KiB * KiB;

QByteArray meminfo(quint64 totalKb, quint64 availableKb) {
    return QStringLiteral("MemTotal:       %1 kB\n"
                          "MemFree:          123456 kB\n"
                          "MemAvailable:   %2 kB\n"
                          "Buffers:          200000 kB\n"
                          "Cached:          4000000 kB\n"
                          "HugePages_Total:       0\n")
        .arg(totalKb)
        .arg(availableKb)
        .toLatin1();
}
} // namespace

class TestSensorInfo : public QObject {
    Q_OBJECT

private slots:
    void parsesMeminfo();
    void parsesMeminfoWithoutMemAvailable();
    void skipsMalformedLines();
    void scaleShiftByTotal_data();
    void scaleShiftByTotal();
    void definitionOfFourGiB();
    void valuesBeforeFirstUpdateAreZero();
    void valuesTrackLowestAndHighest();
    void resetAndRecord();
    void unknownSensorIsRefused();
    void pollingStartsOnceAndRepeats();
    void failedReadKeepsKnownValues();
    void readsThisComputer();
};

void TestSensorInfo::parsesMeminfo() {
    const MemoryStatus status = SensorInfo::parseMeminfo(meminfo(16318084, 9000000));
    QCOMPARE(status.uiTotal, 16318084 * KiB);
    QVERIFY(status.uiAvailable);
    // MemAvailable, not MemFree: the page cache is available memory.
    QCOMPARE(*status.uiAvailable, 9000000 * KiB);
}

void TestSensorInfo::parsesMeminfoWithoutMemAvailable() {
    // Older kernels: free plus buffers plus page cache.
    const MemoryStatus status = SensorInfo::parseMeminfo("MemTotal: 8000 kB\n"
                                                         "MemFree: 1000 kB\n"
                                                         "Buffers: 200 kB\n"
                                                         "Cached: 3000 kB\n");
    QCOMPARE(status.uiTotal, 8000 * KiB);
    QCOMPARE(status.uiAvailable.value_or(0), 4200 * KiB);

    // Nothing to go on: availability unknown, not zero (which would read as all in use).
    const MemoryStatus bare = SensorInfo::parseMeminfo("MemTotal: 8000 kB\n");
    QCOMPARE(bare.uiTotal, 8000 * KiB);
    QVERIFY(!bare.uiAvailable);
}

void TestSensorInfo::skipsMalformedLines() {
    const MemoryStatus status = SensorInfo::parseMeminfo("garbage\n"
                                                         "\n"
                                                         ":\n"
                                                         "MemTotal: lots kB\n"
                                                         "MemAvailable: 12 MB\n"
                                                         "MemAvailable: -5 kB\n"
                                                         "MemAvailable: 99999999999999999999 kB\n"
                                                         "MemAvailable: 18014398509481984 kB\n"
                                                         "MemAvailable: 1 kB extra\n"
                                                         "MemTotal:4096 kB\n"
                                                         "MemAvailable:   1024");
    QCOMPARE(status.uiTotal, 4096 * KiB);
    // A value without unit is in bytes; the last line has no newline.
    QCOMPARE(status.uiAvailable.value_or(0), quint64(1024));

    const MemoryStatus empty = SensorInfo::parseMeminfo({});
    QCOMPARE(empty.uiTotal, quint64(0));
    QVERIFY(!empty.uiAvailable);

    // An unreadable report leaves a sensor that reports nothing in use rather than failing.
    SensorInfo sensor([] { return QByteArray("\0\xff\n::::\nMemTotal kB 5\n", 20); });
    QCOMPARE(sensor.totalMemory(), quint64(0));
    sensor.slotSensorReadRamUsed();
    SensorValues values;
    QVERIFY(sensor.sensorValues(0, false, values));
    QCOMPARE(values, (SensorValues{0, 0, 0, 0}));
    SensorDefinition definition;
    QVERIFY(sensor.sensorDefinition(0, definition));
    QCOMPARE(definition.iRangeMaximum, qint16(0));
}

void TestSensorInfo::scaleShiftByTotal_data() {
    QTest::addColumn<quint64>("total");
    QTest::addColumn<int>("shift");
    QTest::addColumn<int>("prefix");
    QTest::addColumn<int>("rangeMaximum");

    QTest::newRow("32767 bytes") << quint64(0x7FFF) << 0 << 0x00 << 0x7FFF;
    // Unscaled, 32768 bytes would wrap the signed range maximum negative.
    QTest::newRow("32768 bytes") << quint64(0x8000) << 10 << 0x13 << 32;
    QTest::newRow("1 MiB - 1") << quint64(0xFFFFF) << 10 << 0x13 << 1023;
    QTest::newRow("16 MiB") << 16 * KiB * KiB << 10 << 0x13 << 16384;
    QTest::newRow("32 MiB") << 32 * KiB * KiB << 20 << 0x14 << 32;
    QTest::newRow("4 GiB") << 4 * GiB << 20 << 0x14 << 4096;
    QTest::newRow("8 GiB") << 8 * GiB << 20 << 0x14 << 8192;
    QTest::newRow("32 GiB") << 32 * GiB << 30 << 0x15 << 32;
    QTest::newRow("32 TiB") << (quint64(1) << 45) << 40 << 0x16 << 32;
    QTest::newRow("2^55 - 1") << ((quint64(1) << 55) - 1) << 40 << 0x16 << 32767;
    QTest::newRow("2^55") << (quint64(1) << 55) << 50 << 0x17 << 32;
}

void TestSensorInfo::scaleShiftByTotal() {
    QFETCH(quint64, total);
    QFETCH(int, shift);
    QFETCH(int, prefix);
    QFETCH(int, rangeMaximum);
    QCOMPARE(int(SensorInfo::scaleShift(total)), shift);

    // The same through the definition, with the total as meminfo would give it.
    const QByteArray text = "MemTotal: " + QByteArray::number(total) + "\n";
    SensorInfo sensor([text] { return text; });
    SensorDefinition definition;
    QVERIFY(sensor.sensorDefinition(0, definition));
    QCOMPARE(int(definition.uiPrefix), prefix);
    QCOMPARE(int(definition.iRangeMaximum), rangeMaximum);
}

void TestSensorInfo::definitionOfFourGiB() {
    SensorInfo sensor([] { return meminfo(4 * KiB * KiB, 1 * KiB * KiB); });
    QCOMPARE(sensor.sensorCount(), 1);
    QCOMPARE(sensor.totalMemory(), 4 * GiB);
    SensorDefinition d;
    QVERIFY(sensor.sensorDefinition(0, d));
    QCOMPARE(d.uiSensor, quint8(0));
    QCOMPARE(d.uiType, quint8(0x1D));                 // SENS_MEMORY
    QCOMPARE(d.uiUnit, quint8(0x1C));                 // UNITS_BYTE
    QCOMPARE(d.uiPrefix, quint8(0x14));               // mega
    QCOMPARE(d.iRangeMinimum, qint16(0));             // range minimum
    QCOMPARE(d.iRangeMaximum, qint16(4096));          // total >> 20
    QCOMPARE(d.iNormalMinimum, qint16(1));            // normal minimum
    QCOMPARE(d.iNormalMaximum, qint16(4095));         // range maximum - 1
    QCOMPARE(d.uiRecordedValueSupport, quint8(0x03)); // recorded + lowest/highest
    QCOMPARE(d.sDescription, QStringLiteral("RAM"));
}

void TestSensorInfo::valuesBeforeFirstUpdateAreZero() {
    SensorInfo sensor([] { return meminfo(4 * KiB * KiB, 1 * KiB * KiB); });
    sensor.ensurePolling();
    // The first update runs only once control returns to the event loop.
    SensorValues values;
    QVERIFY(sensor.sensorValues(0, false, values));
    QCOMPARE(values, (SensorValues{0, 0, 0, 0}));
}

void TestSensorInfo::valuesTrackLowestAndHighest() {
    quint64 availableKb = 1 * KiB * KiB; // of 4 GiB: 3072 MiB in use
    SensorInfo sensor([&] { return meminfo(4 * KiB * KiB, availableKb); });
    sensor.slotSensorReadRamUsed();
    SensorValues values;
    QVERIFY(sensor.sensorValues(0, false, values));
    QCOMPARE(values, (SensorValues{3072, 3072, 3072, 0}));

    availableKb = 3 * KiB * KiB;
    sensor.slotSensorReadRamUsed();
    QVERIFY(sensor.sensorValues(0, false, values));
    QCOMPARE(values, (SensorValues{1024, 1024, 3072, 0}));

    // More available than the total (a bogus report) counts as nothing in use.
    availableKb = 5 * KiB * KiB;
    sensor.slotSensorReadRamUsed();
    QVERIFY(sensor.sensorValues(0, false, values));
    QCOMPARE(values, (SensorValues{0, 0, 3072, 0}));
}

void TestSensorInfo::resetAndRecord() {
    quint64 availableKb = 2 * KiB * KiB;
    SensorInfo sensor([&] { return meminfo(4 * KiB * KiB, availableKb); });
    sensor.slotSensorReadRamUsed();
    availableKb = 3 * KiB * KiB;
    sensor.slotSensorReadRamUsed(); // present 1024, lowest 1024, highest 2048

    SensorValues values;
    QVERIFY(sensor.sensorValues(0, true, values));
    QCOMPARE(values, (SensorValues{1024, 1024, 1024, 1024}));
    QVERIFY(sensor.sensorValues(0, false, values));
    QCOMPARE(values, (SensorValues{1024, 1024, 1024, 1024}));

    // Later updates move lowest and highest, not the recorded value.
    availableKb = 1 * KiB * KiB;
    sensor.slotSensorReadRamUsed();
    QVERIFY(sensor.sensorValues(0, false, values));
    QCOMPARE(values, (SensorValues{3072, 1024, 3072, 1024}));

    QCOMPARE(sensor.recordSensor(0), std::optional<qint16>(3072));
    QVERIFY(sensor.sensorValues(0, false, values));
    QCOMPARE(values.iRecorded, qint16(3072));

    // 0xFF means every sensor, which is sensor 0.
    availableKb = 2 * KiB * KiB;
    sensor.slotSensorReadRamUsed();
    QCOMPARE(sensor.recordSensor(0xFF), std::optional<qint16>(2048));
}

void TestSensorInfo::unknownSensorIsRefused() {
    SensorInfo sensor([] { return meminfo(4 * KiB * KiB, 1 * KiB * KiB); });
    sensor.slotSensorReadRamUsed();

    SensorDefinition definition;
    QTest::ignoreMessage(QtWarningMsg,
                         "RDM     : recieved unknown sensor index by SENSOR_DEFINITION!");
    QVERIFY(!sensor.sensorDefinition(1, definition));

    SensorValues values{1, 2, 3, 4};
    QTest::ignoreMessage(QtWarningMsg, "RDM     : recieved unknown sensor index by SENSOR_VALUE!");
    QVERIFY(!sensor.sensorValues(1, true, values));
    QCOMPARE(values, SensorValues{});

    QTest::ignoreMessage(QtWarningMsg,
                         "RDM     : recieved unknown sensor index by RECORD_SENSORS!");
    QVERIFY(!sensor.recordSensor(5));
    // Reported once: a controller repeating the SET must not flood the log.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("RECORD_SENSORS")));
    QVERIFY(!sensor.recordSensor(5));
    // Nothing was recorded or reset by the refused requests.
    QVERIFY(sensor.sensorValues(0, false, values));
    QCOMPARE(values, (SensorValues{3072, 3072, 3072, 0}));
}

void TestSensorInfo::pollingStartsOnceAndRepeats() {
    int reads = 0;
    SensorInfo sensor([&] {
        ++reads;
        return meminfo(4 * KiB * KiB, 1 * KiB * KiB);
    });
    QCOMPARE(reads, 1); // the total, at construction
    QVERIFY(sensor.findChildren<QTimer *>().isEmpty());

    sensor.ensurePolling();
    sensor.ensurePolling();
    QCOMPARE(sensor.findChildren<QTimer *>().size(), 1);
    QCOMPARE(reads, 1);
    QTRY_COMPARE(reads, 2);

    // The next update is 10 s away, one timer only.
    const QList<QTimer *> timers = sensor.findChildren<QTimer *>();
    QCOMPARE(timers.size(), 1);
    QVERIFY(timers.first()->isActive());
    QVERIFY(timers.first()->isSingleShot());
    QCOMPARE(timers.first()->interval(), SensorInfo::PollIntervalMs);
    QCOMPARE(SensorInfo::PollIntervalMs, 10000);
    QTest::qWait(50);
    QCOMPARE(reads, 2);

    SensorValues values;
    QVERIFY(sensor.sensorValues(0, false, values));
    QCOMPARE(values.iPresent, qint16(3072));
}

void TestSensorInfo::failedReadKeepsKnownValues() {
    bool fail = false;
    SensorInfo sensor([&] { return fail ? QByteArray() : meminfo(4 * KiB * KiB, 1 * KiB * KiB); });
    sensor.slotSensorReadRamUsed();
    fail = true;
    sensor.slotSensorReadRamUsed();
    QCOMPARE(sensor.totalMemory(), 4 * GiB);
    SensorValues values;
    QVERIFY(sensor.sensorValues(0, false, values));
    QCOMPARE(values.iPresent, qint16(3072));

    // A total that appears later is taken then.
    bool late = false;
    SensorInfo lateSensor([&] { return late ? meminfo(8 * KiB * KiB, 0) : QByteArray(); });
    QCOMPARE(lateSensor.totalMemory(), quint64(0));
    late = true;
    lateSensor.slotSensorReadRamUsed();
    QCOMPARE(lateSensor.totalMemory(), 8 * GiB);
    QVERIFY(lateSensor.sensorValues(0, false, values));
    QCOMPARE(values.iPresent, qint16(8192));
}

void TestSensorInfo::readsThisComputer() {
    const MemoryStatus status = SensorInfo::parseMeminfo(SensorInfo::readProcMeminfo());
    QVERIFY(status.uiTotal > 0);
    QVERIFY(status.uiAvailable);
    QVERIFY(*status.uiAvailable <= status.uiTotal);

    SensorInfo sensor;
    sensor.slotSensorReadRamUsed();
    SensorDefinition definition;
    QVERIFY(sensor.sensorDefinition(0, definition));
    SensorValues values;
    QVERIFY(sensor.sensorValues(0, false, values));
    QVERIFY(values.iPresent > 0);
    QVERIFY(values.iPresent <= definition.iRangeMaximum);
}

QTEST_GUILESS_MAIN(TestSensorInfo)
#include "tst_sensorinfo.moc"
