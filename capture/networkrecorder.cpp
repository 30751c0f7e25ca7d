#include "capture/networkrecorder.h"

#include "capture/packetlayers.h"
#include "net/artnetpackets.h"
#include "net/monotonicclock.h"

#include <QFile>

#include <pcap/pcap.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>

namespace {

// How long the writer sleeps when both rings are empty: a ring holds 16384 datagrams, over a
// third of a second at the rates a rig sends.
constexpr auto idleWait = std::chrono::milliseconds(2);
constexpr qint64 flushEveryNs = 250'000'000;

qint64 clockNs(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

} // namespace

NetworkRecorder::NetworkRecorder(QObject *parent) : QObject(parent) {}

NetworkRecorder::~NetworkRecorder() {
    stop();
}

QString NetworkRecorder::start(const QString &fileName) {
    stop();
    for (auto &ring : m_rings)
        if (!ring)
            ring = std::make_unique<RecordRing>(ringSlots, slotBytes);
    m_pcap = pcap_open_dead_with_tstamp_precision(DLT_RAW, 65535, PCAP_TSTAMP_PRECISION_NANO);
    if (m_pcap == nullptr)
        return tr("Cannot prepare the capture file.");
    m_dumper = pcap_dump_open(m_pcap, QFile::encodeName(fileName).constData());
    if (m_dumper == nullptr) {
        const QString reason = QString::fromLocal8Bit(pcap_geterr(m_pcap));
        pcap_close(m_pcap);
        m_pcap = nullptr;
        return tr("Cannot write %1: %2").arg(fileName, reason);
    }
    // What queued up while not recording does not belong in this recording.
    for (auto &ring : m_rings)
        while (ring->front())
            ring->pop();
    m_fileName = fileName;
    m_bytesWritten = 24; // the file header
    m_packets = 0;
    m_notRecorded = 0;
    m_startNs = monotonicNs();
    m_wallOffsetNs = clockNs(CLOCK_REALTIME) - clockNs(CLOCK_MONOTONIC);
    m_packet.resize(packetlayers::ipv4UdpHeaderBytes + slotBytes);
    m_stop = false;
    m_writer = std::thread(&NetworkRecorder::write, this);
    return {};
}

void NetworkRecorder::stop() {
    if (!m_writer.joinable())
        return;
    m_stop = true;
    m_writer.join();
}

qint64 NetworkRecorder::recordingMs() const {
    return isRecording() ? (monotonicNs() - m_startNs) / 1'000'000 : 0;
}

void NetworkRecorder::tap(quint16 port, std::span<const quint8> datagram,
                          const DatagramFacts &facts) {
    if (!m_rings[port == artnetpackets::udpPort ? 0 : 1]->push(port, datagram, facts))
        m_notRecorded.fetch_add(1, std::memory_order_relaxed);
}

void NetworkRecorder::write() {
    QString error;
    qint64 lastFlush = monotonicNs();
    for (;;) {
        const bool stopping = m_stop.load();
        if (!drainRings()) {
            error = writeError();
            break;
        }
        const qint64 now = monotonicNs();
        if (stopping || now - lastFlush > flushEveryNs) {
            lastFlush = now;
            if (pcap_dump_flush(m_dumper) != 0) {
                error = writeError();
                break;
            }
        }
        if (stopping)
            break;
        if (m_rings[0]->front() == nullptr && m_rings[1]->front() == nullptr)
            std::this_thread::sleep_for(idleWait);
    }
    pcap_dump_close(m_dumper);
    pcap_close(m_pcap);
    m_dumper = nullptr;
    m_pcap = nullptr;
    if (!error.isEmpty())
        emit failed(error);
}

QString NetworkRecorder::writeError() {
    // The failed write's errno: ferror() and the bookkeeping since leave it alone.
    return tr("Recording stopped: cannot write %1: %2")
        .arg(m_fileName, QString::fromLocal8Bit(std::strerror(errno)));
}

bool NetworkRecorder::drainRings() {
    using namespace packetlayers;
    for (;;) {
        const RecordRing::Entry *a = m_rings[0]->front();
        const RecordRing::Entry *b = m_rings[1]->front();
        if (a == nullptr && b == nullptr)
            return true;
        const bool first =
            b == nullptr || (a != nullptr && a->facts.receivedNs <= b->facts.receivedNs);
        RecordRing &ring = *m_rings[first ? 0 : 1];
        const RecordRing::Entry &entry = first ? *a : *b;
        const std::span<const quint8> payload = ring.bytesOf(entry);
        const auto header = ipv4UdpHeader(entry.facts.sender, entry.facts.senderPort,
                                          entry.facts.destination, entry.port, payload.size());
        std::memcpy(m_packet.data(), header.data(), header.size());
        std::memcpy(m_packet.data() + header.size(), payload.data(), payload.size());
        const qint64 wallNs = entry.facts.receivedNs + m_wallOffsetNs;
        pcap_pkthdr record{};
        record.ts.tv_sec = time_t(wallNs / 1'000'000'000);
        // Nanoseconds: the dumper was opened with nanosecond precision.
        record.ts.tv_usec = suseconds_t(wallNs % 1'000'000'000);
        record.caplen = record.len = bpf_u_int32(header.size() + payload.size());
        pcap_dump(reinterpret_cast<u_char *>(m_dumper), &record, m_packet.data());
        ring.pop();
        m_packets.fetch_add(1, std::memory_order_relaxed);
        m_bytesWritten.fetch_add(16 + record.caplen, std::memory_order_relaxed);
        if (ferror(pcap_dump_file(m_dumper)) != 0)
            return false;
    }
}
