#pragma once

#include "engine/celllayout.h"

#include <QImage>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <QTransform>
#include <QtGlobal>

#include <span>
#include <vector>

class QPainter;

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

// Paints the cells of a frame. Keeps its scratch pictures between frames so that painting
// allocates nothing.
class CellPainter {
public:
    // Paints every pixel of `rect` of `painter` (a widget's, an OpenGL widget's or an image's):
    // the black background and every cell of `frame`, through the picture transform. Filled
    // cells go straight into the painter's device; outlines and ellipses are painted into an
    // off-screen picture by the stamp or the QPainter path and copied.
    void paint(QPainter &painter, const QRect &rect, std::span<const quint8> frame,
               const PaintParams &params);

    // The QPainter path: one fill or outline call per cell, through the picture transform.
    void paintWithPainter(QImage &picture, std::span<const quint8> frame,
                          const PaintParams &params);

    // Whether the direct path applies: filled rectangles of a colour mode under a transform
    // that keeps rectangles axis-aligned at whole pixels (no rotation by 90 or 270).
    static bool directApplies(const PaintParams &params);
    // Draws the cells one cell row at a time from a scratch band of one row's pixels, in
    // device order (mirrors and rotation by 180 applied), and fills the margins black: one
    // pass over the target instead of one fill per cell. Only valid when directApplies(params).
    void paintDirect(QPainter &painter, const QRect &rect, std::span<const quint8> frame,
                     const PaintParams &params);

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

    void makeStamp(const CellGrid &grid, quint16 shape);

    QImage m_band;
    QImage m_picture;
    // The stamp of the last cell size and shape, kept while they stay the same.
    std::vector<StampRun> m_stamp;
    quint16 m_stampShape = 0;
    QSize m_stampCell;
};
