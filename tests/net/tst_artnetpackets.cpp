#include "net/artnetpackets.h"

#include <QtTest>

#include <vector>

using namespace artnetpackets;

namespace {

using ByteList = std::vector<quint8>;

// "Art-Net" and its terminating zero.
const ByteList id{0x41, 0x72, 0x74, 0x2D, 0x4E, 0x65, 0x74, 0x00};

// A received datagram: ID, OpCode low byte first, ProtVer 0x00 0x0E, then `rest` from offset 12.
ByteList datagram(quint16 opCode, const ByteList &rest = {}) {
    ByteList out = id;
    out.push_back(quint8(opCode & 0xFF));
    out.push_back(quint8(opCode >> 8));
    out.push_back(0x00);
    out.push_back(0x0E);
    out.insert(out.end(), rest.begin(), rest.end());
    return out;
}

Bytes bytes(const ByteList &list) {
    return Bytes(list.data(), list.size());
}

quint8 at(const QByteArray &a, int offset) {
    return quint8(a.at(offset));
}

// Compares `length` bytes at `offset` with `expected`, and marks them as checked.
void expectField(const QByteArray &packet, QList<bool> &checked, int offset,
                 const ByteList &expected) {
    for (size_t i = 0; i < expected.size(); ++i) {
        const int pos = offset + int(i);
        if (at(packet, pos) != expected[i])
            QFAIL(qPrintable(QStringLiteral("byte %1: 0x%2, expected 0x%3")
                                 .arg(pos)
                                 .arg(at(packet, pos), 2, 16, QChar('0'))
                                 .arg(expected[i], 2, 16, QChar('0'))));
        checked[pos] = true;
    }
}

void expectRestZero(const QByteArray &packet, const QList<bool> &checked) {
    for (int i = 0; i < packet.size(); ++i)
        if (!checked[i] && at(packet, i) != 0)
            QFAIL(qPrintable(QStringLiteral("byte %1 should be 0").arg(i)));
}

ByteList text(const char *s, size_t fieldSize) {
    ByteList out(fieldSize, 0);
    for (size_t i = 0; s[i] && i < fieldSize; ++i)
        out[i] = quint8(s[i]);
    return out;
}

} // namespace

class TestArtnetPackets : public QObject {
    Q_OBJECT

private slots:
    void headerValidation() {
        // 12 bytes with the ID and a Poll OpCode: too short.
        ByteList poll = datagram(0x2000);
        QCOMPARE(poll.size(), size_t(12));
        QVERIFY(!opCodeOf(bytes(poll)));
        // 13 bytes: an ArtPoll with TalkToMe 0.
        poll.push_back(0x00);
        QCOMPARE(opCodeOf(bytes(poll)), std::optional<quint16>(0x2000));
        QCOMPARE(parsePoll(bytes(poll)).talkToMe, quint8(0));
        // Any wrong ID byte, the terminating zero included, is dropped.
        for (size_t i = 0; i < 8; ++i) {
            ByteList bad = poll;
            bad[i] ^= 0x20;
            QVERIFY(!opCodeOf(bytes(bad)));
        }
        // The OpCode is little-endian; an OpCode nobody handles still passes the header.
        QCOMPARE(opCodeOf(bytes(datagram(0x2400, {0}))), std::optional<quint16>(0x2400));
        QCOMPARE(opCodeOf(bytes(datagram(0x9700, {0}))), std::optional<quint16>(0x9700));
        // ProtVer is not validated.
        ByteList oldVersion = datagram(0x5000, {0});
        oldVersion[11] = 0x01;
        QVERIFY(opCodeOf(bytes(oldVersion)));
        QVERIFY(!opCodeOf(Bytes()));
    }

    void pollTalkToMe() {
        // Offset 12 TalkToMe, 13 Priority.
        QVERIFY(parsePoll(bytes(datagram(0x2000, {0x04, 0x00}))).replyToBroadcast());
        QVERIFY(parsePoll(bytes(datagram(0x2000, {0x06, 0xE0}))).replyToBroadcast());
        QVERIFY(!parsePoll(bytes(datagram(0x2000, {0x02, 0x00}))).replyToBroadcast());
        QVERIFY(!parsePoll(bytes(datagram(0x2000, {0xFB}))).replyToBroadcast());
    }

    void dmxFields() {
        ByteList rest{
            0x07,               // 12 Sequence (ignored)
            0x01,               // 13 Physical (ignored)
            0x34,               // 14 SubUni: low byte of the Port-Address
            0x12,               // 15 Net: the Port-Address's top 7 bits
            0x00, 0x03,         // 16 Length, big-endian: 3 slots
            10,   20,   30, 40, // 18 Data; the fourth byte lies beyond Length
        };
        Dmx dmx;
        parseDmx(bytes(datagram(0x5000, rest)), dmx);
        QCOMPARE(dmx.portAddress, quint16(0x1234));
        QCOMPARE(dmx.slotCount, quint16(3));
        QCOMPARE(dmx.data().size(), size_t(3));
        QCOMPARE(dmx.levels[0], quint8(10));
        QCOMPARE(dmx.levels[2], quint8(30));

        // Bit 7 of Net lies outside the 15-bit Port-Address.
        rest[3] = 0xFF;
        parseDmx(bytes(datagram(0x5000, rest)), dmx);
        QCOMPARE(dmx.portAddress, quint16(0x7F34));
    }

    void dmxLengthBeyondLimitsAndShortData() {
        // Length 600 counts as 512, and a datagram longer than 530 bytes is cut.
        ByteList rest{0, 0, 0, 0, 0x02, 0x58};
        for (int i = 0; i < 600; ++i)
            rest.push_back(quint8(i));
        Dmx dmx;
        parseDmx(bytes(datagram(0x5000, rest)), dmx);
        QCOMPARE(dmx.slotCount, quint16(512));
        QCOMPARE(dmx.levels[511], quint8(511 & 0xFF));

        // Length 100 with 2 data bytes: the missing 98 slots read 0, even after a full packet
        // left other values in the same object.
        parseDmx(bytes(datagram(0x5000, {0, 0, 0, 0, 0x00, 0x64, 9, 8})), dmx);
        QCOMPARE(dmx.slotCount, quint16(100));
        QCOMPARE(dmx.levels[0], quint8(9));
        QCOMPARE(dmx.levels[1], quint8(8));
        for (int i = 2; i < 100; ++i)
            QCOMPARE(dmx.levels[size_t(i)], quint8(0));

        // Length 511 is kept as it is.
        parseDmx(bytes(datagram(0x5000, {0, 0, 0, 0, 0x01, 0xFF})), dmx);
        QCOMPARE(dmx.slotCount, quint16(511));

        // A datagram that ends inside the header: Port-Address and Length read as zero.
        parseDmx(bytes(datagram(0x5000, {0, 0, 0x05})), dmx);
        QCOMPARE(dmx.portAddress, quint16(5));
        QCOMPARE(dmx.slotCount, quint16(0));
    }

    void addressCommands() {
        ByteList rest(95, 0); // offsets 12 .. 106
        rest[106 - 12] = 0x04;
        QCOMPARE(parseAddressLedCommand(bytes(datagram(0x6000, rest))), LedCommand::Locate);
        rest[106 - 12] = 0x03;
        QCOMPARE(parseAddressLedCommand(bytes(datagram(0x6000, rest))), LedCommand::Mute);
        rest[106 - 12] = 0x02;
        QCOMPARE(parseAddressLedCommand(bytes(datagram(0x6000, rest))), LedCommand::Normal);
        // Other commands (AcCancelMerge 0x01, AcMergeLtp0 0x10, AcClearOp0 0x91) are ignored.
        for (quint8 command : {0x00, 0x01, 0x05, 0x10, 0x91, 0xFF}) {
            rest[106 - 12] = command;
            QVERIFY(!parseAddressLedCommand(bytes(datagram(0x6000, rest))));
        }
        // A datagram that stops before the Command byte carries no command.
        rest.resize(106 - 12);
        QVERIFY(!parseAddressLedCommand(bytes(datagram(0x6000, rest))));
    }

    void todRequest() {
        ByteList rest(12, 0); // offsets 12 .. 23
        rest[21 - 12] = 0x81; // Net: bit 7 dropped, Port-Address bits 14-8 = 1
        rest[22 - 12] = 0x00; // Command (ignored)
        rest[23 - 12] = 3;    // AdCount
        rest.push_back(5);    // 24 Address[0]
        rest.push_back(6);    // 25 Address[1]; Address[2] is missing
        TodRequest request = parseTodRequest(bytes(datagram(0x8000, rest)));
        QCOMPARE(request.net, quint8(1));
        QCOMPARE(request.count, quint8(2));
        QCOMPARE(request.portAddress(0), quint16(261));
        QCOMPARE(request.portAddress(1), quint16(262));

        // AdCount 40 with 40 address bytes present examines 32.
        rest[23 - 12] = 40;
        rest.resize(12 + 40, 7);
        QCOMPARE(parseTodRequest(bytes(datagram(0x8000, rest))).count, quint8(32));
        // No address bytes at all.
        rest.resize(12);
        QCOMPARE(parseTodRequest(bytes(datagram(0x8000, rest))).count, quint8(0));
    }

    void todControl() {
        ByteList rest(12, 0);
        rest[21 - 12] = 0xFF; // Net: bits 6-0
        rest[22 - 12] = 0x01; // Command AtcFlush (not looked at)
        rest[23 - 12] = 0x10; // Address
        QCOMPARE(parseTodControlPortAddress(bytes(datagram(0x8200, rest))), quint16(0x7F10));
        // Short datagram: the missing bytes read as 0.
        QCOMPARE(parseTodControlPortAddress(bytes(datagram(0x8200, {0}))), quint16(0));
    }

    void rdmRequest() {
        ByteList rest(12, 0);
        rest[12 - 12] = 0x01; // RdmVer
        rest[21 - 12] = 0x82; // Net: bits 6-0 = 2
        rest[22 - 12] = 0x00; // Command (ignored)
        rest[23 - 12] = 0x05; // Address
        ByteList withMessage = rest;
        withMessage.insert(withMessage.end(), {0x01, 0x18, 0xAA});
        // The parsed message points into the datagram, which must outlive it.
        const ByteList rdm = datagram(0x8300, withMessage);
        auto request = parseRdm(bytes(rdm));
        QVERIFY(request);
        QCOMPARE(request->portAddress, quint16(0x0205));
        QCOMPARE(request->message.size(), size_t(3));
        QCOMPARE(request->message[0], quint8(0x01));
        QCOMPARE(request->message[2], quint8(0xAA));

        // Exactly 24 bytes: accepted, with an empty message.
        QVERIFY(parseRdm(bytes(datagram(0x8300, rest))));
        QCOMPARE(parseRdm(bytes(datagram(0x8300, rest)))->message.size(), size_t(0));
        // 23 bytes: dropped.
        ByteList shortRest(rest.begin(), rest.end() - 1);
        QVERIFY(!parseRdm(bytes(datagram(0x8300, shortRest))));
        // RdmVer 0x02: dropped.
        withMessage[0] = 0x02;
        QVERIFY(!parseRdm(bytes(datagram(0x8300, withMessage))));
        // A datagram longer than 536 bytes is cut to 512 RDM bytes.
        ByteList longRest = rest;
        longRest.resize(12 + 600, 0xCC);
        QCOMPARE(parseRdm(bytes(datagram(0x8300, longRest)))->message.size(), size_t(512));
    }

    void timeCodeReceived() {
        const TimeCode tc = parseTimeCode(bytes(datagram(0x9700, {
                                                                     0x00, // 12 Filler1
                                                                     0x00, // 13 StreamId
                                                                     29,   // 14 Frames
                                                                     59,   // 15 Seconds
                                                                     58,   // 16 Minutes
                                                                     23,   // 17 Hours
                                                                     3,    // 18 Type SMPTE
                                                                 })));
        QCOMPARE(tc, (TimeCode{29, 59, 58, 23, 3}));
        // Out-of-range values pass unchanged; a short datagram reads zeros.
        QCOMPARE(parseTimeCode(bytes(datagram(0x9700, {0, 0, 99, 99}))),
                 (TimeCode{99, 99, 0, 0, 0}));
    }

    void pollReplyBytes() {
        PollReply in;
        in.ipAddress = 0xC0A8010A; // 192.168.1.10
        in.versionHi = 2;
        in.versionLo = 8;
        in.portAddress = 0x1234;
        in.oemHi = 0x0C;
        in.oemLo = 0x10;
        in.status1 = 0xC2;
        in.shortName = QStringLiteral("Tessaview");
        in.longName = QStringLiteral("Tessaview V2.8 by www.example.org");
        in.nodeReport = QStringLiteral("sS 1x1");
        in.numPorts = 2;
        in.mac = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
        in.bindIp = 0xC0A8010A;
        in.bindIndex = 3;
        in.goodOutputB = {0x70, 0xF0, 0, 0};
        in.status3 = 0x60;
        in.defaultResponderUid = {0x00, 0x00, 0x2B, 0x3C, 0x4D, 0x5E};
        const QByteArray p = buildPollReply(in);
        QCOMPARE(p.size(), 240);
        QList<bool> c(240, false);
        expectField(p, c, 0, id);                                             // ID
        expectField(p, c, 8, {0x00, 0x21});                                   // OpCode LE
        expectField(p, c, 10, {192, 168, 1, 10});                             // IP, MSB first
        expectField(p, c, 14, {0x36, 0x19});                                  // Port LE
        expectField(p, c, 16, {2});                                           // VersInfoH
        expectField(p, c, 17, {8});                                           // VersInfoL
        expectField(p, c, 18, {0x12});                                        // NetSwitch
        expectField(p, c, 19, {0x03});                                        // SubSwitch
        expectField(p, c, 20, {0x0C});                                        // OemHi
        expectField(p, c, 21, {0x10});                                        // Oem
        expectField(p, c, 22, {0x00});                                        // UbeaVersion
        expectField(p, c, 23, {0xC2});                                        // Status1
        expectField(p, c, 24, {0x00, 0x00});                                  // EstaMan
        expectField(p, c, 26, text("Tessaview", 18));                         // ShortName
        expectField(p, c, 44, text("Tessaview V2.8 by www.example.org", 64)); // LongName
        expectField(p, c, 108, text("sS 1x1", 64));                           // NodeReport
        expectField(p, c, 172, {0});                                          // NumPortsHi
        expectField(p, c, 173, {2});                                          // NumPortsLo
        expectField(p, c, 174, {0x85, 0x85, 0x85, 0x85});                     // PortTypes
        expectField(p, c, 178, {0, 0, 0, 0});                                 // GoodInput
        expectField(p, c, 182, {0x80, 0x80, 0x80, 0x80});                     // GoodOutput
        expectField(p, c, 186, {0, 0, 0, 0});                                 // SwIn
        expectField(p, c, 190, {0x04, 0x05, 0, 0});                           // SwOut, 2 ports
        expectField(p, c, 194, {0, 0, 0, 0, 0, 0}); // SwVideo, SwMacro, SwRemote, Spare
        expectField(p, c, 200, {0x00});             // Style StNode
        expectField(p, c, 201, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}); // MAC
        expectField(p, c, 207, {192, 168, 1, 10});                    // BindIp
        expectField(p, c, 211, {3});                                  // BindIndex
        expectField(p, c, 212, {0x08});                               // Status2
        expectField(p, c, 213, {0x70, 0xF0, 0, 0});                   // GoodOutputB
        expectField(p, c, 217, {0x60});                               // Status3
        expectField(p, c, 218, {0x00, 0x00, 0x2B, 0x3C, 0x4D, 0x5E}); // DefaultRespUID
        expectRestZero(p, c);                                         // User, RefreshRate, Filler
    }

    void pollReplyNamesAreCut() {
        PollReply in;
        in.shortName = QStringLiteral("ABCDEFGHIJKLMNOPQRST"); // 20 characters
        in.longName = QString(70, QChar('L'));
        in.nodeReport = QString(63, QChar('R')) + QChar(0xE9); // é fits Latin-1, but is cut
        const QByteArray p = buildPollReply(in);
        QCOMPARE(p.mid(26, 18), QByteArray("ABCDEFGHIJKLMNOPQ") + '\0');
        QCOMPARE(p.mid(44, 64), QByteArray(63, 'L') + '\0');
        QCOMPARE(p.mid(108, 64), QByteArray(63, 'R') + '\0');
        in.shortName = QString(QChar(0xE9));
        QCOMPARE(at(buildPollReply(in), 26), quint8(0xE9)); // Latin-1 byte
    }

    void pollReplySwOutWrapsAtSixteen() {
        PollReply in;
        in.portAddress = 14;
        in.numPorts = 4;
        const QByteArray p = buildPollReply(in);
        QCOMPARE(at(p, 18), quint8(0)); // NetSwitch
        QCOMPARE(at(p, 19), quint8(0)); // SubSwitch of the first universe
        QCOMPARE(p.mid(190, 4), QByteArray::fromHex("0e0f0001"));
        // Net keeps only 7 bits.
        in.portAddress = 0xFFFF;
        in.numPorts = 1;
        QCOMPARE(at(buildPollReply(in), 18), quint8(0x7F));
    }

    void todDataBytes() {
        QByteArray p;
        writeTodData(p, 261, 1, {0x00, 0x00, 0x2B, 0x3C, 0x4D, 0x5E});
        QCOMPARE(p.size(), 34);
        QList<bool> c(34, false);
        expectField(p, c, 0, id);                                    // ID
        expectField(p, c, 8, {0x00, 0x81});                          // OpCode LE
        expectField(p, c, 10, {0x00, 0x0E});                         // ProtVer
        expectField(p, c, 12, {0x01});                               // RdmVer
        expectField(p, c, 13, {0x01});                               // Port
        expectField(p, c, 14, {0, 0, 0, 0, 0, 0});                   // Spare
        expectField(p, c, 20, {1});                                  // BindIndex
        expectField(p, c, 21, {0x01});                               // Net
        expectField(p, c, 22, {0x00});                               // CommandResponse TodFull
        expectField(p, c, 23, {0x05});                               // Address
        expectField(p, c, 24, {0x00, 0x01});                         // UidTotal BE
        expectField(p, c, 26, {0});                                  // BlockCount
        expectField(p, c, 27, {1});                                  // UidCount
        expectField(p, c, 28, {0x00, 0x00, 0x2B, 0x3C, 0x4D, 0x5E}); // ToD[0]
        expectRestZero(p, c);
    }

    void rdmReplyBytes() {
        const ByteList response{0xCC, 0x01, 0x18};
        QByteArray p;
        writeRdm(p, 0x0205, bytes(response));
        QCOMPARE(p.size(), 27);
        QList<bool> c(27, false);
        expectField(p, c, 0, id);                  // ID
        expectField(p, c, 8, {0x00, 0x83});        // OpCode LE
        expectField(p, c, 10, {0x00, 0x0E});       // ProtVer
        expectField(p, c, 12, {0x01});             // RdmVer
        expectField(p, c, 13, ByteList(8, 0));     // Filler2, Spare
        expectField(p, c, 21, {0x02});             // Net
        expectField(p, c, 22, {0x00});             // Command ArProcess
        expectField(p, c, 23, {0x05});             // Address
        expectField(p, c, 24, {0xCC, 0x01, 0x18}); // RDM packet
        expectRestZero(p, c);
        // A response above 512 bytes is cut.
        const ByteList big(600, 0x11);
        writeRdm(p, 0, bytes(big));
        QCOMPARE(p.size(), 24 + 512);
        writeRdm(p, 0, Bytes());
        QCOMPARE(p.size(), 24);
    }

    void dataReplyBytes() {
        const QByteArray url("http://a.b/c");
        QByteArray p;
        writeDataReply(p, 0x00, 0xFF, 0x0001,
                       Bytes(reinterpret_cast<const quint8 *>(url.constData()), 13));
        QCOMPARE(p.size(), 20 + 13);
        QList<bool> c(33, false);
        expectField(p, c, 0, id);                        // ID
        expectField(p, c, 8, {0x00, 0x28});              // OpCode LE
        expectField(p, c, 10, {0x00, 0x0E});             // ProtVer
        expectField(p, c, 12, {0x00, 0x00});             // EstaMan
        expectField(p, c, 14, {0x00, 0xFF});             // OemHi, Oem
        expectField(p, c, 16, {0x00, 0x01});             // Request BE: DrUrlProduct
        expectField(p, c, 18, {0x00, 13});               // PayLen BE
        expectField(p, c, 20, text("http://a.b/c", 13)); // PayLoad with its zero
        expectRestZero(p, c);
    }

    void timeCodeBytes() {
        const QByteArray p = buildTimeCode(TimeCode{24, 30, 15, 12, 1});
        QCOMPARE(p.size(), 19);
        QList<bool> c(19, false);
        expectField(p, c, 0, id);            // ID
        expectField(p, c, 8, {0x00, 0x97});  // OpCode LE
        expectField(p, c, 10, {0x00, 0x0E}); // ProtVer
        expectField(p, c, 12, {0x00, 0x00}); // Filler1, StreamId
        expectField(p, c, 14, {24});         // Frames
        expectField(p, c, 15, {30});         // Seconds
        expectField(p, c, 16, {15});         // Minutes
        expectField(p, c, 17, {12});         // Hours
        expectField(p, c, 18, {1});          // Type EBU
        expectRestZero(p, c);
    }
};

QTEST_APPLESS_MAIN(TestArtnetPackets)
#include "tst_artnetpackets.moc"
