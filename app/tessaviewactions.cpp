// The window's actions, its context menu and the two event handlers that open the menu.
#include "app/picturefolder.h"
#include "app/tessaview.h"
#include "settings/settingsrecord.h"
#include "settings/settingsstore.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>

namespace {

QString image(const QString &name) {
    return QStringLiteral(":/images/%1").arg(name);
}

// Shortcuts stay in the default window-wide context, so they work wherever the focus is inside
// the window. A missing icon file gives an empty icon.
QAction *makeAction(QWidget *window, const QString &text, const QKeySequence &key,
                    const QString &statusTip, const QString &iconFile) {
    auto *action = new QAction(text, window);
    action->setShortcut(key);
    action->setStatusTip(statusTip);
    if (!iconFile.isEmpty())
        action->setIcon(QIcon(image(iconFile)));
    return action;
}

QAction *makeCheckable(QWidget *window, const QString &text, const QKeySequence &key,
                       const QString &statusTip, const QString &iconFile, bool checked) {
    QAction *action = makeAction(window, text, key, statusTip, iconFile);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

} // namespace

void Tessaview::createActions() {
    m_pActionSettings = makeAction(this, tr("Settings..."), Qt::Key_S,
                                   tr("opens the settings window"), "preferences.xpm");
    connect(m_pActionSettings, &QAction::triggered, this, &Tessaview::slotSettingsOpen);

    m_pActionPresetNext = makeAction(this, tr("Preset Next"), Qt::Key_P,
                                     tr("load next preset settings"), "editpaste.xpm");
    connect(m_pActionPresetNext, &QAction::triggered, this, &Tessaview::slotSettingsPresetNext);
    m_pActionPresetCurrent = makeAction(this, tr("Preset Current"), Qt::Key_0,
                                        tr("load current settings"), "filenew.xpm");
    connect(m_pActionPresetCurrent, &QAction::triggered, this,
            [this] { slotSettingsPresetLoad(0); });

    for (int index = 0; index < 9; ++index) {
        const int preset = index + 1;
        m_pActionPreset[index] = makeCheckable(
            this, tr("Preset %1").arg(preset), QKeySequence(Qt::Key_0 + preset),
            tr("Load Preset %1").arg(preset), QStringLiteral("filerecent%1.xpm").arg(index), false);
        connect(m_pActionPreset[index], &QAction::triggered, this,
                [this, preset] { slotSettingsPresetLoad(preset); });
    }

    m_pActionReset = makeAction(this, tr("Reset Settings"), Qt::Key_R,
                                tr("restores the default settings"), "reset.xpm");
    connect(m_pActionReset, &QAction::triggered, this,
            &Tessaview::slotSettingsChangedToDefaultExtern);

    m_pActionFreeze = makeCheckable(this, tr("Freeze"), Qt::Key_Space, tr("freeze the screen"),
                                    "freeze.xpm", false);
    connect(m_pActionFreeze, &QAction::triggered, this, &Tessaview::slotFreeze);

    m_pActionStayOnTop = makeCheckable(this, tr("Window always on top"), Qt::Key_O,
                                       tr("set/unset window always on top"), "on_top.xpm", false);
    connect(m_pActionStayOnTop, &QAction::triggered, this, &Tessaview::slotStayOnTop);

    m_pActionFullScreen =
        makeCheckable(this, tr("Fullscreen"), Qt::Key_F, tr("set/unset window fullscreen"),
                      "full_screen.xpm", m_pSettings.ScreenNumber == ScreenChoice::Desktop);
    connect(m_pActionFullScreen, &QAction::triggered, this, &Tessaview::slotFullScreen);

    m_pActionStatus = makeCheckable(this, tr("Show Status Information"), Qt::Key_V,
                                    tr("shows/hide the status on the screen"), QString(),
                                    SettingsStore::loadStateEnable());
    connect(m_pActionStatus, &QAction::triggered, this, &Tessaview::slotViewStatus);

    m_pActionSelfTestNext = makeAction(this, tr("Self Test Next"), Qt::Key_T,
                                       tr("start next self test"), "selftest_next.xpm");
    connect(m_pActionSelfTestNext, &QAction::triggered, this, &Tessaview::slotViewSelfTestNext);

    const std::array<QString, 6> selfTestTexts{tr("Self Test Off"),
                                               tr("Self Test Fill Snake"),
                                               tr("Self Test Color On/Off with R, G, B, W"),
                                               tr("Self Test Unfill Snake"),
                                               tr("Self Test Fille Random"),
                                               tr("Self Test Block Fill")};
    for (int index = 0; index < 6; ++index) {
        m_pActionSelfTest[index] = makeCheckable(
            this, selfTestTexts[index], QKeySequence(Qt::SHIFT | (Qt::Key_0 + index)),
            tr("Self Test %1").arg(index), QStringLiteral("selftest%1.xpm").arg(index), false);
    }
    m_pActionSelfTest[6] = makeCheckable(this, tr("Test All"), QKeySequence(Qt::SHIFT | Qt::Key_9),
                                         tr("Self Test All"), "selftest_all.xpm", false);
    for (int index = 0; index < 7; ++index) {
        const auto number = quint8(index < 6 ? index : 255);
        connect(m_pActionSelfTest[index], &QAction::triggered, this,
                [this, number] { slotViewSelfTest(number); });
    }
    // No self test runs at start-up, whatever was stored under "SelfTest": a test pattern would
    // hide the live data the operator expects to see, and the first apply switches any test off
    // anyway. The marks show what is on screen, so "Self Test Off" starts checked.
    markSelfTest(m_uiSelfTest);

    m_pActionInfo =
        makeAction(this, tr("Information"), Qt::Key_I, tr("view live information"), "helpInfo.xpm");
    connect(m_pActionInfo, &QAction::triggered, this, &Tessaview::slotViewInfoPreset);
    m_pActionSaveBitmap = makeAction(this, tr("Save as Bitmap..."), Qt::Key_B,
                                     tr("saves the screen to a bitmap file (%1/%2.bmp)")
                                         .arg(pictureFolder(), QStringLiteral("Tessaview")),
                                     "filesaveas.xpm");
    connect(m_pActionSaveBitmap, &QAction::triggered, this,
            &Tessaview::slotSaveScreenToBitmapByUser);
    m_pActionCheckUpdate = makeAction(this, tr("Check for Updates"), Qt::Key_U,
                                      tr("checks if a newer software version is available online"),
                                      "check_update.xpm");
    // The operator's check reports every result; triggered(bool) must not reach the overload
    // that takes a flag.
    connect(m_pActionCheckUpdate, &QAction::triggered, this,
            qOverload<>(&Tessaview::slotCheckForSoftwareUpdate));

    m_pActionDmxSizeXInc = makeAction(this, tr("Dmx Size X +"), Qt::Key_X,
                                      tr("increment the dmx size in X"), "dmx_size_x_inc.xpm");
    connect(m_pActionDmxSizeXInc, &QAction::triggered, this, &Tessaview::slotDmxSizeX_Inc);
    m_pActionDmxSizeXDec = makeAction(this, tr("Dmx Size X -"), QKeySequence(Qt::SHIFT | Qt::Key_X),
                                      tr("decrement the dmx size in X"), "dmx_size_x_dec.xpm");
    connect(m_pActionDmxSizeXDec, &QAction::triggered, this, &Tessaview::slotDmxSizeX_Dec);
    m_pActionDmxSizeYInc = makeAction(this, tr("Dmx Size Y +"), Qt::Key_Y,
                                      tr("increment the dmx size in Y"), "dmx_size_y_inc.xpm");
    connect(m_pActionDmxSizeYInc, &QAction::triggered, this, &Tessaview::slotDmxSizeY_Inc);
    m_pActionDmxSizeYDec = makeAction(this, tr("Dmx Size Y -"), QKeySequence(Qt::SHIFT | Qt::Key_Y),
                                      tr("decrement the dmx size in Y"), "dmx_size_y_dec.xpm");
    connect(m_pActionDmxSizeYDec, &QAction::triggered, this, &Tessaview::slotDmxSizeY_Dec);

    m_pActionHelp =
        makeAction(this, tr("Help..."), Qt::Key_F1, tr("opens the Help"), "helpHelp.xpm");
    connect(m_pActionHelp, &QAction::triggered, this, &Tessaview::slotHelp);

    m_pActionAbout = makeAction(this, tr("About %1...").arg(QStringLiteral("Tessaview")), Qt::Key_A,
                                tr("opens the About window"), "tessaview.png");
    m_pActionAbout->setToolTip(m_pActionAbout->statusTip());
    connect(m_pActionAbout, &QAction::triggered, this, &Tessaview::slotAbout);

    m_pActionAboutQt = makeAction(this, tr("About Qt..."), QKeySequence(),
                                  tr("opens the About Qt window"), QString());
    m_pActionAboutQt->setToolTip(m_pActionAboutQt->statusTip());
    connect(m_pActionAboutQt, &QAction::triggered, this, &QApplication::aboutQt);

    m_pActionQuit = makeAction(this, tr("Quit"), Qt::Key_Q, QString(), "quit.xpm");
    m_pActionQuit->setToolTip(tr("exits this software"));
    connect(m_pActionQuit, &QAction::triggered, this, &QWidget::close);
    m_pActionQuitEscape = makeAction(this, tr("Quit"), Qt::Key_Escape, QString(), "quit.xpm");
    m_pActionQuitEscape->setToolTip(tr("exits this software"));
    connect(m_pActionQuitEscape, &QAction::triggered, this, &QWidget::close);
}

void Tessaview::createContextMenu() {
    m_pContextMenu = new QMenu(this);
    m_pContextMenu->addAction(m_pActionSettings);

    m_pMenuPresets = m_pContextMenu->addMenu(QIcon(image("filerecent.xpm")), tr("Load Presets\tP"));
    m_pMenuPresets->addAction(m_pActionPresetNext);
    m_pMenuPresets->addAction(m_pActionPresetCurrent);
    for (QAction *action : m_pActionPreset)
        m_pMenuPresets->addAction(action);

    m_pContextMenu->addAction(m_pActionReset);
    m_pContextMenu->addAction(m_pActionFreeze);
    m_pContextMenu->addAction(m_pActionStayOnTop);
    m_pContextMenu->addAction(m_pActionStatus);

    m_pMenuSelfTest =
        m_pContextMenu->addMenu(QIcon(image("selftest_next.xpm")), tr("Self Test\tT"));
    m_pMenuSelfTest->addAction(m_pActionSelfTestNext);
    for (QAction *action : m_pActionSelfTest)
        m_pMenuSelfTest->addAction(action);

    m_pMenuDmxSize = m_pContextMenu->addMenu(QIcon(image("dmx_size_xy.xpm")), tr("Dmx Size\tX\tY"));
    m_pMenuDmxSize->addAction(m_pActionDmxSizeXInc);
    m_pMenuDmxSize->addAction(m_pActionDmxSizeXDec);
    m_pMenuDmxSize->addAction(m_pActionDmxSizeYInc);
    m_pMenuDmxSize->addAction(m_pActionDmxSizeYDec);

    m_pContextMenu->addAction(m_pActionInfo);
    m_pContextMenu->addAction(m_pActionSaveBitmap);
    m_pContextMenu->addSeparator();
    m_pContextMenu->addAction(m_pActionCheckUpdate);
    m_pContextMenu->addAction(m_pActionHelp);
    m_pContextMenu->addAction(m_pActionAbout);
    m_pContextMenu->addAction(m_pActionAboutQt);
    m_pContextMenu->addAction(m_pActionQuit);
}

void Tessaview::addActionsToWindow() {
    // The window has no menu bar: the shortcuts work because every action sits on the window.
    // "Show Status Information" comes before the on-top and full-screen switches here.
    addAction(m_pActionSettings);
    addAction(m_pActionPresetNext);
    addAction(m_pActionPresetCurrent);
    for (QAction *action : m_pActionPreset)
        addAction(action);
    addAction(m_pActionReset);
    addAction(m_pActionFreeze);
    addAction(m_pActionStatus);
    addAction(m_pActionStayOnTop);
    addAction(m_pActionFullScreen);
    addAction(m_pActionSelfTestNext);
    for (QAction *action : m_pActionSelfTest)
        addAction(action);
    addAction(m_pActionInfo);
    addAction(m_pActionSaveBitmap);
    addAction(m_pActionCheckUpdate);
    addAction(m_pActionDmxSizeXInc);
    addAction(m_pActionDmxSizeXDec);
    addAction(m_pActionDmxSizeYInc);
    addAction(m_pActionDmxSizeYDec);
    addAction(m_pActionHelp);
    addAction(m_pActionAbout);
    addAction(m_pActionAboutQt);
    addAction(m_pActionQuit);
    addAction(m_pActionQuitEscape);
}

QList<QAction *> Tessaview::allActions() const {
    QList<QAction *> actions{m_pActionSettings, m_pActionPresetNext, m_pActionPresetCurrent};
    actions.append(QList<QAction *>(m_pActionPreset.begin(), m_pActionPreset.end()));
    actions.append({m_pActionReset, m_pActionFreeze, m_pActionStayOnTop, m_pActionFullScreen,
                    m_pActionStatus, m_pActionSelfTestNext});
    actions.append(QList<QAction *>(m_pActionSelfTest.begin(), m_pActionSelfTest.end()));
    actions.append({m_pActionInfo, m_pActionSaveBitmap, m_pActionCheckUpdate, m_pActionDmxSizeXInc,
                    m_pActionDmxSizeXDec, m_pActionDmxSizeYInc, m_pActionDmxSizeYDec, m_pActionHelp,
                    m_pActionAbout, m_pActionAboutQt, m_pActionQuit, m_pActionQuitEscape});
    return actions;
}

void Tessaview::deleteMenuAndActions() {
    delete m_pMenuPresets;
    delete m_pMenuSelfTest;
    delete m_pMenuDmxSize;
    delete m_pContextMenu;
    m_pMenuPresets = m_pMenuSelfTest = m_pMenuDmxSize = m_pContextMenu = nullptr;

    for (QAction *action : allActions()) {
        if (!action)
            continue;
        action->disconnect();
        delete action;
    }
    m_pActionSettings = m_pActionPresetNext = m_pActionPresetCurrent = nullptr;
    m_pActionPreset.fill(nullptr);
    m_pActionReset = m_pActionFreeze = m_pActionStayOnTop = m_pActionFullScreen = nullptr;
    m_pActionStatus = m_pActionSelfTestNext = nullptr;
    m_pActionSelfTest.fill(nullptr);
    m_pActionInfo = m_pActionSaveBitmap = m_pActionCheckUpdate = nullptr;
    m_pActionDmxSizeXInc = m_pActionDmxSizeXDec = nullptr;
    m_pActionDmxSizeYInc = m_pActionDmxSizeYDec = nullptr;
    m_pActionHelp = m_pActionAbout = m_pActionAboutQt = nullptr;
    m_pActionQuit = m_pActionQuitEscape = nullptr;
}

void Tessaview::markPreset(int iPreset) {
    for (int index = 0; index < 9; ++index) {
        if (m_pActionPreset[index])
            m_pActionPreset[index]->setChecked(index + 1 == iPreset);
    }
}

void Tessaview::markSelfTest(quint8 uiSelfTestNumber) {
    for (int index = 0; index < 6; ++index) {
        if (m_pActionSelfTest[index])
            m_pActionSelfTest[index]->setChecked(index == uiSelfTestNumber);
    }
    if (m_pActionSelfTest[6])
        m_pActionSelfTest[6]->setChecked(uiSelfTestNumber == 255);
}

void Tessaview::contextMenuEvent(QContextMenuEvent *event) {
    if (m_pContextMenu)
        m_pContextMenu->exec(event->globalPos());
}

void Tessaview::keyPressEvent(QKeyEvent *event) {
    // The shortcuts have already had their turn; what arrives here is swallowed so no key
    // reaches a parent or the platform.
    event->accept();
    if (event->key() == Qt::Key_Menu && m_pContextMenu)
        m_pContextMenu->exec(QPoint(0, 0));
}
