#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariantMap>

// What the sandbox answers to one request, including the ways an answer can go wrong.
struct SandboxReply {
    int status = 200;
    QByteArray body;
    QByteArray contentType = "application/json";
    QList<QPair<QByteArray, QByteArray>> headers; // extra headers, in order
    int delayMs = 0;                              // wait this long before answering
    bool drop = false;                            // close the connection without any answer
    int truncateAt = -1; // >= 0: announce the whole body, send only this many bytes, close

    // A JSON body (an object or a list) with the given status.
    static SandboxReply json(const QVariant& value, int status = 200);
    // Any bytes under any content type.
    static SandboxReply raw(const QByteArray& body, const QByteArray& contentType,
                            int status = 200);
    // The envelope of a successful answer: the payload's keys plus "success": "OK".
    static SandboxReply ok(const QVariantMap& payload = {});
    // The envelope of a refusal: {"error": error, "response": {"code": code, "message": message}}.
    static SandboxReply failure(int code, const QString& message,
                                const QString& error = QStringLiteral("ERROR"), int status = 200);
    // A session the back end no longer accepts: HTTP 401 and "response" code 401.
    static SandboxReply unauthorized(const QString& message = QStringLiteral("Invalid token"));
    // The connection is closed without an answer.
    static SandboxReply dropped();

    SandboxReply& withStatus(int code) {
        status = code;
        return *this;
    }
    SandboxReply& withDelay(int ms) {
        delayMs = ms;
        return *this;
    }
    SandboxReply& truncatedAt(int bytes) {
        truncateAt = bytes;
        return *this;
    }
    SandboxReply& withHeader(const QByteArray& name, const QByteArray& value) {
        headers << qMakePair(name, value);
        return *this;
    }
};
