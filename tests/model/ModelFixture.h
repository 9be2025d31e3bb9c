#pragma once

#include "SDK/session/AccountSettings.h"
#include "model/LocationProvider.h"
#include "model/values/Currency.h"
#include "model/values/ModelTexts.h"
#include "platform/core/ServiceRegistry.h"
#include "support/TestSupport.h"

#include <QStringList>
#include <gtest/gtest.h>

// A location source whose fixes the test hands out.
class FakeLocationProvider : public LocationProvider {
public:
    void requestWhenInUseAuthorization() override {}
    void startUpdatingLocation() override { ++starts; }
    void stopUpdatingLocation() override {}
    std::optional<LocationCoordinate> lastKnownLocation() const override { return lastFix; }
    void sendFix(const LocationCoordinate& fix) {
        lastFix = fix;
        deliver({fix});
    }

    std::optional<LocationCoordinate> lastFix;
    int starts = 0;
};

// Hands out fake location sources and remembers the last one.
class FakeLocationFactory : public LocationProviderFactory {
public:
    std::shared_ptr<LocationProvider> create() override {
        auto provider = std::make_shared<FakeLocationProvider>();
        last = provider.get();
        return provider;
    }
    FakeLocationProvider* last = nullptr;
};

// Fresh defaults store, the default currency and settings, fake location, captured alerts.
class ModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        Services::set<LocationProviderFactory>(locations);
        ModelTexts::setAlertPresenter(
            [this](const QString&, const QString& message, const QString& button) {
                alerts << message + QStringLiteral(" | ") + button;
            });
        Currency::instance()->reset();
        AccountSettings::instance().reset();
    }
    void TearDown() override {
        Services::set<LocationProviderFactory>(nullptr);
        ModelTexts::setAlertPresenter({});
        Currency::instance()->reset();
        AccountSettings::instance().reset();
    }

    TemporaryDefaults defaults;
    std::shared_ptr<FakeLocationFactory> locations = std::make_shared<FakeLocationFactory>();
    QStringList alerts;
};
