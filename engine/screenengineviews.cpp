#include "engine/screenengine.h"
#include "engine/statustext.h"
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

// The picture's universe slots that have a live source in `stats`, whose universe numbers
// start at `first`.
std::vector<bool> liveSlots(const ReceiverStats &stats, quint32 first, quint32 count) {
    std::vector<bool> live(count, false);
    for (const UniverseStats &u : stats.lUniverses)
        if (u.iLiveSources > 0 && u.uiUniverse >= first && u.uiUniverse - first < count)
            live[u.uiUniverse - first] = true;
    return live;
}

// A receiver's universes on the wire, shown when they fall in the picture's `count` from
// `first`.
void appendWire(QList<WireUniverseRow> &to, FindingProtocol protocol,
                const QList<WireUniverses::Row> &rows, quint32 first, quint32 count) {
    for (const WireUniverses::Row &row : rows)
        to.append({protocol, row.universe, row.sources, row.packetsPerSecond,
                   row.universe >= first && row.universe < first + count});
}

} // namespace

void ScreenEngine::noteBothProtocols(quint32 count) const {
    artnet *node = artnetNode();
    acnnet *receiver = sacnReceiver();
    // With one protocol off there is nothing to compare, and no snapshot worth copying.
    if (!node || !receiver)
        return;
    const std::vector<bool> artnetLive =
        liveSlots(node->stats(), firstUniverse(Protocol::ArtNet), count);
    const std::vector<bool> sacnLive =
        liveSlots(receiver->stats(), firstUniverse(Protocol::Sacn), count);
    const qint64 now = nowMs();
    for (quint32 slot = 0; slot < count; ++slot)
        if (artnetLive[slot] && sacnLive[slot])
            m_ownFindings.report(FindingCode::BothProtocols,
                                 quint16(firstUniverse(Protocol::Sacn) + slot),
                                 {FindingProtocol::Sacn, 0, {}, {}}, now);
}

void ScreenEngine::refreshFindingsIfDue() const {
    if (m_networkAge.isValid() && m_networkAge.elapsed() < findingsPeriodMs)
        return;
    m_networkAge.start();
    const qint64 now = nowMs();
    NetworkView view;
    view.nowMs = now;
    const quint32 count = m_active ? m_store.universeCount() : 0;
    if (artnet *node = artnetNode()) {
        addRebased(view.findings, node->findings(), node->now(), now);
        appendWire(view.wire, FindingProtocol::ArtNet, node->wireUniverses(),
                   firstUniverse(Protocol::ArtNet), count);
    }
    if (acnnet *receiver = sacnReceiver()) {
        addRebased(view.findings, receiver->findings(), receiver->now(), now);
        appendWire(view.wire, FindingProtocol::Sacn, receiver->wireUniverses(),
                   firstUniverse(Protocol::Sacn), count);
    }
    noteBothProtocols(count);
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

QString ScreenEngine::findingsOverlayText() const {
    refreshFindingsIfDue();
    int faults = 0;
    int warnings = 0;
    for (const Finding &f : m_network.findings) {
        if (!f.current)
            continue;
        const FindingSeverity severity = findingRule(f.code).severity;
        faults += severity == FindingSeverity::Fault ? 1 : 0;
        warnings += severity == FindingSeverity::Warning ? 1 : 0;
    }
    return statustext::networkFindings(faults, warnings);
}
