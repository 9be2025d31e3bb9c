#include "onboarding/SignupStep1Controller.h"

#include "SDK/session/User.h"
#include "catalog/CatalogLook.h"
#include "onboarding/OnboardingScreens.h"
#include "platform/ui/Services.h"
#include "platform/ui/View.h"

#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

SignupStep1Controller::SignupStep1Controller(QObject* parent)
    : SignupFormController(Constants{Form::Frame, 64, false, Qt::black, false}, parent) {}

QWidget* SignupStep1Controller::loadView() {
    QWidget* root = buildForm(QStringLiteral("continueButton"));
    headerLabel_ = new QLabel(itemsView_);
    headerLabel_->setObjectName(QStringLiteral("headerLabel"));
    headerLabel_->setAlignment(Qt::AlignCenter);
    formLayout()->addWidget(headerLabel_);
    userPictureButton_ = new QPushButton(itemsView_);
    userPictureButton_->setObjectName(QStringLiteral("userPictureButton"));
    userPictureButton_->setFixedSize(78, 78);
    userPictureButton_->setStyleSheet(
        QStringLiteral("font-size: 11px;")); // fits the 78-point button
    userPictureButton_->setText(CatalogLook::text("SignupStep1", "addPicture"));
    connect(userPictureButton_, &QPushButton::clicked, this, [this] { addPicture(); });
    userPictureImageView_ = new QLabel(userPictureButton_);
    userPictureImageView_->setObjectName(QStringLiteral("userPictureImageView"));
    userPictureImageView_->setGeometry(0, 0, 78, 78);
    userPictureImageView_->setScaledContents(true);
    userPictureImageView_->hide();
    formLayout()->addWidget(userPictureButton_, 0, Qt::AlignHCenter);
    firstName_ = addField(QStringLiteral("firstName"));
    lastName_ = addField(QStringLiteral("lastName"));
    emailAddress_ = addField(QStringLiteral("emailAddress"));
    emailAddress_->setKeyboardType(TextField::KeyboardType::EmailAddress);
    password_ = addField(QStringLiteral("password"));
    password_->setEchoMode(QLineEdit::Password);
    confirmPassword_ = addField(QStringLiteral("confirmPassword"));
    confirmPassword_->setEchoMode(QLineEdit::Password);
    formLayout()->addStretch();
    return root;
}

void SignupStep1Controller::viewWillAppear(bool animated) {
    SignupFormController::viewWillAppear(animated);
    setTexts(CatalogLook::text("SignupStep1", "titleBar"),
             CatalogLook::text("GlobalTexts", "continue"));
    headerLabel_->setText(CatalogLook::text("SignupStep1", "header"));
    firstName_->setPlaceholderText(CatalogLook::text("SignupStep1", "name"));
    lastName_->setPlaceholderText(CatalogLook::text("SignupStep1", "lastname"));
    emailAddress_->setPlaceholderText(CatalogLook::text("SignupStep1", "email"));
    password_->setPlaceholderText(CatalogLook::text("SignupStep1", "password"));
    confirmPassword_->setPlaceholderText(CatalogLook::text("SignupStep1", "confirmPassword"));
}

int SignupStep1Controller::offsetForField(TextField* field) const {
    if (field == firstName_)
        return 64;
    if (field == lastName_)
        return 14;
    if (field == emailAddress_)
        return -50;
    return -100;
}

bool SignupStep1Controller::submitsOnReturn(TextField* field) const {
    return field != firstName_ && field != lastName_ && field != emailAddress_ &&
           field != password_;
}

void SignupStep1Controller::nextStep() {
    backgroundTouched();
    const QString email = emailAddress_->text();
    const QString password = password_->text();
    const bool emailValid = User::isValidEmail(email);
    const bool passwordValid = User::isValidPassword(password);
    if (!firstName_->text().isEmpty() && !lastName_->text().isEmpty() && emailValid &&
        passwordValid && password == confirmPassword_->text()) {
        User::instance().setFirstName(firstName_->text());
        User::instance().setLastName(lastName_->text());
        performSegueWithIdentifier(OnboardingScreens::signupContinueSegue, this);
        return;
    }
    if (!emailValid && !email.isEmpty()) {
        showAlertMessage(CatalogLook::text("GlobalTexts", "wrongEmailFormat"));
        setFieldColor(emailAddress_, kErrorColor);
    } else if (!passwordValid && !password.isEmpty()) {
        showAlertMessage(CatalogLook::text("SignupStep1", "wrongPassword"));
        setFieldColor(password_, kErrorColor);
    } else if (password != confirmPassword_->text()) {
        showAlertMessage(CatalogLook::text("SignupStep1", "wrongConfirmation"));
        setFieldColor(password_, kErrorColor);
        setFieldColor(confirmPassword_, kErrorColor);
    } else {
        showAlertMessage(CatalogLook::text("SignupStep1", "fieldsEmpty"));
    }
}

void SignupStep1Controller::addPicture() {
    QPointer<SignupStep1Controller> self(this);
    Services::imageSource()->pickImage(view(), [self](const QImage& image) {
        if (!self || image.isNull())
            return;
        const QImage square =
            image.scaled(400, 400, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        self->userPictureImageView_->setPixmap(QPixmap::fromImage(square));
        View::setCornerRadius(self->userPictureImageView_, 39);
        self->userPictureButton_->setText(QString());
        self->userPictureImageView_->show();
    });
}
