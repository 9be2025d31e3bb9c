#include "shop/BuyReaderEnterDataController.h"

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
} // namespace

std::optional<QVariantMap>& BuyReaderEnterDataController::lastData() {
    static std::optional<QVariantMap> kept;
    return kept;
}

BuyReaderEnterDataController::BuyReaderEnterDataController(QObject* parent)
    : ShopAddressForm(parent) {}

QWidget* BuyReaderEnterDataController::loadView() {
    const auto [root, column] = ShopLook::screenLayout(QStringLiteral("white"), true);
    ShopForm::Builder form(root, column, this, &requiredFields_);
    using Keyboard = TextField::KeyboardType;
    form.required("firstName", "Nombre");
    form.required("lastName", "Apellido");
    form.required("personalId", "DNI", Keyboard::NumberPad);
    phone_ = new PhoneTextField();
    form.required("phone", "Teléfono", Keyboard::Default, phone_);
    addAddressRows(form, Keyboard::NumberPad);
    scrollView_ = form.scrollArea();
    continueButton_ = ShopLook::goButton(root, QStringLiteral("continueButton"));
    column->addWidget(continueButton_);
    ShopForm::addKeyboardGap(root, column);
    tooltip_ = new PopoverTip(root);
    tooltip_->setObjectName(QStringLiteral("tooltip"));
    tooltip_->hide();
    connect(continueButton_, &QPushButton::clicked, this, [this] { goToNext(); });
    return root;
}

void BuyReaderEnterDataController::viewDidLoad() {
    statePicker_->setVisible(false);
    loadProvinces();
    const int defaultRow = defaultStateRow();
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

void BuyReaderEnterDataController::checkRequirements(TextField* changing, const QString& newText) {
    continueButton_->setVisible(requiredFilled(changing, newText));
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
