#include "app/tessaview.h"
#include "engine/openglprobe.h"
#include "engine/widgetnative.h"
#include "engine/widgetopengl.h"
#include "settings/settingsstore.h"
#include "testsettingsstore.h"

#include <QtTest>

// Runs on a real display (Xvfb), where OpenGL can be chosen at all.
class TestRenderWidgets : public QObject {
    Q_OBJECT

private slots:
    void openGlWidgetOnlyWhileChosen() {
        TemporarySettingsStore store;
        SettingsRecord live;
        live.ScreenNumber = ScreenChoice::UserSize;
        live.SizeX = 320;
        live.SizeY = 200;
        SettingsStore::saveSettings(live, SettingsStore::livePreset);
        live.UseOpenGL = true;
        SettingsStore::saveSettings(live, 1);
        live.UseOpenGL = false;
        SettingsStore::saveSettings(live, 2);

        Tessaview window({"tessaview"});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!window.findChild<WidgetOpenGL *>());
        QVERIFY(window.findChild<WidgetNative *>()->isVisible());
        if (!openGlAvailable())
            QSKIP("no OpenGL context on this display");
        window.slotSettingsPresetLoad(1);
        QVERIFY(window.findChild<WidgetOpenGL *>());
        QCOMPARE(window.windowTitle(), QStringLiteral("Tessaview OpenGL"));
        window.slotSettingsPresetLoad(2);
        QVERIFY(!window.findChild<WidgetOpenGL *>());
        QCOMPARE(window.windowTitle(), QStringLiteral("Tessaview Native"));
    }
};

QTEST_MAIN(TestRenderWidgets)
#include "tst_renderwidgets.moc"
