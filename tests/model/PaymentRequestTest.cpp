#include "ModelFixture.h"

#include "api/APIController.h"
#include "model/CreditCard.h"
#include "model/Item.h"
#include "model/Product.h"
#include "model/Sale.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

namespace {

QStringList* capturedLines = nullptr;

void captureMessage(QtMsgType, const QMessageLogContext&, const QString& message) {
    if (capturedLines)
        capturedLines->append(message);
}

// Collects the console lines written while it lives.
class ConsoleCapture {
public:
    ConsoleCapture() {
        capturedLines = &lines;
        previous_ = qInstallMessageHandler(captureMessage);
    }
    ~ConsoleCapture() {
        qInstallMessageHandler(previous_);
        capturedLines = nullptr;
    }
    QStringList lines;

private:
    QtMessageHandler previous_;
};

QJsonObject descriptionOf(const QVariantMap& fields) {
    return QJsonDocument::fromJson(fields.value("saleInformationJson").toString().toUtf8())
        .object();
}

ItemPtr itemOf(double price, int quantity) {
    auto item = Item::init();
    item->product()->setPrice(Amount::initWithDouble(price));
    item->product()->setName("Cafe");
    item->setQuantity(quantity);
    return item;
}

std::shared_ptr<CreditCard> readCard() {
    auto card = std::make_shared<CreditCard>();
    card->setCardNumber("4111111111111111", "ANA GOMEZ", "2512", "30111222", "DNI");
    card->setCvv2("123");
    card->setTrack2KSN("FFFF9876543210E00001");
    card->setTrack2Encrypted("00112233445566778899AABBCCDDEEFF0011223344556677");
    card->setServiceCode("201");
    card->setPinBlock(QString("1A2B3C4D5E6F7081"));
    card->setPinKSN(QString("FFFF9876543210E00002"));
    card->setEmvTags(QByteArray(R"({"5A":"4111111111111111","57":"4111111111111111D2512201",)"
                                R"("5F24":"251231","9F02":"000000011000"})"));
    card->setEmvApp(QByteArray(R"({"label":"VISA CREDITO","aid":"A0000000031010"})"));
    card->setInstallments(3);
    card->setTransactionType("emv");
    card->setOfflinePinInserted(true);
    return card;
}

} // namespace

class PaymentRequestTest : public ModelTest {};

TEST_F(PaymentRequestTest, CashSale) {
    auto sale = Sale::init();
    sale->addItem(itemOf(58, 2));
    sale->recalculateTotalAmount();
    sale->setCurrencyCode("ARS");
    sale->setInstallmentId("9");
    sale->setBankId(QString("B1"));
    sale->setMerchantId(QString("M1"));
    sale->setSecurityToken(QString("tok"));
    sale->setCreditCard(readCard());

    const QVariantMap fields = sale->requestData();
    EXPECT_EQ(QStringList(fields.keys()),
              QStringList({"currency", "installmentId", "latitude", "longitude", "paymentMethod",
                           "saleInformationJson", "totalAmount"}));
    EXPECT_EQ(fields["paymentMethod"], "cash");
    EXPECT_EQ(fields["totalAmount"].toString(), "116.00");
    EXPECT_EQ(fields["currency"], "ARS");
    EXPECT_EQ(fields["installmentId"], "9");
    EXPECT_EQ(fields["latitude"], "-180.000000");
    EXPECT_EQ(fields["longitude"], "-180.000000");

    const QJsonObject description = descriptionOf(fields);
    EXPECT_EQ(description["totalAmount"].toString(), "116.00");
    EXPECT_EQ(description["isPaid"], "false");
    EXPECT_EQ(description["tipAmount"], "0.00");
    EXPECT_EQ(description["discountAmount"], "0.00");
    EXPECT_TRUE(description["discounts"].toArray().isEmpty());
    const QJsonObject line = description["items"].toArray().at(0).toObject();
    EXPECT_EQ(line["totalAmount"], "116.00");
    EXPECT_EQ(line["productPrice"], "58.00");
    EXPECT_EQ(line["quantity"], "2");
    EXPECT_EQ(line["productName"], "Cafe");
    EXPECT_EQ(line["isCustomAmount"], false);
    EXPECT_EQ(line["imageKeyForUpload"], "");
    EXPECT_EQ(line["productBackgroundColor"].toString().size(), 6);

    sale->setPaymentMethodName("prepaid");
    EXPECT_EQ(sale->requestData()["paymentMethod"], "prepaid");
}

TEST_F(PaymentRequestTest, TipAndDiscountAreThoseOfTheCharge) {
    struct Case {
        double subtotal, tipPercentage, fixedTip, discountPercentage;
        std::optional<double> fixedDiscount;
        const char *total, *tip, *discount;
    };
    const Case cases[] = {
        {100, 0.1, 0, 0, {}, "110.00", "10.00", "0.00"},
        {100, 0, 5, 0, {}, "105.00", "5.00", "0.00"},
        {100, 0, 0, 0.1, {}, "90.00", "0.00", "10.00"},
        // A fixed tip wins over the fraction, a fixed discount over the fraction.
        {100, 0.1, 5, 0, {}, "105.00", "5.00", "0.00"},
        {100, 0, 0, 0.1, 0.0, "100.00", "0.00", "0.00"},
        {100, 0.1, 0, 0.1, 20.0, "88.00", "8.00", "20.00"},
    };
    for (const Case& c : cases) {
        auto sale = Sale::init();
        sale->setSubtotal(Amount::initWithDouble(c.subtotal));
        sale->setTipPercentage(c.tipPercentage);
        sale->setTipAmount(Amount::initWithDouble(c.fixedTip));
        sale->setDiscountPercentage(c.discountPercentage);
        if (c.fixedDiscount)
            sale->setDiscountAmount(Amount::initWithDouble(*c.fixedDiscount));
        const QVariantMap fields = sale->requestData();
        const QJsonObject description = descriptionOf(fields);
        EXPECT_EQ(fields["totalAmount"], c.total) << c.total;
        EXPECT_EQ(description["totalAmount"], c.total);
        EXPECT_EQ(description["tipAmount"], c.tip) << c.total;
        EXPECT_EQ(description["discountAmount"], c.discount) << c.total;
    }
}

// The payment request and the sale registration send one sale with the same amounts: money as
// cents text (halves away from zero), a discount fraction with printf's two decimals.
TEST_F(PaymentRequestTest, BothBodiesSendTheSameAmounts) {
    struct Case {
        double subtotal, tipPercentage, fixedTip;
        const char *total, *tip;
    };
    const Case cases[] = {
        {10.50, 0.25, 0, "13.13", "2.63"}, // a tip of 2.625
        {1.45, 0.10, 0, "1.60", "0.15"},   // 0.145 lies just below the half as a double
        {100, 0.10, 5, "105.00", "5.00"},  // a fixed tip wins over the fraction
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.total);
        auto sale = Sale::init();
        sale->setSubtotal(Amount::initWithDouble(c.subtotal));
        sale->setTipPercentage(c.tipPercentage);
        sale->setTipAmount(Amount::initWithDouble(c.fixedTip));
        auto listed = Discount::init();
        listed->setPercentage(0.125);
        sale->setDiscounts(std::make_shared<DiscountList>(DiscountList{listed}));
        const QVariantMap payment = sale->requestData();
        const QVariantMap registration = APIController::registerSaleFields(*sale, "17", "tok");
        for (const QVariantMap& fields : {payment, registration}) {
            const QJsonObject description = descriptionOf(fields);
            EXPECT_EQ(fields["totalAmount"].toString().toStdString(), c.total);
            EXPECT_EQ(description["totalAmount"].toString().toStdString(), c.total);
            EXPECT_EQ(description["tipAmount"].toString().toStdString(), c.tip);
            EXPECT_EQ(description["discounts"][0]["discountPercentage"].toString().toStdString(),
                      "0.12");
        }
    }
}

TEST_F(PaymentRequestTest, LinesDiscountsTaxesAndPictures) {
    auto sale = Sale::init();
    auto discounted = itemOf(58, 2);
    discounted->setDiscountPercentage(0.5);
    auto taxed = itemOf(10, 1);
    auto taxes = std::make_shared<TaxList>();
    taxes->push_back(Tax::initWithAmount(0, nullptr, QString("Zero"), QString("Zero")));
    taxes->push_back(Tax::initWithAmount(16, nullptr, QString("IVA"), QString("IVA")));
    taxed->product()->setTaxes(taxes);
    QImage picture(2, 2, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    discounted->product()->setImage(picture);
    taxed->product()->setImage(picture);
    auto plain = itemOf(1, 1);
    sale->addItem(discounted);
    sale->addItem(taxed);
    sale->addItem(plain);
    auto discount = Discount::init();
    discount->setDiscountId(4);
    discount->setName("Promo");
    discount->setPercentage(0.15);
    sale->setDiscounts(std::make_shared<DiscountList>(DiscountList{discount}));
    sale->setTaxes(std::make_shared<TaxList>(
        TaxList{Tax::initWithAmount(0, nullptr, QString("Sale tax"), QString("Sale tax"))}));

    const QVariantMap fields = sale->requestData();
    const QJsonObject description = descriptionOf(fields);
    const QJsonArray lines = description["items"].toArray();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].toObject()["discountAmount"], "58.00");
    const QJsonArray lineTaxes = lines[1].toObject()["taxes"].toArray();
    ASSERT_EQ(lineTaxes.size(), 2);
    EXPECT_EQ(lineTaxes[0].toObject()["amount"], "0");
    EXPECT_EQ(lineTaxes[1].toObject()["amount"], "16.0000");
    EXPECT_EQ(lineTaxes[1].toObject()["name"], "IVA");
    EXPECT_EQ(description["taxes"].toArray()[0].toObject()["amount"], "0.0000");
    const QJsonObject discountObject = description["discounts"].toArray()[0].toObject();
    EXPECT_EQ(discountObject["discountId"], "4");
    EXPECT_EQ(discountObject["discountName"], "Promo");
    EXPECT_EQ(discountObject["discountPercentage"], "0.15");
    EXPECT_EQ(discountObject["discountAmount"], "0.00");

    const QString key0 = lines[0].toObject()["imageKeyForUpload"].toString();
    const QString key1 = lines[1].toObject()["imageKeyForUpload"].toString();
    EXPECT_EQ(key0.size(), 36);
    EXPECT_NE(key0, key1);
    EXPECT_EQ(fields.value(key0).value<QImage>(), picture);
    EXPECT_EQ(fields.value(key1).value<QImage>(), picture);
    EXPECT_EQ(lines[2].toObject()["imageKeyForUpload"], "");
}

TEST_F(PaymentRequestTest, CardSaleFieldByField) {
    auto sale = Sale::init();
    sale->addItem(itemOf(110, 1));
    sale->setCurrencyCode("ARS");
    sale->setInstallmentId("12");
    sale->setPaidWithCreditCard(true);
    auto card = readCard();
    ASSERT_TRUE(
        card->encryptCardDataWithKey("ABCDEFGHIJKLMNOPQRSTUVWX-session", false, false, true));
    sale->setCreditCard(card);
    sale->setDeviceBatteryCharge(1.0);
    sale->setIsFallback(true);
    sale->setInvoiceAmount(Amount::initWithDouble(110));
    sale->setTaxableAmount(Amount::initWithDouble(15.17));
    sale->setHasTaxRefund(false);
    sale->setInvoiceNumber("F-1");
    sale->setForce(true);
    sale->setFallbackContidition("chip");
    sale->setBankId(QString(""));
    sale->setMerchantId(QString("M-9"));
    sale->setExternalReference(QString("ref-1"));
    sale->setCustomData({{"totalAmount", "999.00"}, {"externalReference", "custom"}, {"x", 1}});

    const QVariantMap fields = sale->requestData();
    const std::pair<const char*, QVariant> expected[] = {
        {"paymentMethod", "card"},
        {"cardNumber", "4111111111111111"},
        {"expireDate", "8mmbDmUBS40="},
        {"cardHolderName", "ANA GOMEZ"},
        {"securityCode", "123"},
        {"totalAmount", "999.00"},
        {"currencyCode", "ARS"},
        {"currency", "ARS"},
        {"installmentId", "12"},
        {"installments", "3"},
        {"holderIdentificationType", "DNI"},
        {"holderIdentificationNumber", "30111222"},
        {"ksn", "FFFF9876543210E00001"},
        {"track2data", "00112233445566778899AABBCCDDEEFF0011223344556677"},
        {"batteryCharge", "1.00"},
        {"serviceCode", "201"},
        {"serialNumber", sale->deviceSerialNumber()},
        {"fullSerialNumber", sale->fullSerialNumber()},
        {"isFallback", "1"},
        {"invoiceTotalAmount", "110.00"},
        {"taxableAmount", "15.17"},
        {"isTaxRefund", "0"},
        {"invoiceNumber", "F-1"},
        {"transactionType", "emv"},
        {"pinOfflineInserted", "1"},
        {"selectedReader", sale->getSelectedReaderAPIID()},
        {"forceTransaction", "1"},
        {"fallbackCondition", "chip"},
        {"transactionToken", ""},
        {"pinBlock", "1A2B3C4D5E6F7081"},
        {"pinKsn", "FFFF9876543210E00002"},
        {"emvTags", *card->emvTags()},
        {"emvApp", *card->emvApp()},
        {"merchant", "M-9"},
        {"x", 1},
        {"externalReference", "ref-1"},
    };
    for (const auto& [key, value] : expected) {
        ASSERT_TRUE(fields.contains(key)) << key;
        EXPECT_EQ(fields.value(key), value) << key;
    }
    EXPECT_EQ(fields.value("emvTags").typeId(), QMetaType::QByteArray);
    for (const char* absent : {"bankAccountId", "track1data", "iccTags", "applicationLabel"})
        EXPECT_FALSE(fields.contains(absent)) << absent;
    EXPECT_EQ(descriptionOf(fields)["totalAmount"], "110.00");
}

TEST_F(PaymentRequestTest, ConsoleLinesKeepCardDataOut) {
    auto sale = Sale::init();
    sale->addItem(itemOf(10, 1));
    sale->setPaidWithCreditCard(true);
    sale->setCreditCard(readCard());
    sale->creditCard()->setTrack1Encrypted(QString("TRACKONESECRET"));
    sale->setSecurityToken(QString("TRXtok3n88"));
    ConsoleCapture console;
    sale->requestData();
    const QString all = console.lines.join('\n');
    EXPECT_GE(console.lines.size(), 3);
    EXPECT_TRUE(all.contains("411111******1111"));
    // Key serial numbers, the transaction token and the chip's application data too.
    for (const char* secret :
         {"4111111111111111", "4111111111111111D2512201", "251231", "1A2B3C4D5E6F7081",
          "00112233445566778899AABBCCDDEEFF", "TRACKONESECRET", "ANA GOMEZ", "2512",
          "FFFF9876543210E00001", "FFFF9876543210E00002", "TRXtok3n88", "A0000000031010"})
        EXPECT_FALSE(all.contains(secret)) << secret;
}

TEST_F(PaymentRequestTest, BuiltOnTheMainThreadForOtherCallers) {
    auto sale = Sale::init();
    sale->addItem(itemOf(58, 2));
    sale->recalculateTotalAmount();
    QVariantMap fromWorker;
    bool builtOnMain = false;
    QThread* worker = QThread::create([&] { fromWorker = sale->requestData(); });
    ConsoleCapture console;
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {
        if (capturedLines)
            capturedLines->append(QThread::currentThread() == qApp->thread() ? "main" : "other");
    });
    worker->start();
    ASSERT_TRUE(waitUntil([&] { return worker->isFinished(); }));
    worker->wait();
    delete worker;
    builtOnMain = !console.lines.isEmpty() && !console.lines.contains("other");
    EXPECT_TRUE(builtOnMain);
    EXPECT_EQ(fromWorker["totalAmount"].toString(), "116.00");
}
