#include "ui_kit/TweenProperty.h"

#include <cmath>

TweenProperty::TweenProperty(double from, double to, double time, QObject* target, Setter setter,
                             Done onDone, QObject* parent)
    : QObject(parent)
    , from_(from)
    , to_(to)
    , time_(time)
    , target_(target)
    , setter_(std::move(setter))
    , onDone_(std::move(onDone)) {}

TweenProperty::~TweenProperty() {
    stop();
}

void TweenProperty::start() {
    stop();
    elapsedTime_ = 0;
    const int intervalMs = std::max(1, int(std::lround(step_ * 1000)));
    timer_ = Clock::current().repeatEvery(intervalMs, this, [this] { update(); });
}

void TweenProperty::stop() {
    cancelTimer();
    ++run_; // drops what this run still has to deliver
}

void TweenProperty::cancelTimer() {
    if (timer_)
        Clock::current().cancel(timer_);
    timer_ = 0;
}

void TweenProperty::deliver(std::function<void()> call) {
    QPointer<TweenProperty> self(this);
    Clock::current().callAfter(0, target_, [self, run = run_, call = std::move(call)] {
        if (self && self->run_ == run)
            call();
    });
}

bool TweenProperty::isRunning() const {
    return timer_ && Clock::current().isActive(timer_);
}

void TweenProperty::update() {
    if (!target_) {
        stop();
        return;
    }
    elapsedTime_ += step_;
    if (elapsedTime_ >= time_) {
        cancelTimer();
        if (onDone_)
            deliver(onDone_);
        return;
    }
    const double fraction = elapsedTime_ / time_;
    const float value = float(from_ * (1 - fraction) + to_ * fraction);
    if (setter_)
        deliver([setter = setter_, value] { setter(value); });
}
