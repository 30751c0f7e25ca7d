#include "net/acnnet.h"

#include "net/network.h"

#include <cstring>

acnnet::acnnet(network *net, QObject *parent) : QObject(parent), m_net(net) {}

acnnet::~acnnet() {
    m_socket.close();
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
        m_startUniverse = int(universeMinusOne);
        joinAllGroups();
        return true;
    });
}

void acnnet::setFrameBuffer(FrameStore *store) {
    inOwnThread([this, store] {
        if (store != nullptr && !m_socket.isOpen())
            openSocket();
        m_memberships.leaveAll();
        m_store.store(store);
        m_universeCount = store != nullptr ? store->universeCount() : 0;
        if (store != nullptr)
            joinAllGroups();
    });
}

bool acnnet::takeFrame(FrameStore **store) {
    FrameStore *attached = m_store.load();
    if (store != nullptr)
        *store = attached;
    return attached != nullptr && attached->takeChanged(FrameStore::Writer::Sacn);
}

int acnnet::joinedGroupCount() const {
    return inOwnThread([this] { return m_memberships.count(); });
}

int acnnet::receiveBufferSize() const {
    return inOwnThread([this] { return ::receiveBufferSize(m_socket.fd()); });
}

bool acnnet::openSocket() {
    return m_socket.open(openMulticastReceiver(e131::port, m_bindShared, receiveBufferBytes), this,
                         &acnnet::readPackage);
}

bool acnnet::joinAllGroups() {
    const quint32 first = quint32(m_startUniverse + 1);
    const quint32 count = m_store.load() != nullptr ? m_universeCount : 1;
    network *net = m_net.load();
    bool ok = true;
    for (quint32 i = 0; i < count; ++i) {
        const quint32 group = e131::multicastGroup(first + i);
        if (!m_socket.isOpen() || group == 0) {
            ok = false;
            continue;
        }
        if (net == nullptr)
            continue;
        if (net->isEmpty()) {
            ok = m_memberships.join(group, 0) && ok;
            continue;
        }
        quint32 address = 0;
        for (int record = 0; net->getAddress(record, address); ++record)
            ok = m_memberships.join(group, address) && ok;
    }
    return ok;
}

void acnnet::readPackage() {
    if (!m_socket.isOpen())
        return;
    m_batch.drain(m_socket.fd(), batchesPerWakeUp,
                  [this](std::span<const quint8> datagram, quint32) { processDatagram(datagram); });
}

void acnnet::processDatagram(std::span<const quint8> datagram) {
    const e131::DataPacket packet = e131::parseDataPacket(datagram);
    if (!packet.ok())
        return;
    FrameStore *store = m_store.load(std::memory_order_relaxed);
    if (store == nullptr)
        return;
    // Other START codes (0xDD per-address priority, 0xCC RDM, ...) carry no levels.
    if (packet.startCode != e131::dmxStartCode)
        return;
    if (packet.universe == 0 || int(packet.universe) <= m_startUniverse)
        return;
    const quint32 slot = quint32(int(packet.universe) - m_startUniverse - 1);
    store->writeUniverse(slot, packet.slotData, FrameStore::Writer::Sacn);
}
