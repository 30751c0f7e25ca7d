// Pictures of the settings dialog (every tab), the information dialog and the about box as
// the window opens them, in one language, for a look at layouts and translations. The
// receiver pages are taken while consoles send over loopback: two Art-Net consoles merging on
// Port-Address 0, two sACN sources at priorities 100 and 80 on universe 1.
// Usage: tessaview_screenshots <folder> <en|de>. Run it through scripts/screenshot-dialogs.sh.
#include "app/languageloader.h"
#include "app/tessaview.h"
#include "dialogs/aboutinfo.h"
#include "dialogs/infodlg.h"
#include "engine/screenengine.h"
#include "net/artdmxpacket.h"
#include "net/tst_acnsupport.h"
#include "settings/settingsdialog.h"
#include "settings/settingsstore.h"
#include "testsettingsstore.h"

#include <QApplication>
#include <QDir>
#include <QNetworkInterface>
#include <QPainter>
#include <QTableWidget>
#include <QTimer>
#include <QUdpSocket>

#include <cstdio>
#include <memory>

namespace {

void settle(int ms = 300) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

QByteArray sacnData(const char *cidHex, const char *name, quint8 priority, quint8 sequence) {
    E131PacketBuilder builder;
    builder.universe = 1;
    builder.cid = QByteArray::fromHex(cidHex);
    builder.priority = priority;
    builder.sequence = sequence;
    builder.levels = QByteArray(512, char(priority));
    QByteArray packet = builder.build();
    QByteArray sourceName(name);
    sourceName.resize(64, '\0');
    packet.replace(44, 64, sourceName); // Source Name
    return packet;
}

std::unique_ptr<QUdpSocket> socketOn(const char *address) {
    auto socket = std::make_unique<QUdpSocket>();
    if (!socket->bind(QHostAddress(QLatin1String(address)), 0))
        return nullptr;
    socket->setMulticastInterface(QNetworkInterface::interfaceFromName(QStringLiteral("lo")));
    return socket;
}

// Consoles on 127.0.0.2 and 127.0.0.3 sending to the program at 127.0.0.1 every 40 ms for as
// long as they live.
struct Consoles {
    std::unique_ptr<QUdpSocket> left = socketOn("127.0.0.2");
    std::unique_ptr<QUdpSocket> right = socketOn("127.0.0.3");
    QTimer timer;
    quint8 sequence = 0;

    bool start() {
        if (!left || !right)
            return false;
        QObject::connect(&timer, &QTimer::timeout, [this] { send(); });
        timer.start(40);
        return true;
    }
    void send() {
        const QHostAddress node(QStringLiteral("127.0.0.1"));
        const QHostAddress group(QStringLiteral("239.255.0.1"));
        ++sequence;
        left->writeDatagram(artDmxPacket(0, sequence, QByteArray(512, char(0x40))), node, 6454);
        right->writeDatagram(artDmxPacket(0, sequence, QByteArray(512, char(0x80))), node, 6454);
        left->writeDatagram(sacnData("5d1f3a2c8e9b4c71a0f6d2e84b7c9a13", "Desk A", 100, sequence),
                            group, 5568);
        right->writeDatagram(sacnData("c4e2a9107b3d4f5e8a6c1d2b3e4f5a6b", "Backup B", 80, sequence),
                             group, 5568);
        // What the Network page is for: a media server above the allowed priority and an old
        // Art-Net controller.
        if (sequence % 25 == 0) {
            right->writeDatagram(
                sacnData("0a1b2c3d4e5f60718293a4b5c6d7e8f9", "Media Server", 201, sequence), group,
                5568);
            QByteArray old = artDmxPacket(0, sequence, QByteArray(512, char(0x20)));
            old[11] = 13; // ProtVerLo
            left->writeDatagram(old, node, 6454);
        }
    }
};

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
        window.engine()->applyStaged();
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

    Consoles consoles;
    if (!consoles.start()) {
        std::fprintf(stderr, "cannot bind the consoles' addresses (run inside in-netns.sh)\n");
        ok = false;
    }
    settle(3500); // a rate to show, and the findings of a few rounds
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
    // With the universe selected, so its sources are listed below.
    const std::pair<InfoDlg::Page, const char *> receiverPages[] = {
        {InfoDlg::PageArtnet, "Art-Net"}, {InfoDlg::PageAcnnet, "Streaming Acn"}};
    for (const auto &[page, label] : receiverPages) {
        info->selectPage(page);
        info->findChild<QTableWidget *>(QStringLiteral("table ") + QLatin1String(label))
            ->selectRow(0);
        ok &= save(info, folder,
                   prefix + (page == InfoDlg::PageArtnet ? QStringLiteral("info-artnet")
                                                         : QStringLiteral("info-sacn")));
    }
    info->selectPage(InfoDlg::PageNetwork);
    info->findChild<QTableWidget *>(QStringLiteral("findings"))->selectRow(0);
    ok &= save(info, folder, prefix + QStringLiteral("info-network"));
    window.dialogs()->closeInfo();

    window.slotAbout();
    ok &= save(window.aboutDialog(), folder, prefix + QStringLiteral("about"));
    window.dialogs()->closeAbout();
    return ok ? 0 : 1;
}
