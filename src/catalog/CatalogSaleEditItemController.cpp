#include "catalog/CatalogSaleEditItemController.h"

#include "catalog/CatalogLook.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/View.h"
#include "ui_kit/iPadNumericKeyboard.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

CatalogSaleEditItemController::CatalogSaleEditItemController(QObject* parent)
    : ViewController(parent) {}

QWidget* CatalogSaleEditItemController::loadView() {
    auto* root = new QWidget();
    View::setBackgroundColor(root, Qt::white);
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(20, 16, 20, 16);
    picture_ = LineEditorScene::addCentredPicture(column, root, 76);

    itemPriceAndQuantity_ = new QLabel(root);
    itemPriceAndQuantity_->setObjectName(QStringLiteral("itemPriceAndQuantity"));
    itemPriceAndQuantity_->setAlignment(Qt::AlignCenter);
    totalPrice_ = new QLabel(root);
    totalPrice_->setObjectName(QStringLiteral("totalPrice"));
    totalPrice_->setAlignment(Qt::AlignCenter);
    totalPrice_->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue-Medium"), 20));
    column->addWidget(itemPriceAndQuantity_);
    column->addWidget(totalPrice_);

    auto* stepper = new QHBoxLayout();
    minusButton_ = new QPushButton(QStringLiteral("\u2212"), root);
    minusButton_->setObjectName(QStringLiteral("minusButton"));
    plusButton_ = new QPushButton(QStringLiteral("+"), root);
    plusButton_->setObjectName(QStringLiteral("plusButton"));
    amountLabel_ = new TextField(root);
    amountLabel_->setObjectName(QStringLiteral("amountLabel"));
    amountLabel_->setAlignment(Qt::AlignCenter);
    amountLabel_->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue-Light"), 28));
    stepper->addWidget(minusButton_);
    stepper->addWidget(amountLabel_, 1);
    stepper->addWidget(plusButton_);
    column->addLayout(stepper);
    connect(minusButton_, &QPushButton::clicked, this, [this] { substract(); });
    connect(plusButton_, &QPushButton::clicked, this, [this] { add(); });

    column->addWidget(LineEditorScene::makeDigitButtons(
        root, [this](QPushButton* b) { addDigitButton(b); }, [this] { eraseLastDigit(); },
        [this] { resetNumber(); }));
    deleteButton_ = new QPushButton(CatalogLook::text("EditItem", "deleteItem"), root);
    deleteButton_->setObjectName(QStringLiteral("deleteButton"));
    connect(deleteButton_, &QPushButton::clicked, this, [this] { deleteItem(); });
    column->addWidget(deleteButton_);
    return root;
}

void CatalogSaleEditItemController::viewDidLoad() {
    prepareCustomInputView();

    navigationItem()->setRightBarButtonItem(
        CatalogLook::barButton(CatalogLook::text("GlobalTexts", "done"),
                               QStringLiteral("doneButton"), [this] { acceptChanges(this); }));
    navigationItem()->setLeftBarButtonItem(
        CatalogLook::barButton(CatalogLook::text("GlobalTexts", "cancel"),
                               QStringLiteral("cancelButton"), [this] { undoChanges(); }));
    if (!item_)
        return;
    navigationItem()->setTitle(item_->product()->name());
    setTitle(item_->product()->name());
    quantity_ = item_->quantity();
    amountLabel_->setText(QString::number(quantity_));
    const bool picture = LineEditorScene::showPicture(*item_->product(), picture_, 38, false);
    if (picture)
        picture_.itemPicture->setStyleSheet(
            QStringLiteral("border: 0.5px solid rgb(200,200,200); border-radius: 38px;"));
    updateItemInformationFields();
}

void CatalogSaleEditItemController::prepareCustomInputView() {
    // On a pad the pad keypad is the field's input view, docked under the scene; a phone
    // types with the system number pad. Either way the keys arrive as text changes.
    if (isIpad()) {
        numericKeyboard_ = iPadNumericKeyboard::instance();
        numericKeyboard_->setParent(view());
        numericKeyboard_->setObjectName(QStringLiteral("numericKeyboard"));
        static_cast<QBoxLayout*>(view()->layout())->addWidget(numericKeyboard_);
        amountLabel_->setInputView(numericKeyboard_);
    } else {
        amountLabel_->setKeyboardType(TextField::KeyboardType::NumberPad);
    }
    const QColor grey(100, 100, 100);
    for (QPushButton* b : {minusButton_.data(), plusButton_.data(), deleteButton_.data()})
        b->setStyleSheet(QStringLiteral("color: %1;").arg(grey.name()));
    amountLabel_->setDelegate(this);
    connect(amountLabel_, &TextField::editingChanged, this, [this] { textFieldDidChange(); });
}

void CatalogSaleEditItemController::textFieldDidBeginEditing(TextField* field) {
    if (numericKeyboard_ && field->inputView() == numericKeyboard_)
        numericKeyboard_->setTextField(field);
}

bool CatalogSaleEditItemController::textFieldShouldReturn(TextField*) {
    doneWithNumberPad();
    return true;
}

void CatalogSaleEditItemController::doneWithNumberPad() {
    FirstResponder::endEditing(view());
}

void CatalogSaleEditItemController::applyTypedText(const QString& text) {
    quantity_ = text.isEmpty() ? 0 : CatalogLook::integerValue(text);
    if (quantity_ < 0)
        quantity_ = 0;
    if (quantity_ > kMaximumQuantity) {
        quantity_ = kMaximumQuantity;
        showMaximumAlert();
    }
    amountLabel_->setText(QString::number(quantity_));
    updateItemInformationFields();
}

void CatalogSaleEditItemController::textFieldDidChange() {
    applyTypedText(amountLabel_->text());
}

void CatalogSaleEditItemController::addDigitButton(QPushButton* sender) {
    applyTypedText(amountLabel_->text() + sender->text());
}

void CatalogSaleEditItemController::eraseLastDigit() {
    const QString text = amountLabel_->text();
    if (text.size() <= 1) {
        amountLabel_->setText(QStringLiteral("0"));
        quantity_ = 0;
    } else {
        amountLabel_->setText(text.left(text.size() - 1));
        quantity_ = std::max(0, CatalogLook::integerValue(amountLabel_->text()));
    }
    updateItemInformationFields();
}

void CatalogSaleEditItemController::resetNumber() {
    quantity_ = 0;
    amountLabel_->setText(QStringLiteral("0"));
    updateItemInformationFields();
}

void CatalogSaleEditItemController::add() {
    if (quantity_ < kMaximumQuantity) {
        ++quantity_;
        amountLabel_->setText(QString::number(quantity_));
        updateItemInformationFields();
    } else {
        quantity_ = kMaximumQuantity;
        showMaximumAlert();
    }
}

void CatalogSaleEditItemController::substract() {
    if (quantity_ <= 0)
        return;
    --quantity_;
    amountLabel_->setText(QString::number(quantity_));
    updateItemInformationFields();
}

void CatalogSaleEditItemController::showMaximumAlert() {
    auto* alert = SystemAlert::alertControllerWithTitle(
        QString(""), CatalogLook::text("CatalogSaleEditItem", "maximumQuantity"));
    alert->setObjectName(QStringLiteral("maximumQuantityAlert"));
    alert->addAction(QStringLiteral("OK"), SystemAlertAction::Cancel);
    presentViewController(alert, true);
}

void CatalogSaleEditItemController::updateItemInformationFields() {
    if (!item_)
        return;
    const double price = item_->product()->price()->doubleValue();
    const int n = quantity_;
    double total = price * n;
    double unit = price;
    const double discountAmount =
        item_->discountAmount() ? item_->discountAmount()->doubleValue() : 0;
    if (discountAmount != 0) {
        if (total != 0) {
            unit = price * (1 - discountAmount / total);
            total -= discountAmount;
        } else {
            // No units: nothing to discount.
            unit = price;
            total = 0;
        }
    } else if (item_->discountPercentage() != 0) {
        total *= 1 - item_->discountPercentage();
        unit = price * (1 - item_->discountPercentage());
    }
    itemPriceAndQuantity_->setText(
        CatalogLook::text("CatalogSaleEditItem", "units", {CatalogLook::money(unit), n}));
    totalPrice_->setText(CatalogLook::money(total));
}

void CatalogSaleEditItemController::acceptChanges(QObject* sender) {
    if (quantity_ <= 0 && (!zeroQuantity_ || sender != zeroQuantity_.data())) {
        auto* alert = SystemAlert::alertControllerWithTitle(
            QString(""), CatalogLook::text("CatalogSaleEditItem", "deleteItemConfirmation"));
        alert->setObjectName(QStringLiteral("zeroQuantityAlert"));
        zeroQuantity_ = alert;
        QPointer<CatalogSaleEditItemController> self(this);
        alert->addAction(CatalogLook::text("GlobalTexts", "cancel"), SystemAlertAction::Cancel);
        alert->addAction(QStringLiteral("OK"), SystemAlertAction::Default,
                         [self, alert](SystemAlertAction*) {
                             if (!self)
                                 return;
                             self->quantity_ = 0;
                             self->acceptChanges(alert);
                         });
        presentViewController(alert, true);
        return;
    }
    writeAndPop();
}

void CatalogSaleEditItemController::writeAndPop() {
    if (item_)
        item_->setQuantity(quantity_);
    if (delegate_ && item_)
        delegate_->catalogSaleEditUpdateItem(item_);
    if (NavigationController* navigation = navigationController())
        navigation->popViewControllerAnimated(true);
}

void CatalogSaleEditItemController::deleteItem() {
    auto* sheet = SystemAlert::alertControllerWithTitle(QString(), QString(),
                                                        SystemAlert::Style::ActionSheet);
    sheet->setObjectName(QStringLiteral("deleteItemSheet"));
    QPointer<CatalogSaleEditItemController> self(this);
    sheet->addAction(CatalogLook::text("EditItem", "deleteItem"), SystemAlertAction::Destructive,
                     [self](SystemAlertAction*) {
                         if (!self)
                             return;
                         self->quantity_ = 0;
                         // Confirmed here: written without asking again.
                         self->writeAndPop();
                     });
    sheet->addAction(CatalogLook::text("GlobalTexts", "cancel"), SystemAlertAction::Cancel);
    presentViewController(sheet, true);
}

void CatalogSaleEditItemController::undoChanges() {
    if (NavigationController* navigation = navigationController())
        navigation->popViewControllerAnimated(true);
}
