#include "catalog/SaleIpadViewController.h"

#include "SDK/session/AccountSettings.h"
#include "catalog/CatalogLook.h"
#include "catalog/CatalogSaleSelectedController.h"
#include "catalog/CatalogScreens.h"
#include "catalog/IndividualSaleCell.h"
#include "catalog/SaleLines.h"
#include "model/Sale.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/View.h"

#include <QVBoxLayout>
#include <algorithm>

SaleIpadViewController::SaleIpadViewController(QObject* parent)
    : ViewController(parent)
    , sale_(&Sale::sharedSale()) {}

QWidget* SaleIpadViewController::loadView() {
    auto* root = new QWidget();
    View::setBackgroundColor(root, Qt::white);
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 0, 0, 0);
    table_ = new TableView(root);
    table_->setObjectName(QStringLiteral("saleTable"));
    table_->registerCell(QStringLiteral("IndividualSaleCell"),
                         [] { return new IndividualSaleCell(); });
    table_->setDataSource(this);
    table_->setDelegate(this);
    subtotal_ = new QLabel(root);
    subtotal_->setObjectName(QStringLiteral("subtotalLabel"));
    subtotal_->setAlignment(Qt::AlignCenter);
    subtotal_->setFixedHeight(50);
    subtotal_->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue-Medium"), 20));
    column->addWidget(table_, 1);
    column->addWidget(subtotal_);
    navigationItem()->setTitle(CatalogLook::text("SaleDetails", "sale"));
    return root;
}

void SaleIpadViewController::viewDidAppear(bool animated) {
    ViewController::viewDidAppear(animated);
    refreshSaleView();
}

void SaleIpadViewController::refreshSaleView() {
    sale_ = &Sale::sharedSale();
    view();
    sale_->recalculateTotalAmount();
    table_->reloadData();
    subtotal_->setText(sale_->subtotal()->getAmount());
}

TableView* SaleIpadViewController::tableView() {
    view();
    return table_;
}

int SaleIpadViewController::tableViewNumberOfRowsInSection(TableView*, int) {
    return int(sale_->items().size());
}

QWidget* SaleIpadViewController::tableViewCellForRowAtIndexPath(TableView* table,
                                                                IndexPath indexPath) {
    auto* cell = static_cast<IndividualSaleCell*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("IndividualSaleCell")));
    cell->fillForItem(*sale_->items().at(size_t(indexPath.row)));
    return cell;
}

void SaleIpadViewController::tableViewDidSelectRowAtIndexPath(TableView*, IndexPath indexPath) {
    const ItemPtr item = itemAtIndexpath(indexPath);
    if (!item)
        return;
    auto* popover = qobject_cast<CatalogSaleSelectedController*>(
        Storyboard::instantiate(CatalogScreens::catalogSaleSelected));
    if (!popover)
        return;
    if (!item->product()->productId().isEmpty())
        popover->setSelectedItem(item);
    popover->setSale(sale_);
    auto* navigation = new NavigationController(popover);
    navigation->setModalPresentationStyle(ModalPresentationStyle::Popover);
    // The popover finds this view from the top container, as the split layout holds it.
    ViewController* top = this;
    while (top->parentViewController())
        top = top->parentViewController();
    top->presentViewController(navigation, true);
}

ItemPtr SaleIpadViewController::itemAtIndexpath(IndexPath indexPath) {
    if (indexPath.section != 0 || indexPath.row < 0 || indexPath.row >= int(sale_->items().size()))
        return nullptr;
    return sale_->items().at(size_t(indexPath.row));
}

void SaleIpadViewController::removeLine(const ItemPtr& item) {
    if (!item)
        return;
    const bool held = std::any_of(sale_->items().begin(), sale_->items().end(),
                                  [&item](const ItemPtr& line) { return line->isEqual(*item); });
    if (held)
        sale_->removeItems({item});
}

void SaleIpadViewController::updateSelectedSaleProductIpad(const ProductPtr& product,
                                                           int quantity) {
    if (!product || product->productId().isEmpty())
        return;
    for (const ItemPtr& line : sale_->items()) {
        if (line->product()->productId() == product->productId()) {
            sale_->updateItemQuantity(line, quantity);
            break;
        }
    }
    refreshSaleView();
}

void SaleIpadViewController::updateManualEntryDescriptionIpad(const QString& description,
                                                              IndexPath indexPath) {
    if (const ItemPtr item = itemAtIndexpath(indexPath);
        item && item->product()->productId().isEmpty())
        item->product()->setName(description);
    refreshSaleView();
}

void SaleIpadViewController::removeSelectedSaleProductIpad(const ProductPtr& product,
                                                           IndexPath indexPath) {
    const ItemPtr item = itemAtIndexpath(indexPath);
    if (item && product && item->product()->productId() == product->productId())
        removeLine(item);
}

void SaleIpadViewController::removeManualEntryIpad(IndexPath) {
    // The entry goes as an item (deleteItem) just before; the row may now show the next line,
    // which stays.
    if (table_)
        table_->selectRowAtIndexPath(std::nullopt);
    refreshSaleView();
}

void SaleIpadViewController::deleteItem(const ItemPtr& item) {
    removeLine(item);
}

void SaleIpadViewController::editUpdateItem(const ItemPtr&) {
    refreshSaleView();
}

void SaleIpadViewController::addManualEntryIpad(const QString& text) {
    const qint64 cents = CatalogLook::centsOfKeypadText(text);
    if (cents <= 0)
        return;
    sale_->addItem(SaleLines::freeAmountItem(cents));
    refreshSaleView();
}

bool SaleIpadViewController::isMainCurrency() {
    const QVariantList currencies = AccountSettings::instance().currencies();
    if (currencies.isEmpty())
        return true;
    const QString main = currencies.first().toMap().value(QStringLiteral("code")).toString();
    return main.isEmpty() || main == sale_->currencyCode();
}
