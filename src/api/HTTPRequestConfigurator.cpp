#include "api/HTTPRequestConfigurator.h"
#include "api/APIController.h"
#include "platform/core/Assert.h"

std::shared_ptr<HTTPRequestConfigurator>
HTTPRequestConfigurator::configuratorWithURL(const QString& url) {
    auto configurator = std::make_shared<HTTPRequestConfigurator>();
    configurator->setUrl(url.contains(QStringLiteral("http")) ? url
                                                              : APIController::urlForPath(url));
    return configurator;
}

std::shared_ptr<HTTPRequestConfigurator>
HTTPRequestConfigurator::configuratorWithMethod(const QString& method, const QString& url,
                                                const QString& contentType) {
    auto configurator = configuratorWithURL(url);
    configurator->setHTTPMethod(method);
    configurator->setContentType(contentType);
    return configurator;
}

void HTTPRequestConfigurator::setValue(const QString& value, const QString& header) {
    for (qsizetype i = 0; i < headers_.size(); ++i) {
        if (headers_[i].first.compare(header, Qt::CaseInsensitive) == 0) {
            if (value.isNull())
                headers_.removeAt(i);
            else
                headers_[i].second = value;
            return;
        }
    }
    if (!value.isNull())
        headers_.append({header, value});
}

void HTTPRequestConfigurator::setContentType(const QString& contentType) {
    setValue(contentType, QStringLiteral("Content-Type"));
}

void HTTPRequestConfigurator::setContent(const QByteArray& content, const QString& contentType) {
    if (content.isNull()) {
        HostAssert::fail(QStringLiteral("Invalid parameter not satisfying: content"));
        return;
    }
    if (contentType.isEmpty()) {
        HostAssert::fail(QStringLiteral("Invalid parameter not satisfying: contentType"));
        return;
    }
    HTTPBody_ = content;
    if (contentType == QStringLiteral("multipart/form-data"))
        setContentType(QStringLiteral("%1; boundary=%2").arg(contentType, formDataBoundary));
    else
        setContentType(contentType);
}

void HTTPRequestConfigurator::setJsonContent(const QByteArray& content) {
    setContent(content, QStringLiteral("multipart/form-data; boundary=%1").arg(formDataBoundary));
}
