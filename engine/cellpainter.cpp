#include "engine/cellpainter.h"

#include "engine/celllayout.h"
#include "settings/settingsrecord.h"

#include <QFont>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr quint16 barBit = 4;
constexpr quint16 numberBit = 8;
const QColor numberGrey(160, 160, 164);

// Display level and invert for all 256 values, built once per frame.
class LevelTable {
public:
    LevelTable(quint8 level, bool invert) {
        for (int v = 0; v < 256; ++v)
            m_table[v] = levelScale(quint8(v), invert, level);
    }
    quint8 operator()(quint8 value) const { return m_table[value]; }

private:
    std::array<quint8, 256> m_table{};
};

// The modes that colour the cell shape.
bool isColourMode(quint16 mode) {
    return mode == ColourMode::Monochrome || mode == ColourMode::Rgb || mode == ColourMode::Rgbw;
}

// Walks the cells row by row with a running byte index and calls visit(row, col, colour,
// value) for every cell that has data; `value` is the level-scaled byte of the mono-type
// modes. The walk ends at the first cell whose bytes do not fit in the frame.
template <typename Visit>
void walkCells(std::span<const quint8> frame, const PaintParams &params, Visit &&visit) {
    const quint16 mode = params.colourMode;
    const bool valueMode = mode & (barBit | numberBit);
    const int bytes = valueMode ? 1 : channelsPerCell(mode);
    if (!valueMode && !isColourMode(mode))
        return;
    const LevelTable scale(params.level, params.invert);
    const size_t length = frame.size();
    size_t i = 0;
    for (int row = 0; row < params.rows; ++row) {
        for (int col = 0; col < params.cols; ++col) {
            if (i + size_t(bytes) > length)
                return;
            const quint8 *cell = frame.data() + i;
            i += size_t(bytes);
            if (bytes == 1) {
                const quint8 v = scale(cell[0]);
                visit(row, col, qRgb(v, v, v), v);
            } else if (bytes == 3) {
                visit(row, col, qRgb(scale(cell[0]), scale(cell[1]), scale(cell[2])), 0);
            } else {
                const quint8 w = scale(cell[3]);
                visit(row, col,
                      qRgb(rgbwMix(scale(cell[0]), w), rgbwMix(scale(cell[1]), w),
                           rgbwMix(scale(cell[2]), w)),
                      0);
            }
        }
    }
}

// The pixels QPainter fills for a rectangle under a scaling transform without antialiasing:
// both corners rounded to whole pixels.
QRect deviceFillRect(const QTransform &transform, const QRect &rect) {
    const QRectF mapped = transform.mapRect(QRectF(rect));
    int x1 = qRound(mapped.left());
    int x2 = qRound(mapped.right());
    int y1 = qRound(mapped.top());
    int y2 = qRound(mapped.bottom());
    if (x2 < x1)
        std::swap(x1, x2);
    if (y2 < y1)
        std::swap(y1, y2);
    return QRect(x1, y1, x2 - x1, y2 - y1);
}

// One coloured cell as QPainter draws it; `pen` carries the shape's width.
void drawCellShape(QPainter &painter, QPen &pen, const CellGrid &grid, int row, int col,
                   QRgb colour, quint16 shape) {
    switch (shape) {
    case ShapeKind::EllipseFilled:
        // The pen is as wide as half the cell, so the stroked inner ellipse looks filled.
        pen.setColor(colour);
        painter.setPen(pen);
        painter.drawEllipse(innerRect(grid, row, col));
        break;
    case ShapeKind::Ellipse:
        pen.setColor(colour);
        painter.setPen(pen);
        painter.drawEllipse(cellRect(grid, row, col));
        break;
    case ShapeKind::Rectangle:
        pen.setColor(colour);
        painter.setPen(pen);
        painter.drawRect(cellRect(grid, row, col));
        break;
    default:
        painter.fillRect(cellRect(grid, row, col), QColor(colour));
        break;
    }
}

int shapePenWidth(const CellGrid &grid, quint16 shape) {
    return shape == ShapeKind::EllipseFilled ? std::min(grid.cellW / 2, grid.cellH / 2) : 1;
}

bool isOutlinedShape(quint16 shape) {
    return shape == ShapeKind::Rectangle || shape == ShapeKind::EllipseFilled ||
           shape == ShapeKind::Ellipse;
}

} // namespace

QTransform pictureTransform(const PaintParams &params) {
    QTransform transform;
    const qreal sx = params.sizeX;
    const qreal sy = params.sizeY;
    switch (params.rotation) {
    case 180:
        transform.translate(sx, sy);
        transform.rotate(180);
        break;
    case 270:
        // A zero screen size (hand-edited store) would make the stretch infinite.
        if (sx > 0 && sy > 0) {
            transform.translate(0, sy);
            transform.scale(sx / sy, sy / sx);
            transform.rotate(270);
        }
        break;
    case 90:
        if (sx > 0 && sy > 0) {
            transform.translate(sx, 0);
            transform.scale(sx / sy, sy / sx);
            transform.rotate(90);
        }
        break;
    default:
        break;
    }
    const int mirror = (params.mirrorLeftRight ? 2 : 0) + (params.mirrorTopBottom ? 1 : 0);
    if (mirror == 2) {
        transform.translate(sx, 0);
        transform.scale(-1, 1);
    } else if (mirror == 3) {
        transform.translate(sx, sy);
        transform.scale(-1, -1);
    } else if (mirror == 1) {
        transform.translate(0, sy);
        transform.scale(1, -1);
    }
    return transform;
}

void CellPainter::paint(QPainter &painter, const QRect &rect, std::span<const quint8> frame,
                        const PaintParams &params) {
    if (directApplies(params)) {
        paintDirect(painter, rect, frame, params);
        return;
    }
    if (m_picture.size() != rect.size())
        m_picture = QImage(rect.size(), QImage::Format_RGB32);
    if (stampApplies(params))
        paintStamped(m_picture, frame, params);
    else
        paintWithPainter(m_picture, frame, params);
    painter.drawImage(rect.topLeft(), m_picture);
}

void CellPainter::paintWithPainter(QImage &picture, std::span<const quint8> frame,
                                   const PaintParams &params) {
    picture.fill(Qt::black);
    const CellGrid grid = cellGrid(picture.width(), picture.height(), params.cols, params.rows);
    if (grid.isEmpty() || frame.empty())
        return;

    QPainter painter(&picture);
    painter.setTransform(pictureTransform(params));
    painter.setBrush(Qt::NoBrush);
    const quint16 shape = params.shape;
    QPen pen;
    pen.setWidth(shapePenWidth(grid, shape));
    QFont font;
    font.setPixelSize(numberPixelSize(grid));
    painter.setFont(font);

    const quint16 mode = params.colourMode;
    walkCells(frame, params, [&](int row, int col, QRgb colour, quint8 value) {
        if (mode & (barBit | numberBit)) {
            if (mode & barBit) {
                const QRect bar = barRect(grid, row, col, value, shape);
                pen.setColor(Qt::white);
                painter.setPen(pen);
                if (shape == ShapeKind::EllipseFilled || shape == ShapeKind::Ellipse)
                    painter.drawEllipse(bar);
                else if (shape == ShapeKind::Rectangle)
                    painter.drawRect(bar);
                else
                    painter.fillRect(bar, Qt::white);
            }
            if (mode & numberBit) {
                painter.setPen(numberGrey);
                painter.drawText(cellRect(grid, row, col), Qt::AlignCenter, QString::number(value));
            }
            return;
        }
        drawCellShape(painter, pen, grid, row, col, colour, shape);
    });
}

bool CellPainter::directApplies(const PaintParams &params) {
    return !isOutlinedShape(params.shape) && isColourMode(params.colourMode) &&
           pictureTransform(params).type() <= QTransform::TxScale;
}

bool CellPainter::stampApplies(const PaintParams &params) {
    return isOutlinedShape(params.shape) && isColourMode(params.colourMode) &&
           pictureTransform(params).type() == QTransform::TxNone;
}

void CellPainter::paintStamped(QImage &picture, std::span<const quint8> frame,
                               const PaintParams &params) {
    Q_ASSERT(picture.format() == QImage::Format_RGB32 && stampApplies(params));
    const QRgb background = qRgb(0, 0, 0);
    picture.fill(background);
    const CellGrid grid = cellGrid(picture.width(), picture.height(), params.cols, params.rows);
    if (grid.isEmpty() || frame.empty())
        return;
    if (m_stampShape != params.shape || m_stampCell != QSize(grid.cellW, grid.cellH))
        makeStamp(grid, params.shape);

    const int width = picture.width();
    const int height = picture.height();
    uchar *bits = picture.bits();
    const qsizetype stride = picture.bytesPerLine();
    walkCells(frame, params, [&](int row, int col, QRgb colour, quint8) {
        const QRect cell = cellRect(grid, row, col);
        for (const StampRun &run : m_stamp) {
            const int y = cell.top() + run.dy;
            if (y < 0 || y >= height)
                continue;
            const int from = std::clamp(cell.left() + run.from, 0, width);
            const int to = std::clamp(cell.left() + run.to, 0, width);
            auto *line = reinterpret_cast<QRgb *>(bits + y * stride);
            std::fill(line + from, line + to, colour);
        }
    });
}

void CellPainter::makeStamp(const CellGrid &grid, quint16 shape) {
    // The shape of one cell drawn by QPainter at a whole-pixel offset `margin`, wide enough for
    // the pen to reach past the cell; its pixel runs are kept relative to the cell's corner.
    const int margin = std::max(grid.cellW, grid.cellH) / 2 + 2;
    CellGrid local = grid;
    local.offX = margin;
    local.offY = margin;
    QImage mask(grid.cellW + 2 * margin, grid.cellH + 2 * margin, QImage::Format_RGB32);
    mask.fill(Qt::black);
    {
        QPainter painter(&mask);
        painter.setBrush(Qt::NoBrush);
        QPen pen;
        pen.setWidth(shapePenWidth(grid, shape));
        drawCellShape(painter, pen, local, 0, 0, qRgb(255, 255, 255), shape);
    }
    m_stamp.clear();
    for (int y = 0; y < mask.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(mask.constScanLine(y));
        int x = 0;
        while (x < mask.width()) {
            if (qRed(line[x]) == 0) {
                ++x;
                continue;
            }
            const int from = x;
            while (x < mask.width() && qRed(line[x]) != 0)
                ++x;
            m_stamp.push_back({y - margin, from - margin, x - margin});
        }
    }
    m_stampShape = shape;
    m_stampCell = QSize(grid.cellW, grid.cellH);
}

namespace {
// From this cell size on (in pixels), filling cell by cell costs less than a band per row.
constexpr int wholeCellFillArea = 256;
} // namespace

void CellPainter::paintDirect(QPainter &painter, const QRect &rect, std::span<const quint8> frame,
                              const PaintParams &params) {
    Q_ASSERT(directApplies(params));
    const QColor background(Qt::black);
    const CellGrid grid = cellGrid(rect.width(), rect.height(), params.cols, params.rows);
    // A grid with more cells than pixels has cells of no size: only the background shows.
    if (grid.isEmpty() || grid.cellW == 0 || grid.cellH == 0 || frame.empty()) {
        painter.fillRect(rect, background);
        return;
    }

    // Without rotation by 90 or 270 the transform maps the grid to a rectangle of whole cells,
    // reversed along an axis it mirrors.
    const QTransform transform = pictureTransform(params);
    const bool reverseX = transform.m11() < 0;
    const bool reverseY = transform.m22() < 0;
    const QRect cells =
        deviceFillRect(transform,
                       QRect(grid.offX, grid.offY, grid.cols * grid.cellW, grid.rows * grid.cellH))
            .translated(rect.topLeft());

    painter.save();
    // A screen size other than the picture's moves mirrored cells partly outside it.
    const QRect shown = cells & rect;
    if (shown != cells)
        painter.setClipRect(rect, Qt::IntersectClip);

    // The raster engine draws an unscaled image by copying lines: one cell row at a time, its
    // first scan line filled cell by cell and copied to the other lines of the row while they
    // are still in the cache, so the target is written once. Other engines (OpenGL) upload an
    // image as a texture: one scan line per cell row in one image, uploaded once and each line
    // stretched to the cell height without smoothing.
    const bool rowBands =
        painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Raster;
    const QSize band(cells.width(), rowBands ? grid.cellH : grid.rows);
    if (m_band.size() != band)
        m_band = QImage(band, QImage::Format_RGB32);
    uchar *bits = m_band.bits();
    const qsizetype stride = m_band.bytesPerLine();
    const auto deviceRow = [&](int row) { return reverseY ? grid.rows - 1 - row : row; };
    const auto bandTop = [&](int row) { return cells.top() + deviceRow(row) * grid.cellH; };
    int currentRow = -1;
    QRgb *line = nullptr;
    const auto drawBand = [&] {
        for (int y = 1; y < grid.cellH; ++y)
            std::memcpy(bits + y * stride, bits, size_t(band.width()) * sizeof(QRgb));
        painter.drawImage(QPoint(cells.left(), bandTop(currentRow)), m_band);
    };
    if (rowBands && grid.cellW * grid.cellH >= wholeCellFillArea) {
        // Large cells are filled one by one straight into the target, which writes every pixel
        // once; a band is written twice, into the band and then into the target.
        int lastCol = grid.cols - 1;
        walkCells(frame, params, [&](int row, int col, QRgb colour, quint8) {
            const int x = reverseX ? grid.cols - 1 - col : col;
            painter.fillRect(
                QRect(cells.left() + x * grid.cellW, bandTop(row), grid.cellW, grid.cellH),
                QColor(colour));
            currentRow = row;
            lastCol = col;
        });
        // Cells beyond the end of the frame stay black.
        if (currentRow >= 0 && lastCol < grid.cols - 1) {
            const int missing = grid.cols - 1 - lastCol;
            const int from = reverseX ? 0 : lastCol + 1;
            painter.fillRect(QRect(cells.left() + from * grid.cellW, bandTop(currentRow),
                                   missing * grid.cellW, grid.cellH),
                             background);
        }
    } else {
        walkCells(frame, params, [&](int row, int col, QRgb colour, quint8) {
            if (row != currentRow) {
                if (rowBands && currentRow >= 0)
                    drawBand();
                currentRow = row;
                line = reinterpret_cast<QRgb *>(bits + (rowBands ? 0 : deviceRow(row)) * stride);
                // Cells beyond the end of the frame stay black.
                std::fill_n(line, band.width(), background.rgb());
            }
            const int x = reverseX ? grid.cols - 1 - col : col;
            std::fill_n(line + x * grid.cellW, grid.cellW, colour);
        });
        if (rowBands && currentRow >= 0)
            drawBand();
        for (int row = 0; !rowBands && row <= currentRow; ++row)
            painter.drawImage(QRect(cells.left(), bandTop(row), cells.width(), grid.cellH), m_band,
                              QRect(0, deviceRow(row), cells.width(), 1));
    }
    // The rows the frame does not reach.
    const int missingRows = grid.rows - 1 - currentRow;
    if (missingRows > 0)
        painter.fillRect(QRect(cells.left(), reverseY ? cells.top() : bandTop(currentRow + 1),
                               cells.width(), missingRows * grid.cellH),
                         background);

    if (shown.isEmpty()) {
        painter.fillRect(rect, background);
    } else {
        // The margins around the cells: above, below, left and right of them.
        painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), shown.top() - rect.top()),
                         background);
        painter.fillRect(
            QRect(rect.left(), shown.bottom() + 1, rect.width(), rect.bottom() - shown.bottom()),
            background);
        painter.fillRect(
            QRect(rect.left(), shown.top(), shown.left() - rect.left(), shown.height()),
            background);
        painter.fillRect(
            QRect(shown.right() + 1, shown.top(), rect.right() - shown.right(), shown.height()),
            background);
    }
    painter.restore();
}
