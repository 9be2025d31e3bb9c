#include "shop/shipping/BuyReaderAddAddressController.h"

#include "model/States.h"
#include "platform/ui/NavigationController.h"
#include "shop/ShopForm.h"
#include "shop/shipping/BuyReaderSelectShippingController.h"

#include <QFormLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
QStringList addressProvinces() {
    return States::instance().statesList().value_or(QStringList());
}
const QStringList kAddressKeys = {"streetName", "streetNumber", "zipCode", "floor", "city"};
} // namespace

BuyReaderAddAddressController::BuyReaderAddAddressController(QObject* parent)
    : ShopScreen(parent) {}

QWidget* BuyReaderAddAddressController::loadView() {
    auto* root = new QWidget();
    root->setStyleSheet(QStringLiteral("background: white;"));
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 0, 0, 0);
    ShopForm::Builder form(root, column, this, &requiredFields_);
    form.required("streetName", "Calle");
    form.required("streetNumber", "Número");
    form.required("zipCode", "Código postal");
    form.optional("floor", "Piso / Depto (opcional)");
    QPushButton* stateButton = nullptr;
    PickerView* statePicker = nullptr;
    form.addProvinceChooser(&stateButton, &statePicker);
    stateButton_ = stateButton;
    statePicker_ = statePicker;
    form.required("city", "Ciudad");
    cityView_ = form.row("city");
    ShopForm::addKeyboardGap(root, column);
    connect(stateButton_, &QPushButton::clicked, this, [this] { selectState(); });
    return root;
}

TextField* BuyReaderAddAddressController::field(const QString& name) {
    return outlet<TextField>(name);
}

void BuyReaderAddAddressController::viewDidLoad() {
    States::instance().pickCountry(QStringLiteral("AR"));
    selectedState_ = 0;
    statePicker_->setDataSource(this);
    statePicker_->setDelegate(this);
    statePicker_->reloadAllComponents();
    setTitle(QStringLiteral("Otra dirección"));
    navigationItem()->setTitle(title());
    navigationItem()->setLeftBarButtonItem(
        ShopLook::barButton(ShopLook::text(QStringLiteral("GlobalTexts"), QStringLiteral("cancel")),
                            QStringLiteral("cancelButton"), [this] { cancel(); }));
    navigationItem()->setRightBarButtonItem(
        ShopLook::barButton(ShopLook::text(QStringLiteral("GlobalTexts"), QStringLiteral("add")),
                            QStringLiteral("addButton"), [this] { done(); }));
}

void BuyReaderAddAddressController::viewWillAppear(bool) {
    statePicker_->setVisible(false);
    selectedState_ = 0;
    const int defaultRow = States::instance().defaultSelected() + 1;
    if (purchase_ && purchase_->contains(QStringLiteral("shippingAddress"))) {
        const QVariantMap address = purchase_->map(QStringLiteral("shippingAddress"));
        for (const QString& key : kAddressKeys)
            field(key)->setText(address.value(key).toString());
        const qsizetype index = addressProvinces().indexOf(address.value("state").toString());
        if (index >= 0)
            selectedState_ = int(index) + 1;
        cityView_->setVisible(selectedState_ != defaultRow);
    } else {
        cityView_->setVisible(false);
    }
    statePicker_->selectRow(selectedState_, 0, true);
    stateButton_->setText(titleForStateIndex(selectedState_));
    checkRequirements(nullptr, QString());
}

QString BuyReaderAddAddressController::titleForStateIndex(int index) const {
    return index <= 0 ? QStringLiteral("Seleccionar provincia")
                      : addressProvinces().value(index - 1);
}

int BuyReaderAddAddressController::pickerViewNumberOfRowsInComponent(PickerView*, int) {
    return int(addressProvinces().size()) + 1;
}

QString BuyReaderAddAddressController::pickerViewTitleForRow(PickerView*, int row, int) {
    return titleForStateIndex(row);
}

void BuyReaderAddAddressController::pickerViewDidSelectRow(PickerView*, int row, int) {
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

void BuyReaderAddAddressController::setCanAdd(bool enabled) {
    canAdd_ = enabled;
    QList<BarButtonItem> right = navigationItem()->rightBarButtonItems();
    if (!right.isEmpty() && right.first().enabled != enabled) {
        right.first().enabled = enabled;
        navigationItem()->setRightBarButtonItems(right);
    }
}

void BuyReaderAddAddressController::checkRequirements(TextField* changing, const QString& newText) {
    bool complete = selectedState_ != 0;
    const int defaultRow = States::instance().defaultSelected() + 1;
    for (const auto& required : requiredFields_) {
        if (!required)
            continue;
        if (required->objectName() == QLatin1String("city") && selectedState_ == defaultRow)
            continue;
        if ((required == changing ? newText : required->text()).isEmpty())
            complete = false;
    }
    setCanAdd(complete);
}

bool BuyReaderAddAddressController::textFieldShouldChangeCharactersInRange(
    TextField* changed, int start, int length, const QString& replacement) {
    checkRequirements(changed, QString(changed->text()).replace(start, length, replacement));
    return true;
}

bool BuyReaderAddAddressController::textFieldShouldReturn(TextField* current) {
    const QString name = current->objectName();
    if (name == QLatin1String("streetName"))
        field(QStringLiteral("streetNumber"))->becomeFirstResponder();
    else if (name == QLatin1String("streetNumber"))
        field(QStringLiteral("zipCode"))->becomeFirstResponder();
    else if (name == QLatin1String("zipCode"))
        field(QStringLiteral("floor"))->becomeFirstResponder();
    else if (name == QLatin1String("floor"))
        selectState();
    else if (name == QLatin1String("city"))
        done();
    return true;
}

void BuyReaderAddAddressController::selectState() {
    if (statePicker_->isHidden()) {
        FirstResponder::endEditing(view());
        statePicker_->setVisible(true);
    } else {
        statePicker_->setVisible(false);
    }
}

void BuyReaderAddAddressController::done() {
    // Return in the city field comes here too: an incomplete address is not stored.
    checkRequirements(nullptr, QString());
    if (!canAdd_ || !purchase_)
        return;
    QVariantMap address;
    for (const QString& key : kAddressKeys)
        address.insert(key, field(key)->text());
    address.insert(QStringLiteral("state"), stateButton_->text());
    purchase_->insert(QStringLiteral("shippingAddress"), address);
    ViewController* presenting = navigationController()
                                     ? navigationController()->presentingViewController()
                                     : presentingViewController();
    if (auto* nav = qobject_cast<NavigationController*>(presenting))
        presenting = nav->topViewController();
    if (auto* step = qobject_cast<BuyReaderSelectShippingController*>(presenting))
        step->shippingAddressUpdated();
    dismissViewControllerAnimated(true);
}

void BuyReaderAddAddressController::cancel() {
    dismissViewControllerAnimated(true);
}
