#pragma once

#include "api/APIConfiguration.h"
#include "platform/core/ServiceRegistry.h"
#include "support/SandboxFixture.h"

#include <QCoreApplication>
#include <QDir>
#include <memory>

// Points the SDK's API client at the sandbox, trusting its certificate authority; false when
// the authority's file cannot be read.
inline bool useSandboxBackEnd(const SandboxFixture& sandbox) {
    auto configuration = std::make_shared<APIConfiguration>();
    configuration->setBaseURL(sandbox.baseUrl());
    const bool trusted = configuration->addTrustedCAFile(sandbox.caFile());
    Services::set<APIConfiguration>(configuration);
    return trusted;
}

// Where an area's screenshots go: build/screenshots/<area>/<name>, the folder made on demand.
inline QString areaScreenshotPath(const QString& area, const QString& name) {
    QDir dir(QCoreApplication::applicationDirPath());
    dir.cdUp();
    dir.mkpath(QStringLiteral("screenshots/") + area);
    return dir.filePath(QStringLiteral("screenshots/%1/%2").arg(area, name));
}
