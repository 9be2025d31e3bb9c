#include "ui_kit/TVProgressButton.h"

#include "platform/core/VersionDispatch.h"
#include "platform/ui/View.h"
#include "ui_kit/UIKitSupport.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

// The fill bar: its colour, clipped to the button's rounded shape.
class FillBar : public QWidget {
public:
    explicit FillBar(TVProgressButton* button)
        : QWidget(button)
        , button_(button) {
        setObjectName(QStringLiteral("fillBar"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        const QColor color = button_->fillColor();
        if (!color.isValid() || color.alpha() == 0)
            return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(button_->rect()).translated(-pos()), button_->cornerRadius(),
                             button_->cornerRadius());
        painter.setClipPath(shape);
        painter.fillRect(rect(), color);
    }

private:
    TVProgressButton* button_;
};

QColor withAlpha(QColor color, double factor) {
    if (color.isValid())
        color.setAlphaF(static_cast<float>(color.alphaF() * factor));
    return color;
}

} // namespace

TVProgressButton::TVProgressButton(const QRect& frame, QWidget* parent)
    : QPushButton(parent) {
    if (frame.isValid())
        setGeometry(frame);
    initViews();
    initConstraints();
}

TVProgressButton::~TVProgressButton() = default;

void TVProgressButton::initViews() {
    cornerRadius_ = kCornerRadius;
    disabledBackground_ = imageFromColor(VersionDispatch::veryLightGray());
    fillBar_ = new FillBar(this);
    fillWidthConstraint_ = LayoutConstraint::addTo(
        fillBar_, new LayoutConstraint(fillBar_, LayoutConstraint::Attribute::Width, nullptr,
                                       LayoutConstraint::Attribute::NotAnAttribute, 1, 0));
    finishedImage_ = new ImageView(this);
    finishedImage_->setObjectName(QStringLiteral("finishedImage"));
    finishedImage_->setAttribute(Qt::WA_TransparentForMouseEvents);
    finishedImage_->setContentMode(ImageView::ContentMode::Center);
    const QImage mark = UIKitSupport::bundleImage(QStringLiteral("page1.png"));
    if (!mark.isNull())
        finishedImage_->setImage(
            UIKitSupport::tinted(mark.scaled(kFinishedSide, kFinishedSide, Qt::KeepAspectRatio,
                                             Qt::SmoothTransformation),
                                 UIKitSupport::mainColor()));
    View::setAlpha(finishedImage_, 0);
}

void TVProgressButton::initConstraints() {
    fillBar_->setGeometry(0, 0, qRound(shownFillWidth_), height());
    finishedImage_->resize(kFinishedSide, kFinishedSide);
    centreFinishedImage();
}

void TVProgressButton::setBackgroundColor(const QColor& color) {
    backgroundColor_ = color;
    update();
}

void TVProgressButton::setFillColor(const QColor& color) {
    fillColor_ = color;
    fillBar_->update();
}

void TVProgressButton::setFillPercentage(double percentage, bool animated) {
    percentage_ = percentage;
    fillWidthConstraint_->setConstant(width() * percentage);
    // A new fill takes over from one still running, which ends unfinished.
    Clock::current().cancel(fill_);
    QPointer<TVProgressButton> self(this);
    const double to = fillWidthConstraint_->constant();
    const double from = animated ? shownFillWidth_ : to;
    setShownFillWidth(from);
    Clock::AnimationOptions options;
    options.easing = QEasingCurve::InOutQuad;
    fill_ = Clock::current().animate(
        animated ? kFillMs : 0, this,
        [self, from, to](double progress) {
            if (self)
                self->setShownFillWidth(from + (to - from) * progress);
        },
        [self](bool) {
            if (self)
                self->fillEnded();
        },
        options);
}

void TVProgressButton::fillEnded() {
    // Only exactly 1, and only once: a fill ending after the finish began does not restart it.
    if (percentage_ != 1.0 || finishing_)
        return;
    finishing_ = true;
    setText(QString());
    animateToCenter();
}

void TVProgressButton::animateToCenter() {
    const QRect start = geometry();
    const int side = start.height();
    // The circle stays centred where the button stood; the mark sits in its middle.
    const QRect circle(start.x() + (start.width() - side) / 2, start.y(), side, side);
    const double startRadius = cornerRadius_;
    QPointer<TVProgressButton> self(this);
    Clock::current().animate(
        kStepMs, this,
        [self, start, circle, startRadius, side](double t) {
            if (!self)
                return;
            self->setGeometry(QRect(qRound(start.x() + (circle.x() - start.x()) * t), start.y(),
                                    qRound(start.width() + (side - start.width()) * t), side));
            self->cornerRadius_ = startRadius + (side / 2.0 - startRadius) * t;
            self->fillBar_->setGeometry(0, 0, qRound(self->shownFillWidth_), side);
            self->centreFinishedImage();
            self->update();
        },
        [self](bool) {
            if (!self)
                return;
            self->finishedImage_->raise();
            const QColor background = self->backgroundColor_;
            const QColor fill = self->fillColor_;
            QPointer<TVProgressButton> again(self);
            Clock::current().animate(
                kStepMs, self,
                [again, background, fill](double t) {
                    if (!again)
                        return;
                    again->backgroundColor_ = withAlpha(background, 1 - t);
                    again->fillColor_ = withAlpha(fill, 1 - t);
                    View::setAlpha(again->finishedImage_, t);
                    again->update();
                    again->fillBar_->update();
                },
                [again](bool) {
                    if (again)
                        again->delayAnimationEnding();
                });
        });
}

QImage TVProgressButton::imageFromColor(const QColor& color) {
    QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
    image.fill(color);
    return image;
}

void TVProgressButton::delayAnimationEnding() {
    QPointer<TVProgressButton> self(this);
    Clock::current().callAfter(kEndingDelayMs, this, [self] {
        if (self && self->delegate_)
            self->delegate_->finishedAnimation();
    });
}

void TVProgressButton::setShownFillWidth(double width) {
    shownFillWidth_ = width;
    fillBar_->setGeometry(0, 0, qRound(width), height());
}

void TVProgressButton::centreFinishedImage() {
    finishedImage_->move((width() - kFinishedSide) / 2, (height() - kFinishedSide) / 2);
}

void TVProgressButton::resizeEvent(QResizeEvent* event) {
    QPushButton::resizeEvent(event);
    fillBar_->setGeometry(0, 0, qRound(shownFillWidth_), height());
    centreFinishedImage();
}

void TVProgressButton::changeEvent(QEvent* event) {
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        update();
    // A background set through View::setBackgroundColor is painted here, within the corners.
    if (event->type() == QEvent::PaletteChange && autoFillBackground()) {
        setAutoFillBackground(false);
        setBackgroundColor(View::backgroundColor(this));
    }
}

void TVProgressButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), cornerRadius_, cornerRadius_);
    painter.setClipPath(shape);
    if (!isEnabled())
        painter.drawImage(rect(), disabledBackground_);
    else if (backgroundColor_.isValid())
        painter.fillRect(rect(), backgroundColor_);
    painter.setClipping(false);
    // The fill bar, a child, is drawn over the title: screens give it a translucent colour.
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignCenter, text());
}
