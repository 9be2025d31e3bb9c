#include "platform/ui/Clock.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Services.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"
#include "ui_kit/NumericKeyboard.h"
#include "ui_kit/PhoneTextField.h"
#include "ui_kit/SectionTutorialView.h"
#include "ui_kit/SingleInputViewController.h"
#include "ui_kit/TutorialHint.h"
#include "ui_kit/TutorialNavBar.h"
#include "ui_kit/iPadNumericKeyboard.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

QString inputsShotPath(const QString& name) {
    QDir dir(QCoreApplication::applicationDirPath());
    dir.cdUp();
    dir.mkpath(QStringLiteral("screenshots/ui_kit"));
    return dir.filePath(QStringLiteral("screenshots/ui_kit/") + name);
}

void saveShot(QWidget* widget, const QString& name) {
    const QString file = inputsShotPath(name);
    ASSERT_TRUE(widget->grab().save(file)) << file.toStdString();
    const QImage image(file);
    EXPECT_GT(image.width(), 100) << name.toStdString();
}

// Sets the device idiom for the scope.
class IdiomScope {
public:
    explicit IdiomScope(Device::Idiom idiom) { Device::current().setIdiom(idiom); }
    ~IdiomScope() { Device::current().setIdiom(Device::Idiom::Phone); }
};

} // namespace

TEST(InputsScreenshots, KeypadsAndPhoneField) {
    std::unique_ptr<NumericKeyboard> keypad(NumericKeyboard::initWithDobuleZero());
    keypad->resize(375, 216);
    keypad->show();
    saveShot(keypad.get(), "numeric_keyboard_phone.png");

    QWidget pad;
    pad.resize(768, 216);
    auto* wide = NumericKeyboard::init();
    wide->setParent(&pad);
    wide->resize(768, 216);
    pad.show();
    saveShot(&pad, "numeric_keyboard_wide_window.png");

    {
        IdiomScope idiom(Device::Idiom::Pad);
        std::unique_ptr<iPadNumericKeyboard> ipad(iPadNumericKeyboard::instance());
        ipad->show();
        saveShot(ipad.get(), "ipad_numeric_keyboard_pad.png");
    }

    QWidget form;
    form.resize(375, 120);
    auto* column = new QVBoxLayout(&form);
    auto* field = new PhoneTextField(&form);
    field->setRegionCode("US");
    field->setFormattedText("2015550123");
    column->addWidget(new QLabel("Teléfono", &form));
    column->addWidget(field);
    form.show();
    saveShot(&form, "phone_text_field_phone.png");
}

TEST(InputsScreenshots, OneFieldInputOnPhoneAndPad) {
    for (const auto idiom : {Device::Idiom::Phone, Device::Idiom::Pad}) {
        IdiomScope scope(idiom);
        ScopedManualClock clock;
        Window window;
        auto* root = new ViewController();
        window.setRootViewController(new NavigationController(root));
        window.makeKeyAndVisible();
        // The security code sits on the card's back.
        const QImage card = Services::images()->imageNamed("creditcard_magstripe_back.png", false);
        ASSERT_FALSE(card.isNull());
        SingleInputViewController::present(
            true,
            {SingleInputConfigurator::withImage(card, "Ingresá el número de CVV de la tarjeta", 3,
                                                "cvv2", true, 1)},
            std::nullopt, root, true, {}, {});
        clock->advance(1000);
        auto* top = window.topViewController();
        ASSERT_NE(top, nullptr);
        QWidget* shown = window.presentationContainer(top);
        if (!shown)
            shown = top->view();
        shown->resize(Device::current().screenSize());
        top->layoutIfNeeded();
        saveShot(shown,
                 idiom == Device::Idiom::Phone ? "single_input_phone.png" : "single_input_pad.png");
    }
}

TEST(InputsScreenshots, TutorialBubbleStepBarAndSectionCard) {
    for (const auto idiom : {Device::Idiom::Phone, Device::Idiom::Pad}) {
        IdiomScope scope(idiom);
        ScopedManualClock clock;
        QWidget screen;
        screen.resize(Device::current().screenSize());
        View::setBackgroundColor(&screen, Qt::white);
        auto* amount = new QLabel("$ 1,250.00", &screen);
        amount->setGeometry(20, 120, 300, 60);
        QFont font = amount->font();
        font.setPixelSize(40);
        amount->setFont(font);
        auto* pay = new QPushButton("Cobrar", &screen);
        pay->setGeometry(20, 400, screen.width() - 40, 50);
        screen.show();
        TutorialNavBar::initWithStep(1, "Ingresa el monto", &screen, 0, false);
        TutorialHint::initHint(0, "Este es el total de la venta, con impuestos incluidos",
                               {60, 190}, &screen, {amount});
        clock->advance(TutorialHint::kFadeMs);
        saveShot(&screen,
                 idiom == Device::Idiom::Phone ? "tutorial_phone.png" : "tutorial_pad.png");
        Application::setStatusBarHidden(false);
    }

    std::unique_ptr<SectionTutorialView> card(SectionTutorialView::initWithImage(
        "hint_down.png", "Aquí verás tus productos y podrás agregarlos a la venta.",
        QString("Empezar")));
    card->resize(320, 300);
    card->show();
    saveShot(card.get(), "section_tutorial_view_phone.png");
}
