#include "platform/ui/Clock.h"

#include "platform/core/ServiceRegistry.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QVariantAnimation>
#include <algorithm>
#include <limits>

namespace {

class RealClock : public Clock {
public:
    RealClock() { elapsed_.start(); }

    qint64 now() const override { return elapsed_.elapsed(); }

    Handle callAfter(int delayMs, QObject* context, std::function<void()> work) override {
        return startTimer(delayMs, context, std::move(work), true);
    }

    Handle repeatEvery(int intervalMs, QObject* context, std::function<void()> work) override {
        return startTimer(intervalMs, context, std::move(work), false);
    }

    Handle animate(int durationMs, QObject* context, std::function<void(double)> step,
                   std::function<void(bool)> completion, AnimationOptions options) override {
        const Handle handle = next_++;
        auto* animation = new QVariantAnimation();
        animation->setStartValue(0.0);
        animation->setEndValue(1.0);
        animation->setDuration(std::max(durationMs, 1));
        animation->setEasingCurve(options.easing);
        animation->setLoopCount(options.repeat ? -1 : 1);
        auto finishedFlag = std::make_shared<bool>(false);
        auto stepFn = std::make_shared<std::function<void(double)>>(std::move(step));
        QObject::connect(animation, &QVariantAnimation::valueChanged, animation,
                         [stepFn](const QVariant& v) {
                             if (*stepFn)
                                 (*stepFn)(v.toDouble());
                         });
        QObject::connect(animation, &QVariantAnimation::finished, animation,
                         [finishedFlag] { *finishedFlag = true; });
        auto done = std::make_shared<std::function<void(bool)>>(std::move(completion));
        QObject::connect(animation, &QObject::destroyed, [this, handle, finishedFlag, done] {
            objects_.erase(handle);
            if (*done) {
                auto call = std::move(*done);
                *done = nullptr;
                call(*finishedFlag);
            }
        });
        QObject::connect(animation, &QVariantAnimation::finished, animation,
                         [animation] { animation->deleteLater(); });
        if (context)
            QObject::connect(context, &QObject::destroyed, animation, [animation, done] {
                // The context is only partly destroyed here: stop, and report once it is gone.
                auto call = std::move(*done);
                *done = nullptr;
                animation->stop();
                delete animation;
                if (call && QCoreApplication::instance())
                    QMetaObject::invokeMethod(
                        QCoreApplication::instance(), [call] { call(false); },
                        Qt::QueuedConnection);
            });
        objects_[handle] = animation;
        if (options.delayMs > 0) {
            QPointer<QVariantAnimation> guard(animation);
            QTimer::singleShot(options.delayMs, animation, [guard] {
                if (guard)
                    guard->start();
            });
        } else {
            animation->start();
        }
        return handle;
    }

    void cancel(Handle handle) override {
        auto it = objects_.find(handle);
        if (it == objects_.end())
            return;
        QPointer<QObject> object = it->second;
        objects_.erase(it);
        if (object)
            delete object.data();
    }

    bool isActive(Handle handle) const override {
        auto it = objects_.find(handle);
        return it != objects_.end() && it->second;
    }

private:
    Handle startTimer(int ms, QObject* context, std::function<void()> work, bool once) {
        const Handle handle = next_++;
        auto* timer = new QTimer();
        timer->setSingleShot(once);
        timer->setInterval(std::max(ms, 0));
        QObject::connect(timer, &QTimer::timeout, timer, [this, handle, timer, once, work] {
            if (once) {
                objects_.erase(handle);
                timer->deleteLater();
            }
            work();
        });
        if (context)
            QObject::connect(context, &QObject::destroyed, timer, [this, handle, timer] {
                objects_.erase(handle);
                delete timer;
            });
        objects_[handle] = timer;
        timer->start();
        return handle;
    }

    QElapsedTimer elapsed_;
    std::map<Handle, QPointer<QObject>> objects_;
    Handle next_ = 1;
};

} // namespace

Clock& Clock::current() {
    // The registry keeps the clock alive while it is in force.
    return *Services::getOrDefault<Clock, RealClock>();
}

// ---------------------------------------------------------------- manual clock

struct ManualClock::Entry {
    enum Kind { Once, Repeat, Animation } kind = Once;
    qint64 due = 0;       // next firing time
    qint64 start = 0;     // animation start (after its delay)
    int interval = 0;     // repeat interval or animation duration
    quint64 sequence = 0; // order among entries due at the same time
    bool repeatAnimation = false;
    QEasingCurve easing;
    bool hasContext = false;
    QPointer<QObject> context;
    std::function<void()> work;
    std::function<void(double)> step;
    std::function<void(bool)> completion;
};

ManualClock::~ManualClock() = default;

Clock::Handle ManualClock::callAfter(int delayMs, QObject* context, std::function<void()> work) {
    auto entry = std::make_shared<Entry>();
    entry->kind = Entry::Once;
    entry->due = now_ + std::max(delayMs, 0);
    entry->sequence = nextSequence_++;
    entry->hasContext = context != nullptr;
    entry->context = context;
    entry->work = std::move(work);
    const Handle handle = nextHandle_++;
    entries_[handle] = entry;
    return handle;
}

Clock::Handle ManualClock::repeatEvery(int intervalMs, QObject* context,
                                       std::function<void()> work) {
    const Handle handle = callAfter(std::max(intervalMs, 1), context, std::move(work));
    entries_[handle]->kind = Entry::Repeat;
    entries_[handle]->interval = std::max(intervalMs, 1);
    return handle;
}

Clock::Handle ManualClock::animate(int durationMs, QObject* context,
                                   std::function<void(double)> step,
                                   std::function<void(bool)> completion, AnimationOptions options) {
    auto entry = std::make_shared<Entry>();
    entry->kind = Entry::Animation;
    entry->start = now_ + std::max(options.delayMs, 0);
    entry->interval = std::max(durationMs, 0);
    entry->due = entry->start + entry->interval;
    entry->sequence = nextSequence_++;
    entry->repeatAnimation = options.repeat;
    entry->easing = options.easing;
    entry->hasContext = context != nullptr;
    entry->context = context;
    entry->step = std::move(step);
    entry->completion = std::move(completion);
    const Handle handle = nextHandle_++;
    entries_[handle] = entry;
    if (options.delayMs <= 0 && entry->step)
        entry->step(0.0);
    return handle;
}

void ManualClock::cancel(Handle handle) {
    auto it = entries_.find(handle);
    if (it == entries_.end())
        return;
    auto entry = it->second;
    entries_.erase(it);
    if (entry->kind == Entry::Animation && entry->completion)
        entry->completion(false);
}

bool ManualClock::isActive(Handle handle) const {
    return entries_.count(handle) != 0;
}

int ManualClock::pendingCount() const {
    return int(entries_.size());
}

void ManualClock::fire(Handle handle) {
    auto it = entries_.find(handle);
    if (it == entries_.end())
        return;
    auto entry = it->second;
    if (entry->hasContext && !entry->context) {
        entries_.erase(it);
        if (entry->kind == Entry::Animation && entry->completion)
            entry->completion(false);
        return;
    }
    switch (entry->kind) {
    case Entry::Once:
        entries_.erase(it);
        if (entry->work)
            entry->work();
        break;
    case Entry::Repeat:
        entry->due += entry->interval;
        entry->sequence = nextSequence_++;
        if (entry->work)
            entry->work();
        break;
    case Entry::Animation:
        if (entry->repeatAnimation) {
            if (entry->step)
                entry->step(entry->easing.valueForProgress(1.0));
            entry->start = entry->due;
            entry->due = entry->start + std::max(entry->interval, 1);
            entry->sequence = nextSequence_++;
        } else {
            entries_.erase(it);
            if (entry->step)
                entry->step(entry->easing.valueForProgress(1.0));
            if (entry->completion)
                entry->completion(true);
        }
        break;
    }
}

void ManualClock::advance(int ms) {
    const qint64 target = now_ + std::max(ms, 0);
    // An entry whose context is gone is due at once: dropped, or reporting "not finished".
    auto dueOf = [this](const Entry& entry) {
        return entry.hasContext && !entry.context ? now_ : entry.due;
    };
    for (;;) {
        Handle best = 0;
        const Entry* bestEntry = nullptr;
        for (const auto& [handle, entry] : entries_) {
            const qint64 due = dueOf(*entry);
            if (due > target)
                continue;
            if (!bestEntry || due < dueOf(*bestEntry) ||
                (due == dueOf(*bestEntry) && entry->sequence < bestEntry->sequence)) {
                best = handle;
                bestEntry = entry.get();
            }
        }
        if (!bestEntry)
            break;
        now_ = std::max(now_, dueOf(*bestEntry));
        fire(best);
    }
    now_ = target;
    // Animations still running show their progress at the new time.
    std::vector<std::shared_ptr<Entry>> running;
    for (const auto& [handle, entry] : entries_)
        if (entry->kind == Entry::Animation && entry->step && entry->start <= now_ &&
            (!entry->hasContext || entry->context))
            running.push_back(entry);
    for (const auto& entry : running) {
        const double span = std::max(entry->interval, 1);
        entry->step(
            entry->easing.valueForProgress(std::clamp((now_ - entry->start) / span, 0.0, 1.0)));
    }
}

void ManualClock::runUntilIdle(int limitMs) {
    const qint64 limit = now_ + limitMs;
    while (!entries_.empty() && now_ < limit) {
        qint64 nextDue = std::numeric_limits<qint64>::max();
        for (const auto& [handle, entry] : entries_)
            nextDue = std::min(nextDue, entry->due);
        advance(int(std::min(nextDue, limit) - now_));
    }
}

ScopedManualClock::ScopedManualClock()
    : previous_(Services::get<Clock>()) {
    // Installed without ownership: the scope owns its clock.
    Services::set<Clock>(std::shared_ptr<Clock>(std::shared_ptr<Clock>(), &clock_));
}

ScopedManualClock::~ScopedManualClock() {
    Services::set<Clock>(previous_);
}
