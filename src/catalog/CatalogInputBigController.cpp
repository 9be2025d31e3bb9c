#include "catalog/CatalogInputBigController.h"

#include "catalog/ItemTableViewCell.h"
#include "catalog/SaleLines.h"
#include "model/Sale.h"

#include <QVBoxLayout>

CatalogInputBigController::CatalogInputBigController(int mode, QObject* parent)
    : ViewController(parent)
    , mode_(mode) {}

QWidget* CatalogInputBigController::loadView() {
    auto* root = new QWidget();
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 0, 0, 0);
    table_ = new TableView(root);
    table_->setObjectName(QStringLiteral("catalogTable"));
    table_->registerCell(QStringLiteral("ItemTableViewCell"),
                         [] { return new ItemTableViewCell(); });
    table_->setDataSource(this);
    table_->setDelegate(this);
    column->addWidget(table_);
    return root;
}

void CatalogInputBigController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    reloadCatalog();
}

void CatalogInputBigController::reloadCatalog() {
    QPointer<CatalogInputBigController> self(this);
    Catalog::instance().loadProducts([self](const std::optional<ProductList>& list) {
        if (!self)
            return;
        self->products_ = list.value_or(ProductList());
        if (self->table_)
            self->table_->reloadData();
    });
}

int CatalogInputBigController::tableViewNumberOfRowsInSection(TableView*, int) {
    return int(products_.size());
}

QWidget* CatalogInputBigController::tableViewCellForRowAtIndexPath(TableView* table,
                                                                   IndexPath indexPath) {
    auto* cell = static_cast<ItemTableViewCell*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("ItemTableViewCell")));
    cell->prepareCellForItem(products_.at(size_t(indexPath.row)), mode_, &Sale::sharedSale());
    return cell;
}

void CatalogInputBigController::tableViewDidSelectRowAtIndexPath(TableView* table,
                                                                 IndexPath indexPath) {
    table->selectRowAtIndexPath(std::nullopt);
    if (mode_ != 0 || indexPath.row >= int(products_.size()))
        return;
    const ItemPtr item = SaleLines::itemForProduct(products_.at(size_t(indexPath.row)));
    if (childDelegate_)
        childDelegate_->inputTabBarChildWillAddItem(this, item);
    else
        SaleLines::addUnit(Sale::sharedSale(), item);
    table->reloadData();
}
