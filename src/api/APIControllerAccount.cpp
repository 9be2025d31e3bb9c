// Login and user account requests.
#include "api/APIController+Fields.h"
#include "api/APIController.h"

using namespace EndpointFields;

void APIController::loadUser(const QString& email, const QString& password, const QString& uuid,
                             const QString& os, const QString& model, const QString& versionName,
                             const QString& versionCode) {
    setFunctionName(1);
    const QVariantMap fields{{QStringLiteral("email"), trimmedSpaces(email)},
                             {QStringLiteral("password"), password},
                             {QStringLiteral("clients"), QStringLiteral("1")},
                             {QStringLiteral("deviceId"), uuid},
                             {QStringLiteral("deviceOS"), os},
                             {QStringLiteral("deviceModel"), model},
                             {QStringLiteral("versionCode"), versionCode},
                             {QStringLiteral("versionName"), versionName}};
    loadUrl(QStringLiteral("/users/login.json"), fields);
}

void APIController::checkPassword(const QString& password, const QString& userId,
                                  const QString& token) {
    setFunctionName(2);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("password"), password);
    loadUrl(QStringLiteral("/users/checkPassword.json"), fields);
}

void APIController::getUserExtraInfo(const QString& userId, const QString& token) {
    setFunctionName(3);
    loadUrl(QStringLiteral("/users/getExtraInformation.json"), userFields(userId, token));
}

void APIController::recoverPasswordWithEmail(const QString& email, const QString& password) {
    setFunctionName(4);
    QVariantMap fields{{QStringLiteral("email"), trimmedSpaces(email)}};
    if (!password.isNull())
        fields.insert(QStringLiteral("password"), password);
    loadUrl(QStringLiteral("/users/resetPassword.json"), fields);
}

void APIController::isValidToken(const QString& token, const QString& userId, const QString& uuid,
                                 const QString& os, const QString& model,
                                 const QString& versionName, const QString& versionCode) {
    setFunctionName(5);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("clients"), QStringLiteral("1"));
    fields.insert(QStringLiteral("deviceId"), uuid);
    fields.insert(QStringLiteral("deviceOS"), os);
    fields.insert(QStringLiteral("deviceModel"), model);
    fields.insert(QStringLiteral("reload_data"), true);
    fields.insert(QStringLiteral("versionCode"), versionCode);
    fields.insert(QStringLiteral("versionName"), versionName);
    loadUrl(QStringLiteral("/users/isValidToken.json"), fields);
}

void APIController::setBranchId(const QString& branchId, const QString& userId,
                                const QString& token) {
    setFunctionName(6);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("subsidiaryId"), branchId);
    loadUrl(QStringLiteral("/users/setSubsidiary.json"), fields);
}

void APIController::savePushToken(const QString& pushToken, const QString& userId,
                                  const QString& token, const QString& deviceId) {
    setFunctionName(7);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("push_token"), pushToken);
    fields.insert(QStringLiteral("deviceId"), deviceId);
    loadUrl(QStringLiteral("/users/updatePushToken.json"), fields);
}

void APIController::getHelpUrl() {
    setFunctionName(8);
    loadUrl(QStringLiteral("/urls/getUrls.json"), QVariantMap());
}

void APIController::acceptTermsForUserId(const QString& userId, const QString& token) {
    setFunctionName(9);
    loadUrl(QStringLiteral("/users/acceptTerms.json"), userFields(userId, token));
}

void APIController::createUserWithEmail(const QString& email, const QString& password,
                                        const QString& firstName, const QString& lastName,
                                        const QImage& image) {
    setFunctionName(16);
    QVariantMap fields{{QStringLiteral("email"), trimmedSpaces(email)},
                       {QStringLiteral("password"), password},
                       {QStringLiteral("firstName"), firstName},
                       {QStringLiteral("lastName"), lastName}};
    if (!image.isNull())
        fields.insert(QStringLiteral("profileImage"), image);
    loadUrl(QStringLiteral("/users/register.json"), fields);
}

void APIController::userExtraInfoWithId(const QString& userId, const QString& token,
                                        const QString& firstName, const QString& lastName,
                                        const QString& address, const QString& provinceId,
                                        const QString& city, const QString& zipCode,
                                        const QString& birthdate, const QString& phone,
                                        const QString& occupation) {
    setFunctionName(17);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("firstName"), firstName);
    fields.insert(QStringLiteral("lastName"), lastName);
    fields.insert(QStringLiteral("address"), address);
    fields.insert(QStringLiteral("provinceId"), provinceId);
    fields.insert(QStringLiteral("city"), city);
    fields.insert(QStringLiteral("zipCode"), zipCode);
    fields.insert(QStringLiteral("birthdate"), birthdate);
    fields.insert(QStringLiteral("phone"), phone);
    fields.insert(QStringLiteral("occupation"), occupation);
    loadUrl(QStringLiteral("/users/setExtraInformation.json"), fields);
}

void APIController::activateAccountWithId(const QString& userId, const QString& token,
                                          const QString& accountName,
                                          const QString& accountUniqueNumber,
                                          const QString& accountPersonalIdNumber) {
    setFunctionName(18);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("accountName"), accountName);
    fields.insert(QStringLiteral("cbu"), accountUniqueNumber);
    fields.insert(QStringLiteral("cuit"), accountPersonalIdNumber);
    loadUrl(QStringLiteral("/accounts/activateAccount.json"), fields);
}

void APIController::getBankNameWithCBU(const QString& cbu, const QString& userId,
                                       const QString& token) {
    setFunctionName(19);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("cbu"), cbu);
    loadUrl(QStringLiteral("/banks/getBankName.json"), fields);
}

void APIController::confirmAccountWithToken(const QString& token) {
    setFunctionName(20);
    getUrl(QStringLiteral("/register/validateToken"),
           QVariantMap{{QStringLiteral("registration-token"), token}});
}

void APIController::linkCBUOrAlias(const QString& cbuOrAlias, const QByteArray& jsonContent,
                                   Completion completion, Failure failure) {
    // The JSON content already names the account; the typed text is not sent again.
    (void)cbuOrAlias;
    put(QStringLiteral("/account/bank-account"), jsonContent, std::move(completion),
        std::move(failure));
}
