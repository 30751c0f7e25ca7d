#include "enginetestsupport.h"

#include "engine/paintscheduler.h"
#include "engine/widgetnative.h"

#include <QtTest>

#include <thread>

using namespace EngineTest;

namespace {
class CountingWidget : public WidgetNative {
public:
    using WidgetNative::WidgetNative;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *event) override {
        ++paints;
        WidgetNative::paintEvent(event);
    }
};
} // namespace

class TestPaintScheduler : public QObject {
    Q_OBJECT

private slots:
    void paintsFollowTheData();
};

void TestPaintScheduler::paintsFollowTheData() {
    ScreenEngine engine(oneInterface());
    SettingsRecord record = settings(true, false, {100, 50});
    record.DmxSizeX = 2;
    record.DmxSizeY = 1;
    engine.configure(nullptr, record, 0, 0, {});
    CountingWidget widget(&engine, nullptr, QSize(100, 50));
    PaintScheduler scheduler(engine);
    scheduler.setTarget(&widget);
    scheduler.start(1);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    // The overlay after an apply is painted frame by frame until it goes.
    QTRY_VERIFY_WITH_TIMEOUT(engine.statusFrameCount() >= 1000, 30000);
    QTRY_VERIFY(!engine.needsRepaint());

    int before = widget.paints;
    QTest::qWait(100);
    QCOMPARE(widget.paints, before);

    const quint8 red[] = {255, 0, 0};
    engine.frameStore().writeUniverse(0, red, FrameStore::Writer::ArtNet);
    QTRY_COMPARE(widget.paints, before + 1);
    QTest::qWait(50);
    QCOMPARE(widget.paints, before + 1);
    QCOMPARE(widget.grab().toImage().pixel(25, 25), qRgb(255, 0, 0));

    // A receiver thread wakes the painter through the event queue.
    before = widget.paints;
    const quint8 blue[] = {0, 0, 255};
    std::thread([&] {
        engine.frameStore().writeUniverse(0, blue, FrameStore::Writer::Sacn);
    }).join();
    QTRY_COMPARE(widget.paints, before + 1);
    QCOMPARE(widget.grab().toImage().pixel(25, 25), qRgb(0, 0, 255));

    // Changes of the engine's own count too. While frozen, data paints nothing; the freeze
    // puts its copy back into the store at every paint, which asks for no paint either.
    engine.setFreeze(true);
    QTRY_VERIFY_WITH_TIMEOUT(!engine.needsRepaint(), 30000);
    before = widget.paints;
    engine.frameStore().writeUniverse(0, red, FrameStore::Writer::ArtNet);
    QTest::qWait(50);
    QCOMPARE(widget.paints, before);
    engine.setFreeze(false);
    QTRY_VERIFY(widget.paints > before);

    // A stopped scheduler paints nothing.
    scheduler.stop();
    before = widget.paints;
    engine.frameStore().writeUniverse(0, red, FrameStore::Writer::ArtNet);
    QTest::qWait(50);
    QCOMPARE(widget.paints, before);
}

QTEST_MAIN(TestPaintScheduler)
#include "tst_paintscheduler.moc"
