#include "shop/BuyReaderEnterDataController.h"

#include "model/States.h"
#include "platform/ui/Dialogs.h"
#include "shop/ShopForm.h"
#include "ui_kit/PhoneTextField.h"

#include <QFormLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
const QStringList kTextKeys = {"firstName", "lastName", "streetName", "streetNumber",
                               "zipCode",   "floor",    "personalId", "city"};
// Where Return leads from each field.
const QList<QPair<QString, QString>> kReturnChain = {
    {"firstName", "lastName"}, {"lastName", "personalId"},     {"personalId", "phone"},
    {"phone", "streetName"},   {"streetName", "streetNumber"}, {"streetNumber", "zipCode"},
    {"zipCode", "floor"}};

QStringList provinces() {
    return States::instance().statesList().value_or(QStringList());
}
} // namespace

std::optional<QVariantMap>& BuyReaderEnterDataController::lastData() {
    static std::optional<QVariantMap> kept;
    return kept;
}

BuyReaderEnterDataController::BuyReaderEnterDataController(QObject* parent)
    : ShopScreen(parent) {}

QWidget* BuyReaderEnterDataController::loadView() {
    auto* root = new QWidget();
    root->setStyleSheet(QStringLiteral("background: white;"));
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 0, 0, 0);
    ShopForm::Builder form(root, column, this, &requiredFields_);
    using Keyboard = TextField::KeyboardType;
    form.required("firstName", "Nombre");
    form.required("lastName", "Apellido");
    form.required("personalId", "DNI", Keyboard::NumberPad);
    phone_ = new PhoneTextField();
    form.required("phone", "Teléfono", Keyboard::Default, phone_);
    form.required("streetName", "Calle");
    form.required("streetNumber", "Número", Keyboard::NumberPad);
    form.required("zipCode", "Código postal");
    form.optional("floor", "Piso / Depto (opcional)");
    QPushButton* stateButton = nullptr;
    PickerView* statePicker = nullptr;
    form.addProvinceChooser(&stateButton, &statePicker);
    stateButton_ = stateButton;
    statePicker_ = statePicker;
    form.required("city", "Ciudad");
    cityView_ = form.row("city");
    scrollView_ = form.scrollArea();
    continueButton_ = ShopLook::goButton(root, QStringLiteral("continueButton"));
    column->addWidget(continueButton_);
    ShopForm::addKeyboardGap(root, column);
    tooltip_ = new PopoverTip(root);
    tooltip_->setObjectName(QStringLiteral("tooltip"));
    tooltip_->hide();
    connect(stateButton_, &QPushButton::clicked, this, [this] { selectState(); });
    connect(continueButton_, &QPushButton::clicked, this, [this] { goToNext(); });
    return root;
}

TextField* BuyReaderEnterDataController::field(const QString& name) const {
    return const_cast<BuyReaderEnterDataController*>(this)->outlet<TextField>(name);
}

void BuyReaderEnterDataController::viewDidLoad() {
    statePicker_->setVisible(false);
    States::instance().pickCountry(QStringLiteral("AR"));
    statePicker_->setDataSource(this);
    statePicker_->setDelegate(this);
    statePicker_->reloadAllComponents();
    const int defaultRow = States::instance().defaultSelected() + 1;
    if (const auto& kept = lastData()) {
        for (const QString& key : kTextKeys)
            field(key)->setText(kept->value(key).toString());
        phone_->setFormattedText(kept->value(QStringLiteral("phone")).toString());
        selectedState_ = kept->value(QStringLiteral("selectedState")).toInt();
        if (!kept->value(QStringLiteral("allDone")).toBool())
            continueButton_->setVisible(false);
        cityView_->setVisible(selectedState_ != 0 && selectedState_ != defaultRow);
    } else {
        selectedState_ = 0;
        continueButton_->setVisible(false);
        cityView_->setVisible(false);
    }
    phone_->setRegionCode(QStringLiteral("MX"));
    continueButton_->setText(
        ShopLook::text(QStringLiteral("GlobalTexts"), QStringLiteral("continue")).toUpper());
}

void BuyReaderEnterDataController::viewWillAppear(bool) {
    statePicker_->selectRow(selectedState_, 0, true);
    stateButton_->setText(titleForStateIndex(selectedState_));
}

void BuyReaderEnterDataController::viewWillDisappear(bool) {
    QVariantMap kept;
    for (const QString& key : kTextKeys)
        kept.insert(key, field(key)->text());
    kept.insert(QStringLiteral("phone"), phone_->phoneNumber());
    kept.insert(QStringLiteral("selectedState"), selectedState_);
    kept.insert(QStringLiteral("allDone"), !continueButton_->isHidden());
    lastData() = kept;
}

QString BuyReaderEnterDataController::titleForStateIndex(int index) const {
    if (index <= 0)
        return QStringLiteral("Seleccionar provincia");
    return provinces().value(index - 1);
}

int BuyReaderEnterDataController::pickerViewNumberOfRowsInComponent(PickerView*, int) {
    return int(provinces().size()) + 1;
}

QString BuyReaderEnterDataController::pickerViewTitleForRow(PickerView*, int row, int) {
    return titleForStateIndex(row);
}

void BuyReaderEnterDataController::pickerViewDidSelectRow(PickerView*, int row, int) {
    chooseState(row);
}

void BuyReaderEnterDataController::chooseState(int row) {
    selectedState_ = row;
    stateButton_->setText(titleForStateIndex(row));
    if (row == 0 || row == States::instance().defaultSelected() + 1) {
        cityView_->setVisible(false);
        field(QStringLiteral("city"))->setText(QString(""));
    } else {
        cityView_->setVisible(true);
    }
    checkRequirements(nullptr, QString());
}

void BuyReaderEnterDataController::selectState() {
    if (statePicker_->isHidden()) {
        FirstResponder::endEditing(view());
        statePicker_->setVisible(true);
    } else {
        statePicker_->setVisible(false);
    }
}

void BuyReaderEnterDataController::checkRequirements(TextField* changing, const QString& newText) {
    bool complete = true;
    const int defaultRow = States::instance().defaultSelected() + 1;
    for (const auto& required : requiredFields_) {
        if (!required)
            continue;
        if (required->objectName() == QLatin1String("city") && selectedState_ == defaultRow)
            continue;
        const QString text = required == changing ? newText : required->text();
        if (text.isEmpty())
            complete = false;
    }
    // The province must be chosen: the placeholder row counts as missing.
    if (selectedState_ == 0)
        complete = false;
    continueButton_->setVisible(complete);
}

bool BuyReaderEnterDataController::textFieldShouldChangeCharactersInRange(
    TextField* changed, int start, int length, const QString& replacement) {
    const QString newText = QString(changed->text()).replace(start, length, replacement);
    if (changed->objectName() == QLatin1String("personalId")) {
        if (newText.size() > 10)
            return false;
        changed->setText(ShopLook::groupedDocument(newText));
        checkRequirements(changed, changed->text());
        return false;
    }
    if (changed == phone_ && tooltip_)
        tooltip_->hideTip();
    checkRequirements(changed, newText);
    return true;
}

bool BuyReaderEnterDataController::textFieldShouldReturn(TextField* current) {
    const QString name = current->objectName();
    for (const auto& step : kReturnChain)
        if (step.first == name) {
            field(step.second)->becomeFirstResponder();
            return true;
        }
    if (name == QLatin1String("floor")) {
        selectState();
    } else if (name == QLatin1String("city")) {
        if (continueButton_->isHidden())
            current->resignFirstResponder();
        else
            goToNext();
    }
    return true;
}

bool BuyReaderEnterDataController::isValidPhone(const QString& digits) {
    const QString number = QString::number(digits.left(18).toULongLong());
    return number.size() == 10 || (number.size() == 12 && number.startsWith(QLatin1String("54")));
}

void BuyReaderEnterDataController::goToNext() {
    if (continueButton_->isHidden())
        return;
    if (isValidPhone(phone_->phoneNumber())) {
        performSegueWithIdentifier(QStringLiteral("continue"), this);
        return;
    }
    phone_->becomeFirstResponder();
    QWidget* row = phone_->parentWidget();
    const QRect frame(row->mapTo(scrollView_, QPoint(0, 0)), row->size());
    tooltip_->showText(QStringLiteral("Número de teléfono inválido"), frame, scrollView_, 200,
                       false);
}

void BuyReaderEnterDataController::prepareForSegue(StoryboardSegue& segue, QObject*) {
    if (segue.identifier() != QLatin1String("continue") || !purchase_)
        return;
    purchase_->insert(QStringLiteral("billingAddress"),
                      QVariantMap{{"firstName", field("firstName")->text()},
                                  {"lastName", field("lastName")->text()},
                                  {"phone", ShopLook::digitsOnly(phone_->text())},
                                  {"streetName", field("streetName")->text()},
                                  {"streetNumber", field("streetNumber")->text()},
                                  {"zipCode", field("zipCode")->text()},
                                  {"floor", field("floor")->text()},
                                  {"state", stateButton_->text()},
                                  {"city", field("city")->text()},
                                  {"document", field("personalId")->text()}});
    if (auto* next = dynamic_cast<ShopScreen*>(segue.destinationViewController()))
        next->setPurchase(purchase_);
}
