#pragma once

#include <QtGlobal>

#include <array>

// The spacing of one source's packets while its levels change: a fade sent at an even rate
// looks smooth, one with bursts and holes does not. Keeps the intervals of the last 10 s (up
// to `capacity`) in a fixed ring; nothing is allocated.
class IntervalWatch {
public:
    static constexpr int capacity = 512;
    static constexpr qint64 windowMs = 10000;
    // A stream still counts as changing this long after its last change.
    static constexpr qint64 changingMs = 1000;
    // The timing rule: a gap above gapMs, or an interval beyond spreadFactor times the median.
    static constexpr qint64 gapMs = 100;
    static constexpr int spreadFactor = 3;

    struct Figures {
        int count = 0;
        int minMs = 0;
        int medianMs = 0;
        int maxMs = 0;
        bool stable() const {
            return count == 0 || (maxMs <= gapMs && maxMs <= spreadFactor * medianMs);
        }
    };

    // One packet received at `stampNs` (the kernel's receive stamp on the monotonicNs() clock,
    // so a receiver that reads a backlog late still sees the network's spacing), `changed`
    // when its levels differ from the previous packet's. Returns whether the interval it ends
    // breaks the timing rule.
    bool packet(qint64 stampNs, bool changed);
    // The intervals of the last windowMs before `nowNs`.
    Figures figures(qint64 nowNs) const;

private:
    std::array<quint16, capacity> m_intervals{};
    int m_head = 0;
    int m_count = 0;
    qint64 m_lastNs = -1;
    qint64 m_changedNs = -1;
    // The median the spread rule compares with, renewed every so many intervals.
    int m_median = 0;
    int m_sinceMedian = 0;
};
