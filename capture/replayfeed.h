#pragma once

#include "capture/replayer.h"

#include <QObject>
#include <QString>

#include <functional>

class acnnet;
class artnet;

// What a replay drives: the receivers as they are now (either may be null), the switch that
// makes them ignore the live network and send nothing, and a restart of the receivers before a
// jump, so their mergers do not mix two points in time.
struct ReplayTargets {
    std::function<artnet *()> node;
    std::function<acnnet *()> sacn;
    std::function<void(bool)> setReplaying;
    std::function<void()> restart;
};

// Replays a capture into the receivers, in-process, on the GUI thread: Art-Net straight into
// the node, sACN queued to the receiver's own thread. The live sockets are muted meanwhile.
class ReplayFeed : public QObject {
    Q_OBJECT
public:
    explicit ReplayFeed(ReplayTargets targets, QObject *parent = nullptr);
    ~ReplayFeed() override;

    // Starts replaying `fileName` from its beginning; the reason when it cannot.
    QString start(const QString &fileName, bool loop);
    // Back to live.
    void stop();
    bool isActive() const { return m_active; }

    void setPaused(bool on);
    bool isPaused() const { return m_paused; }
    void step() { m_replayer.step(); }
    void setSpeed(double speed);
    double speed() const { return m_speed; }
    void setLoop(bool on);
    bool loops() const { return m_loop; }
    // Restarts the receivers and hands them everything before `positionNs` at once, on this
    // thread, so no frame is painted on the way; then plays on from there.
    void seek(qint64 positionNs);

    const QString &fileName() const { return m_replayer.fileName(); }
    qint64 positionNs() const { return m_replayer.positionNs(); }
    qint64 lengthNs() const { return m_replayer.lengthNs(); }

    // Sees each datagram reach its receiver (on the receiver's thread), with how late that is
    // against its due time. For measurements.
    using HandOverProbe = std::function<void(quint16 port, qint64 latenessNs)>;
    void setHandOverProbe(HandOverProbe probe) { m_probe = std::move(probe); }

signals:
    // The replay ended by itself: empty at the end of the file, else why it stopped.
    void finished(const QString &message);

private:
    void handOver(const std::shared_ptr<const ReplayBatch> &batch);
    void end(const QString &message);

    ReplayTargets m_targets;
    Replayer m_replayer;
    HandOverProbe m_probe;
    bool m_active = false;
    bool m_paused = false;
    bool m_loop = false;
    double m_speed = 1.0;
    // Batches of a run that was stopped or left by a jump are still queued; they are dropped.
    quint64 m_run = 0;
};
