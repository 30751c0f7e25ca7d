#pragma once

#include <QList>
#include <QNetworkAddressEntry>
#include <QObject>
#include <QString>
#include <QtGlobal>

#include <array>
#include <vector>

// One accepted IPv4 address with the adapter it sits on.
struct InterfaceRecord {
    QNetworkAddressEntry entry;
    // Six hex pairs separated by ":"; "00:00:00:00:00:00" when the platform reports none.
    QString hardwareAddress;
    QString name;
};

// A snapshot of the machine's IPv4 interfaces, taken once at construction and only read
// afterwards, which is why the sACN thread and the GUI thread may read it without a lock.
// Addresses handed out as numbers are in host order (first dotted part = most significant).
class network : public QObject {
    Q_OBJECT
public:
    // Scans QNetworkInterface::allInterfaces(). `debugOutput` non-zero writes the scan's
    // diagnostic lines to standard output.
    explicit network(int debugOutput = 0, QObject *parent = nullptr);
    // Runs the same scan over `candidates` (one per address, carrying its adapter's hardware
    // address and name) instead of the machine's interfaces, so a snapshot can be built
    // without real adapters. Candidates the scan rejects are dropped; an empty or rejected
    // list leaves the loopback fallback record.
    network(const QList<InterfaceRecord> &candidates, const QString &hostName,
            const QString &domainName, int debugOutput = 0, QObject *parent = nullptr);

    QString hostName() const { return m_hostName; }
    QString domainName() const { return m_domainName; }

    // Index -1 is the pseudo-interface "all" (limited broadcast). Callers walk the list with
    // index 0, 1, 2 ... until a call returns false; out-of-range indices give neutral values.
    bool getInterface(int index, InterfaceRecord &out) const;
    bool getBroadcast(int index, quint32 &out) const;
    bool getAddress(int index, quint32 &out) const;
    bool getAddressInfo(int index, quint32 &address, quint32 &netmask, quint32 &broadcast,
                        QString &hardwareAddress) const;
    bool getAddressText(int index, QString &address, QString &name) const;
    bool isEmpty() const { return m_interfaces.isEmpty(); }
    bool isOnlyLoopback() const;

    // The hardware address of record `index` as bytes, parsed once by the scan; null outside
    // the list. For the per-packet RDM paths, which must not allocate.
    const std::array<quint8, 6> *hardwareAddressBytes(int index) const;

    // The first record whose subnet holds `peer` (((peer XOR address) AND netmask) == 0),
    // or -1 when none does.
    int indexForPeer(quint32 peer) const;

    // Consecutive one bits from bit 31 downwards (255.0.255.0 gives 8).
    static int prefixLength(quint32 netmask);
    // "00:1A:2B:3C:4D:5E" -> 00 1A 2B 3C 4D 5E. Only 0-9 and upper-case A-F count; any other
    // character is skipped without shifting, so lower-case letters do not read as hex.
    static void hardwareAddressToBytes(const QString &text, quint8 out[6]);

    static constexpr const char *noHardwareAddress = "00:00:00:00:00:00";

private:
    void scan(const QList<InterfaceRecord> &candidates);
    void append(const InterfaceRecord &record);
    void debug(const QString &line) const;

    int m_debugOutput = 0;
    QString m_hostName;
    QString m_domainName;
    QList<InterfaceRecord> m_interfaces;
    std::vector<std::array<quint8, 6>> m_hardwareBytes; // parallel to m_interfaces
};
