#pragma once

// Framing of RDM test messages: the tests' own code, checked against literal messages in
// tst_rdmmessage, so handler tests compare whole byte strings without trusting the
// responder's builder.

#include <QByteArray>

namespace RdmTest {

// Hex text to bytes; blanks and "|" only structure the text.
inline QByteArray hex(const char *text) {
    return QByteArray::fromHex(QByteArray(text));
}

inline QByteArray withChecksum(QByteArray message) {
    quint16 sum = 0xCC; // the START code counts although it is not carried
    for (char c : message)
        sum = quint16(sum + quint8(c));
    message.append(char(sum >> 8)).append(char(sum & 0xFF));
    return message;
}

inline QByteArray uidBytes(quint16 manufacturer, quint32 device) {
    QByteArray b;
    b.append(char(manufacturer >> 8)).append(char(manufacturer));
    for (int shift = 24; shift >= 0; shift -= 8)
        b.append(char(device >> shift));
    return b;
}

inline constexpr quint16 controllerManufacturer = 0x7A70;
inline constexpr quint32 controllerDevice = 0x12345678;
inline constexpr quint16 ownManufacturer = 0x0000;
inline constexpr quint32 ownDevice = 0x2B3C4D5E; // from hardware address 00:1A:2B:3C:4D:5E
inline constexpr quint8 transaction = 0x05;

struct Message {
    quint8 commandClass = 0x20;
    quint16 pid = 0;
    QByteArray data;
    quint16 subDevice = 0;
    quint16 destinationManufacturer = ownManufacturer;
    quint32 destinationDevice = ownDevice;
    quint8 portId = 0x01;
};

// A request from the controller 7A70:12345678, transaction 5.
inline QByteArray request(const Message &m) {
    QByteArray b;
    b.append(char(0x01));               // Sub-START code
    b.append(char(24 + m.data.size())); // message length
    b.append(uidBytes(m.destinationManufacturer, m.destinationDevice));
    b.append(uidBytes(controllerManufacturer, controllerDevice)); // source UID
    b.append(char(transaction));
    b.append(char(m.portId));
    b.append(char(0x00)); // message count
    b.append(char(m.subDevice >> 8)).append(char(m.subDevice));
    b.append(char(m.commandClass));
    b.append(char(m.pid >> 8)).append(char(m.pid));
    b.append(char(m.data.size())); // PDL
    b.append(m.data);
    return withChecksum(b);
}

inline QByteArray request(quint8 commandClass, quint16 pid, const QByteArray &data = {}) {
    return request(Message{commandClass, pid, data});
}

// Our answer to such a request: UIDs swapped, command class + 1.
inline QByteArray response(quint8 responseType, quint8 commandClass, quint16 pid,
                           const QByteArray &data = {}, quint16 subDevice = 0) {
    QByteArray b;
    b.append(char(0x01));
    b.append(char(24 + data.size()));
    b.append(uidBytes(controllerManufacturer, controllerDevice)); // destination
    b.append(uidBytes(ownManufacturer, ownDevice));               // source
    b.append(char(transaction));
    b.append(char(responseType));
    b.append(char(0x00));
    b.append(char(subDevice >> 8)).append(char(subDevice));
    b.append(char(commandClass));
    b.append(char(pid >> 8)).append(char(pid));
    b.append(char(data.size()));
    b.append(data);
    return withChecksum(b);
}

inline QByteArray ack(quint8 requestClass, quint16 pid, const QByteArray &data = {}) {
    return response(0x00, quint8(requestClass + 1), pid, data);
}
inline QByteArray nack(quint8 requestClass, quint16 pid, quint16 reason, quint16 subDevice = 0) {
    QByteArray r;
    r.append(char(reason >> 8)).append(char(reason));
    return response(0x02, quint8(requestClass + 1), pid, r, subDevice);
}

// Latin-1 text padded with zero bytes to `width`.
inline QByteArray text(const QByteArray &t, int width = 32) {
    QByteArray b = t.left(width);
    b.append(QByteArray(width - b.size(), '\0'));
    return b;
}

} // namespace RdmTest
