#include "ui_kit/DelayedCalls.h"

#include <iterator>

void DelayedCalls::perform(const QString& name, int delayMs, std::function<void()> work) {
    Clock& clock = Clock::current();
    if (clock_ != &clock) {
        handles_.clear(); // calls left on another clock are not ours to cancel any more
        clock_ = &clock;
    }
    auto handle = std::make_shared<Clock::Handle>(0);
    *handle = clock.callAfter(delayMs, owner_, [this, name, handle, work = std::move(work)] {
        auto range = handles_.equal_range(name);
        for (auto it = range.first; it != range.second; ++it)
            if (it->second == *handle) {
                handles_.erase(it);
                break;
            }
        if (work)
            work();
    });
    handles_.emplace(name, *handle);
}

void DelayedCalls::cancel(const QString& name) {
    auto range = handles_.equal_range(name);
    for (auto it = range.first; it != range.second; ++it)
        if (clock_ == &Clock::current())
            clock_->cancel(it->second);
    handles_.erase(range.first, range.second);
}

void DelayedCalls::cancelAll() {
    if (clock_ == &Clock::current())
        for (const auto& [name, handle] : handles_)
            clock_->cancel(handle);
    handles_.clear();
}

int DelayedCalls::pending(const QString& name) const {
    return int(handles_.count(name));
}
