#include "model/Product.h"
#include "ModelFixture.h"
#include "model/Discount.h"
#include "model/Item.h"
#include "platform/core/Values.h"

namespace {

class ProductTest : public ModelTest {
protected:
    static ProductPtr product(double price, bool included, double rate) {
        auto p = Product::init();
        p->setTaxIncludedInPrice(included);
        p->setTaxRate(rate);
        p->setPrice(Amount::initWithDouble(price));
        return p;
    }
};

TEST_F(ProductTest, PricesWithTaxIncludedOrNot) {
    struct Case {
        double price;
        bool included;
        const char* currency; // currency in force
        const char* productCurrency;
        QVariant exchangeRate;
        double noTax, tax, withTax;
    };
    const Case cases[] = {
        {116.00, true, "484", "484", 20, 100.00, 16.00, 116.00},
        {116.00, false, "484", "484", 20, 116.00, 18.56, 134.56},
        {116.00, true, "840", "484", 20, 5.00, 0.80, 5.80},       // main currency to another: 1/20
        {5.80, false, "484", "840", "20", 116.00, 18.56, 134.56}, // another to the main one: 20
        {116.00, true, "840", "484", 0, 100.00, 16.00, 116.00},   // unusable rate: no conversion
        {116.00, true, "840", "484", -3, 100.00, 16.00, 116.00},
        {116.00, true, "0484", "484", 20, 100.00, 16.00, 116.00}, // codes compare as integers
    };
    for (const Case& c : cases) {
        AccountSettings::instance().setCurrencies(
            QVariantList{QVariantMap{{"code", "484"}, {"exchangeRate", c.exchangeRate}}});
        Currency::instance()->setCurrencyFormat("$", c.currency, "");
        auto p = product(c.price, c.included, 0.16);
        p->setCurrencyCode(c.productCurrency);
        EXPECT_EQ(DecimalNumber::roundCents(p->getPriceWithNoTax()), c.noTax)
            << c.price << " " << c.currency;
        EXPECT_EQ(DecimalNumber::roundCents(p->getTotalTax()), c.tax) << c.price;
        EXPECT_EQ(DecimalNumber::roundCents(p->getPriceWithTax()), c.withTax) << c.price;
    }
}

TEST_F(ProductTest, ReadsAProductEntry) {
    auto p = Product::init();
    p->loadWithDictionary({{"productId", 42},
                           {"productName", "Café"},
                           {"productPrice", 50},
                           {"currencyCode", -1},
                           {"taxes", QVariantList{QVariantMap{{"name", "IVA"}, {"amount", 0.16}}}},
                           {"backgroundColor", "#FF0000"},
                           {"categoryId", Values::jsonNull()}});
    EXPECT_EQ(p->productId(), "42");
    EXPECT_EQ(p->currencyCode(), "484");
    EXPECT_EQ(p->price()->getAmount(), "$ 50.00");
    ASSERT_EQ(p->taxes().size(), 1u);
    EXPECT_EQ(p->taxes().front()->rate(), 0.16);
    EXPECT_EQ(p->taxes().front()->amount()->doubleValue(), 8.00);
    EXPECT_EQ(p->backgroundColor(), QColor(255, 0, 0));
    EXPECT_EQ(p->categoryId(), 0);

    // Two entries of one name cancel; a non-list "taxes" leaves none; "" keeps the colour.
    p->loadWithDictionary({{"productPrice", "12"},
                           {"taxes", QVariantList{QVariantMap{{"name", "IVA"}, {"amount", 0.16}},
                                                  QVariantMap{{"name", "IVA"}, {"amount", 0.08}}}},
                           {"backgroundColor", ""}});
    EXPECT_TRUE(p->taxes().empty());
    EXPECT_EQ(p->backgroundColor(), QColor(255, 0, 0));
    p->loadWithDictionary({{"taxes", Values::jsonNull()}, {"backgroundColor", "zz"}});
    EXPECT_TRUE(p->taxes().empty());
    EXPECT_FALSE(p->backgroundColor().isValid());
}

TEST_F(ProductTest, CopiesShareOrOwnTheTaxList) {
    auto red = product(10, false, 0.21);
    EXPECT_EQ(red->taxes().front()->amount()->doubleValue(), 2.10);
    red->setBackgroundColor(Qt::red);

    auto shared = red->copy();
    auto own = Product::initWithProduct(*red);
    red->addOrRemoveTax(Tax::forAmount(1, "EXTRA"));
    EXPECT_EQ(shared->taxes().size(), 2u);
    EXPECT_EQ(own->taxes().size(), 1u);
    EXPECT_EQ(own->taxes().front(), red->taxes().front());
    EXPECT_EQ(shared->backgroundColor(), QColor(Qt::red));
    EXPECT_EQ(own->backgroundColor(), Product::defaultColor());
}

TEST_F(ProductTest, TaxLinesFromTheBackEnd) {
    auto line = Tax::initWithAmount(1.5, nullptr, std::nullopt, std::nullopt);
    EXPECT_EQ(line->name(), "Impuestos");
    EXPECT_EQ(line->identifier(), "Impuestos");
    auto unnamed = Tax::initWithAmount(0, nullptr, std::nullopt, QString(""));
    EXPECT_EQ(unnamed->identifier(), "");

    struct Record {
        double amount;
        double cents;
    };
    for (const Record r : {Record{2.675, 2.68}, Record{12.345, 12.35}, Record{1.125, 1.13}})
        EXPECT_EQ(
            Tax::fromSaleDictionary(QVariantMap{{"amount", r.amount}})->amount()->doubleValue(),
            r.cents);
    EXPECT_EQ(Tax::fromSaleDictionary(QVariant()), nullptr);

    auto settings = Tax::fromDictionary(QVariantMap{{"name", "iva"},
                                                    {"id", 7},
                                                    {"dynamicMinRate", 0.05},
                                                    {"dynamicMaxRate", 0.2},
                                                    {"value", 0.1},
                                                    {"pricingMode", Values::jsonNull()}});
    EXPECT_EQ(settings->name(), "IVA");
    EXPECT_EQ(settings->identifier(), "7");
    EXPECT_EQ(settings->limits()->minRate(), 0);
    EXPECT_EQ(settings->limits()->maxRate(), 0.1);
    EXPECT_FALSE(settings->includedInPrice());
    EXPECT_EQ(settings->mode(), 1);

    auto fixed =
        Tax::fromDictionary(QVariantMap{{"name", "ieps"}, {"fixedRate", 0.29}, {"mode", "FIXED"}});
    EXPECT_EQ(fixed->rate(), 0.29);
    EXPECT_EQ(fixed->formattedTitle(), "IEPS 29%");
    fixed->setRate(0.5);
    fixed->recalculateTaxForAmount(10.05);
    EXPECT_EQ(fixed->amount()->doubleValue(), 2.91);

    auto deposit = Tax::forDepositWithAmount(0, QVariantMap{{"value", 3}, {"name", "x"}});
    EXPECT_EQ(deposit->rate(), 0);
    EXPECT_EQ(Tax::getFormatForProportion(0.105, false), "10.50%");
}

// Every percent text of a tax and of its limits rounds as C's printf does: an exact half to
// even, where QString::asprintf would round it up.
TEST_F(ProductTest, PercentTextsRoundAnExactHalfToEven) {
    struct Case {
        double share;
        const char* rounded;
        const char* twoDecimals;
    };
    const Case cases[] = {
        {0.105, "10%", "10.50%"}, {0.125, "12%", "12.50%"}, {0.165, "16%", "16.50%"},
        {0.015, "2%", "1.50%"},   {0.005, "0%", "0.50%"},   {0.135, "14%", "13.50%"},
        {0.145, "14%", "14.50%"}, {0.29, "29%", "29.00%"},  {0.00125, "0%", "0.12%"},
        {0.00375, "0%", "0.38%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.share);
        EXPECT_EQ(Tax::getFormatForProportion(c.share, true).toStdString(), c.rounded);
        EXPECT_EQ(Tax::getFormatForProportion(c.share, false).toStdString(), c.twoDecimals);
        // A fixed rate is the limits' minimum and maximum and the tax's rate.
        auto fixed = Tax::fromDictionary(
            QVariantMap{{"name", "iva"}, {"fixedRate", c.share}, {"mode", "FIXED"}});
        EXPECT_EQ(fixed->roundedFormattedPercentage().toStdString(), c.rounded);
        EXPECT_EQ(fixed->roundedFormattedMinLimit().toStdString(), c.rounded);
        EXPECT_EQ(fixed->roundedFormattedMaxLimit().toStdString(), c.rounded);
        EXPECT_EQ(fixed->formattedPercentage().toStdString(), c.twoDecimals);
        EXPECT_EQ(fixed->formattedMinLimit().toStdString(), c.twoDecimals);
        EXPECT_EQ(fixed->formattedMaxLimit().toStdString(), c.twoDecimals);
        EXPECT_EQ(fixed->formattedTitle().toStdString(), std::string("IVA ") + c.rounded);
    }
}

TEST_F(ProductTest, LinesAndDiscounts) {
    auto item = Item::init();
    item->setProduct(product(10, false, 0.16));
    item->setQuantity(3);
    EXPECT_EQ(DecimalNumber::roundCents(item->getPriceWithTax()), 34.80);
    EXPECT_EQ(DecimalNumber::roundCents(item->getPriceWithTaxAndDiscount()), 34.80);
    item->setDiscountPercentage(0.10);
    item->setDiscountAmount(nullptr);
    EXPECT_EQ(DecimalNumber::roundCents(item->getPriceWithTaxAndDiscount()), 31.32);

    item->setDiscountAmount(Amount::initWithDouble(2));
    auto copy = Item::initWithItem(*item);
    EXPECT_TRUE(copy->isEqual(*item));
    EXPECT_FALSE(Item::init()->isEqual(*item));
    EXPECT_EQ(copy->discountAmount(), item->discountAmount());
    EXPECT_NE(copy->product(), item->product());

    auto record = Item::fromDictionary(QVariantMap{
        {"quantity", 2}, {"productPrice", 12.5}, {"discountAmount", Values::jsonNull()}});
    EXPECT_EQ(record->quantity(), 2);
    EXPECT_EQ(record->product()->price()->getAmount(), "$ 12.50");
    EXPECT_EQ(record->discountAmount()->doubleValue(), 0);

    auto promo = Discount::fromDictionary(
        QVariantMap{{"discountName", "Promo"}, {"discountPercentage", 0.1}});
    EXPECT_EQ(promo->description(), "Promo: 10.000000%");
    promo->setAmount(5);
    EXPECT_EQ(promo->description(), "Promo: $ 5.00");
}

} // namespace
