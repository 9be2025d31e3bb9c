#pragma once

#include "platform/ui/Clock.h"
#include "reader/service/ReaderFinder.h"

#include <QList>
#include <QObject>
#include <QString>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class SimulatedReader;

// A reader finder of the simulated world. Scan timing runs on the Clock; what it finds is
// handed to a worker thread of its own, which calls the listener, as a finder does.
class SimulatedReaderFinder : public ReaderFinder {
public:
    explicit SimulatedReaderFinder(SimulatedReader* world);
    ~SimulatedReaderFinder() override;

    void detach();
    // The world's Bluetooth changed; a finder that knows its state reports it.
    void bluetoothChanged(int state);
    // A reader came into range while scanning.
    void readerAdded(const QString& name, int appearsAfterMs, bool seenByFinder);
    // Waits until the worker has delivered everything handed to it.
    void flush();
    bool isScanning() const { return scanning_; }

    // ReaderFinder
    void setListener(ReaderFinderListener* listener) override;
    int state() const override;
    void scan(qint64 seconds) override;
    void stop() override;

private:
    // Hands a call to the listener over to the worker thread.
    void deliver(std::function<void(ReaderFinderListener&)> call);
    void workerLoop();

    SimulatedReader* world_;
    qint64 createdAt_;
    bool scanning_ = false;
    QList<Clock::Handle> scanHandles_;
    QObject context_;

    std::mutex listenerMutex_; // held while the listener is called
    ReaderFinderListener* listener_ = nullptr;

    std::mutex queueMutex_;
    std::condition_variable queueChanged_;
    std::deque<std::function<void(ReaderFinderListener&)>> queue_;
    bool busy_ = false;
    bool quit_ = false;
    std::thread worker_;
};
