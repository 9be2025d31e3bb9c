#pragma once

#include "SDK/login/SessionCheck.h"
#include "SDK/login/LoginHelper.h"
#include "api/APIControllerDelegate.h"

#include <TarvelloSDK/TarvelloSDK.h>

#include <QPointer>
#include <functional>
#include <memory>

class APIController;

// Base of the operations without screens: makes sure a merchant session exists before its one
// request goes out, and turns session and connection failures into errors for the host.
// The facade makes each object with std::make_shared, calls one start operation and drops its
// reference; the object keeps itself alive until its completion has run. The completion is
// called at most once; an operation started without one runs all the same.
class SDKAPI : public std::enable_shared_from_this<SDKAPI>,
               public LoginHelperDelegate,
               public APIControllerDelegate {
public:
    SDKAPI();
    ~SDKAPI() override;

    const TarvelloSDK::Completion& completion() const { return completion_; }
    void setCompletion(TarvelloSDK::Completion completion) { completion_ = std::move(completion); }
    const std::function<void()>& loginDone() const { return loginDone_; }
    void setLoginDone(std::function<void()> loginDone) { loginDone_ = std::move(loginDone); }
    LoginHelper* loginHelper() const { return sessionCheck_.helper(); }
    // True once the completion has been called (or would have been, had there been one).
    bool isFinished() const { return finished_; }

    // Runs the request now when a merchant is logged in, else after the session check.
    void loginThenDo(std::function<void()> callback);

    // The session check.
    void loginHelperDidFinishLogin(LoginHelper* helper) override;
    void loginHelperShouldDisplayLoginUI(LoginHelper* helper) override;
    bool mustUpdateApp(const QString& url, const QString& message) override;

    // The request.
    void apiDidFailWithError(const TarvelloError& error, int functionName) override;
    bool sessionExpired() override;
    bool sessionExpiredWithMessage(const QString& message) override;

protected:
    // Ends the operation: the completion gets the result and the flag, once.
    void finish(const QVariantMap& result, bool success);
    // Ends with the back end's refusal: its "response" code and message as the error, or an
    // empty dictionary when either is missing. A code of 402 becomes the given one, if any.
    void finishWithRefusal(const QVariant& response, qint64 code402 = 0,
                           const QString& message402 = QString());
    // Ends with the answer's batches, {"batches": [...]}: one entry per batch, its "sdk" data or
    // an empty dictionary when it has none; a refusal ends as finishWithRefusal does.
    void finishWithBatches(const std::optional<QVariantMap>& dictionary);
    // A new client of the back end that answers this object.
    APIController* newClient();
    // "success" is exactly the text "OK".
    static bool isOK(const QVariantMap& answer);

private:
    TarvelloSDK::Completion completion_;
    std::function<void()> loginDone_;
    SessionCheck sessionCheck_;
    QList<QPointer<APIController>> clients_;
    std::shared_ptr<SDKAPI> keepAlive_;
    bool finished_ = false;
};
