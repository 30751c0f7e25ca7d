#include "net/intervalwatch.h"

#include <algorithm>

namespace {
// Sorting the window at every packet would cost more than the rest of the receive path.
constexpr int medianEvery = 64;
constexpr qint64 nsPerMs = 1'000'000;
} // namespace

bool IntervalWatch::packet(qint64 stampNs, bool changed) {
    const qint64 last = m_lastNs;
    m_lastNs = stampNs;
    // An unchanged stream is free to slow down to its keep-alive rate.
    const bool changing =
        changed || (m_changedNs >= 0 && stampNs - m_changedNs <= changingMs * nsPerMs);
    if (changed)
        m_changedNs = stampNs;
    if (last < 0 || !changing)
        return false;
    const int interval = int(std::clamp<qint64>((stampNs - last) / nsPerMs, 0, 0xFFFF));
    m_intervals[size_t(m_head)] = quint16(interval);
    m_head = (m_head + 1) % capacity;
    m_count = std::min(m_count + 1, capacity);
    if (++m_sinceMedian >= medianEvery || m_median == 0) {
        m_sinceMedian = 0;
        m_median = figures(stampNs).medianMs;
    }
    return interval > gapMs || (m_median > 0 && interval > spreadFactor * m_median);
}

IntervalWatch::Figures IntervalWatch::figures(qint64 nowNs) const {
    std::array<quint16, capacity> window{};
    int n = 0;
    // Back from the newest: the intervals end at the last packet, so their sum is their age.
    qint64 age = m_lastNs >= 0 ? (nowNs - m_lastNs) / nsPerMs : windowMs;
    for (int i = 0; i < m_count && age < windowMs; ++i) {
        const quint16 interval = m_intervals[size_t((m_head - 1 - i + capacity) % capacity)];
        window[size_t(n++)] = interval;
        age += interval;
    }
    Figures f;
    f.count = n;
    if (n == 0)
        return f;
    auto end = window.begin() + n;
    std::nth_element(window.begin(), window.begin() + n / 2, end);
    f.medianMs = window[size_t(n / 2)];
    const auto [lo, hi] = std::minmax_element(window.begin(), end);
    f.minMs = *lo;
    f.maxMs = *hi;
    return f;
}
