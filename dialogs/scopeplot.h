#pragma once

#include "net/channelwatch.h"

#include <QColor>
#include <QImage>
#include <QWidget>

#include <vector>

// One channel's samples as the scope draws them: a line through the levels and a dot on every
// received packet.
struct ScopeTrace {
    QColor colour;
    const std::vector<ChannelSample> *samples = nullptr;
};

// The scope's plot: levels 0 ... 255 on the left axis, percent on the right, time running to
// the right edge. At 16 channels of 60 s some 42,000 lines and dots are drawn per frame, so
// they are set pixel by pixel into strips 64 pixels wide, each an image of its own that the
// paint event places: a steep line written into one full-width image touches a new memory
// page on every pixel, and trace after trace across the whole frame misses the cache. The axis
// labels are drawn only when the size or the span changes.
class ScopePlot : public QWidget {
    Q_OBJECT
public:
    // One sample's place in the frame.
    struct PlotPoint {
        int x = 0;
        int y = 0;
        // The hold lines' ends carry no dot.
        bool dot = true;
    };

    explicit ScopePlot(QWidget *parent = nullptr);

    // The traces must stay valid until the next call; the plot shows the `spanNs` before
    // `endNs` (monotonicNs()).
    void setTraces(std::vector<ScopeTrace> traces, qint64 endNs, qint64 spanNs);
    // Draws the whole plot at `size` (device pixels) for the next paint event.
    void renderFrame(const QSize &size);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect plotRect() const;
    int yOf(int value) const;
    // The strip images over the strip buffer, with their places.
    template <typename Place> void forEachStrip(Place &&place) const;
    void paintAxes();
    // Background and level lines of one strip, copied into every strip at each frame (a copy
    // runs far faster than a fill); they change only with the plot's size.
    void fillStripBackground();
    void placePoints();
    void paintStrips();

    std::vector<ScopeTrace> m_traces;
    qint64 m_endNs = 0;
    qint64 m_spanNs = 10'000'000'000;
    // The margins with their labels and the plot's frame.
    QImage m_image;
    // The span the axis labels were drawn for.
    qint64 m_axesSpanNs = 0;
    // Kept between frames, so a frame allocates nothing.
    std::vector<std::vector<PlotPoint>> m_points;
    // Strip after strip, 64 pixels to a row, the plot's inside rows each.
    std::vector<quint32> m_strips;
    std::vector<quint32> m_stripBackground;
};
