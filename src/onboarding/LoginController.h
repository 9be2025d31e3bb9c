#pragma once

#include "api/APIControllerDelegate.h"
#include "platform/ui/TextField.h"
#include "platform/ui/ViewController.h"

#include <QMargins>
#include <QPointer>

class AccountSettings;
class LoginController;
class QLabel;
class QPushButton;
class QScrollArea;

// Told how a login screen that an SDK flow opened itself ended.
class LoginControllerDelegate {
public:
    virtual ~LoginControllerDelegate() = default;
    // True lets the screen switch the application to its main view; false: the delegate takes
    // over and the screen dismisses itself.
    virtual bool loginSuccessfulInLoginController(LoginController* controller) = 0;
    virtual void loginCanceledInLoginController(LoginController* controller) = 0;
};

// The e-mail and password login of the merchant application, and its reply handling.
class LoginController : public ViewController,
                        public APIControllerDelegate,
                        public TextFieldDelegate {
    Q_OBJECT
public:
    static constexpr int kLogoRemovalMs = 500;
    static constexpr QMargins kContentMargins{20, 10, 20, 16};

    explicit LoginController(QObject* parent = nullptr);
    ~LoginController() override;

    LoginControllerDelegate* delegate() const { return delegate_; }
    void setDelegate(LoginControllerDelegate* delegate) { delegate_ = delegate; }
    QString enforcedUserAccount() const { return enforcedUserAccount_; }
    void setEnforcedUserAccount(const QString& account) { enforcedUserAccount_ = account; }
    QString enforcedDomain() const { return enforcedDomain_; }
    void setEnforcedDomain(const QString& domain) { enforcedDomain_ = domain; }
    QString hardware() const { return hardware_; }
    AccountSettings* settings() const { return settings_; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;

    // Actions.
    void login();
    void toogleShowPassword();
    void cancel();
    void nextField();
    void previousField();
    void forgotPassword();
    void signup();
    void checkCredentials();

    void loginWithEmailAndPassword(const QString& email, const QString& password);
    bool isValidEmail(const QString& email);
    bool isValidPassword(const QString& password);
    static bool isEmpty(const QString& text) { return text.isEmpty(); }
    void presentGenericAlertControllerWithMessage(const QString& message,
                                                  const QString& actionTitle);
    void presentResponseAlertControllerWithMessage(const QString& message);
    void alertControllerDefaultAction();
    void setNavigationButtonsEnabled(bool enabled);
    static QColor darkerColorForColor(const QColor& color);

    // Reply handling.
    void apiDidFailWithError(const TarvelloError& error, int functionName) override;
    bool
    apiDidFinishDownloadingWithDictionary(int functionName,
                                          const std::optional<QVariantMap>& dictionary) override;
    void loginSuccessful();
    // Opens a store address from an update message: "https" becomes "itms-apps"... only web
    // addresses are opened here, as typed.
    static void openStoreLink(const QString& address);

    // The keyboard's end frame, in window coordinates: the form's scroll view takes the covered
    // height as its bottom inset; on a 480-point screen the logo goes, once.
    void keyboardFrameWillChange(const QRect& endFrame);
    QScrollArea* scrollView() const { return scrollView_; }
    QMargins contentInset() const { return contentInset_; }

    bool textFieldShouldReturn(TextField* field) override;
    void prepareForSegue(StoryboardSegue& segue, QObject* sender) override;

protected:
    QWidget* loadView() override;

private:
    void showForcedUpdate(const QString& message, const QString& address);

    LoginControllerDelegate* delegate_ = nullptr;
    QString enforcedUserAccount_;
    QString enforcedDomain_;
    QString hardware_;
    AccountSettings* settings_ = nullptr;
    bool requestInFlight_ = false;
    TextField* emailAddress_ = nullptr;
    TextField* password_ = nullptr;
    QPushButton* showPasswordButton_ = nullptr;
    QPushButton* loginButtonSquared_ = nullptr;
    QPushButton* forgotPasswordLabel_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QLabel* versionLabel_ = nullptr;
    QLabel* logo_ = nullptr;
    QScrollArea* scrollView_ = nullptr;
    QMargins contentInset_;
    bool logoLeaving_ = false;
};
