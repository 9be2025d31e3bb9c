#pragma once

#include "platform/ui/Clock.h"

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>

// An object's delayed calls of its own operations, on the Clock, cancelled by the operation's
// name: every pending call of that name at once. Calls are dropped when the owner goes away.
class DelayedCalls {
public:
    explicit DelayedCalls(QObject* owner)
        : owner_(owner) {}
    DelayedCalls(const DelayedCalls&) = delete;
    DelayedCalls& operator=(const DelayedCalls&) = delete;

    void perform(const QString& name, int delayMs, std::function<void()> work);
    void cancel(const QString& name);
    void cancelAll();
    int pending(const QString& name) const;

private:
    QObject* owner_;
    Clock* clock_ = nullptr; // the clock the pending calls wait on
    std::multimap<QString, Clock::Handle> handles_;
};
