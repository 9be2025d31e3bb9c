// The merchant user's profile and account: extra information, branch, push token, help
// addresses, terms, signup, activation, bank lookups and the bank-account link; and the settings
// values the profile screens change (predefined tax, tips and discounts, tutorials, exchange
// rates, sale mode).

#include "sandbox/SandboxRoutes.h"
#include "sandbox/routes/ImageRoutes.h"

#include <QRegularExpression>

namespace {

SandboxReply missing(const QString& name) {
    return SandboxReply::failure(400, QStringLiteral("Falta el campo %1").arg(name),
                                 QStringLiteral("MISSING_FIELD"));
}

QVariantMap& settingsOf(SandboxState& state, const SandboxUser& user) {
    static QVariantMap none;
    SandboxMerchant* merchant = state.merchant(user.merchantId);
    return merchant ? merchant->settings : (none = {});
}

bool isCbu(const QString& text) {
    static const QRegularExpression digits(QStringLiteral("^[0-9]{22}$"));
    return digits.match(text).hasMatch();
}

// Bank names by the first three digits of a CBU.
QString bankName(const QString& cbu) {
    static const QHash<QString, QString> banks{{"007", "Banco de Galicia"},
                                               {"011", "Banco de la Nación Argentina"},
                                               {"017", "BBVA"},
                                               {"072", "Banco Santander"},
                                               {"285", "Banco Macro"}};
    return banks.value(cbu.left(3), QStringLiteral("Banco"));
}

// Three percentages "10.00, 12.50, 15.00"; nothing when the text is not that.
std::optional<QVariantList> percentages(const QString& text) {
    const QStringList parts = text.split(u',');
    if (parts.size() != 3)
        return std::nullopt;
    QVariantList values;
    for (const QString& part : parts) {
        bool ok = false;
        const double value = part.trimmed().toDouble(&ok);
        if (!ok || value < 0 || value > 100)
            return std::nullopt;
        values << value;
    }
    return values;
}

// A settings value taken from one form field, checked by `read`.
SandboxReply setSetting(const SandboxRequest& request, SandboxState& state, const QString& field,
                        const QString& key,
                        const std::function<std::optional<QVariant>(const QString&)>& read) {
    SandboxUser* user = nullptr;
    if (auto refusal = state.checkSession(request, &user))
        return *refusal;
    if (!request.hasField(field))
        return missing(field);
    const auto value = read(request.field(field));
    if (!value)
        return SandboxReply::failure(400, QStringLiteral("Valor inválido para %1").arg(field),
                                     QStringLiteral("INVALID_VALUE"));
    settingsOf(state, *user).insert(key, *value);
    return SandboxReply::ok();
}

std::optional<QVariant> number(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok ? std::optional<QVariant>(value) : std::nullopt;
}

std::optional<QVariant> indexValue(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= 0 ? std::optional<QVariant>(value) : std::nullopt;
}

} // namespace

SANDBOX_ROUTE("POST", "/developers/api/users/getExtraInformation.json") {
    SandboxUser* user = nullptr;
    if (auto refusal = state.checkSession(request, &user))
        return *refusal;
    QVariantMap data;
    for (const char* key : {"firstName", "lastName", "address", "provinceId", "city", "zipCode",
                            "birthdate", "phone", "occupation"})
        data.insert(QString::fromLatin1(key), user->profile.value(QString::fromLatin1(key)));
    return SandboxReply::ok({{"data", data}});
}

SANDBOX_ROUTE("POST", "/developers/api/users/setExtraInformation.json") {
    SandboxUser* user = nullptr;
    if (auto refusal = state.checkSession(request, &user))
        return *refusal;
    for (const char* key : {"firstName", "lastName", "address", "provinceId", "city", "zipCode",
                            "birthdate", "phone", "occupation"}) {
        const QString name = QString::fromLatin1(key);
        if (request.hasField(name))
            user->profile.insert(name, request.field(name));
    }
    return SandboxReply::ok();
}

SANDBOX_ROUTE("POST", "/developers/api/users/setSubsidiary.json") {
    SandboxUser* user = nullptr;
    if (auto refusal = state.checkSession(request, &user))
        return *refusal;
    const QString id = request.field(QStringLiteral("subsidiaryId"));
    for (const QVariant& branch : user->profile.value(QStringLiteral("subsidiaries")).toList()) {
        const QVariantMap entry = branch.toMap();
        if (entry.value(QStringLiteral("id")).toString() == id) {
            user->profile.insert(QStringLiteral("defaultSubsidiaryId"), id.toLongLong());
            user->profile.insert(QStringLiteral("subsidiaryName"), entry.value("name"));
            return SandboxReply::ok();
        }
    }
    return SandboxReply::failure(404, QStringLiteral("Sucursal inexistente"),
                                 QStringLiteral("UNKNOWN_SUBSIDIARY"));
}

SANDBOX_ROUTE("POST", "/developers/api/users/updatePushToken.json") {
    SandboxUser* user = nullptr;
    if (auto refusal = state.checkSession(request, &user))
        return *refusal;
    if (request.field(QStringLiteral("push_token")).isEmpty())
        return missing(QStringLiteral("push_token"));
    user->profile.insert(QStringLiteral("pushToken"), request.field(QStringLiteral("push_token")));
    return SandboxReply::ok();
}

SANDBOX_ROUTE("POST", "/developers/api/urls/getUrls.json") {
    if (auto refusal = state.checkApiKey(request))
        return *refusal;
    return SandboxReply::ok({{"helpURLes", "https://sandbox.tarvello.example/ayuda"},
                             {"helpURLen", "https://sandbox.tarvello.example/help"},
                             {"termsURLes", "https://sandbox.tarvello.example/terminos"},
                             {"termsURLen", "https://sandbox.tarvello.example/terms"}});
}

SANDBOX_ROUTE("POST", "/developers/api/users/acceptTerms.json") {
    SandboxUser* user = nullptr;
    if (auto refusal = state.checkSession(request, &user))
        return *refusal;
    user->profile.insert(QStringLiteral("termsAccepted"), true);
    return SandboxReply::ok();
}

SANDBOX_ROUTE("POST", "/developers/api/users/register.json") {
    if (auto refusal = state.checkApiKey(request))
        return *refusal;
    for (const char* key : {"email", "password", "firstName", "lastName"})
        if (request.field(QString::fromLatin1(key)).isEmpty())
            return missing(QString::fromLatin1(key));
    const QString email = request.field(QStringLiteral("email"));
    if (state.userByEmail(email))
        return SandboxReply::failure(409, QStringLiteral("El e-mail ya está registrado"),
                                     QStringLiteral("EMAIL_TAKEN"));
    SandboxUser user;
    user.userId = state.nextId();
    user.merchantId = state.merchants().isEmpty() ? 0 : state.merchants().first().id;
    user.email = email;
    user.password = request.field(QStringLiteral("password"));
    user.profile = {{"firstName", request.field(QStringLiteral("firstName"))},
                    {"lastName", request.field(QStringLiteral("lastName"))},
                    {"accountActive", false},
                    {"profileImageUrl",
                     request.file(QStringLiteral("profileImage"))
                         ? ImageRoutes::pictureAddress(request, QStringLiteral("profile.png"))
                         : QString()}};
    state.users() << user;
    const QString token = state.issueToken(user.userId);
    return SandboxReply::ok({{"userId", user.userId}, {"token", token}});
}

SANDBOX_ROUTE("POST", "/developers/api/accounts/activateAccount.json") {
    SandboxUser* user = nullptr;
    if (auto refusal = state.checkSession(request, &user))
        return *refusal;
    for (const char* key : {"accountName", "cbu", "cuit"})
        if (request.field(QString::fromLatin1(key)).isEmpty())
            return missing(QString::fromLatin1(key));
    if (!isCbu(request.field(QStringLiteral("cbu"))))
        return SandboxReply::failure(400, QStringLiteral("CBU inválido"),
                                     QStringLiteral("INVALID_CBU"));
    user->profile.insert(QStringLiteral("accountActive"), true);
    return SandboxReply::ok();
}

SANDBOX_ROUTE("POST", "/developers/api/banks/getBankName.json") {
    // Signup asks before there is a session: the API key is enough.
    if (auto refusal = state.checkApiKey(request))
        return *refusal;
    const QString cbu = request.field(QStringLiteral("cbu"));
    static const QRegularExpression prefix(QStringLiteral("^[0-9]{3}$"));
    if (prefix.match(cbu).hasMatch()) {
        const QString name = bankName(cbu);
        if (name == QLatin1String("Banco"))
            return SandboxReply::ok();
        return SandboxReply::ok({{"name", name}});
    }
    if (!isCbu(cbu))
        return SandboxReply::failure(400, QStringLiteral("CBU inválido"),
                                     QStringLiteral("INVALID_CBU"));
    return SandboxReply::ok({{"bankName", bankName(cbu)}});
}

SANDBOX_ROUTE("GET", "/developers/api/register/validateToken") {
    if (auto refusal = state.checkApiKey(request))
        return *refusal;
    const QString token = request.queryItem(QStringLiteral("registration-token"));
    if (token.isEmpty())
        return missing(QStringLiteral("registration-token"));
    if (token.startsWith(QStringLiteral("expired")))
        return SandboxReply::failure(410, QStringLiteral("El enlace de registro venció"),
                                     QStringLiteral("EXPIRED_TOKEN"));
    return SandboxReply::ok();
}

SANDBOX_ROUTE("PUT", "/developers/api/account/bank-account") {
    SandboxUser* user = nullptr;
    if (auto refusal = state.checkSession(request, &user))
        return *refusal;
    const QVariantMap account = request.jsonObject().value(QStringLiteral("bankAccount")).toMap();
    const QString cbu = account.value(QStringLiteral("cbu")).toString();
    const QString alias = account.value(QStringLiteral("alias")).toString();
    if (cbu.isEmpty() && alias.isEmpty())
        return missing(QStringLiteral("bankAccount"));
    if (!cbu.isEmpty() && !isCbu(cbu))
        return SandboxReply::json(QVariantMap{
            {"error", "INVALID_CBU"},
            {"response",
             QVariantMap{{"code", 400}, {"customCode", 1301}, {"message", "CBU inválido"}}}});
    QVariantMap linked = cbu.isEmpty() ? QVariantMap{{"alias", alias}} : QVariantMap{{"cbu", cbu}};
    linked.insert(QStringLiteral("bankName"),
                  cbu.isEmpty() ? QStringLiteral("Banco") : bankName(cbu));
    QVariantMap& settings = settingsOf(state, *user);
    settings.insert(QStringLiteral("bankAccount"), linked);
    // Later settings answers say the account is linked.
    QVariantMap cbuData = settings.value(QStringLiteral("cbuData")).toMap();
    cbuData.insert(QStringLiteral("cbuStatus"), true);
    settings.insert(QStringLiteral("cbuData"), cbuData);
    return SandboxReply::ok({{"data", QVariantMap{{"bankAccount", linked}}}});
}

// ---- settings values

SANDBOX_ROUTE("POST", "/developers/api/settings/updatePredefinedTax.json") {
    SandboxUser* user = nullptr;
    if (auto refusal = state.checkSession(request, &user))
        return *refusal;
    const auto rate = number(request.field(QStringLiteral("percentage")));
    if (!rate)
        return missing(QStringLiteral("percentage"));
    settingsOf(state, *user)
        .insert(
            QStringLiteral("predefinedTax"),
            QVariantMap{{"name", request.field(QStringLiteral("name"))}, {"percentage", *rate}});
    return SandboxReply::ok();
}

SANDBOX_ROUTE("POST", "/developers/api/settings/updatePredefinedTip.json") {
    return setSetting(request, state, "predefinedTipIndex", "predefinedTipIndex", indexValue);
}

SANDBOX_ROUTE("POST", "/developers/api/settings/updatePredefinedDiscount.json") {
    return setSetting(request, state, "predefinedDiscountIndex", "predefinedDiscountIndex",
                      indexValue);
}

SANDBOX_ROUTE("POST", "/developers/api/settings/setTipsToShow.json") {
    return setSetting(request, state, "percentages", "tipsToShow",
                      [](const QString& text) -> std::optional<QVariant> {
                          const auto values = percentages(text);
                          return values ? std::optional<QVariant>(*values) : std::nullopt;
                      });
}

SANDBOX_ROUTE("POST", "/developers/api/settings/setDiscountsToShow.json") {
    return setSetting(request, state, "percentages", "discountsToShow",
                      [](const QString& text) -> std::optional<QVariant> {
                          const auto values = percentages(text);
                          return values ? std::optional<QVariant>(*values) : std::nullopt;
                      });
}

SANDBOX_ROUTE("POST", "/developers/api/settings/updateObligatoryTipPercentage.json") {
    return setSetting(request, state, "percentage", "obligatoryTipPercentage", number);
}

SANDBOX_ROUTE("POST", "/developers/api/settings/setMode.json") {
    return setSetting(request, state, "mode", "mode",
                      [](const QString& mode) -> std::optional<QVariant> {
                          if (mode == QLatin1String("list") || mode == QLatin1String("simple"))
                              return mode;
                          return std::nullopt;
                      });
}

SANDBOX_ROUTE("POST", "/developers/api/settings/updateTutorialSettings.json") {
    SandboxUser* user = nullptr;
    if (auto refusal = state.checkSession(request, &user))
        return *refusal;
    QVariantMap& settings = settingsOf(state, *user);
    for (const char* key :
         {"tutorialAmount", "tutorialCatalog", "tutorialSalesHistory", "tutorialBuyers",
          "tutorialEditCatalog", "tutorialSubusers", "tutorialConfiguration"})
        if (request.field(QString::fromLatin1(key)) == QLatin1String("1"))
            settings.insert(QString::fromLatin1(key), true);
    return SandboxReply::ok();
}

SANDBOX_ROUTE("POST", "/developers/api/settings/updateExchangeRate.json") {
    SandboxUser* user = nullptr;
    if (auto refusal = state.checkSession(request, &user))
        return *refusal;
    const QString code = request.field(QStringLiteral("code"));
    const auto rate = number(request.field(QStringLiteral("rate")));
    if (code.isEmpty())
        return missing(QStringLiteral("code"));
    if (!rate || rate->toDouble() <= 0)
        return SandboxReply::failure(400, QStringLiteral("Tipo de cambio inválido"),
                                     QStringLiteral("INVALID_VALUE"));
    QVariantMap& settings = settingsOf(state, *user);
    QVariantList currencies = settings.value(QStringLiteral("currencies")).toList();
    bool found = false;
    for (QVariant& entry : currencies) {
        QVariantMap currency = entry.toMap();
        if (currency.value(QStringLiteral("code")).toString() == code) {
            currency.insert(QStringLiteral("exchangeRate"), request.field(QStringLiteral("rate")));
            entry = currency;
            found = true;
        }
    }
    if (!found)
        return SandboxReply::failure(404, QStringLiteral("Moneda inexistente"),
                                     QStringLiteral("UNKNOWN_CURRENCY"));
    settings.insert(QStringLiteral("currencies"), currencies);
    return SandboxReply::ok();
}
