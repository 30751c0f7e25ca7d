#pragma once

#include <QtGlobal>

#include <ctime>

// Nanoseconds of CLOCK_MONOTONIC, the clock receive stamps are kept in and paints are timed
// with: unlike the wall clock it is never stepped, so a difference of two readings is a
// duration.
inline qint64 monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}
