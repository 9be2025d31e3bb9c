#pragma once

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <functional>

// The main (GUI) thread runs all logic; other threads hand their results over with these.
namespace MainThread {

inline bool isCurrent() {
    return QCoreApplication::instance() &&
           QThread::currentThread() == QCoreApplication::instance()->thread();
}

// Queues the work on the main thread's event loop, even when called from the main thread.
inline void post(std::function<void()> work) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(work), Qt::QueuedConnection);
}

// Queues the work for a receiver; it is dropped if the receiver is gone by then.
inline void post(QObject* receiver, std::function<void()> work) {
    QMetaObject::invokeMethod(receiver, std::move(work), Qt::QueuedConnection);
}

} // namespace MainThread
