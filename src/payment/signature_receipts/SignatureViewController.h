#pragma once

#include "api/SignatureQueue.h"
#include "payment/signature_receipts/SignatureView.h"
#include "platform/ui/FlowEnd.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/ViewController.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <memory>

class Client;
class ImageDownloader;
class Sale;

// The screen the cardholder signs on after an approved card sale, void or refund. Continue
// hands the signature to the SignatureQueue, which keeps it until the back end accepts it;
// acceptance ends the flow once (paymentDone for a sale, operationDone otherwise), a refusal
// or a failed connection shows an alert and continue tries again. Continue and erase are off
// while an upload is pending.
//
// Outlets by objectName: "amountLabel", "clientNameLabel", "paymentMethodLabel",
// "signaturePlaceholderLabel", "disclaimerLabel", "cardNumberLabel", "signatureBackgroundView",
// "signatureContainerView", "cardIssuerImageView", "continueButton", "eraseButton".
class SignatureViewController : public ViewController, public SaleReceiver {
    Q_OBJECT
public:
    explicit SignatureViewController(QObject* parent = nullptr);
    ~SignatureViewController() override;

    // The registered screen, or a new one when the registry has none.
    static SignatureViewController* instanceFromStoryboard();
    // The screen for the sale, full screen.
    static SignatureViewController* instanceWithSale(std::shared_ptr<Sale> sale,
                                                     std::shared_ptr<Client> client);

    std::shared_ptr<Sale> sale() const { return sale_; }
    // The sale to sign for; its client stands in while none is set.
    void setSale(std::shared_ptr<Sale> sale) override;
    std::shared_ptr<Client> client() const { return client_; }
    void setClient(std::shared_ptr<Client> client) { client_ = std::move(client); }
    // The queue uploads go through; the shared one unless set (not owned).
    void setSignatureQueue(SignatureQueue* queue) { queue_ = queue; }

    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;
    void viewDidDisappear(bool animated) override;
    int supportedInterfaceOrientations() const override { return autorotate_ ? 2 : 24; }
    bool shouldAutorotate() const override { return autorotate_; }

    void continueButtonTapped();
    void eraseButtonTapped();
    bool emptySignature() const { return emptySign_; }
    bool isDone() const { return isDone_; }
    bool isUploading() const { return uploading_; }
    // Ends the flow; later calls do nothing.
    void done();

    QLabel* amountLabel() const { return amountLabel_; }
    QLabel* paymentMethodLabel() const { return paymentMethodLabel_; }
    SignatureView* signatureContainerView() const { return signatureView_; }
    ImageView* cardIssuerImageView() const { return cardIssuerImageView_; }
    QPushButton* continueButton() const { return continueButton_; }
    QPushButton* eraseButton() const { return eraseButton_; }

protected:
    QWidget* loadView() override;

private:
    void setViewInformation();
    void setViewStyle();
    void signatureFinished(const QString& saleId, SignatureQueue::Outcome outcome,
                           const QString& message);
    void setUploading(bool uploading);
    void showAlert(const QString& message);

    std::shared_ptr<Sale> sale_;
    std::shared_ptr<Client> client_;
    SignatureQueue* queue_ = nullptr;
    QMetaObject::Connection queueConnection_;
    bool emptySign_ = true;
    bool autorotate_ = false;
    bool isDone_ = false;
    bool uploading_ = false;
    QPointer<QLabel> amountLabel_;
    QPointer<QLabel> clientNameLabel_;
    QPointer<QLabel> paymentMethodLabel_;
    QPointer<QLabel> signaturePlaceholderLabel_;
    QPointer<QLabel> disclaimerLabel_;
    QPointer<QLabel> cardNumberLabel_;
    QPointer<QWidget> signatureBackgroundView_;
    QPointer<SignatureView> signatureView_;
    QPointer<ImageView> cardIssuerImageView_;
    QPointer<QPushButton> continueButton_;
    QPointer<QPushButton> eraseButton_;
    QPointer<ImageDownloader> downloader_;
};
