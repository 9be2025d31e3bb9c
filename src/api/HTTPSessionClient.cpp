#include "api/HTTPSessionClient.h"
#include "api/NetworkManagerFactory.h"
#include "platform/core/MainThread.h"

#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QRegularExpression>

namespace {

QString suggestedName(QNetworkReply* reply) {
    static const QRegularExpression filename(
        QStringLiteral(R"re(filename\*?=(?:UTF-8'')?"?([^";]*)"?)re"),
        QRegularExpression::CaseInsensitiveOption);
    const QString disposition = QString::fromUtf8(reply->rawHeader("Content-Disposition"));
    const auto match = filename.match(disposition);
    if (match.hasMatch())
        return QString::fromUtf8(QByteArray::fromPercentEncoding(match.captured(1).toUtf8()));
    return reply->url().fileName();
}

void start(const URLRequest& request, QPointer<QObject> context, bool hasContext,
           HTTPSessionClient::Done done) {
    QNetworkRequest networkRequest = request.request;
    NetworkManagerFactory::configure(networkRequest, NetworkManagerFactory::Client::SessionClient);
    QNetworkAccessManager* manager = NetworkManagerFactory::mainThreadManager();
    QNetworkReply* reply =
        manager->sendCustomRequest(networkRequest, request.method.toUtf8(), request.body);
    QObject::connect(
        reply, &QNetworkReply::finished, manager,
        [reply, context, hasContext, done = std::move(done)]() {
            reply->deleteLater();
            if (hasContext && !context)
                return;
            HTTPSessionClient::Result result;
            const NetworkManagerFactory::Outcome outcome = NetworkManagerFactory::outcomeOf(reply);
            result.status = outcome.status;
            result.bytes = reply->readAll();
            result.failed = !outcome.answered;
            result.refused = outcome.refused;
            result.networkError = result.failed ? int(outcome.error.code) : int(reply->error());
            result.errorString = result.failed ? outcome.error.description : reply->errorString();
            result.suggestedFileName = suggestedName(reply);
            QJsonParseError parseError{};
            const QJsonDocument document = QJsonDocument::fromJson(result.bytes, &parseError);
            if (parseError.error == QJsonParseError::NoError)
                result.json = document.toVariant();
            done(result);
        });
}

} // namespace

void HTTPSessionClient::dataTask(const URLRequest& request, QObject* context, Done done) {
    QPointer<QObject> guard(context);
    const bool hasContext = context != nullptr;
    if (MainThread::isCurrent()) {
        start(request, guard, hasContext, std::move(done));
        return;
    }
    MainThread::post([request, guard, hasContext, done = std::move(done)]() mutable {
        start(request, guard, hasContext, std::move(done));
    });
}
