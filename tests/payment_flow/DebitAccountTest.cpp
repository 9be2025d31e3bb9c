#include "PaymentFlowFixture.h"

#include "model/CreditCard.h"
#include "payment/card_reading/DeviceController.h"
#include "payment/flow/InstallmentOptionTableViewCell.h"
#include "payment/flow/InstallmentsSelectionViewController.h"
#include "platform/ui/TableView.h"
#include "reader/simulated/SimulatedReader.h"
#include "sandbox/SandboxServer.h"

// A debit card read on the card-reading screen: the account-type question, answered on the
// real selection screen, decides what the payment sends.
class DebitAccountTest : public PaymentFlowTest {
protected:
    DebitAccountTest() { standIns_.clear(); }

    void SetUp() override {
        PaymentFlowTest::SetUp();
        SandboxUser* merchant = sandbox.state().userForToken(sandbox.merchantToken());
        ASSERT_NE(merchant, nullptr);
        const QString token = sandbox.state().issueToken(merchant->userId);
        TarvelloSDK::sharedSDK().setUserToken(token);
        User::instance().setToken(token);
        // The simulated reader with its own card, read once the question is answered.
        reader = SimulatedReader::withDefaultReaders();
        Services::set<ReaderFactory>(reader);
    }
    void TearDown() override {
        PaymentFlowTest::TearDown();
        Services::set<ReaderFactory>(nullptr);
        reader.reset();
    }
    static QVariantMap institutionNamed(const QString& name) {
        for (const QVariant& entry :
             AvailableCreditCards::instance().list().value_or(QVariantList{}))
            if (entry.toMap().value("name").toString() == name)
                return entry.toMap();
        return {};
    }

    std::shared_ptr<SimulatedReader> reader;
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
    Sale::sharedSale().creditCard()->setNumber("589562******0010");

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
    settle();
    // The account's id as the bank, the plan of one payment, the account's name.
    const Sale& sale = Sale::sharedSale();
    EXPECT_EQ(sale.bankId().value_or(QString()), "42");
    EXPECT_EQ(sale.installmentId(), "40");
    EXPECT_EQ(sale.paymentMethodName(), "Cuenta corriente");
    EXPECT_EQ(sale.creditCard()->installments(), 1);
    // The card's payment carries the account and the plan.
    ASSERT_TRUE(waitFor([&] {
        const auto sent = sandbox->requestsTo(save);
        return std::any_of(sent.begin() + before, sent.end(), [](const SandboxRequest& request) {
            return request.field("bankAccountId") == "42" && request.field("installmentId") == "40";
        });
    }));
}
