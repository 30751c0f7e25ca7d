#include "capture/capturereader.h"

#include "capture/packetlayers.h"
#include "net/artnetpackets.h"
#include "net/e131.h"

#include <QCoreApplication>
#include <QFile>

#include <pcap/pcap.h>

CaptureReader::~CaptureReader() {
    if (m_pcap != nullptr)
        pcap_close(m_pcap);
}

bool CaptureReader::open(const QString &fileName) {
    if (m_pcap != nullptr)
        pcap_close(m_pcap);
    m_packets = 0;
    m_error.clear();
    char reason[PCAP_ERRBUF_SIZE] = {};
    m_pcap = pcap_open_offline_with_tstamp_precision(QFile::encodeName(fileName).constData(),
                                                     PCAP_TSTAMP_PRECISION_NANO, reason);
    if (m_pcap == nullptr) {
        m_error = QCoreApplication::translate(
                      "CaptureReader",
                      "%1 cannot be replayed: it is not a packet capture (pcap or pcapng) "
                      "that can be read (%2).")
                      .arg(fileName, QString::fromLocal8Bit(reason));
        return false;
    }
    m_linkType = pcap_datalink(m_pcap);
    return true;
}

bool CaptureReader::next(CapturedDatagram &out) {
    using namespace packetlayers;
    if (m_pcap == nullptr)
        return false;
    for (;;) {
        // Where the packet about to be read starts; libpcap reads the file through this stream.
        const long offset = ftell(pcap_file(m_pcap));
        pcap_pkthdr *header = nullptr;
        const u_char *data = nullptr;
        const int result = pcap_next_ex(m_pcap, &header, &data);
        if (result == PCAP_ERROR_BREAK)
            return false;
        if (result != 1) {
            m_error = QCoreApplication::translate("CaptureReader",
                                                  "Replay stopped at packet %1, byte offset %2: %3")
                          .arg(m_packets + 1)
                          .arg(offset)
                          .arg(QString::fromLocal8Bit(pcap_geterr(m_pcap)));
            return false;
        }
        ++m_packets;
        const std::optional<Bytes> ip = ipv4OfFrame(m_linkType, Bytes(data, header->caplen));
        const std::optional<Ipv4> packet = ip ? parseIpv4(*ip) : std::nullopt;
        if (!packet || packet->protocol != protocolUdp)
            continue;
        const std::optional<Udp> udp = parseUdp(packet->payload);
        if (!udp ||
            (udp->destinationPort != artnetpackets::udpPort && udp->destinationPort != e131::port))
            continue;
        out.timeNs = qint64(header->ts.tv_sec) * 1'000'000'000 + header->ts.tv_usec;
        out.port = udp->destinationPort;
        out.facts = DatagramFacts{packet->source, udp->sourcePort, packet->destination, 0};
        out.payload = udp->payload;
        return true;
    }
}
