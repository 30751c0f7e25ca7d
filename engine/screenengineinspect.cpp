#include "engine/screenengine.h"
#include "net/acnnet.h"
#include "net/artnet.h"

#include <QPainter>

void ScreenEngine::setInspecting(bool on) {
    m_inspector.setOn(on);
    m_pictureChanged = true;
}

CellInspector::Frame ScreenEngine::inspectorFrame(const QRect &rect,
                                                  const PaintParams &params) const {
    CellInspector::Frame frame;
    frame.rect = rect;
    frame.params = params;
    frame.bytes =
        std::span(reinterpret_cast<const quint8 *>(m_frame.constData()), size_t(m_frame.size()));
    frame.layout.colourMode = params.colourMode;
    frame.layout.channelsPerUniverse = int(m_store.channelsPerUniverse());
    frame.layout.startAddress = m_store.startAddress();
    frame.layout.universeStart = m_active->DmxUniverseStart;
    frame.sacnFirst = firstUniverse(Protocol::Sacn);
    frame.artnetFirst = firstUniverse(Protocol::ArtNet);
    return frame;
}

QRect ScreenEngine::moveInspector(std::optional<QPoint> pointer, const QRect &rect) {
    if (!m_inspector.isOn() || !m_active || !m_paintedParams)
        return {};
    return m_inspector.movePointer(pointer, inspectorFrame(rect, *m_paintedParams));
}

bool ScreenEngine::takeInspectorSnapshots(const CellInspector::Frame &frame) const {
    if (!m_inspector.isOn() || !m_inspector.pointer() || !m_inspector.snapshotsDue())
        return false;
    // Each source's own values only for the universe under the pointer.
    const std::optional<quint32> slot = m_inspector.pointedSlot(frame);
    const auto levelsOf = [&](quint32 first) -> std::optional<quint16> {
        return slot ? std::optional<quint16>(quint16(first + *slot)) : std::nullopt;
    };
    std::optional<ReceiverStats> sacn;
    std::optional<ReceiverStats> art;
    if (acnnet *receiver = sacnReceiver())
        sacn = receiver->stats(levelsOf(frame.sacnFirst));
    if (artnet *node = artnetNode())
        art = node->stats(levelsOf(frame.artnetFirst));
    m_inspector.setSnapshots(std::move(sacn), std::move(art),
                             artnetNode() && artnetNode()->getSyncState(nullptr, nullptr));
    return true;
}

bool ScreenEngine::inspectorChanged() const {
    if (!m_inspector.isOn() || !m_paintedParams)
        return false;
    const CellInspector::Frame frame = inspectorFrame(m_paintedRect, *m_paintedParams);
    return takeInspectorSnapshots(frame) &&
           m_inspector.look(frame).lines != m_inspector.paintedLines();
}

bool ScreenEngine::pickInspectedCell() {
    if (!m_inspector.isOn() || !m_active || !m_paintedParams)
        return false;
    const CellInspector::Frame frame = inspectorFrame(m_paintedRect, *m_paintedParams);
    const CellInspector::Look look = m_inspector.look(frame);
    if (!look.cell)
        return false;
    if (m_cellPickListener)
        for (const CellChannels &part : InspectorText::channelsOf(*look.cell, frame.layout))
            m_cellPickListener(frame.layout.universeStart + part.slot, part.firstChannel,
                               part.count);
    return true;
}

void ScreenEngine::repaintInspected(QPainter &painter, const QRect &rect, int renderEngineId) {
    const PaintParams &params = *m_paintedParams;
    m_cellPainter.paint(
        painter, rect,
        std::span(reinterpret_cast<const quint8 *>(m_frame.constData()), size_t(m_frame.size())),
        params);
    if (!m_paintedMarks.empty())
        paintMarks(painter, rect, params);
    if (m_statusPainted)
        paintStatus(painter, rect, params, renderEngineId);
    // Last, so the box the operator points at is never hidden by the overlay.
    m_inspector.paint(painter, inspectorFrame(rect, params));
}
