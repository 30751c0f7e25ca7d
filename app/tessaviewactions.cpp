#include "app/tessaviewactions.h"

#include "app/picturefolder.h"
#include "app/tessaview.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QMenu>

namespace {

QString image(const QString &name) {
    return QStringLiteral(":/images/%1").arg(name);
}

// Shortcuts stay in the default window-wide context, so they work wherever the focus is inside
// the window. A missing icon file gives an empty icon.
QAction *makeAction(QObject *owner, const QString &text, const QKeySequence &key,
                    const QString &statusTip, const QString &iconFile) {
    auto *action = new QAction(text, owner);
    action->setShortcut(key);
    action->setStatusTip(statusTip);
    if (!iconFile.isEmpty())
        action->setIcon(QIcon(image(iconFile)));
    return action;
}

QAction *makeCheckable(QObject *owner, const QString &text, const QKeySequence &key,
                       const QString &statusTip, const QString &iconFile, bool checked) {
    QAction *action = makeAction(owner, text, key, statusTip, iconFile);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

} // namespace

// The texts keep the window's translation context, which the translations were made for.

TessaviewActions::TessaviewActions(Tessaview &window, bool fullScreen, bool statusVisible)
    : QObject(&window) {
    createActions(window, fullScreen, statusVisible);
    createContextMenu();
    addActionsTo(window);
}

TessaviewActions::~TessaviewActions() = default;

void TessaviewActions::createActions(Tessaview &window, bool fullScreen, bool statusVisible) {
    m_settings = makeAction(this, Tessaview::tr("Settings..."), Qt::Key_S,
                            Tessaview::tr("opens the settings window"), "preferences.xpm");
    connect(m_settings, &QAction::triggered, &window, &Tessaview::slotSettingsOpen);

    m_presetNext = makeAction(this, Tessaview::tr("Preset Next"), Qt::Key_P,
                              Tessaview::tr("load next preset settings"), "editpaste.xpm");
    connect(m_presetNext, &QAction::triggered, &window, &Tessaview::slotSettingsPresetNext);
    m_presetCurrent = makeAction(this, Tessaview::tr("Preset Current"), Qt::Key_0,
                                 Tessaview::tr("load current settings"), "filenew.xpm");
    connect(m_presetCurrent, &QAction::triggered, &window,
            [&window] { window.slotSettingsPresetLoad(0); });

    for (int index = 0; index < 9; ++index) {
        const int preset = index + 1;
        m_preset[index] = makeCheckable(this, Tessaview::tr("Preset %1").arg(preset),
                                        QKeySequence(Qt::Key_0 + preset),
                                        Tessaview::tr("Load Preset %1").arg(preset),
                                        QStringLiteral("filerecent%1.xpm").arg(index), false);
        connect(m_preset[index], &QAction::triggered, &window,
                [&window, preset] { window.slotSettingsPresetLoad(preset); });
    }

    m_reset = makeAction(this, Tessaview::tr("Reset Settings"), Qt::Key_R,
                         Tessaview::tr("restores the default settings"), "reset.xpm");
    connect(m_reset, &QAction::triggered, &window, &Tessaview::slotSettingsChangedToDefaultExtern);

    m_freeze = makeCheckable(this, Tessaview::tr("Freeze"), Qt::Key_Space,
                             Tessaview::tr("freeze the screen"), "freeze.xpm", false);
    connect(m_freeze, &QAction::triggered, &window, &Tessaview::slotFreeze);

    m_stayOnTop =
        makeCheckable(this, Tessaview::tr("Window always on top"), Qt::Key_O,
                      Tessaview::tr("set/unset window always on top"), "on_top.xpm", false);
    connect(m_stayOnTop, &QAction::triggered, &window, &Tessaview::slotStayOnTop);

    m_fullScreen =
        makeCheckable(this, Tessaview::tr("Fullscreen"), Qt::Key_F,
                      Tessaview::tr("set/unset window fullscreen"), "full_screen.xpm", fullScreen);
    connect(m_fullScreen, &QAction::triggered, &window, &Tessaview::slotFullScreen);

    m_status = makeCheckable(this, Tessaview::tr("Show Status Information"), Qt::Key_V,
                             Tessaview::tr("shows/hide the status on the screen"), QString(),
                             statusVisible);
    connect(m_status, &QAction::triggered, &window, &Tessaview::slotViewStatus);

    // Checked by the window from the settings in effect, which a preset may change.
    m_diagnostics = makeCheckable(this, Tessaview::tr("Show Diagnostics"), Qt::Key_D,
                                  Tessaview::tr("marks silent and shared universes on the screen"),
                                  QString(), false);
    connect(m_diagnostics, &QAction::triggered, &window, &Tessaview::slotViewDiagnostics);

    m_inspect = makeCheckable(this, Tessaview::tr("Inspect Cells"), Qt::Key_C,
                              Tessaview::tr("shows universe, channels, values and sources of the "
                                            "cell under the pointer"),
                              QString(), false);
    connect(m_inspect, &QAction::triggered, &window, &Tessaview::slotViewInspect);
    m_channelScope = makeAction(this, Tessaview::tr("Channel Scope"), Qt::Key_G,
                                Tessaview::tr("plots chosen channels packet by packet"), QString());
    connect(m_channelScope, &QAction::triggered, &window, &Tessaview::slotChannelScope);
    m_recordNetwork = makeCheckable(
        this, Tessaview::tr("Record Network..."), Qt::Key_W,
        Tessaview::tr("records what arrives on the Art-Net and sACN ports into a capture file in "
                      "the pictures folder"),
        QString(), false);
    connect(m_recordNetwork, &QAction::triggered, &window, &Tessaview::slotRecordNetwork);
    m_replayCapture =
        makeAction(this, Tessaview::tr("Replay Capture..."), Qt::Key_L,
                   Tessaview::tr("shows a recorded capture instead of the network"), QString());
    connect(m_replayCapture, &QAction::triggered, &window, &Tessaview::slotReplayCapture);

    m_selfTestNext = makeAction(this, Tessaview::tr("Self Test Next"), Qt::Key_T,
                                Tessaview::tr("start next self test"), "selftest_next.xpm");
    connect(m_selfTestNext, &QAction::triggered, &window, &Tessaview::slotViewSelfTestNext);

    const std::array<QString, 6> selfTestTexts{
        Tessaview::tr("Self Test Off"),
        Tessaview::tr("Self Test Fill Snake"),
        Tessaview::tr("Self Test Color On/Off with R, G, B, W"),
        Tessaview::tr("Self Test Unfill Snake"),
        Tessaview::tr("Self Test Fille Random"),
        Tessaview::tr("Self Test Block Fill")};
    for (int index = 0; index < 6; ++index) {
        m_selfTest[index] =
            makeCheckable(this, selfTestTexts[index], QKeySequence(Qt::SHIFT | (Qt::Key_0 + index)),
                          Tessaview::tr("Self Test %1").arg(index),
                          QStringLiteral("selftest%1.xpm").arg(index), false);
    }
    m_selfTest[6] =
        makeCheckable(this, Tessaview::tr("Test All"), QKeySequence(Qt::SHIFT | Qt::Key_9),
                      Tessaview::tr("Self Test All"), "selftest_all.xpm", false);
    for (int index = 0; index < 7; ++index) {
        const auto number = quint8(index < 6 ? index : 255);
        connect(m_selfTest[index], &QAction::triggered, &window,
                [&window, number] { window.slotViewSelfTest(number); });
    }
    // No self test runs at start-up, whatever was stored under "SelfTest": a test pattern would
    // hide the live data the operator expects to see, and the first apply switches any test off
    // anyway. The marks show what is on screen, so "Self Test Off" starts checked.
    markSelfTest(0);

    m_info = makeAction(this, Tessaview::tr("Information"), Qt::Key_I,
                        Tessaview::tr("view live information"), "helpInfo.xpm");
    connect(m_info, &QAction::triggered, &window, &Tessaview::slotViewInfoPreset);
    m_network =
        makeAction(this, Tessaview::tr("Network Findings"), Qt::Key_H,
                   Tessaview::tr("what each source on the network does wrong"), "helpInfo.xpm");
    connect(m_network, &QAction::triggered, &window, &Tessaview::slotViewInfoNetwork);
    m_saveBitmap = makeAction(this, Tessaview::tr("Save as Bitmap..."), Qt::Key_B,
                              Tessaview::tr("saves the screen to a bitmap file (%1/%2.bmp)")
                                  .arg(pictureFolder(), QStringLiteral("Tessaview")),
                              "filesaveas.xpm");
    connect(m_saveBitmap, &QAction::triggered, &window, &Tessaview::slotSaveScreenToBitmapByUser);
    m_checkUpdate =
        makeAction(this, Tessaview::tr("Check for Updates"), Qt::Key_U,
                   Tessaview::tr("checks if a newer software version is available online"),
                   "check_update.xpm");
    // The operator's check reports every result; triggered(bool) must not reach the overload
    // that takes a flag.
    connect(m_checkUpdate, &QAction::triggered, &window,
            qOverload<>(&Tessaview::slotCheckForSoftwareUpdate));

    m_dmxSizeXInc = makeAction(this, Tessaview::tr("Dmx Size X +"), Qt::Key_X,
                               Tessaview::tr("increment the dmx size in X"), "dmx_size_x_inc.xpm");
    connect(m_dmxSizeXInc, &QAction::triggered, &window, &Tessaview::slotDmxSizeX_Inc);
    m_dmxSizeXDec =
        makeAction(this, Tessaview::tr("Dmx Size X -"), QKeySequence(Qt::SHIFT | Qt::Key_X),
                   Tessaview::tr("decrement the dmx size in X"), "dmx_size_x_dec.xpm");
    connect(m_dmxSizeXDec, &QAction::triggered, &window, &Tessaview::slotDmxSizeX_Dec);
    m_dmxSizeYInc = makeAction(this, Tessaview::tr("Dmx Size Y +"), Qt::Key_Y,
                               Tessaview::tr("increment the dmx size in Y"), "dmx_size_y_inc.xpm");
    connect(m_dmxSizeYInc, &QAction::triggered, &window, &Tessaview::slotDmxSizeY_Inc);
    m_dmxSizeYDec =
        makeAction(this, Tessaview::tr("Dmx Size Y -"), QKeySequence(Qt::SHIFT | Qt::Key_Y),
                   Tessaview::tr("decrement the dmx size in Y"), "dmx_size_y_dec.xpm");
    connect(m_dmxSizeYDec, &QAction::triggered, &window, &Tessaview::slotDmxSizeY_Dec);

    m_help = makeAction(this, Tessaview::tr("Help..."), Qt::Key_F1, Tessaview::tr("opens the Help"),
                        "helpHelp.xpm");
    connect(m_help, &QAction::triggered, &window, &Tessaview::slotHelp);

    m_about = makeAction(this, Tessaview::tr("About %1...").arg(QStringLiteral("Tessaview")),
                         Qt::Key_A, Tessaview::tr("opens the About window"), "tessaview.png");
    m_about->setToolTip(m_about->statusTip());
    connect(m_about, &QAction::triggered, &window, &Tessaview::slotAbout);

    m_aboutQt = makeAction(this, Tessaview::tr("About Qt..."), QKeySequence(),
                           Tessaview::tr("opens the About Qt window"), QString());
    m_aboutQt->setToolTip(m_aboutQt->statusTip());
    connect(m_aboutQt, &QAction::triggered, qApp, &QApplication::aboutQt);

    m_quit = makeAction(this, Tessaview::tr("Quit"), Qt::Key_Q, QString(), "quit.xpm");
    m_quit->setToolTip(Tessaview::tr("exits this software"));
    connect(m_quit, &QAction::triggered, &window, &QWidget::close);
    m_quitEscape = makeAction(this, Tessaview::tr("Quit"), Qt::Key_Escape, QString(), "quit.xpm");
    m_quitEscape->setToolTip(Tessaview::tr("exits this software"));
    connect(m_quitEscape, &QAction::triggered, &window, &QWidget::close);
}

void TessaviewActions::createContextMenu() {
    m_contextMenu = std::make_unique<QMenu>();
    QMenu *menu = m_contextMenu.get();
    menu->addAction(m_settings);

    QMenu *presets =
        menu->addMenu(QIcon(image("filerecent.xpm")), Tessaview::tr("Load Presets\tP"));
    presets->addAction(m_presetNext);
    presets->addAction(m_presetCurrent);
    for (QAction *action : m_preset)
        presets->addAction(action);

    menu->addAction(m_reset);
    menu->addAction(m_freeze);
    menu->addAction(m_stayOnTop);
    menu->addAction(m_status);
    menu->addAction(m_diagnostics);
    menu->addAction(m_inspect);
    menu->addAction(m_channelScope);

    QMenu *selfTests =
        menu->addMenu(QIcon(image("selftest_next.xpm")), Tessaview::tr("Self Test\tT"));
    selfTests->addAction(m_selfTestNext);
    for (QAction *action : m_selfTest)
        selfTests->addAction(action);

    QMenu *dmxSize =
        menu->addMenu(QIcon(image("dmx_size_xy.xpm")), Tessaview::tr("Dmx Size\tX\tY"));
    dmxSize->addAction(m_dmxSizeXInc);
    dmxSize->addAction(m_dmxSizeXDec);
    dmxSize->addAction(m_dmxSizeYInc);
    dmxSize->addAction(m_dmxSizeYDec);

    menu->addAction(m_info);
    menu->addAction(m_network);
    menu->addAction(m_saveBitmap);
    menu->addAction(m_recordNetwork);
    menu->addAction(m_replayCapture);
    menu->addSeparator();
    menu->addAction(m_checkUpdate);
    menu->addAction(m_help);
    menu->addAction(m_about);
    menu->addAction(m_aboutQt);
    menu->addAction(m_quit);
}

void TessaviewActions::addActionsTo(Tessaview &window) {
    // The window has no menu bar: the shortcuts work because every action sits on the window.
    // "Show Status Information" comes before the on-top and full-screen switches here.
    window.addAction(m_settings);
    window.addAction(m_presetNext);
    window.addAction(m_presetCurrent);
    for (QAction *action : m_preset)
        window.addAction(action);
    window.addAction(m_reset);
    window.addAction(m_freeze);
    window.addAction(m_status);
    window.addAction(m_diagnostics);
    window.addAction(m_inspect);
    window.addAction(m_channelScope);
    window.addAction(m_stayOnTop);
    window.addAction(m_fullScreen);
    window.addAction(m_selfTestNext);
    for (QAction *action : m_selfTest)
        window.addAction(action);
    window.addAction(m_info);
    window.addAction(m_network);
    window.addAction(m_saveBitmap);
    window.addAction(m_checkUpdate);
    window.addAction(m_dmxSizeXInc);
    window.addAction(m_dmxSizeXDec);
    window.addAction(m_dmxSizeYInc);
    window.addAction(m_dmxSizeYDec);
    window.addAction(m_help);
    window.addAction(m_about);
    window.addAction(m_aboutQt);
    window.addAction(m_quit);
    window.addAction(m_quitEscape);
    window.addAction(m_recordNetwork);
    window.addAction(m_replayCapture);
}

void TessaviewActions::markPreset(int preset) {
    for (int index = 0; index < 9; ++index)
        m_preset[index]->setChecked(index + 1 == preset);
}

void TessaviewActions::markSelfTest(quint8 selfTest) {
    for (int index = 0; index < 6; ++index)
        m_selfTest[index]->setChecked(index == selfTest);
    m_selfTest[6]->setChecked(selfTest == 255);
}

void TessaviewActions::showContextMenu(const QPoint &globalPos) {
    m_contextMenu->exec(globalPos);
}
