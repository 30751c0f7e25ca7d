#include "capture/replayer.h"

#include "capture/capturereader.h"
#include "net/monotonicclock.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstring>

namespace {

// A datagram due this close is handed on with the batch rather than slept for: waking costs
// about as much.
constexpr qint64 slackNs = 50'000;
// A batch goes once it has been open this long: at a rig's rate the next datagram is always
// nearly due, and the batch would otherwise only go when full.
constexpr qint64 batchAgeNs = 100'000;
constexpr size_t maxBatchItems = 256;

} // namespace

void ReplayBatch::add(quint16 port, const DatagramFacts &facts, std::span<const quint8> payload) {
    items.push_back(Item{port, facts, quint32(bytes.size()), quint32(payload.size())});
    bytes.insert(bytes.end(), payload.begin(), payload.end());
}

Replayer::Replayer(Deliver deliver, Finished finished)
    : m_deliver(std::move(deliver)), m_finished(std::move(finished)) {}

Replayer::~Replayer() {
    stop();
}

QString Replayer::open(const QString &fileName) {
    stop();
    CaptureReader reader;
    if (!reader.open(fileName))
        return reader.error();
    CapturedDatagram datagram;
    m_count = 0;
    qint64 last = 0;
    while (reader.next(datagram)) {
        if (m_count++ == 0)
            m_firstNs = datagram.timeNs;
        last = std::max(last, datagram.timeNs);
    }
    if (m_count == 0)
        return reader.error().isEmpty() ? QCoreApplication::translate(
                                              "Replayer", "%1 holds no Art-Net or sACN datagrams.")
                                              .arg(fileName)
                                        : reader.error();
    m_fileName = fileName;
    m_lengthNs = last - m_firstNs;
    m_positionNs = 0;
    return {};
}

void Replayer::start(qint64 fromNs) {
    stop();
    m_stop = false;
    m_positionNs = fromNs;
    m_thread = std::thread(&Replayer::run, this, fromNs);
}

void Replayer::stop() {
    if (!m_thread.joinable())
        return;
    {
        const std::lock_guard lock(m_lock);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void Replayer::setPaused(bool on) {
    {
        const std::lock_guard lock(m_lock);
        m_paused = on;
        m_steps = 0;
        ++m_changes;
    }
    m_wake.notify_all();
}

void Replayer::step() {
    {
        const std::lock_guard lock(m_lock);
        ++m_steps;
    }
    m_wake.notify_all();
}

void Replayer::setSpeed(double speed) {
    {
        const std::lock_guard lock(m_lock);
        m_speed = std::clamp(speed, 0.25, 4.0);
        ++m_changes;
    }
    m_wake.notify_all();
}

void Replayer::setLoop(bool on) {
    const std::lock_guard lock(m_lock);
    m_loop = on;
}

void Replayer::run(qint64 fromNs) {
    CaptureReader reader;
    CapturedDatagram datagram;
    bool have = reader.open(m_fileName) && reader.next(datagram);
    while (have && datagram.timeNs - m_firstNs < fromNs)
        have = reader.next(datagram);

    auto batch = std::make_shared<ReplayBatch>();
    const auto flush = [&] {
        if (batch->items.empty())
            return;
        m_deliver(std::move(batch));
        batch = std::make_shared<ReplayBatch>();
    };
    quint64 timedChanges = ~quint64(0);
    qint64 baseWallNs = 0;
    // Timed from the batch's start, not from its first datagram's due time: a replay that fell
    // behind would otherwise hand on one datagram per batch and fall further behind.
    qint64 batchStartNs = 0;
    qint64 baseCaptureNs = 0;
    double speed = 1.0;
    std::unique_lock lock(m_lock);
    while (!m_stop) {
        if (!have) {
            lock.unlock();
            flush();
            const bool loop = reader.error().isEmpty() && m_loop && reader.open(m_fileName) &&
                              reader.next(datagram);
            lock.lock();
            if (!loop) {
                lock.unlock();
                m_finished(reader.error());
                return;
            }
            have = true;
            timedChanges = ~quint64(0);
            continue;
        }
        const qint64 now = monotonicNs();
        qint64 dueNs = now;
        if (m_paused && m_steps == 0) {
            lock.unlock();
            flush();
            lock.lock();
            m_wake.wait(lock, [this] { return m_stop || !m_paused || m_steps > 0; });
            continue;
        }
        if (m_paused) {
            --m_steps;
            timedChanges = ~quint64(0);
        } else {
            if (timedChanges != m_changes) {
                // Timing starts again from this datagram, now.
                timedChanges = m_changes;
                baseWallNs = now;
                baseCaptureNs = datagram.timeNs;
                speed = m_speed;
            }
            dueNs = baseWallNs + qint64(double(datagram.timeNs - baseCaptureNs) / speed);
            if (dueNs > now + slackNs) {
                lock.unlock();
                flush();
                lock.lock();
                const quint64 changes = m_changes;
                m_wake.wait_until(
                    lock, std::chrono::steady_clock::time_point(std::chrono::nanoseconds(dueNs)),
                    [this, changes] { return m_stop || m_changes != changes; });
                continue;
            }
        }
        lock.unlock();
        datagram.facts.receivedNs = dueNs;
        batch->add(datagram.port, datagram.facts, datagram.payload);
        m_positionNs.store(datagram.timeNs - m_firstNs, std::memory_order_relaxed);
        if (batch->items.size() == 1)
            batchStartNs = monotonicNs();
        if (batch->items.size() >= maxBatchItems || monotonicNs() - batchStartNs > batchAgeNs)
            flush();
        have = reader.next(datagram);
        lock.lock();
    }
}
