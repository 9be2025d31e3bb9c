#include "CatalogFixture.h"
#include "catalog/CatalogSaleSelectedController.h"
#include "catalog/CatalogScreens.h"
#include "catalog/IpadSaleView.h"
#include "catalog/ItemsSaleKeyboardIpadController.h"
#include "catalog/SaleIpadViewController.h"
#include "ui_kit/SplitViewController.h"

#include <QPointer>
#include <QPushButton>

using namespace catalogtest;

namespace {

// A sale view that records what it is told, in order.
class RecordingSaleView : public ViewController, public IpadSaleView {
public:
    RecordingSaleView() { table = new TableView(view()); }
    TableView* tableView() override { return table; }
    void updateSelectedSaleProductIpad(const ProductPtr&, int quantity) override {
        calls << QStringLiteral("update %1").arg(quantity);
    }
    void updateManualEntryDescriptionIpad(const QString& text, IndexPath) override {
        calls << QStringLiteral("describe ") + text;
    }
    void removeSelectedSaleProductIpad(const ProductPtr&, IndexPath) override {
        calls << QStringLiteral("removeProduct");
    }
    void removeManualEntryIpad(IndexPath) override { calls << QStringLiteral("removeEntry"); }
    ItemPtr itemAtIndexpath(IndexPath) override {
        calls << QStringLiteral("itemAt");
        return manualLine;
    }
    void addManualEntryIpad(const QString& text) override {
        calls << QStringLiteral("add ") + text;
    }
    bool isMainCurrency() override { return mainCurrency; }
    void refreshSaleView() override { calls << QStringLiteral("refresh"); }
    void editUpdateItem(const ItemPtr&) override {}
    void deleteItem(const ItemPtr&) override { calls << QStringLiteral("deleteItem"); }

    TableView* table;
    QStringList calls;
    ItemPtr manualLine = line("Monto", "", 5);
    bool mainCurrency = true;
};

class Pad : public CatalogTest {
protected:
    void SetUp() override {
        CatalogTest::SetUp();
        Device::current().setIdiom(Device::Idiom::Pad);
    }
    // outer split [menu, inner split [keypad column, sale column]] as the pad layout holds them.
    void build(ViewController* saleView) {
        keypad = qobject_cast<ItemsSaleKeyboardIpadController*>(
            Storyboard::instantiate(CatalogScreens::keyboardIpad));
        inner = new SplitViewController();
        inner->setViewControllers(
            {new NavigationController(keypad), new NavigationController(saleView)});
        outer = new SplitViewController();
        outer->setViewControllers({new ViewController(), inner});
        window.setRootViewController(outer);
        window.widget()->resize(1024, 768);
        window.makeKeyAndVisible();
        clock->advance(500);
    }
    CatalogSaleSelectedController* openPopover(const ItemPtr& item) {
        auto* popover = qobject_cast<CatalogSaleSelectedController*>(
            Storyboard::instantiate(CatalogScreens::catalogSaleSelected));
        popover->setSelectedItem(item);
        outer->presentViewController(new NavigationController(popover), false);
        clock->advance(500);
        return popover;
    }
    void key(const QString& name) {
        auto* button = keypad->view()->findChild<QPushButton*>(name);
        ASSERT_TRUE(button) << name.toStdString();
        button->click();
    }

    Window window;
    QPointer<ItemsSaleKeyboardIpadController> keypad;
    QPointer<SplitViewController> inner;
    QPointer<SplitViewController> outer;
};

} // namespace

TEST_F(Pad, PopoverReportsOnlyRealChangesInOrder) {
    auto* view = new RecordingSaleView();
    build(view);
    ItemPtr item = line("Pan", "7", 3, 3);

    auto* popover = openPopover(item);
    popover->addButton()->click();
    popover->addButton()->click();
    popover->done();
    clock->advance(500);
    EXPECT_EQ(view->calls, QStringList{"update 5"});

    view->calls.clear();
    popover = openPopover(item);
    popover->addButton()->click();
    popover->substractButton()->click();
    popover->done();
    clock->advance(500);
    EXPECT_TRUE(view->calls.isEmpty());

    view->table->selectRowAtIndexPath(IndexPath{0, 0});
    popover = openPopover(item);
    popover->removeItemButton()->click();
    clock->advance(500);
    EXPECT_EQ(view->calls, (QStringList{"removeProduct", "deleteItem", "refresh"}));

    view->calls.clear();
    view->table->selectRowAtIndexPath(IndexPath{0, 0});
    popover = openPopover(nullptr);
    EXPECT_EQ(popover->navigationItem()->title(), QStringLiteral("Ingreso manual"));
    popover->removeItemButton()->click();
    clock->advance(500);
    EXPECT_EQ(view->calls, (QStringList{"itemAt", "deleteItem", "removeEntry", "refresh"}));
}

TEST_F(Pad, PopoverStepperAndAMissingSaleView) {
    auto* popover = qobject_cast<CatalogSaleSelectedController*>(
        Storyboard::instantiate(CatalogScreens::catalogSaleSelected));
    popover->setSelectedItem(line("Pan", "7", 3, 1));
    Window window2;
    window2.setRootViewController(new ViewController()); // nothing at the expected path
    window2.makeKeyAndVisible();
    window2.rootViewController()->presentViewController(new NavigationController(popover), false);
    clock->advance(500);
    EXPECT_FALSE(popover->substractButton()->isEnabled());
    popover->addButton()->click();
    EXPECT_TRUE(popover->substractButton()->isEnabled());
    popover->substractButton()->click();
    EXPECT_FALSE(popover->substractButton()->isEnabled());
    EXPECT_EQ(popover->removeItemButton()->text(), QStringLiteral("REMOVER ITEM"));
    EXPECT_FALSE(popover->findSaleView());
    popover->removeItem(); // nothing to tell: closes without a crash
    clock->advance(500);
}

TEST_F(Pad, KeypadLabelsAndDone) {
    auto* view = new RecordingSaleView();
    build(view);
    EXPECT_EQ(keypad->priceLabel()->text(), QStringLiteral("$0,00"));
    EXPECT_FALSE(keypad->eraseButton()->isEnabled());
    EXPECT_FALSE(keypad->ceroButton()->isEnabled());
    const struct {
        const char* typed;
        const char* label;
    } cases[] = {{"98765", "$987,65"},
                 {"1005", "$10,05"},
                 {"5", "$0,05"},
                 {"123", "$1,23"},
                 {"100000000", "$1.000.000,00"},
                 {"12345678", "$123.456,78"}};
    static const char* names[] = {"ceroButton",  "oneButton",  "twoButton", "threeButton",
                                  "fourButton",  "fiveButton", "sixButton", "sevenButton",
                                  "eightButton", "nineButton"};
    for (const auto& c : cases) {
        key("cleanButton");
        for (const char* d = c.typed; *d; ++d)
            key(names[*d - '0']);
        EXPECT_EQ(keypad->priceLabel()->text(), QString(c.label)) << c.typed;
    }
    key("cleanButton");
    for (const char* d : {"nineButton", "eightButton", "sevenButton", "sixButton", "fiveButton"})
        key(d);
    key("doneButton");
    EXPECT_EQ(view->calls.last(), QStringLiteral("add $987,65"));
    EXPECT_EQ(keypad->priceLabel()->text(), QStringLiteral("$0,00"));
    EXPECT_FALSE(keypad->doneButton()->isEnabled());

    view->mainCurrency = false;
    for (const char* d : {"twoButton", "fiveButton", "ceroButton"})
        key(d);
    EXPECT_EQ(keypad->priceLabel()->text(), QStringLiteral("U$D 2,50"));
    key("eraseButton");
    key("eraseButton");
    key("eraseButton");
    EXPECT_EQ(keypad->priceLabel()->text(), QStringLiteral("U$D 0,00"));
    EXPECT_FALSE(keypad->eraseButton()->isEnabled());
}

TEST_F(Pad, SwipesHideAndBringBackTheOtherColumn) {
    build(new RecordingSaleView());
    using Swipe = ItemsSaleKeyboardIpadController::Swipe;
    const auto shown = outer->preferredDisplayMode();
    ASSERT_NE(shown, SplitViewController::PrimaryHidden);
    keypad->handleGesture(Swipe::Right); // shown: a right swipe does nothing
    clock->advance(300);
    EXPECT_EQ(outer->preferredDisplayMode(), shown);
    keypad->handleGesture(Swipe::Left);
    clock->advance(249);
    EXPECT_EQ(outer->preferredDisplayMode(), shown);
    clock->advance(1);
    EXPECT_EQ(outer->preferredDisplayMode(), SplitViewController::PrimaryHidden);
    keypad->handleGesture(Swipe::Left); // already hidden
    clock->advance(300);
    EXPECT_EQ(outer->preferredDisplayMode(), SplitViewController::PrimaryHidden);
    keypad->handleGesture(Swipe::Right);
    clock->advance(250);
    EXPECT_EQ(outer->preferredDisplayMode(), SplitViewController::Automatic);
}

TEST_F(Pad, SaleViewAddsTypedAmountsAndRemovesTheShownLineOnce) {
    auto* view =
        qobject_cast<SaleIpadViewController*>(Storyboard::instantiate(CatalogScreens::saleIpad));
    build(view);
    for (const char* d :
         {"oneButton", "twoButton", "threeButton", "fourButton", "fiveButton", "sixButton"})
        key(d);
    key("doneButton");
    ASSERT_EQ(sale().items().size(), 1u);
    EXPECT_DOUBLE_EQ(sale().items().front()->product()->price()->doubleValue(), 1234.56);
    EXPECT_TRUE(sale().items().front()->product()->productId().isEmpty());
    EXPECT_EQ(view->subtotalLabel()->text(), QStringLiteral("$ 1,234.56"));

    // Two typed-in lines; removing the first through the popover leaves the second.
    sale().addItem(line("Otro", "", 2));
    view->refreshSaleView();
    view->tableView()->selectRowAtIndexPath(IndexPath{0, 0});
    auto* popover = openPopover(nullptr);
    popover->removeItem();
    clock->advance(500);
    ASSERT_EQ(sale().items().size(), 1u);
    EXPECT_EQ(sale().items().front()->product()->name(), QStringLiteral("Otro"));
    EXPECT_TRUE(view->isMainCurrency());
}
