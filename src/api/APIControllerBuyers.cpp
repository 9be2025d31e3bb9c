// Sub-user, buyer, feedback and balance requests.
#include "api/APIController.h"
#include "api/APIControllerFields.h"

using namespace EndpointFields;

namespace {

// The identifier is percent-encoded: it stays one path segment whatever it holds.
QString messagesPath(const QString& feedbackId) {
    return QStringLiteral("/feedback/%1/message").arg(APIController::escapedComponent(feedbackId));
}

} // namespace

void APIController::getSubUsersForUserId(const QString& userId, const QString& token) {
    loadUrlWithCode(FunctionCode::GetSubUsers, QStringLiteral("/users/getSubUsers.json"),
                    userFields(userId, token));
}

void APIController::saveSubUserWithId(const QString& subUserId, const QString& email,
                                      const QString& firstName, const QString& lastName,
                                      const QImage& image, bool canAccessUserHistory,
                                      bool canAccessFullHistory, bool canMakeRefunds,
                                      bool canMakeCancelations, bool canEditCatalog,
                                      bool canEditGeneralSettings, bool canCreateSubUsers,
                                      bool canAccessBuyers, const QString& createdByUserId,
                                      const QString& userId, const QString& token) {
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
    loadUrlWithCode(FunctionCode::SaveSubUser, QStringLiteral("/users/saveSubUser.json"), fields);
}

void APIController::updateSubUserWithId(const QString& subUserId, bool state, const QString& userId,
                                        const QString& token,
                                        const std::optional<QString>& newParentUserId) {
    QVariantMap fields = userFields(userId, token);
    fields.insert("subUserId", subUserId);
    fields.insert("enabled", flag(state));
    if (newParentUserId)
        fields.insert("toParentId", *newParentUserId);
    loadUrlWithCode(FunctionCode::UpdateSubUserState,
                    QStringLiteral("/users/updateSubUserState.json"), fields);
}

void APIController::deleteSubUserWithId(const QString& subUserId, const QString& userId,
                                        const QString& token,
                                        const std::optional<QString>& newParentUserId) {
    QVariantMap fields = userFields(userId, token);
    fields.insert("subUserId", subUserId);
    if (newParentUserId)
        fields.insert("toParentId", *newParentUserId);
    loadUrlWithCode(FunctionCode::DeleteSubUser, QStringLiteral("/users/deleteSubUser.json"),
                    fields);
}

void APIController::transferSubusersFromParentId(const QString& fromParentId,
                                                 const QString& toParentUserId,
                                                 const QString& userId, const QString& token) {
    loadUrlWithCode(FunctionCode::TransferSubUser, QStringLiteral("/users/transferSubUser.json"),
                    userFields(userId, token,
                               {{"fromParentId", fromParentId}, {"toParentId", toParentUserId}}));
}

void APIController::getBuyersForUserId(const QString& userId, const QString& token) {
    loadUrlWithCode(FunctionCode::GetBuyers, QStringLiteral("/buyers/getBuyers.json"),
                    userFields(userId, token));
}

void APIController::getBuyersWithId(const QString& buyerId, const QString& token) {
    loadUrlWithCode(FunctionCode::GetBuyers, QStringLiteral("/buyers/getBuyers.json"),
                    {{"buyerId", buyerId}, {"token", token}});
}

void APIController::saveBuyerWithId(
    const QString& buyerId, const QString& email, const QString& fullName, const QImage& image,
    const QString& address, const QString& province, const QString& city, const QString& zipCode,
    const QString& countryId, const QString& birthdate, const QString& phone,
    const QString& personalId, const QString& personalIdType, const QString& saleId,
    const QString& userId, const QString& token, const QString& deleteImage) {
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
    loadUrlWithCode(FunctionCode::SaveBuyer, QStringLiteral("/buyers/saveBuyer.json"), fields);
}

void APIController::deleteBuyerWithId(const QString& buyerId, const QString& userId,
                                      const QString& token) {
    loadUrlWithCode(FunctionCode::DeleteBuyer, QStringLiteral("/buyers/deleteBuyer.json"),
                    userFields(userId, token, {{"buyerId", buyerId}}));
}

void APIController::getCountriesWithUserId(const QString& userId, const QString& token) {
    loadUrlWithCode(FunctionCode::GetCountries, QStringLiteral("/buyers/getCountries.json"),
                    userFields(userId, token));
}

void APIController::getBuyersWithPersonalId(const QString& personalId, const QString& token) {
    loadUrlWithCode(FunctionCode::FindBuyer, QStringLiteral("/buyers/find"),
                    {{"dni", personalId}, {"token", token}});
}

void APIController::getFeedbackWithUserId(const QString& userId, const QString& token,
                                          const QString& freeTextSearch, int pageNumber) {
    loadUrlWithCode(
        FunctionCode::GetFeedback, QStringLiteral("/feedback/getFeedback.json"),
        userFields(userId, token, {{"search", freeTextSearch}, {"page", integer(pageNumber)}}));
}

void APIController::setFeedbackReadState(bool read, const QString& feedbackId,
                                         const QString& userId, const QString& token) {
    loadUrlWithCode(FunctionCode::SaveFeedbackReadState,
                    QStringLiteral("/feedback/saveFeedbackReadState.json"),
                    userFields(userId, token, {{"feedbackId", feedbackId}, {"read", flag(read)}}));
}

void APIController::getFeedbacksWithToken(const QString& token, int pageNumber) {
    getUrlWithCode(FunctionCode::GetFeedback, QStringLiteral("/feedback"),
                   {{"token", token}, {"page", integer(pageNumber)}});
}

void APIController::getFeedbackMessagessWithId(const QString& feedbackId, const QString& token) {
    getUrlWithCode(FunctionCode::GetFeedback, messagesPath(feedbackId), {{"token", token}});
}

void APIController::saveFeedbackReply(const QString& message, const QString& feedbackId,
                                      const QString& token) {
    loadUrlWithCode(FunctionCode::SaveFeedbackReply, messagesPath(feedbackId),
                    {{"token", token}, {"message", message}});
}

void APIController::getBalanceForUserId(const QString& userId, const QString& token) {
    loadUrlWithCode(FunctionCode::GetBalance, QStringLiteral("/account/getBalance.json"),
                    userFields(userId, token));
}

void APIController::getBankAccountForUserId(const QString& userId, const QString& token) {
    loadUrlWithCode(FunctionCode::GetBankAccounts, QStringLiteral("/account/getBankAccounts.json"),
                    userFields(userId, token));
}

void APIController::makeCashoutOfAmount(double amount, const QString& userId, const QString& token,
                                        const QString& account) {
    loadUrlWithCode(
        FunctionCode::MakeCashout, QStringLiteral("/account/makeCashout.json"),
        userFields(userId, token, {{"amount", money(amount)}, {"fullAccountNumber", account}}));
}
