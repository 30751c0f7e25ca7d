#pragma once

#include <QObject>

#include <array>
#include <memory>

class QAction;
class QMenu;
class QPoint;
class Tessaview;

// The window's 43 actions and its context menu. The actions sit on the window, so their
// shortcuts work without a menu bar, and call the window's slots; the preset and self-test
// actions each call the one slot with their number. The actions are children of this object,
// the submenus of the context menu.
class TessaviewActions : public QObject {
    Q_OBJECT

public:
    // `fullScreen` and `statusVisible` are the check marks the switches start with.
    TessaviewActions(Tessaview &window, bool fullScreen, bool statusVisible);
    ~TessaviewActions() override;

    QMenu *contextMenu() const { return m_contextMenu.get(); }
    void showContextMenu(const QPoint &globalPos);

    QAction *freeze() const { return m_freeze; }
    QAction *stayOnTop() const { return m_stayOnTop; }
    QAction *fullScreen() const { return m_fullScreen; }
    QAction *status() const { return m_status; }
    QAction *diagnostics() const { return m_diagnostics; }
    QAction *inspect() const { return m_inspect; }
    QAction *recordNetwork() const { return m_recordNetwork; }

    // Check marks that follow a loaded preset and the running self test.
    void markPreset(int preset);
    void markSelfTest(quint8 selfTest);

private:
    void createActions(Tessaview &window, bool fullScreen, bool statusVisible);
    void createContextMenu();
    void addActionsTo(Tessaview &window);

    QAction *m_settings = nullptr;
    QAction *m_presetNext = nullptr;
    QAction *m_presetCurrent = nullptr;
    std::array<QAction *, 9> m_preset{};
    QAction *m_reset = nullptr;
    QAction *m_freeze = nullptr;
    QAction *m_stayOnTop = nullptr;
    QAction *m_fullScreen = nullptr;
    QAction *m_status = nullptr;
    QAction *m_diagnostics = nullptr;
    QAction *m_inspect = nullptr;
    QAction *m_channelScope = nullptr;
    QAction *m_selfTestNext = nullptr;
    // Off, 1 ... 5 and "Test All" (255).
    std::array<QAction *, 7> m_selfTest{};
    QAction *m_info = nullptr;
    QAction *m_network = nullptr;
    QAction *m_saveBitmap = nullptr;
    QAction *m_recordNetwork = nullptr;
    QAction *m_replayCapture = nullptr;
    QAction *m_checkUpdate = nullptr;
    QAction *m_dmxSizeXInc = nullptr;
    QAction *m_dmxSizeXDec = nullptr;
    QAction *m_dmxSizeYInc = nullptr;
    QAction *m_dmxSizeYDec = nullptr;
    QAction *m_help = nullptr;
    QAction *m_about = nullptr;
    QAction *m_aboutQt = nullptr;
    QAction *m_quit = nullptr;
    QAction *m_quitEscape = nullptr;
    // A window of its own, so it takes no part of the window's black palette.
    std::unique_ptr<QMenu> m_contextMenu;
};
