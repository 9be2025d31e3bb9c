#pragma once

#include "catalog/LineEditorScene.h"
#include "catalog/SaleLineReceivers.h"
#include "platform/ui/TextField.h"
#include "platform/ui/ViewController.h"
#include "ui_kit/iPadNumericKeyboard.h"

#include <QPointer>

class SystemAlert;

// Told of the line the quantity editor accepted.
class CatalogSaleEditItemControllerDelegate {
public:
    virtual ~CatalogSaleEditItemControllerDelegate() = default;
    virtual void catalogSaleEditUpdateItem(const ItemPtr& item) = 0;
};

// Changes the quantity of one sale line (0 to 999). Accepting writes the quantity into the
// sale's own line and pops; 0 asks first and marks the line for removal by the cart.
class CatalogSaleEditItemController : public ViewController,
                                      public SaleLineEditor,
                                      public TextFieldDelegate {
    Q_OBJECT
public:
    static constexpr int kMaximumQuantity = 999;

    explicit CatalogSaleEditItemController(QObject* parent = nullptr);

    void setItem(const ItemPtr& item) override { item_ = item; }
    ItemPtr item() const { return item_; }
    int quantity() const { return quantity_; }
    void setDelegate(CatalogSaleEditItemControllerDelegate* delegate) { delegate_ = delegate; }

    void viewDidLoad() override;

    // Actions of the scene.
    void addDigitButton(QPushButton* sender);
    void eraseLastDigit();
    void resetNumber();
    void add();
    void substract();
    // Accepts; a quantity of 0 asks first unless the sender is the pending confirmation.
    void acceptChanges(QObject* sender);
    // Offers to remove the line (an action sheet).
    void deleteItem();
    void undoChanges();
    void doneWithNumberPad();

    void textFieldDidBeginEditing(TextField* field) override;
    bool textFieldShouldReturn(TextField* field) override;

    TextField* amountLabel() const { return amountLabel_; }
    // The pad keypad typing into the quantity field; null on a phone.
    iPadNumericKeyboard* numericKeyboard() const { return numericKeyboard_; }
    QLabel* itemPriceAndQuantity() const { return itemPriceAndQuantity_; }
    QLabel* totalPrice() const { return totalPrice_; }

protected:
    QWidget* loadView() override;

private:
    void textFieldDidChange();
    void applyTypedText(const QString& text);
    void showMaximumAlert();
    void writeAndPop();
    void prepareCustomInputView();
    void updateItemInformationFields();

    ItemPtr item_;
    int quantity_ = 0;
    CatalogSaleEditItemControllerDelegate* delegate_ = nullptr;
    QPointer<SystemAlert> zeroQuantity_;
    QPointer<TextField> amountLabel_;
    QPointer<QLabel> itemPriceAndQuantity_;
    QPointer<QLabel> totalPrice_;
    QPointer<QPushButton> minusButton_;
    QPointer<QPushButton> plusButton_;
    QPointer<QPushButton> deleteButton_;
    LineEditorScene::Picture picture_;
    QPointer<iPadNumericKeyboard> numericKeyboard_;
};
