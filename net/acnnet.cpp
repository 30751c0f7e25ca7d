#include "net/acnnet.h"

#include "net/network.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstring>
#include <memory>

acnnet::acnnet(network *net, QObject *parent) : QObject(parent), m_net(net) {
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    m_clock = [started] { return started->elapsed(); };
}

acnnet::~acnnet() {
    // A configuration call may still be leaving handOff() on its own thread when the deferred
    // deletion runs here; the lock waits for it.
    const std::lock_guard lock(m_handOffLock);
    m_socket.close();
}

void acnnet::handOff(const std::function<void()> &call) {
    const std::lock_guard lock(m_handOffLock);
    m_handOffCall = &call;
    m_handOff.fetch_add(1, std::memory_order_release);
    QMetaObject::invokeMethod(this, &acnnet::runHandOff, Qt::BlockingQueuedConnection);
    m_handOff.load(std::memory_order_acquire);
    m_handOffCall = nullptr;
}

void acnnet::runHandOff() {
    m_handOff.load(std::memory_order_acquire);
    (*m_handOffCall)();
    m_handOff.fetch_add(1, std::memory_order_release);
}

void acnnet::setBindShared(bool shared) {
    inOwnThread([this, shared] { m_bindShared = shared; });
}

void acnnet::setSourceName(const QString &name) {
    const QByteArray latin1 = name.left(63).toLatin1();
    inOwnThread([this, latin1] {
        m_sourceName.fill(0);
        std::memcpy(m_sourceName.data(), latin1.constData(), size_t(latin1.size()));
    });
}

QByteArray acnnet::sourceName() const {
    return inOwnThread([this] { return QByteArray(m_sourceName.data()); });
}

bool acnnet::setStartUniverse(quint32 universeMinusOne) {
    if (universeMinusOne > e131::maxUniverse - 1u)
        return false;
    return inOwnThread([this, universeMinusOne] {
        if (m_startUniverse == int(universeMinusOne))
            return true;
        m_memberships.leaveAll();
        m_syncGroupCount = 0;
        m_startUniverse = int(universeMinusOne);
        configureMerger();
        joinAllGroups();
        return true;
    });
}

void acnnet::setFrameBuffer(FrameStore *store) {
    inOwnThread([this, store] {
        if (store != nullptr && !m_socket.isOpen())
            openSocket();
        m_memberships.leaveAll();
        m_syncGroupCount = 0;
        m_store.store(store);
        m_universeCount = store != nullptr ? store->universeCount() : 0;
        configureMerger();
        if (store != nullptr)
            joinAllGroups();
    });
}

void acnnet::setTap(DatagramTap *tap) {
    inOwnThread([this, tap] { m_tap = tap; });
}

void acnnet::setReplaying(bool on) {
    inOwnThread([this, on] { m_replaying = on; });
}

int acnnet::joinedGroupCount() const {
    return inOwnThread([this] { return m_memberships.count(); });
}

int acnnet::receiveBufferSize() const {
    return inOwnThread([this] { return ::receiveBufferSize(m_socket.fd()); });
}

void acnnet::configureMerger() {
    const quint32 first = quint32(m_startUniverse + 1);
    const quint32 count =
        m_startUniverse < 0 ? 0 : std::min(m_universeCount, quint32(e131::maxUniverse) + 1 - first);
    QMutexLocker lock(&m_mergerLock);
    m_merger.configure(quint16(first), count);
}

ReceiverStats acnnet::stats() const {
    const qint64 now = m_clock();
    QMutexLocker lock(&m_mergerLock);
    return m_merger.stats(now);
}

bool acnnet::openSocket() {
    return m_socket.open(openMulticastReceiver(e131::port, m_bindShared, receiveBufferBytes), this,
                         &acnnet::readPackage);
}

bool acnnet::joinAllGroups() {
    const quint32 first = quint32(m_startUniverse + 1);
    const quint32 count = m_store.load() != nullptr ? m_universeCount : 1;
    bool ok = true;
    for (quint32 i = 0; i < count; ++i)
        ok = joinUniverse(first + i) && ok;
    // Other sources announce their universes (kept for the diagnostics) on a group of its own.
    if (count > 0)
        ok = joinUniverse(e131::discoveryUniverse) && ok;
    return ok;
}

bool acnnet::joinUniverse(quint32 universe) {
    const quint32 group = e131::multicastGroup(universe);
    if (!m_socket.isOpen() || group == 0)
        return false;
    network *net = m_net.load();
    if (net == nullptr)
        return true;
    if (net->isEmpty())
        return m_memberships.join(group, 0);
    bool ok = true;
    quint32 address = 0;
    for (int record = 0; net->getAddress(record, address); ++record)
        ok = m_memberships.join(group, address) && ok;
    return ok;
}

void acnnet::readPackage() {
    if (!m_socket.isOpen())
        return;
    m_batch.drain(m_socket.fd(), batchesPerWakeUp,
                  [this](std::span<const quint8> datagram, const DatagramFacts &facts) {
                      if (m_tap)
                          m_tap->tap(e131::port, datagram, facts);
                      if (!m_replaying)
                          processDatagram(datagram, facts.sender, facts.receivedNs);
                  });
}

void acnnet::processDatagram(std::span<const quint8> datagram, quint32 sender, qint64 receivedNs) {
    const e131::DataPacket packet = e131::parseDataPacket(datagram);
    FrameStore *store = m_store.load(std::memory_order_relaxed);
    if (store == nullptr)
        return;
    const qint64 now = m_clock();
    {
        QMutexLocker lock(&m_mergerLock);
        m_merger.accept(
            packet, sender, now, [store, receivedNs](quint32 index, std::span<const quint8> bytes) {
                store->writeUniverse(index, bytes, FrameStore::Writer::Sacn, receivedNs);
            });
    }
    // Sync packets go to the group of their synchronisation universe; one outside the
    // configured universes is joined when a data packet first names it.
    const quint32 first = quint32(m_startUniverse + 1);
    const quint32 sync = packet.syncAddress;
    if (packet.ok() && packet.kind == e131::Kind::Data && sync != 0 &&
        (sync < first || sync >= first + m_universeCount))
        joinSyncUniverse(quint16(sync));
}

void acnnet::joinSyncUniverse(quint16 universe) {
    quint16 *const joined = m_syncGroups.data() + m_syncGroupCount;
    if (std::find(m_syncGroups.data(), joined, universe) != joined ||
        m_syncGroupCount == maxSyncGroups)
        return;
    m_syncGroups[m_syncGroupCount++] = universe;
    joinUniverse(universe);
}
