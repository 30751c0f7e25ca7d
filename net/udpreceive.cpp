#include "net/udpreceive.h"

#include "net/monotonicclock.h"

#include <algorithm>
#include <cstring>
#include <ctime>

#include <arpa/inet.h>
#include <unistd.h>

namespace {

// Room for one SCM_TIMESTAMPNS and one IP_PKTINFO message per datagram.
constexpr size_t controlBytes = CMSG_SPACE(sizeof(timespec)) + CMSG_SPACE(sizeof(in_pktinfo));

qint64 nanoseconds(const timespec &time) {
    return qint64(time.tv_sec) * 1000000000 + time.tv_nsec;
}

// The SCM_TIMESTAMPNS stamp of a received message (CLOCK_REALTIME, 0 without one) and its
// IP_PKTINFO destination address.
void readControl(msghdr &header, qint64 &stamp, quint32 &destination) {
    stamp = 0;
    destination = 0;
    for (cmsghdr *message = CMSG_FIRSTHDR(&header); message != nullptr;
         message = CMSG_NXTHDR(&header, message)) {
        if (message->cmsg_level == SOL_SOCKET && message->cmsg_type == SCM_TIMESTAMPNS &&
            message->cmsg_len >= CMSG_LEN(sizeof(timespec))) {
            timespec time{};
            std::memcpy(&time, CMSG_DATA(message), sizeof time);
            stamp = nanoseconds(time);
        } else if (message->cmsg_level == IPPROTO_IP && message->cmsg_type == IP_PKTINFO &&
                   message->cmsg_len >= CMSG_LEN(sizeof(in_pktinfo))) {
            in_pktinfo info{};
            std::memcpy(&info, CMSG_DATA(message), sizeof info);
            destination = ntohl(info.ipi_addr.s_addr);
        }
    }
}

} // namespace

DatagramBatch::DatagramBatch(int count, size_t slotBytes)
    : m_slotBytes(slotBytes), m_buffers(size_t(count) * slotBytes), m_vectors(size_t(count)),
      m_senders(size_t(count)), m_headers(size_t(count)), m_controls(size_t(count) * controlBytes),
      m_facts(size_t(count)) {
    for (size_t i = 0; i < size_t(count); ++i) {
        m_vectors[i] = {m_buffers.data() + i * slotBytes, slotBytes};
        std::memset(&m_headers[i], 0, sizeof m_headers[i]);
        m_headers[i].msg_hdr.msg_iov = &m_vectors[i];
        m_headers[i].msg_hdr.msg_iovlen = 1;
        m_headers[i].msg_hdr.msg_name = &m_senders[i];
    }
}

int DatagramBatch::receive(int fd) {
    // The kernel writes each sender's and control length back, so the room is given anew.
    for (size_t i = 0; i < m_headers.size(); ++i) {
        m_headers[i].msg_hdr.msg_namelen = sizeof(sockaddr_in);
        m_headers[i].msg_hdr.msg_control = m_controls.data() + i * controlBytes;
        m_headers[i].msg_hdr.msg_controllen = controlBytes;
        m_senders[i].sin_family = AF_UNSPEC;
    }
    const int received = std::max(
        recvmmsg(fd, m_headers.data(), unsigned(m_headers.size()), MSG_DONTWAIT, nullptr), 0);
    // The kernel stamps with CLOCK_REALTIME (software receive stamps have no monotonic
    // variant, SO_TIMESTAMPING included), latency is measured on CLOCK_MONOTONIC. The offset of
    // the two clocks is read once per batch, two calls apart: a step of the wall clock (NTP,
    // the user) then misplaces only the datagrams queued across it, and those are held to the
    // read time rather than placed in the future.
    timespec wall{};
    clock_gettime(CLOCK_REALTIME, &wall);
    const qint64 readNs = monotonicNs();
    const qint64 offset = nanoseconds(wall) - readNs;
    for (size_t i = 0; i < size_t(received); ++i) {
        DatagramFacts &facts = m_facts[i];
        qint64 stamp = 0;
        readControl(m_headers[i].msg_hdr, stamp, facts.destination);
        facts.receivedNs = stamp != 0 ? std::min(stamp - offset, readNs) : readNs;
        const sockaddr_in &sender = m_senders[i];
        const bool ipv4 = sender.sin_family == AF_INET;
        facts.sender = ipv4 ? ntohl(sender.sin_addr.s_addr) : 0;
        facts.senderPort = ipv4 ? ntohs(sender.sin_port) : 0;
    }
    return received;
}

std::span<const quint8> DatagramBatch::datagram(int index) const {
    const size_t i = size_t(index);
    return {m_buffers.data() + i * m_slotBytes,
            std::min<size_t>(m_headers[i].msg_len, m_slotBytes)};
}

void enableReceiveFacts(int fd) {
    const int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_TIMESTAMPNS, &one, sizeof one);
    setsockopt(fd, IPPROTO_IP, IP_PKTINFO, &one, sizeof one);
}

void enlargeReceiveBuffer(int fd, int bytes) {
    if (setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &bytes, sizeof bytes) != 0)
        setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
}

int receiveBufferSize(int fd) {
    int size = 0;
    socklen_t length = sizeof size;
    if (fd < 0 || getsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, &length) != 0)
        return 0;
    return size;
}

int openUdpReceiver(quint16 port, bool shared, int receiveBuffer) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port = htons(port);
    const int one = 1;
    for (const bool reuse : {shared, true}) {
        const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return -1;
        if (reuse)
            setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof(one));
        if (::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof(address)) == 0) {
            enlargeReceiveBuffer(fd, receiveBuffer);
            enableReceiveFacts(fd);
            return fd;
        }
        ::close(fd);
        if (reuse)
            break;
    }
    return -1;
}

void WatchedSocket::close() {
    delete m_notifier;
    m_notifier = nullptr;
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}
