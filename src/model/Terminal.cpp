#include "model/Terminal.h"

std::shared_ptr<Terminal> Terminal::copy() const {
    auto terminal = std::make_shared<Terminal>();
    terminal->fullSerialNumber_ = fullSerialNumber_;
    terminal->partialSerialNumber_ = partialSerialNumber_;
    terminal->typeName_ = typeName_;
    terminal->type_ = type_;
    terminal->iconURL_ = iconURL_;
    return terminal;
}

std::shared_ptr<Terminal> Terminal::fromDictionary(const QVariantMap& dictionary) {
    auto terminal = std::make_shared<Terminal>();
    // A missing key (or a JSON null) gives a null text.
    const auto text = [&dictionary](const char* key) {
        const QVariant value = dictionary.value(QLatin1String(key));
        if (!value.isValid() || value.isNull())
            return QString();
        const QString result = value.toString();
        return result.isNull() ? QStringLiteral("") : result;
    };
    terminal->typeName_ = text("type");
    const QUrl icon(text("icon"), QUrl::StrictMode);
    terminal->iconURL_ = icon.isValid() && !icon.isEmpty() ? icon : QUrl();
    terminal->partialSerialNumber_ = text("serialNumber");
    return terminal;
}
