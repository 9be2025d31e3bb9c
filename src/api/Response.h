#pragma once

#include <QNetworkRequest>
#include <QVariant>
#include <QVariantMap>
#include <memory>

class HTTPRequestConfigurator;

// What a block-style request hands to its completion: the request as sent and the normalised
// JSON reply.
class Response {
public:
    QNetworkRequest request() const { return request_; }
    void setRequest(const QNetworkRequest& value) { request_ = value; }
    std::shared_ptr<HTTPRequestConfigurator> configurator() const { return configurator_; }
    void setConfigurator(std::shared_ptr<HTTPRequestConfigurator> value) {
        configurator_ = std::move(value);
    }
    QVariant code() const { return code_; }
    void setCode(const QVariant& value) { code_ = value; }
    QVariantMap json() const { return json_; }
    void setJson(const QVariantMap& value) { json_ = value; }
    QString contentType() const { return contentType_; }
    void setContentType(const QString& value) { contentType_ = value; }

private:
    QNetworkRequest request_;
    std::shared_ptr<HTTPRequestConfigurator> configurator_;
    QVariant code_;
    QVariantMap json_;
    QString contentType_;
};
