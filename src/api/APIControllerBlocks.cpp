// Block-style requests: configurator to request, sending, reply handling and error mapping.
#include "api/APIConfiguration.h"
#include "api/APIController.h"
#include "api/HTTPSessionClient.h"
#include "api/LogRedaction.h"
#include "api/MultipartFormData.h"
#include "api/SessionBridge.h"
#include "platform/core/Assert.h"
#include "platform/core/MainThread.h"
#include "platform/core/SafeDictionary.h"
#include "platform/core/Values.h"

#include <QBuffer>
#include <QDir>
#include <QJsonDocument>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrlQuery>

namespace {

// The fixed client identifier of this build (51 characters).
const QByteArray clientId = "tarvellosdk_ios_7f3c9a2e5b8d41c6a0e9f2b7d4c8e1a5f36";
static_assert(sizeof("tarvellosdk_ios_7f3c9a2e5b8d41c6a0e9f2b7d4c8e1a5f36") - 1 == 51);

QString encoded(const QString& text) {
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

// Parameters as "key=value" pairs; lists as key[]=v, dictionaries as key[sub]=v.
void appendPairs(QStringList& pairs, const QString& key, const QVariant& value) {
    if (value.typeId() == QMetaType::QVariantMap) {
        const QVariantMap map = value.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            appendPairs(pairs, key + u'[' + it.key() + u']', it.value());
    } else if (value.typeId() == QMetaType::QVariantList ||
               value.typeId() == QMetaType::QStringList) {
        for (const QVariant& item : value.toList())
            appendPairs(pairs, key + QStringLiteral("[]"), item);
    } else {
        pairs << encoded(key) + u'=' + encoded(Values::describe(value));
    }
}

QString formEncoded(const QVariantMap& parameters) {
    QStringList pairs;
    for (auto it = parameters.cbegin(); it != parameters.cend(); ++it)
        appendPairs(pairs, it.key(), it.value());
    return pairs.join(u'&');
}

void appendFormParts(MultipartFormData& form, const QString& key, const QVariant& value) {
    if (value.typeId() == QMetaType::QVariantMap) {
        const QVariantMap map = value.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            appendFormParts(form, key + u'[' + it.key() + u']', it.value());
    } else if (value.typeId() == QMetaType::QVariantList ||
               value.typeId() == QMetaType::QStringList) {
        for (const QVariant& item : value.toList())
            appendFormParts(form, key + QStringLiteral("[]"), item);
    } else {
        form.appendPartWithFormData(Values::describe(value).toUtf8(), key);
    }
}

QString headerLines(const QNetworkRequest& request) {
    QStringList lines;
    for (const QByteArray& name : request.rawHeaderList())
        lines << QStringLiteral("    %1: %2")
                     .arg(QString::fromUtf8(name), QString::fromUtf8(request.rawHeader(name)));
    return lines.join(u'\n');
}

void logOutgoing(const URLRequest& request) {
    LogRedaction::log(QStringLiteral("URL: %1").arg(request.url().toString()));
    LogRedaction::log(QStringLiteral("Headers: {\n%1\n}").arg(headerLines(request.request)));
    if (!request.body.isEmpty())
        LogRedaction::log(QStringLiteral("Body: \n%1").arg(LogRedaction::bodyText(request.body)));
}

QVariantMap normalised(const std::optional<QVariant>& reply) {
    if (reply && (reply->typeId() == QMetaType::QVariantList)) {
        const QVariantList list = reply->toList();
        QVariantMap json{{QStringLiteral("response"), list}};
        if (list.isEmpty())
            json.insert(QStringLiteral("error"), QStringLiteral("INTERNAL ERROR"));
        else
            json.insert(QStringLiteral("success"), QStringLiteral("OK"));
        return json;
    }
    if (reply && reply->typeId() == QMetaType::QVariantMap)
        return reply->toMap();
    return QVariantMap();
}

TarvelloError mappedError(const std::optional<QVariant>& reply) {
    QString message = SessionBridge::connectionErrorText();
    QString code = QStringLiteral("400");
    QString domain = QStringLiteral("Network");
    if (reply && reply->typeId() == QMetaType::QVariantMap) {
        const QVariantMap raw = reply->toMap();
        const QVariant response = raw.value(QStringLiteral("response"));
        if (response.typeId() == QMetaType::QVariantMap) {
            const QVariantMap responseMap = response.toMap();
            message = SafeDictionary::safeObjectForKey(responseMap, QStringLiteral("message"));
            code = SafeDictionary::safeObjectForKey(responseMap, QStringLiteral("code"));
            if (SafeDictionary::hasKey(responseMap, QStringLiteral("customCode")))
                code = SafeDictionary::safeObjectForKey(responseMap, QStringLiteral("customCode"));
            domain = SafeDictionary::safeObjectForKey(raw, QStringLiteral("error"));
        }
    }
    return TarvelloError{domain, Values::lenientInteger(code), message, nullptr};
}

void failBlockLater(const APIController::Failure& failure, const TarvelloError& error) {
    LogRedaction::log(error.description);
    MainThread::post([failure, error]() {
        if (failure)
            failure(error);
    });
}

// A plain base name: no separators, not empty, not "." or "..", no control characters.
bool isPlainFileName(const QString& name) {
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral(".."))
        return false;
    for (QChar c : name)
        if (c == u'/' || c == u'\\' || c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    return true;
}

QString documentsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/Documents");
}

} // namespace

URLRequest APIController::requestWithConfiguration(const HTTPRequestConfigurator& configurator) {
    URLRequest result;
    if (configurator.url().isNull()) {
        HostAssert::fail(QStringLiteral("Invalid parameter not satisfying: configurator.url"));
        result.buildError = QStringLiteral("The request has no URL");
        return result;
    }
    if (configurator.HTTPMethod().isNull()) {
        HostAssert::fail(
            QStringLiteral("Invalid parameter not satisfying: configurator.HTTPMethod"));
        result.buildError = QStringLiteral("The request has no method");
        return result;
    }
    const QString method = configurator.HTTPMethod();
    QUrl url(configurator.url());
    QNetworkRequest request;
    QByteArray body;
    const QVariantMap parameters = configurator.paramenters();
    if (configurator.formData()) {
        MultipartFormData form;
        for (auto it = parameters.cbegin(); it != parameters.cend(); ++it)
            appendFormParts(form, it.key(), it.value());
        configurator.formData()(form);
        if (!form.isValid())
            result.buildError = form.error();
        body = form.body();
        request.setRawHeader("Content-Type", form.contentType().toUtf8());
    } else if (method == QStringLiteral("GET") || method == QStringLiteral("DELETE") ||
               method == QStringLiteral("HEAD")) {
        if (!parameters.isEmpty()) {
            const QString existing = url.query(QUrl::FullyEncoded);
            const QString added = formEncoded(parameters);
            url.setQuery(existing.isEmpty() ? added : existing + u'&' + added, QUrl::StrictMode);
        }
    } else if (!parameters.isEmpty()) {
        body = formEncoded(parameters).toUtf8();
        request.setRawHeader("Content-Type", "application/x-www-form-urlencoded");
    }
    request.setUrl(url);
    request.setRawHeader("client-id", clientId);
    for (const auto& [name, value] : configurator.headers())
        request.setRawHeader(name.toUtf8(), value.toUtf8());
    if (!configurator.HTTPBody().isNull())
        body = configurator.HTTPBody();
    result.request = request;
    result.method = method;
    result.body = body;
    if (!url.isValid() && result.buildError.isEmpty())
        result.buildError = QStringLiteral("Invalid request address %1").arg(configurator.url());
    return result;
}

void APIController::requestWithConfigurator(std::shared_ptr<HTTPRequestConfigurator> configurator,
                                            Completion completion, Failure failure) {
    configurator->setValue(SessionBridge::userToken(), QStringLiteral("X-Authentication-Token"));
    const auto key = SessionBridge::apiKey();
    configurator->setValue(key ? *key : QString(), QStringLiteral("X-Authentication-ApiKey"));
    LogRedaction::rememberPasswords(configurator->paramenters());
    handleURLRequest(requestWithConfiguration(*configurator), std::move(completion),
                     std::move(failure));
}

void APIController::handleURLRequest(const URLRequest& request, Completion completion,
                                     Failure failure) {
    if (!request.buildError.isEmpty()) {
        failBlockLater(failure, TarvelloError{QStringLiteral("APIController"), 1,
                                              request.buildError, nullptr});
        return;
    }
    logOutgoing(request);
    HTTPSessionClient::dataTask(
        request, nullptr,
        [request, completion = std::move(completion),
         failure = std::move(failure)](const HTTPSessionClient::Result& result) {
            Response response;
            response.setRequest(request.request);
            // What a broken or refused exchange carried is not the back end's answer.
            const std::optional<QVariant> reply = result.failed ? std::nullopt : result.json;
            const QVariantMap json = normalised(reply);
            const QString description = SafeDictionary::jsonDescription(json);
            LogRedaction::log(QStringLiteral("responseObject: %1").arg(description));
            response.setJson(json);
            logRequest(request.url().toString(QUrl::FullyEncoded),
                       LogRedaction::bodyText(request.body), description);
            if (result.refused) {
                // A redirect or an address that is not https: the reason, not a connection text.
                LogRedaction::log(result.errorString);
                if (failure)
                    failure(TarvelloError{QStringLiteral("Network"), result.networkError,
                                          result.errorString, nullptr});
                return;
            }

            const bool success =
                SafeDictionary::safeObjectForKey(json, QStringLiteral("success")).toUpper() ==
                    QStringLiteral("OK") ||
                result.status == 201;
            if (success) {
                if (completion)
                    completion(response);
                return;
            }
            const TarvelloError error = mappedError(reply);
            if (error.code == 401)
                SessionBridge::expireSession();
            if (failure)
                failure(error);
        });
}

void APIController::handleFileDownloadRequest(const URLRequest& request,
                                              DownloadCompletion completion, Failure failure) {
    (void)failure;
    if (!request.buildError.isEmpty()) {
        const TarvelloError error{QStringLiteral("APIController"), 1, request.buildError, nullptr};
        MainThread::post([completion, error]() {
            if (completion)
                completion(QString(), error);
        });
        return;
    }
    logOutgoing(request);
    HTTPSessionClient::dataTask(
        request, nullptr,
        [completion = std::move(completion)](const HTTPSessionClient::Result& result) {
            auto finish = [&completion](const QString& path,
                                        const std::optional<TarvelloError>& error) {
                if (error)
                    LogRedaction::log(error->description);
                if (completion)
                    completion(path, error);
            };
            if (result.failed || result.status < 200 || result.status > 299) {
                finish(QString(), TarvelloError{QStringLiteral("Network"),
                                                result.failed ? result.networkError : result.status,
                                                result.errorString, nullptr});
                return;
            }
            // Only a plain file name of the server's choice, inside the Documents folder.
            const QString name = result.suggestedFileName;
            if (!isPlainFileName(name)) {
                finish(QString(), TarvelloError{QStringLiteral("APIController"), 2,
                                                QStringLiteral("The server suggested an "
                                                               "unusable file name \"%1\"")
                                                    .arg(name),
                                                nullptr});
                return;
            }
            const QString folder = documentsFolder();
            QDir().mkpath(folder);
            const QString path = QDir(folder).filePath(name);
            QSaveFile file(path);
            if (!file.open(QIODevice::WriteOnly) ||
                file.write(result.bytes) != result.bytes.size() || !file.commit()) {
                finish(QString(),
                       TarvelloError{
                           QStringLiteral("APIController"), 3,
                           QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()),
                           nullptr});
                return;
            }
            finish(path, std::nullopt);
        });
}

// ---- wrappers

namespace {

using Configure = std::function<void(HTTPRequestConfigurator&)>;

// A request of the method to the address, after the configuration (when there is one).
std::shared_ptr<HTTPRequestConfigurator> configured(const QString& method, const QString& url,
                                                    const Configure& configure) {
    auto configurator = HTTPRequestConfigurator::configuratorWithURL(url);
    if (configure)
        configure(*configurator);
    configurator->setHTTPMethod(method);
    return configurator;
}

void sendConfigured(const QString& method, const QString& url, const Configure& configure,
                    APIController::Completion completion, APIController::Failure failure) {
    APIController::requestWithConfigurator(configured(method, url, configure),
                                           std::move(completion), std::move(failure));
}

Configure withParameters(const QVariantMap& parameters) {
    return [parameters](HTTPRequestConfigurator& c) { c.setParamenters(parameters); };
}

} // namespace

void APIController::get(const QString& url, Completion completion, Failure failure) {
    sendConfigured(QStringLiteral("GET"), url, nullptr, std::move(completion), std::move(failure));
}

void APIController::getWithConfigurator(
    const QString& url, const std::function<void(HTTPRequestConfigurator&)>& configure,
    Completion completion, Failure failure) {
    sendConfigured(QStringLiteral("GET"), url, configure, std::move(completion),
                   std::move(failure));
}

void APIController::getWithParameters(const QString& url, const QVariantMap& parameters,
                                      Completion completion, Failure failure) {
    sendConfigured(QStringLiteral("GET"), url, withParameters(parameters), std::move(completion),
                   std::move(failure));
}

void APIController::downloadFromURL(const QString& url, const QVariantMap& parameters,
                                    DownloadCompletion completion, Failure failure) {
    auto configurator = configured(QStringLiteral("GET"), url, withParameters(parameters));
    configurator->setContentType(QStringLiteral("application/pdf"));
    configurator->setValue(SessionBridge::userToken(), QStringLiteral("X-Authentication-Token"));
    handleFileDownloadRequest(requestWithConfiguration(*configurator), std::move(completion),
                              std::move(failure));
}

void APIController::postWithJsonContent(const QString& url, const QByteArray& content,
                                        const QString& contentType, Completion completion,
                                        Failure failure) {
    sendConfigured(
        QStringLiteral("POST"), url,
        [&](HTTPRequestConfigurator& c) { c.setContent(content, contentType); },
        std::move(completion), std::move(failure));
}

void APIController::postWithParameters(const QString& url, const QVariantMap& parameters,
                                       Completion completion, Failure failure) {
    sendConfigured(QStringLiteral("POST"), url, withParameters(parameters), std::move(completion),
                   std::move(failure));
}

void APIController::postImage(const QString& url, const QImage& image, Completion completion,
                              Failure failure) {
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 80);
    sendConfigured(
        QStringLiteral("POST"), url,
        [jpeg](HTTPRequestConfigurator& c) {
            c.setFormData([jpeg](MultipartFormData& form) {
                form.appendPartWithFileData(jpeg, QStringLiteral("file"), QStringLiteral("file"),
                                            QStringLiteral("image/jpeg"));
            });
        },
        std::move(completion), std::move(failure));
}

void APIController::post(const QString& url, Completion completion, Failure failure) {
    sendConfigured(QStringLiteral("POST"), url, nullptr, std::move(completion), std::move(failure));
}

void APIController::put(const QString& url, const std::optional<QByteArray>& jsonContent,
                        Completion completion, Failure failure) {
    sendConfigured(
        QStringLiteral("PUT"), url,
        [&](HTTPRequestConfigurator& c) {
            if (jsonContent)
                c.setJsonContent(*jsonContent);
        },
        std::move(completion), std::move(failure));
}

void APIController::deleteWithParameters(const QString& url, const QVariantMap& parameters,
                                         Completion completion, Failure failure) {
    sendConfigured(QStringLiteral("DELETE"), url, withParameters(parameters), std::move(completion),
                   std::move(failure));
}

std::shared_ptr<HTTPRequestConfigurator>
APIController::createPostFormURLEncodedConfiguratorWithURL(const QString& url) {
    return HTTPRequestConfigurator::configuratorWithMethod(
        QStringLiteral("POST"), url, QStringLiteral("application/x-www-form-urlencoded"));
}

void APIController::getV2(const QString& path, JsonCompletion completion, Failure failure) {
    URLRequest request;
    const QString urlText =
        QStringLiteral("%1/api%2").arg(APIConfiguration::current()->baseURL(), path);
    LogRedaction::log(urlText);
    request.request.setUrl(QUrl(urlText));
    request.request.setRawHeader("X-Authentication-Token", SessionBridge::userToken().toUtf8());
    request.method = QStringLiteral("GET");
    HTTPSessionClient::dataTask(
        request, this,
        [completion = std::move(completion),
         failure = std::move(failure)](const HTTPSessionClient::Result& result) {
            if (result.status == 401) {
                SessionBridge::expireSession();
                if (failure)
                    failure(TarvelloError{QStringLiteral("Network"), 401,
                                          QStringLiteral("Session expired"), nullptr});
                return;
            }
            if (result.failed) {
                LogRedaction::log(QStringLiteral("Connection error: %1").arg(result.errorString));
                if (failure)
                    failure(TarvelloError{QStringLiteral("Network"), result.networkError,
                                          result.errorString, nullptr});
                return;
            }
            if (!result.json) {
                if (failure)
                    failure(TarvelloError{QStringLiteral("JSON"), 3840,
                                          QStringLiteral("The reply is not JSON"), nullptr});
                return;
            }
            LogRedaction::log(QString::fromUtf8(QJsonDocument::fromVariant(*result.json).toJson()));
            if (completion)
                completion(*result.json);
        });
}
