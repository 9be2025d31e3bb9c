#include "onboarding/SingupStep3Controller.h"

#include "SDK/session/User.h"
#include "api/APIController.h"
#include "catalog/CatalogLook.h"
#include "model/BankAccount.h"
#include "onboarding/LoginTransitionCoordinator.h"
#include "onboarding/OnboardingLook.h"
#include "onboarding/OnboardingScreens.h"
#include "platform/ui/Clock.h"
#include "platform/ui/View.h"
#include "ui_kit/AutoLayoutUtilities.h"

#include <QLabel>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace {

const QColor kStep3Grey = QColor::fromRgbF(0.2f, 0.2f, 0.2f);

} // namespace

SingupStep3Controller::SingupStep3Controller(QObject* parent)
    : SignupFormController(Constants{Form::Frame, 64, false, kStep3Grey, true}, parent) {}

QWidget* SingupStep3Controller::loadView() {
    QWidget* root = buildForm(QStringLiteral("finishButton"));
    formLayout()->setContentsMargins(0, 0, 0, 0);
    // Fixed places: the holder's block sits at y 121 while the bank row is hidden, 166 shown.
    auto* top = new QWidget(itemsView_);
    top->setGeometry(0, 0, itemsView_->width(), 121);
    headerText_ = new QLabel(top);
    headerText_->setObjectName(QStringLiteral("headerText"));
    headerText_->setWordWrap(true);
    headerText_->setAlignment(Qt::AlignCenter);
    headerText_->setGeometry(20, 8, itemsView_->width() - 40, 56);
    accountUniqueNumber_ = addField(QStringLiteral("accountUniqueNumber"), top);
    accountUniqueNumber_->setGeometry(20, 74, itemsView_->width() - 40, 38);
    bankNameHolder_ = new QWidget(itemsView_);
    bankNameHolder_->setObjectName(QStringLiteral("bankNameHolder"));
    bankNameHolder_->setGeometry(0, 121, itemsView_->width(), 45);
    bankName_ = new QLabel(bankNameHolder_);
    bankName_->setObjectName(QStringLiteral("bankName"));
    bankName_->setGeometry(20, 6, itemsView_->width() - 40, 32);
    View::setAlpha(bankNameHolder_, 0);
    personalDataHolder_ = new QWidget(itemsView_);
    personalDataHolder_->setObjectName(QStringLiteral("personalDataHolder"));
    personalDataHolder_->setGeometry(0, 121, itemsView_->width(), 110);
    accountName_ = addField(QStringLiteral("accountName"), personalDataHolder_);
    accountName_->setGeometry(20, 8, itemsView_->width() - 40, 38);
    accountPersonalID_ = addField(QStringLiteral("accountPersonalID"), personalDataHolder_);
    accountPersonalID_->setGeometry(20, 56, itemsView_->width() - 40, 38);
    // Chain order: key, holder, tax id.
    return root;
}

void SingupStep3Controller::viewDidLoad() {
    OnboardingLook::setPatternBackground(personalDataHolder_);
    connect(accountUniqueNumber_, &TextField::editingChanged, this, [this] { getBankName(); });
    connect(accountPersonalID_, &TextField::editingChanged, this,
            [this] { checkPersonalIdLength(); });
    for (TextField* field : {accountPersonalID_, accountUniqueNumber_})
        AutoLayoutUtilities::useNumericKeyboard(AutoLayoutUtilities::instanceNumericKeyboard(),
                                                field);
}

void SingupStep3Controller::viewWillAppear(bool animated) {
    SignupFormController::viewWillAppear(animated);
    setTexts(CatalogLook::text("SignupStep3", "titleBar"),
             CatalogLook::text("SignupStep3", "finish"));
    headerText_->setText(CatalogLook::text("SignupStep3", "headerText"));
    accountUniqueNumber_->setPlaceholderText(CatalogLook::text("SignupStep3", "cbu"));
    accountName_->setPlaceholderText(CatalogLook::text("SignupStep3", "beneficiary"));
    accountPersonalID_->setPlaceholderText(CatalogLook::text("SignupStep3", "personalNumber"));
}

void SingupStep3Controller::viewDidAppear(bool animated) {
    SignupFormController::viewDidAppear(animated);
    User& user = User::instance();
    accountName_->setText(user.firstName() + QLatin1Char(' ') + user.lastName());
    tempBankNumber_ = QString("");
}

int SingupStep3Controller::offsetForField(TextField* field) const {
    if (field == accountUniqueNumber_)
        return 64;
    return bankName_->text().isEmpty() ? -24 : -68;
}

bool SingupStep3Controller::submitsOnReturn(TextField* field) const {
    return field == accountPersonalID_;
}

void SingupStep3Controller::checkPersonalIdLength() {
    if (accountPersonalID_->text().size() > 11)
        accountPersonalID_->setText(accountPersonalID_->text().left(11));
}

void SingupStep3Controller::moveHolder(int y, double alpha) {
    const QRect from = View::frame(personalDataHolder_);
    const double fromAlpha = View::alpha(bankNameHolder_);
    QPointer<QWidget> holder = personalDataHolder_;
    QPointer<QWidget> row = bankNameHolder_;
    Clock::current().animate(kRowMs, personalDataHolder_,
                             [holder, row, from, y, fromAlpha, alpha](double p) {
                                 if (holder)
                                     holder->move(0, int(from.y() + (y - from.y()) * p));
                                 if (row)
                                     View::setAlpha(row, fromAlpha + (alpha - fromAlpha) * p);
                             });
}

void SingupStep3Controller::dropLookup() {
    // A lookup for a prefix that is no longer current must not answer.
    delete lookup_.data();
}

void SingupStep3Controller::getBankName() {
    const QString text = accountUniqueNumber_->text();
    QString prefix;
    if (text.size() < 3) {
        dropLookup();
        tempBankNumber_ = QString("");
        bankName_->setText(QString(""));
        setFieldColor(accountUniqueNumber_, kStep3Grey);
        if (View::frame(personalDataHolder_).y() > 121)
            moveHolder(121, 0);
    } else {
        prefix = text.left(3);
        if (text.size() > 22)
            accountUniqueNumber_->setText(text.left(22));
    }
    if (prefix == tempBankNumber_)
        return;
    tempBankNumber_ = prefix;
    dropLookup();
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    if (digits.match(prefix).hasMatch()) {
        auto* client = new APIController(this);
        client->setDelegate(this);
        lookup_ = client;
        client->getBankNameWithCBU(prefix, User::instance().userId(), User::instance().token());
    } else {
        bankName_->setText(QString(""));
    }
}

bool SingupStep3Controller::apiDidFinishDownloadingWithDictionary(
    int functionName, const std::optional<QVariantMap>& dictionary) {
    if (functionName != FunctionCode::GetBankName)
        return true;
    lookup_ = nullptr;
    const QVariant name = dictionary.value_or(QVariantMap()).value(QStringLiteral("name"));
    const int y = View::frame(personalDataHolder_).y();
    if (name.typeId() == QMetaType::QString && !name.toString().isEmpty()) {
        bankName_->setText(name.toString());
        setFieldColor(accountUniqueNumber_, kStep3Grey);
        if (y < 166)
            moveHolder(166, 1);
    } else {
        bankName_->setText(QString(""));
        setFieldColor(accountUniqueNumber_, kErrorColor);
        if (y > 121)
            moveHolder(121, 0);
    }
    if (accountPersonalID_->isFirstResponder())
        textFieldDidBeginEditing(accountPersonalID_);
    return true;
}

void SingupStep3Controller::apiDidFailWithError(const TarvelloError& error, int functionName) {
    Q_UNUSED(error);
    Q_UNUSED(functionName);
    lookup_ = nullptr;
    // Forget the prefix, so the next change asks again.
    tempBankNumber_ = QString("");
    showAlertMessage(CatalogLook::text("GlobalTexts", "connError"));
}

void SingupStep3Controller::nextStep() {
    backgroundTouched();
    const QString country = QStringLiteral("AR");
    const bool nameOk = !accountName_->text().isEmpty();
    const bool idOk =
        BankAccount::isValidAccountNameAssociatedNumber(accountPersonalID_->text(), country);
    const bool keyOk =
        BankAccount::isValidAccountUniqueNumber(accountUniqueNumber_->text(), country);
    const bool bankOk = !bankName_->text().isEmpty();
    if (nameOk && idOk && keyOk && bankOk) {
        performSegueWithIdentifier(OnboardingScreens::signupCompletedSegue, this);
        return;
    }
    if (!nameOk)
        setFieldColor(accountName_, kErrorColor);
    if (!keyOk || !bankOk)
        setFieldColor(accountUniqueNumber_, kErrorColor);
    if (!idOk)
        setFieldColor(accountPersonalID_, kErrorColor);
    showAlertMessage(CatalogLook::text("SignupStep3", "errorInFields"));
}

bool SingupStep3Controller::shouldPerformSegueWithIdentifier(const QString& identifier,
                                                             QObject* sender) {
    Q_UNUSED(sender);
    if (identifier != OnboardingScreens::cancelSignup3Segue)
        return true;
    if (User::instance().token().isEmpty())
        LoginTransitionCoordinator().transitionToLoginScreen();
    else
        LoginTransitionCoordinator().transitionToMainView();
    return false;
}
