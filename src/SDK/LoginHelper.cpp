#include "SDK/LoginHelper.h"

#include "SDK/AccountSettings.h"
#include "SDK/CacheHelper.h"
#include "SDK/User.h"
#include "platform/core/UserDefaults.h"

#include <QCborValue>
#include <QUrl>

namespace {

const QString kLastUser = QStringLiteral("lastUser");
const QString kLastUserSettings = QStringLiteral("lastUserSettings");
const QString kLastMode = QStringLiteral("lastMode");
const QString kDefaultCurrency = QStringLiteral("defaultCurrency");

// Shared stores of the sale model that a logout clears.
namespace services {
void resetCatalog() {}
void clearAvailableCreditCards() {}
void resetCurrency() {}
void cleanSharedSale() {}
} // namespace services

} // namespace

LoginHelper::LoginHelper() = default;

LoginHelper::LoginHelper(LoginHelperDelegate* delegate)
    : delegate_(delegate) {}

LoginHelper::~LoginHelper() = default;

void LoginHelper::logout() {
    User::instance().reset();
    AccountSettings::instance().reset();
    services::resetCatalog();
    UserDefaults& store = UserDefaults::standardUserDefaults();
    for (const QString& key : {kLastUser, kLastUserSettings, kLastMode, kDefaultCurrency})
        store.removeObjectForKey(key);
    store.synchronize();
    services::clearAvailableCreditCards();
    services::resetCurrency();
    services::cleanSharedSale();
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

QByteArray LoginHelper::encodeAnswer(const QVariantMap& answer) {
    return QCborValue::fromVariant(answer).toCbor();
}

QVariantMap LoginHelper::decodeAnswer(const QByteArray& data) {
    QCborParserError error;
    const QCborValue value = QCborValue::fromCbor(data, &error);
    if (error.error != QCborError::NoError || !value.isMap())
        return {};
    return value.toVariant().toMap();
}
