#include "catalog/CatalogSaleItemDiscountController.h"

#include "catalog/CatalogLook.h"
#include "model/values/Amount.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/View.h"

#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <cmath>

CatalogSaleItemDiscountController::CatalogSaleItemDiscountController(QObject* parent)
    : ViewController(parent) {}

QWidget* CatalogSaleItemDiscountController::loadView() {
    auto* root = new QWidget();
    View::setBackgroundColor(root, Qt::white);
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(20, 16, 20, 16);
    auto* segmentRow = new QHBoxLayout();
    segmentRow->setSpacing(0);
    for (int i = 0; i < 2; ++i) {
        segments_[i] = new QPushButton(root);
        segments_[i]->setObjectName(QStringLiteral("segment%1").arg(i));
        segments_[i]->setCheckable(true);
        connect(segments_[i], &QPushButton::clicked, this, [this, i] { changeFormat(i); });
        segmentRow->addWidget(segments_[i]);
    }
    column->addLayout(segmentRow);
    picture_ = LineEditorScene::addCentredPicture(column, root, 80);
    amountLabel_ = new QLabel(root);
    amountLabel_->setObjectName(QStringLiteral("amountLabel"));
    amountLabel_->setAlignment(Qt::AlignCenter);
    amountLabel_->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue-Light"), 28));
    column->addWidget(amountLabel_);
    auto* prices = new QWidget(root);
    prices->setFixedHeight(24);
    itemPriceAndDiscount_ = new QLabel(prices);
    itemPriceAndDiscount_->setObjectName(QStringLiteral("itemPriceAndDiscount"));
    totalPrice_ = new QLabel(prices);
    totalPrice_->setObjectName(QStringLiteral("totalPrice"));
    totalPrice_->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue-Bold"), 13));
    itemPriceAndDiscount_->setGeometry(0, 0, 200, 24);
    totalPrice_->setGeometry(200, 0, 80, 24);
    column->addWidget(prices);
    column->addWidget(LineEditorScene::makeDigitButtons(
        root, [this](QPushButton* b) { addDigitButton(b); }, [this] { eraseLastDigit(); },
        [this] { resetNumber(); }));
    return root;
}

double CatalogSaleItemDiscountController::lineAmount() const {
    return item_ ? item_->product()->price()->doubleValue() * item_->quantity() : 0;
}

void CatalogSaleItemDiscountController::viewDidLoad() {
    const QImage pattern = CatalogLook::image(QStringLiteral("fondo_blanco.png"));
    if (!pattern.isNull()) {
        QPalette palette = view()->palette();
        palette.setBrush(QPalette::Window, QBrush(pattern));
        view()->setPalette(palette);
        view()->setAutoFillBackground(true);
    }
    if (!item_)
        return;
    discountAmount_ = item_->discountAmount() ? item_->discountAmount()->doubleValue() : 0;
    discountPercentage_ = item_->discountPercentage();
    if (discountAmount_ > 0) {
        selectSegment(1);
        amountLabel_->setText(CatalogLook::money(discountAmount_));
    } else {
        selectSegment(0);
        amountLabel_->setText(CatalogLook::percentText(discountPercentage_));
    }
    LineEditorScene::showPicture(*item_->product(), picture_, 39, true);
    updateItemInformationFields();
}

void CatalogSaleItemDiscountController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    navigationItem()->setLeftBarButtonItem(
        CatalogLook::barButton(CatalogLook::text("GlobalTexts", "cancel"),
                               QStringLiteral("cancelButton"), [this] { undoChanges(); }));
    navigationItem()->setRightBarButtonItem(
        CatalogLook::barButton(CatalogLook::text("GlobalTexts", "done"),
                               QStringLiteral("doneButton"), [this] { acceptChanges(); }));
    navigationItem()->setTitle(CatalogLook::text("GlobalTexts", "discount"));
    segments_[0]->setText(CatalogLook::text("CatalogSaleItemDiscount", "percentage"));
    segments_[1]->setText(CatalogLook::text("CatalogSaleItemDiscount", "amount"));
}

void CatalogSaleItemDiscountController::selectSegment(int segment) {
    segment_ = segment;
    for (int i = 0; i < 2; ++i)
        segments_[i]->setChecked(i == segment);
}

void CatalogSaleItemDiscountController::addDigitButton(QPushButton* sender) {
    if (segment_ == 0) {
        const double old = discountPercentage_;
        const int n = int(discountPercentage_ * 100 + 1e-9);
        const int typed = CatalogLook::integerValue(QString::number(n) + sender->text());
        discountPercentage_ = typed / 100.0;
        if (discountPercentage_ > 1.0)
            discountPercentage_ = old;
        amountLabel_->setText(CatalogLook::percentText(discountPercentage_));
    } else {
        const double old = discountAmount_;
        auto amount = Amount::initWithDouble(discountAmount_);
        const QString shown = amount->addDigit(sender->text());
        discountAmount_ = amount->amountNumber().toDouble();
        amountLabel_->setText(shown);
        if (discountAmount_ > lineAmount() + 1e-9) {
            discountAmount_ = old;
            amountLabel_->setText(CatalogLook::money(old));
        }
    }
    updateItemInformationFields();
}

void CatalogSaleItemDiscountController::eraseLastDigit() {
    if (segment_ == 0) {
        const QString digits = QString::number(int(discountPercentage_ * 100 + 1e-9));
        discountPercentage_ = CatalogLook::integerValue(digits.left(digits.size() - 1)) / 100.0;
        amountLabel_->setText(CatalogLook::percentText(discountPercentage_));
    } else {
        auto amount = Amount::initWithDouble(discountAmount_);
        amountLabel_->setText(amount->removeLastDigit());
        discountAmount_ = amount->amountNumber().toDouble();
    }
    updateItemInformationFields();
}

void CatalogSaleItemDiscountController::resetNumber() {
    discountPercentage_ = 0;
    discountAmount_ = 0;
    amountLabel_->setText(segment_ == 1 ? CatalogLook::money(0) : CatalogLook::percentText(0));
    updateItemInformationFields();
}

void CatalogSaleItemDiscountController::changeFormat(int segment) {
    selectSegment(segment);
    const double g = lineAmount();
    if (segment == 1) {
        discountAmount_ = discountPercentage_ * g;
        amountLabel_->setText(CatalogLook::money(discountAmount_));
    } else {
        // A line of amount 0 has no share to take: 0 %.
        discountPercentage_ = g != 0 ? discountAmount_ / g : 0;
        amountLabel_->setText(CatalogLook::percentText(discountPercentage_));
    }
    updateItemInformationFields();
}

void CatalogSaleItemDiscountController::updateItemInformationFields() {
    const double g = lineAmount();
    itemPriceAndDiscount_->setText(
        QStringLiteral("%1 - %2 =").arg(CatalogLook::money(g), amountLabel_->text()));
    const double r = segment_ == 0 ? g * (1 - discountPercentage_) : g - discountAmount_;
    totalPrice_->setText(CatalogLook::money(r));
    layoutPriceLabels();
}

void CatalogSaleItemDiscountController::viewDidLayoutSubviews() {
    layoutPriceLabels();
}

void CatalogSaleItemDiscountController::layoutPriceLabels() {
    const int w = view()->width();
    const int left = (w - kBlockWidth) / 2;
    const int right = int(kBlockWidth + (w - kBlockWidth) / 2.0);
    const QFontMetricsF metrics(CatalogLook::font(QStringLiteral("HelveticaNeue-Bold"), 13));
    const int t = int(std::ceil(metrics.horizontalAdvance(totalPrice_->text())));
    const int s = int(std::ceil(metrics.horizontalAdvance(QStringLiteral("#"))));
    QWidget* holder = totalPrice_->parentWidget();
    const int offset = holder ? holder->x() : 0;
    totalPrice_->setGeometry(right - t - offset, totalPrice_->y(), t, totalPrice_->height());
    itemPriceAndDiscount_->setGeometry(left - offset, itemPriceAndDiscount_->y(),
                                       std::max(0, kBlockWidth - (t + s)),
                                       itemPriceAndDiscount_->height());
}

void CatalogSaleItemDiscountController::acceptChanges() {
    if (item_) {
        if (segment_ == 0) {
            item_->setDiscountAmount(Amount::initWithDouble(0));
            item_->setDiscountPercentage(discountPercentage_);
        } else {
            item_->setDiscountAmount(Amount::initWithDouble(discountAmount_));
            item_->setDiscountPercentage(0);
        }
    }
    if (NavigationController* navigation = navigationController())
        navigation->popViewControllerAnimated(true);
}

void CatalogSaleItemDiscountController::undoChanges() {
    if (NavigationController* navigation = navigationController())
        navigation->popViewControllerAnimated(true);
}
