// Packet-to-pixel latency and CPU time where users look: on an X server (a private Xvfb at
// 1920 x 1080, the xcb platform, no window manager), factory settings (20 ms period), measured
// from outside each program.
//
// Rows, one program each, started with a settings store of its own:
// - the real program (tessaview);
// - the baseline: the engine and native widget in this bench (--subject always), repainted by a
//   plain timer every period whatever the data does;
// - an extra row on the offscreen platform: the engine, native widget and paint scheduler
//   (--subject follow), which has no frame buffer to read.
// Per row:
// - CPU idle: the program's CPU time from /proc/<pid>/stat over 10 s, starting 20 s after its
//   start (the baseline's 5 s: it paints the same at any age);
// - frame buffer: one ArtDmx to 127.0.0.1 that changes every cell, then one pixel of the root
//   window read by XGetImage in a tight loop until it shows the new colour; from before the
//   send to that read, over many sends at varying phases of the period;
// - paint end (the bench's own widgets only): from the send to the end of the paint that shows
//   it, read from the send time the ArtDmx carries in its first eight channels, beside the
//   program's own figure (ScreenEngine::latency: kernel receive stamp to paint end, last 10 s);
// - CPU data: CPU share while ArtDmx for that universe arrives at 44 Hz.
//   build/bench/bench_latency   (re-runs itself through scripts/in-netns.sh)
#include "bench/innetns.h"
#include "bench/xvfb.h"
#include "engine/paintscheduler.h"
#include "engine/screenengine.h"
#include "engine/widgetnative.h"
#include "settings/settingsrecord.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <arpa/inet.h>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>
#include <netinet/in.h>
#include <optional>
#include <sys/socket.h>
#include <vector>

namespace {

const QSize screen(1920, 1080);
constexpr int idleSeconds = 10;
constexpr int samples = 40;
constexpr double dataRate = 44;
constexpr int dataSeconds = 4;
constexpr double targetIdlePercent = 1;
constexpr double targetMedianMs = 2;
constexpr double targetP90Ms = 4;

qint64 nowNs(clockid_t clock = CLOCK_MONOTONIC) {
    timespec t{};
    clock_gettime(clock, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

void sleepUntil(qint64 ns) {
    const timespec due{time_t(ns / 1000000000), long(ns % 1000000000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &due, nullptr) != 0) {
    }
}

double percentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(p * double(values.size())))];
}

// ArtDmx for Port-Address 0 (universe 1 of the factory settings): 510 channels of `fill`, the
// first eight carrying the send time for the bench's own widgets.
class ArtDmxSender {
public:
    ArtDmxSender() : m_fd(socket(AF_INET, SOCK_DGRAM, 0)) {
        m_to.sin_family = AF_INET;
        m_to.sin_port = htons(6454);
        m_to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        m_packet = QByteArray("Art-Net", 8);
        m_packet.append(char(0x00)).append(char(0x50));           // OpCode ArtDmx
        m_packet.append(char(0)).append(char(14));                // ProtVer 14
        m_packet.append(char(0)).append(char(0));                 // Sequence off, Physical
        m_packet.append(char(0)).append(char(0));                 // Port-Address 0
        m_packet.append(char(510 >> 8)).append(char(510 & 0xFF)); // Length
        m_packet.append(QByteArray(510, '\0'));
    }
    ~ArtDmxSender() { close(m_fd); }

    // The send time.
    qint64 send(quint8 fill) {
        std::memset(m_packet.data() + 18, fill, 510);
        const qint64 sent = nowNs();
        for (int i = 0; i < 8; ++i)
            m_packet[18 + i] = char(quint64(sent) >> (56 - 8 * i));
        sendto(m_fd, m_packet.constData(), size_t(m_packet.size()), 0,
               reinterpret_cast<const sockaddr *>(&m_to), sizeof m_to);
        return sent;
    }

private:
    int m_fd;
    sockaddr_in m_to{};
    QByteArray m_packet;
};

// The X server's frame buffer as any client reads it: the root window.
class FrameBuffer {
public:
    FrameBuffer() : m_display(XOpenDisplay(nullptr)) {}
    ~FrameBuffer() {
        if (m_display)
            XCloseDisplay(m_display);
    }
    bool isOpen() const { return m_display != nullptr; }

    unsigned long pixel(QPoint at) {
        XImage *image = XGetImage(m_display, DefaultRootWindow(m_display), at.x(), at.y(), 1, 1,
                                  AllPlanes, ZPixmap);
        const unsigned long value = image ? XGetPixel(image, 0, 0) : 0;
        if (image)
            XDestroyImage(image);
        return value;
    }

    // The pixels at `points`, read in one request.
    std::vector<unsigned long> pixels(const std::vector<QPoint> &points) {
        std::vector<unsigned long> values;
        XImage *image =
            XGetImage(m_display, DefaultRootWindow(m_display), 0, 0, unsigned(screen.width()),
                      unsigned(screen.height()), AllPlanes, ZPixmap);
        for (const QPoint &p : points)
            values.push_back(image ? XGetPixel(image, p.x(), p.y()) : 0);
        if (image)
            XDestroyImage(image);
        return values;
    }

private:
    Display *m_display;
};

bool isGrey(unsigned long rgb) {
    return (rgb & 0xFF) == ((rgb >> 8) & 0xFF) && (rgb & 0xFF) == ((rgb >> 16) & 0xFF);
}

constexpr quint8 fillA = 0x30;
constexpr quint8 fillB = 0xD0;

// A pixel inside a cell, away from anything else on the screen that might change (the status
// text): grey in both looks, different between them, and back to the first look after the
// second. Nearest the middle first.
std::optional<QPoint> findCellPixel(FrameBuffer &fb, ArtDmxSender &sender) {
    std::vector<QPoint> points;
    for (int y = 20; y < screen.height(); y += 40)
        for (int x = 20; x < screen.width(); x += 40)
            points.emplace_back(x, y);
    const QPoint middle(screen.width() / 2, screen.height() / 2);
    std::sort(points.begin(), points.end(), [&](QPoint a, QPoint b) {
        return (a - middle).manhattanLength() < (b - middle).manhattanLength();
    });
    const auto look = [&](quint8 fill) {
        sender.send(fill);
        sleepUntil(nowNs() + 500000000);
        return fb.pixels(points);
    };
    const auto a = look(fillA), b = look(fillB), again = look(fillA);
    for (size_t i = 0; i < points.size(); ++i)
        if (a[i] == again[i] && a[i] != b[i] && isGrey(a[i]) && isGrey(b[i]))
            return points[i];
    return std::nullopt;
}

struct Figures {
    double idlePercent = -1;
    double laterIdlePercent = -1;
    double dataPercent = -1;
    std::vector<double> frameBufferMs;
    int missed = 0;
    std::vector<double> paintEndMs;
    QByteArray ownLine;
};

// The process's user and system time in seconds.
double cpuSeconds(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray line = stat.readAll();
    // Fields after the command name, which ends with the last ')': state is field 3.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return 0;
    return double(fields[11].toLongLong() + fields[12].toLongLong()) / double(sysconf(_SC_CLK_TCK));
}

double cpuPercentOver(qint64 pid, qint64 spanNs, const std::function<void()> &during) {
    const double before = cpuSeconds(pid);
    const qint64 start = nowNs();
    during();
    sleepUntil(start + spanNs);
    return 100.0 * (cpuSeconds(pid) - before) / (double(nowNs() - start) / 1e9);
}

struct Row {
    const char *name;
    const char *platform;
    QString program;
    QStringList arguments;
    int settleSeconds;
};

Figures measureRow(const Row &row) {
    Figures figures;
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QLatin1String(row.platform));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    QProcess program;
    program.setProcessEnvironment(env);
    program.setStandardErrorFile(QProcess::nullDevice());
    if (row.arguments.isEmpty())
        program.setStandardOutputFile(QProcess::nullDevice());
    const qint64 started = nowNs();
    program.start(row.program, row.arguments);
    if (!program.waitForStarted(5000)) {
        std::fprintf(stderr, "%s did not start\n", qPrintable(row.program));
        return figures;
    }
    const qint64 pid = program.processId();
    sleepUntil(started + qint64(row.settleSeconds) * 1000000000);
    figures.idlePercent = cpuPercentOver(pid, qint64(idleSeconds) * 1000000000, [] {});
    // The overlay's 1000 frames end about 20 s after the window's first apply, so the first
    // window may still hold its last second; the next one shows the idle program alone.
    if (row.settleSeconds >= 20)
        figures.laterIdlePercent = cpuPercentOver(pid, qint64(idleSeconds) * 1000000000, [] {});

    ArtDmxSender sender;
    FrameBuffer fb;
    std::optional<QPoint> cell;
    if (QLatin1String(row.platform) == QLatin1String("xcb") && fb.isOpen()) {
        cell = findCellPixel(fb, sender);
        if (!cell)
            std::fprintf(stderr, "%s: no pixel changes with the data\n", row.name);
    }
    unsigned long looks[2] = {0, 0};
    if (cell) {
        // The pixel's value for each fill, from the look the calibration left (fill A).
        looks[0] = fb.pixel(*cell);
        sender.send(fillB);
        sleepUntil(nowNs() + 300000000);
        looks[1] = fb.pixel(*cell);
    }
    for (int i = 0; i < samples; ++i) {
        // Pauses of 60 ... 155 ms put the sends at every phase of the 20 ms period.
        sleepUntil(nowNs() + (60 + (i * 37) % 96) * 1000000);
        const int look = i % 2;
        const qint64 sent = sender.send(look == 0 ? fillA : fillB);
        if (!cell)
            continue;
        const qint64 giveUp = sent + 1000000000;
        bool shown = false;
        while (!shown && nowNs() < giveUp)
            shown = fb.pixel(*cell) == looks[look];
        if (shown)
            figures.frameBufferMs.push_back(double(nowNs() - sent) / 1e6);
        else
            ++figures.missed;
    }

    figures.dataPercent = cpuPercentOver(pid, qint64(dataSeconds) * 1000000000, [&] {
        const qint64 step = qint64(1e9 / dataRate);
        const qint64 start = nowNs();
        for (qint64 n = 0; n * step < qint64(dataSeconds) * 1000000000; ++n) {
            sleepUntil(start + n * step);
            sender.send(quint8(n));
        }
    });

    program.terminate();
    if (!program.waitForFinished(5000)) {
        program.kill();
        program.waitForFinished(5000);
    }
    const QByteArray output =
        row.arguments.isEmpty() ? QByteArray() : program.readAllStandardOutput();
    for (const QByteArray &line : output.split('\n')) {
        if (line.startsWith("paint "))
            figures.paintEndMs.push_back(line.mid(6).toDouble());
        else if (line.startsWith("own "))
            figures.ownLine = line.mid(4);
    }
    return figures;
}

void printFigures(const char *name, const char *platform, const std::vector<double> &ms,
                  const char *idle, const char *data, int missed = 0) {
    if (ms.empty()) {
        std::printf("%-34s %-9s %8s %8s %8s %8s %8s\n", name, platform, idle, data, "-", "-", "-");
        return;
    }
    std::printf("%-34s %-9s %8s %8s %8.2f %8.2f %8.2f %4zu", name, platform, idle, data,
                percentile(ms, 0.5), percentile(ms, 0.9), *std::max_element(ms.begin(), ms.end()),
                ms.size());
    if (missed)
        std::printf("  (%d never shown within 1 s)", missed);
    std::printf("\n");
}

void report(const Row &row, const Figures &f) {
    const QByteArray idle =
        f.idlePercent < 0 ? "-" : QByteArray::number(f.idlePercent, 'f', 2) + " %";
    const QByteArray data =
        f.dataPercent < 0 ? "-" : QByteArray::number(f.dataPercent, 'f', 2) + " %";
    const bool onX = QLatin1String(row.platform) == QLatin1String("xcb");
    printFigures(row.name, row.platform, onX ? f.frameBufferMs : std::vector<double>{},
                 idle.constData(), data.constData(), f.missed);
    if (f.laterIdlePercent >= 0)
        std::printf("  CPU idle, the next %d s: %.2f %%\n", idleSeconds, f.laterIdlePercent);
    if (!f.paintEndMs.empty()) {
        printFigures("  paint end", "", f.paintEndMs, "", "");
        std::printf("  own figure, last 10 s (median, max ms, frames): %s\n",
                    f.ownLine.constData());
    }
}

// --subject: the engine and native widget of this bench, painting at every period ("always")
// or through the paint scheduler ("follow"), printing the paint end of every new send time.
class TimedWidget : public WidgetNative {
public:
    TimedWidget(ScreenEngine *engine, QSize size)
        : WidgetNative(engine, nullptr, size), m_engine(engine) {}

protected:
    void paintEvent(QPaintEvent *event) override {
        // The engine takes its own copy right after this one; a datagram landing in between
        // only makes that one figure late.
        m_engine->frameStore().snapshot(m_bytes);
        WidgetNative::paintEvent(event);
        if (m_bytes.size() < 8)
            return;
        quint64 sent = 0;
        for (int i = 0; i < 8; ++i)
            sent = (sent << 8) | quint8(m_bytes[i]);
        if (sent == 0 || sent == m_lastSent)
            return;
        m_lastSent = sent;
        std::printf("paint %.3f\n", double(nowNs() - qint64(sent)) / 1e6);
        const LatencyFigures own = m_engine->latency(ScreenEngine::Protocol::Any);
        std::printf("own %.2f, %.2f, %u\n", own.medianMs, own.maxMs, own.count);
        std::fflush(stdout);
    }

private:
    ScreenEngine *m_engine;
    QByteArray m_bytes;
    quint64 m_lastSent = 0;
};

int runSubject(int argc, char **argv, bool always) {
    QApplication app(argc, argv);
    SettingsRecord settings;
    setFactoryDefaults(settings, screen);
    ScreenEngine engine;
    engine.configure(nullptr, settings, 0, 0, {});
    TimedWidget widget(&engine, screen);
    widget.move(0, 0);
    widget.show();
    PaintScheduler scheduler(engine);
    QTimer tick;
    if (always) {
        QObject::connect(&tick, &QTimer::timeout, &widget, qOverload<>(&QWidget::repaint));
        tick.start(settings.TimerInMs);
    } else {
        scheduler.setTarget(&widget);
        scheduler.start(settings.TimerInMs);
    }
    return app.exec();
}

} // namespace

int main(int argc, char **argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--subject") == 0)
        return runSubject(argc, argv, std::strcmp(argv[2], "always") == 0);
    if (!runInPrivateNetwork(argc, argv))
        return 2;
    PrivateXvfb xvfb(screen);
    if (!xvfb.isRunning())
        return 2;
    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    const Row rows[] = {
        {"tessaview", "xcb", QStringLiteral(TESSAVIEW_PROGRAM), {}, 20},
        {"baseline: repaint every tick", "xcb", self, {"--subject", "always"}, 5},
        {"engine + scheduler", "offscreen", self, {"--subject", "follow"}, 20},
    };
    std::printf("Xvfb %s, %dx%d, factory settings (20 ms period), Art-Net universe 1\n",
                xvfb.display().constData(), screen.width(), screen.height());
    std::printf("CPU idle: %d s from 20 s after start (baseline: 5 s); CPU data: ArtDmx at %.0f "
                "Hz; latency ms over %d single ArtDmx: X frame buffer, or paint end\n",
                idleSeconds, dataRate, samples);
    std::printf("%-34s %-9s %8s %8s %8s %8s %8s %4s\n", "", "platform", "CPU idle", "CPU data",
                "median", "p90", "max", "n");
    std::printf("%-34s %-9s %6.0f %% %8s %8.0f %8.0f %8s\n", "target", "xcb", targetIdlePercent, "",
                targetMedianMs, targetP90Ms, "");
    std::fflush(stdout);
    for (const Row &row : rows) {
        report(row, measureRow(row));
        std::fflush(stdout);
    }
    return 0;
}
