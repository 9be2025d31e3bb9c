#pragma once

#include "model/Catalog.h"
#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"

#include <QPointer>

// The catalog's category tree as an editable list (type 0 rows), open nodes showing their
// children below them.
class CategoryListController : public ViewController,
                               public TableViewDataSource,
                               public TableViewDelegate {
    Q_OBJECT
public:
    explicit CategoryListController(QObject* parent = nullptr);

    void viewWillAppear(bool animated) override;
    const CategoryList& rows() const { return rows_; }

    int tableViewNumberOfRowsInSection(TableView* table, int section) override;
    QWidget* tableViewCellForRowAtIndexPath(TableView* table, IndexPath indexPath) override;
    // A tap opens or closes a node with children.
    void tableViewDidSelectRowAtIndexPath(TableView* table, IndexPath indexPath) override;

protected:
    QWidget* loadView() override;

private:
    void rebuildRows();
    CategoryList all_;
    CategoryList rows_;
    QPointer<TableView> table_;
};
