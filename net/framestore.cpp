#include "net/framestore.h"

#include "net/monotonicclock.h"

#include <algorithm>
#include <cstring>
#include <utility>

std::span<const quint8> channelsFrom(std::span<const quint8> universe, quint16 startAddress) {
    const size_t skipped = startAddress > 0 ? startAddress - 1u : 0u;
    return skipped < universe.size() ? universe.subspan(skipped) : std::span<const quint8>();
}

namespace {

quint64 slotCount(quint64 length, quint64 width) {
    return width == 0 ? 0 : (length + width - 1) / width;
}

// A slot written again after this long may show a look of its own (the fail mode's) until
// then, so its first write counts as a change even when the bytes are the same.
constexpr qint64 quietNs = 1'000'000'000;

quint64 receivedCount(quint64 length, quint64 width) {
    return std::min(slotCount(length, width), quint64(FrameStore::maxReceivedUniverses));
}

} // namespace

void FrameStore::allocate(quint32 length, quint16 channelsPerUniverse) {
    QMutexLocker lock(&m_lock);
    m_buffer = QByteArray(qsizetype(length), '\0');
    m_channelsPerUniverse = std::min(channelsPerUniverse, maxChannelsPerUniverse);
    m_firstUniverse = 0;
    prepareReceived(quint32(receivedCount(length, m_channelsPerUniverse)));
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
    const quint64 count = receivedCount(length, width);
    QByteArray received(qsizetype(count * maxChannelsPerUniverse), '\0');
    std::vector<quint16> receivedLength(count, 0);
    std::vector<Heard> heard(count);
    const quint64 oldWidth = m_channelsPerUniverse;
    if (width != 0 && oldWidth != 0) {
        const quint64 oldCount = slotCount(quint64(m_buffer.size()), oldWidth);
        for (quint64 oldSlot = 0; oldSlot < oldCount; ++oldSlot) {
            const quint64 universe = m_firstUniverse + oldSlot;
            if (universe < firstUniverse)
                continue;
            const quint64 slot = universe - firstUniverse;
            const quint64 from = oldSlot * oldWidth;
            const quint64 to = slot * width;
            if (to >= length)
                break;
            const quint64 bytes = std::min(
                {oldWidth, quint64(width), quint64(m_buffer.size()) - from, quint64(length) - to});
            std::memcpy(buffer.data() + to, m_buffer.constData() + from, bytes);
            if (slot >= count || oldSlot >= m_receivedLength.size())
                continue;
            std::memcpy(received.data() + slot * maxChannelsPerUniverse,
                        m_received.constData() + oldSlot * maxChannelsPerUniverse,
                        maxChannelsPerUniverse);
            receivedLength[slot] = m_receivedLength[oldSlot];
            heard[slot] = m_heard[oldSlot];
        }
    }
    m_buffer = std::move(buffer);
    m_channelsPerUniverse = width;
    m_firstUniverse = firstUniverse;
    m_received = std::move(received);
    m_receivedLength = std::move(receivedLength);
    m_heard = std::move(heard);
    for (quint32 slot = 0; slot < quint32(count); ++slot)
        deriveSlot(slot);
}

void FrameStore::release() {
    QMutexLocker lock(&m_lock);
    m_buffer = QByteArray();
    m_channelsPerUniverse = maxChannelsPerUniverse;
    m_firstUniverse = 0;
    prepareReceived(0);
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
    return quint32(slotCount(quint64(m_buffer.size()), m_channelsPerUniverse));
}

void FrameStore::setStartAddress(quint16 startAddress) {
    QMutexLocker lock(&m_lock);
    if (startAddress == m_startAddress)
        return;
    m_startAddress = startAddress;
    bool received = false;
    for (quint32 slot = 0; slot < quint32(m_receivedLength.size()); ++slot) {
        received = received || m_receivedLength[slot] != 0;
        deriveSlot(slot);
    }
    if (received) {
        m_changedSinceSnapshot = true;
        notifyChange();
    }
}

quint16 FrameStore::startAddress() const {
    QMutexLocker lock(&m_lock);
    return m_startAddress;
}

int FrameStore::writeUniverse(quint32 universeIndex, std::span<const quint8> universe,
                              Writer writer, qint64 receivedNs) {
    QMutexLocker lock(&m_lock);
    bool changed = false;
    const quint64 count = storeUniverse(universeIndex, universe, changed);
    noteReceived(writer, receivedNs);
    changed = noteHeard(universeIndex, writer, receivedNs) || changed;
    if (changed)
        markChanged(writer, receivedNs);
    return int(count);
}

void FrameStore::writeUniverses(std::span<const quint32> universeIndices,
                                std::span<const quint8> universes, std::span<const quint16> lengths,
                                Writer writer, qint64 receivedNs) {
    QMutexLocker lock(&m_lock);
    bool written = false;
    for (const quint32 k : universeIndices) {
        const size_t from = size_t(k) * maxChannelsPerUniverse;
        if (k >= lengths.size() || from >= universes.size())
            continue;
        const size_t length = std::min(size_t(lengths[k]), universes.size() - from);
        bool changed = false;
        storeUniverse(k, universes.subspan(from, length), changed);
        written = noteHeard(k, writer, receivedNs) || written || changed;
    }
    if (!universeIndices.empty())
        noteReceived(writer, receivedNs);
    if (written)
        markChanged(writer, receivedNs);
}

void FrameStore::prepareReceived(quint32 universeCount) {
    m_received = QByteArray(qsizetype(quint64(universeCount) * maxChannelsPerUniverse), '\0');
    m_receivedLength.assign(universeCount, 0);
    m_heard.assign(universeCount, Heard{});
}

quint64 FrameStore::storeUniverse(quint32 universeIndex, std::span<const quint8> universe,
                                  bool &changed) {
    const quint64 width = m_channelsPerUniverse;
    const quint64 offset = quint64(universeIndex) * width;
    if (width == 0 || offset >= quint64(m_buffer.size()) || universe.empty())
        return 0;
    const size_t kept = std::min(universe.size(), size_t(maxChannelsPerUniverse));
    if (universeIndex < m_receivedLength.size()) {
        std::memcpy(m_received.data() + quint64(universeIndex) * maxChannelsPerUniverse,
                    universe.data(), kept);
        quint16 &receivedLength = m_receivedLength[universeIndex];
        receivedLength = std::max(receivedLength, quint16(kept));
    }
    // Only what this packet carries: the rest of the slot keeps the tail of a longer one.
    const std::span<const quint8> data = channelsFrom(universe.first(kept), m_startAddress);
    const quint64 count =
        std::min({quint64(data.size()), width, quint64(m_buffer.size()) - offset});
    char *target = m_buffer.data() + offset;
    changed = count != 0 && std::memcmp(target, data.data(), count) != 0;
    if (changed)
        std::memcpy(target, data.data(), count);
    return count;
}

void FrameStore::deriveSlot(quint32 universeIndex) {
    const quint16 receivedLength = m_receivedLength[universeIndex];
    if (receivedLength == 0)
        return; // nothing received: what the engine or an earlier layout put there stays
    const quint64 width = m_channelsPerUniverse;
    const quint64 offset = quint64(universeIndex) * width;
    const quint64 slot = std::min(width, quint64(m_buffer.size()) - offset);
    const std::span<const quint8> received(
        reinterpret_cast<const quint8 *>(m_received.constData()) +
            quint64(universeIndex) * maxChannelsPerUniverse,
        receivedLength);
    const std::span<const quint8> data = channelsFrom(received, m_startAddress);
    const quint64 count = std::min(quint64(data.size()), slot);
    char *target = m_buffer.data() + offset;
    if (count != 0)
        std::memcpy(target, data.data(), count);
    std::memset(target + count, 0, slot - count);
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

qint64 FrameStore::lastReceived(Writer writer) const {
    QMutexLocker lock(&m_lock);
    return size_t(writer) < m_lastReceived.size() ? m_lastReceived[size_t(writer)] : 0;
}

void FrameStore::noteReceived(Writer writer, qint64 receivedNs) {
    if (size_t(writer) < m_lastReceived.size())
        m_lastReceived[size_t(writer)] = receivedNs != 0 ? receivedNs : monotonicNs();
}

bool FrameStore::noteHeard(quint32 universeIndex, Writer writer, qint64 receivedNs) {
    if (universeIndex >= m_heard.size())
        return false;
    Heard &heard = m_heard[universeIndex];
    const qint64 now = receivedNs != 0 ? receivedNs : monotonicNs();
    const bool wasQuiet = heard.ns == 0 || now - heard.ns > quietNs;
    heard = {now, writer};
    return wasQuiet;
}

void FrameStore::heardTimes(std::vector<Heard> &out) const {
    QMutexLocker lock(&m_lock);
    out.assign(m_heard.begin(), m_heard.end());
}

void FrameStore::setChangeListener(std::function<void()> listener) {
    QMutexLocker lock(&m_lock);
    m_changeListener = std::move(listener);
}

void FrameStore::markChanged(Writer writer, qint64 receivedNs) {
    if (receivedNs != 0 && size_t(writer) < m_oldestChange.size()) {
        qint64 &oldest = m_oldestChange[size_t(writer)];
        if (oldest == 0 || receivedNs < oldest)
            oldest = receivedNs;
    }
    m_changedSinceSnapshot = true;
    if (writer != Writer::Engine)
        notifyChange();
}

void FrameStore::notifyChange() {
    if (m_changeListener)
        m_changeListener();
}
