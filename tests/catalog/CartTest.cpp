#include "CatalogFixture.h"
#include "catalog/CatalogSaleEditItemController.h"
#include "catalog/CatalogScreens.h"
#include "catalog/EditIndividualSaleController.h"
#include "catalog/IndividualSaleCell.h"
#include "catalog/InputTabBarProtocol.h"
#include "catalog/SaleLineReceivers.h"
#include "platform/ui/View.h"
#include "ui_kit/TutorialHint.h"

#include <QAbstractButton>
#include <QPointer>

using namespace catalogtest;

namespace {

// The tab bar two below the cart.
class StubTabBar : public ViewController, public InputTabBarProtocol {
public:
    void addItemSkipReloadCatalog(const ItemPtr&, bool) override {}
    void updateSaleComponent() override {}
    void cleanSale() override { ++cleaned; }
    int selectedIndex() const override { return 0; }
    void tryToProcessSale() override {}
    int cleaned = 0;
};

// The editor of typed-in lines, which another area provides.
class StubFreeEditor : public ViewController, public FreeItemEditor {
public:
    void setItemToModify(const ItemPtr& item) override { received = item; }
    ItemPtr received;
};

class Cart : public CatalogTest {
protected:
    void SetUp() override {
        CatalogTest::SetUp();
        tabBar = new StubTabBar();
        cart = qobject_cast<EditIndividualSaleController*>(
            Storyboard::instantiate(CatalogScreens::cart));
        ASSERT_TRUE(cart);
    }
    // Shows the stack tab bar, a list, the cart.
    void show(bool withTabBar = true) {
        QList<ViewController*> stack;
        if (withTabBar)
            stack = {tabBar, new ViewController()};
        else
            delete tabBar;
        stack.append(cart);
        navigation = new NavigationController();
        navigation->setViewControllers(stack, false);
        window.setRootViewController(navigation);
        window.widget()->resize(375, 667);
        window.makeKeyAndVisible();
        clock->advance(1000);
    }
    void addLines(int n) {
        const char* names[] = {"Café", "Té", "Pan", "Jugo", "Agua"};
        for (int i = 0; i < n; ++i)
            sale().addItem(line(names[i], QString::number(i + 1), 10.0 * (i + 1), 1));
    }
    // The right bar button: edit, or done while editing.
    QString rightButton() {
        const QList<BarButtonItem> items = cart->navigationItem()->rightBarButtonItems();
        return items.isEmpty() ? QString() : items.first().objectName;
    }
    void tapEdit() {
        const QList<BarButtonItem> items = cart->navigationItem()->rightBarButtonItems();
        ASSERT_FALSE(items.isEmpty());
        ASSERT_TRUE(items.first().enabled);
        items.first().action();
    }
    QPushButton* confirmButton() {
        return cart->view()->findChild<QPushButton*>(QStringLiteral("confirmButton"));
    }
    void tapRow(int row) { cart->salesTable()->tapRowAtIndexPath({0, row}); }
    int rows() { return cart->salesTable()->numberOfRowsInSection(0); }

    Window window;
    QPointer<NavigationController> navigation;
    StubTabBar* tabBar = nullptr;
    QPointer<EditIndividualSaleController> cart;
};

} // namespace

TEST_F(Cart, CheckingLinesSetsTheButtons) {
    addLines(4);
    show();
    EXPECT_EQ(cart->deleteItemButton()->text(), QStringLiteral("Vaciar carrito"));
    tapEdit();
    clock->advance(400);
    ASSERT_TRUE(cart->isEditing());
    EXPECT_EQ(cart->editToolbarBottom(), 0);

    tapRow(0);
    EXPECT_TRUE(cart->modifyItemButton()->isEnabled());
    EXPECT_TRUE(cart->discountItemButton()->isEnabled());
    EXPECT_EQ(cart->deleteItemButton()->text(), QStringLiteral("Eliminar (1)"));
    tapRow(1);
    tapRow(2);
    EXPECT_EQ(cart->deleteItemButton()->text(), QStringLiteral("Eliminar (3)"));
    EXPECT_FALSE(cart->modifyItemButton()->isEnabled());
    EXPECT_FALSE(cart->discountItemButton()->isEnabled());
    tapRow(1); // unchecks
    tapRow(2);
    EXPECT_EQ(cart->checkedItems().size(), 1u);
    EXPECT_TRUE(cart->modifyItemButton()->isEnabled());
    tapRow(0);
    EXPECT_EQ(cart->deleteItemButton()->text(), QStringLiteral("Vaciar carrito"));
}

TEST_F(Cart, RemovingSomeLinesFadesTheNewSubtotalAndEndsEditing) {
    addLines(4); // 10 + 20 + 30 + 40
    show();
    EXPECT_EQ(cart->total()->text(), QStringLiteral("$ 100.00"));
    tapEdit();
    clock->advance(400);
    tapRow(1);
    tapRow(3);
    cart->deleteItemButton()->click();
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(sale().items().size(), 2u);
    clock->advance(300); // faded out: the new text goes in
    EXPECT_EQ(cart->total()->text(), QStringLiteral("$ 40.00"));
    clock->advance(400);
    EXPECT_FALSE(cart->isEditing());
    EXPECT_EQ(cart->editToolbarBottom(), -EditIndividualSaleController::kToolbarHeight);
    EXPECT_EQ(rightButton(), QStringLiteral("editButton"));
}

TEST_F(Cart, AllOrNoneCheckedAsksBeforeCleaning) {
    addLines(2);
    show();
    tapEdit();
    clock->advance(400);
    tapRow(0);
    tapRow(1);
    cart->deleteItemButton()->click();
    clock->advance(400);
    SystemAlert* sheet = shownAlert(cart);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->preferredStyle(), SystemAlert::Style::ActionSheet);
    ASSERT_TRUE(sheet->tapButtonWithTitle("Cancelar"));
    clock->advance(400);
    EXPECT_EQ(sale().items().size(), 2u);
    EXPECT_EQ(tabBar->cleaned, 0);

    cart->deleteItemButton()->click();
    clock->advance(400);
    sheet = shownAlert(cart);
    ASSERT_TRUE(sheet);
    ASSERT_TRUE(sheet->tapButtonWithTitle("Vaciar carrito"));
    clock->advance(1000);
    EXPECT_TRUE(sale().items().empty());
    EXPECT_EQ(tabBar->cleaned, 1);
    EXPECT_EQ(navigation->topViewController(), tabBar);
}

TEST_F(Cart, AppearanceDropsEmptiedLinesAndRecomputes) {
    addLines(3);
    show();
    ItemPtr second = sale().items().at(1);
    ItemPtr third = sale().items().at(2);
    // An editor changed lines in place while another screen was on top.
    auto* other = new ViewController();
    navigation->pushViewController(other, false);
    second->setQuantity(0);
    third->setDiscountPercentage(0.5); // 30 -> 15
    navigation->popViewControllerAnimated(false);
    clock->advance(500);
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(cart->total()->text(), QStringLiteral("$ 25.00"));
}

TEST_F(Cart, TheOnlyLineBackAtZeroReturnsToTheTabBar) {
    addLines(1);
    show();
    auto* other = new ViewController();
    navigation->pushViewController(other, false);
    sale().items().front()->setQuantity(0);
    navigation->popViewControllerAnimated(false);
    clock->advance(1000);
    EXPECT_TRUE(sale().items().empty());
    EXPECT_EQ(tabBar->cleaned, 1);
    EXPECT_EQ(navigation->topViewController(), tabBar);
}

TEST_F(Cart, CleaningInAShortStackPopsToTheRootAndStillCleans) {
    addLines(2);
    show(false); // the cart alone
    tapEdit();
    clock->advance(400);
    cart->deleteItemButton()->click();
    clock->advance(400);
    ASSERT_TRUE(shownAlert(cart));
    shownAlert(cart)->tapButtonWithTitle("Vaciar carrito");
    clock->advance(1000);
    EXPECT_TRUE(sale().items().empty());
}

TEST_F(Cart, EditSwitchesOnceForADoubleTapAndRecoversFromACutSlide) {
    addLines(2);
    show();
    tapEdit();
    EXPECT_EQ(rightButton(), QStringLiteral("doneButton"));
    tapEdit(); // a second tap while switching is ignored
    clock->advance(400);
    EXPECT_TRUE(cart->isEditing());
    EXPECT_FALSE(cart->isModifying());
    tapEdit(); // off
    clock->advance(400);
    EXPECT_FALSE(cart->isEditing());
    EXPECT_FALSE(cart->isModifying());
}

TEST_F(Cart, ModifyOpensTheEditorForTheLineKind) {
    StubFreeEditor* freeEditor = nullptr;
    Storyboard::registerViewController(CatalogScreens::editFreeItem.storyboard,
                                       CatalogScreens::editFreeItem.identifier, [&freeEditor] {
                                           freeEditor = new StubFreeEditor();
                                           return freeEditor;
                                       });
    sale().addItem(line("Monto", "", 15, 1));
    sale().addItem(line("Pan", "7", 3, 2));
    show();
    tapEdit();
    clock->advance(400);
    tapRow(0);
    cart->modifyItemButton()->click();
    clock->advance(500);
    ASSERT_TRUE(freeEditor);
    EXPECT_EQ(freeEditor->received, sale().items().at(0));
    EXPECT_EQ(navigation->topViewController(), freeEditor);
    navigation->popViewControllerAnimated(false);
    clock->advance(1500);
    Storyboard::removeViewController(CatalogScreens::editFreeItem.storyboard,
                                     CatalogScreens::editFreeItem.identifier);

    tapEdit();
    clock->advance(400);
    tapRow(1);
    cart->modifyItemButton()->click();
    clock->advance(500);
    auto* editor = qobject_cast<CatalogSaleEditItemController*>(navigation->topViewController());
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->item(), sale().items().at(1));
}

TEST_F(Cart, TutorialStepsAndTheirEnd) {
    AccountSettings::instance().setTutorialAmount(false);
    ViewController* payment = nullptr;
    Storyboard::registerViewController(CatalogScreens::pickPaymentMethod.storyboard,
                                       CatalogScreens::pickPaymentMethod.identifier,
                                       [&payment] { return payment = new ViewController(); });
    addLines(3);
    show();
    EXPECT_EQ(cart->tutorialStep(), 1);
    EXPECT_TRUE(cart->navigationItem()->hidesBackButton());
    tapEdit();
    EXPECT_EQ(cart->tutorialStep(), 2);
    ASSERT_TRUE(cart->tutorialNavBar());
    clock->advance(600);
    tapRow(0); // the first line alone does not go on, nor enable modify during the tutorial
    EXPECT_EQ(cart->tutorialStep(), 2);
    EXPECT_FALSE(cart->modifyItemButton()->isEnabled());
    tapRow(0);
    tapRow(1); // exactly the second line
    EXPECT_EQ(cart->tutorialStep(), 3);
    EXPECT_TRUE(View::viewWithTag(cart->view(), 555));
    EXPECT_TRUE(cart->salesTable()->isHidden());
    cart->deleteItemButton()->click();
    EXPECT_FALSE(cart->salesTable()->isHidden());
    EXPECT_EQ(rows(), 2);
    clock->advance(350 + 499);
    EXPECT_EQ(cart->tutorialStep(), 3);
    clock->advance(1);
    EXPECT_EQ(cart->tutorialStep(), 4);
    EXPECT_FALSE(cart->navigationItem()->rightBarButtonItems().first().enabled);
    confirmButton()->click();
    clock->advance(600);
    EXPECT_EQ(cart->tutorialStep(), 0);
    EXPECT_EQ(navigation->topViewController(), payment);
    Storyboard::removeViewController(CatalogScreens::pickPaymentMethod.storyboard,
                                     CatalogScreens::pickPaymentMethod.identifier);
    EXPECT_FALSE(AccountSettings::instance().tutorialAmount()); // reaching the end marks nothing
}

TEST_F(Cart, SkippingTheTutorialMarksEveryTutorialDone) {
    AccountSettings::instance().setTutorialAmount(false);
    addLines(2);
    show();
    tapEdit();
    clock->advance(600);
    ASSERT_TRUE(cart->tutorialNavBar());
    cart->tutorialNavBar()->endTutorialButton()->click();
    clock->advance(400);
    SystemAlert* question = shownAlert(cart);
    ASSERT_TRUE(question);
    EXPECT_EQ(question->message(), QStringLiteral("¿Desea omitir la guía?"));
    ASSERT_TRUE(question->tapButtonWithTitle("Continuar guía"));
    clock->advance(400);
    EXPECT_EQ(cart->tutorialStep(), 2);
    cart->tutorialNavBar()->endTutorialButton()->click();
    clock->advance(400);
    ASSERT_TRUE(shownAlert(cart)->tapButtonWithTitle("Si, omitir"));
    clock->advance(600);
    EXPECT_EQ(cart->tutorialStep(), 0);
    EXPECT_TRUE(AccountSettings::instance().tutorialAmount());
    EXPECT_FALSE(cart->navigationItem()->hidesBackButton());
}
