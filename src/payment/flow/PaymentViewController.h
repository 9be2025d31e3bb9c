#pragma once

#include "SDK/session/SessionTimer.h"
#include "model/Item.h"
#include "payment/SaleEntryScreens.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/TextField.h"
#include "platform/ui/ViewController.h"
#include "ui_kit/TutorialHint.h"
#include "ui_kit/TutorialNavBar.h"

#include <QLabel>
#include <QList>
#include <QPointer>
#include <QPushButton>
#include <memory>

class AccountSettings;
class Currency;
class ImageView;
class Sale;

// The merchant application's amount keypad: the amount of the line being typed (two implied
// decimals, at most nine digits), its description and picture, the lines already put into the
// shared sale, the currency, and the charge button that hands the sale on by "goPaySegue". A
// six-step guide runs on first use.
//
// Outlets by objectName: "itemView", "centerView", "bottomView", "amount", "itemDescription",
// "collectButton", "itemListButtonArea" (currency), "eraseAmountButtonArea", "eraseArea",
// "itemPictureButton", "itemPicture", "itemPictureBorder", "itemPictureImage", keys
// "button0"-"button9", "buttonLeftCorner" ("00"), "buttonRightCorner" (backspace), key
// highlights "tutorialButton2", "tutorialButton5", "tutorialButton00", "tutorialButtonErase",
// the bar's "addItemButton", and the welcome overlay "tutorialView" ("welcomeLabel",
// "welcomeText", "startTutorial", "ommitTutorial", "tutorialNavItem").
class PaymentViewController : public ViewController,
                              public AmountKeypadScreen,
                              public TextFieldDelegate,
                              public TutorialNavBarDelegate,
                              public SessionTimerDelegate {
    Q_OBJECT
public:
    static constexpr int kBlinkMs = 750;
    static constexpr int kOverlaySlideMs = 500;
    static constexpr int kFlipMs = 1000;
    static constexpr int kStatusBarDelayMs = 300;

    explicit PaymentViewController(QObject* parent = nullptr);
    ~PaymentViewController() override;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidLayoutSubviews() override;
    void prepareForSegue(StoryboardSegue& segue, QObject* sender) override;
    int supportedInterfaceOrientations() const override { return 2; }
    bool shouldAutorotate() const override { return true; }

    // Keys and buttons.
    void addDigitButton(QPushButton* key);
    void eraseLastDigit();
    void eraseAmount();
    void addItem();
    void showActionSheet();
    void gotoCollect();
    void editList();
    void backgroundTouched();
    void revealMenu();

    void updateTotalAmount() override;
    void addCurrentItemToSale();
    // What the screens that end a payment do to the keypad: an empty sale, a new line, no
    // description or picture.
    void resetForNextSale();

    // The guide.
    void tutorialStart();
    void ommitTutorial();
    void tutorialNextStep();
    void removeTutorialViews();
    void cancelTutorial() override;
    // Blinks the highlight until a cycle finds it hidden.
    void showNumberButtonHint(QWidget* view);
    void showStatusBar();
    static QRect changeY(double y, const QRect& frame);

    bool textFieldShouldReturn(TextField* field) override;

    std::shared_ptr<Sale> sale() const override { return sale_; }
    ItemPtr currentItem() const { return currentItem_; }
    void setCurrentItem(const ItemPtr& item) override { currentItem_ = item; }
    int tutorialStep() const { return tutorialStep_; }
    TutorialHint* tutorialHint() const { return tutorialHint_; }
    TutorialNavBar* tutorialNavBar() const { return tutorialNavBar_; }
    QLabel* amount() const override { return amount_; }
    TextField* itemDescription() const override { return itemDescription_; }
    ImageView* itemPicture() const override { return itemPicture_; }
    QWidget* itemPictureBorder() const override { return itemPictureBorder_; }
    // Layout values of the compact (480 points or less) and regular screens.
    double itemDescriptionBottomMargin() const { return descriptionBottomMargin_; }
    double paymentButtonHeight() const { return paymentButtonHeight_; }
    double separatorTop() const { return separatorTop_; }
    double separatorBottom() const { return separatorBottom_; }

protected:
    QWidget* loadView() override;

private:
    QPushButton* makeKey(QWidget* parent, const QString& title, const char* name);
    void keyPressed(bool erased);
    void applyTutorialKeyRules();
    void applyTutorialBackspaceRules();
    void blink(QWidget* highlight);
    void newCurrentItem();
    void clearPicture();
    void moveDescription(int x);
    void pictureChosen(const QImage& image);
    void pickerClosed();
    void chooseCurrency(int index);
    void setMenuEnabled(bool enabled);
    void refreshNavigationBar();
    void dimEraseArea();
    void placeHighlights();
    void showAlert(const QString& message);

    std::shared_ptr<Sale> sale_;
    ItemPtr currentItem_;
    AccountSettings* settings_ = nullptr;
    std::shared_ptr<Currency> currency_;
    int tutorialStep_ = 0;
    bool appearedOnce_ = false;
    // The sale was handed to the payment-method screen and not yet reset.
    bool handedOn_ = false;
    int descriptionX_ = 24;
    double descriptionBottomMargin_ = 20;
    double paymentButtonHeight_ = 54;
    double separatorTop_ = 16;
    double separatorBottom_ = 8;

    QPointer<TutorialHint> tutorialHint_;
    QPointer<TutorialNavBar> tutorialNavBar_;
    QPointer<SystemAlert> cancelTutorialAlert_;
    QPointer<QWidget> itemView_, centerView_, bottomView_, eraseArea_, tutorialView_;
    QPointer<QLabel> amount_, welcomeLabel_, welcomeText_, tutorialNavItem_;
    QPointer<TextField> itemDescription_;
    QPointer<QPushButton> collectButton_, itemListButtonArea_, eraseAmountButtonArea_,
        itemPictureButton_, startTutorial_, ommitButton_;
    QPointer<ImageView> itemPicture_, itemPictureImage_, eraseAmountButton_;
    QPointer<QWidget> itemPictureBorder_;
    QPointer<QWidget> tutorialButton2_, tutorialButton5_, tutorialButton00_, tutorialButtonErase_;
    QList<QPushButton*> keys_;
    bool menuEnabled_ = true;
};
