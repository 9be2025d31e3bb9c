// The request bodies APIController builds itself.
#include "api/APIController.h"
#include "api/HTTPRequestConfigurator.h"
#include "api/LogRedaction.h"
#include "api/PNGEncoding.h"
#include "platform/core/Values.h"

#include <QFile>
#include <QImage>
#include <QJsonDocument>

namespace {

// Encoded ahead when the caller did so off the main thread, else here.
QByteArray pngBytes(const QImage& image) {
    if (auto kept = PNGEncoding::take(image))
        return *kept;
    return PNGEncoding::encode(image);
}

bool isDecimal(const QVariant& value) {
    return value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float;
}

bool isOtherNumber(const QVariant& value) {
    return Values::isNumber(value) && !isDecimal(value);
}

// A field name goes between double quotes in a header line: no quote, no line break.
bool isUsableName(const QString& name) {
    return !name.contains(u'"') && !name.contains(u'\r') && !name.contains(u'\n');
}

void fail(QString* error, const QString& message) {
    LogRedaction::log(message);
    if (error)
        *error = message;
}

QString boundaryMessage(const QString& key) {
    return QStringLiteral("The request field \"%1\" contains the multipart boundary; the request "
                          "was not built")
        .arg(key);
}

QByteArray compactJson(const QVariantMap& fields) {
    return QJsonDocument::fromVariant(fields).toJson(QJsonDocument::Compact);
}

} // namespace

std::optional<QByteArray> APIController::bodyFromDictionary(const QVariantMap& fields,
                                                            QString* error) {
    const QByteArray boundary = multipartBoundary.toUtf8();
    const QByteArray delimiter = "--" + boundary + "\r\n";
    QByteArray body;
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        const QString& key = it.key();
        const QVariant& value = it.value();
        if (!isUsableName(key) || key.contains(multipartBoundary)) {
            fail(error, QStringLiteral("The request field name \"%1\" cannot be sent in a "
                                       "multipart body; the request was not built")
                            .arg(key));
            return std::nullopt;
        }
        const QByteArray name = key.toUtf8();
        if (value.typeId() == QMetaType::QImage) {
            const QByteArray png = pngBytes(value.value<QImage>());
            if (png.contains(boundary)) {
                fail(error, boundaryMessage(key));
                return std::nullopt;
            }
            body += delimiter;
            body +=
                "Content-Disposition: form-data; name=\"" + name + "\"; filename=\"image.jpg\"\r\n";
            body += "Content-Type: image/png\r\n\r\n";
            body += png;
            body += "\r\n";
            continue;
        }
        QByteArray content;
        bool hasContent = true;
        if (value.typeId() == QMetaType::QString)
            content = value.toString().toUtf8();
        else if (value.typeId() == QMetaType::QByteArray)
            content = value.toByteArray();
        else if (isDecimal(value))
            content = QByteArray::number(value.toDouble(), 'f', 4);
        else if (isOtherNumber(value))
            content = QByteArray::number(static_cast<int>(value.toLongLong()));
        else
            hasContent = false;
        if (content.contains(boundary)) {
            fail(error, boundaryMessage(key));
            return std::nullopt;
        }
        body += delimiter;
        body += "Content-Disposition: form-data; name=\"" + name + "\"\r\n\r\n";
        if (hasContent)
            body += content + "\r\n";
    }
    body += "--" + boundary + "--\r\n";
    return body;
}

std::optional<QByteArray> APIController::formDataBodyForParameter(const QVariantList& parts,
                                                                  QString* error) {
    const QString& boundaryText = HTTPRequestConfigurator::formDataBoundary;
    const QByteArray boundary = boundaryText.toUtf8();
    QByteArray body;
    bool first = true;
    for (const QVariant& entry : parts) {
        const QVariantMap part = entry.toMap();
        const QString name = Values::describe(part.value(QStringLiteral("name")));
        if (!isUsableName(name) || name.contains(boundaryText)) {
            fail(error, QStringLiteral("The form field name \"%1\" cannot be sent in a "
                                       "multipart body; the request was not built")
                            .arg(name));
            return std::nullopt;
        }
        body += first ? QByteArray() : QByteArray("\r\n");
        body += "--" + boundary + "\r\n";
        first = false;
        QByteArray content;
        if (part.contains(QStringLiteral("fileName"))) {
            const QString fileName = Values::describe(part.value(QStringLiteral("fileName")));
            const QString contentType = Values::describe(part.value(QStringLiteral("contentType")));
            if (!isUsableName(fileName)) {
                fail(error, QStringLiteral("The file name of form field \"%1\" cannot be sent; "
                                           "the request was not built")
                                .arg(name));
                return std::nullopt;
            }
            QFile file(fileName);
            if (file.open(QIODevice::ReadOnly))
                content = file.readAll();
            else
                LogRedaction::log(
                    QStringLiteral("Cannot read %1: %2").arg(fileName, file.errorString()));
            body += "Content-Disposition:form-data; name=\"" + name.toUtf8() + "\"; filename=\"" +
                    fileName.toUtf8() + "\"\r\n";
            body += "Content-Type: " + contentType.toUtf8() + "\r\n\r\n";
        } else {
            content = Values::describe(part.value(QStringLiteral("value"))).toUtf8();
            body += "Content-Disposition:form-data; name=\"" + name.toUtf8() + "\"\r\n\r\n";
        }
        if (content.contains(boundary)) {
            fail(error, boundaryMessage(name));
            return std::nullopt;
        }
        body += content;
    }
    body += "\r\n--" + boundary + "--\r\n";
    return body;
}

std::optional<QByteArray> APIController::HTTPBodyFromDictionary(const QVariantMap& fields,
                                                                QString* error) {
    const QVariantMap part{{QStringLiteral("name"), QStringLiteral("data")},
                           {QStringLiteral("value"), QString::fromUtf8(compactJson(fields))}};
    return formDataBodyForParameter(QVariantList{part}, error);
}

QByteArray APIController::HTTPBodyURLEncodeFromDictionary(const QVariantMap& fields) {
    return "data=" + compactJson(fields);
}
