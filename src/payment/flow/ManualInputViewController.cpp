#include "payment/flow/ManualInputViewController.h"

#include "SDK/session/AccountSettings.h"
#include "model/Product.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/View.h"
#include "ui_kit/NumericKeyboard.h"
#include "ui_kit/UIKitSupport.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace {

QString manualText(const char* section, const char* key) {
    return UIKitSupport::text(QLatin1String(section), QLatin1String(key));
}

QString decimalDigits(const QString& text) {
    QString digits;
    for (QChar c : text)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits += c;
    return digits;
}

// Digits with four implied decimals of a fraction: "1234" is 0.1234.
double rateOfDigits(const QString& digits) {
    return digits.isEmpty() ? 0 : digits.toDouble() / 10000;
}

constexpr int kAmountFieldHeight = 70;

} // namespace

ManualInputViewController::ManualInputViewController(QObject* parent)
    : ViewController(parent) {}

ManualInputViewController::~ManualInputViewController() {
    if (itemDescriptionField_)
        itemDescriptionField_->setDelegate(nullptr);
}

QWidget* ManualInputViewController::loadView() {
    auto* root = new QWidget();
    root->setObjectName(QStringLiteral("ManualInputViewController"));
    View::setBackgroundColor(root, Qt::white);
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    costContainer_ = new QWidget(root);
    costContainer_->setObjectName(QStringLiteral("costContainer"));
    costContainer_->setFixedHeight(110);
    saleCostTotalField_ = new TextField(costContainer_);
    saleCostTotalField_->setObjectName(QStringLiteral("saleCostTotalField"));
    saleCostTotalField_->setReadOnly(true);
    saleCostTotalField_->setFrame(false);
    saleCostTotalField_->setAlignment(Qt::AlignCenter);
    saleCostTotalField_->setFocusPolicy(Qt::NoFocus);
    saleCostTotalField_->setFont(QFont(QStringLiteral("Helvetica Neue"), 40, QFont::Light));
    addButton_ = new QPushButton(QStringLiteral("+"), costContainer_);
    addButton_->setObjectName(QStringLiteral("addButton"));
    addButton_->setFlat(true);
    addButton_->setFont(QFont(QStringLiteral("Helvetica Neue"), 30, QFont::Light));
    column->addWidget(costContainer_);

    itemDescriptionField_ = new TextField(root);
    itemDescriptionField_->setObjectName(QStringLiteral("itemDescriptionField"));
    itemDescriptionField_->setFrame(false);
    itemDescriptionField_->setAlignment(Qt::AlignCenter);
    itemDescriptionField_->setMinimumHeight(44);
    // Editing starts with a tap on the field, not when the tab shows.
    itemDescriptionField_->setFocusPolicy(Qt::ClickFocus);
    itemDescriptionField_->setFont(QFont(QStringLiteral("Helvetica Neue"), 17));
    itemDescriptionField_->setPlaceholderText(manualText("Payment", "addDescription"));
    column->addWidget(itemDescriptionField_);
    descriptionDiv_ = new QWidget(root);
    descriptionDiv_->setObjectName(QStringLiteral("descriptionDiv"));
    View::setBackgroundColor(descriptionDiv_, QColor(200, 200, 200));
    column->addWidget(descriptionDiv_);

    numericKeyboardContainer_ = new QWidget(root);
    numericKeyboardContainer_->setObjectName(QStringLiteral("numericKeyboardContainer"));
    auto* grid = new QGridLayout(numericKeyboardContainer_);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(1);
    View::setBackgroundColor(numericKeyboardContainer_, QColor(220, 220, 220));
    auto key = [this, grid](const QString& title, const QString& name, int row, int col) {
        auto* b = new QPushButton(title, numericKeyboardContainer_);
        b->setObjectName(name);
        b->setMinimumHeight(44);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        b->setFont(QFont(QStringLiteral("Helvetica Neue"), 26, QFont::Light));
        b->setStyleSheet(QStringLiteral("QPushButton { background: white; border: 0; color: "
                                        "rgb(51,51,51); } QPushButton:pressed { background: "
                                        "rgb(235,235,235); }"));
        grid->addWidget(b, row, col);
        numericKeyboardButtons_.append(b);
        return b;
    };
    for (int d = 1; d <= 9; ++d) {
        QPushButton* b =
            key(QString::number(d), QStringLiteral("key%1").arg(d), (d - 1) / 3, (d - 1) % 3);
        connect(b, &QPushButton::clicked, this, [this, b] { keyTapped(b); });
    }
    QPushButton* doubleZero = key(QStringLiteral("00"), QStringLiteral("key00"), 3, 0);
    connect(doubleZero, &QPushButton::clicked, this, [this, doubleZero] { keyTapped(doubleZero); });
    QPushButton* zero = key(QStringLiteral("0"), QStringLiteral("key0"), 3, 1);
    connect(zero, &QPushButton::clicked, this, [this, zero] { keyTapped(zero); });
    eraseButton_ = key(QString(), QStringLiteral("eraseButton"), 3, 2);
    eraseButton_->setIcon(QIcon(QPixmap::fromImage(UIKitSupport::tinted(
        UIKitSupport::bundleImage(QStringLiteral("backspace_white.png")), QColor(51, 51, 51)))));
    eraseButton_->setIconSize(QSize(33, 24));
    connect(eraseButton_, &QPushButton::clicked, this, [this] { eraseButtonTapped(); });
    column->addWidget(numericKeyboardContainer_, 1);

    processSaleContainer_ = new QWidget(root);
    processSaleContainer_->setObjectName(QStringLiteral("processSaleContainer"));
    auto* row = new QVBoxLayout(processSaleContainer_);
    row->setContentsMargins(16, 8, 16, 8);
    processSaleButton_ = new QPushButton(manualText("Payment", "collect"), processSaleContainer_);
    processSaleButton_->setObjectName(QStringLiteral("processSaleButton"));
    processSaleButton_->setMinimumHeight(50);
    processSaleButton_->setStyleSheet(
        QStringLiteral("QPushButton { background: %1; color: white; border: 0; font-size: 20px; }")
            .arg(UIKitSupport::mainColor().name()));
    row->addWidget(processSaleButton_);
    column->addWidget(processSaleContainer_);

    connect(addButton_, &QPushButton::clicked, this, [this] { addButtonTapped(); });
    connect(processSaleButton_, &QPushButton::clicked, this,
            [this] { processSaleButtonTapped(processSaleButton_); });
    return root;
}

void ManualInputViewController::viewDidLoad() {
    ViewController::viewDidLoad();
    itemDescriptionField_->setDelegate(this);
    minimumFractionDigits_ = 0;
    saleCostTotalField_->setText(Amount::initWithDouble(0)->getAmount());
    descriptionDiv_->setFixedHeight(0);
    if (!currentItem_)
        createDefaultItem();
    enableAddButton(false);
}

void ManualInputViewController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    updateSaleComponent();
    layoutIfNeeded();
}

void ManualInputViewController::viewDidAppear(bool animated) {
    ViewController::viewDidAppear(animated);
    UserDefaults& store = UserDefaults::standardUserDefaults();
    store.setObject(QStringLiteral("Amount"), QStringLiteral("lastMode"));
    store.synchronize();
    if (childDelegate_)
        childDelegate_->inputTabBarChildWillChangeParentTitle(this,
                                                              manualText("Menu", "enterAmount"));
}

void ManualInputViewController::viewDidLayoutSubviews() {
    placeAmountField();
    addButton_->setGeometry(costContainer_->width() - 56, 8, 48, 48);
    if (keyboardDisable_)
        keyboardDisable_->setGeometry(numericKeyboardContainer_->rect());
}

void ManualInputViewController::placeAmountField() {
    const int width = costContainer_->width() - 112;
    saleCostTotalField_->setGeometry(56 + int(amountOffset_),
                                     (costContainer_->height() - kAmountFieldHeight) / 2,
                                     std::max(0, width), kAmountFieldHeight);
}

double ManualInputViewController::currentPrice() const {
    return currentItem_ ? currentItem_->product()->price()->doubleValue() : 0;
}

// ---------------------------------------------------------------- keypad

void ManualInputViewController::keyTapped(QPushButton* key) {
    if (!key || !currentItem_)
        return;
    const bool duplicated =
        childDelegate_ && childDelegate_->inputTabBarChildIsItemDuplicated(this, currentItem_);
    auto typed = Amount::initWithDouble(currentPrice());
    saleCostTotalField_->setText(typed->addDigit(key->text()));
    currentItem_->product()->setPrice(Amount::initWithDecimal(typed->amountNumber()));
    saleCostTotalField_->setText(currentItem_->product()->price()->getAmount());
    // The line joins the sale with its first amount above zero: "0" and "00" alone add nothing.
    if (currentPrice() > 0 && !duplicated && childDelegate_)
        childDelegate_->inputTabBarChildWillAddItem(this, currentItem_);
    if (childDelegate_)
        childDelegate_->inputTabBarChildWillUpdateSaleComponentReloadingCatalog(this, false);
    enableAddButton(currentPrice() > 0);
    enableTaxButton(currentPrice() > 0);
}

void ManualInputViewController::eraseButtonTapped() {
    FirstResponder::endEditing(view());
    auto typed = Amount::initWithDouble(currentPrice());
    saleCostTotalField_->setText(typed->removeLastDigit());
    currentItem_->product()->setPrice(Amount::initWithDecimal(typed->amountNumber()));
    saleCostTotalField_->setText(currentItem_->product()->price()->getAmount());
    enableAddButton(currentPrice() > 0);
    enableTaxButton(currentPrice() > 0);
    if (currentPrice() == 0 && childDelegate_)
        childDelegate_->inputTabBarChildWillDeleteItem(this, currentItem_);
    if (childDelegate_)
        childDelegate_->inputTabBarChildWillUpdateSaleComponentReloadingCatalog(this, false);
}

void ManualInputViewController::addButtonTapped() {
    if (currentPrice() == 0)
        return;
    // A description still being typed goes with the line it describes.
    if (itemDescriptionField_->isFirstResponder())
        textFieldShouldReturn(itemDescriptionField_);
    const ItemPtr closed = currentItem_;
    // A closed line the parent no longer holds goes back into the sale.
    if (childDelegate_ && !childDelegate_->inputTabBarChildIsItemDuplicated(this, closed))
        childDelegate_->inputTabBarChildWillAddItem(this, closed);
    animateNewItem();
    createDefaultItem();
    resetTaxesButton();
    saleCostTotalField_->setText(Amount::initWithDouble(0)->getAmount());
    itemDescriptionField_->setText(QString());
    if (childDelegate_)
        childDelegate_->inputTabBarChildWillUpdateSaleComponent(this);
    enableAddButton(false);
}

void ManualInputViewController::animateNewItem() {
    QPointer<ManualInputViewController> self(this);
    auto slide = [self](double from, double to, double fromAlpha, double toAlpha,
                        std::function<void(bool)> done) {
        Clock::current().animate(
            kSlideMs, self.data(),
            [self, from, to, fromAlpha, toAlpha](double t) {
                if (!self)
                    return;
                self->amountOffset_ = from + (to - from) * t;
                View::setAlpha(self->saleCostTotalField_, fromAlpha + (toAlpha - fromAlpha) * t);
                self->placeAmountField();
            },
            std::move(done));
    };
    slide(0, kSlideDistance, 1, 0, [self, slide](bool) {
        if (!self)
            return;
        self->amountOffset_ = -kSlideDistance;
        self->placeAmountField();
        slide(-kSlideDistance, 0, 0, 1, [self](bool) {
            if (!self)
                return;
            self->amountOffset_ = 0;
            View::setAlpha(self->saleCostTotalField_, 1);
            self->placeAmountField();
        });
    });
}

void ManualInputViewController::processSaleButtonTapped(QObject* sender) {
    if (childDelegate_)
        childDelegate_->inputTabBarChildWillProcessSaleWithAction(this, sender);
}

// ---------------------------------------------------------------- the line

void ManualInputViewController::createDefaultItem() {
    enableTaxButton(false);
    currentItem_ = Item::init();
    currentItem_->product()->setProductId(QString());
    currentItem_->setIsCustomAmount(true);
    currentItem_->product()->setPrice(Amount::initWithDouble(0));
    if (isViewLoaded()) {
        itemDescriptionField_->setText(currentItem_->product()->name());
        saleCostTotalField_->setText(currentItem_->product()->price()->getAmount());
    }
    currentItem_->product()->setTaxIncludedInPrice(true);
}

void ManualInputViewController::cleanSale() {
    if (isViewLoaded()) {
        saleCostTotalField_->setText(QString());
        itemDescriptionField_->setText(QString());
    }
    createDefaultItem();
    resetTaxesButton();
    enableAddButton(false);
}

void ManualInputViewController::updateSaleComponent() {
    if (!currentItem_ || !isViewLoaded())
        return;
    saleCostTotalField_->setText(Amount::initWithDouble(currentPrice())->getAmount());
    if (!currentItem_->product()->name().isEmpty())
        itemDescriptionField_->setText(currentItem_->product()->name());
}

void ManualInputViewController::enableAddButton(bool on) {
    if (!addButton_)
        return;
    addButton_->setEnabled(on);
    addButton_->setStyleSheet(QStringLiteral("QPushButton { color: %1; border: 0; }")
                                  .arg(on ? QStringLiteral("black") : QStringLiteral("#b4b4b4")));
}

// ---------------------------------------------------------------- tax

QString ManualInputViewController::formattedPercentage(double rate) const {
    QString text = QString::number(rate * 100, 'f', 2);
    if (minimumFractionDigits_ < 2) {
        while (text.endsWith(QLatin1Char('0')) &&
               text.indexOf(QLatin1Char('.')) < text.size() - 1 - minimumFractionDigits_)
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text + QLatin1Char('%');
}

QString ManualInputViewController::taxTitle() const {
    QString title = manualText("CatalogSale", "tax");
    return title.replace(QStringLiteral("%@"),
                         formattedPercentage(currentItem_->product()->getTotalTaxRate()));
}

void ManualInputViewController::changeTaxButtonTapped() {
    FirstResponder::endEditing(view());
    auto* alert = SystemAlert::alertControllerWithTitle(manualText("Payment", "editTaxTitle"),
                                                        manualText("Payment", "editTaxText"));
    QPointer<ManualInputViewController> self(this);
    alert->addAction(QStringLiteral("OK"), SystemAlertAction::Default, [self](SystemAlertAction*) {
        if (self)
            self->taxAccepted();
    });
    alert->addAction(QStringLiteral("Cancel"), SystemAlertAction::Cancel);
    alert->addTextFieldWithConfigurationHandler([self](TextField* field) {
        if (!self)
            return;
        self->minimumFractionDigits_ = 2;
        field->setText(self->formattedPercentage(self->currentItem_->product()->getTotalTaxRate()));
        field->setKeyboardType(TextField::KeyboardType::NumberPad);
        field->setDelegate(self.data());
    });
    inputTaxesAlertController_ = alert;
    presentViewController(alert, true);
}

void ManualInputViewController::taxAccepted() {
    const ProductPtr product = currentItem_->product();
    if (!product->taxes().empty())
        product->removeTax(product->taxes().front());
    QString text;
    if (inputTaxesAlertController_ && !inputTaxesAlertController_->textFields().isEmpty())
        text = inputTaxesAlertController_->textFields().first()->text();
    product->setTaxRate(rateOfDigits(decimalDigits(text)));
    minimumFractionDigits_ = 0;
    updateTaxButtonTitle(taxTitle());
}

void ManualInputViewController::enableTaxButton(bool on) {
    taxButtonEnabled_ = on;
}

void ManualInputViewController::updateTaxButtonTitle(const QString& title) {
    taxButtonTitle_ = title;
}

void ManualInputViewController::resetTaxesButton() {
    if (AccountSettings::instance().customTaxes().isEmpty())
        return;
    updateTaxButtonTitle(taxTitle());
}

void ManualInputViewController::resetTaxes() {
    for (const auto& tax : AccountSettings::instance().customTaxes())
        currentItem_->product()->removeTax(tax);
    resetTaxesButton();
}

// ---------------------------------------------------------------- text fields

void ManualInputViewController::textFieldDidBeginEditing(TextField* field) {
    if (numericKeyboard_ && field->inputView() == numericKeyboard_) {
        numericKeyboard_->setTextField(field);
        return;
    }
    // The keypad rests under a pale cover while a text field is edited.
    if (!keyboardDisable_) {
        keyboardDisable_ = new QWidget(numericKeyboardContainer_);
        keyboardDisable_->setObjectName(QStringLiteral("keyboardDisable"));
        keyboardDisable_->setGeometry(numericKeyboardContainer_->rect());
        View::setBackgroundColor(keyboardDisable_, QColor(250, 250, 250));
        View::setAlpha(keyboardDisable_, 0);
        keyboardDisable_->show();
        keyboardDisable_->raise();
        View::animateAlpha(keyboardDisable_, 0.8, kFadeMs);
    }
    for (QPushButton* key : numericKeyboardButtons_)
        key->setEnabled(false);
    descriptionDiv_->setFixedHeight(1);
}

void ManualInputViewController::textFieldDidEndEditing(TextField* field) {
    descriptionDiv_->setFixedHeight(0);
    for (QPushButton* key : numericKeyboardButtons_)
        key->setEnabled(true);
    if (keyboardDisable_) {
        QPointer<QWidget> cover(keyboardDisable_);
        keyboardDisable_ = nullptr;
        View::animateAlpha(cover, 0, kFadeMs, [cover](bool) {
            if (cover)
                View::removeFromSuperview(cover);
        });
    }
    textFieldShouldReturn(field);
}

bool ManualInputViewController::textFieldShouldReturn(TextField* field) {
    if (returning_)
        return true;
    returning_ = true;
    FirstResponder::endEditing(view());
    returning_ = false;
    if (field == itemDescriptionField_ && currentItem_) {
        currentItem_->product()->setName(field->text());
        if (childDelegate_)
            childDelegate_->inputTabBarChildWillUpdateSaleComponent(this);
    }
    return true;
}

bool ManualInputViewController::textFieldShouldChangeCharactersInRange(TextField* field, int start,
                                                                       int length,
                                                                       const QString& replacement) {
    const bool taxField = inputTaxesAlertController_ &&
                          !inputTaxesAlertController_->textFields().isEmpty() &&
                          inputTaxesAlertController_->textFields().first() == field;
    if (!taxField) {
        const qsizetype resulting = field->text().size() - length + replacement.size();
        return resulting <= kMaxDescriptionLength || replacement.contains(QLatin1Char('\n'));
    }
    QString text = field->text();
    text.replace(start, length, replacement);
    // Deleting the percent sign takes the last digit with it.
    if (!text.contains(QLatin1Char('%')))
        text.chop(1);
    else
        text.remove(QLatin1Char('%'));
    const double rate = rateOfDigits(decimalDigits(text));
    if (rate >= 0 && rate <= AccountSettings::instance().taxPercentage()) {
        const int kept = minimumFractionDigits_;
        minimumFractionDigits_ = 2;
        field->setText(formattedPercentage(rate));
        minimumFractionDigits_ = kept;
    }
    return false;
}
