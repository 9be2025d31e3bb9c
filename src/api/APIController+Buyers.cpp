// Sub-user, buyer, feedback and balance requests.
#include "api/APIController+Fields.h"
#include "api/APIController.h"

using namespace EndpointFields;

namespace {

// The identifier is percent-encoded: it stays one path segment whatever it holds.
QString messagesPath(const QString& feedbackId) {
    return QStringLiteral("/feedback/%1/message").arg(APIController::escapedComponent(feedbackId));
}

} // namespace

void APIController::getSubUsersForUserId(const QString& userId, const QString& token) {
    setFunctionName(79);
    loadUrl(QStringLiteral("/users/getSubUsers.json"), userFields(userId, token));
}

void APIController::saveSubUserWithId(const QString& subUserId, const QString& email,
                                      const QString& firstName, const QString& lastName,
                                      const QImage& image, bool canAccessUserHistory,
                                      bool canAccessFullHistory, bool canMakeRefunds,
                                      bool canMakeCancelations, bool canEditCatalog,
                                      bool canEditGeneralSettings, bool canCreateSubUsers,
                                      bool canAccessBuyers, const QString& createdByUserId,
                                      const QString& userId, const QString& token) {
    setFunctionName(80);
    QVariantMap fields = userFields(userId, token);
    fields.insert("subUserId", subUserId);
    fields.insert("firstName", firstName);
    fields.insert("lastName", lastName);
    fields.insert("email", trimmedSpaces(email));
    if (!image.isNull())
        fields.insert("profileImage", image);
    fields.insert("userHistory", flag(canAccessUserHistory));
    fields.insert("fullHistory", flag(canAccessFullHistory));
    fields.insert("refunds", flag(canMakeRefunds));
    fields.insert("annulments", flag(canMakeCancelations));
    fields.insert("catalogEditor", flag(canEditCatalog));
    fields.insert("createSubusers", flag(canCreateSubUsers));
    // The general-settings permission covers tips, discounts, signature and promotions.
    for (const char* key : {"editTips", "editDiscounts", "editSignature", "editPromos"})
        fields.insert(QLatin1String(key), flag(canEditGeneralSettings));
    fields.insert("editClients", flag(canAccessBuyers));
    fields.insert("parentId", createdByUserId);
    loadUrl(QStringLiteral("/users/saveSubUser.json"), fields);
}

void APIController::updateSubUserWithId(const QString& subUserId, bool state, const QString& userId,
                                        const QString& token,
                                        const std::optional<QString>& newParentUserId) {
    setFunctionName(81);
    QVariantMap fields = userFields(userId, token);
    fields.insert("subUserId", subUserId);
    fields.insert("enabled", flag(state));
    if (newParentUserId)
        fields.insert("toParentId", *newParentUserId);
    loadUrl(QStringLiteral("/users/updateSubUserState.json"), fields);
}

void APIController::deleteSubUserWithId(const QString& subUserId, const QString& userId,
                                        const QString& token,
                                        const std::optional<QString>& newParentUserId) {
    setFunctionName(82);
    QVariantMap fields = userFields(userId, token);
    fields.insert("subUserId", subUserId);
    if (newParentUserId)
        fields.insert("toParentId", *newParentUserId);
    loadUrl(QStringLiteral("/users/deleteSubUser.json"), fields);
}

void APIController::transferSubusersFromParentId(const QString& fromParentId,
                                                 const QString& toParentUserId,
                                                 const QString& userId, const QString& token) {
    setFunctionName(83);
    QVariantMap fields = userFields(userId, token);
    fields.insert("fromParentId", fromParentId);
    fields.insert("toParentId", toParentUserId);
    loadUrl(QStringLiteral("/users/transferSubUser.json"), fields);
}

void APIController::getBuyersForUserId(const QString& userId, const QString& token) {
    setFunctionName(84);
    loadUrl(QStringLiteral("/buyers/getBuyers.json"), userFields(userId, token));
}

void APIController::getBuyersWithId(const QString& buyerId, const QString& token) {
    setFunctionName(84);
    loadUrl(QStringLiteral("/buyers/getBuyers.json"), {{"buyerId", buyerId}, {"token", token}});
}

void APIController::saveBuyerWithId(
    const QString& buyerId, const QString& email, const QString& fullName, const QImage& image,
    const QString& address, const QString& province, const QString& city, const QString& zipCode,
    const QString& countryId, const QString& birthdate, const QString& phone,
    const QString& personalId, const QString& personalIdType, const QString& saleId,
    const QString& userId, const QString& token, const QString& deleteImage) {
    setFunctionName(85);
    QVariantMap fields = userFields(userId, token);
    fields.insert("buyerId", buyerId);
    fields.insert("fullName", fullName);
    fields.insert("firstName", fullName);
    fields.insert("email", trimmedSpaces(email));
    fields.insert("address", address);
    fields.insert("province", province);
    fields.insert("city", city);
    fields.insert("zipCode", zipCode);
    fields.insert("countryId", countryId);
    fields.insert("birthdate", birthdate);
    fields.insert("phone", phone);
    fields.insert("identificationNumber", personalId);
    fields.insert("identificationType", personalIdType);
    fields.insert("saleId", saleId);
    fields.insert("deleteImage", deleteImage);
    if (!image.isNull())
        fields.insert("buyerImage", image);
    loadUrl(QStringLiteral("/buyers/saveBuyer.json"), fields);
}

void APIController::deleteBuyerWithId(const QString& buyerId, const QString& userId,
                                      const QString& token) {
    setFunctionName(86);
    QVariantMap fields = userFields(userId, token);
    fields.insert("buyerId", buyerId);
    loadUrl(QStringLiteral("/buyers/deleteBuyer.json"), fields);
}

void APIController::getCountriesWithUserId(const QString& userId, const QString& token) {
    setFunctionName(87);
    loadUrl(QStringLiteral("/buyers/getCountries.json"), userFields(userId, token));
}

void APIController::getBuyersWithPersonalId(const QString& personalId, const QString& token) {
    setFunctionName(84);
    loadUrl(QStringLiteral("/buyers/find"), {{"dni", personalId}, {"token", token}});
}

void APIController::getFeedbackWithUserId(const QString& userId, const QString& token,
                                          const QString& freeTextSearch, int pageNumber) {
    setFunctionName(88);
    QVariantMap fields = userFields(userId, token);
    fields.insert("search", freeTextSearch);
    fields.insert("page", integer(pageNumber));
    loadUrl(QStringLiteral("/feedback/getFeedback.json"), fields);
}

void APIController::setFeedbackReadState(bool read, const QString& feedbackId,
                                         const QString& userId, const QString& token) {
    setFunctionName(89);
    QVariantMap fields = userFields(userId, token);
    fields.insert("feedbackId", feedbackId);
    fields.insert("read", flag(read));
    loadUrl(QStringLiteral("/feedback/saveFeedbackReadState.json"), fields);
}

void APIController::getFeedbacksWithToken(const QString& token, int pageNumber) {
    setFunctionName(88);
    getUrl(QStringLiteral("/feedback"), {{"token", token}, {"page", integer(pageNumber)}});
}

void APIController::getFeedbackMessagessWithId(const QString& feedbackId, const QString& token) {
    setFunctionName(88);
    getUrl(messagesPath(feedbackId), {{"token", token}});
}

void APIController::saveFeedbackReply(const QString& message, const QString& feedbackId,
                                      const QString& token) {
    setFunctionName(90);
    loadUrl(messagesPath(feedbackId), {{"token", token}, {"message", message}});
}

void APIController::getBalanceForUserId(const QString& userId, const QString& token) {
    setFunctionName(91);
    loadUrl(QStringLiteral("/account/getBalance.json"), userFields(userId, token));
}

void APIController::getBankAccountForUserId(const QString& userId, const QString& token) {
    setFunctionName(92);
    loadUrl(QStringLiteral("/account/getBankAccounts.json"), userFields(userId, token));
}

void APIController::makeCashoutOfAmount(double amount, const QString& userId, const QString& token,
                                        const QString& account) {
    setFunctionName(93);
    QVariantMap fields = userFields(userId, token);
    fields.insert("amount", money(amount));
    fields.insert("fullAccountNumber", account);
    loadUrl(QStringLiteral("/account/makeCashout.json"), fields);
}
