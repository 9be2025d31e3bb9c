#pragma once

#include "SDK/session/AccountSettings.h"
#include "SDK/session/User.h"
#include "api/APIConfiguration.h"
#include "model/Buyers.h"
#include "model/Catalog.h"
#include "model/CatalogSource.h"
#include "model/LocationProvider.h"
#include "model/Sale.h"
#include "onboarding/SplashScreenController.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Services.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/Window.h"
#include "support/ClockTestSupport.h"
#include "support/SandboxBackEnd.h"
#include "support/SandboxFixture.h"
#include "support/TestSupport.h"
#include "ui_kit/AlertController.h"
#include "ui_kit/texts/Language.h"

#include <TarvelloSDK/TarvelloSDK.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QPointer>
#include <gtest/gtest.h>

namespace onboardingtest {

class NoPosition : public LocationProvider {
public:
    void requestWhenInUseAuthorization() override {}
    void startUpdatingLocation() override {}
    void stopUpdatingLocation() override {}
    std::optional<LocationCoordinate> lastKnownLocation() const override { return std::nullopt; }
};
class NoPositionFactory : public LocationProviderFactory {
public:
    std::shared_ptr<LocationProvider> create() override { return std::make_shared<NoPosition>(); }
};

// A catalog whose two lists answer after a delay on the clock (empty lists).
class DelayedCatalog : public CatalogSource {
public:
    void fetchCategories(const QString&, const QString&, Completion completion) override {
        answer(std::move(completion));
    }
    void fetchProducts(const QString&, const QString&, Completion completion) override {
        answer(std::move(completion));
    }
    int delayMs = 0;
    QObject context;

private:
    void answer(Completion completion) {
        const QByteArray body =
            QJsonDocument::fromVariant(QVariantMap{{"success", "OK"}, {"data", QVariantList()}})
                .toJson();
        Clock::current().callAfter(delayMs, &context, [completion, body] { completion(body); });
    }
};

// Records the addresses the screens open.
class RecordingOpener : public URLOpener {
public:
    bool canOpenURL(const QUrl&) override { return true; }
    bool openURL(const QUrl& url) override {
        opened << url.toString();
        return true;
    }
    QStringList opened;
};

// Where the area's screenshots go: build/screenshots/onboarding/.
inline QString screenshotPath(const QString& name) {
    return areaScreenshotPath(QStringLiteral("onboarding"), name);
}

// The merchant application's window against the sandbox, a phone of 320 x 568, manual clock.
class OnboardingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(useSandboxBackEnd(sandbox));
        Services::set<LocationProviderFactory>(std::make_shared<NoPositionFactory>());
        Services::set<CatalogSource>(catalog);
        Services::set<URLOpener>(opener);
        TarvelloSDK::sharedSDK().startWithAPIKey(sandbox.apiKey());
        TarvelloSDK::sharedSDK().setUserToken(QString(""));
        Device::current().setIdiom(Device::Idiom::Phone);
        Device::current().setScreenSize(QSize(320, 568));
        User::instance().reset();
        AccountSettings::instance().reset();
        Catalog::instance().resetCategories();
        Catalog::instance().resetProducts();
        window = new Window();
        window->makeKeyAndVisible();
    }
    void TearDown() override {
        SplashScreenController::setValidationStarter(nullptr);
        delete window.data();
        settle();
        User::instance().reset();
        AccountSettings::instance().reset();
        Catalog::instance().resetCategories();
        Catalog::instance().resetProducts();
        Sale::sharedSale().cleanSale();
        Services::set<URLOpener>(nullptr);
        Services::set<CatalogSource>(nullptr);
        Services::set<LocationProviderFactory>(nullptr);
        Services::set<APIConfiguration>(nullptr);
        Device::current().setScreenSize(QSize());
    }
    // Runs the event loop and the clock until the condition holds (about ten seconds at most).
    bool waitFor(const std::function<bool()>& condition) {
        return waitOnClock(clock.clock(), condition, 20);
    }
    void settle() {
        for (int i = 0; i < 5; ++i) {
            clock->advance(1000);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents();
        }
    }
    template <class T> T* root() { return qobject_cast<T*>(window->rootViewController()); }
    ViewController* top() { return window->topViewController(); }
    // The message of the box on top, or the empty text.
    QString shownMessage() {
        if (auto* alert = qobject_cast<AlertController*>(top()))
            return alert->message();
        if (auto* alert = qobject_cast<SystemAlert*>(top()))
            return alert->message();
        return QString();
    }
    // Taps the button of the box on top.
    bool tap(const QString& title) {
        if (auto* alert = qobject_cast<AlertController*>(top()))
            return alert->tapActionWithTitle(title);
        if (auto* alert = qobject_cast<SystemAlert*>(top()))
            return alert->tapButtonWithTitle(title);
        return false;
    }
    void show(ViewController* screen) {
        window->setRootViewController(screen);
        clock->advance(400);
    }

    TemporaryDefaults defaults;
    ScopedManualClock clock;
    SandboxFixture sandbox;
    std::shared_ptr<DelayedCatalog> catalog = std::make_shared<DelayedCatalog>();
    std::shared_ptr<RecordingOpener> opener = std::make_shared<RecordingOpener>();
    QPointer<Window> window;
};

} // namespace onboardingtest
