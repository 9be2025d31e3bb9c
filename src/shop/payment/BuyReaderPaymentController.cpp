#include "shop/payment/BuyReaderPaymentController.h"

#include "model/values/Amount.h"
#include "platform/ui/View.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

BuyReaderPaymentController::BuyReaderPaymentController(QObject* parent)
    : ShopScreen(parent) {}

QString BuyReaderPaymentController::amountText(double value) {
    auto amount = Amount::initWithDouble(value);
    return amount->intValue() - amount->doubleValue() == 0 ? amount->getIntAmount()
                                                           : amount->getAmount();
}

QWidget* BuyReaderPaymentController::loadView() {
    const auto layout = ShopLook::screenLayout(QStringLiteral("white"), false);
    const auto [root, column] = layout;
    tableView_ = ShopLook::addTable(layout, this, nullptr);
    auto* totals = new QGridLayout();
    auto* shipping = ShopLook::label(root, QStringLiteral("shippingLabel"));
    shipping->setText(QStringLiteral("Envío: sin cargo"));
    totals->addWidget(shipping, 0, 0, 1, 2);
    totals->addWidget(new QLabel(QStringLiteral("Subtotal"), root), 1, 0);
    subtotalLabel_ = ShopLook::label(root, QStringLiteral("subtotalLabel"));
    totals->addWidget(subtotalLabel_, 1, 1, Qt::AlignRight);
    auto* totalCaption = new QLabel(QStringLiteral("Total"), root);
    totalCaption->setStyleSheet(QStringLiteral("font-weight: 600; font-size: 18px;"));
    totals->addWidget(totalCaption, 2, 0);
    totalLabel_ = ShopLook::label(root, QStringLiteral("totalLabel"),
                                  QStringLiteral("font-weight: 600; font-size: 18px;"));
    totals->addWidget(totalLabel_, 2, 1, Qt::AlignRight);
    column->addLayout(totals);
    auto* card = ShopLook::goButton(root, QStringLiteral("cardButton"));
    card->setText(QStringLiteral("PAGAR CON TARJETA"));
    auto* wallet = ShopLook::goButton(root, QStringLiteral("walletButton"));
    wallet->setText(QStringLiteral("PAGAR CON BILLETERA PAGORA"));
    column->addWidget(card);
    column->addWidget(wallet);
    connect(card, &QPushButton::clicked, this, [this] { payWithCard(); });
    connect(wallet, &QPushButton::clicked, this, [this] { payWithWallet(); });
    return root;
}

void BuyReaderPaymentController::viewDidLoad() {
    setTitle(QStringLiteral("Resumen"));
    navigationItem()->setTitle(title());
    tableView_->reloadData();
}

void BuyReaderPaymentController::viewWillAppear(bool) {
    const double total = purchase_ ? purchase_->value(QStringLiteral("total")).toDouble() : 0;
    subtotalLabel_->setText(amountText(total));
    totalLabel_->setText(amountText(total));
}

int BuyReaderPaymentController::tableViewNumberOfRowsInSection(TableView*, int) {
    return purchase_ ? int(purchase_->value(QStringLiteral("items")).toList().size()) : 0;
}

QWidget* BuyReaderPaymentController::tableViewCellForRowAtIndexPath(TableView*,
                                                                    IndexPath indexPath) {
    const QVariantMap line =
        purchase_->value(QStringLiteral("items")).toList().value(indexPath.row).toMap();
    const QVariantMap product = line.value(QStringLiteral("item")).toMap();
    const int quantity = line.value(QStringLiteral("amount")).toInt();
    auto* cell = new QWidget();
    cell->setObjectName(QStringLiteral("line%1").arg(indexPath.row));
    auto* row = new QHBoxLayout(cell);
    auto* what = new QLabel(
        QStringLiteral("%1 × %2").arg(QString::number(quantity), product.value("name").toString()),
        cell);
    View::setTag(what, 1);
    auto* amount = new QLabel(amountText(product.value("price").toDouble() * quantity), cell);
    View::setTag(amount, 2);
    row->addWidget(what, 1);
    row->addWidget(amount);
    return cell;
}

void BuyReaderPaymentController::payWithCard() {
    performSegueWithIdentifier(QStringLiteral("card"), this);
}

void BuyReaderPaymentController::payWithWallet() {
    performSegueWithIdentifier(QStringLiteral("wallet"), this);
}

void BuyReaderPaymentController::prepareForSegue(StoryboardSegue& segue, QObject*) {
    if (segue.identifier() != QLatin1String("card") &&
        segue.identifier() != QLatin1String("wallet"))
        return;
    if (auto* next = dynamic_cast<ShopScreen*>(segue.destinationViewController()))
        next->setPurchase(purchase_);
}
