#include "engine/screenengine.h"
#include "net/acnnet.h"
#include "net/artnet.h"
#include "net/e131.h"

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
    if (!artnetNode() || !m_active)
        return {};
    return {artnetNode()->stats(),
            range(firstUniverse(Protocol::ArtNet), m_store.universeCount(), maxPortAddress),
            latency(Protocol::ArtNet)};
}

ReceiverView ScreenEngine::sacnView() const {
    if (!sacnReceiver() || !m_active)
        return {};
    return {sacnReceiver()->stats(),
            range(firstUniverse(Protocol::Sacn), m_store.universeCount(), e131::maxUniverse),
            latency(Protocol::Sacn)};
}
