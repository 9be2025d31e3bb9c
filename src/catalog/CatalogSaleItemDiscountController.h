#pragma once

#include "catalog/LineEditorScene.h"
#include "catalog/SaleLineReceivers.h"
#include "platform/ui/ViewController.h"

#include <QButtonGroup>
#include <QPointer>

// Sets one sale line's discount as a whole percentage or as money, never above the line amount
// (price x quantity). Accepting writes the chosen form into the sale's own line and zeroes the
// other.
class CatalogSaleItemDiscountController : public ViewController, public SaleLineEditor {
    Q_OBJECT
public:
    // Width of the block the two price labels are laid out in.
    static constexpr int kBlockWidth = 280;

    explicit CatalogSaleItemDiscountController(QObject* parent = nullptr);

    void setItem(const ItemPtr& item) override { item_ = item; }
    ItemPtr item() const { return item_; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidLayoutSubviews() override;

    // Actions of the scene.
    void addDigitButton(QPushButton* sender);
    void eraseLastDigit();
    void resetNumber();
    // Selects segment 0 (percentage) or 1 (amount) and converts to it.
    void changeFormat(int segment);
    void acceptChanges();
    void undoChanges();

    int selectedSegment() const { return segment_; }
    double discountPercentage() const { return discountPercentage_; }
    double discountAmount() const { return discountAmount_; }
    QLabel* amountLabel() const { return amountLabel_; }
    QLabel* itemPriceAndDiscount() const { return itemPriceAndDiscount_; }
    QLabel* totalPrice() const { return totalPrice_; }

protected:
    QWidget* loadView() override;

private:
    // The line amount: product price times the line's quantity.
    double lineAmount() const;
    void selectSegment(int segment);
    void updateItemInformationFields();
    // The two price labels in a 280-point block centred in the view.
    void layoutPriceLabels();

    ItemPtr item_;
    double discountPercentage_ = 0;
    double discountAmount_ = 0;
    int segment_ = 0;
    QPointer<QLabel> amountLabel_;
    QPointer<QLabel> itemPriceAndDiscount_;
    QPointer<QLabel> totalPrice_;
    QPointer<QPushButton> segments_[2];
    LineEditorScene::Picture picture_;
};
