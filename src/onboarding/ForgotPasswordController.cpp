#include "onboarding/ForgotPasswordController.h"

#include "SDK/session/User.h"
#include "api/APIController.h"
#include "catalog/CatalogLook.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/View.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString resetText(const char* section, const char* key) {
    return CatalogLook::text(QString::fromLatin1(section), QString::fromLatin1(key));
}

} // namespace

ForgotPasswordController::ForgotPasswordController(QObject* parent)
    : ViewController(parent) {}

QWidget* ForgotPasswordController::loadView() {
    auto* root = new QWidget();
    View::setBackgroundColor(root, Qt::white);
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(20, 10, 20, 16);
    column->setSpacing(14);
    auto* bar = new QHBoxLayout();
    cancelButton_ = new QPushButton(root);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    cancelButton_->setFlat(true);
    connect(cancelButton_, &QPushButton::clicked, this, [this] { cancelForgotPassword(); });
    passTitle_ = new QLabel(root);
    passTitle_->setObjectName(QStringLiteral("passTitle"));
    passTitle_->setAlignment(Qt::AlignCenter);
    sendButton_ = new QPushButton(root);
    sendButton_->setObjectName(QStringLiteral("sendButton"));
    sendButton_->setFlat(true);
    connect(sendButton_, &QPushButton::clicked, this, [this] { resetPassword(); });
    bar->addWidget(cancelButton_);
    bar->addWidget(passTitle_, 1);
    bar->addWidget(sendButton_);
    column->addLayout(bar);
    background_ = new QLabel(root);
    background_->setObjectName(QStringLiteral("background"));
    background_->setAlignment(Qt::AlignCenter);
    column->addWidget(background_);
    headerLabel_ = new QLabel(root);
    headerLabel_->setObjectName(QStringLiteral("headerLabel"));
    headerLabel_->setWordWrap(true);
    headerLabel_->setAlignment(Qt::AlignCenter);
    column->addWidget(headerLabel_);
    auto* fieldBack = new QWidget(root);
    fieldBack->setObjectName(QStringLiteral("fieldBack"));
    fieldBack->setStyleSheet(QStringLiteral("#fieldBack { border: 1px solid rgb(200,200,200); }"));
    auto* fieldRow = new QVBoxLayout(fieldBack);
    emailAddress_ = new TextField(fieldBack);
    emailAddress_->setObjectName(QStringLiteral("emailAddress"));
    emailAddress_->setKeyboardType(TextField::KeyboardType::EmailAddress);
    emailAddress_->setDelegate(this);
    fieldRow->addWidget(emailAddress_);
    column->addWidget(fieldBack);
    column->addStretch();
    connect(emailAddress_, &TextField::editingChanged, this, [this] { checkCredentials(); });
    connect(emailAddress_, &QLineEdit::textChanged, this, [this] { checkCredentials(); });
    return root;
}

void ForgotPasswordController::viewDidLoad() {
    const QString picture = Device::current().screenSize().height() == 480
                                ? QStringLiteral("splash_iphone4.png")
                                : QStringLiteral("splash.png");
    background_->setPixmap(QPixmap::fromImage(CatalogLook::image(picture, Qt::white)));
    passTitle_->setText(resetText("Login", "forgotPasswordLabel"));
    cancelButton_->setText(resetText("ForgotPassword", "cancel"));
    sendButton_->setText(resetText("GlobalTexts", "send"));
    sendButton_->setStyleSheet(
        QStringLiteral("color: %1; border: none;").arg(CatalogLook::mainColor().name()));
    headerLabel_->setStyleSheet(QStringLiteral("color: rgb(51,51,51);"));
    emailAddress_->setText(tmpEmail_);
    checkCredentials();
}

void ForgotPasswordController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    headerLabel_->setText(
        resetText("ForgotPassword", isIpad() ? "header2lineas" : "header").replace("\r\n", "\n"));
    emailAddress_->setPlaceholderText(resetText("ForgotPassword", "email"));
}

void ForgotPasswordController::viewDidAppear(bool animated) {
    ViewController::viewDidAppear(animated);
    emailAddress_->becomeFirstResponder();
}

void ForgotPasswordController::checkCredentials() {
    sendButton_->setEnabled(!emailAddress_->text().isEmpty());
}

void ForgotPasswordController::resetPassword() {
    if (sending_)
        return;
    if (!User::isValidEmail(emailAddress_->text())) {
        showAlertMessage(resetText("GlobalTexts", "wrongEmailFormat"));
        return;
    }
    emailAddress_->resignFirstResponder();
    displayLoadingIndicator();
    sending_ = true;
    auto* client = new APIController(this);
    client->setDelegate(this);
    client->recoverPasswordWithEmail(emailAddress_->text(), QString());
}

void ForgotPasswordController::cancelForgotPassword() {
    dismissViewControllerAnimated(true);
}

void ForgotPasswordController::showAlertMessage(const QString& message) {
    auto* alert = SystemAlert::alertControllerWithTitle(QString(""), message);
    QPointer<ForgotPasswordController> self(this);
    alert->addAction(QStringLiteral("OK"), SystemAlertAction::Default, [self](SystemAlertAction*) {
        if (self)
            self->emailAddress_->becomeFirstResponder();
    });
    presentViewController(alert, true);
}

void ForgotPasswordController::apiDidFailWithError(const TarvelloError& error, int functionName) {
    Q_UNUSED(error);
    Q_UNUSED(functionName);
    sending_ = false;
    hideLoadingIndicator();
    showAlertMessage(resetText("GlobalTexts", "connError"));
}

bool ForgotPasswordController::apiDidFinishDownloadingWithDictionary(
    int functionName, const std::optional<QVariantMap>& dictionary) {
    hideLoadingIndicator();
    if (functionName != FunctionCode::ResetPassword)
        return true;
    sending_ = false;
    const QVariantMap reply = dictionary.value_or(QVariantMap());
    const QVariant success = reply.value(QStringLiteral("success"));
    const QVariant error = reply.value(QStringLiteral("error"));
    // Only "OK" confirms the reset; any other "success" value is not one.
    if (success.typeId() == QMetaType::QString && success.toString() == QLatin1String("OK")) {
        auto* alert = SystemAlert::alertControllerWithTitle(
            QString(""), resetText("ForgotPassword", "passwordResetSent"));
        QPointer<ForgotPasswordController> self(this);
        alert->addAction(QStringLiteral("OK"), SystemAlertAction::Default,
                         [self](SystemAlertAction*) {
                             if (self)
                                 self->dismissViewControllerAnimated(true);
                         });
        passwordResetSuccess_ = alert;
        presentViewController(alert, true);
    } else if (error.isValid() && !error.isNull() && error.typeId() != QMetaType::Nullptr &&
               !success.isValid()) {
        showAlertMessage(resetText("ForgotPassword", "emailDoesntExist"));
    } else {
        apiDidFailWithError(TarvelloError(), functionName);
    }
    return true;
}

bool ForgotPasswordController::textFieldShouldReturn(TextField* field) {
    Q_UNUSED(field);
    resetPassword();
    return true;
}
