#include "api/LogRedaction.h"

#include "platform/core/Logging.h"
#include "platform/core/Redaction.h"

namespace LogRedaction {

QString redact(const QString& text) {
    return Redaction::redact(text);
}

void log(const QString& line) {
    Logging::info(tarvelloApi, line);
}

} // namespace LogRedaction
