#include "app/languageloader.h"
#include "app/tessaview.h"
#include "buildinfo.h"
#include "engine/screenengine.h"
#include "engine/widgetnative.h"
#include "rdm/configurator.h"
#include "settings/desktop.h"
#include "settings/settingsdialog.h"
#include "settings/settingsstore.h"
#include "testsettingsstore.h"

#include <QMenu>
#include <QtTest>

namespace {
QSettings rawStore() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromLatin1(BuildInfo::makerWeb), QStringLiteral("Tessaview"));
}

class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

class TestTessaview : public QObject {
    Q_OBJECT
    std::unique_ptr<TemporarySettingsStore> m_store;

private slots:
    void init() { m_store = std::make_unique<TemporarySettingsStore>(); }
    void cleanup() { m_store.reset(); }

    void freshStartUsesFactoryDefaults() {
        Tessaview window({"tessaview"});
        SettingsRecord expected;
        setFactoryDefaults(expected, desktopGeometry().size());
        // The language in effect (from the system locale for the default 0) replaces the
        // stored code in memory.
        expected.LanguageIso = window.languageLoader()->current();
        QCOMPARE(window.settings(), expected);
        QCOMPARE(window.powerCycleCount(), 1u);
        QCOMPARE(rawStore().value("PowerCycle").toUInt(), 1u);
        QCOMPARE(window.windowTitle(), QStringLiteral("Tessaview Native"));
        QVERIFY(window.windowState() & Qt::WindowFullScreen);
        QCOMPARE(window.currentPreset(), 0);
        QVERIFY(window.engine());
        QVERIFY(window.configurator());
        // ChangeRender does not save the record: only the counter and the status switch, which
        // every apply stores, are in the store.
        QStringList keys = rawStore().allKeys();
        keys.sort();
        QCOMPARE(keys, (QStringList{"PowerCycle", "StateEnable"}));
    }

    void powerCycleCounts() {
        SettingsStore::savePowerCycleCount(41);
        {
            Tessaview window({"tessaview"});
            QCOMPARE(window.powerCycleCount(), 42u);
        }
        SettingsStore::savePowerCycleCount(0xFFFFFFFFu);
        Tessaview window({"tessaview"});
        QCOMPARE(window.powerCycleCount(), 0xFFFFFFFFu);
    }

    void presetFromTheCommandLine() {
        SettingsRecord preset;
        preset.DmxSizeX = 20;
        preset.ScreenNumber = ScreenChoice::UserSize;
        preset.PosX = 10;
        preset.PosY = 20;
        preset.SizeX = 320;
        preset.SizeY = 200;
        SettingsStore::saveSettings(preset, 3);

        Tessaview window({"tessaview", "-p", "3", "-o"});
        QCOMPARE(window.currentPreset(), 3);
        QCOMPARE(window.settings().DmxSizeX, quint16(20));
        QCOMPARE(window.size(), QSize(320, 200));
        QVERIFY(!(window.windowState() & Qt::WindowFullScreen));
        QVERIFY(window.windowFlags() & Qt::WindowStaysOnTopHint);
        // The loaded preset is applied and saved as the live settings.
        QCOMPARE(rawStore().value("DmxSizeX").toInt(), 20);
        QCOMPARE(rawStore().value("SizeX").toInt(), 320);
    }

    void presetNumbersOutsideTheRangeAreIgnored_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("negative") << "-3";
        QTest::newRow("above nine") << "12";
        QTest::newRow("current") << "0";
    }
    void presetNumbersOutsideTheRangeAreIgnored() {
        QFETCH(QString, value);
        SettingsRecord live;
        setFactoryDefaults(live, desktopGeometry().size());
        live.DmxSizeX = 33;
        SettingsStore::saveSettings(live, SettingsStore::livePreset);

        Tessaview window({"tessaview", "-p", value});
        QCOMPARE(window.currentPreset(), 0);
        QCOMPARE(window.settings().DmxSizeX, quint16(33));
        // The user's live settings are not overwritten with factory defaults.
        QCOMPARE(rawStore().value("DmxSizeX").toInt(), 33);
    }

    void presetLoadAndReload() {
        SettingsRecord preset;
        preset.DmxSizeY = 4;
        SettingsStore::saveSettings(preset, 9);
        Tessaview window({"tessaview"});
        window.slotSettingsPresetLoad(9);
        QCOMPARE(window.settings().DmxSizeY, quint16(4));
        // Loading the current preset again does nothing, even after the live record changed.
        SettingsStore::saveSettings(SettingsRecord{}, 9);
        window.slotSettingsPresetLoad(9);
        QCOMPARE(window.settings().DmxSizeY, quint16(4));
        window.slotSettingsPresetLoad(0); // never saved: factory defaults
        QCOMPARE(window.settings().DmxSizeY, quint16(10));
    }

    void factoryResetKeepsTheCounter() {
        SettingsRecord live;
        live.DmxSizeX = 44;
        SettingsStore::saveSettings(live, SettingsStore::livePreset);
        SettingsStore::saveSettings(live, 5);
        Tessaview window({"tessaview"});
        QCOMPARE(window.settings().DmxSizeX, quint16(44));
        QSignalSpy toDefault(window.configurator(), &Configurator::signalChangedFactoryDefaults);
        window.slotSettingsChangedToDefaultExtern();
        QCOMPARE(toDefault.count(), 1);
        QVERIFY(window.configurator()->factoryDefaults());
        QCOMPARE(window.settings().DmxSizeX, quint16(17));
        QVERIFY(!rawStore().contains("Preset05DmxSizeX"));
        QCOMPARE(rawStore().value("PowerCycle").toUInt(), 1u);
        QCOMPARE(rawStore().value("DmxSizeX").toInt(), 17);
    }

    void resizesAreDebounced() {
        SettingsRecord live;
        live.ScreenNumber = ScreenChoice::UserSize;
        live.SizeX = 300;
        live.SizeY = 200;
        SettingsStore::saveSettings(live, SettingsStore::livePreset);
        Tessaview window({"tessaview"});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // Data from a console that sends only on change, just after the start.
        const quint8 red[] = {255, 0, 0};
        window.engine()->frameStore().writeUniverse(0, red, FrameStore::Writer::ArtNet);
        window.resize(400, 250);
        window.resize(410, 260);
        QCOMPARE(window.settings().SizeX, quint16(410));
        QCOMPARE(window.settings().SizeY, quint16(260));
        QTest::qWait(400);
        QCOMPARE(window.size(), QSize(410, 260));
        // The new size is kept in memory only until the next settings change saves it.
        QCOMPARE(rawStore().value("SizeX").toInt(), 300);
        // Neither the apply of the resize nor one of another preset of the same layout (never
        // saved: factory, full screen) blanks the picture.
        QTRY_VERIFY(window.engine()->activeSettings()->SizeX == 410);
        QCOMPARE(window.engine()->frameImage().pixel(0, 0), qRgb(255, 0, 0));
        window.slotSettingsPresetLoad(4);
        QTRY_VERIFY(window.engine()->activeSettings()->SizeX != 410);
        QCOMPARE(window.engine()->frameImage().pixel(0, 0), qRgb(255, 0, 0));
    }

    // The whole window, with its scheduler, resize handling and receivers, paints only when the
    // picture changes.
    void idleWindowPaintsOnlyChanges() {
        SettingsRecord live;
        live.ScreenNumber = ScreenChoice::UserSize;
        live.SizeX = 160;
        live.SizeY = 120;
        live.DmxSizeX = 2;
        live.DmxSizeY = 1;
        // The overlay after the start runs out quickly.
        live.TimerInMs = 1;
        SettingsStore::saveSettings(live, SettingsStore::livePreset);
        SettingsStore::saveStateEnable(false);
        Tessaview window({"tessaview"});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *widget = window.findChild<WidgetNative *>();
        PaintCounter counter;
        widget->installEventFilter(&counter);
        QTRY_VERIFY_WITH_TIMEOUT(counter.paints > 0 && !window.engine()->needsRepaint(), 30000);

        const int before = counter.paints;
        QTest::qWait(25 * live.TimerInMs);
        QCOMPARE(counter.paints, before);
        const quint8 red[] = {255, 0, 0};
        window.engine()->frameStore().writeUniverse(0, red, FrameStore::Writer::ArtNet);
        QTRY_COMPARE(counter.paints, before + 1);
        QTest::qWait(25 * live.TimerInMs);
        QCOMPARE(counter.paints, before + 1);
        QCOMPARE(widget->grab().toImage().pixel(40, 60), qRgb(255, 0, 0));
    }

    // Factory settings and no data: the status overlay of the start leaves the screen after its
    // 1000 periods and the window then paints nothing, on a real X server too.
    void statusOverlayLeavesWithoutData() {
        SettingsRecord live;
        setFactoryDefaults(live, desktopGeometry().size());
        live.TimerInMs = 4;
        SettingsStore::saveSettings(live, SettingsStore::livePreset);
        Tessaview window({"tessaview"});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ScreenEngine *engine = window.engine();
        QTRY_VERIFY_WITH_TIMEOUT(engine->statusFrameCount() >= 1000, 60000);
        QTRY_VERIFY(!engine->needsRepaint());
        auto *widget = window.findChild<WidgetNative *>();
        PaintCounter counter;
        widget->installEventFilter(&counter);
        // Long enough for a window placement's late apply, which would restart the overlay.
        QTest::qWait(1000);
        QCOMPARE(counter.paints, 0);
        QVERIFY(engine->statusFrameCount() >= 1000);
        // What the screen holds now, read back without painting (QWidget::grab would paint a
        // fresh frame): the last frame painted must not carry the overlay either.
        const QImage shot = window.screen()
                                ->grabWindow(window.winId())
                                .toImage()
                                .convertToFormat(QImage::Format_RGB32);
        QVERIFY(!shot.isNull());
        QImage black(shot.size(), QImage::Format_RGB32);
        black.fill(Qt::black);
        QCOMPARE(shot, black);
    }

    void handEditedStoreStartsAVisibleWindow() {
        {
            QSettings raw = rawStore();
            raw.setValue("ScreenNumber", "-2");
            raw.setValue("SizeX", "0");
            raw.setValue("SizeY", "garbage");
            raw.setValue("PosX", "-40");
            raw.setValue("DmxSizeX", "");
            raw.setValue("PosY", "4294967296");
            raw.setValue("DmxSizeY", "0");
            raw.setValue("DmxChannelPerUniverse", "100000");
            raw.setValue("DmxUniverseStart", "99999");
            raw.setValue("TimerInMs", "0");
            raw.setValue("DmxUseRgb", "3");
            raw.setValue("UseArtnet", "maybe");
            raw.setValue("Preset01ScreenNumber", "7");
        }
        Tessaview window({"tessaview"});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        SettingsRecord factory;
        setFactoryDefaults(factory, desktopGeometry().size());
        const SettingsRecord &live = window.settings();
        QCOMPARE(live.SizeX, quint16(1));
        QCOMPARE(live.SizeY, factory.SizeY);
        QCOMPARE(live.PosX, factory.PosX);
        // 9999, then moved back onto the desktop, since the window would be wholly off it.
        QCOMPARE(live.PosY, quint16(0));
        QCOMPARE(live.DmxSizeX, factory.DmxSizeX);
        QCOMPARE(live.DmxSizeY, quint16(1));
        QCOMPARE(live.DmxChannelPerUniverse, quint16(512));
        QCOMPARE(live.DmxUniverseStart, quint16(63999));
        QCOMPARE(live.TimerInMs, quint16(1));
        QCOMPARE(live.DmxUseRgb, factory.DmxUseRgb);
        QCOMPARE(live.UseArtnet, factory.UseArtnet);
        QVERIFY(window.isVisible());
        QVERIFY(!window.contextMenu()->actions().isEmpty());
        // The repaired values stay in memory until the operator saves.
        QCOMPARE(rawStore().value("SizeX").toString(), QStringLiteral("0"));
        QCOMPARE(rawStore().value("DmxUseRgb").toString(), QStringLiteral("3"));

        // A screen that does not exist falls back to the desktop.
        window.slotSettingsPresetLoad(1);
        QCOMPARE(window.settings().ScreenNumber, ScreenChoice::Desktop);
        QCOMPARE(window.settings().SizeX, factory.SizeX);
    }

    void cancelledSettingsChangeNothing() {
        SettingsRecord preset;
        preset.ScreenNumber = ScreenChoice::UserSize;
        preset.SizeX = 320;
        preset.SizeY = 200;
        preset.DmxSizeX = 20;
        SettingsStore::saveSettings(preset, 3);
        preset.DmxSizeX = 5; // what the dialog applied last time
        SettingsStore::saveSettings(preset, 0);
        Tessaview window({"tessaview"});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.slotSettingsPresetLoad(3);
        const SettingsRecord before = window.settings();
        window.slotSettingsOpen();
        QCOMPARE(window.settingsDialog()->editedRecord(), before);
        window.settingsDialog()->close();
        window.resize(330, 210);
        QTRY_VERIFY(window.engine()->activeSettings()->SizeX == 330);
        QCOMPARE(window.settings().DmxSizeX, quint16(20));
        QCOMPARE(window.engine()->activeSettings()->DmxSizeX, quint16(20));
        // Reopened, it shows the live record again, with the new size.
        window.slotSettingsOpen();
        QCOMPARE(window.settingsDialog()->editedRecord(), window.settings());
    }
};

QTEST_MAIN(TestTessaview)
#include "tst_tessaview.moc"
