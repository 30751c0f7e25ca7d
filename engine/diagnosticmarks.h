#pragma once

#include "engine/celllayout.h"

#include <QPainterPath>
#include <QtGlobal>

#include <span>
#include <vector>

class QPainter;
struct ReceiverStats;

// What the picture marks on one universe's cells while the diagnostics are on.
enum class UniverseMark : quint8 { None, Silent, Shared };

// One receiver's snapshot as the marks read it: `firstUniverse` is the protocol's number of
// the picture's first universe (sACN universe, Art-Net Port-Address).
struct MarkSource {
    const ReceiverStats *stats = nullptr;
    quint32 firstUniverse = 0;
    // The protocol's source loss time (net/receiverstats.h).
    qint64 lossMs = 0;
};

// The marks of the picture's `count` universes. A universe is silent when no receiver has had
// a live source for it within that receiver's loss time (one never received counts from the
// receiver's start), shared when a receiver merges sources for it or both protocols feed it.
std::vector<UniverseMark> universeMarks(std::span<const MarkSource> sources, quint32 count);

// Row-major cell indices, first to last inclusive.
struct CellSpan {
    qint64 first = 0;
    qint64 last = -1;

    bool isEmpty() const { return last < first; }
    bool operator==(const CellSpan &) const = default;
};

// The cells whose bytes lie in universe slot `slot` of a frame of `cellCount` cells: a cell
// split between two universes belongs to both. Empty past the frame or without channels.
CellSpan universeCells(quint32 slot, int channelsPerUniverse, int bytesPerCell, qint64 cellCount);

// The span's cells on the grid in picture pixels: the rest of its first row, its whole rows and
// the start of its last row, as one outline.
QPainterPath spanArea(const CellGrid &grid, CellSpan span);

// Paints the marks over the cells of `grid`; `painter` is already in picture coordinates (the
// transform that rotates and mirrors the cells). Silent universes get a hatch and a thin white
// border, shared ones a dashed amber border; both leave the colours between the lines alone.
void paintUniverseMarks(QPainter &painter, const CellGrid &grid,
                        std::span<const UniverseMark> marks, int channelsPerUniverse,
                        int bytesPerCell);

// A small amber triangle in the corner of the first cell of each universe slot `marked` names
// (a current fault or warning of the network findings), in picture coordinates like the marks.
void paintFindingMarks(QPainter &painter, const CellGrid &grid, const std::vector<bool> &marked,
                       int channelsPerUniverse, int bytesPerCell);
