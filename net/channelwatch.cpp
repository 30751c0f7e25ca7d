#include "net/channelwatch.h"

#include "net/monotonicclock.h"

#include <QHostAddress>

#include <algorithm>
#include <cstring>

QString ChannelSample::sourceText() const {
    const QString ip = QHostAddress(address).toString();
    const QString who =
        QString::fromUtf8(name.data(), qsizetype(strnlen(name.data(), name.size())));
    return who.isEmpty() ? ip : QStringLiteral("%1 (%2)").arg(who, ip);
}

ChannelWatch::ChannelWatch(int capacity)
    : m_capacity(std::max(capacity, 1)),
      m_slotBits(std::make_unique<std::atomic<quint64>[]>(maxSlots / 64)) {}

bool ChannelWatch::setChannels(const QList<WatchedChannel> &channels) {
    if (channels.size() > maxChannels)
        return false;
    QMutexLocker lock(&m_lock);
    for (Ring &ring : m_rings)
        ring.used = ring.used && channels.contains(ring.channel);
    for (const WatchedChannel &channel : channels) {
        const auto has = [&](const Ring &r) { return r.used && r.channel == channel; };
        if (std::any_of(m_rings.begin(), m_rings.end(), has))
            continue;
        Ring &ring =
            *std::find_if(m_rings.begin(), m_rings.end(), [](const Ring &r) { return !r.used; });
        // Sized once, at the first watch of this ring: never during a packet.
        if (ring.samples.empty())
            ring.samples.resize(size_t(m_capacity));
        ring.used = true;
        ring.channel = channel;
        ring.id = ++m_periods;
        ring.written = 0;
    }
    m_channels = channels;
    mapSlots();
    return true;
}

QList<WatchedChannel> ChannelWatch::channels() const {
    QMutexLocker lock(&m_lock);
    return m_channels;
}

void ChannelWatch::setFirstUniverse(quint32 first) {
    QMutexLocker lock(&m_lock);
    m_first = first;
    mapSlots();
}

void ChannelWatch::mapSlots() {
    for (quint32 word = 0; word < maxSlots / 64; ++word)
        m_slotBits[word].store(0, std::memory_order_relaxed);
    bool any = false;
    for (Ring &ring : m_rings) {
        const qint64 slot = qint64(ring.channel.universe) - qint64(m_first);
        ring.slot = ring.used && slot >= 0 && slot < maxSlots ? slot : -1;
        if (ring.slot < 0)
            continue;
        std::atomic<quint64> &word = m_slotBits[size_t(ring.slot / 64)];
        word.store(word.load(std::memory_order_relaxed) | (quint64(1) << (ring.slot % 64)),
                   std::memory_order_relaxed);
        any = true;
    }
    m_watching.store(any, std::memory_order_relaxed);
}

void ChannelWatch::record(quint32 slot, std::span<const quint8> universe, qint64 stampNs,
                          const SampleSource &source) {
    ChannelSample sample;
    sample.ns = stampNs != 0 ? stampNs : monotonicNs();
    sample.address = source.address;
    sample.protocol = source.protocol;
    const size_t nameLength = std::min(source.name.size(), sample.name.size());
    // Art-Net names no source: its empty span may have no data at all.
    if (nameLength != 0)
        std::memcpy(sample.name.data(), source.name.data(), nameLength);
    QMutexLocker lock(&m_lock);
    for (Ring &ring : m_rings) {
        // A packet shorter than the channel does not carry it.
        if (ring.slot != qint64(slot) || ring.channel.channel > universe.size())
            continue;
        sample.value = universe[ring.channel.channel - 1u];
        ring.samples[size_t(ring.written % quint64(m_capacity))] = sample;
        ++ring.written;
    }
}

quint64 ChannelWatch::copySamples(const WatchedChannel &channel, Cursor &cursor,
                                  std::vector<ChannelSample> &out) const {
    QMutexLocker lock(&m_lock);
    const auto ring = std::find_if(m_rings.begin(), m_rings.end(),
                                   [&](const Ring &r) { return r.used && r.channel == channel; });
    if (ring == m_rings.end())
        return 0;
    if (cursor.ring != ring->id)
        cursor = {ring->id, 0};
    const quint64 oldest = ring->written - std::min(ring->written, quint64(m_capacity));
    const quint64 lost = oldest > cursor.next ? oldest - cursor.next : 0;
    for (quint64 i = std::max(oldest, cursor.next); i < ring->written; ++i)
        out.push_back(ring->samples[size_t(i % quint64(m_capacity))]);
    cursor.next = ring->written;
    return lost;
}
