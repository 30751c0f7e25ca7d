#pragma once

#include "capture/recordring.h"
#include "net/datagramtap.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <thread>

typedef struct pcap pcap_t;
typedef struct pcap_dumper pcap_dumper_t;

// Writes what the receivers' sockets read into a pcap file, each datagram as the IPv4/UDP
// packet it arrived in (raw IPv4 link type, nanosecond wall-clock stamps). The receive threads
// only copy into one ring per port; a writer thread of its own merges both by receive time
// into the file, so a slow disk never holds up receiving: a full ring counts the datagram as
// not recorded instead.
class NetworkRecorder final : public QObject, public DatagramTap {
    Q_OBJECT
public:
    explicit NetworkRecorder(QObject *parent = nullptr);
    ~NetworkRecorder() override;

    // Opens `fileName` and starts writing; the reason when it cannot.
    QString start(const QString &fileName);
    // Writes what is queued and closes the file.
    void stop();
    bool isRecording() const { return m_writer.joinable(); }
    const QString &fileName() const { return m_fileName; }

    quint64 bytesWritten() const { return m_bytesWritten.load(std::memory_order_relaxed); }
    quint64 packetsWritten() const { return m_packets.load(std::memory_order_relaxed); }
    quint64 notRecorded() const { return m_notRecorded.load(std::memory_order_relaxed); }
    qint64 recordingMs() const;

    void tap(quint16 port, std::span<const quint8> datagram, const DatagramFacts &facts) override;

signals:
    // Writing failed (a full disk, say); the file is closed. Emitted from the writer thread.
    void failed(const QString &reason);

private:
    void write();
    // Moves what the rings hold into the file, oldest first; false on a write error.
    bool drainRings();
    QString writeError();

    static constexpr size_t ringSlots = 16384;
    static constexpr size_t slotBytes = 1536;

    std::unique_ptr<RecordRing> m_rings[2];
    pcap_t *m_pcap = nullptr;
    pcap_dumper_t *m_dumper = nullptr;
    QString m_fileName;
    std::thread m_writer;
    std::atomic<bool> m_stop{false};
    // Written by the taps' threads and the writer, read by the status line.
    std::atomic<quint64> m_bytesWritten{0};
    std::atomic<quint64> m_packets{0};
    std::atomic<quint64> m_notRecorded{0};
    // CLOCK_REALTIME minus CLOCK_MONOTONIC at the start: receive stamps become wall-clock time.
    qint64 m_wallOffsetNs = 0;
    qint64 m_startNs = 0;
    std::vector<quint8> m_packet;
};
