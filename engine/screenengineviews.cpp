#include "engine/screenengine.h"
#include "net/acnnet.h"
#include "net/artnet.h"
#include "net/e131.h"

#include <algorithm>

namespace {

constexpr quint32 maxPortAddress = 0x7FFF;

QList<quint16> range(quint32 first, quint32 count, quint32 last) {
    QList<quint16> universes;
    for (quint32 u = first; u < first + count && u <= last; ++u)
        universes.append(quint16(u));
    return universes;
}

} // namespace

ReceiverView ScreenEngine::artnetView() const {
    if (!m_artnet || !m_active)
        return {};
    // The same numbering the node is given at the apply.
    const quint32 first = quint32(std::max(0, int(m_active->DmxUniverseStart) - 1));
    return {m_artnet->stats(), range(first, m_store.universeCount(), maxPortAddress),
            latency(Protocol::ArtNet)};
}

ReceiverView ScreenEngine::sacnView() const {
    if (!m_acnnet || !m_active)
        return {};
    const quint32 first = quint32(std::max(1, int(m_active->DmxUniverseStart)));
    return {m_acnnet->stats(), range(first, m_store.universeCount(), e131::maxUniverse),
            latency(Protocol::Sacn)};
}
