#pragma once

#include <functional>
#include <memory>

class LoginHelper;
class LoginHelperDelegate;

// The one owner of a flow's session check. A flow that needs a merchant session asks needed();
// when it is, start() makes a LoginHelper with the flow as its delegate and has it validate the
// host's token; the outcome reaches the flow through LoginHelperDelegate. The check's helper is
// held here until the flow drops it (or the check goes away); a dropped helper tells nobody and
// is deleted once it has returned, since it may be the one calling.
class SessionCheck {
public:
    // How a check starts once its helper is made. The default offers the location alert, then
    // validates the token; tests install one that answers later.
    using Starter = std::function<void(LoginHelper* helper)>;

    explicit SessionCheck(LoginHelperDelegate* flow);
    ~SessionCheck();
    SessionCheck(const SessionCheck&) = delete;
    SessionCheck& operator=(const SessionCheck&) = delete;

    // True when no merchant is logged in, so the flow must check the session first.
    static bool needed();
    // Starts a check with a new helper; a check still running is dropped first.
    void start();
    // The helper of the running check, or null.
    LoginHelper* helper() const { return helper_.get(); }
    // Forgets the running check, if any.
    void drop();

    // Installs how checks start; null restores the default.
    static void setStarter(Starter starter);

private:
    struct DeleteLater {
        void operator()(LoginHelper* helper) const;
    };

    LoginHelperDelegate* flow_;
    std::unique_ptr<LoginHelper, DeleteLater> helper_;
};
