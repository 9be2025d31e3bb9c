#include "payment/card_reading/BuyerAddressController.h"

#include "SDK/session/User.h"
#include "model/Client.h"
#include "model/Sale.h"
#include "model/States.h"
#include "payment/card_reading/KeyboardGap.h"
#include "payment/card_reading/ScreenRequest.h"
#include "payment/signature_receipts/SignatureViewController.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/View.h"
#include "ui_kit/texts/Language.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

const QString kCaba = QStringLiteral("CABA");

} // namespace

BuyerAddressController::BuyerAddressController(QObject* parent)
    : CardholderStep(parent) {
    setStoryboardInfo(QStringLiteral("Payment"), QStringLiteral("BuyerAddressController"));
}

BuyerAddressController::~BuyerAddressController() = default;

QWidget* BuyerAddressController::loadView() {
    auto* root = new QWidget;
    root->setObjectName(QStringLiteral("BuyerAddressControllerView"));
    View::setBackgroundColor(root, Qt::white);
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(20, 16, 20, 0);
    column->setSpacing(12);
    makeKeyboardGap(column, 16);
    auto field = [&](const char* name, const QString& placeholder) {
        auto* f = new TextField(root);
        f->setObjectName(QString::fromLatin1(name));
        f->setPlaceholderText(placeholder);
        f->setMinimumHeight(36);
        f->setDelegate(this);
        column->addWidget(f);
        return f;
    };
    streetTextField_ = field("streetTextField", QStringLiteral("Calle y altura"));
    floorTextField_ = field("floorTextField", QStringLiteral("Piso / Depto."));
    zipCodeTextField_ = field("zipCodeTextField", QStringLiteral("Código postal"));
    zipCodeTextField_->setKeyboardType(TextField::KeyboardType::NumberPad);
    cityTextField_ = field("cityTextField", QStringLiteral("Localidad"));
    provinceTextField_ = field("provinceTextField", QStringLiteral("Provincia"));
    statePicker_ = new PickerView(root);
    statePicker_->setObjectName(QStringLiteral("statePicker"));
    statePicker_->setDataSource(this);
    statePicker_->setDelegate(this);
    column->addWidget(statePicker_);
    column->addStretch(1);
    return root;
}

void BuyerAddressController::viewDidLoad() {
    ViewController::viewDidLoad();
    tooltip_ = new PopoverTip(view());
    tooltip_->setObjectName(QStringLiteral("tooltip"));
    tooltip_->hide();
    auto prefill = [this](const char* key, TextField* field) {
        if (hasUsableKey(buyerDic_, QString::fromLatin1(key)))
            field->setText(textOf(buyerDic_.value(QString::fromLatin1(key))));
    };
    prefill("address", streetTextField_);
    prefill("addressLine2", floorTextField_);
    prefill("zipCode", zipCodeTextField_);
    prefill("province", provinceTextField_);
    prefill("city", cityTextField_);
    States::instance().pickCountry(countryCode_);
    provinceTextField_->setInputView(statePicker_);
    BarButtonItem next;
    next.title = Language::textForFile(QStringLiteral("GlobalTexts"), QStringLiteral("continue"));
    next.objectName = QStringLiteral("continueButton");
    next.action = [self = QPointer<BuyerAddressController>(this)] {
        if (self)
            self->continueTapped();
    };
    navigationItem()->setRightBarButtonItem(next);
}

void BuyerAddressController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    keyboardGap()->start();
}

void BuyerAddressController::viewDidAppear(bool animated) {
    ViewController::viewDidAppear(animated);
    selectDefaultRowInPicker(statePicker_);
}

void BuyerAddressController::viewWillDisappear(bool animated) {
    ViewController::viewWillDisappear(animated);
    FirstResponder::endEditing(view());
    keyboardGap()->stop();
}

int BuyerAddressController::bottomGap() const {
    return keyboardGap()->gap();
}

// ---------------------------------------------------------------- provinces

QStringList BuyerAddressController::provinces() const {
    return States::instance().statesList().value_or(QStringList());
}

int BuyerAddressController::pickerViewNumberOfRowsInComponent(PickerView* picker, int component) {
    (void)picker;
    (void)component;
    return int(provinces().size()) * 100;
}

QString BuyerAddressController::pickerViewTitleForRow(PickerView* picker, int row, int component) {
    (void)picker;
    (void)component;
    const QStringList list = provinces();
    return list.isEmpty() ? QString() : list.at(row % list.size());
}

void BuyerAddressController::pickerViewDidSelectRow(PickerView* picker, int row, int component) {
    (void)picker;
    (void)component;
    const QStringList list = provinces();
    if (list.isEmpty())
        return;
    showProvince(list.at(row % list.size()), true);
}

void BuyerAddressController::showProvince(const QString& province, bool clearCaba) {
    provinceTextField_->setText(province);
    if (province == kCaba) {
        cityTextField_->setEnabled(false);
        cityTextField_->setText(kCaba);
        return;
    }
    cityTextField_->setEnabled(true);
    if (clearCaba && cityTextField_->text() == kCaba)
        cityTextField_->setText(QString());
}

void BuyerAddressController::selectDefaultRowInPicker(PickerView* picker) {
    const QStringList list = provinces();
    // Without a list the wheel is empty and a pre-filled province stays as it is.
    if (!picker || list.isEmpty())
        return;
    const QString wanted = textOf(buyerDic_.value(QStringLiteral("province")));
    int index = States::instance().defaultSelected();
    if (!wanted.isEmpty())
        index = std::max(0, int(list.indexOf(wanted)));
    index = std::clamp(index, 0, int(list.size()) - 1);
    picker->reloadAllComponents();
    picker->selectRow(int(list.size()) * 50 + index, 0, true);
    showProvince(list.at(index), false);
}

// ---------------------------------------------------------------- input and continue

bool BuyerAddressController::textFieldShouldChangeCharactersInRange(TextField* field, int start,
                                                                    int length,
                                                                    const QString& replacement) {
    if (tooltip_)
        tooltip_->hideTip();
    const QString result = field->text().replace(start, length, replacement);
    if (field == streetTextField_ || field == floorTextField_ || field == cityTextField_)
        return result.size() <= kTextLimit;
    if (field == zipCodeTextField_) {
        for (QChar c : result)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
        return result.size() <= kZipCodeLength;
    }
    return true;
}

void BuyerAddressController::hint(TextField* field, const QString& message, int offset,
                                  bool above) {
    tooltip_->showText(message, field->geometry(), field->parentWidget(), 200, above, offset);
    field->becomeFirstResponder();
}

QString BuyerAddressController::shownHint() const {
    return tooltip_ && tooltip_->isVisible() ? tooltip_->text() : QString();
}

void BuyerAddressController::continueTapped() {
    if (streetTextField_->text().size() < 3) {
        hint(streetTextField_,
             QStringLiteral("Ingresá una dirección completa, incluyendo calle y altura. (Ej: Av. "
                            "Libertad 1200)"),
             0, false);
        return;
    }
    if (zipCodeTextField_->text().size() < kZipCodeLength) {
        hint(zipCodeTextField_, QStringLiteral("Ingresá un código postal válido"), 0, false);
        return;
    }
    if (cityTextField_->text().size() < 3) {
        hint(cityTextField_, QStringLiteral("Ingresá una localidad válida"), -10, true);
        return;
    }
    if (!sale_)
        return;
    sale_->setCustomDataValue(QStringLiteral("address"), streetTextField_->text());
    sale_->setCustomDataValue(QStringLiteral("department"), floorTextField_->text());
    sale_->setCustomDataValue(QStringLiteral("zipCode"), zipCodeTextField_->text());
    sale_->setCustomDataValue(QStringLiteral("city"), cityTextField_->text());
    sale_->setCustomDataValue(QStringLiteral("province"), provinceTextField_->text());
    setRightButtonEnabled(false);
    displayLoadingIndicatorWithText(
        Language::textForFile(QStringLiteral("Device"), QStringLiteral("processingPayment")));
    const User& user = User::instance();
    ScreenRequest::sendOperation(this, this, ScreenRequest::Operation::Registration, sale_,
                                 user.userId(), user.token());
}

// ---------------------------------------------------------------- answers

bool BuyerAddressController::apiDidFinishDownloadingWithDictionary(
    int code, const std::optional<QVariantMap>& dictionary) {
    setRightButtonEnabled(true);
    hideLoadingIndicator();
    const QVariantMap reply = dictionary.value_or(QVariantMap());
    if (isApproved(reply) && sale_) {
        applyApprovedReply(reply);
        auto* signature = SignatureViewController::instanceWithSale(
            sale_, Client::instanceWithDictionary(buyerDic_));
        sale_->setJson(reply);
        presentViewController(signature, true);
        return true;
    }
    if (!reply.contains(QStringLiteral("response"))) {
        apiDidFailWithError(TarvelloError(), code);
        return true;
    }
    const QVariantMap response = reply.value(QStringLiteral("response")).toMap();
    const QString message = textOf(response.value(QStringLiteral("message")));
    if (response.value(QStringLiteral("code")).toInt() == 723) {
        offerForcedTransaction(message);
        return true;
    }
    navigationItem()->setHidesBackButton(false);
    auto* alert = new SystemAlert(QString(), message);
    alert->addAction(QStringLiteral("OK"), SystemAlertAction::Default);
    presentViewController(alert, true);
    return true;
}

void BuyerAddressController::apiDidFailWithError(const TarvelloError& error, int code) {
    (void)error;
    (void)code;
    setRightButtonEnabled(true);
    hideLoadingIndicator();
    if (NavigationController* navigation = navigationController()) {
        const auto stack = navigation->viewControllers();
        if (stack.size() >= 2)
            stack.at(stack.size() - 2)->navigationItem()->setHidesBackButton(false);
    }
    auto* alert = new SystemAlert(QString(), Language::textForFile(QStringLiteral("GlobalTexts"),
                                                                   QStringLiteral("connError")));
    alert->addAction(QStringLiteral("OK"), SystemAlertAction::Default);
    presentViewController(alert, true);
}

void BuyerAddressController::prepareForSegue(StoryboardSegue& segue, QObject* sender) {
    (void)sender;
    if (segue.identifier() != QLatin1String("goSignSegue") || !segue.destinationViewController())
        return;
    ViewController* destination = segue.destinationViewController();
    destination->setProperty("buyerDic", buyerDic_);
    if (auto* receiver = dynamic_cast<SaleReceiver*>(destination); receiver && sale_)
        receiver->setSale(Sale::initWithSale(*sale_));
}
