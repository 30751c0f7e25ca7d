// Every parameter of the responder's table tried as a strict controller would: each class
// with the exact PDL, one byte short and one byte long, and SET values at the range edges.

#include "rdm/rdmparameters.h"
#include "rdmtestsupport.h"

#include <QtTest>

using namespace RdmTest;

namespace {

// The NACK reason of an answer, or -1 for any other response type.
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
                if (!p.served() || p.allowed == RdmAllow::none) {
                    QVERIFY2(nackReason(f.ask(request(cc, p.pid))) == 0, name);
                    continue;
                }
                if (!(p.allowed & (get ? RdmAllow::get : RdmAllow::set))) {
                    QVERIFY2(nackReason(f.ask(request(cc, p.pid))) == 0x0005, name);
                    continue;
                }
                const int right = nackReason(f.ask(request(cc, p.pid, QByteArray(pdl.min, 1))));
                QVERIFY2(right != 0x0000 && right != 0x0001 && right != 0x0005, name);
                // 231 bytes are the most a message can carry.
                QVERIFY2(pdl.max == 231 ||
                             nackReason(f.ask(request(cc, p.pid, QByteArray(pdl.max + 1, 1)))) ==
                                 0x0001,
                         name);
                if (pdl.min > 0)
                    QVERIFY2(nackReason(f.ask(request(cc, p.pid, QByteArray(pdl.min - 1, 1)))) ==
                                 0x0001,
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
                QVERIFY2(nackReason(f.ask(request(cc, p.pid, valueAt(r, r.max + 1, pdl.min)))) ==
                             0x0006,
                         name);
                if (r.min > 0)
                    QVERIFY2(nackReason(f.ask(
                                 request(cc, p.pid, valueAt(r, r.min - 1, pdl.min)))) == 0x0006,
                             name);
            }
        }
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
