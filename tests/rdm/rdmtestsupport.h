#pragma once

// A responder set up the way the display engine sets it up at start-up.

#include "net/network.h"
#include "rdm/configurator.h"
#include "rdm/devicemodelsetup.h"
#include "rdm/rdm.h"
#include "rdm/sensorinfo.h"
#include "rdmtestframing.h"

#include <QByteArray>
#include <QDateTime>
#include <QHostAddress>
#include <QNetworkAddressEntry>
#include <QObject>

namespace RdmTest {

inline QList<InterfaceRecord> oneInterface() {
    InterfaceRecord r;
    r.entry.setIp(QHostAddress(QStringLiteral("192.168.1.20")));
    r.entry.setNetmask(QHostAddress(QStringLiteral("255.255.255.0")));
    r.entry.setBroadcast(QHostAddress(QStringLiteral("192.168.1.255")));
    r.hardwareAddress = QStringLiteral("00:1A:2B:3C:4D:5E");
    r.name = QStringLiteral("eth0");
    return {r};
}

// The model filled as the engine fills it at start-up.
inline void fillStartupModel(Configurator &m, const network &net, quint16 footprint,
                             const QDateTime &start) {
    DeviceModelStart values;
    values.footprint = footprint;
    values.language = 0x656E;
    values.startTime = start;
    values.powerCycles = 17;
    values.preset = 0;
    fillDeviceModel(m, values, &net);
    m.slotSetResetFactoryDefaults();
}

// A responder set up like the engine sets it up, on a computer with the single address
// 192.168.1.20/24 and 8 GiB of memory, started at noon on 15 March 2024 (UTC).
struct Fixture {
    explicit Fixture(quint16 footprint = 512) { fillStartupModel(model, net, footprint, now); }

    QByteArray ask(const QByteArray &message) {
        return responder.handleRequest(message, RdmUid{ownManufacturer, ownDevice}).toByteArray();
    }

    QDateTime now = QDateTime(QDate(2024, 3, 15), QTime(12, 0), Qt::UTC);
    Configurator model{[this] { return now; }};
    SensorInfo sensors{
        [] { return QByteArray("MemTotal: 8388608 kB\nMemAvailable: 4194304 kB\n"); }};
    network net{oneInterface(), QStringLiteral("tessahost"), QStringLiteral("example.org")};
    rdm responder{&model, &sensors, &net};
};

} // namespace RdmTest
