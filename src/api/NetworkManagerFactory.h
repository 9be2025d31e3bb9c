#pragma once

#include <TarvelloSDK/TarvelloError.h>

#include <QNetworkRequest>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

// The one place where the SDK's network managers are made and its requests get their transport
// settings: Qt's TLS verification of chain and host name with the CAs of APIConfiguration (the
// system's, TARVELLO_CA_FILE and addTrustedCAFile()), HTTP/1.1, and the time-out of the client
// that sends. Every manager made here, whoever uses it:
// - sends to https addresses only: a request to any other address fails at once with
//   ProtocolUnknownError and a clear text (also logged), and nothing goes out;
// - follows no redirect: a 3xx answer ends the request, and outcomeOf() calls it a failure;
// - sends a body once: when the connection drops before any answer, Qt's HTTP layer cannot
//   rewind the body to send it again, and the request ends as outcomeOf() says.
class NetworkManagerFactory {
public:
    enum class Client {
        Delegate,      // delegate-style requests: APIConfiguration::requestTimeout()
        SessionClient, // the block-style HTTP session client: sessionClientTimeout()
    };

    // The main thread's manager, shared by the clients; call it on the main thread. Made on first
    // use as a child of the application; closed (deleted, its network thread let finish) when the
    // application is about to quit, or at its destruction when no event loop ran, so its TLS
    // connections end before the process's exit handlers. When the trusted CAs change, the
    // connections opened under the old trust are dropped (Qt would reuse them with the TLS
    // set-up they began with).
    static QNetworkAccessManager* mainThreadManager();
    // A manager of its own for one synchronous exchange on the calling worker thread.
    static std::unique_ptr<QNetworkAccessManager> workerManager();
    // Puts the TLS configuration, HTTP/1.1, no redirects and the client's time-out on the request.
    static void configure(QNetworkRequest& request, Client client);

    // How a finished reply of these managers ended, the same for every client.
    struct Outcome {
        // The server answered: the reply (any status but a redirect) is to be routed.
        bool answered = false;
        // The HTTP status, 0 when no answer head arrived.
        int status = 0;
        // Otherwise why not: domain "Network", the network error (or the redirect's status) as
        // the code and a clear description. A connection that dropped before any answer is
        // RemoteHostClosedError.
        TarvelloError error;
        // The failure is the SDK's own refusal (a redirect, an address that is not https).
        bool refused = false;
    };
    static Outcome outcomeOf(QNetworkReply* reply);
};
