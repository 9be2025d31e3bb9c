#include "model/Sale.h"

#include "api/APIController.h"
#include "model/CreditCard.h"
#include "platform/core/CardNumber.h"
#include "platform/core/Logging.h"
#include "platform/core/MainThread.h"
#include "platform/core/Values.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaObject>

// The form fields of a sale's payment request. Card data never reach the console: every line
// goes through the redaction step, and the chip tags' card values are dropped before.

namespace {

QString money(double value) {
    return QString::asprintf("%.2lf", value);
}

double doubleOf(const AmountPtr& amount) {
    return amount ? amount->doubleValue() : 0;
}

// Chip tags holding the card number, track data, expiry or the holder's name.
bool isSensitiveTag(const QString& tag) {
    static const QStringList tags{"5A", "57", "56", "5F24", "5F20", "9F6B", "9F1F", "9F20", "99"};
    return tags.contains(tag.toUpper());
}

QString redactedEmvTags(const QByteArray& bytes) {
    const QJsonDocument document = QJsonDocument::fromJson(bytes);
    if (!document.isObject())
        return QStringLiteral("<%1 bytes>").arg(bytes.size());
    QJsonObject tags = document.object();
    for (auto it = tags.begin(); it != tags.end(); ++it) {
        if (it.key().compare(QLatin1String("5A"), Qt::CaseInsensitive) == 0)
            it.value() = CardNumber::masked(it.value().toString());
        else if (isSensitiveTag(it.key()))
            it.value() = QStringLiteral("<redacted>");
    }
    return QString::fromUtf8(QJsonDocument(tags).toJson(QJsonDocument::Compact));
}

QJsonObject productTaxObject(const Tax& tax) {
    const double amount = doubleOf(tax.amount());
    return QJsonObject{
        {"name", tax.name().isEmpty() ? QString("") : tax.name()},
        {"amount", amount > 0 ? QString::asprintf("%.4lf", amount) : QStringLiteral("0")}};
}

QString colorHex(const QColor& color) {
    return QString::asprintf("%02X%02X%02X", color.red(), color.green(), color.blue());
}

} // namespace

QVariantMap Sale::requestData() const {
    // The sale and its card are only touched on the main thread; a caller elsewhere waits.
    if (QCoreApplication::instance() && !MainThread::isCurrent()) {
        QVariantMap result;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [this, &result] { result = requestData(); },
            Qt::BlockingQueuedConnection);
        return result;
    }

    // Lines, with a picture key for each product that has a picture.
    QJsonArray lines;
    QList<QPair<QString, QImage>> pictures;
    for (const ItemPtr& item : items()) {
        const Product& product = *item->product();
        QJsonArray productTaxes;
        for (const TaxPtr& tax : product.taxes())
            productTaxes.append(productTaxObject(*tax));
        QString pictureKey("");
        if (!product.image().isNull()) {
            pictureKey = APIController::uuid();
            pictures.append({pictureKey, product.image()});
        }
        const double lineDiscount =
            doubleOf(item->discountAmount()) + item->getPriceWithTax() * item->discountPercentage();
        lines.append(QJsonObject{
            {"isCustomAmount", item->isCustomAmount()},
            {"productId", product.productId()},
            {"productName", product.name()},
            {"productDescription", product.description()},
            {"productPrice", money(product.getPriceWithTax() - product.getTotalTax())},
            {"imageKeyForUpload", pictureKey},
            {"quantity", QString::asprintf("%d", item->quantity())},
            {"taxes", productTaxes},
            {"discountAmount", money(lineDiscount)},
            {"productBackgroundColor", colorHex(product.backgroundColor())},
            {"totalAmount", money(doubleOf(product.price()) * item->quantity())},
        });
    }

    QJsonArray discountObjects;
    for (const DiscountPtr& discount : discounts())
        discountObjects.append(QJsonObject{
            {"discountId", QString::asprintf("%d", discount->discountId())},
            {"discountName", discount->name()},
            {"discountPercentage", money(discount->percentage())},
            {"discountAmount", money(discount->amount())},
        });
    QJsonArray taxObjects;
    for (const TaxPtr& tax : taxes())
        taxObjects.append(QJsonObject{
            {"name", tax->name()},
            {"amount", QString::asprintf("%.4lf", doubleOf(tax->amount()))},
        });

    // The discount and tip the amount to charge applies: a fixed discount when the sale has
    // one, else the fraction of the subtotal; a fixed tip when not zero, else the fraction of
    // the base after discount and with taxes.
    const double charged = total()->doubleValue();
    const double exactSubtotal = subtotal()->amountNumber().toDouble();
    const double discount = discountAmount() ? discountAmount()->doubleValue()
                                             : roundedDouble(discountPercentage() * exactSubtotal);
    const double base = exactSubtotal - discount + totalTaxAmount();
    const double fixedTip = doubleOf(tipAmount());
    const double tip = fixedTip != 0 ? fixedTip : tipPercentage() * base;

    const QJsonObject description{
        {"totalAmount", money(charged)},
        {"isPaid", "false"},
        {"tipAmount", money(tip)},
        {"discountAmount", money(discount)},
        {"items", lines},
        {"discounts", discountObjects},
        {"taxes", taxObjects},
    };
    const QString descriptionText =
        QString::fromUtf8(QJsonDocument(description).toJson(QJsonDocument::Compact));
    Logging::info(tarvelloSale, descriptionText);

    QVariantMap fields;
    fields.insert("saleInformationJson", descriptionText);
    fields.insert("currency", currencyCode());
    fields.insert("latitude", QString::asprintf("%lf", locationCoordinates().latitude));
    fields.insert("longitude", QString::asprintf("%lf", locationCoordinates().longitude));
    if (!paidWithCreditCard()) {
        fields.insert("paymentMethod",
                      paymentMethodName().isEmpty() ? QStringLiteral("cash") : paymentMethodName());
        fields.insert("totalAmount", money(charged));
        fields.insert("installmentId", installmentId());
    } else {
        const std::shared_ptr<CreditCard> held = creditCard();
        const CreditCard blank;
        const CreditCard& card = held ? *held : blank;
        fields.insert("paymentMethod", paymentMethodName() == QLatin1String("prepaid")
                                           ? QStringLiteral("prepaid")
                                           : QStringLiteral("card"));
        fields.insert("cardNumber", card.number());
        fields.insert("expireDate", card.expiration());
        fields.insert("cardHolderName", card.name());
        fields.insert("securityCode", card.cvv2());
        fields.insert("totalAmount", money(charged));
        fields.insert("currencyCode", currencyCode());
        fields.insert("installmentId", installmentId());
        fields.insert("installments", QString::asprintf("%d", card.installments()));
        fields.insert("holderIdentificationType", card.IdType());
        fields.insert("holderIdentificationNumber", card.IdNumber());
        fields.insert("ksn", card.track2KSN());
        fields.insert("track2data", card.track2Encrypted());
        fields.insert("batteryCharge", QString::asprintf("%.2f", deviceBatteryCharge()));
        fields.insert("serviceCode", card.serviceCode());
        fields.insert("serialNumber", deviceSerialNumber());
        fields.insert("fullSerialNumber", fullSerialNumber());
        fields.insert("isFallback", QString::asprintf("%d", int(isFallback())));
        fields.insert("invoiceTotalAmount", QString::asprintf("%.2f", doubleOf(invoiceAmount())));
        fields.insert("taxableAmount", QString::asprintf("%.2f", doubleOf(taxableAmount())));
        fields.insert("isTaxRefund", QString::asprintf("%d", int(hasTaxRefund())));
        fields.insert("invoiceNumber", invoiceNumber());
        fields.insert("transactionType", card.transactionType());
        fields.insert("pinOfflineInserted",
                      QString::asprintf("%d", int(card.offlinePinInserted())));
        fields.insert("selectedReader", getSelectedReaderAPIID());
        fields.insert("forceTransaction", QString::asprintf("%d", int(force())));
        fields.insert("fallbackCondition", fallbackContidition());
        if (bankId() && !bankId()->isEmpty())
            fields.insert("bankAccountId", *bankId());
        if (securityToken())
            fields.insert("transactionToken", *securityToken());
        if (const auto pinBlock = card.pinBlock())
            fields.insert("pinBlock", *pinBlock);
        if (const auto pinKSN = card.pinKSN())
            fields.insert("pinKsn", *pinKSN);
        if (const auto emvTags = card.emvTags()) {
            Logging::info(tarvelloSale, redactedEmvTags(*emvTags));
            fields.insert("emvTags", *emvTags);
        }
        if (card.track1Encrypted())
            fields.insert("track1data", *card.track1Encrypted());
        if (const auto emvApp = card.emvApp()) {
            Logging::info(tarvelloSale, QString::fromUtf8(*emvApp));
            fields.insert("emvApp", *emvApp);
        }
        if (card.iccTags())
            fields.insert("iccTags", *card.iccTags());
        if (card.applicationLabel())
            fields.insert("applicationLabel", *card.applicationLabel());
        if (merchantId())
            fields.insert("merchant", *merchantId());
    }

    const QVariantMap custom = customData();
    for (auto it = custom.constBegin(); it != custom.constEnd(); ++it)
        fields.insert(it.key(), it.value());
    if (externalReference())
        fields.insert("externalReference", *externalReference());
    if (externalReceipt())
        fields.insert("externalReceipt", *externalReceipt());

    Logging::info(tarvelloSale, Values::describe(fields));

    for (const auto& [key, picture] : pictures)
        fields.insert(key, picture);
    return fields;
}
