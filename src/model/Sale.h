#pragma once

#include "model/Discount.h"
#include "model/Item.h"
#include "model/LocationProvider.h"
#include "model/values/Amount.h"
#include "model/values/Tax.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>
#include <memory>
#include <optional>
#include <vector>

class Client;
class CreditCard;
class Currency;
class Recharge;
class ServicePayment;
class Terminal;
class User;

class Sale;
using SalePtr = std::shared_ptr<Sale>;
using ItemList = std::vector<ItemPtr>;
using DiscountList = std::vector<DiscountPtr>;

// The record of one operation: a charge, a void (trxType 1) or a refund (trxType 2). One shared
// instance is the sale in progress; other instances are plain values (refund sales, hand-over
// copies, sale records). Lines, discounts, taxes, tip and totals are computed here. Fractions
// (discount, tip, tax) are fractions of one held as doubles; money amounts are Amounts.
class Sale : public LocationProviderDelegate {
public:
    // An empty sale: no lines, subtotal 0.00, a blank card and a new terminal, the current
    // currency's code; starts location updates.
    Sale();
    ~Sale() override;
    Sale(const Sale&) = delete;
    Sale& operator=(const Sale&) = delete;

    static SalePtr init() { return std::make_shared<Sale>(); }
    // The shared sale in progress, created once on first use.
    static Sale& sharedSale();
    // The copy handed to the next screen: its own lines and taxes containers (same line
    // objects), its own subtotal and terminal; shares the discount list, tip and discount
    // amounts, tips list, card, invoice and taxable amounts, custom response, recharge and
    // service with the source.
    static SalePtr initWithSale(const Sale& source);
    // A fuller copy: copies card, user, client and terminal; new containers with the same
    // elements; shares the amounts, currency and the location source.
    SalePtr copy() const;
    // Resets the sale for the next operation; keeps the currency code, installment id, the
    // record fields and the location source.
    void cleanSale();

    // ---- lines, discounts, taxes, tip and totals
    // Appends the line and adds one unit of its price to the running subtotal; the number of lines.
    int addItem(const ItemPtr& item);
    // Removes, for each given line, the first line with the same id text; then recalculates.
    void removeItems(const std::vector<ItemPtr>& items);
    // Recomputes the subtotal from all lines and the discount list and refreshes the item-tax line.
    void recalculateTotalAmount();
    // Cents rounding, halves away from zero.
    static double roundedDouble(double value);
    // The share one discount of the list takes off, for display.
    double discountedAmountForDiscount(const Discount& discount) const;
    bool hasDiscount(const Discount& discount) const;
    // Puts a tax line on the sale by name: updates its amount, removes it (amount 0) or appends it.
    void addOrRemoveTax(const TaxPtr& tax);
    // Sum of the tax lines not included in the price.
    double totalTaxAmount() const;
    // The discount the amount to charge takes off: the fixed discount when the sale has one, else
    // the discount fraction of the subtotal, rounded to cents.
    double chargedDiscount() const;
    // The tip the amount to charge adds: the fixed tip when not zero, else the tip fraction of
    // the subtotal after discount and with taxes, unrounded.
    double chargedTip() const;
    // The amount to charge, unrounded, never below 0.
    double finalAmount() const;
    AmountPtr total() const;
    void cleanTip();
    // The tip fraction at the index of tipsList; 0 for an index outside the list.
    double getFloatTip(int index) const;
    // The tip fraction at the index as percent text ("10%", "12.50%"); empty outside the list.
    QString getStringTip(int index) const;
    void updateItemQuantity(const ItemPtr& item, int quantity);
    int totalProductsInSale() const;
    void removeDiscounts(const std::vector<DiscountPtr>& discounts);
    void changeItem(const ItemPtr& item, const ItemPtr& replacement);
    // Toggles a discount by name, percentage discounts ahead of fixed ones; no recalculation.
    void addOrRemoveDiscount(const DiscountPtr& discount);
    double finalAmountWithoutTax() const;
    void orderByProductName();

    // ---- with the card data (defined beside it): a sale from a back-end sale record, and the
    // registration fields of the payment request
    static SalePtr fromDictionary(const QVariantMap& record);
    QVariantMap requestData() const;

    // ---- card, reader and location
    // Moves a read card's data into the sale's own card.
    void payWithCreditCard(const CreditCard& card);
    QString selectedReader() const;
    void setSelectedReader(const QString& value);
    QString deviceSerialNumber() const;
    void setDeviceSerialNumber(const QString& value);
    QString fullSerialNumber() const;
    void setFullSerialNumber(const QString& value);
    // "dspread" for "dspread_pinpad", else the selected reader itself.
    QString getSelectedReaderAPIID() const;
    void sold() {}
    // "Sale for a total of 4 item/s and it was bought with ... for a total of $ 40.00".
    QString description() const;

    void
    locationManagerDidUpdateLocations(LocationProvider& provider,
                                      const std::vector<LocationCoordinate>& locations) override;

    // ---- fields
    int trxType() const { return trxType_; }
    void setTrxType(int value) { trxType_ = value; }
    AmountPtr subtotal() const { return subtotal_; }
    void setSubtotal(AmountPtr value) { subtotal_ = value ? std::move(value) : Amount::init(); }
    AmountPtr tipAmount() const { return tipAmount_; }
    void setTipAmount(AmountPtr value) { tipAmount_ = std::move(value); }
    AmountPtr discountAmount() const { return discountAmount_; }
    void setDiscountAmount(AmountPtr value) { discountAmount_ = std::move(value); }
    AmountPtr invoiceAmount() const { return invoiceAmount_; }
    void setInvoiceAmount(AmountPtr value) { invoiceAmount_ = std::move(value); }
    AmountPtr taxableAmount() const { return taxableAmount_; }
    void setTaxableAmount(AmountPtr value) { taxableAmount_ = std::move(value); }
    std::shared_ptr<CreditCard> creditCard() const { return creditCard_; }
    void setCreditCard(std::shared_ptr<CreditCard> value) { creditCard_ = std::move(value); }
    std::shared_ptr<Client> client() const { return client_; }
    void setClient(std::shared_ptr<Client> value) { client_ = std::move(value); }
    std::shared_ptr<User> user() const { return user_; }
    void setUser(std::shared_ptr<User> value) { user_ = std::move(value); }
    QDateTime date() const { return date_; }
    void setDate(const QDateTime& value) { date_ = value; }
    std::shared_ptr<Terminal> terminal() const { return terminal_; }
    void setTerminal(std::shared_ptr<Terminal> value) { terminal_ = std::move(value); }
    QString saleId() const { return saleId_; }
    // Stores the text form of the value (a number as its decimal text).
    void setSaleId(const QVariant& value);
    std::optional<QString> paidWithPhoneNumber() const { return paidWithPhoneNumber_; }
    void setPaidWithPhoneNumber(const std::optional<QString>& value) {
        paidWithPhoneNumber_ = value;
    }
    QString currencyCode() const { return currencyCode_; }
    void setCurrencyCode(const QString& value) { currencyCode_ = value; }
    std::optional<QString> email() const { return email_; }
    void setEmail(const std::optional<QString>& value) { email_ = value; }
    QString paymentMethodName() const { return paymentMethodName_; }
    void setPaymentMethodName(const QString& value) { paymentMethodName_ = value; }
    QString installmentId() const { return installmentId_; }
    void setInstallmentId(const QString& value) { installmentId_ = value; }
    QString terminalId() const { return terminalId_; }
    void setTerminalId(const QString& value) { terminalId_ = value; }
    QString trxId() const { return trxId_; }
    void setTrxId(const QString& value) { trxId_ = value; }
    QString referenceNumber() const { return referenceNumber_; }
    void setReferenceNumber(const QString& value) { referenceNumber_ = value; }
    std::optional<QString> authorizationCode() const { return authorizationCode_; }
    void setAuthorizationCode(const std::optional<QString>& value) { authorizationCode_ = value; }
    std::optional<QString> securityToken() const { return securityToken_; }
    void setSecurityToken(const std::optional<QString>& value) { securityToken_ = value; }
    std::optional<QString> externalReference() const { return externalReference_; }
    void setExternalReference(const std::optional<QString>& value) { externalReference_ = value; }
    std::optional<QString> authenticationType() const { return authenticationType_; }
    void setAuthenticationType(const std::optional<QString>& value) { authenticationType_ = value; }
    std::optional<QString> externalReceipt() const { return externalReceipt_; }
    void setExternalReceipt(const std::optional<QString>& value) { externalReceipt_ = value; }
    std::optional<QString> paymentMethodPinBlock() const { return paymentMethodPinBlock_; }
    void setPaymentMethodPinBlock(const std::optional<QString>& value) {
        paymentMethodPinBlock_ = value;
    }
    QString invoiceNumber() const { return invoiceNumber_; }
    void setInvoiceNumber(const QString& value) { invoiceNumber_ = value; }
    std::optional<QString> merchantId() const { return merchantId_; }
    void setMerchantId(const std::optional<QString>& value) { merchantId_ = value; }
    std::optional<QString> remoteOperationId() const { return remoteOperationId_; }
    void setRemoteOperationId(const std::optional<QString>& value) { remoteOperationId_ = value; }
    // None accepts every card.
    const std::optional<QStringList>& acceptedBins() const { return acceptedBins_; }
    void setAcceptedBins(const std::optional<QStringList>& value) { acceptedBins_ = value; }
    // None leaves the installment count free.
    std::optional<int> forceInstallments() const { return forceInstallments_; }
    void setForceInstallments(std::optional<int> value) { forceInstallments_ = value; }
    QVariantMap customData() const { return customData_; }
    void setCustomData(const QVariantMap& value) { customData_ = value; }
    void setCustomDataValue(const QString& key, const QVariant& value) {
        customData_.insert(key, value);
    }

    const ItemList& items() const { return *items_; }
    std::shared_ptr<ItemList> itemList() const { return items_; }
    void setItems(std::shared_ptr<ItemList> value) {
        items_ = value ? std::move(value) : std::make_shared<ItemList>();
    }
    const DiscountList& discounts() const { return *discounts_; }
    std::shared_ptr<DiscountList> discountList() const { return discounts_; }
    void setDiscounts(std::shared_ptr<DiscountList> value) {
        discounts_ = value ? std::move(value) : std::make_shared<DiscountList>();
    }
    const TaxList& taxes() const { return *taxes_; }
    std::shared_ptr<TaxList> taxList() const { return taxes_; }
    void setTaxes(std::shared_ptr<TaxList> value) {
        taxes_ = value ? std::move(value) : std::make_shared<TaxList>();
    }
    // Tip fractions offered by the payment method; none when there is no list.
    std::shared_ptr<std::vector<double>> tipsList() const { return tipsList_; }
    void setTipsList(std::shared_ptr<std::vector<double>> value) { tipsList_ = std::move(value); }

    std::optional<QString> bankId() const { return bankId_; }
    void setBankId(const std::optional<QString>& value) { bankId_ = value; }
    const std::optional<QVariantMap>& json() const { return json_; }
    // Also sets the client from the "buyer" entry when there is one.
    void setJson(const std::optional<QVariantMap>& value);
    double discountPercentage() const { return discountPercentage_; }
    void setDiscountPercentage(double value) { discountPercentage_ = value; }
    double tipPercentage() const { return tipPercentage_; }
    void setTipPercentage(double value) { tipPercentage_ = value; }
    double maxTipAllowed() const { return maxTipAllowed_; }
    void setMaxTipAllowed(double value) { maxTipAllowed_ = value; }
    double deviceBatteryCharge() const { return deviceBatteryCharge_; }
    void setDeviceBatteryCharge(double value) { deviceBatteryCharge_ = value; }
    bool paidWithCreditCard() const { return paidWithCreditCard_; }
    void setPaidWithCreditCard(bool value) { paidWithCreditCard_ = value; }
    bool hasRefund() const { return hasRefund_; }
    void setHasRefund(bool value) { hasRefund_ = value; }
    bool isRefund() const { return isRefund_; }
    void setIsRefund(bool value) { isRefund_ = value; }
    bool canRefundWithoutCard() const { return canRefundWithoutCard_; }
    void setCanRefundWithoutCard(bool value) { canRefundWithoutCard_ = value; }
    bool isCanceled() const { return isCanceled_; }
    void setIsCanceled(bool value) { isCanceled_ = value; }
    bool receiptSent() const { return receiptSent_; }
    void setReceiptSent(bool value) { receiptSent_ = value; }
    bool requiresPaymentMethodPinBlock() const { return requiresPaymentMethodPinBlock_; }
    void setRequiresPaymentMethodPinBlock(bool value) { requiresPaymentMethodPinBlock_ = value; }
    std::optional<QString> paymentMethodAccountType() const { return paymentMethodAccountType_; }
    void setPaymentMethodAccountType(const std::optional<QString>& value) {
        paymentMethodAccountType_ = value;
    }
    bool manualEntry() const { return manualEntry_; }
    void setManualEntry(bool value) { manualEntry_ = value; }
    bool isFallback() const { return isFallback_; }
    void setIsFallback(bool value) { isFallback_ = value; }
    bool hasTaxRefund() const { return hasTaxRefund_; }
    void setHasTaxRefund(bool value) { hasTaxRefund_ = value; }
    bool force() const { return force_; }
    void setForce(bool value) { force_ = value; }
    bool canAnnulate() const { return canAnnulate_; }
    void setCanAnnulate(bool value) { canAnnulate_ = value; }
    bool canRefund() const { return canRefund_; }
    void setCanRefund(bool value) { canRefund_ = value; }
    bool isClose() const { return isClose_; }
    void setIsClose(bool value) { isClose_ = value; }
    bool isPaid() const { return isPaid_; }
    void setIsPaid(bool value) { isPaid_ = value; }
    // Refunds of a sale record, each a sale record itself; none when not given.
    const std::optional<std::vector<SalePtr>>& refunds() const { return refunds_; }
    void setRefunds(const std::optional<std::vector<SalePtr>>& value) { refunds_ = value; }
    std::optional<QString> dccIdentifier() const { return dccIdentifier_; }
    void setDccIdentifier(const std::optional<QString>& value) { dccIdentifier_ = value; }
    std::optional<QString> dccCondition() const { return dccCondition_; }
    void setDccCondition(const std::optional<QString>& value) { dccCondition_ = value; }
    std::optional<QString> promotionWinner() const { return promotionWinner_; }
    void setPromotionWinner(const std::optional<QString>& value) { promotionWinner_ = value; }
    LocationCoordinate locationCoordinates() const { return locationCoordinates_; }
    void setLocationCoordinates(const LocationCoordinate& value) { locationCoordinates_ = value; }
    std::shared_ptr<LocationProvider> locationManager() const { return locationManager_; }
    int deviceFirmwareVersion() const { return deviceFirmwareVersion_; }
    void setDeviceFirmwareVersion(int value) { deviceFirmwareVersion_ = value; }
    int emvConfigurationVersion() const { return emvConfigurationVersion_; }
    void setEmvConfigurationVersion(int value) { emvConfigurationVersion_ = value; }
    int securityCodeLength() const { return securityCodeLength_; }
    void setSecurityCodeLength(int value) { securityCodeLength_ = value; }
    const std::optional<QVariantList>& emvAIDs() const { return emvAIDs_; }
    void setEmvAIDs(const std::optional<QVariantList>& value) { emvAIDs_ = value; }
    // The back end's "sdk" dictionary for the host; none until an answer stored it.
    const std::optional<QVariantMap>& customResponse() const { return customResponse_; }
    void setCustomResponse(const std::optional<QVariantMap>& value) { customResponse_ = value; }
    QString promotionId() const { return promotionId_; }
    void setPromotionId(const QString& value) { promotionId_ = value; }
    QString realAmount() const { return realAmount_; }
    void setRealAmount(const QString& value) { realAmount_ = value; }
    QString fallbackContidition() const { return fallbackContidition_; }
    void setFallbackContidition(const QString& value) { fallbackContidition_ = value; }
    QString annulmentReason() const { return annulmentReason_; }
    void setAnnulmentReason(const QString& value) { annulmentReason_ = value; }
    std::optional<QString> appCryptogram() const { return appCryptogram_; }
    void setAppCryptogram(const std::optional<QString>& value) { appCryptogram_ = value; }
    std::optional<QString> applicationIdentifier() const { return applicationIdentifier_; }
    void setApplicationIdentifier(const std::optional<QString>& value) {
        applicationIdentifier_ = value;
    }
    // None when invalid.
    QVariant batchClosureNumber() const { return batchClosureNumber_; }
    void setBatchClosureNumber(const QVariant& value) { batchClosureNumber_ = value; }
    QDateTime creationDate() const { return creationDate_; }
    void setCreationDate(const QDateTime& value) { creationDate_ = value; }
    // The currency of a sale record; none on other sales.
    std::shared_ptr<Currency> currency() const { return currency_; }
    void setCurrency(std::shared_ptr<Currency> value) { currency_ = std::move(value); }
    std::optional<QString> operationCode() const { return operationCode_; }
    void setOperationCode(const std::optional<QString>& value) { operationCode_ = value; }
    std::optional<QString> type() const { return type_; }
    void setType(const std::optional<QString>& value) { type_ = value; }
    std::optional<QString> referenceSaleIdentifier() const { return referenceSaleIdentifier_; }
    void setReferenceSaleIdentifier(const std::optional<QString>& value) {
        referenceSaleIdentifier_ = value;
    }
    std::shared_ptr<ServicePayment> service() const { return service_; }
    void setService(std::shared_ptr<ServicePayment> value) { service_ = std::move(value); }
    std::shared_ptr<Recharge> recharge() const { return recharge_; }
    void setRecharge(std::shared_ptr<Recharge> value) { recharge_ = std::move(value); }

private:
    static std::shared_ptr<CreditCard> newBlankCard();
    static std::shared_ptr<Terminal> newTerminal();
    static std::shared_ptr<Terminal> copyOfTerminal(const std::shared_ptr<Terminal>& terminal);
    static std::shared_ptr<CreditCard> copyOfCard(const std::shared_ptr<CreditCard>& card);
    QString cardLastDigits() const;
    void startLocation();
    void useLocationManager(std::shared_ptr<LocationProvider> manager);
    double itemTaxShare(const Item& item) const;

    int trxType_ = 0;
    AmountPtr subtotal_;
    AmountPtr tipAmount_;
    AmountPtr discountAmount_;
    AmountPtr invoiceAmount_;
    AmountPtr taxableAmount_;
    std::shared_ptr<CreditCard> creditCard_;
    std::shared_ptr<Client> client_;
    std::shared_ptr<User> user_;
    QDateTime date_;
    std::shared_ptr<Terminal> terminal_;
    QString saleId_;
    std::optional<QString> paidWithPhoneNumber_;
    QString currencyCode_;
    std::optional<QString> email_;
    QString paymentMethodName_;
    QString installmentId_;
    QString terminalId_;
    QString trxId_;
    QString referenceNumber_;
    std::optional<QString> authorizationCode_;
    std::optional<QString> securityToken_ = QString();
    std::optional<QString> externalReference_;
    std::optional<QString> authenticationType_;
    std::optional<QString> externalReceipt_;
    std::optional<QString> paymentMethodPinBlock_;
    QString invoiceNumber_;
    std::optional<QString> merchantId_;
    std::optional<QString> remoteOperationId_;
    std::optional<QStringList> acceptedBins_;
    std::optional<int> forceInstallments_;
    QVariantMap customData_;
    std::shared_ptr<ItemList> items_;
    std::shared_ptr<DiscountList> discounts_;
    std::shared_ptr<TaxList> taxes_;
    std::shared_ptr<std::vector<double>> tipsList_;
    std::optional<QString> bankId_;
    std::optional<QVariantMap> json_;
    double discountPercentage_ = 0;
    double tipPercentage_ = 0;
    double maxTipAllowed_ = 1.0;
    double deviceBatteryCharge_ = 1.0;
    bool paidWithCreditCard_ = false;
    bool hasRefund_ = false;
    bool isRefund_ = false;
    bool canRefundWithoutCard_ = false;
    bool isCanceled_ = false;
    bool receiptSent_ = false;
    bool requiresPaymentMethodPinBlock_ = false;
    std::optional<QString> paymentMethodAccountType_;
    bool manualEntry_ = true;
    bool isFallback_ = false;
    bool hasTaxRefund_ = false;
    bool force_ = false;
    bool canAnnulate_ = false;
    bool canRefund_ = false;
    bool isClose_ = false;
    bool isPaid_ = false;
    std::optional<std::vector<SalePtr>> refunds_;
    std::optional<QString> dccIdentifier_;
    std::optional<QString> dccCondition_;
    std::optional<QString> promotionWinner_;
    LocationCoordinate locationCoordinates_;
    std::shared_ptr<LocationProvider> locationManager_;
    int deviceFirmwareVersion_ = 0;
    int emvConfigurationVersion_ = 0;
    int securityCodeLength_ = 0;
    std::optional<QVariantList> emvAIDs_;
    std::optional<QVariantMap> customResponse_;
    QString promotionId_;
    QString realAmount_;
    QString fallbackContidition_;
    QString annulmentReason_;
    std::optional<QString> appCryptogram_;
    std::optional<QString> applicationIdentifier_;
    QVariant batchClosureNumber_;
    QDateTime creationDate_;
    std::shared_ptr<Currency> currency_;
    std::optional<QString> operationCode_;
    std::optional<QString> type_;
    std::optional<QString> referenceSaleIdentifier_;
    std::shared_ptr<ServicePayment> service_;
    std::shared_ptr<Recharge> recharge_;
};
