#pragma once

#include "net/channellist.h"

#include <QList>
#include <QObject>

#include <memory>
#include <vector>

class AboutInfo;
class ChannelScope;
class CheckSoftwareUpdate;
class InfoDlg;
class QString;
class QWidget;
class Settings;
class Tessaview;
struct SettingsRecord;

// The window's dialogs and its update check. Each dialog is made when it is first opened and
// kept while it is open; a closed one is deleted at the next turn of the event loop (it may be
// closing from inside its own signal) or with this object, whichever comes first. The dialogs
// are windows of their own, without a parent.
class TessaviewDialogs : public QObject {
    Q_OBJECT

public:
    // `liveSettings` is the window's record, which the settings dialog edits and applies.
    TessaviewDialogs(Tessaview &window, SettingsRecord &liveSettings);
    ~TessaviewDialogs() override;

    Settings *settingsDialog() const { return m_settings.get(); }
    InfoDlg *infoDialog() const { return m_info.get(); }
    AboutInfo *aboutDialog() const { return m_about.get(); }
    CheckSoftwareUpdate *updateCheck() const { return m_updateCheck.get(); }
    ChannelScope *channelScope() const { return m_scope.get(); }

    // Opens the settings dialog on what is shown now: presets, resizes and full-screen
    // switches may have changed the live record since it was last closed.
    void openSettings();
    // Opens the information dialog on `page` (an InfoDlg page).
    void openInfo(int page);
    void closeInfo();
    void openAbout();
    void closeAbout();
    // Opens the channel scope on the engine's watch. Closing only hides it, so its history,
    // its channels and a log it writes stay until the window goes.
    void openChannelScope();
    // Opens the scope and adds `channels` to it; false when that would pass 16 channels.
    bool addScopeChannels(const QList<WatchedChannel> &channels);
    // Closes every dialog, as the window does when it closes. A running update check goes on.
    void closeAll();
    // Starts an update check, made once and reused. With `showEveryResult` results without a
    // newer version are shown too, for the rest of the run.
    void checkForUpdate(bool showEveryResult, const QString &updateMessage);

private:
    // What a saved network report begins with.
    QString reportFacts() const;
    void closeSettings();
    void retire(std::unique_ptr<QWidget> dialog);
    void dropRetired();

    Tessaview &m_window;
    SettingsRecord &m_liveSettings;
    std::unique_ptr<CheckSoftwareUpdate> m_updateCheck;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<InfoDlg> m_info;
    std::unique_ptr<AboutInfo> m_about;
    std::unique_ptr<ChannelScope> m_scope;
    std::vector<std::unique_ptr<QWidget>> m_retired;
};
