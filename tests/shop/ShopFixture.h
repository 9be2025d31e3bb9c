#pragma once

#include "SDK/session/AccountSettings.h"
#include "SDK/session/User.h"
#include "api/APIConfiguration.h"
#include "api/HostCredentials.h"
#include "model/values/Currency.h"
#include "platform/core/DocumentsFolder.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Services.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"
#include "shop/BuyReader.h"
#include "shop/BuyReaderEnterDataController.h"
#include "shop/ShopScreens.h"
#include "shop/payment/BuyReaderTermsController.h"
#include "support/SandboxBackEnd.h"
#include "support/SandboxFixture.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace shoptest {

// Where the area's screenshots go: build/screenshots/shop/.
inline QString shopScreenshotPath(const QString& name) {
    return areaScreenshotPath(QStringLiteral("shop"), name);
}

// Links the shop opens outside, remembered.
class RecordingOpener : public URLOpener {
public:
    bool canOpenURL(const QUrl&) override { return true; }
    bool openURL(const QUrl& url) override {
        opened << url;
        return true;
    }
    QList<QUrl> opened;
};

// The sandbox over a real socket, a logged-in merchant, a phone, the manual clock, and a host
// screen the shop is presented over.
class ShopTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(useSandboxBackEnd(sandbox));
        Services::set(std::make_shared<DocumentsFolder>(documents.path()));
        Services::set<URLOpener>(opener);
        BuyReaderTermsController::setTermsAddress(sandbox.baseUrl() +
                                                  QStringLiteral("/pagora/terminos.html"));
        Currency::instance()->reset();
        AccountSettings::instance().reset();
        HostCredentials::setApiKey(sandbox.apiKey());
        User::instance().setToken(sandbox.merchantToken());
        User::instance().setUserId(QStringLiteral("17"));
        Device::current().setIdiom(Device::Idiom::Phone);
        BuyReaderEnterDataController::lastData().reset(); // no buyer data from an earlier test
        host = new ViewController();
        window.setRootViewController(host);
        window.widget()->resize(375, 667);
        window.makeKeyAndVisible();
    }
    void TearDown() override {
        window.setRootViewController(nullptr);
        delete host.data();
        settle();
        User::instance().reset();
        HostCredentials::setApiKey(std::nullopt);
        AccountSettings::instance().reset();
        Services::set<URLOpener>(nullptr);
        Services::set<DocumentsFolder>(nullptr);
        Services::set<APIConfiguration>(nullptr);
        BuyReaderTermsController::setTermsAddress(QString());
        Device::current().setIdiom(Device::Idiom::Phone);
    }

    // Lets animations and queued work finish.
    void settle() {
        for (int i = 0; i < 5; ++i) {
            clock->advance(400);
            QCoreApplication::processEvents();
        }
    }
    // Presents the offer screen in a navigation controller over the host.
    BuyReader* presentOffer(bool fromSaleButton) {
        auto* offer = qobject_cast<BuyReader*>(Storyboard::instantiate(ShopScreens::buyReader));
        offer->setFromSaleButton(fromSaleButton);
        shop = new NavigationController(offer);
        host->presentViewController(shop, false);
        settle();
        return offer;
    }
    template <class T> T* top() {
        return shop ? qobject_cast<T*>(shop->topViewController()) : nullptr;
    }
    // The screen on top of every presentation.
    ViewController* topmost() const {
        ViewController* level = host;
        while (level && level->presentedViewController())
            level = level->presentedViewController();
        return level;
    }
    SystemAlert* shownAlert() const { return qobject_cast<SystemAlert*>(topmost()); }
    // Types into a field as a person would, one character at a time.
    static void type(TextField* field, const QString& text) {
        ASSERT_TRUE(field);
        for (const QChar c : text)
            field->insertText(QString(c));
    }
    // The window with every presentation over it drawn where it shows: presented screens live
    // in their own containers, so the window alone would show only the host.
    void screenshot(const QString& name) {
        settle();
        QWidget* base = window.widget();
        QPixmap shot = base->grab();
        {
            QPainter painter(&shot);
            for (ViewController* level = host ? host->presentedViewController() : nullptr; level;
                 level = level->presentedViewController()) {
                QWidget* container = level->view()->window();
                if (container == base || !container->isVisible())
                    continue;
                const QPoint at =
                    container->mapToGlobal(QPoint(0, 0)) - base->mapToGlobal(QPoint(0, 0));
                painter.drawPixmap(at, container->grab());
            }
        }
        EXPECT_TRUE(shot.save(shopScreenshotPath(name + QStringLiteral(".png"))));
    }
    // The overlay fades out on the manual clock, so waiting moves it on.
    bool waitForOverlayGone(ViewController* screen) {
        return waitUntil([this, screen] {
            clock->advance(50);
            return !screen->isDisplayingActivityIndicator();
        });
    }

    SandboxFixture sandbox;
    QTemporaryDir documents;
    TemporaryDefaults defaults;
    ScopedManualClock clock;
    std::shared_ptr<RecordingOpener> opener = std::make_shared<RecordingOpener>();
    Window window;
    QPointer<ViewController> host;
    QPointer<NavigationController> shop;
};

} // namespace shoptest
