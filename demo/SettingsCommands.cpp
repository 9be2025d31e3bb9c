#include "SettingsCommands.h"

#include "SDK/session/AccountSettings.h"
#include "SDK/session/User.h"
#include "model/values/CBUStatus.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"
#include "settings/bank_account/CBUStatusController.h"
#include "settings/bank_account/TVLinkCBUViewController.h"
#include "settings/configuration/ConfigurationController.h"
#include "ui_kit/AlertController.h"
#include "ui_kit/CustomActivityView/ActivityIndicator.h"

#include <QAbstractButton>
#include <QDir>
#include <QPointer>
#include <QTimer>
#include <functional>

namespace {

constexpr int kStepMs = 50;
constexpr int kGiveUpMs = 30000;

QString screenshotFolder() {
    const QString folder = qEnvironmentVariable("TARVELLO_DEMO_SCREENSHOTS");
    return folder.isEmpty() ? QDir::tempPath() : folder;
}

// Drives the settings screen as a merchant would, one step whenever the screen is ready for
// it, then reports once.
class SettingsRun : public QObject {
public:
    SettingsRun(QWidget* host, TarvelloSDK::Completion completion)
        : host_(host)
        , completion_(std::move(completion)) {
        QDir().mkpath(screenshotFolder());
        connect(&ticker_, &QTimer::timeout, this, [this] { step(); });
        ticker_.start(kStepMs);
        TarvelloSDK::sharedSDK()
            .presentSettingsFromViewControllerAllowPictureChangeAllowReaderChange(host, true, true);
    }

private:
    Window* window() const { return Window::forWidget(host_); }
    ConfigurationController* screen() const {
        const auto stack = window()->presentedViewControllers();
        auto* nav = stack.isEmpty() ? nullptr : qobject_cast<NavigationController*>(stack.first());
        return nav && !nav->viewControllers().isEmpty()
                   ? qobject_cast<ConfigurationController*>(nav->viewControllers().first())
                   : nullptr;
    }
    SystemAlert* alert() const {
        const auto stack = window()->presentedViewControllers();
        return stack.isEmpty() ? nullptr : qobject_cast<SystemAlert*>(stack.last());
    }
    bool busy(ConfigurationController* settings) const {
        return ActivityIndicator::isDisplayingActivityIndicator(settings->view());
    }
    void shoot(QWidget* shown, const QString& name) {
        const QString file = QDir(screenshotFolder()).filePath(name);
        if (shown && shown->grab().save(file))
            screenshots_.append(file);
    }

    void step() {
        elapsed_ += kStepMs;
        if (elapsed_ > kGiveUpMs) {
            finish(false);
            return;
        }
        ConfigurationController* settings = screen();
        switch (stage_) {
        case 0: // the screen shows: picture of it, then the feedback switch
            if (!settings || !settings->isVisible())
                return;
            rows_ = settings->visibleRows();
            shoot(settings->navigationController()->view(), QStringLiteral("settings.png"));
            if (auto* toggle = settings->outlet<QAbstractButton>(QStringLiteral("feedbackSwitch"));
                toggle && rows_.contains(QStringLiteral("feedback")))
                toggle->click();
            stage_ = 1;
            return;
        case 1: // the switch's answer is in: ask for the reset
            if (!settings || busy(settings) || alert())
                return;
            feedback_ = AccountSettings::instance().feedbackEnabled();
            settings->outlet<QAbstractButton>(QStringLiteral("changePasswordButton"))->click();
            stage_ = 2;
            return;
        case 2: // the reset's message
            if (!alert() || !alert()->isVisible())
                return;
            message_ = alert()->message();
            shoot(alert()->view(), QStringLiteral("settings-message.png"));
            alert()->tapButtonWithTitle(QStringLiteral("OK"));
            stage_ = 3;
            return;
        case 3: // Done
            if (alert() || !settings || !settings->isVisible())
                return;
            if (!settings->navigationItem()->rightBarButtonItems().isEmpty())
                settings->navigationItem()->rightBarButtonItems().first().action();
            stage_ = 4;
            return;
        default:
            if (window()->presentedViewControllers().isEmpty())
                finish(true);
            return;
        }
    }

    void finish(bool closed) {
        ticker_.stop();
        QVariantMap result{{"rows", rows_},
                           {"feedback", feedback_},
                           {"message", message_},
                           {"closed", closed},
                           {"screenshots", screenshots_}};
        const auto completion = completion_;
        deleteLater();
        completion(result, closed && !message_.isEmpty());
    }

    QPointer<QWidget> host_;
    TarvelloSDK::Completion completion_;
    QTimer ticker_;
    int elapsed_ = 0;
    int stage_ = 0;
    QStringList rows_;
    bool feedback_ = false;
    QString message_;
    QStringList screenshots_;
};

// The check before a charge for a merchant without a linked account: the link screen opens,
// the text is typed and sent, and the outcome is reported once the screen has its answer.
class BankLinkRun : public QObject {
public:
    BankLinkRun(QWidget* host, const QString& text, TarvelloSDK::Completion completion)
        : host_(host)
        , text_(text)
        , completion_(std::move(completion)) {
        QDir().mkpath(screenshotFolder());
        User::instance().setIsLoggedIn(true);
        User::instance().setToken(TarvelloSDK::sharedSDK().userToken());
        auto status = std::make_shared<CBUStatus>();
        status->setCbuNeeded(true);
        AccountSettings::instance().setCbuStatus(status);
        asking_ = new ViewController();
        Window::forWidget(host)->rootViewController()->presentViewController(asking_, false);
        checker_ = CBUStatusController::fromController(asking_);
        checker_->tryToPay([this](bool ok) {
            answers_ += 1;
            answer_ = ok;
        });
        connect(&ticker_, &QTimer::timeout, this, [this] { step(); });
        ticker_.start(kStepMs);
    }

private:
    void step() {
        elapsed_ += kStepMs;
        TVLinkCBUViewController* link = checker_ ? checker_->tvLinkCBUViewController() : nullptr;
        if (elapsed_ > kGiveUpMs) {
            finish(QStringLiteral("timeout"));
        } else if (stage_ == 0 && link && link->isVisible()) {
            link->textField()->insertText(text_);
            const QString shot = QDir(screenshotFolder()).filePath("bank-link.png");
            link->view()->grab().save(shot);
            if (!link->progressButton()->isEnabled()) {
                finish(QStringLiteral("invalid"));
                return;
            }
            link->progressButton()->click();
            stage_ = 1;
        } else if (stage_ == 1 && answers_ > 0) {
            finish(QStringLiteral("linked"));
        } else if (stage_ == 1 && link && link->alertController() &&
                   link->alertController()->isVisible()) {
            failure_ = link->alertController()->title();
            finish(QStringLiteral("failed"));
        }
    }
    void finish(const QString& outcome) {
        ticker_.stop();
        const QVariantMap result{{"outcome", outcome},
                                 {"answers", answers_},
                                 {"tryToPay", answer_},
                                 {"message", failure_}};
        const auto completion = completion_;
        deleteLater();
        completion(result, outcome == QLatin1String("linked"));
    }

    QPointer<QWidget> host_;
    QString text_;
    TarvelloSDK::Completion completion_;
    QPointer<ViewController> asking_;
    QPointer<CBUStatusController> checker_;
    QTimer ticker_;
    int elapsed_ = 0;
    int stage_ = 0;
    int answers_ = 0;
    bool answer_ = false;
    QString failure_;
};

} // namespace

bool runSettingsCommand(const QString& command, const QStringList& arguments, QWidget* host,
                        const TarvelloSDK::Completion& completion, QString* error) {
    if (command == QLatin1String("bank-link")) {
        if (arguments.size() != 1) {
            *error = QStringLiteral("bank-link: takes the CBU or alias to link");
            return false;
        }
        new BankLinkRun(host, arguments.first(), completion);
        return true;
    }
    if (command != QLatin1String("settings"))
        return false;
    if (!arguments.isEmpty()) {
        *error = QStringLiteral("settings: takes no arguments");
        return false;
    }
    new SettingsRun(host, completion);
    return true;
}

QString settingsCommandsUsage() {
    return QStringLiteral(
        "  settings                 opens the settings, turns the feedback switch, "
        "asks for a password reset, taps Done\n"
        "  bank-link TEXT           checks before a charge for an account "
        "without a bank account, links TEXT\n");
}
