#include "catalog/CatalogScreens.h"

#include "catalog/CatalogInputBigController.h"
#include "catalog/CatalogSaleEditItemController.h"
#include "catalog/CatalogSaleItemDiscountController.h"
#include "catalog/CatalogSaleSelectedController.h"
#include "catalog/CategoryListController.h"
#include "catalog/EditIndividualSaleController.h"
#include "catalog/InputTabBarViewController.h"
#include "catalog/ItemsAndCategoriesTabController.h"
#include "catalog/ItemsSaleKeyboardIpadController.h"
#include "catalog/SaleIpadViewController.h"
#include "platform/ui/NavigationController.h"
#include "ui_kit/SplitViewController.h"

void CatalogScreens::registerScreens() {
    auto screen = [](const ScreenName& name, Storyboard::Factory factory) {
        Storyboard::registerViewController(name.storyboard, name.identifier, std::move(factory));
    };
    screen(inputTabBar, [] { return new InputTabBarViewController(); });
    Storyboard::setInitialViewController(storyboard, inputTabBar.identifier);
    screen(catalogInput, [] { return new CatalogInputBigController(0); });
    screen(cart, [] { return new EditIndividualSaleController(); });
    screen(editItem, [] { return new CatalogSaleEditItemController(); });
    screen(itemDiscount, [] { return new CatalogSaleItemDiscountController(); });
    screen(itemsAndCategories, [] {
        auto* tabs = new ItemsAndCategoriesTabController();
        tabs->setSceneTabs({new CatalogInputBigController(2), new CategoryListController(),
                            new CatalogInputBigController(4)});
        return tabs;
    });
    screen(keyboardIpad, [] { return new ItemsSaleKeyboardIpadController(); });
    screen(saleIpad, [] { return new SaleIpadViewController(); });
    screen(catalogSaleSelected, [] { return new CatalogSaleSelectedController(); });
    screen(catalogSaleIpad, [] { return new CatalogInputBigController(0); });
    screen(favoritesIpad, [] { return new CatalogInputBigController(1); });
    screen(saleSplit, [] {
        auto* split = new SplitViewController();
        split->setViewControllers({new NavigationController(Storyboard::instantiate(keyboardIpad)),
                                   new NavigationController(Storyboard::instantiate(saleIpad))});
        return split;
    });

    auto segue = [](const ScreenName& from, QLatin1StringView identifier, const ScreenName& to) {
        Storyboard::registerSegue(from.storyboard, from.identifier, identifier,
                                  {to.storyboard, to.identifier, SegueKind::Push, {}});
    };
    segue(inputTabBar, cartSegue, cart);
    segue(inputTabBar, confirmSaleSegue, pickPaymentMethod);
    segue(cart, editItemSegue, editItem);
    segue(cart, editFreeItemSegue, editFreeItem);
    segue(cart, applyDiscountSegue, itemDiscount);
    segue(cart, confirmSaleSegue, pickPaymentMethod);
}
