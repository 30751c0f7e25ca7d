#pragma once

#include "net/packetrate.h"

#include <QList>
#include <QtGlobal>

#include <array>
#include <vector>

// Every universe seen on the network, shown or not: what a receiver hears before it decides
// whether a universe is its own. Passive: it only counts what reaches the socket anyway.
// The table is taken once; past its capacity new universes are not listed.
class WireUniverses {
public:
    static constexpr int capacity = 4096;
    static constexpr int maxSources = 8;

    struct Row {
        quint16 universe = 0;
        int sources = 0;
        double packetsPerSecond = 0;
    };

    WireUniverses() { m_entries.reserve(capacity); }
    // One packet for `universe` from `sender`; sender 0 counts no source (a universe only
    // announced, or a group joined).
    void note(quint16 universe, quint32 sender, qint64 nowMs);
    // Sorted by universe; a source unheard for `lossMs` no longer counts.
    QList<Row> rows(qint64 nowMs, qint64 lossMs) const;

private:
    struct Entry {
        quint16 universe = 0;
        PacketCounter traffic;
        std::array<quint32, maxSources> senders{};
        std::array<qint64, maxSources> heardMs{};
    };
    std::vector<Entry> m_entries;
};
