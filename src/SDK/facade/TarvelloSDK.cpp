#include <TarvelloSDK/TarvelloSDK.h>

#include "SDK/facade/TarvelloSDKHandOver.h"
#include "SDK/login/LoginHelper.h"
#include "SDK/operations/SDKBatchInfoAPI.h"
#include "SDK/operations/SDKChangePictureAPI.h"
#include "SDK/operations/SDKCloseBatchAPI.h"
#include "SDK/operations/SDKGetAgreementNumbersAPI.h"
#include "SDK/operations/SDKGetReceiptAPI.h"
#include "SDK/operations/SDKPaymentInfoAPI.h"
#include "SDK/operations/SDKSendReceiptAPI.h"
#include "SDK/presenters/PaymentSDK.h"
#include "SDK/presenters/SDKConfigurationPresenter.h"
#include "SDK/presenters/SDKRefundPresenter.h"
#include "SDK/session/CacheHelper.h"
#include "SDK/session/User.h"
#include "api/HostCredentials.h"
#include "catalog/CatalogScreens.h"
#include "onboarding/OnboardingScreens.h"
#include "payment/card_reading/CardReadingScreens.h"
#include "payment/flow/PaymentFlowScreens.h"
#include "payment/signature_receipts/SignatureReceiptScreens.h"
#include "platform/core/Assert.h"
#include "platform/core/UserDefaults.h"
#include "platform/core/Values.h"
#include "platform/core/VersionDispatch.h"
#include "platform/ui/Storyboard.h"
#include "reader/DSpreadViewController.h"
#include "reader/ReaderScreens.h"
#include "settings/SettingsScreens.h"
#include "shop/ShopScreens.h"
#include "ui_kit/UIKitScreens.h"

#include <cmath>

namespace {

// Every area's screen registration, listed once. The Storyboard runs them before its registry is
// first used, so any screen can be looked up before one was made. The list is part of the
// facade, which is always in the library, so it is in place once the library is loaded.
[[maybe_unused]] const bool screenAreasAdded = [] {
    Storyboard::addArea(&UIKitScreens::registerScreens);
    Storyboard::addArea(&CatalogScreens::registerScreens);
    Storyboard::addArea(&ReaderScreens::registerScreens);
    Storyboard::addArea(&CardReadingScreens::registerScreens);
    Storyboard::addArea(&PaymentFlowScreens::registerScreens);
    Storyboard::addArea(&SignatureReceiptScreens::registerScreens);
    Storyboard::addArea(&SettingsScreens::registerScreens);
    Storyboard::addArea(&OnboardingScreens::registerScreens);
    Storyboard::addArea(&ShopScreens::registerScreens);
    return true;
}();

void fail(const TarvelloSDK::Completion& completion, qint64 code, const QString& description) {
    if (completion)
        completion(TarvelloError::sdk(code, description).toResult(), false);
}

// Hands an operation without screens over.
void startOperation(const ScreenlessOperation& operation, TarvelloSDK::Completion completion) {
    TarvelloSDKHandOver::current().startOperation(operation, std::move(completion));
}

// The one-line sale of the amount-based charges: the description names the only product.
TQSale oneLineSale(double amount, const std::optional<QString>& description) {
    return TQSale::saleWithItem(
        TQItem::itemWithProduct(TQProduct::productWithName(description, amount)));
}

// The text after the first "@" up to any second one; none when there is no "@".
std::optional<QString> domainOf(const QString& email) {
    const qsizetype at = email.indexOf(QLatin1Char('@'));
    if (at < 0)
        return std::nullopt;
    return email.mid(at + 1).section(QLatin1Char('@'), 0, 0);
}

} // namespace

TarvelloSDK& TarvelloSDK::sharedSDK() {
    static TarvelloSDK shared; // initialised once, thread-safely
    return shared;
}

bool TarvelloSDK::checkStarted() const {
    return HostCredentials::checkStarted();
}

void TarvelloSDK::startWithAPIKey(const std::optional<QString>& apiKey) {
    HostCredentials::setApiKey(apiKey);
    VersionDispatch::setMainColor(QColor::fromRgbF(0.0f, 65.0f / 255.0f, 101.0f / 255.0f, 1.0f));
    retryOnDenied_ = true;
    DSpreadViewController::setRetryOnDenied(retryOnDenied_);
}

void TarvelloSDK::setUserToken(const std::optional<QString>& userToken) {
    HostCredentials::setUserToken(userToken);
}

std::optional<QString> TarvelloSDK::getApiKey() const {
    return HostCredentials::apiKey();
}

void TarvelloSDK::setApiKey(const std::optional<QString>& apiKey) {
    HostCredentials::setApiKey(apiKey);
}

std::optional<QString> TarvelloSDK::getUserToken() const {
    return HostCredentials::userToken();
}

QString TarvelloSDK::apiKey() const {
    checkStarted();
    return HostCredentials::apiKey().value_or(QString());
}

QString TarvelloSDK::userToken() const {
    checkStarted();
    return HostCredentials::userToken().value_or(QString());
}

std::optional<QColor> TarvelloSDK::mainColor() const {
    return VersionDispatch::mainColor();
}

void TarvelloSDK::setMainColor(const std::optional<QColor>& color) {
    VersionDispatch::setMainColor(color);
}

void TarvelloSDK::setRetryOnDenied(bool retryOnDenied) {
    if (!checkStarted())
        return;
    retryOnDenied_ = retryOnDenied;
    DSpreadViewController::setRetryOnDenied(retryOnDenied_);
}

void TarvelloSDK::setEnforcedUserAccount(const std::optional<QString>& account) {
    if (enforcedDomain_) {
        HostAssert::fail(QStringLiteral("Can't enforce user account if enforcing domain"));
        return;
    }
    if (account) {
        const std::optional<QString> email = currentEmail();
        if (email && *email != *account)
            logout();
    }
    enforcedUserAccount_ = account;
}

void TarvelloSDK::setEnforcedDomain(const std::optional<QString>& domain) {
    if (enforcedUserAccount_) {
        HostAssert::fail(QStringLiteral("Can't enforce domain if enforcing user account"));
        return;
    }
    if (domain) {
        // An address without "@" has no domain, so it cannot belong to the enforced one.
        const std::optional<QString> email = currentEmail();
        if (email && domainOf(*email) != domain)
            logout();
    }
    enforcedDomain_ = domain;
}

std::optional<QString> TarvelloSDK::currentEmail() const {
    const User& user = User::instance();
    if (user.isLoggedIn())
        return user.emailAddress();
    const QVariant stored = UserDefaults::standardUserDefaults().objectForKey("lastUser");
    if (stored.typeId() != QMetaType::QByteArray || stored.toByteArray().isEmpty())
        return std::nullopt;
    const QVariantMap answer = CacheHelper::decodeAnswer(stored.toByteArray());
    const QVariant email = answer.value(QStringLiteral("email"));
    if (email.typeId() == QMetaType::QString)
        return email.toString();
    return std::nullopt;
}

void TarvelloSDK::logout() {
    if (!checkStarted())
        return;
    TarvelloSDKHandOver::current().logout();
}

// ---------------------------------------------------------------- charges

void TarvelloSDK::chargeAmount(double amount, QWidget* viewController, Completion completion) {
    chargeAmountReferenceDescription(amount, std::nullopt, std::nullopt, viewController,
                                     std::move(completion));
}

void TarvelloSDK::chargeAmountCurrency(double amount, const std::optional<QString>& currency,
                                       QWidget* viewController, Completion completion) {
    chargeAmountReferenceDescriptionCurrency(amount, std::nullopt, std::nullopt, currency,
                                             viewController, std::move(completion));
}

void TarvelloSDK::chargeAmountDescription(double amount, const std::optional<QString>& description,
                                          QWidget* viewController, Completion completion) {
    chargeAmountReferenceDescriptionCurrency(amount, std::nullopt, description, std::nullopt,
                                             viewController, std::move(completion));
}

void TarvelloSDK::chargeAmountDescriptionCurrency(double amount,
                                                  const std::optional<QString>& description,
                                                  const std::optional<QString>& currency,
                                                  QWidget* viewController, Completion completion) {
    chargeAmountReferenceDescriptionCurrency(amount, std::nullopt, description, currency,
                                             viewController, std::move(completion));
}

void TarvelloSDK::chargeAmountDescriptionTipAmountCurrency(
    double amount, const std::optional<QString>& description, double tipAmount,
    const std::optional<QString>& currency, QWidget* viewController, Completion completion) {
    chargeAmountExternalReferenceDescriptionTipAmountCurrency(amount, std::nullopt, description,
                                                              tipAmount, currency, viewController,
                                                              std::move(completion));
}

void TarvelloSDK::chargeAmountReferenceDescription(double amount,
                                                   const std::optional<QString>& reference,
                                                   const std::optional<QString>& description,
                                                   QWidget* viewController, Completion completion) {
    chargeAmountReferenceDescriptionCurrency(amount, reference, description, std::nullopt,
                                             viewController, std::move(completion));
}

void TarvelloSDK::chargeAmountExternalReferenceDescription(
    double amount, const std::optional<QString>& externalReference,
    const std::optional<QString>& description, QWidget* viewController, Completion completion) {
    chargeAmountReferenceDescriptionCurrency(amount, externalReference, description, std::nullopt,
                                             viewController, std::move(completion));
}

void TarvelloSDK::chargeAmountReferenceDescriptionCurrency(
    double amount, const std::optional<QString>& reference,
    const std::optional<QString>& description, const std::optional<QString>& currency,
    QWidget* viewController, Completion completion) {
    chargeReferenceCurrency(oneLineSale(amount, description), reference, currency, viewController,
                            std::move(completion));
}

void TarvelloSDK::chargeAmountReferenceDescriptionTipAmount(
    double amount, const std::optional<QString>& reference,
    const std::optional<QString>& description, double tipAmount, QWidget* viewController,
    Completion completion) {
    TQSale sale = oneLineSale(amount, description);
    sale.setTip(tipAmount);
    chargeReference(sale, reference, viewController, std::move(completion));
}

void TarvelloSDK::chargeAmountExternalReferenceDescriptionTipAmountCurrency(
    double amount, const std::optional<QString>& externalReference,
    const std::optional<QString>& description, double tipAmount,
    const std::optional<QString>& currency, QWidget* viewController, Completion completion) {
    TQSale sale = oneLineSale(amount, description);
    sale.setTip(tipAmount);
    chargeReferenceCurrency(sale, externalReference, currency, viewController,
                            std::move(completion));
}

void TarvelloSDK::charge(const TQSale& sale, QWidget* viewController, Completion completion) {
    chargeReference(sale, std::nullopt, viewController, std::move(completion));
}

void TarvelloSDK::chargeReference(const TQSale& sale, const std::optional<QString>& reference,
                                  QWidget* viewController, Completion completion) {
    chargeReferenceCurrency(sale, reference, std::nullopt, viewController, std::move(completion));
}

void TarvelloSDK::chargeAmountDescriptionInstallmentsTipAmount(
    double amount, const std::optional<QString>& description, qint64 installments, double tipAmount,
    QWidget* viewController, Completion completion) {
    chargeAmountExternalReferenceDescriptionInstallmentsTipAmount(
        amount, std::nullopt, description, installments, tipAmount, viewController,
        std::move(completion));
}

void TarvelloSDK::chargeAmountExternalReferenceDescriptionInstallmentsTipAmount(
    double amount, const std::optional<QString>& externalReference,
    const std::optional<QString>& description, qint64 installments, double tipAmount,
    QWidget* viewController, Completion completion) {
    TQSale sale = oneLineSale(amount, description);
    sale.setInstallments(installments);
    sale.setTip(tipAmount);
    chargeReferenceCurrency(sale, externalReference, std::nullopt, viewController,
                            std::move(completion));
}

void TarvelloSDK::chargeAmountReferenceDescriptionAcceptedBinsCommerceNumberInstallments(
    double amount, const std::optional<QString>& reference,
    const std::optional<QString>& description, const std::optional<QStringList>& acceptedBins,
    const std::optional<QString>& commerceNumber, const std::optional<qint64>& installments,
    QWidget* viewController, Completion completion) {
    // The BIN list is checked before anything else, the start order included.
    if (acceptedBins) {
        bool valid = !acceptedBins->isEmpty();
        for (const QString& bin : *acceptedBins)
            valid = valid && bin.length() == 6;
        if (!valid) {
            fail(completion, TarvelloErrorCode::InvalidBins, QStringLiteral("Invalid bins"));
            return;
        }
    }
    if (!checkStarted())
        return;
    TQSale sale = oneLineSale(amount, description);
    sale.setMerchantId(commerceNumber);
    sale.setAcceptedBins(acceptedBins);
    sale.setInstallments(installments);
    chargeReferenceCurrency(sale, reference, std::nullopt, viewController, std::move(completion));
}

void TarvelloSDK::chargeReferenceCurrency(const TQSale& sale,
                                          const std::optional<QString>& reference,
                                          const std::optional<QString>& currency,
                                          QWidget* viewController, Completion completion) {
    if (!checkStarted())
        return;
    // A total that is not a positive finite number cannot be charged.
    const double total = sale.total();
    if (!(total > 0.0) || !std::isfinite(total)) {
        fail(completion, TarvelloErrorCode::InvalidAmount, QStringLiteral("Invalid amount"));
        return;
    }
    auto payment = std::make_shared<PaymentSDK>(sale, reference, std::move(completion));
    payment->setCurrencyCode(currency);
    TarvelloSDKHandOver::current().startPayment(payment, viewController);
}

void TarvelloSDK::chargeAmountExternalReferenceDescriptionCurrency(
    double amount, const std::optional<QString>& externalReference,
    const std::optional<QString>& description, const std::optional<QString>& currency,
    QWidget* viewController, Completion completion) {
    chargeAmountReferenceDescriptionCurrency(amount, externalReference, description, currency,
                                             viewController, std::move(completion));
}

// ---------------------------------------------------------------- refund and settings

void TarvelloSDK::refundOperationID(const QString& operationId, QWidget* viewController,
                                    Completion completion) {
    refundOperationIDEnablePartialAmount(operationId, false, viewController, std::move(completion));
}

void TarvelloSDK::refundOperationIDEnablePartialAmount(const QString& operationId,
                                                       bool enablePartialAmount,
                                                       QWidget* viewController,
                                                       Completion completion) {
    if (!checkStarted())
        return;
    // Operation ids are whole numbers of up to 64 bits; anything else is never looked up.
    const std::optional<qint64> id = Values::digitsValue(operationId);
    if (!id) {
        fail(completion, TarvelloErrorCode::InvalidOperationId,
             QStringLiteral("Invalid operation id"));
        return;
    }
    auto presenter = SDKRefundPresenter::initWithSaleIdAskForAmount(*id, enablePartialAmount,
                                                                    std::move(completion));
    TarvelloSDKHandOver::current().startRefund(presenter, viewController);
}

void TarvelloSDK::presentSettingsFromViewControllerAllowReaderChange(QWidget* viewController,
                                                                     bool allowReaderChange) {
    presentSettingsFromViewControllerAllowPictureChangeAllowReaderChange(viewController, false,
                                                                         allowReaderChange);
}

void TarvelloSDK::presentSettingsFromViewControllerAllowPictureChangeAllowReaderChange(
    QWidget* viewController, bool allowPictureChange, bool allowReaderChange) {
    if (!checkStarted())
        return;
    auto presenter = std::make_shared<SDKConfigurationPresenter>();
    presenter->setAllowReaderChange(allowReaderChange);
    presenter->setAllowPictureChange(allowPictureChange);
    TarvelloSDKHandOver::current().startSettings(presenter, viewController);
}

// ---------------------------------------------------------------- operations without screens

void TarvelloSDK::sendReceiptForOperationID(const QString& operationId, const QString& email,
                                            Completion completion) {
    if (checkStarted())
        startOperation(ScreenlessOperations::SendReceiptForOperationID{operationId, email},
                       std::move(completion));
}

void TarvelloSDK::getPDFReceiptForOperationID(const QString& operationId, Completion completion) {
    if (checkStarted())
        startOperation(ScreenlessOperations::GetPDFReceiptForOperationID{operationId},
                       std::move(completion));
}

void TarvelloSDK::retrievePaymentInfoForOperationID(const QString& operationId,
                                                    Completion completion) {
    if (checkStarted())
        startOperation(ScreenlessOperations::GetPaymentInfoForOperationID{operationId},
                       std::move(completion));
}

void TarvelloSDK::retrievePaymentInfoForReference(const QString& reference, Completion completion) {
    if (checkStarted())
        startOperation(ScreenlessOperations::GetPaymentInfoForReference{reference},
                       std::move(completion));
}

void TarvelloSDK::retrievePaymentInfoForExternalReference(const QString& externalReference,
                                                          Completion completion) {
    // The same lookup as by reference.
    retrievePaymentInfoForReference(externalReference, std::move(completion));
}

void TarvelloSDK::retrieveAgreementNumbersWithCompletion(Completion completion) {
    if (checkStarted())
        startOperation(ScreenlessOperations::GetAgreementNumbers{}, std::move(completion));
}

void TarvelloSDK::changeMerchantLogo(const QImage& image, Completion completion) {
    if (checkStarted())
        startOperation(ScreenlessOperations::ChangeMerchantLogo{image}, std::move(completion));
}

void TarvelloSDK::retrieveBatchInformation(Completion completion) {
    if (checkStarted())
        startOperation(ScreenlessOperations::GetBatchInformation{}, std::move(completion));
}

void TarvelloSDK::closeBatchWithId(const QString& batchId, Completion completion) {
    if (checkStarted())
        startOperation(ScreenlessOperations::CloseBatchWithInstallmentId{batchId},
                       std::move(completion));
}

void TarvelloSDK::closeAllBatches(Completion completion) {
    // Batch id "0" closes every batch.
    closeBatchWithId(QStringLiteral("0"), std::move(completion));
}
