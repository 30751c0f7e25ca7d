#include "engine/paintscheduler.h"

#include "engine/screenengine.h"

#include <algorithm>

namespace {
// A tick every 50 ms shows a change of the engine's own (an RDM level, a menu switch) without a
// delay anyone notices, at a fraction of the frame rate's wake-ups.
constexpr int idleTickMs = 50;
constexpr int idleAfterTicks = 50;
} // namespace

PaintScheduler::PaintScheduler(ScreenEngine &engine, QObject *parent)
    : QObject(parent), m_engine(engine) {
    m_deferred.setSingleShot(true);
    // A coarse timer fires up to 5 % late, which paints 48 frames a second at a 20 ms period and
    // stretches every time-driven element (the overlay's 1000 frames among them) by as much.
    m_tick.setTimerType(Qt::PreciseTimer);
    m_deferred.setTimerType(Qt::PreciseTimer);
    connect(&m_tick, &QTimer::timeout, this, &PaintScheduler::paintIfDue);
    connect(&m_deferred, &QTimer::timeout, this, &PaintScheduler::paintIfDue);
    m_engine.setPaintListener([this] { paintStarted(); });
    m_engine.frameStore().setChangeListener([this] { dataArrived(); });
}

PaintScheduler::~PaintScheduler() {
    // Returns only when no receiver thread is inside dataArrived() any more.
    m_engine.frameStore().setChangeListener({});
    m_engine.setPaintListener({});
}

void PaintScheduler::start(int periodMs) {
    m_periodMs = std::max(1, periodMs);
    m_idleTicks = 0;
    m_tick.start(m_periodMs);
    paintIfDue();
}

void PaintScheduler::stop() {
    m_tick.stop();
    m_deferred.stop();
}

void PaintScheduler::dataArrived() {
    m_dataPending = true;
    // One wake-up in the queue is enough however many universes arrive before it runs.
    if (!m_wakePosted.exchange(true))
        QMetaObject::invokeMethod(this, &PaintScheduler::wake, Qt::QueuedConnection);
}

void PaintScheduler::wake() {
    m_wakePosted = false;
    paintIfDue();
}

void PaintScheduler::paintIfDue() {
    if (!m_target || !m_tick.isActive() || m_deferred.isActive())
        return;
    // Staged settings take effect here, between events, not inside the paint.
    m_engine.applyStaged();
    // A frozen picture does not show new data; thawing is a change of the engine's own.
    const bool newData = m_dataPending && !m_engine.isFrozen();
    if (!newData && !m_engine.needsRepaint()) {
        // Data wakes the scheduler itself; the ticks only look for the engine's own changes,
        // and once nothing has changed for a while they need not come at the frame rate.
        if (++m_idleTicks == idleAfterTicks && m_periodMs < idleTickMs)
            m_tick.setInterval(idleTickMs);
        return;
    }
    if (m_tick.interval() != m_periodMs)
        m_tick.setInterval(m_periodMs);
    m_idleTicks = 0;
    const qint64 since = m_sinceLastPaint.isValid() ? m_sinceLastPaint.elapsed() : m_periodMs;
    if (since < m_periodMs)
        m_deferred.start(int(m_periodMs - since));
    else
        m_target->repaint();
}

void PaintScheduler::paintStarted() {
    // Cleared before the frame is taken, so data landing during the paint asks for the next.
    m_dataPending = false;
    m_sinceLastPaint.start();
}
