#include "dialogs/scopeplot.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int leftMargin = 40;
constexpr int rightMargin = 44;
constexpr int topMargin = 10;
constexpr int bottomMargin = 22;

// Direct writes into an RGB32 image, clipped to the plot.
class Pixels {
public:
    Pixels(QImage &image, const QRect &clip)
        : m_bits(reinterpret_cast<quint32 *>(image.bits())),
          m_stride(int(image.bytesPerLine() / 4)), m_clip(clip) {}

    void line(int x0, int y0, int x1, int y1, quint32 rgb) {
        const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
        const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
        // A segment wholly outside the plot costs nothing; one that crosses it is walked.
        if ((x0 < m_clip.left() && x1 < m_clip.left()) ||
            (x0 > m_clip.right() && x1 > m_clip.right()))
            return;
        int error = dx + dy;
        for (;;) {
            if (m_clip.contains(x0, y0))
                m_bits[y0 * m_stride + x0] = rgb;
            if (x0 == x1 && y0 == y1)
                return;
            const int e2 = 2 * error;
            if (e2 >= dy) {
                error += dy;
                x0 += sx;
            }
            if (e2 <= dx) {
                error += dx;
                y0 += sy;
            }
        }
    }
    void dot(int x, int y, quint32 rgb) {
        for (int row = std::max(y - 1, m_clip.top()); row <= std::min(y + 1, m_clip.bottom());
             ++row)
            for (int col = std::max(x - 1, m_clip.left()); col <= std::min(x + 1, m_clip.right());
                 ++col)
                m_bits[row * m_stride + col] = rgb;
    }

private:
    quint32 *m_bits;
    int m_stride;
    QRect m_clip;
};

// Grid lines every this many seconds, about eight across the plot.
qint64 gridSeconds(qint64 spanNs) {
    const qint64 seconds = spanNs / 1'000'000'000;
    return seconds <= 10 ? 1 : seconds <= 30 ? 5 : 10;
}

} // namespace

ScopePlot::ScopePlot(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 200);
}

void ScopePlot::setTraces(std::vector<ScopeTrace> traces, qint64 endNs, qint64 spanNs) {
    m_traces = std::move(traces);
    m_endNs = endNs;
    m_spanNs = std::max<qint64>(spanNs, 1);
    update();
}

void ScopePlot::render(QImage &image) const {
    image.fill(QColor(16, 20, 24));
    const QRect plot(leftMargin, topMargin, image.width() - leftMargin - rightMargin,
                     image.height() - topMargin - bottomMargin);
    if (plot.width() < 2 || plot.height() < 2)
        return;
    const qint64 startNs = m_endNs - m_spanNs;
    const auto xOf = [&](qint64 ns) {
        return plot.left() + int((ns - startNs) * (plot.width() - 1) / m_spanNs);
    };
    const auto yOf = [&](int value) { return plot.bottom() - value * (plot.height() - 1) / 255; };

    {
        QPainter painter(&image);
        painter.setPen(QColor(60, 66, 72));
        painter.drawRect(plot.adjusted(0, 0, -1, -1));
        const QFontMetrics metrics = painter.fontMetrics();
        for (int quarter = 0; quarter <= 4; ++quarter) {
            const int value = (quarter * 255 + 2) / 4;
            const int y = yOf(value);
            painter.setPen(QColor(44, 50, 56));
            painter.drawLine(plot.left(), y, plot.right(), y);
            painter.setPen(QColor(170, 176, 182));
            const int textY = y + metrics.ascent() / 2 - 1;
            painter.drawText(QRect(0, y - 8, leftMargin - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
                             QString::number(value));
            painter.drawText(plot.right() + 4, textY, QStringLiteral("%1 %").arg(quarter * 25));
        }
        const qint64 step = gridSeconds(m_spanNs);
        const qint64 seconds = m_spanNs / 1'000'000'000;
        for (qint64 s = 0; s <= seconds; s += step) {
            const int x = xOf(m_endNs - s * 1'000'000'000);
            painter.setPen(QColor(44, 50, 56));
            painter.drawLine(x, plot.top(), x, plot.bottom());
            painter.setPen(QColor(170, 176, 182));
            painter.drawText(QRect(x - 30, plot.bottom() + 3, 60, bottomMargin - 3),
                             Qt::AlignHCenter | Qt::AlignTop,
                             s == 0 ? QStringLiteral("0") : QStringLiteral("-%1 s").arg(s));
        }
    }

    Pixels pixels(image, plot.adjusted(1, 1, -1, -1));
    for (const ScopeTrace &trace : m_traces) {
        if (!trace.samples || trace.samples->empty())
            continue;
        const std::vector<ChannelSample> &samples = *trace.samples;
        const quint32 rgb = trace.colour.rgb();
        // From the last sample before the view, so the line enters at the left edge.
        auto first = std::lower_bound(samples.begin(), samples.end(), startNs,
                                      [](const ChannelSample &s, qint64 ns) { return s.ns < ns; });
        if (first != samples.begin())
            --first;
        int lastX = xOf(first->ns), lastY = yOf(first->value);
        for (auto it = first; it != samples.end() && it->ns <= m_endNs; ++it) {
            const int x = xOf(it->ns), y = yOf(it->value);
            // The segment entering from far before the view starts at its left edge.
            if (lastX < plot.left() && x > lastX) {
                lastY += int(qint64(y - lastY) * (plot.left() - lastX) / (x - lastX));
                lastX = plot.left();
            }
            pixels.line(lastX, lastY, x, y, rgb);
            pixels.dot(x, y, rgb);
            lastX = x;
            lastY = y;
        }
        // DMX holds the last level until the next packet.
        pixels.line(lastX, lastY, std::min(plot.right(), xOf(m_endNs)), lastY, rgb);
    }
}

void ScopePlot::paintEvent(QPaintEvent *) {
    const QSize size = this->size() * devicePixelRatio();
    if (m_image.size() != size)
        m_image = QImage(size, QImage::Format_RGB32);
    render(m_image);
    QPainter painter(this);
    painter.drawImage(rect(), m_image);
}
