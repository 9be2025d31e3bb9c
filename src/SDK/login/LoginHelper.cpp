#include "SDK/login/LoginHelper.h"

#include "SDK/session/AccountSettings.h"
#include "SDK/session/CacheHelper.h"
#include "SDK/session/User.h"
#include "platform/core/Logging.h"
#include "platform/core/UserDefaults.h"
#include "platform/core/Values.h"

#include "SDK/session/SessionTimer.h"
#include "api/APIController.h"
#include "api/HostCredentials.h"
#include "api/SignatureQueue.h"
#include "model/AvailableCreditCards.h"
#include "model/Buyers.h"
#include "model/Catalog.h"
#include "model/Sale.h"
#include "model/values/Currency.h"
#include "platform/core/VersionDispatch.h"
#include "platform/ui/Services.h"
#include "ui_kit/AlertController.h"
#include "ui_kit/texts/Language.h"

#include "platform/core/SafeDictionary.h"

#include <QDebug>
#include <QGeoPositionInfoSource>
#include <QSysInfo>
#include <QUrl>
#include <QUuid>
#include <vector>

namespace {
std::vector<std::function<void()>>& logoutCleanups() {
    static std::vector<std::function<void()>> cleanups;
    return cleanups;
}
} // namespace

namespace {

const QString kLastUser = QStringLiteral("lastUser");
const QString kLastUserSettings = QStringLiteral("lastUserSettings");
const QString kLastMode = QStringLiteral("lastMode");
const QString kDefaultCurrency = QStringLiteral("defaultCurrency");
const QString kActivationCode = QStringLiteral("activationCode");

// The text of a key; the empty text when it is absent, JSON null or not a plain value.
QString textAt(const QVariantMap& dict, const QString& key) {
    const QVariant v = dict.value(key);
    if (v.typeId() != QMetaType::QString && !Values::isNumber(v))
        return QString("");
    return SafeDictionary::safeObjectForKey(dict, key);
}

bool isExactly(const QVariantMap& dict, const QString& key, const char* text) {
    const QVariant v = dict.value(key);
    return v.typeId() == QMetaType::QString && v.toString() == QLatin1String(text);
}

// Shared stores of the sale model that a logout clears.
namespace services {
void sendTokenValidation(LoginHelper* helper, const QString& token, const QString& uuid,
                         const QString& os, const QString& model, const QString& versionCode) {
    auto* client = new APIController(helper);
    client->setDelegate(helper);
    client->isValidToken(token, QString(""), uuid, os, model, QString(""), versionCode);
}
QString infoString(const char* key) {
    return VersionDispatch::infoBundle().infoDictionary.value(QString::fromLatin1(key)).toString();
}
AlertController* updateAlert(const QString& message, std::function<void()> open) {
    AlertController* alert = AlertController::alertControllerWithTitle(QString(""), message);
    alert->addAction(AlertAction::actionWithTitle(Language::textForFile("GlobalTexts", "update"), 0,
                                                  [open](AlertAction*) { open(); }));
    return alert;
}
AlertController* locationAlert() {
    AlertController* alert = AlertController::alertControllerWithTitle(
        QString(), Language::textForFile("GlobalTexts", "geolocationDisabled"));
    alert->addAction(AlertAction::actionWithTitle(QStringLiteral("OK"), 0));
    return alert;
}
void resetCatalog() {
    Catalog& catalog = Catalog::instance();
    catalog.resetCategories();
    catalog.resetProducts();
    catalog.resetDiscounts();
}
void clearAvailableCreditCards() {
    AvailableCreditCards::instance().setList(std::nullopt);
}
} // namespace services

} // namespace

LoginHelper::LoginHelper() = default;

LoginHelper::LoginHelper(LoginHelperDelegate* delegate)
    : delegate_(delegate) {}

LoginHelper::~LoginHelper() = default;

QString LoginHelper::deviceIdentifier() {
    UserDefaults& store = UserDefaults::standardUserDefaults();
    const QString name = QSysInfo::machineHostName();
    if (store.hasKey(kActivationCode)) {
        const QString stored = store.stringForKey(kActivationCode);
        if (stored.size() < name.size() || !stored.startsWith(name)) {
            store.removeObjectForKey(kActivationCode);
            store.synchronize();
        }
    }
    if (!store.hasKey(kActivationCode)) {
        const QString uuid = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
        const QString identifier = QStringLiteral("%1_%2").arg(name, uuid);
        store.setObject(identifier, kActivationCode);
        store.synchronize();
        return identifier;
    }
    return store.stringForKey(kActivationCode);
}

void LoginHelper::checkPermissions() {
    if (!UserDefaults::standardUserDefaults().hasKey(QStringLiteral("locationServicesRequested")))
        return;
    if (!locationServicesAvailable())
        offerAlert(services::locationAlert());
}

bool LoginHelper::locationServicesAvailable() {
    std::unique_ptr<QGeoPositionInfoSource> source(
        QGeoPositionInfoSource::createDefaultSource(nullptr));
    return source && source->error() != QGeoPositionInfoSource::AccessError &&
           source->supportedPositioningMethods() != QGeoPositionInfoSource::NoPositioningMethods;
}

void LoginHelper::validateLogin() {
    const QString identifier = deviceIdentifier();
    user_ = &User::instance();
    settings_ = &AccountSettings::instance();
    // The host's token, checked as the facade checks it: the start order is asserted.
    HostCredentials::checkStarted();
    const QString token = HostCredentials::userToken().value_or(QString());
    services::sendTokenValidation(
        this, token, identifier, QSysInfo::productType() + QSysInfo::productVersion(),
        QSysInfo::currentCpuArchitecture(), services::infoString("CFBundleVersion"));
}

void LoginHelper::handleTokenValidationAnswer(const QVariantMap& answer) {
    if (!user_) {
        user_ = &User::instance();
        settings_ = &AccountSettings::instance();
    }
    const bool success =
        isExactly(answer, QStringLiteral("success"), "OK") && user_->termsAccepted();
    if (success) {
        const QString minVersion = textAt(answer, QStringLiteral("minSDKVersion"));
        const QString message = textAt(answer, QStringLiteral("updateMessage"));
        const QString url = textAt(answer, QStringLiteral("urlAppStoreIOS"));
        if (!minVersion.isEmpty() && !message.isEmpty() && !url.isEmpty() &&
            compareVersions(minVersion, services::infoString("CFBundleShortVersionString")) > 0) {
            mustUpdateAppWithURLString(url, message);
            user_->reset();
            settings_->reset();
            if (delegate_)
                delegate_->mustUpdateApp(url, message);
            return;
        }
        user_->loadWithDictionary(answer);
        settings_->loadWithDictionary(answer);
        const QVariant buyers = answer.value(QStringLiteral("buyers"));
        Buyers::instance().setBuyersList(buyers.typeId() == QMetaType::QVariantList
                                             ? std::optional<QVariantList>(buyers.toList())
                                             : std::nullopt);
        const QByteArray encoded = CacheHelper::encodeAnswer(answer);
        UserDefaults& store = UserDefaults::standardUserDefaults();
        store.setObject(encoded, kLastUser);
        store.setObject(encoded, kLastUserSettings);
        store.synchronize();
        // A validated session starts its inactivity time as a login does.
        SessionTimer::instance().resetTimer();
        // Signatures the back end has not accepted yet go out with the new session.
        SignatureQueue::sharedQueue().sendSignaturesWithUserId(user_->userId(), user_->token());
        if (delegate_)
            delegate_->loginHelperDidFinishLogin(this);
        return;
    }
    if (isExactly(answer, QStringLiteral("error"), "update_version")) {
        const QVariant response = answer.value(QStringLiteral("response"));
        const QVariantMap r =
            response.typeId() == QMetaType::QVariantMap ? response.toMap() : QVariantMap();
        mustUpdateAppWithURLString(textAt(r, QStringLiteral("url")),
                                   textAt(r, QStringLiteral("message")));
    }
    UserDefaults& store = UserDefaults::standardUserDefaults();
    for (const QString& key : {kLastUser, kLastUserSettings, kLastMode})
        store.removeObjectForKey(key);
    store.synchronize();
    if (delegate_)
        delegate_->loginHelperShouldDisplayLoginUI(this);
}

void LoginHelper::handleTokenValidationFailure() {
    sessionExpired();
}

void LoginHelper::apiDidFailWithError(const TarvelloError& error, int functionName) {
    Q_UNUSED(error);
    if (functionName == FunctionCode::IsValidToken)
        handleTokenValidationFailure();
}

bool LoginHelper::apiDidFinishDownloadingWithDictionary(
    int functionName, const std::optional<QVariantMap>& dictionary) {
    if (functionName == FunctionCode::IsValidToken)
        handleTokenValidationAnswer(dictionary.value_or(QVariantMap()));
    return true;
}

bool LoginHelper::sessionExpired() {
    if (user_)
        user_->reset();
    if (settings_)
        settings_->reset();
    if (delegate_)
        delegate_->loginHelperShouldDisplayLoginUI(this);
    return true;
}

bool LoginHelper::sessionExpiredWithMessage(const QString& message) {
    Q_UNUSED(message);
    return sessionExpired();
}

void LoginHelper::mustUpdateAppWithURLString(const QString& url, const QString& message) {
    const QString address = url;
    offerAlert(services::updateAlert(message, [address] {
        if (isOpenableUpdateURL(address))
            Services::urlOpener()->openURL(QUrl(address.trimmed()));
        else
            Logging::warning(tarvelloSdk,
                             QStringLiteral("Update address refused: not a web address"));
    }));
}

void LoginHelper::offerAlert(AlertController* alert) {
    if (!alert)
        return;
    // A delegate that shows the box takes it; otherwise nobody sees it.
    if (!delegate_ || !delegate_->loginHelper(this, alert))
        alert->deleteLater();
}

void LoginHelper::logout() {
    User::instance().reset();
    AccountSettings::instance().reset();
    services::resetCatalog();
    UserDefaults& store = UserDefaults::standardUserDefaults();
    for (const QString& key : {kLastUser, kLastUserSettings, kLastMode, kDefaultCurrency})
        store.removeObjectForKey(key);
    store.synchronize();
    services::clearAvailableCreditCards();
    Currency::instance()->reset();
    Sale::sharedSale().cleanSale();
    for (const auto& cleanup : logoutCleanups())
        cleanup();
}

void LoginHelper::addLogoutCleanup(std::function<void()> cleanup) {
    if (cleanup)
        logoutCleanups().push_back(std::move(cleanup));
}

void LoginHelper::expireSession() {
    CacheHelper().setSessionExpired();
    logout();
}

int LoginHelper::compareVersions(const QString& a, const QString& b) {
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a.at(i).isDigit() && b.at(j).isDigit()) {
            qsizetype ei = i, ej = j;
            while (ei < a.size() && a.at(ei).isDigit())
                ++ei;
            while (ej < b.size() && b.at(ej).isDigit())
                ++ej;
            // Compare the runs as numbers of any length: drop leading zeros, then by length,
            // then digit by digit.
            QStringView ra = QStringView(a).mid(i, ei - i);
            QStringView rb = QStringView(b).mid(j, ej - j);
            while (ra.size() > 1 && ra.front() == QLatin1Char('0'))
                ra = ra.mid(1);
            while (rb.size() > 1 && rb.front() == QLatin1Char('0'))
                rb = rb.mid(1);
            if (ra.size() != rb.size())
                return ra.size() < rb.size() ? -1 : 1;
            if (const int c = ra.compare(rb); c != 0)
                return c < 0 ? -1 : 1;
            i = ei;
            j = ej;
            continue;
        }
        if (a.at(i) != b.at(j))
            return a.at(i) < b.at(j) ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

bool LoginHelper::isOpenableUpdateURL(const QString& url) {
    const QUrl parsed(url.trimmed(), QUrl::StrictMode);
    if (!parsed.isValid() || parsed.host().isEmpty())
        return false;
    const QString scheme = parsed.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}
