// Delegate-style requests: transports, reply routing and the session hooks.
#include "api/APIController.h"
#include "api/APIConfiguration.h"
#include "api/APIControllerDelegate.h"
#include "api/LogRedaction.h"
#include "api/NetworkManagerFactory.h"
#include "api/SessionBridge.h"
#include "platform/core/MainThread.h"
#include "platform/core/Uuid.h"
#include "platform/core/Values.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QStringDecoder>
#include <QUrl>

namespace {

QNetworkRequest baseRequest(const QUrl& url) {
    QNetworkRequest request(url);
    // The client's network manager has no cache: every reply comes from the server.
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    NetworkManagerFactory::configure(request, NetworkManagerFactory::Client::Delegate);
    return request;
}

// The headers of a delegate-style POST, in their order.
void setPostHeaders(QNetworkRequest& request, const QByteArray& body,
                    const std::optional<QString>& key) {
    request.setRawHeader("Content-Type", "multipart/form-data; boundary=" +
                                             APIController::multipartBoundary.toUtf8());
    if (key && !key->isNull())
        request.setRawHeader("X-Authentication-ApiKey", key->toUtf8());
    request.setRawHeader("Content-Length", QByteArray::number(body.size()));
    const QString version = QCoreApplication::applicationVersion();
    if (!version.isEmpty())
        request.setRawHeader("Client-Version", version.toUtf8());
}

QString headerDescription(const QNetworkRequest& request) {
    QStringList lines;
    for (const QByteArray& name : request.rawHeaderList())
        lines << QStringLiteral("    %1: %2")
                     .arg(QString::fromUtf8(name), QString::fromUtf8(request.rawHeader(name)));
    return QStringLiteral("Headers: {\n%1\n}").arg(lines.join(u'\n'));
}

// The reply as text, or a null text when its bytes are not valid UTF-8.
QString utf8OrNull(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return QString();
    return text.isNull() ? QString("") : text;
}

std::optional<int> codeOf(const QVariant& value) {
    if (Values::isNumber(value))
        return static_cast<int>(Values::integerValue(value));
    if (value.typeId() == QMetaType::QString)
        return Values::lenientInt32(value.toString());
    return std::nullopt;
}

struct Expiry {
    bool expired = false;
    std::optional<QString> message;
};

// Looks for 401/403 in "response" of the answer, or of its "content" when that is an object.
Expiry sessionTest(const std::optional<QVariantMap>& answer) {
    if (!answer)
        return {};
    QVariantMap inspected = *answer;
    const QVariant content = answer->value(QStringLiteral("content"));
    if (content.typeId() == QMetaType::QVariantMap)
        inspected = content.toMap();
    const QVariant error = inspected.value(QStringLiteral("error"));
    if (error.typeId() == QMetaType::QString && error.toString().isEmpty())
        return {};
    const QVariant response = inspected.value(QStringLiteral("response"));
    if (response.typeId() != QMetaType::QVariantMap)
        return {};
    const QVariantMap responseMap = response.toMap();
    const auto code = codeOf(responseMap.value(QStringLiteral("code")));
    if (!code || (*code != 401 && *code != 403))
        return {};
    Expiry expiry{true, std::nullopt};
    const QVariant message = responseMap.value(QStringLiteral("message"));
    if (message.isValid() && !Values::isJsonNull(message))
        expiry.message = Values::describe(message);
    return expiry;
}

bool isSuccessfulAnswer(const std::optional<QVariantMap>& answer) {
    if (!answer)
        return false;
    const QVariant success = answer->value(QStringLiteral("success"));
    if (success.isValid())
        return success.typeId() == QMetaType::QString && success.toString() == QStringLiteral("OK");
    return answer->contains(QStringLiteral("content"));
}

} // namespace

APIController::APIController(QObject* parent)
    : QObject(parent)
    , apiKey_(SessionBridge::apiKey()) {}

APIController::~APIController() {
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
        reply_->deleteLater();
    }
    receivedData_.clear();
    functionName_ = 0;
    if (timerHandedOver_)
        SessionBridge::releaseTimer(this);
}

QString APIController::urlForPath(const QString& path) {
    return QStringLiteral("%1/developers/api%2").arg(APIConfiguration::current()->baseURL(), path);
}

QString APIController::escapedComponent(const QString& value) {
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

QString APIController::uuid() {
    return Uuid::newText();
}

bool APIController::loadUrl(const QString& path, const QVariantMap& data) {
    return send(QStringLiteral("POST"), path, data);
}

bool APIController::getUrl(const QString& path, const QVariantMap& data) {
    return send(QStringLiteral("GET"), path, data);
}

bool APIController::loadUrlWithCode(int code, const QString& path, const QVariantMap& data) {
    setFunctionName(code);
    return loadUrl(path, data);
}

bool APIController::getUrlWithCode(int code, const QString& path, const QVariantMap& data) {
    setFunctionName(code);
    return getUrl(path, data);
}

bool APIController::send(const QString& method, const QString& path, const QVariantMap& data) {
    const QString urlText = urlForPath(path);
    LogRedaction::log(QStringLiteral("Url %1").arg(urlText));
    LogRedaction::rememberPasswords(data);
    QUrl url(urlText);
    QByteArray body;
    if (method == QStringLiteral("GET")) {
        // Each key and value percent-encoded, so "&", "=" and "+" travel as data.
        QStringList items;
        for (auto it = data.cbegin(); it != data.cend(); ++it)
            items << escapedComponent(it.key()) + u'=' +
                         escapedComponent(Values::describe(it.value()));
        if (!data.isEmpty())
            url.setQuery(items.join(u'&'), QUrl::StrictMode);
    } else {
        QString error;
        const auto built = bodyFromDictionary(data, &error);
        if (!built) {
            failLater(TarvelloError{QStringLiteral("APIController"), 1, error, nullptr});
            return false;
        }
        body = *built;
    }
    if (!url.isValid()) {
        LogRedaction::log(QStringLiteral("No Conecto"));
        failLater(TarvelloError{
            QStringLiteral("Network"), static_cast<qint64>(QNetworkReply::ProtocolUnknownError),
            QStringLiteral("Invalid request address %1").arg(urlText), nullptr});
        return false;
    }

    QNetworkRequest request = baseRequest(url);
    if (method == QStringLiteral("GET")) {
        if (apiKey_ && !apiKey_->isNull())
            request.setRawHeader("X-Authentication-ApiKey", apiKey_->toUtf8());
    } else {
        setPostHeaders(request, body, apiKey_);
    }
    LogRedaction::log(headerDescription(request));
    if (!body.isEmpty())
        LogRedaction::log(QStringLiteral("Body: \n%1").arg(LogRedaction::bodyText(body)));

    auto start = [this, request, body, method]() {
        QNetworkAccessManager* manager = NetworkManagerFactory::mainThreadManager();
        QNetworkReply* reply =
            method == QStringLiteral("GET") ? manager->get(request) : manager->post(request, body);
        startReply(reply, body);
    };
    receivedData_ = QByteArray("");
    if (MainThread::isCurrent())
        start();
    else
        MainThread::post(this, start);
    return true;
}

void APIController::startReply(QNetworkReply* reply, const QByteArray& body) {
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
        reply_->deleteLater();
    }
    reply_ = reply;
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply]() {
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        if (status.isValid() && status.toInt() != 200)
            LogRedaction::log(QStringLiteral("Status Code: %1").arg(status.toInt()));
        replyContentType_ = reply->header(QNetworkRequest::ContentTypeHeader).toString();
        receivedData_.clear();
    });
    connect(reply, &QNetworkReply::readyRead, this,
            [this, reply]() { receivedData_ += reply->readAll(); });
    connect(reply, &QNetworkReply::finished, this, [this, reply, body]() {
        receivedData_ += reply->readAll();
        reply_ = nullptr;
        reply->deleteLater();
        routeReply(reply, body);
    });
}

void APIController::failLater(const TarvelloError& error) {
    LogRedaction::log(QStringLiteral("Connection error: %1").arg(error.description));
    const int code = functionName_;
    QMetaObject::invokeMethod(
        this,
        [this, error, code]() {
            if (delegate_)
                delegate_->apiDidFailWithError(error, code);
        },
        Qt::QueuedConnection);
}

void APIController::routeReply(QNetworkReply* reply, const QByteArray& body) {
    const int code = functionName_;
    // A dropped connection, a refused certificate, a redirect or an address that is not https:
    // one failure, nothing routed.
    const NetworkManagerFactory::Outcome outcome = NetworkManagerFactory::outcomeOf(reply);
    if (!outcome.answered) {
        LogRedaction::log(QStringLiteral("Connection error: %1").arg(outcome.error.description));
        if (delegate_)
            delegate_->apiDidFailWithError(outcome.error, code);
        return;
    }

    connectionDidFinishLoading(reply->request().url().toString(QUrl::FullyEncoded), body);
}

void APIController::connectionDidFinishLoading(const QString& requestURL,
                                               const QByteArray& requestBody) {
    const int code = functionName_;
    const QByteArray buffer = receivedData_;
    LogRedaction::log(QStringLiteral("File size is : %1 MB")
                          .arg(static_cast<double>(buffer.size()) / 1024.0 / 1024.0, 0, 'f', 2));
    // The request log gets its entry before the delegate runs: the delegate may delete us.
    logRequest(requestURL, LogRedaction::bodyText(requestBody), utf8OrNull(buffer));
    receivedData_ = QByteArray();

    if (code == FunctionCode::GetToPrint) {
        if (delegate_)
            delegate_->apiDidFinishDownloadingWithData(code, buffer);
        return;
    }

    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(buffer, &parseError);
    std::optional<QVariantMap> answer;
    if (parseError.error != QJsonParseError::NoError) {
        if (code == FunctionCode::SaleHistory || code == FunctionCode::SaleRecord) {
            LogRedaction::log(
                QStringLiteral("Error loading data: %1").arg(parseError.errorString()));
            LogRedaction::log(LogRedaction::replyText(buffer, replyContentType_, false));
        }
    } else if (code == FunctionCode::SaleHistory || code == FunctionCode::SaleRecord) {
        answer = QVariantMap{{QStringLiteral("content"), document.toVariant()}};
    } else if (document.isObject()) {
        answer = document.object().toVariantMap();
    } else {
        LogRedaction::log(QStringLiteral("The reply is not a JSON object"));
    }

    const Expiry expiry = sessionTest(answer);
    if (expiry.expired) {
        if (delegate_ && expiry.message && delegate_->sessionExpiredWithMessage(*expiry.message))
            return;
        if (delegate_ && delegate_->sessionExpired())
            return;
        SessionBridge::expireSession();
        return;
    }

    QPointer<APIController> self(this);
    if (!delegate_ || !delegate_->apiDidFinishDownloadingWithDictionary(code, answer)) {
        LogRedaction::log(QStringLiteral("El delegate de APIController no responde al selector"));
        return;
    }
    if (self && isSuccessfulAnswer(answer)) {
        timerHandedOver_ = true;
        SessionBridge::handOverTimer(this, code == FunctionCode::Login);
    }
    const bool parsed = parseError.error == QJsonParseError::NoError;
    LogRedaction::log(LogRedaction::replyText(buffer, replyContentType_, parsed));
    if (!parsed)
        LogRedaction::log(parseError.errorString());
}

std::optional<QByteArray> APIController::loadSynchronousUrl(const QString& path,
                                                            const QVariantMap& data) {
    const QString urlText = urlForPath(path);
    LogRedaction::log(QStringLiteral("Url %1").arg(urlText));
    if (MainThread::isCurrent()) {
        LogRedaction::log(QStringLiteral("A synchronous request was refused on the main thread"));
        return std::nullopt;
    }
    LogRedaction::rememberPasswords(data);
    QString error;
    const auto body = bodyFromDictionary(data, &error);
    const QUrl url(urlText);
    if (!body || !url.isValid()) {
        LogRedaction::log(body ? QStringLiteral("No Conecto") : error);
        return std::nullopt;
    }
    QNetworkRequest request = baseRequest(url);
    setPostHeaders(request, *body, apiKey_);
    LogRedaction::log(headerDescription(request));
    LogRedaction::log(QStringLiteral("Body: \n%1").arg(LogRedaction::bodyText(*body)));

    // This thread's own manager and event loop; the main thread is never involved.
    const auto manager = NetworkManagerFactory::workerManager();
    QEventLoop loop;
    QNetworkReply* reply = manager->post(request, *body);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    const QByteArray bytes = reply->readAll();
    std::optional<QByteArray> result;
    const NetworkManagerFactory::Outcome outcome = NetworkManagerFactory::outcomeOf(reply);
    if (outcome.answered) {
        result = bytes;
        const bool isJson = !QJsonDocument::fromJson(bytes).isNull();
        LogRedaction::log(LogRedaction::replyText(
            bytes, reply->header(QNetworkRequest::ContentTypeHeader).toString(), isJson));
    } else {
        LogRedaction::log(QStringLiteral("Connection error: %1").arg(outcome.error.description));
    }
    logRequest(url.toString(QUrl::FullyEncoded), LogRedaction::bodyText(*body),
               result ? QString::fromUtf8(*result) : QString(""));
    return result;
}

bool APIController::sessionExpired() {
    // Not handled without a delegate that takes it: the timer then ends the session itself.
    return delegate_ && delegate_->sessionExpired();
}

bool APIController::sessionExpiredFromTimer() {
    if (auto* watcher = dynamic_cast<SessionTimerDelegate*>(delegate_);
        watcher && watcher->sessionExpiredFromTimer())
        return true;
    return sessionExpired();
}
