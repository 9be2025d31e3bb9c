// Operation status, signature, receipt, sale history and operation lookup requests.
#include "api/APIController+Fields.h"
#include "api/APIController.h"

#include <QJsonDocument>

using namespace EndpointFields;

namespace {

// The pretty-printed JSON text of the card's EMV tags.
QString emvTagsText(const QVariantMap& tags) {
    return QString::fromUtf8(QJsonDocument::fromVariant(tags).toJson(QJsonDocument::Indented));
}

QString dateText(const QDateTime& date, const QString& pattern) {
    return date.toLocalTime().toString(pattern);
}

} // namespace

void APIController::registerSignatureForSaleId(const QString& saleId, const QImage& signature,
                                               const QString& userId, const QString& token) {
    setFunctionName(54);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("saleId"), saleId);
    fields.insert(QStringLiteral("signatureImage"), signature);
    loadUrl(QStringLiteral("/payments/saveSignatureImage.json"), fields);
}

void APIController::registerPersonalIdForSaleId(const QString& saleId,
                                                const QString& personalIdType,
                                                const QString& personalIdNumber,
                                                const QString& userId, const QString& token) {
    setFunctionName(55);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("saleId"), saleId);
    fields.insert(QStringLiteral("holderIdentificationType"), personalIdType);
    fields.insert(QStringLiteral("holderIdentificationNumber"), personalIdNumber);
    loadUrl(QStringLiteral("/payments/savePersonalId.json"), fields);
}

void APIController::adjustTip(double tip, const QString& saleId, const QString& userId,
                              const QString& token) {
    setFunctionName(56);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("saleId"), saleId);
    fields.insert(QStringLiteral("tipAmount"), tip);
    loadUrl(QStringLiteral("/payments/adjustTip.json"), fields);
}

void APIController::sendInvoiceForSaleId(const QString& saleId, const QString& email,
                                         const QString& userId, const QString& token,
                                         bool isResend) {
    setFunctionName(57);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("saleId"), saleId);
    fields.insert(QStringLiteral("email"), trimmedSpaces(email));
    fields.insert(QStringLiteral("resend"), flag(isResend));
    loadUrl(QStringLiteral("/invoices/sendInvoice.json"), fields);
}

void APIController::printInvoiceForSaleId(const QString& saleId, const QString& userId,
                                          const QString& token) {
    setFunctionName(58);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("saleId"), saleId);
    loadUrl(QStringLiteral("/invoices/getToPrint.json"), fields);
}

void APIController::operationStatus(bool status, const QString& operationId, const QString& userId,
                                    const QString& token) {
    setFunctionName(59);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("operationId"), operationId);
    fields.insert(QStringLiteral("status"), flag(status));
    loadUrl(QStringLiteral("/payments/operationCompletion.json"), fields);
}

void APIController::operationStatusTrack(bool status, const QString& operationId,
                                         const QString& track, const QString& ksn,
                                         const std::optional<QVariantMap>& emvTags,
                                         const QString& userId, const QString& annulmentReason,
                                         const QString& token) {
    setFunctionName(59);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("operationId"), operationId);
    fields.insert(QStringLiteral("track2data"), track);
    fields.insert(QStringLiteral("ksn"), ksn);
    fields.insert(QStringLiteral("status"), flag(status));
    fields.insert(QStringLiteral("annulmentReason"), annulmentReason);
    if (emvTags)
        fields.insert(QStringLiteral("emvTags"), emvTagsText(*emvTags));
    loadUrl(QStringLiteral("/payments/operationCompletion.json"), fields);
}

std::optional<QByteArray>
APIController::operationStatusEmvTags(bool status, const QString& operationId,
                                      const std::optional<QVariantMap>& emvTags,
                                      const QString& userId, const QString& token) {
    setFunctionName(59);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("operationId"), operationId);
    fields.insert(QStringLiteral("status"), flag(status));
    if (emvTags)
        fields.insert(QStringLiteral("emvTags"), emvTagsText(*emvTags));
    return loadSynchronousUrl(QStringLiteral("/payments/operationCompletion.json"), fields);
}

void APIController::getSaleHistoryFromUserId(const QString& userId, const QString& token,
                                             const QString& subuserId, const QString& buyerId,
                                             const QString& freeTextSearch, int pageNumber) {
    setFunctionName(51);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("search"), freeTextSearch);
    fields.insert(QStringLiteral("page"), QString::number(pageNumber));
    fields.insert(QStringLiteral("subUserId"), subuserId);
    fields.insert(QStringLiteral("buyerId"), buyerId);
    loadUrl(QStringLiteral("/sales/getSaleRecord.json"), fields);
}

void APIController::getSaleHistoryFromUserIdFromTo(const QString& userId, const QString& token,
                                                   const QString& subuserId, const QString& buyerId,
                                                   const QDateTime& from, const QDateTime& to,
                                                   const QString& freeTextSearch, int pageNumber) {
    setFunctionName(51);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("search"), freeTextSearch);
    fields.insert(QStringLiteral("page"), QString::number(pageNumber));
    fields.insert(QStringLiteral("subUserId"), subuserId);
    fields.insert(QStringLiteral("buyerId"), buyerId);
    fields.insert(QStringLiteral("start_date"), dateText(from, QStringLiteral("dd/MM/yyyy")));
    fields.insert(QStringLiteral("end_date"), dateText(to, QStringLiteral("dd/MM/yyyy")));
    loadUrl(QStringLiteral("/sales/getSaleRecord.json"), fields);
}

void APIController::getSaleWithId(int saleId, const QString& userId, const QString& token) {
    setFunctionName(52);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("saleId"), QString::number(saleId));
    fields.insert(QStringLiteral("operationId"), QString::number(saleId));
    loadUrl(QStringLiteral("/sales/getSaleRecord.json"), fields);
}

void APIController::getSaleInfo(int operationId, const QString& userId, const QString& token) {
    setFunctionName(52);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("operationId"), QString::number(operationId));
    fields.insert(QStringLiteral("legacyResponse"), QStringLiteral("1"));
    loadUrl(QStringLiteral("/operations/getOperationInfo.json"), fields);
}

void APIController::getSaleInfoForExternalReference(const QString& reference, const QString& userId,
                                                    const QString& token) {
    setFunctionName(52);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("externalReference"), reference);
    fields.insert(QStringLiteral("legacyResponse"), QStringLiteral("1"));
    loadUrl(QStringLiteral("/operations/getOperationInfo.json"), fields);
}

void APIController::getSalesSummaryFrom(const QDateTime& from, const QDateTime& to,
                                        const QString& token) {
    setFunctionName(100);
    const QVariantMap fields{
        {QStringLiteral("token"), token},
        {QStringLiteral("dateFrom"), dateText(from, QStringLiteral("yyyy-MM-dd"))},
        {QStringLiteral("dateTo"), dateText(to, QStringLiteral("yyyy-MM-dd"))}};
    loadUrl(QStringLiteral("/operations/summary"), fields);
}
