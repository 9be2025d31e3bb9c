#include "api/NetworkManagerFactory.h"

#include "api/APIConfiguration.h"
#include "platform/core/Logging.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <cstring>
#include <openssl/crypto.h>

namespace {

// Qt lets its network threads end detached: one can still be freeing its TLS thread state when
// the process exits, and OpenSSL's exit handler would free the same state at that moment (a
// double free, now and then, at the end of a run). Without the handler the process's end frees
// it. Set when the library loads, before Qt's TLS back end first starts OpenSSL.
[[maybe_unused]] const bool openSslWithoutExitHandler =
    OPENSSL_init_crypto(OPENSSL_INIT_NO_ATEXIT, nullptr) == 1;

// A request body that Qt can read once and never rewind. Qt's HTTP layer sends a request again
// when its connection closes before any answer, but only after rewinding the body; this one
// refuses, so the request ends with ContentReSendError instead of reaching the server twice.
class OnceOnlyBody : public QIODevice {
public:
    explicit OnceOnlyBody(const QByteArray& bytes)
        : bytes_(bytes) {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return bytes_.size() - read_; }
    bool reset() override { return false; }
    bool seek(qint64) override { return false; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 count = std::min(maxSize, bytes_.size() - read_);
        if (count <= 0)
            return read_ >= bytes_.size() ? -1 : 0;
        std::memcpy(data, bytes_.constData() + read_, size_t(count));
        read_ += count;
        return count;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray bytes_;
    qint64 read_ = 0;
};

// The answer to a request the managers do not send: finishes with the error on the event loop.
class RefusedReply : public QNetworkReply {
public:
    RefusedReply(QNetworkAccessManager::Operation operation, const QNetworkRequest& request,
                 const QString& why, QObject* parent)
        : QNetworkReply(parent) {
        setRequest(request);
        setUrl(request.url());
        setOperation(operation);
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        setError(ProtocolUnknownError, why);
        QMetaObject::invokeMethod(
            this,
            [this] {
                setFinished(true);
                emit errorOccurred(error());
                emit finished();
            },
            Qt::QueuedConnection);
    }
    void abort() override {}

protected:
    qint64 readData(char*, qint64) override { return -1; }
};

class SecureManager : public QNetworkAccessManager {
public:
    explicit SecureManager(QObject* parent = nullptr)
        : QNetworkAccessManager(parent) {
        setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    }

protected:
    QNetworkReply* createRequest(Operation operation, const QNetworkRequest& original,
                                 QIODevice* outgoingData) override {
        if (original.url().scheme() != QLatin1String("https")) {
            const QString why =
                QStringLiteral("Refused to send to %1: the back end is reached over https only")
                    .arg(original.url().toString(QUrl::RemoveUserInfo));
            Logging::warning(tarvelloApi, why);
            return new RefusedReply(operation, original, why, this);
        }
        QNetworkRequest request(original);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                             QNetworkRequest::ManualRedirectPolicy);
        if (!outgoingData)
            return QNetworkAccessManager::createRequest(operation, request, nullptr);
        // The SDK's bodies are built in memory: read whole here and handed on unrewindable.
        auto* body = new OnceOnlyBody(outgoingData->readAll());
        request.setAttribute(QNetworkRequest::DoNotBufferUploadDataAttribute, true);
        // Streamed, so the length goes first; a length the caller set keeps its place.
        if (!request.hasRawHeader("Content-Length"))
            request.setHeader(QNetworkRequest::ContentLengthHeader, body->bytesAvailable());
        QNetworkReply* reply = QNetworkAccessManager::createRequest(operation, request, body);
        body->setParent(reply);
        return reply;
    }
};

QPointer<QNetworkAccessManager>& mainManager() {
    static QPointer<QNetworkAccessManager> manager;
    return manager;
}

// Deletes the main thread's manager; its destructor ends its network thread and waits for it.
void closeMainThreadManager() {
    delete mainManager().data();
}

} // namespace

QNetworkAccessManager* NetworkManagerFactory::mainThreadManager() {
    QPointer<QNetworkAccessManager>& manager = mainManager();
    static quint64 trust = 0;
    if (!manager) {
        static const bool closesAtQuit = [] {
            QCoreApplication* app = QCoreApplication::instance();
            QObject::connect(app, &QCoreApplication::aboutToQuit, app, &closeMainThreadManager);
            qAddPostRoutine(&closeMainThreadManager);
            return true;
        }();
        (void)closesAtQuit;
        manager = new SecureManager(QCoreApplication::instance());
        trust = APIConfiguration::current()->trustGeneration();
    } else if (const quint64 now = APIConfiguration::current()->trustGeneration(); now != trust) {
        manager->clearConnectionCache();
        trust = now;
    }
    return manager;
}

std::unique_ptr<QNetworkAccessManager> NetworkManagerFactory::workerManager() {
    return std::make_unique<SecureManager>();
}

void NetworkManagerFactory::configure(QNetworkRequest& request, Client client) {
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setSslConfiguration(APIConfiguration::current()->sslConfiguration());
    request.setTransferTimeout(client == Client::Delegate
                                   ? APIConfiguration::current()->requestTimeout()
                                   : APIConfiguration::current()->sessionClientTimeout());
}

NetworkManagerFactory::Outcome NetworkManagerFactory::outcomeOf(QNetworkReply* reply) {
    Outcome outcome;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    outcome.status = status.isValid() ? status.toInt() : 0;
    const QString network = QStringLiteral("Network");
    if (outcome.status >= 300 && outcome.status <= 399) {
        Logging::warning(
            tarvelloApi,
            QStringLiteral("HTTP %1 from %2 redirects to %3; not followed")
                .arg(outcome.status)
                .arg(reply->url().toString(QUrl::RemoveQuery),
                     reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toString()));
        outcome.refused = true;
        outcome.error = TarvelloError{
            network, outcome.status,
            QStringLiteral("The back end answered with a redirect (HTTP %1), which is not followed")
                .arg(outcome.status),
            nullptr};
        return outcome;
    }
    const int code = reply->error();
    // An error status (4xx, 5xx) is still the server's answer.
    const bool statusError = (code >= 201 && code <= 299) || (code >= 401 && code <= 499);
    if (status.isValid() && (code == QNetworkReply::NoError || statusError)) {
        outcome.answered = true;
        return outcome;
    }
    if (code == QNetworkReply::ContentReSendError) {
        outcome.error = TarvelloError{
            network, QNetworkReply::RemoteHostClosedError,
            QStringLiteral("The connection closed before any answer; the request was not sent "
                           "again"),
            nullptr};
        return outcome;
    }
    outcome.refused = dynamic_cast<RefusedReply*>(reply) != nullptr;
    outcome.error = TarvelloError{network, code, reply->errorString(), nullptr};
    return outcome;
}
