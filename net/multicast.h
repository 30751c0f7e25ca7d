#pragma once

#include <QtGlobal>

#include <vector>

// IPv4 multicast memberships kept on helper sockets of their own.
//
// Linux caps the memberships of one socket (net.ipv4.igmp_max_memberships, 20 by default), so
// a receiver for hundreds of universes cannot hold them all on its listening socket. With
// IP_MULTICAST_ALL on (Linux's default) a socket bound to the port receives every group any
// socket of the system joined, so the memberships live here, on sockets that are never bound
// (bound to the port, each packet would be delivered once per socket). A helper that reports
// the cap is marked full and a new one is opened; no system setting has to change.
class MulticastMemberships {
public:
    MulticastMemberships() = default;
    ~MulticastMemberships();
    MulticastMemberships(const MulticastMemberships &) = delete;
    MulticastMemberships &operator=(const MulticastMemberships &) = delete;

    // Joins `group` on the interface with address `interfaceAddress` (both host order;
    // 0.0.0.0 lets the kernel choose). False when the kernel refused.
    bool join(quint32 group, quint32 interfaceAddress);
    // Leaves every group joined here. False when any leave failed; the list is empty either
    // way.
    bool leaveAll();
    int count() const { return int(m_memberships.size()); }

private:
    struct Holder {
        int fd;
        bool full;
    };
    struct Membership {
        quint32 group;
        quint32 interfaceAddress;
        int holder;
    };

    // Past this many helpers joins fail rather than eat the process's descriptors; with the
    // default cap of 20 that still holds 8000 memberships.
    static constexpr size_t maxHelperSockets = 400;

    bool joinOn(int holder, quint32 group, quint32 interfaceAddress);

    std::vector<Holder> m_holders;
    std::vector<Membership> m_memberships;
};

// One IP_ADD_MEMBERSHIP (join) or IP_DROP_MEMBERSHIP (leave) on `fd`; addresses in host order.
// Leaves errno as the kernel set it on failure.
bool changeMembership(int fd, quint32 group, quint32 interfaceAddress, bool join);

// openUdpReceiver() with IP_MULTICAST_ALL on. Returns the descriptor or -1.
int openMulticastReceiver(quint16 port, bool shared, int receiveBuffer);
