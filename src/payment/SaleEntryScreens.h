#pragma once

#include "model/Item.h"

#include <memory>

class ImageView;
class QLabel;
class QLineEdit;
class QWidget;
class Sale;
class ViewController;

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

// The application's sale-entry screen (the amount keypad or the sale-input tab bar) under a
// screen of a sale's flow: the first screen of the side menu's navigation, else of the navigation
// at the bottom of the screen's modal chain. Null when there is none.
ViewController* saleEntryScreenFor(const ViewController* screen);

// Starts the next sale on a sale-entry screen: the sale emptied, a new line being typed, no
// description or picture; on the tab bar the selected manual tab starts its default line too.
// Any other screen is left alone. Returns whether the screen was the tab bar.
bool resetSaleEntryScreen(ViewController* screen);
