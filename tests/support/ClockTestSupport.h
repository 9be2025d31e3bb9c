#pragma once

#include "platform/ui/Clock.h"
#include "platform/ui/ViewController.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

// Runs the event loop and steps the manual clock by stepMs until the condition holds; false
// when about ten seconds of real time pass first.
inline bool waitOnClock(ManualClock& clock, const std::function<bool()>& condition,
                        int stepMs = 50) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > 10000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        clock.advance(stepMs);
    }
    return true;
}

// Steps the manual clock through `rounds` screen transitions, running events and deferred
// deletions after each, so animations and dismissed screens finish.
inline void settleTransitions(ManualClock& clock, int rounds) {
    for (int i = 0; i < rounds; ++i) {
        clock.advance(ViewController::kTransitionMs);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
