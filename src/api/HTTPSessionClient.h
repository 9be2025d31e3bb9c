#pragma once

#include "api/URLRequest.h"

#include <QByteArray>
#include <QObject>
#include <QVariant>
#include <functional>
#include <optional>

// The small HTTP client of the block-style requests: sends one request on the main thread's
// network manager (Qt's TLS verification plus the configured CAs) and reports on the main
// thread.
class HTTPSessionClient {
public:
    struct Result {
        // The HTTP status, 0 when no reply head arrived.
        int status = 0;
        QByteArray bytes;
        // The reply read as JSON whatever the status; nothing when it is not JSON.
        std::optional<QVariant> json;
        // True when the exchange broke (no connection, refused certificate, time-out,
        // truncated reply).
        bool failed = false;
        int networkError = 0;
        QString errorString;
        // File name the server suggests (Content-Disposition), else the URL's last segment.
        QString suggestedFileName;
    };
    using Done = std::function<void(const Result& result)>;

    // Sends the request; `done` runs on the main thread unless `context` is gone by then.
    static void dataTask(const URLRequest& request, QObject* context, Done done);
};
