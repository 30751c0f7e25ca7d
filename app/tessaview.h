#pragma once

#include "settings/settingsrecord.h"

#include "app/tessaviewdialogs.h"

#include <QDateTime>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>

class ChannelLog;
class Configurator;
class LanguageLoader;
class NetworkRecorder;
class ReplayFeed;
class ReplayWindow;
class PaintScheduler;
class QImage;
class QMenu;
class ScreenEngine;
class TessaviewActions;
class WidgetNative;
class WidgetOpenGL;

// The program's one window: owns the live settings, the device model, the display engine and
// the render widgets, and applies every settings change through ChangeRender. The actions and
// the context menu live in TessaviewActions, the dialogs in TessaviewDialogs; the window ties
// them to the engine and the device model and handles the keys.
class Tessaview : public QWidget {
    Q_OBJECT

public:
    explicit Tessaview(const QStringList &arguments);
    ~Tessaview() override;

    const SettingsRecord &settings() const { return m_settings; }
    int currentPreset() const { return m_iPreset; }
    quint32 powerCycleCount() const { return m_uiPowerCycle; }
    ScreenEngine *engine() const { return m_pEngine.get(); }
    Configurator *configurator() const { return m_pConfigurator.get(); }
    quint8 selfTest() const { return m_uiSelfTest; }
    QMenu *contextMenu() const;
    LanguageLoader *languageLoader() const { return m_pLanguage.get(); }
    TessaviewDialogs *dialogs() const { return m_pDialogs.get(); }
    Settings *settingsDialog() const { return m_pDialogs->settingsDialog(); }
    InfoDlg *infoDialog() const { return m_pDialogs->infoDialog(); }
    AboutInfo *aboutDialog() const { return m_pDialogs->aboutDialog(); }
    CheckSoftwareUpdate *updateCheck() const { return m_pDialogs->updateCheck(); }
    const QString &captureTemplate() const { return m_sCaptureTemplate; }
    // Opens the channel scope with `channels` added (the cell inspector's way in); false when
    // that would pass 16 channels, which the scope then says.
    bool addScopeChannels(const QList<WatchedChannel> &channels);
    // The log --log-channels started, or null.
    ChannelLog *channelLog() const { return m_pChannelLog.get(); }

public slots:
    void slotSettingsChanged();
    // The menu's and the settings dialog's factory reset: asks the device model, which owns
    // the reset as it owns RDM's.
    void slotSettingsChangedToDefaultExtern();
    void slotSettingsPresetLoad(int iPreset);
    void slotSettingsPresetNext();
    void slotChangeResize();
    void slotStayOnTop();
    void slotFullScreen();
    void slotFreeze();
    void slotViewStatus();
    void slotViewStatusToggle();
    void slotViewDiagnostics();
    void slotViewInspect();
    void slotChannelScope();
    void slotViewSelfTest(quint8 uiSelfTestNumber);
    void slotViewSelfTestNext();
    void slotDmxSizeX_Inc();
    void slotDmxSizeX_Dec();
    void slotDmxSizeY_Inc();
    void slotDmxSizeY_Dec();
    void slotHelp();
    void slotSettingsOpen();
    void slotViewInfoPreset();
    void slotViewInfoNetwork();
    void slotCheckForSoftwareUpdate();
    void slotCheckForSoftwareUpdate(bool GiveInfoForNoUpdates);
    void slotAbout();
    void slotSaveScreenToBitmapByUser();
    void slotSaveScreenToBitmapByRdm(quint16 uiSceneNumber);
    void slotSetLanguage(quint16 uiLanguage);
    // The "Record Network..." switch: records into a new capture file in the pictures folder.
    void slotRecordNetwork();
    void slotReplayCapture();

protected:
    // The operator's choice of a capture file: the platform's save dialog. Returns an empty
    // string when the operator cancels.
    virtual QString chooseCaptureFile(const QString &caption, const QString &proposedFile,
                                      const QString &filters);
    // The moment a capture is stamped with.
    virtual QDateTime captureTime() const;
    // The capture file to replay: the platform's open dialog; empty when cancelled.
    virtual QString chooseReplayFile();

    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void ChangeRender();
    void setFullScreen(bool on);
    void setStayOnTop(bool on, bool show);
    bool openGlUsable();
    void saveCapture(const QImage &picture, const QString &fileName) const;
    // What the device model reports, from the menu or from RDM: the settings back to their
    // defaults, a preset loaded, a self test shown.
    void applyFactoryDefaults();
    void loadPreset(int iPreset);
    void showSelfTest(quint8 uiSelfTestNumber);
    void startRecording(const QString &fileName);
    void stopRecording();
    void startReplay(const QString &fileName, bool loop);
    void stopReplay(const QString &message);
    // The recording and replay line of the status overlay.
    void showActivity();
    // Tells without holding up the picture: a message box that blocks nothing, and stderr.
    void tellOperator(const QString &message);

    // Destroyed in reverse order: the dialogs first, then the render widgets, the scheduler, the
    // replay, the engine (which still reaches the device model), the recorder, the device model
    // and the language.
    std::unique_ptr<LanguageLoader> m_pLanguage;
    SettingsRecord m_settings;
    quint32 m_uiPowerCycle = 0;
    QDateTime m_StartTime;
    int m_iPreset = 0;
    quint8 m_uiSelfTest = 0;
    bool m_bFirstApply = true;
    std::optional<bool> m_openGlAvailable;
    QString m_sCaptureTemplate;
    QString m_sUpdateLink;
    QString m_sHelpLink;
    QString m_sContactLink;
    // A child of the window.
    TessaviewActions *m_pActions = nullptr;
    std::unique_ptr<Configurator> m_pConfigurator;
    // Outlives the engine, whose retired receivers may still hand it datagrams.
    std::unique_ptr<NetworkRecorder> m_pRecorder;
    std::unique_ptr<ScreenEngine> m_pEngine;
    // Reads the engine's watch, so it goes before the engine.
    std::unique_ptr<ChannelLog> m_pChannelLog;
    // Ends before the engine it drives.
    std::unique_ptr<ReplayFeed> m_pReplay;
    std::unique_ptr<ReplayWindow> m_pReplayWindow;
    QTimer m_activityTimer;
    std::unique_ptr<PaintScheduler> m_pPainter;
    std::unique_ptr<WidgetNative> m_pWidgetNative;
    std::unique_ptr<WidgetOpenGL> m_pWidgetOpenGL;
    QTimer m_resizeTimer;
    std::unique_ptr<TessaviewDialogs> m_pDialogs;
};
