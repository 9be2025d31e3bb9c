#pragma once

#include "api/APIConfiguration.h"
#include "platform/core/ServiceRegistry.h"

#include "sandbox/SandboxServer.h"

#include <QString>
#include <benchmark/benchmark.h>
#include <memory>

// Starts the sandbox on loopback, its certificates kept in `certificateDirectory`, and points the
// API configuration at it. When it does not start the benchmark is marked skipped and false comes
// back.
inline bool startBenchSandbox(benchmark::State& state, SandboxServer& sandbox,
                              const QString& certificateDirectory) {
    SandboxServer::Options options;
    options.certificateDirectory = certificateDirectory;
    if (!sandbox.start(options)) {
        state.SkipWithError("sandbox did not start");
        return false;
    }
    auto configuration = std::make_shared<APIConfiguration>();
    configuration->setBaseURL(sandbox.baseUrl());
    configuration->addTrustedCAFile(sandbox.caFile());
    Services::set<APIConfiguration>(configuration);
    return true;
}
