#include "CatalogFixture.h"
#include "catalog/IndividualSaleCell.h"
#include "catalog/ItemTableViewCell.h"
#include "model/Discount.h"

using namespace catalogtest;

namespace {

class SaleCells : public CatalogTest {};

} // namespace

TEST_F(SaleCells, CartLineShowsNameAmountBadgeAndAvatar) {
    const struct {
        const char* name;
        const char* id;
        double price;
        int quantity;
        double discountAmount;
        double fraction;
        const char* nameText;
        const char* priceText;
        bool badge;
        const char* avatar;
    } cases[] = {
        {"Café", "12", 12.50, 4, 0, 0, "4 x Café", "$ 50.00", false, "C"},
        {"Café", "12", 12.50, 4, 7.50, 0, "4 x Café", "$ 42.50", true, "C"},
        {"Café", "12", 12.50, 4, 0, 0.2, "4 x Café", "$ 40.00", true, "C"},
        {"Café", "12", 12.50, 4, 7.50, 0.2, "4 x Café", "$ 42.50", true, "C"}, // amount counts
        {"Propina", "", 30, 1, 0, 0, "Propina", "$ 30.00", false, "$"},        // typed in
        {"Agua", "0", 10, 2, 0, 0, "2 x Agua", "$ 20.00", false, "$"},         // id reads 0
        {"", "15", 10, 1, 0, 0, "1 x ", "$ 10.00", false, "$"},                // no name
    };
    IndividualSaleCell cell; // one cell reused for every row, as the table does
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.nameText) + " " + c.priceText);
        ItemPtr item = line(c.name, c.id, c.price, c.quantity);
        item->setDiscountAmount(Amount::initWithDouble(c.discountAmount));
        item->setDiscountPercentage(c.fraction);
        cell.fillForItem(*item);
        EXPECT_EQ(cell.itemName()->text(), QString(c.nameText));
        EXPECT_EQ(cell.itemPrice()->text(), QString(c.priceText));
        EXPECT_EQ(!cell.discountBadge()->isHidden(), c.badge);
        EXPECT_EQ(cell.avatarText(), QString(c.avatar));
        EXPECT_TRUE(cell.itemPicture()->isHidden());
        EXPECT_FALSE(cell.itemNoPicture()->isHidden());
        EXPECT_TRUE(cell.itemTax()->text().isEmpty());
    }
    // A product with a picture shows it with its frame; the avatar goes.
    ItemPtr pictured = line("Té", "3", 5, 1);
    QImage picture(20, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    pictured->product()->setImage(picture);
    cell.fillForItem(*pictured);
    EXPECT_FALSE(cell.itemPicture()->isHidden());
    EXPECT_FALSE(cell.itemPictureBorder()->isHidden());
    EXPECT_TRUE(cell.itemNoPicture()->isHidden());
}

TEST_F(SaleCells, CatalogRowBadgesByModeAndSaleUnits) {
    auto product = line("Pan", "7", 3, 1)->product();
    const struct {
        int mode;
        int units;
        bool badge;
        const char* title;
        const char* background;
    } cases[] = {
        {0, 9, true, "9", "item_quantity_badge.png"},
        {0, 10, true, "10", "item_quantity_badge_big.png"},
        {0, 0, false, "0", "item_quantity_badge.png"},
        {1, 1, false, "1", "item_quantity_badge.png"},
        {1, 2, true, "2", "item_quantity_badge.png"},
        {2, 5, false, nullptr, nullptr},
    };
    ItemTableViewCell cell;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode * 100 + c.units);
        sale().cleanSale();
        if (c.units > 0) {
            // The sale's line holds another product object of the same id.
            auto item = line("Pan", "7", 3, c.units);
            sale().addItem(item);
        }
        cell.prepareCellForItem(product, c.mode, &sale());
        EXPECT_EQ(!cell.quantityContainerView()->isHidden(), c.badge);
        if (c.title) {
            EXPECT_EQ(cell.quantityButton()->text(), QString(c.title));
            EXPECT_EQ(cell.badgeBackgroundName(), QString(c.background));
        }
        EXPECT_EQ(cell.mainLabel()->text(), QStringLiteral("Pan"));
    }
    // Modes 2 and 4 only show the disclosure indicator.
    for (int mode = 0; mode <= 5; ++mode) {
        cell.prepareCellForItem(product, mode, &sale());
        EXPECT_EQ(cell.accessoryType() == ItemTableViewCell::AccessoryDisclosureIndicator,
                  mode == 2 || mode == 4)
            << mode;
    }
}

TEST_F(SaleCells, CatalogRowDoesNotKeepAnEarlierLineOrMatchEmptyIds) {
    ItemTableViewCell cell;
    auto tea = line("Té", "3", 5, 4);
    cell.prepareCellForItem(tea, 0, &sale());
    EXPECT_EQ(cell.item(), tea);
    EXPECT_EQ(cell.quantityButton()->text(), QStringLiteral("4"));
    // The same cell given a product directly: the earlier line's 4 units must not show.
    auto bread = line("Pan", "7", 3, 1)->product();
    cell.prepareCellForItem(bread, 0, &sale());
    EXPECT_FALSE(cell.item());
    EXPECT_TRUE(cell.quantityContainerView()->isHidden());
    // A typed-in line in the sale (empty id) does not count for another product without id.
    sale().addItem(line("Libre", "", 9, 3));
    auto free = line("Otro", "", 4, 1)->product();
    cell.prepareCellForItem(free, 0, &sale());
    EXPECT_TRUE(cell.quantityContainerView()->isHidden());
    EXPECT_EQ(cell.secondaryLabel()->text(), QStringLiteral("$ 4.00"));
}

TEST_F(SaleCells, CatalogRowDiscountTexts) {
    auto percent = std::make_shared<Discount>();
    percent->setName("Socios");
    percent->setPercentage(0.25);
    auto fixed = std::make_shared<Discount>();
    fixed->setName("Cupón");
    fixed->setAmount(12.50);
    sale().addItem(line("Vino", "4", 120, 1));
    sale().addOrRemoveDiscount(percent);
    sale().recalculateTotalAmount();
    ItemTableViewCell cell;

    cell.prepareCellForItem(percent, 1, &sale());
    EXPECT_EQ(cell.secondaryLabel()->text(), QStringLiteral("-$ 30.00"));
    EXPECT_EQ(cell.secondaryAuxLabel()->text(), QStringLiteral("(25%)"));
    EXPECT_TRUE(cell.quantityContainerView()->isHidden()); // no check in mode 1

    cell.prepareCellForItem(percent, 0, &sale());
    EXPECT_EQ(cell.secondaryLabel()->text(), QStringLiteral("25%"));
    EXPECT_TRUE(cell.secondaryAuxLabel()->text().isEmpty());
    EXPECT_EQ(cell.mainAuxLabel()->text(), QStringLiteral("Descuentos"));
    EXPECT_FALSE(cell.quantityContainerView()->isHidden()); // applied: check badge

    for (int mode = 0; mode <= 5; ++mode) {
        cell.prepareCellForItem(fixed, mode, &sale());
        EXPECT_EQ(cell.secondaryLabel()->text(), QStringLiteral("-$ 12.50")) << mode;
        EXPECT_EQ(cell.mainAuxLabel()->text().isEmpty(), mode >= 4) << mode;
    }
}
