#include "SettingsFixture.h"
#include "model/values/CBUStatus.h"
#include "platform/ui/KeyboardNotifications.h"
#include "platform/ui/LayoutConstraint.h"
#include "platform/ui/TextField.h"
#include "settings/bank_account/CBUStatusController.h"
#include "settings/bank_account/TVLinkCBUViewController.h"
#include "ui_kit/AlertController.h"

#include <QJsonDocument>

using namespace settingstest;

namespace {

class BankLink : public SettingsTest {
protected:
    void SetUp() override {
        SettingsTest::SetUp();
        SandboxUser* merchant = sandbox.state().userForToken(sandbox.merchantToken());
        User::instance().setIsLoggedIn(true);
        User::instance().setUserId(QString::number(merchant->userId));
        User::instance().setToken(sandbox.merchantToken());
        asking = new ViewController();
        window->rootViewController()->presentViewController(new NavigationController(asking),
                                                            false);
        settle();
        checker = CBUStatusController::fromController(asking);
    }
    void setStatus(bool needed, bool blocked) {
        auto status = std::make_shared<CBUStatus>();
        status->setCbuNeeded(needed);
        status->setBlocked(blocked);
        AccountSettings::instance().setCbuStatus(status);
    }
    // Asks before a charge and keeps every answer.
    void tryToPay() {
        checker->tryToPay([this](bool ok) { answers.append(ok); });
    }
    TVLinkCBUViewController* linkScreen() {
        const auto stack = window->presentedViewControllers();
        return stack.isEmpty() ? nullptr : qobject_cast<TVLinkCBUViewController*>(stack.last());
    }
    QPointer<ViewController> asking;
    QPointer<CBUStatusController> checker;
    QList<bool> answers;
};

} // namespace

TEST(BankLinkInput, RuleAndBodyKey) {
    const QString arabic22 = QString(22, QChar(0x0663));
    struct Case {
        QString text;
        bool sendable;
        const char* key;
    };
    const Case cases[] = {
        {"12345", false, "cbu"},
        {"abcde", false, "alias"},
        {"1234567890123456789012", true, "cbu"},
        {"123456789012345678901", false, "cbu"},
        {"12345678901234567890123", false, "cbu"},
        {"123456", false, "cbu"},
        {"ana.pagos-12", true, "alias"},
        {"ANA.PAGOS", true, "alias"},
        {"abcdefghijklmnopqrstu", false, "alias"},
        {"ana_pagos12", false, "alias"},
        {"ana pagos12", false, "alias"},
        {"anapagós12", false, "alias"},
        {arabic22, false, "cbu"},
        {"1234567890123456789012\n", false, "alias"},
        {"ana.pagos-12\n", false, "alias"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(TVLinkCBUViewController::isSendable(c.text), c.sendable);
        const QVariantMap body =
            QJsonDocument::fromJson(TVLinkCBUViewController::dataFromCBUOrAlias(c.text))
                .toVariant()
                .toMap()
                .value("bankAccount")
                .toMap();
        EXPECT_EQ(body.keys(), QStringList{c.key});
        EXPECT_EQ(body.value(c.key).toString(), c.text);
    }
}

TEST_F(BankLink, EachCheckAnswersOnce) {
    struct Case {
        const char* name;
        std::optional<std::pair<bool, bool>> status; // needed, blocked
        bool opensLink;
        bool showsBlocked;
    };
    const Case cases[] = {
        {"no link state", std::nullopt, false, false},
        {"linked", std::make_pair(false, false), false, false},
        {"blocked", std::make_pair(false, true), false, true},
        {"link needed", std::make_pair(true, false), true, false},
        {"needed and blocked", std::make_pair(true, true), true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        answers.clear();
        if (c.status)
            setStatus(c.status->first, c.status->second);
        else
            AccountSettings::instance().setCbuStatus(nullptr);
        tryToPay();
        settle();
        if (c.opensLink) {
            ASSERT_NE(linkScreen(), nullptr);
            EXPECT_TRUE(answers.isEmpty());
            linkScreen()->outlet<QAbstractButton>("closeButton")->click();
            settle();
            EXPECT_EQ(answers, QList<bool>{false});
        } else if (c.showsBlocked) {
            EXPECT_EQ(answers, QList<bool>{false});
            auto* shown = qobject_cast<AlertController*>(window->presentedViewControllers().last());
            ASSERT_NE(shown, nullptr);
            EXPECT_EQ(shown->title(), "Tu cuenta está pendiente de aprobación");
            shown->dismissViewControllerAnimated(false);
            settle();
        } else {
            EXPECT_EQ(answers, QList<bool>{true});
        }
        settle();
        EXPECT_EQ(answers.size(), 1);
    }
}

TEST_F(BankLink, LinksByCbuThenLetsTheChargeGoOn) {
    sandbox.state().merchant(501)->settings.insert("cbuData", QVariantMap{{"cbuStatus", false}});
    setStatus(true, false);
    tryToPay();
    settle();
    TVLinkCBUViewController* link = linkScreen();
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->progressButtonBottomConstraint()->constant(),
              KeyboardNotifications::kKeyboardHeight + 16);
    EXPECT_FALSE(link->progressButton()->isEnabled());
    link->textField()->insertText("2850590940090418135201");
    EXPECT_TRUE(link->progressButton()->isEnabled());
    link->progressButton()->click();
    EXPECT_TRUE(link->blockerView()->isVisible());
    EXPECT_EQ(link->progressButton()->text(), "Asociando cuenta ...");
    ASSERT_TRUE(waitFor([this] { return !answers.isEmpty(); }));
    EXPECT_EQ(answers, QList<bool>{false});
    const auto puts = sent("/account/bank-account");
    ASSERT_EQ(puts.size(), 1);
    EXPECT_EQ(puts.first().jsonObject().value("bankAccount").toMap().value("cbu"),
              "2850590940090418135201");
    EXPECT_TRUE(sandbox.state()
                    .merchant(501)
                    ->settings.value("cbuData")
                    .toMap()
                    .value("cbuStatus")
                    .toBool());
    answers.clear();
    tryToPay();
    EXPECT_EQ(answers, QList<bool>{true});
}

TEST_F(BankLink, RefusedLinkKeepsTheText) {
    setStatus(true, false);
    checker->userLoggedIn();
    settle();
    TVLinkCBUViewController* link = linkScreen();
    ASSERT_NE(link, nullptr);
    // An alias the sandbox takes, refused here by a scripted answer.
    sandbox->scriptOnce("PUT", SandboxServer::apiPath("/account/bank-account"),
                        SandboxReply::failure(400, "Alias desconocido", "UNKNOWN_ALIAS"));
    link->textField()->insertText("ana.pagos-12");
    link->progressButton()->click();
    ASSERT_TRUE(waitFor([this] {
        return qobject_cast<AlertController*>(window->presentedViewControllers().last());
    }));
    EXPECT_EQ(link->alertController()->title(), "No pudimos asociar esta cuenta bancaria");
    EXPECT_EQ(link->textField()->text(), "ana.pagos-12");
    EXPECT_TRUE(link->progressButton()->isEnabled());
    EXPECT_EQ(link->progressButton()->text(), "Asociar Cuenta");
    EXPECT_FALSE(link->blockerView()->isVisible());
    link->textField()->resignFirstResponder();
    EXPECT_EQ(link->progressButtonBottomConstraint()->constant(), 24);
}
