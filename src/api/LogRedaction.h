#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantMap>

// The API client's use of the redaction step (platform/core/Redaction.h): every console line
// and request-log entry of the client passes through redact() first. Secrets and card data are
// masked; card numbers keep their first six and last four digits.
namespace LogRedaction {

QString redact(const QString& text);

// Writes one diagnostic line of the API client, redacted, to the console (category
// "tarvello.api").
void log(const QString& line);

// A request body as the logs give it: picture parts written "<<IMAGE>>".
QString bodyText(const QByteArray& body);
// A reply body as the console gives it: the text of a JSON reply; of any other, its size,
// content type and a short redacted prefix.
QString replyText(const QByteArray& body, const QString& contentType, bool isJson);
// Remembers the passwords among the fields about to be sent (any field whose name holds
// "password", in nested maps too), so no log line shows them, wherever they stand.
void rememberPasswords(const QVariantMap& fields);

} // namespace LogRedaction
