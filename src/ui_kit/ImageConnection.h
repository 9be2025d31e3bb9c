#pragma once

#include <TarvelloSDK/TarvelloError.h>

#include <QByteArray>
#include <QUrl>
#include <memory>

// What the image downloader hears of one transfer, on the main thread, in this order: one
// response (the HTTP status), the body in pieces, then either the end or a failure. No event
// arrives once the connection is destroyed.
class ImageConnectionDelegate {
public:
    virtual ~ImageConnectionDelegate() = default;
    virtual void connectionDidReceiveResponse(int statusCode) = 0;
    virtual void connectionDidReceiveData(const QByteArray& bytes) = 0;
    // The transfer broke off (no connection, refused certificate, time-out, reset).
    virtual void connectionDidFailWithError(const TarvelloError& error) = 0;
    virtual void connectionDidFinishLoading() = 0;
};

// One running transfer; destroying it cancels it, also from inside one of its events.
class ImageConnection {
public:
    virtual ~ImageConnection() = default;
};

// Makes the connections of the image downloader: a plain GET on the main thread's network
// manager with the back end's TLS configuration (chain and host name verified), no redirect
// followed. The implementation lives with the back-end client and is installed as a service.
class ImageConnectionFactory {
public:
    virtual ~ImageConnectionFactory() = default;
    // Starts the transfer; null when no connection can be made for the address (not https, no
    // host). The delegate must outlive the connection.
    virtual std::unique_ptr<ImageConnection>
    connectionWithURL(const QUrl& url, ImageConnectionDelegate* delegate) = 0;
};
