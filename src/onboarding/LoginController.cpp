#include "onboarding/LoginController.h"

#include "SDK/login/LoginHelper.h"
#include "SDK/session/AccountSettings.h"
#include "SDK/session/CacheHelper.h"
#include "SDK/session/User.h"
#include "api/APIController.h"
#include "catalog/CatalogLook.h"
#include "model/Buyers.h"
#include "onboarding/ForgotPasswordController.h"
#include "onboarding/LoginTransitionCoordinator.h"
#include "onboarding/OnboardingScreens.h"
#include "platform/core/Logging.h"
#include "platform/core/UserDefaults.h"
#include "platform/core/VersionDispatch.h"
#include "platform/ui/Clock.h"
#include "platform/ui/KeyboardNotifications.h"
#include "platform/ui/Services.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/View.h"
#include "ui_kit/AlertController.h"
#include "ui_kit/AutoLayoutUtilities.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSysInfo>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <sys/utsname.h>

namespace {

QString loginText(const char* section, const char* key) {
    return CatalogLook::text(QString::fromLatin1(section), QString::fromLatin1(key));
}

// A value of the reply; JSON null and non-text values count as missing.
QString replyText(const QVariantMap& map, const QString& key) {
    const QVariant value = map.value(key);
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong ||
        value.typeId() == QMetaType::Double)
        return value.toString();
    return QString();
}

QVariantMap replyMap(const QVariantMap& map, const QString& key) {
    const QVariant value = map.value(key);
    return value.typeId() == QMetaType::QVariantMap ? value.toMap() : QVariantMap();
}

bool hasValue(const QVariantMap& map, const QString& key) {
    const QVariant value = map.value(key);
    return value.isValid() && !value.isNull() && value.typeId() != QMetaType::Nullptr;
}

QString machineName() {
    struct utsname name {};
    if (uname(&name) != 0)
        return QString();
    return QString::fromUtf8(name.machine);
}

QString infoString(const char* key) {
    return VersionDispatch::infoBundle().infoDictionary.value(QString::fromLatin1(key)).toString();
}

} // namespace

LoginController::LoginController(QObject* parent)
    : ViewController(parent) {}

LoginController::~LoginController() = default;

QWidget* LoginController::loadView() {
    auto* page = new QWidget();
    auto* pageColumn = new QVBoxLayout(page);
    pageColumn->setContentsMargins(0, 0, 0, 0);
    scrollView_ = new QScrollArea(page);
    scrollView_->setObjectName(QStringLiteral("scrollView"));
    scrollView_->setFrameShape(QFrame::NoFrame);
    scrollView_->setWidgetResizable(true);
    scrollView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pageColumn->addWidget(scrollView_);
    auto* root = new QWidget();
    root->setObjectName(QStringLiteral("scrollContent"));
    scrollView_->setWidget(root);
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(kContentMargins);
    column->setSpacing(12);
    auto* bar = new QHBoxLayout();
    cancelButton_ = new QPushButton(root);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    cancelButton_->setFlat(true);
    connect(cancelButton_, &QPushButton::clicked, this, [this] { cancel(); });
    bar->addWidget(cancelButton_);
    bar->addStretch();
    column->addLayout(bar);
    logo_ = new QLabel(root);
    logo_->setObjectName(QStringLiteral("logo"));
    logo_->setAlignment(Qt::AlignCenter);
    column->addWidget(logo_);
    auto* container = new QWidget(root);
    container->setObjectName(QStringLiteral("loginContainer"));
    container->setStyleSheet(QStringLiteral(
        "#loginContainer { background: white; border: 1px solid rgb(200,200,200); }"));
    auto* fields = new QVBoxLayout(container);
    fields->setContentsMargins(8, 4, 8, 4);
    emailAddress_ = new TextField(container);
    emailAddress_->setObjectName(QStringLiteral("emailAddress"));
    emailAddress_->setKeyboardType(TextField::KeyboardType::EmailAddress);
    fields->addWidget(emailAddress_);
    auto* div = new QWidget(container);
    div->setObjectName(QStringLiteral("loginDiv"));
    div->setFixedHeight(1);
    View::setBackgroundColor(div, QColor(200, 200, 200));
    fields->addWidget(div);
    auto* passwordRow = new QHBoxLayout();
    password_ = new TextField(container);
    password_->setObjectName(QStringLiteral("password"));
    password_->setEchoMode(QLineEdit::Password);
    passwordRow->addWidget(password_);
    showPasswordButton_ = new QPushButton(container);
    showPasswordButton_->setObjectName(QStringLiteral("showPasswordButton"));
    showPasswordButton_->setCheckable(true);
    showPasswordButton_->setFlat(true);
    showPasswordButton_->setText(QStringLiteral("👁"));
    connect(showPasswordButton_, &QPushButton::clicked, this, [this] { toogleShowPassword(); });
    passwordRow->addWidget(showPasswordButton_);
    fields->addLayout(passwordRow);
    column->addWidget(container);
    loginButtonSquared_ = new QPushButton(root);
    loginButtonSquared_->setObjectName(QStringLiteral("loginButtonSquared"));
    loginButtonSquared_->setMinimumHeight(44);
    connect(loginButtonSquared_, &QPushButton::clicked, this, [this] { login(); });
    column->addWidget(loginButtonSquared_);
    forgotPasswordLabel_ = new QPushButton(root);
    forgotPasswordLabel_->setObjectName(QStringLiteral("forgotPasswordLabel"));
    forgotPasswordLabel_->setFlat(true);
    connect(forgotPasswordLabel_, &QPushButton::clicked, this, [this] { forgotPassword(); });
    column->addWidget(forgotPasswordLabel_);
    column->addStretch();
    versionLabel_ = new QLabel(root);
    versionLabel_->setObjectName(QStringLiteral("versionLabel"));
    versionLabel_->setAlignment(Qt::AlignCenter);
    column->addWidget(versionLabel_);
    for (TextField* field : {emailAddress_, password_}) {
        field->setDelegate(this);
        connect(field, &TextField::editingChanged, this, [this] { checkCredentials(); });
    }
    return page;
}

void LoginController::viewDidLoad() {
    const QString version = infoString("CFBundleVersion");
    Logging::info(tarvelloSdk, version);
    versionLabel_->setText(
        QStringLiteral("%1 %2").arg(loginText("GlobalTexts", "version"), version));
    KeyboardNotifications& keyboard = KeyboardNotifications::instance();
    connect(&keyboard, &KeyboardNotifications::keyboardDidShow, this,
            [this](const QRect&, const QRect& end, int) { keyboardFrameWillChange(end); });
    connect(&keyboard, &KeyboardNotifications::keyboardWillHide, this,
            [this](const QRect&, const QRect& end, int) { keyboardFrameWillChange(end); });
    hardware_ = machineName();
    const QColor theme = CatalogLook::mainColor();
    for (TextField* field : {emailAddress_, password_}) {
        QPalette palette = field->palette();
        palette.setColor(QPalette::Text, QColor::fromRgbF(0.2f, 0.2f, 0.2f));
        field->setPalette(palette);
    }
    const QColor darker = darkerColorForColor(theme);
    loginButtonSquared_->setStyleSheet(
        QStringLiteral("QPushButton { background: %1; color: white; border: none; }"
                       "QPushButton:pressed { background: %2; }")
            .arg(theme.name(), darker.name()));
    forgotPasswordLabel_->setStyleSheet(QStringLiteral("color: rgb(51,51,51); border: none;"));
    loginButtonSquared_->setEnabled(true);
    logo_->setPixmap(
        QPixmap::fromImage(CatalogLook::image(QStringLiteral("loginLogoTarvello.png"))));
    View::setBackgroundColor(view(), Qt::white);
    View::setBackgroundColor(scrollView_->widget(), Qt::white);
}

void LoginController::keyboardFrameWillChange(const QRect& endFrame) {
    QWidget* shown = view();
    if (!shown)
        return;
    // The part of the keyboard over the window: nothing once it has slid out below it.
    const QRect window(QPoint(0, 0), shown->window()->size());
    const int bottom = endFrame.intersected(window).height();
    contentInset_ = QMargins(0, contentInset_.top(), 0, bottom);
    scrollView_->widget()->layout()->setContentsMargins(kContentMargins +
                                                        QMargins(0, 0, 0, bottom));
    if (Device::current().screenSize().height() != 480 || !logo_ || logo_->isHidden() ||
        logoLeaving_)
        return;
    // A short screen gives the logo's room to the form for the life of the screen.
    logoLeaving_ = true;
    const int from = logo_->sizeHint().height();
    QPointer<QLabel> logo = logo_;
    QPointer<QScrollArea> scroll = scrollView_;
    const int top = contentInset_.top();
    Clock::current().animate(
        kLogoRemovalMs, logo_,
        [logo, from](double p) {
            if (logo)
                logo->setMaximumHeight(int(from * (1 - p)));
        },
        [logo, scroll, top](bool) {
            if (logo)
                logo->hide();
            if (scroll)
                scroll->verticalScrollBar()->setValue(-top);
        });
}

void LoginController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    password_->setText(QString());
    UserDefaults& store = UserDefaults::standardUserDefaults();
    emailAddress_->setText(store.hasKey(QStringLiteral("lastUserEmail"))
                               ? store.stringForKey(QStringLiteral("lastUserEmail"))
                               : QString());
    emailAddress_->setPlaceholderText(loginText("Login", "emailAddress"));
    password_->setPlaceholderText(loginText("Login", "password"));
    forgotPasswordLabel_->setText(loginText("Login", "forgotPasswordLabel"));
    loginButtonSquared_->setText(loginText("Login", "loginButton"));
    cancelButton_->setText(loginText("GlobalTexts", "cancel"));
    if (!enforcedUserAccount_.isEmpty()) {
        emailAddress_->setText(enforcedUserAccount_);
        emailAddress_->setEnabled(false);
    }
}

void LoginController::viewDidAppear(bool animated) {
    ViewController::viewDidAppear(animated);
    if (Device::current().screenSize().height() > 600) {
        if (!emailAddress_->text().isEmpty())
            password_->becomeFirstResponder();
        else
            emailAddress_->becomeFirstResponder();
    }
    CacheHelper cache;
    if (cache.isSessionExpired()) {
        cache.removeSessionExpire();
        AlertController* alert = AlertController::alertControllerWithTitle(
            QString(""), loginText("GlobalTexts", "sessionExpired"));
        alert->addAction(AlertAction::actionWithTitle(QStringLiteral("OK"), 1));
        presentViewController(alert, true);
    }
}

void LoginController::login() {
    if (requestInFlight_)
        return;
    const QString email = emailAddress_->text();
    const QString password = password_->text();
    if (!isValidEmail(email) || !isValidPassword(password))
        return;
    FirstResponder::endEditing(view());
    setNavigationButtonsEnabled(false);
    displayLoadingIndicator();
    loginWithEmailAndPassword(email, password);
}

bool LoginController::isValidEmail(const QString& email) {
    if (isEmpty(email)) {
        emailAddress_->becomeFirstResponder();
        presentGenericAlertControllerWithMessage(loginText("Login", "emptyEmailField"),
                                                 loginText("TaxAmounts", "accept"));
        return false;
    }
    if (!AutoLayoutUtilities::IsValidLoginEmail(email)) {
        emailAddress_->becomeFirstResponder();
        return false;
    }
    if (!enforcedDomain_.isEmpty()) {
        const QStringList parts = email.split(QLatin1Char('@'));
        if (parts.size() < 2 || parts.at(1) != enforcedDomain_) {
            emailAddress_->becomeFirstResponder();
            presentGenericAlertControllerWithMessage(loginText("Login", "errorMessage"),
                                                     loginText("TaxAmounts", "accept"));
            return false;
        }
    }
    return true;
}

bool LoginController::isValidPassword(const QString& password) {
    if (isEmpty(password)) {
        presentGenericAlertControllerWithMessage(loginText("Login", "emptyPasswordField"),
                                                 loginText("TaxAmounts", "accept"));
        password_->becomeFirstResponder();
        return false;
    }
    return true;
}

void LoginController::loginWithEmailAndPassword(const QString& email, const QString& password) {
    // The session check stores the device identifier first; without it the login makes it.
    const QString uuid = LoginHelper::deviceIdentifier();
    auto* client = new APIController(this);
    client->setDelegate(this);
    requestInFlight_ = true;
    client->loadUser(email, password, uuid, QSysInfo::productType() + QSysInfo::productVersion(),
                     hardware_, QString(""), infoString("CFBundleVersion"));
}

void LoginController::presentGenericAlertControllerWithMessage(const QString& message,
                                                               const QString& actionTitle) {
    AlertController* alert = AlertController::alertControllerWithTitle(QString(), message);
    const QString title = actionTitle.isEmpty() ? QStringLiteral("OK") : actionTitle;
    QPointer<LoginController> self(this);
    alert->addAction(AlertAction::actionWithTitle(title, 0, [self](AlertAction*) {
        if (self)
            self->alertControllerDefaultAction();
    }));
    presentViewController(alert, true);
}

void LoginController::presentResponseAlertControllerWithMessage(const QString& message) {
    presentGenericAlertControllerWithMessage(
        message.isEmpty() ? loginText("GlobalTexts", "connError") : message, QStringLiteral("OK"));
}

void LoginController::alertControllerDefaultAction() {
    if (!enforcedUserAccount_.isEmpty())
        password_->becomeFirstResponder();
    else
        emailAddress_->becomeFirstResponder();
}

void LoginController::setNavigationButtonsEnabled(bool enabled) {
    cancelButton_->setEnabled(enabled);
    cancelButton_->setVisible(enabled);
}

QColor LoginController::darkerColorForColor(const QColor& color) {
    if (!color.isValid())
        return QColor();
    const QColor rgb = color.toRgb();
    return QColor::fromRgbF(std::max(0.0f, rgb.redF() - 0.2f), std::max(0.0f, rgb.greenF() - 0.2f),
                            std::max(0.0f, rgb.blueF() - 0.2f), rgb.alphaF());
}

void LoginController::checkCredentials() {
    const bool enabled = !emailAddress_->text().isEmpty() && !password_->text().isEmpty();
    loginButtonSquared_->setEnabled(enabled);
}

void LoginController::toogleShowPassword() {
    const bool shown = password_->echoMode() == QLineEdit::Normal;
    password_->setEchoMode(shown ? QLineEdit::Password : QLineEdit::Normal);
    showPasswordButton_->setChecked(!shown);
}

void LoginController::cancel() {
    if (delegate_)
        delegate_->loginCanceledInLoginController(this);
    dismissViewControllerAnimated(true);
}

void LoginController::nextField() {
    password_->becomeFirstResponder();
}

void LoginController::previousField() {
    emailAddress_->becomeFirstResponder();
}

void LoginController::forgotPassword() {
    performSegueWithIdentifier(OnboardingScreens::forgotPassSegue, this);
}

void LoginController::signup() {
    performSegueWithIdentifier(OnboardingScreens::signupSegue, this);
}

bool LoginController::textFieldShouldReturn(TextField* field) {
    if (field == emailAddress_)
        password_->becomeFirstResponder();
    else if (field == password_)
        login();
    return true;
}

void LoginController::prepareForSegue(StoryboardSegue& segue, QObject* sender) {
    Q_UNUSED(sender);
    if (segue.identifier() == OnboardingScreens::forgotPassSegue) {
        if (auto* reset =
                qobject_cast<ForgotPasswordController*>(segue.destinationViewController()))
            reset->setTmpEmail(User::isValidEmail(emailAddress_->text()) ? emailAddress_->text()
                                                                         : QString(""));
    }
}

void LoginController::apiDidFailWithError(const TarvelloError& error, int functionName) {
    Q_UNUSED(error);
    Q_UNUSED(functionName);
    requestInFlight_ = false;
    setNavigationButtonsEnabled(true);
    hideLoadingIndicator();
    presentGenericAlertControllerWithMessage(loginText("GlobalTexts", "connError"),
                                             QStringLiteral("OK"));
}

bool LoginController::apiDidFinishDownloadingWithDictionary(
    int functionName, const std::optional<QVariantMap>& dictionary) {
    const QVariantMap reply = dictionary.value_or(QVariantMap());
    const QVariantMap response = replyMap(reply, QStringLiteral("response"));
    if (hasValue(reply, QStringLiteral("error"))) {
        requestInFlight_ = false;
        hideLoadingIndicator();
        setNavigationButtonsEnabled(true);
        const QString error = replyText(reply, QStringLiteral("error"));
        const QString message = replyText(response, QStringLiteral("message"));
        if (error == QLatin1String("update_version")) {
            showForcedUpdate(message, replyText(response, QStringLiteral("url")));
        } else if (error == QLatin1String("inexistent_user")) {
            presentResponseAlertControllerWithMessage(loginText("Login", "errorMessage"));
        } else if (error == QLatin1String("unauthorized")) {
            presentResponseAlertControllerWithMessage(
                message.isEmpty() ? loginText("Login", "unauthorized") : message);
        } else if (error == QLatin1String("invalid_activation_key")) {
            presentResponseAlertControllerWithMessage(message);
            UserDefaults& store = UserDefaults::standardUserDefaults();
            store.setObject(QString(""), QStringLiteral("reactivationRequired"));
            store.synchronize();
        } else {
            presentResponseAlertControllerWithMessage(message);
        }
        return true;
    }
    if (replyText(reply, QStringLiteral("success")) != QLatin1String("OK")) {
        apiDidFailWithError(TarvelloError(), functionName);
        return true;
    }
    const QString minVersion = replyText(reply, QStringLiteral("minSDKVersion"));
    const QString updateMessage = replyText(reply, QStringLiteral("updateMessage"));
    const QString storeAddress = replyText(response, QStringLiteral("urlAppStoreIOS"));
    if (!minVersion.isEmpty() && !updateMessage.isEmpty() && !storeAddress.isEmpty() &&
        LoginHelper::compareVersions(minVersion, infoString("CFBundleShortVersionString")) > 0) {
        // Blocked behind the overlay: nothing of the session is kept.
        showForcedUpdate(updateMessage, storeAddress);
        return true;
    }
    requestInFlight_ = false;
    User& user = User::instance();
    user.loadWithDictionary(reply);
    settings_ = &AccountSettings::instance();
    settings_->loadWithDictionary(reply);
    const QVariant buyers = reply.value(QStringLiteral("buyers"));
    Buyers::instance().setBuyersList(buyers.typeId() == QMetaType::QVariantList
                                         ? std::optional<QVariantList>(buyers.toList())
                                         : std::nullopt);
    UserDefaults& store = UserDefaults::standardUserDefaults();
    const QByteArray archived = CacheHelper::encodeAnswer(reply);
    store.setObject(user.emailAddress(), QStringLiteral("lastUserEmail"));
    store.setObject(archived, QStringLiteral("lastUser"));
    store.setObject(archived, QStringLiteral("lastUserSettings"));
    store.setObject(hardware_, QStringLiteral("hardware"));
    store.synchronize();
    if (user.isAccountActive()) {
        loginSuccessful();
    } else {
        hideLoadingIndicator();
        performSegueWithIdentifier(OnboardingScreens::gotoActivateAccountSegue, this);
    }
    return true;
}

void LoginController::showForcedUpdate(const QString& message, const QString& address) {
    AlertController* alert = AlertController::alertControllerWithTitle(QString(""), message);
    alert->addAction(
        AlertAction::actionWithTitle(loginText("GlobalTexts", "update"), 0,
                                     [address](AlertAction*) { openStoreLink(address); }));
    presentViewController(alert, true);
}

void LoginController::openStoreLink(const QString& address) {
    if (address.isEmpty())
        return;
    // Lossy ASCII: anything outside it becomes "?".
    QString ascii;
    for (const QChar c : address)
        ascii += c.unicode() < 128 ? c : QLatin1Char('?');
    if (!LoginHelper::isOpenableUpdateURL(ascii)) {
        Logging::warning(tarvelloSdk, QStringLiteral("Update address refused: not a web address"));
        return;
    }
    Services::urlOpener()->openURL(QUrl(ascii.trimmed()));
}

void LoginController::loginSuccessful() {
    if (delegate_ && !delegate_->loginSuccessfulInLoginController(this)) {
        dismissViewControllerAnimated(true);
        return;
    }
    LoginTransitionCoordinator().transitionToMainView();
}
