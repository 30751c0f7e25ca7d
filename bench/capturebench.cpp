// Recording and replay at a large rig's rate: 1024 universes of Art-Net and 1024 of sACN at
// 44 Hz (about 90,000 datagrams a second) into the real receivers on loopback, first without
// and then with a recording, then that recording replayed at x1 and x4 into fresh receivers.
// Prints the receive cost per datagram of both runs, what was lost or not recorded, and how
// late each replayed datagram reached its receiver, beside the targets. Never enforced.
#include "bench/innetns.h"
#include "capture/capturereader.h"
#include "capture/networkrecorder.h"
#include "capture/replayfeed.h"
#include "net/acnnet.h"
#include "net/artnet.h"
#include "net/framestore.h"
#include "net/monotonicclock.h"
#include "net/network.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pthread.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

namespace {

constexpr int universes = 1024;
constexpr double rateHz = 44;
constexpr double perProtocol = universes * rateHz;
constexpr int seconds = 5;
constexpr int sacnSettleMs = 1600;

QByteArray artDmx(int portAddress) {
    QByteArray d("Art-Net\0", 8);
    d += QByteArray::fromHex("0050000e0000");
    d += char(portAddress & 0xFF);
    d += char(portAddress >> 8);
    d += QByteArray::fromHex("0200");
    return d + QByteArray(512, '\x40');
}

QByteArray e131(int universe) {
    QByteArray p(638, '\0');
    const auto put16 = [&p](int at, int v) {
        p[at] = char(v >> 8);
        p[at + 1] = char(v & 0xFF);
    };
    put16(0, 0x0010);
    std::memcpy(p.data() + 4, "ASC-E1.17\0\0\0", 12);
    put16(16, 0x7000 | (638 - 16));
    p[21] = 0x04;
    std::memset(p.data() + 22, 0xA5, 16);
    put16(38, 0x7000 | (638 - 38));
    p[43] = 0x02;
    std::memcpy(p.data() + 44, "bench", 5);
    p[108] = char(100);
    put16(113, universe);
    put16(115, 0x7000 | (638 - 115));
    p[117] = 0x02;
    p[118] = char(0xA1);
    put16(121, 1);
    put16(123, 513);
    std::memset(p.data() + 126, 0x40, 512);
    return p;
}

// The sending process: both protocols, round robin over the universes, paced per millisecond.
int runSender() {
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    std::vector<QByteArray> art, acn;
    for (int u = 0; u < universes; ++u) {
        art.push_back(artDmx(u));
        acn.push_back(e131(u + 1));
    }
    sockaddr_in artTo{}, acnTo{};
    artTo.sin_family = acnTo.sin_family = AF_INET;
    artTo.sin_addr.s_addr = acnTo.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    artTo.sin_port = htons(6454);
    acnTo.sin_port = htons(5568);
    quint64 sent = 0, failed = 0;
    QElapsedTimer clock;
    clock.start();
    const quint64 total = quint64(perProtocol * seconds);
    while (sent < total) {
        const quint64 due =
            std::min(total, quint64(double(clock.nsecsElapsed()) * perProtocol / 1e9));
        for (; sent < due; ++sent) {
            const int u = int(sent % universes);
            QByteArray &a = acn[size_t(u)];
            a[111] = char(sent / universes);
            for (const auto &[bytes, to] : {std::pair{&art[size_t(u)], &artTo}, {&a, &acnTo}})
                if (sendto(fd, bytes->constData(), size_t(bytes->size()), 0,
                           reinterpret_cast<const sockaddr *>(to), sizeof *to) < 0)
                    ++failed;
        }
        usleep(500);
    }
    std::printf("%llu %llu\n", (unsigned long long)(2 * sent), (unsigned long long)failed);
    return 0;
}

quint64 socketDrops() {
    quint64 drops = 0;
    QFile file(QStringLiteral("/proc/net/udp"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    file.readLine();
    while (!file.atEnd()) {
        const QList<QByteArray> f = file.readLine().simplified().split(' ');
        if (f.size() >= 13 && (f[1].endsWith(":1936") || f[1].endsWith(":15C0")))
            drops += f[12].toULongLong();
    }
    return drops;
}

double cpuSeconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// The receivers as the engine runs them: the node on this thread, sACN in its own.
struct Rig {
    explicit Rig(network *net) : node(net), sacn(new acnnet(net)) {
        store.allocate(universes * 512, 512);
        node.setStartUniverse(0);
        node.setFrameBuffer(&store);
        sacn->moveToThread(&thread);
        thread.start(QThread::HighPriority);
        sacn->setStartUniverse(0);
        sacn->setFrameBuffer(&store);
        pthread_t id{};
        QMetaObject::invokeMethod(
            sacn, [&id] { id = pthread_self(); }, Qt::BlockingQueuedConnection);
        pthread_getcpuclockid(id, &sacnClock);
    }
    ~Rig() {
        sacn->setFrameBuffer(nullptr);
        QObject::connect(sacn, &QObject::destroyed, &thread, &QThread::quit, Qt::DirectConnection);
        sacn->deleteLater();
        thread.wait();
    }
    double receiveCpu() const {
        return cpuSeconds(CLOCK_THREAD_CPUTIME_ID) + cpuSeconds(sacnClock);
    }
    FrameStore store;
    artnet node;
    QThread thread;
    acnnet *sacn;
    clockid_t sacnClock{};
};

struct Receiving {
    quint64 sent = 0, failed = 0, dropped = 0;
    double cpuUsPerDatagram = 0;
};

std::optional<Receiving> receive(network *net, NetworkRecorder *recorder) {
    Rig rig(net);
    QThread::msleep(sacnSettleMs);
    if (recorder) {
        rig.node.setTap(recorder);
        rig.sacn->setTap(recorder);
    }
    const quint64 dropsBefore = socketDrops();
    const double cpuBefore = rig.receiveCpu();
    QProcess sender;
    sender.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sender.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--send")});
    QEventLoop loop;
    QObject::connect(&sender, &QProcess::finished, &loop, &QEventLoop::quit);
    if (sender.state() != QProcess::NotRunning)
        loop.exec();
    // What is still queued in the sockets.
    QElapsedTimer drain;
    drain.start();
    while (drain.elapsed() < 300)
        QCoreApplication::processEvents();
    Receiving r;
    r.dropped = socketDrops() - dropsBefore;
    unsigned long long sent = 0, failed = 0;
    if (std::sscanf(sender.readAllStandardOutput().constData(), "%llu %llu", &sent, &failed) != 2)
        return std::nullopt;
    r.sent = sent;
    r.failed = failed;
    const quint64 received = r.sent - r.failed - r.dropped;
    r.cpuUsPerDatagram =
        (rig.receiveCpu() - cpuBefore) * 1e6 / double(std::max<quint64>(1, received));
    if (recorder) {
        rig.node.setTap(nullptr);
        rig.sacn->setTap(nullptr);
    }
    return r;
}

struct Lateness {
    double medianMs = 0, p99Ms = 0, maxMs = 0, over2Ms = 0;
};

Lateness summarize(std::vector<qint64> &late) {
    if (late.empty())
        return {};
    std::sort(late.begin(), late.end());
    Lateness l;
    l.medianMs = double(late[late.size() / 2]) / 1e6;
    l.p99Ms = double(late[late.size() * 99 / 100]) / 1e6;
    l.maxMs = double(late.back()) / 1e6;
    l.over2Ms = 100.0 * double(late.end() - std::upper_bound(late.begin(), late.end(), 2'000'000)) /
                double(late.size());
    return l;
}

// The baseline for the replay's timing: a thread that does nothing but sleep until each
// datagram of the capture is due, as the replay thread does. What it shows is this machine's
// own wake-up jitter (on a virtual machine, also the time the host takes the CPU away).
Lateness sleepingAlone(const QString &file) {
    std::vector<qint64> times;
    CaptureReader reader;
    CapturedDatagram datagram;
    if (!reader.open(file))
        return {};
    while (reader.next(datagram))
        times.push_back(datagram.timeNs);
    std::vector<qint64> late;
    late.reserve(times.size());
    std::thread([&] {
        const qint64 startNs = monotonicNs();
        for (const qint64 t : times) {
            const qint64 dueNs = startNs + (t - times.front());
            if (dueNs > monotonicNs() + 50'000)
                std::this_thread::sleep_until(
                    std::chrono::steady_clock::time_point(std::chrono::nanoseconds(dueNs)));
            late.push_back(monotonicNs() - dueNs);
        }
    }).join();
    return summarize(late);
}

struct Replayed {
    quint64 handed = 0;
    double openSeconds = 0;
    double seconds = 0;
    Lateness late;
};

Replayed replay(network *net, const QString &file, double speed) {
    Rig rig(net);
    QThread::msleep(sacnSettleMs);
    std::mutex lock;
    std::vector<qint64> late;
    late.reserve(size_t(perProtocol * 2 * seconds * 1.1));
    ReplayFeed feed({[&rig] { return &rig.node; }, [&rig] { return rig.sacn; },
                     [&rig](bool on) {
                         rig.node.setReplaying(on);
                         rig.sacn->setReplaying(on);
                     },
                     [] {}});
    feed.setHandOverProbe([&](quint16, qint64 ns) {
        const std::lock_guard guard(lock);
        late.push_back(ns);
    });
    bool done = false;
    QObject::connect(&feed, &ReplayFeed::finished, [&done] { done = true; });
    // Opening reads the file through once for its length; the replay is timed from its end.
    QElapsedTimer clock;
    clock.start();
    if (!feed.start(file, false).isEmpty())
        return {};
    Replayed r;
    r.openSeconds = double(clock.nsecsElapsed()) / 1e9;
    clock.start();
    feed.setSpeed(speed);
    while (!done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    r.seconds = double(clock.nsecsElapsed()) / 1e9;
    // The last sACN batch may still be queued to its thread.
    QThread::msleep(200);
    const std::lock_guard guard(lock);
    r.handed = late.size();
    r.late = summarize(late);
    return r;
}

int runBenchmark() {
    network net;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("rig.pcap"));
    std::printf("capture bench: %d universes per protocol at %.0f Hz, %d s, %.0f datagrams/s\n",
                universes, rateHz, seconds, 2 * perProtocol);

    const auto baseline = receive(&net, nullptr);
    NetworkRecorder recorder;
    if (!recorder.start(file).isEmpty())
        return 1;
    const auto recording = receive(&net, &recorder);
    recorder.stop();
    if (!baseline || !recording)
        return 1;
    const double rise = 100.0 * (recording->cpuUsPerDatagram / baseline->cpuUsPerDatagram - 1);
    std::printf("%-34s %10s %10s %10s %12s\n", "", "sent", "dropped", "not rec.", "us/datagram");
    std::printf("%-34s %10llu %10llu %10s %12.2f\n", "receiving, not recording (baseline)",
                (unsigned long long)baseline->sent, (unsigned long long)baseline->dropped, "-",
                baseline->cpuUsPerDatagram);
    std::printf("%-34s %10llu %10llu %10llu %12.2f\n", "receiving and recording",
                (unsigned long long)recording->sent, (unsigned long long)recording->dropped,
                (unsigned long long)recorder.notRecorded(), recording->cpuUsPerDatagram);
    std::printf("recorded %llu datagrams, %.1f MB; receive cost %+.1f %% (target: nothing lost, "
                "nothing not recorded, at most +20 %%)\n",
                (unsigned long long)recorder.packetsWritten(),
                double(recorder.bytesWritten()) / 1e6, rise);

    const auto printLate = [](const char *what, const Lateness &l) {
        std::printf("  %-40s late median %.3f ms, p99 %.3f ms, max %.3f ms, %.3f %% over 2 ms\n",
                    what, l.medianMs, l.p99Ms, l.maxMs, l.over2Ms);
    };
    printLate("x1, a thread only sleeping (baseline):", sleepingAlone(file));
    for (const double speed : {1.0, 4.0}) {
        const Replayed r = replay(&net, file, speed);
        std::printf("replay x%.0f: opened in %.2f s, %llu of %llu handed over in %.2f s (capture "
                    "%d s)%s\n",
                    speed, r.openSeconds, (unsigned long long)r.handed,
                    (unsigned long long)recorder.packetsWritten(), r.seconds, seconds,
                    speed == 1.0 ? " (target: all within 2 ms, median 0.5 ms)"
                                 : " (target: none lost)");
        printLate(speed == 1.0 ? "x1, to the receivers:" : "x4, to the receivers:", r.late);
    }
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    if (argc > 1 && std::strcmp(argv[1], "--send") == 0)
        return runSender();
    if (!runInPrivateNetwork(argc, argv))
        return 1;
    QCoreApplication app(argc, argv);
    return runBenchmark();
}
