#include "shop/shipping/BuyReaderSelectShippingController.h"

#include "SDK/session/User.h"
#include "api/APIController.h"
#include "model/States.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Storyboard.h"
#include "shop/BuyReaderSelectAmountController.h"
#include "shop/shipping/BuyReaderAddAddressController.h"
#include "shop/shipping/BuyReaderAddressCell.h"
#include "ui_kit/UIKitSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

namespace {
QStringList provinceList() {
    return States::instance().statesList().value_or(QStringList());
}
} // namespace

BuyReaderSelectShippingController::BuyReaderSelectShippingController(QObject* parent)
    : ShopScreen(parent) {}

QWidget* BuyReaderSelectShippingController::loadView() {
    const auto layout = ShopLook::screenLayout(QStringLiteral("#f2f2f2"), true);
    const auto [root, column] = layout;
    column->setContentsMargins(0, 8, 0, 0);
    tabs_ = new QTabBar(root);
    tabs_->setObjectName(QStringLiteral("tabs"));
    tabs_->addTab(QStringLiteral("Envío a domicilio"));
    tabs_->addTab(QStringLiteral("Retiro en sucursal"));
    tabs_->setExpanding(true);
    tabs_->setStyleSheet(QStringLiteral("font-family: 'Helvetica Neue'; font-size: 14px;"));
    column->addWidget(tabs_);
    chooseLabel_ = ShopLook::label(root, QStringLiteral("chooseLabel"),
                                   QStringLiteral("padding: 8px 16px; color: #555;"));
    chooseLabel_->setText(QStringLiteral("Elegí la dirección de entrega"));
    column->addWidget(chooseLabel_);
    tableView_ = ShopLook::addTable(layout, this, this);
    continueButton_ = ShopLook::goButton(root, QStringLiteral("continueButton"));
    column->addWidget(continueButton_);
    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) { changedTab(index); });
    connect(continueButton_, &QPushButton::clicked, this, [this] { goToNext(); });
    return root;
}

void BuyReaderSelectShippingController::viewDidLoad() {
    setTitle(QStringLiteral("Envío"));
    navigationItem()->setTitle(title());
    continueButton_->setText(
        ShopLook::text(QStringLiteral("GlobalTexts"), QStringLiteral("continue")).toUpper());
    tableView_->reloadData();
    selectSection(0);
    selectedItemByPickUpMethod_ = {0, 1};
    selectedPickUpLocation_ = States::instance().defaultSelected();
}

void BuyReaderSelectShippingController::viewWillAppear(bool) {
    if (!locations_ && purchase_) {
        const QString state =
            purchase_->map(QStringLiteral("billingAddress")).value("state").toString();
        const qsizetype index = provinceList().indexOf(state);
        if (!state.isEmpty() && index >= 0)
            selectedPickUpLocation_ = int(index);
    }
    if (segment() == PickUp && !locations_)
        loadLocations();
    updateContinue();
}

int BuyReaderSelectShippingController::segment() const {
    return tabs_ ? tabs_->currentIndex() : Ship;
}

QString BuyReaderSelectShippingController::addressString(const QVariantMap& address) {
    const QString floor = address.value(QStringLiteral("floor")).toString();
    const QString city = address.value(QStringLiteral("city")).toString();
    const QString state = address.value(QStringLiteral("state")).toString();
    return QStringLiteral("%1 %2%3\nC.P. %4\n%5")
        .arg(address.value(QStringLiteral("streetName")).toString(),
             address.value(QStringLiteral("streetNumber")).toString(),
             floor.isEmpty() ? QString() : QStringLiteral(", ") + floor,
             address.value(QStringLiteral("zipCode")).toString(),
             city.isEmpty() ? state : QStringLiteral("%1. %2").arg(state, city));
}

void BuyReaderSelectShippingController::selectSection(int section) {
    if (tableView_->numberOfSections() > section)
        tableView_->selectRowAtIndexPath(IndexPath{section, 0});
    else
        tableView_->selectRowAtIndexPath(std::nullopt);
    updateContinue();
}

void BuyReaderSelectShippingController::updateContinue() {
    bool canGoOn = true;
    if (segment() == PickUp) {
        const auto selected = tableView_->indexPathForSelectedRow();
        canGoOn = locations_ && selected && selected->section >= 1 &&
                  selected->section <= locations_->size();
    }
    continueButton_->setEnabled(canGoOn);
}

void BuyReaderSelectShippingController::changedTab(int index) {
    if (index == Ship) {
        chooseLabel_->setText(QStringLiteral("Elegí la dirección de entrega"));
        tableView_->reloadData();
        selectSection(selectedItemByPickUpMethod_.value(Ship));
        return;
    }
    chooseLabel_->setText(QStringLiteral("Elegí la Sucursal Veloxa más cercana"));
    if (!locations_) {
        tableView_->reloadData();
        updateContinue();
        loadLocations();
        return;
    }
    tableView_->reloadData();
    selectSection(selectedItemByPickUpMethod_.value(PickUp));
}

void BuyReaderSelectShippingController::loadLocations() {
    displayLoadingIndicator();
    newClient()->getBuyReadersPickUpLocationsAtState(provinceList().value(selectedPickUpLocation_),
                                                     User::instance().token());
}

bool BuyReaderSelectShippingController::apiDidFinishDownloadingWithDictionary(
    int, const std::optional<QVariantMap>& answer) {
    hideLoadingIndicator();
    if (!answer || answer->value(QStringLiteral("status")).toString() != QLatin1String("OK")) {
        searchFailed();
        return true;
    }
    locations_ = answer->value(QStringLiteral("response")).toList();
    if (segment() == PickUp) {
        tableView_->reloadData();
        selectSection(1);
    }
    return true;
}

void BuyReaderSelectShippingController::apiDidFailWithError(const TarvelloError&, int) {
    hideLoadingIndicator();
    searchFailed();
}

void BuyReaderSelectShippingController::searchFailed() {
    showMessage(ShopLook::connError());
    if (NavigationController* nav = navigationController())
        nav->popViewControllerAnimated(true);
}

int BuyReaderSelectShippingController::numberOfSectionsInTableView(TableView*) {
    if (segment() == Ship)
        return 2;
    return 1 + (locations_ ? int(locations_->size()) : 0);
}

int BuyReaderSelectShippingController::tableViewNumberOfRowsInSection(TableView*, int) {
    return 1;
}

QWidget* BuyReaderSelectShippingController::tableViewCellForRowAtIndexPath(TableView*,
                                                                           IndexPath indexPath) {
    const int section = indexPath.section;
    if (segment() == PickUp && section == 0) {
        auto* cell = new QWidget();
        cell->setObjectName(QStringLiteral("StateCell"));
        cell->setMinimumHeight(50);
        auto* line = new QHBoxLayout(cell);
        auto* name =
            ShopLook::label(cell, QStringLiteral("stateLabel"), QStringLiteral("font-size: 16px;"));
        name->setText(provinceList().value(selectedPickUpLocation_));
        line->addWidget(name, 1);
        line->addWidget(new QLabel(QStringLiteral("›"), cell));
        return cell;
    }
    const bool hasOther = purchase_ && purchase_->contains(QStringLiteral("shippingAddress"));
    if (segment() == Ship && section == 1 && !hasOther) {
        auto* add = new QLabel(QStringLiteral("+  Agregar otra dirección"));
        add->setObjectName(QStringLiteral("AddCell"));
        add->setMinimumHeight(64);
        add->setAlignment(Qt::AlignCenter);
        add->setStyleSheet(QStringLiteral("background: white; color: %1; font-size: 16px;")
                               .arg(UIKitSupport::mainColor().name()));
        return add;
    }
    auto* cell = new BuyReaderAddressCell();
    cell->modifyButton()->setVisible(false);
    if (segment() == Ship) {
        if (section == 0) {
            cell->titleLabel()->setText(QStringLiteral("Dirección de facturación"));
            cell->addressLabel()->setText(addressString(
                purchase_ ? purchase_->map(QStringLiteral("billingAddress")) : QVariantMap()));
        } else {
            cell->titleLabel()->setText(QStringLiteral("Otra dirección - "));
            cell->addressLabel()->setText(
                addressString(purchase_->map(QStringLiteral("shippingAddress"))));
            cell->modifyButton()->setVisible(true);
            connect(cell->modifyButton(), &QPushButton::clicked, this, [this] { addAddress(); });
        }
    } else {
        const QVariantMap branch = locations_->value(section - 1).toMap();
        cell->titleLabel()->setText(branch.value(QStringLiteral("subsidiaryName")).toString());
        cell->addressLabel()->setText(QStringLiteral("%1\n%2").arg(
            branch.value(QStringLiteral("subsidiaryAddress")).toString(),
            branch.value(QStringLiteral("subsidiaryTime")).toString()));
    }
    cell->setObjectName(QStringLiteral("Cell%1").arg(section));
    return cell;
}

void BuyReaderSelectShippingController::tableViewDidSelectRowAtIndexPath(TableView*,
                                                                         IndexPath indexPath) {
    const int current = segment();
    const bool hasOther = purchase_ && purchase_->contains(QStringLiteral("shippingAddress"));
    if (current == Ship && indexPath.section == 1 && !hasOther) {
        selectSection(0);
        addAddress();
        return;
    }
    if (current == PickUp && indexPath.section == 0) {
        const int previous = selectedItemByPickUpMethod_.value(PickUp);
        if (locations_ && previous <= locations_->size())
            selectSection(previous);
        else
            selectSection(-1);
        performSegueWithIdentifier(QStringLiteral("pickUpState"), this);
        return;
    }
    selectedItemByPickUpMethod_[current] = indexPath.section;
    updateContinue();
}

void BuyReaderSelectShippingController::addAddress() {
    performSegueWithIdentifier(QStringLiteral("addAddress"), this);
}

void BuyReaderSelectShippingController::shippingAddressUpdated() {
    tableView_->reloadData();
    if (segment() == Ship)
        selectSection(1);
}

void BuyReaderSelectShippingController::goToNext() {
    if (!continueButton_->isEnabled())
        return;
    performSegueWithIdentifier(QStringLiteral("continue"), this);
}

void BuyReaderSelectShippingController::prepareForSegue(StoryboardSegue& segue, QObject*) {
    ViewController* destination = segue.destinationViewController();
    auto* nav = qobject_cast<NavigationController*>(destination);
    ViewController* last = nav ? nav->topViewController() : destination;
    if (segue.identifier() == QLatin1String("addAddress")) {
        if (auto* form = dynamic_cast<ShopScreen*>(last))
            form->setPurchase(purchase_);
    } else if (segue.identifier() == QLatin1String("pickUpState")) {
        if (auto* picker = qobject_cast<BuyReaderSelectAmountController*>(last)) {
            picker->navigationItem()->setTitle(QString(""));
            picker->setItems(provinceList());
            picker->setSelected(selectedPickUpLocation_);
            QPointer<BuyReaderSelectShippingController> self(this);
            picker->setCompletion([self](int index) {
                if (!self)
                    return;
                self->selectedPickUpLocation_ = index;
                self->selectedItemByPickUpMethod_[PickUp] = 1;
                self->loadLocations();
            });
        }
    } else if (segue.identifier() == QLatin1String("continue") && purchase_) {
        const int section = tableView_->indexPathForSelectedRow().value_or(IndexPath{0, 0}).section;
        if (segment() == Ship) {
            const QString key =
                section == 0 ? QStringLiteral("billingAddress") : QStringLiteral("shippingAddress");
            purchase_->insert(QStringLiteral("shipping"),
                              QVariantMap{{"method", "ship"}, {"address", purchase_->map(key)}});
        } else {
            const QVariantMap branch = locations_->value(section - 1).toMap();
            purchase_->insert(
                QStringLiteral("shipping"),
                QVariantMap{{"method", "pickUp"},
                            {"pickUpId", branch.value(QStringLiteral("subsidiaryId"))}});
        }
        if (auto* next = dynamic_cast<ShopScreen*>(destination))
            next->setPurchase(purchase_);
    }
}
