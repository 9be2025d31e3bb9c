#include "CatalogFixture.h"
#include "catalog/CatalogSaleEditItemController.h"
#include "catalog/CatalogSaleItemDiscountController.h"
#include "catalog/CatalogSaleSelectedController.h"
#include "catalog/CatalogScreens.h"
#include "catalog/CategoryTableViewCell.h"
#include "catalog/EditIndividualSaleController.h"
#include "catalog/IndividualSaleCell.h"
#include "catalog/InputTabBarViewController.h"
#include "catalog/ItemColor.h"
#include "catalog/ItemTableViewCell.h"
#include "catalog/NewItemTableViewCell.h"
#include "model/Discount.h"
#include "ui_kit/SplitViewController.h"

#include <QAbstractButton>

#include <QVBoxLayout>

using namespace catalogtest;

namespace {

class Screenshots : public CatalogTest {
protected:
    void SetUp() override {
        CatalogTest::SetUp();
        source->products = {
            QVariantMap{{"productId", 11},
                        {"productName", "Café americano"},
                        {"productDescription", "Taza grande"},
                        {"productPrice", 12.5}},
            QVariantMap{{"productId", 12}, {"productName", "Té verde"}, {"productPrice", 8}},
            QVariantMap{{"productId", 13}, {"productName", "Medialuna"}, {"productPrice", 3.5}}};
        source->categories = {QVariantMap{{"categoryName", "Bebidas"}, {"categoryId", 1}},
                              QVariantMap{{"categoryName", "Panadería"}, {"categoryId", 2}}};
        auto cafe = line("Café americano", "11", 12.5, 4);
        cafe->product()->setBackgroundColor(*ItemColor::colorWithName(3));
        auto tea = line("Té verde", "12", 8, 2);
        tea->product()->setBackgroundColor(*ItemColor::colorWithName(5));
        tea->setDiscountPercentage(0.2);
        auto typed = line("Propina", "", 30, 1);
        sale().addItem(cafe);
        sale().addItem(tea);
        sale().addItem(typed);
    }
    void save(QWidget* widget, const QString& name) {
        const QString file = screenshotPath(name);
        ASSERT_TRUE(widget->grab().save(file)) << file.toStdString();
        EXPECT_FALSE(QImage(file).isNull());
    }
    // Shows the screen in a navigation stack over a plain screen, at the device's size.
    void shoot(ViewController* screen, const QString& name, const QSize& size,
               const std::function<void()>& drive = {}) {
        Window window;
        auto* navigation = new NavigationController(new ViewController());
        window.setRootViewController(navigation);
        window.widget()->resize(size);
        window.makeKeyAndVisible();
        navigation->pushViewController(screen, false);
        clock->advance(600);
        if (drive)
            drive();
        clock->advance(600);
        save(window.widget(), name);
    }
};

} // namespace

TEST_F(Screenshots, EveryScreenAndRowKind) {
    const QSize phone(375, 667);
    const QSize pad(1024, 768);
    auto* cart =
        qobject_cast<EditIndividualSaleController*>(Storyboard::instantiate(CatalogScreens::cart));
    shoot(cart, "cart.png", phone, [this, cart] {
        cart->navigationItem()->rightBarButtonItems().first().action(); // edit
        clock->advance(400);
        cart->salesTable()->tapRowAtIndexPath({0, 1});
    });

    for (bool onPad : {false, true}) {
        Device::current().setIdiom(onPad ? Device::Idiom::Pad : Device::Idiom::Phone);
        const QString suffix = onPad ? "_pad.png" : "_phone.png";
        auto* quantity = qobject_cast<CatalogSaleEditItemController*>(
            Storyboard::instantiate(CatalogScreens::editItem));
        quantity->setItem(sale().items().at(0));
        shoot(quantity, "quantity_editor" + suffix, onPad ? QSize(540, 620) : phone);
        auto* discount = qobject_cast<CatalogSaleItemDiscountController*>(
            Storyboard::instantiate(CatalogScreens::itemDiscount));
        discount->setItem(sale().items().at(1));
        shoot(discount, "discount_editor" + suffix, onPad ? QSize(540, 620) : phone);
    }

    Device::current().setIdiom(Device::Idiom::Phone);
    shoot(Storyboard::instantiate(CatalogScreens::inputTabBar), "input_tab_bar.png", phone);
    shoot(Storyboard::instantiate(CatalogScreens::itemsAndCategories), "catalog_tabs.png", phone);

    // The pad sale layout with the keypad, then the popover over a line.
    Device::current().setIdiom(Device::Idiom::Pad);
    {
        Window window;
        auto* outer = new SplitViewController();
        outer->setViewControllers(
            {new ViewController(), Storyboard::instantiate(CatalogScreens::saleSplit)});
        window.setRootViewController(outer);
        window.widget()->resize(pad);
        window.makeKeyAndVisible();
        clock->advance(600);
        auto* keypad = window.widget()->findChild<QPushButton*>("fourButton");
        ASSERT_TRUE(keypad);
        keypad->click();
        window.widget()->findChild<QPushButton*>("twoButton")->click();
        window.widget()->findChild<QPushButton*>("ceroButton")->click();
        save(window.widget(), "pad_keypad.png");
        auto* popover = qobject_cast<CatalogSaleSelectedController*>(
            Storyboard::instantiate(CatalogScreens::catalogSaleSelected));
        popover->setSelectedItem(sale().items().at(0));
        auto* holder = new NavigationController(popover);
        outer->presentViewController(holder, false);
        clock->advance(600);
        holder->view()->resize(320, 220);
        save(holder->view(), "pad_line_popover.png");
    }
    Device::current().setIdiom(Device::Idiom::Phone);
}

TEST_F(Screenshots, Rows) {
    QWidget sheet;
    sheet.resize(375, 64 * 8 + 60 * 3 + 50 * 3);
    auto* column = new QVBoxLayout(&sheet);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    for (const ItemPtr& item : sale().items()) {
        auto* cell = new IndividualSaleCell();
        cell->fillForItem(*item);
        column->addWidget(cell);
    }
    auto percent = std::make_shared<Discount>();
    percent->setName("Socios");
    percent->setPercentage(0.1);
    sale().addOrRemoveDiscount(percent);
    auto fixed = std::make_shared<Discount>();
    fixed->setName("Cupón");
    fixed->setAmount(15);
    const struct {
        CatalogRowObject object;
        int mode;
    } rows[] = {{sale().items().at(0), 0},      {sale().items().at(1)->product(), 1},
                {sale().items().at(2), 0},      {sale().items().at(0)->product(), 2},
                {CatalogRowObject(percent), 0}, {CatalogRowObject(percent), 1},
                {CatalogRowObject(fixed), 4}};
    for (const auto& row : rows) {
        auto* cell = new ItemTableViewCell();
        cell->prepareCellForItem(row.object, row.mode, &sale());
        column->addWidget(cell);
    }
    column->addWidget(new NewItemTableViewCell());
    auto root = ProductCategory::init();
    root->setName("Bebidas");
    auto child = ProductCategory::init();
    child->setName("Calientes");
    root->addSubcategory(child);
    child->setOwnerCategory(root);
    root->setIsOpen(true);
    auto* a = new CategoryTableViewCell();
    column->addWidget(a);
    auto* b = new CategoryTableViewCell();
    column->addWidget(b);
    auto* c = new CategoryTableViewCell();
    column->addWidget(c);
    sheet.show();
    a->prepareCellForCategory(root, 0, {0, 0}, false);
    b->prepareCellForCategory(child, 0, {0, 1}, true);
    c->prepareCellForCategoryMarkAsSelected(root, 1, {0, 2}, false, true);
    clock->advance(20);
    save(&sheet, "rows.png");
}
