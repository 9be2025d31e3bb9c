#pragma once

#include "ui_kit/ImageConnection.h"

// The image downloader's connections over the back-end client's main-thread network manager and
// transport settings (NetworkManagerFactory): TLS verified with the configured CAs, HTTP/1.1,
// the client's time-out, redirects not followed (a redirect arrives as its own 3xx answer).
class NetworkImageConnectionFactory : public ImageConnectionFactory {
public:
    std::unique_ptr<ImageConnection> connectionWithURL(const QUrl& url,
                                                       ImageConnectionDelegate* delegate) override;
};
