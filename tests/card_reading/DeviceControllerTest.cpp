#include "DeviceFixture.h"
#include "reader/views/DSpreadPinpad.h"

#include "model/Installment.h"
#include "ui_kit/SingleInputViewController.h"

#include <QRegularExpression>

namespace {

using SaleFactory = std::function<std::shared_ptr<Sale>()>;

std::shared_ptr<Sale> saleWithMethod(int trxType, std::optional<QString> method) {
    auto sale = DeviceFixture::swipedSale(12.5, trxType);
    sale->setPaymentMethodName(method ? *method : QString());
    return sale;
}

} // namespace

// ---------------------------------------------------------------- sale and amount line

TEST_F(DeviceFixture, AmountLineFollowsTheOperation) {
    struct Case {
        const char* name;
        int trxType;
        std::optional<QString> method;
        bool minus;
        QString caption; // "-" : no caption line at all
    } cases[] = {
        {"sale with a method", 0, QStringLiteral("Visa 3 cuotas"), false, "Visa 3 cuotas"},
        {"sale with an empty method name", 0, QString(""), false, "-"},
        {"sale without a method name", 0, std::nullopt, false, ""},
        {"refund", 2, QString(""), true, sectionText("SaleDetails", "refund")},
        {"void", 1, QString(""), true, sectionText("SaleDetails", "cancelSale")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceController* screen = open(saleWithMethod(c.trxType, c.method));
        const QString amount = label("total")->text();
        EXPECT_EQ(amount.startsWith('-'), c.minus) << amount.toStdString();
        EXPECT_TRUE(amount.contains("12.50")) << amount.toStdString();
        QLabel* line = screen->outlet<QLabel>("totalInstallments");
        if (c.caption == "-") {
            EXPECT_EQ(line, nullptr);
        } else {
            ASSERT_NE(line, nullptr);
            EXPECT_EQ(line->text(), c.caption);
        }
        closeWindow();
    }
}

TEST_F(DeviceFixture, SaleComesFromTheRefundScreenBelowElseTheSharedSale) {
    auto* below = new RefundBelow();
    below->refund->setTrxType(2);
    below->refund->setSubtotal(Amount::initWithDouble(30));
    DeviceController* screen = open(nullptr, {new ViewController(), below});
    EXPECT_EQ(screen->sale(), below->refund);
    EXPECT_TRUE(label("total")->styleSheet().contains("#e34a57"))
        << label("total")->styleSheet().toStdString();
    closeWindow();

    screen = open(nullptr, {new ViewController()});
    EXPECT_EQ(screen->sale().get(), &Sale::sharedSale());
}

// Leaving without a result: a refund, a void or any operation on a pad closes the whole sheet,
// even deep in a stack; a sale on a phone only steps back.
TEST_F(DeviceFixture, LeavingDismissesTheSheetForRefundsVoidsAndOnPad) {
    struct Case {
        const char* name;
        int trxType;
        bool pad;
        bool dismissed;
        int orientations;
    } cases[] = {
        {"refund", 2, false, true, 2},
        {"void", 1, false, true, 2},
        {"sale on a pad", 0, true, true, 30},
        {"sale on a phone", 0, false, false, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Device::current().setIdiom(c.pad ? Device::Idiom::Pad : Device::Idiom::Phone);
        window = new Window();
        window->setRootViewController(new ViewController());
        window->makeKeyAndVisible();
        auto* recorder = new FlowRecorder(new ViewController());
        navigation = recorder;
        flow = recorder;
        recorder->pushViewController(new ViewController(), false);
        window->rootViewController()->presentViewController(recorder, false);
        device = new DeviceController();
        device->setSale(swipedSale(5, c.trxType));
        recorder->pushViewController(device, false);
        settle();
        EXPECT_EQ(device->supportedInterfaceOrientations(), c.orientations);
        ASSERT_EQ(window->presentedViewControllers().size(), 1);
        device->backToSale();
        settle();
        EXPECT_EQ(window->presentedViewControllers().isEmpty(), c.dismissed);
        if (!c.dismissed) {
            EXPECT_EQ(navigation->viewControllers().size(), 2);
        }
        dismissAll();
        closeWindow();
    }
    Device::current().setIdiom(Device::Idiom::Phone);
}

TEST_F(DeviceFixture, RootOfItsStackGetsCancelAndTheReaderIsMadeOnce) {
    DeviceController* screen = openAsRoot(swipedSale(7));
    ASSERT_EQ(screen->navigationItem()->leftBarButtonItems().size(), 1);
    EXPECT_EQ(screen->navigationItem()->leftBarButtonItems().first().title,
              sectionText("GlobalTexts", "cancel"));
    ASSERT_NE(screen->a19(), nullptr);
    QPointer<DSpreadViewController> reader = screen->a19();

    // Covered by another screen, then shown again: the same reader controller.
    navigation->pushViewController(new ViewController(), false);
    settle();
    EXPECT_FALSE(screen->active());
    navigation->popViewControllerAnimated(false);
    settle();
    EXPECT_TRUE(screen->active());
    EXPECT_EQ(screen->a19(), reader.data());
    EXPECT_EQ(screen->readerLoads(), 1);
}

TEST_F(DeviceFixture, DemoTextsAreClippedToTheirText) {
    DeviceController* screen = open(swipedSale(1));
    const QString initial = screen->readerDemoInitialMessage();
    EXPECT_TRUE(initial.contains("font-weight:300"));
    const QString error = screen->readerDemoReaderConnectionError();
    EXPECT_FALSE(error.isEmpty());
}

// ---------------------------------------------------------------- the back end's answers

TEST_F(DeviceFixture, ApprovedSwipedSaleIsConfirmedBeforeTheGreenOverlay) {
    scriptSave({{"success", "OK"}, {"id", 4711}, {"sdk", QVariantMap{{"operationId", 4711}}}});
    DeviceController* screen = open(swipedSale(20));
    swipe();
    ASSERT_TRUE(waitFor([&] { return !requests("/payments/operationCompletion.json").isEmpty(); }));
    const SandboxRequest status = requests("/payments/operationCompletion.json").first();
    EXPECT_EQ(status.field("operationId"), "4711");
    EXPECT_EQ(status.field("status"), "1");
    ASSERT_TRUE(waitFor([&] { return !flow->ends.isEmpty(); }));
    EXPECT_EQ(flow->ends, QStringList{"paymentDone"});
    EXPECT_EQ(caption(), sectionText("Device", "paymentAccepted"));
    EXPECT_EQ(flow->endSale->customResponse()->value("operationId").toInt(), 4711);
    EXPECT_EQ(screen->sale()->saleId(), "4711");
    settle();
    EXPECT_EQ(flow->ends.size(), 1);
}

TEST_F(DeviceFixture, VoidAndCashAreApprovedWithoutAStatusStep) {
    scriptSave({{"success", "OK"}, {"refundId", 12}}, "/operations/makeAnnulation.json");
    open(swipedSale(20, 1));
    swipe();
    ASSERT_TRUE(waitFor([&] { return !flow->ends.isEmpty(); }));
    EXPECT_EQ(flow->ends, QStringList{"operationDone"});
    EXPECT_EQ(flow->endSale->saleId(), "12");
    EXPECT_TRUE(requests("/payments/operationCompletion.json").isEmpty());
    closeWindow();

    scriptSave({{"success", "OK"}, {"id", "A7"}, {"refundId", 3}});
    DeviceController* screen = open(swipedSale(20));
    screen->payInCash();
    ASSERT_TRUE(waitFor([&] { return !flow->ends.isEmpty(); }));
    EXPECT_EQ(flow->ends, QStringList{"paymentDone"});
    EXPECT_EQ(screen->sale()->saleId(), "A7");
    EXPECT_TRUE(requests("/payments/operationCompletion.json").isEmpty());
}

TEST_F(DeviceFixture, RefusalsShowTheMessageAndResetTheReader) {
    struct Case {
        const char* name;
        QVariantMap answer;
        QString shown;
        bool readerReset = true; // a connection failure keeps the overlay until OK pops
    } cases[] = {
        {"lower-case ok is a refusal",
         {{"success", "ok"}, {"response", QVariantMap{{"code", 5}, {"message", "Rechazada"}}}},
         "Rechazada"},
        {"plain refusal",
         {{"success", "NO"}, {"response", QVariantMap{{"code", 51}, {"message", "Sin fondos"}}}},
         "Sin fondos"},
        {"no response: connection alert",
         {{"success", "NO"}},
         sectionText("GlobalTexts", "connError"),
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        scriptSave(c.answer);
        DeviceController* screen = open(swipedSale(9));
        swipe();
        ASSERT_TRUE(waitFor([&] { return shownAlert() != nullptr; }));
        EXPECT_EQ(shownAlert()->message(), c.shown);
        settle();
        EXPECT_TRUE(flow->ends.isEmpty());
        if (c.readerReset) {
            EXPECT_FALSE(screen->isProcessingCard());
            EXPECT_EQ(overlay(), nullptr);
        }
        EXPECT_TRUE(requests("/payments/operationCompletion.json").isEmpty());
        EXPECT_TRUE(shownAlert()->tapButtonWithTitle("OK"));
        settle();
        dismissAll();
        closeWindow();
    }
}

TEST_F(DeviceFixture, ConnectionAlertOKPopsTheScreen) {
    scriptSave({{"success", "NO"}});
    open(swipedSale(9), {new ViewController()});
    swipe();
    ASSERT_TRUE(waitFor([&] { return shownAlert() != nullptr; }));
    shownAlert()->tapButtonWithTitle("OK");
    settle();
    EXPECT_EQ(navigation->viewControllers().size(), 1);
}

TEST_F(DeviceFixture, RefusedStatusGivesNoApproval) {
    scriptSave({{"success", "OK"}, {"id", 5}});
    sandbox->script("POST", "/developers/api/payments/operationCompletion.json",
                    SandboxReply::json(QVariantMap{
                        {"success", "NO"},
                        {"response", QVariantMap{{"code", 9}, {"message", "No confirmada"}}}}));
    open(swipedSale(9));
    swipe();
    ASSERT_TRUE(waitFor([&] { return shownAlert() != nullptr; }));
    EXPECT_EQ(shownAlert()->message(), "No confirmada");
    settle();
    EXPECT_TRUE(flow->ends.isEmpty());
    EXPECT_NE(caption(), sectionText("Device", "paymentAccepted"));
}

TEST_F(DeviceFixture, ForcedSaleIsResentWithForceAndTheExpiryEncryptedOnce) {
    sandbox->scriptOnce(
        "POST", "/developers/api/payments/savePayment.json",
        SandboxReply::json(QVariantMap{
            {"success", "NO"},
            {"response", QVariantMap{{"code", 723}, {"message", "Supera el límite"}}}}));
    scriptSave({{"success", "OK"}, {"id", 8}});
    DeviceController* screen = open(swipedSale(9));
    swipe();
    ASSERT_TRUE(waitFor([&] { return screen->forceTransaction() != nullptr; }));
    const QString encrypted = screen->sale()->creditCard()->expiration();
    EXPECT_NE(encrypted, "2712");
    EXPECT_EQ(shownAlert()->message(), "Supera el límite");
    EXPECT_NE(overlay(), nullptr);
    shownAlert()->tapButtonWithTitle(sectionText("GlobalTexts", "forceTransaction"));
    ASSERT_TRUE(waitFor([&] { return !flow->ends.isEmpty(); }));
    const auto saves = requests("/payments/savePayment.json");
    ASSERT_EQ(saves.size(), 2);
    EXPECT_EQ(screen->sale()->creditCard()->expiration(), encrypted);
    EXPECT_TRUE(screen->sale()->force());
    EXPECT_EQ(flow->ends, QStringList{"paymentDone"});
}

TEST_F(DeviceFixture, DecliningForceEndsTheSDKFlowAsCanceled) {
    scriptSave({{"success", "NO"},
                {"response", QVariantMap{{"code", 723}, {"message", "Supera el límite"}}}});
    DeviceController* screen = open(swipedSale(9));
    swipe();
    ASSERT_TRUE(waitFor([&] { return screen->forceTransaction() != nullptr; }));
    shownAlert()->tapButtonWithTitle(sectionText("GlobalTexts", "cancel"));
    settle();
    ASSERT_EQ(flow->ends, QStringList{"canceled"});
    EXPECT_EQ(flow->error->code, 1000);
}

TEST_F(DeviceFixture, ForcedCodeOnARefundIsAPlainRefusal) {
    scriptSave(
        {{"success", "NO"}, {"response", QVariantMap{{"code", 723}, {"message", "No se puede"}}}},
        "/refunds/makeRefund.json");
    DeviceController* screen = open(swipedSale(9, 2));
    swipe();
    ASSERT_TRUE(waitFor([&] { return shownAlert() != nullptr; }));
    EXPECT_EQ(screen->forceTransaction(), nullptr);
    EXPECT_EQ(shownAlert()->message(), "No se puede");
}

TEST_F(DeviceFixture, RetryOnDeniedOffEndsWith1004AndTheMessage) {
    TarvelloSDK::sharedSDK().setRetryOnDenied(false);
    scriptSave(
        {{"success", "NO"}, {"response", QVariantMap{{"code", 51}, {"message", "Sin fondos"}}}});
    open(swipedSale(9));
    swipe();
    ASSERT_TRUE(waitFor([&] { return !flow->ends.isEmpty(); }));
    EXPECT_EQ(flow->ends, QStringList{"canceled"});
    EXPECT_EQ(flow->error->code, 1004);
    EXPECT_EQ(flow->error->description, "Sin fondos");
    EXPECT_EQ(shownAlert(), nullptr);
}

TEST_F(DeviceFixture, AccountLimitInAnSDKChargeEndsWith1004) {
    scriptSave(
        {{"success", "NO"}, {"response", QVariantMap{{"code", 806}, {"message", "Límite"}}}});
    open(swipedSale(9));
    swipe();
    ASSERT_TRUE(waitFor([&] { return !flow->ends.isEmpty(); }));
    EXPECT_EQ(flow->ends, QStringList{"canceled"});
    EXPECT_EQ(flow->error->code, 1004);
}

TEST_F(DeviceFixture, ApprovedAnswerKeysAreReadOnlyWhenUsable) {
    auto sale = swipedSale(9, 1);
    scriptSave({{"success", "OK"},
                {"refundId", 12},
                {"totalAmount", QVariant::fromValue(nullptr)},
                {"payment", QVariantMap{{"last4Numbers", 1234}, {"cardHolderName", "ANA"}}}},
               "/operations/makeAnnulation.json");
    open(sale);
    swipe();
    ASSERT_TRUE(waitFor([&] { return !flow->ends.isEmpty(); }));
    EXPECT_EQ(sale->creditCard()->numberLast4(), "4242");
    EXPECT_EQ(sale->creditCard()->name(), "ANA");
    EXPECT_DOUBLE_EQ(sale->subtotal()->doubleValue(), 9);
    EXPECT_EQ(sale->saleId(), "12");
}

TEST_F(DeviceFixture, AShortSessionTokenSendsNothingAndShowsAnError) {
    User::instance().setToken(QStringLiteral("short"));
    DeviceController* screen = open(swipedSale(9));
    swipe();
    settle();
    ASSERT_NE(shownAlert(), nullptr);
    EXPECT_TRUE(requests("/payments/savePayment.json").isEmpty());
    EXPECT_EQ(screen->sale()->creditCard()->expiration(), "2712");
    EXPECT_FALSE(screen->isProcessingCard());
}

TEST_F(DeviceFixture, ApprovalWhileCoveredIsHandedOverOnReturn) {
    scriptSave({{"success", "OK"}, {"refundId", 2}}, "/operations/makeAnnulation.json");
    sandbox->script(
        "POST", "/developers/api/operations/makeAnnulation.json",
        SandboxReply::json(QVariantMap{{"success", "OK"}, {"refundId", 2}}).withDelay(300));
    DeviceController* screen = open(swipedSale(9, 1));
    swipe();
    navigation->pushViewController(new ViewController(), false);
    settle();
    ASSERT_TRUE(waitFor([&] { return screen->hasPendingApproval(); }));
    EXPECT_TRUE(flow->ends.isEmpty());
    navigation->popViewControllerAnimated(false);
    ASSERT_TRUE(waitFor([&] { return !flow->ends.isEmpty(); }));
    EXPECT_EQ(flow->ends, QStringList{"operationDone"});
}

TEST_F(DeviceFixture, SessionExpiryWaitsForTheOverlayToComeDown) {
    DeviceController* screen = open(swipedSale(9));
    screen->processingCard();
    screen->sessionExpiredFromTimer();
    settle();
    EXPECT_TRUE(flow->ends.isEmpty());
    screen->cancelProcessing({});
    settle();
    ASSERT_EQ(flow->ends, QStringList{"canceled"});
    EXPECT_EQ(flow->error->code, 1003);
}

TEST_F(DeviceFixture, ClockAndTapsGoOnWhileTheSandboxHoldsTheAnswer) {
    sandbox->script("POST", "/developers/api/payments/savePayment.json",
                    SandboxReply::json(QVariantMap{{"success", "OK"}, {"id", 3}}).withDelay(400));
    DeviceController* screen = open(swipedSale(9));
    swipe();
    screen->changeUserMessage("while waiting");
    EXPECT_EQ(screen->userMessageStr(), "while waiting");
    clock->advance(2000);
    QCoreApplication::processEvents();
    EXPECT_TRUE(flow->ends.isEmpty());
    ASSERT_TRUE(waitFor([&] { return !flow->ends.isEmpty(); }));
}

// A slow card read on the simulated reader: the screen answers taps and the clock runs until
// the read ends and the sale goes to the back end.
TEST_F(DeviceFixture, TapsAndClockGoOnWhileTheReaderReads) {
    scriptSave({{"success", "OK"}, {"id", 5}});
    world->delays().cardMs = 4000;
    ASSERT_TRUE(world->presentCardNamed(QStringLiteral("swipe")));
    DeviceController* screen = open(swipedSale(9));
    for (int step = 0; step < 20; ++step) {
        screen->changeUserMessage(QStringLiteral("step %1").arg(step));
        EXPECT_EQ(screen->userMessageStr(), QStringLiteral("step %1").arg(step));
        clock->advance(100);
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(requests("/payments/savePayment.json").isEmpty());
    ASSERT_TRUE(waitFor([&] { return !flow->ends.isEmpty(); }));
    EXPECT_EQ(requests("/payments/savePayment.json").size(), 1);
    EXPECT_EQ(flow->ends, QStringList{"paymentDone"});
}

// ---------------------------------------------------------------- overlays and battery

TEST_F(DeviceFixture, TwoCardEventsMakeOneOverlayAndTextsAreOnlyKept) {
    Services::set<ImageProvider>(std::make_shared<BundleAndBatteryImages>());
    DeviceController* screen = open(swipedSale(9));
    screen->processingCard();
    screen->processingCard();
    int containers = 0;
    for (QWidget* w : screen->view()->findChildren<QWidget*>())
        if (View::tag(w) == DeviceController::kOverlayTag)
            ++containers;
    EXPECT_EQ(containers, 1);
    EXPECT_EQ(caption(), sectionText("Device", "processingCard"));
    const QString before = label("userMessage")->text();
    screen->changeUserMessage("kept");
    EXPECT_EQ(screen->userMessageStr(), "kept");
    clock->advance(1000);
    EXPECT_EQ(label("userMessage")->text(), before);
    settle();
    shoot("processing");
}

TEST_F(DeviceFixture, RefundAndVoidCaptions) {
    DeviceController* screen = open(swipedSale(9, 2));
    screen->processingCard();
    EXPECT_EQ(caption(), sectionText("SaleDetails", "processingRefund"));
    closeWindow();
    screen = open(swipedSale(9, 1));
    screen->processingCard();
    EXPECT_EQ(caption(), sectionText("SaleDetails", "processingCancelation"));
}

TEST_F(DeviceFixture, PanelHeightMakesRoomForTheContactlessButton) {
    DeviceController* screen = open(swipedSale(9));
    QWidget* button = screen->enableNFCButton();
    button->hide();
    View::setAlpha(button, 0);
    screen->changeUserMessage("Deslice la tarjeta");
    const double without = screen->translucentHeight();
    button->show();
    View::setAlpha(button, 1);
    screen->changeUserMessage("Deslice la tarjeta");
    EXPECT_DOUBLE_EQ(screen->translucentHeight() - without, 44);
    EXPECT_GE(without, 34);
}

TEST_F(DeviceFixture, TipAtTheLimitPasses) {
    auto sale = swipedSale(100);
    sale->setMaxTipAllowed(0.1);
    DeviceController* screen = open(sale);
    const float limit = float(sale->total()->doubleValue() * 0.1);
    struct Case {
        float tip;
        bool allowed;
    } cases[] = {{limit, true}, {limit + 0.01f, false}, {0, true}};
    for (const Case& c : cases) {
        std::optional<bool> answer;
        screen->processingTipWithBlock(c.tip, [&](bool allowed) { answer = allowed; });
        ASSERT_TRUE(answer.has_value());
        EXPECT_EQ(*answer, c.allowed) << c.tip;
    }
    sale->setMaxTipAllowed(0);
    std::optional<bool> answer;
    screen->processingTipWithBlock(1e6f, [&](bool allowed) { answer = allowed; });
    EXPECT_TRUE(*answer);
}

TEST_F(DeviceFixture, HandOverComesHalfASecondAfterTheSlides) {
    Services::set<ImageProvider>(std::make_shared<BundleAndBatteryImages>());
    DeviceController* screen = open(swipedSale(9, 1));
    screen->processingCard();
    settle();
    screen->paymentApproved();
    clock->advance(175 + 175 + 499);
    EXPECT_TRUE(flow->ends.isEmpty());
    clock->advance(2);
    EXPECT_EQ(flow->ends, QStringList{"operationDone"});
    EXPECT_EQ(caption(), sectionText("Device", "transactionAccepted"));
    shoot("approved");
}

TEST_F(DeviceFixture, BatteryIconsFollowTheLevel) {
    DeviceController* screen = open(swipedSale(9));
    struct Case {
        float level;
        bool charging;
        const char* image;
        bool blinking;
    } cases[] = {
        {0.25f, false, "battery_low_icn", true},
        {0.75f, false, "battery_medium_icn", false},
        {0.76f, false, "battery_full_icn", false},
        {0.1f, true, "battery_charging_icn", false},
    };
    auto* icon = screen->outlet<QWidget>("batteryIndicator");
    auto* low = screen->outlet<QWidget>("batteryLowIndicator");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.image);
        screen->showBatteryCharging(c.level, c.charging);
        EXPECT_EQ(icon->property("imageName").toString(), c.image);
        EXPECT_EQ(screen->isBlinking(), c.blinking);
        EXPECT_EQ(!low->isHidden(), c.blinking);
    }
    screen->showBatteryCharging(0.2f, false);
    clock->advance(700);
    EXPECT_DOUBLE_EQ(View::alpha(low), 0);
    clock->advance(700);
    EXPECT_DOUBLE_EQ(View::alpha(low), 1);
    screen->hideBatteryIndicator();
    EXPECT_FALSE(screen->isBlinking());
    EXPECT_TRUE(low->isHidden());
}

// ---------------------------------------------------------------- installments, security code

namespace {

// The installments selection screen as the card-reading screen opens it.
class SelectionStandIn : public ViewController, public InstallmentsSelectionReceiver {
public:
    static inline QPointer<SelectionStandIn> last;
    void setSelection(const QVariant& source, std::shared_ptr<CreditCard> card, int selectionMode,
                      bool allowCustom, Completion completion) override {
        dataSource = source;
        mode = selectionMode;
        custom = allowCustom;
        hasCard = card != nullptr;
        done = std::move(completion);
        last = this;
    }
    // Dismisses itself, then answers.
    void choose(std::shared_ptr<Installment> installment) {
        const Completion answer = done;
        if (NavigationController* holder = navigationController())
            if (ViewController* host = holder->presentingViewController())
                host->dismissViewControllerAnimated(false);
        answer(this, std::move(installment));
    }
    QVariant dataSource;
    int mode = -1;
    bool custom = false;
    bool hasCard = false;
    Completion done;
};

class SelectionRegistration {
public:
    SelectionRegistration() {
        Storyboard::registerViewController("Installments", "InstallmentsSelectionViewController",
                                           [] { return new SelectionStandIn(); });
    }
    ~SelectionRegistration() {
        Storyboard::removeViewController("Installments", "InstallmentsSelectionViewController");
    }
};

std::shared_ptr<Installment> chosenInstallment(int number, const QString& id, const QString& name) {
    auto installment = std::make_shared<Installment>();
    installment->setNumber(number);
    installment->setIdentifier(id);
    installment->setName(name);
    return installment;
}

// The security-code input on show, if any.
SingleInputViewController* securityCodeInput(Window* window) {
    for (ViewController* shown : window->presentedViewControllers())
        if (auto* holder = qobject_cast<NavigationController*>(shown))
            if (auto* input = qobject_cast<SingleInputViewController*>(holder->topViewController()))
                return input;
    return nullptr;
}

} // namespace

TEST_F(DeviceFixture, DebitSelectionTakesPlanOneOrElseTheLowestCount) {
    SelectionRegistration registration;
    struct Case {
        const char* name;
        QVariantMap plans;
        const char* installmentId;
    } cases[] = {
        {"plan 1 offered",
         {{"12", QVariantMap{{"installmentId", "p12"}}},
          {"1", QVariantMap{{"installmentId", "p1"}}},
          {"3", QVariantMap{{"installmentId", "p3"}}}},
         "p1"},
        {"lowest count",
         {{"12", QVariantMap{{"installmentId", "p12"}}},
          {"6", QVariantMap{{"installmentId", "p6"}}}},
         "p6"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        scriptSave({{"success", "NO"}, {"response", QVariantMap{{"code", 5}, {"message", "x"}}}});
        auto sale = swipedSale(20);
        DeviceController* screen = open(sale);
        const qsizetype before = requests("/payments/savePayment.json").size();
        const QVariantMap institution{{"bankAccountTypes", QVariantList{QVariantMap{{"id", "CA"}}}},
                                      {"installments", c.plans},
                                      {"imageUrl", "https://img.example/bank.png"},
                                      {"securityCodeLength", QVariant::fromValue(nullptr)}};
        screen->installmentsSelection(institution, true, false);
        settle();
        ASSERT_TRUE(SelectionStandIn::last);
        EXPECT_EQ(SelectionStandIn::last->mode, 1);
        EXPECT_EQ(SelectionStandIn::last->dataSource.toList().size(), 1);
        EXPECT_EQ(sale->creditCard()->bankImageURL(), "https://img.example/bank.png");
        SelectionStandIn::last->choose(chosenInstallment(6, "CA", "Caja de ahorro"));
        settle();
        // No security code asked: the payment goes at once.
        EXPECT_EQ(securityCodeInput(window), nullptr);
        ASSERT_TRUE(
            waitFor([&] { return requests("/payments/savePayment.json").size() > before; }));
        EXPECT_EQ(sale->bankId().value_or(QString()), "CA");
        EXPECT_EQ(sale->installmentId(), c.installmentId);
        EXPECT_EQ(sale->creditCard()->installments(), 1);
        EXPECT_EQ(sale->paymentMethodName(), "Caja de ahorro");
        dismissAll();
        closeWindow();
    }
}

TEST_F(DeviceFixture, SecurityCodeIsAskedByTheInstitutionAndStoredEncrypted) {
    struct Case {
        const char* name;
        QVariant length; // invalid: no key
        int digits;
    } cases[] = {
        {"four digits", 4, 4},
        {"as text", "3", 3},
        {"zero", 0, 0},
        {"null", QVariant::fromValue(nullptr), 0},
        {"missing", QVariant(), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        scriptSave({{"success", "NO"}, {"response", QVariantMap{{"code", 5}, {"message", "x"}}}});
        auto sale = swipedSale(20);
        DeviceController* screen = open(sale);
        const qsizetype before = requests("/payments/savePayment.json").size();
        auto sent = [&] { return requests("/payments/savePayment.json").size() > before; };
        QVariantMap institution;
        if (c.length.isValid())
            institution.insert("securityCodeLength", c.length);
        screen->additionalCardInformation(institution);
        settle();
        SingleInputViewController* input = securityCodeInput(window);
        if (c.digits == 0) {
            EXPECT_EQ(input, nullptr);
            EXPECT_TRUE(waitFor(sent));
        } else {
            ASSERT_NE(input, nullptr);
            TextField* field = input->textField();
            EXPECT_EQ(field->echoMode(), QLineEdit::Password);
            const QString code = QString("98765").left(c.digits);
            for (QChar digit : code.left(c.digits - 1))
                field->insertText(digit);
            settle();
            EXPECT_FALSE(sent());
            field->insertText(code.right(1));
            field->insertText("1"); // past the limit
            EXPECT_EQ(field->text(), code);
            ASSERT_TRUE(waitFor(sent));
            const QString stored = sale->creditCard()->cvv2();
            EXPECT_NE(stored, code);
            EXPECT_TRUE(QRegularExpression("^[A-Za-z0-9+/]{8,}=*$").match(stored).hasMatch())
                << stored.toStdString();
            EXPECT_EQ(sale->creditCard()->IdNumber(), "");
        }
        dismissAll();
        closeWindow();
    }
}

TEST_F(DeviceFixture, ForcedCountNotOfferedEndsOrResets) {
    const QString message = QStringLiteral("La cantidad de cuotas seleccionada no está disponible");
    TarvelloSDK::sharedSDK().setRetryOnDenied(false);
    DeviceController* screen = open(swipedSale(20));
    screen->forceInstallmentsFailed();
    settle();
    ASSERT_EQ(flow->ends, QStringList{"canceled"});
    EXPECT_EQ(flow->error->code, 1004);
    EXPECT_EQ(flow->error->description, message);
    closeWindow();

    TarvelloSDK::sharedSDK().setRetryOnDenied(true);
    screen = open(swipedSale(20));
    screen->forceInstallmentsFailed();
    ASSERT_NE(shownAlert(), nullptr);
    EXPECT_EQ(shownAlert()->message(), message);
    EXPECT_TRUE(flow->ends.isEmpty());
}

TEST_F(DeviceFixture, InstallmentsPickerSlidesInWithItsOwnBar) {
    Storyboard::registerViewController("Payment", "InstallmentsPicker",
                                       [] { return new SelectionStandIn(); });
    auto sale = swipedSale(20);
    DeviceController* screen = open(sale);
    screen->showInstallmentsPicker({{"installmentId", "i9"}, {"name", "Banco"}});
    ASSERT_NE(screen->installmentsPicker(), nullptr);
    EXPECT_EQ(sale->installmentId(), "i9");
    EXPECT_EQ(screen->installmentsPicker()->property("selectedInstitution").toMap().value("name"),
              "Banco");
    clock->advance(200);
    settle();
    EXPECT_TRUE(navigation->isNavigationBarHidden());
    ASSERT_NE(screen->installmentsPickerNavBar(), nullptr);
    QPointer<ViewController> picker = screen->installmentsPicker();
    screen->installmentsPickerNavBar()
        ->findChild<QPushButton*>("installmentsPickerCancel")
        ->click();
    EXPECT_FALSE(navigation->isNavigationBarHidden());
    EXPECT_EQ(screen->installmentsPicker(), nullptr);
    clock->advance(200);
    settle();
    EXPECT_TRUE(picker.isNull());
    Storyboard::removeViewController("Payment", "InstallmentsPicker");
}

// The reader picture is placed for the size the screen lays it out at, not the size it was made
// with, and stays whole and shown through its animation loop, on phone and pad.
TEST_F(DeviceFixture, ReaderPictureStaysWholeWhileItAnimates) {
    for (const QSize size : {QSize(375, 667), QSize(768, 1024)}) {
        SCOPED_TRACE(size.width());
        DeviceController* screen = open(swipedSale(20));
        window->rootViewController()->view()->resize(size);
        screen->changeUserMessage(QStringLiteral("Deslice o inserte la tarjeta"));
        settle();
        auto* picture = screen->view()->findChild<DSpreadPinpad*>();
        ASSERT_TRUE(picture);
        for (int step = 0; step < 100; ++step) {
            const QRect reader = View::frame(picture->reader());
            ASSERT_TRUE(picture->rect().contains(reader))
                << step * 100 << " ms: " << reader.x() << "," << reader.y() << " in "
                << picture->width() << "x" << picture->height();
            ASSERT_TRUE(picture->reader()->isVisible());
            ASSERT_EQ(View::alpha(picture->reader()), 1.0);
            clock->advance(100);
            QCoreApplication::processEvents();
        }
        dismissAll();
        closeWindow();
    }
}

// ---------------------------------------------------------------- screenshots

// The waiting screen (phone and pad), a refund, the PIN overlay and processing.
TEST_F(DeviceFixture, Screenshots) {
    struct Shot {
        const char* name;
        bool pad;
        int trxType;
    } shots[] = {{"waiting", false, 0}, {"waiting_pad", true, 0}, {"refund", false, 2}};
    Services::set<ImageProvider>(std::make_shared<BundleAndBatteryImages>());
    for (const Shot& shot : shots) {
        SCOPED_TRACE(shot.name);
        Device::current().setIdiom(shot.pad ? Device::Idiom::Pad : Device::Idiom::Phone);
        auto sale = swipedSale(shot.trxType == 0 ? 1250.75 : 300, shot.trxType);
        sale->setPaymentMethodName(QStringLiteral("Visa 3 cuotas"));
        DeviceController* screen = open(sale);
        window->rootViewController()->view()->resize(shot.pad ? QSize(768, 1024) : QSize(375, 667));
        screen->changeUserMessage(QStringLiteral("Deslice o inserte la tarjeta"));
        screen->showBatteryCharging(0.5f, false);
        settle();
        shoot(shot.name);
        if (shot.trxType != 0) {
            screen->enteringPin();
            settle();
            shoot("pin");
            screen->processingCard();
            settle();
            shoot("processing_refund");
        }
        dismissAll();
        closeWindow();
    }
    Device::current().setIdiom(Device::Idiom::Phone);
}
