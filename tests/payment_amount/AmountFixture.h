#pragma once

#include "SDK/session/AccountSettings.h"
#include "model/LocationProvider.h"
#include "model/Sale.h"
#include "model/values/Currency.h"
#include "payment/flow/PaymentFlowScreens.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FlowEnd.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Services.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/Window.h"
#include "support/SandboxBackEnd.h"
#include "support/TestSupport.h"
#include "ui_kit/MainNavigationController.h"

#include <QCoreApplication>
#include <QPointer>
#include <gtest/gtest.h>

namespace amounttest {

// No position source: sales start without a fix.
class StillLocation : public LocationProvider {
public:
    void requestWhenInUseAuthorization() override {}
    void startUpdatingLocation() override {}
    void stopUpdatingLocation() override {}
    std::optional<LocationCoordinate> lastKnownLocation() const override { return std::nullopt; }
};
class StillLocationFactory : public LocationProviderFactory {
public:
    std::shared_ptr<LocationProvider> create() override {
        return std::make_shared<StillLocation>();
    }
};

// A picture source that answers at once with the picture the test sets (none: cancelled).
class InstantPictures : public ImageSource {
public:
    void pickImage(QWidget*, std::function<void(const QImage&)> completion) override {
        ++picks;
        completion(picture);
    }
    QImage picture;
    int picks = 0;
};

// A screen the keypad leads to; it only shows it was reached.
class NextScreen : public ViewController {
    Q_OBJECT
public:
    using ViewController::ViewController;
};

// The modal root of a sale's screens: counts the sales handed back to it.
class SaleRoot : public ViewController, public FlowEndDelegate {
    Q_OBJECT
public:
    using ViewController::ViewController;
    void paymentDone(std::shared_ptr<Sale> sale) override { sales.append(sale); }
    QList<std::shared_ptr<Sale>> sales;
};

inline QString amountScreenshotPath(const QString& name) {
    return areaScreenshotPath(QStringLiteral("payment_flow"), name);
}

// The shared sale empty, default currency, settings with the guide done, a manual clock, the
// phone idiom, a window of 375 x 667, the area's screens registered.
class AmountTest : public ::testing::Test {
protected:
    void SetUp() override {
        Services::set<LocationProviderFactory>(std::make_shared<StillLocationFactory>());
        Services::set<ImageSource>(pictures);
        Currency::instance()->reset();
        AccountSettings::instance().reset();
        AccountSettings::instance().setTutorialAmount(true);
        Device::current().setIdiom(Device::Idiom::Phone);
        Sale::sharedSale().cleanSale();
        PaymentFlowScreens::registerScreens();
        Storyboard::registerViewController("Payment", "PickPaymentMethod",
                                           [] { return new NextScreen(); });
        window.widget()->resize(375, 667);
    }
    void TearDown() override {
        Storyboard::removeViewController("Payment", "PickPaymentMethod");
        while (window.rootViewController() &&
               window.rootViewController()->presentedViewController())
            window.rootViewController()->dismissViewControllerAnimated(false);
        settle();
        window.setRootViewController(nullptr);
        settle();
        Sale::sharedSale().cleanSale();
        AccountSettings::instance().reset();
        Currency::instance()->reset();
        Device::current().setIdiom(Device::Idiom::Phone);
        Services::set<ImageSource>(nullptr);
        Services::set<LocationProviderFactory>(nullptr);
    }

    // Shows the screen as the root of a navigation controller in the window.
    NavigationController* showInNavigation(ViewController* screen) {
        auto* navigation = new MainNavigationController(screen);
        window.setRootViewController(navigation);
        window.makeKeyAndVisible();
        settle();
        return navigation;
    }

    void settle() {
        for (int i = 0; i < 6; ++i) {
            clock->advance(ViewController::kTransitionMs);
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    // The alert or sheet the screen presents now, if any.
    static SystemAlert* shownAlert(ViewController* screen) {
        ViewController* top = screen;
        while (top->presentedViewController())
            top = top->presentedViewController();
        return qobject_cast<SystemAlert*>(top);
    }

    Sale& sale() { return Sale::sharedSale(); }

    TemporaryDefaults defaults;
    ScopedManualClock clock;
    std::shared_ptr<InstantPictures> pictures = std::make_shared<InstantPictures>();
    Window window;
};

} // namespace amounttest
