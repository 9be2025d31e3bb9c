// The merchant's settings: reading them, first-run setup, availability switches, language,
// profile picture and agreement numbers.

#include "sandbox/SandboxRoutes.h"
#include "sandbox/routes/ImageRoutes.h"

namespace {

QVariantMap& settingsOf(SandboxState& state, const SandboxUser& user) {
    static QVariantMap none;
    SandboxMerchant* merchant = state.merchant(user.merchantId);
    return merchant ? merchant->settings : (none = {});
}

std::optional<bool> flagField(const SandboxRequest& request, const QString& name) {
    bool ok = false;
    const int value = request.field(name).trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value != 0;
}

SandboxReply missingField(const QString& name) {
    return SandboxReply::failure(400, QStringLiteral("Falta el campo %1").arg(name),
                                 QStringLiteral("MISSING_FIELD"));
}

// Switches that set one settings key: to a fixed value chosen by the path, or to the
// "isAvailable" flag of the request. They answer with the whole settings answer.
struct Switch {
    const char* path;
    const char* key;
    int fixed; // 1 true, 0 false, -1 from "isAvailable"
};

const Switch kSwitches[] = {
    {"/settings/setAvailableTip.json", "tipAvailable", 1},
    {"/settings/setNotAvailableTip.json", "tipAvailable", 0},
    {"/settings/setAvailableDiscount.json", "discountAvailable", 1},
    {"/settings/setNotAvailableDiscount.json", "discountAvailable", 0},
    {"/settings/updateSignAvailability.json", "signAvailable", -1},
    {"/settings/updateCatalogAvailability.json", "catalogAvailable", -1},
    {"/settings/updateBuyersAvailability.json", "buyersAvailable", -1},
    {"/settings/updateSubusersAvailability.json", "hasSubusers", -1},
};

const bool kSwitchesRegistered = [] {
    for (const Switch& entry : kSwitches) {
        const QString key = QString::fromLatin1(entry.key);
        const int fixed = entry.fixed;
        SandboxRoutes::add(
            QStringLiteral("POST"), SandboxRoutes::apiPath(QString::fromLatin1(entry.path)),
            [key, fixed](const SandboxRequest& request, SandboxState& state) {
                SandboxUser* user = nullptr;
                if (auto refusal = state.checkSession(request, &user))
                    return *refusal;
                bool value = fixed == 1;
                if (fixed < 0) {
                    const auto flag = flagField(request, QStringLiteral("isAvailable"));
                    if (!flag)
                        return missingField(QStringLiteral("isAvailable"));
                    value = *flag;
                }
                settingsOf(state, *user).insert(key, value);
                return SandboxReply::json(
                    state.sessionAnswer(*user, request.param(QStringLiteral("token"))));
            });
    }
    return true;
}();

// The feedback switch answers with the whole settings answer, which the client loads again.
SandboxReply feedbackSwitch(const SandboxRequest& request, SandboxState& state, bool enabled) {
    SandboxUser* user = nullptr;
    if (auto refusal = state.checkSession(request, &user))
        return *refusal;
    settingsOf(state, *user).insert(QStringLiteral("feedbackAvailable"), enabled);
    QString token = request.param(QStringLiteral("token"));
    return SandboxReply::json(state.sessionAnswer(*user, token));
}

} // namespace

SANDBOX_ROUTE("POST", "/developers/api/settings/getSetting.json") {
    SandboxUser* user = nullptr;
    if (auto refusal = state.checkSession(request, &user))
        return *refusal;
    return SandboxReply::ok(settingsOf(state, *user));
}

SANDBOX_ROUTE("POST", "/developers/api/settings/initialSetup.json") {
    SandboxUser* user = nullptr;
    if (auto refusal = state.checkSession(request, &user))
        return *refusal;
    const struct {
        const char* field;
        const char* key;
    } flags[] = {{"buyersOn", "buyersAvailable"},
                 {"catalogOn", "catalogAvailable"},
                 {"tipsOn", "tipAvailable"},
                 {"subusersOn", "hasSubusers"}};
    QVariantMap changes;
    for (const auto& flag : flags) {
        const auto value = flagField(request, QString::fromLatin1(flag.field));
        if (!value)
            return missingField(QString::fromLatin1(flag.field));
        changes.insert(QString::fromLatin1(flag.key), *value);
    }
    QVariantMap& settings = settingsOf(state, *user);
    for (auto it = changes.constBegin(); it != changes.constEnd(); ++it)
        settings.insert(it.key(), it.value());
    settings.insert(QStringLiteral("mode"),
                    changes.value(QStringLiteral("catalogAvailable")).toBool()
                        ? QStringLiteral("list")
                        : QStringLiteral("simple"));
    return SandboxReply::ok();
}

SANDBOX_ROUTE("POST", "/developers/api/account/feedback/enabled") {
    return feedbackSwitch(request, state, true);
}

SANDBOX_ROUTE("POST", "/developers/api/account/feedback/disabled") {
    return feedbackSwitch(request, state, false);
}

SANDBOX_ROUTE("POST", "/developers/api/settings/setLanguage.json") {
    SandboxUser* user = nullptr;
    if (auto refusal = state.checkSession(request, &user))
        return *refusal;
    const QString language = request.field(QStringLiteral("language")).trimmed();
    if (language != QLatin1String("es") && language != QLatin1String("en"))
        return SandboxReply::failure(400, QStringLiteral("Idioma no disponible"),
                                     QStringLiteral("INVALID_LANGUAGE"));
    settingsOf(state, *user).insert(QStringLiteral("language"), language);
    return SandboxReply::ok();
}

SANDBOX_ROUTE("POST", "/developers/api/subsidiaries/uploadImage.json") {
    SandboxUser* user = nullptr;
    if (auto refusal = state.checkSession(request, &user))
        return *refusal;
    QString url;
    if (const SandboxFile* image = request.file(QStringLiteral("profileImage"))) {
        if (image->content.isEmpty())
            return SandboxReply::failure(400, QStringLiteral("La imagen está vacía"),
                                         QStringLiteral("INVALID_IMAGE"));
        url = ImageRoutes::pictureAddress(
            request, QStringLiteral("logo-%1-%2.png").arg(user->userId).arg(state.nextId()));
    } else if (request.field(QStringLiteral("deleteProfileImage")) != QLatin1String("1")) {
        return missingField(QStringLiteral("profileImage"));
    }
    user->profile.insert(QStringLiteral("profileImageUrl"), url);
    return SandboxReply::ok({{QStringLiteral("profileImageUrl"), url}});
}

SANDBOX_ROUTE("GET", "/developers/api/agreements") {
    SandboxUser* user = nullptr;
    if (auto refusal = state.checkSession(request, &user))
        return *refusal;
    const QString merchant = QString::number(user->merchantId);
    const QVariantList agreements{
        QVariantMap{{QStringLiteral("agreementNumber"), QStringLiteral("AG-%1-001").arg(merchant)},
                    {QStringLiteral("name"), QStringLiteral("Tarjetas de crédito")}},
        QVariantMap{{QStringLiteral("agreementNumber"), QStringLiteral("AG-%1-002").arg(merchant)},
                    {QStringLiteral("name"), QStringLiteral("Tarjetas de débito")}},
    };
    return SandboxReply::ok({{QStringLiteral("data"), agreements}});
}
