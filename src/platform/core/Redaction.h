#pragma once

#include <QByteArray>
#include <QString>

// The redaction step in front of every console line and request-log entry. It masks secrets
// (session token, API key and token headers, passwords, PINs, PIN blocks and key serial
// numbers, transaction tokens, "token=" in URLs) and card data (security codes, expiry dates,
// holder names, track data, EMV tags and application data, encrypted card data; card numbers
// keep their first six and last four digits) in JSON, multipart bodies, URL-encoded forms,
// query strings, header lines and "key = value;" descriptions. The secret values in use (see
// addSecret()) are masked wherever they stand, in free text too. Safe from any thread.
namespace Redaction {

QString redact(const QString& text);

// Remembers a secret value in use (the API key, the host's token, the session token, a password
// being sent): from now on redact() masks it, and its percent-encoded form, wherever it stands.
// The most recent values are kept. Texts shorter than kShortestSecret are ignored (they would
// mask common words); their fields are masked by name all the same.
void addSecret(const QString& value);
inline constexpr qsizetype kShortestSecret = 6;

// The text of a request or reply body for a log: a multipart part of an image type is written
// "<<IMAGE>>" instead of its bytes. Not redacted yet.
QString bodyText(const QByteArray& body);

// A body that was not parsed (not JSON), as a log gives it: its size, its content type and a
// short redacted prefix, e.g. `1520 bytes of text/html: "<html><body>Error ..."`.
QString unparsedBody(const QByteArray& body, const QString& contentType);

// The mask that replaces a secret value.
inline const QString mask = QStringLiteral("***");

// True for a field name whose value is a secret or card data (compared without case).
bool isSensitiveKey(const QString& key);
// True for a field name that holds a card number.
bool isCardNumberKey(const QString& key);

} // namespace Redaction
