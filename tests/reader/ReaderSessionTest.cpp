#include "SDK/session/AccountSettings.h"
#include "model/Sale.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/Clock.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Window.h"
#include "reader/DSpreadViewController.h"
#include "reader/DeviceSelectorList.h"
#include "reader/bluetooth/BluetoothReaderFactory.h"
#include "reader/simulated/SimulatedReader.h"
#include "reader/simulated/SimulatedReaderHost.h"
#include "reader/simulated/SimulatedReaderService.h"
#include "reader/views/DSpreadView.h"
#include "support/TestSupport.h"
#include "ui_kit/AlertController.h"
#include "ui_kit/texts/Language.h"

#include <QLabel>
#include <QPointer>
#include <gtest/gtest.h>

namespace reader_session_test {

QString deviceText(const char* key) {
    return Language::textForFile(QStringLiteral("Device"), QString::fromLatin1(key));
}

// The reader illustration: records what it was told.
class FakeIllustration : public QWidget, public DSpreadView {
public:
    explicit FakeIllustration(QStringList* log)
        : log_(log) {}
    QWidget* widget() override { return this; }
    void connectDevice() override { *log_ << "connectDevice"; }
    void startSearching() override { *log_ << "startSearching"; }
    void bluetoothTurnedOn() override { *log_ << "bluetoothTurnedOn"; }
    void bluetoothOff() override { *log_ << "bluetoothOff"; }
    void deviceDisconnected() override { *log_ << "deviceDisconnected"; }
    void deviceConnected() override { *log_ << "deviceConnected"; }
    void startAnimations() override { *log_ << "startAnimations"; }
    void stopAnimations() override { *log_ << "stopAnimations"; }
    void cardPresented(bool) override {}
    void restartAnimations() override { *log_ << "restartAnimations"; }
    QImage swipeIcon() override { return {}; }
    AlertController*
    connectionErrorAlertControllerWithActionHandler(AlertAction::Handler handler) override {
        auto* alert = AlertController::alertControllerWithTitle("help", QString());
        alert->addAction(AlertAction::actionWithTitle("OK", 0, std::move(handler)));
        return alert;
    }

private:
    QStringList* log_;
};

using FakeHost = SimulatedReaderHost;

SimulatedReaderDevice readerNamed(const QString& name, std::optional<int> rssi,
                                  int appearsAfterMs = 0) {
    SimulatedReaderDevice device;
    device.name = name;
    device.rssi = rssi;
    device.seenByCentral = rssi.has_value();
    device.appearsAfterMs = appearsAfterMs;
    return device;
}

// One card-reading screen with its reader controller over a simulated reader world.
class Session {
public:
    Session() {
        Services::set<Clock>(clock);
        world = SimulatedReader::withDefaultReaders();
        world->setDefaultCard(std::nullopt);
        Services::set<ReaderFactory>(world);
        DSpreadViewController::setDeviceMaker([this] { return new FakeIllustration(&drawn); });
        settings.setCustomCvmLimit(QVariant());
        settings.setContactlessTransactionLimit(QVariant());
        navigation = new NavigationController(new ViewController());
        window.setRootViewController(navigation);
        window.makeKeyAndVisible();
        host = new FakeHost();
        navigation->pushViewController(host, false);
    }
    ~Session() {
        if (controller) {
            controller->setDelegate(nullptr);
            controller->cleanup();
            delete controller;
        }
        DSpreadViewController::setDeviceMaker({});
        Services::set<ReaderFactory>(nullptr);
        world.reset();
        delete host;
        settle(0);
        Services::set<Clock>(nullptr);
    }

    // The screen makes its reader controller and shows it.
    void appear() {
        controller = new DSpreadViewController(host, false);
        host->addChildViewController(controller);
        controller->beginAppearanceTransition(true, false);
        controller->endAppearanceTransition();
    }
    // Moves time on in small steps, letting the finder's thread and the main thread deliver.
    void settle(int ms) {
        int left = ms;
        do {
            const int step = qMin(left, 50);
            clock->advance(step);
            left -= step;
            if (world)
                world->flushFinders();
            QCoreApplication::processEvents();
        } while (left > 0);
    }
    QStringList connects() const {
        QStringList names;
        for (const SimulatedReaderCall& call : world->calls())
            if (call.name == "connect")
                names << call.arguments.value(0).toString();
        return names;
    }
    void remember(const QString& name) {
        UserDefaults::standardUserDefaults().setObject(name, "defaultPosBluetoothName");
    }
    // Appears and waits until the reader is connected and waits for a card.
    void connectAndWait() {
        remember("MPOS-SIM-A");
        appear();
        settle(3000);
        ASSERT_TRUE(world->service()->isWaitingForCard());
    }
    int tradeModeCalls() const { return world->countOf("setCardTradeMode"); }

    TemporaryDefaults defaults;
    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    std::shared_ptr<SimulatedReader> world;
    AccountSettings& settings = AccountSettings::instance();
    Window window;
    NavigationController* navigation = nullptr;
    QPointer<FakeHost> host;
    QPointer<DSpreadViewController> controller;
    QStringList drawn;
};

class ReaderSessionTest : public ::testing::Test, public Session {};

// ---------------------------------------------------------------- discovery

TEST(ReaderSessionCases, DiscoveryChoosesTheReaderToConnect) {
    struct Case {
        const char* name;
        const char* remembered;
        QList<SimulatedReaderDevice> extra; // besides A (-52 dBm) and B (-67 dBm)
        bool withoutDefaults;               // only the extra readers in range
        int connectBeforeMs;                // nothing connects before this
        const char* connected;
    };
    const QList<Case> cases = {
        {"remembered reader found: connected at once", "MPOS-SIM-B", {}, false, 0, "MPOS-SIM-B"},
        {"no reader remembered: the strongest after 5 s", "", {}, false, 5000, "MPOS-SIM-A"},
        {"another reader remembered: the strongest after 10 s",
         "MPOS-GONE",
         {},
         false,
         10000,
         "MPOS-SIM-A"},
        {"equal strength: the first found",
         "",
         {readerNamed("MPOS-T1", -60), readerNamed("MPOS-T2", -60, 100)},
         true,
         5000,
         "MPOS-T1"},
        {"a reader without signal is not chosen by the timer",
         "",
         {readerNamed("MPOS-QUIET", std::nullopt), readerNamed("MPOS-WEAK", -90, 100)},
         true,
         5000,
         "MPOS-WEAK"},
        {"a reader without signal found after the timer connects",
         "",
         {readerNamed("MPOS-LATE", std::nullopt, 7000)},
         true,
         7000,
         "MPOS-LATE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Session s;
        if (c.withoutDefaults) {
            s.world->removeReader("MPOS-SIM-A");
            s.world->removeReader("MPOS-SIM-B");
        }
        for (const SimulatedReaderDevice& device : c.extra)
            s.world->addReader(device);
        if (*c.remembered)
            s.remember(c.remembered);
        s.appear();
        if (c.connectBeforeMs > 0) {
            s.settle(c.connectBeforeMs - 100);
            EXPECT_TRUE(s.connects().isEmpty());
            if (c.extra.isEmpty() || c.extra.first().appearsAfterMs == 0) {
                EXPECT_TRUE(s.host->deviceSelector() &&
                            !s.host->deviceSelector()->devices().isEmpty());
            }
        }
        s.settle(600);
        EXPECT_EQ(s.connects(), QStringList{c.connected});
        EXPECT_EQ(s.controller->currentDeviceName(), c.connected);
        EXPECT_FALSE(s.controller->isDeviceSearchTimerValid());
        EXPECT_EQ(UserDefaults::standardUserDefaults().stringForKey("defaultPosBluetoothName"),
                  c.connected);
    }
}

TEST_F(ReaderSessionTest, NoReaderInRangeShowsTheHelpAndTheScanGoesOn) {
    world->removeReader("MPOS-SIM-A");
    world->removeReader("MPOS-SIM-B");
    appear();
    settle(5100);
    EXPECT_EQ(host->messages.last(),
              Language::textForFile(QStringLiteral("DSpreadHelp"), QStringLiteral("Title")));
    EXPECT_TRUE(host->help);
    EXPECT_TRUE(drawn.contains("deviceDisconnected"));
    EXPECT_TRUE(controller->scanningBluetooth());
}

TEST_F(ReaderSessionTest, NamesNotOfReadersNeverReachTheSheet) {
    world->addReader(readerNamed("Headphones", -30));
    appear();
    settle(1000);
    EXPECT_EQ(host->deviceSelector()->devices(), (QStringList{"MPOS-SIM-A", "MPOS-SIM-B"}));
    EXPECT_FALSE(controller->deviceSignals().contains("Headphones"));
    settle(5000);
    EXPECT_EQ(connects(), QStringList{"MPOS-SIM-A"});
}

TEST_F(ReaderSessionTest, WhileTheSheetIsOnScreenTheMerchantChooses) {
    remember("MPOS-SIM-A");
    appear();
    // The sheet was opened before the remembered reader turned up.
    auto* sheet = host->createDeviceSelector();
    QWidget sheetView(host->view());
    QWidget sheetContent(&sheetView);
    sheet->setView(&sheetContent);
    settle(12000);
    EXPECT_TRUE(connects().isEmpty());
    controller->deviceSelected("MPOS-SIM-B");
    settle(500);
    EXPECT_EQ(connects(), QStringList{"MPOS-SIM-B"});
    EXPECT_FALSE(controller->scanningBluetooth());
}

TEST_F(ReaderSessionTest, PickingInTheSheetWhileConnected) {
    connectAndWait();
    world->clearCalls();

    // Opening the sheet while connected only fills it: no timer, no connection.
    controller->scanBluetooth();
    settle(100);
    EXPECT_TRUE(controller->scanningBluetooth());
    EXPECT_FALSE(controller->isDeviceSearchTimerValid());
    settle(11000);
    EXPECT_TRUE(connects().isEmpty());

    // Picking the connected reader only stops the discovery.
    controller->deviceSelected("MPOS-SIM-A");
    EXPECT_FALSE(controller->scanningBluetooth());
    settle(1000);
    EXPECT_EQ(world->countOf("disconnect"), 0);
    EXPECT_TRUE(world->service()->isConnected());

    // Picking another switches: the wait text, a disconnect, and 1 s after it the new reader.
    controller->scanBluetooth();
    controller->deviceSelected("MPOS-SIM-B");
    EXPECT_EQ(host->messages.last(), deviceText("MESSAGE_WAIT"));
    EXPECT_EQ(world->countOf("disconnect"), 1);
    EXPECT_EQ(controller->currentDeviceName(), "MPOS-SIM-B");
    settle(50); // the disconnect callback
    EXPECT_EQ(controller->switchingToDevice(), "MPOS-SIM-B");
    settle(900);
    EXPECT_TRUE(connects().isEmpty());
    settle(150);
    EXPECT_EQ(connects(), QStringList{"MPOS-SIM-B"});
    settle(3000);
    EXPECT_EQ(world->service()->connectedName(), "MPOS-SIM-B");
    EXPECT_TRUE(world->service()->isWaitingForCard());
}

TEST(ReaderSessionCases, BluetoothOffLeavesAfter20SecondsUnlessItReturns) {
    for (const bool returns : {false, true}) {
        SCOPED_TRACE(returns ? "returns" : "stays off");
        Session s;
        s.world->setBluetoothState(BluetoothState::PoweredOff);
        s.appear();
        s.settle(100);
        EXPECT_EQ(s.host->messages.last(), deviceText("MESSAGE_BLUETOOTH_OFF"));
        EXPECT_TRUE(s.drawn.contains("bluetoothOff"));
        s.settle(15000);
        if (returns) {
            s.world->setBluetoothState(BluetoothState::PoweredOn);
            s.settle(100);
            EXPECT_EQ(s.host->messages.last(), deviceText("MESSAGE_WAIT_DSPREAD"));
        }
        s.settle(5000);
        EXPECT_EQ(s.navigation->viewControllers().size(), returns ? 2 : 1);
        if (returns) {
            s.world->setBluetoothState(BluetoothState::PoweredOff);
            s.settle(100);
            EXPECT_EQ(s.navigation->viewControllers().size(), 2)
                << "off during a discovery changes nothing";
        }
    }
}

TEST_F(ReaderSessionTest, OnlyTheLastDismissTimerFires) {
    world->setBluetoothState(BluetoothState::PoweredOff);
    appear();
    settle(100);
    settle(15000);
    // Bluetooth reported off again: the timer starts over rather than firing twice.
    controller->centralManagerDidUpdateState(BluetoothState::PoweredOff);
    settle(6000);
    EXPECT_EQ(navigation->viewControllers().size(), 2);
    settle(14000);
    EXPECT_EQ(navigation->viewControllers().size(), 1);
}

TEST(ReaderSessionCases, UnknownBluetoothStateIsPolledWithoutBlocking) {
    struct Case {
        int knownAfterMs;
        bool leaves;
    };
    for (const Case c : {Case{300, false}, Case{-1, true}}) {
        SCOPED_TRACE(c.knownAfterMs);
        Session s;
        s.world->delays().finderUnknownMs = c.knownAfterMs;
        s.remember("MPOS-SIM-A");
        s.appear(); // returns at once: the wait does not block
        // The central knows nothing yet either: drive the finder's path.
        s.controller->bluetoothIsOn();
        EXPECT_TRUE(s.connects().isEmpty());
        s.settle(1900);
        EXPECT_EQ(s.navigation->viewControllers().size(), 2);
        s.settle(300);
        EXPECT_EQ(s.navigation->viewControllers().size(), c.leaves ? 1 : 2);
        if (!c.leaves) {
            EXPECT_EQ(s.connects().value(0), "MPOS-SIM-A");
        }
    }
}

TEST_F(ReaderSessionTest, NotDetectedForgetsTheReaderAndRediscoversWithHelp) {
    world->removeReader("MPOS-SIM-A");
    world->removeReader("MPOS-SIM-B");
    world->addReader(readerNamed("MPOS-X", -60, 1000));
    remember("MPOS-X");
    world->addFault({"connect", ReaderFault::Kind::NotDetected});
    appear();
    settle(1200);
    EXPECT_EQ(connects(), QStringList{"MPOS-X"});
    EXPECT_FALSE(UserDefaults::standardUserDefaults().hasKey("defaultPosBluetoothName"));
    EXPECT_TRUE(controller->currentDeviceName().isEmpty());
    EXPECT_TRUE(controller->keepHelpUntilConnected());
    EXPECT_TRUE(host->help);
    EXPECT_TRUE(controller->scanningBluetooth());
    EXPECT_EQ(host->messages.last(),
              Language::textForFile(QStringLiteral("DSpreadHelp"), QStringLiteral("Title")));
    // The new discovery connects the reader when it is found again; the help stays until the
    // reader waits for a card.
    settle(1200);
    EXPECT_EQ(connects(), (QStringList{"MPOS-X", "MPOS-X"}));
    EXPECT_TRUE(host->help);
    settle(3000);
    EXPECT_TRUE(world->service()->isWaitingForCard());
    EXPECT_FALSE(host->help);
    EXPECT_EQ(host->helpShown, 1);
}

// ---------------------------------------------------------------- trade start and session

TEST(ReaderSessionCases, CvmLimitIsLoadedBeforeTheCardWait) {
    struct Case {
        QVariant limit;
        QStringList items; // empty: no parameter load
    };
    for (const Case& c : {Case{QVariant(2000), {"DF21000000200000"}},
                          Case{QVariant(25.75), {"DF21000000002500"}}, Case{QVariant(), {}}}) {
        SCOPED_TRACE(c.limit.toString().toStdString());
        Session s;
        s.settings.setCustomCvmLimit(c.limit);
        s.connectAndWait();
        if (c.items.isEmpty()) {
            EXPECT_EQ(s.world->countOf("updateEmvApplication"), 0);
        } else {
            const QVariantList args = s.world->lastArguments("updateEmvApplication");
            EXPECT_EQ(args.value(0).toInt(), 4);
            EXPECT_EQ(args.value(1).toStringList(), c.items);
        }
        EXPECT_EQ(s.world->lastArguments("checkCard").value(0).toInt(), 10);
    }
}

TEST(ReaderSessionCases, TradeModeFollowsWhetherContactlessIsAllowed) {
    struct Case {
        const char* name;
        int trxType;
        QVariant limit;
        bool contactless;
    };
    for (const Case& c :
         {Case{"sale", 0, QVariant(), true}, Case{"refund", 2, QVariant(), true},
          Case{"void", 1, QVariant(), false}, Case{"limit 0", 0, QVariant(0), false}}) {
        SCOPED_TRACE(c.name);
        Session s;
        s.host->sale_->setTrxType(c.trxType);
        s.settings.setContactlessTransactionLimit(c.limit);
        s.connectAndWait();
        EXPECT_EQ(s.controller->NFCEnabled(), c.contactless);
        if (c.contactless) {
            EXPECT_EQ(s.world->service()->cardTradeMode(),
                      ReaderService::kTradeModeWithContactless);
            EXPECT_TRUE(s.host->nfcButton.isEnabled());
        } else {
            EXPECT_EQ(s.tradeModeCalls(), 0);
            EXPECT_TRUE(s.host->nfcButton.isEnabled()) << "the button is left alone";
        }
    }
}

TEST_F(ReaderSessionTest, ContactlessSwitchOnAndOff) {
    connectAndWait();
    world->clearCalls();
    controller->enableNFC();
    EXPECT_EQ(host->messages.last(),
              Language::textForFile(QStringLiteral("DSPREAD"), QStringLiteral("PLEASE_WAIT")));
    settle(1000);
    EXPECT_EQ(world->service()->cardTradeMode(), ReaderService::kTradeModeContactless);
    EXPECT_TRUE(world->service()->isWaitingForCard());
    EXPECT_EQ(world->countOf("isCardPresent"), 0) << "the switch goes straight to the card wait";

    controller->disableNFC();
    settle(2000);
    EXPECT_EQ(world->countOf("resetAsync"), 2);
    EXPECT_EQ(world->service()->cardTradeMode(), ReaderService::kTradeModeWithContactless);
    EXPECT_TRUE(world->service()->isWaitingForCard());
}

TEST_F(ReaderSessionTest, ResetAnswersLeadBackToACardWait) {
    connectAndWait();
    // The first reset answer read the reader's information and identity.
    EXPECT_EQ(world->countOf("requestInfo"), 1);
    EXPECT_EQ(world->countOf("requestId"), 1);
    EXPECT_FLOAT_EQ(host->battery, 0.85f);
    EXPECT_FLOAT_EQ(float(host->sale_->deviceBatteryCharge()), 0.85f);
    EXPECT_EQ(host->sale_->fullSerialNumber(), "SIM4A0000001");
    EXPECT_EQ(host->sale_->deviceSerialNumber(), "MPOS-SIM-A");

    // Later resets skip it; a failed one is asked again until it succeeds.
    world->clearCalls();
    world->addFault({"reset", ReaderFault::Kind::ResetFailed, 0, 2});
    controller->resetPos();
    settle(3000);
    EXPECT_EQ(world->countOf("resetAsync"), 3);
    EXPECT_EQ(world->countOf("requestInfo"), 0);
    EXPECT_EQ(world->countOf("isCardPresent"), 1);
    EXPECT_TRUE(world->service()->isWaitingForCard());
}

TEST_F(ReaderSessionTest, ACardLeftInIsAskedOutEachSecondUntilRemoved) {
    CardProfile card = *CardProfile::named("chip-signature");
    card.removeAfterMs = -1;
    connectAndWait();
    world->presentCard(card);
    settle(1000); // the card is in, its transaction not run
    world->clearCalls();
    controller->resetPos();
    settle(1000);
    EXPECT_EQ(host->messages.last(), deviceText("MESSAGE_REMOVE_CHIP_CARD"));
    EXPECT_TRUE(controller->waitingForRemoval());
    settle(3000);
    const int asked = world->countOf("showCustomDisplay");
    EXPECT_GE(asked, 3);
    EXPECT_LE(asked, 4);
    EXPECT_EQ(world->lastArguments("showCustomDisplay").value(1).toString(),
              "524554495245205441524A455441");
    EXPECT_EQ(world->countOf("checkCard"), 0);

    world->removeCard();
    settle(2000);
    EXPECT_FALSE(controller->waitingForRemoval());
    EXPECT_TRUE(drawn.contains("restartAnimations"));
    EXPECT_TRUE(world->service()->isWaitingForCard());
}

// ---------------------------------------------------------------- end of the session

TEST_F(ReaderSessionTest, CleanupTwiceLeavesNothingRunning) {
    connectAndWait();
    controller->scanBluetooth(); // a discovery under way too
    controller->beginAppearanceTransition(false, false);
    controller->endAppearanceTransition();
    controller->setDelegate(nullptr);
    controller->cleanup();

    EXPECT_FALSE(world->service()->isConnected());
    EXPECT_FALSE(controller->scanningBluetooth());
    EXPECT_FALSE(controller->isDeviceSearchTimerValid());
    EXPECT_FALSE(controller->isDismissTimerValid());
    EXPECT_EQ(controller->pos(), nullptr);
    EXPECT_EQ(world->service()->listener(), nullptr);
    const int messages = host->messages.size();
    world->clearCalls();
    settle(30000);
    EXPECT_TRUE(world->callNames().isEmpty()) << world->callNames().join(", ").toStdString();
    EXPECT_EQ(host->messages.size(), messages);
    EXPECT_EQ(navigation->viewControllers().size(), 2);
}

TEST_F(ReaderSessionTest, CoveredAndShownAgainReconnects) {
    connectAndWait();
    controller->beginAppearanceTransition(false, false);
    controller->endAppearanceTransition();
    EXPECT_FALSE(world->service()->isConnected());
    controller->beginAppearanceTransition(true, false);
    controller->endAppearanceTransition();
    settle(3000);
    EXPECT_EQ(connects(), (QStringList{"MPOS-SIM-A", "MPOS-SIM-A"}));
    EXPECT_TRUE(world->service()->isWaitingForCard());
}

TEST_F(ReaderSessionTest, LateCallbacksAfterTheHostOrControllerAreGoneDoNothing) {
    remember("MPOS-SIM-A");
    // A controller that is not the host's child, so either can go first.
    controller = new DSpreadViewController(host, false);
    controller->beginAppearanceTransition(true, false);
    controller->endAppearanceTransition();
    settle(50);
    // The connection is under way when the host goes, then the reset when the controller goes.
    delete host;
    settle(300);
    EXPECT_EQ(controller->delegate(), nullptr);
    EXPECT_TRUE(world->service()->isConnected());
    delete controller;
    settle(20000);
    EXPECT_EQ(world->service()->listener(), nullptr);
}

TEST_F(ReaderSessionTest, WithoutAnAdapterTheBluetoothSideReachesTheOffText) {
    auto bluetooth = std::make_shared<BluetoothReaderFactory>();
    if (bluetooth->makeCentral()->state() != BluetoothState::PoweredOff)
        GTEST_SKIP() << "this machine has a Bluetooth adapter switched on";
    Services::set<ReaderFactory>(bluetooth);
    appear();
    settle(200);
    EXPECT_EQ(host->messages.last(), deviceText("MESSAGE_BLUETOOTH_OFF"));
    EXPECT_TRUE(controller->isDismissTimerValid());
}

} // namespace reader_session_test
