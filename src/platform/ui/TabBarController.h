#pragma once

#include "platform/ui/ViewController.h"

#include <QColor>
#include <QList>
#include <QPointer>

class QHBoxLayout;
class QPushButton;
class QStackedWidget;

// Tabs of screens over a QStackedWidget with a bar of tab buttons below ("tabBar", each button
// named "tab<i>"). Only the selected screen shows and follows the container's appearance.
class TabBarController : public ViewController {
    Q_OBJECT
public:
    explicit TabBarController(QObject* parent = nullptr);

    QList<ViewController*> viewControllers() const { return tabs_; }
    // Replaces the tabs; tabs no longer listed are deleted. The selection stays in range.
    void setViewControllers(const QList<ViewController*>& controllers);
    ViewController* selectedViewController() const;
    int selectedIndex() const { return selected_; }
    // Shows the tab at the index; an index out of range does nothing.
    void setSelectedIndex(int index);

    // A tab's title on its button.
    void setTabTitle(int index, const QString& title);
    QString tabTitle(int index) const;
    QWidget* tabBar();
    bool isTabBarHidden() const { return tabBarHidden_; }
    void setTabBarHidden(bool hidden);
    QColor tintColor() const { return tint_; }
    void setTintColor(const QColor& color);
    // The button of a tab, as a person taps it.
    QPushButton* tabButton(int index);

    QList<ViewController*> childViewControllersForAppearance() const override;
    void childViewControllerDestroyed(ViewController* child) override;

signals:
    void selectedIndexChanged(int index);

protected:
    QWidget* loadView() override;
    // A tab was chosen by a tap on its button; the default selects it.
    virtual void didSelectTab(int index) { setSelectedIndex(index); }

private:
    void rebuildBar();
    QList<ViewController*> tabs_;
    QList<QString> titles_;
    int selected_ = -1;
    QPointer<QStackedWidget> stacked_;
    QPointer<QWidget> bar_;
    QHBoxLayout* barRow_ = nullptr;
    bool tabBarHidden_ = false;
    QColor tint_;
};
