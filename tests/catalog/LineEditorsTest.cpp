#include "CatalogFixture.h"
#include "catalog/CatalogSaleEditItemController.h"
#include "catalog/CatalogSaleItemDiscountController.h"
#include "catalog/CatalogScreens.h"
#include "ui_kit/iPadNumericKeyboard.h"

#include <QPointer>
#include <QPushButton>

using namespace catalogtest;

namespace {

class LineEditors : public CatalogTest {
protected:
    // Shows the editor of the line on top of a list screen, as the cart pushes it.
    template <class Editor> Editor* open(const ScreenName& name, const ItemPtr& item) {
        auto* editor = qobject_cast<Editor*>(Storyboard::instantiate(name));
        EXPECT_TRUE(editor);
        editor->setItem(item);
        root = new ViewController();
        navigation = new NavigationController(root);
        window.setRootViewController(navigation);
        window.widget()->resize(375, 667);
        window.makeKeyAndVisible();
        navigation->pushViewController(editor, false);
        clock->advance(500);
        return editor;
    }
    void tap(ViewController* screen, const QString& name) {
        auto* button = screen->view()->findChild<QPushButton*>(name);
        ASSERT_TRUE(button) << name.toStdString();
        button->click();
        clock->advance(400);
    }
    void digits(ViewController* screen, const QString& keys) {
        for (QChar k : keys)
            tap(screen, QStringLiteral("digit") + k);
    }
    void answer(ViewController* screen, const QString& title) {
        SystemAlert* alert = shownAlert(screen);
        ASSERT_TRUE(alert);
        ASSERT_TRUE(alert->tapButtonWithTitle(title));
        clock->advance(400);
    }

    Window window;
    ViewController* root = nullptr;
    QPointer<NavigationController> navigation;
};

} // namespace

TEST_F(LineEditors, QuantityDigitsEraseAndTheCap) {
    ItemPtr item = line("Café", "1", 10, 12);
    auto* editor = open<CatalogSaleEditItemController>(CatalogScreens::editItem, item);
    EXPECT_EQ(editor->amountLabel()->text(), QStringLiteral("12"));
    digits(editor, "5");
    EXPECT_EQ(editor->quantity(), 125);
    tap(editor, "eraseButton");
    EXPECT_EQ(editor->amountLabel()->text(), QStringLiteral("12"));
    EXPECT_EQ(editor->quantity(), 12);
    digits(editor, "5");
    EXPECT_FALSE(shownAlert(editor));
    digits(editor, "0"); // 1250
    EXPECT_EQ(editor->quantity(), 999);
    EXPECT_EQ(editor->amountLabel()->text(), QStringLiteral("999"));
    ASSERT_TRUE(shownAlert(editor));
    EXPECT_EQ(shownAlert(editor)->message(), QStringLiteral("La máxima cantidad permitida es 999"));
    answer(editor, "OK");
    tap(editor, "plusButton"); // at 999: the alert again, still 999
    EXPECT_EQ(editor->quantity(), 999);
    answer(editor, "OK");
    tap(editor, "resetButton");
    tap(editor, "minusButton"); // nothing below 0
    EXPECT_EQ(editor->amountLabel()->text(), QStringLiteral("0"));
    digits(editor, "5");
    EXPECT_EQ(editor->amountLabel()->text(), QStringLiteral("5")); // no leading zero
    // Typing into the field counts as well; an emptied field reads 0.
    editor->amountLabel()->selectAll();
    editor->amountLabel()->insertText(QStringLiteral("42"));
    EXPECT_EQ(editor->quantity(), 42);
    editor->amountLabel()->selectAll();
    editor->amountLabel()->deleteBackward();
    EXPECT_EQ(editor->amountLabel()->text(), QStringLiteral("0"));
    // Nothing is written until accepted.
    EXPECT_EQ(item->quantity(), 12);
}

TEST_F(LineEditors, QuantityPriceLinesWithDiscounts) {
    const struct {
        int quantity;
        double amount;
        double fraction;
        const char* unit;
        const char* total;
    } cases[] = {
        {3, 0, 0.25, "$ 22.50 x 3 un. =", "$ 67.50"},
        {3, 6, 0, "$ 28.00 x 3 un. =", "$ 84.00"},
        {3, 0, 0, "$ 30.00 x 3 un. =", "$ 90.00"},
        {0, 6, 0, "$ 30.00 x 0 un. =", "$ 0.00"}, // no units: no division by 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.unit);
        ItemPtr item = line("Vino", "4", 30, c.quantity);
        item->setDiscountAmount(Amount::initWithDouble(c.amount));
        item->setDiscountPercentage(c.fraction);
        auto* editor = open<CatalogSaleEditItemController>(CatalogScreens::editItem, item);
        EXPECT_EQ(editor->itemPriceAndQuantity()->text(), QString(c.unit));
        EXPECT_EQ(editor->totalPrice()->text(), QString(c.total));
    }
}

TEST_F(LineEditors, QuantityZeroAsksUnlessRemovedFromTheSheet) {
    ItemPtr item = line("Pan", "7", 3, 2);
    auto* editor = open<CatalogSaleEditItemController>(CatalogScreens::editItem, item);
    tap(editor, "resetButton");
    auto* done = navigation->navigationBar()->findChild<QAbstractButton*>("doneButton");
    ASSERT_TRUE(done);
    done->click();
    clock->advance(400);
    ASSERT_TRUE(shownAlert(editor));
    answer(editor, "Cancelar");
    EXPECT_EQ(item->quantity(), 2);
    EXPECT_EQ(navigation->topViewController(), editor);
    done->click();
    clock->advance(400);
    answer(editor, "OK");
    EXPECT_EQ(item->quantity(), 0);
    EXPECT_EQ(navigation->topViewController(), root);

    ItemPtr other = line("Té", "3", 5, 4);
    editor = open<CatalogSaleEditItemController>(CatalogScreens::editItem, other);
    tap(editor, "deleteButton");
    answer(editor, "Eliminar item");
    EXPECT_EQ(other->quantity(), 0);
    EXPECT_EQ(navigation->topViewController(), root);

    ItemPtr kept = line("Jugo", "9", 5, 4);
    editor = open<CatalogSaleEditItemController>(CatalogScreens::editItem, kept);
    digits(editor, "9");
    tap(editor, "plusButton");
    navigation->navigationBar()->findChild<QAbstractButton*>("cancelButton")->click();
    clock->advance(400);
    EXPECT_EQ(kept->quantity(), 4);
    EXPECT_EQ(navigation->topViewController(), root);
}

TEST_F(LineEditors, DiscountPercentAmountAndCaps) {
    ItemPtr item = line("Vino", "4", 40, 2); // line amount 80
    item->setDiscountAmount(Amount::initWithDouble(5));
    auto* editor = open<CatalogSaleItemDiscountController>(CatalogScreens::itemDiscount, item);
    EXPECT_EQ(editor->selectedSegment(), 1); // opens on its amount
    editor->changeFormat(0);
    tap(editor, "resetButton");
    digits(editor, "35");
    EXPECT_EQ(editor->amountLabel()->text(), QStringLiteral("35%"));
    EXPECT_EQ(editor->totalPrice()->text(), QStringLiteral("$ 52.00"));
    digits(editor, "0"); // 350 % refused
    EXPECT_EQ(editor->amountLabel()->text(), QStringLiteral("35%"));

    tap(editor, "segment1");
    EXPECT_EQ(editor->amountLabel()->text(), QStringLiteral("$ 28.00"));
    EXPECT_EQ(editor->itemPriceAndDiscount()->text(), QStringLiteral("$ 80.00 - $ 28.00 ="));
    EXPECT_EQ(editor->totalPrice()->text(), QStringLiteral("$ 52.00"));
    tap(editor, "resetButton");
    digits(editor, "8000");
    EXPECT_EQ(editor->amountLabel()->text(), QStringLiteral("$ 80.00"));
    digits(editor, "0"); // 800.00 refused
    EXPECT_EQ(editor->amountLabel()->text(), QStringLiteral("$ 80.00"));
    EXPECT_DOUBLE_EQ(editor->discountAmount(), 80);
    tap(editor, "eraseButton");
    EXPECT_EQ(editor->amountLabel()->text(), QStringLiteral("$ 8.00"));

    tap(editor, "segment0");
    EXPECT_EQ(editor->amountLabel()->text(), QStringLiteral("10%"));
    tap(editor, "eraseButton");
    tap(editor, "eraseButton");
    tap(editor, "eraseButton");
    EXPECT_EQ(editor->amountLabel()->text(), QStringLiteral("0%"));
    digits(editor, "15");
    navigation->navigationBar()->findChild<QAbstractButton*>("doneButton")->click();
    clock->advance(400);
    EXPECT_DOUBLE_EQ(item->discountPercentage(), 0.15);
    EXPECT_DOUBLE_EQ(item->discountAmount()->doubleValue(), 0); // cleared
    EXPECT_EQ(navigation->topViewController(), root);
}

TEST_F(LineEditors, DiscountOnALineOfNoAmountStaysAtZeroPercent) {
    ItemPtr item = line("Regalo", "5", 0, 1);
    auto* editor = open<CatalogSaleItemDiscountController>(CatalogScreens::itemDiscount, item);
    tap(editor, "segment1");
    tap(editor, "segment0");
    EXPECT_EQ(editor->amountLabel()->text(), QStringLiteral("0%"));
    EXPECT_DOUBLE_EQ(editor->discountPercentage(), 0);
    tap(editor, "segment1");
    digits(editor, "1"); // 0.01 is above a line of 0
    EXPECT_EQ(editor->amountLabel()->text(), QStringLiteral("$ 0.00"));
}

TEST_F(LineEditors, PadKeypadTypesTheQuantity) {
    Device::current().setIdiom(Device::Idiom::Pad);
    ItemPtr item = line("Pan", "7", 3, 2);
    auto* editor = open<CatalogSaleEditItemController>(CatalogScreens::editItem, item);
    iPadNumericKeyboard* keypad = editor->numericKeyboard();
    ASSERT_TRUE(keypad);
    EXPECT_EQ(editor->amountLabel()->inputView(), keypad);
    editor->amountLabel()->becomeFirstResponder();
    editor->textFieldDidBeginEditing(editor->amountLabel());
    EXPECT_EQ(keypad->textField(), editor->amountLabel());
    keypad->findChild<QPushButton*>("button5")->click();
    EXPECT_EQ(editor->quantity(), 25);
    EXPECT_EQ(editor->totalPrice()->text(), QStringLiteral("$ 75.00"));
    Device::current().setIdiom(Device::Idiom::Phone);
}
