#pragma once

#include "settings/settingsrecord.h"

#include <QDialog>
#include <array>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QToolButton;

// The dialog in which the user edits every field of the settings record. It works on its own
// copy of the record and hands it to the owner's live record only on Apply or OK; the nine
// presets can be saved from and loaded into the copy without applying anything. The owner
// creates it once and shows it again later: the widgets keep their edited values in between.
class Settings : public QDialog {
    Q_OBJECT

public:
    static constexpr int presetCount = 9;

    // The tabs in their order, for showTab().
    enum Tab { TabGeneral = 0, TabScreen, TabDmx, TabProtocol, TabCount };

    explicit Settings(SettingsRecord &liveRecord, QWidget *parent = nullptr);

    // Takes a fresh copy of the live record into the dialog's copy and its widgets.
    void reload();

    // Makes tab `index` (a Tab value) the current one; out-of-range indices are ignored.
    void showTab(int index);
    int currentTab() const;

    // The dialog's own copy as it stood after the last construction, Apply, preset Save or
    // preset Load (not the unsaved widget edits).
    const SettingsRecord &editedRecord() const { return m_record; }

signals:
    void valueChanged();
    void valueChangedToDefault();
    void signalViewInfoArtnet();
    void signalViewInfoAcnnet();
    void signalViewInfoRdm();

public slots:
    void slotPressOk();
    void slotPressApply();
    void slotPressDefault();
    void slotPresetSave1();
    void slotPresetSave2();
    void slotPresetSave3();
    void slotPresetSave4();
    void slotPresetSave5();
    void slotPresetSave6();
    void slotPresetSave7();
    void slotPresetSave8();
    void slotPresetSave9();
    void slotPresetLoad1();
    void slotPresetLoad2();
    void slotPresetLoad3();
    void slotPresetLoad4();
    void slotPresetLoad5();
    void slotPresetLoad6();
    void slotPresetLoad7();
    void slotPresetLoad8();
    void slotPresetLoad9();
    void slotUpdateInfoFrames();
    void slotUpdateInfoScreenNumber();
    void slotUpdateInfoDmxGui();
    void slotUpdateInfoUniverseWarningGui();
    void slotUpdateInfoScreenLevelGui();
    void slotViewUniveseSummaryWarning();
    void slotViewScreenLevelWarning();
    void slotViewInfoArtnet();
    void slotViewInfoAcnnet();
    void slotViewInfoRdm();
    void slotNextTab();

private:
    // settingsdialog_tabs.cpp: widget construction.
    QWidget *createGeneralTab();
    QWidget *createScreenTab();
    QWidget *createDmxTab();
    QWidget *createProtocolTab();
    QWidget *createPresetRows();
    QWidget *createBottomRow();
    void createKeyboardActions();
    void connectWidgets();

    // settingsdialog.cpp: the record and the widgets.
    void recordToWidgets(const SettingsRecord &record);
    void widgetsToRecord(SettingsRecord &record) const;
    SettingsRecord recordFromWidgets() const;
    void refreshDerivedDisplays();
    void enableUserGeometry(bool bEnable);
    void presetSave(int iPreset);
    void presetLoad(int iPreset);

    SettingsRecord &m_liveRecord;
    SettingsRecord m_record;

    QTabWidget *m_pTabs = nullptr;

    // General
    QLineEdit *m_pName = nullptr;
    QComboBox *m_pLanguage = nullptr;
    QComboBox *m_pUpdateCheck = nullptr;
    QSpinBox *m_pTimerStartup = nullptr;

    // Screen
    QComboBox *m_pScreenNumber = nullptr;
    QSpinBox *m_pPosX = nullptr;
    QSpinBox *m_pPosY = nullptr;
    QSpinBox *m_pSizeX = nullptr;
    QSpinBox *m_pSizeY = nullptr;
    QSpinBox *m_pTimerInMs = nullptr;
    QLineEdit *m_pRefreshHz = nullptr;
    QComboBox *m_pUseOpenGL = nullptr;
    QSpinBox *m_pScreenLevel = nullptr;
    QComboBox *m_pScreenFlip = nullptr;
    QComboBox *m_pScreenRotate = nullptr;

    // DMX
    QSpinBox *m_pDmxSizeX = nullptr;
    QSpinBox *m_pDmxSizeY = nullptr;
    QSpinBox *m_pDmxChannelPerUniverse = nullptr;
    QSpinBox *m_pDmxUniverseStart = nullptr;
    QLineEdit *m_pUniverseCount = nullptr;
    QLineEdit *m_pChannelsTotal = nullptr;
    QComboBox *m_pDmxUseRgb = nullptr;
    QComboBox *m_pShapeType = nullptr;

    // Protocol
    QComboBox *m_pUseArtnet = nullptr;
    QComboBox *m_pUseAcnnet = nullptr;
    QComboBox *m_pUseRdm = nullptr;
    QComboBox *m_pUseRdmForAllUniverses = nullptr;

    std::array<QLabel *, presetCount> m_pPresetLabel{};
    std::array<QPushButton *, presetCount> m_pPresetSave{};
    std::array<QPushButton *, presetCount> m_pPresetLoad{};

    QPushButton *m_pButtonOk = nullptr;
    QPushButton *m_pButtonApply = nullptr;
    QPushButton *m_pButtonDefault = nullptr;
    QPushButton *m_pButtonCancel = nullptr;

    QToolButton *m_pWarnUniverseCount = nullptr;
    QToolButton *m_pWarnUniverseArtnet = nullptr;
    QToolButton *m_pWarnScreenLevel = nullptr;
    QLabel *m_pWarnArtnetReach = nullptr;
    QToolButton *m_pInfoArtnet = nullptr;
    QToolButton *m_pInfoAcnnet = nullptr;
    QToolButton *m_pInfoRdm = nullptr;

    QAction *m_pActionEscape = nullptr;
    QAction *m_pActionQ = nullptr;
    QAction *m_pActionNextTab = nullptr;
};
