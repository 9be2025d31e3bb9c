#include "platform/ui/NavigationController.h"

#include "platform/ui/View.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>

// ---------------------------------------------------------------- bar

namespace {

// Centres the title on the whole bar rather than in the room between the side buttons, as long
// as the text still fits; otherwise it fills that room.
void centreTitle(QWidget* holder, QLabel* title) {
    const QWidget* bar = holder->parentWidget();
    const int left = holder->x();
    const int right = bar->width() - holder->geometry().right() - 1;
    const int shift = right - left;
    const bool fits =
        !title->isHidden() && title->sizeHint().width() <= holder->width() - std::abs(shift);
    holder->layout()->setContentsMargins(fits ? std::max(shift, 0) : 0, 0,
                                         fits ? std::max(-shift, 0) : 0, 0);
}

// Re-centres the title whenever the room between the side buttons moves or changes size.
class TitleCentring : public QObject {
public:
    TitleCentring(QWidget* holder, QLabel* title)
        : QObject(holder)
        , title_(title) {
        holder->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Move)
            centreTitle(static_cast<QWidget*>(watched), title_);
        return false;
    }

private:
    QLabel* title_;
};

} // namespace

NavigationBar::NavigationBar(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("navigationBar"));
    setFixedHeight(44);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 0, 8, 0);
    back_ = new QToolButton(this);
    back_->setObjectName(QStringLiteral("backButton"));
    back_->setAutoRaise(true);
    connect(back_, &QToolButton::clicked, this, &NavigationBar::backTapped);
    left_ = new QHBoxLayout();
    right_ = new QHBoxLayout();
    titleHolder_ = new QWidget(this);
    auto* titleRow = new QHBoxLayout(titleHolder_);
    titleRow->setContentsMargins(0, 0, 0, 0);
    title_ = new QLabel(titleHolder_);
    title_->setObjectName(QStringLiteral("titleLabel"));
    title_->setAlignment(Qt::AlignCenter);
    QFont font = title_->font();
    font.setBold(true);
    title_->setFont(font);
    titleRow->addWidget(title_);
    new TitleCentring(titleHolder_, title_);
    row->addWidget(back_);
    row->addLayout(left_);
    row->addWidget(titleHolder_, 1);
    row->addLayout(right_);
    View::setBackgroundColor(this, QColor(248, 248, 248));
}

void NavigationBar::setTintColor(const QColor& color) {
    tint_ = color;
    applyTint();
}

void NavigationBar::setBarTintColor(const QColor& color) {
    barTint_ = color;
    View::setBackgroundColor(this, color.isValid() ? color : QColor(248, 248, 248));
}

void NavigationBar::applyTint() {
    const QString style = tint_.isValid()
                              ? QStringLiteral("QToolButton { color: %1; }").arg(tint_.name())
                              : QString();
    setStyleSheet(style);
}

static void clearLayout(QHBoxLayout* layout) {
    while (QLayoutItem* item = layout->takeAt(0)) {
        if (QWidget* w = item->widget()) {
            w->hide(); // gone from the bar now, not when the event loop deletes it
            w->deleteLater();
        }
        delete item;
    }
}

void NavigationBar::showItem(NavigationItem* item, const QString& backTitle, bool canGoBack) {
    back_->setVisible(canGoBack && item && !item->hidesBackButton());
    back_->setText(QStringLiteral("‹ ") + backTitle);
    clearLayout(left_);
    clearLayout(right_);
    if (titleView_ && titleView_->parent() == titleHolder_) {
        titleView_->hide();
        titleView_->setParent(nullptr);
    }
    titleView_ = item ? item->titleView() : nullptr;
    if (titleView_) {
        titleHolder_->layout()->addWidget(titleView_);
        titleView_->show();
        title_->hide();
    } else {
        title_->show();
        title_->setText(item ? item->title() : QString());
        centreTitle(titleHolder_, title_);
    }
    if (!item)
        return;
    auto addButtons = [this](QHBoxLayout* layout, const QList<BarButtonItem>& items) {
        for (const BarButtonItem& barItem : items) {
            auto* button = new QToolButton(this);
            button->setObjectName(barItem.objectName);
            button->setAutoRaise(true);
            button->setText(barItem.title);
            button->setIcon(barItem.icon);
            button->setEnabled(barItem.enabled);
            auto action = barItem.action;
            connect(button, &QToolButton::clicked, this, [action] {
                if (action)
                    action();
            });
            layout->addWidget(button);
        }
    };
    addButtons(left_, item->leftBarButtonItems());
    addButtons(right_, item->rightBarButtonItems());
}

// ---------------------------------------------------------------- navigation controller

NavigationController::NavigationController(ViewController* root, QObject* parent)
    : ViewController(parent) {
    if (root)
        setViewControllers({root}, false);
}

QWidget* NavigationController::loadView() {
    auto* widget = new QWidget();
    View::setBackgroundColor(widget, Qt::white);
    auto* column = new QVBoxLayout(widget);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    bar_ = new NavigationBar(widget);
    stacked_ = new QStackedWidget(widget);
    stacked_->setObjectName(QStringLiteral("navigationStack"));
    column->addWidget(bar_);
    column->addWidget(stacked_, 1);
    bar_->setVisible(!barHidden_);
    connect(bar_, &NavigationBar::backTapped, this, [this] { popViewControllerAnimated(true); });
    adoptView(widget, true);
    for (ViewController* c : stack_)
        stacked_->addWidget(c->view());
    if (!stack_.isEmpty())
        stacked_->setCurrentWidget(stack_.last()->view());
    refreshBar();
    return widget;
}

NavigationBar* NavigationController::navigationBar() {
    view();
    return bar_;
}

void NavigationController::setNavigationBarHidden(bool hidden, bool animated) {
    (void)animated;
    barHidden_ = hidden;
    if (bar_)
        bar_->setVisible(!hidden);
}

ViewController* NavigationController::topViewController() const {
    return stack_.isEmpty() ? nullptr : stack_.last();
}

ViewController* NavigationController::visibleViewController() const {
    if (ViewController* presented = presentedViewController())
        return presented;
    return topViewController();
}

QList<ViewController*> NavigationController::childViewControllersForAppearance() const {
    if (ViewController* top = topViewController())
        return {top};
    return {};
}

void NavigationController::refreshBar() {
    if (!bar_)
        return;
    ViewController* top = topViewController();
    // The top screen may set its title and buttons as it appears, after it was put on the bar.
    if (top)
        connect(top->navigationItem(), &NavigationItem::changed, this,
                &NavigationController::refreshBar, Qt::UniqueConnection);
    QString backTitle;
    if (stack_.size() > 1) {
        ViewController* below = stack_.at(stack_.size() - 2);
        backTitle = below->navigationItem()->backBarButtonTitle().isEmpty()
                        ? below->navigationItem()->title()
                        : below->navigationItem()->backBarButtonTitle();
    }
    bar_->showItem(top ? top->navigationItem() : nullptr, backTitle, stack_.size() > 1);
}

void NavigationController::transition(ViewController* from, const QList<ViewController*>& newStack,
                                      bool animated) {
    ViewController* to = newStack.isEmpty() ? nullptr : newStack.last();
    const bool showing =
        appearanceState() == Appearance::Appeared || appearanceState() == Appearance::Appearing;
    const QList<ViewController*> oldStack = stack_;
    for (ViewController* c : newStack) {
        if (c->parentViewController() != this) {
            c->movingToParent_ = true;
            addChildViewController(c);
        }
    }
    if (delegate_ && from && to && to != from) {
        const NavigationOperation operation =
            stack_.contains(to) ? NavigationOperation::Pop : NavigationOperation::Push;
        delegate_->navigationControllerAnimationControllerForOperation(this, operation, from, to);
    }
    if (to && to != from && delegate_)
        delegate_->navigationControllerWillShowViewController(this, to, animated);
    // The new stack is in place before the screens hear of the change, so a pushed screen
    // whose view loads now finds itself in it.
    stack_ = newStack;
    if (showing && from && from != to)
        from->beginAppearanceTransition(false, animated);
    if (showing && to && to != from)
        to->beginAppearanceTransition(true, animated);
    if (stacked_) {
        for (ViewController* c : newStack)
            if (stacked_->indexOf(c->view()) < 0)
                stacked_->addWidget(c->view());
        if (to)
            stacked_->setCurrentWidget(to->view());
    }
    refreshBar();
    QList<ViewController*> removed;
    for (ViewController* c : oldStack)
        if (!newStack.contains(c))
            removed.append(c);
    for (ViewController* c : removed)
        c->movingFromParent_ = true;
    if (showing && from && from != to)
        from->endAppearanceTransition();
    if (showing && to && to != from)
        to->endAppearanceTransition();
    for (ViewController* c : removed) {
        if (c->appearanceState() != Appearance::Disappeared) {
            c->beginAppearanceTransition(false, false);
            c->endAppearanceTransition();
        }
        if (stacked_ && c->isViewLoaded())
            stacked_->removeWidget(c->view());
        c->removeFromParentViewController();
        c->movingFromParent_ = false;
        c->deleteLater();
    }
    for (ViewController* c : newStack) {
        if (c->movingToParent_) {
            c->movingToParent_ = false;
            c->didMoveToParentViewController(this);
        }
    }
    if (to && to != from && delegate_)
        delegate_->navigationControllerDidShowViewController(this, to, animated);
}

void NavigationController::pushViewController(ViewController* controller, bool animated) {
    if (!controller || stack_.contains(controller))
        return;
    QList<ViewController*> next = stack_;
    next.append(controller);
    transition(topViewController(), next, animated);
}

ViewController* NavigationController::popViewControllerAnimated(bool animated) {
    if (stack_.size() < 2)
        return nullptr;
    ViewController* popped = stack_.last();
    QList<ViewController*> next = stack_;
    next.removeLast();
    transition(popped, next, animated);
    return popped;
}

QList<ViewController*> NavigationController::popToViewController(ViewController* controller,
                                                                 bool animated) {
    const qsizetype index = stack_.indexOf(controller);
    if (index < 0 || index == stack_.size() - 1)
        return {};
    const QList<ViewController*> popped = stack_.mid(index + 1);
    transition(topViewController(), stack_.mid(0, index + 1), animated);
    return popped;
}

QList<ViewController*> NavigationController::popToRootViewControllerAnimated(bool animated) {
    if (stack_.isEmpty())
        return {};
    return popToViewController(stack_.first(), animated);
}

void NavigationController::setViewControllers(const QList<ViewController*>& controllers,
                                              bool animated) {
    transition(topViewController(), controllers, animated);
}

void NavigationController::childViewControllerDestroyed(ViewController* child) {
    if (stack_.removeAll(child) > 0)
        refreshBar();
}
