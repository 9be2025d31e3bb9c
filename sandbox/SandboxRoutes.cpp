#include "sandbox/SandboxRoutes.h"

#include <QMutex>

namespace {

struct Registry {
    QMutex mutex;
    QList<SandboxRoute> routes;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

bool pathMatches(const QString& pattern, const QString& path) {
    if (pattern.endsWith(QLatin1Char('*')))
        return path.startsWith(pattern.left(pattern.size() - 1));
    return pattern == path;
}

} // namespace

bool SandboxRoute::matches(const QString& requestMethod, const QString& requestPath) const {
    const bool methodMatches =
        method == QLatin1String("*") || method.compare(requestMethod, Qt::CaseInsensitive) == 0;
    return methodMatches && pathMatches(path, requestPath);
}

namespace SandboxRoutes {

bool add(const QString& method, const QString& path, SandboxHandler handler) {
    Registry& reg = registry();
    QMutexLocker lock(&reg.mutex);
    for (const SandboxRoute& route : reg.routes) {
        if (route.method.compare(method, Qt::CaseInsensitive) == 0 && route.path == path) {
            qWarning("Sandbox: the route %s %s is registered twice; the second is ignored",
                     qPrintable(method), qPrintable(path));
            return false;
        }
    }
    reg.routes << SandboxRoute{method, path, std::move(handler)};
    return true;
}

SandboxHandler find(const QString& method, const QString& path) {
    Registry& reg = registry();
    QMutexLocker lock(&reg.mutex);
    const SandboxRoute* best = nullptr;
    for (const SandboxRoute& route : reg.routes) {
        if (!route.matches(method, path))
            continue;
        if (!route.path.endsWith(QLatin1Char('*')))
            return route.handler;
        if (!best || route.path.size() > best->path.size())
            best = &route;
    }
    return best ? best->handler : SandboxHandler();
}

QList<SandboxRoute> all() {
    Registry& reg = registry();
    QMutexLocker lock(&reg.mutex);
    return reg.routes;
}

QString apiPath(const QString& endpoint) {
    return QStringLiteral("/developers/api") + endpoint;
}

} // namespace SandboxRoutes
