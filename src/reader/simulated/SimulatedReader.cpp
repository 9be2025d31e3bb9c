#include "reader/simulated/SimulatedReader.h"

#include "platform/ui/Clock.h"
#include "reader/simulated/SimulatedBluetoothCentral.h"
#include "reader/simulated/SimulatedReaderFinder.h"
#include "reader/simulated/SimulatedReaderService.h"

SimulatedReader::SimulatedReader() = default;

SimulatedReader::~SimulatedReader() {
    if (service_)
        service_->detach();
    for (SimulatedReaderFinder* finder : std::as_const(finders_))
        finder->detach();
    for (SimulatedBluetoothCentral* central : std::as_const(centrals_))
        central->detach();
}

std::shared_ptr<SimulatedReader> SimulatedReader::withDefaultReaders() {
    auto reader = std::make_shared<SimulatedReader>();
    SimulatedReaderDevice first;
    first.name = QStringLiteral("MPOS-SIM-A");
    first.rssi = -52;
    first.battery = 85;
    first.serial = QStringLiteral("SIM4A0000001");
    reader->addReader(first);
    SimulatedReaderDevice second;
    second.name = QStringLiteral("MPOS-SIM-B");
    second.rssi = -67;
    second.battery = 40;
    second.charging = true;
    second.serial = QStringLiteral("SIM4B0000002");
    reader->addReader(second);
    reader->setDefaultCard(CardProfile::named(QStringLiteral("chip-pin")));
    return reader;
}

// ---------------------------------------------------------------- the world

void SimulatedReader::setBluetoothState(int state) {
    record(QStringLiteral("world.bluetooth"), {state});
    if (state == bluetoothState_)
        return;
    bluetoothState_ = state;
    for (SimulatedBluetoothCentral* central : std::as_const(centrals_))
        central->bluetoothChanged(state);
    for (SimulatedReaderFinder* finder : std::as_const(finders_))
        finder->bluetoothChanged(state);
    if (service_)
        service_->bluetoothChanged(state);
}

void SimulatedReader::addReader(const SimulatedReaderDevice& reader) {
    removeReader(reader.name);
    readers_.append(reader);
    for (SimulatedReaderFinder* finder : std::as_const(finders_))
        finder->readerAdded(reader.name, reader.appearsAfterMs, reader.seenByFinder);
    for (SimulatedBluetoothCentral* central : std::as_const(centrals_))
        central->readerAdded(reader.name, reader.rssi, reader.appearsAfterMs, reader.seenByCentral);
}

void SimulatedReader::removeReader(const QString& name) {
    readers_.removeIf([&](const SimulatedReaderDevice& r) { return r.name == name; });
}

std::optional<SimulatedReaderDevice> SimulatedReader::reader(const QString& name) const {
    for (const SimulatedReaderDevice& r : readers_)
        if (r.name == name)
            return r;
    return std::nullopt;
}

// ---------------------------------------------------------------- cards

void SimulatedReader::presentCard(const CardProfile& card) {
    cards_.push_back(card);
    if (service_)
        service_->cardQueued();
}

bool SimulatedReader::presentCardNamed(const QString& name, QString* error) {
    const auto card = CardProfile::named(name);
    if (!card) {
        if (error)
            *error = QStringLiteral("no card profile named \"%1\"").arg(name);
        return false;
    }
    presentCard(*card);
    return true;
}

bool SimulatedReader::presentCardJson(const QByteArray& json, QString* error) {
    const auto card = CardProfile::fromJson(json, error);
    if (!card)
        return false;
    presentCard(*card);
    return true;
}

std::optional<CardProfile> SimulatedReader::takeCard() {
    if (!cards_.empty()) {
        CardProfile card = cards_.front();
        cards_.pop_front();
        return card;
    }
    return defaultCard_;
}

const CardProfile* SimulatedReader::peekCard() const {
    if (!cards_.empty())
        return &cards_.front();
    return defaultCard_ ? &*defaultCard_ : nullptr;
}

void SimulatedReader::removeCard() {
    record(QStringLiteral("world.removeCard"));
    if (service_)
        service_->removeCard();
}

bool SimulatedReader::cardInReader() const {
    return service_ && service_->cardInReader();
}

// ---------------------------------------------------------------- faults

void SimulatedReader::addFault(const ReaderFault& fault) {
    faults_.append(fault);
}

std::optional<ReaderFault> SimulatedReader::takeFault(const QString& step) {
    for (qsizetype i = 0; i < faults_.size(); ++i) {
        ReaderFault& fault = faults_[i];
        if (fault.step != step)
            continue;
        const ReaderFault played = fault;
        if (fault.times > 0 && --fault.times == 0)
            faults_.removeAt(i);
        return played;
    }
    return std::nullopt;
}

// ---------------------------------------------------------------- what was sent

void SimulatedReader::record(const QString& name, const QVariantList& arguments) {
    calls_.append({name, arguments, Clock::current().now()});
}

QStringList SimulatedReader::callNames() const {
    QStringList names;
    for (const SimulatedReaderCall& call : calls_)
        names.append(call.name);
    return names;
}

int SimulatedReader::countOf(const QString& name) const {
    return int(std::count_if(calls_.begin(), calls_.end(),
                             [&](const SimulatedReaderCall& c) { return c.name == name; }));
}

QVariantList SimulatedReader::lastArguments(const QString& name) const {
    for (auto it = calls_.rbegin(); it != calls_.rend(); ++it)
        if (it->name == name)
            return it->arguments;
    return {};
}

void SimulatedReader::flushFinders() {
    for (SimulatedReaderFinder* finder : std::as_const(finders_))
        finder->flush();
}

// ---------------------------------------------------------------- factory

std::shared_ptr<ReaderService> SimulatedReader::sharedService() {
    if (!service_)
        service_ = std::make_shared<SimulatedReaderService>(this);
    return service_;
}

std::unique_ptr<ReaderFinder> SimulatedReader::makeFinder() {
    auto finder = std::make_unique<SimulatedReaderFinder>(this);
    finders_.insert(finder.get());
    return finder;
}

std::unique_ptr<BluetoothCentral> SimulatedReader::makeCentral() {
    auto central = std::make_unique<SimulatedBluetoothCentral>(this);
    centrals_.insert(central.get());
    return central;
}
