#include "net/wireuniverses.h"

#include "net/receiverstats.h"

#include <algorithm>

void WireUniverses::note(quint16 universe, quint32 sender, qint64 nowMs) {
    // Sorted, so the look-up is a binary search and the rows come out in order.
    auto at = std::lower_bound(m_entries.begin(), m_entries.end(), universe,
                               [](const Entry &e, quint16 u) { return e.universe < u; });
    if (at == m_entries.end() || at->universe != universe) {
        if (m_entries.size() >= size_t(capacity))
            return;
        at = m_entries.insert(at, Entry{});
        at->universe = universe;
    }
    if (sender == 0)
        return;
    at->traffic.count(nowMs);
    // The sender's slot, else a free or the stalest one.
    size_t slot = 0;
    for (size_t i = 0; i < at->senders.size(); ++i) {
        if (at->senders[i] == sender) {
            slot = i;
            break;
        }
        if (at->heardMs[i] < at->heardMs[slot])
            slot = i;
    }
    at->senders[slot] = sender;
    at->heardMs[slot] = nowMs;
}

QList<WireUniverses::Row> WireUniverses::rows(qint64 nowMs, qint64 lossMs) const {
    QList<Row> out;
    out.reserve(qsizetype(m_entries.size()));
    for (const Entry &entry : m_entries) {
        Row row{entry.universe, 0, entry.traffic.perSecond(nowMs)};
        for (size_t i = 0; i < entry.senders.size(); ++i)
            if (entry.senders[i] != 0 && sourceLive(entry.heardMs[i], nowMs, lossMs))
                ++row.sources;
        out.append(row);
    }
    return out;
}
