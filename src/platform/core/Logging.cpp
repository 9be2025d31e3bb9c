#include "platform/core/Logging.h"

#include "platform/core/Redaction.h"

#include <QDebug>

Q_LOGGING_CATEGORY(tarvelloApi, "tarvello.api")
Q_LOGGING_CATEGORY(tarvelloSale, "tarvello.sale")
Q_LOGGING_CATEGORY(tarvelloModel, "tarvello.model")
Q_LOGGING_CATEGORY(tarvelloReader, "tarvello.reader")
Q_LOGGING_CATEGORY(tarvelloSdk, "tarvello.sdk")
Q_LOGGING_CATEGORY(tarvelloUi, "tarvello.ui")
Q_LOGGING_CATEGORY(tarvelloCore, "tarvello.core")

namespace Logging {

void debug(Category category, const QString& line) {
    qCDebug(category).noquote() << Redaction::redact(line);
}

void info(Category category, const QString& line) {
    qCInfo(category).noquote() << Redaction::redact(line);
}

void warning(Category category, const QString& line) {
    qCWarning(category).noquote() << Redaction::redact(line);
}

} // namespace Logging
