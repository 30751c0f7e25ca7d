#pragma once

#include "net/udpreceive.h"

#include <QString>
#include <QtGlobal>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

// Datagrams of a capture that are due together, with their bytes in one block.
struct ReplayBatch {
    struct Item {
        quint16 port = 0;
        // receivedNs is the monotonicNs() time the datagram was due.
        DatagramFacts facts;
        quint32 offset = 0;
        quint32 length = 0;
    };
    std::vector<Item> items;
    std::vector<quint8> bytes;

    void add(quint16 port, const DatagramFacts &facts, std::span<const quint8> payload);
    std::span<const quint8> bytesOf(const Item &item) const {
        return {bytes.data() + item.offset, item.length};
    }
};

// Plays a capture's Art-Net and sACN datagrams at the capture's own timing (scaled by the
// speed) from a thread of its own, which sleeps until a datagram is due and hands what is due
// on in batches. Pause, step, speed and loop act while it plays.
class Replayer {
public:
    using Deliver = std::function<void(std::shared_ptr<const ReplayBatch>)>;
    // The end of the file (empty) or the damage that stopped it.
    using Finished = std::function<void(const QString &error)>;

    // Both are called on the replay thread.
    Replayer(Deliver deliver, Finished finished);
    ~Replayer();
    Replayer(const Replayer &) = delete;
    Replayer &operator=(const Replayer &) = delete;

    // Reads the file through once for its length; the reason when it cannot be replayed.
    QString open(const QString &fileName);
    // Plays from `fromNs` after the capture's first datagram; what lies before is skipped.
    void start(qint64 fromNs);
    // Returns when the thread has stopped; nothing is handed on after it.
    void stop();

    void setPaused(bool on);
    // While paused: hands on the next datagram at once.
    void step();
    // 0.25 ... 4.
    void setSpeed(double speed);
    void setLoop(bool on);

    const QString &fileName() const { return m_fileName; }
    qint64 firstNs() const { return m_firstNs; }
    qint64 lengthNs() const { return m_lengthNs; }
    quint64 datagramCount() const { return m_count; }
    // Capture time of the datagram handed on last, after the first one.
    qint64 positionNs() const { return m_positionNs.load(std::memory_order_relaxed); }

private:
    void run(qint64 fromNs);

    Deliver m_deliver;
    Finished m_finished;
    QString m_fileName;
    qint64 m_firstNs = 0;
    qint64 m_lengthNs = 0;
    quint64 m_count = 0;
    std::atomic<qint64> m_positionNs{0};

    std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_stop = false;
    bool m_paused = false;
    int m_steps = 0;
    double m_speed = 1.0;
    bool m_loop = false;
    // Counts changes of pause and speed: the thread restarts its timing from the next datagram.
    quint64 m_changes = 0;
    std::thread m_thread;
};
