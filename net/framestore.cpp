#include "net/framestore.h"

#include <algorithm>
#include <cstring>
#include <utility>

std::span<const quint8> channelsFrom(std::span<const quint8> universe, quint16 startAddress) {
    const size_t skipped = startAddress > 0 ? startAddress - 1u : 0u;
    return skipped < universe.size() ? universe.subspan(skipped) : std::span<const quint8>();
}

void FrameStore::allocate(quint32 length, quint16 channelsPerUniverse) {
    QMutexLocker lock(&m_lock);
    m_buffer = QByteArray(qsizetype(length), '\0');
    m_channelsPerUniverse = std::min(channelsPerUniverse, maxChannelsPerUniverse);
    m_firstUniverse = 0;
    m_changedBy = 0;
    m_changedSinceSnapshot = false;
    m_oldestChange = {};
}

void FrameStore::relayout(quint32 length, quint16 channelsPerUniverse, quint32 firstUniverse) {
    QMutexLocker lock(&m_lock);
    const quint16 width = std::min(channelsPerUniverse, maxChannelsPerUniverse);
    if (qsizetype(length) == m_buffer.size() && width == m_channelsPerUniverse &&
        firstUniverse == m_firstUniverse)
        return;
    QByteArray buffer(qsizetype(length), '\0');
    const quint64 oldWidth = m_channelsPerUniverse;
    if (width != 0 && oldWidth != 0) {
        const quint64 oldCount = (quint64(m_buffer.size()) + oldWidth - 1) / oldWidth;
        for (quint64 oldSlot = 0; oldSlot < oldCount; ++oldSlot) {
            const quint64 universe = m_firstUniverse + oldSlot;
            if (universe < firstUniverse)
                continue;
            const quint64 from = oldSlot * oldWidth;
            const quint64 to = (universe - firstUniverse) * width;
            if (to >= length)
                break;
            const quint64 count = std::min(
                {oldWidth, quint64(width), quint64(m_buffer.size()) - from, quint64(length) - to});
            std::memcpy(buffer.data() + to, m_buffer.constData() + from, count);
        }
    }
    m_buffer = std::move(buffer);
    m_channelsPerUniverse = width;
    m_firstUniverse = firstUniverse;
}

void FrameStore::release() {
    QMutexLocker lock(&m_lock);
    m_buffer = QByteArray();
    m_channelsPerUniverse = maxChannelsPerUniverse;
    m_firstUniverse = 0;
    m_changedBy = 0;
    m_changedSinceSnapshot = false;
    m_oldestChange = {};
}

quint32 FrameStore::length() const {
    QMutexLocker lock(&m_lock);
    return quint32(m_buffer.size());
}

quint16 FrameStore::channelsPerUniverse() const {
    QMutexLocker lock(&m_lock);
    return m_channelsPerUniverse;
}

quint32 FrameStore::universeCount() const {
    QMutexLocker lock(&m_lock);
    if (m_channelsPerUniverse == 0)
        return 0;
    return (quint32(m_buffer.size()) + m_channelsPerUniverse - 1) / m_channelsPerUniverse;
}

void FrameStore::setStartAddress(quint16 startAddress) {
    QMutexLocker lock(&m_lock);
    m_startAddress = startAddress;
}

quint16 FrameStore::startAddress() const {
    QMutexLocker lock(&m_lock);
    return m_startAddress;
}

int FrameStore::writeUniverse(quint32 universeIndex, std::span<const quint8> universe,
                              Writer writer, qint64 receivedNs) {
    QMutexLocker lock(&m_lock);
    const std::span<const quint8> data = channelsFrom(universe, m_startAddress);
    const quint64 width = m_channelsPerUniverse;
    const quint64 offset = quint64(universeIndex) * width;
    const quint64 length = quint64(m_buffer.size());
    if (width == 0 || offset >= length)
        return 0;
    const quint64 count = std::min({quint64(data.size()), width, length - offset});
    if (count == 0)
        return 0;
    std::memcpy(m_buffer.data() + offset, data.data(), count);
    markChanged(writer, receivedNs);
    return int(count);
}

bool FrameStore::snapshot(QByteArray &snapshot, ChangeStamps *stamps) {
    QMutexLocker lock(&m_lock);
    if (snapshot.size() != m_buffer.size())
        snapshot.resize(m_buffer.size());
    if (!m_buffer.isEmpty())
        std::memcpy(snapshot.data(), m_buffer.constData(), size_t(m_buffer.size()));
    const bool changed = m_changedSinceSnapshot;
    m_changedSinceSnapshot = false;
    if (stamps != nullptr) {
        *stamps = m_oldestChange;
        m_oldestChange = {};
    }
    return changed;
}

FrameStore::ChangeStamps FrameStore::takeChangeStamps() {
    QMutexLocker lock(&m_lock);
    return std::exchange(m_oldestChange, {});
}

bool FrameStore::takeChanged(Writer writer) {
    QMutexLocker lock(&m_lock);
    const quint8 bit = quint8(1u << quint8(writer));
    const bool changed = m_changedBy & bit;
    m_changedBy &= quint8(~bit);
    return changed;
}

void FrameStore::setChangeListener(std::function<void()> listener) {
    QMutexLocker lock(&m_lock);
    m_changeListener = std::move(listener);
}

void FrameStore::markChanged(Writer writer, qint64 receivedNs) {
    m_changedBy |= quint8(1u << quint8(writer));
    if (receivedNs != 0 && size_t(writer) < m_oldestChange.size()) {
        qint64 &oldest = m_oldestChange[size_t(writer)];
        if (oldest == 0 || receivedNs < oldest)
            oldest = receivedNs;
    }
    m_changedSinceSnapshot = true;
    if (m_changeListener && writer != Writer::Engine)
        m_changeListener();
}
