#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantMap>
#include <functional>
#include <memory>

class MultipartFormData;

// Describes one block-style request: URL, method, parameters, raw body, extra headers and an
// optional callback that adds file parts to a multipart body.
class HTTPRequestConfigurator {
public:
    using FormDataBlock = std::function<void(MultipartFormData& formData)>;

    HTTPRequestConfigurator() = default;

    // A configurator for the URL; a text without "http" is a path of the back end's API and
    // gets the base address and "/developers/api" in front of it.
    static std::shared_ptr<HTTPRequestConfigurator> configuratorWithURL(const QString& url);
    static std::shared_ptr<HTTPRequestConfigurator>
    configuratorWithMethod(const QString& method, const QString& url, const QString& contentType);

    // Sets a header (created on first use); a null value removes it.
    void setValue(const QString& value, const QString& header);
    void setContentType(const QString& contentType);
    // Raw body with its content type. The exact type "multipart/form-data" gets the form-data
    // boundary appended. Both must be given (host-misuse assertion otherwise).
    void setContent(const QByteArray& content, const QString& contentType);
    // A JSON body, announced with the multipart form-data content type the back end expects.
    void setJsonContent(const QByteArray& content);

    QString url() const { return url_; }
    void setUrl(const QString& value) { url_ = value; }
    QString HTTPMethod() const { return HTTPMethod_; }
    void setHTTPMethod(const QString& value) { HTTPMethod_ = value; }
    QString sessionToken() const { return sessionToken_; }
    void setSessionToken(const QString& value) { sessionToken_ = value; }
    QVariantMap paramenters() const { return paramenters_; }
    void setParamenters(const QVariantMap& value) { paramenters_ = value; }
    FormDataBlock formData() const { return formData_; }
    void setFormData(FormDataBlock value) { formData_ = std::move(value); }
    QByteArray HTTPBody() const { return HTTPBody_; }
    void setHTTPBody(const QByteArray& value) { HTTPBody_ = value; }
    // Header names with their values, in the order they were first set.
    QList<std::pair<QString, QString>> headers() const { return headers_; }

    static inline const QString formDataBoundary =
        QStringLiteral("----WebKitFormBoundary7MA4YWxkTrZu0gW");

private:
    QString url_;
    QString HTTPMethod_;
    QString sessionToken_;
    QVariantMap paramenters_;
    FormDataBlock formData_;
    QByteArray HTTPBody_;
    QList<std::pair<QString, QString>> headers_;
};
