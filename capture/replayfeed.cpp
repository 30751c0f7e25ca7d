#include "capture/replayfeed.h"

#include "capture/capturereader.h"
#include "net/acnnet.h"
#include "net/artnet.h"
#include "net/artnetpackets.h"
#include "net/monotonicclock.h"

#include <algorithm>

namespace {

constexpr size_t fastForwardBatch = 1024;

} // namespace

ReplayFeed::ReplayFeed(ReplayTargets targets, QObject *parent)
    : QObject(parent), m_targets(std::move(targets)),
      m_replayer(
          [this](std::shared_ptr<const ReplayBatch> batch) {
              QMetaObject::invokeMethod(
                  this,
                  [this, batch, run = m_run] {
                      if (run == m_run && m_active)
                          handOver(batch);
                  },
                  Qt::QueuedConnection);
          },
          [this](const QString &error) {
              QMetaObject::invokeMethod(
                  this,
                  [this, error, run = m_run] {
                      if (run == m_run && m_active)
                          end(error);
                  },
                  Qt::QueuedConnection);
          }) {}

ReplayFeed::~ReplayFeed() {
    stop();
}

QString ReplayFeed::start(const QString &fileName, bool loop) {
    stop();
    const QString error = m_replayer.open(fileName);
    if (!error.isEmpty())
        return error;
    m_active = true;
    m_targets.setReplaying(true);
    setLoop(loop);
    setPaused(false);
    setSpeed(1.0);
    m_replayer.start(0);
    return {};
}

void ReplayFeed::stop() {
    if (!m_active)
        return;
    m_replayer.stop();
    ++m_run;
    m_active = false;
    m_targets.setReplaying(false);
}

void ReplayFeed::setPaused(bool on) {
    m_paused = on;
    m_replayer.setPaused(on);
}

void ReplayFeed::setSpeed(double speed) {
    m_speed = std::clamp(speed, 0.25, 4.0);
    m_replayer.setSpeed(m_speed);
}

void ReplayFeed::setLoop(bool on) {
    m_loop = on;
    m_replayer.setLoop(on);
}

void ReplayFeed::seek(qint64 positionNs) {
    if (!m_active)
        return;
    m_replayer.stop();
    ++m_run;
    m_targets.restart();
    CaptureReader reader;
    CapturedDatagram datagram;
    auto batch = std::make_shared<ReplayBatch>();
    const qint64 now = monotonicNs();
    if (reader.open(m_replayer.fileName())) {
        while (reader.next(datagram) && datagram.timeNs - m_replayer.firstNs() < positionNs) {
            datagram.facts.receivedNs = now;
            batch->add(datagram.port, datagram.facts, datagram.payload);
            if (batch->items.size() == fastForwardBatch) {
                handOver(batch);
                batch = std::make_shared<ReplayBatch>();
            }
        }
    }
    handOver(batch);
    m_replayer.start(positionNs);
}

void ReplayFeed::handOver(const std::shared_ptr<const ReplayBatch> &batch) {
    artnet *node = m_targets.node();
    bool sacnItems = false;
    for (const ReplayBatch::Item &item : batch->items) {
        if (item.port != artnetpackets::udpPort) {
            sacnItems = true;
        } else if (node != nullptr) {
            node->handleDatagram(batch->bytesOf(item), item.facts);
            if (m_probe)
                m_probe(item.port, monotonicNs() - item.facts.receivedNs);
        }
    }
    acnnet *sacn = m_targets.sacn();
    if (!sacnItems || sacn == nullptr)
        return;
    // In the receiver's thread, after what it has queued already; a receiver deleted meanwhile
    // takes the call with it.
    QMetaObject::invokeMethod(
        sacn,
        [sacn, batch, probe = m_probe] {
            for (const ReplayBatch::Item &item : batch->items) {
                if (item.port == artnetpackets::udpPort)
                    continue;
                sacn->processDatagram(batch->bytesOf(item), item.facts.sender,
                                      item.facts.receivedNs, item.facts.destination);
                if (probe)
                    probe(item.port, monotonicNs() - item.facts.receivedNs);
            }
        },
        Qt::QueuedConnection);
}

void ReplayFeed::end(const QString &message) {
    stop();
    emit finished(message);
}
