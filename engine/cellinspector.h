#pragma once

#include "engine/cellpainter.h"
#include "engine/inspectortext.h"

#include <QElapsedTimer>
#include <QPoint>
#include <QRect>
#include <QStringList>

#include <optional>
#include <span>

class QPainter;

// The cell inspector's state between frames: the pointer, the receivers' snapshots it reads
// (taken at most every 250 ms, with the levels of the universe under the pointer) and the
// area it painted last, so that a moving pointer repaints only the box and the outlines.
class CellInspector {
public:
    // What the inspector shows over one frame.
    struct Look {
        // The cell under the pointer, none outside the grid or beyond the frame.
        std::optional<qint64> cell;
        QStringList lines;
        QRect cellArea;
        QRect box;
        // Every pixel the look paints.
        QRect area() const;
    };
    // Everything a look is made from besides the inspector's own state.
    struct Frame {
        QRect rect;
        PaintParams params;
        std::span<const quint8> bytes;
        CellLayoutFacts layout;
        quint32 sacnFirst = 1;
        quint32 artnetFirst = 0;
    };

    void setOn(bool on);
    bool isOn() const { return m_on; }
    // Returns the area to repaint: the look painted last and the one for the new pointer.
    QRect movePointer(std::optional<QPoint> pointer, const Frame &frame);
    std::optional<QPoint> pointer() const { return m_pointer; }

    // Whether the snapshots are a period old. A new universe under the pointer waits for the
    // period too; its sources' own values show from then on.
    bool snapshotsDue() const;
    // The universe slot whose levels the next snapshots should carry.
    std::optional<quint32> pointedSlot(const Frame &frame) const;
    void setSnapshots(std::optional<ReceiverStats> sacn, std::optional<ReceiverStats> artnet,
                      bool artSyncHeld);

    Look look(const Frame &frame) const;
    // Paints the outline and the box on the target, unrotated, and remembers them.
    void paint(QPainter &painter, const Frame &frame);
    const QStringList &paintedLines() const { return m_painted.lines; }
    // Whether a paint of `exposed` only has to bring the inspector's area up to date: it lies
    // inside the areas asked for since the last paint.
    bool ownsRepaint(const QRect &exposed) const;

private:
    bool m_on = false;
    std::optional<QPoint> m_pointer;
    std::optional<ReceiverStats> m_sacn;
    std::optional<ReceiverStats> m_artnet;
    bool m_artSyncHeld = false;
    QElapsedTimer m_snapshotAge;
    Look m_painted;
    QRect m_asked;
};
