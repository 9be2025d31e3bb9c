#pragma once

#include "catalog/InputTabBarProtocol.h"
#include "model/Catalog.h"
#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"

#include <QPointer>

// A list of the catalog's products in ItemTableViewCell rows. As the tab bar's catalog tab
// (mode 0) a tap adds one unit of the product through the tab bar; without a tab bar the unit is
// added to the sale in progress directly. Also the pad's catalog and favourites lists and the
// product tab of the catalog-editing tabs (mode 2).
class CatalogInputBigController : public ViewController,
                                  public InputTabBarChild,
                                  public TableViewDataSource,
                                  public TableViewDelegate {
    Q_OBJECT
public:
    explicit CatalogInputBigController(int mode = 0, QObject* parent = nullptr);

    void setChildDelegate(InputTabBarChildControllersDelegate* delegate) override {
        childDelegate_ = delegate;
    }
    void cleanSale() override { reloadCatalog(); }
    void updateSaleComponent() override { reloadCatalog(); }

    void viewWillAppear(bool animated) override;
    // Loads the products when needed and shows them with the sale's units.
    void reloadCatalog();
    const ProductList& products() const { return products_; }
    TableView* tableView() const { return table_; }
    int mode() const { return mode_; }

    int tableViewNumberOfRowsInSection(TableView* table, int section) override;
    QWidget* tableViewCellForRowAtIndexPath(TableView* table, IndexPath indexPath) override;
    void tableViewDidSelectRowAtIndexPath(TableView* table, IndexPath indexPath) override;

protected:
    QWidget* loadView() override;

private:
    int mode_;
    ProductList products_;
    InputTabBarChildControllersDelegate* childDelegate_ = nullptr;
    QPointer<TableView> table_;
};
