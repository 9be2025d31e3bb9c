#include "model/Sale.h"

#include "SDK/session/User.h"
#include "model/Client.h"
#include "model/CreditCard.h"
#include "model/Recharge.h"
#include "model/ServicePayment.h"
#include "model/values/Currency.h"
#include "platform/core/SafeDictionary.h"
#include "platform/core/Values.h"

// Reading a sale record of the back end into a new, free-standing sale.

namespace {

bool present(const QVariantMap& record, const char* key) {
    return SafeDictionary::hasKey(record, QLatin1String(key));
}

QVariant valueOf(const QVariantMap& record, const char* key) {
    return record.value(QLatin1String(key));
}

// "%@" of the value: text unchanged, a number as its decimal text.
QString textForm(const QVariantMap& record, const char* key) {
    return Values::describe(valueOf(record, key));
}

QString textGetter(const QVariantMap& record, const char* key) {
    return SafeDictionary::safeObjectForKey(record, QLatin1String(key));
}

bool truth(const QVariantMap& record, const char* key) {
    return present(record, key) && Values::boolValue(valueOf(record, key));
}

double number(const QVariantMap& record, const char* key) {
    return present(record, key) ? Values::doubleValue(valueOf(record, key)) : 0;
}

// Two decimals by printing and reading back, as the back end's other clients round.
double roundedTwo(double value) {
    return QString::asprintf("%.02f", value).toDouble();
}

QDateTime parsedDate(const QString& text, const QString& format) {
    const QDateTime date = QDateTime::fromString(text, format);
    return date.isValid() ? date : QDateTime();
}

bool isMap(const QVariant& value) {
    return value.typeId() == QMetaType::QVariantMap;
}

bool isList(const QVariant& value) {
    return value.typeId() == QMetaType::QVariantList;
}

} // namespace

SalePtr Sale::fromDictionary(const QVariantMap& record) {
    auto sale = Sale::init();

    sale->setJson(record);
    sale->setIsRefund(false);
    if (present(record, "refundId") && !textForm(record, "refundId").isEmpty()) {
        sale->setSaleId(valueOf(record, "refundId"));
        sale->setIsRefund(true);
    }
    if (present(record, "saleId"))
        sale->setSaleId(valueOf(record, "saleId"));
    if (present(record, "id"))
        sale->setSaleId(valueOf(record, "id"));
    if (present(record, "authorizationCode"))
        sale->setAuthorizationCode(textForm(record, "authorizationCode"));
    if (present(record, "remoteOperationId"))
        sale->setRemoteOperationId(textForm(record, "remoteOperationId"));

    if (present(record, "buyer")) {
        if (isMap(valueOf(record, "buyer")))
            sale->setClient(Client::instanceWithDictionary(valueOf(record, "buyer")));
    } else if (present(record, "qr") && isMap(valueOf(record, "qr"))) {
        const QVariantMap qr = valueOf(record, "qr").toMap();
        if (present(qr, "customerName")) {
            auto client = Client::init();
            client->setFullName(textForm(qr, "customerName"));
            sale->setClient(client);
        }
    }

    if (present(record, "canAnnulate"))
        sale->setCanAnnulate(truth(record, "canAnnulate"));
    if (present(record, "canRefund"))
        sale->setCanRefund(truth(record, "canRefund"));
    sale->setIsCanceled(truth(record, "canceled"));

    if (present(record, "created"))
        sale->setDate(
            parsedDate(textForm(record, "created"), QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    if (!sale->date().isValid() && present(record, "dateTimeTimestamp")) {
        const double seconds = number(record, "dateTimeTimestamp") / 1000.0;
        sale->setDate(QDateTime::fromMSecsSinceEpoch(qint64(seconds * 1000.0)));
    }

    if (present(record, "currency"))
        sale->setCurrencyCode(textForm(record, "currency"));
    if (present(record, "discountAmount"))
        sale->setDiscountAmount(Amount::initWithDouble(number(record, "discountAmount")));
    sale->setCanRefundWithoutCard(truth(record, "canRefundWithoutCard"));
    sale->setHasRefund(truth(record, "hasRefund"));
    if (present(record, "invoiceNumber"))
        sale->setInvoiceNumber(textForm(record, "invoiceNumber"));
    if (present(record, "invoiceTotalAmount"))
        sale->setInvoiceAmount(Amount::initWithDouble(number(record, "invoiceTotalAmount")));
    if (present(record, "isClose"))
        sale->setIsClose(truth(record, "isClose"));
    if (present(record, "isPaid"))
        sale->setIsPaid(truth(record, "isPaid"));
    sale->setEmail(present(record, "email") ? std::optional<QString>(textForm(record, "email"))
                                            : std::nullopt);
    if (present(record, "recharge"))
        sale->setRecharge(Recharge::withDictionary(record));
    if (present(record, "service"))
        sale->setService(ServicePayment::withDictionary(record));

    // Lines; a record without lines of its own may carry one alternative payment.
    auto items = std::make_shared<ItemList>();
    if (present(record, "items") && isList(valueOf(record, "items"))) {
        const QVariantList list = valueOf(record, "items").toList();
        for (const QVariant& element : list)
            if (ItemPtr item = Item::fromDictionary(element))
                items->push_back(item);
        if (list.isEmpty() && present(record, "type")) {
            const QString type = textForm(record, "type");
            QVariantMap line;
            if (type == QLatin1String("RECHARGE") && sale->recharge()) {
                const auto& recharge = *sale->recharge();
                line = {{"productImageUrl", recharge.itemIconURL()},
                        {"productName", recharge.companyName()},
                        {"productPrice", recharge.price()},
                        {"totalAmount", recharge.price()}};
            } else if (type == QLatin1String("SERVICE") && sale->service()) {
                const auto& service = *sale->service();
                line = {{"productImageUrl", service.itemIconURL()},
                        {"productName", service.itemTitle()},
                        {"productPrice", service.price()},
                        {"totalAmount", service.price()}};
            }
            if (!line.isEmpty())
                if (ItemPtr item = Item::fromDictionary(line))
                    items->push_back(item);
        }
    }
    sale->setItems(items);

    auto discounts = std::make_shared<DiscountList>();
    if (present(record, "discounts") && isList(valueOf(record, "discounts")))
        for (const QVariant& element : valueOf(record, "discounts").toList())
            if (DiscountPtr discount = Discount::fromDictionary(element))
                discounts->push_back(discount);
    sale->setDiscounts(discounts);

    std::vector<SalePtr> refunds;
    if (present(record, "refunds") && isList(valueOf(record, "refunds")))
        for (const QVariant& element : valueOf(record, "refunds").toList())
            if (isMap(element))
                refunds.push_back(Sale::fromDictionary(element.toMap()));
    sale->setRefunds(refunds);

    // The record's place, never the device's.
    if (sale->locationManager())
        sale->locationManager()->stopUpdatingLocation();
    sale->setLocationCoordinates(LocationCoordinate::invalid());
    if (present(record, "latitude") && present(record, "longitude")) {
        const float latitude = float(number(record, "latitude"));
        const float longitude = float(number(record, "longitude"));
        if (!(latitude == 0 && longitude == 0))
            sale->setLocationCoordinates({double(latitude), double(longitude)});
    }

    if (present(record, "payment")) {
        const QVariant payment = valueOf(record, "payment");
        if (isMap(payment)) {
            const QVariantMap block = payment.toMap();
            sale->setCreditCard(CreditCard::fromDictionary(payment));
            if (present(block, "paymentMethodId"))
                sale->setInstallmentId(textForm(block, "paymentMethodId"));
            sale->setPaymentMethodName(present(block, "method") ? textForm(block, "method")
                                                                : QString());
        }
    } else if (present(record, "issuerImageUrl")) {
        if (!sale->creditCard())
            sale->setCreditCard(std::make_shared<CreditCard>());
        sale->creditCard()->setBankImageURL(textForm(record, "issuerImageUrl"));
    }

    if (present(record, "taxableAmount"))
        sale->setTaxableAmount(Amount::initWithDouble(roundedTwo(number(record, "taxableAmount"))));
    if (present(record, "taxAmount"))
        sale->setTaxableAmount(Amount::initWithDouble(roundedTwo(number(record, "taxAmount"))));
    if (present(record, "tipAmount"))
        sale->setTipAmount(Amount::initWithDouble(roundedTwo(number(record, "tipAmount"))));

    const QString userId = textGetter(record, "userId");
    const QString userName = textGetter(record, "userName");
    if (!userId.isEmpty() || !userName.isEmpty()) {
        auto seller = std::make_shared<User>();
        seller->setUserId(userId);
        seller->setFirstName(userName);
        sale->setUser(seller);
    }

    sale->setAppCryptogram(textGetter(record, "appCryptogram"));
    sale->setApplicationIdentifier(textGetter(record, "applicationIdentifier"));
    // The back end spells this key without the "t" of "batch".
    sale->setBatchClosureNumber(Values::lenientInteger(textGetter(record, "bachClosureNumber")));
    sale->setCreationDate(
        parsedDate(textGetter(record, "createdDate"), QStringLiteral("yyyy-MM-dd")));
    auto currency = std::make_shared<Currency>();
    currency->setCode(textGetter(record, "currency"));
    sale->setCurrency(currency);
    sale->setOperationCode(textGetter(record, "operationCode"));
    QString reference = textGetter(record, "referenceSaleId");
    if (reference.isEmpty())
        reference = textGetter(record, "referenceOperationId");
    sale->setReferenceSaleIdentifier(reference);
    sale->setType(textGetter(record, "type"));

    if (present(record, "taxes") && isList(valueOf(record, "taxes"))) {
        auto taxes = std::make_shared<TaxList>();
        for (const QVariant& element : valueOf(record, "taxes").toList())
            if (TaxPtr tax = Tax::fromSaleDictionary(element))
                taxes->push_back(tax);
        sale->setTaxes(taxes);
    }

    // The subtotal is the total without tax and tip.
    const AmountPtr total = Amount::initWithDouble(number(record, "totalAmount"));
    const double tax = sale->taxableAmount() ? sale->taxableAmount()->doubleValue() : 0;
    const double tip = sale->tipAmount() ? sale->tipAmount()->doubleValue() : 0;
    sale->setSubtotal(Amount::initWithDouble(total->doubleValue() - tax - tip));

    if (present(record, "externalReceipt"))
        sale->setExternalReceipt(textForm(record, "externalReceipt"));
    return sale;
}
