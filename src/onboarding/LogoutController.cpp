#include "onboarding/LogoutController.h"

#include "onboarding/LoginTransitionCoordinator.h"

LogoutController::LogoutController(QObject* parent)
    : ViewController(parent) {}

LogoutController::~LogoutController() {
    Clock::current().cancel(timer_);
}

void LogoutController::viewDidLoad() {
    displayLoadingIndicator();
    timer_ = Clock::current().callAfter(kLogoutDelayMs, this, [this] {
        timer_ = 0;
        logout();
    });
}

void LogoutController::logout() {
    LoginTransitionCoordinator().logout();
}
