#pragma once

#include <TarvelloSDK/TarvelloSDK.h>

#include <functional>
#include <memory>

// Base of the operations without screens: makes sure a merchant session exists before its one
// request goes out, and turns session and connection failures into errors for the host.
// The facade makes each object with std::make_shared, calls one start operation and drops its
// reference; the object keeps itself alive until its completion has run.
class SDKAPI : public std::enable_shared_from_this<SDKAPI> {
public:
    SDKAPI();
    virtual ~SDKAPI();

    const TarvelloSDK::Completion& completion() const { return completion_; }
    void setCompletion(TarvelloSDK::Completion completion) { completion_ = std::move(completion); }
    const std::function<void()>& loginDone() const { return loginDone_; }
    void setLoginDone(std::function<void()> loginDone) { loginDone_ = std::move(loginDone); }

    // Runs the request now when a merchant is logged in, else after the session check.
    void loginThenDo(std::function<void()> callback);

protected:
    // Ends the operation: the completion gets the result and the flag.
    void finish(const QVariantMap& result, bool success);

private:
    TarvelloSDK::Completion completion_;
    std::function<void()> loginDone_;
};
