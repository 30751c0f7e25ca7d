#include "net/acnnet.h"
#include "net/channellist.h"
#include "net/channellog.h"
#include "net/channelwatch.h"
#include "net/monotonicclock.h"
#include "net/network.h"

#include "tst_acnsupport.h"

#include <QTemporaryDir>
#include <QTest>

class TestChannelWatch : public QObject {
    Q_OBJECT

private slots:
    void parseList_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("parsed"); // labels, or "!" and the start of the error
        QTest::newRow("one") << "1.4"
                             << "U1 C4";
        QTest::newRow("range") << "1.4-1.6"
                               << "U1 C4,U1 C5,U1 C6";
        QTest::newRow("list") << " 1.1-1.3, 2.10"
                              << "U1 C1,U1 C2,U1 C3,U2 C10";
        QTest::newRow("twice counts once") << "3.1,3.1-3.2"
                                           << "U3 C1,U3 C2";
        QTest::newRow("last channel") << "0.512"
                                      << "U0 C512";
        QTest::newRow("empty") << ""
                               << "!no channel given";
        QTest::newRow("no dot") << "14"
                                << "!\"14\" is not universe.channel";
        QTest::newRow("channel 0") << "1.0"
                                   << "!\"1.0\": channels are 1 to 512";
        QTest::newRow("channel 513") << "1.513"
                                     << "!\"1.513\": channels are 1 to 512";
        QTest::newRow("across universes") << "1.4-2.6"
                                          << "!\"1.4-2.6\": a range runs upwards";
        QTest::newRow("downwards") << "1.6-1.4"
                                   << "!\"1.6-1.4\": a range runs upwards";
        QTest::newRow("17 channels") << "1.1-1.16,2.1"
                                     << "!at most 16 channels";
        QTest::newRow("open range") << "1.4-"
                                    << "!\"\" is not universe.channel";
    }
    void parseList() {
        QFETCH(QString, text);
        QFETCH(QString, parsed);
        QString error;
        QStringList labels;
        for (const WatchedChannel &channel : parseChannelList(text, &error))
            labels << channelLabel(channel);
        if (parsed.startsWith(QLatin1Char('!'))) {
            QVERIFY(labels.isEmpty());
            QVERIFY2(error.startsWith(parsed.mid(1)), qPrintable(error));
        } else {
            QCOMPARE(labels.join(QLatin1Char(',')), parsed);
        }
    }

    // A ramp on three channels through the real sACN receiver: one line per change, in
    // arrival order, an unchanged packet writes nothing and an unwatched channel is not logged.
    void rampIsLoggedInOrder() {
        network net;
        FrameStore store;
        store.allocate(2 * 512, 512);
        ChannelWatch watch;
        watch.setFirstUniverse(1);
        QVERIFY(watch.setChannels(parseChannelList(QStringLiteral("1.4-1.6"), nullptr)));
        acnnet receiver(&net);
        // The universe's listening time after the start is over when the ramp begins.
        qint64 clockMs = 0;
        receiver.setClock([&clockMs] { return clockMs; });
        QVERIFY(receiver.setStartUniverse(0));
        receiver.setFrameBuffer(&store);
        receiver.setChannelWatch(&watch);

        // Ahead of the real clock, which stamps the look the tick writes: the log starts after it.
        const qint64 startNs = monotonicNs() + 1'000'000'000;
        const auto send = [&receiver](const QByteArray &bytes, qint64 stampNs) {
            receiver.processDatagram(
                {reinterpret_cast<const quint8 *>(bytes.constData()), size_t(bytes.size())},
                0x0A000009, stampNs);
        };
        // The source is heard while the universe still listens, so it is merged at once after.
        E131PacketBuilder warmUp;
        warmUp.levels = QByteArray(8, '\0');
        send(warmUp.build(), startNs - 1'000'000);
        clockMs = SacnMerger::samplingPeriodMs + 1;
        receiver.tick();
        ChannelLog log(watch);
        log.setClock([startNs] { return startNs; });
        QTemporaryDir dir;
        QString error;
        QVERIFY(log.start(dir.filePath(QStringLiteral("log.csv")), &error));

        QStringList expected{QStringLiteral("time_ms,universe,channel,value,source")};
        for (int k = 0; k < 12; ++k) {
            E131PacketBuilder packet;
            packet.levels = QByteArray(8, '\0');
            const int step = std::min(k, 10); // the last two packets repeat the look
            packet.levels[3] = char(step);
            packet.levels[4] = char(100 + step);
            packet.levels[5] = char(255 - step);
            packet.levels[6] = char(k); // channel 7 is not watched
            const QByteArray bytes = packet.build();
            const qint64 stampNs = startNs + k * 22'727'273; // 44 Hz
            send(bytes, stampNs);
            if (k < 11)
                for (int c = 0; c < 3; ++c)
                    expected << QStringLiteral("%1,1,%2,%3,test source (10.0.0.9)")
                                    .arg(k * 22727273LL / 1000000)
                                    .arg(4 + c)
                                    .arg(c == 0   ? step
                                         : c == 1 ? 100 + step
                                                  : 255 - step);
        }
        log.stop();
        receiver.setFrameBuffer(nullptr);

        QFile file(dir.filePath(QStringLiteral("log.csv")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
                 expected);
    }
};

QTEST_GUILESS_MAIN(TestChannelWatch)
#include "tst_channelwatch.moc"
