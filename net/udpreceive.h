#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QtGlobal>

#include <cstddef>
#include <span>
#include <vector>

#include <netinet/in.h>
#include <sys/socket.h>

// What the socket tells of one datagram besides its bytes. Addresses IPv4 in host order, 0
// where unknown.
struct DatagramFacts {
    quint32 sender = 0;
    quint16 senderPort = 0;
    // The address it was sent to (IP_PKTINFO): tells unicast, broadcast and which multicast
    // group apart.
    quint32 destination = 0;
    // monotonicNs() time of arrival.
    qint64 receivedNs = 0;
};

// Datagrams taken from a non-blocking UDP socket a batch at a time with recvmmsg(): one system
// call for up to `count` datagrams, into buffers set up once, so that reading allocates
// nothing. Shared by the Art-Net node and the sACN receiver. Each datagram carries the time the
// kernel received it (SO_TIMESTAMPNS, see enableReceiveFacts), so the time it spent queued
// behind a paint counts towards its latency.
class DatagramBatch {
public:
    // Datagrams longer than `slotBytes` are cut to that length.
    DatagramBatch(int count, size_t slotBytes);
    DatagramBatch(const DatagramBatch &) = delete;
    DatagramBatch &operator=(const DatagramBatch &) = delete;

    // Hands every datagram queued at `fd` to `fn(datagram, facts)`, with at most `maxBatches`
    // recvmmsg() calls: a flood must not keep the caller's event loop from its paints, timers and
    // queued calls. Returns true when it stopped at that bound, so datagrams may still be queued;
    // the socket notifier, being level-triggered, then calls again after the loop's other work. The
    // datagram view is valid only inside `fn`.
    template <typename Fn> bool drain(int fd, int maxBatches, Fn &&fn) {
        for (int batch = 0; batch < maxBatches; ++batch) {
            const int received = receive(fd);
            for (int i = 0; i < received; ++i)
                fn(datagram(i), facts(i));
            if (received < capacity())
                return false;
        }
        return true;
    }

    // One recvmmsg() call; the number of datagrams read (0 when none is queued or on an
    // error).
    int receive(int fd);
    std::span<const quint8> datagram(int index) const;
    // The receive stamp is the kernel's, on the monotonicNs() clock; the time it was read where
    // the socket gives no stamp. Never later than the read.
    const DatagramFacts &facts(int index) const { return m_facts[size_t(index)]; }
    int capacity() const { return int(m_headers.size()); }

private:
    size_t m_slotBytes;
    std::vector<quint8> m_buffers;
    std::vector<iovec> m_vectors;
    std::vector<sockaddr_in> m_senders;
    std::vector<mmsghdr> m_headers;
    std::vector<quint8> m_controls;
    std::vector<DatagramFacts> m_facts;
};

// Opens a UDP socket bound to any IPv4 address on `port`, non-blocking, with a receive buffer
// of `receiveBuffer` bytes (or the most the system grants). `shared` binds with SO_REUSEADDR at
// once, so other receivers of the port can run beside this one; otherwise a plain bind is
// tried first and the shared one only if that fails. Returns the descriptor or -1.
int openUdpReceiver(quint16 port, bool shared, int receiveBuffer);

// A receiving socket and the notifier that wakes its owner when datagrams wait. The notifier
// is a child of the owner, so it follows the owner into another thread.
class WatchedSocket {
public:
    WatchedSocket() = default;
    ~WatchedSocket() { close(); }
    WatchedSocket(const WatchedSocket &) = delete;
    WatchedSocket &operator=(const WatchedSocket &) = delete;

    // Takes over `fd` (closing any socket held before) and calls `onReadable` on `owner`
    // while it has datagrams queued. False, and nothing held, for fd -1.
    template <typename Owner> bool open(int fd, Owner *owner, void (Owner::*onReadable)()) {
        close();
        if (fd < 0)
            return false;
        m_fd = fd;
        m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, owner);
        QObject::connect(m_notifier, &QSocketNotifier::activated, owner, onReadable);
        return true;
    }
    void close();
    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }

private:
    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
};

// Asks the kernel to stamp every datagram queued at `fd` with its receive time and the address
// it was sent to.
void enableReceiveFacts(int fd);

// A paint of several milliseconds must not make the kernel drop datagrams at tens of thousands
// per second, so a receiver asks for a large buffer: SO_RCVBUFFORCE passes net.core.rmem_max
// where the process may, SO_RCVBUF grants at most that cap otherwise.
void enlargeReceiveBuffer(int fd, int bytes);

// The receive buffer the kernel granted `fd` (it reports twice the size asked for, the
// bookkeeping included); 0 for a closed socket.
int receiveBufferSize(int fd);
