#include "model/values/Amount.h"
#include "ModelFixture.h"
#include "model/Sale.h"

namespace {

class AmountTest : public ModelTest {};

TEST_F(AmountTest, MoneyTextHasSymbolBlankGroupingAndTwoDecimals) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {1234.5, "$ 1,234.50"},
        {0, "$ 0.00"},
        {9999999.99, "$ 9,999,999.99"},
        {0.005, "$ 0.01"},
        {2.675, "$ 2.68"},
        {999.995, "$ 1,000.00"},
        {-12.5, "-$ 12.50"},
        {1e9, "$ 1,000,000,000.00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Amount::initWithDouble(c.value)->getAmount().toStdString(), c.text) << c.value;
    EXPECT_EQ(Amount::init()->getAmount(), "$ 0.00");
    EXPECT_EQ(Amount::initWithDouble(1234.5)->getIntAmount(), "$ 1,235");
}

TEST_F(AmountTest, CentsRoundingIsHalfAwayFromZeroOnTheDecimalValue) {
    struct Case {
        double value;
        double cents;
        const char* wire;
    };
    const Case cases[] = {
        {2.675, 2.68, "2.68"},    {1.005, 1.01, "1.01"},    {0.125, 0.13, "0.13"},
        {-0.125, -0.13, "-0.13"}, {41.745, 41.75, "41.75"}, {12.345, 12.35, "12.35"},
        {1.124999, 1.12, "1.12"}, {0, 0, "0.00"},           {1234567.875, 1234567.88, "1234567.88"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Amount::initWithDouble(c.value)->doubleValue(), c.cents) << c.value;
        EXPECT_EQ(Sale::roundedDouble(c.value), c.cents) << c.value;
        EXPECT_EQ(DecimalNumber::centsText(c.value).toStdString(), c.wire) << c.value;
    }
    // The stored value keeps every digit it was given.
    EXPECT_EQ(Amount::initWithDouble(2.675)->amountNumber().toString(), "2.675");
    EXPECT_EQ(Amount::initWithDouble(12.99)->intValue(), 12);
    EXPECT_EQ(Amount::initWithDouble(std::nan(""))->doubleValue(), 0);
}

TEST_F(AmountTest, KeypadEntryUsesTwoImpliedDecimalsAndAtMostNineDigits) {
    struct Case {
        double start;
        const char* typed; // nullptr erases the last digit
        const char* text;
    };
    const Case cases[] = {
        {0, "5", "$ 0.05"},
        {12.34, "00", "$ 1,234.00"},
        {1234567.89, "1", "$ 1,234,567.89"}, // a tenth digit is refused
        {123456.78, "00", "$ 123,456.78"},   // refused whole, never cut
        {12345.67, "00", "$ 1,234,567.00"},
        {0, "x", "$ 0.00"},
        {12.34, nullptr, "$ 1.23"},
        {0.05, nullptr, "$ 0.00"},
        {0, nullptr, "$ 0.00"},
    };
    for (const Case& c : cases) {
        auto amount = Amount::initWithDouble(c.start);
        const QString text =
            c.typed ? amount->addDigit(QString::fromLatin1(c.typed)) : amount->removeLastDigit();
        EXPECT_EQ(text.toStdString(), c.text) << c.start << " " << (c.typed ? c.typed : "erase");
    }

    auto typed = Amount::init();
    for (const char* digit : {"1", "2", "3", "4", "5", "6", "7", "8", "9", "9"})
        typed->addDigit(QString::fromLatin1(digit));
    EXPECT_EQ(typed->amountNumber().toString(), "1234567.89");
}

TEST_F(AmountTest, SymbolFollowsTheCurrencyOrTheOneLastGiven) {
    auto amount = Amount::initWithDouble(12.34);
    EXPECT_EQ(amount->getAmountwithCurrencyFormat("USD"), "USD 12.34");
    EXPECT_EQ(amount->addDigit("5"), "USD 123.45");
    EXPECT_EQ(amount->getAmount(), "$ 123.45");

    Currency::instance()->setCurrencyFormat("€", "978", "Euro");
    EXPECT_EQ(amount->getAmount(), "€ 123.45");
    EXPECT_EQ(Currency::instance()->alphaCode(), "MXN");
}

TEST_F(AmountTest, PriceCapWarnsOnlyAboveTheMaximum) {
    EXPECT_EQ(Amount::maxAmountLimit(10000000), 9999999.99);
    ASSERT_EQ(alerts.size(), 1);
    EXPECT_EQ(alerts.first(), QStringLiteral("El precio máximo es $ 9,999,999.99 | Aceptar"));

    alerts.clear();
    EXPECT_EQ(Amount::maxAmountLimit(9999999.99), 9999999.99);
    EXPECT_EQ(Amount::maxAmountLimit(12.5), 12.5);
    EXPECT_TRUE(alerts.isEmpty());
}

} // namespace
