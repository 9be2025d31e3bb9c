#include "payment/flow/InstallmentsViewController.h"

#include "model/CreditCard.h"
#include "model/Installment.h"
#include "model/Sale.h"
#include "payment/flow/InstallmentTableViewCell.h"
#include "platform/ui/FlowEnd.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/View.h"

#include <QVBoxLayout>

InstallmentsViewController::InstallmentsViewController(QObject* parent)
    : ViewController(parent) {}

InstallmentsViewController::~InstallmentsViewController() = default;

void InstallmentsViewController::setupDataSourceFromArray(const QVariantList& options) {
    dataSource_.clear();
    for (const QVariant& option : options)
        // An entry that is no option still is a row, with nothing to show.
        dataSource_ << Installment::instanceFromDictionary(option);
}

QWidget* InstallmentsViewController::loadView() {
    auto* root = new QWidget();
    root->setObjectName(QStringLiteral("Installments"));
    View::setBackgroundColor(root, Qt::white);
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 0, 0, 0);
    tableView_ = new TableView(root);
    tableView_->setObjectName(QStringLiteral("tableView"));
    column->addWidget(tableView_);
    return root;
}

void InstallmentsViewController::viewDidLoad() {
    ViewController::viewDidLoad();
    setTitle(QStringLiteral("Cuotas"));
    navigationItem()->setTitle(QStringLiteral("Cuotas"));
    sale_ = std::shared_ptr<Sale>(std::shared_ptr<Sale>(), &Sale::sharedSale());
    tableView_->registerCell(QStringLiteral("InstallmentTableViewCell"),
                             [] { return new InstallmentTableViewCell(); });
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    tableView_->reloadData();
}

int InstallmentsViewController::tableViewNumberOfRowsInSection(TableView*, int) {
    return int(dataSource_.size());
}

QWidget* InstallmentsViewController::tableViewCellForRowAtIndexPath(TableView* table,
                                                                    IndexPath indexPath) {
    auto* cell = static_cast<InstallmentTableViewCell*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("InstallmentTableViewCell")));
    cell->prepareCellForInstallment(dataSource_.value(indexPath.row));
    return cell;
}

int InstallmentsViewController::tableViewHeightForRowAtIndexPath(TableView*, IndexPath) {
    return 56;
}

void InstallmentsViewController::tableViewDidSelectRowAtIndexPath(TableView* table,
                                                                  IndexPath indexPath) {
    table->selectRowAtIndexPath(std::nullopt);
    const std::shared_ptr<Installment> option = dataSource_.value(indexPath.row);
    // An option without a count is one payment.
    const int count = option ? std::max(1, option->number()) : 1;
    if (sale_ && sale_->creditCard())
        sale_->creditCard()->setInstallments(count);
    performSegueWithIdentifier(QStringLiteral("DeviceControllerSegue"), this);
}

void InstallmentsViewController::prepareForSegue(StoryboardSegue& segue, QObject* sender) {
    ViewController::prepareForSegue(segue, sender);
    if (auto* receiver = dynamic_cast<SaleReceiver*>(segue.destinationViewController()))
        receiver->setSale(sale_);
}
