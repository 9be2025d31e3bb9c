#include "catalog/ItemsAndCategoriesTabController.h"

#include "catalog/CatalogLook.h"

ItemsAndCategoriesTabController::ItemsAndCategoriesTabController(QObject* parent)
    : TabBarController(parent) {}

void ItemsAndCategoriesTabController::viewDidLoad() {
    showStatusBar();
    QList<ViewController*> tabs = viewControllers();
    if (tabs.size() > 2) {
        tabs.removeAt(2);
        setViewControllers(tabs);
    }
}

void ItemsAndCategoriesTabController::viewWillAppear(bool animated) {
    TabBarController::viewWillAppear(animated);
    setTabBarHidden(false);
    setTitle(CatalogLook::text("Menu", "editarCatalogo"));
    navigationItem()->setTitle(title());
    setTintColor(CatalogLook::mainColor());
    setTabTitle(0, CatalogLook::text("Menu", "editarCatalogo"));
    setTabTitle(1, CatalogLook::text("CategoriesList", "categories"));
    if (!instanced_) {
        instanced_ = true;
        setSelectedIndex(1);
        setSelectedIndex(0);
    }
}

void ItemsAndCategoriesTabController::viewDidAppear(bool animated) {
    TabBarController::viewDidAppear(animated);
    SessionTimer::instance().setDelegate(this);
}

void ItemsAndCategoriesTabController::showStatusBar() {
    setNeedsStatusBarAppearanceUpdate();
}

void ItemsAndCategoriesTabController::revealMenu() {
    showSlidingMenu();
}
