// Slots behind the menu actions and the shortcuts, and the ones the device model calls.
#include "app/tessaview.h"
#include "app/tessaviewactions.h"
#include "engine/screenengine.h"
#include "engine/widgetnative.h"
#include "engine/widgetopengl.h"
#include "rdm/configurator.h"
#include "settings/desktop.h"
#include "settings/settingsstore.h"

#include <QAction>
#include <QDebug>
#include <QMessageBox>

namespace {
// 6 has no action and no pattern of its own: the engine accepts it and shows a black frame.
bool knownSelfTest(quint8 number) {
    return number <= 6 || number == 255;
}
} // namespace

void Tessaview::slotSettingsPresetNext() {
    slotSettingsPresetLoad((m_iPreset + 1) % 10);
}

void Tessaview::slotStayOnTop() {
    setStayOnTop(m_pActions->stayOnTop()->isChecked(), true);
}

void Tessaview::slotFullScreen() {
    setFullScreen(m_pActions->fullScreen()->isChecked());
}

void Tessaview::setFullScreen(bool on) {
    qDebug() << "Fullscreen" << on;
    const QRect desktop = desktopGeometry();
    if (!desktop.isEmpty()) {
        const auto width = quint16(desktop.width());
        const auto height = quint16(desktop.height());
        if (on) {
            m_settings.PosX = 0;
            m_settings.PosY = 0;
            m_settings.SizeX = width;
            m_settings.SizeY = height;
        } else {
            // Half the desktop, centred on it.
            m_settings.PosX = width / 4;
            m_settings.PosY = height / 4;
            m_settings.SizeX = width / 2;
            m_settings.SizeY = height / 2;
        }
    }
    m_settings.ScreenNumber = on ? ScreenChoice::Desktop : ScreenChoice::UserSize;
    ChangeRender();
}

void Tessaview::slotFreeze() {
    if (m_pEngine)
        m_pEngine->setFreeze(m_pActions->freeze()->isChecked());
}

void Tessaview::slotViewStatus() {
    if (!m_pEngine)
        return;
    const bool visible = m_pActions->status()->isChecked();
    m_pEngine->setStatusVisible(visible);
    SettingsStore::saveStateEnable(visible);
}

void Tessaview::slotViewStatusToggle() {
    QAction *status = m_pActions->status();
    status->setChecked(!status->isChecked());
    slotViewStatus();
}

void Tessaview::slotViewDiagnostics() {
    m_settings.DiagnosticMarks = m_pActions->diagnostics()->isChecked();
    if (m_pEngine)
        m_pEngine->setDiagnosticMarks(m_settings.DiagnosticMarks);
    SettingsStore::saveSettings(m_settings, SettingsStore::livePreset);
}

void Tessaview::slotViewInspect() {
    if (!m_pEngine)
        return;
    m_pEngine->setInspecting(m_pActions->inspect()->isChecked());
    if (m_pWidgetNative)
        m_pWidgetNative->followInspector();
    if (m_pWidgetOpenGL)
        m_pWidgetOpenGL->followInspector();
}

void Tessaview::slotChannelScope() {
    m_pDialogs->openChannelScope();
}

bool Tessaview::addScopeChannels(const QList<WatchedChannel> &channels) {
    return m_pDialogs->addScopeChannels(channels);
}

void Tessaview::slotViewSelfTest(quint8 uiSelfTestNumber) {
    if (!m_pEngine)
        return;
    if (!knownSelfTest(uiSelfTestNumber) || uiSelfTestNumber == m_uiSelfTest) {
        // Choosing the running test's own entry has just toggled its mark off; the test goes
        // on, so its mark comes back.
        m_pActions->markSelfTest(m_uiSelfTest);
        return;
    }
    // The device model owns the running test, as it does for RDM; showSelfTest follows it.
    m_pConfigurator->slotSetPerformSelfTest(uiSelfTestNumber);
}

void Tessaview::showSelfTest(quint8 uiSelfTestNumber) {
    if (!knownSelfTest(uiSelfTestNumber)) {
        m_pActions->markSelfTest(m_uiSelfTest);
        return;
    }
    m_uiSelfTest = uiSelfTestNumber;
    m_pActions->markSelfTest(uiSelfTestNumber);
    m_pEngine->setSelfTest(uiSelfTestNumber);
    SettingsStore::saveSelfTest(uiSelfTestNumber);
}

void Tessaview::slotViewSelfTestNext() {
    // 5, 6 and "Test All" all continue with off.
    slotViewSelfTest(m_uiSelfTest < 5 ? quint8(m_uiSelfTest + 1) : quint8(0));
}

// The grid size changes apply at once but are saved only with the next settings change.
void Tessaview::slotDmxSizeX_Inc() {
    if (m_settings.DmxSizeX == 0xFFFF)
        return;
    ++m_settings.DmxSizeX;
    ChangeRender();
}

void Tessaview::slotDmxSizeX_Dec() {
    if (m_settings.DmxSizeX < 2)
        return;
    --m_settings.DmxSizeX;
    ChangeRender();
}

void Tessaview::slotDmxSizeY_Inc() {
    if (m_settings.DmxSizeY == 0xFFFF)
        return;
    ++m_settings.DmxSizeY;
    ChangeRender();
}

void Tessaview::slotDmxSizeY_Dec() {
    if (m_settings.DmxSizeY < 2)
        return;
    --m_settings.DmxSizeY;
    ChangeRender();
}

void Tessaview::slotHelp() {
    QMessageBox::information(
        this, tr("Help"),
        tr("<b>Help</b><br>Please use the online help on the website:<br>%1").arg(m_sHelpLink),
        QMessageBox::Ok);
}
