// Installment, bank, issuer and promotion requests.
#include "api/APIController+Fields.h"
#include "api/APIController.h"
#include "model/CreditCard.h"
#include "model/Sale.h"

using namespace EndpointFields;

namespace {

// The card and reader of a sale as the installment and promotion look-ups send them, with the
// subtotal under the given name.
QVariantMap saleCardFields(const Sale& sale, const QString& userId, const QString& token,
                           const QString& amountKey) {
    QVariantMap fields = userFields(userId, token);
    readOnMainThread([&] {
        const auto card = sale.creditCard() ? sale.creditCard() : std::make_shared<CreditCard>();
        fields.insert("bin", binOf(card->number()));
        fields.insert("track2data", card->track2Encrypted());
        fields.insert("ksn", card->track2KSN());
        fields.insert("serialNumber", sale.deviceSerialNumber());
        fields.insert("fullSerialNumber", sale.fullSerialNumber());
        fields.insert("selectedReader", sale.getSelectedReaderAPIID());
        fields.insert(amountKey, money(sale.subtotal()->doubleValue()));
    });
    return fields;
}

} // namespace

void APIController::getInstallmentsWithUserId(const QString& userId, const QString& token,
                                              double amount) {
    setFunctionName(60);
    QVariantMap fields = userFields(userId, token);
    fields.insert("total", money(amount));
    loadUrl(QStringLiteral("/installments/getInstallments.json"), fields);
}

void APIController::getBanksWithUserId(const QString& userId, const QString& token) {
    setFunctionName(61);
    loadUrl(QStringLiteral("/banks/getBanks.json"), userFields(userId, token));
}

void APIController::getInstallmentsForCard(const QString& issuerName, const QString& userId,
                                           const QString& token) {
    setFunctionName(62);
    QVariantMap fields = userFields(userId, token);
    fields.insert("issuerName", issuerName);
    loadUrl(QStringLiteral("/installments/getInformationByCard.json"), fields);
}

void APIController::getInstallmentsForBank(const QString& bankName, const QString& userId,
                                           const QString& token) {
    setFunctionName(63);
    QVariantMap fields = userFields(userId, token);
    fields.insert("bankName", bankName);
    loadUrl(QStringLiteral("/installments/getInformationByBank.json"), fields);
}

void APIController::getPromotionForSale(const Sale& sale, const QString& userId,
                                        const QString& token) {
    setFunctionName(64);
    loadUrl(QStringLiteral("/getpromotion"), saleCardFields(sale, userId, token, "amount"));
}

void APIController::getInstallmentsForSale(const Sale& sale, const QString& userId,
                                           const QString& token) {
    setFunctionName(64);
    loadUrl(QStringLiteral("/installments/getInstallments.json"),
            saleCardFields(sale, userId, token, "total"));
}

void APIController::getInstallmentsForBin(const QString& bin, const QString& userId,
                                          const QString& token, double total,
                                          const std::optional<QString>& from) {
    setFunctionName(64);
    QVariantMap fields = userFields(userId, token);
    fields.insert("bin", binOf(bin));
    fields.insert("total", money(total));
    fields.insert("from", from.value_or(QString("")));
    loadUrl(QStringLiteral("/installments/getInstallments.json"), fields);
}

void APIController::getIssuersWithUserId(const QString& userId, const QString& token) {
    setFunctionName(65);
    loadUrl(QStringLiteral("/issuers/getIssuers.json"), userFields(userId, token));
}
