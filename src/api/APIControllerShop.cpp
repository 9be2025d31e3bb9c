// Partner sign-up and PIN, recharges, service payments, deposits, the reader record and the
// reader shop.
#include "api/APIController.h"
#include "api/APIControllerFields.h"
#include "model/LocationProvider.h"
#include "platform/core/Values.h"

using namespace EndpointFields;

namespace {

const QString capitalProvince = QStringLiteral("Ciudad Autónoma de Buenos Aires");
const QString capitalShortName = QStringLiteral("C.A.B.A.");

// The capital's province name is known to the back end by its short form.
QVariant regionName(const QVariant& state) {
    return state.toString() == capitalProvince ? QVariant(capitalShortName) : state;
}

bool isEmptyText(const QVariant& value) {
    return !value.isValid() || Values::isJsonNull(value) || value.toString().isEmpty();
}

QString describeOrEmpty(const QVariant& value) {
    return value.isValid() && !Values::isJsonNull(value) ? Values::describe(value) : QString("");
}

// The first entry the order reads that is missing, or the empty text when all are there.
QString missingOrderEntry(const QVariantMap& data) {
    const auto missingIn = [](const QVariantMap& map, const QStringList& keys,
                              const QString& prefix) -> QString {
        for (const QString& key : keys)
            if (!map.contains(key))
                return prefix + key;
        return {};
    };
    QString missing = missingIn(
        data,
        {"items", "billingAddress", "payments", "promotionId", "realAmount", "shipping", "payment"},
        {});
    if (!missing.isEmpty())
        return missing;
    for (const QVariant& element : data.value("items").toList()) {
        const QVariantMap entry = element.toMap();
        if (!entry.contains("amount") || !entry.value("item").toMap().contains("id"))
            return QStringLiteral("items.item.id/amount");
    }
    missing = missingIn(data.value("billingAddress").toMap(),
                        {"firstName", "lastName", "document", "streetName", "streetNumber", "floor",
                         "city", "state", "zipCode", "phone"},
                        QStringLiteral("billingAddress."));
    if (!missing.isEmpty())
        return missing;
    const QVariantMap shipping = data.value("shipping").toMap();
    if (shipping.value("method").toString() == QLatin1String("ship"))
        missing = missingIn(shipping.value("address").toMap(),
                            {"streetName", "streetNumber", "floor", "state", "city", "zipCode"},
                            QStringLiteral("shipping.address."));
    else
        missing = missingIn(shipping, {"pickUpId"}, QStringLiteral("shipping."));
    if (!missing.isEmpty())
        return missing;
    const QVariantMap payment = data.value("payment").toMap();
    if (payment.value("method").toString() == QLatin1String("card"))
        return missingIn(payment, {"name", "document", "cardNumber", "expireDate"},
                         QStringLiteral("payment."));
    return missingIn(payment, {"walletId"}, QStringLiteral("payment."));
}

QVariantMap orderFields(const QString& token, const QVariantMap& data) {
    QVariantList products;
    for (const QVariant& element : data.value("items").toList()) {
        const QVariantMap entry = element.toMap();
        products << QVariantMap{{"id", entry.value("item").toMap().value("id")},
                                {"count", entry.value("amount")}};
    }
    const QVariantMap billing = data.value("billingAddress").toMap();
    QVariantMap fields{
        {"token", token},
        {"productData", compactJson(products)},
        {"merchantId", 3},
        {"fullname", describeOrEmpty(billing.value("firstName")) + u' ' +
                         describeOrEmpty(billing.value("lastName"))},
        {"document", billing.value("document")},
        {"billingStreet", billing.value("streetName")},
        {"billingStreetNumber", billing.value("streetNumber")},
        {"billingExtraInfo", billing.value("floor")},
        {"billingCity", billing.value("city")},
        {"billingRegion", regionName(billing.value("state"))},
        {"billingPostalCode", billing.value("zipCode")},
        {"phoneNumber", billing.value("phone")},
        {"installments", data.value("payments")},
        {"promotionId", data.value("promotionId")},
        {"realAmount", data.value("realAmount")},
    };
    if (isEmptyText(fields.value("billingCity")))
        fields.insert("billingCity", fields.value("billingRegion"));

    const QVariantMap shipping = data.value("shipping").toMap();
    if (shipping.value("method").toString() == QLatin1String("ship")) {
        const QVariantMap address = shipping.value("address").toMap();
        fields.insert("street", address.value("streetName"));
        fields.insert("streetNumber", address.value("streetNumber"));
        fields.insert("extraInfo", address.value("floor"));
        fields.insert("region", regionName(address.value("state")));
        fields.insert("city", isEmptyText(address.value("city")) ? fields.value("region")
                                                                 : address.value("city"));
        fields.insert("postalCode", address.value("zipCode"));
    } else {
        fields.insert("sucursalId", shipping.value("pickUpId"));
    }

    const QVariantMap payment = data.value("payment").toMap();
    if (payment.value("method").toString() == QLatin1String("card")) {
        fields.insert("cardHolderName", payment.value("name"));
        fields.insert("cardHolderDocument", payment.value("document"));
        fields.insert("cardNumber", payment.value("cardNumber"));
        fields.insert("expireDate", payment.value("expireDate"));
    } else {
        fields.insert("billeteraId", payment.value("walletId"));
    }
    if (payment.contains("securityCode"))
        fields.insert("securityCode", payment.value("securityCode"));
    return fields;
}

} // namespace

QString APIController::foldedProvinceName(const QString& name) {
    const QString decomposed = name.normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.unicode() < 0x80)
            folded += c;
        // Marks left by the decomposition and letters without an ASCII form are dropped.
    }
    return folded.toUpper();
}

void APIController::createUserWithData(const QVariantMap& data) {
    setFunctionName(FunctionCode::RegisterAgent);
    const QVariantMap fields{
        {"email", data.value("email")},        {"password", data.value("password")},
        {"name", data.value("name")},          {"ruc", data.value("ruc")},
        {"phone", data.value("contactPhone")}, {"agent_account_number", data.value("agentPhone")}};
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        if (!it.value().isValid()) {
            failLater(TarvelloError{QStringLiteral("APIController"), 1,
                                    QStringLiteral("The sign-up data has no \"%1\"").arg(it.key()),
                                    nullptr});
            return;
        }
    }
    loadUrl(QStringLiteral("/users/movila"), fields);
}

void APIController::checkPinWithTokenSubsidiaryId(const QString& pin, const QString& token,
                                                  int subsidiaryId) {
    loadUrlWithCode(FunctionCode::CheckAgentPin, QStringLiteral("/users/movila/pin.json"),
                    {{"token", token}, {"pin", pin}, {"subsidiary_id", integer(subsidiaryId)}});
}

void APIController::rechargeBalanceForToken(const QString& token) {
    loadUrlWithCode(FunctionCode::RechargeBalance,
                    QStringLiteral("/recharges/balance?token=") + escapedComponent(token), {});
}

void APIController::getCarriersForToken(const QString& token) {
    loadUrlWithCode(FunctionCode::RechargeCompanies,
                    QStringLiteral("/recharges/companies?token=") + escapedComponent(token), {});
}

void APIController::makeRechargeForCompany(const QString& company,
                                           const LocationCoordinate& location,
                                           const QString& phoneNumber, const QString& currencyCode,
                                           double amount, const QString& token) {
    const QVariantMap fields{{"latitude", sixDecimals(location.latitude)},
                             {"longitude", sixDecimals(location.longitude)},
                             {"phone", phoneNumber},
                             {"currency", currencyCode},
                             {"totalAmount", sixDecimals(amount)},
                             {"token", token}};
    loadUrlWithCode(
        FunctionCode::MakeRecharge,
        QStringLiteral("/recharges/companies/%1/recharges").arg(escapedComponent(company)), fields);
}

void APIController::getCompaniesForToken(const QString& token) {
    loadUrlWithCode(FunctionCode::ServiceCompanies,
                    QStringLiteral("/services-payment/companies?token=") + escapedComponent(token),
                    {});
}

void APIController::getReceiptsForService(const QString& service, const QString& customerNumber,
                                          const QString& token) {
    getUrlWithCode(
        FunctionCode::ServiceItems,
        QStringLiteral("/services-payment/services/%1/items").arg(escapedComponent(service)),
        {{"token", token}, {"customerNumber", customerNumber}});
}

void APIController::makePaymentForService(
    const QString& service, const LocationCoordinate& location, const QString& accountNumber,
    const QString& retrievalReferenceNumber, const QString& receiptId, const QString& referenceId,
    const QString& currencyCode, double totalAmount, double fee, const QString& token) {
    const QVariantMap fields{{"retrievalReferenceNumber", retrievalReferenceNumber},
                             {"referenceId", referenceId},
                             {"customerNumber", accountNumber},
                             {"itemId", receiptId},
                             {"totalAmount", sixDecimals(totalAmount)},
                             {"feeAmount", sixDecimals(fee)},
                             {"currency", currencyCode},
                             {"latitude", sixDecimals(location.latitude)},
                             {"longitude", sixDecimals(location.longitude)},
                             {"token", token}};
    loadUrlWithCode(
        FunctionCode::PayService,
        QStringLiteral("/services-payment/services/%1/payments").arg(escapedComponent(service)),
        fields);
}

void APIController::getDepositsWithStates(const QStringList& states, unsigned long offset,
                                          unsigned long limit, const QString& token,
                                          Completion completion, Failure failure) {
    const QVariantMap parameters{{"state", states.join(u',')},
                                 {"offset", QString::asprintf("%lu", offset)},
                                 {"limit", QString::asprintf("%lu", limit)},
                                 {"token", token}};
    getWithParameters(QStringLiteral("/deposits"), parameters, std::move(completion),
                      std::move(failure));
}

void APIController::readerCheckedWithToken(const QString& token, const QString& os,
                                           const QString& model, bool success) {
    loadUrlWithCode(FunctionCode::ReaderChecked, QStringLiteral("/users/readers.json"),
                    {{"token", token},
                     {"deviceOS", os},
                     {"deviceModel", model},
                     {"deviceBuild", QString("")},
                     {"success", flag(success)}});
}

void APIController::selectReader(const QString& reader, const QString& userId,
                                 const QString& token) {
    loadUrlWithCode(FunctionCode::SelectReader, QStringLiteral("/users/selectReader.json"),
                    userFields(userId, token, {{"selectedReader", reader}}));
}

void APIController::getBuyReadersDataWithToken(const QString& token) {
    loadUrlWithCode(FunctionCode::GetFrontData, QStringLiteral("/sell/getFrontData.json"),
                    {{"token", token}});
}

void APIController::getWalletCardsWithToken(const QString& token) {
    loadUrlWithCode(FunctionCode::GetWalletCards, QStringLiteral("/sell/getBilleteraCards.json"),
                    {{"token", token}});
}

void APIController::buyReaderWithToken(const QString& token, const QVariantMap& data) {
    setFunctionName(FunctionCode::SetOrderData);
    const QString missing = missingOrderEntry(data);
    if (!missing.isEmpty()) {
        failLater(TarvelloError{QStringLiteral("APIController"), 1,
                                QStringLiteral("The order has no \"%1\"").arg(missing), nullptr});
        return;
    }
    loadUrl(QStringLiteral("/sell/setOrderData.json"), orderFields(token, data));
}

void APIController::getBuyReadersPickUpLocationsAtState(const QString& state,
                                                        const QString& token) {
    QVariantMap fields{{"token", token}};
    if (state == capitalProvince)
        fields.insert("localidad", capitalShortName);
    else
        fields.insert("provincia", foldedProvinceName(state));
    loadUrlWithCode(FunctionCode::PickUpLocations,
                    QStringLiteral("/sell/veloxaConsultarSucursales.json"), fields);
}
