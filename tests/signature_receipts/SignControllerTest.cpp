#include "payment/signature_receipts/SignController.h"
#include "SignatureReceiptFixture.h"
#include "api/SignatureQueue.h"
#include "catalog/InputTabBarProtocol.h"
#include "payment/SaleEntryScreens.h"
#include "payment/card_reading/CardReadingScreens.h"
#include "payment/signature_receipts/SendReceiptDataController.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/SlidingViewController.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/View.h"
#include "support/AmountKeypadStandIn.h"

#include "ui_kit/ViewAnimation.h"

#include <QLineEdit>
#include <QToolButton>

namespace {

struct ManualTabStandIn : ViewController, ManualAmountTab {
    int defaultItems = 0;
    void createDefaultItem() override { ++defaultItems; }
};

struct TabBarStandIn : TabBarController, InputTabBarProtocol {
    int cleaned = 0;
    int updated = 0;
    void addItemSkipReloadCatalog(const ItemPtr&, bool) override {}
    void updateSaleComponent() override { ++updated; }
    void cleanSale() override { ++cleaned; }
    int selectedIndex() const override { return TabBarController::selectedIndex(); }
    void tryToProcessSale() override {}
};

class SignControllerTest : public SignatureReceiptTest {
protected:
    void TearDown() override {
        AccountSettings::instance().setTipsEnabled(false);
        AccountSettings::instance().setMandatoryTipPercentage(0);
        SignatureReceiptTest::TearDown();
    }
    SignController* present(std::shared_ptr<Sale> sale) {
        auto* screen =
            qobject_cast<SignController*>(Storyboard::instantiate(SignatureReceiptScreens::sign));
        EXPECT_TRUE(screen);
        screen->setSale(std::move(sale));
        screen->setSignatureQueue(&queue);
        host->presentViewController(screen, false);
        clock->advance(0);
        screen->view()->resize(568, 320);
        screen->layoutIfNeeded();
        return screen;
    }
    void sign(SignController* screen, ulong startMs = 1000) {
        drawStroke(screen->signatureView(), {{40, 40}, {80, 50}, {120, 45}, {160, 60}}, startMs,
                   40);
    }
    // A sale offering the tips 10 %, 15 % and 20 %.
    std::shared_ptr<Sale> tippedSale(std::vector<double> tips = {0.1, 0.15, 0.2}) {
        auto sale = cardSale(100);
        sale->setTipsList(std::make_shared<std::vector<double>>(std::move(tips)));
        return sale;
    }

    SignatureQueue queue;
};

// The screens that lead to the tip-and-signature screen, as their registry makes them.
TEST_F(SignControllerTest, SeguesFromTheCardScreensReachIt) {
    CardReadingScreens::registerScreens();
    const struct {
        const char* source;
        const char* segue;
    } cases[] = {
        {"Device", "signatureSegue"},
        {"PinController", "goSignSegue"},
        {"BuyerAddressController", "goSignSegue"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        std::unique_ptr<ViewController> source(
            Storyboard::instantiate(QStringLiteral("Payment"), QString::fromLatin1(c.source)));
        ASSERT_TRUE(source);
        Storyboard::SegueTarget target;
        ASSERT_TRUE(Storyboard::findSegue(source.get(), QString::fromLatin1(c.segue), &target));
        std::unique_ptr<ViewController> destination(
            Storyboard::instantiate(target.storyboard, target.identifier));
        EXPECT_TRUE(qobject_cast<SignController*>(destination.get()));
    }
}

TEST_F(SignControllerTest, ShowsHolderDescriptionAndAmount) {
    struct Case {
        const char* holder;
        const char* method;
        int installments;
        int trxType;
        const char* shownHolder;
        const char* description; // null: no description line
    };
    const Case cases[] = {
        {"Diaz/Ana Maria ", "Visa", 3, 0, "DIAZ ANA MARIA", "Visa - 3 cuotas"},
        {"DIAZ/ANA", "Visa 3 cuotas", 3, 0, "DIAZ ANA", "Visa 3 cuotas"},
        {"DIAZ/ANA", "Visa", 1, 0, "DIAZ ANA", "Visa"},
        {"DIAZ/ANA", "", 1, 2, "DIAZ ANA", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.holder + std::string(" ") + c.method);
        auto sale = cardSale(300, QString::fromUtf8(c.holder));
        sale->setPaymentMethodName(QString::fromUtf8(c.method));
        sale->creditCard()->setInstallments(c.installments);
        sale->setTrxType(c.trxType);
        SignController* screen = present(sale);
        EXPECT_EQ(screen->cardHolderName()->text(), c.shownHolder);
        EXPECT_EQ(screen->cardNumber()->text(), "4444");
        EXPECT_EQ(screen->cardImage()->imageName(),
                  CreditCard::issuerPictureName(CARD_MASTER_CARD));
        if (c.description) {
            EXPECT_EQ(screen->chargeDescription()->text(), c.description);
            EXPECT_FALSE(screen->chargeDescription()->isHidden());
        } else {
            EXPECT_TRUE(screen->chargeDescription()->isHidden());
            EXPECT_EQ(screen->amountToChargeView()->y(), SignController::kNoDescriptionAmountY);
            EXPECT_EQ(screen->amountToCharge()->font().pixelSize(), 40);
        }
        // A refund shows its amount with "-" directly in front.
        EXPECT_EQ(screen->amountToCharge()->text().startsWith("-$"), c.trxType != 0);
        screen->dismissViewControllerAnimated(false);
    }
}

TEST_F(SignControllerTest, AcceptingEndsOnceBeforeTheUploadAnswers) {
    struct Case {
        int trxType;
        int payments;
        int operations;
    };
    for (const Case c : {Case{0, 1, 0}, Case{2, 0, 1}}) {
        SCOPED_TRACE(c.trxType);
        host->payments.clear();
        host->operations.clear();
        sandbox->clearRequests();
        auto sale = cardSale(300);
        sale->setTrxType(c.trxType);
        SignController* screen = present(sale);

        // Nothing signed: the question, nothing stored.
        screen->continueButton()->click();
        ASSERT_TRUE(alertOver(screen));
        EXPECT_EQ(alertOver(screen)->message(), "Por favor firme con su dedo para poder continuar");
        alertOver(screen)->tapButtonWithTitle("OK");
        drain(3);
        EXPECT_EQ(host->ends(), 0);
        EXPECT_FALSE(queue.hasSignatureForSaleId(sale->saleId()));

        sign(screen);
        screen->continueButton()->click();
        // Ended at once, with the picture kept by the queue until the back end takes it.
        EXPECT_EQ(host->payments.size(), c.payments);
        EXPECT_EQ(host->operations.size(), c.operations);
        EXPECT_TRUE(queue.hasSignatureForSaleId(sale->saleId()));
        EXPECT_FALSE(sale->creditCard()->signatureImage().isNull());
        screen->continueButton()->click();
        screen->sessionExpired(); // a late 401 does not end the operation again
        ASSERT_TRUE(settle([&] { return !queue.hasSignatureForSaleId(sale->saleId()); }));
        drain();
        EXPECT_EQ(host->ends(), 1);
        ASSERT_EQ(requestsTo("/payments/saveSignatureImage.json").size(), 1);
        screen->dismissViewControllerAnimated(false);
    }
}

TEST_F(SignControllerTest, ARefusedUploadStaysQueued) {
    sandbox->scriptOnce("POST", SandboxServer::apiPath("/payments/saveSignatureImage.json"),
                        SandboxReply::failure(12, "Firma ilegible"));
    auto sale = cardSale(300);
    SignController* screen = present(sale);
    sign(screen);
    screen->continueButton()->click();
    EXPECT_EQ(host->ends(), 1);
    ASSERT_TRUE(settle([&] { return !queue.sending(); }));
    EXPECT_TRUE(queue.hasSignatureForSaleId(sale->saleId()));
}

TEST_F(SignControllerTest, ChoosingATipSlidesTheNewTotalIn) {
    struct Case {
        std::vector<double> tips;
        double mandatory;
        int option;
        float stored;
        const char* title;
        const char* amount;
    };
    const Case cases[] = {
        {{0.1, 0.15, 0.2}, 0.05, 3, 0.25f, "Propina 25%", "$125.00"},
        {{0.075, 0.15, 0.2}, 0, 1, 0.075f, "Propina 7.50%", "$107.50"},
        {{0.1, 0.15, 0.2}, 0.05, 0, 0.05f, "Propina 5%", "$105.00"},
        {{0.1, 0.15, 0.2}, 0, 0, 0.f, "Propina", "$100.00"},
    };
    AccountSettings::instance().setTipsEnabled(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        AccountSettings::instance().setMandatoryTipPercentage(c.mandatory);
        auto sale = tippedSale(c.tips);
        SignController* screen = present(sale);
        screen->tipOption(c.option)->click();
        EXPECT_FLOAT_EQ(float(sale->tipPercentage()), c.stored);
        EXPECT_EQ(screen->tipButton()->text(), c.title);
        clock->advance(2 * SignController::kAmountSlideMs + 10);
        EXPECT_EQ(screen->amountToCharge()->text().remove(QLatin1Char(' ')), c.amount);
        EXPECT_EQ(screen->amountToCharge()->x(), 0);
        EXPECT_EQ(screen->tipToCharge()->text().isEmpty(), c.stored == 0.f);
        // The same choice again changes nothing and slides nothing.
        screen->tipOption(c.option)->click();
        EXPECT_FALSE(ViewAnimation::isAnimating(screen->amountToCharge()));
        screen->dismissViewControllerAnimated(false);
    }
}

TEST_F(SignControllerTest, OptionsPastAShortListAreHiddenAndTheTipScreenOpensOnce) {
    AccountSettings::instance().setTipsEnabled(true);
    SignController* screen = present(tippedSale({0.1}));
    EXPECT_FALSE(screen->tipOption(1)->isHidden());
    EXPECT_TRUE(screen->tipOption(2)->isHidden());
    EXPECT_TRUE(screen->tipOption(3)->isHidden());
    screen->dismissViewControllerAnimated(false);

    // No list: the free option asks for the tip screen, once however often it is tapped.
    int opened = 0;
    Storyboard::registerViewController("Signature", "TipStandIn", [&opened] {
        ++opened;
        return new ViewController();
    });
    Storyboard::registerSegue("Signature", "SignController", "tipSegue",
                              {"Signature", "TipStandIn", SegueKind::Modal, {}});
    screen = present(tippedSale({}));
    screen->selectTipFree();
    screen->selectTipFree();
    EXPECT_EQ(opened, 1);
    Storyboard::removeSegue("Signature", "SignController", "tipSegue");
}

TEST_F(SignControllerTest, TutorialWalksItsStepsAndSkippingMarksEveryTutorial) {
    AccountSettings::instance().setTutorialAmount(false);
    for (bool tips : {false, true}) {
        SCOPED_TRACE(tips);
        AccountSettings::instance().setTipsEnabled(tips);
        SignController* screen = present(tippedSale());
        ASSERT_EQ(screen->tutorialStep(), 1);
        EXPECT_TRUE(screen->tutorialNavBar());
        EXPECT_EQ(screen->tutorialHint()->label()->text(),
                  "Prueba firmar con el dedo, como lo hará el cliente");
        sign(screen, 1000);
        clock->advance(SignController::kSignPauseMs - 100);
        sign(screen, 4000); // signing again holds the tour back
        clock->advance(SignController::kSignPauseMs - 100);
        EXPECT_EQ(screen->tutorialStep(), 1);
        clock->advance(200);
        if (tips) {
            EXPECT_EQ(screen->tutorialStep(), 2);
            screen->tipOption(1)->click();
            EXPECT_EQ(screen->tutorialStep(), 3);
            clock->advance(2 * SignController::kAmountSlideMs + 10);
            clock->advance(SignController::kTipEffectPauseMs + 10);
        }
        EXPECT_EQ(screen->tutorialStep(), 4);
        EXPECT_EQ(screen->tutorialHint()->label()->text(), "Presiona Continuar para finalizar");
        screen->dismissViewControllerAnimated(false);
        drain(3);
    }

    AccountSettings::instance().setTutorialAmount(false);
    AccountSettings::instance().setTutorialCatalog(false);
    SignController* screen = present(cardSale(50));
    screen->tutorialNavBar()->endTutorialButton()->click();
    ASSERT_TRUE(alertOver(screen));
    EXPECT_EQ(alertOver(screen)->message(), "¿Desea omitir la guía?");
    alertOver(screen)->tapButtonWithTitle("Si, omitir");
    EXPECT_TRUE(settle([&] { return screen->tutorialStep() == 0; }));
    const AccountSettings& settings = AccountSettings::instance();
    EXPECT_TRUE(settings.tutorialAmount() && settings.tutorialCatalog() &&
                settings.tutorialSalesHistory() && settings.tutorialBuyers() &&
                settings.tutorialEditCatalog() && settings.tutorialSubusers() &&
                settings.tutorialConfiguration());
}

class SignResetTest : public SignControllerTest {
protected:
    // The side-menu container over a navigation whose first screen is the one given; the
    // signature screen pushed over it.
    SignController* pushOver(ViewController* first, std::shared_ptr<Sale> sale) {
        auto* sliding = new SlidingViewController();
        navigation = new NavigationController(first);
        sliding->setTopViewController(navigation);
        window.setRootViewController(sliding);
        window.widget()->resize(568, 320);
        clock->advance(0);
        auto* screen =
            qobject_cast<SignController*>(Storyboard::instantiate(SignatureReceiptScreens::sign));
        screen->setSale(std::move(sale));
        screen->setBuyerDic({{"buyerId", 7}});
        screen->setSignatureQueue(&queue);
        navigation->pushViewController(screen, false);
        clock->advance(0);
        return screen;
    }
    NavigationController* navigation = nullptr;
};

TEST_F(SignResetTest, HandOverResetsTheKeypadBehindAStill) {
    auto* keypad = new AmountKeypadStandIn();
    keypad->navigationItem()->setTitle(QStringLiteral("Cobrar"));
    keypad->keypadSale->addItem(Item::init());
    auto sale = cardSale(300);
    QPointer<SignController> screen = pushOver(keypad, sale);
    sign(screen);
    screen->performSegueWithIdentifier(SignatureReceiptScreens::clientIdentifiedSegue, screen);
    clock->advance(0);
    ASSERT_TRUE(screen);
    EXPECT_TRUE(screen->isDone());
    auto* receipt = qobject_cast<SendReceiptDataController*>(navigation->topViewController());
    ASSERT_TRUE(receipt);
    EXPECT_EQ(receipt->sale(), sale);
    EXPECT_EQ(receipt->buyerDic()->value("buyerId").toInt(), 7);

    EXPECT_EQ(keypad->amountLabel->text().remove(QLatin1Char(' ')), "$0.00");
    EXPECT_TRUE(keypad->description->text().isEmpty());
    EXPECT_TRUE(keypad->border->isHidden());
    EXPECT_TRUE(keypad->picture->image().isNull());
    EXPECT_TRUE(keypad->currentItem);
    EXPECT_TRUE(keypad->keypadSale->items().empty());
    EXPECT_EQ(keypad->totalUpdates, 1);
    EXPECT_EQ(screen->supportedInterfaceOrientations(), 2);
    EXPECT_FALSE(screen->signatureView());
    auto* title = screen->view()->findChild<QLabel*>("stillTitle");
    ASSERT_TRUE(title);
    EXPECT_EQ(title->text(), "Cobrar");
    EXPECT_TRUE(screen->view()->findChild<QLabel*>("stillImage"));
    EXPECT_EQ(host->ends(), 0);
}

TEST_F(SignResetTest, HandOverResetsTheTabBarAndItsManualTab) {
    auto* tabs = new TabBarStandIn();
    auto* manual = new ManualTabStandIn();
    tabs->setViewControllers({new ViewController(), manual});
    tabs->setSelectedIndex(1);
    QPointer<SignController> screen = pushOver(tabs, cardSale(300));
    screen->performSegueWithIdentifier(SignatureReceiptScreens::clientIdentifiedSegue, screen);
    clock->advance(0);
    ASSERT_TRUE(screen);
    EXPECT_EQ(tabs->cleaned, 1);
    EXPECT_EQ(tabs->updated, 1);
    EXPECT_EQ(manual->defaultItems, 1);
    auto* title = screen->view()->findChild<QLabel*>("stillTitle");
    ASSERT_TRUE(title);
    EXPECT_EQ(title->text(), "Realizar venta");
    auto* saleIcon = screen->view()->findChild<QToolButton*>("saleIcon");
    ASSERT_TRUE(saleIcon);
    EXPECT_FALSE(saleIcon->isEnabled());
}

TEST_F(SignResetTest, AcceptingAloneResetsNothing) {
    auto* keypad = new AmountKeypadStandIn();
    QPointer<SignController> screen = pushOver(keypad, cardSale(300));
    sign(screen);
    screen->continueButton()->click();
    navigation->popViewControllerAnimated(false);
    clock->advance(0);
    EXPECT_EQ(keypad->totalUpdates, 0);
    EXPECT_EQ(keypad->description->text(), "Torta");
}

} // namespace
