#pragma once

#include <QRect>
#include <QtGlobal>

struct SettingsRecord;

// Mono-type colour modes take one byte per cell: Monochrome, Bar Vertical, DMX Values and
// Bar and DMX Values.
bool isMonoMode(quint16 colourMode);
// Bytes per cell: 1 for the mono-type modes, 4 for RGBW, 3 for RGB and every unknown mode.
int channelsPerCell(quint16 colourMode);

// The largest frame the settings dialog can produce (9999 x 9999 RGBW cells). A hand-edited
// store asking for more gets no frame rather than an allocation that cannot succeed.
inline constexpr quint64 maxFrameLength = 9999ull * 9999ull * 4ull;

// Bytes of the frame buffer for the record's grid and colour mode. 0 when a grid dimension or
// the channels per universe is 0 (possible only through a hand-edited store) or when the frame
// would exceed maxFrameLength; the picture then shows the background only.
quint32 frameLength(const SettingsRecord &settings);

// Universes the frame spans, ceil(frameLength / channels per universe) with the channels
// capped at 512 as the store caps them; 0 for a colour mode that is not one of the listed ones,
// whose layout is only a fallback.
quint32 universeCount(const SettingsRecord &settings);

// Cell geometry of a W x H picture: the grid is centred, the leftover pixels of the integer
// division form the margins.
struct CellGrid {
    int cols = 0;
    int rows = 0;
    int cellW = 0;
    int cellH = 0;
    int offX = 0;
    int offY = 0;

    bool isEmpty() const { return cols <= 0 || rows <= 0; }
};

// An empty grid for cols or rows of 0, so no caller divides by zero.
CellGrid cellGrid(int width, int height, int cols, int rows);

// The cell at (row, col): cellW x cellH pixels.
QRect cellRect(const CellGrid &grid, int row, int col);
// The centred half-size rectangle the filled ellipse is stroked around.
QRect innerRect(const CellGrid &grid, int row, int col);
// The bar of `value` (level-scaled) in the cell for the cell shape: a disc growing from the
// centre for the filled ellipse, a growing ellipse for the outlined one, otherwise a bar rising
// from the bottom across the cell's width. Empty (height 0) for value 0.
QRect barRect(const CellGrid &grid, int row, int col, quint8 value, quint16 shape);

// Pixel size of the number font in a cell.
int numberPixelSize(const CellGrid &grid);

// A channel value as shown at display level `level`, optionally inverted.
constexpr quint8 levelScale(quint8 value, bool invert, quint8 level) {
    const unsigned x = invert ? 255u - value : value;
    return level == 255 ? quint8(x) : quint8(level * x / 255u);
}

// How an RGBW cell shows its white part: each of red, green and blue takes a third of white.
constexpr quint8 rgbwMix(quint8 component, quint8 white) {
    return quint8((2u * component + white) / 3u);
}
