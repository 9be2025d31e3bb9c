#pragma once

// Default answers of the sandbox back end, one file per area: sandbox/routes/<Area>Routes.cpp.
//
// A route answers one method and one URL path as the client sends it, "/developers/api" included.
// A path ending in "*" answers every path that begins with the text before it (for identifiers
// inside paths). Method "*" answers any method. Register a route at file scope:
//
//     #include "sandbox/SandboxRoutes.h"
//
//     SANDBOX_ROUTE("POST", "/developers/api/users/checkPin.json") {
//         SandboxUser* user = nullptr;
//         if (auto refusal = state.checkSession(request, &user))
//             return *refusal;                       // bad API key: 403, unknown token: 401
//         if (request.field("pin") != user->pin)
//             return SandboxReply::failure(400, "PIN incorrecto");
//         return SandboxReply::ok();                 // {"success": "OK"}
//     }
//
// The body gets `const SandboxRequest& request` (method, path, query, headers, form fields,
// files, JSON) and `SandboxState& state` (merchants, users, tokens, sales, refunds, batches) and
// returns a SandboxReply. Routes run on the server's thread, one request at a time. Tests
// override a route for one request or for good with SandboxServer::script(). A method and path
// may be registered once; a second registration is reported and ignored.

#include "sandbox/SandboxReply.h"
#include "sandbox/SandboxRequest.h"
#include "sandbox/SandboxState.h"

#include <QList>
#include <QString>
#include <functional>

using SandboxHandler = std::function<SandboxReply(const SandboxRequest&, SandboxState&)>;

struct SandboxRoute {
    QString method;
    QString path;
    SandboxHandler handler;

    bool matches(const QString& requestMethod, const QString& requestPath) const;
};

namespace SandboxRoutes {

// Adds a route; answers false (and warns) when the method and path are already taken.
bool add(const QString& method, const QString& path, SandboxHandler handler);
// The handler for a request: an exact path first, then the longest matching prefix; empty when
// no route matches.
SandboxHandler find(const QString& method, const QString& path);
QList<SandboxRoute> all();

// The path the client uses for an endpoint: "/developers/api" + endpoint.
QString apiPath(const QString& endpoint);

} // namespace SandboxRoutes

// Registers a route while the library loads.
struct SandboxRouteRegistrar {
    SandboxRouteRegistrar(const char* method, const char* path, SandboxHandler handler) {
        SandboxRoutes::add(QString::fromUtf8(method), QString::fromUtf8(path), std::move(handler));
    }
};

#define SANDBOX_ROUTE_JOIN2(a, b) a##b
#define SANDBOX_ROUTE_JOIN(a, b) SANDBOX_ROUTE_JOIN2(a, b)
#define SANDBOX_ROUTE(method, path)                                                                \
    static SandboxReply SANDBOX_ROUTE_JOIN(sandboxRoute_, __LINE__)(                               \
        [[maybe_unused]] const SandboxRequest& request, [[maybe_unused]] SandboxState& state);     \
    static const SandboxRouteRegistrar SANDBOX_ROUTE_JOIN(sandboxRouteRegistrar_, __LINE__)(       \
        method, path, &SANDBOX_ROUTE_JOIN(sandboxRoute_, __LINE__));                               \
    static SandboxReply SANDBOX_ROUTE_JOIN(sandboxRoute_, __LINE__)(                               \
        [[maybe_unused]] const SandboxRequest& request, [[maybe_unused]] SandboxState& state)
