// Currency-conversion check, sale record, taxes, bank account status, payment buttons.

#include "sandbox/routes/EndpointRoutes.h"

using namespace EndpointRoutes;

namespace {

const bool registered = [] {
    add("POST", "/payments/dcc-verify", Caller::Session,
        {"entryMode", "amount", "cardData", "reader", "userId"},
        okWith({{"data", QVariantMap{{"dccAvailable", false}}}}));
    add("POST", "/sales/getSaleRecord.json", Caller::Session, {"saleId"},
        [](const SandboxRequest& request, SandboxState& state, SandboxUser*) {
            const SandboxSale* sale = state.sale(request.field("saleId").toLongLong());
            if (!sale)
                return SandboxReply::failure(404, QStringLiteral("La operación no existe"),
                                             QStringLiteral("OPERATION_NOT_FOUND"));
            return SandboxReply::ok({{"data", QVariantMap{{"saleId", sale->id},
                                                          {"amount", sale->amount},
                                                          {"currency", sale->currencyCode},
                                                          {"status", sale->status}}}});
        });
    add("GET", "/taxes", Caller::Session, {},
        okWith({{"taxes", QVariantList{QVariantMap{{"id", 1},
                                                   {"name", "iva"},
                                                   {"value", 0.16},
                                                   {"mode", "RATE"},
                                                   {"type", "RATE"}}}}}));
    add("GET", "/account/cbu", Caller::Session, {"userId"},
        okWith({{"blocked", false}, {"cbuStatus", true}, {"cbuUrl", QString()}}));
    add("POST", "/paymentButtons/*", Caller::Session, {"description", "amount", "currency_code"},
        [](const SandboxRequest&, SandboxState& state, SandboxUser*) {
            const qint64 id = state.nextId();
            return SandboxReply::ok(
                {{"data",
                  QVariantMap{{"id", id},
                              {"shareToken", QStringLiteral("btn-%1").arg(id)},
                              {"url", QStringLiteral("https://pay.sandbox/btn-%1").arg(id)}}}});
        });
    add("POST", "/paymentButtonsSendmail/*", Caller::Session, {"email"}, okWith({}));
    return true;
}();

} // namespace
