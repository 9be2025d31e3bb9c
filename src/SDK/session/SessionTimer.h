#pragma once

#include "platform/ui/Clock.h"

#include <QObject>
#include <QPointer>

// Told when the session's time is up. Both operations are optional: one that is not handled
// answers false.
class SessionTimerDelegate {
public:
    virtual ~SessionTimerDelegate() = default;
    virtual bool sessionExpired() { return false; }
    virtual bool sessionExpiredFromTimer() { return false; }
};

// Ends the merchant's session User::sessionTimeout seconds after it was last armed (0: never).
// One timer for the whole process, on the main thread's event loop (through Clock, so tests can
// move time on by hand).
class SessionTimer : public QObject {
    Q_OBJECT
public:
    // The shared timer; armed when first made.
    static SessionTimer& instance();

    // Stops the running timer and arms a new one when the time-out is positive.
    void resetTimer();
    // Registers the object to tell (not owned; a QObject delegate is dropped once destroyed).
    // When no timer runs and the time-out is positive, the expiry is delivered at once.
    void setDelegate(SessionTimerDelegate* delegate);
    SessionTimerDelegate* delegate() const;
    // Forgets the delegate when it is the registered one (for delegates going away).
    void removeDelegate(SessionTimerDelegate* delegate);
    // The expiry: the delegate is told, else the session is expired here.
    void sessionExpired();

    // True while an armed timer has neither fired nor been stopped.
    bool isRunning() const;
    // Milliseconds of the running timer; 0 when none runs.
    int intervalMs() const;

private:
    SessionTimer();
    Clock* clock_ = nullptr;
    Clock::Handle timer_ = 0;
    int intervalMs_ = 0;
    SessionTimerDelegate* delegate_ = nullptr;
    QPointer<QObject> delegateObject_;
    bool delegateTracked_ = false;
};
