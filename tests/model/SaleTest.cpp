#include "model/Sale.h"
#include "ModelFixture.h"
#include "SDK/session/User.h"
#include "model/Client.h"
#include "model/CreditCard.h"
#include "model/Terminal.h"
#include "platform/core/UserDefaults.h"

namespace {

class SaleTest : public ModelTest {
protected:
    // A line of `quantity` units at `price`, tax excluded from the price unless said.
    static ItemPtr line(double price, int quantity = 1, double taxRate = 0,
                        bool taxIncluded = false) {
        auto item = Item::init();
        item->setQuantity(quantity);
        item->product()->setTaxIncludedInPrice(taxIncluded);
        if (taxRate > 0)
            item->product()->setTaxRate(taxRate);
        item->product()->setPrice(Amount::initWithDouble(price));
        return item;
    }
    static DiscountPtr discount(const char* name, double amount, double percentage) {
        auto d = Discount::init();
        d->setName(name);
        d->setAmount(amount);
        d->setPercentage(percentage);
        return d;
    }
};

TEST_F(SaleTest, WorkedTotalsExample) {
    auto sale = Sale::init();
    auto b = line(5.55);
    b->setDiscountAmount(Amount::initWithDouble(0.55));
    sale->addItem(line(10.00, 3, 0.16));
    sale->addItem(b);
    EXPECT_EQ(sale->subtotal()->doubleValue(), 15.55); // running sum of one unit each
    sale->recalculateTotalAmount();
    EXPECT_EQ(sale->subtotal()->getAmount(), "$ 35.00");
    EXPECT_EQ(sale->totalTaxAmount(), 4.80);

    sale->setDiscountPercentage(0.10);
    sale->setTipAmount(nullptr);
    sale->setTipPercentage(0.15);
    EXPECT_EQ(sale->total()->getAmount(), "$ 41.75");
    EXPECT_EQ(sale->total()->doubleValue(), 41.75);
}

TEST_F(SaleTest, DiscountListAppliesPercentagesBeforeFixedAmounts) {
    struct Case {
        const char* name;
        std::vector<std::pair<double, double>> discounts; // amount, percentage
        double subtotal;
    };
    const Case cases[] = {
        {"10 % then 5.00", {{0, 0.10}, {5, 0}}, 85.00},
        {"5.00 then 10 %", {{5, 0}, {0, 0.10}}, 85.00},
        {"10 % twice", {{0, 0.10}, {0, 0.10}}, 81.00},
        {"both values set is skipped", {{5, 0.10}}, 100.00},
        {"fixed larger than the sale", {{150, 0}}, 0.00},
    };
    for (const Case& c : cases) {
        auto sale = Sale::init();
        sale->addItem(line(60));
        sale->addItem(line(40));
        int n = 0;
        for (const auto& [amount, percentage] : c.discounts)
            sale->discountList()->push_back(
                discount(QByteArray::number(n++).constData(), amount, percentage));
        sale->recalculateTotalAmount();
        EXPECT_EQ(sale->subtotal()->doubleValue(), c.subtotal) << c.name;
    }
}

TEST_F(SaleTest, TaxIsAddedOnlyForPricesThatExcludeIt) {
    struct Case {
        double price;
        bool included;
        const char* total;
    };
    const Case cases[] = {{116.00, true, "$ 116.00"}, {100.00, false, "$ 116.00"}};
    for (const Case& c : cases) {
        auto sale = Sale::init();
        sale->addItem(line(c.price, 1, 0.16, c.included));
        sale->recalculateTotalAmount();
        EXPECT_EQ(sale->total()->getAmount().toStdString(), c.total) << c.price;
    }
}

TEST_F(SaleTest, AmountToChargeIsExactAndNeverNegative) {
    auto sale = Sale::init();
    sale->addItem(line(9999999.99));
    sale->recalculateTotalAmount();
    sale->setTipPercentage(0.10);
    EXPECT_EQ(sale->total()->getAmount(), "$ 10,999,999.99");

    sale->cleanTip();
    sale->setDiscountAmount(Amount::initWithDouble(20000000));
    EXPECT_EQ(sale->finalAmount(), 0);
    EXPECT_EQ(sale->total()->getAmount(), "$ 0.00");

    // A zero fixed discount object wins over the fraction; a tip that rounds to 0 leaves the
    // fraction.
    auto other = Sale::init();
    other->addItem(line(100));
    other->recalculateTotalAmount();
    other->setDiscountAmount(Amount::initWithDouble(0));
    other->setDiscountPercentage(0.10);
    other->setTipAmount(Amount::initWithDouble(0.004));
    other->setTipPercentage(0.10);
    EXPECT_EQ(other->total()->doubleValue(), 110.00);
}

TEST_F(SaleTest, TipsOutsideTheListGiveNothing) {
    auto sale = Sale::init();
    EXPECT_EQ(sale->getFloatTip(0), 0);
    sale->setTipsList(std::make_shared<std::vector<double>>(std::vector<double>{0.10, 0.125}));
    EXPECT_EQ(sale->getFloatTip(1), 0.125);
    EXPECT_EQ(sale->getStringTip(0), "10%");
    EXPECT_EQ(sale->getStringTip(1), "12.50%");
    // An exact half rounds to even, as C's printf does.
    sale->setTipsList(std::make_shared<std::vector<double>>(std::vector<double>{0.00125}));
    EXPECT_EQ(sale->getStringTip(0), "0.12%");
    EXPECT_EQ(sale->getFloatTip(2), 0);
    EXPECT_EQ(sale->getFloatTip(-1), 0);
    EXPECT_EQ(sale->getStringTip(7), "");
}

TEST_F(SaleTest, LinesAreRemovedByIdTextFirstMatchOnly) {
    auto sale = Sale::init();
    auto a = line(10);
    auto twin = Item::init();
    twin->setItemId(std::make_shared<const QString>(a->itemId()));
    twin->product()->setPrice(Amount::initWithDouble(20));
    sale->addItem(a);
    sale->addItem(twin);
    EXPECT_FALSE(a->isEqual(*twin));
    sale->removeItems({twin});
    ASSERT_EQ(sale->items().size(), 1u);
    EXPECT_EQ(sale->items().front(), twin);
    EXPECT_EQ(sale->subtotal()->doubleValue(), 20.00);
}

TEST_F(SaleTest, DescriptionCountsUnitsAndShowsTheTotal) {
    auto sale = Sale::init();
    sale->addItem(line(10, 3));
    sale->addItem(line(10, 1));
    sale->recalculateTotalAmount();
    CreditCard read;
    read.setCardNumber("4111111111111234", "ANA RUIZ", "2812", "", "");
    read.setCvv2("123");
    sale->payWithCreditCard(read);
    EXPECT_TRUE(sale->paidWithCreditCard());
    EXPECT_EQ(sale->creditCard()->cvv2(), "123");
    EXPECT_EQ(sale->description(), "Sale for a total of 4 item/s and it was bought with a card "
                                   "finishing with 1234 for a total of $ 40.00");
    sale->setCreditCard(nullptr);
    EXPECT_EQ(sale->description(),
              "Sale for a total of 4 item/s and it was bought with cash for a total of $ 40.00");
}

TEST_F(SaleTest, ReaderFieldsLiveOnTheTerminal) {
    auto sale = Sale::init();
    sale->setSelectedReader("dspread_pinpad");
    sale->setDeviceSerialNumber("MPOS-1");
    EXPECT_EQ(sale->getSelectedReaderAPIID(), "dspread");
    EXPECT_EQ(sale->terminal()->partialSerialNumber(), "MPOS-1");
    auto copy = Sale::initWithSale(*sale);
    copy->setDeviceSerialNumber("MPOS-2");
    EXPECT_EQ(sale->deviceSerialNumber(), "MPOS-1");
    sale->setSelectedReader("magicpos");
    EXPECT_EQ(sale->getSelectedReaderAPIID(), "magicpos");
    sale->cleanSale();
    EXPECT_EQ(sale->selectedReader(), "");
}

TEST_F(SaleTest, ResetKeepsTheOperationRecordFieldsAndClearsTheRest) {
    Sale& sale = Sale::sharedSale();
    sale.cleanSale();
    auto items = sale.itemList();
    auto subtotal = sale.subtotal();
    sale.addItem(line(10));
    sale.recalculateTotalAmount();
    sale.setSaleId(QVariant(1234));
    sale.setInstallmentId("inst-1");
    sale.setTerminalId("term-1");
    sale.setTrxId("trx-1");
    sale.setReferenceNumber("ref-1");
    sale.setCurrencyCode("840");
    sale.setTipAmount(Amount::initWithDouble(5));
    sale.setTipPercentage(0.1);
    sale.setDiscountPercentage(0.2);
    sale.setCustomResponse(QVariantMap{{"id", 1}});
    sale.setExternalReference(QString("host-ref"));
    sale.setAcceptedBins(QStringList{"411111"});
    sale.setForceInstallments(3);
    sale.setTrxType(2);
    sale.setManualEntry(false);
    sale.setMaxTipAllowed(0.5);
    sale.setCustomDataValue("extra", 1);
    EXPECT_EQ(sale.saleId(), "1234");

    sale.cleanSale();
    EXPECT_EQ(sale.installmentId(), "inst-1");
    EXPECT_EQ(sale.terminalId(), "term-1");
    EXPECT_EQ(sale.trxId(), "trx-1");
    EXPECT_EQ(sale.referenceNumber(), "ref-1");
    EXPECT_EQ(sale.currencyCode(), "840");

    EXPECT_EQ(sale.itemList(), items);
    EXPECT_TRUE(sale.items().empty());
    EXPECT_TRUE(sale.taxes().empty());
    EXPECT_EQ(subtotal->doubleValue(), 0); // zeroed in place for whoever holds it
    EXPECT_EQ(sale.saleId(), "");
    EXPECT_EQ(sale.tipAmount(), nullptr);
    EXPECT_EQ(sale.tipPercentage(), 0);
    EXPECT_EQ(sale.discountPercentage(), 0);
    EXPECT_FALSE(sale.customResponse().has_value());
    EXPECT_FALSE(sale.externalReference().has_value());
    EXPECT_FALSE(sale.acceptedBins().has_value());
    EXPECT_FALSE(sale.forceInstallments().has_value());
    EXPECT_EQ(sale.email(), QString(""));
    EXPECT_EQ(sale.trxType(), 0);
    EXPECT_TRUE(sale.manualEntry());
    EXPECT_EQ(sale.maxTipAllowed(), 1.0);
    EXPECT_TRUE(sale.customData().isEmpty());
    ASSERT_NE(sale.user(), nullptr);
    EXPECT_EQ(sale.user()->countryCodeNumeric(), "484");
    ASSERT_NE(sale.client(), nullptr);
    EXPECT_EQ(sale.client()->country()->code(), "MX");
    EXPECT_EQ(&Sale::sharedSale(), &sale);
}

TEST_F(SaleTest, HandOverCopySharesSomeObjectsAndNotOthers) {
    auto source = Sale::init();
    auto shared = line(10, 2);
    source->addItem(shared);
    source->addItem(line(5));
    source->discountList()->push_back(discount("promo", 0, 0.10));
    source->recalculateTotalAmount();
    source->setSubtotal(Amount::initWithDouble(24.995));
    source->setTipAmount(Amount::initWithDouble(3));
    source->setUser(std::make_shared<User>());
    source->setSecurityToken(QString("token"));
    source->setEmvConfigurationVersion(7);
    source->setCustomResponse(QVariantMap{{"ok", true}});
    source->setJson(QVariantMap{{"buyer", QVariantMap{{"fullName", "Ana Ruiz"}}}});

    auto copy = Sale::initWithSale(*source);
    EXPECT_NE(copy->itemList(), source->itemList());
    EXPECT_NE(copy->taxList(), source->taxList());
    EXPECT_EQ(copy->discountList(), source->discountList());
    EXPECT_EQ(copy->tipAmount(), source->tipAmount());
    EXPECT_EQ(copy->creditCard(), source->creditCard());
    EXPECT_NE(copy->subtotal(), source->subtotal());
    EXPECT_EQ(copy->subtotal()->amountNumber().toString(), "25");

    copy->removeItems({shared});
    EXPECT_EQ(source->items().size(), 2u);
    source->items().back()->setQuantity(4);
    EXPECT_EQ(copy->items().front()->quantity(), 4);

    EXPECT_EQ(copy->user(), nullptr);
    EXPECT_EQ(copy->securityToken(), QString(""));
    EXPECT_EQ(copy->emvConfigurationVersion(), 7);
    EXPECT_EQ(copy->customResponse(), source->customResponse());
    ASSERT_NE(copy->client(), nullptr);
    EXPECT_EQ(copy->client()->fullName(), "Ana Ruiz");
    EXPECT_NE(copy->client(), source->client());
}

TEST_F(SaleTest, LocationStartsInvalidFollowsFixesAndIsAskedOnce) {
    auto sale = Sale::init();
    EXPECT_EQ(UserDefaults::standardUserDefaults().stringForKey("locationServicesRequested"), "Y");
    EXPECT_FALSE(sale->locationCoordinates().isValid());
    EXPECT_EQ(sale->locationCoordinates().latitude, -180);
    EXPECT_EQ(sale->locationCoordinates().longitude, -180);
    FakeLocationProvider* provider = locations->last;
    EXPECT_EQ(provider->starts, 1);

    sale->cleanSale();
    EXPECT_EQ(sale->locationCoordinates().latitude, 0); // no fix known yet

    provider->sendFix({19.43, -99.13});
    EXPECT_EQ(sale->locationCoordinates().latitude, 19.43);
    EXPECT_EQ(sale->locationCoordinates().longitude, -99.13);

    // A copy that outlives its source no longer receives the shared source's fixes.
    auto copy = sale->copy();
    EXPECT_EQ(copy->locationManager(), sale->locationManager());
    sale.reset();
    provider->sendFix({1, 2});
    EXPECT_EQ(copy->locationCoordinates().latitude, 19.43);
}

TEST_F(SaleTest, NewSaleTakesTheCurrencyCodeInForceAtCreation) {
    Currency::instance()->setCurrencyFormat("USD", "840", "Dólares");
    auto sale = Sale::init();
    Currency::instance()->reset();
    EXPECT_EQ(sale->currencyCode(), "840");
    EXPECT_EQ(sale->subtotal()->doubleValue(), 0);
    EXPECT_EQ(sale->deviceBatteryCharge(), 1.0);
    EXPECT_EQ(sale->getSelectedReaderAPIID(), "");
}

} // namespace
