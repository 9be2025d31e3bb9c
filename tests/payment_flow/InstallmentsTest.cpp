#include "PaymentFlowFixture.h"

#include "model/CreditCard.h"
#include "model/Installment.h"
#include "model/values/Amount.h"
#include "payment/flow/AvailableCreditCardsController.h"
#include "payment/flow/InstallmentOptionTableViewCell.h"
#include "payment/flow/InstallmentTableViewCell.h"
#include "payment/flow/InstallmentsInputViewController.h"
#include "payment/flow/InstallmentsPickerCell.h"
#include "payment/flow/InstallmentsPickerController.h"
#include "payment/flow/InstallmentsSelectionViewController.h"
#include "payment/flow/InstallmentsViewController.h"
#include "payment/flow/InstitutionEntry.h"

#include <QPushButton>

namespace {

QVariantMap planOf(double discount, double interest, QVariantMap extra = {}) {
    extra.insert("discountPercentage", discount);
    extra.insert("interestPercentage", interest);
    return extra;
}

// An institution of plans 1 and 3 without interest, 6 with a discount, 12 with interest.
QVariantMap institutionOf(QVariantMap plans, QVariantMap extra = {}) {
    extra.insert("type", extra.value("type", "CREDIT"));
    extra.insert("name", extra.value("name", "Banco Prueba"));
    extra.insert("index", extra.value("index", "prueba"));
    extra.insert("imageUrl_iOS", extra.value("imageUrl_iOS", ""));
    extra.insert("installments", plans);
    return extra;
}

QVariantMap fourPlans() {
    return {
        {"1", planOf(0, 0)}, {"3", planOf(0, 0)}, {"6", planOf(0.1, 0)}, {"12", planOf(0, 0.2)}};
}

} // namespace

// The installments screens with the real picker and lists; only card reading stands in.
class InstallmentsTest : public PaymentFlowTest {
protected:
    InstallmentsTest() { standIns_ = {{"Payment", "Device"}}; }

    // A charge of the total, then the picker for the institution pushed on its sheet.
    InstallmentsPickerController* openPicker(double total, const QVariantMap& institution) {
        if (!charge(total))
            return nullptr;
        auto* picker = qobject_cast<InstallmentsPickerController*>(
            Storyboard::instantiate("Payment", "InstallmentsPicker"));
        if (!picker)
            return nullptr;
        picker->setSelectedInstitution(institution);
        sheet()->pushViewController(picker, false);
        settle();
        return picker;
    }

    static QStringList sectionNames(InstallmentsPickerController* picker) {
        QStringList names;
        for (const QVariant& s : picker->sections())
            names << s.toMap().value("name").toString();
        return names;
    }
    static QStringList sectionKeys(InstallmentsPickerController* picker, int section) {
        return picker->sections().value(section).toMap().value("installments").toStringList();
    }
    static InstallmentsPickerCell* pickerCell(InstallmentsPickerController* picker, int section,
                                              int row) {
        return qobject_cast<InstallmentsPickerCell*>(
            picker->outlet<TableView>("tableView")->cellForRowAtIndexPath({section, row}));
    }
    void tapPickerRow(InstallmentsPickerController* picker, int section, int row) {
        picker->outlet<TableView>("tableView")->tapRowAtIndexPath({section, row});
        settle();
    }
    // The installment count screen on top of everything, if shown.
    InstallmentsInputViewController* shownInput() const {
        ViewController* top = window->topViewController();
        if (auto* nav = qobject_cast<NavigationController*>(top))
            top = nav->topViewController();
        return qobject_cast<InstallmentsInputViewController*>(top);
    }
    CreditCard& card() { return *Sale::sharedSale().creditCard(); }
};

TEST_F(InstallmentsTest, PickerSectionsFollowDiscountAndInterestInTheGivenOrder) {
    struct Case {
        const char* name;
        QVariantMap institution;
        QStringList names;
        QList<QStringList> keys;
    } cases[] = {
        {"numeric order",
         institutionOf(fourPlans()),
         {"10% DE DESCUENTO SIN INTERÉS", "SIN INTERES", "CON RECARGO"},
         {{"6"}, {"1", "3"}, {"12"}}},
        {"ordered keys",
         institutionOf(fourPlans(), {{"orderedKeys", QVariantList{"12", "3", "1", "6"}}}),
         {"10% DE DESCUENTO SIN INTERÉS", "SIN INTERES", "CON RECARGO"},
         {{"6"}, {"3", "1"}, {"12"}}},
        // The section title rounds: 0.53 shows 53 here.
        {"rounded discount",
         institutionOf({{"1", planOf(0, 0)}, {"3", planOf(0.53, 0)}}),
         {"53% DE DESCUENTO SIN INTERÉS", "SIN INTERES"},
         {{"3"}, {"1"}}},
        // A text plan is a free count and sits with the plans without interest.
        {"text plan",
         institutionOf({{"1", planOf(0, 0.1)}, {"18", "Consultar"}}),
         {"SIN INTERES", "CON RECARGO"},
         {{"18"}, {"1"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InstallmentsPickerController* picker = openPicker(1000, c.institution);
        ASSERT_NE(picker, nullptr);
        EXPECT_EQ(sectionNames(picker), c.names);
        for (int s = 0; s < c.keys.size(); ++s)
            EXPECT_EQ(sectionKeys(picker, s), c.keys.at(s));
        EXPECT_EQ(picker->navigationItem()->titleView()->findChild<QLabel*>("navTitle")->text(),
                  "Cuotas");
        // No logo of its own: the generic picture and the cleaned name.
        EXPECT_EQ(picker->outlet<QLabel>("bankLabel")->text(), "Prueba");
        EXPECT_TRUE(picker->outlet<QWidget>("genericBank")->isVisibleTo(picker->view()));
        window->rootViewController()->dismissViewControllerAnimated(false);
        settle();
    }
}

TEST_F(InstallmentsTest, PickerPricesAndTheRecordedPlan) {
    QVariantMap plans = fourPlans();
    plans.insert("3", planOf(0, 0, {{"Payment", 210.5}, {"installmentId", 33}, {"CFT", 0.3}}));
    plans.insert("6",
                 planOf(0, 0.2, {{"Payment", QVariant::fromValue(nullptr)}, {"name", "Seis"}}));
    InstallmentsPickerController* picker = openPicker(1000, institutionOf(plans));
    ASSERT_NE(picker, nullptr);
    ASSERT_EQ(sectionKeys(picker, 0), QStringList({"1", "3"}));
    ASSERT_EQ(sectionKeys(picker, 1), QStringList({"6", "12"}));
    const QString onePrice = Amount::initWithDouble(1000)->getAmount();
    EXPECT_EQ(pickerCell(picker, 0, 0)->installmentsDetail()->text(), "1 pago");
    EXPECT_EQ(pickerCell(picker, 0, 0)->installmentsPrice()->text(), onePrice);
    EXPECT_EQ(pickerCell(picker, 0, 1)->installmentsDetail()->text(), "3 pagos");
    EXPECT_EQ(pickerCell(picker, 0, 1)->installmentsPrice()->text(),
              Amount::initWithDouble(210.5)->getAmount());
    // A null "Payment" takes the formula: 1000 x 1.2 / 6.
    EXPECT_EQ(pickerCell(picker, 1, 0)->installmentsDetail()->text(), "Seis");
    EXPECT_EQ(pickerCell(picker, 1, 0)->installmentsPrice()->text(),
              Amount::initWithDouble(200)->getAmount());

    // The back end's price is shown; the card's is still the formula's.
    tapPickerRow(picker, 0, 1);
    ASSERT_NE(shownStandIn(), nullptr);
    EXPECT_EQ(shownStandIn()->name(), "Device");
    EXPECT_EQ(card().installments(), 3);
    EXPECT_FLOAT_EQ(card().installmentsPrice(), float(1000.0 / 3));
    EXPECT_EQ(card().bankName(), "prueba");
    EXPECT_EQ(Sale::sharedSale().installmentId(), "33");
    EXPECT_EQ(Sale::sharedSale().customData().value("trasladaCFT"), 1);

    // Back, another plan: the mark follows the plan recorded last.
    sheet()->popViewControllerAnimated(false);
    settle();
    tapPickerRow(picker, 1, 0);
    EXPECT_EQ(card().installments(), 6);
    EXPECT_FLOAT_EQ(card().interest(), 0.2f);
    EXPECT_FLOAT_EQ(card().installmentsPrice(), 200.0f);
    EXPECT_EQ(Sale::sharedSale().paymentMethodName(), "Seis");
    EXPECT_FALSE(Sale::sharedSale().customData().contains("trasladaCFT"));
}

TEST_F(InstallmentsTest, PickerTextPlanAsksForACount) {
    InstallmentsPickerController* picker =
        openPicker(500, institutionOf({{"1", planOf(0, 0)}, {"18", "Consultar"}}));
    ASSERT_NE(picker, nullptr);
    ASSERT_EQ(sectionKeys(picker, 0), QStringList({"1", "18"}));
    EXPECT_EQ(pickerCell(picker, 0, 1)->installmentsDetail()->text(), "Manual");
    struct Case {
        const char* typed;
        QString shown;
        int count;
        QString name;
    } cases[] = {
        {"5", "5", 5, "5 pagos"},
        {"40", "36", 36, "36 pagos"},
        // Nothing, or 0, is one payment, never none.
        {"", "", 1, "1 pago"},
        {"0", "0", 1, "1 pago"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        tapPickerRow(picker, 0, 1);
        InstallmentsInputViewController* input = shownInput();
        ASSERT_NE(input, nullptr);
        EXPECT_EQ(input->limit(), 36);
        auto* field = input->outlet<TextField>("textField");
        EXPECT_TRUE(field->isFirstResponder());
        field->insertText(QString::fromLatin1(c.typed));
        EXPECT_EQ(field->text(), c.shown);
        input->outlet<QPushButton>("continueButton")->click();
        settle();
        EXPECT_EQ(shownInput(), nullptr);
        ASSERT_NE(shownStandIn(), nullptr);
        EXPECT_EQ(card().installments(), c.count);
        EXPECT_EQ(Sale::sharedSale().installmentId(), "1");
        EXPECT_EQ(Sale::sharedSale().paymentMethodName(), c.name);
        sheet()->popViewControllerAnimated(false);
        settle();
    }
}

TEST_F(InstallmentsTest, PickerPromotionQuestionOverAManualDiscount) {
    struct Case {
        const char* answer;
        bool leaves;        // the picker is popped
        double manual;      // manual discount fraction after the answer
        float cardDiscount; // recorded on the card
        float price;        // one of 3 installments
    } cases[] = {
        {"Cancelar", true, double(0.10f), 0, 0},
        {"Si, agregar promoción", false, double(0.10f), 0.05f, float(900 * 0.95f) / 3},
        {"Quitar descuento manual", false, 0, 0.05f, float(1000 * 0.95f) / 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        InstallmentsPickerController* picker =
            openPicker(1000, institutionOf({{"1", planOf(0, 0)}, {"3", planOf(0.05, 0)}}));
        ASSERT_NE(picker, nullptr);
        Sale::sharedSale().setDiscountPercentage(double(0.10f));
        card().setDiscount(0);
        tapPickerRow(picker, 0, 0);
        SystemAlert* alert = shownAlert(picker);
        ASSERT_NE(alert, nullptr);
        EXPECT_EQ(alert, picker->additionalDiscountAlert());
        EXPECT_TRUE(alert->message().startsWith("La venta ya posee un descuento manual del 10%"));
        ASSERT_TRUE(alert->tapButtonWithTitle(QString::fromUtf8(c.answer)));
        settle();
        EXPECT_DOUBLE_EQ(Sale::sharedSale().discountPercentage(), c.manual);
        EXPECT_FLOAT_EQ(card().discount(), c.cardDiscount);
        if (c.leaves) {
            EXPECT_EQ(sheet()->topViewController(), pickScreen());
        } else {
            ASSERT_NE(shownStandIn(), nullptr);
            EXPECT_NEAR(card().installmentsPrice(), c.price, 0.01);
            // A card already discounted is not asked again.
            sheet()->popViewControllerAnimated(false);
            settle();
            tapPickerRow(picker, 0, 0);
            EXPECT_EQ(shownAlert(picker), nullptr);
            EXPECT_NE(shownStandIn(), nullptr);
        }
        window->rootViewController()->dismissViewControllerAnimated(false);
        settle();
        Sale::sharedSale().cleanSale();
    }
}

TEST_F(InstallmentsTest, PickerDebitListsAccountTypesAndCountsNeverZero) {
    QVariantMap plans{{"1", planOf(0, 0, {{"installmentId", 41}})}, {"0", planOf(0, 0)}};
    InstallmentsPickerController* picker = openPicker(
        300,
        institutionOf(plans, {{"type", "DEBIT"},
                              {"bankAccountTypes",
                               QVariantList{QVariantMap{{"number", 11}, {"name", "Caja"}},
                                            QVariantMap{{"number", 12}, {"name", "Cuenta"}}}}}));
    ASSERT_NE(picker, nullptr);
    ASSERT_TRUE(picker->isDebitCard());
    auto* table = picker->outlet<TableView>("tableView");
    ASSERT_EQ(table->numberOfSections(), 1);
    ASSERT_EQ(table->numberOfRowsInSection(0), 2);
    EXPECT_EQ(pickerCell(picker, 0, 0)->installmentsDetail()->text(), "Caja");
    EXPECT_EQ(pickerCell(picker, 0, 1)->installmentsDetail()->text(), "Cuenta");
    // The first account's price is no division by its index.
    EXPECT_EQ(pickerCell(picker, 0, 0)->installmentsPrice()->text(),
              Amount::initWithDouble(300)->getAmount());
    tapPickerRow(picker, 0, 1);
    ASSERT_NE(shownStandIn(), nullptr);
    EXPECT_EQ(Sale::sharedSale().bankId(), "12");
    EXPECT_EQ(Sale::sharedSale().installmentId(), "41");
    EXPECT_EQ(card().installments(), 1);
    EXPECT_FLOAT_EQ(card().installmentsPrice(), 300.0f);
}

TEST_F(InstallmentsTest, PaymentMethodCardRowLeadsThroughThePickerToCardReading) {
    PickPaymentMethodController* screen = charge(1000);
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(tapRow(screen, "Banco Sur"));
    settle();
    auto* picker = qobject_cast<InstallmentsPickerController*>(sheet()->topViewController());
    ASSERT_NE(picker, nullptr);
    // The back end's order, the discounted plan first, the text plan with those without interest.
    EXPECT_EQ(sectionKeys(picker, 0), QStringList({"1"}));
    EXPECT_EQ(sectionKeys(picker, 1), QStringList({"3", "18"}));
    EXPECT_EQ(sectionNames(picker)[0], "10% DE DESCUENTO SIN INTERÉS");
    EXPECT_EQ(sectionKeys(picker, 2), QStringList({"12"}));
    ASSERT_TRUE(waitFor([&] { return !card().bankImage().isNull(); }));
    ASSERT_TRUE(sheet()->view()->grab().save(flowScreenshotPath("installments_picker.png")));
    tapPickerRow(picker, 2, 0);
    ASSERT_NE(shownStandIn(), nullptr);
    EXPECT_EQ(card().installments(), 12);
    EXPECT_EQ(Sale::sharedSale().installmentId(), "112");

    // A list of options goes to the plain list.
    sheet()->popToRootViewControllerAnimated(false);
    settle();
    ASSERT_TRUE(tapRow(screen, "Tarjeta Norte"));
    settle();
    auto* list = qobject_cast<InstallmentsViewController*>(sheet()->topViewController());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->dataSource().size(), 2);
    ASSERT_TRUE(sheet()->view()->grab().save(flowScreenshotPath("installments_list.png")));
}

TEST_F(InstallmentsTest, PlainListRecordsTheCountOfTheRow) {
    PickPaymentMethodController* screen = charge(100);
    ASSERT_NE(screen, nullptr);
    auto* list = qobject_cast<InstallmentsViewController*>(
        Storyboard::instantiate("Installments", "InstallmentsViewController"));
    ASSERT_NE(list, nullptr);
    list->setupDataSourceFromArray({QVariantMap{{"name", "1 cuota"}, {"number", 1}},
                                    QVariantMap{{"name", "6 cuotas"}, {"number", 6}},
                                    QVariantMap{}});
    sheet()->pushViewController(list, false);
    settle();
    EXPECT_EQ(list->navigationItem()->title(), "Cuotas");
    auto* table = list->outlet<TableView>("tableView");
    ASSERT_EQ(table->numberOfRowsInSection(0), 3);
    auto title = [&](int row) {
        return qobject_cast<InstallmentTableViewCell*>(table->cellForRowAtIndexPath({0, row}))
            ->titleLabel()
            ->text();
    };
    EXPECT_EQ(title(0), "1 cuota");
    EXPECT_EQ(title(1), "6 cuotas");
    EXPECT_EQ(title(2), "");
    struct Case {
        int row;
        int count;
    } cases[] = {{1, 6}, {2, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        table->tapRowAtIndexPath({0, c.row});
        settle();
        ASSERT_NE(shownStandIn(), nullptr);
        EXPECT_EQ(card().installments(), c.count);
        sheet()->popViewControllerAnimated(false);
        settle();
    }
}

// ---------------------------------------------------------------- selection after the read

class InstallmentsSelectionTest : public InstallmentsTest {
protected:
    struct Answer {
        int calls = 0;
        bool screenGone = false;
        std::shared_ptr<Installment> option;
    };

    // The selection presented over a host screen, as the card-reading screen does.
    InstallmentsSelectionViewController* present(const QVariant& data, const QString& number,
                                                 int mode, bool custom, Answer& answer) {
        auto card = std::make_shared<CreditCard>();
        card->setNumber(number);
        host_ = window->rootViewController();
        InstallmentsSelectionViewController::presentOnViewController(
            host_, data, card, mode, custom,
            [&answer, this](ViewController*, std::shared_ptr<Installment> option) {
                ++answer.calls;
                answer.option = std::move(option);
                answer.screenGone = host_ && !host_->presentedViewController();
            });
        settle();
        auto* nav = qobject_cast<NavigationController*>(host_->presentedViewController());
        return nav ? qobject_cast<InstallmentsSelectionViewController*>(nav->topViewController())
                   : nullptr;
    }
    static QStringList names(InstallmentsSelectionViewController* screen) {
        QStringList list;
        for (const auto& cell : screen->rows())
            list << cell->nameLabel()->text();
        return list;
    }
    QPointer<ViewController> host_;
};

TEST_F(InstallmentsSelectionTest, RowsInCountOrderWithTheManualRowLast) {
    const QVariantMap plans{{"12", QVariantMap{{"name", "12 cuotas"}, {"installmentId", "A12"}}},
                            {"1", QVariantMap{{"installmentId", "A1"}}},
                            {"3", QVariantMap{{"installmentId", "A3"}}}};
    Answer answer;
    auto* screen = present(plans, "450000******0010", 0, true, answer);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(names(screen),
              QStringList({"1 pago", "3 pagos", "12 cuotas", "Ingresar manualmente"}));
    EXPECT_EQ(screen->navigationItem()->title(), "Selecciona una cuota");
    EXPECT_EQ(screen->outlet<QLabel>("paymentOptionLabel")->text(), "****0010");
    EXPECT_FALSE(screen->rows().last()->amountLabel()->isVisibleTo(screen->rows().last()));
    ASSERT_TRUE(screen->navigationController()->view()->grab().save(
        flowScreenshotPath("installments_selection.png")));

    screen->outlet<TableView>("tableView")->tapRowAtIndexPath({0, 1});
    settle();
    ASSERT_EQ(answer.calls, 1);
    EXPECT_TRUE(answer.screenGone);
    ASSERT_TRUE(answer.option);
    EXPECT_EQ(answer.option->number(), 3);
    EXPECT_EQ(answer.option->identifier(), "A3");
}

TEST_F(InstallmentsSelectionTest, TypedCountAndCancel) {
    struct Case {
        const char* name;
        QVariant data;
        const char* typed; // null: cancel
        int number;
        QString identifier;
    } cases[] = {
        {"typed", QVariantMap{{"1", QVariantMap{{"installmentId", "A1"}}}}, "40", 36, "A1"},
        {"emptied", QVariantMap{{"1", QVariantMap{{"installmentId", "A1"}}}}, "", 1, "A1"},
        {"no option rows", QVariantMap{}, "7", 7, QString()},
        {"cancel", QVariantMap{{"1", QVariantMap{}}}, nullptr, 0, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Answer answer;
        auto* screen = present(c.data, "1234", 0, true, answer);
        ASSERT_NE(screen, nullptr);
        if (!c.typed) {
            const auto items = screen->navigationItem()->leftBarButtonItems();
            ASSERT_EQ(items.size(), 1);
            EXPECT_EQ(items.first().title, "Cancelar");
            items.first().action();
            EXPECT_EQ(answer.calls, 0); // only once the screen is gone
            settle();
            EXPECT_EQ(answer.calls, 1);
            EXPECT_TRUE(answer.screenGone);
            EXPECT_FALSE(answer.option);
            continue;
        }
        auto* table = screen->outlet<TableView>("tableView");
        table->tapRowAtIndexPath({0, table->numberOfRowsInSection(0) - 1});
        settle();
        auto* input = qobject_cast<InstallmentsInputViewController*>(
            screen->navigationController()->topViewController());
        ASSERT_NE(input, nullptr);
        auto* field = input->outlet<TextField>("textField");
        field->insertText("9");
        field->deleteBackward();
        field->insertText(QString::fromLatin1(c.typed));
        input->outlet<QPushButton>("continueButton")->click();
        settle();
        ASSERT_EQ(answer.calls, 1);
        EXPECT_TRUE(answer.screenGone);
        ASSERT_TRUE(answer.option);
        EXPECT_EQ(answer.option->number(), c.number);
        EXPECT_EQ(answer.option->identifier(), c.identifier);
        EXPECT_EQ(answer.option->name(),
                  c.number == 1 ? "1 pago" : QString("%1 pagos").arg(c.number));
    }
}

TEST_F(InstallmentsSelectionTest, AccountTypesAndMaskedNumbers) {
    Answer answer;
    auto* screen = present(QVariantList{QVariantMap{{"installmentId", "11"}, {"name", "Caja"}},
                                        QVariantMap{{"installmentId", "12"}, {"name", "Cuenta"}}},
                           "XXXXXXXXXXXX0010", 1, false, answer);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->navigationItem()->title(), "Seleccionar cuenta");
    EXPECT_EQ(names(screen), QStringList({"Caja", "Cuenta"}));
    EXPECT_EQ(screen->outlet<QLabel>("paymentOptionLabel")->text(), "****0010");
    const std::pair<const char*, const char*> masks[] = {
        {"450000******0010", "****0010"},
        {"XXXXXXXXXXXX0010", "****0010"},
        {"4500000010", "****4500000010"},
    };
    for (const auto& [number, shown] : masks) {
        window->rootViewController()->dismissViewControllerAnimated(false);
        settle();
        auto* other = present(QVariantMap{}, number, 0, false, answer);
        ASSERT_NE(other, nullptr);
        EXPECT_EQ(other->outlet<QLabel>("paymentOptionLabel")->text(), shown) << number;
    }
}

// ---------------------------------------------------------------- issuer choice

TEST(InstallmentsPlanDescription, BestPlanOfAnInstitution) {
    struct Case {
        const char* name;
        QVariantMap plans;
        QString text;
    } cases[] = {
        {"6 without, 12 with",
         {{"1", planOf(0, 0)}, {"3", planOf(0, 0)}, {"6", planOf(0, 0)}, {"12", planOf(0, 0.2)}},
         "Hasta 6 cuotas sin interés"},
        {"all with",
         {{"1", planOf(0, 0.1)}, {"3", planOf(0, 0.1)}, {"6", planOf(0, 0.1)}},
         "Hasta 6 cuotas con recargo"},
        {"plan 1 not examined",
         {{"1", planOf(0, 0)}, {"3", planOf(0, 0.1)}},
         "Hasta 3 cuotas con recargo"},
        {"with, without, with",
         {{"1", planOf(0, 0)}, {"3", planOf(0, 0.1)}, {"6", planOf(0, 0)}, {"12", planOf(0, 0.1)}},
         "Hasta 6 cuotas sin interés"},
        {"discount",
         {{"1", planOf(0.1, 0)},
          {"3", planOf(0.1, 0)},
          {"6", planOf(0.1, 0)},
          {"12", planOf(0, 0)}},
         "10% de descuento y 6 cuotas"},
        // Truncated here: 0.53 shows 52.
        {"truncated discount",
         {{"1", planOf(0, 0)}, {"3", planOf(0.53, 0)}},
         "52% de descuento y 3 cuotas"},
        {"only plan 1", {{"1", planOf(0, 0)}}, "1 pago sin interés"},
        {"only plan 1 with", {{"1", planOf(0, 0.1)}}, "1 pago con recargo"},
        {"only plan 6", {{"6", planOf(0, 0.1)}}, "1 pago sin interés"},
        {"none", {}, "1 pago sin interés"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AvailableCreditCardsController::planDescription(institutionOf(c.plans)), c.text)
            << c.name;
}

TEST(InstallmentsPlanDescription, DisplayNames) {
    const std::pair<QVariantMap, QString> cases[] = {
        {{{"name", "Banco Norte"}}, "Norte"},
        {{{"name", "Sur Bank"}}, "Sur"},
        {{{"name", "Bancosur"}}, "sur"},
        {{{"name", "Banco Norte"}, {"shortName", ""}}, "Norte"},
        {{{"name", "Banco Norte"}, {"shortName", "BN"}}, "BN"},
    };
    for (const auto& [entry, name] : cases)
        EXPECT_EQ(InstitutionEntry::displayName(entry), name);
}

class AvailableCreditCardsTest : public InstallmentsTest {
protected:
    AvailableCreditCardsController* openIssuers(double total, bool reload) {
        if (!charge(total))
            return nullptr;
        if (reload)
            AvailableCreditCards::instance().setList(std::nullopt);
        auto* screen = qobject_cast<AvailableCreditCardsController*>(
            Storyboard::instantiate("Payment", "AvailableCreditCards"));
        screen->setSale(std::shared_ptr<Sale>(std::shared_ptr<Sale>(), &Sale::sharedSale()));
        sheet()->pushViewController(screen, false);
        waitFor([&] { return !screen->isDisplayingActivityIndicator(); });
        settle();
        return screen;
    }
    static QStringList titles(AvailableCreditCardsController* screen) {
        QStringList list;
        auto* table = screen->outlet<TableView>("tableView");
        for (int row = 0; row < table->numberOfRowsInSection(0); ++row)
            list << qobject_cast<PaymentMethodCell*>(table->cellForRowAtIndexPath({0, row}))
                        ->creditCardTitle()
                        ->text();
        return list;
    }
    void tapIssuer(AvailableCreditCardsController* screen, const QString& title) {
        screen->outlet<TableView>("tableView")
            ->tapRowAtIndexPath({0, int(titles(screen).indexOf(title))});
        settle();
    }
};

TEST_F(AvailableCreditCardsTest, ListsTheInstitutionsAndGoesOnByTheirPlans) {
    const QString path = SandboxServer::apiPath("/installments/getInstallments.json");
    AvailableCreditCardsController* screen = openIssuers(1234.56, true);
    ASSERT_NE(screen, nullptr);
    ASSERT_EQ(sandbox->requestsTo(path).size(), 2);
    EXPECT_EQ(sandbox->requestsTo(path).last().field("total"), "1234.56");
    EXPECT_EQ(screen->navigationItem()->title(), "Elija la tarjeta");
    const QStringList shown = titles(screen);
    // Card institutions only, by their display names.
    ASSERT_EQ(shown, QStringList({"Sur", "Visa Crédito", "Tarjeta Norte", "Débito Maestro",
                                  "of the South"}));
    ASSERT_TRUE(sheet()->view()->grab().save(flowScreenshotPath("available_credit_cards.png")));

    // One plan: straight to card reading with its count.
    tapIssuer(screen, "Visa Crédito");
    ASSERT_NE(shownStandIn(), nullptr);
    EXPECT_EQ(Sale::sharedSale().installmentId(), "20");
    EXPECT_EQ(card().installments(), 1);
    sheet()->popViewControllerAnimated(false);
    settle();
    // Several: the picker, given the institution.
    tapIssuer(screen, "Sur");
    auto* picker = qobject_cast<InstallmentsPickerController*>(sheet()->topViewController());
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->selectedInstitution().value("name"), "Banco Sur");
    sheet()->popViewControllerAnimated(false);
    settle();

    // A list already there is shown without asking again.
    sheet()->popViewControllerAnimated(false);
    settle();
    auto* again = qobject_cast<AvailableCreditCardsController*>(
        Storyboard::instantiate("Payment", "AvailableCreditCards"));
    sheet()->pushViewController(again, false);
    settle();
    EXPECT_EQ(sandbox->requestsTo(path).size(), 2);
    EXPECT_EQ(titles(again), shown);
}

TEST_F(AvailableCreditCardsTest, AForcedCountMustBeOffered) {
    struct Case {
        int forced;
        bool retry;
        QString next; // "Device", "alert" or "canceled"
    } cases[] = {
        {3, false, "Device"},
        {6, false, "canceled"},
        {6, true, "alert"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.forced);
        completions.calls.clear();
        TarvelloSDK::sharedSDK().setRetryOnDenied(c.retry);
        AvailableCreditCardsController* screen = openIssuers(100, false);
        ASSERT_NE(screen, nullptr);
        Sale::sharedSale().setForceInstallments(c.forced);
        tapIssuer(screen, "Sur");
        if (c.next == "Device") {
            ASSERT_NE(shownStandIn(), nullptr);
            EXPECT_EQ(card().installments(), c.forced);
        } else if (c.next == "alert") {
            ASSERT_NE(shownAlert(screen), nullptr);
            EXPECT_EQ(shownAlert(screen)->message(),
                      "La cantidad de cuotas seleccionada no está disponible");
            shownAlert(screen)->tapButtonWithTitle("OK");
            settle();
            EXPECT_EQ(sheet()->topViewController(), screen);
        } else {
            ASSERT_EQ(completions.calls.size(), 1);
            EXPECT_FALSE(completions.calls[0].success);
            const auto error = completions.calls[0].result.value("error").value<TarvelloError>();
            EXPECT_EQ(error.code, 1004);
            EXPECT_EQ(error.description, "La cantidad de cuotas seleccionada no está disponible");
        }
        while (!window->presentedViewControllers().isEmpty())
            window->rootViewController()->dismissViewControllerAnimated(false);
        settle();
        Sale::sharedSale().cleanSale();
    }
    TarvelloSDK::sharedSDK().setRetryOnDenied(true);
}

TEST_F(AvailableCreditCardsTest, ARefusedListIsAFailureAndLeaves) {
    const QString path = SandboxServer::apiPath("/installments/getInstallments.json");
    PickPaymentMethodController* pick = charge(50);
    ASSERT_NE(pick, nullptr);
    sandbox->scriptOnce(
        "POST", path,
        SandboxReply::json(QVariantMap{{"success", "ERROR"}, {"data", QVariantList{}}}));
    AvailableCreditCards::instance().setList(std::nullopt);
    auto* screen = qobject_cast<AvailableCreditCardsController*>(
        Storyboard::instantiate("Payment", "AvailableCreditCards"));
    sheet()->pushViewController(screen, false);
    ASSERT_TRUE(waitFor([&] { return shownAlert(screen) != nullptr; }));
    EXPECT_TRUE(shownAlert(screen)->message().startsWith("Hubo un problema con la conexión"));
    EXPECT_FALSE(AvailableCreditCards::instance().list().has_value());
    shownAlert(screen)->tapButtonWithTitle("OK");
    settle();
    EXPECT_EQ(sheet()->topViewController(), pick);
}
