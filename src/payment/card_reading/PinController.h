#pragma once

#include "payment/card_reading/CardholderStep.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>
#include <memory>

class AccountSettings;

// The cardholder check after the card read: the merchant types the cardholder's document
// number (at most 8 digits) and continues to the signature screen or, when no signature is
// needed, uploads the number and moves on to the receipt's buyer data. It also acts on the
// answers of the operation's requests sent with it as delegate (register sale, refund, void,
// buyer lookup, operation status).
//
// Outlets by objectName: "header", "instructions", "idNumber", "cvv", "cvvIcon", "line1",
// "pinView1".."pinView4", "documentTypeButton", "documentTypePicker", "numberToolbar2",
// "continueButtonBig".
class PinController : public CardholderStep {
    Q_OBJECT
    Q_PROPERTY(QVariantList potentialBuyers READ potentialBuyers WRITE setPotentialBuyers)
public:
    static constexpr int kIdNumberLimit = 8;
    // Error code of the flow's end on a refusal.
    static constexpr int kDenied = 1004;

    explicit PinController(QObject* parent = nullptr);
    ~PinController() override;

    QVariantList potentialBuyers() const { return potentialBuyers_; }
    void setPotentialBuyers(const QVariantList& buyers) { potentialBuyers_ = buyers; }
    bool signatureRequired() const { return signatureRequired_; }
    bool requireSecurityCode() const { return requireSecurityCode_; }
    int pinLength() const { return pinLength_; }
    QStringList documentTypes() const { return documentTypes_; }
    SystemAlert* responseError() const { return responseError_; }

    // Whether the operation needs the cardholder's signature: not with a PIN block, not for a
    // refund, else when the total reaches the account's limit (converted by the first account
    // currency's rate when the currencies differ; without a usable rate the cardholder signs).
    static bool signatureRuleFor(const Sale& sale, const AccountSettings& settings);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void prepareForSegue(StoryboardSegue& segue, QObject* sender) override;
    bool shouldAutorotate() const override { return true; }

    // Continue: checks the document number, then signature or upload and the receipt step.
    void done();
    void cancel();
    void changeDocumentType();
    void checkCVV2();
    // A signed-off operation: signature, the end of a refund or void, or the receipt step.
    void finishSale();
    void dismissView();
    // The choice after an operation that went wrong: button 0 starts over (a refund back to its
    // first screen; a sale empty, with the amount keypad reset, at the root), button 1 goes back
    // one screen; any other button does nothing.
    void showActionSheet();
    void actionSheetClickedButtonAtIndex(int index);
    // The gap below the continue button: the keyboard's height plus 30 while it is up.
    int buttonBottomGap() const;

    void apiDidFailWithError(const TarvelloError& error, int functionName) override;
    bool
    apiDidFinishDownloadingWithDictionary(int functionName,
                                          const std::optional<QVariantMap>& dictionary) override;

    bool textFieldShouldReturn(TextField* field) override;
    int pickerViewNumberOfRowsInComponent(PickerView* picker, int component) override;
    QString pickerViewTitleForRow(PickerView* picker, int row, int component) override;
    void pickerViewDidSelectRow(PickerView* picker, int row, int component) override;

protected:
    QWidget* loadView() override;
    void resendForced() override;

private:
    QString text(const char* section, const char* key) const;
    void checkLength();
    void layoutPinBoxes();
    void applySecurityCodeVisibility();
    void handleRegistration(int code, const QVariantMap& reply);
    void showResponseError(const QString& message);
    void showBackButton();
    void uploadPersonalIdAndGoOn();

    AccountSettings* settings_ = nullptr;
    QVariantList potentialBuyers_;
    QStringList documentTypes_;
    bool signatureRequired_ = false;
    bool requireSecurityCode_ = false;
    bool requireSecurityCodeOnPei_ = false;
    int pinLength_ = 3;
    QPointer<SystemAlert> responseError_;

    QPointer<QLabel> header_;
    QPointer<QLabel> instructions_;
    QPointer<TextField> idNumber_;
    QPointer<TextField> cvv_;
    QPointer<QWidget> cvvIcon_;
    QPointer<QWidget> line1_;
    QPointer<QWidget> pinBoxes_;
    QList<QPointer<QWidget>> pinViews_;
    QPointer<QPushButton> documentTypeButton_;
    QPointer<PickerView> documentTypePicker_;
    QPointer<QWidget> numberToolbar2_;
    QPointer<QPushButton> continueButtonBig_;
    QList<QPointer<TextField>> textFields_;
};
