#pragma once

#include <QMutex>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QString>
#include <memory>

// Where the back end lives and whom the client trusts. The configuration in force is a service:
// tests and the demo install one of their own through Services; the default has the build's base
// address (TARVELLO_DEFAULT_BASE_URL), overridden by the environment variable TARVELLO_BASE_URL.
// TLS is Qt's normal verification of chain and host name; a CA file given by TARVELLO_CA_FILE or
// addTrustedCAFile() is trusted in addition to the system's CAs (the sandbox back end). Nothing
// here can turn verification off. Safe to use from any thread.
class APIConfiguration {
public:
    APIConfiguration();

    // The configuration in force.
    static std::shared_ptr<APIConfiguration> current();

    // The back end's base address: scheme and host, no path and no trailing "/".
    QString baseURL() const;
    // Overrides the base address; the empty text goes back to the environment or build value.
    void setBaseURL(const QString& url);

    // Adds the certificates of a PEM file to the trusted CAs. False (and nothing added) when the
    // file cannot be read or holds no certificate.
    bool addTrustedCAFile(const QString& path);
    // Forgets the CAs added by addTrustedCAFile() (the environment's CA file stays).
    void removeAddedCAs();
    // The TLS configuration of every request: the system's defaults plus the added CAs.
    QSslConfiguration sslConfiguration() const;
    // Changes whenever the trusted CAs change, and differs between configurations; a network
    // manager that kept connections made under other trust must drop them (Qt reuses a
    // connection with the TLS setup it began with).
    quint64 trustGeneration() const;

    // Time-out of delegate-style requests in milliseconds (120 s unless a test shortens it).
    int requestTimeout() const;
    void setRequestTimeout(int milliseconds);
    // Time-out of the block-style HTTP session client in milliseconds (60 s by default).
    int sessionClientTimeout() const;
    void setSessionClientTimeout(int milliseconds);

private:
    // Picks up a change of the environment's CA file; call with the lock held.
    void readEnvironmentCAs() const;

    mutable QMutex lock_;
    QString baseURL_;
    QList<QSslCertificate> addedCAs_;
    mutable QString environmentCAFile_;
    mutable QList<QSslCertificate> environmentCAs_;
    mutable quint64 trustGeneration_;
    int timeout_ = 120000;
    int sessionTimeout_ = 60000;
};
