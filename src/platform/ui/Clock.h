#pragma once

#include <QEasingCurve>
#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>

// The one source of time for timers, delayed calls and animations. The real clock runs on Qt's
// timers and animations; tests install a ManualClock through Services and move time on with
// advance().
class Clock {
public:
    using Handle = quint64;

    struct AnimationOptions {
        int delayMs = 0;
        bool repeat = false; // starts over without end until cancelled
        QEasingCurve easing = QEasingCurve::Linear;
    };

    virtual ~Clock() = default;

    // The clock in force: the one installed with Services::set<Clock>(), else the real one.
    static Clock& current();

    // Milliseconds since the clock began.
    virtual qint64 now() const = 0;

    // Runs the work once after the delay. The call is dropped when the context object is
    // destroyed first. The handle can cancel it.
    virtual Handle callAfter(int delayMs, QObject* context, std::function<void()> work) = 0;
    // Runs the work every interval until cancelled or the context is destroyed.
    virtual Handle repeatEvery(int intervalMs, QObject* context, std::function<void()> work) = 0;
    // Runs step with the eased progress 0..1 over the duration, then completion(true). An
    // animation cancelled early reports completion(false). One whose context is destroyed stops
    // at once (no further step) and reports completion(false) only after the context is gone,
    // from the event loop (the manual clock: at its next advance), so the completion never
    // reaches a half-destroyed object.
    virtual Handle animate(int durationMs, QObject* context, std::function<void(double)> step,
                           std::function<void(bool finished)> completion,
                           AnimationOptions options) = 0;
    Handle animate(int durationMs, QObject* context, std::function<void(double)> step,
                   std::function<void(bool finished)> completion = {}) {
        return animate(durationMs, context, std::move(step), std::move(completion), {});
    }
    // Cancels a delayed call, repeating timer or animation; unknown handles are ignored.
    virtual void cancel(Handle handle) = 0;
    virtual bool isActive(Handle handle) const = 0;
};

// A clock that only moves when told. Everything due runs in order of its due time, then of
// scheduling; work scheduled while advancing runs in the same advance when it falls due.
class ManualClock : public Clock {
public:
    ManualClock() = default;
    ~ManualClock() override;

    void advance(int ms);
    // Advances until nothing is pending or the limit is reached (repeating entries never end).
    void runUntilIdle(int limitMs = 60000);
    int pendingCount() const;

    qint64 now() const override { return now_; }
    Handle callAfter(int delayMs, QObject* context, std::function<void()> work) override;
    Handle repeatEvery(int intervalMs, QObject* context, std::function<void()> work) override;
    using Clock::animate;
    Handle animate(int durationMs, QObject* context, std::function<void(double)> step,
                   std::function<void(bool finished)> completion,
                   AnimationOptions options) override;
    void cancel(Handle handle) override;
    bool isActive(Handle handle) const override;

private:
    struct Entry;
    void fire(Handle handle);
    std::map<Handle, std::shared_ptr<Entry>> entries_;
    qint64 now_ = 0;
    Handle nextHandle_ = 1;
    quint64 nextSequence_ = 1;
};

// Installs a manual clock for a scope and puts the previous clock back afterwards.
class ScopedManualClock {
public:
    ScopedManualClock();
    ~ScopedManualClock();
    ManualClock& clock() { return clock_; }
    ManualClock* operator->() { return &clock_; }

private:
    ManualClock clock_;
    std::shared_ptr<Clock> previous_;
};
