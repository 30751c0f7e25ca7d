#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <atomic>

class ScreenEngine;

// Paces the render widget's repaints by what changes: a frame is painted as soon as new data
// is in the engine's store or the engine reports a change of its own, but at most once per
// period, and nothing is painted while nothing changes. A tick every period looks for the
// engine's changes (its time-driven elements among them), every 50 ms once a second has passed
// without any; the store wakes the scheduler from any thread through the GUI thread's event
// queue.
class PaintScheduler : public QObject {
    Q_OBJECT

public:
    PaintScheduler(ScreenEngine &engine, QObject *parent = nullptr);
    ~PaintScheduler() override;

    // The widget whose repaint paints the engine's frame; null paints nothing.
    void setTarget(QWidget *target) { m_target = target; }
    // (Re)starts the ticks; a period below 1 ms counts as 1 ms.
    void start(int periodMs);
    void stop();

private:
    // Any thread.
    void dataArrived();
    void wake();
    void paintIfDue();
    void paintStarted();

    ScreenEngine &m_engine;
    QPointer<QWidget> m_target;
    QTimer m_tick;
    // The rest of the period when a change comes sooner than one period after the last paint.
    QTimer m_deferred;
    QElapsedTimer m_sinceLastPaint;
    int m_periodMs = 20;
    // Ticks in a row that found nothing to paint.
    int m_idleTicks = 0;
    std::atomic<bool> m_dataPending{false};
    std::atomic<bool> m_wakePosted{false};
};
