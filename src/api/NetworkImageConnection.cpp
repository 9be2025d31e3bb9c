#include "api/NetworkImageConnection.h"

#include "api/NetworkManagerFactory.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>

namespace {

class NetworkImageConnection : public ImageConnection {
public:
    NetworkImageConnection(QNetworkReply* reply, ImageConnectionDelegate* delegate)
        : reply_(reply)
        , delegate_(delegate)
        , alive_(std::make_shared<bool>(true)) {
        QObject::connect(reply, &QNetworkReply::metaDataChanged, &events_,
                         [this, alive = alive_] { respond(alive); });
        QObject::connect(reply, &QNetworkReply::readyRead, &events_, [this, alive = alive_] {
            if (respond(alive) && *alive)
                delegate_->connectionDidReceiveData(reply_->readAll());
        });
        QObject::connect(reply, &QNetworkReply::finished, &events_, [this, alive = alive_] {
            if (!respond(alive))
                return;
            const QByteArray rest = responded_ ? reply_->readAll() : QByteArray();
            if (!rest.isEmpty()) {
                delegate_->connectionDidReceiveData(rest);
                if (!*alive)
                    return;
            }
            if (reply_->error() == QNetworkReply::NoError || isHttpStatusError())
                delegate_->connectionDidFinishLoading();
            else
                delegate_->connectionDidFailWithError(
                    TarvelloError{QStringLiteral("Network"), static_cast<qint64>(reply_->error()),
                                  reply_->errorString(), nullptr});
        });
    }

    ~NetworkImageConnection() override {
        *alive_ = false;
        if (!reply_)
            return;
        QObject::disconnect(reply_, nullptr, &events_, nullptr);
        // Deleting a running reply stops its transfer: the rest of the body is not read. (An
        // abort() here could race with an error Qt has already queued for the reply.)
        reply_->deleteLater();
    }

private:
    // Tells the status once it is known; false when the delegate let go of the connection.
    bool respond(const std::shared_ptr<bool>& alive) {
        if (responded_)
            return true;
        const QVariant status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        if (!status.isValid())
            return true;
        responded_ = true;
        delegate_->connectionDidReceiveResponse(status.toInt());
        return *alive;
    }

    // An error Qt sets for an HTTP status of the server, which already came as the response.
    bool isHttpStatusError() const {
        const int code = reply_->error();
        return responded_ && ((code >= 201 && code <= 299) || (code >= 401 && code <= 499));
    }

    QObject events_; // the receiver of the reply's signals, so they stop with the connection
    QPointer<QNetworkReply> reply_;
    ImageConnectionDelegate* delegate_;
    std::shared_ptr<bool> alive_;
    bool responded_ = false;
};

} // namespace

std::unique_ptr<ImageConnection>
NetworkImageConnectionFactory::connectionWithURL(const QUrl& url,
                                                 ImageConnectionDelegate* delegate) {
    if (!delegate || !url.isValid() || url.scheme() != QLatin1String("https") ||
        url.host().isEmpty())
        return nullptr;
    QNetworkRequest request(url);
    NetworkManagerFactory::configure(request, NetworkManagerFactory::Client::Delegate);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply* reply = NetworkManagerFactory::mainThreadManager()->get(request);
    if (!reply)
        return nullptr;
    return std::make_unique<NetworkImageConnection>(reply, delegate);
}
