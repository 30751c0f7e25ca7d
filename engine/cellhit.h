#pragma once

#include "engine/cellpainter.h"

#include <QPointF>
#include <QRect>
#include <QtGlobal>

#include <optional>

// The row-major index of the cell painted under `point` of a picture painted into `rect` with
// `params`, through its rotation and mirrors; none over the margins or outside the grid.
std::optional<qint64> cellAt(QPointF point, const QRect &rect, const PaintParams &params);

// Where cell `index` lands on the target, through the same transform: the pixels its outline
// covers.
QRect cellArea(qint64 index, const QRect &rect, const PaintParams &params);
