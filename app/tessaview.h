#pragma once

#include "settings/settingsrecord.h"

#include <QDateTime>
#include <QWidget>

class Configurator;
class QTimer;
class ScreenEngine;
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

signals:
    void signalSettingsToDefault();

public slots:
    void slotSettingsChanged();
    void slotSettingsChanged(bool bFactoryResetCycle);
    void slotSettingsChangedToDefaultExtern();
    void slotSettingsPresetLoad(int iPreset);
    void slotChangeResize();
    void slotViewStatus();
    void slotViewSelfTest(quint8 uiSelfTestNumber);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void ChangeRender();
    void setFullScreen(bool on);
    void setStayOnTop(bool on, bool show);
    void createRenderWidgets(QSize size);

    QTimer *m_pRefreshTimer = nullptr;
    QTimer *m_pResizeTimer = nullptr;
    Configurator *m_pConfigurator = nullptr;
    ScreenEngine *m_pEngine = nullptr;
    quint8 m_uiSelfTest = 0;
    int m_iPreset = 0;
    WidgetOpenGL *m_pWidgetOpenGL = nullptr;
    WidgetNative *m_pWidgetNative = nullptr;
    QString m_sUpdateLink;
    QString m_sHelpLink;
    QString m_sContactLink;
    SettingsRecord m_pSettings;
    quint32 m_pPowerCycle = 0;
    bool m_bFirstApply = true;
    bool m_bStatusVisible = false;
    QDateTime m_StartTime;
};
