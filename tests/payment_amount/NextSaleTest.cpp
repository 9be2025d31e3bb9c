#include "AmountFixture.h"

#include "catalog/CatalogScreens.h"
#include "catalog/InputTabBarViewController.h"
#include "model/CatalogSource.h"
#include "payment/flow/ManualInputViewController.h"
#include "payment/flow/PaymentDoneController.h"
#include "payment/flow/PaymentViewController.h"
#include "payment/signature_receipts/SignatureReceiptScreens.h"
#include "platform/ui/SlidingViewController.h"

#include <QPushButton>

using namespace amounttest;

namespace {

// The tab bar's catalog tab: an empty catalog, at once.
class EmptyCatalog : public CatalogSource {
public:
    void fetchCategories(const QString&, const QString&, Completion completion) override {
        completion(R"({"success": "OK", "data": []})");
    }
    void fetchProducts(const QString&, const QString&, Completion completion) override {
        completion(R"({"success": "OK", "data": []})");
    }
};

// A sale typed on the application's entry screens, paid, and ended on the result screen.
class NextSale : public AmountTest {
protected:
    void TearDown() override {
        AmountTest::TearDown();
        Services::set<CatalogSource>(nullptr);
    }
    // Presents the result screen (which takes the shared sale) over the top screen and taps
    // its new-sale button.
    void endPaymentOver(ViewController* top) {
        auto* result = qobject_cast<PaymentDoneController*>(
            Storyboard::instantiate(SignatureReceiptScreens::paymentDone));
        ASSERT_NE(result, nullptr);
        top->presentViewController(result, false);
        settle();
        result->outlet<QPushButton>("continueButton")->click();
        settle();
    }
    void tapKeypad(PaymentViewController* keypad, const QStringList& digits) {
        for (const QString& digit : digits)
            keypad->outlet<QPushButton>(QStringLiteral("button") + digit)->click();
    }
    void tapManual(ManualInputViewController* tab, const QStringList& digits) {
        for (const QString& digit : digits)
            tab->outlet<QPushButton>(QStringLiteral("key") + digit)->click();
    }
};

} // namespace

TEST_F(NextSale, TheKeypadUnderTheSideMenuStartsEmptyAfterThePayment) {
    auto* keypad = qobject_cast<PaymentViewController*>(
        Storyboard::instantiate("Payment", "PaymentViewController"));
    ASSERT_NE(keypad, nullptr);
    auto* navigation = new MainNavigationController(keypad);
    auto* container = new SlidingViewController();
    container->setUnderLeftViewController(new ViewController());
    container->setTopViewController(navigation);
    window.setRootViewController(container);
    window.makeKeyAndVisible();
    settle();

    tapKeypad(keypad, {"1", "2", "5"});
    keypad->navigationItem()->rightBarButtonItems().first().action(); // the line goes in
    tapKeypad(keypad, {"7"});
    keypad->itemDescription()->setText("Café");
    keypad->outlet<QPushButton>("collectButton")->click();
    settle();
    ASSERT_EQ(sale().items().size(), 2u);

    endPaymentOver(navigation->topViewController());
    // Reset at once, not only when the keypad shows again.
    EXPECT_TRUE(sale().items().empty());
    EXPECT_EQ(keypad->amount()->text(), "$ 0.00");
    EXPECT_EQ(keypad->itemDescription()->text(), "");
    EXPECT_DOUBLE_EQ(keypad->currentItem()->product()->price()->doubleValue(), 0);

    navigation->popToRootViewControllerAnimated(false);
    settle();
    tapKeypad(keypad, {"5"});
    EXPECT_EQ(keypad->amount()->text(), "$ 0.05");
    keypad->outlet<QPushButton>("collectButton")->click();
    settle();
    ASSERT_EQ(sale().items().size(), 1u) << "no line of the paid sale comes back";
    EXPECT_DOUBLE_EQ(sale().subtotal()->doubleValue(), 0.05);
}

TEST_F(NextSale, TheManualTabStartsItsDefaultLineAfterThePayment) {
    Services::set<CatalogSource>(std::make_shared<EmptyCatalog>());
    CatalogScreens::registerScreens();
    PaymentFlowScreens::registerScreens();
    auto* tabs = qobject_cast<InputTabBarViewController*>(
        Storyboard::instantiate(CatalogScreens::inputTabBar));
    ASSERT_NE(tabs, nullptr);
    auto* navigation = showInNavigation(tabs);
    tabs->setSelectedIndex(1);
    settle();
    auto* tab = qobject_cast<ManualInputViewController*>(tabs->selectedViewController());
    ASSERT_NE(tab, nullptr);

    tapManual(tab, {"4", "0", "0"});
    tab->outlet<TextField>("itemDescriptionField")->setText("Pan");
    tab->textFieldShouldReturn(tab->outlet<TextField>("itemDescriptionField"));
    ASSERT_EQ(sale().items().size(), 1u);
    const ItemPtr paidLine = tab->currentItem();

    endPaymentOver(navigation);
    EXPECT_TRUE(sale().items().empty());
    EXPECT_NE(tab->currentItem(), paidLine);
    EXPECT_DOUBLE_EQ(tab->currentItem()->product()->price()->doubleValue(), 0);
    EXPECT_TRUE(tab->currentItem()->isCustomAmount());
    EXPECT_EQ(tab->outlet<TextField>("saleCostTotalField")->text(), "$ 0.00");
    EXPECT_EQ(tab->outlet<TextField>("itemDescriptionField")->text(), "");

    // The next amount starts from zero as a new line; the paid one stays as it was paid.
    tapManual(tab, {"3"});
    EXPECT_EQ(tab->outlet<TextField>("saleCostTotalField")->text(), "$ 0.03");
    ASSERT_EQ(sale().items().size(), 1u);
    EXPECT_DOUBLE_EQ(sale().subtotal()->doubleValue(), 0.03);
    EXPECT_DOUBLE_EQ(paidLine->product()->price()->doubleValue(), 4);
}
