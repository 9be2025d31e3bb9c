#include "PaymentFlowFixture.h"

#include "model/CreditCard.h"
#include "payment/flow/InstallmentsPickerCell.h"
#include "payment/flow/InstallmentsPickerController.h"
#include "payment/signature_receipts/SignatureViewController.h"
#include "reader/simulated/CardProfile.h"

#include <QMouseEvent>

// A host's card charge through the SDK's own screens: the payment-method list, the
// installments screens, the card-reading screen with a simulated reader, the sandbox.
class HostChargeTest : public OwnScreensFlowTest {
protected:
    void presentCard(const char* profile) {
        reader->setDefaultCard(CardProfile::named(QString::fromLatin1(profile)));
    }
    // The screen on top of everything shown.
    ViewController* topScreen() const {
        ViewController* top = window->topViewController();
        if (auto* nav = qobject_cast<NavigationController*>(top))
            top = nav->topViewController();
        return top;
    }
    bool completed() {
        const bool done = waitFor([&] { return !completions.calls.isEmpty(); });
        if (!done && topScreen())
            ADD_FAILURE() << "no completion; on screen: " << topScreen()->metaObject()->className();
        return done;
    }

    // Waits for the signature screen, signs across the pad with the mouse and taps continue.
    bool sign() {
        SignatureViewController* signature = nullptr;
        if (!waitFor([&] {
                signature = qobject_cast<SignatureViewController*>(topScreen());
                return signature != nullptr;
            })) {
            ADD_FAILURE() << "no signature screen; on screen: "
                          << (topScreen() ? topScreen()->metaObject()->className() : "nothing");
            return false;
        }
        settle();
        QWidget* pad = signature->signatureContainerView();
        ulong ms = 1000;
        for (int i = 0; i <= 10; ++i) {
            const QPointF at(pad->width() * (0.1 + 0.08 * i), pad->height() * (i % 2 ? 0.3 : 0.7));
            const QEvent::Type type = i == 0 ? QEvent::MouseButtonPress : QEvent::MouseMove;
            QMouseEvent event(type, at, pad->mapToGlobal(at),
                              i == 0 ? Qt::LeftButton : Qt::NoButton, Qt::LeftButton,
                              Qt::NoModifier);
            event.setTimestamp(ms += 15);
            QCoreApplication::sendEvent(pad, &event);
        }
        QMouseEvent up(QEvent::MouseButtonRelease, QPointF(pad->width() * 0.9, pad->height() / 2),
                       pad->mapToGlobal(QPointF(pad->width() * 0.9, pad->height() / 2)),
                       Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        up.setTimestamp(ms);
        QCoreApplication::sendEvent(pad, &up);
        signature->continueButton()->click();
        return true;
    }
};

TEST_F(HostChargeTest, CardThroughInstitutionPlanAndChipWithPin) {
    presentCard("chip-pin");
    PickPaymentMethodController* screen = charge(90);
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(tapRow(screen, "Banco Sur"));
    settle();
    auto* picker = qobject_cast<InstallmentsPickerController*>(topScreen());
    ASSERT_NE(picker, nullptr);
    // "3 pagos" is the first row without interest.
    auto* cell = qobject_cast<InstallmentsPickerCell*>(
        picker->outlet<TableView>("tableView")->cellForRowAtIndexPath({1, 0}));
    ASSERT_NE(cell, nullptr);
    ASSERT_EQ(cell->installmentsDetail()->text(), "3 pagos");
    picker->outlet<TableView>("tableView")->tapRowAtIndexPath({1, 0});
    ASSERT_TRUE(completed());
    settle();
    ASSERT_EQ(completions.calls.size(), 1);
    EXPECT_TRUE(completions.calls[0].success);
    EXPECT_EQ(completions.calls[0].result.value("paymentMethod").toString(), "card");
    EXPECT_EQ(sheet(), nullptr);
}

TEST_F(HostChargeTest, SwipedCardOfASinglePlan) {
    presentCard("swipe");
    PickPaymentMethodController* screen = charge(45);
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(tapRow(screen, "Visa Crédito"));
    // A swiped card signs; the signature goes up with the sale's id, and the card is read once.
    ASSERT_TRUE(sign());
    ASSERT_TRUE(completed());
    settle();
    ASSERT_EQ(completions.calls.size(), 1);
    EXPECT_TRUE(completions.calls[0].success);
    EXPECT_EQ(sheet(), nullptr);
    EXPECT_EQ(sandbox->requestsTo(SandboxServer::apiPath("/payments/savePayment.json")).size(), 1);
    EXPECT_EQ(
        sandbox->requestsTo(SandboxServer::apiPath("/payments/saveSignatureImage.json")).size(), 1);
}

TEST_F(HostChargeTest, DeclinedThenApprovedEndsOnce) {
    presentCard("swipe");
    const QString path = SandboxServer::apiPath("/payments/savePayment.json");
    sandbox->scriptOnce("POST", path, SandboxReply::failure(51, "Fondos insuficientes"));
    PickPaymentMethodController* screen = charge(45);
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(tapRow(screen, "Visa Crédito"));
    // The refusal is shown and the screen waits for the next card, which goes through.
    ASSERT_TRUE(waitFor([&] {
        if (auto* alert = qobject_cast<SystemAlert*>(topScreen()))
            alert->tapButtonWithTitle(alert->actions().first()->title());
        return qobject_cast<SignatureViewController*>(topScreen()) != nullptr;
    }));
    ASSERT_TRUE(sign());
    ASSERT_TRUE(completed());
    settle();
    ASSERT_EQ(completions.calls.size(), 1);
    EXPECT_TRUE(completions.calls[0].success);
    EXPECT_EQ(sandbox->requestsTo(path).size(), 2);
}
