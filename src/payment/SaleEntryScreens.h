#pragma once

#include "model/Item.h"

#include <memory>

class ImageView;
class QLabel;
class QLineEdit;
class QWidget;
class Sale;

// The amount keypad as the screens after a card sale reset it for the next sale.
class AmountKeypadScreen {
public:
    virtual ~AmountKeypadScreen() = default;
    virtual std::shared_ptr<Sale> sale() const = 0;
    // The new line becomes the one being typed.
    virtual void setCurrentItem(const ItemPtr& item) = 0;
    virtual QLabel* amount() const = 0;
    virtual QLineEdit* itemDescription() const = 0;
    virtual QWidget* itemPictureBorder() const = 0;
    virtual ImageView* itemPicture() const = 0;
    // Shows the keypad's sale again.
    virtual void updateTotalAmount() = 0;
};

// The manual amount tab of the sale-input tab bar.
class ManualAmountTab {
public:
    virtual ~ManualAmountTab() = default;
    // Starts a new free-amount line (no product id, price 0) on the tab.
    virtual void createDefaultItem() = 0;
};
