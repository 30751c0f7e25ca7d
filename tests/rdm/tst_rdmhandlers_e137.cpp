// GET and SET of every E1.37-1 (dimmer, preset) and E1.37-2 (IPv4, DNS) parameter, as whole
// messages, on a computer with the single address 192.168.1.20/24.

#include "rdmtestexchange.h"

using namespace RdmTest;

class TestRdmHandlersE137 : public QObject {
    Q_OBJECT

private slots:
    void testExchanges_data() {
        QTest::addColumn<QByteArrayList>("exchanges");

        // E1.37-1
        // Without sub-devices there is no block to address.
        QTest::newRow("DMX_BLOCK_ADDRESS") << QByteArrayList{
            get(0x0140), getNack(0x0140, 0), set(0x0140, hex("0010")), setNack(0x0140, 0)};
        QTest::newRow("DMX_FAIL_MODE")
            << QByteArrayList{get(0x0141),
                              getAck(0x0141, hex("0000"  // scene: hold the last look
                                                 "0000"  // loss-of-signal delay
                                                 "FFFF"  // hold time: for ever
                                                 "FF")), // level
                              set(0x0141, hex("0002 0003 0004 80")),
                              setAck(0x0141),
                              get(0x0141),
                              getAck(0x0141, hex("0002 0003 0004 80")),
                              set(0x0141, hex("0009 0BB9 FFFF 80")),
                              setAck(0x0141), // delay clamped, infinite hold kept
                              get(0x0141),
                              getAck(0x0141, hex("0009 0BB8 FFFF 80")),
                              set(0x0141, hex("0009 FFFF 0BB9 80")),
                              setAck(0x0141), // no infinite delay: clamped
                              get(0x0141),
                              getAck(0x0141, hex("0009 0BB8 0BB8 80")),
                              set(0x0141, hex("000A 0000 0000 80")),
                              setNack(0x0141, 0x0006),
                              set(0x0141, hex("FFFF 0000 0000 00")),
                              setAck(0x0141), // every channel at the level: zero
                              set(0x0141, hex("0002 0003 0004")),
                              setNack(0x0141, 0x0001)};
        QTest::newRow("DMX_STARTUP_MODE")
            << QByteArrayList{get(0x0142),
                              getAck(0x0142, hex("0000 0000 FFFF FF")),
                              set(0x0142, hex("0005 0006 0007 40")),
                              setAck(0x0142),
                              get(0x0142),
                              getAck(0x0142, hex("0005 0006 0007 40")),
                              set(0x0142, hex("0005 FFFF FFFF 40")),
                              setAck(0x0142), // only the hold may be infinite
                              get(0x0142),
                              getAck(0x0142, hex("0005 0BB8 FFFF 40"))};
        QTest::newRow("DIMMER_INFO")
            << QByteArrayList{get(0x0340),
                              getAck(0x0340, hex("0000 00FF" // minimum level limits
                                                 "0000 00FF" // maximum level limits
                                                 "01"        // one curve
                                                 "08"        // levels resolution
                                                 "00")),     // split levels
                              set(0x0340), setNack(0x0340, 0x0005)};
        QTest::newRow("MINIMUM_LEVEL and MAXIMUM_LEVEL")
            << QByteArrayList{get(0x0341),
                              getAck(0x0341, hex("0000 0000 00")),
                              set(0x0341, hex("0020 0010 01")),
                              setAck(0x0341),
                              get(0x0341),
                              getAck(0x0341, hex("0020 0020 01")),
                              set(0x0341, hex("0100 0000 01")),
                              setNack(0x0341, 0x0006), // above the upper limit
                              set(0x0341, hex("0010 0020 02")),
                              setNack(0x0341, 0x0006),
                              set(0x0341, hex("0010 0020")),
                              setNack(0x0341, 0x0001),
                              get(0x0342),
                              getAck(0x0342, hex("00FF")),
                              set(0x0342, hex("001F")),
                              setNack(0x0342, 0x0006), // below the minimum level
                              set(0x0342, hex("0100")),
                              setNack(0x0342, 0x0006),
                              set(0x0342, hex("0020")),
                              setAck(0x0342),
                              get(0x0342),
                              getAck(0x0342, hex("0020")),
                              set(0x0341, hex("0021 0000 00")),
                              setNack(0x0341, 0x0006)}; // above the maximum level
        // Without split levels the decreasing minimum is the increasing one, whatever is sent.
        QTest::newRow("MINIMUM_LEVEL without split levels")
            << QByteArrayList{set(0x0341, hex("00FF"  // increasing
                                              "0000"  // decreasing
                                              "00")), // on below minimum: off
                              setAck(0x0341), get(0x0341),
                              getAck(0x0341, hex("00FF"   // increasing
                                                 "00FF"   // decreasing
                                                 "00"))}; // on below minimum: off
        QTest::newRow("CURVE") << QByteArrayList{get(0x0343),
                                                 getAck(0x0343, hex("01 01")), // curve 1 of 1
                                                 set(0x0343, hex("02")),
                                                 setNack(0x0343, 0x0006),
                                                 set(0x0343, hex("00")),
                                                 setNack(0x0343, 0x0006),
                                                 set(0x0343, hex("01")),
                                                 setAck(0x0343),
                                                 get(0x0343),
                                                 getAck(0x0343, hex("01 01"))};
        QTest::newRow("CURVE_DESCRIPTION") << QByteArrayList{
            get(0x0344, hex("01")), getAck(0x0344, hex("01") + text("Curve Description Linear")),
            get(0x0344, hex("00")), getNack(0x0344, 0x0006),
            get(0x0344, hex("02")), getNack(0x0344, 0x0006),
            set(0x0344, hex("01")), setNack(0x0344, 0x0005)};
        QTest::newRow("OUTPUT_RESPONSE_TIME") << QByteArrayList{get(0x0345),
                                                                getAck(0x0345, hex("01 01")),
                                                                set(0x0345, hex("02")),
                                                                setNack(0x0345, 0x0006),
                                                                set(0x0345, hex("00")),
                                                                setNack(0x0345, 0x0006),
                                                                set(0x0345, hex("01")),
                                                                setAck(0x0345),
                                                                get(0x0345),
                                                                getAck(0x0345, hex("01 01"))};
        QTest::newRow("OUTPUT_RESPONSE_TIME_DESCRIPTION")
            << QByteArrayList{get(0x0346, hex("01")),
                              getAck(0x0346, hex("01") + text("Output Response Time Description")),
                              get(0x0346, hex("00")),
                              getNack(0x0346, 0x0006),
                              get(0x0346, hex("02")),
                              getNack(0x0346, 0x0006),
                              set(0x0346, hex("01")),
                              setNack(0x0346, 0x0005)};
        QTest::newRow("MODULATION_FREQUENCY stays 1 of 1")
            << QByteArrayList{get(0x0347),
                              getAck(0x0347, hex("01 01")),
                              set(0x0347, hex("02")),
                              setNack(0x0347, 0x0006),
                              set(0x0347, hex("01")),
                              setAck(0x0347),
                              get(0x0347),
                              getAck(0x0347, hex("01 01"))};
        QTest::newRow("MODULATION_FREQUENCY_DESCRIPTION")
            << QByteArrayList{get(0x0348, hex("01")),
                              getAck(0x0348, hex("01"          // setting
                                                 "00000000") + // frequency
                                                 text("Frequency Description 1")),
                              get(0x0348, hex("00")),
                              getNack(0x0348, 0x0006),
                              get(0x0348, hex("02")),
                              getNack(0x0348, 0x0006),
                              set(0x0348, hex("01")),
                              setNack(0x0348, 0x0005)};
        QTest::newRow("BURN_IN") << QByteArrayList{
            get(0x0440), getAck(0x0440, hex("00")), set(0x0440, hex("05")), setAck(0x0440),
            get(0x0440), getAck(0x0440, hex("05"))};
        QTest::newRow("LOCK_PIN") << QByteArrayList{get(0x0640),
                                                    getAck(0x0640, hex("1CDF")), // 7391
                                                    set(0x0640, hex("2710 1CDF")),
                                                    setNack(0x0640, 0x0001), // 10000
                                                    set(0x0640, hex("09A4 0001")),
                                                    setNack(0x0640, 0x0006), // wrong PIN
                                                    set(0x0640, hex("09A4 1CDF")),
                                                    setAck(0x0640), // 2468
                                                    get(0x0640),
                                                    getAck(0x0640, hex("09A4")),
                                                    set(0x0641, hex("1CDF 01")),
                                                    setNack(0x0641, 0x0006), // old PIN
                                                    set(0x0641, hex("09A4 01")),
                                                    setAck(0x0641)};
        QTest::newRow("LOCK_STATE")
            << QByteArrayList{get(0x0641),
                              getAck(0x0641, hex("00 01")), // unlocked, 1 lock state
                              set(0x0641, hex("0000 01")),
                              setNack(0x0641, 0x0006),
                              set(0x0641, hex("1CDF 02")),
                              setNack(0x0641, 0x0006),
                              set(0x0641, hex("1CDF 01")),
                              setAck(0x0641),
                              get(0x0641),
                              getAck(0x0641, hex("01 01")),
                              set(0x0641, hex("1CDF")),
                              setNack(0x0641, 0x0001)};
        QTest::newRow("LOCK_STATE_DESCRIPTION by lock state")
            << QByteArrayList{get(0x0642, hex("01")), getAck(0x0642, hex("01") + text("Locked")),
                              get(0x0642, hex("00")), getNack(0x0642, 0x0006),
                              get(0x0642, hex("02")), getNack(0x0642, 0x0006),
                              set(0x0642, hex("01")), setNack(0x0642, 0x0005)};
        QTest::newRow("IDENTIFY_MODE") << QByteArrayList{get(0x1040),
                                                         getAck(0x1040, hex("00")),
                                                         set(0x1040, hex("01")),
                                                         setNack(0x1040, 0x0006),
                                                         set(0x1040, hex("FF")),
                                                         setAck(0x1040),
                                                         get(0x1040),
                                                         getAck(0x1040, hex("FF"))};
        QTest::newRow("PRESET_INFO")
            << QByteArrayList{get(0x1041),
                              getAck(0x1041, hex("01 00 00" // level, sequence, split times
                                                 "00"       // no infinite fail delay
                                                 "01"       // infinite fail hold
                                                 "01"       // infinite start-up hold
                                                 "0009"     // nine scenes
                                                 "0000 0000 0000 0000"    // fade, wait
                                                 "0000 0BB8 0000 0BB8"    // fail delay, hold
                                                 "0000 0BB8 0000 0BB8")), // start-up

                              set(0x1041), setNack(0x1041, 0x0005)};
        QTest::newRow("PRESET_STATUS")
            << QByteArrayList{get(0x1042, hex("0009")),
                              getAck(0x1042, hex("0009"  // scene
                                                 "0000"  // up fade
                                                 "0000"  // down fade
                                                 "0000"  // wait
                                                 "00")), // programmed
                              get(0x1042, hex("000A")),
                              getNack(0x1042, 0x0006),
                              get(0x1042, hex("0000")),
                              getNack(0x1042, 0x0006),
                              set(0x1042, hex("0002 0001 0002 0003 00")),
                              setAck(0x1042),
                              get(0x1042, hex("0002")),
                              getAck(0x1042, hex("0002 0001 0002 0003 00")),
                              set(0x1042, hex("0002 0001 0002 0003 02")),
                              setNack(0x1042, 0x0006), // clear is 0 or 1
                              set(0x1042, hex("0003 0004")),
                              setNack(0x1042, 0x0001),
                              set(0x1042, hex("000A 0001 0002 0003 01")),
                              setNack(0x1042, 0x0006),
                              set(0x1042, hex("00")),
                              setNack(0x1042, 0x0001)};
        QTest::newRow("PRESET_MERGEMODE") << QByteArrayList{get(0x1043),
                                                            getAck(0x1043, hex("02")),
                                                            set(0x1043, hex("03")),
                                                            setAck(0x1043),
                                                            set(0x1043, hex("04")),
                                                            setNack(0x1043, 0x0006),
                                                            get(0x1043),
                                                            getAck(0x1043, hex("03")),
                                                            set(0x1043, hex("FF")),
                                                            setAck(0x1043),
                                                            get(0x1043),
                                                            getAck(0x1043, hex("FF"))};
        QTest::newRow("POWER_ON_SELF_TEST") << QByteArrayList{get(0x1044),
                                                              getAck(0x1044, hex("00")),
                                                              set(0x1044, hex("02")),
                                                              setNack(0x1044, 0x0006),
                                                              set(0x1044, hex("01")),
                                                              setAck(0x1044),
                                                              get(0x1044),
                                                              getAck(0x1044, hex("01"))};

        // E1.37-2: interface identifier 192.168.1.20 = C0A80114
        QTest::newRow("LIST_INTERFACES")
            << QByteArrayList{get(0x0700),
                              getAck(0x0700, hex("C0A80114" // identifier
                                                 "0001")),  // Ethernet
                              set(0x0700), setNack(0x0700, 0x0005)};
        QTest::newRow("INTERFACE_LABEL") << QByteArrayList{
            get(0x0701, hex("C0A80114")), getAck(0x0701, hex("C0A80114") + text("", 8)),
            get(0x0701, hex("C0A80115")), getNack(0x0701, 0x0006),
            get(0x0701, hex("C0A801")),   getNack(0x0701, 0x0001),
            set(0x0701, hex("C0A80114")), setNack(0x0701, 0x0005)};
        QTest::newRow("INTERFACE_HARDWARE_ADDRESS_TYPE1") << QByteArrayList{
            get(0x0702, hex("C0A80114")), getAck(0x0702, hex("C0A80114 000000000000")),
            get(0x0702, hex("7F000001")), getNack(0x0702, 0x0006),
            set(0x0702, hex("C0A80114")), setNack(0x0702, 0x0005)};
        QTest::newRow("IPV4_DHCP_MODE")
            << QByteArrayList{get(0x0703, hex("C0A80114")), getAck(0x0703, hex("C0A80114 00")),
                              set(0x0703, hex("C0A80114 01")), setNack(0x0703, 0x000B)};
        QTest::newRow("IPV4_ZEROCONF_MODE")
            << QByteArrayList{get(0x0704, hex("C0A80114")), getAck(0x0704, hex("C0A80114 00")),
                              set(0x0704, hex("C0A80114 01")), setNack(0x0704, 0x000B)};
        QTest::newRow("IPV4_CURRENT_ADDRESS")
            << QByteArrayList{get(0x0705, hex("C0A80114")),
                              getAck(0x0705, hex("C0A80114" // identifier
                                                 "C0A80114" // address
                                                 "18"       // /24
                                                 "02")),    // DHCP status unknown
                              set(0x0705, hex("C0A80114")), setNack(0x0705, 0x0005)};
        QTest::newRow("IPV4_STATIC_ADDRESS") << QByteArrayList{
            get(0x0706, hex("C0A80114")), getAck(0x0706, hex("C0A80114 C0A80114 18")),
            set(0x0706, hex("C0A80114 0A000001 08")), setNack(0x0706, 0x000B)};
        // Not served: the interfaces belong to the computer, and it reports no gateway.
        QTest::newRow("DHCP actions and default route")
            << QByteArrayList{set(0x0707, hex("C0A80114")),
                              setNack(0x0707, 0),
                              set(0x0708, hex("C0A80114")),
                              setNack(0x0708, 0),
                              set(0x0709, hex("C0A80114")),
                              setNack(0x0709, 0),
                              get(0x070A),
                              getNack(0x070A, 0)};
        QTest::newRow("DNS_IPV4_NAME_SERVER") << QByteArrayList{
            get(0x070B, hex("00")),  getAck(0x070B, hex("00 7F000001")), get(0x070B, hex("01")),
            getNack(0x070B, 0x0006), set(0x070B, hex("00 08080808")),    setNack(0x070B, 0x000B)};
        QTest::newRow("DNS_HOSTNAME")
            << QByteArrayList{get(0x070C), getAck(0x070C, text("tessahost", 63)),
                              set(0x070C, "other"), setNack(0x070C, 0x000B)};
        QTest::newRow("DNS_DOMAIN_NAME")
            << QByteArrayList{get(0x070D), getAck(0x070D, text("example.org", 63)), set(0x070D),
                              setNack(0x070D, 0x000B)};
    }

    void testExchanges() {
        QFETCH(QByteArrayList, exchanges);
        Fixture f;
        runExchanges(f, exchanges);
    }

    // Scene 3 programmed, scene 4 read-only: new times keep scene 3 programmed, clearing it
    // drops its times, and scene 4 refuses to be cleared.
    void testPresetStatusClear() {
        Fixture f;
        f.model.slotSetPresetStatus(3, {0x000A, 0x0014, 0x001E, 0x01});
        f.model.slotSetPresetStatus(4, {0x000A, 0x0014, 0x001E, 0x02});
        runExchanges(f, {set(0x1042, hex("0003 0004 0005 0006 00")), setAck(0x1042),
                         get(0x1042, hex("0003")),
                         getAck(0x1042, hex("0003"  // scene
                                            "0004"  // up fade
                                            "0005"  // down fade
                                            "0006"  // wait
                                            "01")), // programmed
                         set(0x1042, hex("0003 0004 0005 0006 01")), setAck(0x1042),
                         get(0x1042, hex("0003")), getAck(0x1042, hex("0003 0000 0000 0000 00")),
                         set(0x1042, hex("0004 0000 0000 0000 01")),
                         setNack(0x1042, 0x0007), // NR_WRITE_PROTECT
                         get(0x1042, hex("0004")), getAck(0x1042, hex("0004 000A 0014 001E 02"))});
    }

    void testHardwareAddressFromStoredText() {
        Fixture f;
        f.model.slotSetInterfaceHardwareAddressType1(
            {{0xC0A80114, QStringLiteral("00:1A:2B:3C:4D:5E")}});
        QCOMPARE(f.ask(get(0x0702, hex("C0A80114"))), getAck(0x0702, hex("C0A80114 001A2B3C4D5E")));
    }

    void testFirstMatchingInterfaceAnswers() {
        Fixture f;
        f.model.slotSetIpV4CurrentAddress({{0x0A000001, 0xFF000000, 1},
                                           {0xC0A80114, 0xFFFFFF00, 0},
                                           {0xC0A80114, 0xFFFF0000, 1}});
        QCOMPARE(f.ask(get(0x0705, hex("C0A80114"))),
                 getAck(0x0705, hex("C0A80114 C0A80114 18 00")));
        f.model.slotSetIpV4CurrentAddress({});
        QCOMPARE(f.ask(get(0x0705, hex("C0A80114"))), getNack(0x0705, 0x0006));
    }

    void testManyInterfacesFitOneResponse() {
        Fixture f;
        QList<stListInterfaces> interfaces;
        QByteArray expected;
        for (quint32 i = 0; i < 38; ++i) {
            interfaces.append({0x0A000001 + i, 1});
            expected += QByteArray::fromHex(QByteArray::number(0x0A000001 + i, 16)) + hex("0001");
        }
        f.model.slotSetListInterfaces(interfaces);
        QCOMPARE(f.ask(get(0x0700)), getAck(0x0700, expected));
    }

    void testDnsWithoutNetwork() {
        Fixture f;
        rdm responder(&f.model, &f.sensors, nullptr);
        const RdmUid own{ownManufacturer, ownDevice};
        const auto ask = [&](const QByteArray &m) {
            return responder.handleRequest(m, own).toByteArray();
        };
        QCOMPARE(ask(get(0x070B, hex("00"))), getNack(0x070B, 0x0006));
        QCOMPARE(ask(get(0x070C)), getNack(0x070C, 0x0001));
        QCOMPARE(ask(get(0x070D)), getNack(0x070D, 0x0001));
    }
};

QTEST_GUILESS_MAIN(TestRdmHandlersE137)
#include "tst_rdmhandlers_e137.moc"
