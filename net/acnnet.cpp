#include "net/acnnet.h"

#include "net/bytereader.h"
#include "net/channelwatch.h"
#include "net/monotonicclock.h"
#include "net/network.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstring>
#include <memory>

acnnet::acnnet(network *net, QObject *parent) : QObject(parent), m_net(net) {
    m_merger.setFindings(&m_findings);
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    m_clock = [started] { return started->elapsed(); };
    m_tick.setInterval(tickMs);
    connect(&m_tick, &QTimer::timeout, this, &acnnet::tick);
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
        if (store != nullptr) {
            joinAllGroups();
            m_tick.start();
        } else {
            m_tick.stop();
        }
    });
}

void acnnet::setChannelWatch(ChannelWatch *watch) {
    inOwnThread([this, watch] { m_watch.store(watch); });
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
    const qint64 now = m_clock();
    m_merger.configure(quint16(first), count, now);
    // The groups joined are universes on the network too, heard from or not.
    for (quint32 i = 0; i < count; ++i)
        m_wire.note(quint16(first + i), 0, now);
}

void acnnet::report(FindingCode code, const e131::DataPacket &packet, quint32 sender, qint64 nowMs,
                    quint32 detail) {
    m_findings.report(code, packet.universe,
                      {FindingProtocol::Sacn, sender, packet.cid, packet.sourceName}, nowMs,
                      detail);
}

// The rules a single packet shows; the merger's rules need a source's history.
void acnnet::checkPacket(const e131::DataPacket &packet, quint32 sender, quint32 destination,
                         qint64 nowMs) {
    if (!packet.ok())
        return;
    // Universes a source announces are on the network too, though nothing here joins them.
    if (packet.kind == e131::Kind::Discovery) {
        for (size_t i = 0; i + 1 < packet.universeList.size(); i += 2)
            m_wire.note(bytereader::u16be(packet.universeList, i), 0, nowMs);
        return;
    }
    if (packet.kind != e131::Kind::Data)
        return;
    m_wire.note(packet.universe, sender, nowMs);
    // Multicast (224.0.0.0/4) to a group that is not the universe's own; unicast is fine.
    if ((destination >> 28) == 0xE && destination != e131::multicastGroup(packet.universe))
        report(FindingCode::SacnWrongGroup, packet, sender, nowMs, destination & 0xFFFF);
    if (packet.priority > e131::maxPriority)
        report(FindingCode::SacnPriorityAbove200, packet, sender, nowMs);
    if (packet.options & e131::optionPreviewData)
        report(FindingCode::SacnPreviewOnly, packet, sender, nowMs);
}

QList<Finding> acnnet::findings() const {
    const qint64 now = m_clock();
    QMutexLocker lock(&m_mergerLock);
    return m_findings.findings(now);
}

void acnnet::setFindingsEnabled(bool on) {
    inOwnThread([this, on] {
        QMutexLocker lock(&m_mergerLock);
        m_findingsOn = on;
        m_merger.setFindings(on ? &m_findings : nullptr);
    });
}

void acnnet::clearFindings() {
    QMutexLocker lock(&m_mergerLock);
    m_findings.clear();
}

QList<WireUniverses::Row> acnnet::wireUniverses() const {
    const qint64 now = m_clock();
    QMutexLocker lock(&m_mergerLock);
    return m_wire.rows(now, sacnSourceLossMs);
}

ReceiverStats acnnet::stats(std::optional<quint16> levelsOf) const {
    const qint64 now = m_clock();
    QMutexLocker lock(&m_mergerLock);
    return m_merger.stats(now, levelsOf);
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
                          processDatagram(datagram, facts.sender, facts.receivedNs,
                                          facts.destination);
                  });
}

void acnnet::processDatagram(std::span<const quint8> datagram, quint32 sender, qint64 receivedNs,
                             quint32 destination) {
    const e131::DataPacket packet = e131::parseDataPacket(datagram);
    FrameStore *store = m_store.load(std::memory_order_relaxed);
    if (store == nullptr)
        return;
    const qint64 now = m_clock();
    ChannelWatch *watch = m_watch.load(std::memory_order_relaxed);
    const SampleSource source{SampleSource::Protocol::Sacn, sender, packet.sourceName};
    {
        QMutexLocker lock(&m_mergerLock);
        if (m_findingsOn)
            checkPacket(packet, sender, destination, now);
        m_merger.accept(
            packet, sender, now,
            [&](quint32 index, std::span<const quint8> bytes) {
                store->writeUniverse(index, bytes, FrameStore::Writer::Sacn, receivedNs);
                if (watch)
                    watch->observe(index, bytes, receivedNs, source);
            },
            receivedNs);
    }
    // Sync packets go to the group of their synchronisation universe; one outside the
    // configured universes is joined when a data packet first names it.
    const quint32 first = quint32(m_startUniverse + 1);
    const quint32 sync = packet.syncAddress;
    if (packet.ok() && packet.kind == e131::Kind::Data && sync != 0 &&
        (sync < first || sync >= first + m_universeCount))
        joinSyncUniverse(quint16(sync));
}

void acnnet::tick() {
    FrameStore *store = m_store.load(std::memory_order_relaxed);
    if (store == nullptr)
        return;
    const qint64 now = m_clock();
    ChannelWatch *watch = m_watch.load(std::memory_order_relaxed);
    // A look the time changed (a listening period or a wait over, sources lost) comes from no
    // packet: the scope and the log still see it, at the time of the change.
    const SampleSource source{SampleSource::Protocol::Sacn, 0, {}};
    QMutexLocker lock(&m_mergerLock);
    m_merger.tick(now, [&](quint32 index, std::span<const quint8> bytes) {
        store->writeUniverse(index, bytes, FrameStore::Writer::Sacn);
        if (watch)
            watch->observe(index, bytes, monotonicNs(), source);
    });
}

void acnnet::joinSyncUniverse(quint16 universe) {
    quint16 *const joined = m_syncGroups.data() + m_syncGroupCount;
    if (std::find(m_syncGroups.data(), joined, universe) != joined ||
        m_syncGroupCount == maxSyncGroups)
        return;
    m_syncGroups[m_syncGroupCount++] = universe;
    joinUniverse(universe);
}
