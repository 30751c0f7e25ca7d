#pragma once

#include "buildinfo.h"
#include "peertools.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <functional>
#include <vector>

#include <sys/prctl.h>

// The real program on a virtual X screen beside OLA's daemon, watched through screenshots of the
// whole screen. The test program runs itself through scripts/ola-peer.sh (see peertools.h), so it
// sits in a network namespace of its own that also holds Xvfb and the program; olad is in the
// namespace across the veth pair.
namespace E2e {

// The virtual screen, and the window placed on all of it.
inline constexpr int screenWidth = 640;
inline constexpr int screenHeight = 480;

// Children die with this process even when it is killed outright (a test timeout).
inline void dieWithParent() {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
}

using Peer::enterHarness;
using Peer::levelList;
using Peer::OlaRun;
using Peer::runOla;

// A distinct, clearly coloured (never grey, never dark) RGB triple per cell and pattern, so a
// cell painted in the wrong place or from the wrong universe shows the wrong colour.
inline QRgb cellColour(int cell, int pattern) {
    const int r = 60 + (cell * 37 + pattern * 71) % 190;
    const int g = 40 + (cell * 53 + pattern * 29 + 90) % 200;
    int b = 50 + (cell * 19 + pattern * 97 + 30) % 190;
    if (r == g && g == b)
        b = (b + 100) % 190 + 50;
    return qRgb(r, g, b);
}

// The channel levels of `cells` RGB cells starting with cell `first`.
inline QByteArray rgbLevels(int first, int cells, int pattern) {
    QByteArray levels;
    for (int cell = first; cell < first + cells; ++cell) {
        const QRgb c = cellColour(cell, pattern);
        levels += char(qRed(c));
        levels += char(qGreen(c));
        levels += char(qBlue(c));
    }
    return levels;
}

// A colour as the picture shows it at display level `level`: each channel scaled to
// floor(level x value / 255).
inline QRgb dimmed(QRgb colour, int level) {
    return qRgb(level * qRed(colour) / 255, level * qGreen(colour) / 255,
                level * qBlue(colour) / 255);
}

// Where the centre of a cell lands on the screen: the grid divides the picture into equal cells
// (the leftover pixels split into two margins); a rotation of 90 degrees turns the picture
// clockwise and stretches it back onto the screen.
struct Grid {
    int cols = 0;
    int rows = 0;
    int rotation = 0;

    QPoint centre(int cell) const {
        const int cellW = screenWidth / cols, cellH = screenHeight / rows;
        const int col = cell % cols, row = cell / cols;
        const double x = (screenWidth % cols) / 2 + col * cellW + cellW / 2.0;
        const double y = (screenHeight % rows) / 2 + row * cellH + cellH / 2.0;
        if (rotation == 90)
            return QPoint(qRound(screenWidth - y * screenWidth / screenHeight),
                          qRound(x * screenHeight / screenWidth));
        return QPoint(qRound(x), qRound(y));
    }
};

inline QString colourName(QRgb c) {
    return QColor(c).name();
}

// Whether the square around `at` mostly shows `colour`: the status text may cross a cell, so at
// least a third of its pixels must match exactly, which no other cell colour and no glyph edge
// can reach.
inline bool shows(const QImage &shot, QPoint at, QRgb colour) {
    constexpr int half = 5;
    int matching = 0, total = 0;
    for (int y = at.y() - half; y <= at.y() + half; ++y)
        for (int x = at.x() - half; x <= at.x() + half; ++x) {
            if (!shot.valid(x, y))
                continue;
            ++total;
            matching += (shot.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
        }
    return total > 0 && matching * 3 >= total;
}

// "" when every listed cell shows its colour, else the first mismatches.
inline QString cellMismatches(const QImage &shot, const Grid &grid,
                              const std::vector<std::pair<int, QRgb>> &expected) {
    QStringList wrong;
    for (const auto &[cell, colour] : expected) {
        const QPoint at = grid.centre(cell);
        if (!shows(shot, at, colour))
            wrong << QStringLiteral("cell %1 at (%2, %3): %4, expected %5")
                         .arg(cell)
                         .arg(at.x())
                         .arg(at.y())
                         .arg(colourName(shot.pixel(at)), colourName(colour));
        if (wrong.size() >= 5)
            break;
    }
    return wrong.join(u'\n');
}

// Pixels in the status text's own grey (the inside of its strokes; the anti-aliased edges blend
// with the cells). A cell colour never equals it.
inline int statusPixels(const QImage &shot) {
    constexpr QRgb statusGrey = qRgb(160, 160, 164);
    int count = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            count += shot.pixel(x, y) == statusGrey;
    return count;
}

// One virtual screen for the whole test program and one run of the program at a time, each
// with a private settings store in a temporary home.
class Rig {
public:
    ~Rig() {
        stopProgram();
        if (m_xvfb.state() != QProcess::NotRunning) {
            m_xvfb.terminate();
            if (!m_xvfb.waitForFinished(3000))
                m_xvfb.kill();
            m_xvfb.waitForFinished(3000);
        }
    }

    // "" when the screen is up, else why not.
    QString startScreen() {
        for (const char *tool : {"Xvfb", "import"})
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                return QStringLiteral("%1 is not installed").arg(QLatin1String(tool));
        if (!m_home.isValid())
            return QStringLiteral("no temporary folder");
        // Xvfb picks a free display and writes its number to the descriptor given. It listens
        // only on the abstract socket, which belongs to this network namespace: the socket
        // files in /tmp/.X11-unix are shared by every namespace, and Xvfb in another one would
        // take the same number and replace ours.
        m_xvfb.setChildProcessModifier(dieWithParent);
        m_xvfb.setStandardErrorFile(m_home.filePath(QStringLiteral("xvfb.log")));
        m_xvfb.start(QStringLiteral("Xvfb"),
                     {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                      QStringLiteral("0"),
                      QStringLiteral("%1x%2x24").arg(screenWidth).arg(screenHeight),
                      QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                      QStringLiteral("-nolisten"), QStringLiteral("unix")});
        QByteArray number;
        QElapsedTimer waited;
        waited.start();
        while (!number.contains('\n') && waited.elapsed() < 10000 &&
               m_xvfb.state() != QProcess::NotRunning) {
            m_xvfb.waitForReadyRead(200);
            number += m_xvfb.readAllStandardOutput();
        }
        if (!number.contains('\n'))
            return QStringLiteral("Xvfb did not start (see %1)")
                .arg(m_home.filePath(QStringLiteral("xvfb.log")));
        m_display = QLatin1Char(':') + QString::fromLatin1(number.trimmed());
        return {};
    }

    QString display() const { return m_display; }

    // The store the program reads: QSettings' native store under XDG_CONFIG_HOME.
    QString storePath() const {
        return m_home.filePath(
            QStringLiteral("config/%1/%2.conf")
                .arg(QLatin1String(BuildInfo::makerWeb), QLatin1String(BuildInfo::productName)));
    }

    // Replaces the store with `values` (the store's own key names).
    void writeStore(const QVariantMap &values) {
        QFile::remove(storePath());
        QSettings store(storePath(), QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            store.setValue(it.key(), it.value());
        store.sync();
    }

    QVariantMap readStore() const {
        QSettings store(storePath(), QSettings::IniFormat);
        QVariantMap values;
        for (const QString &key : store.allKeys())
            values.insert(key, store.value(key));
        return values;
    }

    // Starts the program and waits for its first apply, after which its receivers listen.
    // "" on success, else why not.
    QString startProgram() {
        stopProgram();
        QDir(m_home.path()).mkpath(QStringLiteral("home"));
        QDir(m_home.path()).mkpath(QStringLiteral("runtime"));
        QFile::setPermissions(m_home.filePath(QStringLiteral("runtime")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                  QFileDevice::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), m_display);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("HOME"), m_home.filePath(QStringLiteral("home")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.filePath(QStringLiteral("runtime")));
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("default.debug=true"));
        env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        env.remove(QStringLiteral("LANGUAGE"));
        m_program.setProcessEnvironment(env);
        m_program.setProcessChannelMode(QProcess::MergedChannels);
        m_program.setStandardOutputFile(logPath());
        m_program.setChildProcessModifier(dieWithParent);
        m_program.start(QStringLiteral(TESSAVIEW_PROGRAM), {});
        if (!m_program.waitForStarted(5000))
            return QStringLiteral("the program did not start: ") + m_program.errorString();
        if (!waitForLog("Setting Changed", 15000))
            return QStringLiteral("no apply within 15 s on %1 (Xvfb %2); output:\n")
                       .arg(m_display, m_xvfb.state() == QProcess::Running
                                           ? QStringLiteral("running")
                                           : QStringLiteral("ended")) +
                   log();
        // Placing the window resizes it, and 250 ms after the last resize the window applies
        // its settings again, which starts a new, cleared frame: data sent before that is
        // lost. Wait until the applies have stopped.
        QElapsedTimer waited, quiet;
        waited.start();
        quiet.start();
        qsizetype applies = log().count(QLatin1String("Setting Changed"));
        while (quiet.elapsed() < 600) {
            if (waited.elapsed() > 10000)
                return QStringLiteral("the program keeps applying its settings:\n") + log();
            QTest::qWait(50);
            const qsizetype now = log().count(QLatin1String("Setting Changed"));
            if (now != applies) {
                applies = now;
                quiet.restart();
            }
        }
        return {};
    }

    void stopProgram() {
        if (m_program.state() == QProcess::NotRunning)
            return;
        m_program.terminate();
        if (!m_program.waitForFinished(3000))
            m_program.kill();
        m_program.waitForFinished(3000);
    }

    bool programRunning() const { return m_program.state() == QProcess::Running; }

    QString logPath() const { return m_home.filePath(QStringLiteral("program.log")); }

    QString log() const {
        QFile file(logPath());
        return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
    }

    bool waitForLog(const char *text, int timeoutMs) {
        QElapsedTimer waited;
        waited.start();
        while (!log().contains(QLatin1String(text))) {
            if (waited.elapsed() > timeoutMs || m_program.state() == QProcess::NotRunning)
                return false;
            QTest::qWait(50);
        }
        return true;
    }

    // The whole screen as ImageMagick's import reads it from the X server.
    QImage screenshot() {
        QProcess import;
        import.start(QStringLiteral("import"),
                     {QStringLiteral("-display"), m_display, QStringLiteral("-window"),
                      QStringLiteral("root"), QStringLiteral("-silent"), QStringLiteral("ppm:-")});
        if (!import.waitForFinished(10000) || import.exitCode() != 0)
            return {};
        return QImage::fromData(import.readAllStandardOutput(), "PPM")
            .convertToFormat(QImage::Format_RGB32);
    }

    // Takes screenshots until `check` finds nothing wrong ("") or `timeoutMs` passes; calls
    // `resend` at the start and then once a second, since OLA sends its data only once.
    // Returns "" or the last complaint; the last screenshot of a failure is kept for a look.
    QString waitForPicture(const std::function<QString(const QImage &)> &check, int timeoutMs,
                           const std::function<void()> &resend = {}) {
        QElapsedTimer waited, sinceSend;
        waited.start();
        sinceSend.start();
        if (resend)
            resend();
        for (;;) {
            const QImage shot = screenshot();
            const QString complaint = shot.isNull() ? QStringLiteral("no screenshot") : check(shot);
            if (complaint.isEmpty())
                return {};
            if (waited.elapsed() > timeoutMs) {
                const QString kept =
                    QDir::current().filePath(QStringLiteral("failed-%1.png")
                                                 .arg(QLatin1String(QTest::currentTestFunction())));
                shot.save(kept);
                return complaint + QStringLiteral("\n(screenshot: %1)").arg(kept);
            }
            if (resend && sinceSend.elapsed() > 1000) {
                resend();
                sinceSend.restart();
            }
            QTest::qWait(100);
        }
    }

    // OLA's Art-Net plugin sends ArtDmx only to nodes that answered its ArtPoll, and polls when
    // a port is patched: patching again right after the program listens saves waiting for its
    // next poll.
    static bool repatchArtNet(const std::vector<std::pair<int, int>> &portToUniverse) {
        const QString device = qEnvironmentVariable("TESSAVIEW_OLA_DEVICE_ARTNET");
        for (const auto &[port, universe] : portToUniverse) {
            const QStringList args{
                QStringLiteral("ola_patch"), QStringLiteral("-d"),  device,
                QStringLiteral("-p"),        QString::number(port), QStringLiteral("-u"),
                QString::number(universe)};
            runOla(args + QStringList{QStringLiteral("-r")});
            if (!runOla(args).ok())
                return false;
        }
        return true;
    }

private:
    QTemporaryDir m_home;
    QProcess m_xvfb;
    QProcess m_program;
    QString m_display;
};

// The store every test starts from: the window on the whole virtual screen at a fixed size
// (not full screen: no window manager places it), no update check, no start-up countdown.
inline QVariantMap baseStore() {
    return {
        {QStringLiteral("ScreenNumber"), -2},
        {QStringLiteral("PosX"), 0},
        {QStringLiteral("PosY"), 0},
        {QStringLiteral("SizeX"), screenWidth},
        {QStringLiteral("SizeY"), screenHeight},
        {QStringLiteral("UpdateCheck"), 0},
        {QStringLiteral("TimerStartup"), 0},
        {QStringLiteral("TimerInMs"), 20},
        {QStringLiteral("UseOpenGL"), 0},
        {QStringLiteral("ShapeType"), 0},
    };
}

} // namespace E2e
