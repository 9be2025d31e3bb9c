#include "api/MultipartFormData.h"

#include <QUuid>

MultipartFormData::MultipartFormData()
    : boundary_(QStringLiteral("TarvelloFormBoundary") +
                QUuid::createUuid().toString(QUuid::Id128)) {}

MultipartFormData::MultipartFormData(const QString& boundary)
    : boundary_(boundary) {}

QString MultipartFormData::contentType() const {
    return QStringLiteral("multipart/form-data; boundary=%1").arg(boundary_);
}

bool MultipartFormData::checkPart(const QByteArray& data, const QString& name,
                                  const QString& fileName) {
    auto unusable = [this](const QString& text) {
        return text.contains(u'"') || text.contains(u'\r') || text.contains(u'\n') ||
               text.contains(boundary_);
    };
    if (unusable(name) || unusable(fileName)) {
        error_ = QStringLiteral("The form part \"%1\" has a name that cannot be sent").arg(name);
        return false;
    }
    if (data.contains(boundary_.toUtf8())) {
        error_ = QStringLiteral("The form part \"%1\" contains the multipart boundary").arg(name);
        return false;
    }
    return true;
}

void MultipartFormData::appendHead(const QString& disposition, const QString& mimeType) {
    parts_ += "--" + boundary_.toUtf8() + "\r\n";
    parts_ += "Content-Disposition: form-data; " + disposition.toUtf8() + "\r\n";
    if (!mimeType.isEmpty())
        parts_ += "Content-Type: " + mimeType.toUtf8() + "\r\n";
    parts_ += "\r\n";
}

void MultipartFormData::appendPartWithFileData(const QByteArray& data, const QString& name,
                                               const QString& fileName, const QString& mimeType) {
    if (!checkPart(data, name, fileName))
        return;
    appendHead(QStringLiteral("name=\"%1\"; filename=\"%2\"").arg(name, fileName), mimeType);
    parts_ += data + "\r\n";
}

void MultipartFormData::appendPartWithFormData(const QByteArray& data, const QString& name) {
    if (!checkPart(data, name, QString()))
        return;
    appendHead(QStringLiteral("name=\"%1\"").arg(name), QString());
    parts_ += data + "\r\n";
}

QByteArray MultipartFormData::body() const {
    return parts_ + "--" + boundary_.toUtf8() + "--\r\n";
}
