#pragma once

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

struct ReceiverStats {
    // The receiver's time the snapshot was taken at, which the other times are measured against.
    qint64 iTakenMs = 0;
    QList<UniverseStats> lUniverses;
    quint64 uiDroppedInvalid = 0;
    quint64 uiDroppedSequence = 0;
    quint64 uiDroppedPreview = 0;
    quint64 uiDroppedSourceLimit = 0;
};
