#include "engine/openglprobe.h"
#include "engine/screenengine.h"
#include "engine/widgetnative.h"
#include "engine/workerthread.h"
#include "settings/settingsrecord.h"

#include <QPointer>
#include <QtTest>

class TestWidgets : public QObject {
    Q_OBJECT

private slots:
    void nativeWidgetPaintsEngineFrame();
    void resizeOnlyWhenRequestChanges();
    void noOpenGlOnOffscreenPlatform();
    void workerThreadRunsAndEndsWithObject();
};

void TestWidgets::nativeWidgetPaintsEngineFrame() {
    ScreenEngine engine;
    SettingsRecord settings;
    settings.DmxSizeX = 2;
    settings.DmxSizeY = 1;
    settings.DmxUseRgb = ColourMode::Rgb;
    settings.SizeX = 200;
    settings.SizeY = 100;
    engine.configure(nullptr, settings, 0, 0, {});
    WidgetNative widget(&engine, nullptr, QSize(200, 100));
    QCOMPARE(widget.size(), QSize(200, 100));
    QVERIFY(!widget.autoFillBackground());
    engine.applyStaged();
    const quint8 data[] = {0, 0, 255, 255, 255, 0};
    QCOMPARE(engine.frameStore().writeUniverse(0, data, FrameStore::Writer::Sacn), 6);
    const QImage picture = widget.grab().toImage();
    QCOMPARE(picture.pixel(50, 50), qRgb(0, 0, 255));
    QCOMPARE(picture.pixel(150, 50), qRgb(255, 255, 0));
}

void TestWidgets::resizeOnlyWhenRequestChanges() {
    ScreenEngine engine;
    WidgetNative widget(&engine, nullptr, QSize(200, 100));
    widget.resize(300, 300); // e.g. the window manager
    widget.resizeTo(QSize(200, 100));
    QCOMPARE(widget.size(), QSize(300, 300));
    widget.resizeTo(QSize(120, 80));
    QCOMPARE(widget.size(), QSize(120, 80));
    widget.repaint(); // a repaint before the first configure paints nothing and survives
}

void TestWidgets::noOpenGlOnOffscreenPlatform() {
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("offscreen"));
    QCOMPARE(openGlAvailable(), false);
}

void TestWidgets::workerThreadRunsAndEndsWithObject() {
    auto *object = new QObject();
    QPointer<QThread> thread = startInThread(object, QStringLiteral("sACN"), QThread::HighPriority);
    QVERIFY(thread);
    QCOMPARE(thread->objectName(), QStringLiteral("sACN"));
    QCOMPARE(object->thread(), thread.data());
    QTRY_VERIFY(thread->isRunning());
    QCOMPARE(thread->priority(), QThread::HighPriority);
    // Work posted to the object runs in that thread.
    QThread *ranIn = nullptr;
    QMetaObject::invokeMethod(
        object, [&ranIn] { ranIn = QThread::currentThread(); }, Qt::BlockingQueuedConnection);
    QCOMPARE(ranIn, thread.data());
    // Deleting the object through its thread's queue stops the thread, which deletes itself.
    object->deleteLater();
    QTRY_VERIFY(thread.isNull());
}

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
