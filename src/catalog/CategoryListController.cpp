#include "catalog/CategoryListController.h"

#include "catalog/CategoryTableViewCell.h"

#include <QVBoxLayout>

CategoryListController::CategoryListController(QObject* parent)
    : ViewController(parent) {}

QWidget* CategoryListController::loadView() {
    auto* root = new QWidget();
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 0, 0, 0);
    table_ = new TableView(root);
    table_->setObjectName(QStringLiteral("categoriesTable"));
    table_->registerCell(QStringLiteral("CategoryTableViewCell"),
                         [] { return new CategoryTableViewCell(); });
    table_->setDataSource(this);
    table_->setDelegate(this);
    column->addWidget(table_);
    return root;
}

void CategoryListController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    QPointer<CategoryListController> self(this);
    Catalog::instance().loadCategories([self](const std::optional<CategoryList>& list) {
        if (!self)
            return;
        self->all_ = list.value_or(CategoryList());
        self->rebuildRows();
    });
}

void CategoryListController::rebuildRows() {
    rows_.clear();
    std::function<void(const ProductCategoryPtr&)> visit = [&](const ProductCategoryPtr& node) {
        rows_.push_back(node);
        if (node->isOpen())
            for (const ProductCategoryPtr& child : node->subcategories())
                visit(child);
    };
    for (const ProductCategoryPtr& node : all_)
        if (!node->ownerCategory())
            visit(node);
    if (table_)
        table_->reloadData();
}

int CategoryListController::tableViewNumberOfRowsInSection(TableView*, int) {
    return int(rows_.size());
}

QWidget* CategoryListController::tableViewCellForRowAtIndexPath(TableView* table,
                                                                IndexPath indexPath) {
    auto* cell = static_cast<CategoryTableViewCell*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("CategoryTableViewCell")));
    cell->prepareCellForCategory(rows_.at(size_t(indexPath.row)), 0, indexPath, false);
    return cell;
}

void CategoryListController::tableViewDidSelectRowAtIndexPath(TableView* table,
                                                              IndexPath indexPath) {
    table->selectRowAtIndexPath(std::nullopt);
    if (indexPath.row >= int(rows_.size()))
        return;
    const ProductCategoryPtr& node = rows_.at(size_t(indexPath.row));
    if (node->subcategories().empty())
        return;
    node->setIsOpen(!node->isOpen());
    rebuildRows();
}
