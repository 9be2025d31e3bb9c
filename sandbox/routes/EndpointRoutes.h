#pragma once

// A compact way for route files to register endpoints that share one shape: check the caller,
// check the fields the endpoint cannot do without, then answer.

#include "sandbox/SandboxRoutes.h"

#include <QStringList>
#include <functional>

namespace EndpointRoutes {

enum class Caller {
    Session, // API key and a valid session token (and, when sent, its user id)
    ApiKey,  // API key only (sign-ups)
};

using Answer = std::function<SandboxReply(const SandboxRequest&, SandboxState&, SandboxUser*)>;

// A refusal for a missing field: response code 400, error "MISSING_FIELD".
inline SandboxReply missingField(const QString& name) {
    return SandboxReply::failure(400, QStringLiteral("Falta el dato \"%1\"").arg(name),
                                 QStringLiteral("MISSING_FIELD"));
}

// Registers method and endpoint ("/developers/api" is put in front). Each required name must be
// a form field, a query item or a member of a JSON body; an empty text counts as present.
inline void add(const char* method, const char* endpoint, Caller caller, QStringList required,
                Answer answer) {
    SandboxRoutes::add(
        QString::fromUtf8(method), SandboxRoutes::apiPath(QString::fromUtf8(endpoint)),
        [caller, required, answer](const SandboxRequest& request, SandboxState& state) {
            SandboxUser* user = nullptr;
            if (caller == Caller::Session) {
                if (auto refusal = state.checkSession(request, &user))
                    return *refusal;
            } else if (auto refusal = state.checkApiKey(request)) {
                return *refusal;
            }
            const QVariantMap json = request.jsonObject();
            for (const QString& name : required)
                if (!request.hasField(name) && !request.hasQueryItem(name) && !json.contains(name))
                    return missingField(name);
            return answer(request, state, user);
        });
}

// An answer that is always the same successful envelope.
inline Answer okWith(const QVariantMap& payload) {
    return [payload](const SandboxRequest&, SandboxState&, SandboxUser*) {
        return SandboxReply::ok(payload);
    };
}

} // namespace EndpointRoutes
