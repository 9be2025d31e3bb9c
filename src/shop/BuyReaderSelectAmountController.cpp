#include "shop/BuyReaderSelectAmountController.h"

#include "platform/ui/View.h"
#include "shop/ShopScreen.h"
#include "ui_kit/UIKitSupport.h"

#include <QHBoxLayout>
#include <QLabel>

BuyReaderSelectAmountController::BuyReaderSelectAmountController(QObject* parent)
    : ViewController(parent) {}

QWidget* BuyReaderSelectAmountController::loadView() {
    const auto layout = ShopLook::screenLayout(QString(), true);
    tableView_ = ShopLook::addTable(layout, this, this);
    return layout.root;
}

void BuyReaderSelectAmountController::viewWillAppear(bool) {
    tableView_->reloadData();
    tableView_->selectRowAtIndexPath(IndexPath{0, selected_});
    navigationItem()->setRightBarButtonItem(
        ShopLook::barButton(ShopLook::text(QStringLiteral("GlobalTexts"), QStringLiteral("cancel")),
                            QStringLiteral("cancelButton"), [this] { cancel(); }));
}

void BuyReaderSelectAmountController::viewWillDisappear(bool) {
    completion_ = nullptr;
}

void BuyReaderSelectAmountController::cancel() {
    completion_ = nullptr;
    dismissViewControllerAnimated(true);
}

int BuyReaderSelectAmountController::tableViewNumberOfRowsInSection(TableView*, int) {
    return int(items_.size());
}

QWidget* BuyReaderSelectAmountController::tableViewCellForRowAtIndexPath(TableView*,
                                                                         IndexPath indexPath) {
    auto* cell = new QWidget();
    cell->setObjectName(QStringLiteral("row%1").arg(indexPath.row));
    cell->setMinimumHeight(44);
    auto* line = new QHBoxLayout(cell);
    auto* text = new QLabel(items_.value(indexPath.row), cell);
    View::setTag(text, 1);
    auto* tick = new QLabel(QStringLiteral("✓"), cell);
    View::setTag(tick, 2);
    const bool chosen = indexPath.row == selected_;
    text->setStyleSheet(
        QStringLiteral("font-size: 16px; color: %1;")
            .arg(chosen ? UIKitSupport::mainColor().name() : QStringLiteral("black")));
    tick->setStyleSheet(QStringLiteral("color: %1;").arg(UIKitSupport::mainColor().name()));
    tick->setVisible(chosen);
    line->addWidget(text, 1);
    line->addWidget(tick);
    return cell;
}

void BuyReaderSelectAmountController::tableViewDidSelectRowAtIndexPath(TableView*,
                                                                       IndexPath indexPath) {
    auto completion = std::move(completion_);
    completion_ = nullptr;
    if (completion)
        completion(indexPath.row);
    dismissViewControllerAnimated(true);
}
