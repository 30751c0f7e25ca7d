#include "net/artnetmerger.h"

#include "net/monotonicclock.h"
#include "net/sequencenumber.h"
#include "net/sourceslots.h"

#include <algorithm>
#include <cstring>

void ArtNetMerger::configure(quint16 first, quint32 count) {
    m_first = first;
    m_universes.clear();
    m_universes.resize(count);
    m_mergeChanges.clear();
    m_mergeChanges.reserve(count);
}

int ArtNetMerger::Universe::liveCount(qint64 nowMs) const {
    return int(std::count_if(sources.begin(), sources.end(), [nowMs](const Source &s) {
        return s.live && sourceLive(s.lastSeenMs, nowMs, sourceTimeoutMs);
    }));
}

std::span<const quint8> ArtNetMerger::accept(const artnetpackets::Dmx &dmx, quint32 sender,
                                             qint64 nowMs, qint64 receivedNs) {
    if (dmx.portAddress < m_first || quint32(dmx.portAddress - m_first) >= m_universes.size())
        return {};
    const quint32 index = dmx.portAddress - m_first;
    const std::span<const quint8> out =
        merge(m_universes[index], dmx, sender, nowMs, receivedNs != 0 ? receivedNs : monotonicNs());
    noteMerging(index, nowMs);
    return out;
}

std::span<const quint8> ArtNetMerger::merge(Universe &universe, const artnetpackets::Dmx &dmx,
                                            quint32 sender, qint64 nowMs, qint64 receivedNs) {
    for (Source &source : universe.sources)
        if (source.live && !sourceLive(source.lastSeenMs, nowMs, sourceTimeoutMs))
            source.live = false;
    if (universe.cancelPending) {
        universe.cancelPending = false;
        for (Source &source : universe.sources)
            source.live = source.live && source.address == sender;
    }
    auto found = std::find_if(universe.sources.begin(), universe.sources.end(),
                              [&](const Source &s) { return s.live && s.address == sender; });
    if (found == universe.sources.end()) {
        found =
            claimSourceSlot(universe.sources, maxSources, [](const Source &s) { return !s.live; });
        if (found == universe.sources.end()) {
            ++universe.dropped;
            ++m_droppedSourceLimit;
            report(FindingCode::ArtNetThirdSource, dmx, sender, nowMs);
            return {};
        }
        *found = Source{};
        found->live = true;
        found->address = sender;
    } else if (dmx.sequence != 0 && found->lastSequence != 0 &&
               sequenceOutOfOrder(dmx.sequence, found->lastSequence)) {
        ++found->traffic.sequenceErrors;
        ++universe.traffic.sequenceErrors;
        ++universe.dropped;
        ++m_droppedSequence;
        report(dmx.sequence == found->lastSequence ? FindingCode::DuplicatePackets
                                                   : FindingCode::LatePackets,
               dmx, sender, nowMs);
        return {};
    } else if (dmx.sequence != 0 && found->lastSequence != 0 &&
               quint8(dmx.sequence - found->lastSequence) > 1 &&
               // 0 is "not numbered", so the numbers run 1 ... 255 and 255 is followed by 1.
               !(found->lastSequence == 255 && dmx.sequence == 1)) {
        report(FindingCode::LostPackets, dmx, sender, nowMs);
    }
    Source &source = *found;
    const bool changed = source.length != dmx.slotCount ||
                         !std::equal(source.levels.begin(), source.levels.begin() + source.length,
                                     dmx.levels.begin());
    if (source.timing.packet(receivedNs, changed))
        report(FindingCode::UnstableTiming, dmx, sender, nowMs);
    source.lastSequence = dmx.sequence;
    source.lastSeenMs = nowMs;
    universe.lastPacketMs = nowMs;
    source.traffic.count(nowMs);
    universe.traffic.count(nowMs);
    source.length = dmx.slotCount;
    std::memcpy(source.levels.data(), dmx.levels.data(), dmx.slotCount);

    const Source &other = universe.sources[size_t(&source == &universe.sources[0] ? 1 : 0)];
    if (!other.live || universe.ltp)
        return dmx.data();
    const quint16 length = std::max(source.length, other.length);
    for (size_t i = 0; i < length; ++i) {
        const quint8 a = i < source.length ? source.levels[i] : 0;
        const quint8 b = i < other.length ? other.levels[i] : 0;
        universe.output[i] = std::max(a, b);
    }
    return std::span<const quint8>(universe.output.data(), length);
}

void ArtNetMerger::report(FindingCode code, const artnetpackets::Dmx &dmx, quint32 sender,
                          qint64 nowMs) {
    if (m_findings)
        m_findings->report(code, dmx.portAddress, {FindingProtocol::ArtNet, sender, {}, {}}, nowMs);
}

void ArtNetMerger::noteMerging(quint32 index, qint64 nowMs) {
    Universe &universe = m_universes[index];
    const bool merging = universe.liveCount(nowMs) > 1;
    if (merging == universe.merging)
        return;
    universe.merging = merging;
    if (!universe.changeListed) {
        universe.changeListed = true;
        m_mergeChanges.push_back(index);
    }
}

void ArtNetMerger::clearMergeChanges() {
    for (quint32 index : m_mergeChanges)
        m_universes[index].changeListed = false;
    m_mergeChanges.clear();
}

bool ArtNetMerger::expireMerges(qint64 nowMs) {
    bool anyMerging = false;
    for (quint32 i = 0; i < m_universes.size(); ++i) {
        if (m_universes[i].merging)
            noteMerging(i, nowMs);
        anyMerging = anyMerging || m_universes[i].merging;
    }
    return anyMerging;
}

void ArtNetMerger::setLtp(quint32 index, bool ltp) {
    if (index < m_universes.size())
        m_universes[index].ltp = ltp;
}

void ArtNetMerger::cancelMerge() {
    for (Universe &universe : m_universes)
        universe.cancelPending = true;
}

quint8 ArtNetMerger::goodOutputBits(quint32 index, qint64 nowMs) const {
    if (index >= m_universes.size())
        return 0;
    const Universe &universe = m_universes[index];
    return quint8((universe.liveCount(nowMs) > 1 ? artnetpackets::goodOutputMerging : 0) |
                  (universe.ltp ? artnetpackets::goodOutputLtp : 0));
}

bool ArtNetMerger::hasLiveSource(quint32 index, qint64 nowMs) const {
    return index < m_universes.size() && m_universes[index].liveCount(nowMs) > 0;
}

ReceiverStats ArtNetMerger::stats(qint64 nowMs, std::optional<quint16> levelsOf) const {
    ReceiverStats out;
    out.iTakenMs = nowMs;
    out.uiDroppedSequence = m_droppedSequence;
    out.uiDroppedSourceLimit = m_droppedSourceLimit;
    for (size_t i = 0; i < m_universes.size(); ++i) {
        const Universe &universe = m_universes[i];
        if (universe.lastPacketMs < 0 && universe.dropped == 0)
            continue;
        UniverseStats u = universeStats(quint16(m_first + i), universe.traffic, universe.dropped,
                                        universe.lastPacketMs, nowMs);
        for (const Source &source : universe.sources) {
            if (!source.live || !sourceLive(source.lastSeenMs, nowMs, sourceTimeoutMs))
                continue;
            SourceStats s = sourceStats(source.address, source.traffic, source.lastSeenMs, nowMs,
                                        source.timing);
            if (levelsOf == u.uiUniverse)
                s.levels =
                    QByteArray(reinterpret_cast<const char *>(source.levels.data()), source.length);
            u.lSources.append(s);
        }
        u.iLiveSources = int(u.lSources.size());
        if (u.iLiveSources == 1) {
            u.ownership = UniverseOwnership::Single;
            u.iOwnerIndex = 0;
        } else if (u.iLiveSources == 2) {
            u.ownership = universe.ltp ? UniverseOwnership::MergeLtp : UniverseOwnership::MergeHtp;
        }
        out.lUniverses.append(u);
    }
    return out;
}
