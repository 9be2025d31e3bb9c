#include "sandbox/SandboxServer.h"

#include "sandbox/SandboxCertificates.h"
#include "sandbox/SandboxRoutes.h"

#include <QDir>
#include <QSaveFile>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTimer>
#include <QUrl>
#include <exception>

namespace {

constexpr qsizetype kMaxHeaderBytes = 64 * 1024;
constexpr qsizetype kMaxBodyBytes = 64 * 1024 * 1024;

QByteArray reasonPhrase(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 201:
        return "Created";
    case 204:
        return "No Content";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 303:
        return "See Other";
    case 307:
        return "Temporary Redirect";
    case 308:
        return "Permanent Redirect";
    case 400:
        return "Bad Request";
    case 401:
        return "Unauthorized";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 413:
        return "Payload Too Large";
    case 426:
        return "Upgrade Required";
    case 431:
        return "Request Header Fields Too Large";
    case 500:
        return "Internal Server Error";
    case 502:
        return "Bad Gateway";
    case 503:
        return "Service Unavailable";
    default:
        return "Status";
    }
}

bool pathMatches(const QString& pattern, const QString& path) {
    if (pattern.endsWith(QLatin1Char('*')))
        return path.startsWith(pattern.left(pattern.size() - 1));
    return pattern == path;
}

bool methodMatches(const QString& pattern, const QString& method) {
    return pattern.isEmpty() || pattern == QLatin1String("*") ||
           pattern.compare(method, Qt::CaseInsensitive) == 0;
}

QList<QPair<QString, QString>> parseQuery(const QByteArray& text) {
    QList<QPair<QString, QString>> items;
    for (const QByteArray& piece : text.split('&')) {
        if (piece.isEmpty())
            continue;
        const qsizetype eq = piece.indexOf('=');
        const QByteArray key = eq < 0 ? piece : piece.left(eq);
        const QByteArray value = eq < 0 ? QByteArray() : piece.mid(eq + 1);
        items << qMakePair(QString::fromUtf8(QByteArray::fromPercentEncoding(key)),
                           QString::fromUtf8(QByteArray::fromPercentEncoding(value)));
    }
    return items;
}

bool writeFile(const QString& path, const QByteArray& data) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
}

// Reads HTTP/1.1 requests from one connection (TLS, or plain HTTP) and writes the server's
// answers, one request at a time (a delayed answer holds back the next request).
class SandboxConnection : public QObject {
public:
    SandboxConnection(QTcpSocket* socket, SandboxServer* server)
        : QObject(socket)
        , socket_(socket)
        , server_(server) {
        connect(socket, &QTcpSocket::readyRead, this, [this] { process(); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        process();
    }

private:
    enum class Parse { Incomplete, Done, Failed };

    void process() {
        while (!busy_ && socket_->state() == QAbstractSocket::ConnectedState) {
            buffer_ += socket_->readAll();
            SandboxRequest request;
            const Parse result = parse(request);
            if (result != Parse::Done)
                return;
            server_->record(request);
            SandboxReply reply = server_->answer(request);
            if (reply.delayMs > 0) {
                busy_ = true;
                QTimer::singleShot(reply.delayMs, this, [this, reply] {
                    busy_ = false;
                    send(reply);
                    process();
                });
                return;
            }
            send(reply);
        }
    }

    void fail(int status, const QString& message) {
        SandboxReply reply =
            SandboxReply::failure(status, message, QStringLiteral("BAD_REQUEST"), status);
        closeAfterReply_ = true;
        send(reply);
    }

    Parse parse(SandboxRequest& request) {
        const qsizetype headerEnd = buffer_.indexOf("\r\n\r\n");
        if (headerEnd < 0) {
            if (buffer_.size() > kMaxHeaderBytes) {
                fail(431, QStringLiteral("Request headers too large"));
                return Parse::Failed;
            }
            return Parse::Incomplete;
        }
        const QList<QByteArray> lines = buffer_.left(headerEnd).split('\n');
        const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
        if (requestLine.size() != 3 || !requestLine[2].startsWith("HTTP/1.")) {
            fail(400, QStringLiteral("Malformed request line"));
            return Parse::Failed;
        }
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines[i].trimmed();
            const qsizetype colon = line.indexOf(':');
            if (colon <= 0) {
                fail(400, QStringLiteral("Malformed header line"));
                return Parse::Failed;
            }
            request.headers << qMakePair(line.left(colon).trimmed(), line.mid(colon + 1).trimmed());
        }

        qsizetype consumed = headerEnd + 4;
        if (request.header("Transfer-Encoding").toLower().contains("chunked")) {
            QByteArray body;
            qsizetype at = consumed;
            while (true) {
                const qsizetype lineEnd = buffer_.indexOf("\r\n", at);
                if (lineEnd < 0)
                    return Parse::Incomplete;
                bool ok = false;
                const qsizetype size =
                    buffer_.mid(at, lineEnd - at).split(';').first().trimmed().toLongLong(&ok, 16);
                if (!ok || size < 0 || body.size() + size > kMaxBodyBytes) {
                    fail(400, QStringLiteral("Malformed chunked body"));
                    return Parse::Failed;
                }
                if (buffer_.size() < lineEnd + 2 + size + 2)
                    return Parse::Incomplete;
                if (size == 0) {
                    // Skip trailers up to the blank line.
                    const qsizetype end = buffer_.indexOf("\r\n\r\n", lineEnd);
                    if (end < 0)
                        return Parse::Incomplete;
                    consumed = end + 4;
                    break;
                }
                body += buffer_.mid(lineEnd + 2, size);
                at = lineEnd + 2 + size + 2;
            }
            request.body = body;
        } else {
            qsizetype length = 0;
            if (request.hasHeader("Content-Length")) {
                bool ok = false;
                length = request.header("Content-Length").toLongLong(&ok);
                if (!ok || length < 0) {
                    fail(400, QStringLiteral("Malformed Content-Length"));
                    return Parse::Failed;
                }
                if (length > kMaxBodyBytes) {
                    fail(413, QStringLiteral("Request body too large"));
                    return Parse::Failed;
                }
            }
            if (buffer_.size() < consumed + length)
                return Parse::Incomplete;
            request.body = buffer_.mid(consumed, length);
            consumed += length;
        }
        buffer_.remove(0, consumed);

        request.method = QString::fromLatin1(requestLine[0]);
        const QByteArray target = requestLine[1];
        const qsizetype question = target.indexOf('?');
        request.path = QString::fromUtf8(
            QByteArray::fromPercentEncoding(question < 0 ? target : target.left(question)));
        if (question >= 0)
            request.query = parseQuery(target.mid(question + 1));
        request.arrivedAt = QDateTime::currentDateTimeUtc();
        SandboxBodyParser::parseBody(request);
        closeAfterReply_ =
            request.header("Connection").toLower() == "close" || requestLine[2] == "HTTP/1.0";
        return Parse::Done;
    }

    void send(const SandboxReply& reply) {
        if (reply.drop) {
            buffer_.clear();
            socket_->abort();
            return;
        }
        const bool truncated = reply.truncateAt >= 0 && reply.truncateAt < reply.body.size();
        QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' +
                          reasonPhrase(reply.status) + "\r\n";
        if (!reply.contentType.isEmpty())
            head += "Content-Type: " + reply.contentType + "\r\n";
        head += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
        const bool close = closeAfterReply_ || truncated;
        head += close ? "Connection: close\r\n" : "Connection: keep-alive\r\n";
        for (const auto& [name, value] : reply.headers)
            head += name + ": " + value + "\r\n";
        head += "\r\n";
        socket_->write(head);
        socket_->write(truncated ? reply.body.left(reply.truncateAt) : reply.body);
        if (close) {
            buffer_.clear();
            socket_->disconnectFromHost();
        }
    }

    QTcpSocket* socket_;
    SandboxServer* server_;
    QByteArray buffer_;
    bool busy_ = false;
    bool closeAfterReply_ = false;
};

} // namespace

SandboxServer::SandboxServer(QObject* parent)
    : QObject(parent) {}

SandboxServer::~SandboxServer() {
    stop();
}

bool SandboxServer::start(const Options& options) {
    stop();
    error_.clear();
    if (!QSslSocket::supportsSsl()) {
        error_ = QStringLiteral("TLS is not available");
        return false;
    }
    if (!options.fixture.isEmpty() && !state_.loadFixture(options.fixture, &error_))
        return false;
    if (options.certificateDirectory.isEmpty() || !QDir().mkpath(options.certificateDirectory)) {
        error_ =
            QStringLiteral("No usable certificate folder: %1").arg(options.certificateDirectory);
        return false;
    }

    SandboxCertificates trusted;
    if (!SandboxCertificates::generate(QStringLiteral("Tarvello Sandbox CA"), trusted, &error_))
        return false;
    SandboxCertificates served = trusted;
    if (options.foreignCertificate &&
        !SandboxCertificates::generate(QStringLiteral("Tarvello Foreign CA"), served, &error_))
        return false;

    const QDir dir(options.certificateDirectory);
    caFile_ = dir.absoluteFilePath(QStringLiteral("ca.pem"));
    if (!writeFile(caFile_, trusted.authority.certificatePem) ||
        !writeFile(dir.absoluteFilePath(QStringLiteral("server.pem")),
                   served.server.certificatePem + served.authority.certificatePem) ||
        !writeFile(dir.absoluteFilePath(QStringLiteral("server-key.pem")),
                   served.server.privateKeyPem)) {
        error_ = QStringLiteral("Cannot write the certificates into %1").arg(dir.absolutePath());
        return false;
    }

    const QSslCertificate certificate(served.server.certificatePem, QSsl::Pem);
    const QSslCertificate authority(served.authority.certificatePem, QSsl::Pem);
    const QSslKey key(served.server.privateKeyPem, QSsl::Ec, QSsl::Pem, QSsl::PrivateKey);
    if (certificate.isNull() || authority.isNull() || key.isNull()) {
        error_ = QStringLiteral("The generated certificate or key does not load");
        return false;
    }
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.setLocalCertificateChain({certificate, authority});
    config.setPrivateKey(key);
    config.setPeerVerifyMode(QSslSocket::VerifyNone);
    config.setProtocol(QSsl::TlsV1_2OrLater);

    plainHttp_ = options.plainHttp;
    if (plainHttp_) {
        server_ = new QTcpServer(this);
    } else {
        auto* tls = new QSslServer(this);
        tls->setSslConfiguration(config);
        tls->setHandshakeTimeout(10000);
        server_ = tls;
    }
    connect(server_, &QTcpServer::pendingConnectionAvailable, this, [this] {
        while (server_->hasPendingConnections()) {
            if (QTcpSocket* socket = server_->nextPendingConnection())
                new SandboxConnection(socket, this);
        }
    });
    if (!server_->listen(QHostAddress::LocalHost, options.port)) {
        error_ = server_->errorString();
        delete server_;
        server_ = nullptr;
        return false;
    }
    return true;
}

void SandboxServer::stop() {
    if (!server_)
        return;
    server_->close();
    delete server_; // its connections are its children
    server_ = nullptr;
}

bool SandboxServer::isListening() const {
    return server_ && server_->isListening();
}

QHostAddress SandboxServer::address() const {
    return server_ ? server_->serverAddress() : QHostAddress();
}

quint16 SandboxServer::port() const {
    return server_ ? server_->serverPort() : 0;
}

QString SandboxServer::baseUrl() const {
    return QStringLiteral("%1://127.0.0.1:%2")
        .arg(plainHttp_ ? QStringLiteral("http") : QStringLiteral("https"))
        .arg(port());
}

QList<SandboxRequest> SandboxServer::requests() const {
    QMutexLocker lock(&mutex_);
    return requests_;
}

SandboxRequest SandboxServer::lastRequest() const {
    QMutexLocker lock(&mutex_);
    return requests_.isEmpty() ? SandboxRequest() : requests_.last();
}

QList<SandboxRequest> SandboxServer::requestsTo(const QString& path, const QString& method) const {
    QMutexLocker lock(&mutex_);
    QList<SandboxRequest> found;
    for (const SandboxRequest& request : requests_)
        if (request.path == path && (method.isEmpty() || methodMatches(method, request.method)))
            found << request;
    return found;
}

void SandboxServer::clearRequests() {
    QMutexLocker lock(&mutex_);
    requests_.clear();
}

void SandboxServer::script(const QString& method, const QString& path, const SandboxReply& reply,
                           ScriptMode mode) {
    QMutexLocker lock(&mutex_);
    if (mode == ScriptMode::Persistent) {
        for (Script& existing : scripts_) {
            if (existing.mode == ScriptMode::Persistent && existing.method == method &&
                existing.path == path) {
                existing.reply = reply;
                return;
            }
        }
    }
    scripts_ << Script{method, path, reply, mode};
}

void SandboxServer::clearScripts() {
    QMutexLocker lock(&mutex_);
    scripts_.clear();
}

QString SandboxServer::apiPath(const QString& endpoint) {
    return SandboxRoutes::apiPath(endpoint);
}

void SandboxServer::record(const SandboxRequest& request) {
    {
        QMutexLocker lock(&mutex_);
        requests_ << request;
    }
    emit requestReceived(request);
}

SandboxReply SandboxServer::answer(const SandboxRequest& request) {
    {
        QMutexLocker lock(&mutex_);
        for (const ScriptMode mode : {ScriptMode::Once, ScriptMode::Persistent}) {
            for (qsizetype i = 0; i < scripts_.size(); ++i) {
                const Script& script = scripts_[i];
                if (script.mode != mode || !methodMatches(script.method, request.method) ||
                    !pathMatches(script.path, request.path))
                    continue;
                const SandboxReply reply = script.reply;
                if (mode == ScriptMode::Once)
                    scripts_.removeAt(i);
                return reply;
            }
        }
    }
    if (const SandboxHandler handler = SandboxRoutes::find(request.method, request.path)) {
        try {
            return handler(request, state_);
        } catch (const std::exception& e) {
            return SandboxReply::failure(500, QString::fromUtf8(e.what()),
                                         QStringLiteral("INTERNAL_ERROR"), 500);
        }
    }
    return SandboxReply::failure(404, QStringLiteral("Unknown path %1").arg(request.path),
                                 QStringLiteral("NOT_FOUND"), 404);
}
