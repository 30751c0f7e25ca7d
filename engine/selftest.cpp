#include "engine/selftest.h"

#include "engine/celllayout.h"
#include "settings/settingsrecord.h"

#include <algorithm>

SelfTestPattern::SelfTestPattern(quint32 seed) : m_random(seed) {}

void SelfTestPattern::step(quint8 selected, std::span<quint8> frame, int cols, int rows,
                           quint16 colourMode) {
    const quint32 n = quint32(frame.size());
    if (n == 0)
        return;
    if (m_step >= n) {
        m_step = 0;
        ++m_pattern;
    }
    if (selected != All && selected != m_pattern) {
        m_step = 0;
        m_pattern = selected;
    }
    // Patterns 0 and 1 are both the fill snake, so Test All shows it twice in a row.
    if (m_pattern > BlockFill)
        m_pattern = 0;

    const quint32 s = m_step;
    switch (m_pattern) {
    case ColourOnOff:
        colourOnOff(frame, colourMode);
        return;
    case UnfillSnake:
        std::fill(frame.begin(), frame.begin() + s, quint8(0));
        std::fill(frame.begin() + s, frame.end(), quint8(255));
        break;
    case RandomFill: {
        const quint32 a = m_random.generate();
        const quint32 b = m_random.generate();
        frame[a % n] = quint8(b % 256);
        break;
    }
    case BlockFill:
        blockFill(frame, cols, rows, colourMode);
        return;
    default:
        std::fill(frame.begin(), frame.begin() + s, quint8(255));
        std::fill(frame.begin() + s, frame.end(), quint8(0));
        break;
    }
    ++m_step;
}

void SelfTestPattern::colourOnOff(std::span<quint8> frame, quint16 colourMode) {
    const quint32 n = quint32(frame.size());
    const quint32 s = m_step;
    if (s % 2 == 0) {
        std::fill(frame.begin(), frame.end(), quint8(0));
        ++m_step;
        return;
    }
    const int k = int(8ull * s / n);
    // The colour frames as which channels are lit, by channel index within the cell;
    // `end` finishes the pattern, `unchanged` leaves the frame as it is.
    enum Frame { All, Is, IsNot, End, Unchanged };
    struct Entry {
        Frame frame;
        unsigned channel;
    };
    static constexpr Entry rgb[8] = {{All, 0},   {Is, 0},    {Is, 1},    {Is, 2},
                                     {IsNot, 1}, {IsNot, 2}, {IsNot, 0}, {End, 0}};
    static constexpr Entry rgbw[8] = {{All, 0},   {Is, 0},    {Is, 2},    {Is, 3},
                                      {IsNot, 2}, {IsNot, 3}, {IsNot, 0}, {Is, 0}};
    static constexpr Entry mono[8] = {{All, 0},       {End, 0},       {Unchanged, 0},
                                      {Unchanged, 0}, {Unchanged, 0}, {Unchanged, 0},
                                      {Unchanged, 0}, {Unchanged, 0}};
    const Entry entry = isMonoMode(colourMode)           ? mono[k]
                        : colourMode == ColourMode::Rgbw ? rgbw[k]
                                                         : rgb[k];
    const unsigned modulus = colourMode == ColourMode::Rgbw ? 4 : 3;
    switch (entry.frame) {
    case End:
        m_step = n + 1;
        return;
    case Unchanged:
        break;
    case All:
        std::fill(frame.begin(), frame.end(), quint8(255));
        break;
    case Is:
    case IsNot:
        for (quint32 i = 0; i < n; ++i) {
            const bool lit = (i % modulus == entry.channel) == (entry.frame == Is);
            frame[i] = lit ? 255 : 0;
        }
        break;
    }
    ++m_step;
}

void SelfTestPattern::blockFill(std::span<quint8> frame, int cols, int rows, quint16 colourMode) {
    const quint32 n = quint32(frame.size());
    const qint64 inset = m_step;
    if (inset >= cols / 2 || inset >= rows / 2) {
        m_step = n + 1;
        return;
    }
    std::fill(frame.begin(), frame.end(), quint8(0));
    const size_t bytes = size_t(channelsPerCell(colourMode));
    for (qint64 row = inset; row < rows - inset; ++row) {
        for (qint64 col = inset; col < cols - inset; ++col) {
            const size_t first = size_t(row * cols + col) * bytes;
            if (first >= n)
                break;
            std::fill_n(frame.begin() + first, std::min(bytes, n - first), quint8(255));
        }
    }
    ++m_step;
}
