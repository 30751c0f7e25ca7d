#include "engine/cellinspector.h"

#include "engine/cellhit.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

// As often as the diagnostic marks read the receivers.
constexpr qint64 snapshotPeriodMs = 250;
constexpr int boxPadding = 6;
// The box sits below and right of the pointer's tip, clear of the cursor image.
constexpr int pointerGap = 16;
// Outline lines and their shadow reach this far outside the cell's pixels.
constexpr int outlineReach = 2;

QFont boxFont() {
    QFont font;
    font.setPixelSize(13);
    return font;
}

QRect placeBox(QSize size, QPoint pointer, const QRect &bounds) {
    QRect box(pointer + QPoint(pointerGap, pointerGap), size);
    // Turned to the other side of the pointer where the window ends, then kept inside it.
    if (box.right() > bounds.right())
        box.moveRight(pointer.x() - pointerGap);
    if (box.bottom() > bounds.bottom())
        box.moveBottom(pointer.y() - pointerGap);
    box.moveLeft(std::clamp(box.left(), bounds.left(),
                            std::max(bounds.left(), bounds.right() - box.width() + 1)));
    box.moveTop(std::clamp(box.top(), bounds.top(),
                           std::max(bounds.top(), bounds.bottom() - box.height() + 1)));
    return box;
}

// The pixel's centre, so a pointer on a cell's first pixel row is inside it.
std::optional<qint64> cellUnder(QPoint pointer, const CellInspector::Frame &frame) {
    return cellAt(QPointF(pointer) + QPointF(0.5, 0.5), frame.rect, frame.params);
}

} // namespace

QRect CellInspector::Look::area() const {
    QRect all = box;
    if (!cellArea.isEmpty())
        all |= cellArea.adjusted(-outlineReach, -outlineReach, outlineReach, outlineReach);
    return all;
}

void CellInspector::setOn(bool on) {
    m_on = on;
    m_snapshotAge.invalidate();
    m_sacn.reset();
    m_artnet.reset();
    m_painted = {};
    m_asked = {};
    if (!on)
        m_pointer.reset();
}

QRect CellInspector::movePointer(std::optional<QPoint> pointer, const Frame &frame) {
    m_pointer = pointer;
    const QRect area = m_painted.area() | look(frame).area();
    m_asked |= area;
    return area;
}

std::optional<quint32> CellInspector::pointedSlot(const Frame &frame) const {
    if (!m_pointer)
        return std::nullopt;
    const std::optional<qint64> cell = cellUnder(*m_pointer, frame);
    if (!cell)
        return std::nullopt;
    const QList<CellChannels> parts = InspectorText::channelsOf(*cell, frame.layout);
    return parts.isEmpty() ? std::nullopt : std::optional<quint32>(parts.first().slot);
}

bool CellInspector::snapshotsDue() const {
    return !m_snapshotAge.isValid() || m_snapshotAge.elapsed() >= snapshotPeriodMs;
}

void CellInspector::setSnapshots(std::optional<ReceiverStats> sacn,
                                 std::optional<ReceiverStats> artnet, bool artSyncHeld) {
    m_sacn = std::move(sacn);
    m_artnet = std::move(artnet);
    m_artSyncHeld = artSyncHeld;
    m_snapshotAge.start();
}

CellInspector::Look CellInspector::look(const Frame &frame) const {
    Look look;
    if (!m_on || !m_pointer)
        return look;
    look.cell = cellUnder(*m_pointer, frame);
    if (!look.cell)
        return look;
    look.lines = InspectorText::cellLines(*look.cell, frame.layout, frame.bytes);
    if (look.lines.isEmpty()) {
        look.cell.reset();
        return look;
    }
    for (const CellChannels &part : InspectorText::channelsOf(*look.cell, frame.layout)) {
        if (m_sacn)
            look.lines << InspectorText::ownerLines(
                {InspectorSource::Protocol::Sacn, &*m_sacn, frame.sacnFirst, false}, part);
        if (m_artnet)
            look.lines << InspectorText::ownerLines(
                {InspectorSource::Protocol::ArtNet, &*m_artnet, frame.artnetFirst, m_artSyncHeld},
                part);
    }
    look.cellArea = cellArea(*look.cell, frame.rect, frame.params);
    const QFontMetrics metrics(boxFont());
    int width = 0;
    for (const QString &line : look.lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    const QSize size(width + 2 * boxPadding,
                     int(look.lines.size()) * metrics.lineSpacing() + 2 * boxPadding);
    look.box = placeBox(size, *m_pointer, frame.rect);
    return look;
}

void CellInspector::paint(QPainter &painter, const Frame &frame) {
    m_painted = look(frame);
    m_asked = {};
    if (!m_painted.cell)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    // Black under white, so the outline shows on any cell colour.
    const QRect outline = m_painted.cellArea.adjusted(0, 0, -1, -1);
    painter.setPen(QPen(Qt::black, 3));
    painter.drawRect(outline);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(outline);

    painter.setPen(QPen(QColor(160, 160, 164), 1));
    painter.setBrush(QColor(0, 0, 0, 215));
    painter.drawRect(m_painted.box.adjusted(0, 0, -1, -1));
    const QFont font = boxFont();
    painter.setFont(font);
    painter.setPen(Qt::white);
    const QFontMetrics metrics(font);
    int y = m_painted.box.top() + boxPadding;
    for (const QString &line : m_painted.lines) {
        painter.drawText(QRect(m_painted.box.left() + boxPadding, y,
                               m_painted.box.width() - 2 * boxPadding, metrics.lineSpacing()),
                         Qt::AlignLeft | Qt::AlignVCenter, line);
        y += metrics.lineSpacing();
    }
    painter.restore();
}

bool CellInspector::ownsRepaint(const QRect &exposed) const {
    return m_on && !m_asked.isEmpty() && m_asked.contains(exposed);
}
