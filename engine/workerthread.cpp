#include "engine/workerthread.h"

#include <QDebug>
#include <QObject>

QThread *startInThread(QObject *object, const QString &name, QThread::Priority priority) {
    auto *thread = new QThread();
    thread->setObjectName(name);
    // Direct: the object dies inside the thread, and the owner may be blocked in wait() on the
    // GUI thread, where a queued quit would never be delivered.
    QObject::connect(object, &QObject::destroyed, thread, &QThread::quit, Qt::DirectConnection);
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    object->moveToThread(thread);
    thread->start(priority);
    qDebug() << "thread" << thread << name;
    return thread;
}
