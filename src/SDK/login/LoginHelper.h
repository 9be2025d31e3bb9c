#pragma once

#include "api/APIControllerDelegate.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <functional>

class AccountSettings;
class AlertController;
class LoginHelper;
class User;

// The client of a LoginHelper, told how the session check ended.
class LoginHelperDelegate {
public:
    virtual ~LoginHelperDelegate() = default;
    // The session is valid and loaded.
    virtual void loginHelperDidFinishLogin(LoginHelper* helper) = 0;
    // There is no valid session.
    virtual void loginHelperShouldDisplayLoginUI(LoginHelper* helper) = 0;
    // Optional: show a message box of the helper, which it then owns. False when not handled.
    virtual bool loginHelper(LoginHelper* helper, AlertController* alert) {
        Q_UNUSED(helper);
        Q_UNUSED(alert);
        return false;
    }
    // Optional: the back end requires a newer SDK. False when not handled.
    virtual bool mustUpdateApp(const QString& url, const QString& message) {
        Q_UNUSED(url);
        Q_UNUSED(message);
        return false;
    }
};

// Opens and closes the merchant's session: validates the host's user token with the back end,
// keeps the answer in the user-defaults store, logs out and expires the session.
class LoginHelper : public QObject, public APIControllerDelegate {
    Q_OBJECT
public:
    LoginHelper();
    // The delegate is not owned.
    explicit LoginHelper(LoginHelperDelegate* delegate);
    ~LoginHelper() override;

    LoginHelperDelegate* delegate() const { return delegate_; }
    void setDelegate(LoginHelperDelegate* delegate) { delegate_ = delegate; }
    User* user() const { return user_; }
    AccountSettings* settings() const { return settings_; }

    // Offers the location alert when location was used before and is now unavailable.
    void checkPermissions();
    // True when the device has a location source the application may use.
    static bool locationServicesAvailable();
    // Starts the token validation; the outcome reaches the delegate later, on the main thread.
    void validateLogin();
    // The device identifier kept under "activationCode", made again when the device's name
    // changed.
    static QString deviceIdentifier();

    // The token validation's answer and failure.
    void handleTokenValidationAnswer(const QVariantMap& answer);
    void handleTokenValidationFailure();

    // Replies of the token validation (FunctionCode::IsValidToken); other codes are ignored.
    void apiDidFailWithError(const TarvelloError& error, int functionName) override;
    bool
    apiDidFinishDownloadingWithDictionary(int functionName,
                                          const std::optional<QVariantMap>& dictionary) override;
    // No valid session: the bound user and settings are reset, the delegate told.
    bool sessionExpired() override;
    bool sessionExpiredWithMessage(const QString& message) override;

    // Clears the whole session at once.
    void logout();
    // Runs at every logout, after the session state is reset: an area's own kept data goes with
    // the session. Registered once, at screen registration.
    static void addLogoutCleanup(std::function<void()> cleanup);
    // Marks the session as expired, then logs out.
    void expireSession();

    // Numeric version comparison: runs of digits compare as numbers ("1.10" > "1.9").
    static int compareVersions(const QString& a, const QString& b);
    // Only web addresses may be opened from the update message.
    static bool isOpenableUpdateURL(const QString& url);

private:
    void mustUpdateAppWithURLString(const QString& url, const QString& message);
    void offerAlert(AlertController* alert);

    LoginHelperDelegate* delegate_ = nullptr;
    User* user_ = nullptr;
    AccountSettings* settings_ = nullptr;
};
