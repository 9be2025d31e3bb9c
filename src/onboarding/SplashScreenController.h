#pragma once

#include "SDK/login/LoginHelper.h"
#include "platform/ui/Clock.h"
#include "platform/ui/ViewController.h"

#include <functional>
#include <memory>

class QLabel;
class QPushButton;

// Where the merchant application starts: the logo on white while the stored session is
// validated. A valid session goes to the main view once the catalog has answered; no valid
// session goes to the login screen, never before 1.5 s after the splash appeared.
class SplashScreenController : public ViewController, public LoginHelperDelegate {
    Q_OBJECT
public:
    static constexpr int kSplashMs = 1500;
    // How a validation starts; the default sends it to the back end. Tests answer it later.
    using ValidationStarter = std::function<void(LoginHelper* helper)>;
    static void setValidationStarter(ValidationStarter starter);

    explicit SplashScreenController(QObject* parent = nullptr);
    ~SplashScreenController() override;

    LoginHelper* loginHelper() const { return loginHelper_.get(); }
    bool splashTimerRunning() const { return splashTimer_ != 0; }
    bool shouldShowLoginUI() const { return shouldShowLoginUI_; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidLayoutSubviews() override { layoutImages(); }
    int supportedInterfaceOrientations() const override { return isIpad() ? 30 : 2; }

    // The constant of a proportional constraint for the view's height: 6 % for the images
    // container's vertical position, 2.4 % for the padding.
    static double proportionalValue(const QString& constraint, double viewHeight);
    double imagesContainerVerticalConstraint() const { return containerConstant_; }
    double imagesPaddingConstraint() const { return paddingConstant_; }

    void loginHelperDidFinishLogin(LoginHelper* helper) override;
    void loginHelperShouldDisplayLoginUI(LoginHelper* helper) override;
    bool loginHelper(LoginHelper* helper, AlertController* alert) override;

    void splashTimerDone();
    void startSegue();

protected:
    QWidget* loadView() override;

private:
    void catalogAnswered();
    void layoutImages();

    std::unique_ptr<LoginHelper> loginHelper_;
    Clock::Handle splashTimer_ = 0;
    bool shouldShowLoginUI_ = false;
    bool leaving_ = false;
    int pendingCatalogLists_ = 0;
    double containerConstant_ = 0;
    double paddingConstant_ = 0;
    QLabel* applicationLogoImageView_ = nullptr;
    QPushButton* login_ = nullptr;
    QPushButton* signup_ = nullptr;
};
