#include "onboarding/SplashScreenController.h"

#include "catalog/CatalogLook.h"
#include "model/Catalog.h"
#include "onboarding/LoginTransitionCoordinator.h"
#include "onboarding/MerchantApplication.h"
#include "platform/ui/View.h"
#include "ui_kit/AlertController.h"

#include <TarvelloSDK/TarvelloSDK.h>

#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

SplashScreenController::ValidationStarter& splashStarter() {
    static SplashScreenController::ValidationStarter starter;
    return starter;
}

} // namespace

void SplashScreenController::setValidationStarter(ValidationStarter starter) {
    splashStarter() = std::move(starter);
}

SplashScreenController::SplashScreenController(QObject* parent)
    : ViewController(parent) {}

SplashScreenController::~SplashScreenController() {
    Clock::current().cancel(splashTimer_);
    if (loginHelper_)
        loginHelper_->setDelegate(nullptr);
}

QWidget* SplashScreenController::loadView() {
    auto* root = new QWidget();
    auto* column = new QVBoxLayout(root);
    column->addStretch(3);
    applicationLogoImageView_ = new QLabel(root);
    applicationLogoImageView_->setObjectName(QStringLiteral("applicationLogoImageView"));
    applicationLogoImageView_->setAlignment(Qt::AlignCenter);
    column->addWidget(applicationLogoImageView_);
    column->addStretch(2);
    login_ = new QPushButton(root);
    login_->setObjectName(QStringLiteral("login"));
    signup_ = new QPushButton(root);
    signup_->setObjectName(QStringLiteral("signup"));
    column->addWidget(login_);
    column->addWidget(signup_);
    column->addStretch(1);
    return root;
}

double SplashScreenController::proportionalValue(const QString& constraint, double viewHeight) {
    const double factor =
        constraint == QLatin1String("imagesContainerVerticalConstraint") ? 60 : 24;
    return viewHeight * factor / 1000;
}

void SplashScreenController::layoutImages() {
    const double height = view()->height();
    containerConstant_ =
        proportionalValue(QStringLiteral("imagesContainerVerticalConstraint"), height);
    paddingConstant_ = proportionalValue(QStringLiteral("imagesPaddingConstraint"), height);
    if (auto* column = qobject_cast<QVBoxLayout*>(view()->layout())) {
        column->setContentsMargins(0, int(containerConstant_), 0, int(paddingConstant_));
        column->setSpacing(int(paddingConstant_));
    }
}

void SplashScreenController::viewDidLoad() {
    layoutImages();
    loginHelper_ = std::make_unique<LoginHelper>(this);
}

void SplashScreenController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    Application::setStatusBarHidden(true);
    login_->setText(CatalogLook::text("Login", "loginButton"));
    signup_->setText(CatalogLook::text("Login", "signupButton"));
    View::setBackgroundColor(view(), Qt::white);
    const QImage logo = CatalogLook::image(QStringLiteral("logoTarvello.png"));
    applicationLogoImageView_->setPixmap(QPixmap::fromImage(logo));
    View::setAlpha(signup_, 0);
    View::setAlpha(login_, 0);
    loginHelper_->checkPermissions();
}

void SplashScreenController::viewDidAppear(bool animated) {
    ViewController::viewDidAppear(animated);
    shouldShowLoginUI_ = false;
    leaving_ = false;
    Clock::current().cancel(splashTimer_);
    splashTimer_ = Clock::current().callAfter(kSplashMs, this, [this] { splashTimerDone(); });
    // The application's session is the one stored with the last login.
    TarvelloSDK::sharedSDK().setUserToken(MerchantApplication::storedSessionToken());
    if (splashStarter())
        splashStarter()(loginHelper_.get());
    else
        loginHelper_->validateLogin();
}

void SplashScreenController::viewWillDisappear(bool animated) {
    ViewController::viewWillDisappear(animated);
    Application::setStatusBarHidden(false);
    Clock::current().cancel(splashTimer_);
    splashTimer_ = 0;
}

void SplashScreenController::splashTimerDone() {
    splashTimer_ = 0;
    if (shouldShowLoginUI_) {
        shouldShowLoginUI_ = false;
        startSegue();
    }
}

void SplashScreenController::loginHelperShouldDisplayLoginUI(LoginHelper* helper) {
    Q_UNUSED(helper);
    if (leaving_)
        return;
    if (splashTimer_ == 0)
        startSegue();
    else
        shouldShowLoginUI_ = true;
}

void SplashScreenController::loginHelperDidFinishLogin(LoginHelper* helper) {
    Q_UNUSED(helper);
    if (leaving_)
        return;
    leaving_ = true;
    // Both lists load off the main thread; the main view waits for both answers, and a list
    // that failed does not hold it back.
    pendingCatalogLists_ = 2;
    QPointer<SplashScreenController> self(this);
    Catalog::instance().loadCategories([self](const std::optional<CategoryList>&) {
        if (self)
            self->catalogAnswered();
    });
    Catalog::instance().loadProducts([self](const std::optional<ProductList>&) {
        if (self)
            self->catalogAnswered();
    });
}

void SplashScreenController::catalogAnswered() {
    if (--pendingCatalogLists_ != 0)
        return;
    LoginTransitionCoordinator().transitionToMainView();
}

bool SplashScreenController::loginHelper(LoginHelper* helper, AlertController* alert) {
    Q_UNUSED(helper);
    presentViewController(alert, true);
    return true;
}

void SplashScreenController::startSegue() {
    leaving_ = true;
    LoginTransitionCoordinator().transitionToLoginScreen();
}
