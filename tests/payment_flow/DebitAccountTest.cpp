#include "PaymentFlowFixture.h"

#include "model/CreditCard.h"
#include "payment/card_reading/DeviceController.h"
#include "payment/flow/InstallmentOptionTableViewCell.h"
#include "payment/flow/InstallmentsSelectionViewController.h"
#include "platform/ui/TableView.h"
#include "sandbox/SandboxServer.h"

// A debit card read on the card-reading screen: the account-type question, answered on the
// real selection screen, decides what the payment sends.
class DebitAccountTest : public OwnScreensFlowTest {
protected:
    void SetUp() override {
        OwnScreensFlowTest::SetUp();
        // No card comes: the reader waits while the question is asked.
        reader->setDefaultCard(std::nullopt);
    }
    static QVariantMap institutionNamed(const QString& name) {
        for (const QVariant& entry :
             AvailableCreditCards::instance().list().value_or(QVariantList{}))
            if (entry.toMap().value("name").toString() == name)
                return entry.toMap();
        return {};
    }
};

TEST_F(DebitAccountTest, TheChosenAccountTypeGoesWithThePayment) {
    PickPaymentMethodController* methods = charge(90);
    ASSERT_NE(methods, nullptr);
    ASSERT_TRUE(tapRow(methods, "Débito Maestro"));
    settle();
    auto* device = qobject_cast<DeviceController*>(sheet()->topViewController());
    ASSERT_NE(device, nullptr);
    const QVariantMap debit = institutionNamed("Débito Maestro");
    ASSERT_FALSE(debit.isEmpty());
    // The card as the reader gives it after a swipe.
    Sale::sharedSale().setPaidWithCreditCard(true);
    Sale::sharedSale().creditCard()->setNumber("589562******0010");
    Sale::sharedSale().creditCard()->setTransactionType("swipe");

    const QString save = SandboxServer::apiPath("/payments/savePayment.json");
    const qsizetype before = sandbox->requestsTo(save).size();
    device->installmentsSelection(debit, true, false);
    settle();
    InstallmentsSelectionViewController* question = nullptr;
    for (ViewController* shown = device->presentedViewController(); shown && !question;
         shown = shown->presentedViewController())
        if (auto* nav = qobject_cast<NavigationController*>(shown))
            question = qobject_cast<InstallmentsSelectionViewController*>(nav->topViewController());
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->navigationItem()->title(), "Seleccionar cuenta");
    ASSERT_EQ(question->rows().size(), 2);
    EXPECT_EQ(question->rows().at(0)->nameLabel()->text(), "Caja de ahorro");
    EXPECT_EQ(question->rows().at(1)->nameLabel()->text(), "Cuenta corriente");
    EXPECT_EQ(question->outlet<QLabel>("paymentOptionLabel")->text(), "****0010");

    question->outlet<TableView>("tableView")->tapRowAtIndexPath({0, 1});
    // The payment carries the account's id, the plan of one payment and one installment.
    ASSERT_TRUE(waitFor([&] { return sandbox->requestsTo(save).size() > before; }));
    const SandboxRequest sent = sandbox->requestsTo(save).at(before);
    EXPECT_EQ(sent.field("bankAccountId"), "42");
    EXPECT_EQ(sent.field("installmentId"), "40");
    EXPECT_EQ(sent.field("installments"), "1");
}
