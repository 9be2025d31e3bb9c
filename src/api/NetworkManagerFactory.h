#pragma once

#include <QNetworkRequest>
#include <memory>

class QNetworkAccessManager;

// The one place where the API client's network managers are made and its requests get their
// transport settings: Qt's TLS verification of chain and host name with the CAs of
// APIConfiguration (the system's, TARVELLO_CA_FILE and addTrustedCAFile()), HTTP/1.1, and the
// time-out of the client that sends.
class NetworkManagerFactory {
public:
    enum class Client {
        Delegate,      // delegate-style requests: APIConfiguration::requestTimeout()
        SessionClient, // the block-style HTTP session client: sessionClientTimeout()
    };

    // The main thread's manager, shared by both clients; call it on the main thread. Made on
    // first use as a child of the application and deleted while the application is still whole,
    // so its TLS sockets close cleanly. When the trusted CAs change, the connections opened
    // under the old trust are dropped (Qt would reuse them with the TLS set-up they began with).
    static QNetworkAccessManager* mainThreadManager();
    // A manager of its own for one synchronous exchange on the calling worker thread.
    static std::unique_ptr<QNetworkAccessManager> workerManager();
    // Puts the TLS configuration, HTTP/1.1 and the client's time-out on the request.
    static void configure(QNetworkRequest& request, Client client);
};
