#include "PaymentFlowFixture.h"

#include "model/CreditCard.h"
#include "model/values/Amount.h"

namespace {

class PickPaymentMethodTest : public PaymentFlowTest {};

QVariantMap sdkOf(const FlowCompletions& completions) {
    return completions.calls.value(0).result;
}

} // namespace

TEST_F(PickPaymentMethodTest, TheListOfTheSaleCurrencyAndCashEndsTheCharge) {
    PickPaymentMethodController* screen = charge(25.5);
    ASSERT_NE(screen, nullptr);
    const auto asked =
        sandbox->requestsTo(SandboxServer::apiPath("/installments/getInstallments.json"));
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked.first().field("total"), "25.50");
    // The dollar institution is left out; cash has no name and takes the table's.
    EXPECT_EQ(rowTitles(screen), QStringList({"Efectivo", "Link de pago", "Banco Sur",
                                              "Visa Crédito", "Tarjeta Norte", "Débito Maestro"}));
    EXPECT_EQ(screen->navigationItem()->title(), "Medios de pago");
    ASSERT_EQ(screen->navigationItem()->leftBarButtonItems().size(), 1);
    EXPECT_EQ(screen->navigationItem()->leftBarButtonItems().first().title, "Salir");

    ASSERT_TRUE(tapRow(screen, "Efectivo"));
    ASSERT_TRUE(waitFor([&] { return !completions.calls.isEmpty(); }));
    settle();
    ASSERT_EQ(completions.calls.size(), 1);
    EXPECT_TRUE(completions.calls[0].success);
    EXPECT_EQ(sdkOf(completions).value("paymentMethod").toString(), "cash");
    EXPECT_DOUBLE_EQ(sdkOf(completions).value("amount").toDouble(), 25.5);
    EXPECT_EQ(sheet(), nullptr);
}

TEST_F(PickPaymentMethodTest, RefusedCashCompletesNothing) {
    const QString path = SandboxServer::apiPath("/payments/savePayment.json");
    struct Case {
        const char* name;
        SandboxReply reply;
        QString message;
    } cases[] = {
        {"refusal", SandboxReply::failure(500, "Caja cerrada"), "Caja cerrada"},
        // Any "success" other than OK is a failure too.
        {"odd success",
         SandboxReply::json(QVariantMap{{"success", "ERROR"},
                                        {"response", QVariantMap{{"code", 9}, {"message", "No"}}}}),
         "No"},
        {"no message", SandboxReply::json(QVariantMap{{"success", false}}),
         "Hubo un problema con la conexión. Por favor asegúrate que tu conexión a internet "
         "funciona correctamente e intenta nuevamente."},
    };
    PickPaymentMethodController* screen = charge(10);
    ASSERT_NE(screen, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sandbox->scriptOnce("POST", path, c.reply);
        ASSERT_TRUE(tapRow(screen, "Efectivo"));
        ASSERT_TRUE(waitFor([&] { return shownAlert(screen) != nullptr; }));
        EXPECT_EQ(shownAlert(screen)->message(), c.message);
        EXPECT_TRUE(completions.calls.isEmpty());
        shownAlert(screen)->tapButtonWithTitle("OK");
        settle();
        EXPECT_EQ(pickScreen(), screen);
    }
    // The next attempt goes through.
    ASSERT_TRUE(tapRow(screen, "Efectivo"));
    ASSERT_TRUE(waitFor([&] { return !completions.calls.isEmpty(); }));
    EXPECT_TRUE(completions.calls[0].success);
}

TEST_F(PickPaymentMethodTest, CashAfterACardReadStillAnswersAndAnEmptySaleIsRefused) {
    PickPaymentMethodController* screen = charge(40);
    ASSERT_NE(screen, nullptr);
    const QString path = SandboxServer::apiPath("/payments/savePayment.json");

    // A 100 % discount leaves nothing to charge: neither cash nor card reading.
    Sale::sharedSale().setDiscountPercentage(1.0);
    for (const char* row : {"Efectivo", "Visa Crédito"}) {
        SCOPED_TRACE(row);
        ASSERT_TRUE(tapRow(screen, row));
        ASSERT_NE(shownAlert(screen), nullptr);
        EXPECT_EQ(shownAlert(screen)->message(), "El monto debe ser mayor a cero");
        shownAlert(screen)->tapButtonWithTitle("OK");
        settle();
        EXPECT_EQ(shownStandIn(), nullptr);
    }
    EXPECT_TRUE(sandbox->requestsTo(path).isEmpty());

    Sale::sharedSale().setDiscountPercentage(0);
    Sale::sharedSale().creditCard()->setTransactionType("emv");
    ASSERT_TRUE(tapRow(screen, "Efectivo"));
    ASSERT_TRUE(waitFor([&] { return !completions.calls.isEmpty(); }));
    EXPECT_TRUE(completions.calls[0].success);
    ASSERT_EQ(sandbox->requestsTo(path).size(), 1);
    EXPECT_EQ(sandbox->requestsTo(path).first().field("paymentMethod"), "cash");
}

TEST_F(PickPaymentMethodTest, ACardRowGoesOnByTheShapeOfItsInstallments) {
    AccountSettings::instance().setTipsList({5, 10});
    struct Case {
        const char* row;
        QString next;
        QString installmentId;
        std::vector<double> tips;
    } cases[] = {
        {"Banco Sur", "InstallmentsPicker", "10", {double(0.1f), double(0.15f)}},
        {"Visa Crédito", "Device", "20", {5, 10}},
        {"Tarjeta Norte", "InstallmentsViewController", "30", {5, 10}},
        {"Débito Maestro", "Device", "40", {5, 10}},
    };
    PickPaymentMethodController* screen = charge(100);
    ASSERT_NE(screen, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        ASSERT_TRUE(tapRow(screen, c.row));
        settle();
        FlowStandIn* next = shownStandIn();
        ASSERT_NE(next, nullptr);
        EXPECT_EQ(next->name(), c.next);
        const Sale& sale = Sale::sharedSale();
        EXPECT_EQ(sale.paymentMethodName(), c.row);
        EXPECT_EQ(sale.installmentId(), c.installmentId);
        ASSERT_TRUE(sale.tipsList());
        EXPECT_EQ(*sale.tipsList(), c.tips);
        if (c.next == "InstallmentsPicker") {
            EXPECT_EQ(next->property("selectedInstitution").toMap().value("name"), "Banco Sur");
            EXPECT_DOUBLE_EQ(sale.maxTipAllowed(), 20);
            EXPECT_EQ(sale.terminalId(), "T-SUR-01");
            EXPECT_EQ(sale.emvConfigurationVersion(), 3);
        }
        if (c.next == "InstallmentsViewController") {
            EXPECT_EQ(next->dataSource.size(), 2);
        }
        sheet()->popViewControllerAnimated(false);
        settle();
        EXPECT_EQ(sheet()->topViewController(), screen);
    }
    // Coming back asks for the list no more.
    EXPECT_EQ(
        sandbox->requestsTo(SandboxServer::apiPath("/installments/getInstallments.json")).size(),
        1);
}

TEST_F(PickPaymentMethodTest, LogosGenericImageOrNone) {
    PickPaymentMethodController* screen = charge(12);
    ASSERT_NE(screen, nullptr);
    auto* table = screen->outlet<TableView>("paymentMethodsTable");
    auto cell = [&](const QString& title) {
        return qobject_cast<PaymentMethodCell*>(
            table->cellForRowAtIndexPath({0, int(rowTitles(screen).indexOf(title))}));
    };
    // The folder address alone: the generic picture.
    EXPECT_TRUE(cell("Visa Crédito")->genericBankImage()->isVisibleTo(cell("Visa Crédito")));
    EXPECT_FALSE(cell("Visa Crédito")->creditCardImage()->isVisibleTo(cell("Visa Crédito")));
    // A file in the folder is downloaded.
    ASSERT_TRUE(waitFor([&] { return !cell("Banco Sur")->creditCardImage()->image().isNull(); }));
    EXPECT_FALSE(cell("Banco Sur")->genericBankImage()->isVisibleTo(cell("Banco Sur")));
    // A missing file leaves no logo and no crash; no address shows no generic picture.
    EXPECT_FALSE(cell("Efectivo")->genericBankImage()->isVisibleTo(cell("Efectivo")));
    settle();
    screen->view()->window()->resize(375, 667);
    ASSERT_TRUE(sheet()->view()->grab().save(flowScreenshotPath("pick_payment_method.png")));
}

TEST_F(PickPaymentMethodTest, ThePresetDiscountAndTheWheel) {
    struct Case {
        QVariantList list;
        int index;
        QString shown;
        int row;
        double fraction;
    } cases[] = {
        {{0.05, 0.10, 0.20}, -1, "0%", 500, 0},
        {{0.05, 0.10, 0.20}, 1, "10%", 502, double(0.10f)},
        {{0.05, 0.10, 0.20}, 3, "0%", 500, 0},
        // A shorter list: only what is there; an index past it is none.
        {{0.15}, 0, "15%", 301, double(0.15f)},
        {{0.15}, 1, "0%", 300, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        AccountSettings::instance().setDiscountsEnabled(true);
        AccountSettings::instance().setDiscountsList(c.list);
        AccountSettings::instance().setDefaultDiscountIndex(c.index);
        PickPaymentMethodController* screen = charge(50);
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(screen->outlet<TextField>("discount")->text(), c.shown);
        auto* picker = screen->outlet<PickerView>("discountPicker");
        EXPECT_EQ(picker->selectedRowInComponent(0), c.row);
        EXPECT_DOUBLE_EQ(Sale::sharedSale().discountPercentage(), c.fraction);
        if (c.list.size() == 3) {
            for (int row : {0, 5, 500, 995})
                EXPECT_EQ(picker->titleForRow(row, 0), "0%");
            for (int row : {504, 999})
                EXPECT_EQ(picker->titleForRow(row, 0), "Personalizar...");
        }
        window->rootViewController()->dismissViewControllerAnimated(false);
        settle();
    }
}

TEST_F(PickPaymentMethodTest, DiscountPickedTypedAndClamped) {
    AccountSettings::instance().setDiscountsEnabled(true);
    AccountSettings::instance().setDiscountsList({0.05, 0.10, 0.20});
    AccountSettings::instance().setDefaultDiscountIndex(-1);
    PickPaymentMethodController* screen = charge(20.40);
    ASSERT_NE(screen, nullptr);
    auto* discount = screen->outlet<TextField>("discount");
    auto* picker = screen->outlet<PickerView>("discountPicker");
    auto* total = screen->outlet<QLabel>("total");
    EXPECT_EQ(total->text(), "$ 20.40");

    // Picking 10 % from the wheel.
    screen->outlet<QPushButton>("discountButton")->click();
    picker->pickRow(502, 0);
    screen->outlet<QPushButton>("doneWithDiscountPicker")->click();
    EXPECT_EQ(discount->text(), "10%");
    EXPECT_DOUBLE_EQ(Sale::sharedSale().discountPercentage(), double(0.10f));
    EXPECT_EQ(total->text(), "$ 18.36");
    EXPECT_TRUE(screen->outlet<QLabel>("oldTotal")->isVisibleTo(screen->view()));

    // Customize: typed percentages, then an amount clamped to whole units of the subtotal.
    screen->outlet<QPushButton>("discountButton")->click();
    picker->pickRow(504, 0);
    screen->outlet<QPushButton>("doneWithDiscountPicker")->click();
    ASSERT_TRUE(discount->isFirstResponder());
    discount->setText("0%");
    struct Key {
        QString typed;
        QString shown;
    } keys[] = {{"1", "1%"}, {"5", "15%"}, {"0", "15%"}};
    for (const Key& k : keys) {
        discount->setCursorPosition(int(discount->text().size()) - 1);
        discount->insertText(k.typed);
        EXPECT_EQ(discount->text(), k.shown) << k.typed.toStdString();
    }
    discount->end(false);
    discount->deleteBackward(); // deletes the "%": a digit goes
    EXPECT_EQ(discount->text(), "1%");

    screen->outlet<QPushButton>("amountSegment")->click();
    EXPECT_EQ(discount->text(), "$0");
    discount->end(false);
    discount->insertText("25");
    EXPECT_EQ(discount->text(), "$20"); // never above 20.40
    screen->outlet<QPushButton>("doneWithNumericTextField")->click();
    ASSERT_TRUE(Sale::sharedSale().discountAmount());
    EXPECT_DOUBLE_EQ(Sale::sharedSale().discountAmount()->doubleValue(), 20);
    EXPECT_EQ(total->text(), "$ 0.40");
    ASSERT_TRUE(
        sheet()->view()->grab().save(flowScreenshotPath("pick_payment_method_discount.png")));

    // A zero amount confirmed turns the row back to the wheel at "0%".
    screen->outlet<QPushButton>("discountButton")->click();
    discount->setText("$0");
    screen->outlet<QPushButton>("doneWithNumericTextField")->click();
    EXPECT_FALSE(discount->isEnabled());
    EXPECT_EQ(picker->selectedRowInComponent(0), 500);
    EXPECT_FALSE(screen->outlet<QLabel>("oldTotal")->isVisibleTo(screen->view()));
}

TEST_F(PickPaymentMethodTest, TypedDigitsTipButtonsAndTipLimit) {
    AccountSettings::instance().setGlobalMaxTipPercentage(20);
    AccountSettings::instance().setTipsList({});
    PickPaymentMethodController* screen = charge(100);
    ASSERT_NE(screen, nullptr);
    struct Reading {
        QString text;
        bool isCurrency;
        double value;
    } readings[] = {
        {"", false, 0},
        {"5", false, 0.05},
        {"15", false, 0.15},
        {"1,234.56", false, 1234.56},
        {"$ 1,234.56", true, 1234.56},
        {"1234", true, 1.23},
        {"16.00", false, 16.00},
    };
    for (const Reading& r : readings)
        EXPECT_DOUBLE_EQ(screen->stringAmountToFloat(r.text, r.isCurrency), r.value)
            << r.text.toStdString();

    auto titles = [&] {
        QStringList t;
        for (int i = 0; i < 3; ++i)
            t << screen->outlet<QPushButton>(QString("fixedTipButton%1").arg(i))->text();
        return t;
    };
    EXPECT_EQ(titles(), QStringList({"10%", "15%", "20%"}));
    window->rootViewController()->dismissViewControllerAnimated(false);
    settle();
    AccountSettings::instance().setGlobalMaxTipPercentage(12);
    screen = charge(100);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(titles(), QStringList({"5%", "10%", "15%"}));

    // The tip row: with a maximum of 12 %, neither form passes it.
    auto* tip = screen->outlet<TextField>("tip");
    screen->addTip();
    screen->changeNumberType(0);
    tip->setText("0%");
    tip->setCursorPosition(1);
    tip->insertText("3");
    tip->setCursorPosition(2);
    tip->insertText("0");
    EXPECT_EQ(tip->text(), "12%");
    screen->changeNumberType(1);
    tip->setText("$ 0.00");
    tip->end(false);
    tip->insertText("3000");
    EXPECT_EQ(tip->text(), "$ 12.00");
}

TEST_F(PickPaymentMethodTest, TaxTypedByKeyAndCheckedAgainstTheLimit) {
    struct Case {
        double limit;
        bool added;
    } cases[] = {{0.16, true}, {0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.limit);
        PickPaymentMethodController* screen = charge(100);
        ASSERT_NE(screen, nullptr);
        AccountSettings::instance().setTaxPercentage(c.limit);
        screen->outlet<QWidget>("taxView")->show();
        auto* tax = screen->outlet<TextField>("tax");
        tax->setText("0.00%");
        screen->addTaxes();
        screen->changeNumberType(0);
        for (const char* key : {"1", "6", "0", "0"}) {
            tax->setCursorPosition(int(tax->text().size()) - 1);
            tax->insertText(key);
        }
        EXPECT_EQ(tax->text(), "16.00%");
        screen->outlet<QPushButton>("doneWithNumericTextField")->click();
        if (c.added) {
            EXPECT_DOUBLE_EQ(Sale::sharedSale().total()->doubleValue(), 116);
            EXPECT_EQ(shownAlert(screen), nullptr);
        } else {
            EXPECT_DOUBLE_EQ(Sale::sharedSale().total()->doubleValue(), 100);
            ASSERT_NE(shownAlert(screen), nullptr);
            EXPECT_EQ(shownAlert(screen)->message(), "El impuesto excede el máximo permitido");
            shownAlert(screen)->tapButtonWithTitle("OK");
        }
        window->rootViewController()->dismissViewControllerAnimated(false);
        settle();
        Sale::sharedSale().cleanSale();
    }
}
