#pragma once

#include <QString>

// The redaction step in front of every console line and request-log entry. It masks secrets
// (session token, API key and token headers, passwords, PINs, PIN blocks and key serial
// numbers, "token=" in URLs) and card data (security codes, expiry dates, holder names, track
// data, EMV tags; card numbers keep their first six and last four digits) in JSON, multipart
// bodies, URL-encoded forms, query strings, header lines and "key = value;" descriptions.
namespace Redaction {

QString redact(const QString& text);

// The mask that replaces a secret value.
inline const QString mask = QStringLiteral("***");

// True for a field name whose value is a secret or card data (compared without case).
bool isSensitiveKey(const QString& key);
// True for a field name that holds a card number.
bool isCardNumberKey(const QString& key);

} // namespace Redaction
