#include "ui_kit/CustomActivityView/IndeterminateProgressBarView.h"

#include "platform/ui/View.h"

IndeterminateProgressBarView::IndeterminateProgressBarView(const QRect& frame, QWidget* parent)
    : QWidget(parent) {
    setGeometry(frame);
    setup();
}

IndeterminateProgressBarView* IndeterminateProgressBarView::progressBar() {
    return new IndeterminateProgressBarView(QRect(0, 0, 240, 3));
}

void IndeterminateProgressBarView::setup() {
    // Children never draw outside their parent, so the segments show only while crossing.
    view1_ = addViewWithAlphaLength(0.3, 1.0);
    view2_ = addViewWithAlphaLength(1.0, 0.6);
    view3_ = addViewWithAlphaLength(1.0, 0.6);
    setColor(QColor(180, 180, 180));
}

QWidget* IndeterminateProgressBarView::addViewWithAlphaLength(double alpha, double length) {
    auto* view = new QWidget(this);
    view->setGeometry(0, 0, int(width() * length), height());
    View::setBackgroundColor(view, color_);
    View::setAlpha(view, alpha);
    view->raise();
    view->show();
    return view;
}

void IndeterminateProgressBarView::setColor(const QColor& color) {
    color_ = color;
    for (QWidget* view : {view1_.data(), view2_.data(), view3_.data()})
        View::setBackgroundColor(view, color);
}

void IndeterminateProgressBarView::startAnimations() {
    stopAnimations();
    moveViewFromToInSecondsDelay(view2_, -1.3, 1.3, 2.6, 1.3);
    moveViewFromToInSecondsDelay(view3_, -1.3, 1.3, 2.6, 0);
}

void IndeterminateProgressBarView::stopAnimations() {
    for (Clock::Handle* handle : {&anim2_, &anim3_})
        if (*handle) {
            const Clock::Handle h = *handle;
            *handle = 0;
            Clock::current().cancel(h);
        }
}

void IndeterminateProgressBarView::moveViewFromToInSecondsDelay(QWidget* view, double from,
                                                                double to, double seconds,
                                                                double delay) {
    if (!view)
        return;
    const int w = width();
    view->move(int(w * from), view->y());
    QPointer<QWidget> guard(view);
    Clock::AnimationOptions options;
    options.delayMs = int(delay * 1000);
    options.repeat = true;
    const Clock::Handle handle = Clock::current().animate(
        int(seconds * 1000), view,
        [guard, w, from, to](double progress) {
            if (guard)
                guard->move(int(w * (from + (to - from) * progress)), guard->y());
        },
        {}, options);
    if (view == view2_)
        anim2_ = handle;
    else if (view == view3_)
        anim3_ = handle;
}

void IndeterminateProgressBarView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    startAnimations();
}

void IndeterminateProgressBarView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    stopAnimations();
}
