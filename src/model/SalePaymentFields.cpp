#include "model/SalePaymentFields.h"

#include "model/CreditCard.h"
#include "model/Sale.h"
#include "model/values/DecimalNumber.h"
#include "platform/core/Colors.h"
#include "platform/core/Logging.h"
#include "platform/core/Uuid.h"
#include "platform/core/Values.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace SalePaymentFields {

namespace {

QString money(double value) {
    return DecimalNumber::centsText(value);
}

QString integer(int value) {
    return QString::number(value);
}

QString flag(bool value) {
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

QJsonObject lineTaxObject(const Tax& tax, Form form) {
    const double amount = doubleOf(tax.amount());
    if (form == Form::Prepaid)
        return {{"name", tax.name()}, {"amount", Values::printfDouble("%.4lf", amount)}};
    return {{"name", tax.name().isEmpty() ? QString("") : tax.name()},
            {"amount", amount > 0 ? Values::printfDouble("%.4lf", amount) : QStringLiteral("0")}};
}

QJsonObject lineObject(const Item& item, Form form, Pictures* pictures) {
    const Product& product = *item.product();
    QJsonArray taxes;
    for (const TaxPtr& tax : product.taxes())
        taxes.append(lineTaxObject(*tax, form));
    QString uploadKey("");
    if (!product.image().isNull()) {
        uploadKey = Uuid::newText();
        if (pictures)
            pictures->append({uploadKey, product.image()});
    }
    const bool prepaid = form == Form::Prepaid;
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
        {"productBackgroundColor", Colors::hexRGB(product.backgroundColor())},
        {"totalAmount", money(lineTotal)},
    };
}

} // namespace

QString description(const Sale& sale, Form form, Pictures* pictures) {
    QJsonArray lines;
    for (const ItemPtr& item : sale.items())
        lines.append(lineObject(*item, form, pictures));
    QJsonArray discounts;
    for (const DiscountPtr& discount : sale.discounts())
        discounts.append(QJsonObject{
            {"discountId", integer(discount->discountId())},
            {"discountName", discount->name()},
            // A fraction, not money: printf's two decimals.
            {"discountPercentage", Values::printfDouble("%.2lf", discount->percentage())},
            {"discountAmount", money(discount->amount())},
        });
    QJsonArray taxes;
    for (const TaxPtr& tax : sale.taxes())
        taxes.append(QJsonObject{
            {"name", tax->name()},
            {"amount", Values::printfDouble("%.4lf", doubleOf(tax->amount()))},
        });

    const QJsonObject top{
        {"totalAmount", money(doubleOf(sale.total()))},
        {"isPaid", QStringLiteral("false")},
        {"tipAmount", money(sale.chargedTip())},
        {"discountAmount", money(sale.chargedDiscount())},
        {"items", lines},
        {"discounts", discounts},
        {"taxes", taxes},
    };
    return QString::fromUtf8(QJsonDocument(top).toJson(QJsonDocument::Compact));
}

void insertPaymentFields(QVariantMap& fields, const Sale& sale, CashMethod cashMethod) {
    Pictures pictures;
    const QString descriptionText = description(sale, Form::Payment, &pictures);
    Logging::info(tarvelloSale, descriptionText);

    fields.insert("saleInformationJson", descriptionText);
    fields.insert("currency", sale.currencyCode());
    insertLocation(fields, sale);
    fields.insert("totalAmount", money(doubleOf(sale.total())));
    fields.insert("installmentId", sale.installmentId());
    if (!sale.paidWithCreditCard()) {
        const bool named =
            cashMethod == CashMethod::NameOrCash && !sale.paymentMethodName().isEmpty();
        fields.insert("paymentMethod", named ? sale.paymentMethodName() : QStringLiteral("cash"));
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
        // As named JSON members, so the redaction step masks them as the fields they are.
        for (const auto& [name, data] :
             {std::pair{"emvTags", card->emvTags()}, std::pair{"emvApp", card->emvApp()}})
            if (data)
                Logging::info(
                    tarvelloSale,
                    QString::fromUtf8(QJsonDocument(QJsonObject{{name, QString::fromUtf8(*data)}})
                                          .toJson(QJsonDocument::Compact)));
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
    Logging::info(tarvelloSale, Values::describe(fields));
    insertPictures(fields, pictures);
}

std::shared_ptr<CreditCard> cardOf(const Sale& sale) {
    if (auto card = sale.creditCard())
        return card;
    return std::make_shared<CreditCard>();
}

double doubleOf(const AmountPtr& amount) {
    return amount ? amount->doubleValue() : 0;
}

void insertLocation(QVariantMap& fields, const Sale& sale) {
    fields.insert("latitude", Values::printfDouble("%lf", sale.locationCoordinates().latitude));
    fields.insert("longitude", Values::printfDouble("%lf", sale.locationCoordinates().longitude));
}

void insertCardAndReader(QVariantMap& fields, const Sale& sale, const CreditCard& card) {
    fields.insert("cardNumber", card.number());
    fields.insert("expireDate", card.expiration());
    fields.insert("cardHolderName", card.name());
    fields.insert("securityCode", card.cvv2());
    fields.insert("holderIdentificationType", card.IdType());
    fields.insert("holderIdentificationNumber", card.IdNumber());
    fields.insert("ksn", card.track2KSN());
    fields.insert("track2data", card.track2Encrypted());
    // A single-precision fraction, widened.
    fields.insert("batteryCharge",
                  Values::printfDouble(
                      "%.2f", static_cast<double>(static_cast<float>(sale.deviceBatteryCharge()))));
    fields.insert("serviceCode", card.serviceCode());
    fields.insert("serialNumber", sale.deviceSerialNumber());
    fields.insert("fullSerialNumber", sale.fullSerialNumber());
    fields.insert("isFallback", flag(sale.isFallback()));
    fields.insert("transactionType", card.transactionType());
    fields.insert("selectedReader", sale.getSelectedReaderAPIID());
}

void insertInvoice(QVariantMap& fields, const Sale& sale) {
    fields.insert("invoiceTotalAmount", money(doubleOf(sale.invoiceAmount())));
    fields.insert("taxableAmount", money(doubleOf(sale.taxableAmount())));
    fields.insert("isTaxRefund", flag(sale.hasTaxRefund()));
    fields.insert("invoiceNumber", sale.invoiceNumber());
}

void insertOptionalCardData(QVariantMap& fields, const CreditCard& card) {
    if (const auto pinBlock = card.pinBlock())
        fields.insert("pinBlock", *pinBlock);
    if (const auto pinKSN = card.pinKSN())
        fields.insert("pinKsn", *pinKSN);
    if (const auto emvTags = card.emvTags())
        fields.insert("emvTags", *emvTags);
    if (const auto track1 = card.track1Encrypted())
        fields.insert("track1data", *track1);
    if (const auto emvApp = card.emvApp())
        fields.insert("emvApp", *emvApp);
}

void insertCustomData(QVariantMap& fields, const Sale& sale) {
    const QVariantMap custom = sale.customData();
    for (auto it = custom.cbegin(); it != custom.cend(); ++it)
        fields.insert(it.key(), it.value());
}

void insertPictures(QVariantMap& fields, const Pictures& pictures) {
    for (const auto& [key, picture] : pictures)
        fields.insert(key, picture);
}

} // namespace SalePaymentFields
