#include "onboarding/ActivationScreenController.h"

#include "catalog/CatalogLook.h"
#include "onboarding/LoginTransitionCoordinator.h"
#include "onboarding/OnboardingLook.h"
#include "onboarding/OnboardingScreens.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ActivationScreenController::ActivationScreenController(QObject* parent)
    : ViewController(parent) {}

QWidget* ActivationScreenController::loadView() {
    auto* root = new QWidget();
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(20, 0, 20, 24);
    column->setSpacing(18);
    titleBar_ = OnboardingLook::titleBar(root, column, QStringLiteral("titleBar"));
    column->addStretch(1);
    headerLabel_ = new QLabel(root);
    headerLabel_->setObjectName(QStringLiteral("headerLabel"));
    headerLabel_->setWordWrap(true);
    headerLabel_->setAlignment(Qt::AlignCenter);
    headerLabel_->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue-Light"), 18));
    column->addWidget(headerLabel_);
    column->addStretch(1);
    continueWithActivation_ = new QPushButton(root);
    continueWithActivation_->setObjectName(QStringLiteral("continueWithActivation"));
    continueWithActivation_->setMinimumHeight(44);
    connect(continueWithActivation_, &QPushButton::clicked, this, [this] { continueSignup(); });
    column->addWidget(continueWithActivation_);
    continueLater_ = new QPushButton(root);
    continueLater_->setObjectName(QStringLiteral("continueLater"));
    continueLater_->setFlat(true);
    connect(continueLater_, &QPushButton::clicked, this, [this] { testApp(); });
    column->addWidget(continueLater_);
    return root;
}

void ActivationScreenController::viewDidLoad() {
    OnboardingLook::setPatternBackground(view());
    OnboardingLook::styleLargeButton(continueWithActivation_);
    continueLater_->setStyleSheet(
        QStringLiteral("color: %1; border: none;").arg(CatalogLook::mainColor().name()));
}

void ActivationScreenController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    titleBar_->setText(CatalogLook::text("ActivationScreen", "titleBar"));
    headerLabel_->setText(CatalogLook::text("ActivationScreen", "header"));
    continueWithActivation_->setText(CatalogLook::text("ActivationScreen", "startNow"));
    continueLater_->setText(CatalogLook::text("ActivationScreen", "later"));
}

void ActivationScreenController::continueSignup() {
    performSegueWithIdentifier(OnboardingScreens::activateSegue, this);
}

void ActivationScreenController::testApp() {
    performSegueWithIdentifier(OnboardingScreens::laterSegue, this);
}

bool ActivationScreenController::shouldPerformSegueWithIdentifier(const QString& identifier,
                                                                  QObject* sender) {
    Q_UNUSED(sender);
    if (identifier == OnboardingScreens::laterSegue) {
        // The main view takes the window's root.
        LoginTransitionCoordinator().transitionToMainView();
        return false;
    }
    return true;
}
