// Every parameter of the responder's table tried as a strict controller would: each class
// with the exact PDL, one byte short and one byte long, and SET values at the range edges.

#include "rdm/rdmparameters.h"
#include "rdmtestsupport.h"

#include <QtTest>

using namespace RdmTest;

namespace {

// The NACK reason of an answer, or -1 for any other response type; only for answers that
// must not carry a reason, whichever else they are.
int nackReason(const QByteArray &a) {
    if (a.size() < 25 || quint8(a[15]) != 0x02) // response type
        return -1;
    return quint8(a[23]) << 8 | quint8(a[24]); // the reason, first two data bytes
}

QByteArray valueAt(const RdmField &f, quint32 value, int pdl) {
    QByteArray data(pdl, '\0');
    for (int i = 0; i < f.width; ++i)
        data[f.offset + i] = char(value >> (8 * (f.width - 1 - i)));
    return data;
}

} // namespace

class TestRdmConformance : public QObject {
    Q_OBJECT

private slots:
    void testEveryParameter() {
        for (const RdmParameter &p : rdmParameterTable()) {
            for (quint8 cc : {quint8(0x20), quint8(0x30)}) {
                Fixture f;
                const bool get = cc == 0x20;
                const RdmPdl pdl = get ? p.getPdl : p.setPdl;
                const QByteArray name = QByteArray(p.name) + (get ? " GET" : " SET");
                const QByteArray unknownPid = nack(cc, p.pid, 0x0000);
                const QByteArray formatError = nack(cc, p.pid, 0x0001);
                const QByteArray outOfRange = nack(cc, p.pid, 0x0006);
                if (!p.served() || p.allowed == RdmAllow::none) {
                    QVERIFY2(f.ask(request(cc, p.pid)) == unknownPid, name);
                    continue;
                }
                if (!(p.allowed & (get ? RdmAllow::get : RdmAllow::set))) {
                    QVERIFY2(f.ask(request(cc, p.pid)) == nack(cc, p.pid, 0x0005), name);
                    continue;
                }
                const int right = nackReason(f.ask(request(cc, p.pid, QByteArray(pdl.min, 1))));
                QVERIFY2(right != 0x0000 && right != 0x0001 && right != 0x0005, name);
                // 231 bytes are the most a message can carry.
                QVERIFY2(pdl.max == 231 ||
                             f.ask(request(cc, p.pid, QByteArray(pdl.max + 1, 1))) == formatError,
                         name);
                if (pdl.min > 0)
                    QVERIFY2(f.ask(request(cc, p.pid, QByteArray(pdl.min - 1, 1))) == formatError,
                             name);
                const RdmField &r = p.setRange;
                if (get || r.width == 0)
                    continue;
                QVERIFY2(nackReason(f.ask(request(cc, p.pid, valueAt(r, r.min, pdl.min)))) !=
                             0x0006,
                         name);
                QVERIFY2(nackReason(f.ask(request(cc, p.pid, valueAt(r, r.max, pdl.min)))) !=
                             0x0006,
                         name);
                QVERIFY2(f.ask(request(cc, p.pid, valueAt(r, r.max + 1, pdl.min))) == outOfRange,
                         name);
                if (r.min > 0)
                    QVERIFY2(f.ask(request(cc, p.pid, valueAt(r, r.min - 1, pdl.min))) ==
                                 outOfRange,
                             name);
            }
        }
    }

    // A refusal as a strict controller reads it.
    void testNackLayout() {
        Fixture f;
        QCOMPARE(f.ask(request(0x20, 0x1001)),   // GET RESET_DEVICE, which only allows SET
                 withChecksum(hex("01"           // Sub-START code
                                  "1A"           // message length 26
                                  "7A7012345678" // destination: the controller
                                  "00002B3C4D5E" // source: our UID
                                  "05"           // transaction number, the request's
                                  "02"           // response type NACK_REASON
                                  "00"           // message count
                                  "0000"         // sub-device
                                  "21"           // GET_COMMAND_RESPONSE
                                  "1001"         // RESET_DEVICE
                                  "02"           // PDL
                                  "0005")));     // NR_UNSUPPORTED_COMMAND_CLASS
    }

    // After SET DMX_PERSONALITY, DEVICE_INFO reports the new personality's footprint, and the
    // start address is measured by it: with 512 slots only address 1 fits, so it moves there.
    void testFootprintFollowsPersonality() {
        Fixture f(510);
        QCOMPARE(f.ask(request(0x30, 0x00F0, hex("0003"))), ack(0x30, 0x00F0)); // 3 + 510 - 1
        QCOMPARE(f.ask(request(0x30, 0x00E0, hex("02"))), ack(0x30, 0x00E0));
        QCOMPARE(f.ask(request(0x20, 0x00E1, hex("02"))),
                 ack(0x20, 0x00E1, hex("02") + hex("0200") + text("Preset 1")));
        QCOMPARE(f.ask(request(0x20, 0x0060)), ack(0x20, 0x0060,
                                                   hex("0100"     // RDM protocol 1.0
                                                       "0208"     // device model ID
                                                       "0101"     // fixture, fixed
                                                       "02080300" // software version ID
                                                       "0200"     // footprint 512
                                                       "02"       // personality 2
                                                       "0A"       // of 10
                                                       "0001"     // start address
                                                       "0000"     // sub-devices
                                                       "01")));   // one sensor
        QCOMPARE(f.ask(request(0x30, 0x00F0, hex("0002"))), nack(0x30, 0x00F0, 0x0006));
    }

    void testListedAreServed() {
        for (quint16 pid : rdmListedParameters())
            QVERIFY(findRdmParameter(pid)->served());
        QVERIFY(!rdmListedParameters().contains(0x0140)); // DMX_BLOCK_ADDRESS
        QVERIFY(!rdmListedParameters().contains(0x0051)); // PARAMETER_DESCRIPTION
        QVERIFY(rdmListedParameters().contains(0x070B));  // DNS_IPV4_NAME_SERVER
    }
};

QTEST_GUILESS_MAIN(TestRdmConformance)
#include "tst_rdmconformance.moc"
