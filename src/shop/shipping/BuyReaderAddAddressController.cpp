#include "shop/shipping/BuyReaderAddAddressController.h"

#include "platform/ui/NavigationController.h"
#include "shop/ShopForm.h"
#include "shop/shipping/BuyReaderSelectShippingController.h"

#include <QFormLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
const QStringList kAddressKeys = {"streetName", "streetNumber", "zipCode", "floor", "city"};
} // namespace

BuyReaderAddAddressController::BuyReaderAddAddressController(QObject* parent)
    : ShopAddressForm(parent) {}

QWidget* BuyReaderAddAddressController::loadView() {
    const auto [root, column] = ShopLook::screenLayout(QStringLiteral("white"), true);
    ShopForm::Builder form(root, column, this, &requiredFields_);
    addAddressRows(form, TextField::KeyboardType::Default);
    ShopForm::addKeyboardGap(root, column);
    return root;
}

void BuyReaderAddAddressController::viewDidLoad() {
    selectedState_ = 0;
    loadProvinces();
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
    const int defaultRow = defaultStateRow();
    if (purchase_ && purchase_->contains(QStringLiteral("shippingAddress"))) {
        const QVariantMap address = purchase_->map(QStringLiteral("shippingAddress"));
        for (const QString& key : kAddressKeys)
            field(key)->setText(address.value(key).toString());
        const qsizetype index = provinces().indexOf(address.value("state").toString());
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

void BuyReaderAddAddressController::setCanAdd(bool enabled) {
    canAdd_ = enabled;
    QList<BarButtonItem> right = navigationItem()->rightBarButtonItems();
    if (!right.isEmpty() && right.first().enabled != enabled) {
        right.first().enabled = enabled;
        navigationItem()->setRightBarButtonItems(right);
    }
}

void BuyReaderAddAddressController::checkRequirements(TextField* changing, const QString& newText) {
    setCanAdd(requiredFilled(changing, newText));
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
