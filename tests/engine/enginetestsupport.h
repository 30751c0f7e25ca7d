#pragma once

// Helpers for the tests that run the engine with its protocol objects.

#include "engine/screenengine.h"
#include "net/artnet.h"
#include "net/network.h"
#include "settings/settingsrecord.h"

#include <QByteArray>
#include <QHostAddress>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QRect>

#include <memory>

namespace EngineTest {

inline InterfaceRecord interface(const char *address, const char *netmask, const char *broadcast,
                                 const char *hardwareAddress, const char *name) {
    InterfaceRecord record;
    record.entry.setIp(QHostAddress(QString::fromLatin1(address)));
    record.entry.setNetmask(QHostAddress(QString::fromLatin1(netmask)));
    record.entry.setBroadcast(QHostAddress(QString::fromLatin1(broadcast)));
    record.hardwareAddress = QString::fromLatin1(hardwareAddress);
    record.name = QString::fromLatin1(name);
    return record;
}

// One Ethernet interface 10.0.0.5/24 "eth0" with hardware address 00:1A:2B:3C:4D:5E, whose
// announced RDM UID is 0000:2B3C4D5E; host name "tessa<n>" counts the snapshots made.
inline ScreenEngine::NetworkFactory oneInterface(int *made = nullptr) {
    return [made] {
        const int n = made ? ++*made : 1;
        return std::make_unique<network>(
            QList<InterfaceRecord>{
                interface("10.0.0.5", "255.255.255.0", "10.0.0.255", "00:1A:2B:3C:4D:5E", "eth0")},
            QStringLiteral("tessa%1").arg(n), QStringLiteral("lan"));
    };
}

inline SettingsRecord settings(bool artnetOn = true, bool sacnOn = true, QSize size = {340, 200}) {
    SettingsRecord record;
    record.SizeX = quint16(size.width());
    record.SizeY = quint16(size.height());
    record.UseArtnet = artnetOn;
    record.UseAcnnet = sacnOn;
    return record;
}

inline QImage paint(ScreenEngine &engine, QSize size = {340, 200}, int renderEngineId = 0) {
    QImage target(size, QImage::Format_RGB32);
    target.fill(Qt::red);
    // As the paint scheduler does before it paints.
    engine.applyStaged();
    QPainter painter(&target);
    engine.paintFrame(painter, QRect(QPoint(0, 0), size), renderEngineId);
    return target;
}

// Records what the Art-Net node would send.
class Recorder : public ArtNetTransmitter {
public:
    void sendDatagram(const QByteArray &datagram, const QHostAddress &) override {
        sent.append(datagram);
    }
    QList<QByteArray> sent;
};

inline void feed(artnet &node, const QByteArray &datagram, const char *sender = "10.0.0.9") {
    node.handleDatagram(artnetpackets::Bytes(reinterpret_cast<const quint8 *>(datagram.constData()),
                                             size_t(datagram.size())),
                        QHostAddress(QString::fromLatin1(sender)));
}

// The Art-Net header: ID "Art-Net\0", OpCode (little-endian), ProtVer 14 (big-endian).
inline QByteArray artHeader(quint16 opCode) {
    QByteArray p("Art-Net", 8);
    p.append(char(opCode & 0xFF)).append(char(opCode >> 8));
    p.append(char(0)).append(char(14));
    return p;
}

inline QByteArray artPoll() {
    QByteArray p = artHeader(0x2000);
    p.append(char(0x00)); // 12: Flags
    p.append(char(0x00)); // 13: DiagPriority
    return p;
}

inline QByteArray artDmx(quint16 portAddress, const QByteArray &levels) {
    QByteArray p = artHeader(0x5000);
    p.append(char(0));                         // 12: Sequence (off)
    p.append(char(0));                         // 13: Physical
    p.append(char(portAddress & 0xFF));        // 14: SubUni (low byte of the Port-Address)
    p.append(char((portAddress >> 8) & 0x7F)); // 15: Net
    p.append(char(levels.size() >> 8));        // 16: LengthHi
    p.append(char(levels.size() & 0xFF));      // 17: Length
    p.append(levels);                          // 18: Data
    return p;
}

inline QByteArray artRdm(quint16 portAddress, const QByteArray &rdmWithoutStartCode) {
    QByteArray p = artHeader(0x8300);
    p.append(char(0x01));                      // 12: RdmVer
    p.append(char(0x00));                      // 13: Filler2
    p.append(QByteArray(7, '\0'));             // 14: Spare1 ... Spare7
    p.append(char((portAddress >> 8) & 0x7F)); // 21: Net
    p.append(char(0x00));                      // 22: Command (ArProcess)
    p.append(char(portAddress & 0xFF));        // 23: Address
    p.append(rdmWithoutStartCode);             // 24: RDM packet from its Sub-START code
    return p;
}

// A zero-padded text field of an Art-Net reply.
inline QByteArray field(const QByteArray &datagram, int offset, int width) {
    QByteArray text = datagram.mid(offset, width);
    return text.left(text.indexOf('\0') < 0 ? text.size() : text.indexOf('\0'));
}

} // namespace EngineTest
