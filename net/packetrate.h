#pragma once

#include <QtGlobal>

// Packets and sequence errors of one source or universe, with the packets per second counted
// in the previous whole second of a monotonic ms clock.
struct PacketCounter {
    quint64 packets = 0;
    quint64 sequenceErrors = 0;
    qint64 second = -1;
    quint32 inSecond = 0;
    quint32 rate = 0;

    void count(qint64 nowMs) {
        ++packets;
        const qint64 now = nowMs / 1000;
        if (now == second) {
            ++inSecond;
            return;
        }
        rate = now == second + 1 ? inSecond : 0;
        second = now;
        inSecond = 1;
    }
    // 0 once a whole second has passed without packets.
    double perSecond(qint64 nowMs) const { return nowMs / 1000 <= second + 1 ? rate : 0; }
};
