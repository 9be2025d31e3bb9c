// Sale registration, refunds, voids and prepaid cards.

#include "sandbox/routes/CardPaymentRoutes.h"
#include "sandbox/routes/EndpointRoutes.h"

#include <variant>

using namespace EndpointRoutes;

namespace {

// What the host receives of an operation.
QVariantMap sdkOf(const SandboxSale& sale) {
    return {{"operationId", sale.id},        {"amount", sale.amount},
            {"currency", sale.currencyCode}, {"paymentMethod", sale.paymentMethod},
            {"status", sale.status},         {"reference", sale.reference}};
}

// The sale named by a form field, or a refusal.
std::variant<SandboxSale*, SandboxReply> saleNamed(const SandboxRequest& request,
                                                   SandboxState& state, const QString& field) {
    bool ok = false;
    const qint64 id = request.field(field).trimmed().toLongLong(&ok);
    SandboxSale* sale = ok ? state.sale(id) : nullptr;
    if (!sale)
        return SandboxReply::failure(404, QStringLiteral("La operación no existe"),
                                     QStringLiteral("OPERATION_NOT_FOUND"));
    return sale;
}

SandboxReply registerSale(const SandboxRequest& request, SandboxState& state, SandboxUser* user) {
    if (auto card = CardPaymentRoutes::answerCardPayment(request, state, user))
        return *card;
    SandboxSale sale;
    sale.merchantId = user->merchantId;
    sale.userId = user->userId;
    sale.amount = request.field("totalAmount").toDouble();
    sale.currencyCode = request.field("currency");
    sale.reference = request.field("externalReference");
    sale.paymentMethod =
        request.hasField("paymentMethod") ? request.field("paymentMethod") : QStringLiteral("card");
    sale.status = QStringLiteral("approved");
    const SandboxSale& added = state.addSale(sale);
    return SandboxReply::ok({{"saleId", added.id},
                             {"authorizationCode", QStringLiteral("A%1").arg(added.id)},
                             {"sdk", sdkOf(added)}});
}

// Voids and refunds of a recorded sale; a sale already voided or refunded is refused.
SandboxReply undo(SandboxState& state, SandboxSale* sale, double amount, bool isVoid) {
    if (sale->status != QLatin1String("approved"))
        return SandboxReply::failure(1203, QStringLiteral("La operación ya fue devuelta o anulada"),
                                     QStringLiteral("ALREADY_REFUNDED"));
    SandboxRefund refund;
    refund.saleId = sale->id;
    refund.amount = amount > 0 ? amount : sale->amount;
    refund.isVoid = isVoid;
    const SandboxRefund& added = state.addRefund(refund);
    sale->status = isVoid ? QStringLiteral("voided") : QStringLiteral("refunded");
    return SandboxReply::ok({{"refundId", added.id}, {"saleId", sale->id}, {"sdk", sdkOf(*sale)}});
}

Answer undoBy(const QString& idField, bool isVoid, bool withAmount) {
    return [=](const SandboxRequest& request, SandboxState& state, SandboxUser*) {
        auto found = saleNamed(request, state, idField);
        if (auto* refusal = std::get_if<SandboxReply>(&found))
            return *refusal;
        const double amount = withAmount ? request.field("amount").toDouble() : 0;
        return undo(state, std::get<SandboxSale*>(found), amount, isVoid);
    };
}

const bool registered = [] {
    add("POST", "/payments/savePayment.json", Caller::Session,
        {"token", "saleInformationJson", "currency", "totalAmount"}, registerSale);
    add("POST", "/refunds/makeRefund.json", Caller::Session, {"operationId", "amount"},
        undoBy("operationId", false, true));
    add("POST", "/operations/makeAnnulation.json", Caller::Session, {"saleId"},
        undoBy("saleId", true, false));
    add("POST", "/payments/annulation.json", Caller::Session, {"operationId", "paymentMethod"},
        undoBy("operationId", true, false));
    add("POST", "/operations/makeRefund.json", Caller::Session, {"operationId", "amount"},
        undoBy("operationId", false, true));
    add("POST", "/refunds/makeRefundEMVTags.json", Caller::Session, {"amount"},
        okWith({{"data", QVariantMap{{"emvTags", QVariantMap{}}}}}));
    add("POST", "/v1/prepaid-payments", Caller::Session,
        {"cardNumber", "pin", "saleInformationJson", "totalAmount"}, registerSale);
    add("POST", "/v1/refills", Caller::Session, {"cardNumber", "amount"},
        [](const SandboxRequest& request, SandboxState& state, SandboxUser*) {
            return SandboxReply::ok({{"data", QVariantMap{{"refillId", state.nextId()},
                                                          {"amount", request.field("amount")}}}});
        });
    return true;
}();

} // namespace
