#include "dialogs/infodlg.h"
#include "dialogs/receiverstatsrows.h"
#include "net/artdmxpacket.h"
#include "net/artnet.h"
#include "net/framestore.h"
#include "net/network.h"
#include "net/runningreceiver.h"
#include "net/tst_acnsupport.h"

#include <QLabel>
#include <QNetworkInterface>
#include <QTableWidget>
#include <QUdpSocket>
#include <QtTest>

#include <memory>

// The information dialog's receiver rows from the real receivers, fed over loopback inside a
// private network namespace (scripts/in-netns.sh).

namespace {

using Protocol = ReceiverStatsRows::Protocol;

E131PacketBuilder sacnPacket(const char *cidHex, quint8 priority, quint8 sequence) {
    E131PacketBuilder packet;
    packet.universe = 1;
    packet.cid = QByteArray::fromHex(cidHex);
    packet.priority = priority;
    packet.sequence = sequence;
    return packet;
}

QStringList texts(const ReceiverStatsRows::Row &row) {
    QStringList out;
    for (const QVariant &cell : row)
        out << cell.toString();
    return out;
}

QStringList column(QTableWidget *table, int c) {
    QStringList out;
    for (int r = 0; r < table->rowCount(); ++r)
        out << table->item(r, c)->text();
    return out;
}

} // namespace

class TestReceiverStatsRows : public QObject {
    Q_OBJECT

private slots:
    void sacnSourcesAtTwoPrioritiesAndASilentUniverse() {
        network net;
        FrameStore store;
        store.allocate(1024, 512); // universes 1 and 2
        RunningReceiver running(&net);
        QVERIFY(running.receiver->setStartUniverse(0));
        running.receiver->setFrameBuffer(&store);

        QUdpSocket sender;
        QVERIFY(sender.bind(QHostAddress(QStringLiteral("127.0.0.1")), 0));
        sender.setMulticastInterface(QNetworkInterface::interfaceFromName(QStringLiteral("lo")));
        const QHostAddress group(QStringLiteral("239.255.0.1"));
        for (quint8 sequence = 1; sequence <= 3; ++sequence) {
            for (const auto &packet :
                 {sacnPacket("a5a5a5a5a5a5a5a5a5a5a5a5a5a5a5a5", 100, sequence),
                  sacnPacket("0102030405060708090a0b0c0d0e0f10", 50, sequence)})
                QVERIFY(sender.writeDatagram(packet.build(), group, 5568) > 0);
        }
        QTRY_VERIFY(!running.receiver->stats().lUniverses.isEmpty() &&
                    running.receiver->stats().lUniverses.first().lSources.size() == 2 &&
                    running.receiver->stats().lUniverses.first().lSources.at(1).uiPackets == 3);

        const ReceiverView view{running.receiver->stats(), {1, 2}};
        const QList<ReceiverStatsRows::Row> rows =
            ReceiverStatsRows::universes(Protocol::Sacn, view);
        QCOMPARE(rows.size(), 2);
        // Universe, sources, owner (the higher priority alone), then priority and sync address.
        const QStringList live = texts(rows.at(0));
        QCOMPARE(live.mid(0, 3), (QStringList{"1", "2", "test source (127.0.0.1)"}));
        QCOMPARE(live.mid(4, 2), (QStringList{"0", "0"}));
        QCOMPARE(live.mid(7), (QStringList{"100", "none"}));
        // Shown, never received.
        QCOMPARE(texts(rows.at(1)),
                 (QStringList{"2", "0", "no live source", "0", "0", "0", "never", "", "none"}));

        const QList<ReceiverStatsRows::Row> sources =
            ReceiverStatsRows::sources(Protocol::Sacn, view.stats, 1);
        QCOMPARE(sources.size(), 2);
        QStringList origins, priorities;
        for (const ReceiverStatsRows::Row &source : sources) {
            origins << source.at(1).toString();
            priorities << source.at(2).toString();
            QCOMPARE(source.at(4).toString(), QStringLiteral("0")); // sequence errors
        }
        origins.sort();
        QCOMPARE(origins, (QStringList{"01020304-0506-0708-090a-0b0c0d0e0f10 (127.0.0.1)",
                                       "a5a5a5a5-a5a5-a5a5-a5a5-a5a5a5a5a5a5 (127.0.0.1)"}));
        priorities.sort();
        QCOMPARE(priorities, (QStringList{"100", "50"}));
        QVERIFY(ReceiverStatsRows::sources(Protocol::Sacn, view.stats, 2).isEmpty());
    }

    void artnetMergeInTheDialog() {
        network net;
        FrameStore store;
        store.allocate(1024, 512); // Port-Addresses 0 and 1
        artnet node(&net);
        qint64 now = 10000;
        node.setClock([&now] { return now; });
        QVERIFY(node.setStartUniverse(0));
        node.setFrameBuffer(&store);

        // Two consoles on one Port-Address: a merge.
        QUdpSocket left, right;
        QVERIFY(left.bind(QHostAddress(QStringLiteral("127.0.0.2")), 0));
        QVERIFY(right.bind(QHostAddress(QStringLiteral("127.0.0.3")), 0));
        const QHostAddress nodeAddress(QStringLiteral("127.0.0.1"));
        left.writeDatagram(artDmxPacket(0, 1, QByteArray(512, char(0x10))), nodeAddress, 6454);
        right.writeDatagram(artDmxPacket(0, 5, QByteArray(512, char(0x20))), nodeAddress, 6454);
        QTRY_COMPARE(node.stats().lUniverses.value(0).iLiveSources, 2);
        now += 1500;

        InfoDlg dlg;
        dlg.setReceivers(
            [&node] {
                return ReceiverView{node.stats(), {0, 2, 10}, {3, 1.5, 4.0}};
            },
            [] { return ReceiverView{}; });
        dlg.selectPage(InfoDlg::PageArtnet);
        auto *universes = dlg.findChild<QTableWidget *>(QStringLiteral("table Art-Net"));
        auto *sources = dlg.findChild<QTableWidget *>(QStringLiteral("sources Art-Net"));
        // Numbers sort as numbers: 10 after 2.
        QCOMPARE(column(universes, 0), (QStringList{"0", "2", "10"}));
        QCOMPARE(column(universes, 1), (QStringList{"2", "0", "0"}));
        QCOMPARE(column(universes, 2),
                 (QStringList{"merge HTP", "no live source", "no live source"}));
        QCOMPARE(column(universes, 6), (QStringList{"1.5", "never", "never"}));
        QCOMPARE(sources->rowCount(), 0);
        QCOMPARE(dlg.findChild<QLabel *>(QStringLiteral("latency Art-Net"))->text(),
                 QStringLiteral("Latency: median 1.5 ms, max 4.0 ms"));
        QCOMPARE(dlg.findChild<QLabel *>(QStringLiteral("latency Streaming Acn"))->text(),
                 QStringLiteral("Latency: nothing shown in the last 10 s"));
        QCOMPARE(dlg.findChild<QLabel *>(QStringLiteral("dropped Art-Net"))->text(),
                 QStringLiteral("Dropped: 0 from before Art-Net 4 (protocol version below 14)"));

        // Selecting Port-Address 0 lists its two consoles; sorting the universes the other
        // way round and refreshing keeps that universe selected.
        universes->selectRow(0);
        QCOMPARE(sources->rowCount(), 2);
        QStringList addresses = column(sources, 1);
        addresses.sort();
        QCOMPARE(addresses, (QStringList{"127.0.0.2", "127.0.0.3"}));
        universes->sortByColumn(0, Qt::DescendingOrder);
        dlg.refresh();
        QCOMPARE(column(universes, 0), (QStringList{"10", "2", "0"}));
        QCOMPARE(universes->selectedItems().value(0)->text(), QStringLiteral("0"));
        QCOMPARE(sources->rowCount(), 2);
        QCOMPARE(dlg.findChild<QTableWidget *>(QStringLiteral("table Streaming Acn"))->rowCount(),
                 0);

        // Both consoles gone past the 10 s timeout: the universe keeps its row, now silent.
        now += 10000;
        dlg.refresh();
        QCOMPARE(column(universes, 1), (QStringList{"0", "0", "0"}));
        QCOMPARE(universes->item(2, 2)->text(), QStringLiteral("no live source"));
        QCOMPARE(universes->item(2, 6)->text(), QStringLiteral("11.5"));
        QCOMPARE(sources->rowCount(), 0);
    }
};

QTEST_MAIN(TestReceiverStatsRows)
#include "tst_receiverstatsrows.moc"
