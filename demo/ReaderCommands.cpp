#include "ReaderCommands.h"

#include "model/Sale.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/Clock.h"
#include "reader/DSpreadViewController.h"
#include "reader/service/ReaderFactory.h"
#include "reader/simulated/SimulatedReader.h"
#include "reader/simulated/SimulatedReaderHost.h"

#include <QTemporaryDir>

namespace {

constexpr int kGiveUpMs = 25000; // beyond the 20 s a session waits for Bluetooth

// One reader session with a screenless host; reports once and then ends itself.
class ReaderSessionRun : public QObject {
public:
    explicit ReaderSessionRun(TarvelloSDK::Completion completion)
        : completion_(std::move(completion)) {
        // The remembered reader lives in a store of this run only.
        Services::set(std::make_shared<UserDefaults>(defaultsDir_.path()));
        factory_ = ReaderFactory::current();
        if (auto world = std::dynamic_pointer_cast<SimulatedReader>(factory_)) {
            const auto readers = world->readers();
            if (!readers.isEmpty())
                remembered_ = readers.last().name;
        }
        if (!remembered_.isEmpty())
            UserDefaults::standardUserDefaults().setObject(remembered_, "defaultPosBluetoothName");
        host_ = new SimulatedReaderHost(this);
        // Reported after the reader's callback has run to its end.
        host_->onCardWait = [this] {
            Clock::current().callAfter(0, this, [this] { finish(true); });
        };
        controller_ = new DSpreadViewController(host_, false, this);
        controller_->beginAppearanceTransition(true, false);
        controller_->endAppearanceTransition();
        Clock::current().callAfter(kGiveUpMs, this, [this] { finish(false); });
    }

private:
    void finish(bool cardWait) {
        if (finished_)
            return;
        finished_ = true;
        const QString name = controller_->currentDeviceName();
        QVariantMap result{{"reader", name},
                           {"kind", factory_->kind()},
                           {"remembered", !name.isEmpty() && name == remembered_},
                           {"battery", host_->battery >= 0
                                           ? QVariant(qRound(host_->battery * 100) / 100.0)
                                           : QVariant()},
                           {"serial", host_->sale_->fullSerialNumber()},
                           {"cardWaitStarted", cardWait}};
        if (!cardWait)
            result.insert("message", host_->userMessageStr());
        // The session and the reader side end here, while the clock they run on is alive.
        controller_->setDelegate(nullptr);
        controller_->cleanup();
        delete controller_;
        delete host_;
        factory_.reset();
        Services::set<ReaderFactory>(nullptr);
        Services::set<UserDefaults>(nullptr);
        defaultsDir_.remove();
        const auto completion = completion_;
        deleteLater();
        completion(result, cardWait);
    }

    TarvelloSDK::Completion completion_;
    QTemporaryDir defaultsDir_;
    std::shared_ptr<ReaderFactory> factory_;
    QString remembered_;
    SimulatedReaderHost* host_ = nullptr;
    DSpreadViewController* controller_ = nullptr;
    bool finished_ = false;
};

} // namespace

bool runReaderCommand(const QString& command, const QStringList& arguments,
                      const TarvelloSDK::Completion& completion, QString* error) {
    if (command != "reader")
        return false;
    if (!arguments.isEmpty()) {
        *error = "reader takes no arguments";
        return false;
    }
    new ReaderSessionRun(completion);
    return true;
}

QString readerCommandsUsage() {
    return "                     [--reader bluetooth|simulated] reader\n";
}
