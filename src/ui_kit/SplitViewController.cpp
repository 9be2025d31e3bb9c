#include "ui_kit/SplitViewController.h"

#include "platform/ui/NavigationController.h"
#include "platform/ui/View.h"

#include <QHBoxLayout>

SplitViewController::SplitViewController(QObject* parent)
    : ViewController(parent) {}

QWidget* SplitViewController::loadView() {
    auto* root = new QWidget();
    auto* row = new QHBoxLayout(root);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    View::setBackgroundColor(root, QColor(200, 200, 200));
    return root;
}

void SplitViewController::setViewControllers(const QList<ViewController*>& controllers) {
    for (ViewController* child : childViewControllers())
        if (!controllers.contains(child)) {
            unembedChildViewController(child);
            child->deleteLater();
        }
    pending_ = controllers;
    if (isViewLoaded())
        placeChildren();
}

void SplitViewController::placeChildren() {
    const QList<ViewController*> children = pending_;
    pending_.clear();
    for (ViewController* child : children)
        if (child->parentViewController() != this)
            embedChildViewController(child, view());
    if (auto* row = qobject_cast<QHBoxLayout*>(view()->layout()))
        if (!children.isEmpty() && children.first()->isViewLoaded()) {
            children.first()->view()->setFixedWidth(primaryColumnWidth_);
            for (int i = 1; i < children.size(); ++i)
                row->setStretchFactor(children.at(i)->view(), 1);
        }
}

void SplitViewController::viewDidLoad() {
    ViewController::viewDidLoad();
    displayMode_ = AllVisible;
    if (!isIpad() && pending_.size() > 1) {
        for (int i = 1; i < pending_.size(); ++i)
            pending_.at(i)->deleteLater();
        pending_ = {pending_.first()};
    }
    placeChildren();
}

void SplitViewController::willTransitionToTraitCollection(const TraitCollection&) {
    displayMode_ = AllVisible;
}

void SplitViewController::viewWillLayoutSubviews() {
    if (isIpad()) {
        const QList<ViewController*> children = childViewControllers();
        if (!children.isEmpty())
            changeTraitsOnViewControllerBasedOnWidth(children.at(0), primaryColumnWidth_);
        if (children.size() >= 2)
            changeTraitsOnViewControllerBasedOnWidth(children.at(1),
                                                     view()->width() - primaryColumnWidth_);
    }
    ViewController::viewWillLayoutSubviews();
}

void SplitViewController::changeTraitsOnViewControllerBasedOnWidth(ViewController* child,
                                                                   double width) {
    const int sizeClass = width < 450 ? 1 : 2;
    TraitCollection traits;
    if (auto existing = overrideTraitCollectionForChildViewController(child))
        traits = *existing;
    traits.horizontalSizeClass = sizeClass;
    setOverrideTraitCollection(traits, child);
}

static ViewController* firstOfStack(ViewController* controller) {
    if (auto* nav = qobject_cast<NavigationController*>(controller))
        return nav->viewControllers().isEmpty() ? nullptr : nav->viewControllers().first();
    return controller;
}

ViewController* SplitViewController::masterController() const {
    const QList<ViewController*> children = childViewControllers();
    return children.isEmpty() ? nullptr : firstOfStack(children.first());
}

ViewController* SplitViewController::detailController() const {
    const QList<ViewController*> children = childViewControllers();
    ViewController* result = nullptr;
    if (children.size() >= 2)
        result = children.at(1);
    else if (!children.isEmpty())
        if (auto* nav = qobject_cast<NavigationController*>(children.first()))
            result = nav->viewControllers().isEmpty() ? nullptr : nav->viewControllers().last();
    return result ? firstOfStack(result) : nullptr;
}
