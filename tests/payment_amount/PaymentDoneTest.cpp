#include "AmountFixture.h"

#include "SDK/session/User.h"
#include "api/APIConfiguration.h"
#include "payment/flow/PaymentDoneController.h"
#include "payment/signature_receipts/SendReceiptListController.h"
#include "payment/signature_receipts/SignatureReceiptScreens.h"
#include "support/SandboxFixture.h"
#include "ui_kit/TutorialHint.h"

#include <TarvelloSDK/TarvelloSDK.h>

#include <QPushButton>

using namespace amounttest;

namespace donetest {

// The older signature screen, as the result screen tells it: by its class name.
class SignController : public ViewController, public FlowEndDelegate {
    Q_OBJECT
public:
    using ViewController::ViewController;
    void paymentDone(std::shared_ptr<Sale> sale) override { sales.append(sale); }
    QList<std::shared_ptr<Sale>> sales;
};

// A printer that keeps what it was given.
class KeepingPrinter : public PrintService {
public:
    bool isPrintingAvailable() override { return available; }
    void printPDF(const QByteArray& pdf, QWidget*, std::function<void(bool)> completion) override {
        printed.append(pdf);
        if (completion)
            completion(true);
    }
    bool available = true;
    QList<QByteArray> printed;
};

} // namespace donetest

namespace {

using donetest::KeepingPrinter;

// The result screen against the sandbox, with a logged-in merchant and a printer.
class PaymentDone : public AmountTest {
protected:
    void SetUp() override {
        AmountTest::SetUp();
        ASSERT_TRUE(useSandboxBackEnd(sandbox));
        TarvelloSDK::sharedSDK().startWithAPIKey(sandbox.apiKey());
        TarvelloSDK::sharedSDK().setUserToken(sandbox.merchantToken());
        SandboxUser* merchant = sandbox.state().userForToken(sandbox.merchantToken());
        ASSERT_NE(merchant, nullptr);
        User::instance().setIsLoggedIn(true);
        User::instance().setUserId(QString::number(merchant->userId));
        User::instance().setToken(sandbox.merchantToken());
        Services::set<PrintService>(printer);
        root = new SaleRoot();
        window.setRootViewController(root);
        window.makeKeyAndVisible();
        settle();
    }
    void TearDown() override {
        AmountTest::TearDown();
        Services::set<PrintService>(nullptr);
        User::instance().reset();
        Services::set<APIConfiguration>(nullptr);
    }

    // A finished card sale of two lines.
    static SalePtr finishedSale() {
        auto paid = Sale::init();
        for (double price : {12.5, 7.5}) {
            auto line = Item::init();
            line->product()->setPrice(Amount::initWithDouble(price));
            paid->addItem(line);
        }
        paid->setSaleId("4711");
        return paid;
    }

    PaymentDoneController* presentResult(ViewController* over, SalePtr given) {
        auto* result = qobject_cast<PaymentDoneController*>(
            Storyboard::instantiate(SignatureReceiptScreens::paymentDone));
        if (!result)
            return nullptr;
        if (given)
            result->setSale(given);
        over->presentViewController(result, false);
        settle();
        return result;
    }
    void waitForAnswer(PaymentDoneController* result) {
        ASSERT_TRUE(waitUntil([&] {
            clock->advance(50);
            return !result->isDisplayingActivityIndicator() || shownAlert(result);
        }));
        settle();
    }

    SandboxFixture sandbox;
    std::shared_ptr<KeepingPrinter> printer = std::make_shared<KeepingPrinter>();
    QPointer<SaleRoot> root;
};

} // namespace

TEST_F(PaymentDone, ShowsTheAmountCollectedAndWhetherTheReceiptWent) {
    struct Case {
        bool receiptSent;
        QString realAmount;
        QString amount;
    } cases[] = {{true, "", "$ 20.00"}, {false, "", "$ 20.00"}, {false, "12.5", "$ 12.50"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.amount.toStdString());
        SalePtr paid = finishedSale();
        paid->setReceiptSent(c.receiptSent);
        paid->setRealAmount(c.realAmount);
        PaymentDoneController* result = presentResult(root, paid);
        ASSERT_NE(result, nullptr);
        EXPECT_TRUE(
            result->outlet<QLabel>("paymentAmount")->text().contains("Has cobrado " + c.amount));
        EXPECT_EQ(result->outlet<QLabel>("receiptSent")->isVisibleTo(result->view()),
                  c.receiptSent);
        EXPECT_EQ(result->outlet<QWidget>("sendReceiptUnderline")->isVisibleTo(result->view()),
                  c.receiptSent);
        EXPECT_EQ(result->navigationItem()->title(), "¡Transacción realizada!");
        if (c.receiptSent) {
            ASSERT_TRUE(result->view()->grab().save(amountScreenshotPath("result.png")));
        }
        result->dismissViewControllerAnimated(false);
        settle();
    }
}

TEST_F(PaymentDone, WithoutASaleItTakesTheSharedOne) {
    sale().addItem(Item::init());
    sale().items().front()->product()->setPrice(Amount::initWithDouble(3));
    sale().recalculateTotalAmount();
    PaymentDoneController* result = presentResult(root, nullptr);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->sale().get(), &sale());
    ASSERT_TRUE(result->uncleanedSale());
    EXPECT_NE(result->uncleanedSale().get(), &sale());
    EXPECT_EQ(result->uncleanedSale()->items().size(), 1u);
}

TEST_F(PaymentDone, TheNewSaleHandsTheUncleanedCopyBackOnce) {
    SalePtr paid = finishedSale();
    sale().addItem(Item::init());
    PaymentDoneController* result = presentResult(root, paid);
    ASSERT_NE(result, nullptr);
    result->outlet<QPushButton>("continueButton")->click();
    result->outlet<QPushButton>("continueButton")->click();
    result->sessionExpired();
    settle();
    ASSERT_EQ(root->sales.size(), 1);
    const SalePtr handed = root->sales.first();
    EXPECT_NE(handed, paid);
    EXPECT_EQ(handed->items().size(), 2u);
    EXPECT_DOUBLE_EQ(handed->total()->doubleValue(), 20);
    EXPECT_EQ(handed->saleId(), "4711");
    EXPECT_TRUE(paid->items().empty()) << "the given sale is reset";
    EXPECT_TRUE(sale().items().empty()) << "and so is the shared one";
}

TEST_F(PaymentDone, ThePaymentReachesTheModalRootUpEveryChain) {
    // Each chain from the root: "L" the receipt list, "S" the older signature screen, "X" any
    // screen. Screens in between that could take the payment must not get it.
    const QStringList chains[] = {{"L"}, {"L", "X"}, {"S", "L"}, {"S", "L", "X"}};
    for (const QStringList& chain : chains) {
        SCOPED_TRACE(chain.join('>').toStdString());
        root->sales.clear();
        ViewController* top = root;
        QList<QPointer<donetest::SignController>> signatures;
        QList<QPointer<SaleRoot>> others;
        for (const QString& kind : chain) {
            ViewController* next = nullptr;
            if (kind == "L") {
                next = new SendReceiptListController();
            } else if (kind == "S") {
                signatures.append(new donetest::SignController());
                next = signatures.last();
            } else {
                others.append(new SaleRoot());
                next = others.last();
            }
            top->presentViewController(next, false);
            settle();
            top = next;
        }
        PaymentDoneController* result = presentResult(top, finishedSale());
        ASSERT_NE(result, nullptr);
        result->newPayment();
        settle();
        EXPECT_EQ(root->sales.size(), 1);
        for (const auto& signature : signatures)
            EXPECT_TRUE(!signature || signature->sales.isEmpty());
        for (const auto& other : others)
            EXPECT_TRUE(!other || other->sales.isEmpty());
        root->dismissViewControllerAnimated(false);
        settle();
    }
}

TEST_F(PaymentDone, OnlyAPdfAnswerIsPrinted) {
    SandboxUser* merchant = sandbox.state().userForToken(sandbox.merchantToken());
    SandboxSale record;
    record.merchantId = merchant->merchantId;
    record.userId = merchant->userId;
    record.amount = 20;
    record.currencyCode = "484";
    record.paymentMethod = "card";
    record.status = "approved";
    const qint64 id = sandbox.state().addSale(record).id;

    struct Case {
        QString saleId;
        bool printerAvailable;
        bool printed;
    } cases[] = {{QString::number(id), true, true},
                 {"999999", true, false}, // the back end answers an error, not a document
                 {QString::number(id), false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.saleId.toStdString());
        printer->printed.clear();
        printer->available = c.printerAvailable;
        SalePtr paid = finishedSale();
        paid->setSaleId(c.saleId);
        PaymentDoneController* result = presentResult(root, paid);
        ASSERT_NE(result, nullptr);
        ASSERT_FALSE(result->navigationItem()->rightBarButtonItems().isEmpty());
        result->navigationItem()->rightBarButtonItems().first().action();
        EXPECT_TRUE(result->isDisplayingActivityIndicator());
        waitForAnswer(result);
        EXPECT_FALSE(result->isDisplayingActivityIndicator());
        if (c.printed) {
            ASSERT_EQ(printer->printed.size(), 1);
            EXPECT_TRUE(printer->printed.first().startsWith("%PDF-"));
            EXPECT_EQ(shownAlert(result), nullptr);
        } else {
            EXPECT_TRUE(printer->printed.isEmpty());
            ASSERT_NE(shownAlert(result), nullptr);
            EXPECT_EQ(shownAlert(result)->message(),
                      "Hubo un error al intentar imprimir, por favor intentelo nuevamente");
            shownAlert(result)->tapButtonWithTitle("OK");
            settle();
        }
        result->dismissViewControllerAnimated(false);
        settle();
    }
}

TEST_F(PaymentDone, TheLastGuideBubbleShowsOnce) {
    AccountSettings::instance().setTutorialAmount(false);
    AccountSettings::instance().setTutorialCatalog(false);
    PaymentDoneController* result = presentResult(root, finishedSale());
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->tutorialStep(), 1);
    ASSERT_TRUE(result->tutorialHint());
    EXPECT_EQ(result->tutorialHint()->label()->text(),
              "Feliciationes! Haz completado la guía de usuario exitosamente");
    EXPECT_TRUE(AccountSettings::instance().tutorialAmount());
    EXPECT_FALSE(AccountSettings::instance().tutorialCatalog());
    result->newPayment();
    settle();
    EXPECT_TRUE(!result || !result->tutorialHint() || !result->tutorialHint()->isVisible());
}

#include "PaymentDoneTest.moc"
