#pragma once

#include "net/packetrate.h"

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QString>
#include <QtGlobal>

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
                               qint64 nowMs) {
    SourceStats s;
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
};

struct ReceiverView {
    ReceiverStats stats;
    QList<quint16> lShownUniverses;
    // Of the frames that showed this receiver's data.
    LatencyFigures latency;
};
