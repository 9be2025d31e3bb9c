#include "AmountFixture.h"

#include "payment/flow/PaymentViewController.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/View.h"
#include "ui_kit/TutorialHint.h"

#include <QPushButton>

using namespace amounttest;

namespace {

class AmountKeypad : public AmountTest {
protected:
    PaymentViewController* open() {
        keypad = qobject_cast<PaymentViewController*>(
            Storyboard::instantiate("Payment", "PaymentViewController"));
        if (!keypad)
            return nullptr;
        navigation = showInNavigation(keypad);
        return keypad;
    }
    // Taps the keys in turn: digits, "00", and "<" for backspace.
    void tap(const QStringList& keys) {
        for (const QString& key : keys) {
            const QString name = key == "<"    ? QStringLiteral("buttonRightCorner")
                                 : key == "00" ? QStringLiteral("buttonLeftCorner")
                                               : QStringLiteral("button") + key;
            auto* button = keypad->outlet<QPushButton>(name);
            ASSERT_NE(button, nullptr) << name.toStdString();
            button->click();
        }
    }
    QString shownAmount() { return keypad->outlet<QLabel>("amount")->text(); }
    void press(const char* name) {
        if (QByteArray(name) == "addItemButton")
            keypad->navigationItem()->rightBarButtonItems().first().action();
        else
            keypad->outlet<QPushButton>(name)->click();
    }
    QWidget* highlight(const char* name) { return keypad->outlet<QWidget>(name); }

    QPointer<PaymentViewController> keypad;
    QPointer<NavigationController> navigation;
};

} // namespace

TEST_F(AmountKeypad, KeysTypeTwoImpliedDecimalsUpToNineDigits) {
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(shownAmount(), "$ 0.00");
    struct Case {
        QStringList keys;
        QString shown;
    } cases[] = {
        {{"2"}, "$ 0.02"},
        {{"2", "5"}, "$ 0.25"},
        {{"2", "5", "00"}, "$ 25.00"},
        {{"0", "00"}, "$ 0.00"},
        {{"1", "2", "3", "4", "5", "6", "7", "8", "9"}, "$ 1,234,567.89"},
        // A tenth digit is refused whole, "00" too when it would pass nine.
        {{"1", "2", "3", "4", "5", "6", "7", "8", "9", "1"}, "$ 1,234,567.89"},
        {{"1", "2", "3", "4", "5", "6", "7", "8", "00"}, "$ 123,456.78"},
        {{"2", "5", "<"}, "$ 0.02"},
        {{"<", "<"}, "$ 0.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys.join(' ').toStdString());
        press("eraseAmountButtonArea");
        tap(c.keys);
        EXPECT_EQ(shownAmount(), c.shown);
    }
    // The typed line never stays in the sale's list: totals come from the lines added.
    EXPECT_TRUE(sale().items().empty());
    EXPECT_DOUBLE_EQ(sale().subtotal()->doubleValue(), 0);
}

TEST_F(AmountKeypad, LinesAreAddedAndTheChargeHandsThemOnWithTheTypedOne) {
    ASSERT_NE(open(), nullptr);
    tap({"1", "2", "5", "0"});
    keypad->itemDescription()->setText("Café");
    keypad->textFieldShouldReturn(keypad->itemDescription());
    press("addItemButton");
    tap({"3", "00"});
    press("addItemButton");
    ASSERT_EQ(sale().items().size(), 2u);
    EXPECT_EQ(sale().items().at(0)->product()->name(), "Café");
    EXPECT_DOUBLE_EQ(sale().subtotal()->doubleValue(), 15.5);
    EXPECT_EQ(shownAmount(), "$ 0.00");
    EXPECT_EQ(keypad->itemDescription()->text(), "");
    EXPECT_DOUBLE_EQ(keypad->currentItem()->product()->price()->doubleValue(), 0);

    // A 0.00 line without a description is refused with a message.
    press("addItemButton");
    ASSERT_NE(shownAlert(keypad), nullptr);
    EXPECT_EQ(shownAlert(keypad)->message(),
              "Debes completar el monto del producto para continuar");
    shownAlert(keypad)->tapButtonWithTitle("OK");
    settle();
    EXPECT_EQ(sale().items().size(), 2u);

    tap({"2"});
    press("collectButton");
    settle();
    EXPECT_TRUE(qobject_cast<NextScreen*>(navigation->topViewController()));
    ASSERT_EQ(sale().items().size(), 3u);
    EXPECT_DOUBLE_EQ(sale().items().at(2)->product()->price()->doubleValue(), 0.02);
}

TEST_F(AmountKeypad, ChargingNothingIsRefused) {
    ASSERT_NE(open(), nullptr);
    press("collectButton");
    settle();
    ASSERT_NE(shownAlert(keypad), nullptr);
    EXPECT_EQ(navigation->topViewController(), keypad.data());
    shownAlert(keypad)->tapButtonWithTitle("OK");
    settle();
    EXPECT_TRUE(sale().items().empty());
}

TEST_F(AmountKeypad, TheSaleEmptiesOnFirstAppearanceAndAfterAPaymentOnly) {
    sale().addItem(Item::init());
    sale().setCurrencyCode("840");
    ASSERT_NE(open(), nullptr);
    EXPECT_TRUE(sale().items().empty()) << "first appearance";
    EXPECT_EQ(sale().currencyCode(), "484");
    EXPECT_EQ(UserDefaults::standardUserDefaults().stringForKey("lastMode"), "Amount");

    tap({"5", "00"});
    press("addItemButton");
    tap({"7"});
    // A full-screen screen over the keypad (as the picture picker was) and back: lines stay.
    auto* over = new NextScreen();
    keypad->presentViewController(over, false);
    settle();
    EXPECT_NE(keypad->appearanceState(), ViewController::Appearance::Appeared);
    over->dismissViewControllerAnimated(false);
    settle();
    ASSERT_EQ(sale().items().size(), 1u);
    EXPECT_EQ(shownAmount(), "$ 0.07");

    // To the payment-method screen and back without paying: the lines stay too.
    press("collectButton");
    settle();
    navigation->popViewControllerAnimated(false);
    settle();
    EXPECT_EQ(sale().items().size(), 1u);
    EXPECT_EQ(shownAmount(), "$ 0.07");

    // Paid: the payment's end empties the shared sale; the keypad starts the next one.
    press("collectButton");
    settle();
    sale().cleanSale();
    navigation->popViewControllerAnimated(false);
    settle();
    EXPECT_TRUE(sale().items().empty());
    EXPECT_EQ(shownAmount(), "$ 0.00");
    EXPECT_DOUBLE_EQ(keypad->currentItem()->product()->price()->doubleValue(), 0);
}

TEST_F(AmountKeypad, CurrencyChoice) {
    AccountSettings::instance().setAppLanguage("es");
    AccountSettings::instance().setCurrencies(
        {QVariantMap{{"code", "484"}, {"symbol", "$"}, {"es", "Pesos"}, {"en", "Pesos"}}});
    ASSERT_NE(open(), nullptr);
    EXPECT_FALSE(keypad->outlet<QPushButton>("itemListButtonArea")->isEnabled());
    window.setRootViewController(nullptr);
    settle();

    AccountSettings::instance().setCurrencies(
        {QVariantMap{{"code", "484"}, {"symbol", "$"}, {"es", "Pesos"}, {"en", "Pesos"}},
         QVariantMap{{"code", "840"}, {"symbol", "US$"}, {"es", "Dólares"}, {"en", "Dollars"}}});
    ASSERT_NE(open(), nullptr);
    auto* button = keypad->outlet<QPushButton>("itemListButtonArea");
    ASSERT_TRUE(button->isEnabled());
    tap({"1", "5"});
    button->click();
    settle();
    ASSERT_NE(shownAlert(keypad), nullptr);
    EXPECT_EQ(shownAlert(keypad)->title(), "Elegí la moneda");
    shownAlert(keypad)->tapButtonWithTitle("Cancelar");
    settle();
    EXPECT_FALSE(UserDefaults::standardUserDefaults().hasKey("defaultCurrency"));

    button->click();
    settle();
    shownAlert(keypad)->tapButtonWithTitle("Dólares");
    settle();
    EXPECT_EQ(button->text(), "Dólares");
    EXPECT_EQ(sale().currencyCode(), "840");
    EXPECT_EQ(keypad->currentItem()->product()->currencyCode(), "840");
    EXPECT_EQ(shownAmount(), "US$ 0.15");
    EXPECT_EQ(UserDefaults::standardUserDefaults().objectForKey("defaultCurrency").toMap(),
              (QVariantMap{{"format", "US$"}, {"name", "Dólares"}, {"code", "840"}}));
}

TEST_F(AmountKeypad, TheGuideRunsItsSixSteps) {
    AccountSettings::instance().setTutorialAmount(false);
    ASSERT_NE(open(), nullptr);
    QWidget* overlay = navigation->view()->findChild<QWidget*>("tutorialView");
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(overlay->findChild<QLabel*>("welcomeLabel")->text(), "Bienvenido");
    EXPECT_EQ(overlay->findChild<QLabel*>("tutorialNavItem")->text(), "Guía de Usuario");
    ASSERT_TRUE(window.widget()->grab().save(amountScreenshotPath("keypad_welcome.png")));
    overlay->findChild<QPushButton*>("startTutorial")->click();
    settle();
    EXPECT_EQ(keypad->tutorialStep(), 1);
    ASSERT_TRUE(keypad->tutorialHint());
    EXPECT_EQ(keypad->tutorialHint()->label()->text(),
              "Ingresa un importe de $ 25,00 para el primer producto");
    EXPECT_TRUE(keypad->tutorialNavBar());
    ASSERT_TRUE(window.widget()->grab().save(amountScreenshotPath("keypad_guide.png")));

    // A wrong first key points at backspace; erasing back to 0.00 points at "2" again.
    tap({"3"});
    EXPECT_TRUE(highlight("tutorialButton2")->isHidden());
    EXPECT_TRUE(highlight("tutorialButton00")->isHidden());
    EXPECT_FALSE(highlight("tutorialButtonErase")->isHidden());
    tap({"<"});
    EXPECT_TRUE(highlight("tutorialButtonErase")->isHidden());
    EXPECT_FALSE(highlight("tutorialButton2")->isHidden());
    settle();
    EXPECT_GT(View::alpha(highlight("tutorialButton2")), 0) << "it blinks";

    tap({"2"});
    EXPECT_TRUE(highlight("tutorialButton2")->isHidden());
    tap({"5"});
    EXPECT_EQ(keypad->tutorialStep(), 1);
    tap({"00"});
    EXPECT_EQ(keypad->tutorialStep(), 2);
    EXPECT_EQ(keypad->tutorialHint()->label()->text(), "Agregá una descripción para el producto");

    keypad->itemDescription()->setText("Café");
    keypad->textFieldShouldReturn(keypad->itemDescription());
    EXPECT_EQ(keypad->tutorialStep(), 3);
    // The step waits for a picture: the picker cancelled moves on.
    ASSERT_TRUE(keypad->outlet<QPushButton>("itemPictureButton")->isEnabled());
    press("itemPictureButton");
    EXPECT_EQ(pictures->picks, 1);
    EXPECT_EQ(keypad->tutorialStep(), 4);
    EXPECT_EQ(keypad->tutorialHint()->label()->text(),
              "Tocá + para agregar el producto a la venta");
    ASSERT_FALSE(keypad->navigationItem()->leftBarButtonItems().isEmpty());
    EXPECT_FALSE(keypad->navigationItem()->leftBarButtonItems().first().enabled);

    press("addItemButton");
    EXPECT_EQ(keypad->tutorialStep(), 5);
    EXPECT_TRUE(keypad->navigationItem()->leftBarButtonItems().first().enabled);
    tap({"2", "0"});
    EXPECT_EQ(keypad->tutorialStep(), 5);
    tap({"0"});
    EXPECT_EQ(keypad->tutorialStep(), 6);
    EXPECT_EQ(keypad->tutorialHint()->label()->text(), "Tocá Cobrar para continuar");
    press("collectButton");
    settle();
    EXPECT_TRUE(qobject_cast<NextScreen*>(navigation->topViewController()));
    ASSERT_EQ(sale().items().size(), 2u);
    EXPECT_DOUBLE_EQ(sale().subtotal()->doubleValue(), 27);
}

TEST_F(AmountKeypad, SkippingTheGuideEndsItAndMarksTheGuidesDone) {
    AccountSettings::instance().setTutorialAmount(false);
    ASSERT_NE(open(), nullptr);
    navigation->view()->findChild<QPushButton*>("startTutorial")->click();
    settle();
    ASSERT_TRUE(keypad->tutorialNavBar());
    keypad->tutorialNavBar()->endTutorial();
    settle();
    ASSERT_NE(shownAlert(keypad), nullptr);
    EXPECT_EQ(shownAlert(keypad)->message(), "¿Desea omitir la guía?");
    shownAlert(keypad)->tapButtonWithTitle("Si, omitir");
    settle();
    EXPECT_TRUE(AccountSettings::instance().tutorialAmount());
    EXPECT_TRUE(AccountSettings::instance().tutorialCatalog());
    tap({"2", "5", "00"});
    EXPECT_EQ(keypad->tutorialStep(), 0) << "no step follows a skipped guide";
    EXPECT_TRUE(highlight("tutorialButton2")->isHidden());
}

TEST_F(AmountKeypad, CompactScreensTakeTheCompactLayoutValues) {
    struct Case {
        QSize screen;
        double buttonHeight;
        double bottomMargin;
    } cases[] = {{{320, 480}, 44, 12}, {{375, 667}, 54, 20}};
    for (const Case& c : cases) {
        Device::current().setScreenSize(c.screen);
        ASSERT_NE(open(), nullptr);
        EXPECT_EQ(keypad->paymentButtonHeight(), c.buttonHeight);
        EXPECT_EQ(keypad->itemDescriptionBottomMargin(), c.bottomMargin);
        window.setRootViewController(nullptr);
        settle();
    }
    Device::current().setScreenSize(QSize());
}

TEST_F(AmountKeypad, PhoneScreenshot) {
    ASSERT_NE(open(), nullptr);
    tap({"1", "2", "5", "0"});
    keypad->itemDescription()->setText("Café con leche");
    settle();
    ASSERT_TRUE(window.widget()->grab().save(amountScreenshotPath("keypad.png")));
}
