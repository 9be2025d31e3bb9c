#pragma once

#include "SDK/session/SessionTimer.h"
#include "api/SignatureQueue.h"
#include "payment/signature_receipts/SignatureView.h"
#include "platform/ui/Clock.h"
#include "platform/ui/FlowEnd.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/ViewController.h"
#include "ui_kit/TutorialHint.h"
#include "ui_kit/TutorialNavBar.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVariantMap>
#include <memory>

class ImageDownloader;
class Sale;

// The tip-and-signature screen, reached by "signatureSegue" and "goSignSegue". Accepting hands
// the signature to the SignatureQueue (kept until the back end accepts it) and ends the
// operation at once, once. Up to four tip options (obligatory tip plus the chosen one) slide the
// new total in; a four-step tour runs while the amount tutorial is not done. After a hand-over
// to the receipt screen it resets the sale-entry screen the merchant returns to and shows a
// still picture of it.
//
// Outlets by objectName: "navBar", "amountToChargeView", "amountToCharge", "tipToCharge",
// "tipLine", "chargeDescription", "cardHolderName", "cardNumber", "cardImage", "termsLabel",
// "signatureView", "signatureX", "signatureLine", "divLine", "footerView", "continueButton",
// "continueButtonSmall", "cleanButton", "tipButton", "tipOption0" .. "tipOption3",
// "tipOptionFree"; after the reset "stillImage" and "stillNavBar".
class SignController : public ViewController,
                       public SaleReceiver,
                       public TutorialNavBarDelegate,
                       public SessionTimerDelegate {
    Q_OBJECT
    Q_PROPERTY(QVariantMap buyerDic READ buyerDic WRITE setBuyerDic)
public:
    static constexpr int kAmountSlideMs = 350;
    static constexpr int kTipsFadeMs = 300;
    static constexpr int kSignPauseMs = 1500;
    static constexpr int kTipEffectPauseMs = 500;
    static constexpr int kNavBarHeight = 32;
    static constexpr int kStillBarHeight = 64;
    static constexpr int kNoDescriptionAmountY = 223;

    explicit SignController(QObject* parent = nullptr);
    ~SignController() override;

    void setSale(std::shared_ptr<Sale> sale) override { sale_ = std::move(sale); }
    std::shared_ptr<Sale> sale() const { return sale_; }
    QVariantMap buyerDic() const { return buyerDic_; }
    void setBuyerDic(const QVariantMap& buyer) { buyerDic_ = buyer; }
    // The queue the signature goes through; the shared one unless set (not owned).
    void setSignatureQueue(SignatureQueue* queue) { queue_ = queue; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidDisappear(bool animated) override;
    void viewDidLayoutSubviews() override;
    void prepareForSegue(StoryboardSegue& segue, QObject* sender) override;
    // Landscape-left while in use, portrait after the reset.
    int supportedInterfaceOrientations() const override { return autorotate_ ? 2 : 16; }
    bool shouldAutorotate() const override { return autorotate_; }
    bool prefersStatusBarHidden() const override { return !autorotate_; }

    void acceptSignature();
    void cleanSignature();
    // Stores the signature with the queue, then ends the operation.
    void saveSignature();
    // Ends the operation: paymentDone for a sale, operationDone otherwise; later calls do nothing.
    void goToSendReceipt();

    // Tips.
    void showAvailableTips(QObject* sender);
    void selectTip(int index);
    void selectTipFree();
    void updateFinalAmount(const QString& amountText, const QString& tipText);

    // Tutorial.
    void tutorialStart();
    void tutorialNextStep();
    void cancelTutorial() override;
    void removeTutorialViews();

    bool sessionExpired() override;
    bool sessionExpiredFromTimer() override { return true; }

    bool blankSignature() const { return blankSignature_; }
    bool isDone() const { return isDone_; }
    bool hasEnded() const { return ended_; }
    int tutorialStep() const { return tutorialStep_; }
    TutorialHint* tutorialHint() const { return tutorialHint_; }
    TutorialNavBar* tutorialNavBar() const { return tutorialNavBar_; }

    SignatureView* signatureView() const { return signatureView_; }
    QLabel* amountToCharge() const { return amountToCharge_; }
    QLabel* tipToCharge() const { return tipToCharge_; }
    QLabel* chargeDescription() const { return chargeDescription_; }
    QLabel* cardHolderName() const { return cardHolderName_; }
    QLabel* cardNumber() const { return cardNumber_; }
    ImageView* cardImage() const { return cardImage_; }
    QWidget* amountToChargeView() const { return amountToChargeView_; }
    QPushButton* continueButton() const { return continueButton_; }
    QPushButton* tipButton() const { return tipButton_; }
    QPushButton* tipOption(int index) const;
    QPushButton* tipOptionFree() const { return tipOptionFree_; }

protected:
    QWidget* loadView() override;

private:
    void setViewInformation();
    void setTipOptions();
    void placeTipLine(const QString& amountText, const QString& tipText);
    void stopTutorialTimer();
    void resetReturnedToScreen();
    void showStill(ViewController* screen, const QString& title, bool tabBar);
    int amountTextWidth(const QString& text) const;

    std::shared_ptr<Sale> sale_;
    QVariantMap buyerDic_;
    SignatureQueue* queue_ = nullptr;
    bool blankSignature_ = true;
    bool isDone_ = false;
    bool ended_ = false;
    bool autorotate_ = false;
    bool tipSegueRunning_ = false;
    bool descriptionShown_ = true;
    int tutorialStep_ = 0;
    Clock::Handle tutorialTimer_ = 0;
    QPointer<TutorialHint> tutorialHint_;
    QPointer<TutorialNavBar> tutorialNavBar_;

    QPointer<QWidget> navBar_;
    QPointer<QLabel> navTitle_;
    QPointer<QWidget> amountToChargeView_;
    QPointer<QLabel> amountToCharge_;
    QPointer<QLabel> tipToCharge_;
    QPointer<QWidget> tipLine_;
    QPointer<QLabel> chargeDescription_;
    QPointer<QLabel> cardHolderName_;
    QPointer<QLabel> cardNumber_;
    QPointer<ImageView> cardImage_;
    QPointer<QLabel> termsLabel_;
    QPointer<QWidget> padFrame_;
    QPointer<SignatureView> signatureView_;
    QPointer<ImageView> signatureX_;
    QPointer<ImageView> signatureLine_;
    QPointer<QWidget> divLine_;
    QPointer<QPushButton> continueButton_;
    QPointer<QPushButton> continueButtonSmall_;
    QPointer<QPushButton> cleanButton_;
    QPointer<QPushButton> tipButton_;
    QPointer<QPushButton> tipOptions_[4];
    QPointer<QPushButton> tipOptionFree_;
    QPointer<ImageDownloader> downloader_;
};
