#include "app/tessaview.h"
#include "buildinfo.h"
#include "engine/screenengine.h"
#include "rdm/configurator.h"
#include "settings/desktop.h"
#include "settings/settingsstore.h"
#include "testsettingsstore.h"

#include <QtTest>

#include <QAction>
#include <QMenu>

namespace {

QSettings rawStore() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromLatin1(BuildInfo::makerWeb), QStringLiteral("Tessaview"));
}

// A small ordinary window that repaints rarely, so the tests spend no time painting.
SettingsRecord smallWindow() {
    SettingsRecord record;
    record.ScreenNumber = ScreenChoice::UserSize;
    record.PosX = 10;
    record.PosY = 10;
    record.SizeX = 160;
    record.SizeY = 120;
    record.TimerInMs = 1000;
    return record;
}

QAction *actionByText(const Tessaview &window, const QString &text) {
    for (QAction *action : window.actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

QStringList texts(const QList<QAction *> &actions) {
    QStringList result;
    for (const QAction *action : actions)
        result << (action->isSeparator() ? QStringLiteral("---") : action->text());
    return result;
}

QStringList checkedSelfTests(const Tessaview &window) {
    QStringList result;
    for (QAction *action : window.actions()) {
        if (action->isCheckable() && action->isChecked() &&
            (action->text().startsWith("Self Test") || action->text() == "Test All"))
            result << action->text();
    }
    return result;
}

QStringList checkedPresets(const Tessaview &window) {
    QStringList result;
    for (QAction *action : window.actions()) {
        if (action->isChecked() && action->text().startsWith("Preset "))
            result << action->text();
    }
    return result;
}

} // namespace

class TestTessaviewMenu : public QObject {
    Q_OBJECT
    std::unique_ptr<TemporarySettingsStore> m_store;

    // Shortcuts reach only the active window.
    std::unique_ptr<Tessaview> activeWindow(const QStringList &arguments = {"tessaview"}) {
        auto window = std::make_unique<Tessaview>(arguments);
        window->show();
        QApplication::setActiveWindow(window.get());
        if (!QTest::qWaitForWindowActive(window.get()))
            return nullptr;
        return window;
    }

private slots:
    void init() { m_store = std::make_unique<TemporarySettingsStore>(); }
    void cleanup() { m_store.reset(); }

    void actionsOnTheWindowInTheirOrder() {
        Tessaview window({"tessaview"});
        const QList<QAction *> actions = window.actions();
        QCOMPARE(actions.size(), 43);
        // Text, key and status tip of every action in the order they sit on the window: the
        // status switch comes before the on-top and full-screen switches.
        const QList<std::tuple<QString, QKeySequence, QString>> expected{
            {"Settings...", Qt::Key_S, "opens the settings window"},
            {"Preset Next", Qt::Key_P, "load next preset settings"},
            {"Preset Current", Qt::Key_0, "load current settings"},
            {"Preset 1", Qt::Key_1, "Load Preset 1"},
            {"Preset 2", Qt::Key_2, "Load Preset 2"},
            {"Preset 3", Qt::Key_3, "Load Preset 3"},
            {"Preset 4", Qt::Key_4, "Load Preset 4"},
            {"Preset 5", Qt::Key_5, "Load Preset 5"},
            {"Preset 6", Qt::Key_6, "Load Preset 6"},
            {"Preset 7", Qt::Key_7, "Load Preset 7"},
            {"Preset 8", Qt::Key_8, "Load Preset 8"},
            {"Preset 9", Qt::Key_9, "Load Preset 9"},
            {"Reset Settings", Qt::Key_R, "restores the default settings"},
            {"Freeze", Qt::Key_Space, "freeze the screen"},
            {"Show Status Information", Qt::Key_V, "shows/hide the status on the screen"},
            {"Show Diagnostics", Qt::Key_D, "marks silent and shared universes on the screen"},
            {"Inspect Cells", Qt::Key_C,
             "shows universe, channels, values and sources of the cell under the pointer"},
            {"Channel Scope", Qt::Key_G, "plots chosen channels packet by packet"},
            {"Window always on top", Qt::Key_O, "set/unset window always on top"},
            {"Fullscreen", Qt::Key_F, "set/unset window fullscreen"},
            {"Self Test Next", Qt::Key_T, "start next self test"},
            {"Self Test Off", Qt::SHIFT | Qt::Key_0, "Self Test 0"},
            {"Self Test Fill Snake", Qt::SHIFT | Qt::Key_1, "Self Test 1"},
            {"Self Test Color On/Off with R, G, B, W", Qt::SHIFT | Qt::Key_2, "Self Test 2"},
            {"Self Test Unfill Snake", Qt::SHIFT | Qt::Key_3, "Self Test 3"},
            {"Self Test Fille Random", Qt::SHIFT | Qt::Key_4, "Self Test 4"},
            {"Self Test Block Fill", Qt::SHIFT | Qt::Key_5, "Self Test 5"},
            {"Test All", Qt::SHIFT | Qt::Key_9, "Self Test All"},
            {"Information", Qt::Key_I, "view live information"},
            {"Network Findings", Qt::Key_H, "what each source on the network does wrong"},
            {"Save as Bitmap...", Qt::Key_B, "saves the screen to a bitmap file"},
            {"Check for Updates", Qt::Key_U,
             "checks if a newer software version is available online"},
            {"Dmx Size X +", Qt::Key_X, "increment the dmx size in X"},
            {"Dmx Size X -", Qt::SHIFT | Qt::Key_X, "decrement the dmx size in X"},
            {"Dmx Size Y +", Qt::Key_Y, "increment the dmx size in Y"},
            {"Dmx Size Y -", Qt::SHIFT | Qt::Key_Y, "decrement the dmx size in Y"},
            {"Help...", Qt::Key_F1, "opens the Help"},
            {"About Tessaview...", Qt::Key_A, "opens the About window"},
            {"About Qt...", QKeySequence(), "opens the About Qt window"},
            {"Quit", Qt::Key_Q, ""},
            {"Quit", Qt::Key_Escape, ""},
            {"Record Network...", Qt::Key_W, "records what arrives"},
            {"Replay Capture...", Qt::Key_L, "shows a recorded capture"},
        };
        for (int i = 0; i < int(expected.size()); ++i) {
            const auto &[text, key, tip] = expected[i];
            QCOMPARE(actions[i]->text(), text);
            QCOMPARE(actions[i]->shortcut(), key);
            // The bitmap tip carries the picture folder, which differs between machines.
            QVERIFY2(tip.isEmpty() ? actions[i]->statusTip().isEmpty()
                                   : actions[i]->statusTip().startsWith(tip),
                     qPrintable(text));
            QCOMPARE(actions[i]->shortcutContext(), Qt::WindowShortcut);
        }
        QVERIFY(actions[30]->statusTip().endsWith("/Tessaview.bmp)"));
        QCOMPARE(actions[37]->toolTip(), QStringLiteral("opens the About window"));
        QCOMPARE(actions[38]->toolTip(), QStringLiteral("opens the About Qt window"));
        QCOMPARE(actions[39]->toolTip(), QStringLiteral("exits this software"));
        QCOMPARE(actions[40]->toolTip(), QStringLiteral("exits this software"));

        QStringList checkable;
        for (const QAction *action : actions) {
            if (action->isCheckable())
                checkable << action->text();
        }
        QCOMPARE(checkable.size(), 9 + 7 + 7);
    }

    void contextMenuTree() {
        Tessaview window({"tessaview"});
        QMenu *menu = window.contextMenu();
        QVERIFY(menu);
        QCOMPARE(texts(menu->actions()), (QStringList{"Settings...",
                                                      "Load Presets\tP",
                                                      "Reset Settings",
                                                      "Freeze",
                                                      "Window always on top",
                                                      "Show Status Information",
                                                      "Show Diagnostics",
                                                      "Inspect Cells",
                                                      "Channel Scope",
                                                      "Self Test\tT",
                                                      "Dmx Size\tX\tY",
                                                      "Information",
                                                      "Network Findings",
                                                      "Save as Bitmap...",
                                                      "Record Network...",
                                                      "Replay Capture...",
                                                      "---",
                                                      "Check for Updates",
                                                      "Help...",
                                                      "About Tessaview...",
                                                      "About Qt...",
                                                      "Quit"}));
        QCOMPARE(
            texts(menu->actions()[1]->menu()->actions()),
            (QStringList{"Preset Next", "Preset Current", "Preset 1", "Preset 2", "Preset 3",
                         "Preset 4", "Preset 5", "Preset 6", "Preset 7", "Preset 8", "Preset 9"}));
        QCOMPARE(texts(menu->actions()[9]->menu()->actions()),
                 (QStringList{"Self Test Next", "Self Test Off", "Self Test Fill Snake",
                              "Self Test Color On/Off with R, G, B, W", "Self Test Unfill Snake",
                              "Self Test Fille Random", "Self Test Block Fill", "Test All"}));
        QCOMPARE(texts(menu->actions()[10]->menu()->actions()),
                 (QStringList{"Dmx Size X +", "Dmx Size X -", "Dmx Size Y +", "Dmx Size Y -"}));
        // The menu's Quit is the Q one; Escape and "Fullscreen" work only by their keys.
        QCOMPARE(menu->actions().last()->shortcut(), QKeySequence(Qt::Key_Q));
        QVERIFY(!menu->actions()[1]->menu()->icon().isNull());
    }

    void everyIconResourceLoads() {
        QStringList names{"preferences",    "editpaste",      "filenew",        "filerecent",
                          "reset",          "freeze",         "on_top",         "full_screen",
                          "selftest_next",  "selftest_all",   "helpInfo",       "filesaveas",
                          "check_update",   "dmx_size_x_inc", "dmx_size_x_dec", "dmx_size_y_inc",
                          "dmx_size_y_dec", "dmx_size_xy",    "helpHelp",       "quit",
                          "filereload"};
        for (int i = 0; i < 9; ++i)
            names << QStringLiteral("filerecent%1").arg(i);
        for (int i = 0; i < 6; ++i)
            names << QStringLiteral("selftest%1").arg(i);
        for (const QString &name : names) {
            const QImage image(QStringLiteral(":/images/%1.xpm").arg(name));
            QVERIFY2(!image.isNull(), qPrintable(name));
            QCOMPARE(image.size(), QSize(32, 32));
        }
        QVERIFY(!QImage(":/images/tessaview.png").isNull());
    }

    void selfTestNextWalksThroughTheTests() {
        SettingsStore::saveSettings(smallWindow(), SettingsStore::livePreset);
        auto window = activeWindow();
        QVERIFY(window);
        QCOMPARE(checkedSelfTests(*window), QStringList{"Self Test Off"});
        const QStringList names{"Self Test Off",
                                "Self Test Fill Snake",
                                "Self Test Color On/Off with R, G, B, W",
                                "Self Test Unfill Snake",
                                "Self Test Fille Random",
                                "Self Test Block Fill"};
        for (int expected : {1, 2, 3, 4, 5, 0}) {
            QTest::keyClick(window.get(), Qt::Key_T);
            QCOMPARE(window->selfTest(), quint8(expected));
            QCOMPARE(checkedSelfTests(*window), QStringList{names[expected]});
            QCOMPARE(window->configurator()->performSelfTest(), quint8(expected));
            QCOMPARE(rawStore().value("SelfTest").toInt(), expected);
        }
        QTest::keyClick(window.get(), Qt::Key_9, Qt::ShiftModifier);
        QCOMPARE(window->selfTest(), quint8(255));
        QCOMPARE(checkedSelfTests(*window), QStringList{"Test All"});
        QTest::keyClick(window.get(), Qt::Key_T);
        QCOMPARE(window->selfTest(), quint8(0));
        QCOMPARE(checkedSelfTests(*window), QStringList{"Self Test Off"});

        // Choosing the running test again keeps it running and keeps its mark.
        QTest::keyClick(window.get(), Qt::Key_2, Qt::ShiftModifier);
        QTest::keyClick(window.get(), Qt::Key_2, Qt::ShiftModifier);
        QCOMPARE(window->selfTest(), quint8(2));
        QCOMPARE(checkedSelfTests(*window), QStringList{names[2]});
    }

    void selfTestFromTheDeviceModel() {
        SettingsStore::saveSettings(smallWindow(), SettingsStore::livePreset);
        // A test stored by the last run is not started again.
        SettingsStore::saveSelfTest(3);
        Tessaview window({"tessaview"});
        QCOMPARE(window.selfTest(), quint8(0));
        QCOMPARE(checkedSelfTests(window), QStringList{"Self Test Off"});

        window.configurator()->slotSetPerformSelfTest(4);
        QCOMPARE(window.selfTest(), quint8(4));
        QCOMPARE(checkedSelfTests(window), QStringList{"Self Test Fille Random"});
        window.configurator()->slotSetPerformSelfTest(9);
        QCOMPARE(window.selfTest(), quint8(4));
        QCOMPARE(checkedSelfTests(window), QStringList{"Self Test Fille Random"});
        QCOMPARE(rawStore().value("SelfTest").toInt(), 4);
        window.configurator()->slotSetPerformSelfTest(255);
        QCOMPARE(window.selfTest(), quint8(255));
        QCOMPARE(checkedSelfTests(window), QStringList{"Test All"});
        // 6 has no entry but is a test of its own: no mark is set.
        window.configurator()->slotSetPerformSelfTest(6);
        QCOMPARE(window.selfTest(), quint8(6));
        QVERIFY(checkedSelfTests(window).isEmpty());
        // Every apply switches a running test off.
        window.slotSettingsChanged();
        QCOMPARE(window.selfTest(), quint8(0));
        QCOMPARE(window.configurator()->performSelfTest(), quint8(0));
    }

    void gridSizeKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("sizeX");
        QTest::addColumn<int>("sizeY");
        QTest::addColumn<int>("expectedX");
        QTest::addColumn<int>("expectedY");
        const int shift = int(Qt::ShiftModifier);
        QTest::newRow("X at 65535") << int(Qt::Key_X) << 0 << 65535 << 1 << 65535 << 1;
        QTest::newRow("Shift+X at 1") << int(Qt::Key_X) << shift << 1 << 1 << 1 << 1;
        QTest::newRow("Y at 65535") << int(Qt::Key_Y) << 0 << 1 << 65535 << 1 << 65535;
        QTest::newRow("Shift+Y at 1") << int(Qt::Key_Y) << shift << 1 << 1 << 1 << 1;
        QTest::newRow("X up") << int(Qt::Key_X) << 0 << 65534 << 1 << 65535 << 1;
        QTest::newRow("Shift+X down") << int(Qt::Key_X) << shift << 2 << 1 << 1 << 1;
        QTest::newRow("Y up") << int(Qt::Key_Y) << 0 << 1 << 7 << 1 << 8;
        QTest::newRow("Shift+Y down") << int(Qt::Key_Y) << shift << 1 << 7 << 1 << 6;
    }
    void gridSizeKeys() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, sizeX);
        QFETCH(int, sizeY);
        QFETCH(int, expectedX);
        QFETCH(int, expectedY);
        SettingsRecord live = smallWindow();
        live.DmxSizeX = quint16(sizeX);
        live.DmxSizeY = quint16(sizeY);
        live.TimerInMs = 60000;
        SettingsStore::saveSettings(live, SettingsStore::livePreset);
        auto window = activeWindow();
        QVERIFY(window);
        QTest::keyClick(window.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(window->settings().DmxSizeX, quint16(expectedX));
        QCOMPARE(window->settings().DmxSizeY, quint16(expectedY));
        // Applied at once, saved only by the next settings change.
        QCOMPARE(rawStore().value("DmxSizeX").toInt(), sizeX);
        QCOMPARE(rawStore().value("DmxSizeY").toInt(), sizeY);
    }

    void presetKeysAndMarks() {
        SettingsStore::saveSettings(smallWindow(), SettingsStore::livePreset);
        SettingsRecord preset = smallWindow();
        preset.DmxSizeX = 9;
        SettingsStore::saveSettings(preset, 9);
        preset.DmxSizeX = 5;
        SettingsStore::saveSettings(preset, 0);
        auto window = activeWindow();
        QVERIFY(window);
        QVERIFY(checkedPresets(*window).isEmpty());

        QTest::keyClick(window.get(), Qt::Key_9);
        QCOMPARE(window->currentPreset(), 9);
        QCOMPARE(window->settings().DmxSizeX, quint16(9));
        QCOMPARE(checkedPresets(*window), QStringList{"Preset 9"});
        // Choosing the loaded preset again changes nothing and keeps its mark.
        QTest::keyClick(window.get(), Qt::Key_9);
        QCOMPARE(checkedPresets(*window), QStringList{"Preset 9"});

        QTest::keyClick(window.get(), Qt::Key_P);
        QCOMPARE(window->currentPreset(), 0);
        QCOMPARE(window->settings().DmxSizeX, quint16(5));
        QVERIFY(checkedPresets(*window).isEmpty());
        QTest::keyClick(window.get(), Qt::Key_P);
        QCOMPARE(window->currentPreset(), 1);
        QCOMPARE(checkedPresets(*window), QStringList{"Preset 1"});
    }

    void deviceModelLoadsPresetsAndResets() {
        SettingsRecord live = smallWindow();
        live.DmxSizeX = 44;
        SettingsStore::saveSettings(live, SettingsStore::livePreset);
        SettingsRecord preset = smallWindow();
        preset.DmxSizeX = 3;
        SettingsStore::saveSettings(preset, 2);
        Tessaview window({"tessaview"});
        Configurator *model = window.configurator();

        // Personality 3 is preset 2.
        model->slotSetDmxPersonality(3);
        QCOMPARE(window.currentPreset(), 2);
        QCOMPARE(window.settings().DmxSizeX, quint16(3));
        QCOMPARE(checkedPresets(window), QStringList{"Preset 2"});

        // RDM's factory reset: one report, the window back at its defaults.
        QSignalSpy toDefault(model, &Configurator::signalChangedFactoryDefaults);
        model->slotSetFactoryDefaults();
        QCOMPARE(toDefault.count(), 1);
        QCOMPARE(window.settings().DmxSizeX, quint16(17));
        QVERIFY(!rawStore().contains("Preset02DmxSizeX"));
        QVERIFY(model->factoryDefaults());
    }

    void menuKeyOpensTheMenuAtTheOrigin() {
        SettingsStore::saveSettings(smallWindow(), SettingsStore::livePreset);
        auto window = activeWindow();
        QVERIFY(window);
        QCursor::setPos(300, 200);
        QList<QWidget *> popups;
        QList<QPoint> positions;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            if (QWidget *popup = QApplication::activePopupWidget()) {
                popups << popup;
                // The offscreen platform draws a frame around every window, popups too; the
                // frame's corner is where the menu was placed.
                positions << popup->windowHandle()->framePosition();
                popup->close();
            }
        });
        closer.start(100);
        // Through the window system's queue, as a real key press arrives: the menu opens once.
        QTest::keyClick(window->windowHandle(), Qt::Key_Menu);
        QTest::qWait(500);
        QCOMPARE(popups, QList<QWidget *>{window->contextMenu()});
        QCOMPARE(positions, QList<QPoint>{QPoint(0, 0)});
        QVERIFY(window->isVisible());
    }

    void quitKeysCloseTheWindow_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Q") << int(Qt::Key_Q);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }
    void quitKeysCloseTheWindow() {
        QFETCH(int, key);
        SettingsStore::saveSettings(smallWindow(), SettingsStore::livePreset);
        auto window = activeWindow();
        QVERIFY(window);
        // A key without an action does nothing.
        QTest::keyClick(window.get(), Qt::Key_K);
        QVERIFY(window->isVisible());
        QTest::keyClick(window.get(), Qt::Key(key));
        QVERIFY(!window->isVisible());
    }

    void fullScreenSwitch() {
        SettingsRecord live;
        setFactoryDefaults(live, desktopGeometry().size());
        live.TimerInMs = 1000;
        SettingsStore::saveSettings(live, SettingsStore::livePreset);
        auto window = activeWindow();
        QVERIFY(window);
        QAction *fullScreen = actionByText(*window, "Fullscreen");
        QVERIFY(fullScreen->isChecked());
        QVERIFY(window->isFullScreen());

        const QRect desktop = desktopGeometry();
        QTest::keyClick(window.get(), Qt::Key_F);
        QVERIFY(!fullScreen->isChecked());
        QCOMPARE(window->settings().ScreenNumber, qint16(-2));
        const QRect half(desktop.width() / 4, desktop.height() / 4, desktop.width() / 2,
                         desktop.height() / 2);
        QCOMPARE(QRect(window->settings().PosX, window->settings().PosY, window->settings().SizeX,
                       window->settings().SizeY),
                 half);
        QTRY_VERIFY(!window->isFullScreen());
        QTRY_COMPARE(window->geometry(), half);

        QTest::keyClick(window.get(), Qt::Key_F);
        QVERIFY(fullScreen->isChecked());
        QCOMPARE(window->settings().ScreenNumber, qint16(-1));
        QCOMPARE(QRect(window->settings().PosX, window->settings().PosY, window->settings().SizeX,
                       window->settings().SizeY),
                 QRect(QPoint(0, 0), desktop.size()));
        QTRY_VERIFY(window->isFullScreen());
        QTRY_COMPARE(window->geometry(), QRect(QPoint(0, 0), desktop.size()));
        // Settled: the debounced apply after the state change does not undo it.
        QTest::qWait(400);
        QVERIFY(window->isFullScreen());
        // The switch is not saved.
        QCOMPARE(rawStore().value("ScreenNumber").toInt(), -1);
        QCOMPARE(rawStore().value("SizeX").toInt(), live.SizeX);
    }

    void fullScreenMarkOnlyForTheWholeDesktop() {
        SettingsRecord live = smallWindow();
        live.ScreenNumber = 0;
        SettingsStore::saveSettings(live, SettingsStore::livePreset);
        Tessaview window({"tessaview"});
        QVERIFY(!actionByText(window, "Fullscreen")->isChecked());
        QVERIFY(window.windowState() & Qt::WindowFullScreen);
    }

    void stayOnTopFromTheCommandLineAndTheKey() {
        SettingsStore::saveSettings(smallWindow(), SettingsStore::livePreset);
        auto window = activeWindow({"tessaview", "-o"});
        QVERIFY(window);
        QAction *onTop = actionByText(*window, "Window always on top");
        QVERIFY(onTop->isChecked());
        QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);
        QTest::keyClick(window.get(), Qt::Key_O);
        QVERIFY(!onTop->isChecked());
        QVERIFY(!(window->windowFlags() & Qt::WindowStaysOnTopHint));
        // Changing the flags hides a window; the switch shows it again.
        QVERIFY(window->isVisible());
    }

    void statusSwitchFollowsAndStoresTheMark() {
        SettingsStore::saveSettings(smallWindow(), SettingsStore::livePreset);
        SettingsStore::saveStateEnable(true);
        auto window = activeWindow();
        QVERIFY(window);
        QAction *status = actionByText(*window, "Show Status Information");
        QVERIFY(status->isChecked());
        QVERIFY(window->engine()->isStatusVisible());
        QTest::keyClick(window.get(), Qt::Key_V);
        QVERIFY(!status->isChecked());
        QVERIFY(!window->engine()->isStatusVisible());
        QCOMPARE(rawStore().value("StateEnable").toInt(), 0);
        window->slotViewStatusToggle();
        QVERIFY(status->isChecked());
        QVERIFY(window->engine()->isStatusVisible());
        QCOMPARE(rawStore().value("StateEnable").toInt(), 1);
    }

    void diagnosticsSwitchTogglesStoresAndFollowsPresets() {
        SettingsRecord preset = smallWindow();
        SettingsStore::saveSettings(preset, 2);
        SettingsStore::saveSettings(smallWindow(), SettingsStore::livePreset);
        auto window = activeWindow();
        QVERIFY(window);
        QAction *diagnostics = actionByText(*window, "Show Diagnostics");
        QVERIFY(!diagnostics->isChecked());
        QTest::keyClick(window.get(), Qt::Key_D);
        QVERIFY(diagnostics->isChecked());
        QVERIFY(window->engine()->diagnosticMarksShown());
        QVERIFY(window->settings().DiagnosticMarks);
        // With the live keys, so the next start shows the marks.
        QCOMPARE(rawStore().value("DiagnosticMarks").toInt(), 1);

        // A preset stored without the marks switches them off, and the mark follows.
        window->slotSettingsPresetLoad(2);
        QVERIFY(!diagnostics->isChecked());
        QVERIFY(!window->settings().DiagnosticMarks);
        QTest::keyClick(window.get(), Qt::Key_D);
        QVERIFY(diagnostics->isChecked());
        QTest::keyClick(window.get(), Qt::Key_D);
        QVERIFY(!diagnostics->isChecked());
        QVERIFY(!window->engine()->diagnosticMarksShown());
        QCOMPARE(rawStore().value("DiagnosticMarks").toInt(), 0);
    }
};

QTEST_MAIN(TestTessaviewMenu)
#include "tst_tessaviewmenu.moc"
