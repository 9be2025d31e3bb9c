#include "CatalogFixture.h"
#include "catalog/CatalogInputBigController.h"
#include "catalog/CatalogScreens.h"
#include "catalog/EditIndividualSaleController.h"
#include "catalog/InputTabBarViewController.h"
#include "catalog/ItemTableViewCell.h"
#include "ui_kit/AlertController.h"

#include <QPointer>

using namespace catalogtest;

namespace {

// The manual amount tab another area provides.
class StubManualTab : public ViewController, public InputTabBarChild {
public:
    void setChildDelegate(InputTabBarChildControllersDelegate* delegate) override {
        childDelegate = delegate;
    }
    void cleanSale() override { ++cleaned; }
    InputTabBarChildControllersDelegate* childDelegate = nullptr;
    int cleaned = 0;
};

class TabBar : public CatalogTest {
protected:
    void SetUp() override {
        CatalogTest::SetUp();
        source->products = {
            QVariantMap{{"productId", 11}, {"productName", "Café"}, {"productPrice", 12.5}},
            QVariantMap{{"productId", 12}, {"productName", "Té"}, {"productPrice", 8}}};
    }
    void show() {
        tabBar = qobject_cast<InputTabBarViewController*>(
            Storyboard::instantiate(CatalogScreens::inputTabBar));
        ASSERT_TRUE(tabBar);
        navigation = new NavigationController(tabBar);
        window.setRootViewController(navigation);
        window.widget()->resize(375, 667);
        window.makeKeyAndVisible();
        clock->advance(500);
    }
    CatalogInputBigController* catalogTab() {
        return qobject_cast<CatalogInputBigController*>(tabBar->catalogInputViewController());
    }

    Window window;
    QPointer<NavigationController> navigation;
    QPointer<InputTabBarViewController> tabBar;
};

} // namespace

TEST_F(TabBar, CatalogRowsAddUnitsAndTheCartCleansBackToTheTabBar) {
    show();
    TableView* table = catalogTab()->tableView();
    ASSERT_EQ(table->numberOfRowsInSection(0), 2);
    table->tapRowAtIndexPath({0, 0});
    table->tapRowAtIndexPath({0, 0});
    table->tapRowAtIndexPath({0, 1});
    ASSERT_EQ(sale().items().size(), 2u);
    EXPECT_EQ(sale().items().at(0)->quantity(), 2);
    EXPECT_EQ(tabBar->summaryLabel()->text(), QStringLiteral("3 \u00B7 $ 33.00"));
    auto* row = qobject_cast<ItemTableViewCell*>(table->cellForRowAtIndexPath({0, 0}));
    ASSERT_TRUE(row);
    EXPECT_EQ(row->quantityButton()->text(), QStringLiteral("2"));
    EXPECT_FALSE(tabBar->isTabBarHidden()); // the manual amount tab sits beside the catalog

    tabBar->cartButton()->click();
    clock->advance(500);
    auto* cart = qobject_cast<EditIndividualSaleController*>(navigation->topViewController());
    ASSERT_TRUE(cart);
    EXPECT_EQ(cart->salesTable()->numberOfRowsInSection(0), 2);
    // Only two screens: cleaning finds the tab bar below and returns to it.
    cart->navigationItem()->rightBarButtonItems().first().action(); // edit
    clock->advance(400);
    cart->deleteItemButton()->click();
    clock->advance(400);
    ASSERT_TRUE(shownAlert(cart));
    shownAlert(cart)->tapButtonWithTitle("Vaciar carrito");
    clock->advance(1000);
    EXPECT_EQ(navigation->topViewController(), tabBar);
    EXPECT_TRUE(sale().items().empty());
    EXPECT_EQ(tabBar->summaryLabel()->text(), QStringLiteral("$ 0.00"));
    EXPECT_FALSE(tabBar->cartButton()->isEnabled());
}

TEST_F(TabBar, ManualTabDelegatesProcessingAndDemoAlert) {
    StubManualTab* manual = nullptr;
    Storyboard::registerViewController(CatalogScreens::manualInput.storyboard,
                                       CatalogScreens::manualInput.identifier, [&manual] {
                                           manual = new StubManualTab();
                                           return manual;
                                       });
    show();
    Storyboard::removeViewController(CatalogScreens::manualInput.storyboard,
                                     CatalogScreens::manualInput.identifier);
    ASSERT_TRUE(manual);
    EXPECT_EQ(manual->childDelegate, tabBar.data());
    EXPECT_EQ(tabBar->viewControllers().size(), 2);
    EXPECT_FALSE(tabBar->isTabBarHidden());
    tabBar->tabButton(1)->click();
    EXPECT_EQ(tabBar->selectedIndex(), 1);
    EXPECT_FALSE(tabBar->inputTabBarChildIsCatalogVisible(manual));

    // The tab's first non-zero key adds its line; the tab bar knows it then.
    ItemPtr typed = line("", "", 0.05);
    EXPECT_FALSE(tabBar->inputTabBarChildIsItemDuplicated(manual, typed));
    tabBar->inputTabBarChildWillAddItem(manual, typed);
    EXPECT_TRUE(tabBar->inputTabBarChildIsItemDuplicated(manual, typed));
    EXPECT_TRUE(tabBar->inputTabBarChildWillChangeParentTitle(manual, "Realizar venta"));
    EXPECT_EQ(tabBar->title(), QStringLiteral("Realizar venta"));

    // Processing goes to the payment-method screen by name, once it is registered.
    ViewController* payment = nullptr;
    Storyboard::removeViewController(CatalogScreens::pickPaymentMethod.storyboard,
                                     CatalogScreens::pickPaymentMethod.identifier);
    tabBar->inputTabBarChildWillProcessSaleWithAction(manual, nullptr); // not there: stays
    clock->advance(500);
    EXPECT_EQ(navigation->topViewController(), tabBar);
    Storyboard::registerViewController(CatalogScreens::pickPaymentMethod.storyboard,
                                       CatalogScreens::pickPaymentMethod.identifier,
                                       [&payment] { return payment = new ViewController(); });
    tabBar->inputTabBarChildWillProcessSaleWithAction(manual, nullptr);
    clock->advance(500);
    Storyboard::removeViewController(CatalogScreens::pickPaymentMethod.storyboard,
                                     CatalogScreens::pickPaymentMethod.identifier);
    EXPECT_EQ(navigation->topViewController(), payment);
    navigation->popViewControllerAnimated(false);

    tabBar->cleanSale();
    EXPECT_EQ(manual->cleaned, 1);
    EXPECT_TRUE(sale().items().empty());

    tabBar->demoAlert();
    clock->advance(500);
    auto* alert = qobject_cast<AlertController*>(tabBar->presentedViewController());
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->message(), QStringLiteral("¿Querés hacer una prueba del lector antes de "
                                               "empezar a vender? No se cobra nada."));
}
