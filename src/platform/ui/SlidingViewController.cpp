#include "platform/ui/SlidingViewController.h"

SlidingViewController::SlidingViewController(QObject* parent)
    : ViewController(parent) {}

QWidget* SlidingViewController::loadView() {
    auto* root = new QWidget();
    menuContainer_ = new QWidget(root);
    menuContainer_->setObjectName(QStringLiteral("underLeftView"));
    topContainer_ = new QWidget(root);
    topContainer_->setObjectName(QStringLiteral("topView"));
    topContainer_->setAutoFillBackground(true);
    return root;
}

SlidingViewController*
SlidingViewController::slidingViewControllerFor(const ViewController* screen) {
    const ViewController* level = screen;
    while (level) {
        if (auto* sliding =
                qobject_cast<SlidingViewController*>(const_cast<ViewController*>(level)))
            return sliding;
        level = level->parentViewController() ? level->parentViewController()
                                              : level->presentingViewController();
    }
    return nullptr;
}

void SlidingViewController::replaceChild(QPointer<ViewController>& slot, ViewController* controller,
                                         QWidget* container) {
    if (slot == controller)
        return;
    if (ViewController* old = slot) {
        slot = nullptr;
        unembedChildViewController(old);
        old->deleteLater();
    }
    slot = controller;
    if (controller)
        embedChildViewController(controller, container);
}

void SlidingViewController::setTopViewController(ViewController* controller) {
    view();
    replaceChild(top_, controller, topContainer_);
    placeContainers();
}

void SlidingViewController::setUnderLeftViewController(ViewController* controller) {
    view();
    replaceChild(menu_, controller, menuContainer_);
    placeContainers();
}

int SlidingViewController::anchoredOffset() const {
    return isViewLoaded() ? std::max(0, const_cast<SlidingViewController*>(this)->view()->width() -
                                            kAnchorRightPeekAmount)
                          : 0;
}

void SlidingViewController::anchorTopViewToRightAnimated(bool animated,
                                                         std::function<void()> completion) {
    moveTop(Position::AnchoredRight, animated, std::move(completion));
}

void SlidingViewController::resetTopViewAnimated(bool animated, std::function<void()> completion) {
    moveTop(Position::Centered, animated, std::move(completion));
}

void SlidingViewController::moveTop(Position to, bool animated, std::function<void()> completion) {
    view();
    Clock& clock = Clock::current();
    if (slide_)
        clock.cancel(slide_);
    slide_ = 0;
    position_ = to;
    const int from = offset_;
    const int target = to == Position::AnchoredRight ? anchoredOffset() : 0;
    if (!animated || from == target) {
        offset_ = target;
        placeContainers();
        if (completion)
            completion();
        return;
    }
    QPointer<SlidingViewController> self(this);
    slide_ = clock.animate(
        kSlideMs, this,
        [self, from, target](double progress) {
            if (!self)
                return;
            self->offset_ = from + int((target - from) * progress);
            self->placeContainers();
        },
        [self, completion = std::move(completion)](bool finished) {
            if (!self || !finished)
                return;
            self->slide_ = 0;
            if (completion)
                completion();
        });
}

void SlidingViewController::placeContainers() {
    if (!isViewLoaded())
        return;
    const QRect bounds = view()->rect();
    menuContainer_->setGeometry(bounds);
    menuContainer_->setVisible(offset_ > 0);
    topContainer_->setGeometry(bounds.translated(offset_, 0));
    topContainer_->raise();
}

void SlidingViewController::viewDidLayoutSubviews() {
    // A resize keeps the top screen where its position says.
    if (!slide_)
        offset_ = position_ == Position::AnchoredRight ? anchoredOffset() : 0;
    placeContainers();
}

QList<ViewController*> SlidingViewController::childViewControllersForAppearance() const {
    QList<ViewController*> shown;
    if (top_)
        shown.append(top_);
    if (menu_)
        shown.append(menu_);
    return shown;
}

void SlidingViewController::childViewControllerDestroyed(ViewController* child) {
    if (child == top_)
        top_ = nullptr;
    if (child == menu_)
        menu_ = nullptr;
}

void ViewController::showSlidingMenu() {
    if (SlidingViewController* container = SlidingViewController::slidingViewControllerFor(this))
        container->anchorTopViewToRightAnimated(true);
}
