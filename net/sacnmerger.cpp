#include "net/sacnmerger.h"

#include "net/bytereader.h"
#include "net/sequencenumber.h"

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

void SacnMerger::configure(quint16 first, quint32 count) {
    m_first = first;
    m_universes.clear();
    m_universes.resize(count);
    m_released.clear();
    m_released.reserve(count);
    m_announcers.clear();
    m_announcers.reserve(maxDiscoverySources);
}

bool SacnMerger::acceptData(Universe &universe, const e131::DataPacket &packet, quint32 sender,
                            qint64 nowMs) {
    if (packet.options & e131::optionPreviewData) {
        ++m_droppedPreview;
        ++universe.dropped;
        return false;
    }
    if (universe.sources.empty())
        universe.sources.resize(maxSources);
    expire(universe, nowMs);
    auto found =
        std::find_if(universe.sources.begin(), universe.sources.end(),
                     [&](const Source &s) { return s.live && sameBytes(s.cid, packet.cid); });
    const bool terminated = packet.options & e131::optionStreamTerminated;
    if (found == universe.sources.end()) {
        if (terminated)
            return false;
        found = std::find_if(universe.sources.begin(), universe.sources.end(),
                             [](const Source &s) { return !s.live; });
        if (found == universe.sources.end()) {
            ++m_droppedSourceLimit;
            ++universe.dropped;
            return false;
        }
        *found = Source{};
        found->live = true;
        std::copy(packet.cid.begin(), packet.cid.end(), found->cid.begin());
    } else if (sequenceOutOfOrder(packet.sequence, found->lastSequence)) {
        ++found->traffic.sequenceErrors;
        ++universe.traffic.sequenceErrors;
        ++universe.dropped;
        ++m_droppedSequence;
        return false;
    }
    Source &source = *found;
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
        std::copy(packet.slotData.begin(), packet.slotData.end(), source.slotPriority.begin());
        std::fill(source.slotPriority.begin() + count, source.slotPriority.end(), quint8(0));
        source.lastPerAddressMs = nowMs;
    } else if (packet.startCode == e131::dmxStartCode) {
        std::copy(packet.slotData.begin(), packet.slotData.end(), source.levels.begin());
        source.length = quint16(count);
    } else {
        // Other START codes (RDM, text, ...) carry no levels.
        return false;
    }
    universe.syncAddress = packet.syncAddress;
    if (packet.syncAddress == 0) {
        universe.held = false;
        return true;
    }
    // Synchronised once and the sync lost: Force_Synchronization set lets data through,
    // clear keeps it held until synchronisation resumes.
    const bool synchronised = universe.lastSyncMs >= 0;
    const bool syncLost = synchronised && nowMs - universe.lastSyncMs > syncLossMs;
    if (!synchronised || (syncLost && (packet.options & e131::optionForceSynchronization))) {
        universe.held = false;
        return true;
    }
    universe.held = true;
    return false;
}

void SacnMerger::acceptSync(const e131::DataPacket &packet, qint64 nowMs) {
    m_released.clear();
    if (packet.syncAddress == 0)
        return;
    for (quint32 i = 0; i < m_universes.size(); ++i) {
        Universe &universe = m_universes[i];
        if (universe.syncAddress != packet.syncAddress)
            continue;
        universe.lastSyncMs = nowMs;
        if (universe.held)
            m_released.push_back(i);
        universe.held = false;
    }
}

void SacnMerger::acceptDiscovery(const e131::DataPacket &packet, qint64 nowMs) {
    auto found = std::find_if(m_announcers.begin(), m_announcers.end(),
                              [&](const Announcer &a) { return sameBytes(a.cid, packet.cid); });
    if (found == m_announcers.end()) {
        found = std::find_if(m_announcers.begin(), m_announcers.end(), [&](const Announcer &a) {
            return nowMs - a.lastSeenMs > discoveryLossMs;
        });
        if (found == m_announcers.end()) {
            if (m_announcers.size() >= size_t(maxDiscoverySources)) {
                ++m_droppedSourceLimit;
                return;
            }
            found = m_announcers.emplace(m_announcers.end());
            found->universes.reserve(maxAnnouncedUniverses);
        }
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

void SacnMerger::expire(Universe &universe, qint64 nowMs) {
    for (Source &source : universe.sources)
        if (source.live && nowMs - source.lastSeenMs > sourceLossMs)
            source.live = false;
}

bool SacnMerger::merge(Universe &universe, qint64 nowMs) {
    const Source *single = nullptr;
    int live = 0;
    bool perAddress = false;
    quint16 length = 0;
    for (const Source &source : universe.sources) {
        if (!source.live)
            continue;
        ++live;
        single = &source;
        perAddress = perAddress || source.perAddress(nowMs);
        length = std::max(length, source.length);
    }
    if (live == 0)
        return false;
    universe.outputLength = length;
    if (live == 1 && !perAddress) {
        std::memcpy(universe.output.data(), single->levels.data(), single->length);
        return true;
    }
    // Per slot: the highest priority sourcing it wins, ties merged highest level first.
    // A 0xDD slot priority of 0 means the source does not drive that slot.
    std::array<int, slotCount> best;
    best.fill(-1);
    std::fill(universe.output.begin(), universe.output.begin() + length, quint8(0));
    for (const Source &source : universe.sources) {
        if (!source.live)
            continue;
        const bool slotted = source.perAddress(nowMs);
        for (int i = 0; i < source.length; ++i) {
            const int priority =
                slotted
                    ? (source.slotPriority[size_t(i)] == 0 ? -1 : source.slotPriority[size_t(i)])
                    : source.priority;
            if (priority < 0 || priority < best[size_t(i)])
                continue;
            const quint8 level = source.levels[size_t(i)];
            universe.output[size_t(i)] =
                priority > best[size_t(i)] ? level : std::max(universe.output[size_t(i)], level);
            best[size_t(i)] = priority;
        }
    }
    return true;
}

ReceiverStats SacnMerger::stats(qint64 nowMs) const {
    ReceiverStats out;
    out.iTakenMs = nowMs;
    out.uiDroppedInvalid = m_droppedInvalid;
    out.uiDroppedSequence = m_droppedSequence;
    out.uiDroppedPreview = m_droppedPreview;
    out.uiDroppedSourceLimit = m_droppedSourceLimit;
    for (size_t i = 0; i < m_universes.size(); ++i) {
        const Universe &universe = m_universes[i];
        if (universe.lastPacketMs < 0 && universe.dropped == 0)
            continue;
        UniverseStats u;
        u.uiUniverse = quint16(m_first + i);
        u.dPacketsPerSecond = universe.traffic.perSecond(nowMs);
        u.uiSequenceErrors = universe.traffic.sequenceErrors;
        u.uiDropped = universe.dropped;
        u.iLastPacketMs = universe.lastPacketMs;
        u.uiSyncAddress = universe.syncAddress;
        bool perAddress = false;
        int topCount = 0;
        for (const Source &source : universe.sources) {
            if (!source.live || nowMs - source.lastSeenMs > sourceLossMs)
                continue;
            SourceStats s;
            s.sName = nameOf(source.name);
            s.cid = QByteArray(reinterpret_cast<const char *>(source.cid.data()), 16);
            s.address = QHostAddress(source.address);
            s.iPriority = source.priority;
            s.bPerAddressPriority = source.perAddress(nowMs);
            s.uiPackets = source.traffic.packets;
            s.dPacketsPerSecond = source.traffic.perSecond(nowMs);
            s.uiSequenceErrors = source.traffic.sequenceErrors;
            s.iLastSeenMs = source.lastSeenMs;
            for (const Announcer &announcer : m_announcers)
                if (announcer.cid == source.cid)
                    s.lAnnouncedUniverses =
                        QList<quint16>(announcer.universes.begin(), announcer.universes.end());
            perAddress = perAddress || s.bPerAddressPriority;
            if (s.iPriority > u.iPriority) {
                u.iPriority = s.iPriority;
                u.iOwnerIndex = int(u.lSources.size());
                topCount = 1;
            } else if (s.iPriority == u.iPriority) {
                ++topCount;
            }
            u.lSources.append(s);
        }
        u.iLiveSources = int(u.lSources.size());
        if (u.iLiveSources == 0)
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
