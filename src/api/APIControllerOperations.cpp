// Operation status, signature, receipt, sale history and operation lookup requests.
#include "api/APIController.h"
#include "api/APIControllerFields.h"

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
    loadUrlWithCode(FunctionCode::SaveSignatureImage,
                    QStringLiteral("/payments/saveSignatureImage.json"),
                    userFields(userId, token,
                               {{QStringLiteral("saleId"), saleId},
                                {QStringLiteral("signatureImage"), signature}}));
}

void APIController::registerPersonalIdForSaleId(const QString& saleId,
                                                const QString& personalIdType,
                                                const QString& personalIdNumber,
                                                const QString& userId, const QString& token) {
    loadUrlWithCode(FunctionCode::SavePersonalId, QStringLiteral("/payments/savePersonalId.json"),
                    userFields(userId, token,
                               {{QStringLiteral("saleId"), saleId},
                                {QStringLiteral("holderIdentificationType"), personalIdType},
                                {QStringLiteral("holderIdentificationNumber"), personalIdNumber}}));
}

void APIController::adjustTip(double tip, const QString& saleId, const QString& userId,
                              const QString& token) {
    loadUrlWithCode(
        FunctionCode::AdjustTip, QStringLiteral("/payments/adjustTip.json"),
        userFields(userId, token,
                   {{QStringLiteral("saleId"), saleId}, {QStringLiteral("tipAmount"), tip}}));
}

void APIController::sendInvoiceForSaleId(const QString& saleId, const QString& email,
                                         const QString& userId, const QString& token,
                                         bool isResend) {
    loadUrlWithCode(FunctionCode::SendInvoice, QStringLiteral("/invoices/sendInvoice.json"),
                    userFields(userId, token,
                               {{QStringLiteral("saleId"), saleId},
                                {QStringLiteral("email"), trimmedSpaces(email)},
                                {QStringLiteral("resend"), flag(isResend)}}));
}

void APIController::printInvoiceForSaleId(const QString& saleId, const QString& userId,
                                          const QString& token) {
    loadUrlWithCode(FunctionCode::GetToPrint, QStringLiteral("/invoices/getToPrint.json"),
                    userFields(userId, token, {{QStringLiteral("saleId"), saleId}}));
}

void APIController::operationStatus(bool status, const QString& operationId, const QString& userId,
                                    const QString& token) {
    loadUrlWithCode(FunctionCode::OperationCompletion,
                    QStringLiteral("/payments/operationCompletion.json"),
                    userFields(userId, token,
                               {{QStringLiteral("operationId"), operationId},
                                {QStringLiteral("status"), flag(status)}}));
}

void APIController::operationStatusTrack(bool status, const QString& operationId,
                                         const QString& track, const QString& ksn,
                                         const std::optional<QVariantMap>& emvTags,
                                         const QString& userId, const QString& annulmentReason,
                                         const QString& token) {
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("operationId"), operationId);
    fields.insert(QStringLiteral("track2data"), track);
    fields.insert(QStringLiteral("ksn"), ksn);
    fields.insert(QStringLiteral("status"), flag(status));
    fields.insert(QStringLiteral("annulmentReason"), annulmentReason);
    if (emvTags)
        fields.insert(QStringLiteral("emvTags"), emvTagsText(*emvTags));
    loadUrlWithCode(FunctionCode::OperationCompletion,
                    QStringLiteral("/payments/operationCompletion.json"), fields);
}

std::optional<QByteArray>
APIController::operationStatusEmvTags(bool status, const QString& operationId,
                                      const std::optional<QVariantMap>& emvTags,
                                      const QString& userId, const QString& token) {
    setFunctionName(FunctionCode::OperationCompletion);
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
    loadUrlWithCode(FunctionCode::SaleHistory, QStringLiteral("/sales/getSaleRecord.json"),
                    userFields(userId, token,
                               {{QStringLiteral("search"), freeTextSearch},
                                {QStringLiteral("page"), QString::number(pageNumber)},
                                {QStringLiteral("subUserId"), subuserId},
                                {QStringLiteral("buyerId"), buyerId}}));
}

void APIController::getSaleHistoryFromUserIdFromTo(const QString& userId, const QString& token,
                                                   const QString& subuserId, const QString& buyerId,
                                                   const QDateTime& from, const QDateTime& to,
                                                   const QString& freeTextSearch, int pageNumber) {
    loadUrlWithCode(
        FunctionCode::SaleHistory, QStringLiteral("/sales/getSaleRecord.json"),
        userFields(userId, token,
                   {{QStringLiteral("search"), freeTextSearch},
                    {QStringLiteral("page"), QString::number(pageNumber)},
                    {QStringLiteral("subUserId"), subuserId},
                    {QStringLiteral("buyerId"), buyerId},
                    {QStringLiteral("start_date"), dateText(from, QStringLiteral("dd/MM/yyyy"))},
                    {QStringLiteral("end_date"), dateText(to, QStringLiteral("dd/MM/yyyy"))}}));
}

void APIController::getSaleWithId(qint64 saleId, const QString& userId, const QString& token) {
    loadUrlWithCode(FunctionCode::SaleRecord, QStringLiteral("/sales/getSaleRecord.json"),
                    userFields(userId, token,
                               {{QStringLiteral("saleId"), QString::number(saleId)},
                                {QStringLiteral("operationId"), QString::number(saleId)}}));
}

void APIController::getSaleInfo(qint64 operationId, const QString& userId, const QString& token) {
    loadUrlWithCode(FunctionCode::OperationInfo,
                    QStringLiteral("/operations/getOperationInfo.json"),
                    userFields(userId, token,
                               {{QStringLiteral("operationId"), QString::number(operationId)},
                                {QStringLiteral("legacyResponse"), QStringLiteral("1")}}));
}

void APIController::getSaleInfoForExternalReference(const QString& reference, const QString& userId,
                                                    const QString& token) {
    loadUrlWithCode(FunctionCode::OperationInfo,
                    QStringLiteral("/operations/getOperationInfo.json"),
                    userFields(userId, token,
                               {{QStringLiteral("externalReference"), reference},
                                {QStringLiteral("legacyResponse"), QStringLiteral("1")}}));
}

void APIController::getSalesSummaryFrom(const QDateTime& from, const QDateTime& to,
                                        const QString& token) {
    const QVariantMap fields{
        {QStringLiteral("token"), token},
        {QStringLiteral("dateFrom"), dateText(from, QStringLiteral("yyyy-MM-dd"))},
        {QStringLiteral("dateTo"), dateText(to, QStringLiteral("yyyy-MM-dd"))}};
    loadUrlWithCode(FunctionCode::SalesSummary, QStringLiteral("/operations/summary"), fields);
}
