#pragma once

#include "catalog/InputTabBarProtocol.h"
#include "model/Item.h"
#include "payment/SaleEntryScreens.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/TextField.h"
#include "platform/ui/ViewController.h"

#include <QList>
#include <QPointer>
#include <QPushButton>

class NumericKeyboard;

// Told of the tab's own events; nothing is sent to it yet.
class ManualInputDelegate {
public:
    virtual ~ManualInputDelegate() = default;
};

// The manual amount tab of the sale-input tab bar: a typed amount (two implied decimals, at
// most nine digits) becomes a custom-amount line of the parent's sale with its first non-zero
// key, and leaves it when erased back to zero; a description (at most 30 characters) and a tax
// rate go with the line; the add button closes the line and starts the next. Every change of
// the sale is asked of the parent (childDelegate).
//
// Outlets by objectName: "saleCostTotalField", "itemDescriptionField", "descriptionDiv",
// "numericKeyboardContainer" with keys "key1"-"key9", "key00", "key0" and "eraseButton",
// "addButton", "processSaleButton", "processSaleContainer"; while a field is edited the
// keypad lies under "keyboardDisable".
class ManualInputViewController : public ViewController,
                                  public InputTabBarChild,
                                  public ManualAmountTab,
                                  public TextFieldDelegate {
    Q_OBJECT
public:
    static constexpr int kMaxDescriptionLength = 30;
    static constexpr int kSlideMs = 160;
    static constexpr int kSlideDistance = 80;
    static constexpr int kFadeMs = 500;

    explicit ManualInputViewController(QObject* parent = nullptr);
    ~ManualInputViewController() override;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewDidLayoutSubviews() override;

    InputTabBarChildControllersDelegate* childDelegate() const { return childDelegate_; }
    void setChildDelegate(InputTabBarChildControllersDelegate* delegate) override {
        childDelegate_ = delegate;
    }
    ManualInputDelegate* delegate() const { return delegate_; }
    void setDelegate(ManualInputDelegate* delegate) { delegate_ = delegate; }

    // Actions.
    void keyTapped(QPushButton* key);
    void eraseButtonTapped();
    void addButtonTapped();
    void changeTaxButtonTapped();
    void processSaleButtonTapped(QObject* sender);

    // Offered to the parent and to the screens that end a payment.
    void cleanSale() override;
    void createDefaultItem() override;
    void updateSaleComponent() override;
    ItemPtr currentItem() const { return currentItem_; }
    void setCurrentItem(ItemPtr item) { currentItem_ = std::move(item); }

    // Text fields.
    void textFieldDidBeginEditing(TextField* field) override;
    void textFieldDidEndEditing(TextField* field) override;
    bool textFieldShouldReturn(TextField* field) override;
    bool textFieldShouldChangeCharactersInRange(TextField* field, int start, int length,
                                                const QString& replacement) override;

    // The tax rate (a fraction) as percent text with at least that many decimals (at most 2).
    QString formattedPercentage(double rate) const;
    int percentageMinimumFractionDigits() const { return minimumFractionDigits_; }
    SystemAlert* inputTaxesAlertController() const { return inputTaxesAlertController_; }
    QString taxButtonTitle() const { return taxButtonTitle_; }
    bool isTaxButtonEnabled() const { return taxButtonEnabled_; }

protected:
    QWidget* loadView() override;

private:
    void animateNewItem();
    void enableAddButton(bool on);
    void enableTaxButton(bool on);
    void updateTaxButtonTitle(const QString& title);
    void resetTaxesButton();
    void resetTaxes();
    void taxAccepted();
    void placeAmountField();
    QString taxTitle() const;
    double currentPrice() const;

    QPointer<NumericKeyboard> numericKeyboard_;
    int minimumFractionDigits_ = 0;
    QPointer<QWidget> keyboardDisable_;
    QPointer<SystemAlert> inputTaxesAlertController_;
    QPointer<QPushButton> processSaleButton_;
    QPointer<QWidget> processSaleContainer_;
    ManualInputDelegate* delegate_ = nullptr;
    InputTabBarChildControllersDelegate* childDelegate_ = nullptr;
    QPointer<TextField> saleCostTotalField_;
    QPointer<QPushButton> eraseButton_;
    QPointer<TextField> itemDescriptionField_;
    QPointer<QWidget> descriptionDiv_;
    QPointer<QWidget> costContainer_;
    QPointer<QWidget> numericKeyboardContainer_;
    QPointer<QPushButton> addButton_;
    QList<QPushButton*> numericKeyboardButtons_;
    ItemPtr currentItem_;
    // The tax button is not shown; its state is kept for the screens that read it.
    QString taxButtonTitle_;
    bool taxButtonEnabled_ = false;
    double amountOffset_ = 0;
    bool returning_ = false;
};
