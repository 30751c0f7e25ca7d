// Packet-to-pixel latency and CPU time of the real engine and native widget at 1920 x 1080
// with the factory settings (20 ms period), under the offscreen platform. A sender process
// (this program with --send) sends ArtDmx for universe 0 to 127.0.0.1 with its send time
// (CLOCK_MONOTONIC, shared by all processes) in the first eight channels; the widget notes
// when a paint that shows a new send time ends. The same run measures the baseline: a plain
// timer repainting every period whatever the data does. Beside each external figure stands the
// program's own (ScreenEngine::latency, from the kernel's receive stamp to the end of the
// paint) over the same sending: the two should agree within 1 ms at the median.
//   build/bench/bench_latency   (re-runs itself through scripts/in-netns.sh)
#include "bench/innetns.h"
#include "engine/paintscheduler.h"
#include "engine/screenengine.h"
#include "engine/widgetnative.h"
#include "settings/settingsrecord.h"

#include <QApplication>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <arpa/inet.h>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <vector>

namespace {

constexpr double dataRate = 44;
constexpr int measureSeconds = 6;
const QSize screen(1920, 1080);

qint64 monotonicNs(clockid_t clock = CLOCK_MONOTONIC) {
    timespec t{};
    clock_gettime(clock, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

int runSender(double rate, double seconds) {
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(6454);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    QByteArray packet("Art-Net", 8);
    packet.append(char(0x00)).append(char(0x50));           // 8: OpCode ArtDmx, little-endian
    packet.append(char(0)).append(char(14));                // 10: ProtVer 14
    packet.append(char(0));                                 // 12: Sequence (off)
    packet.append(char(0));                                 // 13: Physical
    packet.append(char(0)).append(char(0));                 // 14: SubUni, Net: Port-Address 0
    packet.append(char(510 >> 8)).append(char(510 & 0xFF)); // 16: Length, big-endian
    packet.append(QByteArray(510, '\0'));                   // 18: data
    const qint64 step = qint64(1e9 / rate);
    const qint64 start = monotonicNs();
    for (qint64 n = 0; n * step < qint64(seconds * 1e9); ++n) {
        timespec due{};
        const qint64 at = start + n * step;
        due.tv_sec = time_t(at / 1000000000);
        due.tv_nsec = long(at % 1000000000);
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &due, nullptr);
        const qint64 sent = monotonicNs();
        for (int i = 0; i < 8; ++i)
            packet[18 + i] = char(quint64(sent) >> (56 - 8 * i));
        sendto(fd, packet.constData(), size_t(packet.size()), 0,
               reinterpret_cast<const sockaddr *>(&to), sizeof to);
    }
    return 0;
}

// Notes the end of each paint that shows a send time not shown before.
class TimedWidget : public WidgetNative {
public:
    TimedWidget(ScreenEngine *engine, QSize size)
        : WidgetNative(engine, nullptr, size), m_engine(engine) {}
    std::vector<double> latenciesMs;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *event) override {
        // The engine takes its own copy right after this one; a datagram landing in between is
        // rare at 44 Hz and only makes that one figure late.
        m_engine->frameStore().snapshot(m_bytes);
        WidgetNative::paintEvent(event);
        ++paints;
        if (m_bytes.size() < 8)
            return;
        quint64 sent = 0;
        for (int i = 0; i < 8; ++i)
            sent = (sent << 8) | quint8(m_bytes[i]);
        if (sent != 0 && sent != m_lastSent) {
            m_lastSent = sent;
            latenciesMs.push_back(double(monotonicNs() - qint64(sent)) / 1e6);
        }
    }

private:
    ScreenEngine *m_engine;
    QByteArray m_bytes;
    quint64 m_lastSent = 0;
};

void runEventLoopFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// CPU share of one core over the span, in percent, while `during` runs the event loop.
template <typename During> double cpuPercent(During during) {
    const qint64 cpu = monotonicNs(CLOCK_PROCESS_CPUTIME_ID);
    const qint64 wall = monotonicNs();
    during();
    return 100.0 * double(monotonicNs(CLOCK_PROCESS_CPUTIME_ID) - cpu) /
           double(monotonicNs() - wall);
}

void sendWhileRunning(const char *self) {
    QProcess sender;
    QEventLoop loop;
    QObject::connect(&sender, &QProcess::finished, &loop, &QEventLoop::quit);
    sender.start(QString::fromLocal8Bit(self), {QStringLiteral("--send"), QString::number(dataRate),
                                                QString::number(measureSeconds)});
    loop.exec();
}

double percentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(p * double(values.size())))];
}

void report(const char *name, double idle, double busy, const std::vector<double> &latencies,
            const LatencyFigures &own) {
    std::printf("%-30s %8.2f %% %8.2f %% %9.2f %9.2f %9.2f %6zu\n", name, idle, busy,
                percentile(latencies, 0.5), percentile(latencies, 0.9),
                latencies.empty() ? 0.0 : *std::max_element(latencies.begin(), latencies.end()),
                latencies.size());
    std::printf("%-30s %10s %10s %9.2f %9s %9.2f %6u\n", "  own figure (last 10 s)", "", "",
                own.medianMs, "", own.maxMs, own.count);
}

} // namespace

int main(int argc, char **argv) {
    if (argc == 4 && std::strcmp(argv[1], "--send") == 0)
        return runSender(std::atof(argv[2]), std::atof(argv[3]));
    if (!runInPrivateNetwork(argc, argv))
        return 2;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    SettingsRecord settings;
    setFactoryDefaults(settings, screen);
    ScreenEngine engine;
    engine.configure(nullptr, settings, 0, 0, {});
    TimedWidget widget(&engine, screen);
    widget.show();
    auto scheduler = std::make_unique<PaintScheduler>(engine);
    scheduler->setTarget(&widget);
    scheduler->start(settings.TimerInMs);
    std::printf("waiting for the status overlay after the apply to go (1000 frames)...\n");
    while (engine.statusFrameCount() < 1000)
        runEventLoopFor(100);
    runEventLoopFor(200);

    std::printf("\n%dx%d, factory settings (%d ms period), ArtDmx on one universe at %.0f Hz\n",
                screen.width(), screen.height(), int(settings.TimerInMs), dataRate);
    std::printf("%-30s %10s %10s %9s %9s %9s %6s\n", "", "CPU idle", "CPU data", "median", "p90",
                "max ms", "frames");

    const auto measure = [&](const char *name) {
        const double idle = cpuPercent([] { runEventLoopFor(measureSeconds * 1000); });
        widget.latenciesMs.clear();
        const double busy = cpuPercent([&] { sendWhileRunning(argv[0]); });
        // The idle span before (6 s) covers the rest of the 10 s window, so the own figure
        // holds this sending only.
        report(name, idle, busy, widget.latenciesMs, engine.latency(ScreenEngine::Protocol::Any));
    };
    measure("paint follows the data");

    scheduler.reset();
    QTimer always;
    QObject::connect(&always, &QTimer::timeout, &widget, qOverload<>(&QWidget::repaint));
    always.start(settings.TimerInMs);
    measure("baseline: repaint every tick");
    return 0;
}
