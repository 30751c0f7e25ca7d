#pragma once

#include "net/receiverstats.h"

#include <QCoreApplication>
#include <QList>
#include <QStringList>
#include <QtGlobal>

#include <span>

// The part of a cell's bytes that lies in one universe: a cell split between two universes has
// two parts.
struct CellChannels {
    // Universe slot of the picture (0 is the first universe shown).
    quint32 slot = 0;
    // DMX channel, 1 ... 512.
    int firstChannel = 1;
    int count = 0;
    // Offset of the part's first byte within the cell.
    int cellOffset = 0;

    bool operator==(const CellChannels &) const = default;
};

// How the frame is laid over the universes.
struct CellLayoutFacts {
    quint16 colourMode = 1;
    int channelsPerUniverse = 512;
    quint16 startAddress = 1;
    // The operator's number of the first universe (DmxUniverseStart).
    quint16 universeStart = 1;
};

// One receiver's snapshot as the inspector reads it.
struct InspectorSource {
    enum class Protocol : quint8 { Sacn, ArtNet };
    Protocol protocol = Protocol::Sacn;
    const ReceiverStats *stats = nullptr;
    // The protocol's number of universe slot 0 (sACN universe, Art-Net Port-Address).
    quint32 firstUniverse = 0;
    // Art-Net: the node holds every universe until the next ArtSync.
    bool artSyncHeld = false;
};

// The inspector's texts, as pure functions of the frame and the receivers' snapshots.
class InspectorText {
    Q_DECLARE_TR_FUNCTIONS(InspectorText)

public:
    static QList<CellChannels> channelsOf(qint64 cell, const CellLayoutFacts &layout);
    // "Universe 3 · Channels 4–6 · Cell 12", the start address when it is not 1, the values
    // in decimal and percent and in hex; empty for a cell beyond the frame.
    static QStringList cellLines(qint64 cell, const CellLayoutFacts &layout,
                                 std::span<const quint8> frame);
    // Who owns the part's universe in one protocol: the source (name, address, priority), or
    // the merge and, when more than one source is live, each source with its own values for the
    // part's channels (when the snapshot carries its levels); held for sync; silent for how long.
    static QStringList ownerLines(const InspectorSource &source, const CellChannels &part);
};
