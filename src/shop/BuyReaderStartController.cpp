#include "shop/BuyReaderStartController.h"

#include "SDK/session/User.h"
#include "api/APIController.h"
#include "platform/core/Values.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Storyboard.h"
#include "shop/BuyReaderCell.h"
#include "shop/BuyReaderDetailsController.h"
#include "shop/BuyReaderSelectAmountController.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QStringList kProductKeys = {
    "id",         "name",   "type",    "price",        "descriptionShort", "description",
    "dimensions", "weight", "battery", "connectivity", "cardsText",        "images"};
}

BuyReaderStartController::BuyReaderStartController(QObject* parent)
    : ShopScreen(parent) {}

QWidget* BuyReaderStartController::loadView() {
    const auto layout = ShopLook::screenLayout(QStringLiteral("#f2f2f2"), true);
    const auto [root, column] = layout;
    tableView_ = ShopLook::addTable(layout, this, this);
    buyButton_ = ShopLook::goButton(root, QStringLiteral("buyButton"));
    column->addWidget(buyButton_);
    connect(buyButton_, &QPushButton::clicked, this, [this] { buy(); });
    return root;
}

void BuyReaderStartController::viewDidLoad() {
    setTitle(ShopLook::text(QStringLiteral("BuyReader"), QStringLiteral("choseTitle")));
    navigationItem()->setTitle(title());
    buyButton_->setVisible(false);
    buyButton_->setText(ShopLook::text(QStringLiteral("BuyReader"), QStringLiteral("BUY")));
}

void BuyReaderStartController::viewWillAppear(bool) {
    if (NavigationController* nav = navigationController()) {
        nav->setNavigationBarHidden(false, false);
        if (nav->viewControllers().size() == 1)
            navigationItem()->setLeftBarButtonItem(ShopLook::barButton(
                ShopLook::text(QStringLiteral("GlobalTexts"), QStringLiteral("exit")),
                QStringLiteral("exitButton"), [this] { close(); }));
    }
    if (readers_)
        return;
    displayLoadingIndicator();
    newClient()->getBuyReadersDataWithToken(User::instance().token());
}

QVariantList BuyReaderStartController::keptProducts(const QVariantList& products) {
    QVariantList kept;
    for (const QVariant& element : products) {
        const QVariantMap product = element.toMap();
        bool complete = true;
        for (const QString& key : kProductKeys)
            if (!product.contains(key) || Values::isJsonNull(product.value(key)))
                complete = false;
        if (complete && !product.value(QStringLiteral("images")).toList().isEmpty())
            kept << product;
    }
    return kept;
}

bool BuyReaderStartController::apiDidFinishDownloadingWithDictionary(
    int, const std::optional<QVariantMap>& answer) {
    hideLoadingIndicator();
    if (!answer || !answer->contains(QStringLiteral("products"))) {
        leaveWithConnectionError();
        return true;
    }
    readers_ = keptProducts(answer->value(QStringLiteral("products")).toList());
    amounts_ = QList<int>(readers_->size(), 0);
    tableView_->reloadData();
    return true;
}

void BuyReaderStartController::apiDidFailWithError(const TarvelloError&, int) {
    hideLoadingIndicator();
    leaveWithConnectionError();
}

void BuyReaderStartController::leaveWithConnectionError() {
    showMessage(ShopLook::connError());
    if (NavigationController* nav = navigationController();
        nav && nav->viewControllers().size() > 1)
        nav->popViewControllerAnimated(true);
}

int BuyReaderStartController::tableViewNumberOfRowsInSection(TableView*, int) {
    return readers_ ? int(readers_->size()) : 0;
}

QWidget* BuyReaderStartController::tableViewCellForRowAtIndexPath(TableView*, IndexPath indexPath) {
    auto* cell = new BuyReaderCell();
    cell->setDelegate(this);
    cell->setDevice(readers_->value(indexPath.row).toMap());
    cell->setDeviceIndex(indexPath.row);
    cell->setAmount(amounts_.value(indexPath.row));
    cell->setSelected(isRowSelected(indexPath.row), false);
    return cell;
}

void BuyReaderStartController::refreshRows() {
    bool any = false;
    for (int row = 0; row < amounts_.size(); ++row) {
        if (auto* cell =
                qobject_cast<BuyReaderCell*>(tableView_->cellForRowAtIndexPath({0, row}))) {
            cell->setAmount(amounts_.at(row));
            cell->setSelected(isRowSelected(row), true);
        }
        any = any || isRowSelected(row);
    }
    buyButton_->setVisible(any);
}

void BuyReaderStartController::tableViewDidSelectRowAtIndexPath(TableView*, IndexPath indexPath) {
    // A tap selects an unselected row; a selected row stays as it is.
    if (!isRowSelected(indexPath.row) && indexPath.row < amounts_.size())
        amounts_[indexPath.row] = 1;
    refreshRows();
}

void BuyReaderStartController::select(BuyReaderCell* cell) {
    selectDeviceIndex(cell->deviceIndex());
}

void BuyReaderStartController::selectDeviceIndex(int index) {
    if (index < 0 || index >= amounts_.size() || isRowSelected(index))
        return;
    amounts_[index] = 1;
    refreshRows();
}

void BuyReaderStartController::deselect(BuyReaderCell* cell) {
    if (cell->deviceIndex() >= 0 && cell->deviceIndex() < amounts_.size())
        amounts_[cell->deviceIndex()] = 0;
    refreshRows();
}

void BuyReaderStartController::setAmountForDeviceIndex(int amount, int index) {
    if (index < 0 || index >= amounts_.size())
        return;
    amounts_[index] = amount;
    refreshRows();
}

void BuyReaderStartController::changeAmount(BuyReaderCell* cell) {
    performSegueWithIdentifier(QStringLiteral("selectAmount"), cell);
}

void BuyReaderStartController::showDetails(BuyReaderCell* cell) {
    performSegueWithIdentifier(QStringLiteral("details"), cell);
}

void BuyReaderStartController::close() {
    dismissViewControllerAnimated(true);
}

void BuyReaderStartController::buy() {
    bool any = false;
    for (int row = 0; row < amounts_.size(); ++row)
        any = any || isRowSelected(row);
    if (!any) {
        showMessage(
            ShopLook::text(QStringLiteral("BuyReader"), QStringLiteral("mustSelectReader")));
        return;
    }
    performSegueWithIdentifier(QStringLiteral("buy"), this);
}

void BuyReaderStartController::prepareForSegue(StoryboardSegue& segue, QObject* sender) {
    auto* cell = qobject_cast<BuyReaderCell*>(sender);
    ViewController* destination = segue.destinationViewController();
    if (segue.identifier() == QLatin1String("selectAmount") && cell) {
        auto* nav = qobject_cast<NavigationController*>(destination);
        auto* sheet = qobject_cast<BuyReaderSelectAmountController*>(nav ? nav->topViewController()
                                                                         : destination);
        if (!sheet)
            return;
        QStringList items{ShopLook::text("BuyReader", "amountChoice0"),
                          ShopLook::text("BuyReader", "amountChoice1")};
        const QString many = ShopLook::text("BuyReader", "amountChoice");
        for (int n = 2; n <= 9; ++n)
            items << QString(many).replace(QStringLiteral("%d"), QString::number(n));
        sheet->setItems(items);
        sheet->setTitle(ShopLook::text("BuyReader", "amount"));
        sheet->navigationItem()->setTitle(sheet->title());
        const int index = cell->deviceIndex();
        sheet->setSelected(amounts_.value(index));
        QPointer<BuyReaderStartController> self(this);
        sheet->setCompletion([self, index](int row) {
            if (self)
                self->setAmountForDeviceIndex(row, index);
        });
    } else if (segue.identifier() == QLatin1String("details") && cell) {
        if (auto* sheet = qobject_cast<BuyReaderDetailsController*>(destination)) {
            sheet->setDevice(readers_->value(cell->deviceIndex()).toMap());
            sheet->setDeviceIndex(cell->deviceIndex());
            sheet->setPresentingDevicePicture(cell->devicePicture());
        }
    } else if (segue.identifier() == QLatin1String("buy")) {
        auto record = std::make_shared<PurchaseRecord>();
        QVariantList items;
        double total = 0;
        for (int row = 0; row < amounts_.size(); ++row) {
            if (!isRowSelected(row))
                continue;
            const QVariantMap product = readers_->value(row).toMap();
            items << QVariantMap{{"item", product}, {"amount", amounts_.at(row)}};
            total += amounts_.at(row) * product.value(QStringLiteral("price")).toDouble();
        }
        record->insert(QStringLiteral("items"), items);
        record->insert(QStringLiteral("total"), total);
        record->insert(QStringLiteral("fromSaleButton"), fromSaleButton_);
        if (auto* next = dynamic_cast<ShopScreen*>(destination))
            next->setPurchase(record);
    }
}
