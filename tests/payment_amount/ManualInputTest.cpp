#include "AmountFixture.h"

#include "catalog/CatalogScreens.h"
#include "model/Product.h"
#include "payment/flow/ManualInputViewController.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/TabBarController.h"

#include <QPushButton>

using namespace amounttest;

namespace {

// A small sale-input tab bar: the shared sale, and a log of what its tab asked.
class LoggingTabBar : public TabBarController, public InputTabBarChildControllersDelegate {
public:
    void inputTabBarChildWillUpdateSaleComponent(ViewController*) override { log << "update"; }
    void inputTabBarChildWillUpdateSaleComponentReloadingCatalog(ViewController*,
                                                                 bool reload) override {
        log << (reload ? "reload" : "refresh");
    }
    void inputTabBarChildWillCleanSale(ViewController*) override { log << "clean"; }
    void inputTabBarChildWillAddItem(ViewController*, const ItemPtr& item) override {
        log << "add";
        Sale::sharedSale().addItem(item);
    }
    void inputTabBarChildWillAddItemSkipCatalogReload(ViewController*, const ItemPtr& item,
                                                      bool) override {
        Sale::sharedSale().addItem(item);
    }
    void inputTabBarChildWillDeleteItem(ViewController*, const ItemPtr& item) override {
        log << "delete";
        Sale::sharedSale().removeItems({item});
    }
    bool inputTabBarChildIsItemDuplicated(ViewController*, const ItemPtr& item) override {
        const auto& items = Sale::sharedSale().items();
        return std::any_of(items.begin(), items.end(),
                           [&](const ItemPtr& line) { return line->isEqual(*item); });
    }
    bool inputTabBarChildIsCatalogVisible(ViewController*) override { return false; }
    void inputTabBarChildWillProcessSaleWithAction(ViewController*, QObject* action) override {
        log << "process";
        processAction = action;
    }
    bool inputTabBarChildWillChangeParentTitle(ViewController*, const QString& title) override {
        setTitle(title);
        return true;
    }
    QStringList log;
    QObject* processAction = nullptr;
};

class ManualTab : public AmountTest {
protected:
    ManualInputViewController* open() {
        tab = qobject_cast<ManualInputViewController*>(
            Storyboard::instantiate(CatalogScreens::manualInput));
        if (!tab)
            return nullptr;
        bar = new LoggingTabBar();
        tab->setChildDelegate(bar);
        bar->setViewControllers({tab});
        window.setRootViewController(bar);
        window.makeKeyAndVisible();
        settle();
        return tab;
    }
    void tap(const QStringList& keys) {
        for (const QString& key : keys) {
            auto* button = tab->outlet<QPushButton>(key == "<" ? QStringLiteral("eraseButton")
                                                               : QStringLiteral("key") + key);
            ASSERT_NE(button, nullptr);
            button->click();
        }
    }
    QString shownAmount() { return tab->outlet<TextField>("saleCostTotalField")->text(); }
    TextField* description() { return tab->outlet<TextField>("itemDescriptionField"); }
    bool addEnabled() { return tab->outlet<QPushButton>("addButton")->isEnabled(); }

    QPointer<ManualInputViewController> tab;
    QPointer<LoggingTabBar> bar;
};

} // namespace

TEST_F(ManualTab, TheLineJoinsTheSaleWithItsFirstNonZeroKeyAndLeavesAtZero) {
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(bar->title(), "Realizar venta");
    EXPECT_EQ(UserDefaults::standardUserDefaults().stringForKey("lastMode"), "Amount");
    EXPECT_EQ(shownAmount(), "$ 0.00");

    tap({"0", "00"});
    EXPECT_TRUE(sale().items().empty());
    EXPECT_FALSE(addEnabled());
    EXPECT_FALSE(tab->isTaxButtonEnabled());
    tap({"5", "00"});
    ASSERT_EQ(sale().items().size(), 1u);
    EXPECT_EQ(bar->log.count("add"), 1);
    EXPECT_EQ(bar->log.count("refresh"), 4);
    EXPECT_EQ(shownAmount(), "$ 5.00");
    EXPECT_TRUE(sale().items().front()->isCustomAmount());
    EXPECT_TRUE(addEnabled());
    EXPECT_TRUE(tab->isTaxButtonEnabled());

    tap({"<", "<"});
    EXPECT_EQ(sale().items().size(), 1u);
    tap({"<"});
    EXPECT_TRUE(sale().items().empty());
    EXPECT_EQ(bar->log.count("delete"), 1);
    EXPECT_EQ(shownAmount(), "$ 0.00");
    EXPECT_FALSE(addEnabled());
    EXPECT_FALSE(tab->isTaxButtonEnabled());
}

TEST_F(ManualTab, TheAddButtonClosesTheLineAndStartsTheNext) {
    ASSERT_NE(open(), nullptr);
    tab->outlet<QPushButton>("addButton")->click();
    EXPECT_TRUE(bar->log.isEmpty()) << "nothing to close at 0.00";

    tap({"1", "2"});
    description()->setText("Propina");
    tab->textFieldShouldReturn(description());
    const ItemPtr first = tab->currentItem();
    tab->outlet<QPushButton>("addButton")->click();
    settle();
    EXPECT_NE(tab->currentItem(), first);
    EXPECT_EQ(shownAmount(), "$ 0.00");
    EXPECT_EQ(description()->text(), "");
    EXPECT_FALSE(addEnabled());
    tap({"3"});
    ASSERT_EQ(sale().items().size(), 2u);
    EXPECT_EQ(sale().items().at(0)->product()->name(), "Propina");
    EXPECT_DOUBLE_EQ(sale().items().at(0)->product()->price()->doubleValue(), 0.12);

    tab->outlet<QPushButton>("processSaleButton")->click();
    EXPECT_EQ(bar->log.last(), "process");
    EXPECT_EQ(bar->processAction, tab->outlet<QPushButton>("processSaleButton"));

    tab->cleanSale();
    EXPECT_EQ(shownAmount(), "$ 0.00");
    EXPECT_DOUBLE_EQ(tab->currentItem()->product()->price()->doubleValue(), 0);
}

TEST_F(ManualTab, DescriptionsKeepThirtyCharacters) {
    ASSERT_NE(open(), nullptr);
    description()->becomeFirstResponder();
    EXPECT_NE(tab->view()->findChild<QWidget*>("keyboardDisable"), nullptr);
    // The keypad rests while the description is typed.
    tap({"4"});
    EXPECT_TRUE(sale().items().empty());
    for (int i = 0; i < 31; ++i)
        description()->insertText("a");
    EXPECT_EQ(description()->text().size(), 30);
    EXPECT_TRUE(tab->textFieldShouldChangeCharactersInRange(description(), 30, 0, "\n"))
        << "a line break passes";
    tab->textFieldShouldReturn(description());
    EXPECT_FALSE(description()->isFirstResponder());
    EXPECT_EQ(tab->currentItem()->product()->name(), QString(30, 'a'));
    tap({"4"});
    EXPECT_EQ(sale().items().size(), 1u);
}

TEST_F(ManualTab, TaxKeysTypeAPercentageWithinTheLimit) {
    AccountSettings::instance().setTaxPercentage(1.0);
    ASSERT_NE(open(), nullptr);
    tap({"1", "0", "0", "00"});
    tab->changeTaxButtonTapped();
    settle();
    SystemAlert* alert = shownAlert(tab);
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->message(), "Ingrese el porcentaje de impuestos para este producto");
    ASSERT_EQ(alert->textFields().size(), 1);
    TextField* field = alert->textFields().first();
    EXPECT_EQ(field->text(), "0.00%");
    struct Step {
        QString key; // "<" deletes the last character, the percent sign
        QString shown;
    } steps[] = {{"1", "0.01%"},  {"2", "0.12%"},  {"3", "1.23%"},
                 {"4", "12.34%"}, {"5", "12.34%"}, // 123.45 % passes the limit of 100 %
                 {"<", "1.23%"},  {"4", "12.34%"}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.key.toStdString());
        field->end(false);
        if (step.key == "<")
            field->deleteBackward();
        else
            field->insertText(step.key);
        EXPECT_EQ(field->text(), step.shown);
    }
    alert->tapButtonWithTitle("OK");
    settle();
    EXPECT_NEAR(tab->currentItem()->product()->getTotalTaxRate(), 0.1234, 1e-9);
    EXPECT_EQ(tab->taxButtonTitle(), "Impuestos 12.34%");

    // A second rate replaces the first; the title drops the zero decimals.
    tab->changeTaxButtonTapped();
    settle();
    field = shownAlert(tab)->textFields().first();
    EXPECT_EQ(field->text(), "12.34%");
    field->setText("16.00%");
    shownAlert(tab)->tapButtonWithTitle("OK");
    settle();
    EXPECT_NEAR(tab->currentItem()->product()->getTotalTaxRate(), 0.16, 1e-9);
    EXPECT_EQ(tab->taxButtonTitle(), "Impuestos 16%");
}

TEST_F(ManualTab, WithTheLoadedLimitOfZeroOnlyZeroCanBeTyped) {
    AccountSettings::instance().setTaxPercentage(0);
    ASSERT_NE(open(), nullptr);
    tap({"5"});
    tab->changeTaxButtonTapped();
    settle();
    TextField* field = shownAlert(tab)->textFields().first();
    field->end(false);
    field->insertText("1");
    EXPECT_EQ(field->text(), "0.00%");
    shownAlert(tab)->tapButtonWithTitle("OK");
    settle();
    EXPECT_EQ(tab->currentItem()->product()->getTotalTaxRate(), 0);
}

TEST_F(ManualTab, Screenshot) {
    ASSERT_NE(open(), nullptr);
    tap({"4", "5", "0", "0"});
    description()->setText("Servicio técnico");
    settle();
    ASSERT_TRUE(window.widget()->grab().save(amountScreenshotPath("manual_tab.png")));
}
