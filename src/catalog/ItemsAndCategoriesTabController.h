#pragma once

#include "SDK/session/SessionTimer.h"
#include "platform/ui/TabBarController.h"

// The catalog-editing screen: the product list and the category list as tabs.
class ItemsAndCategoriesTabController : public TabBarController, public SessionTimerDelegate {
    Q_OBJECT
public:
    explicit ItemsAndCategoriesTabController(QObject* parent = nullptr);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void showStatusBar();
    // The menu button: opens the side menu of the container holding the screen.
    void revealMenu();
    bool isInstanced() const { return instanced_; }
    // The tabs the scene holds before load, in order: products, categories, discounts.
    void setSceneTabs(const QList<ViewController*>& tabs) { setViewControllers(tabs); }

private:
    bool instanced_ = false;
};
