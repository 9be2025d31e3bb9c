#pragma once

#include "platform/ui/Clock.h"

#include <QColor>
#include <QPointer>
#include <QWidget>

// A thin bar across which two segments slide without end while it is on screen.
class IndeterminateProgressBarView : public QWidget {
    Q_OBJECT
public:
    explicit IndeterminateProgressBarView(const QRect& frame, QWidget* parent = nullptr);
    // A bar of 240 x 3.
    static IndeterminateProgressBarView* progressBar();

    QColor color() const { return color_; }
    void setColor(const QColor& color);
    QWidget* view1() const { return view1_; }
    QWidget* view2() const { return view2_; }
    QWidget* view3() const { return view3_; }

    void startAnimations();
    void stopAnimations();
    // Moves the view from start to end (fractions of the bar's width), over and over.
    void moveViewFromToInSecondsDelay(QWidget* view, double from, double to, double seconds,
                                      double delay);
    bool isAnimating() const { return anim2_ || anim3_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void setup();
    QWidget* addViewWithAlphaLength(double alpha, double length);
    QColor color_;
    QPointer<QWidget> view1_;
    QPointer<QWidget> view2_;
    QPointer<QWidget> view3_;
    Clock::Handle anim2_ = 0;
    Clock::Handle anim3_ = 0;
};
