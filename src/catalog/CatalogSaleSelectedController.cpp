#include "catalog/CatalogSaleSelectedController.h"

#include "catalog/CatalogLook.h"
#include "catalog/IpadSaleView.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/View.h"
#include "ui_kit/SplitViewController.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

// Child i of a container's list of screens; null when it is not there.
ViewController* childAt(ViewController* container, int index) {
    if (!container)
        return nullptr;
    QList<ViewController*> list;
    if (auto* split = qobject_cast<SplitViewController*>(container))
        list = split->viewControllers();
    else if (auto* navigation = qobject_cast<NavigationController*>(container))
        list = navigation->viewControllers();
    else
        list = container->childViewControllers();
    return index >= 0 && index < list.size() ? list.at(index) : nullptr;
}

} // namespace

CatalogSaleSelectedController::CatalogSaleSelectedController(QObject* parent)
    : ViewController(parent) {}

QWidget* CatalogSaleSelectedController::loadView() {
    auto* root = new QWidget();
    View::setBackgroundColor(root, Qt::white);
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(16, 10, 16, 10);
    auto* stepper = new QHBoxLayout();
    substractButton_ = new QPushButton(QStringLiteral("\u2212"), root);
    substractButton_->setObjectName(QStringLiteral("substractButton"));
    itemAmount_ = new QLabel(root);
    itemAmount_->setObjectName(QStringLiteral("itemAmount"));
    itemAmount_->setAlignment(Qt::AlignCenter);
    addButton_ = new QPushButton(QStringLiteral("+"), root);
    addButton_->setObjectName(QStringLiteral("addButton"));
    itemPrice_ = new QLabel(root);
    itemPrice_->setObjectName(QStringLiteral("itemPrice"));
    stepper->addWidget(substractButton_);
    stepper->addWidget(itemAmount_, 1);
    stepper->addWidget(addButton_);
    stepper->addWidget(itemPrice_);
    entryDescription_ = new TextField(root);
    entryDescription_->setObjectName(QStringLiteral("entryDescription"));
    removeItemButton_ = new QPushButton(root);
    removeItemButton_->setObjectName(QStringLiteral("removeItemButton"));
    column->addLayout(stepper);
    column->addWidget(entryDescription_);
    column->addWidget(removeItemButton_);
    connect(addButton_, &QPushButton::clicked, this, [this] { addItem(); });
    connect(substractButton_, &QPushButton::clicked, this, [this] { substractItem(); });
    connect(removeItemButton_, &QPushButton::clicked, this, [this] { removeItem(); });
    return root;
}

void CatalogSaleSelectedController::viewDidLoad() {
    const bool manual = !selectedItem_;
    for (QWidget* w : {static_cast<QWidget*>(substractButton_), static_cast<QWidget*>(addButton_),
                       static_cast<QWidget*>(itemAmount_)})
        w->setVisible(!manual);
    entryDescription_->setVisible(manual);
    if (!isIpad())
        return;
    navigationItem()->setRightBarButtonItem(
        CatalogLook::barButton(CatalogLook::text("GlobalTexts", "done"),
                               QStringLiteral("doneButton"), [this] { done(); }));
    BarButtonItem close =
        CatalogLook::barButton(QString(), QStringLiteral("closeButton"), [this] { backToSale(); });
    close.icon = QIcon(QPixmap::fromImage(
        CatalogLook::image(QStringLiteral("close_.png"), CatalogLook::mainColor())));
    navigationItem()->setLeftBarButtonItem(close);
    const int quantity = selectedItem_ ? selectedItem_->quantity() : 0;
    itemAmount_->setText(QString::number(quantity));
    itemPrice_->setText(
        CatalogLook::money(selectedItem_ ? selectedItem_->product()->getPriceWithTax() : 0));
    if (quantity == 1)
        substractButton_->setEnabled(false);
    removeItemButton_->setText(CatalogLook::text("SaleDetails", "removeItem").toUpper());
}

void CatalogSaleSelectedController::viewWillAppear(bool animated) {
    preferredContentSize_ = QSize(view()->width(), kHeight);
    ViewController::viewWillAppear(animated);
    if (!selectedItem_) {
        navigationItem()->setTitle(CatalogLook::text("SaleDetails", "manualEntry"));
        entryDescription_->setPlaceholderText(
            CatalogLook::text("SaleDetails", "entryAddDescription"));
    } else {
        navigationItem()->setTitle(selectedItem_->product()->name());
    }
}

void CatalogSaleSelectedController::addItem() {
    const int q = CatalogLook::integerValue(itemAmount_->text()) + 1;
    itemAmount_->setText(QString::number(q));
    if (q > 1)
        substractButton_->setEnabled(true);
}

void CatalogSaleSelectedController::substractItem() {
    const int q = CatalogLook::integerValue(itemAmount_->text()) - 1;
    itemAmount_->setText(QString::number(q));
    if (q <= 1)
        substractButton_->setEnabled(false);
}

IpadSaleView* CatalogSaleSelectedController::findSaleView() const {
    // The popover stands in its own navigation controller, which is what was presented.
    ViewController* presented = navigationController();
    if (!presented)
        presented = const_cast<CatalogSaleSelectedController*>(this);
    ViewController* split = childAt(presented->presentingViewController(), 1);
    ViewController* navigation = childAt(split, 1);
    return dynamic_cast<IpadSaleView*>(childAt(navigation, 0));
}

void CatalogSaleSelectedController::deselect(IpadSaleView* saleView) {
    if (saleView && saleView->tableView())
        saleView->tableView()->selectRowAtIndexPath(std::nullopt);
}

void CatalogSaleSelectedController::done() {
    IpadSaleView* saleView = findSaleView();
    const QString description = QString(entryDescription_->text());
    const int shown = CatalogLook::integerValue(itemAmount_->text());
    const ItemPtr item = selectedItem_;
    dismissViewControllerAnimated(true);
    if (!saleView)
        return;
    const std::optional<IndexPath> row =
        saleView->tableView() ? saleView->tableView()->indexPathForSelectedRow() : std::nullopt;
    if (!item) {
        if (row)
            saleView->updateManualEntryDescriptionIpad(description, *row);
    } else if (shown != item->quantity()) {
        saleView->updateSelectedSaleProductIpad(item->product(), shown);
    }
    deselect(saleView);
}

void CatalogSaleSelectedController::removeItem() {
    IpadSaleView* saleView = findSaleView();
    if (saleView) {
        const std::optional<IndexPath> row =
            saleView->tableView() ? saleView->tableView()->indexPathForSelectedRow() : std::nullopt;
        if (row) {
            if (!selectedItem_) {
                const ItemPtr item = saleView->itemAtIndexpath(*row);
                saleView->deleteItem(item);
                saleView->removeManualEntryIpad(*row);
            } else {
                saleView->removeSelectedSaleProductIpad(selectedItem_->product(), *row);
                saleView->deleteItem(selectedItem_);
            }
        }
        saleView->refreshSaleView();
    }
    dismissViewControllerAnimated(true);
}

void CatalogSaleSelectedController::backToSale() {
    IpadSaleView* saleView = findSaleView();
    dismissViewControllerAnimated(true);
    deselect(saleView);
}
