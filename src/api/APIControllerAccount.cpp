// Login and user account requests.
#include "api/APIController.h"
#include "api/APIControllerFields.h"

using namespace EndpointFields;

namespace {

// The device and app version that the login and the token check report.
QVariantMap deviceFields(const QString& uuid, const QString& os, const QString& model,
                         const QString& versionName, const QString& versionCode) {
    return QVariantMap{{QStringLiteral("clients"), QStringLiteral("1")},
                       {QStringLiteral("deviceId"), uuid},
                       {QStringLiteral("deviceOS"), os},
                       {QStringLiteral("deviceModel"), model},
                       {QStringLiteral("versionCode"), versionCode},
                       {QStringLiteral("versionName"), versionName}};
}

} // namespace

void APIController::loadUser(const QString& email, const QString& password, const QString& uuid,
                             const QString& os, const QString& model, const QString& versionName,
                             const QString& versionCode) {
    QVariantMap fields = deviceFields(uuid, os, model, versionName, versionCode);
    fields.insert(QStringLiteral("email"), trimmedSpaces(email));
    fields.insert(QStringLiteral("password"), password);
    loadUrlWithCode(FunctionCode::Login, QStringLiteral("/users/login.json"), fields);
}

void APIController::checkPassword(const QString& password, const QString& userId,
                                  const QString& token) {
    loadUrlWithCode(FunctionCode::CheckPassword, QStringLiteral("/users/checkPassword.json"),
                    userFields(userId, token, {{QStringLiteral("password"), password}}));
}

void APIController::getUserExtraInfo(const QString& userId, const QString& token) {
    loadUrlWithCode(FunctionCode::GetExtraInformation,
                    QStringLiteral("/users/getExtraInformation.json"), userFields(userId, token));
}

void APIController::recoverPasswordWithEmail(const QString& email, const QString& password) {
    QVariantMap fields{{QStringLiteral("email"), trimmedSpaces(email)}};
    if (!password.isNull())
        fields.insert(QStringLiteral("password"), password);
    loadUrlWithCode(FunctionCode::ResetPassword, QStringLiteral("/users/resetPassword.json"),
                    fields);
}

void APIController::isValidToken(const QString& token, const QString& userId, const QString& uuid,
                                 const QString& os, const QString& model,
                                 const QString& versionName, const QString& versionCode) {
    QVariantMap fields =
        userFields(userId, token, deviceFields(uuid, os, model, versionName, versionCode));
    fields.insert(QStringLiteral("reload_data"), true);
    loadUrlWithCode(FunctionCode::IsValidToken, QStringLiteral("/users/isValidToken.json"), fields);
}

void APIController::setBranchId(const QString& branchId, const QString& userId,
                                const QString& token) {
    loadUrlWithCode(FunctionCode::SetSubsidiary, QStringLiteral("/users/setSubsidiary.json"),
                    userFields(userId, token, {{QStringLiteral("subsidiaryId"), branchId}}));
}

void APIController::savePushToken(const QString& pushToken, const QString& userId,
                                  const QString& token, const QString& deviceId) {
    loadUrlWithCode(FunctionCode::UpdatePushToken, QStringLiteral("/users/updatePushToken.json"),
                    userFields(userId, token,
                               {{QStringLiteral("push_token"), pushToken},
                                {QStringLiteral("deviceId"), deviceId}}));
}

void APIController::getHelpUrl() {
    loadUrlWithCode(FunctionCode::GetUrls, QStringLiteral("/urls/getUrls.json"), QVariantMap());
}

void APIController::acceptTermsForUserId(const QString& userId, const QString& token) {
    loadUrlWithCode(FunctionCode::AcceptTerms, QStringLiteral("/users/acceptTerms.json"),
                    userFields(userId, token));
}

void APIController::createUserWithEmail(const QString& email, const QString& password,
                                        const QString& firstName, const QString& lastName,
                                        const QImage& image) {
    QVariantMap fields{{QStringLiteral("email"), trimmedSpaces(email)},
                       {QStringLiteral("password"), password},
                       {QStringLiteral("firstName"), firstName},
                       {QStringLiteral("lastName"), lastName}};
    if (!image.isNull())
        fields.insert(QStringLiteral("profileImage"), image);
    loadUrlWithCode(FunctionCode::Register, QStringLiteral("/users/register.json"), fields);
}

void APIController::userExtraInfoWithId(const QString& userId, const QString& token,
                                        const QString& firstName, const QString& lastName,
                                        const QString& address, const QString& provinceId,
                                        const QString& city, const QString& zipCode,
                                        const QString& birthdate, const QString& phone,
                                        const QString& occupation) {
    loadUrlWithCode(FunctionCode::SetExtraInformation,
                    QStringLiteral("/users/setExtraInformation.json"),
                    userFields(userId, token,
                               {{QStringLiteral("firstName"), firstName},
                                {QStringLiteral("lastName"), lastName},
                                {QStringLiteral("address"), address},
                                {QStringLiteral("provinceId"), provinceId},
                                {QStringLiteral("city"), city},
                                {QStringLiteral("zipCode"), zipCode},
                                {QStringLiteral("birthdate"), birthdate},
                                {QStringLiteral("phone"), phone},
                                {QStringLiteral("occupation"), occupation}}));
}

void APIController::activateAccountWithId(const QString& userId, const QString& token,
                                          const QString& accountName,
                                          const QString& accountUniqueNumber,
                                          const QString& accountPersonalIdNumber) {
    loadUrlWithCode(FunctionCode::ActivateAccount, QStringLiteral("/accounts/activateAccount.json"),
                    userFields(userId, token,
                               {{QStringLiteral("accountName"), accountName},
                                {QStringLiteral("cbu"), accountUniqueNumber},
                                {QStringLiteral("cuit"), accountPersonalIdNumber}}));
}

void APIController::getBankNameWithCBU(const QString& cbu, const QString& userId,
                                       const QString& token) {
    loadUrlWithCode(FunctionCode::GetBankName, QStringLiteral("/banks/getBankName.json"),
                    userFields(userId, token, {{QStringLiteral("cbu"), cbu}}));
}

void APIController::confirmAccountWithToken(const QString& token) {
    getUrlWithCode(FunctionCode::ValidateRegistrationToken,
                   QStringLiteral("/register/validateToken"),
                   QVariantMap{{QStringLiteral("registration-token"), token}});
}

void APIController::linkCBUOrAlias(const QString& cbuOrAlias, const QByteArray& jsonContent,
                                   Completion completion, Failure failure) {
    // The JSON content already names the account; the typed text is not sent again.
    (void)cbuOrAlias;
    put(QStringLiteral("/account/bank-account"), jsonContent, std::move(completion),
        std::move(failure));
}
