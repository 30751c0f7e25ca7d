#include "net/bytereader.h"
// The RDM message layer: image, checks, response builders and fixed-width texts, against
// literal messages.

#include "rdm/rdmmessage.h"
#include "rdm/rdmmessagedata.h"
#include "rdmtestframing.h"

#include <QtTest>

using namespace RdmTest;

namespace {

// GET DEVICE_INFO from 7A70:12345678 to 0000:2B3C4D5E, as ArtRdm carries it.
const char getDeviceInfo[] = "01"            // Sub-START code
                             "18"            // message length 24
                             "0000 2B3C4D5E" // destination UID
                             "7A70 12345678" // source UID
                             "05"            // transaction number
                             "01"            // port ID
                             "00"            // message count
                             "0000"          // sub-device: root
                             "20"            // GET_COMMAND
                             "0060"          // DEVICE_INFO
                             "00"            // PDL
                             "047B";         // checksum, START code 0xCC included

// Its ACK with the start-up device information of a 32-slot display.
const char deviceInfoAck[] = "01"            // Sub-START code
                             "2B"            // message length 24 + 19
                             "7A70 12345678" // destination: the controller
                             "0000 2B3C4D5E" // source: the UID that was addressed
                             "05"            // transaction number copied
                             "00"            // response type ACK
                             "00"            // message count
                             "0000"          // sub-device
                             "21"            // GET_COMMAND_RESPONSE
                             "0060"          // DEVICE_INFO
                             "13"            // PDL 19
                             "0100"          // RDM protocol version 1.0
                             "0208"          // device model ID
                             "0101"          // product category: fixture, fixed
                             "02080300"      // software version ID
                             "0020"          // footprint 32
                             "01 0A"         // personality 1 of 10
                             "0001"          // start address 1
                             "0000"          // sub-device count
                             "01"            // sensor count
                             "04E8";         // checksum

RdmImage imageOf(const QByteArray &message) {
    RdmImage image;
    fillRdmImage(image, message);
    return image;
}

QByteArray responseBytes(const RdmImage &out, int length) {
    return QByteArray(reinterpret_cast<const char *>(out.data()) + 1, length);
}

} // namespace

class TestRdmMessage : public QObject {
    Q_OBJECT

private slots:
    void testFramingMatchesLiteralMessages() {
        QCOMPARE(request(0x20, 0x0060), hex(getDeviceInfo));
        QCOMPARE(ack(0x20, 0x0060, hex("0100 0208 0101 02080300 0020 01 0A 0001 0000 01")),
                 hex(deviceInfoAck));
    }

    void testImageCapsAtItsSize() {
        // ArtRdm may carry 512 bytes; only 256 fit behind the START code.
        QByteArray big(512, '\0');
        for (int i = 0; i < big.size(); ++i)
            big[i] = char(i);
        RdmImage image;
        image.fill(0xEE);
        QCOMPARE(fillRdmImage(image, big), 257);
        QCOMPARE(image[0], quint8(0xCC));
        QCOMPARE(image[1], quint8(0x00));
        QCOMPARE(image[256], quint8(255));

        // A short message leaves zeros behind it.
        QCOMPARE(fillRdmImage(image, hex("01 18")), 3);
        QCOMPARE(image[3], quint8(0));
        QCOMPARE(image[256], quint8(0));
    }

    void testParse() {
        // The parameter data is a view into the image, which therefore has to outlive it.
        const RdmImage image =
            imageOf(request(Message{0x30, 0x0501, hex("80"), 0x0001, 0xFFFF, 0xFFFFFFFF, 0x07}));
        const RdmRequest r = parseRdmRequest(image);
        QCOMPARE(r.destination, (RdmUid{0xFFFF, 0xFFFFFFFF}));
        QCOMPARE(r.source, (RdmUid{0x7A70, 0x12345678}));
        QCOMPARE(r.transactionNumber, quint8(5));
        QCOMPARE(r.portId, quint8(7));
        QCOMPARE(r.subDevice, quint16(1));
        QCOMPARE(r.commandClass, quint8(0x30));
        QCOMPARE(r.pid, quint16(0x0501));
        QCOMPARE(r.pdl, quint8(1));
        QCOMPARE(r.data.size(), size_t(1));
        QCOMPARE(r.data[0], quint8(0x80));
    }

    void testReadsStopAtTheData() {
        const quint8 bytes[] = {0x12, 0x34, 0x56};
        const std::span<const quint8> data(bytes);
        QCOMPARE(bytereader::u16be(data, 1), quint16(0x3456));
        QCOMPARE(bytereader::u16be(data, 2), quint16(0x5600));
        QCOMPARE(bytereader::u32be(data, 0), quint32(0x12345600));
        QCOMPARE(bytereader::u8(data, size_t(-1)), quint8(0)); // a negative int offset
        QCOMPARE(bytereader::u8(data, 300), quint8(0));
    }

    void testCheck_data() {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<int>("check");
        QTest::addColumn<int>("computed");
        QTest::addColumn<int>("received");

        QTest::newRow("smallest complete message")
            << hex(getDeviceInfo) << int(RdmCheck::Ok) << 0x047B << 0x047B;
        QTest::newRow("port ID 0")
            << hex("01 18 0000 2B3C4D5E 7A70 12345678 05 00 00 0000 20 0060 00 047A")
            << int(RdmCheck::ZeroPortId) << 0 << 0;
        // PDL 4 claimed, no data and no room for a checksum at offset 28.
        QTest::newRow("PDL beyond the received bytes")
            << hex("01 1C 0000 2B3C4D5E 7A70 12345678 05 01 00 0000 20 0060 04 047F")
            << int(RdmCheck::Truncated) << 0 << 0;
        QTest::newRow("PDL 232 beyond the largest allowed")
            << withChecksum(hex("01 FF 0000 2B3C4D5E 7A70 12345678 05 01 00 0000 30 0082 E8") +
                            QByteArray(232, 'a'))
            << int(RdmCheck::LengthMismatch) << 0 << 0;
        QTest::newRow("PDL 255 in a 512-byte ArtRdm")
            << (hex("01 FF 0000 2B3C4D5E 7A70 12345678 05 01 00 0000 30 0082 FF") +
                QByteArray(489, 'a'))
            << int(RdmCheck::LengthMismatch) << 0 << 0;
        QTest::newRow("wrong Sub-START code")
            << hex("02 18 0000 2B3C4D5E 7A70 12345678 05 01 00 0000 20 0060 00 047C")
            << int(RdmCheck::WrongSubStartCode) << 0 << 0;
        QTest::newRow("wrong checksum")
            << hex("01 18 0000 2B3C4D5E 7A70 12345678 05 01 00 0000 20 0060 00 0B71")
            << int(RdmCheck::ChecksumMismatch) << 0x047B << 0x0B71;
    }

    void testCheck() {
        QFETCH(QByteArray, message);
        RdmImage image;
        const int length = fillRdmImage(image, message);
        QFETCH(int, check);
        QFETCH(int, computed);
        QFETCH(int, received);
        const RdmCheckResult result = checkRdmRequest(image, length);
        QCOMPARE(int(result.check), check);
        if (result.check == RdmCheck::ChecksumMismatch || result.check == RdmCheck::Ok) {
            QCOMPARE(int(result.computed), computed);
            QCOMPARE(int(result.received), received);
        }
    }

    void testLargestMessagePasses() {
        // 24 header bytes + 231 data bytes + checksum = 256 bytes: fills the image exactly.
        const QByteArray message = request(Message{0x30, 0x0082, QByteArray(231, 'x')});
        QCOMPARE(message.size(), 256);
        RdmImage image;
        QCOMPARE(checkRdmRequest(image, fillRdmImage(image, message)).check, RdmCheck::Ok);
    }

    void testBuildAck() {
        RdmImage out;
        const quint8 data[] = {0x01, 0x00, 0x02, 0x08, 0x01, 0x01, 0x02, 0x08, 0x03, 0x00,
                               0x00, 0x20, 0x01, 0x0A, 0x00, 0x01, 0x00, 0x00, 0x01};
        const RdmRequest r = parseRdmRequest(imageOf(hex(getDeviceInfo)));
        const int length = buildAck(out, r, 0x0060, data);
        QCOMPARE(length, 25 + 19);
        QCOMPARE(responseBytes(out, length), hex(deviceInfoAck));
    }

    void testBuildNackAndOverflow() {
        RdmImage out;
        // GET DEVICE_INFO for sub-device 1; the NACK echoes the sub-device.
        const RdmRequest r = parseRdmRequest(imageOf(request(Message{0x20, 0x0060, {}, 1})));
        int length = buildNack(out, r, 0x0060, 0x0009);
        QCOMPARE(responseBytes(out, length),
                 hex("01 1A"         // Sub-START code, message length 26
                     "7A70 12345678" // destination
                     "0000 2B3C4D5E" // source
                     "05"            // transaction
                     "02"            // NACK_REASON
                     "00"            // message count
                     "0001"          // sub-device 1
                     "21 0060"       // GET_COMMAND_RESPONSE, DEVICE_INFO
                     "02 0009"       // PDL 2, NR_SUB_DEVICE_OUT_OF_RANGE
                     "048B"));       // checksum

        length = buildAckOverflow(out, r, 0x0120, {});
        QCOMPARE(out[16], quint8(0x03));
        QCOMPARE(length, 25);
    }

    void testDiscoveryAnswerRaisesClass() {
        RdmImage out;
        const RdmRequest r = parseRdmRequest(imageOf(request(0x10, 0x0001)));
        const int length = buildNack(out, r, 0x0001, 0x0001);
        QCOMPARE(responseBytes(out, length),
                 hex("01 1A 7A70 12345678 0000 2B3C4D5E 05 02 00 0000"
                     "11"           // DISCOVERY_COMMAND_RESPONSE
                     "0001 02 0001" // DISC_UNIQUE_BRANCH, NR_FORMAT_ERROR
                     "0413"));
    }

    void testOtherClassesGetNoResponse() {
        RdmImage out;
        for (quint8 commandClass : {0x00, 0x21, 0x31, 0x40, 0xFF}) {
            const RdmRequest r = parseRdmRequest(imageOf(request(commandClass, 0x0060)));
            QCOMPARE(buildAck(out, r, 0x0060, {}), 0);
        }
    }

    void testResponseDataCutToLargestPdl() {
        RdmImage out;
        const std::array<quint8, 300> data{};
        const RdmRequest r = parseRdmRequest(imageOf(hex(getDeviceInfo)));
        QCOMPARE(buildAck(out, r, 0x0060, data), 256);
        QCOMPARE(out[23], quint8(231));
        QCOMPARE(out[2], quint8(255));
    }

    void testFixedWidthText() {
        RdmDataWriter w;
        w.putText(QStringLiteral("Tessaview"), 12);
        w.putText(QString::fromUtf8("Grü€"), 4); // Latin-1 kept, the euro sign is not Latin-1
        w.putText(QStringLiteral("abcdefghij"), 8);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(w.data().data()), w.size()),
                 QByteArray("Tessaview\0\0\0Gr\xFC?abcdefgh", 24));
    }

    void testWriterNeverPassesItsCapacity() {
        RdmDataWriter w;
        for (int i = 0; i < 100; ++i)
            w.put32(0xAABBCCDD);
        QCOMPARE(w.size(), 231);
        w.putText(QStringLiteral("more"), 32);
        QCOMPARE(w.size(), 231);
    }

    void testComposedText() {
        RdmText t;
        t.append("Idx:").appendNumber(32769).append(" (0x").appendNumber(0x8001, 16);
        t.append(") Status Id Description");
        QCOMPARE(t.view().toString(), QStringLiteral("Idx:32769 (0x8001) Status Id Description"));
        RdmText n;
        n.append(QStringLiteral("Intensity #")).appendNumber(1, 10, 3).append(" ");
        n.appendNumber(1000, 10, 3).append(" ").appendNumber(0xab, 16, 4);
        QCOMPARE(n.view().toString(), QStringLiteral("Intensity #001 1000 00ab"));
    }

    void testUid() {
        const quint8 hardwareAddress[6] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
        const RdmUid own = RdmUid::fromHardwareAddress(hardwareAddress);
        QCOMPARE(own, (RdmUid{0x0000, 0x2B3C4D5E}));
        QVERIFY((RdmUid{0xFFFF, 0xFFFFFFFF}).isBroadcastFor(own));
        QVERIFY((RdmUid{0x0000, 0xFFFFFFFF}).isBroadcastFor(own));
        QVERIFY(!(RdmUid{0x7A70, 0xFFFFFFFF}).isBroadcastFor(own));
        QVERIFY(!(RdmUid{0x0000, 0x2B3C4D5F}).isBroadcastFor(own));
    }
};

QTEST_GUILESS_MAIN(TestRdmMessage)
#include "tst_rdmmessage.moc"
