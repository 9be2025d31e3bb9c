#include "platform/ui/NavigationItem.h"

void NavigationItem::setTitle(const QString& title) {
    title_ = title;
    emit changed();
}

void NavigationItem::setTitleView(QWidget* view) {
    titleView_ = view;
    emit changed();
}

void NavigationItem::setLeftBarButtonItems(const QList<BarButtonItem>& items) {
    left_ = items;
    emit changed();
}

void NavigationItem::setRightBarButtonItems(const QList<BarButtonItem>& items) {
    right_ = items;
    emit changed();
}

void NavigationItem::setBackBarButtonTitle(const QString& title) {
    backTitle_ = title;
    emit changed();
}

void NavigationItem::setHidesBackButton(bool hides) {
    hidesBackButton_ = hides;
    emit changed();
}
