// Sub-users, buyers, feedback and the account's balance, bank accounts and cash-out.

#include "sandbox/routes/EndpointRoutes.h"

using namespace EndpointRoutes;

namespace {

QVariantMap buyer() {
    return {{"buyerId", 501},
            {"fullName", "Ana Gomez"},
            {"email", "ana@example.com"},
            {"identificationNumber", "30111222"},
            {"identificationType", "DNI"}};
}

const bool registered = [] {
    add("POST", "/users/getSubUsers.json", Caller::Session, {},
        okWith({{"data", QVariantList{QVariantMap{
                             {"subUserId", 71}, {"email", "caja@example.com"}, {"enabled", 1}}}}}));
    add("POST", "/users/saveSubUser.json", Caller::Session,
        {"subUserId", "email", "firstName", "lastName", "parentId"},
        [](const SandboxRequest& request, SandboxState& state, SandboxUser*) {
            const QString sent = request.field("subUserId");
            return SandboxReply::ok(
                {{"data", QVariantMap{{"subUserId", sent.isEmpty() ? QVariant(state.nextId())
                                                                   : QVariant(sent)}}}});
        });
    add("POST", "/users/updateSubUserState.json", Caller::Session, {"subUserId", "enabled"},
        okWith({}));
    add("POST", "/users/deleteSubUser.json", Caller::Session, {"subUserId"}, okWith({}));
    add("POST", "/users/transferSubUser.json", Caller::Session, {"fromParentId", "toParentId"},
        okWith({}));
    add("POST", "/buyers/deleteBuyer.json", Caller::Session, {"buyerId"}, okWith({}));
    add("POST", "/buyers/find", Caller::Session, {"dni"},
        [](const SandboxRequest& request, SandboxState&, SandboxUser*) {
            if (request.field("dni") != buyer().value("identificationNumber").toString())
                return SandboxReply::failure(404, QStringLiteral("Comprador no encontrado"),
                                             QStringLiteral("BUYER_NOT_FOUND"));
            return SandboxReply::ok({{"data", buyer()}});
        });
    const QVariantList feedback{
        QVariantMap{{"feedbackId", 31}, {"message", "Excelente atención"}, {"read", 0}}};
    add("POST", "/feedback/getFeedback.json", Caller::Session, {"page"},
        okWith({{"data", feedback}}));
    add("POST", "/feedback/saveFeedbackReadState.json", Caller::Session, {"feedbackId", "read"},
        okWith({}));
    add("GET", "/feedback", Caller::Session, {"page"}, okWith({{"data", feedback}}));
    add("GET", "/feedback/*", Caller::Session, {},
        okWith({{"data", QVariantList{QVariantMap{{"message", "Gracias"}, {"fromMerchant", 1}}}}}));
    add("POST", "/feedback/*", Caller::Session, {"message"}, okWith({}));
    add("POST", "/account/getBalance.json", Caller::Session, {},
        okWith({{"data", QVariantMap{{"available", "1500.00"}, {"toRelease", "250.00"}}}}));
    add("POST", "/account/getBankAccounts.json", Caller::Session, {},
        okWith({{"data", QVariantList{QVariantMap{{"fullAccountNumber", "0110599520000001234567"},
                                                  {"bankName", "Banco Sandbox"}}}}}));
    add("POST", "/account/makeCashout.json", Caller::Session, {"amount", "fullAccountNumber"},
        [](const SandboxRequest& request, SandboxState&, SandboxUser*) {
            if (request.field("amount").toDouble() > 1500.0)
                return SandboxReply::failure(400, QStringLiteral("Saldo insuficiente"),
                                             QStringLiteral("INSUFFICIENT_BALANCE"));
            return SandboxReply::ok({});
        });
    return true;
}();

} // namespace
