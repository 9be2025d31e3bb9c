#pragma once

#include "platform/ui/Clock.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/LayoutConstraint.h"

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QPushButton>
#include <QRect>

// Told when a progress button has finished its finishing sequence.
class TVProgressButtonDelegate {
public:
    virtual ~TVProgressButtonDelegate() = default;
    virtual void finishedAnimation() = 0;
};

// A rounded button that shows the progress of one long action as a bar filling it from the
// left. A fill of exactly 1 turns it into a circle of its height, centred where the button stood,
// showing the finished mark; 2 s after that fill completed the delegate hears finishedAnimation,
// once. Every animation runs on the Clock. Main thread only.
class TVProgressButton : public QPushButton {
    Q_OBJECT
public:
    static constexpr int kCornerRadius = 5;
    static constexpr int kFillMs = 2000;
    static constexpr int kStepMs = 500;
    static constexpr int kEndingDelayMs = 1000;
    static constexpr int kFinishedSide = 46;

    explicit TVProgressButton(const QRect& frame = QRect(), QWidget* parent = nullptr);
    ~TVProgressButton() override;

    // Builds the look and places the fill bar and the finished mark (the constructor runs both).
    void initViews();
    void initConstraints();

    QWidget* fillBar() const { return fillBar_; }
    // The fill bar's width to be, in points, as its constant (0 at first); the bar reaches it
    // by the end of the fill's animation. Owned by the fill bar; kept inactive, the fill's
    // animation places the bar.
    LayoutConstraint* fillWidthConstraint() const { return fillWidthConstraint_; }
    ImageView* finishedImage() const { return finishedImage_; }
    double percentage() const { return percentage_; }
    TVProgressButtonDelegate* delegate() const { return delegate_; }
    void setDelegate(TVProgressButtonDelegate* delegate) { delegate_ = delegate; }

    QColor backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(const QColor& color);
    QColor fillColor() const { return fillColor_; }
    void setFillColor(const QColor& color);
    double cornerRadius() const { return cornerRadius_; }

    // Fills to the fraction of the width (not clamped) over 2 s, or at once. When the fill ends
    // and the fraction then in force is exactly 1, the title is cleared and the finishing
    // sequence starts (once in the button's life).
    void setFillPercentage(double percentage, bool animated);
    // The finishing sequence: 0.5 s to a circle, 0.5 s to the mark alone, then 1 s to the
    // delegate's call.
    void animateToCenter();
    // A 1 x 1 picture of the colour.
    static QImage imageFromColor(const QColor& color);
    // Tells the delegate finishedAnimation 1 s from now.
    void delayAnimationEnding();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fillEnded();
    void setShownFillWidth(double width);
    void centreFinishedImage();

    QWidget* fillBar_ = nullptr;
    ImageView* finishedImage_ = nullptr;
    LayoutConstraint* fillWidthConstraint_ = nullptr;
    double shownFillWidth_ = 0;
    double percentage_ = 0;
    double cornerRadius_ = kCornerRadius;
    QColor backgroundColor_;
    QColor fillColor_;
    QImage disabledBackground_;
    TVProgressButtonDelegate* delegate_ = nullptr;
    Clock::Handle fill_ = 0;
    bool finishing_ = false;
};
