#include "SDK/presenters/PaymentSDK.h"

#include "SDK/presenters/PaymentSDKController.h"
#include "payment/PaymentScreens.h"
#include "SDK/session/AccountSettings.h"
#include "model/Item.h"
#include "model/Product.h"
#include "model/Sale.h"
#include "model/values/Currency.h"
#include "platform/core/SafeDictionary.h"
#include "platform/core/Values.h"
#include "platform/ui/Storyboard.h"

namespace {

TarvelloError invalidCurrency() {
    return TarvelloError::sdk(TarvelloErrorCode::InvalidCurrencyCode,
                              QStringLiteral("Invalid currency code"));
}

} // namespace

PaymentSDK::PaymentSDK(const TQSale& sale, const std::optional<QString>& reference,
                       TarvelloSDK::Completion completion)
    : sale_(sale)
    , reference_(reference) {
    setCompletion(std::move(completion));
}

PaymentSDK::~PaymentSDK() = default;

PaymentSDKController* PaymentSDK::loadingController() const {
    return qobject_cast<PaymentSDKController*>(loadingSheet());
}

PaymentSDKController* PaymentSDK::start() {
    return static_cast<PaymentSDKController*>(startSheet());
}

SDKSheetFlow::FirstScreen PaymentSDK::firstScreen() {
    if (!checkCurrency())
        return {nullptr, invalidCurrency()};
    setupPayment();
    // A payment-method screen missing from this build ends the charge with an empty result.
    return {Storyboard::instantiate(PaymentScreens::pickPaymentMethod), std::nullopt};
}

NavigationController* PaymentSDK::newSheet(ViewController* root) {
    auto* sheet = new PaymentSDKController(root);
    sheet->setPayment(std::static_pointer_cast<PaymentSDK>(shared_from_this()));
    return sheet;
}

void PaymentSDK::prepareSheet(NavigationController* sheet) {
    SDKSheetFlow::prepareSheet(sheet);
    sheet->setModalInPresentation(true);
}

bool PaymentSDK::checkCurrency() {
    if (!currencyCode_)
        return true;
    // A numeric code and nothing else: "032" followed by more text is no currency.
    const std::optional<qint64> wanted = Values::digitsValue(*currencyCode_);
    if (!wanted)
        return false;
    const AccountSettings& settings = AccountSettings::instance();
    for (const QVariant& value : settings.currencies()) {
        const QVariantMap entry = value.toMap();
        if (Values::integerValue(entry.value(QStringLiteral("code"))) != *wanted)
            continue;
        Currency::instance()->setCurrencyFormat(
            SafeDictionary::safeObjectForKey(entry, QStringLiteral("symbol")),
            SafeDictionary::safeObjectForKey(entry, QStringLiteral("code")),
            SafeDictionary::safeObjectForKey(entry, settings.appLanguage()));
        return true;
    }
    return false;
}

void PaymentSDK::setupPayment() {
    Sale& sale = Sale::sharedSale();
    sale.cleanSale();
    if (currencyCode_)
        sale.setCurrencyCode(*currencyCode_);
    for (const TQItem& line : sale_.items()) {
        auto product = Product::init();
        product->setPrice(Amount::initWithDouble(line.product().price()));
        if (line.product().name())
            product->setName(*line.product().name());
        auto item = Item::init();
        item->setIsCustomAmount(true);
        item->setProduct(product);
        item->setQuantity(int(line.quantity()));
        sale.addItem(item);
    }
    sale.setExternalReference(reference_);
    sale.setMerchantId(sale_.merchantId());
    sale.setAcceptedBins(sale_.acceptedBins());
    sale.setForceInstallments(sale_.installments() ? std::optional<int>(int(*sale_.installments()))
                                                   : std::nullopt);
    sale.setTipAmount(Amount::initWithDouble(sale_.tip()));
}

void PaymentSDK::paymentDone(std::shared_ptr<Sale> sale) {
    if (ended())
        return;
    std::optional<QVariantMap> response;
    if (sale) {
        response = sale->customResponse();
        sale->cleanSale();
    }
    finish(response.value_or(QVariantMap()), true);
}

void PaymentSDK::canceledWithError(const TarvelloError& error) {
    finish(error.toResult(), false);
}

void PaymentSDK::canceled() {
    closedController();
}

void PaymentSDK::canceled(std::optional<TarvelloError> error) {
    if (error)
        canceledWithError(*error);
    else
        canceled();
}
