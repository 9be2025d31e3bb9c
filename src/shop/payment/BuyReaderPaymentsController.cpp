#include "shop/payment/BuyReaderPaymentsController.h"

#include "SDK/session/User.h"
#include "api/APIController.h"
#include "api/FunctionCode.h"
#include "model/values/Amount.h"
#include "platform/core/Values.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/View.h"
#include "ui_kit/UIKitSupport.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

BuyReaderPaymentsController::BuyReaderPaymentsController(QObject* parent)
    : ShopScreen(parent) {}

QWidget* BuyReaderPaymentsController::loadView() {
    const auto layout = ShopLook::screenLayout(QStringLiteral("white"), false);
    const auto [root, column] = layout;
    tableView_ = ShopLook::addTable(layout, this, this);
    continueButton_ = ShopLook::goButton(root, QStringLiteral("continueButton"));
    column->addWidget(continueButton_);
    connect(continueButton_, &QPushButton::clicked, this, [this] { goToNext(); });
    return root;
}

QString BuyReaderPaymentsController::paymentTitle(int payments, double amount) {
    return QString::fromUtf8(payments == 1 ? "%1 Cuota de %2" : "%1 Cuotas de %2")
        .arg(payments)
        .arg(ShopLook::money(amount));
}

QVariantList BuyReaderPaymentsController::plansFromAnswer(const QVariantMap& answer, double total) {
    const QVariantList data = answer.value(QStringLiteral("data")).toList();
    if (data.isEmpty())
        return {};
    const QVariantMap plans = data.first().toMap().value(QStringLiteral("installments")).toMap();
    QStringList keys = plans.keys();
    std::sort(keys.begin(), keys.end(),
              [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
    QVariantList rows;
    for (const QString& key : keys) {
        const int n = key.toInt();
        if (n <= 0)
            continue;
        const QVariantMap plan = plans.value(key).toMap();
        double one = 0;
        const QVariant payment = plan.value(QStringLiteral("Payment"));
        if (payment.isValid() && !Values::isJsonNull(payment)) {
            one = payment.toDouble();
        } else {
            const float discount = plan.value(QStringLiteral("discountPercentage")).toFloat();
            const float interest = plan.value(QStringLiteral("interestPercentage")).toFloat();
            one = total * (1.0f - discount) * (1.0f + interest) / n;
        }
        const double planTotal = Amount::initWithDouble(one)->doubleValue() * n;
        const auto orEmpty = [&](const char* name) {
            return plan.contains(QLatin1String(name)) ? plan.value(QLatin1String(name))
                                                      : QVariant(QString(""));
        };
        rows << QVariantMap{{"payments", key},
                            {"amount", one},
                            {"total", planTotal},
                            {"promotionId", orEmpty("PromotionId")},
                            {"Amount", orEmpty("Amount")}};
    }
    return rows;
}

void BuyReaderPaymentsController::viewWillAppear(bool) {
    setTitle(QStringLiteral("Cuotas"));
    navigationItem()->setTitle(title());
    const double total = purchase_ ? purchase_->value(QStringLiteral("total")).toDouble() : 0;
    continueButton_->setText(ShopLook::payTitle(total));
    displayLoadingIndicator();
    const QString card =
        purchase_ ? purchase_->map(QStringLiteral("payment")).value("cardNumber").toString()
                  : QString();
    newClient()->getInstallmentsForBin(card, User::instance().userId(), User::instance().token(),
                                       double(float(total)), QStringLiteral("buyreader"));
}

int BuyReaderPaymentsController::tableViewNumberOfRowsInSection(TableView*, int) {
    return int(installments_.size());
}

QWidget* BuyReaderPaymentsController::tableViewCellForRowAtIndexPath(TableView*,
                                                                     IndexPath indexPath) {
    const QVariantMap plan = installments_.value(indexPath.row).toMap();
    auto* cell = new QWidget();
    cell->setObjectName(QStringLiteral("plan%1").arg(indexPath.row));
    cell->setMinimumHeight(56);
    auto* line = new QHBoxLayout(cell);
    auto* texts = new QVBoxLayout();
    auto* title = new QLabel(
        paymentTitle(plan.value("payments").toInt(), plan.value("amount").toDouble()), cell);
    View::setTag(title, 1);
    auto* planTotal = new QLabel(
        QStringLiteral("Total: %1").arg(ShopLook::money(plan.value("total").toDouble())), cell);
    View::setTag(planTotal, 2);
    planTotal->setStyleSheet(QStringLiteral("color: #777;"));
    auto* tick = new QLabel(QStringLiteral("✓"), cell);
    View::setTag(tick, 3);
    texts->addWidget(title);
    texts->addWidget(planTotal);
    line->addLayout(texts, 1);
    line->addWidget(tick);
    return cell;
}

void BuyReaderPaymentsController::markRows() {
    const auto selected = tableView_->indexPathForSelectedRow();
    const QString theme = UIKitSupport::mainColor().name();
    for (int row = 0; row < installments_.size(); ++row) {
        QWidget* cell = tableView_->cellForRowAtIndexPath({0, row});
        if (!cell)
            continue;
        const bool chosen = selected && selected->row == row;
        if (auto* title = View::viewWithTag(cell, 1))
            title->setStyleSheet(QStringLiteral("font-size: 16px; color: %1;")
                                     .arg(chosen ? theme : QStringLiteral("black")));
        if (auto* tick = View::viewWithTag(cell, 3))
            tick->setVisible(chosen);
    }
    if (selected)
        continueButton_->setText(ShopLook::payTitle(
            installments_.value(selected->row).toMap().value("total").toDouble()));
}

void BuyReaderPaymentsController::tableViewDidSelectRowAtIndexPath(TableView*, IndexPath) {
    markRows();
}

void BuyReaderPaymentsController::goToNext() {
    const auto selected = tableView_->indexPathForSelectedRow();
    if (!selected || !purchase_ || selected->row >= installments_.size())
        return;
    const QVariantMap plan = installments_.value(selected->row).toMap();
    purchase_->insert(QStringLiteral("payments"), plan.value("payments"));
    purchase_->insert(QStringLiteral("promotionId"), plan.value("promotionId"));
    purchase_->insert(QStringLiteral("realAmount"), plan.value("Amount"));
    displayLoadingIndicator();
    newClient()->buyReaderWithToken(User::instance().token(), purchase_->values());
}

bool BuyReaderPaymentsController::apiDidFinishDownloadingWithDictionary(
    int functionName, const std::optional<QVariantMap>& answer) {
    const bool ok =
        answer && answer->value(QStringLiteral("success")).toString() == QLatin1String("OK");
    const QString message =
        answer ? answer->value("response").toMap().value("message").toString() : QString();
    if (functionName == FunctionCode::InstallmentsForBin) {
        if (!ok) {
            failed(functionName, message);
            return true;
        }
        const double total = purchase_ ? purchase_->value(QStringLiteral("total")).toDouble() : 0;
        installments_ = plansFromAnswer(*answer, total);
        if (installments_.isEmpty()) {
            // An answer without plans is a failed plans request.
            failed(functionName, QString());
            return true;
        }
        tableView_->reloadData();
        tableView_->selectRowAtIndexPath(IndexPath{0, 0});
        markRows();
        if (installments_.size() == 1) {
            goToNext();
            return true;
        }
        hideLoadingIndicator();
        return true;
    }
    if (functionName == FunctionCode::SetOrderData) {
        if (!ok) {
            failed(functionName, message);
            return true;
        }
        hideLoadingIndicator();
        // The order is placed: nothing of the card stays.
        purchase_->dropCardData();
        performSegueWithIdentifier(QStringLiteral("continue"), this);
    }
    return true;
}

void BuyReaderPaymentsController::apiDidFailWithError(const TarvelloError&, int functionName) {
    failed(functionName, QString());
}

void BuyReaderPaymentsController::failed(int functionName, const QString& message) {
    hideLoadingIndicator();
    showMessage(message.isEmpty() ? ShopLook::connError() : message);
    if (functionName == FunctionCode::InstallmentsForBin)
        if (NavigationController* nav = navigationController())
            nav->popViewControllerAnimated(true);
}

void BuyReaderPaymentsController::prepareForSegue(StoryboardSegue& segue, QObject*) {
    if (segue.identifier() != QLatin1String("continue"))
        return;
    if (auto* next = dynamic_cast<ShopScreen*>(segue.destinationViewController()))
        next->setPurchase(purchase_);
}
