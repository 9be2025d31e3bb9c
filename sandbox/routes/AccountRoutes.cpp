// Login, token validation, password and PIN of the merchant user.

#include "sandbox/SandboxRoutes.h"

#include <QRegularExpression>

namespace {

SandboxReply tokenValidationAnswer(SandboxState& state, SandboxUser& user, const QString& token) {
    const QVariantMap update = state.updateInfo();
    switch (state.tokenValidation(token)) {
    case SandboxTokenValidation::Valid:
        return SandboxReply::json(state.sessionAnswer(user, token));
    case SandboxTokenValidation::ForcedUpdate: {
        QVariantMap answer = state.sessionAnswer(user, token);
        for (const char* key : {"minSDKVersion", "updateMessage", "urlAppStoreIOS"})
            answer.insert(QString::fromLatin1(key), update.value(QString::fromLatin1(key)));
        return SandboxReply::json(answer);
    }
    case SandboxTokenValidation::UpdateVersion: {
        const QVariantMap response{
            {QStringLiteral("code"), 426},
            {QStringLiteral("message"), update.value(QStringLiteral("updateMessage"))},
            {QStringLiteral("url"), update.value(QStringLiteral("urlAppStoreIOS"))}};
        return SandboxReply::json(
            QVariantMap{{QStringLiteral("error"), QStringLiteral("update_version")},
                        {QStringLiteral("response"), response}});
    }
    case SandboxTokenValidation::Refused:
        break;
    }
    return SandboxReply::failure(400, QStringLiteral("La sesión ya no es válida"),
                                 QStringLiteral("INVALID_TOKEN"));
}

// The merchants whose login the back end refuses, each with its reason, and one whose
// login asks for a newer application.
std::optional<SandboxReply> loginRefusal(SandboxState& state, const QString& email) {
    const QString address = email.toLower();
    const struct {
        const char* email;
        const char* error;
        const char* message; // none: the refusal has no "response"
    } refusals[] = {
        {"deshabilitado@cafeaurora.com", "unauthorized", "Tu usuario fue deshabilitado por el comercio"},
        {"bloqueado@cafeaurora.com", "blocked_user", "Tu usuario está bloqueado por intentos fallidos"},
        {"reactivar@cafeaurora.com", "invalid_activation_key", "Este dispositivo debe activarse de nuevo"},
        {"caido@cafeaurora.com", "server_down", nullptr},
    };
    for (const auto& refusal : refusals) {
        if (address != QLatin1String(refusal.email))
            continue;
        QVariantMap answer{{QStringLiteral("error"), QString::fromLatin1(refusal.error)}};
        if (refusal.message)
            answer.insert(QStringLiteral("response"),
                          QVariantMap{{QStringLiteral("code"), 400},
                                      {QStringLiteral("message"), QString::fromUtf8(refusal.message)}});
        return SandboxReply::json(answer);
    }
    const QVariantMap update = state.updateInfo();
    if (address == QLatin1String("actualizar@cafeaurora.com")) {
        const QVariantMap response{
            {QStringLiteral("code"), 426},
            {QStringLiteral("message"), update.value(QStringLiteral("updateMessage"))},
            {QStringLiteral("url"), update.value(QStringLiteral("urlAppStoreIOS"))}};
        return SandboxReply::json(
            QVariantMap{{QStringLiteral("error"), QStringLiteral("update_version")},
                        {QStringLiteral("response"), response}});
    }
    if (address == QLatin1String("nuevaversion@cafeaurora.com")) {
        SandboxUser* user = state.userById(17);
        if (!user)
            return std::nullopt;
        QVariantMap answer = state.sessionAnswer(*user, state.issueToken(user->userId));
        answer.insert(QStringLiteral("minSDKVersion"), update.value(QStringLiteral("minSDKVersion")));
        answer.insert(QStringLiteral("updateMessage"), update.value(QStringLiteral("updateMessage")));
        answer.insert(QStringLiteral("response"),
                      QVariantMap{{QStringLiteral("urlAppStoreIOS"),
                                   update.value(QStringLiteral("urlAppStoreIOS"))}});
        return SandboxReply::json(answer);
    }
    return std::nullopt;
}

} // namespace

SANDBOX_ROUTE("POST", "/developers/api/users/login.json") {
    if (auto refusal = state.checkApiKey(request))
        return *refusal;
    const QString email = request.field(QStringLiteral("email")).trimmed();
    if (auto refusal = loginRefusal(state, email))
        return *refusal;
    SandboxUser* user = state.userByEmail(email);
    if (!user || user->password != request.field(QStringLiteral("password")))
        return SandboxReply::failure(400, QStringLiteral("Usuario o contraseña incorrectos"),
                                     QStringLiteral("inexistent_user"));
    const QString token = state.issueToken(user->userId);
    return SandboxReply::json(state.sessionAnswer(*user, token));
}

SANDBOX_ROUTE("POST", "/developers/api/users/isValidToken.json") {
    if (auto refusal = state.checkApiKey(request))
        return *refusal;
    const QString token = request.field(QStringLiteral("token"));
    SandboxUser* user = state.userForToken(token);
    if (!user)
        return SandboxReply::unauthorized();
    return tokenValidationAnswer(state, *user, token);
}

SANDBOX_ROUTE("POST", "/developers/api/users/checkPassword.json") {
    SandboxUser* user = nullptr;
    if (auto refusal = state.checkSession(request, &user))
        return *refusal;
    if (request.field(QStringLiteral("password")) != user->password)
        return SandboxReply::failure(400, QStringLiteral("La contraseña no es correcta"),
                                     QStringLiteral("INVALID_PASSWORD"));
    return SandboxReply::ok();
}

SANDBOX_ROUTE("POST", "/developers/api/users/resetPassword.json") {
    if (auto refusal = state.checkApiKey(request))
        return *refusal;
    SandboxUser* user = state.userByEmail(request.field(QStringLiteral("email")).trimmed());
    if (!user)
        return SandboxReply::failure(404, QStringLiteral("No hay una cuenta con ese correo"),
                                     QStringLiteral("UNKNOWN_EMAIL"));
    if (request.hasField(QStringLiteral("password"))) {
        if (request.field(QStringLiteral("password")).isEmpty())
            return SandboxReply::failure(400, QStringLiteral("La contraseña no puede estar vacía"),
                                         QStringLiteral("EMPTY_PASSWORD"));
        user->password = request.field(QStringLiteral("password"));
        return SandboxReply::ok(
            {{QStringLiteral("message"), QStringLiteral("Contraseña actualizada")}});
    }
    return SandboxReply::ok(
        {{QStringLiteral("message"), QStringLiteral("Te enviamos un correo para restablecerla")}});
}

SANDBOX_ROUTE("POST", "/developers/api/users/setPin.json") {
    SandboxUser* user = nullptr;
    if (auto refusal = state.checkSession(request, &user))
        return *refusal;
    const QString pin = request.field(QStringLiteral("pin"));
    static const QRegularExpression fourDigits(QStringLiteral("^[0-9]{4}$"));
    if (!fourDigits.match(pin).hasMatch())
        return SandboxReply::failure(400, QStringLiteral("El PIN debe tener 4 dígitos"),
                                     QStringLiteral("INVALID_PIN"));
    user->pin = pin;
    return SandboxReply::ok();
}

SANDBOX_ROUTE("POST", "/developers/api/users/checkPin.json") {
    SandboxUser* user = nullptr;
    if (auto refusal = state.checkSession(request, &user))
        return *refusal;
    if (user->pin.isEmpty() || request.field(QStringLiteral("pin")) != user->pin)
        return SandboxReply::failure(400, QStringLiteral("El PIN no es correcto"),
                                     QStringLiteral("INVALID_PIN"));
    return SandboxReply::ok();
}
