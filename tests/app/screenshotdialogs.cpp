// Pictures of the settings dialog (every tab), the information dialog and the about box as
// the window opens them, in one language, for a look at layouts and translations.
// Usage: tessaview_screenshots <folder> <en|de>. Run it through scripts/screenshot-dialogs.sh.
#include "app/languageloader.h"
#include "app/tessaview.h"
#include "dialogs/aboutinfo.h"
#include "dialogs/infodlg.h"
#include "engine/screenengine.h"
#include "settings/settingsdialog.h"
#include "settings/settingsstore.h"
#include "testsettingsstore.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTimer>

#include <cstdio>

namespace {

void settle() {
    QEventLoop loop;
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    loop.exec();
}

bool save(QWidget *widget, const QString &folder, const QString &name) {
    widget->show();
    widget->raise();
    settle();
    const QString file = QStringLiteral("%1/%2.png").arg(folder, name);
    const bool ok = widget->grab().save(file);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(file));
    return ok;
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3 || (args[2] != QLatin1String("en") && args[2] != QLatin1String("de"))) {
        std::fprintf(stderr, "usage: %s <folder> <en|de>\n", qPrintable(args.value(0)));
        return 2;
    }
    const QString folder = args[1];
    const QString language = args[2];
    QDir().mkpath(folder);

    // A settings store of its own: a window on part of the screen, two stored presets.
    TemporarySettingsStore store;
    SettingsRecord live;
    live.LanguageIso =
        language == QLatin1String("de") ? LanguageCode::German : LanguageCode::English;
    live.UpdateCheck = 0;
    live.ScreenNumber = ScreenChoice::UserSize;
    live.SizeX = 320;
    live.SizeY = 200;
    SettingsStore::saveSettings(live, SettingsStore::livePreset);
    SettingsRecord preset = live;
    preset.Name = QStringLiteral("Stage left");
    preset.DmxUseRgb = ColourMode::BarAndDmxValues;
    SettingsStore::saveSettings(preset, 1);
    preset.Name = QStringLiteral("Wall RGBW");
    preset.DmxSizeX = 40;
    preset.DmxSizeY = 20;
    preset.DmxUseRgb = ColourMode::Rgbw;
    SettingsStore::saveSettings(preset, 2);

    Tessaview window(args.mid(0, 1));
    // The first frame applies the settings and fills the device model.
    QImage canvas(64, 64, QImage::Format_RGB32);
    {
        QPainter painter(&canvas);
        window.engine()->paintFrame(painter, canvas.rect(), 0);
    }

    bool ok = true;
    const QString prefix = language + QLatin1Char('-');
    window.slotSettingsOpen();
    Settings *settings = window.settingsDialog();
    const char *tabs[] = {"general", "screen", "dmx", "protocol"};
    for (int tab = 0; tab < Settings::TabCount; ++tab) {
        settings->showTab(tab);
        ok &= save(settings, folder, prefix + QStringLiteral("settings-") + tabs[tab]);
    }
    settings->hide();

    window.slotViewInfoPreset();
    InfoDlg *info = window.infoDialog();
    info->resize(900, 600);
    ok &= save(info, folder, prefix + QStringLiteral("info-preset"));
    const std::pair<InfoDlg::Page, const char *> pages[] = {
        {InfoDlg::PageRdm120, "info-rdm-e1.20"},
        {InfoDlg::PageRdm137_1, "info-rdm-e1.37-1"},
        {InfoDlg::PageRdm137_2, "info-rdm-e1.37-2"}};
    for (const auto &[page, name] : pages) {
        info->selectPage(page);
        ok &= save(info, folder, prefix + QLatin1String(name));
    }
    window.dialogs()->closeInfo();

    window.slotAbout();
    ok &= save(window.aboutDialog(), folder, prefix + QStringLiteral("about"));
    window.dialogs()->closeAbout();
    return ok ? 0 : 1;
}
