// Partner sign-up and PIN, recharges, service payments, deposits, the reader record and the
// reader shop.

#include "sandbox/routes/EndpointRoutes.h"

using namespace EndpointRoutes;

namespace {

const bool registered = [] {
    add("POST", "/users/movila", Caller::ApiKey,
        {"email", "password", "name", "ruc", "phone", "agent_account_number"},
        [](const SandboxRequest& request, SandboxState& state, SandboxUser*) {
            if (state.userByEmail(request.field("email")))
                return SandboxReply::failure(409, QStringLiteral("El usuario ya existe"),
                                             QStringLiteral("USER_EXISTS"));
            return SandboxReply::ok({{"data", QVariantMap{{"userId", state.nextId()}}}});
        });
    add("POST", "/users/movila/pin.json", Caller::Session, {"pin", "subsidiary_id"},
        [](const SandboxRequest& request, SandboxState&, SandboxUser* user) {
            if (request.field("pin") != user->pin)
                return SandboxReply::failure(400, QStringLiteral("PIN incorrecto"),
                                             QStringLiteral("INVALID_PIN"));
            return SandboxReply::ok({});
        });
    add("POST", "/recharges/balance", Caller::Session, {},
        okWith({{"data", QVariantMap{{"balance", "800.00"}}}}));
    add("POST", "/recharges/companies", Caller::Session, {},
        okWith({{"data", QVariantList{QVariantMap{{"id", "movistar"}, {"name", "Movistar"}}}}}));
    add("POST", "/recharges/companies/*", Caller::Session,
        {"phone", "currency", "totalAmount", "latitude", "longitude"},
        [](const SandboxRequest&, SandboxState& state, SandboxUser*) {
            return SandboxReply::ok({{"data", QVariantMap{{"rechargeId", state.nextId()}}}});
        });
    add("POST", "/services-payment/companies", Caller::Session, {},
        okWith({{"data", QVariantList{QVariantMap{{"id", "luz"}, {"name", "Luz"}}}}}));
    add("GET", "/services-payment/services/*", Caller::Session, {"customerNumber"},
        okWith({{"data", QVariantList{QVariantMap{{"itemId", "f-1"}, {"amount", "320.50"}}}}}));
    add("POST", "/services-payment/services/*", Caller::Session,
        {"retrievalReferenceNumber", "referenceId", "customerNumber", "itemId", "totalAmount",
         "feeAmount", "currency"},
        [](const SandboxRequest&, SandboxState& state, SandboxUser*) {
            return SandboxReply::ok({{"data", QVariantMap{{"paymentId", state.nextId()}}}});
        });
    add("GET", "/deposits", Caller::Session, {"state", "offset", "limit"},
        okWith({{"data", QVariantList{QVariantMap{
                             {"id", 9001}, {"state", "PENDING"}, {"amount", "1200.00"}}}}}));
    add("POST", "/users/readers.json", Caller::Session, {"deviceOS", "deviceModel", "success"},
        okWith({}));
    add("POST", "/users/selectReader.json", Caller::Session, {"selectedReader"}, okWith({}));
    add("POST", "/sell/getFrontData.json", Caller::Session, {},
        okWith(
            {{"data", QVariantMap{{"items", QVariantList{QVariantMap{{"id", 1},
                                                                     {"name", "Lector QPOS"},
                                                                     {"price", "1999.00"}}}}}}}));
    add("POST", "/sell/getBilleteraCards.json", Caller::Session, {},
        okWith({{"data", QVariantList{QVariantMap{{"walletId", "w-1"}, {"last4", "4242"}}}}}));
    add("POST", "/sell/setOrderData.json", Caller::Session,
        {"productData", "merchantId", "fullname", "installments"},
        [](const SandboxRequest& request, SandboxState& state, SandboxUser*) {
            if (!request.hasField("sucursalId") && !request.hasField("street"))
                return SandboxReply::failure(400, QStringLiteral("Falta el envío"),
                                             QStringLiteral("MISSING_SHIPPING"));
            return SandboxReply::ok({{"data", QVariantMap{{"orderId", state.nextId()}}}});
        });
    add("POST", "/sell/veloxaConsultarSucursales.json", Caller::Session, {},
        [](const SandboxRequest& request, SandboxState&, SandboxUser*) {
            if (!request.hasField("provincia") && !request.hasField("localidad"))
                return missingField(QStringLiteral("provincia"));
            return SandboxReply::ok(
                {{"data",
                  QVariantList{QVariantMap{{"pickUpId", "s-1"}, {"name", "Sucursal Centro"}}}}});
        });
    return true;
}();

} // namespace
