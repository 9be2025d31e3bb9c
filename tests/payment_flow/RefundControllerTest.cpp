#include "PaymentFlowFixture.h"

#include "payment/PaymentScreens.h"
#include "payment/flow/RefundController.h"

namespace {

// The refund screen in a navigation controller of its own, as the refund presenter shows it.
class RefundControllerTest : public PaymentFlowTest {
protected:
    RefundController* open(double maxRefund, const QString& symbol = "$") {
        auto* screen =
            qobject_cast<RefundController*>(Storyboard::instantiate(PaymentScreens::refund));
        if (!screen)
            return nullptr;
        // Set by name, as the presenter does.
        screen->setProperty("saleDic", QVariantMap{{"saleId", 5002}, {"email", "ana@example.com"}});
        screen->setProperty("maxRefund", maxRefund);
        screen->setProperty("currencyCode", "840");
        screen->setProperty("currencyFormat", symbol);
        auto* nav = new NavigationController(screen);
        window->rootViewController()->presentViewController(nav, false);
        settle();
        return screen;
    }
    static TextField* field(RefundController* screen) {
        return screen->outlet<TextField>("refundAmount");
    }
    // Types keys at the end of the field, as the keypad does.
    static void type(RefundController* screen, const QString& keys) {
        for (QChar key : keys) {
            field(screen)->end(false);
            field(screen)->insertText(QString(key));
        }
    }
};

} // namespace

TEST_F(RefundControllerTest, FieldReadingAndEditsWithinTheMaximum) {
    RefundController* screen = open(1500);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(field(screen)->text(), "-$ 1,500.00");
    EXPECT_EQ(screen->outlet<QLabel>("totalAmount")->text(), "$ 1,500.00");
    EXPECT_EQ(screen->navigationItem()->title(), "Devolución");

    struct Reading {
        QString text;
        double value;
    } readings[] = {{"-$ 1,234.56", 1234.56},
                    {"-$ 0.001", 0.01},
                    {"-$ 1,234.5", 123.45},
                    {"- 12.34", 1.23},
                    {"", 0}};
    for (const Reading& r : readings)
        EXPECT_DOUBLE_EQ(screen->amountStringToDouble(r.text), r.value) << r.text.toStdString();

    // A digit more is ten times the maximum: before any accepted edit the field empties.
    type(screen, "0");
    EXPECT_EQ(field(screen)->text(), "");
    field(screen)->setText("-$ 12.34");
    field(screen)->end(false);
    field(screen)->deleteBackward();
    EXPECT_EQ(field(screen)->text(), "-$ 1.23");
    EXPECT_EQ(screen->oldRefund(), std::optional<QString>("-$ 1.23"));
    type(screen, "99999");
    EXPECT_EQ(field(screen)->text(), "-$ 1,239.99");
    type(screen, "9");
    EXPECT_EQ(field(screen)->text(), "-$ 1,239.99"); // refused, back to the last accepted
    // Deleting the symbol drops a digit.
    field(screen)->setCursorPosition(2);
    field(screen)->deleteBackward();
    EXPECT_EQ(field(screen)->text(), "-$ 123.99");
}

TEST_F(RefundControllerTest, TheMaximumPassesACentMoreDoesNotAndTheSaleIsInTheRefundCurrency) {
    Currency::instance()->setCurrencyFormat("$", "484", "Pesos");
    RefundController* screen = open(100.10, "US$");
    ASSERT_NE(screen, nullptr);
    struct Case {
        QString text;
        bool accepted;
    } cases[] = {{"-US$ 100.11", false}, {"-US$ 0.00", false}, {"-US$ 100.10", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        field(screen)->setText(c.text);
        screen->navigationItem()->rightBarButtonItems().first().action();
        settle();
        if (!c.accepted) {
            ASSERT_NE(shownAlert(screen), nullptr);
            EXPECT_EQ(shownAlert(screen)->message(),
                      "Debe ingresar un monto válido para continuar");
            shownAlert(screen)->tapButtonWithTitle("OK");
            settle();
            EXPECT_FALSE(screen->refundSale());
            continue;
        }
        auto sale = screen->refundSale();
        ASSERT_TRUE(sale);
        EXPECT_EQ(sale->trxType(), 2);
        EXPECT_EQ(sale->saleId(), "5002");
        EXPECT_EQ(sale->email(), std::optional<QString>("ana@example.com"));
        EXPECT_DOUBLE_EQ(sale->subtotal()->doubleValue(), 100.10);
        EXPECT_EQ(sale->currencyCode(), "840");
        EXPECT_EQ(Currency::instance()->format(), "US$");
        EXPECT_EQ(Currency::instance()->code(), "840");
        auto* next =
            dynamic_cast<FlowStandIn*>(screen->navigationController()->topViewController());
        ASSERT_NE(next, nullptr);
        EXPECT_EQ(next->name(), "Device");
    }
    screen->navigationController()->popViewControllerAnimated(false);
    settle();
    ASSERT_TRUE(screen->view()->window()->grab().save(flowScreenshotPath("refund.png")));
}
