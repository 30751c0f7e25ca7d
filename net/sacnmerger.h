#pragma once

#include "net/e131.h"
#include "net/findings.h"
#include "net/intervalwatch.h"
#include "net/monotonicclock.h"
#include "net/packetrate.h"
#include "net/receiverstats.h"

#include <QtGlobal>

#include <array>
#include <optional>
#include <span>
#include <vector>

// Streaming ACN arbitration between the parser and the frame store: sources told apart by CID
// per universe, sequence and option rules, source loss, priority (per universe and per slot
// with START code 0xDD) and each source's synchronisation. Time is passed in (monotonic ms), so
// the rules run on a fake clock in tests. Memory is taken at configure() and when a source slot
// is built, never per packet or tick.
class SacnMerger {
public:
    static constexpr int maxSources = 16;
    static constexpr qint64 sourceLossMs = sacnSourceLossMs;
    static constexpr qint64 syncLossMs = 2500;
    static constexpr qint64 perAddressLossMs = 2500;
    static constexpr int slotCount = 512;
    static constexpr int maxDiscoverySources = 16;
    static constexpr int maxAnnouncedUniverses = 1024;
    // Discovery is sent every 10 s; an announcer silent for two rounds gives up its slot.
    static constexpr qint64 discoveryLossMs = 20000;
    // A universe newly received listens this long before its first look, so the sources that
    // are already on air are all known and a lower one never flashes up before the owner.
    static constexpr qint64 samplingPeriodMs = 1500;
    // A source that appears later may send slot priorities after its first levels; its
    // levels stay out of the merge until its first 0xDD packet or this long without one.
    static constexpr qint64 perAddressWaitMs = 1500;
    // When the owner is lost, the sources silent for longer than this are taken as lost with
    // it (one cable), so the look changes once rather than once per source.
    static constexpr qint64 lossSettleMs = 1000;

    // Arbitrates universes first .. first + count - 1 (frame-store slots 0 .. count - 1) from
    // nowMs. A universe already arbitrated keeps its sources and look; a new one samples.
    void configure(quint16 first, quint32 count, qint64 nowMs);

    // One parsed packet from IPv4 `sender`. Calls write(index, bytes) for each frame-store
    // universe whose look changed; bytes are valid only during the call.
    template <typename Write>
    void accept(const e131::DataPacket &packet, quint32 sender, qint64 nowMs, Write &&write,
                qint64 receivedNs = 0);
    void countInvalid() { ++m_droppedInvalid; }
    // Ends sampling periods, per-address waits and lost sources that are due at nowMs; calls
    // write(index, bytes) for each universe whose look changed.
    template <typename Write> void tick(qint64 nowMs, Write &&write);

    // Copies the facts of every universe that has seen a packet, with each source's levels
    // for universe `levelsOf`.
    ReceiverStats stats(qint64 nowMs, std::optional<quint16> levelsOf = {}) const;
    // Where the rules that need a source's history report (null: nowhere). Borrowed.
    void setFindings(FindingsLog *findings) { m_findings = findings; }

private:
    struct Source {
        bool live = false;
        std::array<quint8, 16> cid{};
        std::array<quint8, 64> name{};
        quint32 address = 0;
        quint8 priority = 0;
        quint8 lastSequence = 0;
        qint64 lastSeenMs = 0;
        qint64 lastPerAddressMs = -1;
        // While set, the source's levels wait for its first slot priorities.
        qint64 waitUntilMs = -1;
        PacketCounter traffic;
        // What the merge sees.
        quint16 length = 0;
        std::array<quint8, slotCount> levels{};
        std::array<quint8, slotCount> slotPriority{};
        // Synchronisation is the source's own: its levels wait here for a sync packet on its
        // address, whatever other sources on the universe send meanwhile.
        quint16 syncAddress = 0;
        qint64 lastSyncMs = -1;
        // When the source first named its current sync address.
        qint64 syncNamedMs = -1;
        IntervalWatch timing;
        bool held = false;
        quint16 heldLength = 0;
        std::array<quint8, slotCount> heldLevels{};
        bool perAddress(qint64 nowMs) const {
            return lastPerAddressMs >= 0 && nowMs - lastPerAddressMs <= perAddressLossMs;
        }
        bool merged() const { return live && waitUntilMs < 0; }
    };
    struct Universe {
        // Room for maxSources taken on the first packet; a slot is built for each new source
        // up to that, then reused, never erased.
        std::vector<Source> sources;
        std::array<quint8, slotCount> output{};
        quint16 outputLength = 0;
        PacketCounter traffic;
        quint64 dropped = 0;
        qint64 lastPacketMs = -1;
        // While set, packets are taken in but the look is not written.
        qint64 samplingUntilMs = -1;
        bool sampling() const { return samplingUntilMs >= 0; }
    };
    struct Announcer {
        std::array<quint8, 16> cid{};
        qint64 lastSeenMs = -1;
        std::vector<quint16> universes;
    };

    // `receivedNs`: the datagram's receive stamp (monotonicNs()), which times the source.
    bool acceptData(Universe &universe, const e131::DataPacket &packet, quint32 sender,
                    qint64 nowMs, qint64 receivedNs);
    static bool waitsForSync(Source &source, const e131::DataPacket &packet, qint64 nowMs);
    // The rules a data packet shows against its source's history, before the source takes it.
    void checkSource(Source &source, const e131::DataPacket &packet, quint32 sender, qint64 nowMs,
                     qint64 receivedNs);
    void report(FindingCode code, const e131::DataPacket &packet, quint32 sender, qint64 nowMs,
                quint32 detail = 0);
    void acceptSync(const e131::DataPacket &packet, qint64 nowMs);
    void acceptDiscovery(const e131::DataPacket &packet, qint64 nowMs);
    // Ends what is due at nowMs on the universe: its sampling period, waits, lost sources.
    // True when any of them ended.
    static bool pass(Universe &universe, qint64 nowMs);
    static bool expire(Universe &universe, qint64 nowMs);
    // pass(), then true when the look is to be written: the first one after sampling, or one
    // that differs from the last.
    static bool lookChanged(Universe &universe, qint64 nowMs);
    // Merges the sources in the merge into output; false when there is none (the look is held).
    static bool merge(Universe &universe, qint64 nowMs);
    template <typename Write> void writeOut(quint32 index, Write &write) const {
        const Universe &universe = m_universes[index];
        write(index, std::span<const quint8>(universe.output.data(), universe.outputLength));
    }

    quint16 m_first = 1;
    std::vector<Universe> m_universes;
    std::vector<quint32> m_released;
    std::vector<Announcer> m_announcers;
    quint64 m_droppedInvalid = 0;
    quint64 m_droppedSequence = 0;
    quint64 m_droppedPreview = 0;
    quint64 m_droppedSourceLimit = 0;
    quint64 m_droppedPriority = 0;
    FindingsLog *m_findings = nullptr;
};

template <typename Write>
void SacnMerger::accept(const e131::DataPacket &packet, quint32 sender, qint64 nowMs, Write &&write,
                        qint64 receivedNs) {
    if (!packet.ok()) {
        ++m_droppedInvalid;
        return;
    }
    if (packet.kind == e131::Kind::Discovery) {
        acceptDiscovery(packet, nowMs);
        return;
    }
    if (packet.kind == e131::Kind::Sync) {
        acceptSync(packet, nowMs);
        for (quint32 index : m_released)
            if (!m_universes[index].sampling() && merge(m_universes[index], nowMs))
                writeOut(index, write);
        return;
    }
    if (packet.universe < m_first || quint32(packet.universe - m_first) >= m_universes.size())
        return;
    const quint32 index = packet.universe - m_first;
    Universe &universe = m_universes[index];
    const bool passed = pass(universe, nowMs);
    const bool accepted =
        acceptData(universe, packet, sender, nowMs, receivedNs != 0 ? receivedNs : monotonicNs());
    if ((passed || accepted) && !universe.sampling() && merge(universe, nowMs))
        writeOut(index, write);
}

template <typename Write> void SacnMerger::tick(qint64 nowMs, Write &&write) {
    for (quint32 index = 0; index < m_universes.size(); ++index)
        if (lookChanged(m_universes[index], nowMs))
            writeOut(index, write);
}
