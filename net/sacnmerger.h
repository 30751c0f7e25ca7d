#pragma once

#include "net/e131.h"
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
// is built, never per packet.
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

    // Arbitrates universes first .. first + count - 1 (frame-store slots 0 .. count - 1).
    void configure(quint16 first, quint32 count);

    // One parsed packet from IPv4 `sender`. Calls write(index, bytes) for each frame-store
    // universe whose look changed; bytes are valid only during the call.
    template <typename Write>
    void accept(const e131::DataPacket &packet, quint32 sender, qint64 nowMs, Write &&write);
    void countInvalid() { ++m_droppedInvalid; }

    // Copies the facts of every universe that has seen a packet, with each source's levels
    // for universe `levelsOf`.
    ReceiverStats stats(qint64 nowMs, std::optional<quint16> levelsOf = {}) const;

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
        PacketCounter traffic;
        // What the merge sees.
        quint16 length = 0;
        std::array<quint8, slotCount> levels{};
        std::array<quint8, slotCount> slotPriority{};
        // Synchronisation is the source's own: its levels wait here for a sync packet on its
        // address, whatever other sources on the universe send meanwhile.
        quint16 syncAddress = 0;
        qint64 lastSyncMs = -1;
        bool held = false;
        quint16 heldLength = 0;
        std::array<quint8, slotCount> heldLevels{};
        bool perAddress(qint64 nowMs) const {
            return lastPerAddressMs >= 0 && nowMs - lastPerAddressMs <= perAddressLossMs;
        }
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
    };
    struct Announcer {
        std::array<quint8, 16> cid{};
        qint64 lastSeenMs = -1;
        std::vector<quint16> universes;
    };

    bool acceptData(Universe &universe, const e131::DataPacket &packet, quint32 sender,
                    qint64 nowMs);
    static bool waitsForSync(Source &source, const e131::DataPacket &packet, qint64 nowMs);
    void acceptSync(const e131::DataPacket &packet, qint64 nowMs);
    void acceptDiscovery(const e131::DataPacket &packet, qint64 nowMs);
    static void expire(Universe &universe, qint64 nowMs);
    // Merges the live sources into output; false when none is live (the look is held).
    static bool merge(Universe &universe, qint64 nowMs);

    quint16 m_first = 1;
    std::vector<Universe> m_universes;
    std::vector<quint32> m_released;
    std::vector<Announcer> m_announcers;
    quint64 m_droppedInvalid = 0;
    quint64 m_droppedSequence = 0;
    quint64 m_droppedPreview = 0;
    quint64 m_droppedSourceLimit = 0;
    quint64 m_droppedPriority = 0;
};

template <typename Write>
void SacnMerger::accept(const e131::DataPacket &packet, quint32 sender, qint64 nowMs,
                        Write &&write) {
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
        for (quint32 index : m_released) {
            Universe &universe = m_universes[index];
            if (merge(universe, nowMs))
                write(index,
                      std::span<const quint8>(universe.output.data(), universe.outputLength));
        }
        return;
    }
    if (packet.universe < m_first || quint32(packet.universe - m_first) >= m_universes.size())
        return;
    const quint32 index = packet.universe - m_first;
    Universe &universe = m_universes[index];
    if (acceptData(universe, packet, sender, nowMs) && merge(universe, nowMs))
        write(index, std::span<const quint8>(universe.output.data(), universe.outputLength));
}
