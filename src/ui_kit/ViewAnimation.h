#pragma once

#include "platform/ui/Clock.h"

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>
#include <vector>

// Frame and alpha changes of several widgets animated together on the Clock, with one
// completion: the way a view animates its pictures. Each change starts from the value the
// widget has when the animation starts (or, with a delay, when it is asked for).
//
//   ViewAnimation().frame(reader, target).alpha(badge, 0).start(this, 350, [](bool finished) {});
class ViewAnimation {
public:
    ViewAnimation& frame(QWidget* view, const QRect& to);
    // The frame moved to the point, its size kept.
    ViewAnimation& origin(QWidget* view, const QPoint& to);
    ViewAnimation& alpha(QWidget* view, double to);

    // Runs the changes over the duration after the delay. The completion runs once: with true
    // at the end; with false when the animation was removed (removeAllAnimations) or the
    // context went away first. Animations of no change still take their time.
    void start(QObject* context, int durationMs, std::function<void(bool finished)> completion = {},
               int delayMs = 0);

    // Ends every running animation that changes the view: all its changes take their end values
    // at once, and its completion gets false on the clock's next turn, never inside this call.
    static void removeAllAnimations(QWidget* view);
    static bool isAnimating(const QWidget* view);
    // Moves the view, and the frames its running animations go from and to, by the offset (as
    // when the room around the view changed size).
    static void translate(QWidget* view, const QPoint& offset);

    // Whether the view is in a shown window: it and every widget above it are on screen. A
    // view that is not starts no new animation loop.
    static bool isInWindow(const QWidget* view);

    struct Change {
        QPointer<QWidget> view;
        bool isFrame = true;
        QRect fromFrame;
        QRect toFrame;
        double fromAlpha = 1;
        double toAlpha = 1;
    };

private:
    std::vector<Change> changes_;
};
