#pragma once

#include <QByteArray>
#include <QNetworkRequest>
#include <QString>
#include <QUrl>

// A request ready to send: Qt's request (URL and headers) with its method and body.
struct URLRequest {
    QNetworkRequest request;
    QString method;
    QByteArray body;
    // Set when the request could not be built; sending it then fails with this text.
    QString buildError;

    QUrl url() const { return request.url(); }
};
