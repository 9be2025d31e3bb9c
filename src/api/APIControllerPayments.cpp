// Block-style payment and account calls, and the payment-button requests. The user id and
// session token come from the logged-in User.
#include "SDK/session/AccountSettings.h"
#include "SDK/session/User.h"
#include "api/APIController.h"
#include "api/APIControllerFields.h"
#include "model/Sale.h"
#include "model/values/Tax.h"

#include <QImage>

using namespace EndpointFields;

namespace {

QVariantMap sessionFields() {
    return userFields(User::instance().userId(), User::instance().token());
}

} // namespace

void APIController::dccVerificationForCardEncryptedData(
    const QString& encryptedData, const QString& ksn, const QString& entryMode,
    const QString& installments, const QString& bin, double amount, double taxAmount,
    double tipAmount, const QString& reader, Completion completion, Failure failure) {
    // The back end verifies a single payment: the installments argument is not sent.
    (void)installments;
    const QVariantMap body{
        {"entryMode", entryMode},
        {"installments", QStringLiteral("1")},
        {"amount", QVariantMap{{"total", sixDecimals(amount)},
                               {"vat", sixDecimals(taxAmount)},
                               {"tip", sixDecimals(tipAmount)}}},
        {"cardData", QVariantMap{{"ksn", ksn}, {"encryptedData", encryptedData}, {"bin", bin}}},
        {"reader", QVariantMap{{"serialNumber", reader}}},
        {"userId", User::instance().userId()},
    };
    postWithJsonContent(QStringLiteral("/payments/dcc-verify"), compactJson(body).toUtf8(),
                        QStringLiteral("application/json"), std::move(completion),
                        std::move(failure));
}

void APIController::getOperationWithIdentifier(const QString& identifier, Completion completion,
                                               Failure failure) {
    QVariantMap fields = sessionFields();
    fields.insert("saleId", identifier);
    fields.insert("operationId", identifier);
    QString error;
    const auto body = bodyFromDictionary(fields, &error);
    if (!body) {
        if (failure)
            failure(TarvelloError{QStringLiteral("APIController"), 1, error, nullptr});
        return;
    }
    postWithJsonContent(QStringLiteral("/sales/getSaleRecord.json"), *body,
                        QStringLiteral("multipart/form-data; boundary=") + multipartBoundary,
                        std::move(completion), std::move(failure));
}

void APIController::getMultipleTaxesOnCompletion(
    std::function<void(const TaxList& taxes)> completion, Failure failure) {
    get(
        QStringLiteral("/taxes"),
        [completion = std::move(completion)](const Response& response) {
            TaxList taxes;
            for (const QVariant& entry : response.json().value("taxes").toList())
                if (auto tax = Tax::fromDictionary(entry))
                    taxes.push_back(tax);
            if (completion)
                completion(taxes);
        },
        std::move(failure));
}

void APIController::performSale(const Sale& sale, std::function<void(SalePtr sale)> completion,
                                Failure failure) {
    QVariantMap parameters;
    readOnMainThread([&] {
        const QVariantMap fields = sale.requestData();
        for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
            // A form body carries texts: chip data as their text, line pictures not at all.
            if (it.value().typeId() == QMetaType::QImage)
                continue;
            if (it.value().typeId() == QMetaType::QByteArray)
                parameters.insert(it.key(), QString::fromUtf8(it.value().toByteArray()));
            else
                parameters.insert(it.key(), it.value());
        }
    });
    parameters.insert(sessionFields());
    postWithParameters(
        QStringLiteral("/payments/savePayment.json"), parameters,
        [completion = std::move(completion)](const Response& response) {
            if (completion)
                completion(Sale::fromDictionary(response.json()));
        },
        std::move(failure));
}

void APIController::getAccountCBUStatus(std::function<void(const QVariantMap& json)> completion,
                                        Failure failure) {
    getWithParameters(
        QStringLiteral("/account/cbu"), sessionFields(),
        [completion = std::move(completion)](const Response& response) {
            if (completion)
                completion(response.json());
        },
        std::move(failure));
}

void APIController::generateShareTokenWithTitle(const QString& title, double amount,
                                                const QString& currencyCode,
                                                const QString& quantity) {
    QVariantMap fields = sessionFields();
    fields.insert("description", title);
    fields.insert("amount", money(amount));
    fields.insert("max_elements", quantity);
    fields.insert("currency_code", currencyCode);
    loadUrlWithCode(FunctionCode::PaymentButton,
                    QStringLiteral("/paymentButtons/%1/%2")
                        .arg(User::instance().branchId())
                        .arg(escapedComponent(AccountSettings::instance().appLanguage())),
                    fields);
}

void APIController::sharePaymentButton(const QString& buttonId, const QString& email) {
    QVariantMap fields = sessionFields();
    fields.insert("email", email);
    loadUrlWithCode(FunctionCode::SendPaymentButton,
                    QStringLiteral("/paymentButtonsSendmail/") + escapedComponent(buttonId),
                    fields);
}
