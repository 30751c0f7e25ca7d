#pragma once

#include <QString>
#include <QThread>

class QObject;

// Moves `object` (which must have no parent) into a new thread named `name` and starts it with
// `priority`. Deleting the object (deleteLater from its thread) quits the thread, and the
// finished thread deletes itself through the event loop of the thread that called this; an
// owner that cannot wait for that loop may wait() for the thread and delete it itself.
QThread *startInThread(QObject *object, const QString &name, QThread::Priority priority);
