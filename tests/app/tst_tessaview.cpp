#include "app/languageloader.h"
#include "app/tessaview.h"
#include "buildinfo.h"
#include "engine/screenengine.h"
#include "settings/desktop.h"
#include "settings/settingsstore.h"
#include "testsettingsstore.h"

#include <QtTest>

namespace {
QSettings rawStore() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromLatin1(BuildInfo::makerWeb), QStringLiteral("Tessaview"));
}
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
        QSignalSpy toDefault(&window, &Tessaview::signalSettingsToDefault);
        window.slotSettingsChangedToDefaultExtern();
        QCOMPARE(toDefault.count(), 1);
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
        window.resize(400, 250);
        window.resize(410, 260);
        QCOMPARE(window.settings().SizeX, quint16(410));
        QCOMPARE(window.settings().SizeY, quint16(260));
        QTest::qWait(400);
        QCOMPARE(window.size(), QSize(410, 260));
        // The new size is kept in memory only until the next settings change saves it.
        QCOMPARE(rawStore().value("SizeX").toInt(), 300);
    }
};

QTEST_MAIN(TestTessaview)
#include "tst_tessaview.moc"
