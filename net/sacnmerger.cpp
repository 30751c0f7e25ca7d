#include "net/sacnmerger.h"

#include "net/bytereader.h"
#include "net/sequencenumber.h"
#include "net/sourceslots.h"

#include <algorithm>
#include <cstring>

namespace {

template <size_t N> bool sameBytes(const std::array<quint8, N> &a, std::span<const quint8> b) {
    return b.size() == N && std::equal(a.begin(), a.end(), b.begin());
}

QString nameOf(const std::array<quint8, 64> &name) {
    const auto end = std::find(name.begin(), name.end(), quint8(0));
    return QString::fromUtf8(reinterpret_cast<const char *>(name.data()),
                             qsizetype(end - name.begin()));
}

} // namespace

void SacnMerger::configure(quint16 first, quint32 count, qint64 nowMs) {
    std::vector<Universe> universes(count);
    for (quint32 i = 0; i < count; ++i) {
        const quint32 number = first + i;
        if (number >= m_first && number - m_first < m_universes.size())
            universes[i] = std::move(m_universes[number - m_first]);
        else
            universes[i].samplingUntilMs = nowMs + samplingPeriodMs;
    }
    m_first = first;
    m_universes = std::move(universes);
    m_released.clear();
    m_released.reserve(count);
    m_announcers.reserve(maxDiscoverySources);
}

bool SacnMerger::acceptData(Universe &universe, const e131::DataPacket &packet, quint32 sender,
                            qint64 nowMs, qint64 receivedNs) {
    if (packet.options & e131::optionPreviewData) {
        ++m_droppedPreview;
        ++universe.dropped;
        return false;
    }
    if (packet.priority > e131::maxPriority) {
        ++m_droppedPriority;
        ++universe.dropped;
        return false;
    }
    // Room for every source at the first packet, but only the slots used are built: a rig's
    // first round over a thousand universes must not stop reading to fill unused tables.
    if (universe.sources.capacity() == 0)
        universe.sources.reserve(maxSources);
    auto found =
        std::find_if(universe.sources.begin(), universe.sources.end(),
                     [&](const Source &s) { return s.live && sameBytes(s.cid, packet.cid); });
    const bool terminated = packet.options & e131::optionStreamTerminated;
    if (found == universe.sources.end()) {
        if (terminated)
            return false;
        found =
            claimSourceSlot(universe.sources, maxSources, [](const Source &s) { return !s.live; });
        if (found == universe.sources.end()) {
            ++m_droppedSourceLimit;
            ++universe.dropped;
            return false;
        }
        *found = Source{};
        found->live = true;
        // Sampling already waits for whatever a source sends first.
        if (!universe.sampling())
            found->waitUntilMs = nowMs + perAddressWaitMs;
        std::copy(packet.cid.begin(), packet.cid.end(), found->cid.begin());
    } else if (sequenceOutOfOrder(packet.sequence, found->lastSequence)) {
        report(packet.sequence == found->lastSequence ? FindingCode::DuplicatePackets
                                                      : FindingCode::LatePackets,
               packet, sender, nowMs);
        ++found->traffic.sequenceErrors;
        ++universe.traffic.sequenceErrors;
        ++universe.dropped;
        ++m_droppedSequence;
        return false;
    }
    Source &source = *found;
    checkSource(source, packet, sender, nowMs, receivedNs);
    source.lastSequence = packet.sequence;
    source.lastSeenMs = nowMs;
    source.address = sender;
    source.priority = packet.priority;
    std::copy(packet.sourceName.begin(), packet.sourceName.end(), source.name.begin());
    universe.lastPacketMs = nowMs;
    source.traffic.count(nowMs);
    universe.traffic.count(nowMs);
    if (terminated) {
        source.live = false;
        return true;
    }
    const size_t count = packet.slotData.size();
    if (packet.startCode == e131::perAddressPriorityStartCode) {
        // Slot priorities take effect at once; only levels wait for a sync packet.
        std::copy(packet.slotData.begin(), packet.slotData.end(), source.slotPriority.begin());
        std::fill(source.slotPriority.begin() + count, source.slotPriority.end(), quint8(0));
        source.lastPerAddressMs = nowMs;
        source.waitUntilMs = -1;
        return true;
    }
    // Other START codes (RDM, text, ...) carry no levels.
    if (packet.startCode != e131::dmxStartCode)
        return false;
    const bool held = waitsForSync(source, packet, nowMs);
    if (source.syncAddress != 0 &&
        nowMs - (source.lastSyncMs >= 0 ? source.lastSyncMs : source.syncNamedMs) > syncLossMs)
        report(FindingCode::SacnMissingSync, packet, sender, nowMs, source.syncAddress);
    auto &levels = held ? source.heldLevels : source.levels;
    std::copy(packet.slotData.begin(), packet.slotData.end(), levels.begin());
    std::fill(levels.begin() + count, levels.end(), quint8(0));
    (held ? source.heldLength : source.length) = quint16(count);
    source.held = held;
    return !held && source.merged();
}

void SacnMerger::report(FindingCode code, const e131::DataPacket &packet, quint32 sender,
                        qint64 nowMs, quint32 detail) {
    if (m_findings)
        m_findings->report(code, packet.universe,
                           {FindingProtocol::Sacn, sender, packet.cid, packet.sourceName}, nowMs,
                           detail);
}

void SacnMerger::checkSource(Source &source, const e131::DataPacket &packet, quint32 sender,
                             qint64 nowMs, qint64 receivedNs) {
    // A source seen before: its history tells.
    if (source.traffic.packets > 0) {
        if (source.address != 0 && source.address != sender)
            report(FindingCode::SharedCid, packet, sender, nowMs, source.address);
        if (quint8(packet.sequence - source.lastSequence) > 1)
            report(FindingCode::LostPackets, packet, sender, nowMs);
    }
    if (packet.startCode != e131::dmxStartCode)
        return;
    const auto &last = source.held ? source.heldLevels : source.levels;
    const quint16 lastLength = source.held ? source.heldLength : source.length;
    const bool changed = packet.slotData.size() != lastLength ||
                         !std::equal(packet.slotData.begin(), packet.slotData.end(), last.begin());
    if (!changed && source.traffic.packets > 0 && nowMs - source.lastSeenMs > 1000)
        report(FindingCode::SacnSlowRefresh, packet, sender, nowMs);
    if (source.timing.packet(receivedNs, changed))
        report(FindingCode::UnstableTiming, packet, sender, nowMs);
}

bool SacnMerger::waitsForSync(Source &source, const e131::DataPacket &packet, qint64 nowMs) {
    // Until the first sync packet on an address its data is shown as it comes.
    if (packet.syncAddress != source.syncAddress) {
        source.syncAddress = packet.syncAddress;
        source.lastSyncMs = -1;
        source.syncNamedMs = nowMs;
    }
    if (source.syncAddress == 0 || source.lastSyncMs < 0)
        return false;
    // Synchronised once and the sync lost: Force_Synchronization set lets data through,
    // clear keeps it held until synchronisation resumes.
    const bool syncLost = nowMs - source.lastSyncMs > syncLossMs;
    return !(syncLost && (packet.options & e131::optionForceSynchronization));
}

void SacnMerger::acceptSync(const e131::DataPacket &packet, qint64 nowMs) {
    m_released.clear();
    if (packet.syncAddress == 0)
        return;
    for (quint32 i = 0; i < m_universes.size(); ++i) {
        Universe &universe = m_universes[i];
        bool released = pass(universe, nowMs);
        for (Source &source : universe.sources) {
            if (!source.live || source.syncAddress != packet.syncAddress)
                continue;
            source.lastSyncMs = nowMs;
            if (!source.held)
                continue;
            source.levels = source.heldLevels;
            source.length = source.heldLength;
            source.held = false;
            released = true;
        }
        if (released)
            m_released.push_back(i);
    }
}

void SacnMerger::acceptDiscovery(const e131::DataPacket &packet, qint64 nowMs) {
    auto found = std::find_if(m_announcers.begin(), m_announcers.end(),
                              [&](const Announcer &a) { return sameBytes(a.cid, packet.cid); });
    if (found == m_announcers.end()) {
        found = claimSourceSlot(m_announcers, maxDiscoverySources, [&](const Announcer &a) {
            return nowMs - a.lastSeenMs > discoveryLossMs;
        });
        if (found == m_announcers.end()) {
            ++m_droppedSourceLimit;
            return;
        }
        // Kept from the slot's earlier announcer, so a page never allocates.
        found->universes.reserve(maxAnnouncedUniverses);
        std::copy(packet.cid.begin(), packet.cid.end(), found->cid.begin());
        found->universes.clear();
    }
    found->lastSeenMs = nowMs;
    // Page 0 starts a new list; later pages add to it.
    if (packet.page == 0)
        found->universes.clear();
    for (size_t i = 0; i + 1 < packet.universeList.size(); i += 2) {
        if (found->universes.size() >= size_t(maxAnnouncedUniverses))
            break;
        found->universes.push_back(bytereader::u16be(packet.universeList, i));
    }
}

bool SacnMerger::pass(Universe &universe, qint64 nowMs) {
    bool passed = false;
    if (universe.sampling() && nowMs >= universe.samplingUntilMs) {
        universe.samplingUntilMs = -1;
        passed = true;
    }
    for (Source &source : universe.sources) {
        if (source.live && source.waitUntilMs >= 0 && nowMs >= source.waitUntilMs) {
            source.waitUntilMs = -1;
            passed = true;
        }
    }
    return expire(universe, nowMs) || passed;
}

bool SacnMerger::expire(Universe &universe, qint64 nowMs) {
    int top = -1;
    for (const Source &source : universe.sources)
        if (source.merged())
            top = std::max(top, int(source.priority));
    bool lost = false;
    bool ownerLost = false;
    for (Source &source : universe.sources) {
        if (!source.live || nowMs - source.lastSeenMs <= sourceLossMs)
            continue;
        ownerLost = ownerLost || (source.merged() && source.priority == top);
        source.live = false;
        lost = true;
    }
    if (ownerLost)
        for (Source &source : universe.sources)
            if (source.live && nowMs - source.lastSeenMs > lossSettleMs)
                source.live = false;
    return lost;
}

bool SacnMerger::lookChanged(Universe &universe, qint64 nowMs) {
    const bool sampled = universe.sampling();
    if (!pass(universe, nowMs) || universe.sampling())
        return false;
    const std::array<quint8, slotCount> before = universe.output;
    const quint16 beforeLength = universe.outputLength;
    if (!merge(universe, nowMs))
        return false;
    return sampled || universe.outputLength != beforeLength ||
           std::memcmp(before.data(), universe.output.data(), beforeLength) != 0;
}

bool SacnMerger::merge(Universe &universe, qint64 nowMs) {
    const Source *single = nullptr;
    int live = 0;
    bool perAddress = false;
    quint16 length = 0;
    int top = -1;
    for (const Source &source : universe.sources) {
        if (!source.merged())
            continue;
        ++live;
        single = &source;
        perAddress = perAddress || source.perAddress(nowMs);
        length = std::max(length, source.length);
        top = std::max(top, int(source.priority));
    }
    if (live == 0)
        return false;
    universe.outputLength = length;
    if (live == 1 && !perAddress) {
        std::memcpy(universe.output.data(), single->levels.data(), single->length);
        return true;
    }
    if (!perAddress) {
        // Universe priorities only: the sources at the top priority drive every slot (their
        // levels are zero past their last one), merged highest level first; the others are
        // not looked at. Whole fixed-size arrays, so the loop runs on vector registers.
        std::array<quint8, slotCount> merged{};
        for (const Source &source : universe.sources) {
            if (!source.merged() || source.priority != top)
                continue;
            for (size_t i = 0; i < slotCount; ++i)
                merged[i] = std::max(merged[i], source.levels[i]);
        }
        std::memcpy(universe.output.data(), merged.data(), length);
        return true;
    }
    std::fill(universe.output.begin(), universe.output.begin() + length, quint8(0));
    // Per slot: the highest priority sourcing it wins, ties merged highest level first.
    // A 0xDD slot priority of 0 means the source does not drive that slot.
    std::array<int, slotCount> best;
    best.fill(-1);
    for (const Source &source : universe.sources) {
        if (!source.merged())
            continue;
        const bool slotted = source.perAddress(nowMs);
        // Without slot priorities a source drives the whole universe at its priority (zero
        // past its last slot), so a lower source never shows through behind a shorter packet.
        const int end = slotted ? source.length : length;
        for (int i = 0; i < end; ++i) {
            const int priority =
                slotted
                    ? (source.slotPriority[size_t(i)] == 0 ? -1 : source.slotPriority[size_t(i)])
                    : source.priority;
            if (priority < 0 || priority < best[size_t(i)])
                continue;
            const quint8 level = i < source.length ? source.levels[size_t(i)] : 0;
            universe.output[size_t(i)] =
                priority > best[size_t(i)] ? level : std::max(universe.output[size_t(i)], level);
            best[size_t(i)] = priority;
        }
    }
    return true;
}

ReceiverStats SacnMerger::stats(qint64 nowMs, std::optional<quint16> levelsOf) const {
    ReceiverStats out;
    out.iTakenMs = nowMs;
    out.uiDroppedInvalid = m_droppedInvalid;
    out.uiDroppedSequence = m_droppedSequence;
    out.uiDroppedPreview = m_droppedPreview;
    out.uiDroppedSourceLimit = m_droppedSourceLimit;
    out.uiDroppedPriority = m_droppedPriority;
    for (size_t i = 0; i < m_universes.size(); ++i) {
        const Universe &universe = m_universes[i];
        if (universe.lastPacketMs < 0 && universe.dropped == 0)
            continue;
        UniverseStats u = universeStats(quint16(m_first + i), universe.traffic, universe.dropped,
                                        universe.lastPacketMs, nowMs);
        bool perAddress = false;
        int topCount = 0;
        for (const Source &source : universe.sources) {
            if (!source.live || nowMs - source.lastSeenMs > sourceLossMs)
                continue;
            SourceStats s = sourceStats(source.address, source.traffic, source.lastSeenMs, nowMs,
                                        source.timing);
            s.sName = nameOf(source.name);
            s.cid = QByteArray(reinterpret_cast<const char *>(source.cid.data()), 16);
            s.iPriority = source.priority;
            s.bPerAddressPriority = source.perAddress(nowMs);
            s.bHeldForSync = source.held;
            if (levelsOf == u.uiUniverse)
                s.levels =
                    QByteArray(reinterpret_cast<const char *>(source.levels.data()), source.length);
            for (const Announcer &announcer : m_announcers)
                if (announcer.cid == source.cid)
                    s.lAnnouncedUniverses =
                        QList<quint16>(announcer.universes.begin(), announcer.universes.end());
            // Listed while it waits for its slot priorities, but it owns nothing yet.
            if (!source.merged()) {
                u.lSources.append(s);
                continue;
            }
            perAddress = perAddress || s.bPerAddressPriority;
            // The universe waits for the address of its owner, or of any synchronised source
            // among those merged at the top priority.
            if (s.iPriority > u.iPriority) {
                u.iPriority = s.iPriority;
                u.iOwnerIndex = int(u.lSources.size());
                u.uiSyncAddress = source.syncAddress;
                topCount = 1;
            } else if (s.iPriority == u.iPriority) {
                ++topCount;
                if (u.uiSyncAddress == 0)
                    u.uiSyncAddress = source.syncAddress;
            }
            u.lSources.append(s);
        }
        u.iLiveSources = int(u.lSources.size());
        if (u.iPriority < 0)
            u.ownership = UniverseOwnership::None;
        else if (perAddress)
            u.ownership = UniverseOwnership::PerAddress;
        else if (topCount > 1)
            u.ownership = UniverseOwnership::MergeHtp;
        else
            u.ownership = UniverseOwnership::Single;
        if (u.ownership != UniverseOwnership::Single)
            u.iOwnerIndex = -1;
        out.lUniverses.append(u);
    }
    return out;
}
