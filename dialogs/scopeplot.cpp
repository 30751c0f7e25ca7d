#include "dialogs/scopeplot.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace {

constexpr int leftMargin = 40;
constexpr int rightMargin = 44;
constexpr int topMargin = 10;
constexpr int bottomMargin = 22;
constexpr int stripWidth = 64;
constexpr qint64 nsPerSecond = 1'000'000'000;
const QRgb background = qRgb(16, 20, 24);
const QRgb gridColour = qRgb(44, 50, 56);

// Grid lines every this many seconds, at most ten across the plot.
qint64 gridSeconds(qint64 spanNs) {
    const qint64 seconds = spanNs / nsPerSecond;
    return seconds <= 10 ? 1 : seconds <= 30 ? 5 : 10;
}

// The level of a horizontal grid line, 0 ... 4 quarters of the way up.
int quarterLevel(int quarter) {
    return (quarter * 255 + 2) / 4;
}

// The column of the vertical grid line `s` seconds before the right edge.
int gridX(const QRect &plot, qint64 seconds, qint64 s) {
    return plot.left() + int((seconds - s) * (plot.width() - 1) / seconds);
}

// Writes into the strip buffer: columns left ... right of the plot, rows top ... bottom, 64
// pixels to a row, so a vertical run stays within a few memory pages.
class StripPixels {
public:
    StripPixels(quint32 *bits, int left, int right, int top, int bottom)
        : m_bits(bits), m_left(left), m_right(right), m_top(top), m_bottom(bottom) {}

    // Time runs to the right, so a segment covers each column with a vertical run that joins
    // where the line enters the column to where it leaves it. The segments of one line that
    // meet in a column share the point where they meet, so their runs there form one: it is
    // collected here and written once by drawLine, however many packets fall in the column.
    void segment(const ScopePlot::PlotPoint &a, const ScopePlot::PlotPoint &b) {
        const int w = b.x - a.x;
        for (int x = std::max(a.x, m_left); x <= std::min(b.x, m_right); ++x) {
            const int enter = x == a.x ? a.y : a.y + (b.y - a.y) * (2 * (x - a.x) - 1) / (2 * w);
            const int leave = x == b.x ? b.y : a.y + (b.y - a.y) * (2 * (x - a.x) + 1) / (2 * w);
            const size_t column = size_t(x - m_left);
            m_low[column] = std::min({m_low[column], enter, leave});
            m_high[column] = std::max({m_high[column], enter, leave});
        }
    }
    // Writes the runs the segments since the last call collected.
    void drawLine(quint32 rgb) {
        for (int x = m_left; x <= m_right; ++x) {
            const size_t column = size_t(x - m_left);
            if (m_low[column] <= m_high[column])
                run(x, m_low[column], m_high[column], rgb);
        }
        m_low.fill(std::numeric_limits<int>::max());
        m_high.fill(std::numeric_limits<int>::min());
    }
    void dot(int x, int y, quint32 rgb) {
        for (int column = std::max(x - 1, m_left); column <= std::min(x + 1, m_right); ++column)
            run(column, std::max(y - 1, m_top), std::min(y + 1, m_bottom), rgb);
    }
    void run(int x, int a, int b, quint32 rgb) {
        if (a > b)
            std::swap(a, b);
        quint32 *pixel = m_bits + (a - m_top) * stripWidth + (x - m_left);
        for (int y = a; y <= b; ++y, pixel += stripWidth)
            *pixel = rgb;
    }

private:
    quint32 *m_bits;
    int m_left, m_right, m_top, m_bottom;
    std::array<int, stripWidth> m_low = filled(std::numeric_limits<int>::max());
    std::array<int, stripWidth> m_high = filled(std::numeric_limits<int>::min());

    static std::array<int, stripWidth> filled(int value) {
        std::array<int, stripWidth> a;
        a.fill(value);
        return a;
    }
};

} // namespace

ScopePlot::ScopePlot(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 200);
}

void ScopePlot::setTraces(std::vector<ScopeTrace> traces, qint64 endNs, qint64 spanNs) {
    m_traces = std::move(traces);
    m_endNs = endNs;
    m_spanNs = std::max<qint64>(spanNs, nsPerSecond);
    update();
}

QRect ScopePlot::plotRect() const {
    return QRect(leftMargin, topMargin, m_image.width() - leftMargin - rightMargin,
                 m_image.height() - topMargin - bottomMargin);
}

int ScopePlot::yOf(int value) const {
    const QRect plot = plotRect();
    return plot.bottom() - value * (plot.height() - 1) / 255;
}

void ScopePlot::renderFrame(const QSize &size) {
    if (m_image.size() != size || m_axesSpanNs != m_spanNs) {
        m_image = QImage(size, QImage::Format_RGB32);
        m_axesSpanNs = m_spanNs;
        paintAxes();
        if (plotRect().width() > 2 && plotRect().height() > 2)
            fillStripBackground();
    }
    if (plotRect().width() > 2 && plotRect().height() > 2) {
        placePoints();
        paintStrips();
    }
}

template <typename Place> void ScopePlot::forEachStrip(Place &&place) const {
    const QRect inside = plotRect().adjusted(1, 1, -1, -1);
    if (inside.width() <= 0 || inside.height() <= 0 || m_strips.empty())
        return;
    const quint32 *bits = m_strips.data();
    for (int left = inside.left(); left <= inside.right(); left += stripWidth) {
        const int width = std::min(stripWidth, inside.right() + 1 - left);
        place(QPoint(left, inside.top()),
              QImage(reinterpret_cast<const uchar *>(bits), width, inside.height(), stripWidth * 4,
                     QImage::Format_RGB32));
        bits += size_t(stripWidth) * size_t(inside.height());
    }
}

void ScopePlot::paintAxes() {
    m_image.fill(background);
    const QRect plot = plotRect();
    if (plot.width() <= 2 || plot.height() <= 2)
        return;
    QPainter painter(&m_image);
    painter.setPen(QColor(60, 66, 72));
    painter.drawRect(plot.adjusted(0, 0, -1, -1));
    painter.setPen(QColor(170, 176, 182));
    for (int quarter = 0; quarter <= 4; ++quarter) {
        const int value = quarterLevel(quarter);
        const QRect row(0, yOf(value) - 8, leftMargin - 4, 16);
        painter.drawText(row, Qt::AlignRight | Qt::AlignVCenter, QString::number(value));
        painter.drawText(row.translated(plot.right() + 4 - row.left(), 0),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("%1 %").arg(quarter * 25));
    }
    const qint64 seconds = m_spanNs / nsPerSecond;
    for (qint64 s = 0; s <= seconds; s += gridSeconds(m_spanNs)) {
        // Labelled relative to the right edge, so the labels stay while time runs.
        const int x = gridX(plot, seconds, s);
        painter.drawText(QRect(x - 30, plot.bottom() + 3, 60, bottomMargin - 3),
                         Qt::AlignHCenter | Qt::AlignTop,
                         s == 0 ? QStringLiteral("0") : QStringLiteral("-%1 s").arg(s));
    }
}

void ScopePlot::placePoints() {
    const QRect plot = plotRect();
    const QRect inside = plot.adjusted(1, 1, -1, -1);
    const qint64 startNs = m_endNs - m_spanNs;
    const double pixelsPerNs = double(plot.width() - 1) / double(m_spanNs);
    const auto xOf = [&](qint64 ns) {
        return plot.left() + int(double(ns - startNs) * pixelsPerNs);
    };
    std::array<int, 256> rowOf;
    for (int value = 0; value < 256; ++value)
        rowOf[size_t(value)] = std::clamp(yOf(value), inside.top(), inside.bottom());
    m_points.resize(m_traces.size());
    for (size_t t = 0; t < m_traces.size(); ++t) {
        std::vector<PlotPoint> &points = m_points[t];
        points.clear();
        if (!m_traces[t].samples)
            continue;
        const std::vector<ChannelSample> &samples = *m_traces[t].samples;
        // From the last sample before the view, so the line enters at the left edge.
        auto first = std::lower_bound(samples.begin(), samples.end(), startNs,
                                      [](const ChannelSample &s, qint64 ns) { return s.ns < ns; });
        if (first != samples.begin())
            --first;
        for (auto it = first; it != samples.end() && it->ns <= m_endNs; ++it) {
            PlotPoint point{xOf(it->ns), rowOf[it->value]};
            if (point.x < inside.left())
                point = {inside.left(), point.y, false};
            // Packets on the same pixel draw the same dot and a segment of no length: at 60 s
            // across a screen that is most of them.
            if (!points.empty() && points.back().x == point.x && points.back().y == point.y)
                points.back().dot = points.back().dot || point.dot;
            else
                points.push_back(point);
        }
        // DMX holds the last level until the next packet.
        if (!points.empty())
            points.push_back({std::min(inside.right(), xOf(m_endNs)), points.back().y, false});
    }
}

void ScopePlot::fillStripBackground() {
    const QRect inside = plotRect().adjusted(1, 1, -1, -1);
    m_stripBackground.assign(size_t(stripWidth) * size_t(inside.height()), background);
    for (int quarter = 0; quarter <= 4; ++quarter) {
        const int y = std::clamp(yOf(quarterLevel(quarter)), inside.top(), inside.bottom());
        std::fill_n(m_stripBackground.begin() + (y - inside.top()) * stripWidth, stripWidth,
                    gridColour);
    }
}

void ScopePlot::paintStrips() {
    const QRect plot = plotRect();
    const QRect inside = plot.adjusted(1, 1, -1, -1);
    const int rows = inside.height();
    const size_t stripSize = size_t(stripWidth) * size_t(rows);
    m_strips.resize(stripSize * size_t((inside.width() + stripWidth - 1) / stripWidth));
    std::vector<size_t> segments(m_traces.size(), 0), dots(m_traces.size(), 0);
    const qint64 seconds = m_spanNs / nsPerSecond;
    quint32 *strip = m_strips.data();
    for (int left = inside.left(); left <= inside.right(); left += stripWidth) {
        const int right = std::min(left + stripWidth - 1, inside.right());
        StripPixels pixels(strip, left, right, inside.top(), inside.bottom());
        std::memcpy(strip, m_stripBackground.data(), stripSize * 4);
        for (qint64 s = 0; s <= seconds; s += gridSeconds(m_spanNs)) {
            const int x = gridX(plot, seconds, s);
            if (x >= left && x <= right)
                pixels.run(x, inside.top(), inside.bottom(), gridColour);
        }
        for (size_t t = 0; t < m_traces.size(); ++t) {
            const std::vector<PlotPoint> &points = m_points[t];
            const quint32 rgb = m_traces[t].colour.rgb();
            size_t &i = segments[t];
            while (i + 1 < points.size() && points[i + 1].x < left)
                ++i;
            for (size_t j = i; j + 1 < points.size() && points[j].x <= right; ++j)
                pixels.segment(points[j], points[j + 1]);
            pixels.drawLine(rgb);
            size_t &k = dots[t];
            while (k < points.size() && points[k].x < left - 1)
                ++k;
            for (size_t j = k; j < points.size() && points[j].x <= right + 1; ++j)
                if (points[j].dot)
                    pixels.dot(points[j].x, points[j].y, rgb);
        }
        strip += stripSize;
    }
}

void ScopePlot::paintEvent(QPaintEvent *) {
    const qreal ratio = devicePixelRatio();
    renderFrame(size() * ratio);
    QPainter painter(this);
    painter.scale(1 / ratio, 1 / ratio);
    painter.drawImage(0, 0, m_image);
    forEachStrip([&](const QPoint &at, const QImage &strip) { painter.drawImage(at, strip); });
}
