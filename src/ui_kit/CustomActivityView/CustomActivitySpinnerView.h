#pragma once

#include "platform/ui/Clock.h"

#include <QColor>
#include <QPointer>
#include <QWidget>

#include "ui_kit/CustomActivityView/ActivityIndicatorCircleStrokeSpinAnimation.h"

// A square spinner: an arc that turns while its visible stretch grows and shrinks. It is built
// paused; startAnimating runs it on the clock and stopAnimating freezes it where it is.
class CustomActivitySpinnerView : public QWidget {
    Q_OBJECT
public:
    explicit CustomActivitySpinnerView(const QColor& tintColor, double size = 68,
                                       QWidget* parent = nullptr);
    ~CustomActivitySpinnerView() override;

    uint size() const { return size_; }
    QColor spinnerColor() const { return spinnerColor_; }
    void setSpinnerColor(const QColor& color);
    bool animating() const { return animating_; }
    // 1 while running, 0 while paused.
    double layerSpeed() const { return animating_ ? 1 : 0; }
    // Whether the shape is in place; setupAnimation puts it back after removeShapeLayer.
    bool hasShapeLayer() const { return shape_ != nullptr; }
    void removeShapeLayer();
    // Time within the current cycle, in milliseconds.
    int cycleTime() const { return cycleMs_; }

    void setupAnimation();
    void startAnimating();
    void stopAnimating();
    static double strokeWithForSizeClass(uint size);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    uint size_;
    QColor spinnerColor_;
    bool animating_ = false;
    QPointer<ActivityIndicatorCircleStrokeSpinAnimation> shape_;
    Clock::Handle run_ = 0;
    int cycleMs_ = 0;
    int resumeFromMs_ = 0;
};
