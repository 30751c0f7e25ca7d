#pragma once

#include "net/channellist.h"

#include <QList>
#include <QMutex>
#include <QString>
#include <QtGlobal>

#include <array>
#include <atomic>
#include <memory>
#include <span>
#include <vector>

// Who sent a packet the watch records.
struct SampleSource {
    enum class Protocol : quint8 { ArtNet = 0, Sacn = 1 };
    Protocol protocol = Protocol::ArtNet;
    // IPv4, host order.
    quint32 address = 0;
    // Zero-padded UTF-8 (the E1.31 source name), empty where the protocol names none.
    std::span<const quint8> name;
};

// One received packet's level of a watched channel.
struct ChannelSample {
    // Kernel receive stamp, monotonicNs().
    qint64 ns = 0;
    quint32 address = 0;
    quint8 value = 0;
    SampleSource::Protocol protocol = SampleSource::Protocol::ArtNet;
    // The start of the source's name, zero-padded: enough to tell two consoles apart.
    std::array<char, 18> name{};

    QString sourceText() const;
};

// Records every accepted packet's level of up to 16 watched channels, each into a ring of its
// own, so a scope or a log sees a one-packet glitch that no painted frame shows. Receivers
// call observe() from their threads (Art-Net on the GUI thread, sACN on its own); readers copy
// new samples out under the same short lock and never hold it while they paint or write.
// Nothing is allocated per packet, and with nothing watched a packet costs one relaxed load.
class ChannelWatch {
public:
    static constexpr int maxChannels = 16;
    // 60 s at 44 Hz with room for a faster source or both protocols on one universe.
    static constexpr int defaultCapacity = 4096;

    // Where a reader stopped in one channel's ring.
    struct Cursor {
        quint64 ring = 0;
        quint64 next = 0;
    };

    explicit ChannelWatch(int capacity = defaultCapacity);
    ChannelWatch(const ChannelWatch &) = delete;
    ChannelWatch &operator=(const ChannelWatch &) = delete;

    // Watches exactly `channels`, in that order; a channel watched before keeps its samples.
    // False, and no change, with more than maxChannels.
    bool setChannels(const QList<WatchedChannel> &channels);
    QList<WatchedChannel> channels() const;
    // The picture's number of frame-store slot 0, as the settings in effect give it.
    void setFirstUniverse(quint32 first);

    // A receiver accepted `universe` (DMX channel 1 first) for frame-store slot `slot`.
    void observe(quint32 slot, std::span<const quint8> universe, qint64 stampNs,
                 const SampleSource &source) {
        if (!m_watching.load(std::memory_order_relaxed) || slot >= maxSlots ||
            !((m_slotBits[slot / 64].load(std::memory_order_relaxed) >> (slot % 64)) & 1u))
            return;
        record(slot, universe, stampNs, source);
    }

    // Appends to `out` the samples of `channel` after `cursor` and advances it; a cursor of
    // another watch period of the channel starts at its oldest sample. Returns how many were
    // overwritten before they could be copied.
    quint64 copySamples(const WatchedChannel &channel, Cursor &cursor,
                        std::vector<ChannelSample> &out) const;

private:
    static constexpr quint32 maxSlots = 64000;
    struct Ring {
        bool used = false;
        WatchedChannel channel;
        // Frame-store slot, or -1 while the channel lies before the first universe.
        qint64 slot = -1;
        // Tells one watch period from the next in readers' cursors.
        quint64 id = 0;
        quint64 written = 0;
        std::vector<ChannelSample> samples;
    };

    void record(quint32 slot, std::span<const quint8> universe, qint64 stampNs,
                const SampleSource &source);
    // With the lock held.
    void mapSlots();

    const int m_capacity;
    mutable QMutex m_lock;
    std::atomic<bool> m_watching{false};
    std::unique_ptr<std::atomic<quint64>[]> m_slotBits;
    std::array<Ring, maxChannels> m_rings;
    QList<WatchedChannel> m_channels;
    quint32 m_first = 1;
    quint64 m_periods = 0;
};
