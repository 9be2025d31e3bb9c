#include "model/Sale.h"

#include "SDK/session/User.h"
#include "model/Client.h"
#include "model/values/Currency.h"
#include "platform/core/Logging.h"
#include "platform/core/UserDefaults.h"
#include "platform/core/Values.h"

#include <algorithm>
#include <cmath>

namespace {
const QString kLocationRequestedKey = QStringLiteral("locationServicesRequested");
} // namespace

Sale::Sale()
    : subtotal_(Amount::init())
    , tipAmount_(Amount::init())
    , taxableAmount_(Amount::init())
    , creditCard_(newBlankCard())
    , terminal_(newTerminal())
    , saleId_("")
    , paymentMethodName_("")
    , installmentId_("")
    , terminalId_("")
    , trxId_("")
    , referenceNumber_("")
    , invoiceNumber_("")
    , items_(std::make_shared<ItemList>())
    , discounts_(std::make_shared<DiscountList>())
    , taxes_(std::make_shared<TaxList>()) {
    setJson(QVariantMap());
    locationCoordinates_ = LocationCoordinate::invalid();
    startLocation();
    auto& defaults = UserDefaults::standardUserDefaults();
    if (!defaults.hasKey(kLocationRequestedKey)) {
        defaults.setObject(QStringLiteral("Y"), kLocationRequestedKey);
        defaults.synchronize();
    }
    realAmount_ = QString("");
    promotionId_ = QString("");
    fallbackContidition_ = QString("");
    annulmentReason_ = QString("");
    receiptSent_ = false;
    currencyCode_ = Currency::instance()->code();
}

Sale::~Sale() {
    if (locationManager_ && locationManager_->delegate() == this) {
        locationManager_->setDelegate(nullptr);
        if (locationManager_.use_count() == 1)
            locationManager_->stopUpdatingLocation();
    }
}

Sale& Sale::sharedSale() {
    static Sale* shared = new Sale();
    return *shared;
}

void Sale::startLocation() {
    useLocationManager(LocationProvider::create());
    if (!locationManager_)
        return;
    locationManager_->requestWhenInUseAuthorization();
    locationManager_->startUpdatingLocation();
}

void Sale::useLocationManager(std::shared_ptr<LocationProvider> manager) {
    if (locationManager_ && locationManager_->delegate() == this)
        locationManager_->setDelegate(nullptr);
    locationManager_ = std::move(manager);
    if (locationManager_ && !locationManager_->delegate())
        locationManager_->setDelegate(this);
}

void Sale::locationManagerDidUpdateLocations(LocationProvider&,
                                             const std::vector<LocationCoordinate>& locations) {
    locationCoordinates_ = locations.empty() ? LocationCoordinate{0, 0} : locations.back();
}

SalePtr Sale::initWithSale(const Sale& s) {
    auto sale = init();
    sale->items_ = std::make_shared<ItemList>(*s.items_);
    sale->taxes_ = std::make_shared<TaxList>(*s.taxes_);
    sale->customData_ = s.customData_;

    sale->subtotal_ = Amount::initWithDouble(s.subtotal_->doubleValue());
    sale->terminal_ = copyOfTerminal(s.terminal_);

    sale->discounts_ = s.discounts_;
    sale->discountAmount_ = s.discountAmount_;
    sale->tipAmount_ = s.tipAmount_;
    sale->tipsList_ = s.tipsList_;
    sale->creditCard_ = s.creditCard_;
    sale->invoiceAmount_ = s.invoiceAmount_;
    sale->taxableAmount_ = s.taxableAmount_;
    sale->acceptedBins_ = s.acceptedBins_;
    sale->forceInstallments_ = s.forceInstallments_;
    sale->emvAIDs_ = s.emvAIDs_;
    sale->customResponse_ = s.customResponse_;
    sale->recharge_ = s.recharge_;
    sale->service_ = s.service_;

    sale->saleId_ = s.saleId_;
    sale->discountPercentage_ = s.discountPercentage_;
    sale->tipPercentage_ = s.tipPercentage_;
    sale->paidWithCreditCard_ = s.paidWithCreditCard_;
    sale->paidWithPhoneNumber_ = s.paidWithPhoneNumber_;
    sale->trxType_ = s.trxType_;
    sale->paymentMethodName_ = s.paymentMethodName_;
    sale->maxTipAllowed_ = s.maxTipAllowed_;
    sale->installmentId_ = s.installmentId_;
    sale->receiptSent_ = s.receiptSent_;
    sale->terminalId_ = s.terminalId_;
    sale->trxId_ = s.trxId_;
    sale->canRefundWithoutCard_ = s.canRefundWithoutCard_;
    sale->referenceNumber_ = s.referenceNumber_;
    sale->authorizationCode_ = s.authorizationCode_;
    sale->deviceBatteryCharge_ = s.deviceBatteryCharge_;
    sale->deviceFirmwareVersion_ = s.deviceFirmwareVersion_;
    sale->emvConfigurationVersion_ = s.emvConfigurationVersion_;
    sale->isFallback_ = s.isFallback_;
    sale->manualEntry_ = s.manualEntry_;
    sale->email_ = s.email_;
    sale->force_ = s.force_;
    sale->bankId_ = s.bankId_;
    sale->externalReference_ = s.externalReference_;
    sale->externalReceipt_ = s.externalReceipt_;
    sale->paymentMethodPinBlock_ = s.paymentMethodPinBlock_;
    sale->requiresPaymentMethodPinBlock_ = s.requiresPaymentMethodPinBlock_;
    sale->paymentMethodAccountType_ = s.paymentMethodAccountType_;
    sale->merchantId_ = s.merchantId_;
    sale->dccIdentifier_ = s.dccIdentifier_;
    sale->dccCondition_ = s.dccCondition_;
    sale->promotionWinner_ = s.promotionWinner_;
    sale->referenceSaleIdentifier_ = s.referenceSaleIdentifier_;
    sale->operationCode_ = s.operationCode_;
    sale->type_ = s.type_;
    sale->hasTaxRefund_ = s.hasTaxRefund_;
    sale->invoiceNumber_ = s.invoiceNumber_;
    sale->fallbackContidition_ = s.fallbackContidition_;
    sale->annulmentReason_ = s.annulmentReason_;
    sale->currencyCode_ = s.currencyCode_;
    sale->realAmount_ = s.realAmount_;
    sale->promotionId_ = s.promotionId_;

    sale->setJson(s.json_);
    return sale;
}

SalePtr Sale::copy() const {
    auto sale = init();
    sale->creditCard_ = copyOfCard(creditCard_);
    sale->user_ = user_ ? std::shared_ptr<User>(user_->copy()) : nullptr;
    sale->client_ = client_ ? client_->copy() : nullptr;
    sale->terminal_ = copyOfTerminal(terminal_);

    sale->items_ = std::make_shared<ItemList>(*items_);
    sale->discounts_ = std::make_shared<DiscountList>(*discounts_);
    sale->taxes_ = std::make_shared<TaxList>(*taxes_);
    sale->tipsList_ =
        std::make_shared<std::vector<double>>(tipsList_ ? *tipsList_ : std::vector<double>());
    sale->refunds_ = refunds_ ? *refunds_ : std::vector<SalePtr>();
    sale->acceptedBins_ = acceptedBins_ ? *acceptedBins_ : QStringList();
    sale->customData_ = customData_;

    const ClientPtr copiedClient = sale->client_;
    sale->setJson(json_ ? *json_ : QVariantMap());
    if (!sale->json_->contains(QStringLiteral("buyer")))
        sale->client_ = copiedClient;

    sale->subtotal_ = Amount::initWithDouble(subtotal_->doubleValue());

    sale->tipAmount_ = tipAmount_;
    sale->discountAmount_ = discountAmount_;
    sale->invoiceAmount_ = invoiceAmount_;
    sale->taxableAmount_ = taxableAmount_;
    sale->date_ = date_;
    sale->forceInstallments_ = forceInstallments_;
    sale->emvAIDs_ = emvAIDs_;
    sale->customResponse_ = customResponse_;
    sale->batchClosureNumber_ = batchClosureNumber_;
    sale->creationDate_ = creationDate_;
    sale->currency_ = currency_;
    sale->recharge_ = recharge_;
    sale->service_ = service_;
    // The copy listens to nothing of its own: it shares the source's location source.
    if (sale->locationManager_)
        sale->locationManager_->stopUpdatingLocation();
    sale->useLocationManager(locationManager_);

    sale->trxType_ = trxType_;
    sale->saleId_ = saleId_;
    sale->paidWithPhoneNumber_ = paidWithPhoneNumber_;
    sale->currencyCode_ = currencyCode_;
    sale->email_ = email_;
    sale->paymentMethodName_ = paymentMethodName_;
    sale->installmentId_ = installmentId_;
    sale->terminalId_ = terminalId_;
    sale->trxId_ = trxId_;
    sale->referenceNumber_ = referenceNumber_;
    sale->authorizationCode_ = authorizationCode_;
    sale->securityToken_ = securityToken_;
    sale->externalReference_ = externalReference_;
    sale->authenticationType_ = authenticationType_;
    sale->externalReceipt_ = externalReceipt_;
    sale->paymentMethodPinBlock_ = paymentMethodPinBlock_;
    sale->invoiceNumber_ = invoiceNumber_;
    sale->merchantId_ = merchantId_;
    sale->remoteOperationId_ = remoteOperationId_;
    sale->bankId_ = bankId_;
    sale->discountPercentage_ = discountPercentage_;
    sale->tipPercentage_ = tipPercentage_;
    sale->maxTipAllowed_ = maxTipAllowed_;
    sale->deviceBatteryCharge_ = deviceBatteryCharge_;
    sale->paidWithCreditCard_ = paidWithCreditCard_;
    sale->hasRefund_ = hasRefund_;
    sale->isRefund_ = isRefund_;
    sale->canRefundWithoutCard_ = canRefundWithoutCard_;
    sale->isCanceled_ = isCanceled_;
    sale->receiptSent_ = receiptSent_;
    sale->requiresPaymentMethodPinBlock_ = requiresPaymentMethodPinBlock_;
    sale->paymentMethodAccountType_ = paymentMethodAccountType_;
    sale->manualEntry_ = manualEntry_;
    sale->isFallback_ = isFallback_;
    sale->hasTaxRefund_ = hasTaxRefund_;
    sale->force_ = force_;
    sale->canAnnulate_ = canAnnulate_;
    sale->canRefund_ = canRefund_;
    sale->isClose_ = isClose_;
    sale->isPaid_ = isPaid_;
    sale->dccIdentifier_ = dccIdentifier_;
    sale->dccCondition_ = dccCondition_;
    sale->promotionWinner_ = promotionWinner_;
    sale->locationCoordinates_ = locationCoordinates_;
    sale->deviceFirmwareVersion_ = deviceFirmwareVersion_;
    sale->emvConfigurationVersion_ = emvConfigurationVersion_;
    sale->securityCodeLength_ = securityCodeLength_;
    sale->promotionId_ = promotionId_;
    sale->realAmount_ = realAmount_;
    sale->fallbackContidition_ = fallbackContidition_;
    sale->annulmentReason_ = annulmentReason_;
    sale->appCryptogram_ = appCryptogram_;
    sale->applicationIdentifier_ = applicationIdentifier_;
    sale->operationCode_ = operationCode_;
    sale->type_ = type_;
    sale->referenceSaleIdentifier_ = referenceSaleIdentifier_;
    return sale;
}

void Sale::cleanSale() {
    items_->clear();
    taxes_->clear();
    discounts_->clear();

    saleId_ = QString("");
    discountPercentage_ = 0;
    discountAmount_.reset();
    tipPercentage_ = 0;
    tipAmount_.reset();
    subtotal_->setAmountNumber(DecimalNumber::fromCents(0));

    canRefundWithoutCard_ = false;
    paidWithCreditCard_ = false;
    paidWithPhoneNumber_.reset();
    creditCard_ = newBlankCard();
    terminal_ = newTerminal();
    trxType_ = 0;

    paymentMethodName_ = QString("");
    email_ = QString("");
    maxTipAllowed_ = 1.0;
    tipsList_.reset();
    receiptSent_ = false;
    emvConfigurationVersion_ = 0;
    isFallback_ = false;
    manualEntry_ = true;
    emvAIDs_.reset();
    force_ = false;
    customResponse_.reset();

    externalReference_.reset();
    externalReceipt_.reset();
    paymentMethodPinBlock_.reset();
    paymentMethodAccountType_.reset();
    merchantId_.reset();
    requiresPaymentMethodPinBlock_ = false;
    customData_ = QVariantMap();
    acceptedBins_.reset();
    forceInstallments_.reset();
    bankId_.reset();
    invoiceAmount_.reset();
    taxableAmount_.reset();
    hasTaxRefund_ = false;
    invoiceNumber_ = QString("");
    securityToken_ = QString("");

    operationCode_.reset();
    dccIdentifier_.reset();
    dccCondition_.reset();
    promotionWinner_.reset();
    type_.reset();
    referenceSaleIdentifier_.reset();
    json_.reset();
    fallbackContidition_ = QString("");
    annulmentReason_ = QString("");
    realAmount_ = QString("");
    promotionId_ = QString("");
    authorizationCode_.reset();

    if (locationManager_) {
        locationManager_->startUpdatingLocation();
        locationCoordinates_ =
            locationManager_->lastKnownLocation().value_or(LocationCoordinate{0, 0});
    } else {
        locationCoordinates_ = LocationCoordinate{0, 0};
    }

    user_ = std::make_shared<User>();
    client_ = Client::init();
    service_.reset();
    recharge_.reset();
}

void Sale::setSaleId(const QVariant& value) {
    if (!value.isValid() || Values::isJsonNull(value))
        saleId_ = QString("");
    else
        saleId_ = Values::describe(value);
}

void Sale::setJson(const std::optional<QVariantMap>& value) {
    json_ = value;
    if (json_ && json_->contains(QStringLiteral("buyer")))
        client_ = Client::instanceWithDictionary(json_->value(QStringLiteral("buyer")));
}

QString Sale::getSelectedReaderAPIID() const {
    const QString reader = selectedReader();
    return reader == QLatin1String("dspread_pinpad") ? QStringLiteral("dspread") : reader;
}

QString Sale::description() const {
    QString text = QStringLiteral("Sale for a total of %1 item/s ").arg(totalProductsInSale());
    const QString paidWith = creditCard_
                                 ? QStringLiteral("a card finishing with %1").arg(cardLastDigits())
                                 : QStringLiteral("cash");
    text += QStringLiteral("and it was bought with %1 ").arg(paidWith);
    text += QStringLiteral("for a total of %1").arg(total()->getAmount());
    return text;
}

// ---------------------------------------------------------------- lines and totals

double Sale::roundedDouble(double value) {
    return DecimalNumber::roundCents(value);
}

int Sale::addItem(const ItemPtr& item) {
    if (!item)
        return int(items_->size());
    items_->push_back(item);
    subtotal_ = Amount::initWithDouble(subtotal_->amountNumber().toDouble() +
                                       item->product()->price()->doubleValue());
    return int(items_->size());
}

void Sale::removeItems(const std::vector<ItemPtr>& items) {
    for (const ItemPtr& x : items) {
        if (!x)
            continue;
        const auto it = std::find_if(items_->begin(), items_->end(), [&x](const ItemPtr& line) {
            return line->itemId() == x->itemId();
        });
        if (it != items_->end())
            items_->erase(it);
    }
    recalculateTotalAmount();
}

double Sale::itemTaxShare(const Item& item) const {
    // A price that already holds its tax is charged as it is: its tax is not added again.
    if (item.product()->taxIncludedInPrice())
        return 0;
    const double tax = item.getPriceWithTax() - item.getPriceWithNoTax();
    return roundedDouble(tax * (1 - item.discountPercentage()));
}

void Sale::recalculateTotalAmount() {
    subtotal_->setAmountNumber(DecimalNumber::fromCents(0));
    double s = 0;
    double t = 0;
    for (const ItemPtr& item : *items_) {
        const double p = item->discountPercentage();
        const double lineDiscount =
            item->discountAmount() ? item->discountAmount()->doubleValue() : 0;
        s += roundedDouble(
            (item->product()->price()->doubleValue() * item->quantity() - lineDiscount) * (1 - p));
        t += itemTaxShare(*item);
    }
    for (const DiscountPtr& d : *discounts_) {
        if (d->percentage() > 0 && d->amount() == 0)
            s = roundedDouble(s * (1 - d->percentage()));
    }
    for (const DiscountPtr& d : *discounts_) {
        if (d->amount() > 0 && d->percentage() == 0)
            s = roundedDouble(s - d->amount());
    }
    if (s < 0)
        s = 0;
    subtotal_ = Amount::initWithDouble(s);
    Logging::info(
        tarvelloSale,
        QStringLiteral("Adding to Sale: %1 of Tax Amount").arg(DecimalNumber::centsText(t)));
    addOrRemoveTax(Tax::initWithAmount(t, Limits::init(), std::nullopt, QString("")));
}

double Sale::discountedAmountForDiscount(const Discount& d) const {
    if (d.amount() > 0 && d.percentage() == 0)
        return d.amount();
    double base = 0;
    for (const ItemPtr& item : *items_) {
        const double lineDiscount =
            item->discountAmount() ? item->discountAmount()->doubleValue() : 0;
        base += (item->getPriceWithNoTax() - lineDiscount) * (1 - item->discountPercentage());
    }
    for (const DiscountPtr& e : *discounts_) {
        if (e->percentage() > 0 && e->amount() == 0) {
            const double next = base * (1 - e->percentage());
            if (e.get() == &d)
                return base - next;
            base = next;
        }
    }
    return 0;
}

bool Sale::hasDiscount(const Discount& discount) const {
    return std::any_of(discounts_->begin(), discounts_->end(),
                       [&discount](const DiscountPtr& d) { return d->name() == discount.name(); });
}

void Sale::addOrRemoveTax(const TaxPtr& tax) {
    Tax::addOrRemoveInList(*taxes_, tax);
}

double Sale::totalTaxAmount() const {
    double total = 0;
    for (const TaxPtr& tax : *taxes_) {
        if (!tax->includedInPrice())
            total += tax->amount()->doubleValue();
    }
    return total;
}

double Sale::chargedDiscount() const {
    return discountAmount_
               ? discountAmount_->doubleValue()
               : roundedDouble(discountPercentage_ * subtotal_->amountNumber().toDouble());
}

double Sale::chargedTip() const {
    const double fixedTip = tipAmount_ ? tipAmount_->doubleValue() : 0;
    if (fixedTip != 0)
        return fixedTip;
    const double base = subtotal_->amountNumber().toDouble() - chargedDiscount() + totalTaxAmount();
    return tipPercentage_ * base;
}

double Sale::finalAmount() const {
    const double base = subtotal_->amountNumber().toDouble() - chargedDiscount() + totalTaxAmount();
    const double result = base + chargedTip();
    if (!std::isfinite(result)) {
        Logging::warning(tarvelloSale,
                         QStringLiteral("Sale: amount to charge is not a number; taken as 0"));
        return 0;
    }
    // A discount larger than what is sold charges nothing, never a negative amount.
    return result < 0 ? 0 : result;
}

AmountPtr Sale::total() const {
    return Amount::initWithDouble(finalAmount());
}

void Sale::cleanTip() {
    tipPercentage_ = 0;
    tipAmount_ = Amount::init();
}

double Sale::getFloatTip(int index) const {
    if (!tipsList_ || index < 0 || size_t(index) >= tipsList_->size()) {
        Logging::warning(tarvelloSale, QStringLiteral("Sale: no tip at index %1").arg(index));
        return 0;
    }
    return (*tipsList_)[size_t(index)];
}

QString Sale::getStringTip(int index) const {
    if (!tipsList_ || index < 0 || size_t(index) >= tipsList_->size()) {
        Logging::warning(tarvelloSale, QStringLiteral("Sale: no tip at index %1").arg(index));
        return QString("");
    }
    const double f = (*tipsList_)[size_t(index)];
    const QString text = Values::printfDouble("%f", f);
    const bool whole = text.left(6) == text.left(4) + QStringLiteral("00");
    return Values::printfDouble(whole ? "%.0f%%" : "%.2f%%", f * 100);
}

void Sale::updateItemQuantity(const ItemPtr& item, int quantity) {
    if (!item)
        return;
    const bool held = std::any_of(items_->begin(), items_->end(),
                                  [&item](const ItemPtr& line) { return line->isEqual(*item); });
    if (!held)
        return;
    item->setQuantity(quantity);
    recalculateTotalAmount();
}

int Sale::totalProductsInSale() const {
    int total = 0;
    for (const ItemPtr& item : *items_)
        total += item->quantity();
    return total;
}

void Sale::removeDiscounts(const std::vector<DiscountPtr>& discounts) {
    for (const DiscountPtr& d : discounts)
        discounts_->erase(std::remove(discounts_->begin(), discounts_->end(), d),
                          discounts_->end());
    recalculateTotalAmount();
}

void Sale::changeItem(const ItemPtr& item, const ItemPtr& replacement) {
    if (!item || !replacement)
        return;
    for (ItemPtr& line : *items_) {
        if (line->itemId() == item->itemId())
            line = replacement;
    }
    recalculateTotalAmount();
}

void Sale::addOrRemoveDiscount(const DiscountPtr& discount) {
    if (!discount)
        return;
    const auto found =
        std::find_if(discounts_->begin(), discounts_->end(),
                     [&discount](const DiscountPtr& d) { return d->name() == discount->name(); });
    if (found != discounts_->end()) {
        discounts_->erase(found);
        return;
    }
    discounts_->push_back(discount);
    std::stable_partition(discounts_->begin(), discounts_->end(),
                          [](const DiscountPtr& d) { return d->amount() <= 0; });
}

double Sale::finalAmountWithoutTax() const {
    return finalAmount() - totalTaxAmount() - (tipAmount_ ? tipAmount_->doubleValue() : 0);
}

void Sale::orderByProductName() {
    std::stable_sort(items_->begin(), items_->end(), [](const ItemPtr& a, const ItemPtr& b) {
        return QString::compare(a->product()->name(), b->product()->name()) < 0;
    });
}
