#pragma once

#include <QByteArray>
#include <QString>

// A certificate and its private key, both PEM.
struct SandboxKeyPair {
    QByteArray certificatePem;
    QByteArray privateKeyPem;
};

// The TLS material the sandbox serves with: its own certificate authority and a server
// certificate for 127.0.0.1 and localhost that this authority signed.
struct SandboxCertificates {
    SandboxKeyPair authority;
    SandboxKeyPair server;

    // Makes a fresh authority (named after `authorityName`) and a server certificate signed by
    // it. Answers false and fills `error` when OpenSSL fails.
    static bool generate(const QString& authorityName, SandboxCertificates& out, QString* error);
};
