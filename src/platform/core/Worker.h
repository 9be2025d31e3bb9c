#pragma once

#include "platform/core/MainThread.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>
#include <type_traits>
#include <utility>

// Work off the main thread, beside MainThread's hop back to it: the work runs on a thread of
// Qt's global pool; its result is handed to resultOnMain on the main thread, but only while the
// context object lives (no context: always). The work must not read state the main thread
// changes: take what it needs by value when the work is made.
namespace Worker {

template <class Work, class ResultOnMain>
void run(Work work, ResultOnMain resultOnMain, QObject* context = nullptr) {
    using Result = std::invoke_result_t<Work&>;
    const bool watched = context != nullptr;
    QPointer<QObject> guard(context);
    QThreadPool::globalInstance()->start(
        [work = std::move(work), resultOnMain = std::move(resultOnMain), watched, guard]() mutable {
            Result result = work();
            if (!QCoreApplication::instance())
                return;
            MainThread::post([resultOnMain = std::move(resultOnMain), result = std::move(result),
                              watched, guard]() mutable {
                if (!watched || guard)
                    resultOnMain(std::move(result));
            });
        });
}

} // namespace Worker
