#include "shop/payment/BuyReaderWithWalletController.h"

#include "SDK/session/User.h"
#include "api/APIController.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/core/Values.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Services.h"
#include "shop/payment/BuyReaderEnterCVVController.h"
#include "shop/payment/BuyReaderWalletCell.h"
#include "ui_kit/UIKitSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace {
const QString kWalletAddress = QStringLiteral("www.pagora.example");

bool present(const QVariantMap& card, const char* key) {
    const QVariant value = card.value(QLatin1String(key));
    return value.isValid() && !Values::isJsonNull(value) && !value.toString().isEmpty();
}
} // namespace

BuyReaderWithWalletController::BuyReaderWithWalletController(QObject* parent)
    : ShopScreen(parent) {}

QWidget* BuyReaderWithWalletController::loadView() {
    const ShopLook::ScreenLayout layout = ShopLook::screenLayout(QStringLiteral("#f2f2f2"), false);
    const auto [root, column] = layout;
    tableView_ = ShopLook::addTable(layout, this, this);
    termsTextView_ = addTermsText(root, column);
    continueButton_ = ShopLook::goButton(root, QStringLiteral("continueButton"));
    column->addWidget(continueButton_);
    connect(continueButton_, &QPushButton::clicked, this, [this] { goToNext(); });
    return root;
}

void BuyReaderWithWalletController::viewDidLoad() {
    setTitle(QStringLiteral("Billetera Pagora"));
    navigationItem()->setTitle(title());
    continueButton_->setText(
        ShopLook::payTitle(purchase_ ? purchase_->value(QStringLiteral("total")).toDouble() : 0));
    termsTextView_->setText(ShopLook::termsSentence());
}

void BuyReaderWithWalletController::viewWillAppear(bool) {
    if (cards_)
        return;
    displayLoadingIndicator();
    newClient()->getWalletCardsWithToken(User::instance().token());
}

QVariantList BuyReaderWithWalletController::usableCards(const QVariantList& payments) {
    QVariantList usable;
    for (const QVariant& element : payments) {
        const QVariantMap card = element.toMap();
        if (present(card, "uid") && present(card, "cc"))
            usable << card;
    }
    std::stable_sort(usable.begin(), usable.end(), [](const QVariant& a, const QVariant& b) {
        return a.toMap().value("isFav").toBool() && !b.toMap().value("isFav").toBool();
    });
    return usable;
}

bool BuyReaderWithWalletController::apiDidFinishDownloadingWithDictionary(
    int, const std::optional<QVariantMap>& answer) {
    hideLoadingIndicator();
    if (!answer || answer->value(QStringLiteral("status")).toString() != QLatin1String("OK")) {
        const QString message =
            answer ? answer->value("response").toMap().value("message").toString() : QString();
        leaveWithMessage(message.isEmpty() ? ShopLook::connError() : message);
        return true;
    }
    const QVariantList usable = usableCards(answer->value(QStringLiteral("payments")).toList());
    if (usable.isEmpty()) {
        leaveWithMessage(QStringLiteral("No tenés ninguna tarjeta asociada.\n\nPodés agregar "
                                        "tarjetas de crédito y débito a tu billetera desde la app "
                                        "Pagora PEI o en ") +
                         kWalletAddress);
        return true;
    }
    cards_ = usable;
    tableView_->reloadData();
    tableView_->selectRowAtIndexPath(IndexPath{0, 0});
    return true;
}

void BuyReaderWithWalletController::apiDidFailWithError(const TarvelloError&, int) {
    hideLoadingIndicator();
    leaveWithMessage(ShopLook::connError());
}

void BuyReaderWithWalletController::leaveWithMessage(const QString& message) {
    showMessage(message);
    if (NavigationController* nav = navigationController())
        nav->popViewControllerAnimated(true);
}

int BuyReaderWithWalletController::numberOfSectionsInTableView(TableView*) {
    return cards_ ? int(cards_->size()) : 0;
}

int BuyReaderWithWalletController::tableViewNumberOfRowsInSection(TableView*, int) {
    return 1;
}

QWidget* BuyReaderWithWalletController::tableViewCellForRowAtIndexPath(TableView*,
                                                                       IndexPath indexPath) {
    auto* cell = new BuyReaderWalletCell();
    cell->setObjectName(QStringLiteral("Cell%1").arg(indexPath.section));
    cell->setWallet(cards_->value(indexPath.section).toMap());
    return cell;
}

QVariantMap BuyReaderWithWalletController::selectedCard() const {
    if (!cards_ || cards_->isEmpty())
        return {};
    const auto selected = tableView_->indexPathForSelectedRow();
    return cards_->value(selected ? selected->section : 0).toMap();
}

void BuyReaderWithWalletController::goToNext() {
    const QVariantMap card = selectedCard();
    if (card.isEmpty() || !purchase_)
        return;
    purchase_->insert(QStringLiteral("payment"),
                      QVariantMap{{"method", "wallet"},
                                  {"walletId", card.value(QStringLiteral("uid"))},
                                  {"cardNumber", card.value(QStringLiteral("cc"))}});
    performSegueWithIdentifier(card.value(QStringLiteral("cvvRequired")).toBool()
                                   ? QStringLiteral("cvv")
                                   : QStringLiteral("continue"),
                               this);
}

void BuyReaderWithWalletController::prepareForSegue(StoryboardSegue& segue, QObject*) {
    ViewController* destination = segue.destinationViewController();
    if (segue.identifier() == QLatin1String("cvv")) {
        if (auto* code = qobject_cast<BuyReaderEnterCVVController*>(destination)) {
            code->setPurchase(purchase_);
            code->setCard(selectedCard());
        }
    } else if (segue.identifier() == QLatin1String("continue")) {
        if (auto* next = dynamic_cast<ShopScreen*>(destination))
            next->setPurchase(purchase_);
    }
}
