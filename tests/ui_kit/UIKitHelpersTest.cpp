#include "Printers.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/LayoutConstraint.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TextField.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"
#include "ui_kit/AutoLayoutUtilities.h"
#include "ui_kit/Extensions/GAIMultiTracker.h"
#include "ui_kit/Extensions/Traits.h"
#include "ui_kit/texts/Language.h"

#include <QJsonDocument>
#include <gtest/gtest.h>

namespace helpers {

// Restores the device after a test changes it.
struct DeviceGuard {
    DeviceGuard()
        : idiom(Device::current().idiom())
        , version(Device::current().systemVersion()) {}
    ~DeviceGuard() {
        Device::current().setIdiom(idiom);
        Device::current().setSystemVersion(version);
    }
    Device::Idiom idiom;
    QString version;
};

void expectColor(const std::optional<QColor>& color, float r, float g, float b, float a) {
    ASSERT_TRUE(color.has_value());
    float cr = 0, cg = 0, cb = 0, ca = 0;
    color->getRgbF(&cr, &cg, &cb, &ca);
    EXPECT_NEAR(cr, r, 1e-3);
    EXPECT_NEAR(cg, g, 1e-3);
    EXPECT_NEAR(cb, b, 1e-3);
    EXPECT_NEAR(ca, a, 1e-3);
}

// A window with a root screen, so alerts have a top-most screen to show on.
struct AlertWindow : ::testing::Test {
    void SetUp() override {
        root = new ViewController();
        window.setRootViewController(root);
        window.makeKeyAndVisible();
    }
    // The alerts shown over the root, in order, dismissed afterwards.
    QStringList takeAlerts() {
        QStringList messages;
        for (ViewController* shown : window.presentedViewControllers())
            if (auto* alert = qobject_cast<SystemAlert*>(shown))
                messages << alert->message();
        if (root->presentedViewController())
            root->dismissViewControllerAnimated(false);
        clock->runUntilIdle();
        return messages;
    }
    ScopedManualClock clock;
    Window window;
    ViewController* root = nullptr;
};

} // namespace helpers

using helpers::AlertWindow;

TEST(AutoLayoutColours, ArithmeticPerComponentWithAlphaKept) {
    const QColor sample = QColor::fromRgbF(0.1f, 0.5f, 1.0f, 0.7f);
    helpers::expectColor(AutoLayoutUtilities::darkerColorForColor(sample), 0, 0.3f, 0.8f, 0.7f);
    helpers::expectColor(AutoLayoutUtilities::lighterColorForColor(sample), 0.3f, 0.7f, 1, 0.7f);
    helpers::expectColor(
        AutoLayoutUtilities::translucentColorFromColor(QColor::fromRgbF(0, 0.5f, 1, 0.4f)), 0,
        0.4504f, 1, 0.4f);
    // At or below 23/255 a component becomes 0.
    helpers::expectColor(AutoLayoutUtilities::translucentColorFromColor(QColor(23, 10, 255)), 0, 0,
                         1, 1);
    // A colour given in another space is read through its RGB components.
    helpers::expectColor(AutoLayoutUtilities::darkerColorForColor(QColor::fromHsvF(0, 0, 1)), 0.8f,
                         0.8f, 0.8f, 1);

    // A colour without components.
    EXPECT_FALSE(AutoLayoutUtilities::darkerColorForColor(QColor()).has_value());
    EXPECT_FALSE(AutoLayoutUtilities::lighterColorForColor(QColor()).has_value());
    EXPECT_FALSE(AutoLayoutUtilities::translucentColorFromColor(QColor()).isValid());
}

TEST(AutoLayoutImages, OneColourAndStretchedImages) {
    const QImage dot = AutoLayoutUtilities::imageWithColor(QColor(10, 20, 30, 40));
    EXPECT_EQ(dot.size(), QSize(1, 1));
    EXPECT_EQ(dot.pixelColor(0, 0), QColor(10, 20, 30, 40));
    const QImage stretched = AutoLayoutUtilities::imageWithImage(dot, QSizeF(30, 10));
    EXPECT_EQ(stretched.size() / stretched.devicePixelRatio(), QSize(30, 10));
}

TEST(AutoLayoutConstraints, FirstOfTheIdentifierWins) {
    QWidget view;
    auto make = [&](const QString& id) {
        auto* c = LayoutConstraint::addTo(
            &view, new LayoutConstraint(&view, LayoutConstraint::Attribute::Width, nullptr,
                                        LayoutConstraint::Attribute::NotAnAttribute, 1, 10));
        c->setIdentifier(id);
        return c;
    };
    LayoutConstraint* other = make("other");
    LayoutConstraint* first = make("height");
    make("height");
    const auto all = LayoutConstraint::constraintsOf(&view);
    EXPECT_EQ(AutoLayoutUtilities::constraintForIdentifier("height", all), first);
    EXPECT_EQ(AutoLayoutUtilities::constraintForIdentifier("other", all), other);
    EXPECT_EQ(AutoLayoutUtilities::constraintForIdentifier("none", all), nullptr);
}

TEST(AutoLayoutJSON, PrettyTextOrNothing) {
    const QVariantMap object{{"a", 1}, {"b", QVariantList{"x", QVariant::fromValue(nullptr)}}};
    const QString text = AutoLayoutUtilities::JSONStringFromJSONObject(object);
    EXPECT_TRUE(text.contains('\n'));
    EXPECT_EQ(QJsonDocument::fromJson(text.toUtf8()).toVariant().toMap().value("a").toInt(), 1);
    EXPECT_EQ(AutoLayoutUtilities::JSONStringFromJSONObject(QStringLiteral("fragment")), "");
    AutoLayoutUtilities::printedJSONFromJSONObject(object); // writes to the console only
}

TEST_F(AlertWindow, EmailChecksAreWholeMatchesOfTheTrimmedText) {
    struct Case {
        const char* text;
        bool valid;
    } cases[] = {
        {"x@y.co", true},
        {"x@y.info", true},
        {"  x@y.com  ", true},
        {"a.b_c%d+e-f@g-h.i.jk", true},
        {"x@y.c", false},
        {"x@y.store", false},
        {"x@localhost", false},
        {"a@b@c.com", false},
        {"x@y.com\t", false},
        {"x y@z.com", false},
        {"", false},
        {"x@y.co trailing", false},
        {"prefix x@y.co", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AutoLayoutUtilities::IsValidEmailSilent(c.text, true), c.valid) << c.text;
    EXPECT_TRUE(takeAlerts().isEmpty()); // silent checks show nothing
}

TEST_F(AlertWindow, AMismatchShowsOneAlertUnlessSilent) {
    const QString wrong = Language::textForFile("GlobalTexts", "wrongEmailFormat");
    const QString wrongLogin = Language::textForFile("GlobalTexts", "wrongEmailLoginFormat");
    ASSERT_FALSE(wrong.isEmpty());

    EXPECT_FALSE(AutoLayoutUtilities::IsValidEmail("x@y.c"));
    EXPECT_EQ(takeAlerts(), QStringList{wrong});
    auto* alert = qobject_cast<SystemAlert*>(root->presentedViewController());
    EXPECT_EQ(alert, nullptr); // dismissed by takeAlerts

    EXPECT_FALSE(AutoLayoutUtilities::IsValidLoginEmail("nobody"));
    EXPECT_EQ(takeAlerts(), QStringList{wrongLogin});
    EXPECT_TRUE(AutoLayoutUtilities::IsValidLoginEmail("x@y.co"));
    EXPECT_TRUE(AutoLayoutUtilities::IsValidEmail("x@y.co"));
    EXPECT_TRUE(takeAlerts().isEmpty());

    // The alert is the plain one: no title, one "OK" button that closes it.
    AutoLayoutUtilities::IsValidEmail("bad");
    alert = qobject_cast<SystemAlert*>(root->presentedViewController());
    ASSERT_NE(alert, nullptr);
    EXPECT_TRUE(alert->title().isEmpty());
    ASSERT_EQ(alert->actions().size(), 1);
    EXPECT_TRUE(alert->tapButtonWithTitle("OK"));
    clock->runUntilIdle();
    EXPECT_EQ(root->presentedViewController(), nullptr);
}

TEST_F(AlertWindow, MultipleAddressesAreSplitAtEverySingleSpace) {
    struct Case {
        const char* text;
        bool valid;
    } cases[] = {
        {"a@b.co c@d.co", true},   {"a@b.co", true},   {"a@b.co, c@d.co", false},
        {"a@b.co  c@d.co", false}, {" a@b.co", false}, {"a@b.co ", false},
        {"a@b.co bad", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AutoLayoutUtilities::validMultipleEmailsFromStringSilent(c.text, true), c.valid)
            << c.text;
    EXPECT_TRUE(takeAlerts().isEmpty());

    EXPECT_FALSE(AutoLayoutUtilities::validMultipleEmailsFromString("bad1 bad2 bad3"));
    EXPECT_EQ(takeAlerts().size(), 1); // one alert however many pieces fail
}

TEST(AutoLayoutKeypads, FactoriesFollowTheDevice) {
    helpers::DeviceGuard guard;
    for (auto idiom : {Device::Idiom::Phone, Device::Idiom::Pad}) {
        Device::current().setIdiom(idiom);
        for (const char* old : {"8.0", "7.1", "8"}) {
            Device::current().setSystemVersion(old);
            EXPECT_EQ(AutoLayoutUtilities::instanceNumericKeyboard(), nullptr) << old;
            EXPECT_EQ(AutoLayoutUtilities::instanceNumericKeyboardWithDoubleZero(), nullptr);
            EXPECT_EQ(AutoLayoutUtilities::instanceNumericKeyboardWithHeight(300), nullptr);
        }
    }
    Device::current().setSystemVersion("8.1");
    Device::current().setIdiom(Device::Idiom::Phone);
    std::unique_ptr<QWidget> phone(AutoLayoutUtilities::instanceNumericKeyboard());
    ASSERT_TRUE(phone);
    EXPECT_TRUE(phone->inherits("NumericKeyboard"));
    Device::current().setIdiom(Device::Idiom::Pad);
    std::unique_ptr<QWidget> pad(AutoLayoutUtilities::instanceNumericKeyboardWithDoubleZero());
    ASSERT_TRUE(pad);
    EXPECT_TRUE(pad->inherits("iPadNumericKeyboard"));
    std::unique_ptr<QWidget> tall(AutoLayoutUtilities::instanceNumericKeyboardWithHeight(300));
    ASSERT_TRUE(tall);
    EXPECT_TRUE(tall->inherits("NumericKeyboard")); // a phone keypad even on a pad

    // On a phone the phone keypad gives way to the system number pad.
    TextField field;
    Device::current().setIdiom(Device::Idiom::Phone);
    AutoLayoutUtilities::useNumericKeyboard(AutoLayoutUtilities::instanceNumericKeyboard(), &field);
    EXPECT_EQ(field.inputView(), nullptr);
    EXPECT_EQ(field.keyboardType(), TextField::KeyboardType::NumberPad);
}

TEST(AutoLayoutKeypads, InstallerKeepsOnlyAPadKeypad) {
    TextField numberPad;
    AutoLayoutUtilities::useNumericKeyboard(nullptr, &numberPad);
    EXPECT_EQ(numberPad.keyboardType(), TextField::KeyboardType::NumberPad);
    EXPECT_EQ(numberPad.inputView(), nullptr);

    TextField withKeypad;
    auto* keypad = new QWidget();
    AutoLayoutUtilities::useNumericKeyboard(keypad, &withKeypad);
    EXPECT_EQ(withKeypad.inputView(), keypad);
    EXPECT_EQ(keypad->parent(), &withKeypad); // owned by the field
    EXPECT_EQ(withKeypad.keyboardType(), TextField::KeyboardType::Default);
}

TEST(AutoLayoutTopMost, FollowsThePresentedChainOfTheKeyWindow) {
    ScopedManualClock clock;
    Window window;
    auto* root = new ViewController();
    window.setRootViewController(root);
    window.makeKeyAndVisible();
    EXPECT_EQ(AutoLayoutUtilities::getTopMostViewController(), root);
    auto* first = new ViewController();
    root->presentViewController(first, false);
    auto* second = new NavigationController(new ViewController());
    first->presentViewController(second, false);
    EXPECT_EQ(AutoLayoutUtilities::getTopMostViewController(), second);
    EXPECT_EQ(AutoLayoutUtilities::topViewController(first), second);
    EXPECT_EQ(AutoLayoutUtilities::topViewController(nullptr), nullptr);
}

TEST(AutoLayoutShadow, APictureBelowTheViewKeepsItCentred) {
    QWidget superview;
    superview.resize(300, 300);
    superview.show();
    auto* card = new QWidget(&superview);
    card->setGeometry(50, 60, 100, 40);
    View::setCornerRadius(card, 8);
    auto* above = new QWidget(&superview); // a sibling over the card stays over the shadow
    above->setGeometry(0, 0, 10, 10);
    card->raise();

    AutoLayoutUtilities::addBackgroundShadowToView(card, &superview);
    ImageView* shadow = superview.findChild<ImageView*>();
    ASSERT_NE(shadow, nullptr);
    EXPECT_EQ(shadow->geometry(), QRect(40, 50, 120, 60));
    EXPECT_EQ(shadow->contentMode(), ImageView::ContentMode::Center);
    const QObjectList order = superview.children();
    EXPECT_EQ(order.indexOf(shadow) + 1, order.indexOf(card)); // right below the card

    const QImage picture = shadow->image();
    ASSERT_EQ(picture.size(), QSize(120, 60));
    EXPECT_EQ(picture.pixelColor(60, 30), QColor(Qt::white)); // the card's shape, centred
    const QColor edge = picture.pixelColor(60, 7);            // the blur above the shape
    EXPECT_GT(edge.alpha(), 0);
    EXPECT_GT(edge.red(), 200);
    EXPECT_LT(edge.green(), 50);
    EXPECT_EQ(picture.pixelColor(0, 0).alpha(), 0);

    shadow->move(100, 150); // the card follows the picture's centre
    EXPECT_EQ(card->geometry(), QRect(110, 160, 100, 40));
}

TEST(Traits, ModalOnlyWhenPresented) {
    ScopedManualClock clock;
    Window window;
    auto* rootScreen = new ViewController();
    auto* rootNavigation = new NavigationController(rootScreen);
    window.setRootViewController(rootNavigation);
    window.makeKeyAndVisible();
    ViewController loose;

    auto* presented = new ViewController();
    rootScreen->presentViewController(presented, false);
    EXPECT_TRUE(Traits::isModal(presented));
    presented->dismissViewControllerAnimated(false);
    clock->runUntilIdle();

    auto* inside = new ViewController();
    auto* presentedNavigation = new NavigationController(inside);
    rootScreen->presentViewController(presentedNavigation, false);
    EXPECT_TRUE(Traits::isModal(inside));
    EXPECT_TRUE(Traits::isModal(presentedNavigation));

    EXPECT_FALSE(Traits::isModal(&loose)); // no navigation controller, not presented
    EXPECT_FALSE(Traits::isModal(nullptr));
    EXPECT_FALSE(Traits::isModal(rootNavigation)); // the window's root
}

TEST(Traits, RegularHeightFollowsTheSizeClasses) {
    helpers::DeviceGuard guard;
    ViewController parent;
    auto* child = new ViewController(&parent);
    parent.addChildViewController(child);
    for (auto idiom : {Device::Idiom::Phone, Device::Idiom::Pad}) {
        Device::current().setIdiom(idiom);
        EXPECT_TRUE(Traits::hasRegularHeight(&parent));
        EXPECT_TRUE(Traits::hasRegularHeight(nullptr));
    }
    parent.setOverrideTraitCollection(TraitCollection{0, 1}, child);
    EXPECT_FALSE(Traits::hasRegularHeight(child));
    GAIMultiTracker::trackScreen(QStringLiteral("Screen")); // accepted, does nothing
}
