#pragma once

#include "SDK/session/AccountSettings.h"
#include "SDK/session/SessionTimer.h"
#include "SDK/session/User.h"
#include "api/APIConfiguration.h"
#include "model/CreditCard.h"
#include "model/Item.h"
#include "model/Sale.h"
#include "model/values/Amount.h"
#include "payment/card_reading/DeviceController.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/core/VersionDispatch.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FlowEnd.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Services.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"
#include "reader/DSpreadViewController.h"
#include "reader/simulated/SimulatedReader.h"
#include "support/ClockTestSupport.h"
#include "support/SandboxBackEnd.h"
#include "support/SandboxFixture.h"
#include "support/TestSupport.h"
#include "ui_kit/texts/Language.h"
#include <TarvelloSDK/TarvelloSDK.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <gtest/gtest.h>

// The navigation controller of an SDK flow: records how the flow ended.
class FlowRecorder : public NavigationController, public FlowEndDelegate {
public:
    using NavigationController::NavigationController;
    void paymentDone(std::shared_ptr<Sale> sale) override {
        ends << QStringLiteral("paymentDone");
        endSale = std::move(sale);
    }
    void operationDone(std::shared_ptr<Sale> sale) override {
        ends << QStringLiteral("operationDone");
        endSale = std::move(sale);
    }
    void canceled(std::optional<TarvelloError> e) override {
        ends << QStringLiteral("canceled");
        error = std::move(e);
    }
    QStringList ends;
    std::optional<TarvelloError> error;
    std::shared_ptr<Sale> endSale;
};

// A screen below the card-reading screen that holds a refund.
class RefundBelow : public ViewController, public RefundSaleSource {
public:
    std::shared_ptr<Sale> refund = Sale::init();
    std::shared_ptr<Sale> refundSale() const override { return refund; }
};

// Host images: a coloured square per name, so the battery icon shows which one was chosen.
class NamedImages : public ImageProvider {
public:
    QImage imageNamed(const QString& name, bool fromHost) override {
        (void)fromHost;
        QImage image(28, 16, QImage::Format_ARGB32);
        image.fill(name.contains("low")        ? Qt::red
                   : name.contains("medium")   ? Qt::yellow
                   : name.contains("charging") ? Qt::blue
                                               : Qt::green);
        return image;
    }
};

// The SDK's own pictures from its bundle, and for the host's battery names a small drawn
// battery at the level the name says, as a host would ship them: for screenshots.
class BundleAndBatteryImages : public ImageProvider {
public:
    QImage imageNamed(const QString& name, bool fromHost) override {
        if (!fromHost)
            return Bundle::load(name);
        QImage image(56, 32, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(60, 60, 60), 3));
        painter.drawRoundedRect(QRectF(2, 2, 46, 28), 5, 5);
        painter.fillRect(QRectF(49, 10, 5, 12), QColor(60, 60, 60));
        const double level = name.contains("low") ? 0.2 : name.contains("medium") ? 0.55 : 1.0;
        const QColor fill = name.contains("low")        ? QColor(200, 40, 40)
                            : name.contains("charging") ? QColor(40, 120, 220)
                                                        : QColor(60, 60, 60);
        painter.fillRect(QRectF(6, 6, 38 * level, 20), fill);
        return image;
    }
};

inline QString sectionText(const char* section, const char* key) {
    return Language::textForFile(QString::fromLatin1(section), QString::fromLatin1(key));
}

// One card-reading screen in a window, against the sandbox, the simulated reader (no card)
// and the manual clock.
class DeviceFixture : public ::testing::Test {
public:
    // A sale of the amount, paid by a swiped card.
    static std::shared_ptr<Sale> swipedSale(double amount, int trxType = 0);

protected:
    void SetUp() override {
        ASSERT_TRUE(useSandboxBackEnd(sandbox));
        // Every area's screens and the reader illustration in place, whichever test runs first.
        Storyboard::hasViewController(QStringLiteral("Payment"), QStringLiteral("Device"));
        TarvelloSDK::sharedSDK().startWithAPIKey(sandbox.apiKey());
        TarvelloSDK::sharedSDK().setUserToken(sandbox.merchantToken());
        User::instance().reset();
        AccountSettings::instance().reset();
        // Sales below the signature limit hand over without the signature step.
        AccountSettings::instance().setSignatureLimitAmount(100000);
        AccountSettings::instance().setSignatureLimitCurrencyCode(QStringLiteral("032"));
        User::instance().setIsLoggedIn(true);
        User::instance().setUserId(QStringLiteral("17"));
        // Long enough to be a card-field key.
        User::instance().setToken(sandbox.state().issueToken(17));
        world = SimulatedReader::withDefaultReaders();
        world->setDefaultCard(std::nullopt);
        Services::set<ReaderFactory>(world);
        Services::set<ImageProvider>(std::make_shared<NamedImages>());
        Sale::sharedSale().cleanSale();
        Sale::sharedSale().setTrxType(0);
    }
    void TearDown() override {
        TarvelloSDK::sharedSDK().setRetryOnDenied(true);
        dismissAll();
        closeWindow();
        Services::set<ImageProvider>(nullptr);
        Services::set<ReaderFactory>(nullptr);
        world.reset();
        Sale::sharedSale().cleanSale();
        User::instance().reset();
        AccountSettings::instance().reset();
        Services::set<APIConfiguration>(nullptr);
    }

    // Pushes the screen over the given screens (a plain root when none) and lets it appear.
    DeviceController* open(std::shared_ptr<Sale> sale, QList<ViewController*> below = {},
                           bool sdkFlow = true) {
        if (below.isEmpty())
            below << new ViewController();
        navigation =
            sdkFlow ? new FlowRecorder(below.first()) : new NavigationController(below.first());
        flow = dynamic_cast<FlowRecorder*>(navigation.data());
        for (int i = 1; i < below.size(); ++i)
            navigation->pushViewController(below.at(i), false);
        window = new Window();
        window->setRootViewController(navigation);
        window->makeKeyAndVisible();
        auto* screen = new DeviceController();
        if (sale)
            screen->setSale(std::move(sale));
        navigation->pushViewController(screen, false);
        device = screen;
        settle();
        return screen;
    }
    // Only the screen, as the root of its stack.
    DeviceController* openAsRoot(std::shared_ptr<Sale> sale) {
        auto* screen = new DeviceController();
        screen->setSale(std::move(sale));
        navigation = new FlowRecorder(screen);
        flow = static_cast<FlowRecorder*>(navigation.data());
        window = new Window();
        window->setRootViewController(navigation);
        window->makeKeyAndVisible();
        device = screen;
        settle();
        return screen;
    }

    // Deletes the window and its screens, letting their deferred deletions run.
    void closeWindow() {
        delete window;
        window = nullptr;
        settle();
    }
    // Takes every presented screen away, letting dismissals under way finish.
    void dismissAll() {
        for (int i = 0; window && !window->presentedViewControllers().isEmpty() && i < 50; ++i) {
            window->rootViewController()->dismissViewControllerAnimated(false);
            settle(1);
        }
    }
    void settle(int rounds = 10) {
        for (int i = 0; i < rounds; ++i) {
            clock->advance(ViewController::kTransitionMs);
            if (world)
                world->flushFinders();
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    bool waitFor(const std::function<bool()>& condition) {
        return waitOnClock(clock.clock(), condition);
    }

    // The alert on top of the window, if any.
    SystemAlert* shownAlert() const {
        if (!window)
            return nullptr;
        const auto shown = window->presentedViewControllers();
        for (auto it = shown.crbegin(); it != shown.crend(); ++it)
            if (auto* alert = qobject_cast<SystemAlert*>(*it))
                return alert;
        return nullptr;
    }
    QLabel* label(const char* name) { return device->outlet<QLabel>(QString::fromLatin1(name)); }
    QWidget* overlay() { return View::viewWithTag(device->view(), DeviceController::kOverlayTag); }
    QString caption() {
        auto* c =
            qobject_cast<QLabel*>(View::viewWithTag(device->view(), DeviceController::kCaptionTag));
        return c ? c->text() : QString();
    }
    // A swipe as the reader controller reports it: the overlay, then the sending.
    void swipe() {
        device->processingCard();
        device->savePayment();
    }
    QList<SandboxRequest> requests(const char* path) {
        return sandbox->requestsTo(QStringLiteral("/developers/api") + QString::fromLatin1(path));
    }
    void scriptSave(const QVariantMap& answer, const char* path = "/payments/savePayment.json") {
        sandbox->script("POST", QStringLiteral("/developers/api") + QString::fromLatin1(path),
                        SandboxReply::json(answer));
    }
    void shoot(const QString& name, QWidget* widget = nullptr) {
        QWidget* target = widget ? widget : window->rootViewController()->view();
        target->grab().save(areaScreenshotPath(QStringLiteral("card_reading"), name + ".png"));
    }

    ScopedManualClock clock;
    TemporaryDefaults defaults;
    SandboxFixture sandbox;
    std::shared_ptr<SimulatedReader> world;
    Window* window = nullptr;
    QPointer<NavigationController> navigation;
    FlowRecorder* flow = nullptr;
    QPointer<DeviceController> device;
};

inline std::shared_ptr<Sale> DeviceFixture::swipedSale(double amount, int trxType) {
    auto sale = Sale::init();
    sale->setTrxType(trxType);
    sale->setSubtotal(Amount::initWithDouble(amount));
    sale->setCurrencyCode(QStringLiteral("032"));
    auto card = std::make_shared<CreditCard>();
    card->setTransactionType(QString(""));
    card->setExpiration(QStringLiteral("2712"));
    card->setNumberLast4(QStringLiteral("4242"));
    sale->setCreditCard(card);
    sale->setPaidWithCreditCard(true);
    sale->setSaleId(QStringLiteral("900"));
    return sale;
}
