#pragma once

#include <QByteArray>
#include <QMutex>
#include <QtGlobal>

#include <array>
#include <functional>
#include <span>
#include <vector>

// The part of a universe (DMX channel 1 first) a fixture starting at `startAddress` takes:
// the channels from that address on, empty when the universe ends before it.
std::span<const quint8> channelsFrom(std::span<const quint8> universe, quint16 startAddress);

// The DMX frame buffer shared by the receivers (Art-Net on the GUI thread, sACN on its own
// thread), the self tests and the painter. One lock guards the bytes, the layout and the
// change flags, so a painted snapshot never mixes two layouts and no change is lost.
// Beside the frame (the per-cell layout the painter reads) the store keeps every universe as
// it was received, so a new start address re-derives the frame at once: a console that sends
// only on change never has to send again for the picture to follow.
class FrameStore {
public:
    // Who wrote: each writer keeps its own "changed since last asked" flag.
    enum class Writer : quint8 { ArtNet = 0, Sacn = 1, Engine = 2 };

    static constexpr quint16 maxChannelsPerUniverse = 512;
    // Universe slots kept as received: no protocol numbers more (E1.31 1 ... 63999, Art-Net
    // 0 ... 32767), so a layout of many narrow slots costs at most this many copies.
    static constexpr quint32 maxReceivedUniverses = 64000;

    // Replaces the buffer with `length` zero bytes. `channelsPerUniverse` is capped at 512; 0
    // (a hand-edited store) leaves no universe slots, so receivers write nothing.
    void allocate(quint32 length, quint16 channelsPerUniverse);
    // Like allocate, but keeps what the old layout held for the universes that stay:
    // `firstUniverse` numbers slot 0 (the previous call's number, 0 after allocate), and each
    // universe numbered in both layouts keeps its bytes up to the narrower slot width; one
    // that was received is derived anew from what it was received as.
    void relayout(quint32 length, quint16 channelsPerUniverse, quint32 firstUniverse);
    // Drops the buffer; writers then write nothing.
    void release();

    quint32 length() const;
    quint16 channelsPerUniverse() const;
    // ceil(length / channelsPerUniverse), 0 without slots.
    quint32 universeCount() const;

    // The DMX start address (1 ... 512) every universe slot begins with. A new one re-derives
    // every received universe's slot at once (the rest of a slot beyond what was received
    // becomes zero) and marks the frame changed.
    void setStartAddress(quint16 startAddress);
    quint16 startAddress() const;

    // When the oldest change not yet handed out by snapshot() arrived, per receiving writer
    // (ArtNet, Sacn), in monotonicNs(); 0 where nothing stamped changed.
    using ChangeStamps = std::array<qint64, 2>;

    // Copies the channels of `universe` (DMX channel 1 first) from the start address on, at
    // most channelsPerUniverse of them, to universe slot `universeIndex`, cut at the end of the
    // buffer. Returns the number of bytes written; marks the frame changed when they differ
    // from what the frame held, with `receivedNs` (0 for none) as the arrival of that change.
    // A console resending the same look 40 times a second so costs no repaint.
    int writeUniverse(quint32 universeIndex, std::span<const quint8> universe, Writer writer,
                      qint64 receivedNs = 0);
    // writeUniverse for each of `universeIndices` under one lock, so they show together:
    // universe k is the first `lengths[k]` bytes of `universes[k * 512 ...]`.
    void writeUniverses(std::span<const quint32> universeIndices, std::span<const quint8> universes,
                        std::span<const quint16> lengths, Writer writer, qint64 receivedNs = 0);

    // Runs `edit` on the whole buffer under the lock and marks the frame changed by `writer`.
    // `edit` receives a std::span<quint8> (empty without a buffer).
    template <typename Edit> void modify(Writer writer, Edit &&edit, qint64 receivedNs = 0) {
        QMutexLocker lock(&m_lock);
        edit(std::span<quint8>(reinterpret_cast<quint8 *>(m_buffer.data()), m_buffer.size()));
        markChanged(writer, receivedNs);
    }

    // Copies the buffer into `snapshot` (resized to the buffer's length). Returns whether any
    // writer changed it since the previous snapshot. With `stamps`, also hands out the change
    // stamps of the copied bytes and clears them, in the same lock, so each stamp goes to the
    // one paint that shows its change.
    bool snapshot(QByteArray &snapshot, ChangeStamps *stamps = nullptr);
    // Hands out and clears the change stamps without a copy, for a frame that does not show
    // the received data (freeze, self test).
    ChangeStamps takeChangeStamps();

    // When `writer` last handed in data, changed or not (its receive stamp, else the time of
    // the write, in monotonicNs(); 0 for never): a steady console is heard though it paints
    // nothing.
    qint64 lastReceived(Writer writer) const;

    // When a receiver last wrote each universe slot, changed or not (monotonicNs(), 0 for never
    // since the slot was laid out), and which one: what tells a universe whose data is lost.
    struct Heard {
        qint64 ns = 0;
        Writer writer = Writer::Engine;
    };
    void heardTimes(std::vector<Heard> &out) const;

    // Called after every change by a receiver (not by Writer::Engine, whose changes the engine
    // paints on its own), in the writer's thread and under the lock, so it must be quick and
    // must not touch the store; an empty function removes it. Once this returns, the previous
    // listener is no longer running or called.
    void setChangeListener(std::function<void()> listener);

private:
    // The lock is held by the callers of these.
    void prepareReceived(quint32 universeCount);
    // Returns the bytes written; `changed` tells whether the frame held others.
    quint64 storeUniverse(quint32 universeIndex, std::span<const quint8> universe, bool &changed);
    void noteReceived(Writer writer, qint64 receivedNs);
    // Returns whether the slot had been quiet so long that it may show a look of its own.
    bool noteHeard(quint32 universeIndex, Writer writer, qint64 receivedNs);
    void deriveSlot(quint32 universeIndex);
    void notifyChange();
    void markChanged(Writer writer, qint64 receivedNs = 0);

    mutable QMutex m_lock;
    QByteArray m_buffer;
    quint16 m_channelsPerUniverse = maxChannelsPerUniverse;
    quint32 m_firstUniverse = 0;
    quint16 m_startAddress = 1;
    // Universe k as received, DMX channel 1 first, at k * maxChannelsPerUniverse; its length
    // is the longest received since the layout began, as the frame keeps the tail of a longer
    // packet when a shorter one follows.
    QByteArray m_received;
    std::vector<quint16> m_receivedLength;
    std::vector<Heard> m_heard;
    std::function<void()> m_changeListener;
    bool m_changedSinceSnapshot = false;
    ChangeStamps m_oldestChange{};
    ChangeStamps m_lastReceived{};
};
