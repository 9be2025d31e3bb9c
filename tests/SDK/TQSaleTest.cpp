#include <TarvelloSDK/TQSale.h>

#include <gtest/gtest.h>

namespace {

TEST(TQSale, TotalIsPriceTimesQuantityWithoutTheTip) {
    TQSale sale = TQSale::saleWithItem(
        TQItem::itemWithProductQuantity(TQProduct::productWithName("a", 10.0), 3));
    sale.setTip(5.0);
    EXPECT_DOUBLE_EQ(sale.total(), 30.0);

    sale.addItem(TQItem::itemWithProductQuantity(TQProduct("refund", -4.5), 2));
    sale.addItem(TQItem::itemWithProductQuantity(TQProduct("free", 99.0), 0));
    EXPECT_DOUBLE_EQ(sale.total(), 21.0);
    EXPECT_EQ(TQSale::sale().total(), 0.0);
}

TEST(TQSale, DefaultsAndLineOrder) {
    const TQItem first = TQItem::itemWithProduct(TQProduct(std::nullopt, 1.0));
    const TQItem second = TQItem::itemWithProductQuantity(TQProduct("b", 2.0), -3);
    QList<TQItem> lines{first};
    TQSale sale = TQSale::saleWithItems(lines);
    lines.append(second); // the sale keeps its own copy
    sale.addItem(second);

    ASSERT_EQ(sale.items().size(), 2);
    EXPECT_EQ(lines.size(), 2);
    EXPECT_FALSE(sale.items()[0].product().name());
    EXPECT_EQ(sale.items()[0].quantity(), 1);
    EXPECT_EQ(sale.items()[1].quantity(), -3);
    EXPECT_EQ(sale.tip(), 0.0);
    EXPECT_FALSE(sale.merchantId());
    EXPECT_FALSE(sale.acceptedBins());
    EXPECT_FALSE(sale.installments());
}

} // namespace
