#include "engine/celllayout.h"

#include "settings/settingsrecord.h"

#include <algorithm>

bool isMonoMode(quint16 colourMode) {
    return colourMode == ColourMode::Monochrome || colourMode == ColourMode::BarVertical ||
           colourMode == ColourMode::DmxValues || colourMode == ColourMode::BarAndDmxValues;
}

int channelsPerCell(quint16 colourMode) {
    // The painter draws a mode it does not know as RGB, so its frame is laid out as RGB too.
    const int channels = cellChannels(colourMode);
    return channels > 0 ? channels : 3;
}

quint32 frameLength(const SettingsRecord &settings) {
    if (settings.DmxSizeX == 0 || settings.DmxSizeY == 0 || settings.DmxChannelPerUniverse == 0)
        return 0;
    const quint64 length = quint64(settings.DmxSizeX) * settings.DmxSizeY *
                           quint64(channelsPerCell(settings.DmxUseRgb));
    return length > maxFrameLength ? 0 : quint32(length);
}

// Counted over the frame actually allocated (capped, and 0 for a hand-edited record without one)
// rather than over the grid as the dialogs count it.
quint32 universeCount(const SettingsRecord &settings) {
    if (cellChannels(settings.DmxUseRgb) == 0)
        return 0;
    const quint32 channels = std::min<quint32>(settings.DmxChannelPerUniverse, 512);
    return quint32(universesFor(frameLength(settings), channels));
}

CellGrid cellGrid(int width, int height, int cols, int rows) {
    if (cols <= 0 || rows <= 0 || width < 0 || height < 0)
        return {};
    CellGrid grid;
    grid.cols = cols;
    grid.rows = rows;
    grid.cellW = width / cols;
    grid.cellH = height / rows;
    grid.offX = (width % cols) / 2;
    grid.offY = (height % rows) / 2;
    return grid;
}

QRect cellRect(const CellGrid &grid, int row, int col) {
    return QRect(grid.offX + col * grid.cellW, grid.offY + row * grid.cellH, grid.cellW,
                 grid.cellH);
}

QRect innerRect(const CellGrid &grid, int row, int col) {
    const QRect cell = cellRect(grid, row, col);
    return QRect(cell.left() + grid.cellW / 4, cell.top() + grid.cellH / 4, grid.cellW / 2,
                 grid.cellH / 2);
}

QRect barRect(const CellGrid &grid, int row, int col, quint8 value, quint16 shape) {
    const QRect cell = cellRect(grid, row, col);
    const double f = value / 255.0;
    const double g = 1.0 - f;
    // Every product is truncated toward zero, as the int conversion does.
    const auto part = [](double factor, int length) { return int(factor * length); };
    if (shape == ShapeKind::EllipseFilled) {
        const int x1 = cell.left() + grid.cellW / 4 + part(g, grid.cellW / 4);
        const int y1 = cell.top() + grid.cellH / 4 + part(g, grid.cellH / 4);
        return QRect(QPoint(x1, y1),
                     QPoint(x1 - 1 + part(f, grid.cellW / 2), y1 - 1 + part(f, grid.cellH / 2)));
    }
    if (shape == ShapeKind::Ellipse) {
        const int x1 = cell.left() + part(g, grid.cellW / 2);
        const int y1 = cell.top() + part(g, grid.cellH / 2);
        return QRect(QPoint(x1, y1),
                     QPoint(x1 - 1 + part(f, grid.cellW), y1 - 1 + part(f, grid.cellH)));
    }
    const int y1 = cell.top() + part(g, grid.cellH);
    return QRect(QPoint(cell.left(), y1), QPoint(cell.right(), y1 - 1 + part(f, grid.cellH)));
}

int numberPixelSize(const CellGrid &grid) {
    return qMax(6, qMin(grid.cellW, grid.cellH) / 2);
}
