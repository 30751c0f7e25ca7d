#include "engine/receiverhost.h"

#include "buildinfo.h"
#include "engine/workerthread.h"
#include "net/acnnet.h"
#include "net/artnet.h"
#include "net/framestore.h"
#include "net/network.h"

#include <algorithm>

ReceiverHost::ReceiverHost(NetworkFactory networkFactory, FrameStore &store, ChannelWatch &watch)
    : m_networkFactory(std::move(networkFactory)), m_store(store), m_watch(watch) {}

ReceiverHost::~ReceiverHost() {
    if (m_artnet) {
        m_artnet->setFrameBuffer(nullptr);
        m_artnet->setChannelWatch(nullptr);
        delete m_artnet;
        m_artnet = nullptr;
    }
    for (const QPointer<artnet> &node : m_retiredNodes)
        delete node.data();
    m_retiredNodes.clear();
    if (m_acnnet) {
        m_acnnet->setFrameBuffer(nullptr);
        m_acnnet->setChannelWatch(nullptr);
        m_acnnet->setNetwork(nullptr);
        m_acnnet->deleteLater();
        m_acnnet = nullptr;
        m_retiredThreads.push_back(m_acnnetThread);
    }
    for (const QPointer<QThread> &thread : m_retiredThreads) {
        if (thread) {
            thread->wait();
            delete thread.data();
        }
    }
    m_retiredThreads.clear();
    m_retiredNetworks.clear();
    m_network.reset();
}

bool ReceiverHost::openNetwork() {
    if (m_network)
        return false;
    m_network = m_networkFactory();
    return true;
}

void ReceiverHost::closeNetwork() {
    // A node switched off in this or an earlier apply may still wait for its deferred deletion
    // and answer a poll until then; the snapshot outlives it.
    if (m_network)
        m_retiredNetworks.push_back(std::move(m_network));
}

void ReceiverHost::applyArtnet(const ArtnetSetup *setup) {
    if (!setup) {
        retireArtnet();
        return;
    }
    if (!m_artnet)
        m_artnet = new artnet(m_network.get(), false);
    m_artnet->setLedControl(true);
    m_artnet->setVersion(quint8(BuildInfo::versionMajor), quint8(BuildInfo::versionMinor));
    // The node keeps its default OEM code 0x00FF ("unknown"): an OEM code tells every
    // controller which registered product it talks to, this program has none of its own, and
    // a code registered to another maker would present it as that maker's product.
    m_artnet->setShortName(setup->shortName);
    m_artnet->setLongName(setup->longName);
    m_artnet->setStartUniverse(setup->startUniverse);
    m_artnet->setRdm(setup->responder, setup->rdmForAllUniverses);
    m_artnet->setSacnShown(setup->sacnShown);
    m_artnet->setFailSafeState(setup->failSafe);
    m_artnet->setFailOverSupported(setup->failOver);
    m_artnet->setPollReplyEnabled(true);
    m_artnet->setFrameBuffer(&m_store);
    m_artnet->setChannelWatch(&m_watch);
    m_artnet->setNodeReport(setup->nodeReport);
}

void ReceiverHost::applyAcnnet(const QString *sourceName, quint32 startUniverse) {
    if (!sourceName) {
        retireAcnnet();
        return;
    }
    if (!m_acnnet) {
        // Started before it is configured, so that its socket is made in the thread that
        // reads it.
        m_acnnet = new acnnet(m_network.get());
        m_acnnetThread = startInThread(m_acnnet, QStringLiteral("sACN"), QThread::HighPriority);
    }
    m_acnnet->setBindShared(true);
    m_acnnet->setSourceName(*sourceName);
    m_acnnet->setStartUniverse(startUniverse);
    m_acnnet->setFrameBuffer(&m_store);
    m_acnnet->setChannelWatch(&m_watch);
}

void ReceiverHost::retireReceivers() {
    retireArtnet();
    retireAcnnet();
}

void ReceiverHost::retireArtnet() {
    if (!m_artnet)
        return;
    m_artnet->setFrameBuffer(nullptr);
    m_artnet->setChannelWatch(nullptr);
    m_artnet->deleteLater();
    m_retiredNodes.emplace_back(m_artnet);
    m_artnet = nullptr;
}

void ReceiverHost::retireAcnnet() {
    if (!m_acnnet)
        return;
    // Both calls run inside the receiver's thread and return only when done, so it no longer
    // touches the store or the snapshot; its destructor runs later in that thread and needs
    // neither.
    m_acnnet->setFrameBuffer(nullptr);
    m_acnnet->setChannelWatch(nullptr);
    m_acnnet->setNetwork(nullptr);
    m_acnnet->deleteLater();
    m_acnnet = nullptr;
    m_retiredThreads.push_back(m_acnnetThread);
    m_acnnetThread.clear();
}

void ReceiverHost::dropRetired() {
    std::erase_if(m_retiredNodes, [](const QPointer<artnet> &node) { return node.isNull(); });
    std::erase_if(m_retiredThreads,
                  [](const QPointer<QThread> &thread) { return thread.isNull(); });
    if (m_retiredNodes.empty())
        m_retiredNetworks.clear();
}
