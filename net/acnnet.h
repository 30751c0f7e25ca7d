#pragma once

#include "net/datagramtap.h"
#include "net/e131.h"
#include "net/findings.h"
#include "net/framestore.h"
#include "net/multicast.h"
#include "net/receiverstats.h"
#include "net/sacnmerger.h"
#include "net/udpreceive.h"
#include "net/wireuniverses.h"

#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <QThread>
#include <QTimer>

#include <array>
#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <type_traits>

class ChannelWatch;
class network;

// Streaming ACN (E1.31) receiver: listens on UDP 5568, joins the group of every configured
// universe and the universe-discovery group on every interface of the `network` snapshot and
// writes the DMX slots of each universe the merger (SacnMerger) lets through into the frame
// store.
//
// Threading: the engine moves the receiver into its own "sACN" thread, where readPackage()
// runs, but calls the configuration setters from the GUI thread. Each setter therefore runs
// its body inside the receiver's thread (a blocking queued call when the threads differ), so
// socket and group changes never overlap readPackage() and the socket is only touched by the
// thread it lives in; the blocking call also means that once setFrameBuffer(nullptr) has
// returned, the receiver no longer writes into that store. Frame writes themselves go through
// the FrameStore's lock, which the Art-Net node and the painter share.
class acnnet : public QObject {
    Q_OBJECT
public:
    explicit acnnet(network *net, QObject *parent = nullptr);
    ~acnnet() override;

    // Bind with SO_REUSEADDR at once (default); false tries a plain bind first.
    void setBindShared(bool shared);
    // Keeps the first 63 Latin-1 characters, zero-filled to 64 bytes.
    void setSourceName(const QString &name);
    QByteArray sourceName() const;
    // E1.31 universe of frame-store slot 0, minus one. False above 63998.
    bool setStartUniverse(quint32 universeMinusOne);
    // Attaches the store (opening the socket on first need) and joins the groups of its
    // universes, after leaving the previous ones; null leaves every group and detaches.
    void setFrameBuffer(FrameStore *store);
    // Told every universe the merge lets through; null for none. Once this returns, the
    // receiver no longer touches the previous watch.
    void setChannelWatch(ChannelWatch *watch);
    // Later joins use `net`; null (the engine dropping its snapshot) skips the joins. Leaving
    // does not need it, so the snapshot may go while a deferred deletion is pending.
    void setNetwork(network *net) { m_net.store(net); }

    // The memberships this receiver holds (universes x interfaces) and the receive buffer the
    // kernel granted; both for diagnostics.
    int joinedGroupCount() const;
    int receiveBufferSize() const;

    // Sees every datagram the socket reads, in the receiver's thread (borrowed; null for none).
    // Once it returns, a tap replaced is no longer called.
    void setTap(DatagramTap *tap);
    // While a capture is replayed, what the socket reads is ignored; replayed datagrams come
    // through processDatagram(), queued to this receiver's thread.
    void setReplaying(bool on);

    // Everything a received datagram from IPv4 `sender` goes through after the socket;
    // `receivedNs` (monotonicNs(), 0 for none) is when it arrived, `destination` where it was
    // sent (0 for not known).
    void processDatagram(std::span<const quint8> datagram, quint32 sender = 0,
                         qint64 receivedNs = 0, quint32 destination = 0);

    // Monotonic milliseconds for the arbitration; set before the receiver is moved to its
    // thread.
    using Clock = std::function<qint64()>;
    void setClock(Clock clock) { m_clock = std::move(clock); }
    // A consistent copy of the per-universe and per-source facts, with each source's levels for
    // universe `levelsOf`; callable from any thread.
    ReceiverStats stats(std::optional<quint16> levelsOf = {}) const;
    // What the receiver saw senders do wrong, and every universe heard of on the network
    // (data, discovery, the groups joined); callable from any thread, on the clock now() reads.
    QList<Finding> findings() const;
    void clearFindings();
    // On by default; off only to measure what the rules cost.
    void setFindingsEnabled(bool on);
    QList<WireUniverses::Row> wireUniverses() const;
    qint64 now() const { return m_clock(); }

    void readPackage();
    // What the merger ends on time rather than on a packet (sampling, waits, lost sources),
    // written to the store; its timer calls it while a store is attached.
    void tick();

private:
    bool openSocket();
    bool joinAllGroups();
    bool joinUniverse(quint32 universe);
    void joinSyncUniverse(quint16 universe);
    void configureMerger();
    void checkPacket(const e131::DataPacket &packet, quint32 sender, quint32 destination,
                     qint64 nowMs);
    void report(FindingCode code, const e131::DataPacket &packet, quint32 sender, qint64 nowMs,
                quint32 detail = 0);
    template <typename Fn> auto inOwnThread(Fn fn) const -> std::invoke_result_t<Fn>;
    // Runs `call` in the receiver's thread and returns when it is done. The blocking queued
    // call orders both sides already; the call is handed over through members and the
    // release/acquire pair on m_handOff, which ThreadSanitizer sees (it cannot see into Qt's
    // uninstrumented event queue and semaphore). One caller at a time.
    void handOff(const std::function<void()> &call);
    void runHandOff();

    // Datagrams taken per recvmmsg() call, and batches per wake-up: bounded so that queued
    // configuration calls still get their turn under a flood.
    static constexpr int batchSize = 32;
    static constexpr int batchesPerWakeUp = 16;
    static constexpr int receiveBufferBytes = 4 * 1024 * 1024;
    // Fine enough that a sampling period or a loss ends within a frame or few of its time.
    static constexpr int tickMs = 100;

    std::mutex m_handOffLock;
    const std::function<void()> *m_handOffCall = nullptr;
    std::atomic<unsigned> m_handOff{0};
    std::atomic<network *> m_net;
    bool m_bindShared = true;
    WatchedSocket m_socket;
    DatagramTap *m_tap = nullptr;
    bool m_replaying = false;
    int m_startUniverse = -1;
    std::atomic<FrameStore *> m_store{nullptr};
    std::atomic<ChannelWatch *> m_watch{nullptr};
    quint32 m_universeCount = 0;
    std::array<char, 64> m_sourceName{};
    MulticastMemberships m_memberships;
    // Synchronisation universes joined beyond the configured ones. Each source has its own, so
    // several may be in use at once; past the cap no more are joined.
    static constexpr size_t maxSyncGroups = 16;
    std::array<quint16, maxSyncGroups> m_syncGroups{};
    size_t m_syncGroupCount = 0;

    Clock m_clock;
    // Guards the merger, whose facts the UI thread copies while packets arrive.
    mutable QMutex m_mergerLock;
    SacnMerger m_merger;
    FindingsLog m_findings;
    bool m_findingsOn = true;
    WireUniverses m_wire;
    // A child, so it moves with the receiver into its thread; started and stopped there.
    QTimer m_tick{this};

    DatagramBatch m_batch{batchSize, e131::maxPacketLength};
};

template <typename Fn> auto acnnet::inOwnThread(Fn fn) const -> std::invoke_result_t<Fn> {
    QThread *own = thread();
    if (own == nullptr || own == QThread::currentThread() || !own->isRunning())
        return fn();
    auto *self = const_cast<acnnet *>(this);
    if constexpr (std::is_void_v<std::invoke_result_t<Fn>>) {
        self->handOff([&fn] { fn(); });
    } else {
        // Written by the call itself, inside the ordered hand-off, not copied back by Qt.
        std::invoke_result_t<Fn> result{};
        self->handOff([&fn, &result] { result = fn(); });
        return result;
    }
}
