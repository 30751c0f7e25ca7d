#include "net/framestore.h"
#include "net/monotonicclock.h"
#include "net/udpreceive.h"

#include <QtTest>

#include <arpa/inet.h>
#include <poll.h>
#include <unistd.h>

// The batch reader over real UDP on loopback, inside the private network namespace.
class TestUdpReceive : public QObject {
    Q_OBJECT

private slots:
    // The receive stamp is on the monotonic clock: after the send began, not after the read,
    // and it reaches the one snapshot that shows the datagram's bytes.
    void stampedDatagramReachesOneSnapshot() {
        const quint16 port = 47123;
        const int fd = openUdpReceiver(port, false, 1 << 16);
        QVERIFY(fd >= 0);
        const int out = ::socket(AF_INET, SOCK_DGRAM, 0);
        QVERIFY(out >= 0);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(port);
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const quint8 payload[3] = {0x11, 0x22, 0x33};

        const qint64 beforeSend = monotonicNs();
        QCOMPARE(
            ::sendto(out, payload, sizeof payload, 0, reinterpret_cast<sockaddr *>(&to), sizeof to),
            ssize_t(sizeof payload));
        pollfd wait{fd, POLLIN, 0};
        QCOMPARE(::poll(&wait, 1, 5000), 1);
        DatagramBatch batch(4, 64);
        QCOMPARE(batch.receive(fd), 1);
        const qint64 afterRead = monotonicNs();
        const DatagramFacts &facts = batch.facts(0);
        const qint64 stamp = facts.receivedNs;
        QVERIFY(stamp != 0);
        QVERIFY(stamp >= beforeSend);
        QVERIFY(stamp <= afterRead);
        QCOMPARE(facts.sender, quint32(INADDR_LOOPBACK));
        QVERIFY(facts.senderPort != 0);
        QCOMPARE(facts.destination, quint32(INADDR_LOOPBACK)); // sent to 127.0.0.1
        QCOMPARE(batch.datagram(0).size(), sizeof payload);

        FrameStore store;
        store.allocate(8, 4);
        const quint8 later[3] = {0x44, 0x55, 0x66};
        store.writeUniverse(1, batch.datagram(0), FrameStore::Writer::Sacn, stamp);
        store.writeUniverse(0, later, FrameStore::Writer::Sacn, stamp + 1000);
        store.writeUniverse(0, later, FrameStore::Writer::ArtNet); // no stamp
        QByteArray frame;
        FrameStore::ChangeStamps stamps{};
        store.snapshot(frame, &stamps);
        QCOMPARE(quint8(frame[4]), quint8(0x11));
        QCOMPARE(stamps[size_t(FrameStore::Writer::Sacn)], stamp); // the oldest change
        QCOMPARE(stamps[size_t(FrameStore::Writer::ArtNet)], qint64(0));
        store.snapshot(frame, &stamps);
        QCOMPARE(stamps[size_t(FrameStore::Writer::Sacn)], qint64(0)); // handed out once
        ::close(out);
        ::close(fd);
    }
};

QTEST_GUILESS_MAIN(TestUdpReceive)
#include "tst_udpreceive.moc"
