#pragma once

#include <QSslConfiguration>
#include <QString>

// Where the back end lives and whom the client trusts. The base address is a build setting
// (TARVELLO_DEFAULT_BASE_URL); the environment variable TARVELLO_BASE_URL or setBaseURL()
// overrides it. TLS is Qt's normal verification of chain and host name; a CA file given by
// TARVELLO_CA_FILE or addTrustedCAFile() is trusted in addition to the system's CAs (the
// sandbox back end). Nothing here can turn verification off.
class APIConfiguration {
public:
    // The back end's base address: scheme and host, no path and no trailing "/".
    static QString baseURL();
    // Overrides the base address; the empty text goes back to the environment or build value.
    static void setBaseURL(const QString& url);

    // Adds the certificates of a PEM file to the trusted CAs. False (and nothing added) when the
    // file cannot be read or holds no certificate.
    static bool addTrustedCAFile(const QString& path);
    // Forgets the CAs added by addTrustedCAFile() (the environment's CA file stays).
    static void removeAddedCAs();
    // The TLS configuration of every request: the system's defaults plus the added CAs.
    static QSslConfiguration sslConfiguration();
    // Changes whenever the trusted CAs change; a network manager that kept connections made
    // under other trust must drop them (Qt reuses a connection with the TLS setup it began with).
    static quint64 trustGeneration();

    // Time-out of delegate-style requests in milliseconds (120 s unless a test shortens it).
    static int requestTimeout();
    static void setRequestTimeout(int milliseconds);
    // Time-out of the block-style HTTP session client in milliseconds (60 s by default).
    static int sessionClientTimeout();
    static void setSessionClientTimeout(int milliseconds);
};
