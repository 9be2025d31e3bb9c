#pragma once

#include "SDK/session/SessionTimer.h"
#include "api/APIControllerDelegate.h"
#include "platform/ui/FlowEnd.h"
#include "platform/ui/ViewController.h"
#include "ui_kit/ImageDownloader.h"
#include "ui_kit/TutorialHint.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <memory>

class ImageView;
class Sale;

// The end of a card sale in the merchant application: the amount collected, whether the receipt
// was sent, a print button for the back end's PDF receipt and the new-sale button, which hands
// the sale (as it was given, before any reset) back up the modal chain with paymentDone, once.
//
// Outlets by objectName: "paymentAmount", "thanksLabel", "userPicture", "pictureBorder",
// "continueButton", "receiptSent", "sendReceiptUnderline", "accountUnderline"; the print button
// of the navigation bar is "printItem".
class PaymentDoneController : public ViewController,
                              public SaleReceiver,
                              public SessionTimerDelegate,
                              public ImageDownloaderDelegate,
                              public APIControllerDelegate {
    Q_OBJECT
public:
    explicit PaymentDoneController(QObject* parent = nullptr);
    ~PaymentDoneController() override;

    // Keeps the sale and a copy of it, which later resets of the sale leave untouched.
    void setSale(std::shared_ptr<Sale> sale) override;
    std::shared_ptr<Sale> sale() const { return sale_; }
    std::shared_ptr<Sale> uncleanedSale() const { return uncleanedSale_; }
    int tutorialStep() const { return tutorialStep_; }
    TutorialHint* tutorialHint() const { return tutorialHint_; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    int supportedInterfaceOrientations() const override { return 2; }

    void newPayment();
    void dismissAllParentViews();
    void printReceipt();
    void tutorialStart();
    bool inputTabBar() const { return true; }

    // APIControllerDelegate
    void apiDidFailWithError(const TarvelloError& error, int functionName) override;
    bool apiDidFinishDownloadingWithData(int functionName, const QByteArray& data) override;
    // The back end ended the session during the print request: the sale flow ends.
    bool sessionExpired() override;
    // The inactivity timer leaves the finished sale on screen.
    bool sessionExpiredFromTimer() override { return true; }

    // ImageDownloaderDelegate
    void downloadDidFinishDownloading(ImageDownloader* downloader) override;
    void download(ImageDownloader* downloader, const std::optional<TarvelloError>& error) override;

protected:
    QWidget* loadView() override;

private:
    void showPrintError();

    std::shared_ptr<Sale> sale_;
    std::shared_ptr<Sale> uncleanedSale_;
    QString opType_ = QStringLiteral("Sale");
    int tutorialStep_ = 0;
    bool handedBack_ = false;
    QPointer<TutorialHint> tutorialHint_;
    QPointer<QLabel> paymentAmount_, thanksLabel_, receiptSent_;
    QPointer<QWidget> pictureBorder_, sendReceiptUnderline_, accountUnderline_, loading_;
    QPointer<ImageView> userPicture_;
    QPointer<QPushButton> continueButton_;
};
