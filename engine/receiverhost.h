#pragma once

#include "net/artnetpackets.h"

#include <QPointer>
#include <QString>
#include <QThread>

#include <functional>
#include <memory>
#include <vector>

class ChannelWatch;
class FrameStore;
class RdmRequestHandler;
class acnnet;
class artnet;
class network;

// What the Art-Net node is told at an apply.
struct ArtnetSetup {
    quint32 startUniverse = 0;
    RdmRequestHandler *responder = nullptr;
    bool rdmForAllUniverses = false;
    // sACN feeds the picture too.
    bool sacnShown = false;
    QString shortName;
    QString longName;
    QString nodeReport;
    // The fail mode as Art-Net tells it, and whether ArtAddress may set it.
    artnetpackets::FailSafeState failSafe = artnetpackets::FailSafeState::Hold;
    bool failOver = false;
};

// Owns the receivers and the interface snapshot they borrow: creates, attaches and retires
// the Art-Net node (GUI thread) and the sACN receiver (its own thread) as the protocol switches
// say. A receiver switched off is detached at once and deleted through the event loop, since an
// apply may run inside its own call stack; a retired node keeps its snapshot, so a retired
// snapshot is deleted only after the nodes that may still reach it.
class ReceiverHost {
public:
    using NetworkFactory = std::function<std::unique_ptr<network>()>;

    ReceiverHost(NetworkFactory networkFactory, FrameStore &store, ChannelWatch &watch);
    // Relies on no event loop: the node is deleted here, the sACN receiver's thread waited for.
    ~ReceiverHost();
    ReceiverHost(const ReceiverHost &) = delete;
    ReceiverHost &operator=(const ReceiverHost &) = delete;

    // Makes an interface snapshot when none is there; returns whether it did.
    bool openNetwork();
    // Retires the snapshot once neither protocol is on.
    void closeNetwork();
    // Null retires the receiver.
    void applyArtnet(const ArtnetSetup *setup);
    void applyAcnnet(const QString *sourceName, quint32 startUniverse);
    // A cold start: both receivers are built anew at the next apply.
    void retireReceivers();
    // Deletes the interface snapshots no retired node can reach any more.
    void dropRetired();

    network *networkObject() const { return m_network.get(); }
    artnet *artnetNode() const { return m_artnet; }
    acnnet *sacnReceiver() const { return m_acnnet; }
    QThread *sacnThread() const { return m_acnnetThread; }

private:
    void retireArtnet();
    void retireAcnnet();

    NetworkFactory m_networkFactory;
    FrameStore &m_store;
    ChannelWatch &m_watch;
    std::unique_ptr<network> m_network;
    // Owned. Deleted through the event loop when switched off.
    artnet *m_artnet = nullptr;
    // Owned, living in m_acnnetThread; deleted through that thread's event queue.
    acnnet *m_acnnet = nullptr;
    QPointer<QThread> m_acnnetThread;
    std::vector<QPointer<artnet>> m_retiredNodes;
    std::vector<QPointer<QThread>> m_retiredThreads;
    std::vector<std::unique_ptr<network>> m_retiredNetworks;
};
