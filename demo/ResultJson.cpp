#include "ResultJson.h"

#include <TarvelloSDK/TarvelloError.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonObject errorJson(const TarvelloError& error) {
    QJsonObject object{{"domain", error.domain},
                       {"code", static_cast<double>(error.code)},
                       {"description", error.description}};
    if (error.underlying)
        object.insert("underlying", errorJson(*error.underlying));
    return object;
}

} // namespace

QJsonValue resultJson(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<TarvelloError>())
        return errorJson(value.value<TarvelloError>());
    switch (value.typeId()) {
    case QMetaType::QVariantMap: {
        QJsonObject object;
        const QVariantMap map = value.toMap();
        for (auto it = map.begin(); it != map.end(); ++it)
            object.insert(it.key(), resultJson(it.value()));
        return object;
    }
    case QMetaType::QVariantList: {
        QJsonArray array;
        for (const QVariant& item : value.toList())
            array.append(resultJson(item));
        return array;
    }
    case QMetaType::QByteArray:
        return QString::fromLatin1(value.toByteArray().toBase64());
    default:
        return QJsonValue::fromVariant(value);
    }
}

QByteArray completionLine(const QVariantMap& result, bool success) {
    const QByteArray body =
        QJsonDocument(resultJson(result).toObject()).toJson(QJsonDocument::Compact);
    return QByteArray("{\"success\": ") + (success ? "true" : "false") + ", \"result\": " + body +
           "}";
}
