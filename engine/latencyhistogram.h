#pragma once

#include "net/receiverstats.h"

#include <QtGlobal>

#include <array>
#include <functional>

// Latencies of the last 10 s in fixed memory: one histogram of 1 ms buckets (the last one
// holding everything from 1 s on) for each of the last ten whole seconds of the clock, in a
// ring. The window is counted in whole seconds, the current one and the nine before, so a
// sample leaves it between 9 and 10 s after it was added.
class LatencyHistogram {
public:
    // Monotonic nanoseconds.
    using Clock = std::function<qint64()>;

    static constexpr int windowSeconds = 10;
    static constexpr int bucketCount = 1001;

    explicit LatencyHistogram(Clock clock);

    // A negative latency (a stamp from a clock step) counts as 0.
    void add(qint64 latencyNs);
    // The median is the middle of the 1 ms bucket holding the lower middle sample (so within
    // 0.5 ms of it) and never above the exact maximum; all 0 without samples.
    LatencyFigures figures() const;

private:
    struct Second {
        qint64 second = -1;
        quint32 count = 0;
        qint64 maxNs = 0;
        std::array<quint32, bucketCount> buckets{};
    };
    bool inWindow(const Second &slot, qint64 now) const;

    Clock m_clock;
    std::array<Second, windowSeconds> m_seconds;
};
