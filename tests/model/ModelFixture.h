#pragma once

#include "SDK/session/AccountSettings.h"
#include "model/LocationProvider.h"
#include "model/values/Currency.h"
#include "model/values/ModelTexts.h"
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

// Fresh defaults store, the default currency and settings, fake location, captured alerts.
class ModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        LocationProvider::setFactory([this] {
            auto provider = std::make_shared<FakeLocationProvider>();
            lastProvider = provider.get();
            return provider;
        });
        ModelTexts::setAlertPresenter(
            [this](const QString&, const QString& message, const QString& button) {
                alerts << message + QStringLiteral(" | ") + button;
            });
        Currency::instance()->reset();
        AccountSettings::instance().reset();
    }
    void TearDown() override {
        LocationProvider::setFactory({});
        ModelTexts::setAlertPresenter({});
        Currency::instance()->reset();
        AccountSettings::instance().reset();
    }

    TemporaryDefaults defaults;
    FakeLocationProvider* lastProvider = nullptr;
    QStringList alerts;
};
