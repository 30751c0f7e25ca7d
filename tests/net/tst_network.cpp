#include "net/network.h"
#include "net/rdmuid.h"

#include <QHostAddress>
#include <QTest>

namespace {

InterfaceRecord candidate(const char *ip, const char *mask, const char *broadcast,
                          const char *hardware, const char *name) {
    InterfaceRecord record;
    record.entry.setIp(QHostAddress(QString::fromLatin1(ip)));
    record.entry.setNetmask(QHostAddress(QString::fromLatin1(mask)));
    record.entry.setBroadcast(QHostAddress(QString::fromLatin1(broadcast)));
    record.hardwareAddress = QString::fromLatin1(hardware);
    record.name = QString::fromLatin1(name);
    return record;
}

quint32 ipv4(const char *text) {
    return QHostAddress(QString::fromLatin1(text)).toIPv4Address();
}

} // namespace

class TestNetwork : public QObject {
    Q_OBJECT
private slots:
    void ethernetAndLoopbackGiveOnlyTheEthernetRecord() {
        const network net({candidate("127.0.0.1", "255.0.0.0", "127.255.255.255", "", "lo"),
                           candidate("192.168.1.10", "255.255.255.0", "192.168.1.255",
                                     "00:1A:2B:3C:4D:5E", "eth0")},
                          QStringLiteral("host"), QStringLiteral("example.net"));
        quint32 address = 0, netmask = 0, broadcast = 0;
        QString hardware;
        QVERIFY(net.getAddressInfo(0, address, netmask, broadcast, hardware));
        QCOMPARE(address, ipv4("192.168.1.10"));
        QCOMPARE(netmask, ipv4("255.255.255.0"));
        QCOMPARE(broadcast, ipv4("192.168.1.255"));
        QCOMPARE(hardware, QStringLiteral("00:1A:2B:3C:4D:5E"));
        QString text, name;
        QVERIFY(net.getAddressText(0, text, name));
        QCOMPARE(text, QStringLiteral("192.168.1.10"));
        QCOMPARE(name, QStringLiteral("eth0"));
        QVERIFY(!net.getAddress(1, address));
        QCOMPARE(address, 0u);
        QVERIFY(!net.isOnlyLoopback());
        QCOMPARE(net.hostName(), QStringLiteral("host"));
        QCOMPARE(net.domainName(), QStringLiteral("example.net"));
    }

    void rdmUidComesFromTheRequestersInterface() {
        const network net(
            {candidate("192.168.1.10", "255.255.255.0", "192.168.1.255", "00:1A:2B:3C:4D:5E",
                       "eth0"),
             candidate("10.0.0.5", "255.0.0.0", "10.255.255.255", "02:11:22:33:44:55", "eth1")},
            QString(), QString());
        // Manufacturer 0x0000, device = the low four bytes of that adapter's hardware address.
        QCOMPARE(announcedRdmUid(net, ipv4("192.168.1.77")), (RdmUid{0x0000, 0x2B3C4D5E}));
        QCOMPARE(announcedRdmUid(net, ipv4("10.1.2.3")), (RdmUid{0x0000, 0x22334455}));
        QVERIFY(!announcedRdmUid(net, ipv4("172.16.0.1")).has_value());
        // On the wire: manufacturer hi, lo, device hi .. lo.
        const std::array<quint8, 6> bytes{0x7A, 0x70, 0x12, 0x34, 0x56, 0x78};
        QCOMPARE((RdmUid{0x7A70, 0x12345678}).toBytes(), bytes);
        QCOMPARE(RdmUid::fromBytes(bytes), (RdmUid{0x7A70, 0x12345678}));
    }

    void onlyLoopbackGivesTheFallbackRecord() {
        const network net(
            {candidate("127.0.0.1", "255.0.0.0", "127.255.255.255", "", "lo"),
             candidate("::1", "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "::", "", "lo")},
            QString(), QString());
        InterfaceRecord record;
        QVERIFY(net.getInterface(0, record));
        QCOMPARE(record.entry.ip().toString(), QStringLiteral("127.0.0.1"));
        QCOMPARE(record.entry.netmask().toString(), QStringLiteral("255.0.0.0"));
        QCOMPARE(record.entry.broadcast().toString(), QStringLiteral("127.255.255.255"));
        QCOMPARE(record.hardwareAddress, QStringLiteral("00:00:00:00:00:00"));
        QCOMPARE(record.name, QStringLiteral("lo"));
        QVERIFY(net.isOnlyLoopback());
        QVERIFY(!net.isEmpty());
        QVERIFY(!net.getInterface(1, record));
    }

    void noAddressAtAllStillGivesLoopback() {
        const network net{QList<InterfaceRecord>(), QString(), QString()};
        quint32 address = 0;
        QVERIFY(net.getAddress(0, address));
        QCOMPARE(address, 0x7F000001u);
        QVERIFY(net.isOnlyLoopback());
    }

    void zeroNetmaskOrBroadcastIsNotListed() {
        const network net(
            {candidate("10.0.0.5", "0.0.0.0", "10.255.255.255", "00:00:00:00:00:01", "a"),
             candidate("10.0.0.6", "255.0.0.0", "0.0.0.0", "00:00:00:00:00:02", "b"),
             candidate("10.0.0.7", "255.0.0.0", "10.255.255.255", "00:00:00:00:00:03", "c")},
            QString(), QString());
        QString text, name;
        QVERIFY(net.getAddressText(0, text, name));
        QCOMPARE(text, QStringLiteral("10.0.0.7"));
        QVERIFY(!net.getAddressText(1, text, name));
        QVERIFY(text.isNull() && name.isNull());
    }

    void twoAddressesOnOneAdapterGiveTwoRecords() {
        const network net(
            {candidate("10.0.0.5", "255.0.0.0", "10.255.255.255", "00:11:22:33:44:55", "eth0"),
             candidate("2.1.1.1", "255.0.0.0", "2.255.255.255", "00:11:22:33:44:55", "eth0")},
            QString(), QString());
        InterfaceRecord first, second;
        QVERIFY(net.getInterface(0, first));
        QVERIFY(net.getInterface(1, second));
        QCOMPARE(second.entry.ip().toString(), QStringLiteral("2.1.1.1"));
        QCOMPARE(first.hardwareAddress, second.hardwareAddress);
        QCOMPARE(first.name, second.name);
        // The subnet rule takes the first record whose subnet holds the peer.
        QCOMPARE(net.indexForPeer(ipv4("2.200.3.4")), 1);
        QCOMPARE(net.indexForPeer(ipv4("10.1.2.3")), 0);
        QCOMPARE(net.indexForPeer(ipv4("192.168.0.1")), -1);
    }

    void pseudoInterfaceAllAndNeutralValues() {
        const network net{QList<InterfaceRecord>(), QString(), QString()};
        QString text, name;
        QVERIFY(net.getAddressText(-1, text, name));
        QCOMPARE(text, QStringLiteral("255.255.255.255"));
        QCOMPARE(name, QStringLiteral("all"));
        quint32 address = 1, netmask = 1, broadcast = 1;
        QString hardware;
        QVERIFY(net.getAddressInfo(-1, address, netmask, broadcast, hardware));
        QCOMPARE(address, 0xFFFFFFFFu);
        QCOMPARE(netmask, 0u);
        QCOMPARE(broadcast, 0xFFFFFFFFu);
        QVERIFY(!net.getAddressInfo(5, address, netmask, broadcast, hardware));
        QCOMPARE(address, 0u);
        QCOMPARE(netmask, 0xFFFFFFFFu);
        QCOMPARE(broadcast, 0u);
        QVERIFY(hardware.isNull());
        QVERIFY(!net.getBroadcast(5, broadcast));
        QCOMPARE(broadcast, 0xFFFFFFFFu);
        InterfaceRecord record;
        QVERIFY(!net.getInterface(-2, record));
        QCOMPARE(record.entry.netmask().toString(), QStringLiteral("255.255.255.255"));
    }

    void prefixLengthCountsLeadingOnes() {
        QCOMPARE(network::prefixLength(0), 0);
        QCOMPARE(network::prefixLength(0xFFFFFF00u), 24);
        QCOMPARE(network::prefixLength(0xFF00FF00u), 8);
        QCOMPARE(network::prefixLength(0xFFFFFFFFu), 32);
    }

    void hardwareAddressToBytesReadsOnlyUpperCaseHex() {
        quint8 bytes[6] = {9, 9, 9, 9, 9, 9};
        network::hardwareAddressToBytes(QStringLiteral("00:1A:2B:3C:4D:5E"), bytes);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(bytes), 6),
                 QByteArray::fromHex("001a2b3c4d5e"));
        // Lower-case letters are skipped without shifting: "1a" reads as 01.
        network::hardwareAddressToBytes(QStringLiteral("00:1a:2b:3c:4d:5e"), bytes);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(bytes), 6),
                 QByteArray::fromHex("000102030405"));
        network::hardwareAddressToBytes(QStringLiteral("AB:C"), bytes);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(bytes), 6),
                 QByteArray::fromHex("ab0c00000000"));
        network::hardwareAddressToBytes(QString(), bytes);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(bytes), 6), QByteArray(6, '\0'));
    }

    void machineScanAlwaysHasARecord() {
        const network net;
        QVERIFY(!net.isEmpty());
        quint32 address = 0;
        QVERIFY(net.getAddress(0, address));
        QVERIFY(address != 0);
    }
};

QTEST_GUILESS_MAIN(TestNetwork)
#include "tst_network.moc"
