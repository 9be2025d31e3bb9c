#pragma once

#include "api/URLRequest.h"

#include <QByteArray>
#include <QObject>
#include <QVariant>
#include <functional>
#include <optional>

// The small HTTP client of the block-style requests: sends one request on the main thread's
// network manager (Qt's TLS verification plus the configured CAs, https only, no redirects, a
// body sent once) and reports on the main thread.
class HTTPSessionClient {
public:
    struct Result {
        // The HTTP status, 0 when no reply head arrived.
        int status = 0;
        QByteArray bytes;
        // The reply read as JSON whatever the status; nothing when it is not JSON.
        std::optional<QVariant> json;
        // True when the exchange broke (no connection, refused certificate, time-out,
        // truncated reply) or was refused (a redirect, an address that is not https).
        bool failed = false;
        bool refused = false;
        // The network error (a redirect's status) and its description.
        int networkError = 0;
        QString errorString;
        // File name the server suggests (Content-Disposition), else the URL's last segment.
        QString suggestedFileName;
    };
    using Done = std::function<void(const Result& result)>;

    // Sends the request; `done` runs on the main thread unless `context` is gone by then.
    static void dataTask(const URLRequest& request, QObject* context, Done done);
};
