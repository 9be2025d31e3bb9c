#include "support/SandboxFixture.h"

#include <gtest/gtest.h>

SandboxFixture::SandboxFixture(const SandboxServer::Options& options)
    : server_(std::make_unique<SandboxServer>()) {
    SandboxServer::Options actual = options;
    if (actual.certificateDirectory.isEmpty())
        actual.certificateDirectory = dir_.path();
    const bool started = server_->start(actual);
    EXPECT_TRUE(started) << "sandbox did not start: " << server_->errorString().toStdString();
}

SandboxFixture::~SandboxFixture() {
    server_->stop();
}

QString SandboxFixture::apiKey() const {
    return server_->state().defaultApiKey();
}

QString SandboxFixture::merchantToken() const {
    return server_->state().defaultToken();
}
