#include "SDK/SessionTimer.h"

#include "SDK/LoginHelper.h"
#include "SDK/User.h"

#include <QMutex>
#include <QTimer>

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
    if (timer_) {
        timer_->stop();
        timer_->deleteLater();
        timer_ = nullptr;
    }
    const int timeout = User::instance().sessionTimeout();
    if (timeout <= 0)
        return;
    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    timer_->setTimerType(Qt::CoarseTimer);
    const qint64 ms = qint64(timeout) * 1000;
    timer_->setInterval(int(std::min<qint64>(ms, std::numeric_limits<int>::max())));
    connect(timer_, &QTimer::timeout, this, &SessionTimer::sessionExpired);
    timer_->start();
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
    LoginHelper helper;
    helper.expireSession();
}

bool SessionTimer::isRunning() const {
    return timer_ && timer_->isActive();
}

int SessionTimer::intervalMs() const {
    return isRunning() ? timer_->interval() : 0;
}
