#include "settings/bank_account/CBUStatusController.h"

#include "SDK/session/AccountSettings.h"
#include "model/values/CBUStatus.h"
#include "platform/ui/NavigationController.h"
#include "settings/bank_account/TVLinkCBUViewController.h"
#include "ui_kit/AlertAction.h"
#include "ui_kit/AlertController.h"
#include "ui_kit/texts/Language.h"

#include <memory>

CBUStatusController* CBUStatusController::fromController(ViewController* controller) {
    return new CBUStatusController(controller);
}

CBUStatusController::CBUStatusController(ViewController* controller)
    : QObject(controller)
    , viewController_(controller) {}

ViewController* CBUStatusController::alertPresenter() const {
    if (!viewController_)
        return nullptr;
    if (NavigationController* navigation = viewController_->navigationController())
        return navigation;
    return viewController_;
}

void CBUStatusController::tryToPay(Answer completion) {
    // Exactly one answer, whichever way the check ends.
    auto answer = [once = std::make_shared<Answer>(std::move(completion))](bool ok) {
        if (!*once)
            return;
        const Answer call = std::move(*once);
        *once = nullptr;
        call(ok);
    };
    const auto status = AccountSettings::instance().cbuStatus();
    if (status && status->cbuNeeded()) {
        getCbu(answer);
        return;
    }
    if (status && status->blocked()) {
        ViewController* presenter = alertPresenter();
        if (!presenter) {
            answer(false);
            return;
        }
        auto* alert = AlertController::alertControllerWithTitle(
            Language::textForFile(QStringLiteral("CBUStatus"),
                                  QStringLiteral("cbuDataBlockedAlertTitle")),
            Language::textForFile(QStringLiteral("CBUStatus"),
                                  QStringLiteral("cbuDataBlockedAlertMessage")));
        alert->setAlertType(1);
        alert->addAction(
            AlertAction::actionWithTitle(Language::textForFile(QStringLiteral("WalletPayment"),
                                                               QStringLiteral("understoodButton")),
                                         0));
        presenter->presentViewController(alert, true, [answer] { answer(false); });
        return;
    }
    answer(true);
}

void CBUStatusController::userLoggedIn() {
    const auto status = AccountSettings::instance().cbuStatus();
    if (status && status->cbuNeeded())
        getCbu({});
}

void CBUStatusController::getCbu(Answer callback) {
    if (!viewController_) {
        if (callback)
            callback(false);
        return;
    }
    auto* link = new TVLinkCBUViewController();
    link->setOnClose([callback] {
        if (callback)
            callback(false);
    });
    tvLinkCBUViewController_ = link;
    // Without a navigation controller the screen itself presents the link screen.
    ViewController* presenter = viewController_->navigationController();
    if (!presenter)
        presenter = viewController_;
    presenter->presentViewController(link, true);
}
