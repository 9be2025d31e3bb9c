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
    Storyboard::registerViewControllers({
        {inputTabBar, [] { return new InputTabBarViewController(); }},
        {catalogInput, [] { return new CatalogInputBigController(0); }},
        {cart, [] { return new EditIndividualSaleController(); }},
        {editItem, [] { return new CatalogSaleEditItemController(); }},
        {itemDiscount, [] { return new CatalogSaleItemDiscountController(); }},
        {itemsAndCategories,
         [] {
             auto* tabs = new ItemsAndCategoriesTabController();
             tabs->setSceneTabs({new CatalogInputBigController(2), new CategoryListController(),
                                 new CatalogInputBigController(4)});
             return tabs;
         }},
        {keyboardIpad, [] { return new ItemsSaleKeyboardIpadController(); }},
        {saleIpad, [] { return new SaleIpadViewController(); }},
        {catalogSaleSelected, [] { return new CatalogSaleSelectedController(); }},
        {catalogSaleIpad, [] { return new CatalogInputBigController(0); }},
        {favoritesIpad, [] { return new CatalogInputBigController(1); }},
        {saleSplit,
         [] {
             auto* split = new SplitViewController();
             split->setViewControllers(
                 {new NavigationController(Storyboard::instantiate(keyboardIpad)),
                  new NavigationController(Storyboard::instantiate(saleIpad))});
             return split;
         }},
    });
    Storyboard::setInitialViewController(storyboard, inputTabBar.identifier);

    Storyboard::registerSegues({
        {inputTabBar, cartSegue, cart},
        {inputTabBar, confirmSaleSegue, pickPaymentMethod},
        {cart, editItemSegue, editItem},
        {cart, editFreeItemSegue, editFreeItem},
        {cart, applyDiscountSegue, itemDiscount},
        {cart, confirmSaleSegue, pickPaymentMethod},
    });
}
