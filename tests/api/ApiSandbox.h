#pragma once

#include "api/APIConfiguration.h"
#include "api/APIController.h"
#include "api/APIControllerDelegate.h"
#include "platform/core/ServiceRegistry.h"
#include "support/SandboxFixture.h"
#include "support/TestSupport.h"

#include <TarvelloSDK/TarvelloSDK.h>

#include <QCoreApplication>
#include <QLoggingCategory>
#include <gtest/gtest.h>

// Records what a delegate-style request delivered. Each optional hook can be switched off to
// stand for a delegate that does not implement it.
class RecordingDelegate : public APIControllerDelegate {
public:
    void apiDidFailWithError(const TarvelloError& error, int functionName) override {
        failure = error;
        events << QStringLiteral("fail:%1").arg(functionName);
    }
    bool apiDidFinishDownloadingWithDictionary(int functionName,
                                               const std::optional<QVariantMap>& answer) override {
        if (!handlesDictionary)
            return false;
        dictionary = answer;
        events << QStringLiteral("%1:%2").arg(answer ? "dict" : "nodict").arg(functionName);
        return true;
    }
    bool apiDidFinishDownloadingWithData(int functionName, const QByteArray& bytes) override {
        if (!handlesData)
            return false;
        data = bytes;
        events << QStringLiteral("data:%1").arg(functionName);
        return true;
    }
    bool sessionExpiredWithMessage(const QString& message) override {
        if (!handlesMessage)
            return false;
        events << QStringLiteral("expired:") + message;
        return true;
    }
    bool sessionExpired() override {
        if (!handlesPlain)
            return false;
        events << QStringLiteral("expired");
        return true;
    }

    bool wait() {
        return waitUntil([this] { return !events.isEmpty(); });
    }

    bool handlesDictionary = true;
    bool handlesData = true;
    bool handlesMessage = true;
    bool handlesPlain = true;
    QStringList events;
    std::optional<QVariantMap> dictionary;
    QByteArray data;
    TarvelloError failure;
};

// A sandbox on loopback that the client trusts through its CA file, and a started SDK.
class ApiSandboxTest : public ::testing::Test {
protected:
    explicit ApiSandboxTest(const SandboxServer::Options& options = {})
        : sandbox(options) {}

    void SetUp() override {
        QLoggingCategory::setFilterRules(QStringLiteral("tarvello.api.info=false"));
        auto configuration = std::make_shared<APIConfiguration>();
        configuration->setBaseURL(sandbox.baseUrl());
        configuration->addTrustedCAFile(sandbox.caFile());
        Services::set<APIConfiguration>(configuration);
        TarvelloSDK::sharedSDK().startWithAPIKey(sandbox.apiKey());
        TarvelloSDK::sharedSDK().setUserToken(sandbox.merchantToken());
        QCoreApplication::setApplicationVersion(QStringLiteral("3.1.4"));
    }
    void TearDown() override { Services::set<APIConfiguration>(nullptr); }

    // Every endpoint answers this reply until told otherwise.
    void answerEverything(const SandboxReply& reply) { sandbox->script("*", "/*", reply); }

    TemporaryDefaults defaults;
    SandboxFixture sandbox;
    RecordingDelegate delegate;
};
