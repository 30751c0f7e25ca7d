#pragma once

#include <QRandomGenerator>
#include <QtGlobal>

#include <span>

// The self-test pattern generator. Every painted frame advances the running pattern by one
// step over the frame bytes; a single test repeats for ever, Test All (255) walks through the
// patterns.
class SelfTestPattern {
public:
    enum : quint8 {
        Off = 0,
        FillSnake = 1,
        ColourOnOff = 2,
        UnfillSnake = 3,
        RandomFill = 4,
        BlockFill = 5,
        All = 255,
    };

    explicit SelfTestPattern(quint32 seed);

    // Writes the next step of test `selected` (not Off) into `frame`, a cols x rows grid in
    // `colourMode`.
    void step(quint8 selected, std::span<quint8> frame, int cols, int rows, quint16 colourMode);

    quint8 pattern() const { return m_pattern; }
    quint32 stepCount() const { return m_step; }

private:
    void colourOnOff(std::span<quint8> frame, quint16 colourMode);
    void blockFill(std::span<quint8> frame, int cols, int rows, quint16 colourMode);

    quint8 m_pattern = 0;
    quint32 m_step = 0;
    QRandomGenerator m_random;
};
