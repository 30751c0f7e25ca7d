#pragma once

#include "engine/celllayout.h"

#include <QImage>
#include <QRgb>
#include <QSize>
#include <QTransform>
#include <QtGlobal>

#include <span>
#include <utility>
#include <vector>

// Everything that decides how a frame looks, besides its bytes: the grid and colour mode from
// the active settings, the screen values from the device model.
struct PaintParams {
    int cols = 0;
    int rows = 0;
    quint16 colourMode = 1;
    quint16 shape = 0;
    // The rotation and mirroring pivot on the configured screen size, not on the picture.
    int sizeX = 0;
    int sizeY = 0;
    quint8 level = 255;
    bool invert = false;
    bool mirrorLeftRight = false;
    bool mirrorTopBottom = false;
    quint16 rotation = 0;

    bool operator==(const PaintParams &) const = default;
};

// Rotation (0, 90, 180, 270; anything else is none) followed by the mirrors, as the painter
// applies them to the whole picture. 90 and 270 stretch the picture to fill the screen.
QTransform pictureTransform(const PaintParams &params);

// Paints the cells of a frame into an off-screen picture. Keeps its scratch buffers between
// frames so that painting allocates nothing.
class CellPainter {
public:
    // Clears `picture` to black and paints every cell of `frame` into it. Uses the direct or
    // the stamp path whenever it gives the same pixels as QPainter.
    void paint(QImage &picture, std::span<const quint8> frame, const PaintParams &params);

    // The QPainter path: one fill or outline call per cell, through the picture transform.
    void paintWithPainter(QImage &picture, std::span<const quint8> frame,
                          const PaintParams &params);

    // Whether the direct path applies: filled rectangles of a colour mode under a transform
    // that keeps rectangles axis-aligned at whole pixels (no rotation by 90 or 270).
    static bool directApplies(const PaintParams &params);
    // Writes the cell colours straight into the scan lines of a Format_RGB32 picture, one
    // prepared line per cell row. Only valid when directApplies(params).
    void paintDirect(QImage &picture, std::span<const quint8> frame, const PaintParams &params);

    // Whether the stamp path applies: outlines and ellipses of a colour mode without any
    // rotation or mirror.
    static bool stampApplies(const PaintParams &params);
    // Draws one cell's shape with QPainter once, then copies its pixel runs to every cell in
    // the cell's colour, in the painting order. Only valid when stampApplies(params).
    void paintStamped(QImage &picture, std::span<const quint8> frame, const PaintParams &params);

private:
    struct StampRun {
        int dy;
        int from;
        int to;
    };

    void flushRow(QImage &picture, int top, int bottom);
    void makeStamp(const CellGrid &grid, quint16 shape);

    std::vector<QRgb> m_line;
    std::vector<std::pair<int, int>> m_columns;
    std::vector<bool> m_written;
    // The stamp of the last cell size and shape, kept while they stay the same.
    std::vector<StampRun> m_stamp;
    quint16 m_stampShape = 0;
    QSize m_stampCell;
};
