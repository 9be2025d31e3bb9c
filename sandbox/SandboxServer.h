#pragma once

#include "sandbox/SandboxReply.h"
#include "sandbox/SandboxRequest.h"
#include "sandbox/SandboxState.h"

#include <QHostAddress>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>

class QTcpServer;

// The sandbox back end: HTTPS on 127.0.0.1 with a certificate authority it makes at start.
// Every request is recorded; a test may script the answer of a path, otherwise the registered
// routes (SandboxRoutes.h) answer, and an unknown path gets 404 with an error envelope.
// It serves on the event loop of the thread it lives on.
class SandboxServer : public QObject {
    Q_OBJECT
public:
    struct Options {
        quint16 port = 0;             // 0: any free port
        QString certificateDirectory; // where ca.pem, server.pem and server-key.pem are written
        QByteArray fixture;           // JSON fixture; empty: the built-in one
        // Serve with a certificate of another authority than the one in caFile(), as an
        // impostor would: a client that trusts caFile() must refuse the connection.
        bool foreignCertificate = false;
        // Serve plain HTTP, without TLS (baseUrl() then begins "http://"): a client must never
        // send its credentials here.
        bool plainHttp = false;
    };

    enum class ScriptMode { Once, Persistent };

    explicit SandboxServer(QObject* parent = nullptr);
    ~SandboxServer() override;

    bool start(const Options& options);
    void stop();
    bool isListening() const;
    QString errorString() const { return error_; }

    QHostAddress address() const;
    quint16 port() const;
    // "https://127.0.0.1:<port>" ("http://" when serving plain HTTP), without
    // "/developers/api".
    QString baseUrl() const;
    QString caFile() const { return caFile_; }

    SandboxState& state() { return state_; }

    // Recording.
    QList<SandboxRequest> requests() const;
    SandboxRequest lastRequest() const; // invalid (isValid() false) when none
    // The requests to a path (exact, as in routes), optionally of one method.
    QList<SandboxRequest> requestsTo(const QString& path, const QString& method = {}) const;
    void clearRequests();

    // Scripted answers, looked up before the routes. Method "*" or empty: any method; a path
    // ending in "*" matches by prefix. One-shot scripts are used in the order given, before
    // a persistent script of the same method and path. Every request is recorded as it
    // arrives, so a client that sends a request again after a dropped connection shows it.
    void script(const QString& method, const QString& path, const SandboxReply& reply,
                ScriptMode mode = ScriptMode::Persistent);
    void scriptOnce(const QString& method, const QString& path, const SandboxReply& reply) {
        script(method, path, reply, ScriptMode::Once);
    }
    void clearScripts();

    // The path the client uses for an endpoint: "/developers/api" + endpoint.
    static QString apiPath(const QString& endpoint);

    // The answer the server gives to a request (scripts, then routes, then 404). Public so the
    // connection code and tests of routes share it.
    SandboxReply answer(const SandboxRequest& request);
    void record(const SandboxRequest& request);

signals:
    void requestReceived(const SandboxRequest& request);

private:
    struct Script {
        QString method;
        QString path;
        SandboxReply reply;
        ScriptMode mode;
    };

    QTcpServer* server_ = nullptr;
    bool plainHttp_ = false;
    SandboxState state_;
    QString caFile_;
    QString error_;
    mutable QMutex mutex_;
    QList<SandboxRequest> requests_;
    QList<Script> scripts_;
};
