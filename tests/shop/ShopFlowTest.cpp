#include "ShopFixture.h"
#include "api/APIController.h"
#include "shop/BuyReaderCell.h"
#include "shop/BuyReaderDoneController.h"
#include "shop/BuyReaderEnterDataController.h"
#include "shop/BuyReaderSelectAmountController.h"
#include "shop/BuyReaderStartController.h"
#include "shop/payment/BuyReaderEnterCVVController.h"
#include "shop/payment/BuyReaderPaymentController.h"
#include "shop/payment/BuyReaderPaymentsController.h"
#include "shop/payment/BuyReaderWithCardController.h"
#include "shop/payment/BuyReaderWithWalletController.h"
#include "shop/shipping/BuyReaderSelectShippingController.h"

#include <QJsonDocument>
#include <QLabel>
#include <QTabBar>

using namespace shoptest;

namespace {

// A card number and code no log line may show.
const QString kCardNumber = QStringLiteral("5105105105105100");
const QString kCode = QStringLiteral("739");

class ShopFlow : public ShopTest {
protected:
    // Offer → catalogue with the first reader × 2 → buyer data → shipping.
    BuyReaderSelectShippingController* throughBuyerData(bool shots) {
        presentOffer(false);
        if (shots)
            screenshot("01-offer");
        shop->topViewController()->view()->findChild<QPushButton*>("buyNow")->click();
        settle();
        auto* catalogue = top<BuyReaderStartController>();
        EXPECT_TRUE(catalogue);
        if (!catalogue)
            return nullptr;
        EXPECT_TRUE(waitUntil([&] { return catalogue->readers().has_value(); }));
        EXPECT_TRUE(waitForOverlayGone(catalogue));
        auto* table = catalogue->view()->findChild<TableView*>("tableView");
        table->tapRowAtIndexPath({0, 0});
        auto* cell = qobject_cast<BuyReaderCell*>(table->cellForRowAtIndexPath({0, 0}));
        cell->findChild<QPushButton*>("amountButton")->click();
        settle();
        auto* sheetNav = qobject_cast<NavigationController*>(topmost());
        EXPECT_TRUE(sheetNav);
        if (!sheetNav)
            return nullptr;
        auto* sheet = qobject_cast<BuyReaderSelectAmountController*>(sheetNav->topViewController());
        if (shots)
            screenshot("03-quantity-sheet");
        sheet->view()->findChild<TableView*>("tableView")->tapRowAtIndexPath({0, 2});
        settle();
        EXPECT_EQ(catalogue->amounts().value(0), 2);
        EXPECT_EQ(cell->findChild<QLabel*>("amountButtonLabel")->text(), "2");
        if (shots)
            screenshot("02-catalogue");
        catalogue->view()->findChild<QPushButton*>("buyButton")->click();
        settle();
        auto* form = top<BuyReaderEnterDataController>();
        EXPECT_TRUE(form);
        if (!form)
            return nullptr;
        QWidget* v = form->view();
        type(v->findChild<TextField*>("firstName"), "Ana");
        type(v->findChild<TextField*>("lastName"), "Pérez");
        type(v->findChild<TextField*>("personalId"), "12345678");
        type(v->findChild<TextField*>("phone"), "01144445555");
        type(v->findChild<TextField*>("streetName"), "Mitre");
        type(v->findChild<TextField*>("streetNumber"), "350");
        type(v->findChild<TextField*>("zipCode"), "5000");
        v->findChild<PickerView*>("statePicker")->pickRow(6, 0); // Córdoba
        type(v->findChild<TextField*>("city"), "Río Cuarto");
        EXPECT_FALSE(v->findChild<QPushButton*>("continueButton")->isHidden());
        if (shots)
            screenshot("04-buyer-data");
        v->findChild<QPushButton*>("continueButton")->click();
        settle();
        return top<BuyReaderSelectShippingController>();
    }
    // Shipping in pick-up, first branch, then the summary.
    BuyReaderPaymentController* throughPickUp(BuyReaderSelectShippingController* shipping,
                                              bool shots) {
        if (shots)
            screenshot("05-shipping-address");
        shipping->view()->findChild<QTabBar*>("tabs")->setCurrentIndex(1);
        EXPECT_TRUE(waitUntil([&] { return shipping->pickUpLocationsInState().has_value(); }));
        settle();
        if (shots)
            screenshot("06-shipping-pickup");
        shipping->view()->findChild<QPushButton*>("continueButton")->click();
        settle();
        return top<BuyReaderPaymentController>();
    }
    // The plans screen: waits for the plans and pays with the first.
    void payFirstPlan(bool shots) {
        auto* plans = top<BuyReaderPaymentsController>();
        ASSERT_TRUE(plans);
        ASSERT_TRUE(waitUntil([&] { return !plans->installments().isEmpty(); }));
        ASSERT_TRUE(waitForOverlayGone(plans));
        if (shots)
            screenshot("09-installments");
        plans->view()->findChild<QPushButton*>("continueButton")->click();
        ASSERT_TRUE(waitUntil([&] { return top<BuyReaderDoneController>() != nullptr; }));
        settle();
        if (shots)
            screenshot("10-done");
    }
    QVariantMap lastOrder() {
        const auto requests = sandbox->requestsTo("/developers/api/sell/setOrderData.json");
        if (requests.isEmpty())
            return {};
        QVariantMap fields;
        for (const char* name : {"sucursalId", "street", "cardNumber", "expireDate", "securityCode",
                                 "billeteraId", "installments", "cardHolderDocument", "document",
                                 "billingRegion", "productData", "promotionId", "realAmount"})
            if (requests.last().hasField(QString::fromLatin1(name)))
                fields.insert(QString::fromLatin1(name),
                              requests.last().field(QString::fromLatin1(name)));
        return fields;
    }
    // Every console line and request-log entry of the run.
    QStringList allLogs() {
        QStringList lines = ConsoleLines::lines();
        for (const QVariant& entry : APIController::getRequestLog())
            lines << QString::fromUtf8(QJsonDocument::fromVariant(entry).toJson());
        return lines;
    }
};

TEST_F(ShopFlow, CardOrderAtABranchReachesTheSandboxAndNoLogShowsTheCard) {
    ConsoleLines console;
    auto* shipping = throughBuyerData(true);
    ASSERT_TRUE(shipping);
    const auto search = sandbox->requestsTo("/developers/api/sell/veloxaConsultarSucursales.json");
    auto* summary = throughPickUp(shipping, true);
    ASSERT_TRUE(summary);
    ASSERT_FALSE(
        sandbox->requestsTo("/developers/api/sell/veloxaConsultarSucursales.json").isEmpty());
    EXPECT_EQ(sandbox->requestsTo("/developers/api/sell/veloxaConsultarSucursales.json")
                  .first()
                  .field("provincia"),
              "CORDOBA");
    const Purchase record = summary->purchase();
    EXPECT_EQ(record->value("total").toDouble(), 3000.0);
    EXPECT_EQ(record->map("billingAddress").value("phone"), "01144445555");
    EXPECT_EQ(record->map("billingAddress").value("document"), "12,345,678");
    EXPECT_EQ(record->map("shipping").value("method"), "pickUp");
    EXPECT_EQ(summary->view()->findChild<TableView*>("tableView")->numberOfRowsInSection(0), 1);
    screenshot("07-summary");

    summary->view()->findChild<QPushButton*>("cardButton")->click();
    settle();
    auto* card = top<BuyReaderWithCardController>();
    ASSERT_TRUE(card);
    QWidget* v = card->view();
    EXPECT_EQ(v->findChild<TextField*>("personalId")->text(), "12,345,678"); // prefilled
    type(v->findChild<TextField*>("cardNumber"), "51051051a05105100");       // a letter is refused
    EXPECT_EQ(v->findChild<TextField*>("cardNumber")->text(), "5105 1051 0510 5100");
    type(v->findChild<TextField*>("expirationDate"), "1230");
    EXPECT_EQ(v->findChild<TextField*>("expirationDate")->text(), "12 / 30");
    type(v->findChild<TextField*>("securityCode"), kCode + "9"); // cut to 3
    type(v->findChild<TextField*>("nameOnCard"), "ANA PEREZ");
    EXPECT_EQ(v->findChild<TextField*>("securityCode")->text(), kCode);
    ASSERT_FALSE(v->findChild<QPushButton*>("continueButton")->isHidden());
    screenshot("08-card-form");
    v->findChild<QPushButton*>("continueButton")->click();
    settle();
    payFirstPlan(true);

    const QVariantMap order = lastOrder();
    EXPECT_EQ(order.value("sucursalId"), "7001");
    EXPECT_FALSE(order.contains("street"));
    EXPECT_EQ(order.value("cardNumber"), kCardNumber);
    EXPECT_EQ(order.value("expireDate"), "1230");
    EXPECT_EQ(order.value("securityCode"), kCode);
    EXPECT_EQ(order.value("installments"), "1");
    EXPECT_EQ(order.value("cardHolderDocument"), "12,345,678");
    EXPECT_EQ(order.value("productData"), "[{\"count\":2,\"id\":1}]");
    // Nothing of the card stays in the record once the order is accepted.
    EXPECT_FALSE(record->map("payment").contains("cardNumber"));
    EXPECT_FALSE(record->map("payment").contains("securityCode"));
    EXPECT_FALSE(record->map("payment").contains("expireDate"));

    for (const QString& line : allLogs()) {
        SCOPED_TRACE(line.toStdString());
        EXPECT_FALSE(line.contains(kCardNumber));
        EXPECT_FALSE(line.contains("12,345,678"));
        EXPECT_FALSE(line.contains("12%2C345%2C678"));
        if (line.contains("securityCode")) {
            EXPECT_FALSE(line.contains(kCode));
        }
        if (line.contains("expireDate")) {
            EXPECT_FALSE(line.contains("1230"));
        }
    }
    // Done without the charge button closes the shop.
    top<BuyReaderDoneController>()->done();
    settle();
    EXPECT_EQ(topmost(), host.data());
}

TEST_F(ShopFlow, WalletOrderShipsWithTheFavouriteCardAndItsCode) {
    ConsoleLines console;
    auto* shipping = throughBuyerData(false);
    ASSERT_TRUE(shipping);
    shipping->view()->findChild<QPushButton*>("continueButton")->click(); // billing address
    settle();
    auto* summary = top<BuyReaderPaymentController>();
    ASSERT_TRUE(summary);
    summary->view()->findChild<QPushButton*>("walletButton")->click();
    settle();
    auto* wallet = top<BuyReaderWithWalletController>();
    ASSERT_TRUE(wallet);
    ASSERT_TRUE(waitUntil([&] { return wallet->cards().has_value(); }));
    ASSERT_TRUE(waitForOverlayGone(wallet));
    EXPECT_EQ(wallet->cards()->first().toMap().value("uid"), "w-102"); // the favourite
    auto* firstRow = wallet->view()->findChild<QWidget*>("Cell0");
    ASSERT_TRUE(firstRow);
    EXPECT_EQ(firstRow->findChild<QLabel*>("expirationLabel")->text(), "DICIEMBRE / 2026");
    screenshot("11-wallet");

    wallet->view()->findChild<QPushButton*>("continueButton")->click();
    settle();
    auto* code = qobject_cast<BuyReaderEnterCVVController*>(topmost());
    ASSERT_TRUE(code);
    EXPECT_EQ(code->maxLength(), 3);
    EXPECT_TRUE(code->view()->findChild<QLabel*>("subtitleLabel")->text().contains("0604"));
    // Back, then pay again: no new card request, an empty code field.
    code->back();
    settle();
    EXPECT_EQ(sandbox->requestsTo("/developers/api/sell/getBilleteraCards.json").size(), 1);
    wallet->view()->findChild<QPushButton*>("continueButton")->click();
    settle();
    code = qobject_cast<BuyReaderEnterCVVController*>(topmost());
    ASSERT_TRUE(code);
    auto* field = code->view()->findChild<TextField*>("cvv");
    EXPECT_TRUE(field->text().isEmpty());
    type(field, kCode + "4");
    EXPECT_EQ(field->text(), kCode);
    screenshot("12-security-code");
    code->view()->findChild<QPushButton*>("continueButton")->click();
    settle();
    payFirstPlan(false);

    const QVariantMap order = lastOrder();
    EXPECT_EQ(order.value("billeteraId"), "w-102");
    EXPECT_EQ(order.value("securityCode"), kCode);
    EXPECT_FALSE(order.contains("cardNumber"));
    EXPECT_FALSE(order.contains("sucursalId"));
    EXPECT_EQ(order.value("street"), "Mitre"); // shipped to the billing address
    for (const QString& line : allLogs()) {
        SCOPED_TRACE(line.toStdString());
        EXPECT_FALSE(line.contains("5485123456780604"));
        EXPECT_FALSE(line.contains("12,345,678"));
        if (line.contains("securityCode")) {
            EXPECT_FALSE(line.contains(kCode));
        }
    }
}

} // namespace
