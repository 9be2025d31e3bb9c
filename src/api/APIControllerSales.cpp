// Sale registration, refund, void and prepaid-card requests.
#include "api/APIController.h"
#include "api/APIControllerFields.h"
#include "api/LogRedaction.h"
#include "model/CreditCard.h"
#include "model/Sale.h"
#include "platform/core/Values.h"

#include <QImage>
#include <QList>
#include <QPair>
#include <QVariantList>
#include <functional>

using namespace EndpointFields;

namespace {

// The two forms of the sale information JSON: the registration's and the prepaid payment's.
enum class SaleJsonForm { Registration, Prepaid };

struct SaleInformation {
    QString json;
    QList<QPair<QString, QImage>> images; // upload key and picture of each line with a picture
};

double doubleOf(const AmountPtr& amount) {
    return amount ? amount->doubleValue() : 0;
}

QVariantMap lineTaxObject(const Tax& tax, SaleJsonForm form) {
    const double amount = doubleOf(tax.amount());
    if (form == SaleJsonForm::Prepaid)
        return {{"name", tax.name()}, {"amount", fourDecimals(amount)}};
    return {{"name", tax.name().isEmpty() ? QString("") : tax.name()},
            {"amount", amount > 0 ? fourDecimals(amount) : QStringLiteral("0")}};
}

QVariantMap lineObject(const Item& item, SaleJsonForm form, SaleInformation& information) {
    const Product& product = *item.product();
    QVariantList taxes;
    for (const TaxPtr& tax : product.taxes())
        taxes << lineTaxObject(*tax, form);
    QString uploadKey("");
    if (!product.image().isNull()) {
        uploadKey = APIController::uuid();
        information.images.append({uploadKey, product.image()});
    }
    const bool prepaid = form == SaleJsonForm::Prepaid;
    const double unitPrice =
        prepaid ? product.getPriceWithNoTax() : product.getPriceWithTax() - product.getTotalTax();
    const double lineTotal =
        prepaid ? item.getPriceWithTaxAndDiscount() : doubleOf(product.price()) * item.quantity();
    return {
        {"isCustomAmount", item.isCustomAmount()},
        {"productId", product.productId()},
        {"productName", product.name()},
        {"productDescription", product.description()},
        {"productPrice", money(unitPrice)},
        {"imageKeyForUpload", uploadKey},
        {"quantity", integer(item.quantity())},
        {"taxes", taxes},
        {"discountAmount", money(doubleOf(item.discountAmount()) +
                                 item.getPriceWithTax() * item.discountPercentage())},
        {"productBackgroundColor", colorHex(product.backgroundColor())},
        {"totalAmount", money(lineTotal)},
    };
}

// The sale's lines, discounts, taxes, tip and totals as one compact JSON text; every number a
// JSON text except "isCustomAmount".
SaleInformation saleInformation(const Sale& sale, SaleJsonForm form) {
    SaleInformation information;
    QVariantList lines;
    for (const ItemPtr& item : sale.items())
        lines << lineObject(*item, form, information);
    QVariantList discounts;
    for (const DiscountPtr& discount : sale.discounts())
        discounts << QVariantMap{{"discountId", integer(discount->discountId())},
                                 {"discountName", discount->name()},
                                 {"discountPercentage", money(discount->percentage())},
                                 {"discountAmount", money(discount->amount())}};
    QVariantList taxes;
    for (const TaxPtr& tax : sale.taxes())
        taxes << QVariantMap{{"name", tax->name()},
                             {"amount", fourDecimals(doubleOf(tax->amount()))}};

    const double total = doubleOf(sale.total());
    // The tip held in the total at the tip fraction, plus a fixed tip (the fraction's 1 + p in
    // single precision, as the back end expects).
    const double onePlusTip = static_cast<double>(1.0f + static_cast<float>(sale.tipPercentage()));
    const double tip = doubleOf(sale.tipAmount()) + (total - total / onePlusTip);
    const double discount =
        doubleOf(sale.discountAmount()) + sale.discountPercentage() * doubleOf(sale.subtotal());

    const QVariantMap top{{"totalAmount", money(total)},
                          {"isPaid", QStringLiteral("false")},
                          {"tipAmount", money(tip)},
                          {"discountAmount", money(discount)},
                          {"items", lines},
                          {"discounts", discounts},
                          {"taxes", taxes}};
    information.json = compactJson(top);
    return information;
}

std::shared_ptr<CreditCard> cardOf(const Sale& sale) {
    if (auto card = sale.creditCard())
        return card;
    return std::make_shared<CreditCard>();
}

void insertLocation(QVariantMap& fields, const Sale& sale) {
    fields.insert("latitude", sixDecimals(sale.locationCoordinates().latitude));
    fields.insert("longitude", sixDecimals(sale.locationCoordinates().longitude));
}

QString batteryCharge(const Sale& sale) {
    return twoDecimals(static_cast<float>(sale.deviceBatteryCharge()));
}

// The card and reader fields that the payment, the card refund and the void all send.
void insertCardAndReader(QVariantMap& fields, const Sale& sale, const CreditCard& card) {
    fields.insert("cardNumber", card.number());
    fields.insert("expireDate", card.expiration());
    fields.insert("cardHolderName", card.name());
    fields.insert("securityCode", card.cvv2());
    fields.insert("holderIdentificationType", card.IdType());
    fields.insert("holderIdentificationNumber", card.IdNumber());
    fields.insert("ksn", card.track2KSN());
    fields.insert("track2data", card.track2Encrypted());
    fields.insert("batteryCharge", batteryCharge(sale));
    fields.insert("serviceCode", card.serviceCode());
    fields.insert("serialNumber", sale.deviceSerialNumber());
    fields.insert("fullSerialNumber", sale.fullSerialNumber());
    fields.insert("isFallback", flag(sale.isFallback()));
    fields.insert("transactionType", card.transactionType());
    fields.insert("selectedReader", sale.getSelectedReaderAPIID());
}

// The invoice fields of the payment and the void.
void insertInvoice(QVariantMap& fields, const Sale& sale) {
    fields.insert("invoiceTotalAmount", money(doubleOf(sale.invoiceAmount())));
    fields.insert("taxableAmount", money(doubleOf(sale.taxableAmount())));
    fields.insert("isTaxRefund", flag(sale.hasTaxRefund()));
    fields.insert("invoiceNumber", sale.invoiceNumber());
}

// PIN, chip and track 1 data, each only when the card holds it.
void insertOptionalCardData(QVariantMap& fields, const CreditCard& card) {
    if (const auto pinBlock = card.pinBlock())
        fields.insert("pinBlock", *pinBlock);
    if (const auto pinKSN = card.pinKSN())
        fields.insert("pinKsn", *pinKSN);
    if (const auto emvTags = card.emvTags())
        fields.insert("emvTags", QString::fromUtf8(*emvTags));
    if (const auto track1 = card.track1Encrypted())
        fields.insert("track1data", *track1);
    if (const auto emvApp = card.emvApp())
        fields.insert("emvApp", QString::fromUtf8(*emvApp));
}

void insertCustomData(QVariantMap& fields, const Sale& sale) {
    const QVariantMap custom = sale.customData();
    for (auto it = custom.cbegin(); it != custom.cend(); ++it)
        fields.insert(it.key(), it.value());
}

void insertImages(QVariantMap& fields, const SaleInformation& information) {
    for (const auto& [key, image] : information.images)
        fields.insert(key, image);
}

QVariantMap registrationFields(const Sale& sale, const QString& userId, const QString& token) {
    const SaleInformation information = saleInformation(sale, SaleJsonForm::Registration);
    LogRedaction::log(information.json);
    QVariantMap fields = userFields(userId, token);
    fields.insert("saleInformationJson", information.json);
    fields.insert("currency", sale.currencyCode());
    insertLocation(fields, sale);
    fields.insert("totalAmount", money(doubleOf(sale.total())));
    fields.insert("installmentId", sale.installmentId());
    if (!sale.paidWithCreditCard()) {
        fields.insert("paymentMethod", QStringLiteral("cash"));
    } else {
        const auto card = cardOf(sale);
        fields.insert("paymentMethod", sale.paymentMethodName() == QLatin1String("prepaid")
                                           ? QStringLiteral("prepaid")
                                           : QStringLiteral("card"));
        insertCardAndReader(fields, sale, *card);
        insertInvoice(fields, sale);
        fields.insert("currencyCode", sale.currencyCode());
        fields.insert("installments", integer(card->installments()));
        fields.insert("pinOfflineInserted", flag(card->offlinePinInserted()));
        fields.insert("forceTransaction", flag(sale.force()));
        fields.insert("fallbackCondition", sale.fallbackContidition());
        if (sale.bankId() && !sale.bankId()->isEmpty())
            fields.insert("bankAccountId", *sale.bankId());
        if (sale.securityToken())
            fields.insert("transactionToken", *sale.securityToken());
        insertOptionalCardData(fields, *card);
        if (card->iccTags())
            fields.insert("iccTags", *card->iccTags());
        if (card->applicationLabel())
            fields.insert("applicationLabel", *card->applicationLabel());
        if (sale.merchantId())
            fields.insert("merchant", *sale.merchantId());
    }
    insertCustomData(fields, sale);
    if (sale.externalReference())
        fields.insert("externalReference", *sale.externalReference());
    if (sale.externalReceipt())
        fields.insert("externalReceipt", *sale.externalReceipt());
    insertImages(fields, information);
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
        const SaleInformation information = saleInformation(sale, SaleJsonForm::Registration);
        fields = userFields(userId, token);
        fields.insert("saleInformationJson", information.json);
        fields.insert("currency", sale.currencyCode());
        insertLocation(fields, sale);
        fields.insert("totalAmount", money(doubleOf(sale.total())));
        insertCustomData(fields, sale);
        insertImages(fields, information);
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
        fields.insert("saleInformationJson", saleInformation(sale, SaleJsonForm::Prepaid).json);
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
