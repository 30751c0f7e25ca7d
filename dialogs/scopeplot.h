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
// the right edge. Lines and dots are set into an off-screen image pixel by pixel: at 16
// channels of 60 s (some 42,000 points) QPainter's per-segment cost is what a frame would
// otherwise spend.
class ScopePlot : public QWidget {
    Q_OBJECT
public:
    explicit ScopePlot(QWidget *parent = nullptr);

    // The traces must stay valid until the next call; the plot shows the `spanNs` before
    // `endNs` (monotonicNs()).
    void setTraces(std::vector<ScopeTrace> traces, qint64 endNs, qint64 spanNs);
    // Paints the whole plot into `image` (RGB32), as a paint event does.
    void render(QImage &image) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<ScopeTrace> m_traces;
    qint64 m_endNs = 0;
    qint64 m_spanNs = 10'000'000'000;
    QImage m_image;
};
