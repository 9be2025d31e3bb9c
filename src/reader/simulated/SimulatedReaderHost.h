#pragma once

#include "platform/ui/ViewController.h"
#include "reader/DSpreadViewControllerDelegate.h"

#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

// A card-reading screen without a screen, for running a reader session where no card-reading
// screen exists: the demo's reader command, benchmarks and tests. It keeps what the session
// tells it (status texts, the reader list, the help alert, the battery) and answers the
// card-processing questions plainly; the payment endings only count.
class SimulatedReaderHost : public ViewController, public DSpreadViewControllerDelegate {
public:
    explicit SimulatedReaderHost(QObject* parent = nullptr);
    ~SimulatedReaderHost() override;

    // Runs at every card wait the reader starts.
    std::function<void()> onCardWait;

    std::shared_ptr<Sale> sale_;
    bool processing = false;
    bool demo = false;
    DeviceSelectorList* selector = nullptr;
    AlertController* help = nullptr;
    int helpShown = 0;
    QWidget nfcButton;
    QStringList messages;
    float battery = -1;
    bool charging = false;
    int cardWaits = 0;
    int selectedReaderShown = 0;

    // DSpreadViewControllerDelegate
    ViewController* hostViewController() override { return this; }
    std::shared_ptr<Sale> sale() override { return sale_; }
    bool isProcessingCard() override { return processing; }
    void setIsProcessingCard(bool value) override { processing = value; }
    bool demoPresentation() override { return demo; }
    DeviceSelectorList* deviceSelector() override { return selector; }
    DeviceSelectorList* createDeviceSelector() override;
    void removeDeviceSelector() override;
    AlertController* deviceConnectionErrorAlertController() override { return help; }
    void setDeviceConnectionErrorAlertController(AlertController* alert) override;
    QWidget* enableNFCButton() override { return &nfcButton; }
    QWidget* translucent() override { return nullptr; }
    QLabel* userMessage() override { return nullptr; }
    QString userMessageStr() override { return messages.value(messages.size() - 1); }
    int swipeErrorCounter() override { return 0; }
    QVariantMap buyerDic() override { return buyer_; }
    void setBuyerDic(const QVariantMap& buyer) override { buyer_ = buyer; }
    void setPotentialBuyers(const QVariantList&) override {}
    void setCurrentCreditCard(std::shared_ptr<CreditCard>) override {}
    void changeUserMessage(const QString& message) override { messages << message; }
    void changeUserAttributedMessage(const QString& message) override { messages << message; }
    void showSelectedReader() override { ++selectedReaderShown; }
    void showHelpButton(bool) override {}
    QString readerDemoInitialMessage() override { return QStringLiteral("demo"); }
    void showBatteryCharging(float charge, bool isCharging) override;
    void hideBatteryIndicator() override { battery = -1; }
    void showAcceptedCards() override;
    void processingCard() override { processing = true; }
    void cancelProcessing(std::function<void()> completion) override;
    void enteringPin() override {}
    void processingTipWithBlock(float, std::function<void(bool)> completion) override;
    void updateTotal() override {}
    void savePayment() override {}
    void processSale() override {}
    APIControllerDelegate* operationStatusDelegate() override { return nullptr; }
    void paymentApproved() override { ++endings; }
    void goSendReceipt() override { ++endings; }
    void refundDone() override { ++endings; }
    void backToSale() override { ++endings; }
    void readerDemoDismissed() override { ++endings; }
    int endings = 0;

private:
    QVariantMap buyer_;
};
