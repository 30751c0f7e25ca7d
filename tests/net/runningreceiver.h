#pragma once

#include "net/acnnet.h"
#include "net/framestore.h"
#include "net/network.h"

#include <QByteArray>
#include <QThread>

// The sACN receiver in its own high-priority thread, as the engine runs it.
struct RunningReceiver {
    explicit RunningReceiver(network *net) : receiver(new acnnet(net)) {
        thread.setObjectName(QStringLiteral("sACN"));
        receiver->moveToThread(&thread);
        thread.start(QThread::HighPriority);
    }
    ~RunningReceiver() {
        QObject::connect(receiver, &QObject::destroyed, &thread, &QThread::quit,
                         Qt::DirectConnection);
        receiver->deleteLater();
        thread.wait();
    }
    QThread thread;
    acnnet *receiver;
};

// The store's bytes as the painter would read them.
inline QByteArray frame(FrameStore &store) {
    QByteArray bytes;
    store.snapshot(bytes);
    return bytes;
}
