// The responder's entry: addressing, the checks made before dispatch, routing by command
// class and sub-device, the shared table rules, and the list continuation.

#include "rdmtestsupport.h"

#include <QLoggingCategory>
#include <QSignalSpy>
#include <QtTest>

using namespace RdmTest;

namespace {

// A SET DISPLAY_LEVEL 0x40 to the given destination.
QByteArray setLevelTo(quint16 manufacturer, quint32 device) {
    return request(Message{0x30, 0x0501, hex("40"), 0, manufacturer, device});
}

// The SLOT_INFO data for slots first..last: offset, type ST_PRIMARY, label SD_INTENSITY.
QByteArray slotInfo(int first, int last) {
    QByteArray b;
    for (int slot = first; slot <= last; ++slot)
        b += QByteArray::fromHex(QByteArray::number(slot, 16).rightJustified(4, '0')) +
             hex("00 0001");
    return b;
}

// The DEFAULT_SLOT_VALUE data for slots first..last: offset, value 0.
QByteArray defaultValues(int first, int last) {
    QByteArray b;
    for (int slot = first; slot <= last; ++slot)
        b += QByteArray::fromHex(QByteArray::number(slot, 16).rightJustified(4, '0')) + hex("00");
    return b;
}

QByteArray overflow(quint16 pid, const QByteArray &data) {
    return response(0x03, 0x21, pid, data);
}

} // namespace

class TestRdm : public QObject {
    Q_OBJECT

private slots:
    void testAnsweredOnlyForOwnUid() {
        Fixture f;
        // Another device's UID, one that differs only in the manufacturer, and the
        // controller's own: no answer and no action.
        QVERIFY(f.ask(setLevelTo(0x0000, 0x2B3C4D5F)).isEmpty());
        QVERIFY(f.ask(setLevelTo(0x7A70, 0x2B3C4D5E)).isEmpty());
        QVERIFY(f.ask(setLevelTo(0x7A70, 0x12345678)).isEmpty());
        QCOMPARE(f.model.displayLevel(), quint8(255));

        // Our UID: acted on and answered with our UID as source.
        QCOMPARE(f.ask(setLevelTo(0x0000, 0x2B3C4D5E)), ack(0x30, 0x0501));
        QCOMPARE(f.model.displayLevel(), quint8(0x40));
    }

    void testBroadcastSetIsCarriedOutWithoutAnswer_data() {
        QTest::addColumn<int>("manufacturer");
        QTest::newRow("all devices FFFF:FFFFFFFF") << 0xFFFF;
        QTest::newRow("our manufacturer 0000:FFFFFFFF") << 0x0000;
    }

    void testBroadcastSetIsCarriedOutWithoutAnswer() {
        QFETCH(int, manufacturer);
        Fixture f;
        QVERIFY(f.ask(setLevelTo(quint16(manufacturer), 0xFFFFFFFF)).isEmpty());
        QCOMPARE(f.model.displayLevel(), quint8(0x40));
    }

    void testBroadcastOfOtherManufacturerIgnored() {
        Fixture f;
        QVERIFY(f.ask(setLevelTo(0x7A70, 0xFFFFFFFF)).isEmpty());
        QCOMPARE(f.model.displayLevel(), quint8(255));
    }

    void testBroadcastWithBadChecksumNotCarriedOut() {
        Fixture f;
        QByteArray message = setLevelTo(0xFFFF, 0xFFFFFFFF);
        message[message.size() - 1] = char(message.back() ^ 1);
        QVERIFY(f.ask(message).isEmpty());
        QCOMPARE(f.model.displayLevel(), quint8(255));
    }

    void testBroadcastGetNeitherAnsweredNorCounted() {
        // A broadcast GET SLOT_INFO in the middle of a continuation must not take a chunk.
        Fixture f(100);
        QCOMPARE(f.ask(request(0x20, 0x0120)), overflow(0x0120, slotInfo(0, 44)));
        QVERIFY(f.ask(request(Message{0x20, 0x0120, {}, 0, 0xFFFF, 0xFFFFFFFF})).isEmpty());
        QVERIFY(f.ask(request(Message{0x20, 0x0060, {}, 0, 0xFFFF, 0xFFFFFFFF})).isEmpty());
        QCOMPARE(f.ask(request(0x20, 0x0120)), overflow(0x0120, slotInfo(45, 89)));
    }

    void testShortInput() {
        Fixture f;
        const QByteArray smallest = request(0x20, 0x0501);
        QCOMPARE(smallest.size(), 25);
        QVERIFY(f.ask(smallest.first(24)).isEmpty());
        QVERIFY(f.ask({}).isEmpty());
        QCOMPARE(f.ask(smallest), ack(0x20, 0x0501, hex("FF")));
    }

    void testPortIdZeroAnsweredWithFormatError() {
        Fixture f;
        QCOMPARE(f.ask(request(Message{0x20, 0x0501, {}, 0, 0, 0x2B3C4D5E, 0x00})),
                 nack(0x20, 0x0501, 0x0001));
    }

    void testDamagedMessagesDropped_data() {
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("PDL claims more than received")
            << hex("01 1C 0000 2B3C4D5E 7A70 12345678 05 01 00 0000"
                   "20 0501 04" // GET DISPLAY_LEVEL, PDL 4 but no data follows
                   "0524");
        QTest::newRow("message length and PDL disagree")
            << withChecksum(hex("01 19 0000 2B3C4D5E 7A70 12345678 05 01 00 0000"
                                "20 0501 00" // message length says one data byte
                                "00"));
        QByteArray corrupted = request(0x20, 0x0501);
        corrupted[corrupted.size() - 2] = char(0x0B);
        QTest::newRow("wrong checksum") << corrupted;
        QTest::newRow("wrong Sub-START code")
            << withChecksum(hex("02 18 0000 2B3C4D5E 7A70 12345678 05 01 00 0000 20 0501 00"));
        QTest::newRow("datagram one byte longer") << request(0x20, 0x0501) + hex("00");
        QTest::newRow("discovery") << request(0x10, 0x0002);
        QTest::newRow("DISC_UNIQUE_BRANCH")
            << request(0x10, 0x0001, hex("0000 00000000 FFFF FFFFFFFF"));
    }

    void testDamagedMessagesDropped() {
        QFETCH(QByteArray, message);
        Fixture f;
        QVERIFY(f.ask(message).isEmpty());
    }

    void testChecksumDiagnostic() {
        QLoggingCategory::setFilterRules(QStringLiteral("tessaview.rdm.debug=true"));
        Fixture f;
        QTest::ignoreMessage(QtDebugMsg, "CheckSum Error 0x047b != 0x0b71");
        QVERIFY(f.ask(hex("01 18 0000 2B3C4D5E 7A70 12345678 05 01 00 0000 20 0060 00"
                          "0B71")) // the sum is 0x047B
                    .isEmpty());
        QLoggingCategory::setFilterRules(QString());
    }

    void testOversizedMessagesStayInBounds() {
        Fixture f;
        const QString label = f.model.deviceLabel();
        // ArtRdm's 512 bytes with PDL 255, checksum bytes wherever they would fall.
        QByteArray message = hex("01 FF 0000 2B3C4D5E 7A70 12345678 05 01 00 0000 30 0082 FF");
        message += QByteArray(512 - message.size(), 'A');
        QVERIFY(f.ask(message).isEmpty());
        // A correct checksum over a PDL of 232 does not make it acceptable.
        QVERIFY(f.ask(withChecksum(hex("01 FF 0000 2B3C4D5E 7A70 12345678 05 01 00 0000"
                                       "30 0082 E8") +
                                   QByteArray(232, 'B')))
                    .isEmpty());
        // The largest PDL is sound but too long for a label.
        QCOMPARE(f.ask(request(0x30, 0x0082, QByteArray(231, 'C'))), nack(0x30, 0x0082, 0x0001));
        QCOMPARE(f.model.deviceLabel(), label);
    }

    void testOtherCommandClassesIgnored() {
        Fixture f;
        for (quint8 commandClass : {0x00, 0x21, 0x31, 0x40})
            QVERIFY(f.ask(request(commandClass, 0x0060)).isEmpty());
    }

    void testSubDeviceOutOfRange() {
        Fixture f;
        QCOMPARE(f.ask(request(Message{0x20, 0x0060, {}, 0x0001})),
                 nack(0x20, 0x0060, 0x0009, 0x0001));
        QCOMPARE(f.ask(request(Message{0x30, 0x0501, hex("10"), 0xFFFF})),
                 response(0x02, 0x31, 0x0501, hex("0009"), 0xFFFF));
        QCOMPARE(f.model.displayLevel(), quint8(255));
    }

    void testNoModelRefusesEverything() {
        rdm responder(nullptr, nullptr, nullptr);
        const RdmUid own{ownManufacturer, ownDevice};
        QCOMPARE(responder.handleRequest(request(0x20, 0x0060), own).toByteArray(),
                 nack(0x20, 0x0060, 0x0009));
        QCOMPARE(responder.handleRequest(request(0x30, 0x0501, hex("10")), own).toByteArray(),
                 nack(0x30, 0x0501, 0x0009));
    }

    void testResponseLayout() {
        Fixture f;
        const QByteArray answer = f.ask(request(0x20, 0x0082));
        QCOMPARE(answer.size(), 25 + 32);
        QCOMPARE(quint8(answer[0]), quint8(0x01));
        QCOMPARE(quint8(answer[1]), quint8(24 + 32));
    }

    void testSlotInfoContinuation() {
        Fixture f(100);
        QCOMPARE(f.ask(request(0x20, 0x0120)), overflow(0x0120, slotInfo(0, 44)));
        QCOMPARE(f.ask(request(0x20, 0x0120)), overflow(0x0120, slotInfo(45, 89)));
        QCOMPARE(f.ask(request(0x20, 0x0120)), ack(0x20, 0x0120, slotInfo(90, 99)));
        QCOMPARE(f.ask(request(0x20, 0x0120)), overflow(0x0120, slotInfo(0, 44)));
    }

    void testSlotInfoExactChunk() {
        Fixture f(45);
        QCOMPARE(f.ask(request(0x20, 0x0120)), ack(0x20, 0x0120, slotInfo(0, 44)));
        QCOMPARE(f.ask(request(0x20, 0x0120)), ack(0x20, 0x0120, slotInfo(0, 44)));
    }

    void testDefaultSlotValueContinuation() {
        Fixture f(100);
        QCOMPARE(f.ask(request(0x20, 0x0122)), overflow(0x0122, defaultValues(0, 75)));
        QCOMPARE(f.ask(request(0x20, 0x0122)), ack(0x20, 0x0122, defaultValues(76, 99)));
        f.model.slotSetDmxPersonalityDescription({{45, QStringLiteral("Current")}});
        QCOMPARE(f.ask(request(0x20, 0x0122)), ack(0x20, 0x0122, defaultValues(0, 44)));
    }

    void testContinuationBrokenByAnotherGet() {
        Fixture f(100);
        QCOMPARE(f.ask(request(0x20, 0x0120)), overflow(0x0120, slotInfo(0, 44)));
        // A SET does not count ...
        QCOMPARE(f.ask(request(0x30, 0x0501, hex("80"))), ack(0x30, 0x0501));
        QCOMPARE(f.ask(request(0x20, 0x0120)), overflow(0x0120, slotInfo(45, 89)));
        // ... any known GET does, even one that is refused.
        QCOMPARE(f.ask(request(0x20, 0x0121)), nack(0x20, 0x0121, 0x0001));
        QCOMPARE(f.ask(request(0x20, 0x0120)), overflow(0x0120, slotInfo(0, 44)));
        // An unknown PID is no GET the responder knows: the continuation goes on.
        QCOMPARE(f.ask(request(0x20, 0x8123)), nack(0x20, 0x8123, 0));
        QCOMPARE(f.ask(request(0x20, 0x0120)), overflow(0x0120, slotInfo(45, 89)));
        // The other list's PID starts its own list from slot 0.
        QCOMPARE(f.ask(request(0x20, 0x0122)), overflow(0x0122, defaultValues(0, 75)));
        QCOMPARE(f.ask(request(0x20, 0x0120)), overflow(0x0120, slotInfo(0, 44)));
    }

    void testContinuationAfterFootprintShrank() {
        Fixture f(100);
        QCOMPARE(f.ask(request(0x20, 0x0120)), overflow(0x0120, slotInfo(0, 44)));
        QCOMPARE(f.ask(request(0x20, 0x0120)), overflow(0x0120, slotInfo(45, 89)));
        f.model.slotSetDmxPersonalityDescription({{40, QStringLiteral("Current")}});
        QCOMPARE(f.ask(request(0x20, 0x0120)), ack(0x20, 0x0120, slotInfo(0, 39)));
    }

    void testEmptyListNotAnswered() {
        Fixture f(0);
        QVERIFY(f.ask(request(0x20, 0x0120)).isEmpty());
        QVERIFY(f.ask(request(0x20, 0x0122)).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRdm)
#include "tst_rdm.moc"
