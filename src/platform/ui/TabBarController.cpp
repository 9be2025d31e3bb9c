#include "platform/ui/TabBarController.h"

#include "platform/ui/View.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

TabBarController::TabBarController(QObject* parent)
    : ViewController(parent)
    , tint_(QColor(0, 122, 255)) {}

QWidget* TabBarController::loadView() {
    auto* widget = new QWidget();
    View::setBackgroundColor(widget, Qt::white);
    auto* column = new QVBoxLayout(widget);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    stacked_ = new QStackedWidget(widget);
    stacked_->setObjectName(QStringLiteral("tabStack"));
    bar_ = new QWidget(widget);
    bar_->setObjectName(QStringLiteral("tabBar"));
    bar_->setFixedHeight(49);
    View::setBackgroundColor(bar_, QColor(247, 247, 247));
    barRow_ = new QHBoxLayout(bar_);
    barRow_->setContentsMargins(0, 0, 0, 0);
    barRow_->setSpacing(0);
    column->addWidget(stacked_, 1);
    column->addWidget(bar_);
    bar_->setVisible(!tabBarHidden_);
    adoptView(widget, true);
    for (ViewController* c : tabs_)
        stacked_->addWidget(c->view());
    if (ViewController* s = selectedViewController())
        stacked_->setCurrentWidget(s->view());
    rebuildBar();
    return widget;
}

void TabBarController::setViewControllers(const QList<ViewController*>& controllers) {
    const bool showing =
        appearanceState() == Appearance::Appeared || appearanceState() == Appearance::Appearing;
    ViewController* old = selectedViewController();
    const QList<ViewController*> previous = tabs_;
    tabs_ = controllers;
    titles_.resize(tabs_.size());
    for (ViewController* c : tabs_) {
        if (c->parentViewController() != this)
            addChildViewController(c);
        if (stacked_ && stacked_->indexOf(c->view()) < 0)
            stacked_->addWidget(c->view());
    }
    if (tabs_.isEmpty())
        selected_ = -1;
    else if (selected_ < 0 || selected_ >= tabs_.size())
        selected_ = 0;
    ViewController* now = selectedViewController();
    if (showing && old && old != now && tabs_.contains(old)) {
        old->beginAppearanceTransition(false, false);
        old->endAppearanceTransition();
    }
    for (ViewController* c : previous) {
        if (tabs_.contains(c))
            continue;
        if (c->appearanceState() != Appearance::Disappeared) {
            c->beginAppearanceTransition(false, false);
            c->endAppearanceTransition();
        }
        if (stacked_ && c->isViewLoaded())
            stacked_->removeWidget(c->view());
        c->removeFromParentViewController();
        c->deleteLater();
    }
    if (stacked_ && now)
        stacked_->setCurrentWidget(now->view());
    if (showing && now && now != old) {
        now->beginAppearanceTransition(true, false);
        now->endAppearanceTransition();
    }
    rebuildBar();
}

ViewController* TabBarController::selectedViewController() const {
    return selected_ >= 0 && selected_ < tabs_.size() ? tabs_.at(selected_) : nullptr;
}

void TabBarController::setSelectedIndex(int index) {
    if (index < 0 || index >= tabs_.size())
        return;
    ViewController* old = selectedViewController();
    ViewController* now = tabs_.at(index);
    selected_ = index;
    if (old == now) {
        rebuildBar();
        return;
    }
    const bool showing =
        appearanceState() == Appearance::Appeared || appearanceState() == Appearance::Appearing;
    if (showing && old)
        old->beginAppearanceTransition(false, false);
    if (showing)
        now->beginAppearanceTransition(true, false);
    if (stacked_)
        stacked_->setCurrentWidget(now->view());
    if (showing && old)
        old->endAppearanceTransition();
    if (showing)
        now->endAppearanceTransition();
    rebuildBar();
    emit selectedIndexChanged(index);
}

void TabBarController::setTabTitle(int index, const QString& title) {
    if (index < 0 || index >= tabs_.size())
        return;
    titles_[index] = title;
    rebuildBar();
}

QString TabBarController::tabTitle(int index) const {
    return index >= 0 && index < titles_.size() ? titles_.at(index) : QString();
}

QWidget* TabBarController::tabBar() {
    view();
    return bar_;
}

void TabBarController::setTabBarHidden(bool hidden) {
    tabBarHidden_ = hidden;
    if (bar_)
        bar_->setVisible(!hidden);
}

void TabBarController::setTintColor(const QColor& color) {
    tint_ = color;
    rebuildBar();
}

QPushButton* TabBarController::tabButton(int index) {
    view();
    return bar_ ? bar_->findChild<QPushButton*>(QStringLiteral("tab%1").arg(index)) : nullptr;
}

QList<ViewController*> TabBarController::childViewControllersForAppearance() const {
    if (ViewController* s = selectedViewController())
        return {s};
    return {};
}

void TabBarController::childViewControllerDestroyed(ViewController* child) {
    const qsizetype at = tabs_.indexOf(child);
    if (at < 0)
        return;
    tabs_.removeAt(at);
    titles_.removeAt(at);
    if (selected_ >= tabs_.size())
        selected_ = int(tabs_.size()) - 1;
}

void TabBarController::rebuildBar() {
    if (!barRow_)
        return;
    while (QLayoutItem* item = barRow_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (int i = 0; i < tabs_.size(); ++i) {
        auto* button = new QPushButton(titles_.value(i), bar_);
        button->setObjectName(QStringLiteral("tab%1").arg(i));
        button->setFlat(true);
        button->setFixedHeight(49);
        const QColor colour = i == selected_ ? tint_ : QColor(146, 146, 146);
        button->setStyleSheet(QStringLiteral("color: %1; border: none;").arg(colour.name()));
        connect(button, &QPushButton::clicked, this, [this, i] { didSelectTab(i); });
        barRow_->addWidget(button, 1);
    }
}
