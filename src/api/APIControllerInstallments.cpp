// Installment, bank, issuer and promotion requests.
#include "api/APIController.h"
#include "api/APIControllerFields.h"
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
    loadUrlWithCode(FunctionCode::GetInstallments,
                    QStringLiteral("/installments/getInstallments.json"),
                    userFields(userId, token, {{"total", money(amount)}}));
}

void APIController::getBanksWithUserId(const QString& userId, const QString& token) {
    loadUrlWithCode(FunctionCode::GetBanks, QStringLiteral("/banks/getBanks.json"),
                    userFields(userId, token));
}

void APIController::getInstallmentsForCard(const QString& issuerName, const QString& userId,
                                           const QString& token) {
    loadUrlWithCode(FunctionCode::GetInformationByCard,
                    QStringLiteral("/installments/getInformationByCard.json"),
                    userFields(userId, token, {{"issuerName", issuerName}}));
}

void APIController::getInstallmentsForBank(const QString& bankName, const QString& userId,
                                           const QString& token) {
    loadUrlWithCode(FunctionCode::GetInformationByBank,
                    QStringLiteral("/installments/getInformationByBank.json"),
                    userFields(userId, token, {{"bankName", bankName}}));
}

void APIController::getPromotionForSale(const Sale& sale, const QString& userId,
                                        const QString& token) {
    loadUrlWithCode(FunctionCode::GetPromotion, QStringLiteral("/getpromotion"),
                    saleCardFields(sale, userId, token, "amount"));
}

void APIController::getInstallmentsForSale(const Sale& sale, const QString& userId,
                                           const QString& token) {
    loadUrlWithCode(FunctionCode::InstallmentsForSale,
                    QStringLiteral("/installments/getInstallments.json"),
                    saleCardFields(sale, userId, token, "total"));
}

void APIController::getInstallmentsForBin(const QString& bin, const QString& userId,
                                          const QString& token, double total,
                                          const std::optional<QString>& from) {
    loadUrlWithCode(
        FunctionCode::InstallmentsForBin, QStringLiteral("/installments/getInstallments.json"),
        userFields(
            userId, token,
            {{"bin", binOf(bin)}, {"total", money(total)}, {"from", from.value_or(QString(""))}}));
}

void APIController::getIssuersWithUserId(const QString& userId, const QString& token) {
    loadUrlWithCode(FunctionCode::GetIssuers, QStringLiteral("/issuers/getIssuers.json"),
                    userFields(userId, token));
}
