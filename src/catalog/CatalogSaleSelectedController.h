#pragma once

#include "model/Item.h"
#include "platform/ui/TextField.h"
#include "platform/ui/ViewController.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>

class IpadSaleView;
class Sale;

// The pad's popover over a selected sale line: a quantity stepper and removal for a product
// line, a description and removal for a typed-in line (no selected item). It reports every
// decision to the pad sale view and changes nothing itself.
class CatalogSaleSelectedController : public ViewController {
    Q_OBJECT
public:
    static constexpr int kHeight = 156;

    explicit CatalogSaleSelectedController(QObject* parent = nullptr);

    ItemPtr selectedItem() const { return selectedItem_; }
    void setSelectedItem(const ItemPtr& item) { selectedItem_ = item; }
    Sale* sale() const { return sale_; }
    void setSale(Sale* sale) { sale_ = sale; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    void addItem();
    void substractItem();
    void done();
    void removeItem();
    void backToSale();

    // The sale view: child 1 of the presenting container, child 1 of that, the root of that
    // navigation stack; null when any step is missing.
    IpadSaleView* findSaleView() const;
    QSize preferredContentSize() const { return preferredContentSize_; }

    QLabel* itemAmount() const { return itemAmount_; }
    QLabel* itemPrice() const { return itemPrice_; }
    QPushButton* substractButton() const { return substractButton_; }
    QPushButton* addButton() const { return addButton_; }
    QPushButton* removeItemButton() const { return removeItemButton_; }
    TextField* entryDescription() const { return entryDescription_; }

protected:
    QWidget* loadView() override;

private:
    void deselect(IpadSaleView* saleView);
    ItemPtr selectedItem_;
    Sale* sale_ = nullptr;
    QSize preferredContentSize_;
    QPointer<QLabel> itemAmount_;
    QPointer<QLabel> itemPrice_;
    QPointer<QPushButton> substractButton_;
    QPointer<QPushButton> addButton_;
    QPointer<QPushButton> removeItemButton_;
    QPointer<TextField> entryDescription_;
};
