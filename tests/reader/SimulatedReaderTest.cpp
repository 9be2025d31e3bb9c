#include "reader/simulated/SimulatedReader.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/ui/Clock.h"
#include "reader/TLV.h"
#include "reader/Util.h"
#include "reader/service/ReaderFactory.h"
#include "reader/service/ReaderServiceListener.h"
#include "reader/simulated/SimulatedReaderService.h"

#include <QThread>
#include <atomic>
#include <gtest/gtest.h>
#include <mutex>

namespace simulated_reader_test {

// Records every callback as one line, e.g. "trade 2" or "display 7".
class Recorder : public ReaderServiceListener {
public:
    QStringList events;
    QString onlineRequest;
    QVariantMap lastDecode;
    QString batch, reversal, exception;

    void onRequestQposConnected() override { events << "connected"; }
    void onRequestQposDisconnected() override { events << "disconnected"; }
    void onRequestNoQposDetected() override { events << "notDetected"; }
    void onDHError(int error) override { events << QString("error %1").arg(error); }
    void onAsyncResetPosStatus(const QString& status) override { events << "reset " + status; }
    void onQposInfoResult(const QVariantMap& info) override {
        events << "info " + info.value("batteryPercentage").toString();
    }
    void onQposIdResult(const QVariantMap& ids) override {
        events << "id " + ids.value("posId").toString();
    }
    void onRequestWaitingUser() override { events << "waiting"; }
    void onDoTradeResult(int result, const QVariantMap& decode) override {
        events << QString("trade %1").arg(result);
        lastDecode = decode;
    }
    void onRequestSetAmount() override { events << "amount"; }
    void onRequestSelectEmvApp(const QStringList& apps) override {
        events << "apps " + apps.join(',');
    }
    void onRequestFinalConfirm() override { events << "confirm"; }
    void onRequestTime() override { events << "time"; }
    void onRequestDisplay(int message) override { events << QString("display %1").arg(message); }
    void onRequestOnlineProcess(const QString& tlv) override {
        events << "online";
        onlineRequest = tlv;
    }
    void onRequestTransactionResult(int result) override {
        events << QString("result %1").arg(result);
    }
    void onRequestBatchData(const QString& tlv) override {
        events << "batch";
        batch = tlv;
    }
    void onReturnReversalData(const QString& tlv) override {
        events << "reversal";
        reversal = tlv;
    }
    void onEmvICCExceptionData(const QString& tlv) override {
        events << "iccException";
        exception = tlv;
    }
    void onLcdShowCustomDisplay(bool shown) override { events << QString("lcd %1").arg(shown); }
};

class SimulatedReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        Services::set<Clock>(clock);
        world = SimulatedReader::withDefaultReaders();
        world->setDefaultCard(std::nullopt);
        service = world->sharedService();
        service->setListener(&listener);
    }
    void TearDown() override {
        service->setListener(nullptr);
        service.reset();
        world.reset();
        Services::set<Clock>(nullptr);
    }
    void connect() {
        service->connect("MPOS-SIM-A");
        clock->advance(1000);
        ASSERT_EQ(listener.events.takeLast(), "connected");
    }
    // Connects and runs a card wait that reads the card.
    void readCard(const QString& profile, int mode = ReaderService::kTradeModeWithContactless) {
        connect();
        ASSERT_TRUE(world->presentCardNamed(profile));
        service->setCardTradeMode(mode);
        service->checkCard(10);
        clock->advance(2000);
    }
    // Takes the chip card through amount, time and confirmation to the online request.
    void chipToOnline(const QString& profile) {
        readCard(profile);
        service->startEmv(0);
        clock->advance(100);
        service->setAmount("1250", "12.50", "032", 0);
        clock->advance(100);
        if (listener.events.last().startsWith("apps")) {
            service->selectEmvApplication(1);
            clock->advance(100);
        }
        service->sendTime("20240315101500");
        clock->advance(100);
        service->finalConfirm(true);
        clock->advance(500);
    }
    static QList<quint32> tagsOf(const QString& hex) {
        QList<quint32> tags;
        const auto decoded = TLV::decodeTags(Util::HexStringToByteArray(hex));
        for (const TLV& element : decoded.value_or(QList<TLV>()))
            tags << quint32(element.tag());
        return tags;
    }
    static QByteArray valueOf(const QString& hex, quint32 tag) {
        const auto found =
            TLV::findLastTag(qint32(tag), TLV::decodeTags(Util::HexStringToByteArray(hex)));
        return found && found->data() ? *found->data() : QByteArray();
    }

    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    std::shared_ptr<SimulatedReader> world;
    std::shared_ptr<ReaderService> service;
    Recorder listener;
};

TEST_F(SimulatedReaderTest, AnswersAreQueuedAndDroppedOnceTheListenerIsCleared) {
    service->connect("MPOS-SIM-A");
    EXPECT_TRUE(listener.events.isEmpty()) << "no callback inside the call";
    clock->advance(1000);
    EXPECT_EQ(listener.events, QStringList{"connected"});

    service->resetAsync();
    bool completed = false;
    service->isCardPresent(5, [&](bool) { completed = true; });
    service->setListener(nullptr);
    clock->advance(2000);
    EXPECT_EQ(listener.events, QStringList{"connected"});
    EXPECT_FALSE(completed) << "a completion belongs to the listener of its call";

    // A listener destroyed while answers are queued gets nothing and nothing crashes.
    auto gone = std::make_unique<Recorder>();
    service->setListener(gone.get());
    service->resetAsync();
    gone.reset();
    clock->advance(2000);
}

TEST_F(SimulatedReaderTest, ConnectionOutcomes) {
    service->connect("MPOS-NOT-THERE");
    clock->advance(1000);
    EXPECT_EQ(listener.events.takeLast(), "notDetected");

    world->addFault({"connect", ReaderFault::Kind::NotDetected});
    service->connect("MPOS-SIM-A");
    clock->advance(1000);
    EXPECT_EQ(listener.events.takeLast(), "notDetected");

    connect();
    service->requestInfo();
    clock->advance(100);
    service->requestId();
    clock->advance(100);
    EXPECT_EQ(listener.events, (QStringList{"info 85", "id SIM4A0000001"}));

    service->disconnect();
    clock->advance(100);
    EXPECT_EQ(listener.events.last(), "disconnected");
    EXPECT_EQ(world->lastArguments("connect").value(0).toString(), "MPOS-SIM-A");
}

TEST_F(SimulatedReaderTest, ResetAnswersAndFaults) {
    connect();
    world->addFault({"reset", ReaderFault::Kind::ResetFailed, 0, 2});
    for (int i = 0; i < 3; ++i) {
        service->resetAsync();
        clock->advance(500);
    }
    EXPECT_EQ(listener.events, (QStringList{"reset 0", "reset 0", "reset 1"}));

    listener.events.clear();
    world->addFault({"reset", ReaderFault::Kind::Silent});
    service->resetAsync();
    clock->advance(2000);
    EXPECT_TRUE(listener.events.isEmpty());

    world->addFault({"reset", ReaderFault::Kind::Error, 5});
    service->resetAsync();
    clock->advance(500);
    EXPECT_EQ(listener.events, QStringList{"error 5"});
}

TEST_F(SimulatedReaderTest, CardWaitWithoutACardTimesOut) {
    connect();
    service->checkCard(10);
    clock->advance(9000);
    EXPECT_EQ(listener.events, QStringList{"waiting"});
    clock->advance(1100);
    EXPECT_EQ(listener.events, (QStringList{"waiting", "trade 4"}));

    // A card queued during a wait is taken by it.
    listener.events.clear();
    service->checkCard(10);
    clock->advance(3000);
    world->presentCardNamed("chip-signature");
    clock->advance(1000);
    EXPECT_EQ(listener.events, (QStringList{"waiting", "trade 2"}));
}

TEST_F(SimulatedReaderTest, ChipWithOnlinePinGoesInTheReadersOrder) {
    chipToOnline("chip-pin");
    EXPECT_EQ(listener.events, (QStringList{"waiting", "trade 2", "amount", "time", "confirm",
                                            "display 7", "display 6", "online"}));
    const QList<quint32> tags = tagsOf(listener.onlineRequest);
    for (quint32 tag :
         {0xC4u,   0xC0u,   0xC2u,   0xC7u,   0xC1u,   0x9F34u, 0x5F24u, 0x5F20u, 0x5F30u, 0x4Fu,
          0x9F12u, 0x9F26u, 0x9F27u, 0x9F10u, 0x9F37u, 0x95u,   0x9Au,   0x9Cu,   0x9F02u, 0x5F2Au})
        EXPECT_TRUE(tags.contains(tag)) << QString::number(tag, 16).toStdString();
    EXPECT_EQ(Util::byteArray2Hex(valueOf(listener.onlineRequest, 0x5F2A)), "0032");
    EXPECT_EQ(Util::byteArray2Hex(valueOf(listener.onlineRequest, 0x9F02)), "000000001250");

    listener.events.clear();
    service->sendOnlineProcessResult("8A023030");
    clock->advance(500);
    EXPECT_EQ(listener.events, (QStringList{"batch", "result 0"}));
    EXPECT_TRUE(tagsOf(listener.batch).contains(0x9F26u));
    EXPECT_EQ(world->lastArguments("sendOnlineProcessResult").value(0).toString(), "8A023030");
}

TEST_F(SimulatedReaderTest, ChipEndingsByOnlineResultAndCardVerdict) {
    struct Case {
        const char* profile;
        const char* response;
        QStringList ending;
    };
    const Case cases[] = {
        {"chip-signature", "8A023035", {"result 2"}},
        {"chip-declines-after-approval", "8A023030", {"reversal", "result 2"}},
        {"card-removed", "8A023030", {"display 10", "reversal"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.profile);
        chipToOnline(c.profile);
        ASSERT_EQ(listener.events.last(), "online");
        listener.events.clear();
        service->sendOnlineProcessResult(c.response);
        clock->advance(500);
        EXPECT_EQ(listener.events, c.ending);
        service->disconnect();
        clock->advance(100);
        listener.events.clear();
    }
}

TEST_F(SimulatedReaderTest, TwoApplicationsAreOfferedAndTheChosenOneIsUsed) {
    chipToOnline("chip-two-apps");
    ASSERT_TRUE(listener.events.contains("online"));
    const auto apps = CardProfile::named("chip-two-apps")->applications;
    ASSERT_EQ(apps.size(), 2);
    EXPECT_TRUE(listener.events.contains("apps " + apps[0].label + "," + apps[1].label));
    EXPECT_EQ(Util::byteArray2Hex(valueOf(listener.onlineRequest, 0x4F)), apps[1].aid);
}

TEST_F(SimulatedReaderTest, SwipeAndContactlessReads) {
    readCard("swipe");
    EXPECT_EQ(listener.events.last(), "trade 1");
    for (const char* key : {"serviceCode", "maskedPAN", "encTrack1", "encTrack2", "trackksn",
                            "cardholderName", "expiryDate", "formatID"})
        EXPECT_TRUE(listener.lastDecode.contains(key)) << key;

    readCard("bad-swipe");
    EXPECT_TRUE(listener.events.last() == "trade 0" || listener.events.last() == "trade 3");

    readCard("contactless");
    EXPECT_TRUE(listener.events.last() == "trade 7" || listener.events.last() == "trade 8");
    for (const char* key : {"maskedPAN", "expiryDate", "cardholderName", "pinKsn", "pinblock"})
        EXPECT_TRUE(listener.lastDecode.contains(key)) << key;
    const QString batch = service->nfcBatchData().value("tlv").toString();
    EXPECT_TRUE(tagsOf(batch).contains(0xC0u));
    EXPECT_TRUE(tagsOf(batch).contains(0xC2u));
}

TEST_F(SimulatedReaderTest, AContactlessCardIsNotSeenWithoutAContactlessMode) {
    readCard("contactless", ReaderService::kTradeModeNoChip);
    EXPECT_EQ(listener.events.last(), "waiting");
    EXPECT_EQ(world->queuedCards(), 1);
}

TEST_F(SimulatedReaderTest, SynchronousReadsAnswerAtOnceOrEmptyOnAFault) {
    chipToOnline("chip-signature");
    const QVariantMap tags = service->iccTags(0, 2, "9F269F06");
    EXPECT_EQ(tagsOf(tags.value("tlv").toString()), (QList<quint32>{0x9F26u, 0x9F06u}));
    world->addFault({"iccTags", ReaderFault::Kind::Empty});
    EXPECT_TRUE(service->iccTags(0, 2, "9F269F06").isEmpty());
}

TEST_F(SimulatedReaderTest, ACardLeftInIsReportedUntilTakenOut) {
    CardProfile card = *CardProfile::named("chip-signature");
    card.removeAfterMs = -1;
    connect();
    world->presentCard(card);
    service->checkCard(10);
    clock->advance(2000);
    service->showCustomDisplay(2, Util::gbString("RETIRE TARJETA"));
    std::optional<bool> present;
    service->isCardPresent(5, [&](bool p) { present = p; });
    clock->advance(100);
    EXPECT_EQ(present, true);
    EXPECT_EQ(listener.events.last(), "lcd 1");
    world->removeCard();
    service->isCardPresent(5, [&](bool p) { present = p; });
    clock->advance(100);
    EXPECT_EQ(present, false);
}

TEST_F(SimulatedReaderTest, NamedProfilesAndJsonProfiles) {
    const QStringList expected{"chip-pin",
                               "chip-signature",
                               "chip-offline-pin",
                               "chip-two-apps",
                               "contactless",
                               "contactless-pin",
                               "swipe",
                               "swipe-pin",
                               "swipe-chip-card",
                               "bad-swipe",
                               "chip-declines-after-approval",
                               "card-removed"};
    for (const QString& name : expected) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(CardProfile::named(name).has_value());
        QString error;
        const auto again = CardProfile::fromJson(CardProfile::namedJson(name), &error);
        ASSERT_TRUE(again.has_value()) << error.toStdString();
        EXPECT_EQ(again->readResult(), CardProfile::named(name)->readResult());
    }
    EXPECT_FALSE(CardProfile::named("no-such-card").has_value());

    struct Bad {
        const char* json;
    };
    for (const char* json :
         {"{", "[]", "{\"kind\": \"plastic\"}", "{}", "{\"kind\": \"chip\", \"applications\": []}",
          "{\"kind\": \"chip\", \"faults\": [{\"step\": \"x\", \"kind\": 3}]}"}) {
        QString error;
        EXPECT_FALSE(CardProfile::fromJson(json, &error).has_value()) << json;
        EXPECT_FALSE(error.isEmpty()) << json;
        EXPECT_FALSE(world->presentCardJson(json)) << json;
    }
    EXPECT_EQ(world->queuedCards(), 0);
}

// Finder names come from a thread of the finder's own; a cleared listener hears nothing more.
class FinderRecorder : public ReaderFinderListener {
public:
    std::mutex mutex;
    QStringList names;
    std::atomic<bool> offMainThread = false;
    void onBluetoothName2Mode(const QString& name) override {
        std::lock_guard lock(mutex);
        names << name;
        if (QThread::currentThread() != qApp->thread())
            offMainThread = true;
    }
    void finishScanQPos2Mode() override {}
    void bluetoothIsPowerOff2Mode() override {}
    void bluetoothIsPowerOn2Mode() override {}
};

TEST_F(SimulatedReaderTest, FinderReportsFromItsOwnThreadAndCentralMeasuresSignals) {
    SimulatedReaderDevice hidden;
    hidden.name = "MPOS-SIM-C";
    hidden.seenByCentral = false;
    hidden.appearsAfterMs = 3000;
    world->addReader(hidden);

    FinderRecorder finderListener;
    auto finder = world->makeFinder();
    finder->setListener(&finderListener);
    EXPECT_EQ(finder->state(), BluetoothState::PoweredOn);
    finder->scan(99999);
    clock->advance(100);
    world->flushFinders();
    EXPECT_EQ(finderListener.names, (QStringList{"MPOS-SIM-A", "MPOS-SIM-B"}));
    EXPECT_TRUE(finderListener.offMainThread);

    class Central : public BluetoothCentralListener {
    public:
        QList<int> states;
        QHash<QString, int> signals_;
        void centralManagerDidUpdateState(int state) override { states << state; }
        void centralManagerDidDiscoverPeripheral(const QString& name, int rssi) override {
            signals_.insert(name, rssi);
        }
    } centralListener;
    auto central = world->makeCentral();
    central->setListener(&centralListener);
    central->scanForPeripherals();
    clock->advance(4000);
    world->flushFinders();
    EXPECT_EQ(centralListener.states, QList<int>{BluetoothState::PoweredOn});
    EXPECT_EQ(centralListener.signals_.value("MPOS-SIM-A"), -52);
    EXPECT_FALSE(centralListener.signals_.contains("MPOS-SIM-C"));
    EXPECT_TRUE(finderListener.names.contains("MPOS-SIM-C"));

    finder->setListener(nullptr);
    finder->scan(99999);
    world->setBluetoothState(BluetoothState::PoweredOff);
    clock->advance(100);
    world->flushFinders();
    EXPECT_EQ(finderListener.names.size(), 3);
    EXPECT_EQ(centralListener.states.last(), BluetoothState::PoweredOff);
}

TEST(ReaderFactoryTest, KindComesFromTheEnvironmentOrTheSdkCall) {
    struct Case {
        const char* env;
        const char* kind;
    };
    for (const Case c :
         {Case{"", "bluetooth"}, Case{"simulated", "simulated"}, Case{" Simulated ", "simulated"},
          Case{"bluetooth", "bluetooth"}, Case{"carrier-pigeon", "bluetooth"}}) {
        qputenv("TARVELLO_READER", c.env);
        EXPECT_EQ(ReaderFactory::configuredKind(), c.kind) << c.env;
    }
    qunsetenv("TARVELLO_READER");
    EXPECT_EQ(ReaderFactory::makeKind("SIMULATED")->kind(), "simulated");
    EXPECT_EQ(ReaderFactory::makeKind("nfc"), nullptr);

    Services::set<ReaderFactory>(ReaderFactory::makeKind("simulated"));
    const auto factory = ReaderFactory::current();
    EXPECT_EQ(factory->kind(), "simulated");
    EXPECT_EQ(factory->sharedService(), factory->sharedService());
    Services::set<ReaderFactory>(nullptr);
}

} // namespace simulated_reader_test
