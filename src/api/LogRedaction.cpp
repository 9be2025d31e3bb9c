#include "api/LogRedaction.h"

#include "platform/core/Logging.h"
#include "platform/core/Redaction.h"
#include "platform/core/Values.h"

namespace LogRedaction {

QString redact(const QString& text) {
    return Redaction::redact(text);
}

void log(const QString& line) {
    Logging::info(tarvelloApi, line);
}

QString bodyText(const QByteArray& body) {
    return Redaction::bodyText(body);
}

QString replyText(const QByteArray& body, const QString& contentType, bool isJson) {
    return isJson ? QString::fromUtf8(body) : Redaction::unparsedBody(body, contentType);
}

void rememberPasswords(const QVariantMap& fields) {
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        if (it.value().typeId() == QMetaType::QVariantMap)
            rememberPasswords(it.value().toMap());
        else if (it.key().contains(QLatin1String("password"), Qt::CaseInsensitive))
            Redaction::addSecret(Values::describe(it.value()));
    }
}

} // namespace LogRedaction
