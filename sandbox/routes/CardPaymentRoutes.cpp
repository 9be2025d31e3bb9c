// Card payments read by chip or tap, and their status reports.

#include "sandbox/routes/CardPaymentRoutes.h"

#include "sandbox/routes/EndpointRoutes.h"

#include <QHash>
#include <QMutex>
#include <deque>

using namespace EndpointRoutes;

namespace CardPaymentRoutes {

namespace {

struct Scripts {
    QMutex mutex;
    QHash<const SandboxState*, std::deque<Script>> next;
};

Scripts& scripts() {
    static Scripts instance;
    return instance;
}

std::optional<Script> takeScript(const SandboxState& state) {
    Scripts& all = scripts();
    QMutexLocker lock(&all.mutex);
    auto it = all.next.find(&state);
    if (it == all.next.end() || it->empty())
        return std::nullopt;
    Script script = it->front();
    it->pop_front();
    return script;
}

// The record of an operation: a sale or a refund.
QVariantMap* dataOf(SandboxState& state, qint64 id) {
    if (SandboxSale* sale = state.sale(id))
        return &sale->data;
    for (SandboxRefund& refund : state.refunds())
        if (refund.id == id)
            return &refund.data;
    return nullptr;
}

SandboxReply operationCompletion(const SandboxRequest& request, SandboxState& state, SandboxUser*) {
    bool ok = false;
    const qint64 id = request.field("operationId").trimmed().toLongLong(&ok);
    QVariantMap* data = ok ? dataOf(state, id) : nullptr;
    if (!ok)
        return SandboxReply::failure(404, QStringLiteral("La operación no existe"),
                                     QStringLiteral("OPERATION_NOT_FOUND"));
    if (!data) // an operation a test scripted without keeping it: confirmed, nothing recorded
        return SandboxReply::ok({{"operationId", id}});
    const QString status = request.field("status");
    QStringList reports = data->value("reports").toStringList();
    QStringList tags = data->value("reportedTags").toStringList();
    reports << status;
    tags << request.field("emvTags");
    data->insert("reports", reports);
    data->insert("reportedTags", tags);
    if (SandboxSale* sale = state.sale(id)) {
        if (status == QLatin1String("1") && sale->status == QLatin1String("pending")) {
            sale->status = QStringLiteral("approved");
            sale->data.insert("emvTags", request.field("emvTags"));
        } else if (status == QLatin1String("0") && sale->status == QLatin1String("pending")) {
            sale->status = QStringLiteral("reversed");
        }
    }
    return SandboxReply::ok({{"operationId", id}});
}

const bool registered = [] {
    add("POST", "/payments/operationCompletion.json", Caller::Session, {"operationId", "status"},
        operationCompletion);
    return true;
}();

} // namespace

void scriptNext(SandboxState& state, const Script& script) {
    Scripts& all = scripts();
    QMutexLocker lock(&all.mutex);
    all.next[&state].push_back(script);
}

void clearScripts(SandboxState& state) {
    Scripts& all = scripts();
    QMutexLocker lock(&all.mutex);
    all.next.remove(&state);
}

std::optional<SandboxReply> answerCardPayment(const SandboxRequest& request, SandboxState& state,
                                              SandboxUser* user) {
    const QString entry = request.field("transactionType");
    if (entry != QLatin1String("emv") && entry != QLatin1String("nfc_emv"))
        return std::nullopt;
    const Script script = takeScript(state).value_or(Script{});
    const bool forced = request.field("forceTransaction") == QLatin1String("1");
    if (script.forceRequired && !forced) {
        // The resend with "forceTransaction" takes this script's acceptance.
        Script resend = script;
        resend.forceRequired = false;
        {
            Scripts& all = scripts();
            QMutexLocker lock(&all.mutex);
            all.next[&state].push_front(resend);
        }
        return SandboxReply::failure(723, QStringLiteral("Operación sospechosa. ¿Continuar?"))
            .withDelay(script.delayMs);
    }
    if (script.refusal) {
        QVariantMap body{{"error", QStringLiteral("DECLINED")}, {"response", *script.refusal}};
        for (auto it = script.extra.constBegin(); it != script.extra.constEnd(); ++it)
            body.insert(it.key(), it.value());
        return SandboxReply::json(body).withDelay(script.delayMs);
    }
    SandboxSale sale;
    sale.merchantId = user->merchantId;
    sale.userId = user->userId;
    sale.amount = request.field("totalAmount").toDouble();
    sale.currencyCode = request.field("currency");
    sale.reference = request.field("externalReference");
    sale.paymentMethod = QStringLiteral("card");
    sale.status = QStringLiteral("pending");
    sale.data.insert("entry", entry);
    sale.data.insert("emvTags", request.field("emvTags"));
    // The back end's ids are 64-bit.
    sale.id = script.id.value_or(0);
    const SandboxSale& added = state.addSale(sale);
    if (script.replyLost)
        return SandboxReply::dropped();
    const QString last4 = request.field("cardNumber").right(4);
    QVariantMap body{
        {"trxId", QStringLiteral("TRX%1").arg(added.id)},
        {"referenceNumber", QStringLiteral("REF%1").arg(added.id)},
        {"authenticationType", QStringLiteral("emv")},
        {"payment", QVariantMap{{"cardHolderName", request.field("cardHolderName")},
                                {"cardNumber", request.field("cardNumber")},
                                {"last4Numbers", last4},
                                {"issuerImageUrl", QString()}}},
        {"buyer", QVariantMap{{"name", QStringLiteral("Comprador")}}},
        {"sdk", QVariantMap{{"operationId", added.id},
                            {"amount", added.amount},
                            {"currency", added.currencyCode},
                            {"paymentMethod", added.paymentMethod},
                            {"entry", entry},
                            {"reference", added.reference}}},
    };
    if (!script.withoutId)
        body.insert("id", added.id);
    for (auto it = script.extra.constBegin(); it != script.extra.constEnd(); ++it)
        body.insert(it.key(), it.value());
    return SandboxReply::ok(body).withDelay(script.delayMs);
}

QStringList reportsFor(SandboxState& state, qint64 operationId) {
    const QVariantMap* data = dataOf(state, operationId);
    return data ? data->value("reports").toStringList() : QStringList();
}

QStringList reportedTagsFor(SandboxState& state, qint64 operationId) {
    const QVariantMap* data = dataOf(state, operationId);
    return data ? data->value("reportedTags").toStringList() : QStringList();
}

} // namespace CardPaymentRoutes
