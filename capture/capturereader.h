#pragma once

#include "net/udpreceive.h"

#include <QString>
#include <QtGlobal>

#include <span>

typedef struct pcap pcap_t;

// One UDP datagram of a capture sent to a port we receive on.
struct CapturedDatagram {
    // Capture time, nanoseconds since 1970 as the capture stored it.
    qint64 timeNs = 0;
    quint16 port = 0;
    // Sender, sender port and destination; receivedNs is left to the replay.
    DatagramFacts facts;
    // Valid until the next read.
    std::span<const quint8> payload;
};

// Reads the Art-Net and sACN datagrams from a pcap or pcapng file of any origin, skipping every
// other packet; stops at the first damage and tells where it is.
class CaptureReader {
public:
    CaptureReader() = default;
    ~CaptureReader();
    CaptureReader(const CaptureReader &) = delete;
    CaptureReader &operator=(const CaptureReader &) = delete;

    // False, with error() telling why, for a file that cannot be read as a capture.
    bool open(const QString &fileName);
    // The next datagram to UDP 6454 or 5568; false at the end of the file, or at damage, when
    // error() says at which packet and byte offset it stopped.
    bool next(CapturedDatagram &out);
    const QString &error() const { return m_error; }
    // Packets of any kind read so far.
    quint64 packetCount() const { return m_packets; }

private:
    pcap_t *m_pcap = nullptr;
    int m_linkType = 0;
    quint64 m_packets = 0;
    QString m_error;
};
