#pragma once

#include "catalog/IpadSaleView.h"
#include "platform/ui/ViewController.h"

#include <QLabel>
#include <QPointer>

class Sale;

// The pad's column of the sale in progress: its lines (a tap opens the line popover) and the
// subtotal. Removals act on the very line that was shown, once.
class SaleIpadViewController : public ViewController,
                               public IpadSaleView,
                               public TableViewDataSource,
                               public TableViewDelegate {
    Q_OBJECT
public:
    explicit SaleIpadViewController(QObject* parent = nullptr);

    void viewDidAppear(bool animated) override;

    TableView* tableView() override;
    void updateSelectedSaleProductIpad(const ProductPtr& product, int quantity) override;
    void updateManualEntryDescriptionIpad(const QString& description, IndexPath indexPath) override;
    void removeSelectedSaleProductIpad(const ProductPtr& product, IndexPath indexPath) override;
    void removeManualEntryIpad(IndexPath indexPath) override;
    ItemPtr itemAtIndexpath(IndexPath indexPath) override;
    void addManualEntryIpad(const QString& text) override;
    bool isMainCurrency() override;
    void refreshSaleView() override;
    void editUpdateItem(const ItemPtr& item) override;
    void deleteItem(const ItemPtr& item) override;

    int tableViewNumberOfRowsInSection(TableView* table, int section) override;
    QWidget* tableViewCellForRowAtIndexPath(TableView* table, IndexPath indexPath) override;
    // Opens the line popover over the tapped line.
    void tableViewDidSelectRowAtIndexPath(TableView* table, IndexPath indexPath) override;

    QLabel* subtotalLabel() const { return subtotal_; }

protected:
    QWidget* loadView() override;

private:
    void removeLine(const ItemPtr& item);
    Sale* sale_;
    QPointer<TableView> table_;
    QPointer<QLabel> subtotal_;
};
