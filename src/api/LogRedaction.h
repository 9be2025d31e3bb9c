#pragma once

#include <QString>

// The API client's use of the redaction step (platform/core/Redaction.h): every console line
// and request-log entry of the client passes through redact() first. Secrets and card data are
// masked; card numbers keep their first six and last four digits.
namespace LogRedaction {

QString redact(const QString& text);

// Writes one diagnostic line of the API client, redacted, to the console (category
// "tarvello.api").
void log(const QString& line);

} // namespace LogRedaction
