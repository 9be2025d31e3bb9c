#include "Printers.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Window.h"
#include "support/TestSupport.h"
#include "ui_kit/SingleInputViewController.h"

#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

namespace {

std::shared_ptr<SingleInputConfigurator> inputStep(const QString& key, std::optional<int> limit,
                                                   bool secure = false) {
    return SingleInputConfigurator::withImage(QImage(), "Prompt " + key, limit, key, secure,
                                              SingleInputConfigurator::kNumberPad);
}

struct InputFixture : ::testing::Test {
    void SetUp() override {
        root = new ViewController();
        navigation = new NavigationController(root);
        window.setRootViewController(navigation);
        window.makeKeyAndVisible();
    }

    // Starts a sequence pushed on the window's navigation controller (or presented from its
    // root screen) and records what it hands over.
    void start(const SingleInputConfigurators& steps, bool present = false,
               std::optional<QVariantMap> parameters = std::nullopt, bool cancelable = false,
               SingleInputViewController::CancelHandler onCancel = {}) {
        SingleInputViewController::present(
            present, steps, parameters, root, cancelable, std::move(onCancel),
            [this](SingleInputViewController* first, const QVariantMap& answers) {
                ++dismissals;
                handedFirst = first;
                handed = answers;
            });
        clock->advance(ViewController::kTransitionMs);
    }

    SingleInputViewController* shown() const {
        ViewController* top = window.topViewController();
        if (auto* presented = qobject_cast<NavigationController*>(top))
            top = presented->topViewController();
        else if (top == navigation)
            top = navigation->topViewController();
        return qobject_cast<SingleInputViewController*>(top);
    }

    void type(const QString& text) { QTest::keyClicks(shown()->textField(), text); }
    void answer(const QString& text) {
        type(text);
        QTest::mouseClick(shown()->continueButton(), Qt::LeftButton);
        clock->advance(ViewController::kTransitionMs);
    }

    ScopedManualClock clock;
    Window window;
    ViewController* root = nullptr;
    NavigationController* navigation = nullptr;
    int dismissals = 0;
    QPointer<SingleInputViewController> handedFirst;
    QVariantMap handed;
};

} // namespace

TEST_F(InputFixture, ALimitedStepContinuesByItselfAndRefusesLongerAnswers) {
    start({inputStep("cvv2", 3, true)}, true);
    SingleInputViewController* screen = shown();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->title(), "Confirmar venta");
    EXPECT_EQ(screen->textField()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(screen->textField()->keyboardType(), TextField::KeyboardType::NumberPad);
    EXPECT_TRUE(screen->textField()->isFirstResponder());
    EXPECT_EQ(screen->continueButtonBottomConstraint(),
              SingleInputViewController::kKeyboardSpace + 20);

    type("12");
    QTest::mouseClick(screen->continueButton(), Qt::LeftButton);
    clock->advance(500);
    EXPECT_EQ(dismissals, 0); // too short: kept on screen, no message
    EXPECT_FALSE(screen->popoverTip()->isVisible());

    screen->textField()->becomeFirstResponder();
    type("34"); // the fourth character is refused
    EXPECT_EQ(screen->textField()->text(), "123");
    clock->advance(SingleInputViewController::kAutoContinueMs - 1);
    EXPECT_EQ(dismissals, 0);
    clock->advance(1);
    EXPECT_EQ(dismissals, 1);
    EXPECT_EQ(handedFirst, screen);
    EXPECT_EQ(handed, QVariantMap({{"cvv2", "123"}}));

    // A change holding a line break passes the limit.
    EXPECT_TRUE(screen->textFieldShouldChangeCharactersInRange(screen->textField(), 3, 0, "4\n"));
    EXPECT_FALSE(screen->textFieldShouldChangeCharactersInRange(screen->textField(), 3, 0, "4"));
}

TEST_F(InputFixture, AStepWithoutLimitTakesAnyNonEmptyAnswerOnTap) {
    start({inputStep("name", std::nullopt)});
    SingleInputViewController* screen = shown();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->textField()->delegate(), nullptr);

    QTest::mouseClick(screen->continueButton(), Qt::LeftButton);
    ASSERT_TRUE(screen->popoverTip()->isVisible());
    EXPECT_EQ(screen->popoverTip()->text(), "El campo no puede estar vacío");
    QTest::mouseClick(screen->label(), Qt::LeftButton);
    EXPECT_FALSE(screen->popoverTip()->isVisible());

    type("a long answer");
    clock->advance(1000);
    EXPECT_EQ(dismissals, 0);
    QTest::mouseClick(screen->continueButton(), Qt::LeftButton);
    EXPECT_EQ(dismissals, 1);
    EXPECT_EQ(handed, QVariantMap({{"name", "a long answer"}}));
}

TEST_F(InputFixture, TheChainHandsEveryAnswerWithItsFirstScreen) {
    struct Case {
        const char* name;
        QStringList keys; // "=" repeats the previous configurator object
        std::optional<QVariantMap> initial;
        QStringList answers;
        QVariantMap handed;
    } cases[] = {
        {"two steps", {"a", "b"}, std::nullopt, {"12", "34"}, {{"a", "12"}, {"b", "34"}}},
        {"initial parameters, two steps",
         {"a", "b"},
         QVariantMap({{"x", "9"}}),
         {"12", "34"},
         {{"x", "9"}, {"a", "12"}, {"b", "34"}}},
        {"initial parameters, one step",
         {"a"},
         QVariantMap({{"x", "9"}}),
         {"12"},
         {{"x", "9"}, {"a", "12"}}},
        {"a shared key", {"a", "a"}, std::nullopt, {"12", "34"}, {{"a", "34"}}},
        {"one configurator listed twice", {"a", "="}, std::nullopt, {"12"}, {{"a", "12"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SingleInputConfigurators steps;
        for (const QString& key : c.keys)
            steps << (key == "=" ? steps.last() : inputStep(key, std::nullopt));
        dismissals = 0;
        start(steps, false, c.initial);
        SingleInputViewController* first = shown();
        ASSERT_NE(first, nullptr);
        for (const QString& text : c.answers)
            answer(text);
        EXPECT_EQ(dismissals, 1);
        EXPECT_EQ(handedFirst, first);
        EXPECT_EQ(handed, c.handed);
        EXPECT_EQ(navigation->viewControllers().size(), 1 + c.answers.size());
        navigation->popToRootViewControllerAnimated(false);
    }
}

TEST_F(InputFixture, TheAutomaticContinueIsDroppedOnceItsScreenIsNotOnTop) {
    start({inputStep("a", 1), inputStep("b", 1)});
    SingleInputViewController* first = shown();
    type("1");
    navigation->popViewControllerAnimated(false); // gone before the delay ends
    clock->advance(1000);
    EXPECT_EQ(navigation->topViewController(), root);
    EXPECT_EQ(dismissals, 0);
    (void)first;

    start({inputStep("a", 1)});
    type("1");
    root->presentViewController(new ViewController(), false); // covered
    clock->advance(1000);
    EXPECT_EQ(dismissals, 0);
}

TEST_F(InputFixture, CancelCallsTheBlockOrClosesTheFirstScreen) {
    SingleInputViewController* cancelled = nullptr;
    start({inputStep("a", 3)}, true, std::nullopt, true,
          [&](SingleInputViewController* screen) { cancelled = screen; });
    SingleInputViewController* screen = shown();
    ASSERT_EQ(screen->navigationItem()->leftBarButtonItems().size(), 1);
    screen->cancel();
    EXPECT_EQ(cancelled, screen);
    EXPECT_EQ(window.presentedViewControllers().size(), 1);

    screen->setOnCancel({});
    screen->cancel();
    clock->advance(ViewController::kTransitionMs);
    EXPECT_TRUE(window.presentedViewControllers().isEmpty());

    start({inputStep("a", 3)}, false, std::nullopt, true);
    ASSERT_EQ(navigation->viewControllers().size(), 2);
    shown()->cancel();
    clock->advance(ViewController::kTransitionMs);
    EXPECT_EQ(navigation->viewControllers().size(), 1);
    EXPECT_EQ(dismissals, 0);
}

TEST_F(InputFixture, MisuseStopsWithAnAssertion) {
    EXPECT_EQ(assertionMessage([&] { start({}); }), "View needs at least one configurator to work");
    EXPECT_EQ(assertionMessage([&] {
                  start({inputStep("a", 1), nullptr});
              }),
              "All objects should be configurators.");
}
