#include "ui_kit/CustomActivityView/ActivityIndicator.h"

#include "platform/ui/Clock.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/View.h"
#include "platform/ui/ViewController.h"
#include "ui_kit/CustomActivityView/CustomActivityIndicatorView.h"
#include "ui_kit/UIKitSupport.h"

#include <QEvent>
#include <QPointer>

namespace {

// Keeps the overlay on its host's rectangle less the insets.
class OverlayView : public QWidget {
public:
    OverlayView(QWidget* host, const QMargins& insets)
        : QWidget(host)
        , insets_(insets) {
        setObjectName(QStringLiteral("loadingOverlay"));
        setAttribute(Qt::WA_NoMousePropagation);
        host->installEventFilter(this);
    }
    QRect target() const {
        return parentWidget() ? parentWidget()->rect().marginsRemoved(insets_) : QRect();
    }
    bool following = true;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == parentWidget() && event->type() == QEvent::Resize && following)
            setGeometry(target());
        return QWidget::eventFilter(watched, event);
    }
    // The cover takes every touch.
    void mousePressEvent(QMouseEvent*) override {}
    void mouseReleaseEvent(QMouseEvent*) override {}

private:
    QMargins insets_;
};

} // namespace

namespace ActivityIndicator {

QString defaultCaption() {
    return UIKitSupport::text(QStringLiteral("GlobalTexts"), QStringLiteral("loading"));
}

void displayLoadingIndicatorWithSizeTextBackgroundColorAlphaInsetsAnimated(
    QWidget* view, uint size, const QString& text, const QColor& backgroundColor, double alpha,
    const QMargins& insets, bool animated) {
    if (!view || isDisplayingActivityIndicator(view))
        return;
    auto* overlay = new OverlayView(view, insets);
    // It starts as a point at the host's centre and grows to its frame.
    const QPoint centre = view->rect().center();
    overlay->setGeometry(QRect(centre, QSize(0, 0)));
    View::setBackgroundColor(overlay, backgroundColor);
    View::setAlpha(overlay, alpha);
    View::setTag(overlay, kOverlayTag);
    CustomActivityIndicatorView* spinner =
        CustomActivityIndicatorView::activityViewWithSizeForViewWithLabelAndInsets(
            size, overlay, text, QMargins());
    View::setBackgroundColor(spinner, backgroundColor);
    overlay->raise();
    overlay->show();
    if (animated) {
        overlay->following = false;
        QPointer<OverlayView> guard(overlay);
        const QRect from = overlay->geometry();
        Clock::current().animate(
            kFadeMs, overlay,
            [guard, from](double p) {
                if (!guard)
                    return;
                const QRect to = guard->target();
                guard->setGeometry(QRect(from.x() + int((to.x() - from.x()) * p),
                                         from.y() + int((to.y() - from.y()) * p),
                                         int(to.width() * p), int(to.height() * p)));
            },
            [guard](bool finished) {
                // Not finished: stopped, its overlay possibly on its way out; leave it alone.
                if (!finished || !guard)
                    return;
                guard->following = true;
                guard->setGeometry(guard->target());
            });
    } else {
        overlay->setGeometry(overlay->target());
    }
}

void displayLoadingIndicatorWithSizeTextBackgroundColorAlpha(QWidget* view, uint size,
                                                             const QString& text,
                                                             const QColor& backgroundColor,
                                                             double alpha) {
    displayLoadingIndicatorWithSizeTextBackgroundColorAlphaInsetsAnimated(
        view, size, text, backgroundColor, alpha, QMargins(), true);
}

void displayLoadingIndicatorWithSizeTextBackgroundColor(QWidget* view, uint size,
                                                        const QString& text,
                                                        const QColor& backgroundColor) {
    displayLoadingIndicatorWithSizeTextBackgroundColorAlpha(view, size, text, backgroundColor, 1.0);
}

void displayLoadingIndicatorWithSizeText(QWidget* view, uint size, const QString& text) {
    displayLoadingIndicatorWithSizeTextBackgroundColor(view, size, text, Qt::white);
}

void displayLoadingIndicatorWithSize(QWidget* view, uint size) {
    displayLoadingIndicatorWithSizeText(view, size, defaultCaption());
}

void displayLoadingIndicatorWithBackgroundColor(QWidget* view, const QColor& backgroundColor) {
    displayLoadingIndicatorWithSizeTextBackgroundColor(view, 68, defaultCaption(), backgroundColor);
}

void displayLoadingIndicatorWithText(QWidget* view, const QString& text) {
    displayLoadingIndicatorWithSizeText(view, 68, text);
}

void displayLoadingIndicatorAnimated(QWidget* view, bool animated) {
    displayLoadingIndicatorWithSizeTextBackgroundColorAlphaInsetsAnimated(
        view, 68, defaultCaption(), Qt::white, 1.0, QMargins(), animated);
}

void displayLoadingIndicator(QWidget* view) {
    displayLoadingIndicatorAnimated(view, true);
}

void hideLoadingIndicatorAnimated(QWidget* view, bool animated) {
    QWidget* overlay = View::viewWithTag(view, kOverlayTag);
    if (!overlay || overlay->property("tarvelloHiding").toBool())
        return;
    if (!animated) {
        View::removeFromSuperview(overlay);
        return;
    }
    overlay->setProperty("tarvelloHiding", true);
    QPointer<QWidget> guard(overlay);
    View::animateAlpha(overlay, 0.0, kFadeMs, [guard](bool finished) {
        if (finished && guard)
            View::removeFromSuperview(guard);
    });
}

void hideLoadingIndicator(QWidget* view) {
    hideLoadingIndicatorAnimated(view, true);
}

bool isDisplayingActivityIndicator(QWidget* view) {
    return View::viewWithTag(view, kOverlayTag) != nullptr;
}

} // namespace ActivityIndicator

// ---------------------------------------------------------------- the same on a screen

QWidget* ViewController::mainView() {
    if (NavigationController* nav = navigationController())
        if (nav->isViewLoaded())
            return nav->view();
    return view();
}

void ViewController::displayLoadingIndicatorWithSizeTextBackgroundColorAlphaInsetsAnimated(
    uint size, const QString& text, const QColor& backgroundColor, double alpha,
    const QMargins& insets, bool animated) {
    ActivityIndicator::displayLoadingIndicatorWithSizeTextBackgroundColorAlphaInsetsAnimated(
        mainView(), size, text, backgroundColor, alpha, insets, animated);
}

void ViewController::displayLoadingIndicatorWithSizeTextBackgroundColorAlpha(
    uint size, const QString& text, const QColor& backgroundColor, double alpha) {
    ActivityIndicator::displayLoadingIndicatorWithSizeTextBackgroundColorAlpha(
        mainView(), size, text, backgroundColor, alpha);
}

void ViewController::displayLoadingIndicatorWithSizeTextBackgroundColor(
    uint size, const QString& text, const QColor& backgroundColor) {
    ActivityIndicator::displayLoadingIndicatorWithSizeTextBackgroundColor(mainView(), size, text,
                                                                          backgroundColor);
}

void ViewController::displayLoadingIndicatorWithSizeText(uint size, const QString& text) {
    ActivityIndicator::displayLoadingIndicatorWithSizeText(mainView(), size, text);
}

void ViewController::displayLoadingIndicatorWithSize(uint size) {
    ActivityIndicator::displayLoadingIndicatorWithSize(mainView(), size);
}

void ViewController::displayLoadingIndicatorWithBackgroundColor(const QColor& backgroundColor) {
    ActivityIndicator::displayLoadingIndicatorWithBackgroundColor(mainView(), backgroundColor);
}

void ViewController::displayLoadingIndicatorWithText(const QString& text) {
    ActivityIndicator::displayLoadingIndicatorWithText(mainView(), text);
}

void ViewController::displayLoadingIndicatorAnimated(bool animated) {
    ActivityIndicator::displayLoadingIndicatorAnimated(mainView(), animated);
}

void ViewController::displayLoadingIndicator() {
    ActivityIndicator::displayLoadingIndicator(mainView());
}

void ViewController::hideLoadingIndicatorAnimated(bool animated) {
    ActivityIndicator::hideLoadingIndicatorAnimated(mainView(), animated);
}

void ViewController::hideLoadingIndicator() {
    ActivityIndicator::hideLoadingIndicator(mainView());
}

bool ViewController::isDisplayingActivityIndicator() {
    return ActivityIndicator::isDisplayingActivityIndicator(mainView());
}
