#include "engine/cellhit.h"

#include <cmath>

namespace {

QTransform targetTransform(const QRect &rect, const PaintParams &params) {
    // As the painter sees it: the picture transform applied first, then the move to the rect.
    return pictureTransform(params) * QTransform::fromTranslate(rect.left(), rect.top());
}

} // namespace

std::optional<qint64> cellAt(QPointF point, const QRect &rect, const PaintParams &params) {
    const CellGrid grid = cellGrid(rect.width(), rect.height(), params.cols, params.rows);
    bool invertible = false;
    const QTransform back = targetTransform(rect, params).inverted(&invertible);
    if (grid.isEmpty() || grid.cellW <= 0 || grid.cellH <= 0 || !invertible)
        return std::nullopt;
    const QPointF picture = back.map(point);
    const qreal col = std::floor((picture.x() - grid.offX) / grid.cellW);
    const qreal row = std::floor((picture.y() - grid.offY) / grid.cellH);
    if (col < 0 || row < 0 || col >= grid.cols || row >= grid.rows)
        return std::nullopt;
    return qint64(row) * grid.cols + qint64(col);
}

QRect cellArea(qint64 index, const QRect &rect, const PaintParams &params) {
    const CellGrid grid = cellGrid(rect.width(), rect.height(), params.cols, params.rows);
    if (grid.isEmpty() || index < 0 || index >= qint64(grid.cols) * grid.rows)
        return {};
    const QRect cell = cellRect(grid, int(index / grid.cols), int(index % grid.cols));
    return targetTransform(rect, params).mapRect(QRectF(cell)).toAlignedRect();
}
