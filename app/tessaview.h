#pragma once

#include "settings/settingsrecord.h"

#include <QDateTime>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <array>
#include <optional>

class AboutInfo;
class CheckSoftwareUpdate;
class Configurator;
class InfoDlg;
class LanguageLoader;
class PaintScheduler;
class QAction;
class QImage;
class QMenu;
class QTimer;
class ScreenEngine;
class Settings;
class WidgetNative;
class WidgetOpenGL;

// The program's one window: owns the live settings, the device model, the display engine and
// the render widgets, and applies every settings change through ChangeRender.
class Tessaview : public QWidget {
    Q_OBJECT

public:
    explicit Tessaview(const QStringList &arguments);
    ~Tessaview() override;

    const SettingsRecord &settings() const { return m_pSettings; }
    int currentPreset() const { return m_iPreset; }
    quint32 powerCycleCount() const { return m_pPowerCycle; }
    ScreenEngine *engine() const { return m_pEngine; }
    Configurator *configurator() const { return m_pConfigurator; }
    quint8 selfTest() const { return m_uiSelfTest; }
    QMenu *contextMenu() const { return m_pContextMenu; }
    LanguageLoader *languageLoader() const { return m_pLanguage; }
    Settings *settingsDialog() const { return m_pSettingsDlg; }
    InfoDlg *infoDialog() const { return m_pInfoDlg; }
    AboutInfo *aboutDialog() const { return m_pAboutDlg; }
    CheckSoftwareUpdate *updateCheck() const { return m_pUpdateCheck; }
    const QString &captureTemplate() const { return m_sCaptureTemplate; }

signals:
    void signalSettingsToDefault();

public slots:
    void slotSettingsChanged();
    void slotSettingsChanged(bool bFactoryResetCycle);
    void slotSettingsChangedToDefaultExtern();
    void slotSettingsPresetLoad(int iPreset);
    void slotSettingsPresetNext();
    void slotChangeResize();
    void slotStayOnTop();
    void slotFullScreen();
    void slotFreeze();
    void slotFreezeToggle();
    void slotViewStatus();
    void slotViewStatusToggle();
    void slotViewSelfTest(quint8 uiSelfTestNumber);
    void slotViewSelfTestNext();
    void slotDmxSizeX_Inc();
    void slotDmxSizeX_Dec();
    void slotDmxSizeY_Inc();
    void slotDmxSizeY_Dec();
    void slotDmxSizeZ_Inc();
    void slotDmxSizeZ_Dec();
    void slotHelp();
    void slotSettingsOpen();
    void slotViewInfo();
    void slotViewInfoPreset();
    void slotViewInfoArtnet();
    void slotViewInfoAcnnet();
    void slotViewInfoRdm();
    void slotCloseInfoDlg();
    void slotCheckForSoftwareUpdate();
    void slotCheckForSoftwareUpdate(bool GiveInfoForNoUpdates);
    void slotAbout();
    void slotCloseAboutDlg();
    void slotSaveScreenToBitmapByUser();
    void slotSaveScreenToBitmapByRdm(quint16 uiSceneNumber);
    void slotSetLanguage(quint16 uiLanguage, bool bFactoryResetCycle);

protected:
    // The operator's choice of a capture file: the platform's save dialog. Returns an empty
    // string when the operator cancels.
    virtual QString chooseCaptureFile(const QString &caption, const QString &proposedFile,
                                      const QString &filters);
    // The moment a capture is stamped with.
    virtual QDateTime captureTime() const;

    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void ChangeRender();
    void setFullScreen(bool on);
    void setStayOnTop(bool on, bool show);
    bool openGlUsable();
    void closeDialogs();
    // Hides a closed dialog and deletes it later; the destructor deletes it if the event loop
    // ended first.
    void retireDialog(QWidget *dialog);
    void closeSettingsDialog();
    void saveCapture(const QImage &picture, const QString &fileName) const;

    // Menu and actions (tessaviewactions.cpp).
    void createActions();
    void createContextMenu();
    void addActionsToWindow();
    void deleteMenuAndActions();
    QList<QAction *> allActions() const;

    // Check marks that follow a loaded preset and the running self test.
    void markPreset(int iPreset);
    void markSelfTest(quint8 uiSelfTestNumber);

    PaintScheduler *m_pPainter = nullptr;
    QTimer *m_pResizeTimer = nullptr;
    QMenu *m_pContextMenu = nullptr;
    QMenu *m_pMenuPresets = nullptr;
    QMenu *m_pMenuSelfTest = nullptr;
    QMenu *m_pMenuDmxSize = nullptr;
    QAction *m_pActionSettings = nullptr;
    QAction *m_pActionPresetNext = nullptr;
    QAction *m_pActionPresetCurrent = nullptr;
    std::array<QAction *, 9> m_pActionPreset{};
    QAction *m_pActionReset = nullptr;
    QAction *m_pActionFreeze = nullptr;
    QAction *m_pActionStayOnTop = nullptr;
    QAction *m_pActionFullScreen = nullptr;
    QAction *m_pActionStatus = nullptr;
    QAction *m_pActionSelfTestNext = nullptr;
    // Off, 1 ... 5 and "Test All" (255).
    std::array<QAction *, 7> m_pActionSelfTest{};
    QAction *m_pActionInfo = nullptr;
    QAction *m_pActionSaveBitmap = nullptr;
    QAction *m_pActionCheckUpdate = nullptr;
    QAction *m_pActionDmxSizeXInc = nullptr;
    QAction *m_pActionDmxSizeXDec = nullptr;
    QAction *m_pActionDmxSizeYInc = nullptr;
    QAction *m_pActionDmxSizeYDec = nullptr;
    QAction *m_pActionHelp = nullptr;
    QAction *m_pActionAbout = nullptr;
    QAction *m_pActionAboutQt = nullptr;
    QAction *m_pActionQuit = nullptr;
    QAction *m_pActionQuitEscape = nullptr;
    Configurator *m_pConfigurator = nullptr;
    ScreenEngine *m_pEngine = nullptr;
    quint8 m_uiSelfTest = 0;
    int m_iPreset = 0;
    WidgetOpenGL *m_pWidgetOpenGL = nullptr;
    WidgetNative *m_pWidgetNative = nullptr;
    std::optional<bool> m_openGlAvailable;
    LanguageLoader *m_pLanguage = nullptr;
    QString m_sCaptureTemplate;
    QString m_sUpdateLink;
    QString m_sHelpLink;
    QString m_sContactLink;
    CheckSoftwareUpdate *m_pUpdateCheck = nullptr;
    SettingsRecord m_pSettings;
    quint32 m_pPowerCycle = 0;
    Settings *m_pSettingsDlg = nullptr;
    bool m_bFirstApply = true;
    bool m_bFactoryResetRunning = false;
    QDateTime m_StartTime;
    InfoDlg *m_pInfoDlg = nullptr;
    AboutInfo *m_pAboutDlg = nullptr;
    QList<QPointer<QWidget>> m_retiredDialogs;
};
