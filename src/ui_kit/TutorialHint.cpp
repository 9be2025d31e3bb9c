#include "ui_kit/TutorialHint.h"

#include "platform/ui/Clock.h"
#include "platform/ui/View.h"
#include "ui_kit/Extensions/Deprecations.h"
#include "ui_kit/TutorialNavBar.h"
#include "ui_kit/UIKitSupport.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPainter>
#include <limits>

namespace {

constexpr int kLabelX = 15;
constexpr int kLabelWidth = 230;
constexpr int kTextTopArrowUp = 30;
constexpr int kTextTopArrowDown = 17;

// The bubble's button: its background is the bubble image, stretched between its caps.
class HintButton : public QPushButton {
public:
    using QPushButton::QPushButton;
    void setBackground(const QImage& image, const QMargins& caps) {
        image_ = image;
        caps_ = caps;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (image_.isNull())
            return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const int top = caps_.top();
        const int bottom = caps_.bottom();
        const int middle = std::max(0, height() - top - bottom);
        const int imageMiddle = std::max(1, image_.height() - top - bottom);
        painter.drawImage(QRect(0, 0, width(), top), image_, QRect(0, 0, image_.width(), top));
        painter.drawImage(QRect(0, top, width(), middle), image_,
                          QRect(0, top, image_.width(), imageMiddle));
        painter.drawImage(QRect(0, top + middle, width(), bottom), image_,
                          QRect(0, image_.height() - bottom, image_.width(), bottom));
    }

private:
    QImage image_;
    QMargins caps_;
};

// Buttons (switches are buttons here), text fields and segmented controls (rows of buttons).
bool isControl(const QWidget* view) {
    return qobject_cast<const QAbstractButton*>(view) || qobject_cast<const QLineEdit*>(view);
}

QList<QWidget*> alive(const QList<QPointer<QWidget>>& views) {
    QList<QWidget*> list;
    for (const QPointer<QWidget>& view : views)
        if (view)
            list << view.data();
    return list;
}

} // namespace

TutorialHint::TutorialHint(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("tutorialHint"));
    resize(kWidth, kExtraHeight);
    button_ = new HintButton(this);
    button_->setObjectName(QStringLiteral("button"));
    button_->setFocusPolicy(Qt::NoFocus);
    button_->setGeometry(rect());
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("label"));
    label_->setWordWrap(true);
    label_->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont font = label_->font();
    font.setPixelSize(14);
    label_->setFont(font);
    label_->setStyleSheet(QStringLiteral("color: white;"));
    label_->setGeometry(kLabelX, kTextTopArrowUp, kLabelWidth, 17);
    View::setAlpha(this, 0);
}

// Neither restores nor re-enables: a bubble deleted while shown leaves the screen as it is.
TutorialHint::~TutorialHint() = default;

bool TutorialHint::isArrowUp(int type) {
    return type == ArrowUp || type == ArrowLeftUp || type == ArrowRightUp;
}

QImage TutorialHint::backgroundImage(int type, QMargins* capInsets) {
    static const char* const names[] = {"hint_up.png",        "hint_down.png",
                                        "hint_left_up.png",   "hint_right_up.png",
                                        "hint_left_down.png", "hint_right_down.png"};
    if (type < 0 || type > 5)
        return QImage();
    if (capInsets)
        *capInsets = isArrowUp(type) ? QMargins(0, 18, 0, 7) : QMargins(0, 7, 0, 18);
    return UIKitSupport::bundleImage(QString::fromLatin1(names[type]));
}

TutorialHint* TutorialHint::initHint(int type, const QString& text, const QPoint& frameOrigin,
                                     QWidget* inView, const QList<QWidget*>& toIndicateSubviews) {
    auto* hint = new TutorialHint(inView);
    hint->type_ = type;
    QMargins caps;
    const QImage image = backgroundImage(type, &caps);
    static_cast<HintButton*>(hint->button_.data())->setBackground(image, caps);

    hint->label_->setText(text);
    const int textHeight = int(Deprecations::deprecatedSizeWithFontConstrainedToSizeLineBreakMode(
                                   text, hint->label_->font(),
                                   QSizeF(hint->label_->width(), std::numeric_limits<float>::max()),
                                   LineBreakMode::ByWordWrapping)
                                   .height());
    const bool up = isArrowUp(type);
    hint->label_->setGeometry(hint->label_->x(), up ? kTextTopArrowUp : kTextTopArrowDown,
                              hint->label_->width(), textHeight);
    const int height = textHeight + kExtraHeight;
    hint->button_->setGeometry(0, 0, kWidth, height);
    hint->setGeometry(frameOrigin.x(), up ? frameOrigin.y() : frameOrigin.y() - height, kWidth,
                      height);

    View::setAlpha(hint, 0);
    hint->mainView_ = inView;
    hint->setSkipSubviews(toIndicateSubviews);
    if (inView) {
        hint->raise();
        hint->show();
    }
    hint->showHint();
    return hint;
}

QList<QWidget*> TutorialHint::skipSubviews() const {
    return alive(skipSubviews_);
}

void TutorialHint::setSkipSubviews(const QList<QWidget*>& views) {
    skipSubviews_.clear();
    for (QWidget* view : views)
        skipSubviews_ << QPointer<QWidget>(view);
}

QList<QWidget*> TutorialHint::disabledElements() const {
    return alive(disabledElements_);
}

QList<QWidget*> TutorialHint::reducedAlphaViews() const {
    return alive(reducedAlphaViews_);
}

void TutorialHint::showHint() {
    isVisible_ = true;
    QPointer<TutorialHint> self(this);
    View::animateAlpha(this, 1, kFadeMs, [self](bool) {
        if (self)
            self->startHintAnimation();
    });
    reduceAlphasInView(mainView_, skipSubviews());
}

void TutorialHint::hideHint() {
    isVisible_ = false;
    View::animateAlpha(this, 0, kFadeMs);
    restoreAlphas();
    enableAllElements();
}

void TutorialHint::startHintAnimation() {
    if (View::alpha(this) != 1.0)
        return;
    moveHintUp(!isArrowUp(type_), 0);
}

void TutorialHint::moveHintUp(bool up, int counter) {
    const int fromY = y();
    const int toY = fromY + (up ? -kBounceDistance : kBounceDistance);
    QPointer<TutorialHint> self(this);
    Clock::current().animate(
        kBounceStepMs, this,
        [self, fromY, toY](double progress) {
            if (self)
                self->move(self->x(), fromY + int(std::lround((toY - fromY) * progress)));
        },
        [self, up, counter](bool) {
            if (!self)
                return;
            if (counter >= 5) {
                Clock::current().callAfter(kBounceRestMs, self, [self] {
                    if (self)
                        self->startHintAnimation();
                });
            } else {
                self->moveHintUp(!up, counter + 1);
            }
        });
}

void TutorialHint::reduceAlphasInView(QWidget* view, const QList<QWidget*>& skippingSubviews) {
    if (!view)
        return;
    const QList<QWidget*> subviews =
        view->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* subview : subviews) {
        if (subview->isWindow() || skippingSubviews.contains(subview) ||
            qobject_cast<TutorialHint*>(subview) || qobject_cast<TutorialNavBar*>(subview))
            continue;
        // From where the view is heading, so a dimming still under way counts in full.
        View::animateAlpha(subview, View::targetAlpha(subview) * kDimFactor, kFadeMs);
        reducedAlphaViews_ << QPointer<QWidget>(subview);
        disableAllElementsInView(subview);
    }
}

void TutorialHint::restoreAlphas() {
    for (const QPointer<QWidget>& view : std::as_const(reducedAlphaViews_))
        if (view)
            View::animateAlpha(view, View::targetAlpha(view) / kDimFactor, kFadeMs);
    reducedAlphaViews_.clear();
}

void TutorialHint::disableAllElementsInView(QWidget* view) {
    if (!view)
        return;
    if (isControl(view)) {
        // Disabled by its own setting, not merely inside a disabled container: left alone.
        if (!view->testAttribute(Qt::WA_ForceDisabled)) {
            disabledElements_ << QPointer<QWidget>(view);
            view->setEnabled(false);
        }
        return;
    }
    if (qobject_cast<TutorialNavBar*>(view))
        return;
    const QList<QWidget*> subviews =
        view->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* subview : subviews)
        disableAllElementsInView(subview);
}

void TutorialHint::enableAllElements() {
    for (const QPointer<QWidget>& element : std::as_const(disabledElements_))
        if (element)
            element->setEnabled(true);
    disabledElements_.clear();
}
