// Operations a host runs without screens: payment lookup, receipts by e-mail and as a document.

#include "sandbox/SandboxRoutes.h"

#include <QRegularExpression>

namespace {

// The payment as the lookup's "sdk" object gives it to the host.
QVariantMap paymentData(const SandboxSale& sale) {
    QVariantMap sdk{{QStringLiteral("operationId"), QString::number(sale.id)},
                    {QStringLiteral("amount"), QString::asprintf("%.2f", sale.amount)},
                    {QStringLiteral("currency"), sale.currencyCode},
                    {QStringLiteral("reference"), sale.reference},
                    {QStringLiteral("paymentMethod"), sale.paymentMethod},
                    {QStringLiteral("status"), sale.status},
                    {QStringLiteral("created"),
                     sale.createdAt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))}};
    for (auto it = sale.data.cbegin(); it != sale.data.cend(); ++it)
        sdk.insert(it.key(), it.value());
    return sdk;
}

// The merchant's sale named by the request's "saleId" or "operationId", or none.
SandboxSale* requestedSale(const SandboxRequest& request, SandboxState& state,
                           const SandboxUser& user, const QString& field) {
    bool ok = false;
    const qint64 id = request.field(field).trimmed().toLongLong(&ok);
    SandboxSale* sale = ok ? state.sale(id) : nullptr;
    return sale && sale->merchantId == user.merchantId ? sale : nullptr;
}

// A one-page PDF document with the receipt's lines.
QByteArray receiptDocument(const SandboxSale& sale) {
    const QByteArray text = QStringLiteral("Recibo %1 - %2 %3")
                                .arg(sale.id)
                                .arg(sale.amount, 0, 'f', 2)
                                .arg(sale.currencyCode)
                                .toLatin1();
    const QByteArray stream = "BT /F1 12 Tf 40 780 Td (" + text + ") Tj ET";
    QList<QByteArray> objects{
        "<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents 4 0 R "
        "/Resources << /Font << /F1 5 0 R >> >> >>",
        "<< /Length " + QByteArray::number(stream.size()) + " >>\nstream\n" + stream +
            "\nendstream",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"};
    QByteArray pdf = "%PDF-1.4\n";
    QList<int> offsets;
    for (int i = 0; i < objects.size(); ++i) {
        offsets << pdf.size();
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects.at(i) + "\nendobj\n";
    }
    const int xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (int offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) +
           " /Root 1 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

} // namespace

SANDBOX_ROUTE("POST", "/developers/api/operations/getOperationInfo.json") {
    SandboxUser* user = nullptr;
    if (auto refusal = state.checkSession(request, &user))
        return *refusal;
    SandboxSale* sale = nullptr;
    const QString reference = request.field(QStringLiteral("externalReference"));
    if (!reference.isEmpty()) {
        sale = state.saleByReference(reference);
        if (sale && sale->merchantId != user->merchantId)
            sale = nullptr;
    } else {
        sale = requestedSale(request, state, *user, QStringLiteral("operationId"));
    }
    if (!sale)
        return SandboxReply::failure(402, QStringLiteral("La operación no existe"),
                                     QStringLiteral("INVALID_OPERATION"));
    const QVariantMap sdk = paymentData(*sale);
    QVariantMap payload = sdk;
    payload.insert(QStringLiteral("sdk"), sdk);
    return SandboxReply::ok(payload);
}

SANDBOX_ROUTE("POST", "/developers/api/invoices/sendInvoice.json") {
    SandboxUser* user = nullptr;
    if (auto refusal = state.checkSession(request, &user))
        return *refusal;
    static const QRegularExpression address(QStringLiteral("^[^@\\s]+@[^@\\s]+\\.[^@\\s]+$"));
    const QString email = request.field(QStringLiteral("email"));
    if (!address.match(email).hasMatch())
        return SandboxReply::failure(400, QStringLiteral("El correo electrónico no es válido"),
                                     QStringLiteral("INVALID_EMAIL"));
    SandboxSale* sale = requestedSale(request, state, *user, QStringLiteral("saleId"));
    if (!sale)
        return SandboxReply::failure(404, QStringLiteral("La operación no existe"),
                                     QStringLiteral("INVALID_OPERATION"));
    sale->data.insert(QStringLiteral("receiptSentTo"), email);
    return SandboxReply::ok({{QStringLiteral("message"), QStringLiteral("Recibo enviado")},
                             {QStringLiteral("email"), email}});
}

SANDBOX_ROUTE("POST", "/developers/api/invoices/getToPrint.json") {
    SandboxUser* user = nullptr;
    if (auto refusal = state.checkSession(request, &user))
        return *refusal;
    SandboxSale* sale = requestedSale(request, state, *user, QStringLiteral("saleId"));
    if (!sale)
        return SandboxReply::failure(404, QStringLiteral("La operación no existe"),
                                     QStringLiteral("INVALID_OPERATION"));
    return SandboxReply::raw(receiptDocument(*sale), "application/pdf");
}
