#include "payment/flow/AvailableCreditCardsController.h"

#include "SDK/session/User.h"
#include "api/APIController.h"
#include "model/AvailableCreditCards.h"
#include "model/CreditCard.h"
#include "model/Sale.h"
#include "payment/flow/InstitutionEntry.h"
#include "payment/flow/PaymentMethodCell.h"
#include "platform/core/Logging.h"
#include "platform/core/Values.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Storyboard.h"
#include "ui_kit/ImageDownloader.h"
#include "ui_kit/UIKitSupport.h"
#include "ui_kit/texts/Language.h"
#include "ui_kit/texts/TextFormatter.h"

#include <TarvelloSDK/TarvelloSDK.h>

#include <QVBoxLayout>

namespace {

const QString kCountMissing =
    QStringLiteral("La cantidad de cuotas seleccionada no está disponible");

QString cardsText(const char* key) {
    return Language::textForFile(QStringLiteral("AvailableCreditCards"), QString::fromLatin1(key));
}

} // namespace

AvailableCreditCardsController::AvailableCreditCardsController(QObject* parent)
    : ViewController(parent) {}

AvailableCreditCardsController::~AvailableCreditCardsController() = default;

QWidget* AvailableCreditCardsController::loadView() {
    auto* root = new QWidget();
    root->setObjectName(QStringLiteral("AvailableCreditCards"));
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 0, 0, 0);
    table_ = new TableView(root);
    table_->setObjectName(QStringLiteral("tableView"));
    table_->registerCell(QStringLiteral("PaymentMethodCell"),
                         [] { return new PaymentMethodCell(); });
    column->addWidget(table_);
    return root;
}

void AvailableCreditCardsController::viewDidLoad() {
    ViewController::viewDidLoad();
    if (!sale_)
        sale_ = std::shared_ptr<Sale>(std::shared_ptr<Sale>(), &Sale::sharedSale());
    setTitle(cardsText("cardsAvailable"));
    navigationItem()->setTitle(cardsText("cardsAvailable"));
    table_->setDataSource(this);
    table_->setDelegate(this);
    if (AvailableCreditCards::instance().list()) {
        table_->reloadData();
        return;
    }
    displayLoadingIndicator();
    auto* api = new APIController(this);
    api->setDelegate(this);
    const User& user = User::instance();
    // The total exactly, not through single precision.
    api->getInstallmentsWithUserId(user.userId(), user.token(),
                                   Sale::sharedSale().total()->doubleValue());
}

void AvailableCreditCardsController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    setTitle(cardsText("cardsAvailable"));
    navigationItem()->setTitle(cardsText("cardsAvailable"));
    navigationItem()->setBackBarButtonTitle(
        Language::textForFile(QStringLiteral("GlobalTexts"), QStringLiteral("back")));
}

QVariantList AvailableCreditCardsController::rows() const {
    // Card institutions only: cash and the payment link read no card.
    QVariantList institutions;
    for (const QVariant& entry : AvailableCreditCards::instance().list().value_or(QVariantList())) {
        const QString type = Values::fieldText(entry.toMap().value(QStringLiteral("type")));
        if (type != QLatin1String("CASH") && type != QLatin1String("PAYMENT_BUTTON"))
            institutions << entry;
    }
    return institutions;
}

QString AvailableCreditCardsController::planDescription(const QVariantMap& entry) {
    const QVariantMap plans = entry.value(QStringLiteral("installments")).toMap();
    const QStringList keys = InstitutionEntry::sortedPlanKeys(plans);
    bool discounted = false;
    bool withInterest = true;
    float discount = 0;
    int count = 0;
    QString last = QStringLiteral("1");
    // The first plan in numeric order is left to the closing step.
    for (int i = 1; i < keys.size(); ++i) {
        const QVariant plan = plans.value(keys.at(i));
        const float d = InstitutionEntry::fraction(plan, "discountPercentage");
        const float r = InstitutionEntry::fraction(plan, "interestPercentage");
        if ((discounted && d == 0) || (!withInterest && r > 0))
            break;
        last = keys.at(i);
        count = InstitutionEntry::countOf(keys.at(i));
        discount = d;
        if (d > 0)
            discounted = true;
        if (r == 0)
            withInterest = false;
    }
    if (last == QLatin1String("1")) {
        const QVariant plan = plans.value(QStringLiteral("1"));
        const float d = InstitutionEntry::fraction(plan, "discountPercentage");
        const float r = InstitutionEntry::fraction(plan, "interestPercentage");
        count = 1;
        discount = d;
        if (d > 0)
            discounted = true;
        if (r == 0)
            withInterest = false;
    }
    if (discounted)
        return TextFormatter::format(cardsText("descriptionWithDiscount"),
                                     {InstitutionEntry::truncatedPercent(discount), count});
    if (!withInterest)
        return count > 1 ? TextFormatter::format(cardsText("descriptionWithNoInterest"), {count})
                         : cardsText("OneInstallment");
    return count > 1 ? TextFormatter::format(cardsText("descriptionWithInterest"), {count})
                     : cardsText("OneInstallmentWithInterest");
}

int AvailableCreditCardsController::tableViewNumberOfRowsInSection(TableView*, int) {
    return int(rows().size());
}

QWidget* AvailableCreditCardsController::tableViewCellForRowAtIndexPath(TableView* table,
                                                                        IndexPath indexPath) {
    auto* cell = static_cast<PaymentMethodCell*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("PaymentMethodCell")));
    const QVariantMap entry = rows().value(indexPath.row).toMap();
    if (!InstitutionEntry::hasOwnLogo(entry)) {
        cell->creditCardImage()->hide();
        cell->genericBankImage()->show();
        cell->loading()->stopAnimating();
        cell->loading()->hide();
    } else {
        auto* downloader = new ImageDownloader(cell);
        downloader->setImageView(cell->creditCardImage());
        downloader->setUrlString(Values::fieldText(entry.value(QStringLiteral("imageUrl_iOS"))));
        downloader->setImageIndex(Values::fieldText(entry.value(QStringLiteral("key"))));
        downloader->setActivityView(cell->loading());
        downloader->downloadTheImage();
        cell->loading()->hide();
        cell->creditCardImage()->show();
        cell->genericBankImage()->hide();
    }
    QPalette palette = cell->creditCardTitle()->palette();
    palette.setColor(QPalette::WindowText, UIKitSupport::mainColor());
    cell->creditCardTitle()->setPalette(palette);
    cell->creditCardTitle()->setText(InstitutionEntry::displayName(entry));
    QFont small = cell->creditCardDescription()->font();
    small.setPointSize(13);
    small.setWeight(QFont::Normal);
    cell->creditCardDescription()->setFont(small);
    cell->creditCardDescription()->setText(planDescription(entry));
    cell->creditCardDescription()->show();
    return cell;
}

void AvailableCreditCardsController::tableViewDidSelectRowAtIndexPath(TableView* table,
                                                                      IndexPath indexPath) {
    table->selectRowAtIndexPath(std::nullopt);
    selectedInstitution_ = rows().value(indexPath.row).toMap();
    const QVariantMap& entry = selectedInstitution_;
    const QVariantMap plans = entry.value(QStringLiteral("installments")).toMap();
    if (sale_) {
        sale_->setInstallmentId(
            QString::number(Values::integerValue(entry.value(QStringLiteral("installmentId")))));
        if (const auto card = sale_->creditCard())
            card->setCardIssuer(CreditCard::getIssuerType(
                card->number(), Values::fieldText(entry.value(QStringLiteral("type")))));
    }
    bool fixed = false;
    int count = 1;
    if (plans.size() == 1) {
        fixed = true;
        count = InstitutionEntry::countOf(plans.firstKey());
    }
    if (sale_ && sale_->forceInstallments()) {
        const QString key = QString::number(*sale_->forceInstallments());
        if (!plans.contains(key)) {
            forceInstallmentsFailed();
            return;
        }
        fixed = true;
        count = InstitutionEntry::countOf(key);
    }
    if (!fixed) {
        performSegueWithIdentifier(QStringLiteral("pickInstallmentsSegue"), this);
        return;
    }
    if (sale_ && sale_->creditCard())
        sale_->creditCard()->setInstallments(std::max(1, count));
    performSegueWithIdentifier(QStringLiteral("deviceSegue"), this);
}

void AvailableCreditCardsController::prepareForSegue(StoryboardSegue& segue, QObject* sender) {
    ViewController::prepareForSegue(segue, sender);
    if (segue.identifier() != QLatin1String("pickInstallmentsSegue"))
        return;
    ViewController* destination = segue.destinationViewController();
    destination->setProperty("selectedInstitution", selectedInstitution_);
    if (auto* receiver = dynamic_cast<SaleReceiver*>(destination))
        receiver->setSale(sale_);
}

void AvailableCreditCardsController::forceInstallmentsFailed() {
    if (!TarvelloSDK::sharedSDK().shouldRetryOnDenied()) {
        if (FlowEndDelegate* end = flowEndDelegate())
            end->canceled(TarvelloError::sdk(1004, kCountMissing));
        return;
    }
    auto* alert = SystemAlert::alertControllerWithTitle(QString(), kCountMissing);
    alert->addAction(QStringLiteral("OK"), SystemAlertAction::Cancel);
    presentViewController(alert, true);
}

bool AvailableCreditCardsController::apiDidFinishDownloadingWithDictionary(
    int functionName, const std::optional<QVariantMap>& dictionary) {
    const QVariantMap reply = dictionary.value_or(QVariantMap());
    Logging::info(tarvelloUi, QStringLiteral("AvailableCreditCards: reply %1, success %2")
                                  .arg(functionName)
                                  .arg(Values::fieldText(reply.value(QStringLiteral("success")))));
    // Only an "OK" is a list; anything else is refused, with the back end's message if any.
    if (Values::fieldText(reply.value(QStringLiteral("success"))).toUpper() !=
        QLatin1String("OK")) {
        const QVariantMap response = reply.value(QStringLiteral("response")).toMap();
        const QString message = Values::fieldText(response.value(QStringLiteral("message")));
        showFailure(message);
        return true;
    }
    hideLoadingIndicator();
    const QVariant data = reply.value(QStringLiteral("data"));
    AvailableCreditCards::instance().setList(
        data.typeId() == QMetaType::QVariantList ? data.toList() : QVariantList());
    table_->reloadData();
    return true;
}

void AvailableCreditCardsController::apiDidFailWithError(const TarvelloError&, int) {
    showFailure(QString());
}

void AvailableCreditCardsController::showFailure(const QString& message) {
    hideLoadingIndicator();
    auto* alert = SystemAlert::alertControllerWithTitle(
        QString(), message.isEmpty() ? Language::textForFile(QStringLiteral("GlobalTexts"),
                                                             QStringLiteral("connError"))
                                     : message);
    QPointer<AvailableCreditCardsController> self(this);
    alert->addAction(QStringLiteral("OK"), SystemAlertAction::Cancel, [self](SystemAlertAction*) {
        if (self && self->navigationController())
            self->navigationController()->popViewControllerAnimated(true);
    });
    presentViewController(alert, true);
}
