#include "engine/latencyhistogram.h"

#include <algorithm>

namespace {
constexpr qint64 nsPerMs = 1000000;
constexpr qint64 nsPerSecond = 1000000000;
} // namespace

LatencyHistogram::LatencyHistogram(Clock clock) : m_clock(std::move(clock)) {}

bool LatencyHistogram::inWindow(const Second &slot, qint64 now) const {
    return slot.second >= 0 && slot.second > now / nsPerSecond - windowSeconds;
}

void LatencyHistogram::add(qint64 latencyNs) {
    const qint64 second = m_clock() / nsPerSecond;
    Second &slot = m_seconds[size_t(second % windowSeconds)];
    if (slot.second != second)
        slot = Second{second};
    latencyNs = std::max<qint64>(latencyNs, 0);
    ++slot.count;
    slot.maxNs = std::max(slot.maxNs, latencyNs);
    ++slot.buckets[size_t(std::min<qint64>(latencyNs / nsPerMs, bucketCount - 1))];
}

LatencyFigures LatencyHistogram::figures() const {
    const qint64 now = m_clock();
    LatencyFigures figures;
    qint64 maxNs = 0;
    for (const Second &slot : m_seconds) {
        if (!inWindow(slot, now))
            continue;
        figures.count += slot.count;
        maxNs = std::max(maxNs, slot.maxNs);
    }
    if (figures.count == 0)
        return figures;
    figures.maxMs = double(maxNs) / double(nsPerMs);
    // Walks up from 0 ms, where almost all samples lie, so few buckets are summed.
    const quint32 middle = (figures.count + 1) / 2;
    quint32 below = 0;
    for (size_t bucket = 0; bucket < bucketCount; ++bucket) {
        for (const Second &slot : m_seconds)
            if (inWindow(slot, now))
                below += slot.buckets[bucket];
        if (below >= middle) {
            figures.medianMs = std::min(double(bucket) + 0.5, figures.maxMs);
            break;
        }
    }
    return figures;
}
