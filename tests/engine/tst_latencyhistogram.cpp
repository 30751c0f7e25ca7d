#include "engine/latencyhistogram.h"
#include "engine/statustext.h"
#include "enginetestsupport.h"
#include "net/monotonicclock.h"
#include "rdm/configurator.h"
#include "testsettingsstore.h"

#include <QtTest>

namespace {
constexpr qint64 ms = 1000000;
} // namespace

// The latency histogram on a clock the test moves.
class TestLatencyHistogram : public QObject {
    Q_OBJECT

private slots:
    // Median: the middle of the 1 ms bucket of the lower middle sample, never above the
    // maximum; the maximum exact; over and under range clamped into the end buckets.
    void medianAndMax() {
        qint64 now = 50000 * ms;
        LatencyHistogram histogram([&] { return now; });
        QCOMPARE(histogram.figures().count, 0u);
        QCOMPARE(statustext::latency(histogram.figures()), QString());

        for (qint64 latency : {9100000, 1200000, 3700000, 3200000})
            histogram.add(latency);
        LatencyFigures f = histogram.figures();
        QCOMPARE(f.count, 4u);
        QCOMPARE(f.medianMs, 3.5); // 2nd of 1.2, 3.2, 3.7, 9.1
        QCOMPARE(f.maxMs, 9.1);
        QCOMPARE(statustext::latency(f), QStringLiteral("\nLatency: median 3.5 ms, max 9.1 ms"));

        LatencyHistogram single([&] { return now; });
        single.add(2100000);
        QCOMPARE(single.figures().medianMs, 2.1); // bucket middle 2.5 held to the maximum

        LatencyHistogram extremes([&] { return now; });
        extremes.add(-5 * ms);
        extremes.add(4000 * ms);
        extremes.add(5000 * ms);
        f = extremes.figures();
        QCOMPARE(f.medianMs, 1000.5); // the "1 s and more" bucket
        QCOMPARE(f.maxMs, 5000.0);
    }

    // Samples stay for the current second of the clock and the nine before it.
    void tenSecondWindow() {
        qint64 now = 100000 * ms;
        LatencyHistogram histogram([&] { return now; });
        histogram.add(40 * ms); // in second 100
        now += 999 * ms;
        histogram.add(2 * ms); // still second 100
        now = 105000 * ms;
        histogram.add(5 * ms);
        QCOMPARE(histogram.figures().count, 3u);
        QCOMPARE(histogram.figures().maxMs, 40.0);

        now = 109999 * ms; // second 109: 100 is the oldest kept
        QCOMPARE(histogram.figures().count, 3u);
        now = 110000 * ms;
        LatencyFigures f = histogram.figures();
        QCOMPARE(f.count, 1u);
        QCOMPARE(f.maxMs, 5.0);

        // Second 110 reuses second 100's slot and must not inherit its counts.
        histogram.add(1 * ms);
        f = histogram.figures();
        QCOMPARE(f.count, 2u);
        QCOMPARE(f.medianMs, 1.5);
        now = 200000 * ms;
        QCOMPARE(histogram.figures().count, 0u);
    }

    // A console repeating its look paints nothing; the line says so, for its protocol only.
    void lineForDataWithoutChange() {
        const TemporarySettingsStore store;
        Configurator model;
        ScreenEngine engine(EngineTest::oneInterface());
        engine.configure(&model, EngineTest::settings(true, false), 0, 0, QDateTime());
        const auto send = [&engine](quint8 level) {
            std::array<quint8, 510> universe;
            universe.fill(level);
            engine.frameStore().writeUniverse(0, universe, FrameStore::Writer::ArtNet,
                                              monotonicNs());
            EngineTest::paint(engine);
            return engine.statusText(0).section(u'\n', -1);
        };
        QCOMPARE(send(0), QStringLiteral("Latency: no change in the last 10 s")); // still dark
        QVERIFY(!engine.latency(ScreenEngine::Protocol::Sacn).received);
        QVERIFY(send(0x40).startsWith(QStringLiteral("Latency: median")));
    }
};

QTEST_MAIN(TestLatencyHistogram)
#include "tst_latencyhistogram.moc"
