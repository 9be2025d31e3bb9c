#pragma once

#include "sandbox/SandboxServer.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

// A running sandbox back end for one test: HTTPS on 127.0.0.1, certificates in a temporary
// folder. Independent of the SDK's classes; point the client at baseUrl() and caFile().
class SandboxFixture {
public:
    // Starts at once; a failure to start fails the running test.
    explicit SandboxFixture(const SandboxServer::Options& options = {});
    ~SandboxFixture();

    SandboxServer& server() { return *server_; }
    SandboxServer* operator->() { return server_.get(); }
    SandboxState& state() { return server_->state(); }

    QString baseUrl() const { return server_->baseUrl(); } // without "/developers/api"
    QString caFile() const { return server_->caFile(); }
    QString apiKey() const;        // the fixture's default API key
    QString merchantToken() const; // a valid merchant token of the fixture

private:
    QTemporaryDir dir_;
    std::unique_ptr<SandboxServer> server_;
};
