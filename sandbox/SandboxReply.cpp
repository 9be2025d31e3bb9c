#include "sandbox/SandboxReply.h"

#include <QJsonDocument>

SandboxReply SandboxReply::json(const QVariant& value, int status) {
    SandboxReply reply;
    reply.status = status;
    reply.body = QJsonDocument::fromVariant(value).toJson(QJsonDocument::Compact);
    return reply;
}

SandboxReply SandboxReply::raw(const QByteArray& body, const QByteArray& contentType, int status) {
    SandboxReply reply;
    reply.status = status;
    reply.body = body;
    reply.contentType = contentType;
    return reply;
}

SandboxReply SandboxReply::ok(const QVariantMap& payload) {
    QVariantMap map = payload;
    map.insert(QStringLiteral("success"), QStringLiteral("OK"));
    return json(map);
}

SandboxReply SandboxReply::failure(int code, const QString& message, const QString& error,
                                   int status) {
    const QVariantMap response{{QStringLiteral("code"), code},
                               {QStringLiteral("message"), message}};
    return json(
        QVariantMap{{QStringLiteral("error"), error}, {QStringLiteral("response"), response}},
        status);
}

SandboxReply SandboxReply::unauthorized(const QString& message) {
    return failure(401, message, QStringLiteral("UNAUTHORIZED"), 401);
}

SandboxReply SandboxReply::dropped() {
    SandboxReply reply;
    reply.drop = true;
    return reply;
}
