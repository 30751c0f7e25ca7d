#include "app/tessaviewdialogs.h"

#include "app/tessaview.h"
#include "buildinfo.h"
#include "dialogs/aboutinfo.h"
#include "dialogs/channelscope.h"
#include "dialogs/checksoftwareupdate.h"
#include "dialogs/infodlg.h"
#include "dialogs/networkpage.h"
#include "engine/screenengine.h"
#include "settings/settingsdialog.h"

namespace {
constexpr int updateCheckDelaySeconds = 30;
} // namespace

TessaviewDialogs::TessaviewDialogs(Tessaview &window, SettingsRecord &liveSettings)
    : m_window(window), m_liveSettings(liveSettings) {}

// The event loop may be over, so what is still open or retired goes at once. The update check
// goes last: deleting it also cancels a check still waiting for its delay or its reply.
TessaviewDialogs::~TessaviewDialogs() {
    if (m_settings)
        closeSettings();
}

void TessaviewDialogs::openSettings() {
    if (m_settings && !m_settings->isVisible()) {
        m_settings->reload();
    } else if (!m_settings) {
        m_settings = std::make_unique<Settings>(m_liveSettings);
        Settings *dialog = m_settings.get();
        connect(dialog, &Settings::valueChanged, &m_window,
                qOverload<>(&Tessaview::slotSettingsChanged));
        connect(dialog, &Settings::valueChangedToDefault, &m_window,
                &Tessaview::slotSettingsChangedToDefaultExtern);
        connect(dialog, &Settings::signalViewInfoArtnet, this,
                [this] { openInfo(InfoDlg::PageArtnet); });
        connect(dialog, &Settings::signalViewInfoAcnnet, this,
                [this] { openInfo(InfoDlg::PageAcnnet); });
        connect(dialog, &Settings::signalViewInfoRdm, this,
                [this] { openInfo(InfoDlg::PageRdm120); });
    }
    m_settings->show();
    m_settings->raise();
    m_settings->activateWindow();
}

void TessaviewDialogs::closeSettings() {
    m_settings->hide();
    // A closed dialog no longer changes anything.
    m_settings->disconnect();
}

void TessaviewDialogs::openInfo(int page) {
    if (!m_info) {
        m_info = std::make_unique<InfoDlg>();
        connect(m_info.get(), &InfoDlg::signalCloseInfoDlg, this, &TessaviewDialogs::closeInfo);
    }
    m_info->setSettings(&m_liveSettings);
    m_info->setConfigurator(m_window.configurator());
    // Read through the window at every refresh: an apply may replace the engine's receivers.
    m_info->setReceivers(
        [this] { return m_window.engine() ? m_window.engine()->artnetView() : ReceiverView{}; },
        [this] { return m_window.engine() ? m_window.engine()->sacnView() : ReceiverView{}; });
    m_info->networkPage()->setSource(
        [this] { return m_window.engine() ? m_window.engine()->networkView() : NetworkView{}; },
        [this] {
            if (m_window.engine())
                m_window.engine()->clearFindings();
        },
        [this] { return reportFacts(); });
    m_info->show();
    m_info->activateWindow();
    m_info->selectPage(InfoDlg::Page(page));
}

QString TessaviewDialogs::reportFacts() const {
    ScreenEngine *engine = m_window.engine();
    const SettingsRecord &s = m_liveSettings;
    return QStringLiteral("Tessaview %1\nArt-Net %2, sACN %3, first universe %4, %5 universes of "
                          "%6 channels, DMX start address %7\nInterfaces:\n%8\n")
        .arg(QLatin1String(BuildInfo::versionText),
             s.UseArtnet ? QStringLiteral("on") : QStringLiteral("off"),
             s.UseAcnnet ? QStringLiteral("on") : QStringLiteral("off"),
             QString::number(s.DmxUniverseStart),
             QString::number(engine ? engine->frameStore().universeCount() : 0),
             QString::number(s.DmxChannelPerUniverse),
             QString::number(engine ? engine->frameStore().startAddress() : 1),
             engine ? engine->interfaceText() : QString());
}

void TessaviewDialogs::closeInfo() {
    if (m_info)
        retire(std::move(m_info));
}

void TessaviewDialogs::openAbout() {
    if (!m_about) {
        const QStringList components = AboutInfo::componentVersionTexts();
        m_about = std::make_unique<AboutInfo>(QStringLiteral(":/images/tessaview.png"),
                                              components.value(0), components.value(1),
                                              components.value(2), QString());
        connect(m_about.get(), &AboutInfo::signalCloseAboutDlg, this,
                &TessaviewDialogs::closeAbout);
    }
    m_about->show();
}

void TessaviewDialogs::closeAbout() {
    if (m_about)
        retire(std::move(m_about));
}

void TessaviewDialogs::openChannelScope() {
    if (!m_scope && m_window.engine())
        m_scope = std::make_unique<ChannelScope>(m_window.engine()->channelWatch());
    if (!m_scope)
        return;
    m_scope->show();
    m_scope->raise();
    m_scope->activateWindow();
}

bool TessaviewDialogs::addScopeChannels(const QList<WatchedChannel> &channels) {
    openChannelScope();
    return m_scope && m_scope->addChannels(channels);
}

void TessaviewDialogs::closeAll() {
    if (m_settings) {
        closeSettings();
        retire(std::move(m_settings));
    }
    closeInfo();
    closeAbout();
    if (m_scope)
        m_scope->hide();
}

void TessaviewDialogs::retire(std::unique_ptr<QWidget> dialog) {
    dialog->hide();
    if (m_retired.empty())
        QMetaObject::invokeMethod(this, &TessaviewDialogs::dropRetired, Qt::QueuedConnection);
    m_retired.push_back(std::move(dialog));
}

void TessaviewDialogs::dropRetired() {
    m_retired.clear();
}

void TessaviewDialogs::checkForUpdate(bool showEveryResult, const QString &updateMessage) {
    if (!m_updateCheck)
        m_updateCheck = std::make_unique<CheckSoftwareUpdate>();
    if (showEveryResult)
        m_updateCheck->setShowResult(true);
    m_updateCheck->setUpdateMessage(updateMessage);
    m_updateCheck->setCurrentVersion(BuildInfo::versionMajor, BuildInfo::versionMinor,
                                     BuildInfo::versionPatch, BuildInfo::versionBuild);
    m_updateCheck->startCheck(CheckSoftwareUpdate::versionQueryUrl(), updateCheckDelaySeconds);
}
