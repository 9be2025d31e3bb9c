#pragma once

#include "api/APIControllerDelegate.h"
#include "model/values/Amount.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FlowEnd.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/PickerView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/ViewController.h"
#include "ui_kit/TutorialHint.h"
#include "ui_kit/TutorialNavBar.h"

#include <QDateEdit>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QVariantMap>
#include <memory>
#include <optional>

class PhoneTextField;

// The receipt step: the merchant confirms or types the buyer's data and sends the receipt
// (the buyer is saved with the sale and the back end e-mails it), or skips it. In recharge mode
// (receiptType 1) only the e-mail is asked and the voucher is e-mailed. Whatever the back end
// answers, the screen then moves on ("continueSegue", or the prepaid success screen); the sale
// is marked receipt sent only when the back end accepted the request.
//
// Outlets by objectName: the fields "emailAddress", "firstName", "lastName", "personalId",
// "birthdate", "address", "city", "state", "zipCode", "country", "phone"; "headerLabel",
// "userPicture", "userPictureButton", "moreFieldsView", "hideMoreInfoView",
// "hideMoreInfoButton", "countryPicker", "statePicker", "datePicker", "scrollView".
class SendReceiptDataController : public ViewController,
                                  public SaleReceiver,
                                  public APIControllerDelegate,
                                  public TextFieldDelegate,
                                  public PickerViewDataSource,
                                  public PickerViewDelegate,
                                  public TutorialNavBarDelegate {
    Q_OBJECT
public:
    explicit SendReceiptDataController(QObject* parent = nullptr);
    ~SendReceiptDataController() override;

    void setSale(std::shared_ptr<Sale> sale) override { sale_ = std::move(sale); }
    std::shared_ptr<Sale> sale() const { return sale_; }
    void setBuyerDic(const std::optional<QVariantMap>& record) { buyerDic_ = record; }
    std::optional<QVariantMap> buyerDic() const { return buyerDic_; }
    void setReceiptType(int type) { receiptType_ = type; }
    void setRechargeAmount(AmountPtr amount) { rechargeAmount_ = std::move(amount); }
    void setRechargeId(const QString& id) { rechargeId_ = id; }

    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void prepareForSegue(StoryboardSegue& segue, QObject* sender) override;
    int supportedInterfaceOrientations() const override { return 2; }

    // Checks the data and sends the receipt.
    void sendReceipt();
    // Skips the receipt.
    void ommit();
    static constexpr int kRevealMs = 1000;
    static constexpr int kScrollAfterRevealMs = 500;

    // Reveals the more-data fields (one way), fading them in.
    void showMoreInfo();
    // Scrolls the form to its end.
    void scrollToBottom();

    // First-use tour of the form: picture, name and e-mail, more data, sending.
    void tutorialStart();
    void tutorialNextStep();
    void cancelTutorial() override;
    void removeTutorialViews();
    int tutorialStep() const { return tutorialStep_; }
    TutorialHint* tutorialHint() const { return tutorialHint_; }
    TutorialNavBar* tutorialNavBar() const { return tutorialNavBar_; }
    // The picture button: a sheet when there is a camera, else the photo library.
    void addPicture();
    // The e-mail, spaces collapsed, when it is one valid address; none otherwise.
    std::optional<QString> validEmail() const;
    bool isShowingMoreInfo() const { return showMoreInfo_; }
    bool isInvalidEmailTipShown() const;

    TextField* field(const QString& name) const;
    PickerView* countryPicker() const { return countryPicker_; }
    PickerView* statePicker() const { return statePicker_; }
    ImageView* userPicture() const { return userPicture_; }

    void textFieldDidBeginEditing(TextField* field) override;
    void textFieldDidEndEditing(TextField* field) override;
    bool textFieldShouldReturn(TextField* field) override;

    int pickerViewNumberOfRowsInComponent(PickerView* picker, int component) override;
    QString pickerViewTitleForRow(PickerView* picker, int row, int component) override;
    void pickerViewDidSelectRow(PickerView* picker, int row, int component) override;

    void apiDidFailWithError(const TarvelloError& error, int functionName) override;
    bool
    apiDidFinishDownloadingWithDictionary(int functionName,
                                          const std::optional<QVariantMap>& dictionary) override;
    bool sessionExpired() override;

protected:
    QWidget* loadView() override;

private:
    void setViewLocalization();
    void prefill();
    void updateIcons();
    void showInvalidEmailTip();
    void selectDefaultCountry();
    void selectCountryEntry(int index, bool byHand);
    void selectDefaultProvince();
    void requestCountries();
    void pictureChosen(const QImage& image);
    void showInputView(QWidget* view);
    int selectedCountryIndex() const;
    QString birthdateForSending() const;
    void goToNextView();
    void pictureStepDone();
    void formScrolled();

    std::shared_ptr<Sale> sale_;
    std::optional<QVariantMap> buyerDic_;
    int receiptType_ = 0;
    AmountPtr rechargeAmount_;
    QString rechargeId_;
    bool buyerImageChanged_ = false;
    bool showMoreInfo_ = false;
    bool countryPickedHere_ = false;
    bool movedOn_ = false;
    bool countriesRequested_ = false;
    int tutorialStep_ = 0;
    QPointer<TutorialHint> tutorialHint_;
    QPointer<TutorialNavBar> tutorialNavBar_;
    QPointer<QWidget> itemsView_;

    QPointer<QScrollArea> scrollView_;
    QPointer<QLabel> headerLabel_;
    QPointer<QWidget> fieldsView_;
    QPointer<QWidget> moreFieldsView_;
    QPointer<QWidget> hideMoreInfoView_;
    QPointer<QPushButton> hideMoreInfoButton_;
    QPointer<ImageView> userPicture_;
    QPointer<QPushButton> userPictureButton_;
    QPointer<ImageView> userIcon_;
    QPointer<ImageView> emailIcon_;
    QPointer<TextField> emailAddress_, firstName_, lastName_, personalId_, birthdate_, address_,
        city_, state_, zipCode_, country_;
    QPointer<PhoneTextField> phone_;
    QPointer<PickerView> countryPicker_;
    QPointer<PickerView> statePicker_;
    QPointer<QDateEdit> datePicker_;
    QPointer<QWidget> inputArea_;
    QPointer<PopoverTip> tooltip_;
};
