#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>

// A file part of a multipart body.
struct SandboxFile {
    QString field;
    QString fileName;
    QString contentType;
    QByteArray content;
};

// One request as the sandbox received it. Everything keeps the order it arrived in.
struct SandboxRequest {
    QString method;
    QString path;                                 // URL path, percent-decoded
    QList<QPair<QString, QString>> query;         // decoded query items
    QList<QPair<QByteArray, QByteArray>> headers; // names as sent
    QList<QPair<QString, QString>> fields;        // multipart text parts or url-encoded pairs
    QList<SandboxFile> files;                     // multipart parts with a file name
    QByteArray body;                              // raw body, after any chunked decoding
    QVariant json;                                // parsed body when it is JSON, else null
    QDateTime arrivedAt;                          // UTC

    bool isValid() const { return !method.isEmpty(); }

    // First header of that name (case-insensitive); empty when absent.
    QByteArray header(const QByteArray& name) const;
    bool hasHeader(const QByteArray& name) const;
    QList<QByteArray> headerNames() const;

    // First form field of that name; empty when absent.
    QString field(const QString& name) const;
    bool hasField(const QString& name) const;
    QStringList fieldNames() const;
    const SandboxFile* file(const QString& field) const;

    QString queryItem(const QString& name) const;
    bool hasQueryItem(const QString& name) const;

    // A form field, else the query item of that name.
    QString param(const QString& name) const;

    // The body as a JSON object (empty when the body is not one).
    QVariantMap jsonObject() const { return json.toMap(); }
};

namespace SandboxBodyParser {

// The parameter `name` of a header value such as `multipart/form-data; boundary=xyz`.
QByteArray headerParameter(const QByteArray& headerValue, const QByteArray& name);

// Splits a multipart body. Tolerates parts without content and headers without a blank after
// the colon. Answers false when no delimiter line is found.
bool parseMultipart(const QByteArray& body, const QByteArray& boundary,
                    QList<QPair<QString, QString>>& fields, QList<SandboxFile>& files);

// a=1&b=two+words, percent-decoded, '+' as a space.
QList<QPair<QString, QString>> parseUrlEncoded(const QByteArray& text);

// Fills fields, files and json from the body according to the content type.
void parseBody(SandboxRequest& request);

} // namespace SandboxBodyParser
