#include "net/multicast.h"

#include "net/udpreceive.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

bool changeMembership(int fd, quint32 group, quint32 interfaceAddress, bool join) {
    ip_mreq request{};
    request.imr_multiaddr.s_addr = htonl(group);
    request.imr_interface.s_addr = htonl(interfaceAddress);
    return setsockopt(fd, IPPROTO_IP, join ? IP_ADD_MEMBERSHIP : IP_DROP_MEMBERSHIP, &request,
                      sizeof(request)) == 0;
}

MulticastMemberships::~MulticastMemberships() {
    leaveAll();
    for (const Holder &holder : m_holders)
        ::close(holder.fd);
}

bool MulticastMemberships::joinOn(int holder, quint32 group, quint32 interfaceAddress) {
    if (!changeMembership(m_holders[size_t(holder)].fd, group, interfaceAddress, true))
        return false;
    m_memberships.push_back({group, interfaceAddress, holder});
    return true;
}

bool MulticastMemberships::join(quint32 group, quint32 interfaceAddress) {
    for (size_t i = 0; i < m_holders.size(); ++i) {
        if (m_holders[i].full)
            continue;
        if (joinOn(int(i), group, interfaceAddress))
            return true;
        if (errno == ENOBUFS)
            m_holders[i].full = true;
        else if (errno != EADDRINUSE)
            return false;
        // EADDRINUSE: this helper already holds the group on that device (two addresses of
        // one adapter); another helper can hold it once more.
    }
    if (m_holders.size() >= maxHelperSockets)
        return false;
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    m_holders.push_back({fd, false});
    if (joinOn(int(m_holders.size() - 1), group, interfaceAddress))
        return true;
    const int error = errno;
    m_holders.pop_back();
    ::close(fd);
    errno = error;
    return false;
}

bool MulticastMemberships::leaveAll() {
    bool ok = true;
    for (const Membership &membership : m_memberships) {
        if (!changeMembership(m_holders[size_t(membership.holder)].fd, membership.group,
                              membership.interfaceAddress, false))
            ok = false;
    }
    m_memberships.clear();
    for (Holder &holder : m_holders)
        holder.full = false;
    return ok;
}

int openMulticastReceiver(quint16 port, bool shared, int receiveBuffer) {
    const int fd = openUdpReceiver(port, shared, receiveBuffer);
#ifdef IP_MULTICAST_ALL
    // The memberships sit on helper sockets (MulticastMemberships); this option is what
    // delivers their groups here.
    const int one = 1;
    if (fd >= 0)
        setsockopt(fd, IPPROTO_IP, IP_MULTICAST_ALL, &one, sizeof(one));
#endif
    return fd;
}
