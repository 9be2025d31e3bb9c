// Partner sign-up and PIN, recharges, service payments, deposits, the reader record and the
// reader shop.

#include "sandbox/routes/ShopRoutes.h"
#include "sandbox/routes/EndpointRoutes.h"
#include "sandbox/routes/ImageRoutes.h"

using namespace EndpointRoutes;

namespace {

void registerReaderShop();

const bool registered = [] {
    add("POST", "/users/movila", Caller::ApiKey,
        {"email", "password", "name", "ruc", "phone", "agent_account_number"},
        [](const SandboxRequest& request, SandboxState& state, SandboxUser*) {
            if (state.userByEmail(request.field("email")))
                return SandboxReply::failure(409, QStringLiteral("El usuario ya existe"),
                                             QStringLiteral("USER_EXISTS"));
            return SandboxReply::ok({{"data", QVariantMap{{"userId", state.nextId()}}}});
        });
    add("POST", "/users/movila/pin.json", Caller::Session, {"pin", "subsidiary_id"},
        [](const SandboxRequest& request, SandboxState&, SandboxUser* user) {
            if (request.field("pin") != user->pin)
                return SandboxReply::failure(400, QStringLiteral("PIN incorrecto"),
                                             QStringLiteral("INVALID_PIN"));
            return SandboxReply::ok({});
        });
    add("POST", "/recharges/balance", Caller::Session, {},
        okWith({{"data", QVariantMap{{"balance", "800.00"}}}}));
    add("POST", "/recharges/companies", Caller::Session, {},
        okWith({{"data", QVariantList{QVariantMap{{"id", "movistar"}, {"name", "Movistar"}}}}}));
    add("POST", "/recharges/companies/*", Caller::Session,
        {"phone", "currency", "totalAmount", "latitude", "longitude"},
        [](const SandboxRequest&, SandboxState& state, SandboxUser*) {
            return SandboxReply::ok({{"data", QVariantMap{{"rechargeId", state.nextId()}}}});
        });
    add("POST", "/services-payment/companies", Caller::Session, {},
        okWith({{"data", QVariantList{QVariantMap{{"id", "luz"}, {"name", "Luz"}}}}}));
    add("GET", "/services-payment/services/*", Caller::Session, {"customerNumber"},
        okWith({{"data", QVariantList{QVariantMap{{"itemId", "f-1"}, {"amount", "320.50"}}}}}));
    add("POST", "/services-payment/services/*", Caller::Session,
        {"retrievalReferenceNumber", "referenceId", "customerNumber", "itemId", "totalAmount",
         "feeAmount", "currency"},
        [](const SandboxRequest&, SandboxState& state, SandboxUser*) {
            return SandboxReply::ok({{"data", QVariantMap{{"paymentId", state.nextId()}}}});
        });
    add("GET", "/deposits", Caller::Session, {"state", "offset", "limit"},
        okWith({{"data", QVariantList{QVariantMap{
                             {"id", 9001}, {"state", "PENDING"}, {"amount", "1200.00"}}}}}));
    add("POST", "/users/readers.json", Caller::Session, {"deviceOS", "deviceModel", "success"},
        okWith({}));
    add("POST", "/users/selectReader.json", Caller::Session, {"selectedReader"}, okWith({}));
    registerReaderShop();
    return true;
}();

} // namespace

// ---------------------------------------------------------------- the reader shop

namespace {

QVariantMap product(const SandboxRequest& request, int id, const QString& name, double price,
                    int type, const QString& picture) {
    return {{"id", id},
            {"name", name},
            {"type", type},
            {"price", price},
            {"descriptionShort", QStringLiteral("Chip, banda y contactless")},
            {"description", QStringLiteral("Lector de tarjetas de crédito y débito. Cobrá en "
                                           "cualquier lugar con tu teléfono.")},
            {"dimensions", QStringLiteral("10 x 6 x 1,5 cm")},
            {"weight", QStringLiteral("120 g")},
            {"battery", QStringLiteral("500 ventas por carga")},
            {"connectivity", type == 0 ? QStringLiteral("Audio") : QStringLiteral("Bluetooth")},
            {"cardsText", QStringLiteral("Visa, Mastercard, American Express, Cabal")},
            {"images", QVariantList{QVariantMap{
                           {"original", ImageRoutes::pictureAddress(request, picture)}}}}};
}

QVariantList branchesOf(const QString& province) {
    if (province == QLatin1String(ShopRoutes::kProvinceWithoutBranches))
        return {};
    const QString place = province.isEmpty() ? QStringLiteral("C.A.B.A.") : province;
    return {QVariantMap{{"subsidiaryId", 7001},
                        {"subsidiaryName", QStringLiteral("Veloxa Centro")},
                        {"subsidiaryAddress", QStringLiteral("Av. Colón 1234, %1").arg(place)},
                        {"subsidiaryTime", QStringLiteral("Lun a Vie de 9 a 18 hs")}},
            QVariantMap{{"subsidiaryId", 7002},
                        {"subsidiaryName", QStringLiteral("Veloxa Norte")},
                        {"subsidiaryAddress", QStringLiteral("San Martín 55, %1").arg(place)},
                        {"subsidiaryTime", QStringLiteral("Lun a Sáb de 9 a 13 hs")}}};
}

QVariantList walletCards() {
    return {QVariantMap{{"cc", "4509953566233704"},
                        {"issuer", "Visa"},
                        {"expire", 52027},
                        {"uid", "w-101"},
                        {"cvvRequired", true},
                        {"isFav", false}},
            QVariantMap{{"cc", "5485123456780604"},
                        {"issuer", "Mastercard"},
                        {"expire", "122026"},
                        {"uid", "w-102"},
                        {"cvvRequired", true},
                        {"isFav", true}},
            QVariantMap{{"cc", "371180303257522"},
                        {"issuer", "American Express"},
                        {"expire", "082028"},
                        {"uid", "w-103"},
                        {"cvvRequired", false},
                        {"isFav", false}}};
}

// The order fields the back end keeps, as sent.
const QStringList kOrderFields = {"productData",
                                  "merchantId",
                                  "fullname",
                                  "document",
                                  "billingStreet",
                                  "billingStreetNumber",
                                  "billingExtraInfo",
                                  "billingCity",
                                  "billingRegion",
                                  "billingPostalCode",
                                  "phoneNumber",
                                  "installments",
                                  "promotionId",
                                  "realAmount",
                                  "street",
                                  "streetNumber",
                                  "extraInfo",
                                  "region",
                                  "city",
                                  "postalCode",
                                  "sucursalId",
                                  "cardHolderName",
                                  "cardHolderDocument",
                                  "cardNumber",
                                  "expireDate",
                                  "billeteraId",
                                  "securityCode"};

void registerReaderShop() {
    add("POST", "/sell/getFrontData.json", Caller::Session, {},
        [](const SandboxRequest& request, SandboxState&, SandboxUser*) {
            return SandboxReply::ok(
                {{"products",
                  QVariantList{product(request, 1, QStringLiteral("Lector Tarvello Pro"), 1500, 1,
                                       QStringLiteral("reader-pro.png")),
                               product(request, 2, QStringLiteral("Lector Tarvello Mini"), 1499.5,
                                       0, QStringLiteral("reader-mini.png"))}}});
        });
    add("POST", "/sell/getBilleteraCards.json", Caller::Session, {},
        [](const SandboxRequest&, SandboxState&, SandboxUser* user) {
            const bool none = user && user->userId == ShopRoutes::kUserWithoutWalletCards;
            return SandboxReply::json(
                QVariantMap{{"status", "OK"}, {"payments", none ? QVariantList() : walletCards()}});
        });
    add("POST", "/sell/setOrderData.json", Caller::Session,
        {"productData", "merchantId", "fullname", "document", "installments", "promotionId",
         "realAmount"},
        [](const SandboxRequest& request, SandboxState& state, SandboxUser* user) {
            if (!request.hasField("sucursalId") && !request.hasField("street"))
                return SandboxReply::failure(400, QStringLiteral("Falta el envío"),
                                             QStringLiteral("MISSING_SHIPPING"));
            if (!request.hasField("cardNumber") && !request.hasField("billeteraId"))
                return SandboxReply::failure(400, QStringLiteral("Falta el medio de pago"),
                                             QStringLiteral("MISSING_PAYMENT"));
            if (request.field("cardNumber") == QLatin1String(ShopRoutes::kDeclinedCard))
                return SandboxReply::failure(402, QStringLiteral("La tarjeta fue rechazada"),
                                             QStringLiteral("CARD_DECLINED"));
            SandboxSale order;
            order.merchantId = user ? user->merchantId : 0;
            order.userId = user ? user->userId : 0;
            order.paymentMethod = QStringLiteral("readerOrder");
            order.status = QStringLiteral("ordered");
            for (const QString& name : kOrderFields)
                if (request.hasField(name))
                    order.data.insert(name, request.field(name));
            const qint64 id = state.addSale(order).id;
            return SandboxReply::ok({{"data", QVariantMap{{"orderId", id}}}});
        });
    add("POST", "/sell/veloxaConsultarSucursales.json", Caller::Session, {},
        [](const SandboxRequest& request, SandboxState&, SandboxUser*) {
            if (!request.hasField("provincia") && !request.hasField("localidad"))
                return SandboxReply::json(QVariantMap{
                    {"status", "ERROR"},
                    {"response", QVariantMap{{"message", QStringLiteral("Falta la provincia")}}}});
            return SandboxReply::json(QVariantMap{
                {"status", "OK"}, {"response", branchesOf(request.field("provincia"))}});
        });
    SandboxRoutes::add(
        QStringLiteral("GET"), QStringLiteral("/pagora/terminos.html"),
        [](const SandboxRequest&, SandboxState&) {
            return SandboxReply::raw(
                QStringLiteral("<html><body><h2>Términos y Condiciones para compradores</h2>"
                               "<p>Al pagar con tu billetera aceptás estas condiciones.</p>"
                               "<p><a href=\"https://www.pagora.example/ayuda\">Ayuda</a>"
                               "</p></body></html>")
                    .toUtf8(),
                "text/html; charset=utf-8");
        });
}

} // namespace

std::optional<SandboxReply> ShopRoutes::buyReaderPlans(const SandboxRequest& request) {
    if (request.field("from") != QLatin1String("buyreader"))
        return std::nullopt;
    const double total = request.field("total").toDouble();
    QVariantMap plans;
    plans.insert("1", QVariantMap{{"Payment", total},
                                  {"discountPercentage", 0},
                                  {"interestPercentage", 0},
                                  {"PromotionId", "p-1"},
                                  {"Name", "1 cuota"},
                                  {"Amount", total}});
    plans.insert("3", QVariantMap{{"discountPercentage", 0},
                                  {"interestPercentage", 0},
                                  {"PromotionId", "p-3"},
                                  {"Name", "3 cuotas sin interés"},
                                  {"Amount", total}});
    plans.insert("12", QVariantMap{{"discountPercentage", 0},
                                   {"interestPercentage", 0.2},
                                   {"Name", "12 cuotas"},
                                   {"Amount", total * 1.2}});
    plans.insert("6", QVariantMap{{"Payment", QVariant::fromValue(nullptr)},
                                  {"discountPercentage", 0},
                                  {"interestPercentage", 0.1},
                                  {"PromotionId", "p-6"},
                                  {"Name", "6 cuotas"},
                                  {"Amount", total * 1.1}});
    return SandboxReply::ok({{"data", QVariantList{QVariantMap{{"installments", plans}}}}});
}
