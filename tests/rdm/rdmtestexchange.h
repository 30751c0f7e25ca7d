#pragma once

// Short forms for the handler tables: each row is a sequence of request / expected answer
// pairs run against one fresh responder, so a SET is followed by the GET that shows its effect.

#include "rdmtestsupport.h"

#include <QByteArrayList>
#include <QtTest>

namespace RdmTest {

inline QByteArray get(quint16 pid, const QByteArray &data = {}) {
    return request(0x20, pid, data);
}
inline QByteArray set(quint16 pid, const QByteArray &data = {}) {
    return request(0x30, pid, data);
}
inline QByteArray getAck(quint16 pid, const QByteArray &data = {}) {
    return ack(0x20, pid, data);
}
inline QByteArray setAck(quint16 pid, const QByteArray &data = {}) {
    return ack(0x30, pid, data);
}
inline QByteArray getNack(quint16 pid, quint16 reason) {
    return nack(0x20, pid, reason);
}
inline QByteArray setNack(quint16 pid, quint16 reason) {
    return nack(0x30, pid, reason);
}

inline void runExchanges(Fixture &f, const QByteArrayList &exchanges) {
    QVERIFY(exchanges.size() % 2 == 0);
    for (qsizetype i = 0; i < exchanges.size(); i += 2) {
        const QByteArray answer = f.ask(exchanges.at(i));
        if (answer != exchanges.at(i + 1)) {
            qWarning("exchange %lld\n  request  %s\n  answer   %s\n  expected %s", i / 2,
                     exchanges.at(i).toHex(' ').constData(), answer.toHex(' ').constData(),
                     exchanges.at(i + 1).toHex(' ').constData());
            QFAIL("unexpected answer");
        }
    }
}

} // namespace RdmTest
