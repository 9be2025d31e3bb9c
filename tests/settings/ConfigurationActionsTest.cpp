#include "SettingsFixture.h"
#include "platform/ui/View.h"
#include "settings/configuration/SettingsSubScreen.h"

using namespace settingstest;

namespace {

class ConfigurationActions : public SettingsTest {
protected:
    void SetUp() override {
        SettingsTest::SetUp();
        settings = openSettings();
        ASSERT_NE(settings, nullptr);
    }
    QColor background(const QString& row) {
        return View::backgroundColor(settings->outlet<QWidget>(row + "Background"));
    }
    ViewController* top() const { return sheet() ? sheet()->topViewController() : nullptr; }
    QPointer<ConfigurationController> settings;
};

const QColor kGrey = QColor::fromRgbF(0.8, 0.8, 0.8, 1.0);

} // namespace

TEST_F(ConfigurationActions, SwitchesSendTheirRequests) {
    struct Case {
        const char* toggle;
        bool on;
        const char* endpoint;
        const char* isAvailable; // nullptr: no such field
        const char* settingsKey;
    };
    const Case cases[] = {
        {"tipsSwitch", true, "/settings/setAvailableTip.json", nullptr, "tipAvailable"},
        {"tipsSwitch", false, "/settings/setNotAvailableTip.json", nullptr, "tipAvailable"},
        {"catalogSwitch", true, "/settings/updateCatalogAvailability.json", "1",
         "catalogAvailable"},
        {"catalogSwitch", false, "/settings/updateCatalogAvailability.json", "0",
         "catalogAvailable"},
        {"clientsSwitch", false, "/settings/updateBuyersAvailability.json", "0", "buyersAvailable"},
        {"subusersSwitch", true, "/settings/updateSubusersAvailability.json", "1", "hasSubusers"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.toggle) + (c.on ? " on" : " off"));
        sandbox->clearRequests();
        auto* toggle = settings->outlet<QAbstractButton>(c.toggle);
        toggle->setChecked(!c.on);
        toggle->click();
        ASSERT_TRUE(waitForRequest(c.endpoint));
        const SandboxRequest request = sent(c.endpoint).first();
        EXPECT_EQ(request.field("userId"), "17");
        EXPECT_FALSE(request.field("token").isEmpty());
        if (c.isAvailable) {
            EXPECT_EQ(request.field("isAvailable"), c.isAvailable);
        }
        ASSERT_TRUE(waitFor(
            [&] { return !ActivityIndicator::isDisplayingActivityIndicator(settings->view()); }));
        settle();
        EXPECT_EQ(alert(), nullptr) << alertMessage().toStdString();
        EXPECT_EQ(sandbox->state().merchant(501)->settings.value(c.settingsKey).toBool(), c.on);
    }
    EXPECT_TRUE(AccountSettings::instance().subusersEnabled());
}

TEST_F(ConfigurationActions, FeedbackFlagStoredBeforeTheRequest) {
    auto* toggle = settings->outlet<QAbstractButton>("feedbackSwitch");
    ASSERT_TRUE(toggle->isChecked());
    toggle->click();
    EXPECT_FALSE(AccountSettings::instance().feedbackEnabled());
    ASSERT_TRUE(waitForRequest("/account/feedback/disabled"));
    settle();
    EXPECT_EQ(alert(), nullptr);
    EXPECT_FALSE(AccountSettings::instance().feedbackEnabled());
    EXPECT_FALSE(toggle->isChecked());
}

TEST_F(ConfigurationActions, RefusedOrFailedSwitchesComeBack) {
    struct Case {
        const char* name;
        SandboxReply reply;
        QString message;
    };
    const Case cases[] = {
        {"refused", SandboxReply::failure(400, "Función no disponible", "NOT_ALLOWED"),
         "Función no disponible"},
        {"refused without message", SandboxReply::json(QVariantMap{{"success", "ERROR"}}),
         Language::textForFile("GlobalTexts", "connError")},
        {"connection lost", SandboxReply::dropped(),
         Language::textForFile("GlobalTexts", "connError")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* path : {"/account/feedback/disabled", "/settings/setNotAvailableTip.json"})
            sandbox->scriptOnce("POST", SandboxServer::apiPath(path), c.reply);
        AccountSettings::instance().setFeedbackEnabled(true);
        AccountSettings::instance().setTipsEnabled(true);
        settings->resetSettings();
        for (const char* name : {"feedbackSwitch", "tipsSwitch"}) {
            auto* toggle = settings->outlet<QAbstractButton>(name);
            toggle->click();
            EXPECT_FALSE(toggle->isChecked());
            ASSERT_TRUE(waitForAlert());
            EXPECT_EQ(alertMessage(), c.message);
            EXPECT_TRUE(toggle->isChecked());
            alert()->tapButtonWithTitle("OK");
            settle();
        }
        EXPECT_TRUE(AccountSettings::instance().feedbackEnabled());
        EXPECT_TRUE(AccountSettings::instance().tipsEnabled());
    }
}

TEST_F(ConfigurationActions, PasswordResetSendsTheAddressAlone) {
    tap("changePasswordButton");
    ASSERT_TRUE(waitForRequest("/users/resetPassword.json"));
    const SandboxRequest request = sent("/users/resetPassword.json").first();
    EXPECT_EQ(request.field("email"), "ana@cafe-aurora.example");
    EXPECT_FALSE(request.fieldNames().contains("password"));
    ASSERT_TRUE(waitForAlert());
    EXPECT_EQ(alertMessage(), "Le hemos enviado instrucciones para restablecer su contraseña a "
                              "su dirección de e-mail");
    EXPECT_EQ(sandbox->state().userForToken(sandbox.merchantToken())->password, "Aurora2024");
    alert()->tapButtonWithTitle("OK");
    settle();

    sandbox->scriptOnce("POST", SandboxServer::apiPath("/users/resetPassword.json"),
                        SandboxReply::failure(429, "Demasiados intentos", "TOO_MANY"));
    tap("changePasswordButton");
    ASSERT_TRUE(waitForAlert());
    EXPECT_EQ(alertMessage(), "Demasiados intentos");
}

TEST_F(ConfigurationActions, PinCheck) {
    ConsoleLines console;
    struct Case {
        const char* typed;
        bool opensPin;
    };
    for (const Case& c : {Case{"Aurora2024", true}, Case{"wrong", false}}) {
        SCOPED_TRACE(c.typed);
        sandbox->clearRequests();
        settings->buttonTouched(settings->outlet<QAbstractButton>("pinButton"));
        ASSERT_TRUE(waitForAlert());
        SystemAlert* pin = alert();
        EXPECT_EQ(pin->title(), "Cambiar PIN");
        EXPECT_EQ(pin->message(), "Ingresa la contraseña actual de ana@cafe-aurora.example");
        pin->textFields().first()->insertText(c.typed);
        pin->tapButtonWithTitle("Continuar");
        ASSERT_TRUE(waitForRequest("/users/checkPassword.json"));
        EXPECT_EQ(sent("/users/checkPassword.json").first().field("password"), c.typed);
        if (c.opensPin) {
            ASSERT_TRUE(waitFor([this] { return top() != settings; }));
            EXPECT_EQ(top()->title(), "Cambiar PIN");
            EXPECT_NE(qobject_cast<SettingsSubScreen*>(top()), nullptr);
            sheet()->popViewControllerAnimated(false);
            settle();
        } else {
            ASSERT_TRUE(waitForAlert());
            EXPECT_EQ(alertMessage(), "La contraseña ingresada es incorrecta");
            alert()->tapButtonWithTitle("OK");
            settle();
        }
    }
    // The typed passwords and the session token stay out of the console.
    ASSERT_FALSE(ConsoleLines::lines().isEmpty());
    for (const QString& secret : {QString("Aurora2024"), User::instance().token()})
        EXPECT_FALSE(ConsoleLines::contains(secret)) << secret.toStdString();
}

TEST_F(ConfigurationActions, CancelledPinSendsNothingAndWhitensBothRows) {
    settings->buttonSelected(settings->outlet<QAbstractButton>("changePasswordButton"));
    settings->buttonTouched(settings->outlet<QAbstractButton>("pinButton"));
    EXPECT_EQ(background("pin"), kGrey);
    EXPECT_EQ(background("changePassword"), kGrey);
    ASSERT_TRUE(waitForAlert());
    sandbox->clearRequests();
    alert()->tapButtonWithTitle("Cancelar");
    settle();
    EXPECT_EQ(background("pin"), QColor(Qt::white));
    EXPECT_EQ(background("changePassword"), QColor(Qt::white));
    EXPECT_TRUE(sandbox->requests().isEmpty());
}

TEST_F(ConfigurationActions, RowsWithoutActionAndSegues) {
    for (const char* name : {"billButton", "cftButton", "myQrButton"}) {
        SCOPED_TRACE(name);
        sandbox->clearRequests();
        settings->buttonTouched(settings->outlet<QAbstractButton>(name));
        settle();
        EXPECT_EQ(top(), settings);
        EXPECT_TRUE(sandbox->requests().isEmpty());
    }
    settings->buttonSelected(settings->outlet<QAbstractButton>("billButton"));
    settings->buttonSelected(settings->outlet<QAbstractButton>("cftButton"));
    EXPECT_EQ(background("bill"), kGrey);
    EXPECT_EQ(background("cft"), QColor(Qt::white));

    struct Segue {
        const char* button;
        QString title;
        QString valuesType;
    };
    const Segue segues[] = {
        {"branchButton", "Sucursal", ""},
        {"bankButton", "Retiro de fondos", ""},
        {"discountButton", "Descuentos", "discounts"},
        {"tipsButton", "Aceptar propinas", "tips"},
    };
    for (const Segue& s : segues) {
        SCOPED_TRACE(s.button);
        settings->buttonTouched(settings->outlet<QAbstractButton>(s.button));
        settle();
        ASSERT_NE(top(), settings);
        EXPECT_EQ(top()->title(), s.title);
        EXPECT_EQ(top()->property("valuesType").toString(), s.valuesType);
        sheet()->popViewControllerAnimated(false);
        settle();
    }
}

TEST_F(ConfigurationActions, DoneAndLogoutClose) {
    tap("changePasswordButton"); // leaves a reply on its way
    settings->navigationItem()->rightBarButtonItems().first().action();
    settle();
    EXPECT_TRUE(window->presentedViewControllers().isEmpty());
    EXPECT_TRUE(User::instance().isLoggedIn());

    // Opened again with the merchant logged in: the bar shows what the screen set as it came.
    settings = openSettings();
    ASSERT_NE(settings, nullptr);
    auto* doneOnBar = sheet()->view()->findChild<QAbstractButton*>("doneButton");
    ASSERT_NE(doneOnBar, nullptr);
    EXPECT_EQ(doneOnBar->text(), "Listo");
    tap("logoutButton");
    settle();
    EXPECT_TRUE(window->presentedViewControllers().isEmpty());
    EXPECT_FALSE(User::instance().isLoggedIn());
    EXPECT_TRUE(User::instance().token().isEmpty());
}

TEST_F(SettingsTest, ExpiryClosesTheScreenOnceEvenDuringLoad) {
    ConfigurationController* settings = openSettings();
    ASSERT_NE(settings, nullptr);
    QPointer<ConfigurationController> watched(settings);
    EXPECT_TRUE(settings->sessionExpired());
    EXPECT_TRUE(settings->sessionExpired());
    settle();
    EXPECT_TRUE(window->presentedViewControllers().isEmpty());
    EXPECT_TRUE(watched.isNull());

    // An expiry told while the screen registers at load: it closes once it shows.
    User::instance().setSessionTimeout(60);
    ASSERT_FALSE(SessionTimer::instance().isRunning());
    TarvelloSDK::sharedSDK().presentSettingsFromViewControllerAllowPictureChangeAllowReaderChange(
        &host, true, true);
    settle();
    EXPECT_TRUE(window->presentedViewControllers().isEmpty());
    EXPECT_TRUE(User::instance().isLoggedIn());
}
