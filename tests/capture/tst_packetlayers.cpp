#include "capture/packetlayers.h"

#include <QtTest>

#include <pcap/dlt.h>

#include <vector>

using namespace packetlayers;

namespace {

using Table = std::vector<quint8>;

// 192.168.1.10:6454 -> 2.255.255.255:6454, payload "AB", no options.
const Table ipv4Udp = {0x45, 0x00, 0x00, 0x1E, 0x12, 0x34, 0x40, 0x00, 0x40, 0x11,
                       0x00, 0x00, 0xC0, 0xA8, 0x01, 0x0A, 0x02, 0xFF, 0xFF, 0xFF,
                       0x19, 0x36, 0x19, 0x36, 0x00, 0x0A, 0x00, 0x00, 'A',  'B'};

Table concat(Table a, const Table &b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes view(const Table &t) {
    return Bytes(t.data(), t.size());
}

} // namespace

class TestPacketLayers : public QObject {
    Q_OBJECT
private slots:
    void linkLayersFindTheIpv4Packet_data() {
        QTest::addColumn<int>("linkType");
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<bool>("found");
        const auto bytes = [](const Table &t) {
            return QByteArray(reinterpret_cast<const char *>(t.data()), qsizetype(t.size()));
        };
        const Table macs(12, 0xAA);
        QTest::newRow("ethernet") << DLT_EN10MB << bytes(concat(macs, {0x08, 0x00})) << true;
        QTest::newRow("802.1ad + 802.1Q")
            << DLT_EN10MB
            << bytes(concat(macs, {0x88, 0xA8, 0x00, 0x05, 0x81, 0x00, 0x00, 0x07, 0x08, 0x00}))
            << true;
        QTest::newRow("ethernet IPv6") << DLT_EN10MB << bytes(concat(macs, {0x86, 0xDD})) << false;
        QTest::newRow("cut VLAN tag")
            << DLT_EN10MB << bytes(concat(macs, {0x81, 0x00, 0x00})) << false;
        QTest::newRow("linux cooked")
            << DLT_LINUX_SLL
            << bytes({0x00, 0x00, 0x00, 0x01, 0x00, 0x06, 1, 2, 3, 4, 5, 6, 0, 0, 0x08, 0x00})
            << true;
        QTest::newRow("linux cooked v2")
            << DLT_LINUX_SLL2 << bytes({0x08, 0x00, 0x00, 0x00, 0, 0, 0, 2, 0x00, 0x01,
                                        0x00, 0x06, 1,    2,    3, 4, 5, 6, 0,    0})
            << true;
        QTest::newRow("linux cooked v2 ARP") << DLT_LINUX_SLL2 << bytes(Table(20, 0x08)) << false;
        QTest::newRow("raw") << DLT_RAW << QByteArray() << true;
        QTest::newRow("token ring") << DLT_IEEE802 << QByteArray() << false;
    }
    void linkLayersFindTheIpv4Packet() {
        QFETCH(int, linkType);
        QFETCH(QByteArray, header);
        QFETCH(bool, found);
        const Table frame = concat(Table(header.begin(), header.end()), ipv4Udp);
        const auto ip = ipv4OfFrame(linkType, view(frame));
        QCOMPARE(ip.has_value(), found);
        if (found)
            QCOMPARE(ip->size(), ipv4Udp.size());
    }

    void ipv4AndUdpAreBoundsChecked() {
        const auto padded = concat(ipv4Udp, {0, 0, 0, 0}); // Ethernet padding
        const auto ip = parseIpv4(view(padded));
        QVERIFY(ip);
        QCOMPARE(ip->source, 0xC0A8010Au);
        QCOMPARE(ip->destination, 0x02FFFFFFu);
        QCOMPARE(ip->payload.size(), size_t(10));
        const auto udp = parseUdp(ip->payload);
        QVERIFY(udp);
        QCOMPARE(udp->destinationPort, quint16(6454));
        QCOMPARE(udp->payload.size(), size_t(2));

        const auto broken = [](size_t at, quint8 value) {
            Table t = ipv4Udp;
            t[at] = value;
            return parseIpv4(view(t)).has_value();
        };
        QVERIFY(!broken(0, 0x65)); // IPv6
        QVERIFY(!broken(0, 0x44)); // header shorter than 20
        QVERIFY(!broken(0, 0x4F)); // options beyond the packet
        QVERIFY(!broken(3, 0x40)); // total length beyond the bytes
        QVERIFY(!broken(6, 0x20)); // more fragments
        QVERIFY(!broken(7, 0x10)); // a later fragment
        QVERIFY(!parseIpv4(view(Table(ipv4Udp.begin(), ipv4Udp.begin() + 19))));
        QVERIFY(!parseUdp(view(Table{0x19, 0x36, 0x19, 0x36, 0x00, 0x0B, 0, 0, 'A', 'B'})));
        QVERIFY(!parseUdp(view(Table{0x19, 0x36, 0x19, 0x36, 0x00, 0x07, 0, 0})));
    }

    void writtenHeadersReadBackWithAValidChecksum() {
        const Table payload(530, 0x7F);
        const auto header = ipv4UdpHeader(0x0A000001, 50000, 0xEFFF0001, 5568, payload.size());
        const Table packet = concat(Table(header.begin(), header.end()), payload);
        quint32 sum = 0;
        for (size_t i = 0; i < 20; i += 2)
            sum += quint32(packet[i] << 8 | packet[i + 1]);
        QCOMPARE((sum & 0xFFFF) + (sum >> 16), 0xFFFFu);
        const auto ip = parseIpv4(view(packet));
        QVERIFY(ip && ip->protocol == protocolUdp && ip->destination == 0xEFFF0001u);
        const auto udp = parseUdp(ip->payload);
        QVERIFY(udp && udp->sourcePort == 50000 && udp->payload.size() == payload.size());
    }
};

QTEST_APPLESS_MAIN(TestPacketLayers)
#include "tst_packetlayers.moc"
