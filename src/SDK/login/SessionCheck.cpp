#include "SDK/login/SessionCheck.h"

#include "SDK/login/LoginHelper.h"
#include "SDK/session/User.h"

namespace {

SessionCheck::Starter& installedStarter() {
    static SessionCheck::Starter starter;
    return starter;
}

} // namespace

void SessionCheck::DeleteLater::operator()(LoginHelper* helper) const {
    helper->setDelegate(nullptr);
    helper->deleteLater();
}

SessionCheck::SessionCheck(LoginHelperDelegate* flow)
    : flow_(flow) {}

SessionCheck::~SessionCheck() = default;

bool SessionCheck::needed() {
    return !User::instance().isLoggedIn();
}

void SessionCheck::start() {
    drop();
    helper_.reset(new LoginHelper(flow_));
    // The flow may drop the check while it starts; the helper itself lives on until it returns.
    LoginHelper* helper = helper_.get();
    if (const Starter& starter = installedStarter()) {
        starter(helper);
        return;
    }
    helper->checkPermissions();
    helper->validateLogin();
}

void SessionCheck::drop() {
    helper_.reset();
}

void SessionCheck::setStarter(Starter starter) {
    installedStarter() = std::move(starter);
}
