#pragma once

#include <QByteArray>
#include <QHttpMultiPart>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QString>
#include <QVariantMap>

// What a plain Qt client got back.
struct ClientReply {
    bool finished = false;
    int status = 0;
    QByteArray body;
    QByteArray contentType;
    QNetworkReply::NetworkError error = QNetworkReply::NoError;

    QVariantMap json() const { return QJsonDocument::fromJson(body).toVariant().toMap(); }
    QVariantMap response() const { return json().value(QStringLiteral("response")).toMap(); }
};

// A QNetworkAccessManager client that trusts only the given CA file (or, with no file, only
// the system's authorities).
class SandboxClient {
public:
    explicit SandboxClient(const QString& caFile = {});

    QNetworkRequest request(const QString& url) const;
    ClientReply send(QNetworkRequest request, const QByteArray& verb, const QByteArray& body = {},
                     QHttpMultiPart* multiPart = nullptr);
    ClientReply get(const QString& url) { return send(request(url), "GET"); }
    ClientReply post(const QString& url, const QByteArray& body, const QByteArray& contentType);
    // A multipart POST of text fields, with the API key header.
    ClientReply postFields(const QString& url, const QList<QPair<QString, QString>>& fields,
                           const QString& apiKey);

private:
    QNetworkAccessManager manager_;
    QSslConfiguration ssl_;
};
