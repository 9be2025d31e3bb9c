#include "payment/flow/PickPaymentMethodController.h"
#include "payment/flow/TypedAmount.h"

#include "SDK/session/AccountSettings.h"
#include "SDK/session/User.h"
#include "api/APIConfiguration.h"
#include "api/APIController.h"
#include "model/AvailableCreditCards.h"
#include "model/CreditCard.h"
#include "model/Sale.h"
#include "model/values/Amount.h"
#include "model/values/Currency.h"
#include "model/values/Limits.h"
#include "model/values/Tax.h"
#include "payment/flow/PaymentMethodCell.h"
#include "platform/core/Logging.h"
#include "platform/core/SafeDictionary.h"
#include "platform/core/VersionDispatch.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FlowEnd.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Storyboard.h"
#include "ui_kit/ImageDownloader.h"
#include "ui_kit/UIKitSupport.h"
#include "ui_kit/crossTotal.h"
#include "ui_kit/texts/Language.h"

#include <QHBoxLayout>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <cmath>

namespace {

// The whole percentage typed into a percent field: a deleted "%" sign takes the digit before
// it along; more than two digits keep the first two, except 100 (and 1000, a digit typed after
// 100, stays 100).
int typedWholePercent(const QString& current) {
    QString s = current;
    s.remove(u'%');
    if (!current.contains(u'%'))
        s = current.left(current.size() - 1);
    if (s.size() > 2 && s != QLatin1String("100"))
        s = s == QLatin1String("1000") ? QStringLiteral("100") : s.left(2);
    return s.isEmpty() ? 0 : s.toInt();
}

const QString kCash = QStringLiteral("CASH");
const QString kPaymentButton = QStringLiteral("PAYMENT_BUTTON");
constexpr int kDiscountRepeats = 200;

QString text(const char* file, const char* key) {
    return Language::textForFile(QString::fromLatin1(file), QString::fromLatin1(key));
}

// A value of the entry, as the kind the screen reads it; JSON null or another kind is none.
std::optional<QString> stringOf(const QVariantMap& entry, const QString& key) {
    const QVariant value = entry.value(key);
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString();
}

bool isNumber(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

QWidget* row(QWidget* parent, const char* name) {
    auto* view = new QWidget(parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setFixedHeight(44);
    return view;
}

QLabel* caption(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

void setFont(QWidget* widget, bool bold, const QColor& colour) {
    QFont font(QStringLiteral("Helvetica Neue"), 17);
    font.setWeight(bold ? QFont::Medium : QFont::Normal);
    widget->setFont(font);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

} // namespace

PickPaymentMethodController::PickPaymentMethodController(QObject* parent)
    : ViewController(parent) {}

PickPaymentMethodController::~PickPaymentMethodController() = default;

QString PickPaymentMethodController::issuerImageFolderAddress() {
    return APIConfiguration::current()->baseURL() + QStringLiteral("/img-issuer/");
}

void PickPaymentMethodController::addDoneButton(QWidget* bar, QBoxLayout* layout, const char* name,
                                                void (PickPaymentMethodController::*action)(),
                                                Qt::Alignment alignment) {
    auto* done = new QPushButton(QStringLiteral("OK"), bar);
    done->setObjectName(QString::fromLatin1(name));
    connect(done, &QPushButton::clicked, this, [this, action] { (this->*action)(); });
    layout->addWidget(done, 0, alignment);
}

QWidget* PickPaymentMethodController::loadView() {
    auto* root = new QWidget();
    root->setObjectName(QStringLiteral("PickPaymentMethod"));
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    header_ = new QWidget(root);
    header_->setObjectName(QStringLiteral("headerView"));
    header_->setAutoFillBackground(true);
    QPalette grey = header_->palette();
    grey.setColor(QPalette::Window, QColor::fromRgbF(0.96f, 0.96f, 0.96f));
    header_->setPalette(grey);
    auto* rows = new QVBoxLayout(header_);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);

    // A row: caption on the left, value on the right, a transparent button over it.
    auto makeRow = [&](const char* viewName, const char* labelName, QPointer<QLabel>& label,
                       QWidget* value, QPointer<QPushButton>* button, const char* buttonName,
                       void (PickPaymentMethodController::*open)()) {
        QWidget* view = row(header_, viewName);
        auto* line = new QHBoxLayout(view);
        line->setContentsMargins(15, 0, 15, 0);
        label = caption(view, labelName);
        line->addWidget(label, 1);
        value->setParent(view);
        line->addWidget(value);
        if (button) {
            *button = new QPushButton(view);
            (*button)->setObjectName(QString::fromLatin1(buttonName));
            (*button)->setFlat(true);
            (*button)->setStyleSheet(QStringLiteral("background: transparent; border: none;"));
            connect(*button, &QPushButton::clicked, this, [this, open] { (this->*open)(); });
        }
        rows->addWidget(view);
        return view;
    };
    auto field = [](const char* name) {
        auto* f = new TextField();
        f->setObjectName(QString::fromLatin1(name));
        f->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        f->setFrame(false);
        f->setKeyboardType(TextField::KeyboardType::NumberPad);
        f->setEnabled(false);
        f->setMinimumWidth(140);
        return f;
    };
    discount_ = field("discount");
    tax_ = field("tax");
    tip_ = field("tip");
    totalNoTax_ = caption(nullptr, "totalNoTax");
    discountView_ =
        makeRow("discountView", "discountLabel", discountLabel_, discount_, &discountButton_,
                "discountButton", &PickPaymentMethodController::makeDiscount);
    totalNoTaxView_ = makeRow("totalNoTaxView", "totalNoTaxLabel", totalNoTaxLabel_, totalNoTax_,
                              nullptr, "", nullptr);
    taxView_ = makeRow("taxView", "taxLabel", taxLabel_, tax_, &taxButton_, "taxButton",
                       &PickPaymentMethodController::addTaxes);
    tipView_ = makeRow("tipView", "tipLabel", tipLabel_, tip_, &tipButton_, "tipButton",
                       &PickPaymentMethodController::addTip);

    auto* totals = new QWidget();
    auto* totalsLine = new QHBoxLayout(totals);
    totalsLine->setContentsMargins(0, 0, 0, 0);
    oldTotal_ = caption(totals, "oldTotal");
    total_ = caption(totals, "total");
    totalsLine->addWidget(oldTotal_);
    totalsLine->addWidget(total_);
    totalView_ = makeRow("totalView", "totalLabel", totalLabel_, totals, nullptr, "", nullptr);
    column->addWidget(header_);

    table_ = new TableView(root);
    table_->setObjectName(QStringLiteral("paymentMethodsTable"));
    table_->registerCell(QStringLiteral("PaymentMethodCell"),
                         [] { return new PaymentMethodCell(); });
    table_->setDataSource(this);
    table_->setDelegate(this);
    column->addWidget(table_, 1);

    // The number bar of the discount and tax fields: percentage / amount and "OK".
    numberToolbar_ = new QWidget(root);
    numberToolbar_->setObjectName(QStringLiteral("numberToolbar"));
    auto* bar = new QHBoxLayout(numberToolbar_);
    percentageSegment_ = new QPushButton(numberToolbar_);
    percentageSegment_->setObjectName(QStringLiteral("percentageSegment"));
    amountSegment_ = new QPushButton(numberToolbar_);
    amountSegment_->setObjectName(QStringLiteral("amountSegment"));
    for (QPushButton* b : {percentageSegment_.data(), amountSegment_.data()}) {
        b->setCheckable(true);
        bar->addWidget(b);
    }
    connect(percentageSegment_, &QPushButton::clicked, this, [this] { changeNumberType(0); });
    connect(amountSegment_, &QPushButton::clicked, this, [this] { changeNumberType(1); });
    bar->addStretch(1);
    addDoneButton(numberToolbar_, bar, "doneWithNumericTextField",
                  &PickPaymentMethodController::doneWithNumericTextField);
    numberToolbar_->hide();
    column->addWidget(numberToolbar_);

    // The tip bar: three fixed tips and "OK".
    tipToolBar_ = new QWidget(root);
    tipToolBar_->setObjectName(QStringLiteral("tipToolBar"));
    auto* tipBar = new QHBoxLayout(tipToolBar_);
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(tipToolBar_);
        b->setObjectName(QStringLiteral("fixedTipButton%1").arg(i));
        connect(b, &QPushButton::clicked, this, [this, b] { fixedTipButtonTapped(b); });
        fixedTipButtons_ << b;
        tipBar->addWidget(b);
    }
    addDoneButton(tipToolBar_, tipBar, "doneTipBarButton",
                  &PickPaymentMethodController::tipDoneBarButtonTapped);
    tipToolBar_->hide();
    column->addWidget(tipToolBar_);

    // The discount wheel with its bar, shown when the discount row opens.
    discountPickerView_ = new QWidget(root);
    discountPickerView_->setObjectName(QStringLiteral("discountPickerView"));
    auto* pickerColumn = new QVBoxLayout(discountPickerView_);
    pickerColumn->setContentsMargins(0, 0, 0, 0);
    addDoneButton(discountPickerView_, pickerColumn, "doneWithDiscountPicker",
                  &PickPaymentMethodController::doneWithDiscountPicker, Qt::AlignRight);
    discountPicker_ = new PickerView(discountPickerView_);
    discountPicker_->setObjectName(QStringLiteral("discountPicker"));
    discountPicker_->setFixedHeight(216);
    discountPicker_->setDataSource(this);
    discountPicker_->setDelegate(this);
    pickerColumn->addWidget(discountPicker_);
    discountPickerView_->hide();
    column->addWidget(discountPickerView_);

    for (TextField* f : {discount_.data(), tax_.data(), tip_.data()})
        f->setDelegate(this);
    connect(discount_, &TextField::editingChanged, this, [this] { setDiscountFormat(); });
    connect(tip_, &TextField::editingChanged, this, [this] { setTipFormat(); });
    connect(tax_, &TextField::editingChanged, this, [this] { setTaxFormat(); });
    return root;
}

void PickPaymentMethodController::viewDidLoad() {
    ViewController::viewDidLoad();
    AvailableCreditCards::instance().setList(std::nullopt);
    tip_->setText(Amount::initWithDouble(0)->getAmount());

    sale_ = std::shared_ptr<Sale>(std::shared_ptr<Sale>(), &Sale::sharedSale());
    const AccountSettings& settings = AccountSettings::instance();
    sale_->setDiscountAmount(nullptr);

    if (settings.discountsEnabled()) {
        // The settings' fractions that are there, at most three.
        discountsArray_ = {QStringLiteral("0%")};
        const QVariantList fractions = settings.discountsList();
        for (int i = 0; i < std::min<qsizetype>(3, fractions.size()); ++i)
            discountsArray_ << fractions.at(i).toDouble();
        discountsArray_ << text("ReadCard", "customize");
        discountPicker_->reloadAllComponents();
        const int preset = settings.defaultDiscountIndex();
        if (preset >= 0 && preset + 1 < discountsArray_.size() - 1) {
            const double fraction = discountsArray_.at(preset + 1).toDouble();
            discount_->setText(percentText(fraction));
            discountPicker_->selectRow(zeroDiscountRow() + preset + 1, 0, false);
            sale_->setDiscountPercentage(double(float(fraction)));
        } else {
            discount_->setText(QStringLiteral("0%"));
            discountPicker_->selectRow(zeroDiscountRow(), 0, false);
            sale_->setDiscountPercentage(0);
        }
    } else {
        discountView_->hide();
    }
    tipView_->hide();
    taxView_->hide();
    totalNoTaxView_->hide();
    stackHeaderRows();

    const User& user = User::instance();
    // Set before the bar first shows this screen.
    setLocalization();
    if (!user.branchName().isEmpty())
        navigationItem()->setTitle(text("PickPaymentMethod", "paymentMethod") +
                                   QStringLiteral(" · ") + user.branchName());

    NavigationController* nav = navigationController();
    if (nav && nav->viewControllers().size() == 1 && nav->viewControllers().first() == this) {
        BarButtonItem exit;
        exit.title = text("GlobalTexts", "exit");
        exit.objectName = QStringLiteral("exitButton");
        exit.action = [self = QPointer<PickPaymentMethodController>(this)] {
            if (self)
                self->dismiss();
        };
        navigationItem()->setLeftBarButtonItem(exit);
    }

    // A percentage (20 for 20 %); a fraction of 1 or less is taken as one.
    if (settings.globalMaxTipPercentage() > 0)
        maxTip_ = settings.globalMaxTipPercentage() <= 1 ? settings.globalMaxTipPercentage() * 100
                                                         : settings.globalMaxTipPercentage();
    configureFixedTipButtons();

    displayLoadingIndicator();
    auto* api = new APIController(this);
    api->setDelegate(this);
    // The total exactly, not through single precision.
    api->getInstallmentsWithUserId(user.userId(), user.token(), sale_->total()->doubleValue());
}

void PickPaymentMethodController::stackHeaderRows() {
    int visible = 0;
    for (QWidget* r :
         {discountView_.data(), totalNoTaxView_.data(), taxView_.data(), tipView_.data()})
        if (!r->isHidden())
            ++visible;
    // A total row alone is no header at all.
    header_->setVisible(visible > 0);
}

void PickPaymentMethodController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    setLocalization();
    setViewStyle();
    percentageSegment_->setText(text("PickPaymentMethod", "percentage"));
    amountSegment_->setText(text("PickPaymentMethod", "amount"));
    table_->reloadData();
    sale_->recalculateTotalAmount();
    total_->setText(sale_->total()->getAmount());
    const double sub = subtotal();
    const double fixed = sale_->discountAmount() ? sale_->discountAmount()->doubleValue() : 0;
    const double noTax = sub - (fixed + sub * sale_->discountPercentage());
    totalNoTax_->setText(Amount::initWithDouble(noTax)->getAmount());
    if (sale_->total()->doubleValue() != noTax)
        tax_->setText(Amount::initWithDouble(sale_->total()->doubleValue() - noTax)->getAmount());
    oldTotal_->setText(sale_->subtotal()->getAmount());
    const bool discounted =
        (sale_->discountAmount() && sale_->discountAmount()->doubleValue() > 0) ||
        sale_->discountPercentage() > 0;
    oldTotal_->setVisible(discounted);
}

void PickPaymentMethodController::viewWillDisappear(bool animated) {
    ViewController::viewWillDisappear(animated);
    if (isMovingFromParentViewController())
        sale_->cleanTip();
}

void PickPaymentMethodController::setLocalization() {
    setTitle(text("PickPaymentMethod", "paymentMethod"));
    if (navigationItem()->title().isEmpty())
        navigationItem()->setTitle(text("PickPaymentMethod", "paymentMethod"));
    navigationItem()->setBackBarButtonTitle(text("GlobalTexts", "back"));
    totalLabel_->setText(text("PickPaymentMethod", "total"));
    discountLabel_->setText(text("GlobalTexts", "discount"));
    tipLabel_->setText(text("PickPaymentMethod", "tip"));
    taxLabel_->setText(text("PickPaymentMethod", "taxes"));
    totalNoTaxLabel_->setText(text("PickPaymentMethod", "totalNoTaxes"));
}

void PickPaymentMethodController::setViewStyle() {
    const QColor theme = UIKitSupport::mainColor();
    const QColor black = VersionDispatch::blackTextColor();
    const bool fixedTax = AccountSettings::instance().taxMode() == QLatin1String("FIXED");
    setFont(totalNoTaxLabel_, false, black);
    setFont(totalNoTax_, false, black);
    setFont(taxLabel_, !fixedTax, fixedTax ? black : theme);
    setFont(tax_, !fixedTax, fixedTax ? black : theme);
    for (QWidget* w :
         {static_cast<QWidget*>(discountLabel_.data()), static_cast<QWidget*>(discount_.data()),
          static_cast<QWidget*>(tipLabel_.data()), static_cast<QWidget*>(tip_.data())})
        setFont(w, true, theme);
    setFont(totalLabel_, true, black);
    setFont(total_, true, black);
    setFont(oldTotal_, false, black);
    taxButton_->setEnabled(!fixedTax);
}

// ---------------------------------------------------------------- list

void PickPaymentMethodController::loadPaymentMethods() {
    paymentMethods_ = AvailableCreditCards::instance().listForCurrencyCode(sale_->currencyCode());
}

int PickPaymentMethodController::tableViewNumberOfRowsInSection(TableView*, int) {
    return int(paymentMethods_.size());
}

QWidget* PickPaymentMethodController::tableViewCellForRowAtIndexPath(TableView* table,
                                                                     IndexPath indexPath) {
    auto* cell = static_cast<PaymentMethodCell*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("PaymentMethodCell")));
    const QVariantMap entry = paymentMethods_.value(indexPath.row).toMap();
    QPalette palette = cell->creditCardTitle()->palette();
    palette.setColor(QPalette::WindowText, UIKitSupport::mainColor());
    cell->creditCardTitle()->setPalette(palette);

    const std::optional<QString> logo = stringOf(entry, QStringLiteral("imageUrl_iOS"));
    const QString type = stringOf(entry, QStringLiteral("type")).value_or(QString());
    if (!logo && (type == kCash || type == kPaymentButton)) {
        // Methods that are no institution carry a picture of ours.
        cell->creditCardImage()->setImage(Bundle::load(type == kCash
                                                           ? QStringLiteral("cash_method.png")
                                                           : QStringLiteral("payment_link.png")));
        cell->creditCardImage()->show();
        cell->genericBankImage()->hide();
        cell->loading()->stopAnimating();
        cell->loading()->hide();
    } else if (logo && (logo->isEmpty() || *logo == issuerImageFolderAddress())) {
        cell->creditCardImage()->hide();
        cell->genericBankImage()->show();
        cell->loading()->stopAnimating();
        cell->loading()->hide();
    } else {
        auto* downloader = new ImageDownloader(cell);
        downloader->setImageView(cell->creditCardImage());
        downloader->setUrlString(logo.value_or(QString()));
        downloader->setImageIndex(stringOf(entry, QStringLiteral("key")).value_or(QString()));
        downloader->setActivityView(cell->loading());
        downloader->downloadTheImage();
        cell->loading()->hide();
        cell->creditCardImage()->show();
        cell->genericBankImage()->hide();
    }
    const std::optional<QString> name = stringOf(entry, QStringLiteral("name"));
    cell->creditCardTitle()->setText(
        name ? *name : Language::textForFile(QStringLiteral("PickPaymentMethod"), type.toLower()));
    cell->creditCardDescription()->setText(QString());
    cell->creditCardDescription()->hide();
    return cell;
}

bool PickPaymentMethodController::isEditingHeader() const {
    return (tax_ && tax_->isFirstResponder()) || (tip_ && tip_->isFirstResponder()) ||
           (discount_ && discount_->isFirstResponder());
}

void PickPaymentMethodController::tableViewDidSelectRowAtIndexPath(TableView* table,
                                                                   IndexPath indexPath) {
    if (isEditingHeader() || indexPath.row >= int(paymentMethods_.size())) {
        table->selectRowAtIndexPath(std::nullopt);
        return;
    }
    selectedInstitution_ = paymentMethods_.at(indexPath.row).toMap();
    const QVariantMap& entry = selectedInstitution_;
    Sale& sale = *sale_;

    if (isNumber(entry.value(QStringLiteral("maxTipAmount"))))
        sale.setMaxTipAllowed(double(entry.value(QStringLiteral("maxTipAmount")).toFloat()));
    auto tips = std::make_shared<std::vector<double>>();
    for (const QVariant& v : AccountSettings::instance().tipsList())
        tips->push_back(v.toDouble());
    const QVariant shown = entry.value(QStringLiteral("tipsToShow"));
    if (shown.typeId() == QMetaType::QVariantList && !shown.toList().isEmpty()) {
        tips->clear();
        for (const QVariant& v : shown.toList())
            tips->push_back(double(v.toFloat()));
    }
    sale.setTipsList(tips);

    sale.setPaymentMethodName(stringOf(entry, QStringLiteral("name")).value_or(QString()));
    const QVariant installmentId = entry.value(QStringLiteral("installmentId"));
    sale.setInstallmentId(
        QString::number(isNumber(installmentId) ? installmentId.toLongLong() : 0));
    sale.setTerminalId(stringOf(entry, QStringLiteral("terminalID")).value_or(QString()));
    if (entry.value(QStringLiteral("manualEntryAvailable")).typeId() == QMetaType::Bool)
        sale.setManualEntry(entry.value(QStringLiteral("manualEntryAvailable")).toBool());

    const QString type = stringOf(entry, QStringLiteral("type")).value_or(QString());
    if (type == kCash) {
        sale.setPaymentMethodName(QStringLiteral("cash"));
        table->selectRowAtIndexPath(std::nullopt);
        payInCash();
        return;
    }
    if (type == kPaymentButton) {
        table->selectRowAtIndexPath(std::nullopt);
        showPaymentButtonView();
        return;
    }
    if (refuseEmptyTotal()) {
        table->selectRowAtIndexPath(std::nullopt);
        return;
    }
    const QVariant installments = entry.value(QStringLiteral("installments"));
    if (installments.typeId() == QMetaType::QVariantList) {
        performSegueWithIdentifier(QStringLiteral("InstallmentsViewControllerSegue"), this);
        return;
    }
    if (entry.value(QStringLiteral("emvAIDs")).typeId() == QMetaType::QVariantList)
        sale.setEmvAIDs(entry.value(QStringLiteral("emvAIDs")).toList());
    if (isNumber(entry.value(QStringLiteral("emvConfigurationVersion"))))
        sale.setEmvConfigurationVersion(
            entry.value(QStringLiteral("emvConfigurationVersion")).toInt());
    if (installments.typeId() == QMetaType::QVariantMap && installments.toMap().size() > 1)
        performSegueWithIdentifier(QStringLiteral("pickInstallmentsSegue"), this);
    else
        pickedPaymentMethod();
}

bool PickPaymentMethodController::refuseEmptyTotal() {
    if (sale_->total()->doubleValue() > 0)
        return false;
    showMessage(text("Cashout", "amountMustBePositive"), QStringLiteral("OK"));
    return true;
}

void PickPaymentMethodController::payInCash() {
    if (cashPending_ || refuseEmptyTotal())
        return;
    cashPending_ = true;
    displayLoadingIndicator();
    auto* api = new APIController(this);
    api->setDelegate(this);
    Sale& sale = *sale_;
    sale.setPaidWithCreditCard(false);
    sale.setPaidWithPhoneNumber(std::nullopt);
    // A card read earlier would send the registration synchronously, past this screen: cash
    // carries no entry mode.
    if (sale.creditCard())
        sale.creditCard()->setTransactionType(QString());
    api->registerSale(sale, User::instance().userId(), User::instance().token());
}

void PickPaymentMethodController::showPaymentButtonView() {
    ViewController* share = Storyboard::instantiateInitial(QStringLiteral("Share"));
    if (!share)
        return;
    if (auto* nav = qobject_cast<NavigationController*>(share))
        if (auto* receiver = dynamic_cast<SaleReceiver*>(nav->topViewController()))
            receiver->setSale(sale_);
    presentViewController(share, true);
}

void PickPaymentMethodController::pickedPaymentMethod() {
    performSegueWithIdentifier(QStringLiteral("deviceSegue"), this);
}

void PickPaymentMethodController::prepareForSegue(StoryboardSegue& segue, QObject* sender) {
    ViewController::prepareForSegue(segue, sender);
    ViewController* destination = segue.destinationViewController();
    if (segue.identifier() == QLatin1String("pickInstallmentsSegue"))
        destination->setProperty("selectedInstitution", selectedInstitution_);
    else if (segue.identifier() == QLatin1String("InstallmentsViewControllerSegue"))
        QMetaObject::invokeMethod(
            destination, "setupDataSourceFromArray",
            Q_ARG(QVariantList,
                  selectedInstitution_.value(QStringLiteral("installments")).toList()));
}

void PickPaymentMethodController::dismiss() {
    dismissViewControllerAnimated(true);
}

// ---------------------------------------------------------------- replies

bool PickPaymentMethodController::apiDidFinishDownloadingWithDictionary(
    int functionName, const std::optional<QVariantMap>& dictionary) {
    const QVariantMap reply = dictionary.value_or(QVariantMap());
    // The reply itself may carry card and buyer data: only its outline goes to the log.
    Logging::info(tarvelloUi, QStringLiteral("PickPaymentMethod: reply %1, success %2")
                                  .arg(functionName)
                                  .arg(SafeDictionary::safeObjectForKey(reply, "success")));
    const bool success =
        reply.value(QStringLiteral("success")).toString().toUpper() == QLatin1String("OK");
    if (!success) {
        if (functionName == FunctionCode::SavePayment)
            cashPending_ = false;
        const QVariant response = reply.value(QStringLiteral("response"));
        std::optional<QString> message;
        if (response.typeId() == QMetaType::QVariantMap)
            message = stringOf(response.toMap(), QStringLiteral("message"));
        apiDidFailWithMessage(message);
        return true;
    }
    if (functionName == FunctionCode::SavePayment) {
        cashPending_ = false;
        hideLoadingIndicator();
        const QVariant saleId = reply.value(QStringLiteral("saleId"));
        sale_->setSaleId(QString::number(
            isNumber(saleId) || saleId.typeId() == QMetaType::QString ? saleId.toLongLong() : 0));
        sale_->sold();
        if (reply.value(QStringLiteral("sdk")).typeId() == QMetaType::QVariantMap)
            sale_->setCustomResponse(reply.value(QStringLiteral("sdk")).toMap());
        if (FlowEndDelegate* end = flowEndDelegate())
            end->paymentDone(sale_);
    } else if (functionName == FunctionCode::GetInstallments) {
        hideLoadingIndicator();
        const QVariant data = reply.value(QStringLiteral("data"));
        AvailableCreditCards::instance().setList(
            data.typeId() == QMetaType::QVariantList ? data.toList() : QVariantList());
        loadPaymentMethods();
        table_->reloadData();
    }
    return true;
}

void PickPaymentMethodController::apiDidFailWithError(const TarvelloError& error,
                                                      int functionName) {
    if (functionName == FunctionCode::SavePayment)
        cashPending_ = false;
    apiDidFailWithMessage(error.description.isEmpty() ? std::nullopt
                                                      : std::optional<QString>(error.description));
}

void PickPaymentMethodController::apiDidFailWithMessage(const std::optional<QString>& message) {
    hideLoadingIndicator();
    showMessage(message.value_or(text("GlobalTexts", "connError")), QStringLiteral("OK"));
}

void PickPaymentMethodController::showMessage(const QString& message, const QString& button,
                                              std::function<void()> action) {
    auto* alert = SystemAlert::alertControllerWithTitle(QString(), message);
    alert->addAction(button, SystemAlertAction::Cancel,
                     [action = std::move(action)](SystemAlertAction*) {
                         if (action)
                             action();
                     });
    presentViewController(alert, true);
}

// ---------------------------------------------------------------- header

double PickPaymentMethodController::subtotal() const {
    return sale_->subtotal()->doubleValue();
}

int PickPaymentMethodController::zeroDiscountRow() const {
    return int(discountsArray_.size()) * kDiscountRepeats / 2;
}

QString PickPaymentMethodController::symbol() const {
    return Currency::instance()->format();
}

QString PickPaymentMethodController::percentText(double fraction) const {
    return QStringLiteral("%1%").arg(qRound64(fraction * 100));
}

QString PickPaymentMethodController::taxText(double fraction) const {
    return QString::asprintf("%.2f%%", fraction * 100);
}

double PickPaymentMethodController::percentValue(const QString& text) {
    QString digits = text;
    digits.remove(u'%').remove(u',');
    return digits.trimmed().toDouble() / 100;
}

int PickPaymentMethodController::pickerViewNumberOfRowsInComponent(PickerView*, int) {
    return int(discountsArray_.size()) * kDiscountRepeats;
}

QString PickPaymentMethodController::pickerViewTitleForRow(PickerView*, int row, int) {
    if (discountsArray_.isEmpty())
        return {};
    const QVariant choice = discountsArray_.at(row % discountsArray_.size());
    if (choice.typeId() == QMetaType::QString)
        return choice.toString();
    if (isNumber(choice))
        return percentText(choice.toDouble());
    return {};
}

void PickPaymentMethodController::textFieldDidBeginEditing(TextField*) {}

double PickPaymentMethodController::stringAmountToFloat(const QString& text,
                                                        bool isCurrency) const {
    return typedAmount(text, symbol(), isCurrency);
}

void PickPaymentMethodController::makeDiscount() {
    if (discount_->isEnabled()) {
        discount_->becomeFirstResponder();
        numberToolbar_->show();
        return;
    }
    discountPickerView_->show();
}

void PickPaymentMethodController::addTip() {
    segment_ = tip_->text().endsWith(u'%') ? 0 : 1;
    tip_->setEnabled(true);
    tip_->becomeFirstResponder();
    tipToolBar_->show();
}

void PickPaymentMethodController::addTaxes() {
    segment_ = tax_->text().endsWith(u'%') ? 0 : 1;
    tax_->setEnabled(true);
    tax_->becomeFirstResponder();
    numberToolbar_->show();
}

void PickPaymentMethodController::changeNumberType(int segment) {
    segment_ = segment;
    percentageSegment_->setChecked(segment == 0);
    amountSegment_->setChecked(segment == 1);
    const double sub = subtotal();
    const double total = sale_->total()->doubleValue();
    if (segment == 1) {
        if (discount_->isFirstResponder()) {
            const int n = int(std::lround(float(percentValue(discount_->text()) * sub)));
            discount_->setText(QStringLiteral("%1%2").arg(symbol()).arg(n));
        } else if (tax_->isFirstResponder()) {
            tax_->setText(Amount::initWithDouble(double(float(percentValue(tax_->text()) * sub)))
                              ->getAmountwithCurrencyFormat(symbol()));
        } else if (tip_->isFirstResponder()) {
            tip_->setText(Amount::initWithDouble(percentValue(tip_->text()) * total)
                              ->getAmountwithCurrencyFormat(symbol()));
        }
        return;
    }
    // A zero base gives 0%, not a division by zero.
    auto ratio = [](double part, double whole) { return whole > 0 ? part / whole : 0.0; };
    if (discount_->isFirstResponder()) {
        QString digits = discount_->text();
        digits.remove(symbol());
        discount_->setText(percentText(ratio(digits.trimmed().toInt(), sub)));
    } else if (tax_->isFirstResponder()) {
        tax_->setText(taxText(ratio(stringAmountToFloat(tax_->text(), true), sub)));
    } else if (tip_->isFirstResponder()) {
        tip_->setText(percentText(ratio(stringAmountToFloat(tip_->text(), true), total)));
    }
}

void PickPaymentMethodController::setDiscountFormat() {
    const QString current = discount_->text();
    if (segment_ == 0) {
        discount_->setText(QStringLiteral("%1%").arg(typedWholePercent(current)));
        return;
    }
    QString digits = current;
    digits.remove(symbol());
    qint64 n = digits.trimmed().toLongLong();
    // Whole units, never above the subtotal.
    const double sub = subtotal();
    if (double(n) > sub)
        n = qint64(std::floor(std::max(0.0, sub)));
    discount_->setText(QStringLiteral("%1%2").arg(symbol()).arg(n));
}

void PickPaymentMethodController::setTipFormat() {
    const QString current = tip_->text();
    if (segment_ == 0) {
        int percent = typedWholePercent(current);
        // The maximum holds for both forms once one is set.
        if (maxTip_ > 0 && percent > maxTip_)
            percent = int(std::floor(maxTip_));
        tip_->setText(QStringLiteral("%1%").arg(percent));
        return;
    }
    double a = double(float(stringAmountToFloat(current, true)));
    const double max = maxTip_ / 100 * subtotal();
    if (a > max)
        a = max;
    tip_->setText(Amount::initWithDouble(a)->getAmountwithCurrencyFormat(symbol()));
}

void PickPaymentMethodController::setTaxFormat() {
    const QString current = tax_->text();
    if (segment_ == 0) {
        QString t = current;
        if (!current.contains(u'%'))
            t = current.left(current.size() - 1);
        else
            t.remove(u'%');
        const float v = float(stringAmountToFloat(t, false) / 100);
        if (v <= 1) {
            tax_->setText(taxText(double(v)));
            oldTax_ = tax_->text();
        } else {
            tax_->setText(oldTax_);
        }
        return;
    }
    QString t = current;
    t.remove(u'%');
    tax_->setText(Amount::initWithDouble(stringAmountToFloat(t, true))
                      ->getAmountwithCurrencyFormat(symbol()));
}

void PickPaymentMethodController::doneWithNumericTextField() {
    checkNumericTextFields();
    discount_->resignFirstResponder();
    tip_->resignFirstResponder();
    tip_->setEnabled(false);
    tax_->resignFirstResponder();
    tax_->setEnabled(false);
    numberToolbar_->hide();
    tipToolBar_->hide();
}

void PickPaymentMethodController::reopenTaxRow() {
    tax_->setEnabled(true);
    tax_->becomeFirstResponder();
    numberToolbar_->show();
}

void PickPaymentMethodController::checkNumericTextFields() {
    Sale& sale = *sale_;
    const double sub = subtotal();
    if (!discountView_->isHidden() && discount_->isFirstResponder()) {
        const QString t = discount_->text();
        if (t.endsWith(u'%')) {
            sale.setDiscountAmount(nullptr);
            sale.setDiscountPercentage(percentValue(t));
        } else {
            QString digits = t;
            digits.remove(symbol());
            sale.setDiscountPercentage(0);
            sale.setDiscountAmount(Amount::initWithDouble(double(digits.trimmed().toLongLong())));
        }
        const double fixed = sale.discountAmount() ? sale.discountAmount()->doubleValue() : 0;
        if (fixed == 0 && sale.discountPercentage() == 0) {
            discount_->setEnabled(false);
            discountPicker_->selectRow(zeroDiscountRow(), 0, false);
        }
    }
    if (!taxView_->isHidden() && tax_->isFirstResponder()) {
        const QString t = tax_->text();
        float rate = 0;
        float amount = 0;
        if (t.endsWith(u'%')) {
            rate = float(percentValue(t));
            amount = float(rate * sub);
        } else {
            amount = float(stringAmountToFloat(t, true));
            rate = sub > 0 ? float(amount / sub) : (amount > 0 ? 2.0f : 0.0f);
        }
        if (rate == 0) {
            auto* alert = SystemAlert::alertControllerWithTitle(
                QString(), text("PickPaymentMethod", "zeroTaxConfirmation"));
            QPointer<PickPaymentMethodController> self(this);
            alert->addAction(text("GlobalTexts", "cancel"), SystemAlertAction::Cancel,
                             [self](SystemAlertAction*) {
                                 if (self)
                                     self->reopenTaxRow();
                             });
            alert->addAction(text("GlobalTexts", "continue"), SystemAlertAction::Default);
            presentViewController(alert, true);
        } else if (double(rate) > AccountSettings::instance().taxPercentage()) {
            QPointer<PickPaymentMethodController> self(this);
            showMessage(text("PickPaymentMethod", "taxNotAllowed"), QStringLiteral("OK"), [self] {
                if (self)
                    self->reopenTaxRow();
            });
        } else {
            sale.addOrRemoveTax(
                Tax::initWithAmount(double(amount), Limits::init(), std::nullopt, QString()));
        }
    }
    if (!tipView_->isHidden() && tip_->isFirstResponder()) {
        const QString t = tip_->text();
        bool refused = false;
        if (t.endsWith(u'%')) {
            sale.setTipAmount(Amount::initWithDouble(0));
            const double p = percentValue(t);
            if (p > 1.0 || (maxTip_ > 0 && p * 100 > maxTip_ + 1e-9))
                refused = true;
            else
                sale.setTipPercentage(p);
        } else {
            sale.setTipPercentage(0);
            const float a = float(stringAmountToFloat(t, true));
            const float max = QString::asprintf("%.02f", maxTip_ / 100 * sub).toFloat();
            if (a > max)
                refused = true;
            else
                sale.setTipAmount(Amount::initWithDouble(double(a)));
        }
        if (refused) {
            QPointer<PickPaymentMethodController> self(this);
            showMessage(text("PickPaymentMethod", "tipNotAllowed"), QStringLiteral("OK"), [self] {
                if (self)
                    self->tip_->setText(Amount::initWithDouble(0)->getAmount());
            });
        }
    }
    updateFinalAmount(sale.total()->getAmount());
}

void PickPaymentMethodController::doneWithDiscountPicker() {
    const int count = int(discountsArray_.size());
    if (count == 0)
        return;
    const int c = discountPicker_->selectedRowInComponent(0) % count;
    if (c == count - 1) {
        segment_ = 0;
        percentageSegment_->setChecked(true);
        amountSegment_->setChecked(false);
        discount_->setEnabled(true);
        discount_->becomeFirstResponder();
        numberToolbar_->show();
    } else {
        const double fraction = c == 0 ? 0.0 : double(discountsArray_.at(c).toFloat());
        discount_->setText(c == 0 ? QStringLiteral("0%") : percentText(fraction));
        sale_->setDiscountPercentage(fraction);
        updateFinalAmount(sale_->total()->getAmount());
        const auto card = sale_->creditCard();
        if (card && !card->bankName().isEmpty() && card->installments() > 0)
            card->setInstallmentsPrice(
                float(sale_->total()->doubleValue() * (1 - double(card->discount())) *
                      (1 + double(card->interest())) / card->installments()));
    }
    discountPickerView_->hide();
}

void PickPaymentMethodController::configureFixedTipButtons() {
    const QVariantList tips = AccountSettings::instance().tipsList();
    for (int i = 0; i < fixedTipButtons_.size(); ++i) {
        int v = int(maxTip_ / 3 * (i + 1));
        if (v % 5 != 0)
            v = v - v % 5 + 5;
        // The settings may give tips as fractions (0.15) or as percentages (15).
        if (i < tips.size()) {
            const double entry = tips.at(i).toDouble();
            v = entry > 0 && entry <= 1 ? int(std::lround(entry * 100)) : int(entry);
        }
        fixedTipButtons_.at(i)->setText(QStringLiteral("%1%").arg(v));
    }
}

void PickPaymentMethodController::fixedTipButtonTapped(QPushButton* button) {
    QString title = button->text();
    title.remove(u'%');
    const double p = title.toDouble() / 100;
    const double a = p * subtotal();
    tip_->setText(Amount::initWithDouble(a)->getAmount());
    segment_ = 1;
    setTipFormat();
    sale_->setTipAmount(Amount::initWithDouble(a));
    doneWithNumericTextField();
}

void PickPaymentMethodController::tipDoneBarButtonTapped() {
    const QString t = tip_->text();
    doneWithNumericTextField();
    if (!t.endsWith(u'%'))
        sale_->setTipAmount(Amount::initWithDouble(stringAmountToFloat(t, true)));
}

void PickPaymentMethodController::updateFinalAmount(const QString& amount) {
    const bool discounted =
        (sale_->discountAmount() && sale_->discountAmount()->doubleValue() > 0) ||
        sale_->discountPercentage() > 0;
    if (discounted) {
        if (oldTotal_->isHidden()) {
            oldTotal_->setText(total_->text());
            oldTotal_->show();
            crossView_ = new crossTotal(oldTotal_);
            crossView_->setObjectName(QStringLiteral("crossView"));
            crossView_->setGeometry(oldTotal_->rect());
            crossView_->show();
        }
    } else {
        oldTotal_->hide();
        delete crossView_.data();
    }
    total_->setText(amount);
}
