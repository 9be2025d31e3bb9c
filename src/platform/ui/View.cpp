#include "platform/ui/View.h"

#include "platform/ui/Clock.h"

#include <QGraphicsOpacityEffect>
#include <QPalette>
#include <QPointer>

namespace {
const char* const kTagProperty = "tarvelloTag";
const char* const kBackgroundProperty = "tarvelloBackground";
const char* const kTargetAlphaProperty = "tarvelloTargetAlpha";
const char* const kCornerRadiusProperty = "tarvelloCornerRadius";
} // namespace

namespace View {

qint64 tag(const QWidget* view) {
    return view ? view->property(kTagProperty).toLongLong() : 0;
}

void setTag(QWidget* view, qint64 tag) {
    if (view)
        view->setProperty(kTagProperty, tag);
}

QWidget* viewWithTag(QWidget* view, qint64 wanted) {
    if (!view)
        return nullptr;
    if (tag(view) == wanted)
        return view;
    for (QObject* child : view->children()) {
        if (auto* widget = qobject_cast<QWidget*>(child))
            if (QWidget* found = viewWithTag(widget, wanted))
                return found;
    }
    return nullptr;
}

double alpha(const QWidget* view) {
    if (!view)
        return 0;
    if (auto* effect = qobject_cast<QGraphicsOpacityEffect*>(view->graphicsEffect()))
        return effect->opacity();
    return 1.0;
}

void setAlpha(QWidget* view, double value) {
    if (!view)
        return;
    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(view->graphicsEffect());
    if (value >= 1.0) {
        // Opaque views paint without an effect: effects nested in one another warn and cost
        // an offscreen pass each.
        if (effect)
            view->setGraphicsEffect(nullptr);
        return;
    }
    if (!effect) {
        effect = new QGraphicsOpacityEffect(view);
        view->setGraphicsEffect(effect);
    }
    effect->setOpacity(std::max(value, 0.0));
}

void animateAlpha(QWidget* view, double to, int durationMs,
                  std::function<void(bool finished)> completion) {
    const double from = alpha(view);
    QPointer<QWidget> guard(view);
    if (view)
        view->setProperty(kTargetAlphaProperty, to);
    Clock::current().animate(
        durationMs, view,
        [guard, from, to](double progress) {
            if (guard)
                setAlpha(guard, from + (to - from) * progress);
        },
        [guard, to, completion = std::move(completion)](bool finished) {
            // A later animation of the view keeps its own target.
            if (guard && guard->property(kTargetAlphaProperty) == QVariant(to))
                guard->setProperty(kTargetAlphaProperty, QVariant());
            if (completion)
                completion(finished);
        });
}

double targetAlpha(const QWidget* view) {
    if (!view)
        return 0;
    const QVariant target = view->property(kTargetAlphaProperty);
    return target.isValid() ? std::clamp(target.toDouble(), 0.0, 1.0) : alpha(view);
}

QRect frame(const QWidget* view) {
    return view ? view->geometry() : QRect();
}

void setFrame(QWidget* view, const QRect& frame) {
    if (view)
        view->setGeometry(frame);
}

bool isHidden(const QWidget* view) {
    return !view || view->isHidden();
}

void setHidden(QWidget* view, bool hidden) {
    if (view)
        view->setHidden(hidden);
}

void setBackgroundColor(QWidget* view, const QColor& color) {
    if (!view)
        return;
    view->setProperty(kBackgroundProperty, color);
    QPalette palette = view->palette();
    palette.setColor(QPalette::Window, color);
    view->setPalette(palette);
    view->setAutoFillBackground(color.isValid());
}

QColor backgroundColor(const QWidget* view) {
    return view ? view->property(kBackgroundProperty).value<QColor>() : QColor();
}

double cornerRadius(const QWidget* view) {
    return view ? view->property(kCornerRadiusProperty).toDouble() : 0;
}

void setCornerRadius(QWidget* view, double radius) {
    if (view)
        view->setProperty(kCornerRadiusProperty, radius);
}

void removeFromSuperview(QWidget* view) {
    if (!view)
        return;
    view->hide();
    view->setParent(nullptr);
    view->deleteLater();
}

} // namespace View
