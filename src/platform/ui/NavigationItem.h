#pragma once

#include <QIcon>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

// One button of a navigation bar. Its button carries objectName, so tests and screens find it.
struct BarButtonItem {
    QString title;
    QString objectName;
    std::function<void()> action;
    QIcon icon;
    bool enabled = true;
};

// What a screen shows in the navigation bar while it is on top: title or title view, bar
// buttons, and the back button title the next screen shows.
class NavigationItem : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    QString title() const { return title_; }
    void setTitle(const QString& title);
    QWidget* titleView() const { return titleView_; }
    void setTitleView(QWidget* view);
    QList<BarButtonItem> leftBarButtonItems() const { return left_; }
    void setLeftBarButtonItems(const QList<BarButtonItem>& items);
    void setLeftBarButtonItem(const BarButtonItem& item) { setLeftBarButtonItems({item}); }
    QList<BarButtonItem> rightBarButtonItems() const { return right_; }
    void setRightBarButtonItems(const QList<BarButtonItem>& items);
    void setRightBarButtonItem(const BarButtonItem& item) { setRightBarButtonItems({item}); }
    // The title of the back button that leads back to this screen; empty shows the default.
    QString backBarButtonTitle() const { return backTitle_; }
    void setBackBarButtonTitle(const QString& title);
    bool hidesBackButton() const { return hidesBackButton_; }
    void setHidesBackButton(bool hides);

signals:
    void changed();

private:
    QString title_;
    QPointer<QWidget> titleView_;
    QList<BarButtonItem> left_;
    QList<BarButtonItem> right_;
    QString backTitle_;
    bool hidesBackButton_ = false;
};
