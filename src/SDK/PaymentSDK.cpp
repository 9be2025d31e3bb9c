#include "SDK/PaymentSDK.h"

#include "SDK/AccountSettings.h"
#include "SDK/PaymentSDKController.h"
#include "SDK/PaymentScreens.h"
#include "SDK/SDKViewControllerPresenter.h"
#include "SDK/User.h"
#include "model/Amount.h"
#include "model/Currency.h"
#include "model/Item.h"
#include "model/Product.h"
#include "model/Sale.h"
#include "platform/core/Values.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/Window.h"
#include "ui_kit/CustomActivityView/ActivityIndicator.h"
#include "ui_kit/Extensions/SafeDictionary.h"

namespace {

void deleteHelperLater(LoginHelper* helper) {
    if (helper) {
        helper->setDelegate(nullptr);
        helper->deleteLater();
    }
}

TarvelloError invalidCurrency() {
    return TarvelloError::sdk(1101, QStringLiteral("Invalid currency code"));
}

} // namespace

PaymentSDK::PaymentSDK(const TQSale& sale, const std::optional<QString>& reference,
                       TarvelloSDK::Completion completion)
    : sale_(sale)
    , reference_(reference)
    , completion_(std::move(completion))
    , loginHelper_(nullptr, deleteHelperLater) {}

PaymentSDK::~PaymentSDK() = default;

ViewController* PaymentSDK::paymentMethodScreen() {
    return Storyboard::instantiate(PaymentScreens::pickPaymentMethod);
}

void PaymentSDK::startInViewController(QWidget* host) {
    std::shared_ptr<PaymentSDK> self = shared_from_this();
    PaymentSDKController* navigation = start();
    if (!navigation)
        return;
    if (completed_) {
        delete navigation;
        return;
    }
    navigation->setModalPresentationStyle(ViewController::ModalPresentationStyle::FormSheet);
    navigation->setModalInPresentation(true);
    Window* window = Window::forWidget(host);
    if (window && window->topViewController())
        window->topViewController()->presentViewController(navigation, true);
    if (!navigation->presentingViewController()) {
        navigation->setPayment(nullptr);
        delete navigation;
        canceled();
    }
}

PaymentSDKController* PaymentSDK::start() {
    if (User::instance().isLoggedIn()) {
        if (!checkCurrency()) {
            canceledWithError(invalidCurrency());
            return nullptr;
        }
        setupPayment();
        ViewController* first = paymentMethodScreen();
        if (!first) {
            end({}, false);
            return nullptr;
        }
        auto* navigation = new PaymentSDKController(first);
        navigation->setPayment(shared_from_this());
        return navigation;
    }
    auto* empty = new ViewController();
    auto* navigation = new PaymentSDKController(empty);
    navigation->setPayment(shared_from_this());
    loadingController_ = navigation;
    ActivityIndicator::displayLoadingIndicator(empty->view());
    loginHelper_.reset(new LoginHelper(this));
    SDKViewControllerPresenter::startSessionCheck(loginHelper_.get());
    return navigation;
}

bool PaymentSDK::checkCurrency() {
    if (!currencyCode_)
        return true;
    const qint64 wanted = Values::lenientInteger(*currencyCode_);
    const AccountSettings& settings = AccountSettings::instance();
    for (const QVariant& value : settings.currencies()) {
        const QVariantMap entry = value.toMap();
        if (Values::integerValue(entry.value(QStringLiteral("code"))) != wanted)
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
    completed_ = false;
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

void PaymentSDK::loginHelperDidFinishLogin(LoginHelper*) {
    loginSuccessful();
}

void PaymentSDK::loginSuccessful() {
    if (loadingController_ && !completed_) {
        if (!checkCurrency()) {
            loadingController_->canceled(invalidCurrency());
        } else {
            setupPayment();
            if (ViewController* first = paymentMethodScreen())
                loadingController_->setViewControllers({first}, false);
            else
                loadingController_->canceled(std::nullopt);
        }
    }
    dropLoginHelper();
    loadingController_ = nullptr;
}

void PaymentSDK::loginHelperShouldDisplayLoginUI(LoginHelper*) {
    if (loadingController_)
        loadingController_->canceled(
            TarvelloError::sdk(1003, QStringLiteral("Invalid User Token")));
}

bool PaymentSDK::mustUpdateApp(const QString&, const QString& message) {
    if (loadingController_)
        loadingController_->canceled(TarvelloError::sdk(1001, message));
    loadingController_ = nullptr;
    dropLoginHelper();
    return true;
}

void PaymentSDK::paymentDone(std::shared_ptr<Sale> sale) {
    if (completed_)
        return;
    std::optional<QVariantMap> response;
    if (sale) {
        response = sale->customResponse();
        sale->cleanSale();
    }
    end(response.value_or(QVariantMap()), true);
}

void PaymentSDK::canceledWithError(const TarvelloError& error) {
    end(error.toResult(), false);
}

void PaymentSDK::canceled() {
    canceledWithError(TarvelloError::sdk(1000, QStringLiteral("User canceled")));
}

void PaymentSDK::end(const QVariantMap& result, bool success) {
    if (completed_)
        return;
    completed_ = true;
    if (completion_) {
        const TarvelloSDK::Completion completion = completion_;
        completion(result, success);
    }
}

void PaymentSDK::dropLoginHelper() {
    loginHelper_.reset();
}
