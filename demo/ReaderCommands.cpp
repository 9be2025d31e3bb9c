#include "ReaderCommands.h"

#include "SDK/session/User.h"
#include "api/HostCredentials.h"
#include "model/CreditCard.h"
#include "model/Sale.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/Clock.h"
#include "reader/CardAttempt.h"
#include "reader/DSpreadViewController.h"
#include "reader/service/ReaderFactory.h"
#include "reader/simulated/SimulatedReader.h"
#include "reader/simulated/SimulatedReaderHost.h"
#include "reader/simulated/SimulatedReaderService.h"

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

// The card-reading screen of a sale: goes on to the signature rule on approval and ends the run
// at the first outcome.
class SaleHost : public SimulatedReaderHost {
public:
    using SimulatedReaderHost::SimulatedReaderHost;
    std::function<void(const QString& outcome)> onOutcome;
    QPointer<DSpreadViewController> controller;
    void paymentApproved() override {
        if (controller)
            controller->DSpread_CardAccepted();
    }
    void goSendReceipt() override { onOutcome("approved"); }
    void refundDone() override { onOutcome("approved"); }
    void backToSale() override { onOutcome("backToSale"); }
};

// One card sale on the reader: connects, reads the card, submits it, answers the reader and
// reports what happened once.
class ReaderSaleRun : public QObject {
public:
    ReaderSaleRun(double amount, const QString& card, TarvelloSDK::Completion completion)
        : completion_(std::move(completion)) {
        Services::set(std::make_shared<UserDefaults>(defaultsDir_.path()));
        factory_ = ReaderFactory::current();
        world_ = std::dynamic_pointer_cast<SimulatedReader>(factory_);
        if (world_) {
            world_->setDefaultCard(std::nullopt);
            world_->presentCardNamed(card);
            const auto readers = world_->readers();
            if (!readers.isEmpty())
                UserDefaults::standardUserDefaults().setObject(readers.first().name,
                                                               "defaultPosBluetoothName");
        }
        User::instance().setToken(HostCredentials::userToken().value_or(QString()));
        host_ = new SaleHost(this);
        host_->sale_->setSubtotal(Amount::initWithDouble(amount));
        host_->sale_->setCurrencyCode("032");
        host_->onOutcome = [this](const QString& outcome) {
            Clock::current().callAfter(0, this, [this, outcome] { finish(outcome); });
        };
        // A card wait after the card was read: the transaction ended without approval.
        host_->onCardWait = [this] {
            if (++cardWaits_ > 1)
                Clock::current().callAfter(0, this, [this] { finish("declined"); });
        };
        controller_ = new DSpreadViewController(host_, false, this);
        host_->controller = controller_;
        controller_->beginAppearanceTransition(true, false);
        controller_->endAppearanceTransition();
        Clock::current().callAfter(kGiveUpMs, this, [this] { finish("timedOut"); });
    }

private:
    void finish(const QString& outcome) {
        if (finished_)
            return;
        finished_ = true;
        QStringList responses;
        if (world_)
            for (const SimulatedReaderCall& call : world_->calls())
                if (call.name == "sendOnlineProcessResult")
                    responses << call.arguments.value(0).toString().left(8);
        const auto attempt = controller_->attempt();
        const auto sdk = host_->sale_->customResponse();
        QVariantMap result{{"outcome", outcome},
                           {"authorisationResponses", responses},
                           {"operationId", attempt && attempt->acceptedId()
                                               ? QVariant(QString::number(*attempt->acceptedId()))
                                               : QVariant()},
                           {"statusReported", attempt && attempt->reported()},
                           {"message", host_->userMessageStr()},
                           {"sdk", sdk ? QVariant(*sdk) : QVariant()}};
        controller_->setDelegate(nullptr);
        controller_->cleanup();
        delete controller_;
        delete host_;
        world_.reset();
        factory_.reset();
        Services::set<ReaderFactory>(nullptr);
        Services::set<UserDefaults>(nullptr);
        defaultsDir_.remove();
        const auto completion = completion_;
        deleteLater();
        completion(result, outcome == "approved");
    }

    TarvelloSDK::Completion completion_;
    QTemporaryDir defaultsDir_;
    std::shared_ptr<ReaderFactory> factory_;
    std::shared_ptr<SimulatedReader> world_;
    SaleHost* host_ = nullptr;
    DSpreadViewController* controller_ = nullptr;
    int cardWaits_ = 0;
    bool finished_ = false;
};

} // namespace

bool runReaderCommand(const QString& command, const QStringList& arguments,
                      const TarvelloSDK::Completion& completion, QString* error) {
    if (command == "reader-sale") {
        QStringList rest = arguments;
        QString card = "chip-pin";
        if (rest.size() >= 2 && rest.first() == "--card") {
            card = rest.at(1);
            rest = rest.mid(2);
        }
        bool ok = false;
        const double amount = rest.value(0).toDouble(&ok);
        if (rest.size() != 1 || !ok || amount <= 0) {
            *error = "reader-sale takes one AMOUNT";
            return false;
        }
        if (!CardProfile::named(card)) {
            *error = "unknown card: " + card + " (" + CardProfile::names().join(", ") + ")";
            return false;
        }
        new ReaderSaleRun(amount, card, completion);
        return true;
    }
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
    return "                     [--reader bluetooth|simulated] reader\n"
           "                     --reader simulated [--card PROFILE] reader-sale AMOUNT\n";
}
