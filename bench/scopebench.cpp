// Scope paint benchmark: one frame of the channel scope's plot, 16 channels over 60 s at 44 Hz
// (2640 packets each: a line and a dot per packet) into a 1920x1080 image, beside the same
// plot without channels (axes, grid and labels only), measured in the same run. Aim: at most
// 2 ms per frame (of this thread's CPU time: the wall time of a shared machine is printed too).
//
//   build-<x>/bench/bench_scope            (offscreen platform; opens no socket)
#include "dialogs/scopeplot.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int channels = 16;
constexpr int packetsPerSecond = 44;
constexpr int seconds = 60;
constexpr int frames = 300;
const QSize frameSize(1920, 1080);

struct Timing {
    double meanMs = 0;
    double maxMs = 0;
    // This thread's CPU time: the machine may be shared, and a frame waiting for a core is not
    // a slower paint.
    double cpuMs = 0;
};

double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

Timing measure(ScopePlot &plot) {
    plot.renderFrame(frameSize); // warm-up: the axes and their labels
    Timing t;
    const double cpuStart = threadCpuMs();
    for (int frame = 0; frame < frames; ++frame) {
        QElapsedTimer clock;
        clock.start();
        plot.renderFrame(frameSize);
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        t.meanMs += ms / frames;
        t.maxMs = std::max(t.maxMs, ms);
    }
    t.cpuMs = (threadCpuMs() - cpuStart) / frames;
    return t;
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    constexpr qint64 endNs = 1'000'000'000'000;
    constexpr qint64 spanNs = qint64(seconds) * 1'000'000'000;
    std::vector<std::vector<ChannelSample>> samples(channels);
    std::vector<ScopeTrace> traces;
    for (int c = 0; c < channels; ++c) {
        // Every channel moves on every packet, the worst case for lines.
        for (int k = 0; k < seconds * packetsPerSecond; ++k) {
            ChannelSample s;
            s.ns = endNs - spanNs + qint64(k) * 1'000'000'000 / packetsPerSecond;
            s.value = quint8(127.5 + 127.5 * std::sin(k * 0.05 + c * 0.4));
            samples[size_t(c)].push_back(s);
        }
        traces.push_back({QColor::fromHsv(c * 22, 200, 255), &samples[size_t(c)]});
    }
    ScopePlot plot;
    plot.setTraces({}, endNs, spanNs);
    const Timing empty = measure(plot);
    plot.setTraces(traces, endNs, spanNs);
    const Timing full = measure(plot);
    std::printf("bench_scope: 1920x1080, %d frames each\n", frames);
    std::printf("  no channels (baseline): mean %.3f ms (CPU %.3f ms), max %.3f ms per frame\n",
                empty.meanMs, empty.cpuMs, empty.maxMs);
    std::printf("  %d channels x %d s at %d Hz (%d packets): mean %.3f ms (CPU %.3f ms), max %.3f "
                "ms per frame (aim: at most 2 ms)\n",
                channels, seconds, packetsPerSecond, channels * seconds * packetsPerSecond,
                full.meanMs, full.cpuMs, full.maxMs);
    return full.cpuMs <= 2.0 ? 0 : 1;
}
