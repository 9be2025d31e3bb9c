#include "AppCommand.h"

#include "DemoOptions.h"

#include "SDK/session/User.h"
#include "onboarding/ActivationScreenController.h"
#include "onboarding/LoginController.h"
#include "onboarding/LogoutController.h"
#include "onboarding/MainMenuController.h"
#include "onboarding/MerchantApplication.h"
#include "onboarding/SetupController.h"
#include "onboarding/SignupCompletedController.h"
#include "onboarding/SignupStep1Controller.h"
#include "onboarding/SingupStep2Controller.h"
#include "onboarding/SingupStep3Controller.h"
#include "onboarding/SplashScreenController.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/PickerView.h"
#include "platform/ui/Services.h"
#include "platform/ui/SlidingViewController.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"
#include "ui_kit/AlertController.h"
#include "ui_kit/texts/Language.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr int kTickMs = 50;
// How long a screen shows before the walk acts on it (its transitions end first).
constexpr int kDwellMs = 600;
constexpr int kGiveUpMs = 30000;

const QString kMerchant = QStringLiteral("marta@cafeaurora.com");
const QString kMerchantPassword = QStringLiteral("Aurora2024");
const QString kInactive = QStringLiteral("nuevo@cafeaurora.com");
const QString kInactivePassword = QStringLiteral("Nuevo2024");
const QString kBankAccount = QStringLiteral("2850590940090418135201");
const QString kTaxId = QStringLiteral("27333444556");

void printJsonLine(const QVariantMap& line) {
    const QByteArray text =
        QJsonDocument(QJsonObject::fromVariantMap(line)).toJson(QJsonDocument::Compact);
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// One step of the walk: once `ready` holds for the dwell time, the screen is reported (when
// named) and `act` runs.
struct Step {
    QString screen; // empty: nothing to report
    std::function<bool()> ready;
    std::function<void()> act;
    std::function<QVariantMap()> details;
};

class AppWalk : public QObject {
public:
    AppWalk(const DemoOptions& options, TarvelloSDK::Completion completion)
        : completion_(std::move(completion)) {
        folder_ = options.screenshots.isEmpty()
                      ? qEnvironmentVariable("TARVELLO_DEMO_SCREENSHOTS", QDir::tempPath())
                      : options.screenshots;
        QDir().mkpath(folder_);
        // A store of its own: the walk starts without a stored session.
        Services::set(std::make_shared<UserDefaults>(store_.path()));
        if (options.pad)
            Device::current().setIdiom(Device::Idiom::Pad);
        buildSteps();
        app_ = new MerchantApplication(this);
        app_->startWithAPIKey(options.apiKey.value_or(QString()));
        connect(&ticker_, &QTimer::timeout, this, [this] { tick(); });
        ticker_.start(kTickMs);
        elapsed_.start();
    }
    ~AppWalk() override { Services::set<UserDefaults>(nullptr); }

private:
    Window* window() const { return app_ ? app_->window() : nullptr; }
    ViewController* top() const { return window() ? window()->topViewController() : nullptr; }
    template <class T> T* shown() const {
        auto* screen = qobject_cast<T*>(top());
        return screen && screen->isVisible() ? screen : nullptr;
    }
    // The root screen with nothing presented over it.
    template <class T> T* alone() const {
        if (!window() || !window()->presentedViewControllers().isEmpty())
            return nullptr;
        auto* screen = qobject_cast<T*>(window()->rootViewController());
        return screen && screen->isVisible() ? screen : nullptr;
    }
    QString shownMessage() const {
        if (auto* alert = qobject_cast<AlertController*>(top()))
            return alert->message();
        if (auto* alert = qobject_cast<SystemAlert*>(top()))
            return alert->message();
        return QString();
    }
    bool tap(const QString& title) const {
        if (auto* alert = qobject_cast<AlertController*>(top()))
            return alert->tapActionWithTitle(title);
        if (auto* alert = qobject_cast<SystemAlert*>(top()))
            return alert->tapButtonWithTitle(title);
        return false;
    }
    static void type(ViewController* screen, const char* field, const QString& text) {
        if (auto* input = screen->outlet<TextField>(QString::fromLatin1(field))) {
            input->setText(QString());
            input->insertText(text);
        }
    }
    static void press(ViewController* screen, const char* button) {
        if (auto* control = screen->outlet<QPushButton>(QString::fromLatin1(button)))
            control->click();
    }
    void logIn(const QString& email, const QString& password) const {
        auto* login = alone<LoginController>();
        type(login, "emailAddress", email);
        type(login, "password", password);
        press(login, "loginButtonSquared");
    }
    bool loginUsable() const {
        auto* login = alone<LoginController>();
        return login && !login->isDisplayingActivityIndicator();
    }

    // The window and whatever is presented over it, as shown.
    QString shoot(const QString& name) {
        Window* shownWindow = window();
        if (!shownWindow || !shownWindow->widget())
            return QString();
        QWidget* base = shownWindow->widget();
        QPixmap picture = base->grab();
        QPainter painter(&picture);
        for (ViewController* presented : shownWindow->presentedViewControllers()) {
            QWidget* container = shownWindow->presentationContainer(presented);
            if (container && container->isVisible())
                painter.drawPixmap(container->mapToGlobal(QPoint(0, 0)) -
                                       base->mapToGlobal(QPoint(0, 0)),
                                   container->grab());
        }
        painter.end();
        const QString file = QDir(folder_).filePath(
            QStringLiteral("%1-%2.png").arg(++shots_, 2, 10, QLatin1Char('0')).arg(name));
        return picture.save(file) ? file : QString();
    }

    void report(const Step& step) {
        QString name = step.screen;
        name.replace(QLatin1Char(' '), QLatin1Char('_'));
        QVariantMap line{{"screen", step.screen}, {"screenshot", shoot(name)}};
        if (step.details) {
            const QVariantMap more = step.details();
            for (auto it = more.constBegin(); it != more.constEnd(); ++it)
                line.insert(it.key(), it.value());
        }
        printJsonLine(line);
        screens_.append(step.screen);
    }

    void tick() {
        if (elapsed_.elapsed() > kGiveUpMs + qint64(steps_.size()) * kDwellMs) {
            finish(false);
            return;
        }
        if (next_ >= steps_.size()) {
            finish(true);
            return;
        }
        const Step& step = steps_.at(next_);
        if (!step.ready()) {
            readySinceMs_ = -1;
            return;
        }
        if (readySinceMs_ < 0)
            readySinceMs_ = elapsed_.elapsed();
        if (elapsed_.elapsed() - readySinceMs_ < kDwellMs)
            return;
        readySinceMs_ = -1;
        ++next_;
        if (!step.screen.isEmpty())
            report(step);
        if (step.act)
            step.act();
    }

    void finish(bool walked) {
        ticker_.stop();
        const QVariantMap result{{"screens", screens_},
                                 {"walked", walked},
                                 {"stoppedAt", walked ? QString() : steps_.at(next_).screen},
                                 {"setup", setup_}};
        const auto completion = completion_;
        deleteLater();
        completion(result, walked);
    }

    void fillStepTwo() {
        auto* step = shown<SingupStep2Controller>();
        type(step, "phone", QStringLiteral("1145678901"));
        type(step, "birthdate", QStringLiteral("14/03/1990"));
        type(step, "occupation", QStringLiteral("Comerciante"));
        type(step, "address", QStringLiteral("Av. Corrientes 1234"));
        type(step, "city", QStringLiteral("Buenos Aires"));
        step->statePicker()->pickRow(24, 0);
        type(step, "zipCode", QStringLiteral("1043"));
        press(step, "continueButton");
    }
    bool bankFound() const {
        auto* step = shown<SingupStep3Controller>();
        auto* bank = step ? step->outlet<QLabel>(QStringLiteral("bankName")) : nullptr;
        return bank && !bank->text().isEmpty();
    }
    QVariantMap bankDetails() const {
        auto* step = shown<SingupStep3Controller>();
        return {{"bank", step->outlet<QLabel>(QStringLiteral("bankName"))->text()}};
    }
    void finishStepThree() {
        auto* step = shown<SingupStep3Controller>();
        type(step, "accountPersonalID", kTaxId);
        press(step, "finishButton");
    }

    void add(const char* screen, std::function<bool()> ready, std::function<void()> act = {},
             std::function<QVariantMap()> details = {}) {
        steps_.append(Step{QString::fromLatin1(screen), std::move(ready), std::move(act),
                           std::move(details)});
    }

    void buildSteps() {
        const auto stepTwo = [this] { return shown<SingupStep2Controller>() != nullptr; };
        const auto stepThree = [this] { return shown<SingupStep3Controller>() != nullptr; };
        const auto typeAccount = [this] {
            type(shown<SingupStep3Controller>(), "accountUniqueNumber", kBankAccount);
        };
        const auto names = [this] {
            auto* step = shown<SingupStep2Controller>();
            return QVariantMap{
                {"firstName", step->outlet<TextField>(QStringLiteral("firstName"))->text()}};
        };
        const auto stored = [] { return !MerchantApplication::storedSessionToken().isEmpty(); };
        const auto mainView = [this] { return alone<SlidingViewController>() != nullptr; };
        const auto completed = [this] { return shown<SignupCompletedController>() != nullptr; };
        const auto leaveCompleted = [this] {
            press(shown<SignupCompletedController>(), "continueButton");
        };

        add("splash", [this] { return shown<SplashScreenController>() != nullptr; });
        add(
            "login", [this] { return loginUsable(); },
            [this] { logIn(kMerchant, QStringLiteral("wrong-password")); },
            [stored] {
                return QVariantMap{{"storedSession", stored()}};
            });
        add(
            "login refused", [this] { return !shownMessage().isEmpty(); },
            [this] { tap(QStringLiteral("OK")); },
            [this] {
                return QVariantMap{{"message", shownMessage()}};
            });
        add(
            "", [this] { return loginUsable(); }, [this] { logIn(kMerchant, kMerchantPassword); });
        add(
            "main view", mainView,
            [this] { alone<SlidingViewController>()->topViewController()->showSlidingMenu(); },
            [] {
                return QVariantMap{{"user", User::instance().emailAddress()}};
            });
        add(
            "menu",
            [this] {
                auto* main = alone<SlidingViewController>();
                return main && main->underLeftViewController() &&
                       main->underLeftViewController()->isVisible();
            },
            [this] {
                press(alone<SlidingViewController>()->underLeftViewController(), "closeSession");
            });
        add(
            "logout question", [this] { return !shownMessage().isEmpty(); },
            [this] { tap(Language::textForFile("Menu", "closeSession")); },
            [this] {
                return QVariantMap{{"message", shownMessage()}};
            });
        add("logout", [this] { return shown<LogoutController>() != nullptr; });
        add(
            "login", [this] { return loginUsable(); },
            [this] { alone<LoginController>()->signup(); },
            [this, stored] {
                auto* login = alone<LoginController>();
                return QVariantMap{
                    {"storedSession", stored()},
                    {"email", login->outlet<TextField>(QStringLiteral("emailAddress"))->text()}};
            });
        add(
            "signup step 1", [this] { return shown<SignupStep1Controller>() != nullptr; },
            [this] {
                auto* step = shown<SignupStep1Controller>();
                type(step, "firstName", QStringLiteral("Ana"));
                type(step, "lastName", QStringLiteral("Paz"));
                type(step, "emailAddress", QStringLiteral("ana.paz@example.com"));
                type(step, "password", QStringLiteral("abc12345"));
                type(step, "confirmPassword", QStringLiteral("abc12345"));
                press(step, "continueButton");
            });
        add(
            "signup step 2", stepTwo, [this] { fillStepTwo(); }, names);
        add("", stepThree, typeAccount);
        add(
            "signup step 3", [this] { return bankFound(); }, [this] { finishStepThree(); },
            [this] { return bankDetails(); });
        add("signup completed", completed, leaveCompleted);
        add(
            "login", [this] { return loginUsable(); },
            [this] { logIn(kInactive, kInactivePassword); });
        add(
            "activation", [this] { return shown<ActivationScreenController>() != nullptr; },
            [this] { press(shown<ActivationScreenController>(), "continueWithActivation"); },
            [] {
                return QVariantMap{{"user", User::instance().emailAddress()}};
            });
        add(
            "signup step 2", stepTwo, [this] { fillStepTwo(); }, names);
        add("", stepThree, typeAccount);
        add(
            "signup step 3", [this] { return bankFound(); }, [this] { finishStepThree(); },
            [this] { return bankDetails(); });
        add("signup completed", completed, leaveCompleted);
        add(
            "setup", [this] { return shown<SetupController>() != nullptr; },
            [this] {
                auto* setup = shown<SetupController>();
                for (const char* name : {"clientsSwitch", "tipsSwitch"})
                    setup->outlet<QCheckBox>(QString::fromLatin1(name))->setChecked(true);
                for (const char* name :
                     {"clientsSwitch", "catalogSwitch", "tipsSwitch", "subusersSwitch"})
                    setup_.insert(QString::fromLatin1(name),
                                  setup->outlet<QCheckBox>(QString::fromLatin1(name))->isChecked());
                press(setup, "doneButton");
            });
        add("main view", mainView, {}, [this] {
            return QVariantMap{{"user", User::instance().emailAddress()}, {"setup", setup_}};
        });
    }

    TarvelloSDK::Completion completion_;
    QTemporaryDir store_;
    QString folder_;
    QPointer<MerchantApplication> app_;
    QList<Step> steps_;
    qsizetype next_ = 0;
    qint64 readySinceMs_ = -1;
    QTimer ticker_;
    QElapsedTimer elapsed_;
    int shots_ = 0;
    QStringList screens_;
    QVariantMap setup_;
};

} // namespace

bool runAppCommand(const DemoOptions& options, const TarvelloSDK::Completion& completion,
                   QString* error) {
    if (options.command != QLatin1String("app"))
        return false;
    if (!options.arguments.isEmpty()) {
        *error = QStringLiteral("app: takes no arguments");
        return false;
    }
    new AppWalk(options, completion);
    return true;
}

QString appCommandUsage() {
    return QStringLiteral(
        "  app [--pad] [--screenshots DIR]  starts the merchant application at its splash and "
        "walks login,\n"
        "                           logout, signup, activation and setup\n");
}

void openMerchantApplication(const QString& apiKey) {
    auto* app = new MerchantApplication(QCoreApplication::instance());
    app->startWithAPIKey(apiKey);
}
