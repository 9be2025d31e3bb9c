#include "SDK/session/SessionTimer.h"

#include "SDK/session/SessionExpiry.h"
#include "SDK/session/User.h"

#include <QMutex>
#include <limits>

SessionTimer::SessionTimer() {
    resetTimer();
}

SessionTimer& SessionTimer::instance() {
    static QMutex lock;
    static SessionTimer* shared = nullptr;
    QMutexLocker locker(&lock);
    if (!shared)
        shared = new SessionTimer();
    return *shared;
}

void SessionTimer::resetTimer() {
    if (clock_ && timer_)
        clock_->cancel(timer_);
    clock_ = nullptr;
    timer_ = 0;
    intervalMs_ = 0;
    const int timeout = User::instance().sessionTimeout();
    if (timeout <= 0)
        return;
    const qint64 ms = qint64(timeout) * 1000;
    intervalMs_ = int(std::min<qint64>(ms, std::numeric_limits<int>::max()));
    clock_ = &Clock::current();
    timer_ = clock_->callAfter(intervalMs_, this, [this] { sessionExpired(); });
}

void SessionTimer::setDelegate(SessionTimerDelegate* delegate) {
    delegate_ = delegate;
    auto* object = dynamic_cast<QObject*>(delegate);
    delegateObject_ = object;
    delegateTracked_ = object != nullptr;
    if (!isRunning() && User::instance().sessionTimeout() > 0)
        sessionExpired();
}

SessionTimerDelegate* SessionTimer::delegate() const {
    if (delegateTracked_ && delegateObject_.isNull())
        return nullptr;
    return delegate_;
}

void SessionTimer::removeDelegate(SessionTimerDelegate* delegate) {
    if (delegate_ != delegate)
        return;
    delegate_ = nullptr;
    delegateObject_ = nullptr;
    delegateTracked_ = false;
}

void SessionTimer::sessionExpired() {
    if (SessionTimerDelegate* d = delegate()) {
        if (d->sessionExpiredFromTimer())
            return;
        if (d->sessionExpired())
            return;
    }
    SessionExpiry::expire();
}

bool SessionTimer::isRunning() const {
    return clock_ && timer_ && clock_->isActive(timer_);
}

int SessionTimer::intervalMs() const {
    return isRunning() ? intervalMs_ : 0;
}
