#pragma once

#include "net/intervalwatch.h"
#include "net/monotonicclock.h"
#include "net/packetrate.h"

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QString>
#include <QtGlobal>

// How long a source may send nothing before it counts as gone: it then leaves the merge and
// the information dialog's source list, and a universe left without one is marked silent.
// E1.31 declares a source lost after 2.5 s without data. Art-Net 4 gives a source 10 s before
// a merge ends and a node's outputs fall to their data-loss state; the same 10 s keeps a
// console that sends only on change from being reported gone between two of its changes.
inline constexpr qint64 sacnSourceLossMs = 2500;
inline constexpr qint64 artnetSourceLossMs = 10000;

inline bool sourceLive(qint64 lastSeenMs, qint64 nowMs, qint64 lossMs) {
    return nowMs - lastSeenMs <= lossMs;
}

// Per universe and per source facts the receivers keep, copied out as one consistent snapshot
// for the diagnostics views. Times are the receiver's monotonic milliseconds.
struct SourceStats {
    QString sName;
    // 16 bytes for sACN, empty for Art-Net.
    QByteArray cid;
    QHostAddress address;
    // sACN universe priority, -1 for Art-Net.
    int iPriority = -1;
    bool bPerAddressPriority = false;
    quint64 uiPackets = 0;
    double dPacketsPerSecond = 0;
    quint64 uiSequenceErrors = 0;
    qint64 iLastSeenMs = 0;
    QList<quint16> lAnnouncedUniverses;
    // Packet intervals of the last 10 s while the levels changed.
    int iIntervals = 0;
    int iIntervalMinMs = 0;
    int iIntervalMedianMs = 0;
    int iIntervalMaxMs = 0;
    bool bStableTiming = true;
    // sACN: the source's levels wait for a sync packet on its synchronisation address.
    bool bHeldForSync = false;
    // The levels this source sends for the universe (DMX channel 1 first), as the merge sees
    // them. Copied only for the one universe a stats call asks for, since a copy of every
    // source of every universe at every refresh would be most of the snapshot.
    QByteArray levels;
};

enum class UniverseOwnership { None, Single, MergeHtp, MergeLtp, PerAddress };

struct UniverseStats {
    // The protocol's own number (sACN universe, Art-Net Port-Address).
    quint16 uiUniverse = 0;
    int iLiveSources = 0;
    UniverseOwnership ownership = UniverseOwnership::None;
    // Into lSources.
    int iOwnerIndex = -1;
    double dPacketsPerSecond = 0;
    quint64 uiSequenceErrors = 0;
    quint64 uiDropped = 0;
    qint64 iLastPacketMs = -1;
    int iPriority = -1;
    quint16 uiSyncAddress = 0;
    QList<SourceStats> lSources;
};

// The facts both protocols keep alike, copied from a universe's or a source's counters.
inline UniverseStats universeStats(quint16 universe, const PacketCounter &traffic, quint64 dropped,
                                   qint64 lastPacketMs, qint64 nowMs) {
    UniverseStats u;
    u.uiUniverse = universe;
    u.dPacketsPerSecond = traffic.perSecond(nowMs);
    u.uiSequenceErrors = traffic.sequenceErrors;
    u.uiDropped = dropped;
    u.iLastPacketMs = lastPacketMs;
    return u;
}
inline SourceStats sourceStats(quint32 address, const PacketCounter &traffic, qint64 lastSeenMs,
                               qint64 nowMs, const IntervalWatch &timing) {
    SourceStats s;
    const IntervalWatch::Figures figures = timing.figures(monotonicNs());
    s.iIntervals = figures.count;
    s.iIntervalMinMs = figures.minMs;
    s.iIntervalMedianMs = figures.medianMs;
    s.iIntervalMaxMs = figures.maxMs;
    s.bStableTiming = figures.stable();
    s.address = QHostAddress(address);
    s.uiPackets = traffic.packets;
    s.dPacketsPerSecond = traffic.perSecond(nowMs);
    s.uiSequenceErrors = traffic.sequenceErrors;
    s.iLastSeenMs = lastSeenMs;
    return s;
}

struct ReceiverStats {
    // The receiver's clock when the copy was taken, so ages can be read from the times above.
    qint64 iTakenMs = 0;
    QList<UniverseStats> lUniverses;
    quint64 uiDroppedInvalid = 0;
    quint64 uiDroppedSequence = 0;
    quint64 uiDroppedPreview = 0;
    quint64 uiDroppedSourceLimit = 0;
    // Malformed by the protocol's rules, though well framed: sACN priorities above 200,
    // Art-Net from before Art-Net 4 (ProtVer below 14).
    quint64 uiDroppedPriority = 0;
    quint64 uiDroppedOldProtocol = 0;
};

// One receiver as the diagnostics views show it: its snapshot and the universes the picture is
// drawn from (sACN universes, Art-Net Port-Addresses), so a universe that is shown but has never
// been received is listed too.
// Packet-to-pixel latency over the last seconds, as the status overlay and the information
// dialog show it.
struct LatencyFigures {
    quint32 count = 0;
    double medianMs = 0;
    double maxMs = 0;
    // Data arrived in the same time, whether it changed the picture or not.
    bool received = false;
};

struct ReceiverView {
    ReceiverStats stats;
    QList<quint16> lShownUniverses;
    // Of the frames that showed this receiver's data.
    LatencyFigures latency;
};
