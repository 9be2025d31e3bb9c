// The merchant's batches: the open batch, closed batches, closing.

#include "sandbox/SandboxRoutes.h"

namespace {

QVariantList entries(const SandboxState& state, const QList<SandboxBatch>& batches) {
    QVariantList list;
    for (const SandboxBatch& batch : batches)
        list << state.batchEntry(batch);
    return list;
}

} // namespace

SANDBOX_ROUTE("POST", "/developers/api/batch/getPaymentMethods.json") {
    SandboxUser* user = nullptr;
    if (auto refusal = state.checkSession(request, &user))
        return *refusal;
    const SandboxBatch open = state.openBatch(user->merchantId);
    return SandboxReply::ok({{QStringLiteral("data"), entries(state, {open})}});
}

SANDBOX_ROUTE("POST", "/developers/api/batchs/getBatchClousures.json") {
    SandboxUser* user = nullptr;
    if (auto refusal = state.checkSession(request, &user))
        return *refusal;
    QList<SandboxBatch> closed;
    for (const SandboxBatch& batch : state.batches(user->merchantId))
        if (!batch.open)
            closed << batch;
    return SandboxReply::ok({{QStringLiteral("data"), entries(state, closed)}});
}

SANDBOX_ROUTE("POST", "/developers/api/batch/closeBatch.json") {
    SandboxUser* user = nullptr;
    if (auto refusal = state.checkSession(request, &user))
        return *refusal;
    bool ok = false;
    const qint64 batchId = request.field(QStringLiteral("installmentId")).trimmed().toLongLong(&ok);
    if (!ok || batchId < 0)
        return SandboxReply::failure(400, QStringLiteral("Lote inválido"),
                                     QStringLiteral("INVALID_BATCH"));
    if (batchId == 0)
        state.openBatch(user->merchantId); // closing all always closes the current batch
    const QList<SandboxBatch> closed = state.closeBatch(user->merchantId, batchId);
    if (closed.isEmpty())
        return SandboxReply::failure(404, QStringLiteral("El lote no existe o ya está cerrado"),
                                     QStringLiteral("BATCH_NOT_FOUND"));
    return SandboxReply::ok({{QStringLiteral("data"), entries(state, closed)}});
}
