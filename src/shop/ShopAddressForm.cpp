#include "shop/ShopAddressForm.h"

#include "model/States.h"
#include "platform/ui/Dialogs.h"

ShopAddressForm::ShopAddressForm(QObject* parent)
    : ShopScreen(parent) {}

void ShopAddressForm::addAddressRows(ShopForm::Builder& form,
                                     TextField::KeyboardType numberKeyboard) {
    form.required("streetName", "Calle");
    form.required("streetNumber", "Número", numberKeyboard);
    form.required("zipCode", "Código postal");
    form.optional("floor", "Piso / Depto (opcional)");
    QPushButton* stateButton = nullptr;
    PickerView* statePicker = nullptr;
    form.addProvinceChooser(&stateButton, &statePicker);
    stateButton_ = stateButton;
    statePicker_ = statePicker;
    form.required("city", "Ciudad");
    cityView_ = form.row("city");
    connect(stateButton_, &QPushButton::clicked, this, [this] { selectState(); });
}

void ShopAddressForm::loadProvinces() {
    States::instance().pickCountry(QStringLiteral("AR"));
    statePicker_->setDataSource(this);
    statePicker_->setDelegate(this);
    statePicker_->reloadAllComponents();
}

int ShopAddressForm::defaultStateRow() {
    return States::instance().defaultSelected() + 1;
}

QStringList ShopAddressForm::provinces() {
    return States::instance().statesList().value_or(QStringList());
}

TextField* ShopAddressForm::field(const QString& name) const {
    return const_cast<ShopAddressForm*>(this)->outlet<TextField>(name);
}

QString ShopAddressForm::titleForStateIndex(int index) const {
    return index <= 0 ? QStringLiteral("Seleccionar provincia") : provinces().value(index - 1);
}

int ShopAddressForm::pickerViewNumberOfRowsInComponent(PickerView*, int) {
    return int(provinces().size()) + 1;
}

QString ShopAddressForm::pickerViewTitleForRow(PickerView*, int row, int) {
    return titleForStateIndex(row);
}

void ShopAddressForm::pickerViewDidSelectRow(PickerView*, int row, int) {
    chooseState(row);
}

void ShopAddressForm::chooseState(int row) {
    selectedState_ = row;
    stateButton_->setText(titleForStateIndex(row));
    if (row == 0 || row == defaultStateRow()) {
        cityView_->setVisible(false);
        field(QStringLiteral("city"))->setText(QString(""));
    } else {
        cityView_->setVisible(true);
    }
    checkRequirements(nullptr, QString());
}

void ShopAddressForm::selectState() {
    if (statePicker_->isHidden()) {
        FirstResponder::endEditing(view());
        statePicker_->setVisible(true);
    } else {
        statePicker_->setVisible(false);
    }
}

bool ShopAddressForm::requiredFilled(TextField* changing, const QString& newText) const {
    if (selectedState_ == 0)
        return false;
    const int defaultRow = defaultStateRow();
    for (const auto& required : requiredFields_) {
        if (!required)
            continue;
        if (required->objectName() == QLatin1String("city") && selectedState_ == defaultRow)
            continue;
        if ((required == changing ? newText : required->text()).isEmpty())
            return false;
    }
    return true;
}
