#include "net/network.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>

#include <cstdio>

namespace {

QList<InterfaceRecord> machineAddresses() {
    QList<InterfaceRecord> candidates;
    const QList<QNetworkInterface> adapters = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &adapter : adapters) {
        const QList<QNetworkAddressEntry> entries = adapter.addressEntries();
        for (const QNetworkAddressEntry &entry : entries)
            candidates.append({entry, adapter.hardwareAddress(), adapter.humanReadableName()});
    }
    return candidates;
}

bool inRange(const QList<InterfaceRecord> &list, int index) {
    return index >= 0 && index < list.size();
}

} // namespace

network::network(int debugOutput, QObject *parent)
    : network(machineAddresses(), QHostInfo::localHostName(), QHostInfo::localDomainName(),
              debugOutput, parent) {}

network::network(const QList<InterfaceRecord> &candidates, const QString &hostName,
                 const QString &domainName, int debugOutput, QObject *parent)
    : QObject(parent), m_debugOutput(debugOutput), m_hostName(hostName), m_domainName(domainName) {
    scan(candidates);
}

void network::debug(const QString &line) const {
    if (m_debugOutput == 0)
        return;
    std::fputs(line.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
}

void network::scan(const QList<InterfaceRecord> &candidates) {
    QNetworkAddressEntry loopback;
    loopback.setIp(QHostAddress(QHostAddress::AnyIPv4));

    for (const InterfaceRecord &candidate : candidates) {
        const QNetworkAddressEntry &entry = candidate.entry;
        const QHostAddress address = entry.ip();
        const QString text = address.toString();
        if (address.protocol() == QAbstractSocket::IPv6Protocol) {
            debug(QStringLiteral("found IpV6 - ") + text + QStringLiteral(" dont' use it"));
            continue;
        }
        if (address.protocol() != QAbstractSocket::IPv4Protocol) {
            if (address.isNull()) {
                debug(QStringLiteral("addr.isNull() found, is invalid, do not use it"));
                continue;
            }
            debug(QStringLiteral("found unknown Ip - ") + text + QStringLiteral(" dont' use it"));
            continue;
        }
        const quint32 ip = address.toIPv4Address();
        if (ip == 0x7F000001) {
            loopback = entry;
            debug(QStringLiteral("found IpV4 - ") + text + QStringLiteral(" memory for later"));
            continue;
        }
        if (ip == 0xFFFFFFFF || ip == 0) {
            debug(QStringLiteral("found IpV4 - ") + text + QStringLiteral(" do not use it"));
            continue;
        }
        const QString found =
            QStringLiteral("found IpV4 - %1  Mask: %2 Broad: %3")
                .arg(text, entry.netmask().toString(), entry.broadcast().toString());
        if (entry.netmask().toIPv4Address() == 0) {
            debug(found + QStringLiteral("don't add because invalid netmask"));
            continue;
        }
        if (entry.broadcast().toIPv4Address() == 0) {
            debug(found + QStringLiteral("don't add because invalid broadcast"));
            continue;
        }
        InterfaceRecord record = candidate;
        if (record.hardwareAddress.isEmpty())
            record.hardwareAddress = QString::fromLatin1(noHardwareAddress);
        append(record);
        debug(found + QStringLiteral(" add to send/receive list with ") + record.hardwareAddress +
              QStringLiteral(" on ") + record.name);
    }

    if (!m_interfaces.isEmpty())
        return;
    // No usable address: consumers still get one record, so none of them copes with an
    // empty list.
    const bool remembered = loopback.ip().toIPv4Address() == 0x7F000001;
    QNetworkAddressEntry entry = remembered ? loopback : QNetworkAddressEntry();
    if (!remembered)
        entry.setIp(QHostAddress(QHostAddress::LocalHost));
    entry.setNetmask(QHostAddress(QStringLiteral("255.0.0.0")));
    entry.setBroadcast(QHostAddress(QStringLiteral("127.255.255.255")));
    append({entry, QString::fromLatin1(noHardwareAddress), tr("lo")});
    if (remembered)
        debug(QStringLiteral("found IpV4 - ") + entry.ip().toString() +
              QStringLiteral(" broadcast ") + entry.broadcast().toString() +
              QStringLiteral(" netmask ") + entry.netmask().toString() +
              QStringLiteral(" do not use it"));
}

void network::append(const InterfaceRecord &record) {
    m_interfaces.append(record);
    std::array<quint8, 6> bytes{};
    hardwareAddressToBytes(record.hardwareAddress, bytes.data());
    m_hardwareBytes.push_back(bytes);
}

bool network::getInterface(int index, InterfaceRecord &out) const {
    if (index == -1) {
        out.entry = QNetworkAddressEntry();
        out.entry.setIp(QHostAddress(QHostAddress::Broadcast));
        out.entry.setNetmask(QHostAddress(QHostAddress::AnyIPv4));
        out.entry.setBroadcast(QHostAddress(QHostAddress::Broadcast));
        out.hardwareAddress = QString::fromLatin1(noHardwareAddress);
        out.name = tr("all");
        return true;
    }
    if (inRange(m_interfaces, index)) {
        out = m_interfaces.at(index);
        return true;
    }
    out.entry = QNetworkAddressEntry();
    out.entry.setIp(QHostAddress(QHostAddress::AnyIPv4));
    out.entry.setNetmask(QHostAddress(QHostAddress::Broadcast));
    out.entry.setBroadcast(QHostAddress(QHostAddress::AnyIPv4));
    out.hardwareAddress = QString();
    out.name = QString();
    return false;
}

bool network::getBroadcast(int index, quint32 &out) const {
    if (index == -1) {
        out = 0xFFFFFFFF;
        return true;
    }
    if (inRange(m_interfaces, index)) {
        out = m_interfaces.at(index).entry.broadcast().toIPv4Address();
        return true;
    }
    out = 0xFFFFFFFF;
    return false;
}

bool network::getAddress(int index, quint32 &out) const {
    if (index == -1) {
        out = 0xFFFFFFFF;
        return true;
    }
    if (inRange(m_interfaces, index)) {
        out = m_interfaces.at(index).entry.ip().toIPv4Address();
        return true;
    }
    out = 0;
    return false;
}

bool network::getAddressInfo(int index, quint32 &address, quint32 &netmask, quint32 &broadcast,
                             QString &hardwareAddress) const {
    if (index == -1) {
        address = 0xFFFFFFFF;
        netmask = 0;
        broadcast = 0xFFFFFFFF;
        hardwareAddress = QString::fromLatin1(noHardwareAddress);
        return true;
    }
    if (inRange(m_interfaces, index)) {
        const InterfaceRecord &record = m_interfaces.at(index);
        address = record.entry.ip().toIPv4Address();
        netmask = record.entry.netmask().toIPv4Address();
        broadcast = record.entry.broadcast().toIPv4Address();
        hardwareAddress = record.hardwareAddress;
        return true;
    }
    address = 0;
    netmask = 0xFFFFFFFF;
    broadcast = 0;
    hardwareAddress = QString();
    return false;
}

bool network::getAddressText(int index, QString &address, QString &name) const {
    if (index == -1) {
        address = QStringLiteral("255.255.255.255");
        name = tr("all");
        return true;
    }
    if (inRange(m_interfaces, index)) {
        const InterfaceRecord &record = m_interfaces.at(index);
        address = record.entry.ip().toString();
        name = record.name;
        return true;
    }
    address = QString();
    name = QString();
    return false;
}

bool network::isOnlyLoopback() const {
    return m_interfaces.size() == 1 &&
           m_interfaces.first().entry.ip().toIPv4Address() == 0x7F000001;
}

const std::array<quint8, 6> *network::hardwareAddressBytes(int index) const {
    if (index < 0 || size_t(index) >= m_hardwareBytes.size())
        return nullptr;
    return &m_hardwareBytes[size_t(index)];
}

int network::indexForPeer(quint32 peer) const {
    for (int i = 0; i < m_interfaces.size(); ++i) {
        const QNetworkAddressEntry &entry = m_interfaces.at(i).entry;
        if (((peer ^ entry.ip().toIPv4Address()) & entry.netmask().toIPv4Address()) == 0)
            return i;
    }
    return -1;
}

int network::prefixLength(quint32 netmask) {
    int bits = 0;
    while (bits < 32 && (netmask & (0x80000000u >> bits)) != 0)
        ++bits;
    return bits;
}

void network::hardwareAddressToBytes(const QString &text, quint8 out[6]) {
    QString digits = text;
    digits.remove(QLatin1Char(':'));
    for (int k = 0; k < 6; ++k) {
        out[k] = 0;
        for (int pos = 2 * k; pos < 2 * k + 2 && pos < digits.size(); ++pos) {
            const char16_t c = digits.at(pos).unicode();
            if (c >= u'0' && c <= u'9')
                out[k] = quint8((out[k] << 4) + (c - u'0'));
            else if (c >= u'A' && c <= u'F')
                out[k] = quint8((out[k] << 4) + (c - u'A' + 10));
        }
    }
}
