#include "engine/diagnosticmarks.h"

#include "net/receiverstats.h"

#include <QPainter>
#include <QPen>

#include <algorithm>

namespace {

// What one receiver says about one universe.
struct Reading {
    bool live = false;
    bool silent = false;
    bool shared = false;
};

Reading readUniverse(const MarkSource &source, const UniverseStats *universe) {
    const qint64 now = source.stats->iTakenMs;
    // A universe never received has been silent since the receiver started.
    const qint64 last = universe && universe->iLastPacketMs >= 0 ? universe->iLastPacketMs : 0;
    Reading reading;
    const bool heard = sourceLive(last, now, source.lossMs);
    reading.live = universe && universe->iLiveSources > 0 && heard;
    reading.silent = !heard;
    reading.shared = reading.live && universe->iLiveSources > 1 &&
                     universe->ownership != UniverseOwnership::Single;
    return reading;
}

QPen markPen(const QColor &colour, int width, Qt::PenStyle style = Qt::SolidLine) {
    QPen pen(colour);
    pen.setWidth(width);
    pen.setStyle(style);
    // Widths in screen pixels: a stretched or small picture keeps lines that are visible and
    // thin.
    pen.setCosmetic(true);
    return pen;
}

// Lines rising to the right at 45 degrees in picture coordinates, so they turn and mirror with
// the cells.
void hatch(QPainter &painter, const QRectF &box, qreal spacing) {
    for (qreal x = box.left() - box.height(); x < box.right(); x += spacing)
        painter.drawLine(QLineF(x, box.bottom(), x + box.height(), box.top()));
}

const QColor markShadow(Qt::black);
const QColor silentWhite(255, 255, 255);
const QColor sharedAmber(255, 170, 0);

} // namespace

std::vector<UniverseMark> universeMarks(std::span<const MarkSource> sources, quint32 count) {
    std::vector<UniverseMark> marks(count, UniverseMark::None);
    std::vector<int> live(count, 0);
    std::vector<bool> silent(count, !sources.empty());
    std::vector<bool> shared(count, false);
    std::vector<const UniverseStats *> bySlot(count);
    for (const MarkSource &source : sources) {
        std::fill(bySlot.begin(), bySlot.end(), nullptr);
        for (const UniverseStats &universe : source.stats->lUniverses) {
            const qint64 slot = qint64(universe.uiUniverse) - source.firstUniverse;
            if (slot >= 0 && slot < qint64(count))
                bySlot[size_t(slot)] = &universe;
        }
        for (quint32 slot = 0; slot < count; ++slot) {
            const Reading reading = readUniverse(source, bySlot[slot]);
            live[slot] += reading.live ? 1 : 0;
            silent[slot] = silent[slot] && reading.silent;
            shared[slot] = shared[slot] || reading.shared;
        }
    }
    for (quint32 slot = 0; slot < count; ++slot) {
        // Art-Net and sACN both writing one universe fight over it as two consoles would.
        if (shared[slot] || live[slot] > 1)
            marks[slot] = UniverseMark::Shared;
        else if (silent[slot])
            marks[slot] = UniverseMark::Silent;
    }
    return marks;
}

CellSpan universeCells(quint32 slot, int channelsPerUniverse, int bytesPerCell, qint64 cellCount) {
    if (channelsPerUniverse <= 0 || bytesPerCell <= 0 || cellCount <= 0)
        return {};
    const qint64 from = qint64(slot) * channelsPerUniverse;
    const qint64 to = from + channelsPerUniverse - 1;
    const CellSpan span{from / bytesPerCell, std::min(to / bytesPerCell, cellCount - 1)};
    return span.first < cellCount ? span : CellSpan{};
}

QPainterPath spanArea(const CellGrid &grid, CellSpan span) {
    QPainterPath path;
    if (span.isEmpty() || grid.isEmpty())
        return path;
    const qint64 cols = grid.cols;
    const auto addRows = [&](qint64 firstRow, qint64 lastRow, qint64 firstCol, qint64 lastCol) {
        path.addRect(QRectF(qreal(grid.offX + firstCol * grid.cellW),
                            qreal(grid.offY + firstRow * grid.cellH),
                            qreal((lastCol - firstCol + 1) * grid.cellW),
                            qreal((lastRow - firstRow + 1) * grid.cellH)));
    };
    const qint64 firstRow = span.first / cols;
    const qint64 lastRow = span.last / cols;
    if (firstRow == lastRow) {
        addRows(firstRow, firstRow, span.first % cols, span.last % cols);
        return path;
    }
    addRows(firstRow, firstRow, span.first % cols, cols - 1);
    if (lastRow > firstRow + 1)
        addRows(firstRow + 1, lastRow - 1, 0, cols - 1);
    addRows(lastRow, lastRow, 0, span.last % cols);
    return path.simplified();
}

void paintUniverseMarks(QPainter &painter, const CellGrid &grid,
                        std::span<const UniverseMark> marks, int channelsPerUniverse,
                        int bytesPerCell) {
    const qint64 cellCount = qint64(grid.cols) * grid.rows;
    const qreal spacing = std::clamp(std::min(grid.cellW, grid.cellH) / 2, 6, 24);
    for (size_t slot = 0; slot < marks.size(); ++slot) {
        if (marks[slot] == UniverseMark::None)
            continue;
        const QPainterPath area = spanArea(
            grid, universeCells(quint32(slot), channelsPerUniverse, bytesPerCell, cellCount));
        if (area.isEmpty())
            continue;
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setBrush(Qt::NoBrush);
        // Lines centred on the outline and clipped to it: the border lies inside the
        // universe's own cells and never over its neighbour's.
        painter.setClipPath(area, Qt::IntersectClip);
        painter.setPen(markPen(markShadow, 4));
        painter.drawPath(area);
        if (marks[slot] == UniverseMark::Silent) {
            painter.setPen(markPen(markShadow, 3));
            hatch(painter, area.boundingRect(), spacing);
            painter.setPen(markPen(silentWhite, 1));
            hatch(painter, area.boundingRect(), spacing);
            painter.setPen(markPen(silentWhite, 2));
        } else {
            painter.setPen(markPen(sharedAmber, 4, Qt::DashLine));
        }
        painter.drawPath(area);
        painter.restore();
    }
}

void paintFindingMarks(QPainter &painter, const CellGrid &grid, const std::vector<bool> &marked,
                       int channelsPerUniverse, int bytesPerCell) {
    const qint64 cellCount = qint64(grid.cols) * grid.rows;
    for (size_t slot = 0; slot < marked.size(); ++slot) {
        if (!marked[slot])
            continue;
        const CellSpan span =
            universeCells(quint32(slot), channelsPerUniverse, bytesPerCell, cellCount);
        if (span.isEmpty() || grid.cols <= 0)
            continue;
        const QRect cell = cellRect(grid, int(span.first / grid.cols), int(span.first % grid.cols));
        // A corner of the first cell, small enough to leave its colour readable.
        const qreal side = std::clamp(std::min(cell.width(), cell.height()) / 3.0, 6.0, 24.0);
        const QPointF corner = cell.topLeft();
        const QPolygonF triangle{corner, corner + QPointF(side, 0), corner + QPointF(0, side)};
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(markPen(markShadow, 1));
        painter.setBrush(sharedAmber);
        painter.drawPolygon(triangle);
        painter.restore();
    }
}
