#include "engine/openglprobe.h"
#include "engine/screenengine.h"
#include "engine/widgetopengl.h"
#include "settings/settingsrecord.h"

#include <QtTest>

// Runs on a real display (Xvfb): the OpenGL render widget paints the same cells as the native
// one through QOpenGLWidget's framebuffer.
class TestOpenGl : public QObject {
    Q_OBJECT

private slots:
    void openGlWidgetPaintsEngineFrame();
};

void TestOpenGl::openGlWidgetPaintsEngineFrame() {
    if (!openGlAvailable())
        QSKIP("no OpenGL context on this display");
    ScreenEngine engine;
    SettingsRecord settings;
    settings.DmxSizeX = 2;
    settings.DmxSizeY = 1;
    settings.SizeX = 200;
    settings.SizeY = 100;
    engine.configure(nullptr, settings, 0, 0, {});
    WidgetOpenGL widget(&engine, nullptr, QSize(200, 100));
    QCOMPARE(widget.size(), QSize(200, 100));
    QVERIFY(widget.format().samples() > 0 || widget.format().samples() == -1);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    widget.repaint();
    const quint8 data[] = {255, 0, 0, 0, 0, 255};
    QCOMPARE(engine.frameStore().writeUniverse(0, data, FrameStore::Writer::ArtNet), 6);
    widget.repaint();
    const QImage picture = widget.grabFramebuffer();
    QCOMPARE(picture.pixel(50, 50) & 0xFFFFFF, qRgb(255, 0, 0) & 0xFFFFFF);
    QCOMPARE(picture.pixel(150, 50) & 0xFFFFFF, qRgb(0, 0, 255) & 0xFFFFFF);
}

QTEST_MAIN(TestOpenGl)
#include "tst_opengl.moc"
