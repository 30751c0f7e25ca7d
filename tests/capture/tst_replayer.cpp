#include "capture/networkrecorder.h"
#include "capture/replayer.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <mutex>

// The replay window's controls, on a capture of five one-byte datagrams 200 ms apart.

namespace {

constexpr qint64 spacingNs = 200'000'000;

class Played {
public:
    void add(const ReplayBatch &batch) {
        const std::lock_guard guard(m_lock);
        for (const ReplayBatch::Item &item : batch.items)
            m_bytes.append(char(batch.bytesOf(item)[0]));
    }
    QByteArray bytes() {
        const std::lock_guard guard(m_lock);
        return m_bytes;
    }

private:
    std::mutex m_lock;
    QByteArray m_bytes;
};

} // namespace

class TestReplayer : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString capture;

private slots:
    void initTestCase() {
        capture = dir.filePath(QStringLiteral("five.pcap"));
        NetworkRecorder recorder;
        QVERIFY(recorder.start(capture).isEmpty());
        for (quint8 i = 0; i < 5; ++i) {
            const quint8 payload[] = {quint8('a' + i)};
            recorder.tap(6454, payload, DatagramFacts{0x7F000001, 6454, 0x7F000001, i * spacingNs});
        }
        recorder.stop();
        QCOMPARE(recorder.packetsWritten(), quint64(5));
    }

    void pauseStepSpeedAndStartFromAPosition() {
        Played played;
        std::atomic<int> ends{0};
        Replayer replayer([&](std::shared_ptr<const ReplayBatch> batch) { played.add(*batch); },
                          [&](const QString &) { ++ends; });
        QCOMPARE(replayer.open(capture), QString());
        QCOMPARE(replayer.lengthNs(), 4 * spacingNs);

        // Paused before the start: nothing plays until a step, and a step plays one.
        replayer.setPaused(true);
        replayer.start(0);
        QTest::qWait(300);
        QCOMPARE(played.bytes(), QByteArray());
        replayer.step();
        replayer.step();
        QTRY_COMPARE(played.bytes(), QByteArray("ab"));
        QTest::qWait(300);
        QCOMPARE(played.bytes(), QByteArray("ab"));
        QCOMPARE(replayer.positionNs(), spacingNs);

        // Playing on at x4 gives the rest, in order, and the end once.
        replayer.setSpeed(4.0);
        replayer.setPaused(false);
        QTRY_COMPARE(ends.load(), 1);
        QCOMPARE(played.bytes(), QByteArray("abcde"));

        // A jump to the fourth datagram skips what lies before it.
        replayer.start(3 * spacingNs);
        QTRY_COMPARE(ends.load(), 2);
        QCOMPARE(played.bytes(), QByteArray("abcdede"));
    }
};

QTEST_GUILESS_MAIN(TestReplayer)
#include "tst_replayer.moc"
