#include "reader/simulated/SimulatedReaderFinder.h"

#include "reader/simulated/SimulatedReader.h"

#include <limits>

SimulatedReaderFinder::SimulatedReaderFinder(SimulatedReader* world)
    : world_(world)
    , createdAt_(Clock::current().now())
    , worker_([this] { workerLoop(); }) {}

SimulatedReaderFinder::~SimulatedReaderFinder() {
    setListener(nullptr);
    {
        std::lock_guard lock(queueMutex_);
        quit_ = true;
    }
    queueChanged_.notify_all();
    worker_.join();
    if (world_)
        world_->finders_.remove(this);
}

// May run while the program ends, when the Clock is gone: pending scan steps check scanning_.
void SimulatedReaderFinder::detach() {
    scanning_ = false;
    world_ = nullptr;
}

void SimulatedReaderFinder::setListener(ReaderFinderListener* listener) {
    std::lock_guard lock(listenerMutex_);
    listener_ = listener;
}

int SimulatedReaderFinder::state() const {
    if (!world_)
        return BluetoothState::PoweredOff;
    const int unknownMs = world_->delays().finderUnknownMs;
    if (unknownMs < 0 || Clock::current().now() - createdAt_ < unknownMs)
        return BluetoothState::Unknown;
    return world_->bluetoothState();
}

void SimulatedReaderFinder::scan(qint64 seconds) {
    if (world_)
        world_->record(QStringLiteral("finder.scan"), {seconds});
    stop();
    if (!world_ || state() != BluetoothState::PoweredOn)
        return;
    scanning_ = true;
    for (const SimulatedReaderDevice& reader : world_->readers())
        readerAdded(reader.name, reader.appearsAfterMs, reader.seenByFinder);
    const qint64 lengthMs = qMin<qint64>(seconds * 1000, std::numeric_limits<int>::max());
    scanHandles_.append(Clock::current().callAfter(int(lengthMs), &context_, [this] {
        if (!scanning_)
            return;
        scanning_ = false;
        deliver([](ReaderFinderListener& l) { l.finishScanQPos2Mode(); });
    }));
}

void SimulatedReaderFinder::readerAdded(const QString& name, int appearsAfterMs,
                                        bool seenByFinder) {
    if (!scanning_ || !seenByFinder)
        return;
    scanHandles_.append(Clock::current().callAfter(appearsAfterMs, &context_, [this, name] {
        if (scanning_)
            deliver([name](ReaderFinderListener& l) { l.onBluetoothName2Mode(name); });
    }));
}

void SimulatedReaderFinder::stop() {
    if (world_ && scanning_)
        world_->record(QStringLiteral("finder.stop"));
    scanning_ = false;
    for (Clock::Handle handle : scanHandles_)
        Clock::current().cancel(handle);
    scanHandles_.clear();
}

void SimulatedReaderFinder::bluetoothChanged(int state) {
    if (this->state() == BluetoothState::Unknown)
        return;
    if (state != BluetoothState::PoweredOn)
        stop();
    if (state == BluetoothState::PoweredOn)
        deliver([](ReaderFinderListener& l) { l.bluetoothIsPowerOn2Mode(); });
    else if (state == BluetoothState::PoweredOff)
        deliver([](ReaderFinderListener& l) { l.bluetoothIsPowerOff2Mode(); });
    else if (state == BluetoothState::Unauthorized)
        deliver([](ReaderFinderListener& l) { l.bluetoothUnauthorized2Mode(); });
}

void SimulatedReaderFinder::deliver(std::function<void(ReaderFinderListener&)> call) {
    {
        std::lock_guard lock(queueMutex_);
        queue_.push_back(std::move(call));
    }
    queueChanged_.notify_all();
}

void SimulatedReaderFinder::flush() {
    std::unique_lock lock(queueMutex_);
    queueChanged_.wait(lock, [this] { return queue_.empty() && !busy_; });
}

void SimulatedReaderFinder::workerLoop() {
    for (;;) {
        std::function<void(ReaderFinderListener&)> call;
        {
            std::unique_lock lock(queueMutex_);
            queueChanged_.wait(lock, [this] { return quit_ || !queue_.empty(); });
            if (quit_)
                return;
            call = std::move(queue_.front());
            queue_.pop_front();
            busy_ = true;
        }
        {
            std::lock_guard lock(listenerMutex_);
            if (listener_)
                call(*listener_);
        }
        {
            std::lock_guard lock(queueMutex_);
            busy_ = false;
        }
        queueChanged_.notify_all();
    }
}
