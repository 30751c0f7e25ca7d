// GET and SET of every E1.20 parameter the responder serves, as whole messages. The device
// is in its start-up state: 512-slot footprint, personality 1 of 10, 8 GiB of memory, clock at
// 2024-03-15 12:00:00 UTC.

#include "rdm/buildlabel.h"
#include "rdmtestexchange.h"

#include <QSignalSpy>
#include <ctime>

using namespace RdmTest;

class TestRdmHandlersE120 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        qputenv("TZ", "UTC");
        tzset();
    }

    void testExchanges_data() {
        QTest::addColumn<QByteArrayList>("exchanges");

        QTest::newRow("QUEUED_MESSAGE answers an empty STATUS_MESSAGES")
            << QByteArrayList{get(0x0020, hex("04")), getAck(0x0030), //
                              set(0x0020, hex("04")), setNack(0x0020, 0x0005)};
        QTest::newRow("STATUS_MESSAGES")
            << QByteArrayList{get(0x0030, hex("02")), getAck(0x0030), //
                              set(0x0030), setNack(0x0030, 0x0005)};
        QTest::newRow("STATUS_ID_DESCRIPTION")
            << QByteArrayList{get(0x0031, hex("8001")),
                              getAck(0x0031, text("Idx:32769 (0x8001) Status Id Description")),
                              get(0x0031, hex("FFDF")), // last manufacturer status ID
                              getAck(0x0031, text("Idx:65503 (0xffdf) Status Id Description")),
                              get(0x0031, hex("7FFF")),
                              getNack(0x0031, 0x0006),
                              get(0x0031, hex("FFE0")),
                              getNack(0x0031, 0x0006),
                              get(0x0031, hex("80")),
                              getNack(0x0031, 0x0001),
                              set(0x0031, hex("8001")),
                              setNack(0x0031, 0x0005)};
        QTest::newRow("CLEAR_STATUS_ID")
            << QByteArrayList{set(0x0032), setAck(0x0032), get(0x0032), getNack(0x0032, 0x0005)};
        QTest::newRow("SUB_DEVICE_STATUS_REPORT_THRESHOLD")
            << QByteArrayList{get(0x0033),
                              getAck(0x0033, hex("00")), //
                              set(0x0033, hex("02")),
                              setAck(0x0033),
                              get(0x0033),
                              getAck(0x0033, hex("02")),
                              set(0x0033),
                              setNack(0x0033, 0x0001)};
        // Without 0050, 0060, 00C0, 00F0 and 1000, which every responder serves.
        QTest::newRow("SUPPORTED_PARAMETERS") << QByteArrayList{
            get(0x0050),
            getAck(0x0050, hex("0020 0030 0031 0032 0033 0070 0080 0081 0082 0090 00A0 00B0"
                               "00C1 00C2 00E0 00E1 0120 0121 0122 0141 0142 0200 0201 0202"
                               "0340 0341 0342 0343 0344 0345 0346 0347 0348 0400 0401 0402"
                               "0403 0404 0405 0440 0500 0501 0600 0601 0602 0603 0640 0641"
                               "0642 0700 0701 0702 0703 0704 0705 0706 070B 070C 070D 1001"
                               "1010 1020 1021 1030 1031 1040 1041 1042 1043 1044")),
            set(0x0050), setNack(0x0050, 0x0005)};
        QTest::newRow("DEVICE_INFO")
            << QByteArrayList{get(0x0060),
                              getAck(0x0060, hex("0100"     // RDM protocol 1.0
                                                 "0208"     // device model ID
                                                 "0101"     // fixture, fixed
                                                 "02080300" // software version ID
                                                 "0200"     // footprint 512
                                                 "01"       // personality 1
                                                 "0A"       // of 10
                                                 "0001"     // start address
                                                 "0000"     // sub-devices
                                                 "01")),    // one sensor
                              set(0x0060), setNack(0x0060, 0x0005)};
        QTest::newRow("PRODUCT_DETAIL_ID_LIST")
            << QByteArrayList{get(0x0070), getAck(0x0070, hex("0204 0601")), //
                              set(0x0070), setNack(0x0070, 0x0005)};
        QTest::newRow("DEVICE_MODEL_DESCRIPTION")
            << QByteArrayList{get(0x0080), getAck(0x0080, text("Tessaview")), //
                              set(0x0080), setNack(0x0080, 0x0005)};
        QTest::newRow("MANUFACTURER_LABEL")
            << QByteArrayList{get(0x0081), getAck(0x0081, text("www.example.org")), set(0x0081),
                              setNack(0x0081, 0x0005)};
        QTest::newRow("DEVICE_LABEL") << QByteArrayList{get(0x0082),
                                                        getAck(0x0082, text("Tessaview")),
                                                        set(0x0082, "Stage left \xE9"),
                                                        setAck(0x0082), // Latin-1 e-acute
                                                        get(0x0082),
                                                        getAck(0x0082, text("Stage left \xE9")),
                                                        set(0x0082),
                                                        setAck(0x0082), // empty label
                                                        get(0x0082),
                                                        getAck(0x0082, text(""))};
        QTest::newRow("FACTORY_DEFAULTS") << QByteArrayList{get(0x0090),
                                                            getAck(0x0090, hex("01")),
                                                            set(0x0501, hex("80")),
                                                            setAck(0x0501),
                                                            get(0x0090),
                                                            getAck(0x0090, hex("00")),
                                                            set(0x0090),
                                                            setAck(0x0090),
                                                            get(0x0090),
                                                            getAck(0x0090, hex("01"))};
        QTest::newRow("LANGUAGE_CAPABILITIES")
            << QByteArrayList{get(0x00A0), getAck(0x00A0, hex("6465 656E")), // "de", "en"
                              set(0x00A0), setNack(0x00A0, 0x0005)};
        QTest::newRow("LANGUAGE") << QByteArrayList{get(0x00B0),       getAck(0x00B0, hex("656E")),
                                                    set(0x00B0, "fr"), setNack(0x00B0, 0x0006),
                                                    set(0x00B0, "d"),  setNack(0x00B0, 0x0001),
                                                    set(0x00B0, "de"), setAck(0x00B0),
                                                    get(0x00B0),       getAck(0x00B0, "de")};
        QTest::newRow("SOFTWARE_VERSION_LABEL")
            << QByteArrayList{get(0x00C0), getAck(0x00C0, text("V2.8")), //
                              set(0x00C0), setNack(0x00C0, 0x0005)};
        QTest::newRow("BOOT_SOFTWARE_VERSION_ID")
            << QByteArrayList{get(0x00C1), getAck(0x00C1, hex("00000020")), //
                              set(0x00C1), setNack(0x00C1, 0x0005)};
        QTest::newRow("BOOT_SOFTWARE_VERSION_LABEL") << QByteArrayList{
            get(0x00C2), getAck(0x00C2, text(bootSoftwareVersionLabel().toLatin1())), set(0x00C2),
            setNack(0x00C2, 0x0005)};
        QTest::newRow("DMX_PERSONALITY") << QByteArrayList{get(0x00E0),
                                                           getAck(0x00E0, hex("01 0A")),
                                                           set(0x00E0, hex("00")),
                                                           setNack(0x00E0, 0x0006),
                                                           set(0x00E0, hex("0B")),
                                                           setNack(0x00E0, 0x0006),
                                                           set(0x00E0, hex("03")),
                                                           setAck(0x00E0),
                                                           get(0x00E0),
                                                           getAck(0x00E0, hex("03 0A"))};
        QTest::newRow("DMX_PERSONALITY_DESCRIPTION") << QByteArrayList{
            get(0x00E1, hex("01")), getAck(0x00E1, hex("01 0200") + text("Current")),
            get(0x00E1, hex("0A")), getAck(0x00E1, hex("0A 0200") + text("Preset 9")),
            get(0x00E1, hex("0B")), getNack(0x00E1, 0x0006),
            get(0x00E1, hex("00")), getNack(0x00E1, 0x0006),
            set(0x00E1, hex("01")), setNack(0x00E1, 0x0005)};
        QTest::newRow("DMX_START_ADDRESS") << QByteArrayList{get(0x00F0),
                                                             getAck(0x00F0, hex("0001")),
                                                             set(0x00F0, hex("0000")),
                                                             setNack(0x00F0, 0x0006),
                                                             set(0x00F0, hex("0002")),
                                                             setNack(0x00F0, 0x0006),
                                                             set(0x00F0, hex("0001")),
                                                             setAck(0x00F0),
                                                             get(0x00F0),
                                                             getAck(0x00F0, hex("0001"))};
        QTest::newRow("SLOT_INFO set") << QByteArrayList{set(0x0120), setNack(0x0120, 0x0005)};
        QTest::newRow("SLOT_DESCRIPTION") << QByteArrayList{
            get(0x0121, hex("0000")), getAck(0x0121, hex("0000") + text("Intensity #001")),
            get(0x0121, hex("01FF")), getAck(0x0121, hex("01FF") + text("Intensity #512")),
            get(0x0121, hex("0200")), getNack(0x0121, 0x0006),
            set(0x0121, hex("0000")), setNack(0x0121, 0x0005)};
        QTest::newRow("DEFAULT_SLOT_VALUE set")
            << QByteArrayList{set(0x0122), setNack(0x0122, 0x0005)};
        QTest::newRow("SENSOR_DEFINITION")
            << QByteArrayList{get(0x0200, hex("00")),
                              getAck(0x0200, hex("00"    // sensor 0
                                                 "1D"    // SENS_MEMORY
                                                 "1C"    // UNITS_BYTE
                                                 "14"    // mega
                                                 "0000"  // range minimum
                                                 "2000"  // range maximum 8192
                                                 "0001"  // normal minimum
                                                 "1FFF"  // normal maximum
                                                 "03") + // recorded, lowest/highest
                                                 text("RAM")),
                              get(0x0200, hex("01")),
                              getNack(0x0200, 0x0006),
                              get(0x0200),
                              getNack(0x0200, 0x0001),
                              set(0x0200, hex("00")),
                              setNack(0x0200, 0x0005)};
        QTest::newRow("SENSOR_VALUE before the first update") << QByteArrayList{
            get(0x0201, hex("00")), getAck(0x0201, hex("00 0000 0000 0000 0000")),
            get(0x0201, hex("01")), getNack(0x0201, 0x0006),
            set(0x0201, hex("01")), setNack(0x0201, 0x0006),
            set(0x0201, hex("00")), setAck(0x0201, hex("00 0000 0000 0000 0000"))};
        QTest::newRow("RECORD_SENSORS") << QByteArrayList{set(0x0202, hex("00")), setAck(0x0202),
                                                          set(0x0202), setNack(0x0202, 0x0001)};
        QTest::newRow("DEVICE_HOURS") << QByteArrayList{get(0x0400),
                                                        getAck(0x0400, hex("00000000")),
                                                        set(0x0400, hex("00000100")),
                                                        setAck(0x0400),
                                                        get(0x0400),
                                                        getAck(0x0400, hex("00000100")),
                                                        set(0x0400, hex("000001")),
                                                        setNack(0x0400, 0x0001)};
        QTest::newRow("LAMP_HOURS") << QByteArrayList{get(0x0401),
                                                      getAck(0x0401, hex("00000000")),
                                                      set(0x0401, hex("00012345")),
                                                      setAck(0x0401),
                                                      get(0x0401),
                                                      getAck(0x0401, hex("00012345"))};
        QTest::newRow("LAMP_STRIKES") << QByteArrayList{get(0x0402),
                                                        getAck(0x0402, hex("00000000")),
                                                        set(0x0402, hex("00000005")),
                                                        setAck(0x0402),
                                                        get(0x0402),
                                                        getAck(0x0402, hex("00000005"))};
        QTest::newRow("LAMP_STATE") << QByteArrayList{
            get(0x0403), getAck(0x0403, hex("00")), set(0x0403, hex("01")), setAck(0x0403),
            get(0x0403), getAck(0x0403, hex("01"))};
        QTest::newRow("LAMP_ON_MODE") << QByteArrayList{
            get(0x0404), getAck(0x0404, hex("00")), set(0x0404, hex("02")), setAck(0x0404),
            get(0x0404), getAck(0x0404, hex("02"))};
        QTest::newRow("DEVICE_POWER_CYCLES") << QByteArrayList{get(0x0405),
                                                               getAck(0x0405, hex("00000011")),
                                                               set(0x0405, hex("00000020")),
                                                               setAck(0x0405),
                                                               get(0x0405),
                                                               getAck(0x0405, hex("00000020"))};
        QTest::newRow("DISPLAY_INVERT") << QByteArrayList{
            get(0x0500), getAck(0x0500, hex("00")), set(0x0500, hex("01")), setAck(0x0500),
            get(0x0500), getAck(0x0500, hex("01")), set(0x0500, hex("03")), setNack(0x0500, 0x0006),
            get(0x0500), getAck(0x0500, hex("01"))};
        QTest::newRow("DISPLAY_LEVEL") << QByteArrayList{get(0x0501),
                                                         getAck(0x0501, hex("FF")),
                                                         set(0x0501, hex("80")),
                                                         setAck(0x0501),
                                                         get(0x0501),
                                                         getAck(0x0501, hex("80")),
                                                         set(0x0501),
                                                         setNack(0x0501, 0x0001)};
        QTest::newRow("PAN_INVERT") << QByteArrayList{get(0x0600),
                                                      getAck(0x0600, hex("00")),
                                                      set(0x0600, hex("02")),
                                                      setNack(0x0600, 0x0006),
                                                      set(0x0600, hex("01")),
                                                      setAck(0x0600),
                                                      get(0x0600),
                                                      getAck(0x0600, hex("01"))};
        QTest::newRow("TILT_INVERT") << QByteArrayList{
            get(0x0601), getAck(0x0601, hex("00")), set(0x0601, hex("01")), setAck(0x0601),
            get(0x0601), getAck(0x0601, hex("01"))};
        QTest::newRow("PAN_TILT_SWAP") << QByteArrayList{
            get(0x0602), getAck(0x0602, hex("00")), set(0x0602, hex("01")), setAck(0x0602),
            get(0x0602), getAck(0x0602, hex("01")), set(0x0602, hex("00")), setAck(0x0602),
            get(0x0602), getAck(0x0602, hex("00"))};
        QTest::newRow("REAL_TIME_CLOCK")
            << QByteArrayList{get(0x0603),
                              getAck(0x0603, hex("07E8 03 0F 0C 00 00")),
                              set(0x0603, hex("07E9 01 02 03 04 05")),
                              setAck(0x0603),
                              get(0x0603),
                              getAck(0x0603, hex("07E9 01 02 03 04 05")),
                              set(0x0603, hex("07E9 01 02 03 04")),
                              setNack(0x0603, 0x0001)};
        QTest::newRow("REAL_TIME_CLOCK refuses what does not exist")
            << QByteArrayList{set(0x0603, hex("07E9 0D 01 00 00 00")), // month 13
                              setNack(0x0603, 0x0006),
                              set(0x0603, hex("07E9 01 01 19 00 00")), // hour 25
                              setNack(0x0603, 0x0006),
                              set(0x0603, hex("07E9 02 1F 00 00 00")), // 31 February
                              setNack(0x0603, 0x0006),
                              set(0x0603, hex("07E9 01 01 00 3C 00")), // minute 60
                              setNack(0x0603, 0x0006),
                              get(0x0603),
                              getAck(0x0603, hex("07E8 03 0F 0C 00 00")),
                              set(0x0603, hex("07E8 02 1D 17 3B 3B")), // 29 Feb 2024 exists
                              setAck(0x0603)};
        QTest::newRow("IDENTIFY_DEVICE") << QByteArrayList{
            get(0x1000), getAck(0x1000, hex("00")), set(0x1000, hex("01")), setAck(0x1000),
            get(0x1000), getAck(0x1000, hex("01"))};
        QTest::newRow("RESET_DEVICE") << QByteArrayList{set(0x1001, hex("01")), setAck(0x1001),
                                                        set(0x1001), setNack(0x1001, 0x0001)};
        QTest::newRow("POWER_STATE") << QByteArrayList{
            get(0x1010), getAck(0x1010, hex("FF")), set(0x1010, hex("00")), setAck(0x1010),
            get(0x1010), getAck(0x1010, hex("00"))};
        QTest::newRow("PERFORM_SELFTEST") << QByteArrayList{get(0x1020),
                                                            getAck(0x1020, hex("00")),
                                                            set(0x1020, hex("06")),
                                                            setNack(0x1020, 0x0006),
                                                            set(0x1020, hex("FF")),
                                                            setAck(0x1020), // SELF_TEST_ALL
                                                            get(0x1020),
                                                            getAck(0x1020, hex("01"))};
        QTest::newRow("SELF_TEST_DESCRIPTION")
            << QByteArrayList{get(0x1021, hex("02")),
                              getAck(0x1021, hex("02") + text("Color On/Off with R, G, B, W")),
                              get(0x1021, hex("FF")),
                              getAck(0x1021, hex("FF") + text("SELF_TEST_ALL")),
                              get(0x1021, hex("06")),
                              getNack(0x1021, 0x0006),
                              set(0x1021, hex("02")),
                              setNack(0x1021, 0x0005)};
        QTest::newRow("CAPTURE_PRESET") << QByteArrayList{set(0x1030, hex("0003 0000 0000 0000")),
                                                          setAck(0x1030),
                                                          set(0x1030, hex("000A 0000 0000 0000")),
                                                          setNack(0x1030, 0x0006),
                                                          set(0x1030, hex("0003")),
                                                          setNack(0x1030, 0x0001)};
        QTest::newRow("PRESET_PLAYBACK") << QByteArrayList{get(0x1031),
                                                           getAck(0x1031, hex("0000 FF")),
                                                           set(0x1031, hex("0002 80")),
                                                           setAck(0x1031),
                                                           get(0x1031),
                                                           getAck(0x1031, hex("0002 80")),
                                                           set(0x1031, hex("0002")),
                                                           setNack(0x1031, 0x0001)};
    }

    void testExchanges() {
        QFETCH(QByteArrayList, exchanges);
        Fixture f;
        runExchanges(f, exchanges);
    }

    void testSetsReachTheModel() {
        Fixture f;
        QSignalSpy defaults(&f.model, &Configurator::signalChangedFactoryDefaults);
        QSignalSpy reset(&f.model, &Configurator::signalChangedResetDevice);
        QSignalSpy capture4(&f.model, qOverload<quint16, quint16, quint16, quint16>(
                                          &Configurator::signalChangedCapturePreset));
        QSignalSpy language(&f.model, &Configurator::signalChangedLanguage);

        QCOMPARE(f.ask(set(0x0032)), setAck(0x0032)); // CLEAR_STATUS_ID: nothing queued
        f.ask(set(0x0090));
        f.ask(set(0x1001, hex("FF")));
        f.ask(set(0x1030, hex("0004 0001 0002 0003"))); // scene with the three times
        f.ask(set(0x00B0, "de"));
        f.ask(set(0x0603, hex("07E9 01 02 03 04 05")));

        QCOMPARE(defaults.count(), 1);
        QCOMPARE(reset.at(0).at(0).toUInt(), 0xFFu);
        QCOMPARE(capture4.at(0), (QList<QVariant>{quint16(4), quint16(1), quint16(2), quint16(3)}));
        QCOMPARE(language.at(0).at(0).value<quint16>(), quint16(0x6465));
        QCOMPARE(f.model.realTimeClock().toSecsSinceEpoch(),
                 QDateTime(QDate(2025, 1, 2), QTime(3, 4, 5), Qt::LocalTime).toSecsSinceEpoch());
    }

    void testDeviceLabelCarriesEveryByte() {
        Fixture f;
        const QByteArray longest("A label of exactly thirty-two ch");
        QCOMPARE(f.ask(set(0x0082, longest + "a")), setNack(0x0082, 0x0001));
        QCOMPARE(f.ask(set(0x0082, longest)), setAck(0x0082));
        QCOMPARE(f.model.deviceLabel(), QString::fromLatin1(longest));
        QCOMPARE(f.ask(get(0x0082)), getAck(0x0082, longest));
    }

    void testHoursFromReference() {
        Fixture f;
        f.now = f.now.addSecs(90 * 60);
        runExchanges(f, {get(0x0400), getAck(0x0400, hex("00000001")), //
                         get(0x0401), getAck(0x0401, hex("00000001"))});
    }

    void testSensorValuesFollowUpdates() {
        Fixture f;
        f.sensors.slotSensorReadRamUsed(); // 4 GiB of 8 in use: 4096 MiB
        runExchanges(f, {get(0x0201, hex("00")),
                         getAck(0x0201, hex("00"      // sensor
                                            "1000"    // present
                                            "1000"    // lowest
                                            "1000"    // highest
                                            "0000")), // recorded
                         set(0x0202, hex("00")), setAck(0x0202), get(0x0201, hex("00")),
                         getAck(0x0201, hex("00 1000 1000 1000 1000")), set(0x0201, hex("00")),
                         setAck(0x0201, hex("00 1000 1000 1000 1000"))});
        // 0xFF is every sensor; a sensor that does not exist is out of range.
        QCOMPARE(f.ask(set(0x0202, hex("FF"))), setAck(0x0202));
        QCOMPARE(f.ask(set(0x0202, hex("01"))), setNack(0x0202, 0x0006));
        QCOMPARE(f.ask(set(0x0201, hex("01"))), setNack(0x0201, 0x0006));
        QCOMPARE(f.ask(set(0x0201, hex("FF"))), setAck(0x0201, hex("FF 0000 0000 0000 0000")));
    }

    void testWithoutSensors() {
        Fixture f;
        rdm responder(&f.model, nullptr, &f.net);
        const RdmUid own{ownManufacturer, ownDevice};
        const auto ask = [&](const QByteArray &m) {
            return responder.handleRequest(m, own).toByteArray();
        };
        QCOMPARE(ask(get(0x0200, hex("00"))), getNack(0x0200, 0x0001));
        QCOMPARE(ask(get(0x0201, hex("00"))), getNack(0x0201, 0x0001));
        QCOMPARE(ask(set(0x0201, hex("00"))), setNack(0x0201, 0x0006));
        QCOMPARE(ask(set(0x0202, hex("00"))), setNack(0x0202, 0x0001));
        QCOMPARE(ask(get(0x0060)).mid(23 + 18, 1), hex("00")); // sensor count 0
    }

    void testEmptyLanguageList() {
        Fixture f;
        f.model.slotSetLanguageCapabilities({});
        QCOMPARE(f.ask(get(0x00A0)), getNack(0x00A0, 0x0001));
    }

    void testDeviceInfoStartsSensorPolling() {
        Fixture f;
        f.ask(get(0x0060));
        QTRY_COMPARE(f.ask(get(0x0201, hex("00"))), getAck(0x0201, hex("00 1000 1000 1000 0000")));
    }
};

QTEST_GUILESS_MAIN(TestRdmHandlersE120)
#include "tst_rdmhandlers_e120.moc"
