#include "OnboardingFixture.h"

#include "onboarding/OnboardingScreens.h"
#include "onboarding/SignupCompletedController.h"
#include "onboarding/SignupStep1Controller.h"
#include "onboarding/SingupStep2Controller.h"
#include "onboarding/SingupStep3Controller.h"
#include "platform/ui/PickerView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/View.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

using namespace onboardingtest;

namespace {

class SignupTest : public OnboardingTest {
protected:
    template <class T> T* showStep(const ScreenName& name) {
        show(Storyboard::instantiate(name));
        return root<T>();
    }
    static void fill(ViewController* screen, const QList<std::pair<const char*, QString>>& values) {
        for (const auto& [name, text] : values)
            screen->outlet<TextField>(name)->setText(text);
    }
    static QColor textColor(ViewController* screen, const char* field) {
        return screen->outlet<TextField>(field)->palette().color(QPalette::Text);
    }
};

TEST_F(SignupTest, StepOneChecksEmailAndPassword) {
    struct Case {
        QString email;
        QString password;
        QString message; // empty: passes
        const char* red;
    } cases[] = {
        {"a@b.info", "abc12345", "", nullptr},
        {" a@b.info ", "abc12345", "", nullptr},
        {"a@b.travel", "abc12345", Language::textForFile("GlobalTexts", "wrongEmailFormat"),
         "emailAddress"},
        {"a@b.info", "abc 1234", Language::textForFile("SignupStep1", "wrongPassword"), "password"},
        {"", "abc 1234", Language::textForFile("SignupStep1", "wrongPassword"), "password"},
        {"a@b.info", "", Language::textForFile("SignupStep1", "fieldsEmpty"), nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.email.toStdString() + " / " + c.password.toStdString());
        auto* step = showStep<SignupStep1Controller>(OnboardingScreens::signupStep1);
        fill(step, {{"firstName", "Ana"},
                    {"lastName", "Paz"},
                    {"emailAddress", c.email},
                    {"password", c.password},
                    {"confirmPassword", c.password}});
        step->outlet<QPushButton>("continueButton")->click();
        clock->advance(400);
        if (c.message.isEmpty()) {
            EXPECT_NE(qobject_cast<SingupStep2Controller*>(top()), nullptr);
            EXPECT_EQ(User::instance().firstName(), "Ana");
        } else {
            EXPECT_EQ(shownMessage(), c.message);
            if (c.red) {
                EXPECT_EQ(textColor(step, c.red), QColor(200, 40, 0));
            }
        }
        settle();
    }
}

TEST_F(SignupTest, StepTwoRefillsNamesAndHasAProvinceWheel) {
    User::instance().setFirstName("Ana");
    User::instance().setLastName("Paz");
    auto* step = showStep<SingupStep2Controller>(OnboardingScreens::signupStep2);
    EXPECT_EQ(step->outlet<TextField>("firstName")->text(), "Ana");
    step->outlet<TextField>("firstName")->setText("Otra");
    step->beginAppearanceTransition(false, false);
    step->endAppearanceTransition();
    step->beginAppearanceTransition(true, false);
    step->endAppearanceTransition();
    EXPECT_EQ(step->outlet<TextField>("firstName")->text(), "Ana");
    EXPECT_EQ(step->statePicker()->numberOfRowsInComponent(0), 24000);
    EXPECT_EQ(step->statePicker()->titleForRow(24, 0), "CABA");
    step->statePicker()->pickRow(25, 0);
    EXPECT_FALSE(step->outlet<TextField>("state")->text().isEmpty());
}

TEST_F(SignupTest, StepThreeLooksTheBankUpOncePerPrefixAndIgnoresStaleReplies) {
    auto* step = showStep<SingupStep3Controller>(OnboardingScreens::signupStep3);
    auto* key = step->outlet<TextField>("accountUniqueNumber");
    const QString path = "/developers/api/banks/getBankName.json";
    for (const char* digit : {"2", "8", "5"})
        key->insertText(digit);
    ASSERT_TRUE(waitFor([&] { return !step->outlet<QLabel>("bankName")->text().isEmpty(); }));
    EXPECT_EQ(sandbox->requestsTo(path).size(), 1);
    EXPECT_EQ(sandbox->requestsTo(path).first().field("cbu"), "285");
    key->insertText("0");
    EXPECT_EQ(sandbox->requestsTo(path).size(), 1);

    // A slow reply for 072, then 011 typed over it: only 011's answer counts.
    sandbox->scriptOnce("POST", path,
                        SandboxReply::ok({{"name", "Banco Santander"}}).withDelay(400));
    sandbox->scriptOnce("POST", path, SandboxReply::ok());
    key->setText("");
    key->insertText("0");
    key->insertText("7");
    key->insertText("2");
    key->deleteBackward();
    key->deleteBackward();
    key->insertText("1");
    key->insertText("1");
    ASSERT_TRUE(waitFor([&] { return sandbox->requestsTo(path).size() == 3; }));
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 800) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        clock->advance(20);
    }
    EXPECT_EQ(step->outlet<QLabel>("bankName")->text(), "");
}

TEST_F(SignupTest, StepThreeChecksTheTaxId) {
    struct Case {
        QString cuit;
        bool passes;
    } cases[] = {{"27333444556", true}, {"27333444557", false}, {"33333444556", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cuit.toStdString());
        auto* step = showStep<SingupStep3Controller>(OnboardingScreens::signupStep3);
        auto* key = step->outlet<TextField>("accountUniqueNumber");
        key->insertText("2850590940090418135201");
        ASSERT_TRUE(waitFor([&] { return !step->outlet<QLabel>("bankName")->text().isEmpty(); }));
        fill(step, {{"accountName", "Ana Paz"}, {"accountPersonalID", c.cuit}});
        step->outlet<QPushButton>("finishButton")->click();
        clock->advance(400);
        EXPECT_EQ(qobject_cast<SignupCompletedController*>(top()) != nullptr, c.passes);
        if (!c.passes) {
            EXPECT_EQ(shownMessage(), Language::textForFile("SignupStep3", "errorInFields"));
        }
        settle();
    }
}

TEST_F(SignupTest, FormsShiftToKeepTheFieldInSightOnASmallPhone) {
    auto* one = showStep<SignupStep1Controller>(OnboardingScreens::signupStep1);
    one->outlet<TextField>("confirmPassword")->becomeFirstResponder();
    clock->advance(400);
    EXPECT_EQ(View::frame(one->itemsView()).y(), -12);
    EXPECT_EQ(View::frame(one->itemsView()).height(), 668);

    auto* two = showStep<SingupStep2Controller>(OnboardingScreens::signupStep2);
    two->outlet<TextField>("zipCode")->becomeFirstResponder();
    clock->advance(400);
    EXPECT_EQ(two->scrollView()->verticalScrollBar()->value(), 452);

    auto* three = showStep<SingupStep3Controller>(OnboardingScreens::signupStep3);
    three->outlet<TextField>("accountUniqueNumber")->insertText("072");
    ASSERT_TRUE(waitFor([&] { return !three->outlet<QLabel>("bankName")->text().isEmpty(); }));
    three->outlet<TextField>("accountName")->becomeFirstResponder();
    clock->advance(400);
    EXPECT_EQ(View::frame(three->itemsView()).y(), 20);
    EXPECT_EQ(View::frame(three->itemsView()).height(), 636);
}

TEST_F(SignupTest, AFailedBankLookupAsksAgainForTheSamePrefix) {
    auto* step = showStep<SingupStep3Controller>(OnboardingScreens::signupStep3);
    auto* key = step->outlet<TextField>("accountUniqueNumber");
    const QString path = "/developers/api/banks/getBankName.json";
    sandbox->scriptOnce("POST", path, SandboxReply::dropped());
    key->insertText("285");
    ASSERT_TRUE(waitFor([&] { return !shownMessage().isEmpty(); }));
    EXPECT_EQ(shownMessage(), Language::textForFile("GlobalTexts", "connError"));
    EXPECT_EQ(step->tempBankNumber(), "");
    EXPECT_TRUE(tap("OK"));
    clock->advance(400);

    // The next digit keeps the prefix, which is looked up again and this time answers.
    key->insertText("0");
    ASSERT_TRUE(waitFor([&] { return !step->outlet<QLabel>("bankName")->text().isEmpty(); }));
    EXPECT_EQ(sandbox->requestsTo(path).size(), 2);
}

} // namespace
