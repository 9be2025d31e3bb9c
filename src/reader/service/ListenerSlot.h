#pragma once

#include "platform/ui/Clock.h"
#include "reader/service/WeakRef.h"

#include <QObject>
#include <functional>

// The one listener of a reader-side object and the queue of calls to it. A posted call runs
// on the main thread through the Clock after its delay, never inside the call that posted it,
// and only while the same listener is still set and alive: setting another listener, or none,
// drops every call still queued. Main-thread use only.
template <class Listener> class ListenerSlot {
public:
    void set(Listener* listener) {
        listener_ = WeakRef<Listener>(listener);
        ++generation_;
    }
    Listener* get() const { return listener_.get(); }
    // Changes with every set(); a call made for one generation is dropped in another.
    quint64 generation() const { return generation_; }

    // Queues a call to the listener.
    void post(int delayMs, std::function<void(Listener&)> call) {
        const quint64 generation = generation_;
        Clock::current().callAfter(delayMs, &context_, [this, generation, call = std::move(call)] {
            if (generation != generation_)
                return;
            if (Listener* listener = listener_.get())
                call(*listener);
        });
    }

    // Queues a completion handed in by the listener's owner; dropped with the listener.
    void postCompletion(int delayMs, std::function<void()> completion) {
        if (!completion)
            return;
        const quint64 generation = generation_;
        Clock::current().callAfter(delayMs, &context_,
                                   [this, generation, completion = std::move(completion)] {
                                       if (generation == generation_ && listener_.get())
                                           completion();
                                   });
    }

private:
    WeakRef<Listener> listener_;
    quint64 generation_ = 0;
    QObject context_;
};
