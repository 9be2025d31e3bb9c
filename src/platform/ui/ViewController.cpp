#include "platform/ui/ViewController.h"

#include "platform/core/Logging.h"
#include "platform/ui/Clock.h"
#include "platform/ui/FlowEnd.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"

#include <QEvent>
#include <QVBoxLayout>

namespace {

// A screen as the console names it: its class and, when it has one, its object name.
QString describedScreen(const QObject* screen) {
    if (!screen)
        return QStringLiteral("(none)");
    const QString className = QLatin1String(screen->metaObject()->className());
    const QString name = screen->objectName();
    return name.isEmpty() ? className : QStringLiteral("%1 \"%2\"").arg(className, name);
}

} // namespace

ViewController::ViewController(QObject* parent)
    : QObject(parent)
    , navigationItem_(this) {}

ViewController::~ViewController() {
    if (presented_ && presented_->presenting_ == this)
        presented_->presenting_ = nullptr;
    if (presenting_ && presenting_->presented_ == this)
        presenting_->presented_ = nullptr;
    if (parent_) {
        parent_->children_.removeAll(this);
        parent_->childViewControllerDestroyed(this);
    }
    for (ViewController* child : children_)
        child->parent_ = nullptr;
    if (presentationContainer_)
        presentationContainer_->deleteLater();
    if (view_ && ownsView_)
        delete view_.data();
}

QWidget* ViewController::view() {
    if (!view_) {
        QWidget* built = loadView();
        if (!view_)
            view_ = built ? built : new QWidget();
        view_->installEventFilter(this);
        viewDidLoad();
    }
    return view_;
}

QWidget* ViewController::loadView() {
    auto* widget = new QWidget();
    View::setBackgroundColor(widget, Qt::white);
    return widget;
}

void ViewController::adoptView(QWidget* view, bool owned) {
    view_ = view;
    ownsView_ = owned;
}

void ViewController::setTitle(const QString& title) {
    title_ = title;
    navigationItem_.setTitle(title);
}

bool ViewController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && !inLayout_ &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Show ||
         event->type() == QEvent::LayoutRequest)) {
        if (event->type() == QEvent::LayoutRequest) {
            // Let the widget's own layout settle first, then report.
            const bool handled = QObject::eventFilter(watched, event);
            if (view_->layout())
                view_->layout()->activate();
            layoutIfNeeded();
            return handled;
        }
        layoutIfNeeded();
    }
    return QObject::eventFilter(watched, event);
}

void ViewController::layoutIfNeeded() {
    if (!view_ || inLayout_)
        return;
    inLayout_ = true;
    viewWillLayoutSubviews();
    if (view_ && view_->layout())
        view_->layout()->activate();
    viewDidLayoutSubviews();
    inLayout_ = false;
}

// ---------------------------------------------------------------- appearance

QList<ViewController*> ViewController::childViewControllersForAppearance() const {
    QList<ViewController*> shown;
    for (ViewController* child : children_)
        if (child->isViewLoaded() && view_ && view_->isAncestorOf(child->view_))
            shown.append(child);
    return shown;
}

void ViewController::forwardAppearance(const std::function<void(ViewController*)>& call) {
    if (!shouldAutomaticallyForwardAppearanceMethods())
        return;
    const QList<ViewController*> shown = childViewControllersForAppearance();
    for (const QPointer<ViewController>& child :
         QList<QPointer<ViewController>>(shown.begin(), shown.end()))
        if (child)
            call(child);
}

void ViewController::beginAppearanceTransition(bool isAppearing, bool animated) {
    if (isAppearing) {
        if (appearance_ == Appearance::Appeared || appearance_ == Appearance::Appearing)
            return;
        view();
        appearance_ = Appearance::Appearing;
        viewWillAppear(animated);
        forwardAppearance(
            [animated](ViewController* c) { c->beginAppearanceTransition(true, animated); });
    } else {
        if (appearance_ == Appearance::Disappeared || appearance_ == Appearance::Disappearing)
            return;
        appearance_ = Appearance::Disappearing;
        viewWillDisappear(animated);
        forwardAppearance(
            [animated](ViewController* c) { c->beginAppearanceTransition(false, animated); });
    }
}

void ViewController::endAppearanceTransition() {
    if (appearance_ == Appearance::Appearing) {
        appearance_ = Appearance::Appeared;
        layoutIfNeeded();
        viewDidAppear(false);
        forwardAppearance([](ViewController* c) { c->endAppearanceTransition(); });
    } else if (appearance_ == Appearance::Disappearing) {
        appearance_ = Appearance::Disappeared;
        viewDidDisappear(false);
        forwardAppearance([](ViewController* c) { c->endAppearanceTransition(); });
    }
}

// ---------------------------------------------------------------- children

ViewController* ViewController::parentViewController() const {
    return parent_;
}

void ViewController::addChildViewController(ViewController* child) {
    if (!child || child == this || child->parent_ == this)
        return;
    if (child->parent_)
        child->removeFromParentViewController();
    child->willMoveToParentViewController(this);
    child->parent_ = this;
    if (child->parent() != this)
        child->setParent(this);
    children_.append(child);
}

void ViewController::removeFromParentViewController() {
    if (!parent_)
        return;
    parent_->children_.removeAll(this);
    parent_ = nullptr;
    didMoveToParentViewController(nullptr);
}

void ViewController::embedChildViewController(ViewController* child, QWidget* container) {
    if (!child)
        return;
    addChildViewController(child);
    QWidget* host = container ? container : view();
    QWidget* childView = child->view();
    if (!host->layout()) {
        auto* layout = new QVBoxLayout(host);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
    }
    host->layout()->addWidget(childView);
    childView->show();
    const bool showing =
        appearance_ == Appearance::Appeared || appearance_ == Appearance::Appearing;
    if (showing && shouldAutomaticallyForwardAppearanceMethods()) {
        child->movingToParent_ = true;
        child->beginAppearanceTransition(true, false);
        if (appearance_ == Appearance::Appeared)
            child->endAppearanceTransition();
        child->movingToParent_ = false;
    }
    child->didMoveToParentViewController(this);
}

void ViewController::unembedChildViewController(ViewController* child) {
    if (!child || child->parent_ != this)
        return;
    child->willMoveToParentViewController(nullptr);
    if (child->appearance_ != Appearance::Disappeared) {
        child->movingFromParent_ = true;
        child->beginAppearanceTransition(false, false);
        child->endAppearanceTransition();
        child->movingFromParent_ = false;
    }
    if (child->view_) {
        child->view_->hide();
        child->view_->setParent(nullptr);
    }
    child->removeFromParentViewController();
}

NavigationController* ViewController::navigationController() const {
    for (ViewController* c = parent_; c; c = c->parent_)
        if (auto* nav = qobject_cast<NavigationController*>(c))
            return nav;
    return nullptr;
}

ViewController* ViewController::topLevel() const {
    auto* c = const_cast<ViewController*>(this);
    while (c->parent_)
        c = c->parent_;
    return c;
}

// ---------------------------------------------------------------- presentation

ViewController* ViewController::presentedViewController() const {
    return topLevel()->presented_;
}

ViewController* ViewController::presentingViewController() const {
    return topLevel()->presenting_;
}

bool ViewController::isBeingDismissed() const {
    return beingDismissed_ || (parent_ && topLevel()->beingDismissed_);
}

Window* ViewController::window() const {
    return topLevel()->window_;
}

void ViewController::presentViewController(ViewController* controller, bool animated,
                                           std::function<void()> completion) {
    if (!controller)
        return;
    ViewController* from = topLevel();
    while (from->presented_ && !from->presented_->beingDismissed_)
        from = from->presented_;
    Window* window = from->window_;
    if (!window) {
        window = Window::keyWindow();
        if (!window) {
            Logging::warning(
                tarvelloUi,
                QStringLiteral(
                    "ViewController: cannot present %1 from a screen that is not in a window")
                    .arg(describedScreen(controller)));
            return;
        }
        from = window->topViewController();
    }
    if (controller->presenting_ || controller->parent_) {
        Logging::warning(tarvelloUi,
                         QStringLiteral("ViewController: the screen is already shown %1")
                             .arg(describedScreen(controller)));
        return;
    }
    controller->presenting_ = from;
    from->presented_ = controller;
    controller->window_ = window;
    if (!controller->parent()) {
        controller->setParent(window);
        controller->ownedByPresentation_ = true;
    }
    controller->beingPresented_ = true;
    const bool covers = controller->modalStyle_ == ModalPresentationStyle::FullScreen;
    QPointer<ViewController> below(from);
    QPointer<ViewController> shown(controller);
    if (covers)
        from->beginAppearanceTransition(false, animated);
    controller->beginAppearanceTransition(true, animated);
    window->showPresentation(controller);
    auto finish = [below, shown, covers, completion = std::move(completion)] {
        if (shown) {
            shown->endAppearanceTransition();
            shown->beingPresented_ = false;
        }
        if (covers && below)
            below->endAppearanceTransition();
        if (completion)
            completion();
    };
    if (animated)
        Clock::current().callAfter(kTransitionMs, controller, std::move(finish));
    else
        finish();
}

void ViewController::dismissViewControllerAnimated(bool animated,
                                                   std::function<void()> completion) {
    ViewController* top = topLevel();
    if (top->presented_)
        top->dismissPresented(animated, std::move(completion));
    else if (top->presenting_)
        top->presenting_->dismissPresented(animated, std::move(completion));
    else if (completion)
        completion();
}

namespace {
// Completions waiting for a dismissal already under way, by dismissed screen.
QHash<ViewController*, QList<std::function<void()>>>& pendingDismissals() {
    static QHash<ViewController*, QList<std::function<void()>>> pending;
    return pending;
}
} // namespace

void ViewController::dismissPresented(bool animated, std::function<void()> completion) {
    ViewController* first = presented_;
    if (!first) {
        if (completion)
            completion();
        return;
    }
    if (first->beingDismissed_) {
        // Already leaving: run this completion with the dismissal's own.
        if (completion)
            pendingDismissals()[first].append(std::move(completion));
        return;
    }
    QList<QPointer<ViewController>> chain;
    for (ViewController* c = first; c; c = c->presented_)
        chain.prepend(c);
    bool covers = false;
    for (const auto& c : chain) {
        c->beingDismissed_ = true;
        c->beginAppearanceTransition(false, animated);
        if (c == first)
            covers = c->modalStyle_ == ModalPresentationStyle::FullScreen;
    }
    QPointer<ViewController> below(this);
    if (covers)
        beginAppearanceTransition(true, animated);
    if (completion)
        pendingDismissals()[first].append(std::move(completion));
    ViewController* key = first;
    auto finish = [below, chain, covers, key] {
        for (const auto& c : chain) {
            if (!c)
                continue;
            c->endAppearanceTransition();
            if (Window* window = c->window_)
                window->hidePresentation(c);
            if (c->presenting_ && c->presenting_->presented_ == c)
                c->presenting_->presented_ = nullptr;
            c->presenting_ = nullptr;
            c->window_ = nullptr;
            c->beingDismissed_ = false;
        }
        if (covers && below)
            below->endAppearanceTransition();
        const QList<std::function<void()>> completions = pendingDismissals().take(key);
        for (const auto& c : chain)
            if (c && c->ownedByPresentation_) {
                c->ownedByPresentation_ = false;
                c->deleteLater();
            }
        for (const auto& done : completions)
            done();
    };
    if (animated)
        Clock::current().callAfter(kTransitionMs, nullptr, std::move(finish));
    else
        finish();
}

// ---------------------------------------------------------------- segues

void ViewController::setStoryboardInfo(const QString& storyboard, const QString& identifier) {
    storyboardName_ = storyboard;
    storyboardIdentifier_ = identifier;
}

void ViewController::performSegueWithIdentifier(const QString& identifier, QObject* sender) {
    Storyboard::SegueTarget target;
    if (!Storyboard::findSegue(this, identifier, &target)) {
        Logging::warning(tarvelloUi,
                         QStringLiteral("ViewController: no segue \"%1\" from %2")
                             .arg(identifier, QLatin1String(metaObject()->className())));
        return;
    }
    ViewController* destination = Storyboard::instantiate(target.storyboard, target.identifier);
    if (!destination) {
        Logging::warning(
            tarvelloUi,
            QStringLiteral("ViewController: segue \"%1\" leads to no screen").arg(identifier));
        return;
    }
    StoryboardSegue segue(identifier, this, destination);
    prepareForSegue(segue, sender);
    switch (target.kind) {
    case SegueKind::Push:
        if (NavigationController* nav = qobject_cast<NavigationController*>(this)
                                            ? qobject_cast<NavigationController*>(this)
                                            : navigationController()) {
            nav->pushViewController(destination, true);
            break;
        }
        [[fallthrough]];
    case SegueKind::Modal:
        presentViewController(destination, true);
        break;
    case SegueKind::Embed: {
        const QString name = target.containerName.isEmpty() ? identifier : target.containerName;
        QWidget* container = view()->findChild<QWidget*>(name);
        embedChildViewController(destination, container ? container : view());
        break;
    }
    }
}

FlowEndDelegate* ViewController::flowEndDelegate() const {
    for (const ViewController* level = this; level;) {
        for (const ViewController* c = level; c; c = c->parent_)
            if (auto* delegate = dynamic_cast<FlowEndDelegate*>(const_cast<ViewController*>(c)))
                return delegate;
        level = level->topLevel()->presenting_;
    }
    return nullptr;
}

// ---------------------------------------------------------------- host wrapper

HostViewController::HostViewController(QWidget* hostWidget, QObject* parent)
    : ViewController(parent) {
    adoptView(hostWidget, false);
}

// ---------------------------------------------------------------- traits and status bar

TraitCollection ViewController::traitCollection() const {
    if (parent_)
        if (auto traits = parent_->overrideTraitCollectionForChildViewController(
                const_cast<ViewController*>(this))) {
            TraitCollection inherited = parent_->traitCollection();
            if (traits->horizontalSizeClass)
                inherited.horizontalSizeClass = traits->horizontalSizeClass;
            if (traits->verticalSizeClass)
                inherited.verticalSizeClass = traits->verticalSizeClass;
            return inherited;
        }
    if (parent_)
        return parent_->traitCollection();
    return TraitCollection{isIpad() ? 2 : 1, 2};
}

void ViewController::setOverrideTraitCollection(const TraitCollection& traits,
                                                ViewController* child) {
    if (child)
        childTraits_.insert(child, traits);
}

std::optional<TraitCollection>
ViewController::overrideTraitCollectionForChildViewController(ViewController* child) const {
    const auto it = childTraits_.constFind(child);
    if (it == childTraits_.constEnd())
        return std::nullopt;
    return *it;
}

namespace {
int& applicationStatusBarStyle() {
    static int style = 0;
    return style;
}
bool& applicationStatusBarHidden() {
    static bool hidden = false;
    return hidden;
}
} // namespace

namespace Application {
int statusBarStyle() {
    return applicationStatusBarStyle();
}
void setStatusBarStyle(int style) {
    applicationStatusBarStyle() = style;
}
bool isStatusBarHidden() {
    return applicationStatusBarHidden();
}
void setStatusBarHidden(bool hidden, bool animated) {
    (void)animated;
    applicationStatusBarHidden() = hidden;
}
} // namespace Application
