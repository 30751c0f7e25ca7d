#include "engine/screenengine.h"
#include "net/acnnet.h"
#include "net/artnet.h"
#include "net/e131.h"
#include "net/monotonicclock.h"

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

namespace {

// How often the findings are read from the receivers for the overlay, the marks and the
// cross-protocol rule.
constexpr qint64 findingsPeriodMs = 1000;

qint64 nowMs() {
    return monotonicNs() / 1'000'000;
}

// Puts a receiver's findings on the engine's clock.
void addRebased(QList<Finding> &to, QList<Finding> from, qint64 receiverNowMs, qint64 nowMs) {
    for (Finding &finding : from) {
        finding.firstMs += nowMs - receiverNowMs;
        finding.lastMs += nowMs - receiverNowMs;
        to.append(std::move(finding));
    }
}

bool liveIn(const ReceiverStats &stats, quint16 universe) {
    return std::any_of(stats.lUniverses.begin(), stats.lUniverses.end(),
                       [universe](const UniverseStats &u) {
                           return u.uiUniverse == universe && u.iLiveSources > 0;
                       });
}

} // namespace

void ScreenEngine::noteBothProtocols(const ReceiverStats &artnetStats,
                                     const ReceiverStats &sacnStats, quint32 count) const {
    const qint64 now = nowMs();
    for (quint32 slot = 0; slot < count; ++slot) {
        const quint16 sacnUniverse = quint16(firstUniverse(Protocol::Sacn) + slot);
        if (!liveIn(sacnStats, sacnUniverse) ||
            !liveIn(artnetStats, quint16(firstUniverse(Protocol::ArtNet) + slot)))
            continue;
        m_ownFindings.report(FindingCode::BothProtocols, sacnUniverse,
                             {FindingProtocol::Sacn, 0, {}, {}}, now);
    }
}

void ScreenEngine::refreshFindingsIfDue() const {
    if (m_networkAge.isValid() && m_networkAge.elapsed() < findingsPeriodMs)
        return;
    m_networkAge.start();
    const qint64 now = nowMs();
    NetworkView view;
    view.nowMs = now;
    const quint32 count = m_active ? m_store.universeCount() : 0;
    ReceiverStats artnetStats, sacnStats;
    if (artnet *node = artnetNode()) {
        artnetStats = node->stats();
        addRebased(view.findings, node->findings(), node->now(), now);
        for (const WireUniverses::Row &row : node->wireUniverses()) {
            const quint32 first = firstUniverse(Protocol::ArtNet);
            view.wire.append({FindingProtocol::ArtNet, row.universe, row.sources,
                              row.packetsPerSecond,
                              row.universe >= first && row.universe < first + count});
        }
    }
    if (acnnet *receiver = sacnReceiver()) {
        sacnStats = receiver->stats();
        addRebased(view.findings, receiver->findings(), receiver->now(), now);
        for (const WireUniverses::Row &row : receiver->wireUniverses()) {
            const quint32 first = firstUniverse(Protocol::Sacn);
            view.wire.append({FindingProtocol::Sacn, row.universe, row.sources,
                              row.packetsPerSecond,
                              row.universe >= first && row.universe < first + count});
        }
    }
    if (artnetNode() && sacnReceiver())
        noteBothProtocols(artnetStats, sacnStats, count);
    view.findings.append(m_ownFindings.findings(now));
    // A universe with a current fault or warning gets its triangle.
    m_findingMarks.assign(count, false);
    for (const Finding &finding : view.findings) {
        if (!finding.current || findingRule(finding.code).severity == FindingSeverity::Note)
            continue;
        const quint32 first = firstUniverse(
            finding.protocol == FindingProtocol::ArtNet ? Protocol::ArtNet : Protocol::Sacn);
        if (finding.universe >= first && finding.universe - first < count)
            m_findingMarks[finding.universe - first] = true;
    }
    m_network = std::move(view);
}

NetworkView ScreenEngine::networkView() const {
    m_networkAge.invalidate();
    refreshFindingsIfDue();
    return m_network;
}

void ScreenEngine::clearFindings() {
    if (artnet *node = artnetNode())
        node->clearFindings();
    if (acnnet *receiver = sacnReceiver())
        receiver->clearFindings();
    m_ownFindings.clear();
    m_networkAge.invalidate();
}

int ScreenEngine::currentFindings(FindingSeverity severity) const {
    refreshFindingsIfDue();
    return int(std::count_if(m_network.findings.begin(), m_network.findings.end(),
                             [severity](const Finding &f) {
                                 return f.current && findingRule(f.code).severity == severity;
                             }));
}
