#pragma once

#include "platform/ui/Clock.h"

#include <QObject>
#include <QPointer>
#include <functional>

// Moves a number from `from` to `to` over `time` seconds, linearly, on the Clock: every `step`
// (1/30 s) the elapsed time grows by `step`; while it is below `time` the setter gets the value
// at that fraction, as a float, on a zero-delay Clock call; the tick that reaches `time` stops
// the tween and schedules onDone the same way, with no value. So 0.1 s from 0 to 3 gives 1, 2,
// then onDone; a duration not above one step gives onDone only.
//
// The target only bounds the tween's life: once it is destroyed nothing more is delivered and
// the tween stops. Make the tween a child of the target (or keep it) for as long as it runs.
class TweenProperty : public QObject {
    Q_OBJECT
public:
    using Setter = std::function<void(float value)>;
    using Done = std::function<void()>;

    static constexpr double kStep = 1.0 / 30.0;

    TweenProperty(double from, double to, double time, QObject* target, Setter setter,
                  Done onDone = {}, QObject* parent = nullptr);
    ~TweenProperty() override;

    // Starts over from the beginning; a running tween keeps one timer.
    void start();
    // Stops at once: no further value and no onDone, not even one already scheduled.
    void stop();
    // One tick.
    void update();
    bool isRunning() const;

    double from() const { return from_; }
    void setFrom(double from) { from_ = from; }
    double to() const { return to_; }
    void setTo(double to) { to_ = to; }
    double time() const { return time_; }
    void setTime(double time) { time_ = time; }
    QObject* target() const { return target_; }
    void setTarget(QObject* target) { target_ = target; }
    Setter setter() const { return setter_; }
    void setSetter(Setter setter) { setter_ = std::move(setter); }
    Done onDone() const { return onDone_; }
    void setOnDone(Done onDone) { onDone_ = std::move(onDone); }
    double elapsedTime() const { return elapsedTime_; }
    void setElapsedTime(double elapsed) { elapsedTime_ = elapsed; }
    double step() const { return step_; }
    void setStep(double step) { step_ = step; }

private:
    void cancelTimer();
    // Calls on the next turn, unless the target is gone or the tween was stopped or restarted.
    void deliver(std::function<void()> call);

    double from_;
    double to_;
    double time_;
    QPointer<QObject> target_;
    Setter setter_;
    Done onDone_;
    double elapsedTime_ = 0;
    double step_ = kStep;
    Clock::Handle timer_ = 0;
    quint64 run_ = 0;
};
