#include "ui_kit/CustomActivityView/CustomActivitySpinnerView.h"

#include "ui_kit/CustomActivityView/ActivityIndicatorCircleStrokeSpinAnimation.h"

#include <QPainter>

CustomActivitySpinnerView::CustomActivitySpinnerView(const QColor& tintColor, double size,
                                                     QWidget* parent)
    : QWidget(parent)
    , size_(size > 0 ? uint(size) : 0)
    , spinnerColor_(tintColor) {
    setFixedSize(int(size_), int(size_));
    setAttribute(Qt::WA_TranslucentBackground);
    setupAnimation();
}

CustomActivitySpinnerView::~CustomActivitySpinnerView() {
    if (run_)
        Clock::current().cancel(run_);
}

void CustomActivitySpinnerView::setSpinnerColor(const QColor& color) {
    spinnerColor_ = color;
    if (shape_)
        shape_->setupAnimationInLayerWithSizeTintColorAndStrokeWidth(
            QSizeF(size_, size_), spinnerColor_, strokeWithForSizeClass(size_));
    update();
}

double CustomActivitySpinnerView::strokeWithForSizeClass(uint size) {
    switch (size) {
    case 20:
        return 1.0;
    case 34:
        return 1.5;
    case 68:
        return 2.0;
    default:
        return 1.5; // other sizes draw with the shape's own width
    }
}

void CustomActivitySpinnerView::removeShapeLayer() {
    delete shape_.data();
    shape_ = nullptr;
    update();
}

void CustomActivitySpinnerView::setupAnimation() {
    removeShapeLayer();
    shape_ = new ActivityIndicatorCircleStrokeSpinAnimation(this);
    shape_->setupAnimationInLayerWithSizeTintColorAndStrokeWidth(
        QSizeF(size_, size_), spinnerColor_, strokeWithForSizeClass(size_));
    // Paused: the layer's speed is 0 until started.
    if (run_) {
        Clock::current().cancel(run_);
        run_ = 0;
    }
    animating_ = false;
    update();
}

void CustomActivitySpinnerView::startAnimating() {
    if (!shape_)
        setupAnimation();
    animating_ = true;
    if (run_)
        return;
    resumeFromMs_ = cycleMs_;
    const int cycle = ActivityIndicatorCircleStrokeSpinAnimation::kCycleMs;
    Clock::AnimationOptions options;
    options.repeat = true;
    run_ = Clock::current().animate(
        cycle, this,
        [this, cycle](double progress) {
            cycleMs_ = (resumeFromMs_ + int(progress * cycle)) % cycle;
            update();
        },
        {}, options);
}

void CustomActivitySpinnerView::stopAnimating() {
    animating_ = false;
    if (run_) {
        const Clock::Handle handle = run_;
        run_ = 0;
        Clock::current().cancel(handle);
    }
}

void CustomActivitySpinnerView::paintEvent(QPaintEvent*) {
    if (!shape_)
        return;
    QPainter painter(this);
    shape_->paint(painter, cycleMs_);
}
