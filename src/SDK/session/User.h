#pragma once

#include <QDateTime>
#include <QImage>
#include <QString>
#include <QVariantList>
#include <QVariantMap>
#include <memory>
#include <optional>

// The logged-in merchant. One shared instance holds the merchant of the current session; plain
// instances also serve as value records (the seller of a sale).
class User {
public:
    User();

    // The shared user, created on first use.
    static User& instance();

    // Puts every field back to its logged-out default.
    void reset();
    // A new user with every field of this one except canUseLendings (the copy has false).
    std::unique_ptr<User> copy() const;

    // Fills the user from a login or token-validation answer: logged in, then each key that is
    // present sets its field; absent keys leave their fields as they were.
    void loadWithDictionary(const QVariantMap& answer);

    // Takes the new picture and its address on the back end: drops the cached copy of the previous
    // picture from the Documents folder and rewrites the address in the stored login answer.
    void changePicture(const QImage& picture, const QString& url);

    // An e-mail address (spaces at either end ignored) of the form name@domain.tld.
    static bool isValidEmail(const QString& email);
    // 8 to 19 letters and digits of the basic Latin alphabet.
    static bool isValidPassword(const QString& password);

    // The build's help and terms addresses, used for both languages after a reset.
    static inline const QString defaultHelpURL =
        QStringLiteral("https://www.tarvello.example/ayuda");
    static inline const QString defaultTermsURL =
        QStringLiteral("https://www.tarvello.example/terminos");

    bool isAccountActive() const { return isAccountActive_; }
    void setIsAccountActive(bool value) { isAccountActive_ = value; }
    QString userId() const { return userId_; }
    void setUserId(const QString& value) { userId_ = value; }
    QString token() const { return token_; }
    // The session token; the redaction step masks it from now on.
    void setToken(const QString& value);
    QString emailAddress() const { return emailAddress_; }
    void setEmailAddress(const QString& value) { emailAddress_ = value; }
    QString firstName() const { return firstName_; }
    void setFirstName(const QString& value) { firstName_ = value; }
    QString lastName() const { return lastName_; }
    void setLastName(const QString& value) { lastName_ = value; }
    QImage image() const { return image_; }
    void setImage(const QImage& value) { image_ = value; }
    QString imageURL() const { return imageURL_; }
    void setImageURL(const QString& value) { imageURL_ = value; }
    QDateTime birthdate() const { return birthdate_; }
    void setBirthdate(const QDateTime& value) { birthdate_ = value; }
    QString address() const { return address_; }
    void setAddress(const QString& value) { address_ = value; }
    QString city() const { return city_; }
    void setCity(const QString& value) { city_ = value; }
    int provinceId() const { return provinceId_; }
    void setProvinceId(int value) { provinceId_ = value; }
    QString zipCode() const { return zipCode_; }
    void setZipCode(const QString& value) { zipCode_ = value; }
    QString phone() const { return phone_; }
    void setPhone(const QString& value) { phone_ = value; }
    QString occupation() const { return occupation_; }
    void setOccupation(const QString& value) { occupation_ = value; }
    QString countryCode() const { return countryCode_; }
    void setCountryCode(const QString& value) { countryCode_ = value; }
    QString countryCodeNumeric() const { return countryCodeNumeric_; }
    void setCountryCodeNumeric(const QString& value) { countryCodeNumeric_ = value; }
    bool canUseLendings() const { return canUseLendings_; }
    void setCanUseLendings(bool value) { canUseLendings_ = value; }
    QVariantList branches() const { return branches_; }
    void setBranches(const QVariantList& value) { branches_ = value; }
    QString branchName() const { return branchName_; }
    void setBranchName(const QString& value) { branchName_ = value; }
    int branchId() const { return branchId_; }
    void setBranchId(int value) { branchId_ = value; }
    QVariantMap helpURLs() const { return helpURLs_; }
    void setHelpURLs(const QVariantMap& value) { helpURLs_ = value; }
    QVariantMap termsURLs() const { return termsURLs_; }
    void setTermsURLs(const QVariantMap& value) { termsURLs_ = value; }
    bool readerPurchased() const { return readerPurchased_; }
    void setReaderPurchased(bool value) { readerPurchased_ = value; }
    bool isLoggedIn() const { return isLoggedIn_; }
    void setIsLoggedIn(bool value) { isLoggedIn_ = value; }
    int sessionTimeout() const { return sessionTimeout_; }
    void setSessionTimeout(int value) { sessionTimeout_ = value; }
    bool termsAccepted() const { return termsAccepted_; }
    void setTermsAccepted(bool value) { termsAccepted_ = value; }

private:
    bool isAccountActive_ = false;
    QString userId_{};
    QString token_{};
    QString emailAddress_{};
    QString firstName_{};
    QString lastName_{};
    QImage image_{};
    QString imageURL_{};
    QDateTime birthdate_{};
    QString address_{};
    QString city_{};
    int provinceId_ = 0;
    QString zipCode_{};
    QString phone_{};
    QString occupation_{};
    QString countryCode_{};
    QString countryCodeNumeric_{};
    bool canUseLendings_ = false;
    QVariantList branches_{};
    QString branchName_{};
    int branchId_ = 0;
    QVariantMap helpURLs_{};
    QVariantMap termsURLs_{};
    bool readerPurchased_ = false;
    bool isLoggedIn_ = false;
    int sessionTimeout_ = 0;
    bool termsAccepted_ = false;
};

// The merchant's account category and monthly limits.
class UserAccountType {
public:
    UserAccountType() = default;
    // A record read from the answer's "accountType", "maxMonthlyAmount", "currentMonthlyAmount",
    // "legalName", "documentNumber" / "idFiscal", "email" and "taxCondition".
    explicit UserAccountType(const QVariantMap& dictionary);
    static std::shared_ptr<UserAccountType> withDictionary(const QVariantMap& dictionary);
    // The display name of the type ("AccountType" texts), nothing for an unknown type.
    std::optional<QString> description() const;

    quint64 type() const { return type_; }
    void setType(quint64 value) { type_ = value; }
    double maxMounthlyAmount() const { return maxMounthlyAmount_; }
    void setMaxMounthlyAmount(double value) { maxMounthlyAmount_ = value; }
    double currentMounthlyAmount() const { return currentMounthlyAmount_; }
    void setCurrentMounthlyAmount(double value) { currentMounthlyAmount_ = value; }
    QString legalName() const { return legalName_; }
    void setLegalName(const QString& value) { legalName_ = value; }
    QString legalNumber() const { return legalNumber_; }
    void setLegalNumber(const QString& value) { legalNumber_ = value; }
    QString email() const { return email_; }
    void setEmail(const QString& value) { email_ = value; }
    QString netIncome() const { return netIncome_; }
    void setNetIncome(const QString& value) { netIncome_ = value; }

private:
    quint64 type_ = 0;
    double maxMounthlyAmount_ = 0.0;
    double currentMounthlyAmount_ = 0.0;
    QString legalName_{};
    QString legalNumber_{};
    QString email_{};
    QString netIncome_{};
};
