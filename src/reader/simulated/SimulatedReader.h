#pragma once

#include "reader/service/ReaderFactory.h"
#include "reader/simulated/CardProfile.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QVariantList>
#include <deque>
#include <memory>
#include <optional>

class SimulatedReaderService;
class SimulatedReaderFinder;
class SimulatedBluetoothCentral;

// A reader in range of the simulated Bluetooth.
struct SimulatedReaderDevice {
    QString name;
    std::optional<int> rssi = -50; // none: the central never hears it
    bool seenByFinder = true;
    bool seenByCentral = true;
    int appearsAfterMs = 0; // after a scan starts
    int battery = 100;      // percent
    bool charging = false;
    QString serial = QStringLiteral("SIM00000001");
};

// One thing the simulated side was sent: the call's name and its arguments.
struct SimulatedReaderCall {
    QString name;
    QVariantList arguments;
    qint64 at = 0; // Clock time
};

// A scripted reader world and its factory: Bluetooth power, the readers in range, a queue of
// card presentations (one per card wait; added at any time), faults, and a record of every
// call the service, finders and centrals were sent. Every answer comes after a delay on the
// Clock; finders report names from a worker thread of their own. Main-thread use only.
class SimulatedReader : public ReaderFactory {
public:
    struct Delays {
        int stepMs = 50;         // most answers
        int connectMs = 300;     // connect to connected or not detected
        int resetMs = 200;       // reset answer
        int cardMs = 500;        // card wait to the queued card's read result
        int finderUnknownMs = 0; // a new finder knows the Bluetooth state only after this
                                 // (-1: never)
    };

    SimulatedReader();
    ~SimulatedReader() override;

    // Two readers in range, "MPOS-SIM-A" (-52 dBm) and "MPOS-SIM-B" (-67 dBm), Bluetooth on,
    // and "chip-pin" presented whenever the queue is empty.
    static std::shared_ptr<SimulatedReader> withDefaultReaders();

    // ---- the world
    void setBluetoothState(int state); // BluetoothState; tells every central and finder
    int bluetoothState() const { return bluetoothState_; }
    void addReader(const SimulatedReaderDevice& reader);
    void removeReader(const QString& name);
    QList<SimulatedReaderDevice> readers() const { return readers_; }
    std::optional<SimulatedReaderDevice> reader(const QString& name) const;
    Delays& delays() { return delays_; }

    // ---- cards
    // Queues a card for the next card wait; a wait already under way takes it.
    void presentCard(const CardProfile& card);
    // Queues a named profile or a JSON profile; false (and *error) when it is neither.
    bool presentCardNamed(const QString& name, QString* error = nullptr);
    bool presentCardJson(const QByteArray& json, QString* error = nullptr);
    int queuedCards() const { return int(cards_.size()); }
    // The card presented when the queue is empty at a card wait (none: the wait times out).
    void setDefaultCard(const std::optional<CardProfile>& card) { defaultCard_ = card; }
    // Takes the inserted card out of the reader.
    void removeCard();
    bool cardInReader() const;

    // ---- faults
    void addFault(const ReaderFault& fault);
    void clearFaults() { faults_.clear(); }
    // The fault armed for the step, used up by this call; none when there is none.
    std::optional<ReaderFault> takeFault(const QString& step);

    // ---- what was sent
    QList<SimulatedReaderCall> calls() const { return calls_; }
    QStringList callNames() const;
    int countOf(const QString& name) const;
    // The arguments of the last call of that name; empty when there was none.
    QVariantList lastArguments(const QString& name) const;
    void clearCalls() { calls_.clear(); }
    void record(const QString& name, const QVariantList& arguments = {});

    // ---- the simulated side's objects
    SimulatedReaderService* service() const { return service_.get(); }
    // Waits until every finder's worker has delivered what it was handed.
    void flushFinders();

    // ReaderFactory
    QString kind() const override { return QString::fromLatin1(kSimulated); }
    std::shared_ptr<ReaderService> sharedService() override;
    std::unique_ptr<ReaderFinder> makeFinder() override;
    std::unique_ptr<BluetoothCentral> makeCentral() override;

private:
    friend class SimulatedReaderService;
    friend class SimulatedReaderFinder;
    friend class SimulatedBluetoothCentral;
    // The next card for a wait: the queue's front, else the default card.
    std::optional<CardProfile> takeCard();
    bool hasCard() const { return !cards_.empty() || defaultCard_.has_value(); }
    const CardProfile* peekCard() const;

    int bluetoothState_ = 5;
    QList<SimulatedReaderDevice> readers_;
    Delays delays_;
    std::deque<CardProfile> cards_;
    std::optional<CardProfile> defaultCard_;
    QList<ReaderFault> faults_;
    QList<SimulatedReaderCall> calls_;
    std::shared_ptr<SimulatedReaderService> service_;
    QSet<SimulatedReaderFinder*> finders_;
    QSet<SimulatedBluetoothCentral*> centrals_;
};
