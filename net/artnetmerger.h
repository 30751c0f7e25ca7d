#pragma once

#include "net/artnetpackets.h"
#include "net/findings.h"
#include "net/intervalwatch.h"
#include "net/packetrate.h"
#include "net/receiverstats.h"

#include <QtGlobal>

#include <array>
#include <optional>
#include <span>
#include <vector>

// Art-Net merging between the ArtDmx parser and the frame store: sources told apart by IP per
// Port-Address, two merged (HTP unless ArtAddress chose LTP), a third ignored, 10 s timeout,
// sequence rule. Time is passed in (monotonic ms). Memory is taken at configure() only.
class ArtNetMerger {
public:
    static constexpr int maxSources = 2;
    static constexpr qint64 sourceTimeoutMs = artnetSourceLossMs;
    static constexpr int slotCount = artnetpackets::maxSlots;

    // Merges Port-Addresses first .. first + count - 1 (frame-store slots 0 .. count - 1).
    void configure(quint16 first, quint32 count);

    // The bytes to write for `dmx`'s universe, or an empty span when it changes nothing
    // (outside the range, a third source, out of order). Valid until the next call.
    // `receivedNs` is the datagram's receive stamp (monotonicNs(); 0: now).
    std::span<const quint8> accept(const artnetpackets::Dmx &dmx, quint32 sender, qint64 nowMs,
                                   qint64 receivedNs = 0);
    // Where a third source, lost, repeated and late packets and uneven timing are reported
    // (null: nowhere). Borrowed.
    void setFindings(FindingsLog *findings) { m_findings = findings; }

    // AcMergeLtp / AcMergeHtp for the frame-store slot `index`.
    void setLtp(quint32 index, bool ltp);
    // The next ArtDmx of each universe makes its sender the only source.
    void cancelMerge();

    // GoodOutput merge bits (bit 3 merging, bit 1 LTP) of frame-store slot `index`.
    quint8 goodOutputBits(quint32 index, qint64 nowMs) const;
    // Whether any Art-Net source of slot `index` is live.
    bool hasLiveSource(quint32 index, qint64 nowMs) const;

    // Slots whose merge started or ended since clearMergeChanges(), each once. A merge ends
    // without a packet when its sources go quiet: expireMerges() finds those.
    const std::vector<quint32> &mergeChanges() const { return m_mergeChanges; }
    void clearMergeChanges();
    // Returns whether any merge is still on.
    bool expireMerges(qint64 nowMs);

    // With each source's levels for Port-Address `levelsOf`.
    ReceiverStats stats(qint64 nowMs, std::optional<quint16> levelsOf = {}) const;

private:
    struct Source {
        bool live = false;
        quint32 address = 0;
        quint8 lastSequence = 0;
        qint64 lastSeenMs = 0;
        PacketCounter traffic;
        IntervalWatch timing;
        quint16 length = 0;
        std::array<quint8, slotCount> levels{};
    };
    struct Universe {
        std::array<Source, maxSources> sources;
        // As last reported through mergeChanges().
        bool merging = false;
        bool changeListed = false;
        std::array<quint8, slotCount> output{};
        bool ltp = false;
        bool cancelPending = false;
        PacketCounter traffic;
        quint64 dropped = 0;
        qint64 lastPacketMs = -1;
        int liveCount(qint64 nowMs) const;
    };

    std::span<const quint8> merge(Universe &universe, const artnetpackets::Dmx &dmx, quint32 sender,
                                  qint64 nowMs, qint64 receivedNs);
    void noteMerging(quint32 index, qint64 nowMs);
    void report(FindingCode code, const artnetpackets::Dmx &dmx, quint32 sender, qint64 nowMs);

    quint16 m_first = 0;
    std::vector<Universe> m_universes;
    // Reserved at configure(), one entry per slot at most.
    std::vector<quint32> m_mergeChanges;
    quint64 m_droppedSequence = 0;
    quint64 m_droppedSourceLimit = 0;
    FindingsLog *m_findings = nullptr;
};
