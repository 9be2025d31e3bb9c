#pragma once

#include "catalog/InputTabBarProtocol.h"
#include "model/Product.h"
#include "platform/ui/TableView.h"

// The pad sale view as the line popover and the amount keypad reach it: its table of lines
// (the selected row is the line shown), and the changes they report.
class IpadSaleView : public ResumeItemEditDelegate {
public:
    virtual TableView* tableView() = 0;
    virtual void updateSelectedSaleProductIpad(const ProductPtr& product, int quantity) = 0;
    virtual void updateManualEntryDescriptionIpad(const QString& description,
                                                  IndexPath indexPath) = 0;
    virtual void removeSelectedSaleProductIpad(const ProductPtr& product, IndexPath indexPath) = 0;
    virtual void removeManualEntryIpad(IndexPath indexPath) = 0;
    // The line of the row; null outside the table.
    virtual ItemPtr itemAtIndexpath(IndexPath indexPath) = 0;
    // Adds a typed-in line of the keypad's money text ("$1.234,56").
    virtual void addManualEntryIpad(const QString& text) = 0;
    // The sale is in the account's main (first) currency.
    virtual bool isMainCurrency() = 0;
    // Shows the sale again (sent after a removal).
    virtual void refreshSaleView() = 0;
};
