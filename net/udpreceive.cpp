#include "net/udpreceive.h"

#include <algorithm>
#include <cstring>

#include <arpa/inet.h>
#include <unistd.h>

DatagramBatch::DatagramBatch(int count, size_t slotBytes)
    : m_slotBytes(slotBytes), m_buffers(size_t(count) * slotBytes), m_vectors(size_t(count)),
      m_senders(size_t(count)), m_headers(size_t(count)) {
    for (size_t i = 0; i < size_t(count); ++i) {
        m_vectors[i] = {m_buffers.data() + i * slotBytes, slotBytes};
        std::memset(&m_headers[i], 0, sizeof m_headers[i]);
        m_headers[i].msg_hdr.msg_iov = &m_vectors[i];
        m_headers[i].msg_hdr.msg_iovlen = 1;
        m_headers[i].msg_hdr.msg_name = &m_senders[i];
    }
}

int DatagramBatch::receive(int fd) {
    // The kernel writes each sender's length back, so the room for it is given anew.
    for (size_t i = 0; i < m_headers.size(); ++i) {
        m_headers[i].msg_hdr.msg_namelen = sizeof(sockaddr_in);
        m_senders[i].sin_family = AF_UNSPEC;
    }
    const int received =
        recvmmsg(fd, m_headers.data(), unsigned(m_headers.size()), MSG_DONTWAIT, nullptr);
    return std::max(received, 0);
}

std::span<const quint8> DatagramBatch::datagram(int index) const {
    const size_t i = size_t(index);
    return {m_buffers.data() + i * m_slotBytes,
            std::min<size_t>(m_headers[i].msg_len, m_slotBytes)};
}

quint32 DatagramBatch::senderAddress(int index) const {
    const sockaddr_in &sender = m_senders[size_t(index)];
    return sender.sin_family == AF_INET ? ntohl(sender.sin_addr.s_addr) : 0;
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
