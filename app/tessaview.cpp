#include "app/tessaview.h"

#include "app/commandline.h"
#include "app/languageloader.h"
#include "app/startupcountdown.h"
#include "app/tessaviewactions.h"
#include "buildinfo.h"
#include "capture/networkrecorder.h"
#include "capture/replayfeed.h"
#include "dialogs/infodlg.h"
#include "dialogs/replaywindow.h"
#include "engine/openglprobe.h"
#include "engine/paintscheduler.h"
#include "engine/screenengine.h"
#include "engine/widgetnative.h"
#include "engine/widgetopengl.h"
#include "net/channellog.h"
#include "rdm/configurator.h"
#include "settings/desktop.h"
#include "settings/settingsstore.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDebug>
#include <QIcon>
#include <QKeyEvent>
#include <QPalette>
#include <QResizeEvent>
#include <QThread>
#include <QTime>

#include <algorithm>
#include <cstdio>

namespace {

QString versionQuery() {
    return QStringLiteral("software=tessaview&currentversion=%1.%2.%3.%4")
        .arg(BuildInfo::versionMajor)
        .arg(BuildInfo::versionMinor)
        .arg(BuildInfo::versionPatch)
        .arg(BuildInfo::versionBuild);
}

QString makerPageLink(const QString &path) {
    const QString web = QString::fromLatin1(BuildInfo::makerWeb);
    return QStringLiteral("<a href=\"http://%1%2?%3\">%1</a>").arg(web, path, versionQuery());
}

// The one-line picture of the record written with every apply, for the debug output.
QString settingsSummary(const SettingsRecord &r) {
    return QStringLiteral("Setting: %1 %2 %3 %4 | %5 %6x%7 %8x%9 | %10 %11 %12 %13x%14 | "
                          "%15 %16 %17 %18 %19 | %20 %21 %22")
        .arg(r.Name, languageLetters(r.LanguageIso))
        .arg(r.UpdateCheck)
        .arg(r.TimerStartup)
        .arg(r.ScreenNumber)
        .arg(r.PosX)
        .arg(r.PosY)
        .arg(r.SizeX)
        .arg(r.SizeY)
        .arg(r.ScreenLevel)
        .arg(r.ScreenFlip)
        .arg(r.ScreenRotate)
        .arg(r.DmxSizeX)
        .arg(r.DmxSizeY)
        .arg(r.DmxChannelPerUniverse)
        .arg(r.DmxUniverseStart)
        .arg(r.DmxUseRgb)
        .arg(r.TimerInMs)
        .arg(r.UseOpenGL)
        .arg(r.ShapeType)
        .arg(r.UseArtnet)
        .arg(r.UseAcnnet);
}

} // namespace

Tessaview::Tessaview(const QStringList &arguments)
    : QWidget(nullptr), m_pDialogs(std::make_unique<TessaviewDialogs>(*this, m_settings)) {
    setObjectName(QStringLiteral("Tessaview Thread"));
    qDebug() << "thread " << QThread::currentThread() << QStringLiteral("Tessaview GUI");
    setWindowIcon(QIcon(QStringLiteral(":/images/tessaview.png")));

    QPalette pal = palette();
    pal.setBrush(QPalette::All, backgroundRole(), QBrush(Qt::black));
    setPalette(pal);

    const CommandLine commandLine = parseCommandLine(arguments);

    m_sContactLink = QStringLiteral("<a href=\"mailto:%1\">%1</a>")
                         .arg(QString::fromLatin1(BuildInfo::makerEmail));
    m_sUpdateLink = makerPageLink(QStringLiteral("/update_view.php"));
    m_sHelpLink = makerPageLink(QStringLiteral("/help.php"));

    setFactoryDefaults(m_settings, desktopGeometry().size());
    SettingsStore::loadSettings(m_settings, SettingsStore::livePreset);
    fitToDesktop(m_settings);
    m_uiPowerCycle = SettingsStore::countPowerCycle();
    m_StartTime = QDateTime::currentDateTime();

    // Before any text is built, so the countdown and the menu are translated. The code in
    // effect replaces the stored one in memory only.
    m_pLanguage = std::make_unique<LanguageLoader>(QCoreApplication::instance());
    m_settings.LanguageIso = m_pLanguage->install(m_settings.LanguageIso);

    startupCountdown(this, m_settings.TimerStartup);

    m_pActions = new TessaviewActions(*this, m_settings.ScreenNumber == ScreenChoice::Desktop,
                                      SettingsStore::loadStateEnable());
    m_resizeTimer.setSingleShot(true);
    connect(&m_resizeTimer, &QTimer::timeout, this, &Tessaview::slotChangeResize);
    connect(&m_activityTimer, &QTimer::timeout, this, &Tessaview::showActivity);

    ChangeRender();

    if (m_settings.UpdateCheck != 0)
        slotCheckForSoftwareUpdate(false);

    if (!commandLine.logChannels.isEmpty() && m_pEngine) {
        // Runs until the program quits; main() has already refused a bad list.
        m_pEngine->channelWatch().setChannels(commandLine.logChannels);
        m_pChannelLog = std::make_unique<ChannelLog>(m_pEngine->channelWatch());
        QString error;
        if (!m_pChannelLog->start(commandLine.logFile, &error)) {
            std::fprintf(stderr, "tessaview: cannot log to %s: %s\n",
                         commandLine.logFile.toLocal8Bit().constData(),
                         error.toLocal8Bit().constData());
            QMetaObject::invokeMethod(
                qApp, [] { QCoreApplication::exit(2); }, Qt::QueuedConnection);
        }
    }
    if (commandLine.preset >= 0)
        slotSettingsPresetLoad(commandLine.preset);
    if (commandLine.stayOnTop) {
        setStayOnTop(true, false);
        m_pActions->stayOnTop()->setChecked(true);
    }
    if (!commandLine.recordFile.isEmpty())
        startRecording(commandLine.recordFile);
    // After the first apply, queued before, has built the receivers the replay drives.
    if (!commandLine.replayFile.isEmpty())
        QMetaObject::invokeMethod(
            this,
            [this, file = commandLine.replayFile, loop = commandLine.loop] {
                startReplay(file, loop);
            },
            Qt::QueuedConnection);
}

Tessaview::~Tessaview() = default;

QMenu *Tessaview::contextMenu() const {
    return m_pActions->contextMenu();
}

void Tessaview::ChangeRender() {
    qDebug().noquote() << "FKT: ChangeRender" << QTime::currentTime().toString(Qt::ISODateWithMs)
                       << QStringLiteral("\"%1\"").arg(settingsSummary(m_settings));

    const QPoint targetPos(m_settings.PosX, m_settings.PosY);
    const QSize targetSize(m_settings.SizeX, m_settings.SizeY);

    if (m_pPainter)
        m_pPainter->stop();

    const bool fullScreen = m_settings.ScreenNumber != ScreenChoice::UserSize;
    if (!fullScreen && (isFullScreen() || m_bFirstApply))
        setWindowState(windowState() & ~Qt::WindowFullScreen);
    if (pos() != targetPos || m_bFirstApply) {
        qDebug() << "Move" << targetPos;
        move(targetPos);
    }
    if (size() != targetSize || m_bFirstApply) {
        qDebug() << "Size" << targetSize;
        resize(targetSize);
    }
    // Moving or resizing a window drops its full-screen state, so the state is set after the
    // window has reached the chosen screen.
    if (fullScreen && (!isFullScreen() || m_bFirstApply))
        setWindowState(windowState() | Qt::WindowFullScreen);

    if (!m_pConfigurator) {
        m_pConfigurator = std::make_unique<Configurator>();
        Configurator *model = m_pConfigurator.get();
        connect(model, &Configurator::signalChangedPresetHelper, this, &Tessaview::loadPreset);
        connect(model, &Configurator::signalChangedFactoryDefaults, this,
                &Tessaview::applyFactoryDefaults);
        connect(model, &Configurator::signalChangedPerformSelfTest, this, &Tessaview::showSelfTest);
        connect(model, &Configurator::signalChangedLanguage, this, &Tessaview::slotSetLanguage);
        connect(model, qOverload<quint16>(&Configurator::signalChangedCapturePreset), this,
                &Tessaview::slotSaveScreenToBitmapByRdm);
        connect(model,
                qOverload<quint16, quint16, quint16, quint16>(
                    &Configurator::signalChangedCapturePreset),
                this, &Tessaview::slotSaveScreenToBitmapByRdm);
    }
    if (!m_pEngine) {
        m_pEngine = std::make_unique<ScreenEngine>();
        // A cell clicked while inspecting: its channels go to the channel scope.
        m_pEngine->setCellPickListener([this](quint32 universe, int firstChannel, int count) {
            QList<WatchedChannel> channels;
            for (int i = 0; i < count; ++i)
                channels.append({universe, quint16(firstChannel + i)});
            addScopeChannels(channels);
        });
    }
    if (!m_pPainter)
        m_pPainter = std::make_unique<PaintScheduler>(*m_pEngine);
    m_pEngine->configure(m_pConfigurator.get(), m_settings, m_iPreset, m_uiPowerCycle, m_StartTime);

    if (!m_pWidgetNative)
        m_pWidgetNative = std::make_unique<WidgetNative>(m_pEngine.get(), this, targetSize);

    if (m_settings.UseOpenGL && openGlUsable()) {
        if (!m_pWidgetOpenGL)
            m_pWidgetOpenGL = std::make_unique<WidgetOpenGL>(m_pEngine.get(), this, targetSize);
        m_pWidgetOpenGL->resizeTo(targetSize);
        m_pPainter->setTarget(m_pWidgetOpenGL.get());
        setWindowTitle(tr("Tessaview OpenGL"));
        m_pWidgetOpenGL->show();
        m_pWidgetNative->hide();
    } else {
        // A window holding an OpenGL widget is composited through OpenGL on every frame, so
        // the widget exists only while it is the one chosen.
        m_pWidgetOpenGL.reset();
        m_pWidgetNative->resizeTo(targetSize);
        m_pPainter->setTarget(m_pWidgetNative.get());
        setWindowTitle(tr("Tessaview Native"));
        m_pWidgetNative->show();
    }

    slotViewStatus();
    m_pActions->diagnostics()->setChecked(m_settings.DiagnosticMarks);
    slotViewSelfTest(0);

    m_bFirstApply = false;
    m_pPainter->start(m_settings.TimerInMs);
}

bool Tessaview::openGlUsable() {
    // The probe creates a context, so it runs once, and only when OpenGL is asked for.
    if (!m_openGlAvailable) {
        m_openGlAvailable = openGlAvailable();
        if (!*m_openGlAvailable)
            qDebug() << "OpenGL is not available here: the native widget paints for both "
                        "render choices";
    }
    return *m_openGlAvailable;
}

void Tessaview::slotSettingsChanged() {
    ChangeRender();
    if (m_pConfigurator) {
        m_pConfigurator->slotSetLanguage(m_settings.LanguageIso);
        m_pConfigurator->slotSetDisplayLevel(m_settings.ScreenLevel);
        m_pConfigurator->slotSetScreenFlipHorizontal(flipHorizontal(m_settings.ScreenFlip));
        m_pConfigurator->slotSetScreenFlipVertical(flipVertical(m_settings.ScreenFlip));
        m_pConfigurator->slotSetScreenRotation(m_settings.ScreenRotate);
    }
    SettingsStore::saveSettings(m_settings, SettingsStore::livePreset);
}

void Tessaview::slotSettingsChangedToDefaultExtern() {
    m_pConfigurator->slotSetFactoryDefaults();
}

void Tessaview::applyFactoryDefaults() {
    SettingsStore::resetSettingsStore();
    setFactoryDefaults(m_settings, desktopGeometry().size());
    // The language first, so what the apply shows is already in the default language.
    m_pConfigurator->slotSetLanguage(m_settings.LanguageIso);
    slotSettingsChanged();
}

void Tessaview::slotSettingsPresetLoad(int iPreset) {
    // A negative number would read keys that do not exist and then save factory defaults
    // over the live settings; it is ignored like a number above 9.
    if (iPreset < SettingsStore::firstPreset || iPreset > SettingsStore::lastPreset ||
        iPreset == m_iPreset) {
        // Choosing the loaded preset's own entry has just toggled its mark off.
        m_pActions->markPreset(m_iPreset);
        return;
    }
    // The device model owns the personality (the preset plus one), as it does for RDM;
    // loadPreset follows it.
    m_pConfigurator->slotSetPresetHelper(iPreset);
}

void Tessaview::loadPreset(int iPreset) {
    m_iPreset = iPreset;
    setFactoryDefaults(m_settings, desktopGeometry().size());
    SettingsStore::loadSettings(m_settings, iPreset);
    fitToDesktop(m_settings);
    m_pActions->markPreset(iPreset);
    slotSettingsChanged();
}

void Tessaview::slotChangeResize() {
    ChangeRender();
}

void Tessaview::setStayOnTop(bool on, bool show) {
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    // Changing the flags hides the window.
    if (show)
        this->show();
}

void Tessaview::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    if (!event)
        return;
    m_settings.SizeX = quint16(event->size().width());
    m_settings.SizeY = quint16(event->size().height());
    m_resizeTimer.start(250);
}

void Tessaview::closeEvent(QCloseEvent *event) {
    m_pDialogs->closeAll();
    event->accept();
}

void Tessaview::slotSettingsOpen() {
    m_pDialogs->openSettings();
}

void Tessaview::slotViewInfoPreset() {
    m_pDialogs->openInfo(InfoDlg::PagePreset);
}

void Tessaview::slotViewInfoNetwork() {
    m_pDialogs->openInfo(InfoDlg::PageNetwork);
}

void Tessaview::slotAbout() {
    m_pDialogs->openAbout();
}

void Tessaview::slotCheckForSoftwareUpdate() {
    slotCheckForSoftwareUpdate(true);
}

void Tessaview::slotCheckForSoftwareUpdate(bool GiveInfoForNoUpdates) {
    if (!m_pEngine)
        return;
    m_pDialogs->checkForUpdate(
        GiveInfoForNoUpdates,
        tr("<center>A new version %1 is available!</b><br>Download the update here :<br>%2"
           "</center>")
            .arg(QStringLiteral("$$$VERSION$$$"), m_sUpdateLink));
}

// The start-up countdown runs an event loop before the actions exist.
void Tessaview::contextMenuEvent(QContextMenuEvent *event) {
    if (m_pActions)
        m_pActions->showContextMenu(event->globalPos());
}

void Tessaview::keyPressEvent(QKeyEvent *event) {
    // The shortcuts have already had their turn; what arrives here is swallowed so no key
    // reaches a parent or the platform.
    event->accept();
    if (event->key() == Qt::Key_Menu && m_pActions)
        m_pActions->showContextMenu(QPoint(0, 0));
}

void Tessaview::slotSetLanguage(quint16 uiLanguage) {
    if (!m_pLanguage)
        return;
    const quint16 result = m_pLanguage->install(uiLanguage);
    // The model stores the corrected code and reports it again; that second pass finds the
    // code in effect and installs nothing.
    if (result != uiLanguage && m_pConfigurator)
        m_pConfigurator->slotSetLanguage(result);
}
