#include "SDK/session/User.h"

#include "SDK/session/CacheHelper.h"
#include "platform/core/DocumentsFolder.h"
#include "platform/core/Redaction.h"
#include "platform/core/SafeDictionary.h"
#include "platform/core/UserDefaults.h"
#include "platform/core/Values.h"
#include "ui_kit/texts/Language.h"

#include <QMutex>
#include <QRegularExpression>

User::User() {
    reset();
}

User& User::instance() {
    static QMutex lock;
    static std::unique_ptr<User> shared;
    QMutexLocker locker(&lock);
    if (!shared)
        shared = std::make_unique<User>();
    return *shared;
}

void User::setToken(const QString& value) {
    token_ = value;
    Redaction::addSecret(value);
}

void User::reset() {
    isAccountActive_ = false;
    userId_ = token_ = emailAddress_ = firstName_ = lastName_ = QString("");
    image_ = QImage();
    imageURL_ = QString("");
    birthdate_ = QDateTime();
    address_ = city_ = zipCode_ = phone_ = occupation_ = countryCode_ = QString("");
    provinceId_ = 0;
    countryCodeNumeric_ = QStringLiteral("484");
    canUseLendings_ = false;
    branches_ = QVariantList();
    branchName_ = QString("");
    branchId_ = 0;
    helpURLs_ =
        QVariantMap{{QStringLiteral("es"), defaultHelpURL}, {QStringLiteral("en"), defaultHelpURL}};
    termsURLs_ = QVariantMap{{QStringLiteral("es"), defaultTermsURL},
                             {QStringLiteral("en"), defaultTermsURL}};
    readerPurchased_ = false;
    isLoggedIn_ = false;
    sessionTimeout_ = 0;
    termsAccepted_ = true;
}

std::unique_ptr<User> User::copy() const {
    auto user = std::make_unique<User>(*this);
    user->canUseLendings_ = false;
    return user;
}

namespace {

// A text field: texts as they are, numbers as their decimal text, anything else empty.
QString textOf(const QVariant& value) {
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    if (Values::isNumber(value))
        return Values::describe(value);
    return QString("");
}

// Read as an integer, truncated to 32 bits.
int int32Of(const QVariant& value) {
    if (value.typeId() == QMetaType::QString)
        return Values::lenientInt32(value.toString());
    return static_cast<int>(Values::integerValue(value));
}

} // namespace

void User::loadWithDictionary(const QVariantMap& answer) {
    isLoggedIn_ = true;
    auto has = [&answer](const char* key) { return answer.contains(QString::fromLatin1(key)); };
    auto at = [&answer](const char* key) { return answer.value(QString::fromLatin1(key)); };

    if (has("accountActive"))
        isAccountActive_ = Values::boolValue(at("accountActive"));
    if (has("userId"))
        userId_ = QString::number(int32Of(at("userId")));
    if (has("token"))
        setToken(textOf(at("token")));
    if (has("email"))
        emailAddress_ = textOf(at("email"));
    if (has("firstName"))
        firstName_ = textOf(at("firstName"));
    if (has("lastName"))
        lastName_ = textOf(at("lastName"));
    if (has("profileImageUrl"))
        imageURL_ = textOf(at("profileImageUrl"));
    image_ = QImage();
    if (has("birthdate")) {
        const QDate date = QDate::fromString(textOf(at("birthdate")), QStringLiteral("yyyy-MM-dd"));
        birthdate_ = date.isValid() ? QDateTime(date, QTime(0, 0), Qt::LocalTime) : QDateTime();
    }
    if (has("address"))
        address_ = textOf(at("address"));
    if (has("city"))
        city_ = textOf(at("city"));
    if (has("provinceId"))
        provinceId_ = int32Of(at("provinceId"));
    if (has("zipCode"))
        zipCode_ = textOf(at("zipCode"));
    if (has("phone"))
        phone_ = textOf(at("phone"));
    if (has("occupation"))
        occupation_ = textOf(at("occupation"));
    if (has("countryCode"))
        countryCode_ = textOf(at("countryCode"));
    if (has("countryCodeNumeric"))
        countryCodeNumeric_ = textOf(at("countryCodeNumeric"));
    if (SafeDictionary::hasKey(answer, QStringLiteral("canUseLending")))
        canUseLendings_ = Values::boolValue(at("canUseLending"));
    if (has("subsidiaries"))
        branches_ = at("subsidiaries").toList();
    if (has("subsidiaryName"))
        branchName_ = textOf(at("subsidiaryName"));
    if (has("defaultSubsidiaryId"))
        branchId_ = int32Of(at("defaultSubsidiaryId"));
    if (has("helpURLes") && has("helpURLen"))
        helpURLs_ = QVariantMap{{QStringLiteral("es"), at("helpURLes")},
                                {QStringLiteral("en"), at("helpURLen")}};
    QVariantMap terms;
    if (has("termsURLes")) {
        terms.insert(QStringLiteral("es"), at("termsURLes"));
        if (has("termsURLen"))
            terms.insert(QStringLiteral("en"), at("termsURLen"));
    }
    if (has("termsURLLastes")) {
        terms.insert(QStringLiteral("lastes"), at("termsURLLastes"));
        if (has("termsURLLasten"))
            terms.insert(QStringLiteral("lasten"), at("termsURLLasten"));
    }
    termsURLs_ = terms;
    if (has("sessionTimeout"))
        sessionTimeout_ = int32Of(at("sessionTimeout"));
}

void User::changePicture(const QImage& picture, const QString& url) {
    image_ = picture;
    DocumentsFolder::removePictureForURL(imageURL_);
    imageURL_ = url;
    UserDefaults& store = UserDefaults::standardUserDefaults();
    const QString key = QStringLiteral("lastUser");
    if (!store.hasKey(key))
        return; // no stored answer to rewrite
    QVariantMap answer = CacheHelper::decodeAnswer(store.objectForKey(key).toByteArray());
    answer.insert(QStringLiteral("profileImageUrl"), imageURL_);
    store.setObject(CacheHelper::encodeAnswer(answer), key);
    store.synchronize();
}

bool User::isValidEmail(const QString& email) {
    static const QRegularExpression pattern(
        QStringLiteral("\\A[A-Z0-9a-z._%+-]+@[A-Za-z0-9.-]+\\.[A-Za-z]{2,4}\\z"));
    qsizetype start = 0;
    qsizetype end = email.size();
    while (start < end && email[start] == u' ')
        ++start;
    while (end > start && email[end - 1] == u' ')
        --end;
    return pattern.match(email.mid(start, end - start)).hasMatch();
}

bool User::isValidPassword(const QString& password) {
    static const QRegularExpression pattern(QStringLiteral("\\A[A-Z0-9a-z]+\\z"));
    return password.size() >= 8 && password.size() <= 19 && pattern.match(password).hasMatch();
}

UserAccountType::UserAccountType(const QVariantMap& dictionary) {
    using SafeDictionary::hasKey;
    auto at = [&dictionary](const char* key) { return dictionary.value(QString::fromLatin1(key)); };
    if (hasKey(dictionary, QStringLiteral("accountType")))
        type_ =
            Values::describe(at("accountType")).toUpper() == QStringLiteral("OCCASIONAL") ? 0 : 1;
    if (hasKey(dictionary, QStringLiteral("maxMonthlyAmount")))
        maxMounthlyAmount_ = Values::doubleValue(at("maxMonthlyAmount"));
    if (hasKey(dictionary, QStringLiteral("currentMonthlyAmount")))
        currentMounthlyAmount_ = Values::doubleValue(at("currentMonthlyAmount"));
    if (hasKey(dictionary, QStringLiteral("legalName")))
        legalName_ = Values::describe(at("legalName"));
    if (hasKey(dictionary, QStringLiteral("documentNumber")))
        legalNumber_ = Values::describe(at("documentNumber"));
    else if (hasKey(dictionary, QStringLiteral("idFiscal")))
        legalNumber_ = Values::describe(at("idFiscal"));
    if (hasKey(dictionary, QStringLiteral("email")))
        email_ = Values::describe(at("email"));
    if (hasKey(dictionary, QStringLiteral("taxCondition")))
        netIncome_ = Values::describe(at("taxCondition"));
}

std::shared_ptr<UserAccountType> UserAccountType::withDictionary(const QVariantMap& dictionary) {
    return std::make_shared<UserAccountType>(dictionary);
}

std::optional<QString> UserAccountType::description() const {
    if (type_ == 0)
        return Language::textForFile(QStringLiteral("AccountType"), QStringLiteral("occasional"));
    if (type_ == 1)
        return Language::textForFile(QStringLiteral("AccountType"), QStringLiteral("professional"));
    return std::nullopt;
}
