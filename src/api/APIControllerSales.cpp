// Sale registration, refund, void and prepaid-card requests.
#include "api/APIController.h"
#include "api/APIControllerFields.h"
#include "api/LogRedaction.h"
#include "model/CreditCard.h"
#include "model/Sale.h"
#include "model/SalePaymentFields.h"
#include "platform/core/Values.h"

#include <functional>

using namespace EndpointFields;
using namespace SalePaymentFields;

namespace {

QVariantMap registrationFields(const Sale& sale, const QString& userId, const QString& token) {
    QVariantMap fields = userFields(userId, token);
    insertPaymentFields(fields, sale, CashMethod::Cash);
    return fields;
}

QVariantMap refundFields(const Sale& sale, const QString& userId, const QString& token) {
    const auto card = cardOf(sale);
    QVariantMap fields = userFields(userId, token);
    fields.insert("operationId", sale.saleId());
    fields.insert("amount", money(doubleOf(sale.subtotal())));
    insertLocation(fields, sale);
    fields.insert("isFallback", flag(sale.isFallback()));
    if (sale.canRefundWithoutCard()) {
        fields.insert("transactionType", QStringLiteral("NO_CARD"));
        fields.insert("refundWithoutCard", flag(true));
    } else {
        fields.insert("saleId", sale.saleId());
        insertCardAndReader(fields, sale, *card);
        fields.insert("currency", sale.currencyCode());
        fields.insert("currencyCode", sale.currencyCode());
        fields.insert("pinOfflineInserted", flag(card->offlinePinInserted()));
    }
    insertOptionalCardData(fields, *card);
    return fields;
}

QVariantMap voidFields(const Sale& sale, const QString& userId, const QString& token) {
    const auto card = cardOf(sale);
    QVariantMap fields = userFields(userId, token);
    fields.insert("saleId", sale.saleId());
    fields.insert("totalAmount", money(doubleOf(sale.total())));
    fields.insert("currency", sale.currencyCode());
    insertLocation(fields, sale);
    fields.insert("installmentId", sale.installmentId());
    fields.insert("installments", integer(card->installments()));
    insertCardAndReader(fields, sale, *card);
    insertInvoice(fields, sale);
    insertOptionalCardData(fields, *card);
    if (card->pinBlock())
        fields.insert("pinOfflineInserted", flag(card->offlinePinInserted()));
    return fields;
}

// The transaction types sent asynchronously through the delegate; the others (chip,
// contactless, "pei") go synchronously and hand the reply bytes back.
bool isAsynchronousType(const QString& type, bool walletIsAsynchronous) {
    return type.isEmpty() || type == QLatin1String("manual") || type == QLatin1String("prepaid") ||
           (walletIsAsynchronous && type == QLatin1String("WALLET"));
}

// An asynchronous request answers through the delegate and returns nothing; a synchronous one
// returns the reply bytes.
std::optional<QByteArray> sendForType(APIController& client, const QString& path,
                                      const QVariantMap& fields, bool asynchronous) {
    if (asynchronous) {
        client.loadUrl(path, fields);
        return std::nullopt;
    }
    return client.loadSynchronousUrl(path, fields);
}

// A refund or void of a card sale: its fields and transaction type are read on the main thread,
// then it goes out as the card's transaction type asks (a wallet one synchronously).
std::optional<QByteArray> sendCardOperation(APIController& client, const Sale& sale,
                                            const QString& path,
                                            const std::function<QVariantMap()>& buildFields) {
    QVariantMap fields;
    QString type;
    readOnMainThread([&] {
        fields = buildFields();
        type = cardOf(sale)->transactionType();
    });
    return sendForType(client, path, fields, isAsynchronousType(type, false));
}

} // namespace

std::optional<QByteArray> APIController::registerSale(const Sale& sale, const QString& userId,
                                                      const QString& token) {
    setFunctionName(FunctionCode::SavePayment);
    QVariantMap fields;
    QString type;
    readOnMainThread([&] {
        fields = registrationFields(sale, userId, token);
        // A sale without any card record has no transaction type: it goes synchronously.
        type = sale.creditCard() ? sale.creditCard()->transactionType() : QStringLiteral("none");
    });
    LogRedaction::log(type);
    return sendForType(*this, QStringLiteral("/payments/savePayment.json"), fields,
                       isAsynchronousType(type, true));
}

QVariantMap APIController::registerSaleFields(const Sale& sale, const QString& userId,
                                              const QString& token) {
    QVariantMap fields;
    readOnMainThread([&] { fields = registrationFields(sale, userId, token); });
    return fields;
}

QVariantMap APIController::prepareRegisterSalePayloadWithSale(const Sale& sale,
                                                              const QString& userId,
                                                              const QString& token) {
    QVariantMap fields;
    readOnMainThread([&] {
        Pictures pictures;
        fields = userFields(userId, token);
        fields.insert("saleInformationJson", description(sale, Form::Payment, &pictures));
        fields.insert("currency", sale.currencyCode());
        insertLocation(fields, sale);
        fields.insert("totalAmount", money(doubleOf(sale.total())));
        insertCustomData(fields, sale);
        insertPictures(fields, pictures);
    });
    return fields;
}

std::optional<QByteArray> APIController::makeRefundForSale(const Sale& sale, const QString& userId,
                                                           const QString& token) {
    setFunctionName(FunctionCode::MakeRefund);
    return sendCardOperation(*this, sale, QStringLiteral("/refunds/makeRefund.json"),
                             [&] { return refundFields(sale, userId, token); });
}

std::optional<QByteArray> APIController::makeAnnulationForSale(const Sale& sale,
                                                               const QString& userId,
                                                               const QString& token) {
    setFunctionName(FunctionCode::MakeAnnulation);
    return sendCardOperation(*this, sale, QStringLiteral("/operations/makeAnnulation.json"),
                             [&] { return voidFields(sale, userId, token); });
}

void APIController::cancelOperationWithId(const QString& operationId, const QString& userId,
                                          const QString& token, const QString& pin,
                                          const QString& paymentMethodType) {
    loadUrlWithCode(
        FunctionCode::Annulation, QStringLiteral("/payments/annulation.json"),
        userFields(
            userId, token,
            {{"operationId", operationId}, {"pin", pin}, {"paymentMethod", paymentMethodType}}));
}

void APIController::makePartialRefundForSale(const QVariantMap& saleRecord, double amount,
                                             const QString& userId, const QString& token) {
    setFunctionName(FunctionCode::MakePartialRefund);
    // The record's values as their texts (a number as its decimal text, a missing one empty).
    auto text = [&saleRecord](const char* key) {
        const QVariant value = saleRecord.value(QLatin1String(key));
        return value.isValid() && !Values::isJsonNull(value) ? Values::describe(value)
                                                             : QString("");
    };
    QVariantMap fields = userFields(userId, token);
    fields.insert("operationId", text("saleId"));
    fields.insert("currencyCode", text("currency"));
    fields.insert("amount", money(amount));
    fields.insert("latitude", text("latitude"));
    fields.insert("longitude", text("longitude"));
    loadUrl(QStringLiteral("/operations/makeRefund.json"), fields);
}

void APIController::makeRefundEMVTagsForUserId(const QString& userId, const QString& token,
                                               double amount) {
    loadUrlWithCode(FunctionCode::MakeRefundEMVTags,
                    QStringLiteral("/refunds/makeRefundEMVTags.json"),
                    userFields(userId, token, {{"amount", money(amount)}}));
}

void APIController::payWithPrepaidCard(const QString& cardNumber, const QString& pin,
                                       const Sale& sale, const QString& token) {
    setFunctionName(FunctionCode::PrepaidPayment);
    QVariantMap fields;
    readOnMainThread([&] {
        fields.insert("cardNumber", cardNumber);
        fields.insert("pin", pin);
        fields.insert("token", token);
        fields.insert("saleInformationJson", description(sale, Form::Prepaid));
        fields.insert("currency", sale.currencyCode());
        insertLocation(fields, sale);
        // Six decimals of the subtotal as a double: 1234567.89 stays 1234567.890000.
        fields.insert("totalAmount", sixDecimals(doubleOf(sale.subtotal())));
    });
    loadUrl(QStringLiteral("/v1/prepaid-payments"), fields);
}

void APIController::rechargeAmount(double amount, const QString& cardNumber, const QString& token) {
    const QVariantMap fields{
        {"token", token}, {"cardNumber", cardNumber}, {"amount", sixDecimals(amount)}};
    loadUrlWithCode(FunctionCode::Refill, QStringLiteral("/v1/refills"), fields);
}

void APIController::sendRechargeReceiptToEmail(const QString& email, const QString& rechargeId,
                                               const QString& token) {
    const QVariantMap fields{{"token", token}, {"email", email}, {"refillId", rechargeId}};
    loadUrlWithCode(FunctionCode::RefillVoucher, QStringLiteral("/vouchers"), fields);
}
