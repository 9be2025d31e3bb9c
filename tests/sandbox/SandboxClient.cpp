#include "SandboxClient.h"

#include "support/TestSupport.h"

SandboxClient::SandboxClient(const QString& caFile)
    : ssl_(QSslConfiguration::defaultConfiguration()) {
    if (!caFile.isEmpty())
        ssl_.setCaCertificates(QSslCertificate::fromPath(caFile));
}

QNetworkRequest SandboxClient::request(const QString& url) const {
    QNetworkRequest request{QUrl(url)};
    request.setSslConfiguration(ssl_);
    request.setTransferTimeout(15000);
    return request;
}

ClientReply SandboxClient::send(QNetworkRequest request, const QByteArray& verb,
                                const QByteArray& body, QHttpMultiPart* multiPart) {
    QNetworkReply* reply = multiPart ? manager_.sendCustomRequest(request, verb, multiPart)
                                     : manager_.sendCustomRequest(request, verb, body);
    if (multiPart)
        multiPart->setParent(reply);
    ClientReply result;
    QObject::connect(reply, &QNetworkReply::finished, [&result] { result.finished = true; });
    waitUntil([&result] { return result.finished; }, 20000);
    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.body = reply->readAll();
    result.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    result.error = reply->error();
    reply->deleteLater();
    return result;
}

ClientReply SandboxClient::post(const QString& url, const QByteArray& body,
                                const QByteArray& contentType) {
    QNetworkRequest req = request(url);
    req.setHeader(QNetworkRequest::ContentTypeHeader, contentType);
    return send(req, "POST", body);
}

ClientReply SandboxClient::postFields(const QString& url,
                                      const QList<QPair<QString, QString>>& fields,
                                      const QString& apiKey) {
    auto* multiPart = new QHttpMultiPart(QHttpMultiPart::FormDataType);
    for (const auto& [name, value] : fields) {
        QHttpPart part;
        part.setHeader(QNetworkRequest::ContentDispositionHeader,
                       QStringLiteral("form-data; name=\"%1\"").arg(name));
        part.setBody(value.toUtf8());
        multiPart->append(part);
    }
    QNetworkRequest req = request(url);
    if (!apiKey.isEmpty())
        req.setRawHeader("X-Authentication-ApiKey", apiKey.toUtf8());
    return send(req, "POST", {}, multiPart);
}
