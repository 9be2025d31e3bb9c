#include "payment/flow/RefundController.h"
#include "payment/flow/TypedAmount.h"

#include "model/Sale.h"
#include "model/values/Amount.h"
#include "model/values/Currency.h"
#include "payment/PaymentScreens.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FlowEnd.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Storyboard.h"
#include "ui_kit/texts/Language.h"

#include <QVBoxLayout>

namespace {

// Amounts differing by less than single precision's epsilon are equal here.
constexpr double kEpsilon = 1.0 / (1 << 23);

QString text(const char* file, const char* key) {
    return Language::textForFile(QString::fromLatin1(file), QString::fromLatin1(key));
}

} // namespace

RefundController::RefundController(QObject* parent)
    : ViewController(parent) {}

RefundController::~RefundController() = default;

QWidget* RefundController::loadView() {
    auto* root = new QWidget();
    root->setObjectName(QStringLiteral("Refund"));
    root->setAutoFillBackground(true);
    QPalette grey = root->palette();
    grey.setColor(QPalette::Window, QColor::fromRgbF(0.9607843f, 0.9607843f, 0.9607843f));
    root->setPalette(grey);
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(20, 24, 20, 20);
    column->setSpacing(8);
    auto label = [root](const char* name, int size) {
        auto* l = new QLabel(root);
        l->setObjectName(QString::fromLatin1(name));
        l->setAlignment(Qt::AlignCenter);
        QFont font(QStringLiteral("Helvetica Neue"), size);
        l->setFont(font);
        return l;
    };
    refundAmountLabel_ = label("refundAmountLabel", 15);
    column->addWidget(refundAmountLabel_);
    refundAmount_ = new TextField(root);
    refundAmount_->setObjectName(QStringLiteral("refundAmount"));
    refundAmount_->setAlignment(Qt::AlignCenter);
    refundAmount_->setFrame(false);
    refundAmount_->setKeyboardType(TextField::KeyboardType::NumberPad);
    QFont big(QStringLiteral("Helvetica Neue"), 34);
    refundAmount_->setFont(big);
    QPalette ink = refundAmount_->palette();
    ink.setColor(QPalette::Text, QColor::fromRgbF(0, 0, 0, 0.8f));
    refundAmount_->setPalette(ink);
    refundAmount_->setDelegate(this);
    column->addWidget(refundAmount_);
    column->addSpacing(16);
    totalAmountLabel_ = label("totalAmountLabel", 15);
    column->addWidget(totalAmountLabel_);
    totalAmount_ = label("totalAmount", 20);
    column->addWidget(totalAmount_);
    column->addStretch(1);
    connect(refundAmount_, &TextField::editingChanged, this, [this] { checkRefundAmount(); });
    return root;
}

QString RefundController::amountText(double amount) const {
    return Amount::initWithDouble(amount)->getAmountwithCurrencyFormat(currencyFormat_);
}

QString RefundController::refundText(double amount) const {
    return QStringLiteral("-") + amountText(amount);
}

void RefundController::viewDidLoad() {
    ViewController::viewDidLoad();
    totalAmount_->setText(amountText(maxRefund_));
    refundAmount_->setText(refundText(maxRefund_));
    refundAmount_->becomeFirstResponder();
}

void RefundController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    QPointer<RefundController> self(this);
    BarButtonItem cancelItem;
    cancelItem.title = text("GlobalTexts", "cancel");
    cancelItem.objectName = QStringLiteral("cancelButton");
    cancelItem.action = [self] {
        if (self)
            self->cancel();
    };
    navigationItem()->setLeftBarButtonItem(cancelItem);
    BarButtonItem continueItem;
    continueItem.title = text("GlobalTexts", "continue");
    continueItem.objectName = QStringLiteral("continueButton");
    continueItem.action = [self] {
        if (self)
            self->makeRefund();
    };
    navigationItem()->setRightBarButtonItem(continueItem);
    navigationItem()->setTitle(text("SaleDetails", "refund"));
    refundAmountLabel_->setText(text("Refund", "refundAmount"));
    totalAmountLabel_->setText(text("Refund", "maxAmount"));
}

double RefundController::amountStringToDouble(const QString& value) const {
    return typedAmount(value, currencyFormat_, true);
}

void RefundController::checkRefundAmount() {
    const double x = amountStringToDouble(refundAmount_->text());
    if (x - maxRefund_ < kEpsilon) {
        refundAmount_->setText(refundText(x));
        oldRefund_ = refundAmount_->text();
    } else {
        refundAmount_->setText(oldRefund_.value_or(QString()));
    }
}

void RefundController::makeRefund() {
    const double amount = amountStringToDouble(refundAmount_->text());
    if (amount - maxRefund_ < kEpsilon && amount > 0) {
        readCard();
        return;
    }
    auto* alert = SystemAlert::alertControllerWithTitle(QString(), text("Refund", "invalidRefund"));
    alert->addAction(QStringLiteral("OK"), SystemAlertAction::Cancel);
    presentViewController(alert, true);
}

void RefundController::readCard() {
    // The refund is in the refunded sale's currency, the shared one included.
    Currency::instance()->setCurrencyFormat(currencyFormat_, currencyCode_, QString());
    refundSale_ = Sale::init();
    refundSale_->setCurrencyCode(currencyCode_);
    refundSale_->setSaleId(QString::number(saleDic_.value(QStringLiteral("saleId")).toLongLong()));
    const QVariant email = saleDic_.value(QStringLiteral("email"));
    refundSale_->setEmail(email.typeId() == QMetaType::QString
                              ? std::optional<QString>(email.toString())
                              : std::nullopt);
    refundSale_->setSubtotal(Amount::initWithDouble(amountStringToDouble(refundAmount_->text())));
    refundSale_->setTrxType(2);

    ViewController* device = Storyboard::instantiate(PaymentScreens::device);
    if (!device)
        return;
    if (auto* receiver = dynamic_cast<SaleReceiver*>(device))
        receiver->setSale(refundSale_);
    if (NavigationController* nav = navigationController())
        nav->pushViewController(device, true);
    else
        presentViewController(device, true);
}

void RefundController::cancel() {
    refundAmount_->resignFirstResponder();
    dismissViewControllerAnimated(true);
}

bool RefundController::textFieldShouldReturn(TextField*) {
    makeRefund();
    return false;
}
