// Installment plans, banks, issuers and promotions.

#include "sandbox/routes/EndpointRoutes.h"
#include "sandbox/routes/ImageRoutes.h"
#include "sandbox/routes/ShopRoutes.h"

using namespace EndpointRoutes;

namespace {

QVariantList plans() {
    QVariantList list;
    for (int count : {1, 3, 6, 12})
        list << QVariantMap{{"installments", count},
                            {"installmentId", QStringLiteral("plan-%1").arg(count)},
                            {"interest", count == 1 ? 0.0 : 0.1},
                            {"discount", 0.0},
                            {"bankName", QStringLiteral("Banco Sandbox")}};
    return list;
}

// The address of an issuer logo on the host the request came to ("" for the folder itself).
QString issuerLogo(const SandboxRequest& request, const QString& file) {
    QString host = QString::fromLatin1(request.header("Host"));
    if (host.isEmpty())
        host = QStringLiteral("127.0.0.1");
    return QStringLiteral("https://%1/img-issuer/%2").arg(host, file);
}

QVariantMap plan(double payment, double discount, double interest, const QString& id) {
    return {{"Payment", payment},
            {"discountPercentage", discount},
            {"interestPercentage", interest},
            {"installmentId", id},
            {"CFT", interest > 0 ? 0.32 : 0.0}};
}

// The payment methods of the merchant: cash and the payment link in every currency, card
// institutions per currency.
QVariantList paymentMethods(const SandboxRequest& request, double total) {
    const auto share = [total](int count, double interest) {
        return count > 0 ? total * (1 + interest) / count : 0.0;
    };
    return {
        QVariantMap{{"type", "CASH"}, {"installments", QVariantList{}}, {"installmentId", 1}},
        QVariantMap{{"type", "PAYMENT_BUTTON"}, {"name", "Link de pago"}},
        QVariantMap{{"type", "CREDIT"},
                    {"name", "Banco Sur"},
                    {"shortName", "Sur"},
                    {"key", "sur"},
                    {"currency", "484"},
                    {"imageUrl_iOS", issuerLogo(request, "sur.png")},
                    {"imageUrl", issuerLogo(request, "sur.png")},
                    {"index", "sur"},
                    {"installmentId", 10},
                    {"terminalID", "T-SUR-01"},
                    {"manualEntryAvailable", true},
                    {"maxTipAmount", 20},
                    {"tipsToShow", QVariantList{0.1, 0.15}},
                    {"emvAIDs", QVariantList{"A0000000031010", "A0000000041010"}},
                    {"emvConfigurationVersion", 3},
                    {"orderedKeys", QVariantList{"12", "3", "1", "18"}},
                    {"installments", QVariantMap{{"1", plan(share(1, 0) * 0.9, 0.1, 0, "10")},
                                                 {"3", plan(share(3, 0), 0, 0, "13")},
                                                 {"12", plan(share(12, 0.2), 0, 0.2, "112")},
                                                 {"18", QStringLiteral("Consultar en el banco")}}}},
        QVariantMap{{"type", "CREDIT"},
                    {"name", "Visa Crédito"},
                    {"key", "visa"},
                    {"currency", "484"},
                    {"imageUrl_iOS", issuerLogo(request, "")},
                    {"installmentId", 20},
                    {"installments", QVariantMap{{"1", plan(total, 0, 0, "20")}}}},
        QVariantMap{{"type", "CREDIT"},
                    {"name", "Tarjeta Norte"},
                    {"key", "norte"},
                    {"currency", "484"},
                    {"imageUrl_iOS", issuerLogo(request, "missing-norte.png")},
                    {"installmentId", 30},
                    {"installments", QVariantList{QVariantMap{{"installmentId", "31"},
                                                              {"name", "1 cuota"},
                                                              {"number", 1},
                                                              {"amount", total}},
                                                  QVariantMap{{"installmentId", "36"},
                                                              {"name", "6 cuotas"},
                                                              {"number", 6},
                                                              {"amount", share(6, 0.1)}}}}},
        QVariantMap{
            {"type", "DEBIT"},
            {"name", "Débito Maestro"},
            {"key", "maestro"},
            {"currency", "484"},
            {"imageUrl_iOS", issuerLogo(request, "maestro.png")},
            {"imageUrl", issuerLogo(request, "maestro.png")},
            {"index", "maestro"},
            {"installmentId", 40},
            {"bankAccountTypes",
             QVariantList{
                 QVariantMap{{"installmentId", "41"}, {"number", 41}, {"name", "Caja de ahorro"}},
                 QVariantMap{
                     {"installmentId", "42"}, {"number", 42}, {"name", "Cuenta corriente"}}}},
            {"installments", QVariantMap{{"1", plan(total, 0, 0, "40")}}}},
        QVariantMap{{"type", "CREDIT"},
                    {"name", "Bank of the South"},
                    {"key", "south"},
                    {"currency", "840"},
                    {"imageUrl_iOS", issuerLogo(request, "south.png")},
                    {"installmentId", 50},
                    {"installments", QVariantMap{{"1", plan(total, 0, 0, "50")}}}},
    };
}

const bool registered = [] {
    // With a card's BIN the plans of that card; without, the merchant's payment methods.
    add("POST", "/installments/getInstallments.json", Caller::Session, {"total"},
        [](const SandboxRequest& request, SandboxState&, SandboxUser*) {
            if (auto shop = ShopRoutes::buyReaderPlans(request))
                return *shop;
            if (request.hasField("bin"))
                return SandboxReply::ok({{"data", plans()}});
            return SandboxReply::ok(
                {{"data", paymentMethods(request, request.field("total").toDouble())}});
        });
    add("POST", "/banks/getBanks.json", Caller::Session, {},
        okWith({{"data", QVariantList{QVariantMap{{"id", 1}, {"name", "Banco Sandbox"}}}}}));
    add("POST", "/installments/getInformationByCard.json", Caller::Session, {"issuerName"},
        okWith({{"data", plans()}}));
    add("POST", "/installments/getInformationByBank.json", Caller::Session, {"bankName"},
        okWith({{"data", plans()}}));
    add("POST", "/getpromotion", Caller::Session, {"bin", "amount"},
        okWith({{"data", QVariantMap{{"promotionId", QString()}, {"hasPromotion", false}}}}));
    add("POST", "/issuers/getIssuers.json", Caller::Session, {},
        okWith({{"data", QVariantList{QVariantMap{{"id", 1}, {"name", "Visa"}},
                                      QVariantMap{{"id", 2}, {"name", "MasterCard"}}}}}));
    return true;
}();

} // namespace

// Issuer logos: a picture for each ".png" name, none for names starting "missing".
SANDBOX_ROUTE("GET", "/img-issuer/*") {
    const QString name = request.path.mid(QStringLiteral("/img-issuer/").size());
    if (name.isEmpty() || name.startsWith(QLatin1String("missing")) ||
        !name.toLower().endsWith(QLatin1String(".png")))
        return SandboxReply::raw("Not Found", "text/plain", 404);
    return SandboxReply::raw(ImageRoutes::drawnPicture(name, "PNG"), "image/png");
}
