#include "SignatureReceiptFixture.h"
#include "api/SignatureQueue.h"
#include "payment/signature_receipts/SignatureView.h"
#include "payment/signature_receipts/SignatureViewController.h"

#include <QLabel>
#include <QPushButton>

namespace {

class SignatureScreenTest : public SignatureReceiptTest {
protected:
    SignatureViewController* present(std::shared_ptr<Sale> sale) {
        auto* screen = SignatureViewController::instanceWithSale(sale, nullptr);
        screen->setSignatureQueue(&queue);
        host->presentViewController(screen, false);
        clock->advance(0);
        screen->view()->resize(568, 320);
        screen->layoutIfNeeded();
        return screen;
    }
    void sign(SignatureViewController* screen) {
        drawStroke(screen->signatureContainerView(), {{40, 40}, {80, 50}, {120, 45}, {160, 60}},
                   1000, 40);
    }
    QList<SandboxRequest> uploads() { return requestsTo("/payments/saveSignatureImage.json"); }

    SignatureQueue queue;
};

TEST_F(SignatureScreenTest, PaymentLineAndCardPicture) {
    struct Case {
        const char* method;
        double tax;
        int trxType;
        QString line;
    };
    const Case cases[] = {
        {"Mastercard", 0, 0, "Mastercard"},
        {"", 0, 0, ""},
        {"", 0, 1, "Monto a anular"},
        {"", 0, 2, "Monto a devolver"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        auto sale = cardSale(300);
        sale->setPaymentMethodName(QString::fromUtf8(c.method));
        sale->setTrxType(c.trxType);
        auto* screen = present(sale);
        EXPECT_EQ(screen->paymentMethodLabel()->text(), c.line);
        if (c.trxType == 2) {
            EXPECT_TRUE(screen->amountLabel()->text().startsWith("- "));
        }
        // No bank picture, no brand: the brand worked out from the number.
        EXPECT_EQ(screen->cardIssuerImageView()->imageName(),
                  CreditCard::issuerPictureName(CARD_MASTER_CARD));
        EXPECT_TRUE(screen->eraseButton()->isHidden());
        screen->dismissViewControllerAnimated(false);
    }
}

TEST_F(SignatureScreenTest, ContinueWithoutSigningAsksForTheSignature) {
    auto* screen = present(cardSale(300));
    screen->continueButton()->click();
    SystemAlert* alert = alertOver(screen);
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->message(), "Por favor firme con su dedo para poder continuar");
    alert->tapButtonWithTitle("OK");
    drain(3);
    // Signed, then erased: the same question again.
    sign(screen);
    EXPECT_FALSE(screen->eraseButton()->isHidden());
    screen->eraseButton()->click();
    screen->continueButton()->click();
    ASSERT_TRUE(alertOver(screen));
    drain(5);
    EXPECT_TRUE(uploads().isEmpty());
}

TEST_F(SignatureScreenTest, OneUploadEndsTheFlowOnceWithItsKind) {
    struct Case {
        int trxType;
        int payments;
        int operations;
    };
    for (const Case c : {Case{0, 1, 0}, Case{1, 0, 1}, Case{2, 0, 1}}) {
        SCOPED_TRACE(c.trxType);
        host->payments.clear();
        host->operations.clear();
        sandbox->clearRequests();
        auto sale = cardSale(300);
        sale->setTrxType(c.trxType);
        auto* screen = present(sale);
        sign(screen);
        screen->continueButton()->click();
        screen->continueButton()->click(); // a second tap while the upload runs
        EXPECT_FALSE(screen->continueButton()->isEnabled());
        EXPECT_FALSE(screen->eraseButton()->isEnabled());
        ASSERT_TRUE(settle([&] { return host->ends() > 0; }));
        drain();
        EXPECT_EQ(host->payments.size(), c.payments);
        EXPECT_EQ(host->operations.size(), c.operations);
        ASSERT_EQ(uploads().size(), 1);
        EXPECT_EQ(uploads().first().field("saleId"), sale->saleId());
        const QVariantMap recorded =
            sandbox.state().sale(sale->saleId().toLongLong())->data.value("signature").toMap();
        EXPECT_EQ(recorded.value("width").toInt(), screen->signatureContainerView()->width());
        EXPECT_FALSE(queue.hasSignatureForSaleId(sale->saleId())); // accepted: gone
        screen->dismissViewControllerAnimated(false);
    }
}

TEST_F(SignatureScreenTest, ARefusalKeepsTheSignatureAndContinueTriesAgain) {
    auto sale = cardSale(300);
    auto* screen = present(sale);
    sign(screen);
    struct Case {
        SandboxReply reply;
        QString message;
    };
    const Case refusals[] = {
        {SandboxReply::json(QVariantMap{{"success", "NO"}}),
         "Hubo un problema con la conexión. Por favor asegúrate que tu conexión a internet "
         "funciona correctamente e intenta nuevamente."},
        {SandboxReply::failure(12, "Firma ilegible"), "Firma ilegible"},
    };
    for (const Case& c : refusals) {
        sandbox->scriptOnce("POST", SandboxServer::apiPath("/payments/saveSignatureImage.json"),
                            c.reply);
        screen->continueButton()->click();
        ASSERT_TRUE(settle([&] { return alertOver(screen) != nullptr; }));
        EXPECT_EQ(alertOver(screen)->message(), c.message);
        EXPECT_EQ(host->ends(), 0);
        EXPECT_TRUE(queue.hasSignatureForSaleId(sale->saleId())); // kept until accepted
        EXPECT_EQ(queue.signatures().size(), 1);                  // replaced, not added
        EXPECT_TRUE(screen->continueButton()->isEnabled());
        alertOver(screen)->tapButtonWithTitle("OK");
        drain(40);
    }
    // A dropped connection: the alert, and still nothing ends.
    sandbox->scriptOnce("POST", SandboxServer::apiPath("/payments/saveSignatureImage.json"),
                        SandboxReply::dropped());
    screen->continueButton()->click();
    ASSERT_TRUE(settle([&] { return alertOver(screen) != nullptr; }));
    alertOver(screen)->tapButtonWithTitle("OK");
    drain(40);
    EXPECT_EQ(host->ends(), 0);

    screen->continueButton()->click();
    ASSERT_TRUE(settle([&] { return host->ends() == 1; }));
    drain();
    EXPECT_EQ(host->payments.size(), 1);
    EXPECT_FALSE(queue.hasSignatureForSaleId(sale->saleId()));
    EXPECT_TRUE(QDir(documents.path()).entryList(QDir::Files).isEmpty());
}

} // namespace
