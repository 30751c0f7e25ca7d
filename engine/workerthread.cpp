#include "engine/workerthread.h"

#include <QDebug>
#include <QObject>

QThread *startInThread(QObject *object, const QString &name, QThread::Priority priority) {
    auto *thread = new QThread();
    thread->setObjectName(name);
    QObject::connect(object, &QObject::destroyed, thread, &QThread::quit);
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    object->moveToThread(thread);
    thread->start(priority);
    qDebug() << "thread" << thread << name;
    return thread;
}
