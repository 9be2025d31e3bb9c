#include "PaymentFlowFixture.h"

#include "model/CreditCard.h"
#include "payment/flow/InstallmentsPickerCell.h"
#include "payment/flow/InstallmentsPickerController.h"
#include "reader/simulated/CardProfile.h"
#include "reader/simulated/SimulatedReader.h"

// A host's card charge through the SDK's own screens: the payment-method list, the
// installments screens, the card-reading screen with a simulated reader, the sandbox.
class HostChargeTest : public PaymentFlowTest {
protected:
    HostChargeTest() { standIns_.clear(); }

    void SetUp() override {
        PaymentFlowTest::SetUp();
        // Card fields are encrypted with the session token: a session long enough for a key.
        SandboxUser* merchant = sandbox.state().userForToken(sandbox.merchantToken());
        ASSERT_NE(merchant, nullptr);
        const QString token = sandbox.state().issueToken(merchant->userId);
        TarvelloSDK::sharedSDK().setUserToken(token);
        User::instance().setToken(token);
        reader = SimulatedReader::withDefaultReaders();
        Services::set<ReaderFactory>(reader);
    }
    void TearDown() override {
        PaymentFlowTest::TearDown();
        Services::set<ReaderFactory>(nullptr);
        reader.reset();
    }

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

    std::shared_ptr<SimulatedReader> reader;
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
    GTEST_SKIP() << "a swiped card now asks for the signature; this test does not sign yet";
    presentCard("swipe");
    PickPaymentMethodController* screen = charge(45);
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(tapRow(screen, "Visa Crédito"));
    ASSERT_TRUE(completed());
    settle();
    ASSERT_EQ(completions.calls.size(), 1);
    EXPECT_TRUE(completions.calls[0].success);
    EXPECT_EQ(sheet(), nullptr);
}

TEST_F(HostChargeTest, DeclinedThenApprovedEndsOnce) {
    GTEST_SKIP() << "a swiped card now asks for the signature; this test does not sign yet";
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
        return !completions.calls.isEmpty();
    }));
    settle();
    ASSERT_EQ(completions.calls.size(), 1);
    EXPECT_TRUE(completions.calls[0].success);
    EXPECT_EQ(sandbox->requestsTo(path).size(), 2);
}
