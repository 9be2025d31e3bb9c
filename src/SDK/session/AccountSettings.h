#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>
#include <memory>

class QAbstractButton;
class QWidget;
class CBUStatus;
class QRSettings;
class Tax;
class UserAccountType;

// The settings and permissions of the logged-in merchant; one shared instance.
class AccountSettings {
public:
    AccountSettings();
    ~AccountSettings();

    static AccountSettings& instance();

    // Puts the defaults back.
    void reset();
    // Fills the fields from a settings answer; never fails.
    void loadWithDictionary(const QVariantMap& answer);

    // The two currencies offered when no currency list has ever been received.
    static QVariantList builtInCurrencies();

    // Tip and discount shares of the lists; an index outside the list gives 0 or the empty text.
    double getFloatTip(int index) const;
    // "10%" for 0.1: no decimals, ties to even.
    QString getStringTip(int index) const;
    double getFloatDiscount(int index) const;
    // "5.00%" for 0.05: two decimals.
    QString getStringDiscount(int index) const;

    // Copies of the account's taxes whose fixed flag equals the argument, in order.
    QList<std::shared_ptr<Tax>> fixedTaxesFixed(bool fixed) const;
    QList<std::shared_ptr<Tax>> customTaxes() const { return fixedTaxesFixed(false); }
    QList<std::shared_ptr<Tax>> fixedTaxes() const { return fixedTaxesFixed(true); }

    // Marks the tutorials whose argument is true as done, here and in the user-defaults store.
    void tutorialSettingsUpdateAmount(bool amount, bool catalog, bool salesHistory, bool buyers,
                                      bool editCatalog, bool subusers, bool configuration);
    void tutorialCancelled();
    // Marks every tutorial as not done and removes the stored flags.
    void resetTutorialSettings();

    // Reader-model code of a reader name (any case); 0 for an unknown name.
    int selectReader(const QString& name) const;
    // Reader name of selectedCardReader; "drd50" for any unknown code.
    QString selectedReaderString() const;

    // A new 38 x 26 navigation-bar menu button, with the unread-feedback badge when there is one.
    QAbstractButton* menuButtonImage(QWidget* parent = nullptr) const;
    // The picture the menu button shows.
    QImage menuButtonPicture() const;
    // Badge image name and count box for a number of unread messages.
    static QString menuBadgeImageName(int unread);
    static QRect menuBadgeCountBox(int unread);

    bool isCatalogEditor() const { return canEditCatalog_; }

    QString digitalAccountId() const { return digitalAccountId_; }
    // Stores the id (the empty text for none); the merchant has a virtual account exactly when
    // the id is not empty.
    void setDigitalAccountId(const QString& value) {
        digitalAccountId_ = value.isNull() ? QString("") : value;
        hasVirtualAccount_ = !digitalAccountId_.isEmpty();
    }

    bool hasVirtualAccount() const { return hasVirtualAccount_; }
    void setHasVirtualAccount(bool value) { hasVirtualAccount_ = value; }
    bool catalogDefault() const { return catalogDefault_; }
    void setCatalogDefault(bool value) { catalogDefault_ = value; }
    bool tipsEnabled() const { return tipsEnabled_; }
    void setTipsEnabled(bool value) { tipsEnabled_ = value; }
    bool catalogEnabled() const { return catalogEnabled_; }
    void setCatalogEnabled(bool value) { catalogEnabled_ = value; }
    bool subusersEnabled() const { return subusersEnabled_; }
    void setSubusersEnabled(bool value) { subusersEnabled_ = value; }
    bool buyersEnabled() const { return buyersEnabled_; }
    void setBuyersEnabled(bool value) { buyersEnabled_ = value; }
    bool hasSubusers() const { return hasSubusers_; }
    void setHasSubusers(bool value) { hasSubusers_ = value; }
    bool feedbackEnabled() const { return feedbackEnabled_; }
    void setFeedbackEnabled(bool value) { feedbackEnabled_ = value; }
    bool feedbackSwitchEnabled() const { return feedbackSwitchEnabled_; }
    void setFeedbackSwitchEnabled(bool value) { feedbackSwitchEnabled_ = value; }
    int feedbackUnreadMessages() const { return feedbackUnreadMessages_; }
    void setFeedbackUnreadMessages(int value) { feedbackUnreadMessages_ = value; }
    bool canUploadPicture() const { return canUploadPicture_; }
    void setCanUploadPicture(bool value) { canUploadPicture_ = value; }
    int defaultTipIndex() const { return defaultTipIndex_; }
    void setDefaultTipIndex(int value) { defaultTipIndex_ = value; }
    double mandatoryTipPercentage() const { return mandatoryTipPercentage_; }
    void setMandatoryTipPercentage(double value) { mandatoryTipPercentage_ = value; }
    double globalMaxTipPercentage() const { return globalMaxTipPercentage_; }
    void setGlobalMaxTipPercentage(double value) { globalMaxTipPercentage_ = value; }
    QVariantList tipsList() const { return tipsList_; }
    void setTipsList(const QVariantList& value) { tipsList_ = value; }
    bool discountsEnabled() const { return discountsEnabled_; }
    void setDiscountsEnabled(bool value) { discountsEnabled_ = value; }
    int defaultDiscountIndex() const { return defaultDiscountIndex_; }
    void setDefaultDiscountIndex(int value) { defaultDiscountIndex_ = value; }
    QVariantList discountsList() const { return discountsList_; }
    void setDiscountsList(const QVariantList& value) { discountsList_ = value; }
    bool signEnabled() const { return signEnabled_; }
    void setSignEnabled(bool value) { signEnabled_ = value; }
    bool taxEnabled() const { return taxEnabled_; }
    void setTaxEnabled(bool value) { taxEnabled_ = value; }
    double taxPercentage() const { return taxPercentage_; }
    void setTaxPercentage(double value) { taxPercentage_ = value; }
    double defaultTaxPercentage() const { return defaultTaxPercentage_; }
    void setDefaultTaxPercentage(double value) { defaultTaxPercentage_ = value; }
    QString taxMode() const { return taxMode_; }
    void setTaxMode(const QString& value) { taxMode_ = value; }
    QString appLanguage() const { return appLanguage_; }
    void setAppLanguage(const QString& value) { appLanguage_ = value; }
    QVariantList currencies() const { return currencies_; }
    void setCurrencies(const QVariantList& value) { currencies_ = value; }
    QVariant customCvmLimit() const { return customCvmLimit_; }
    void setCustomCvmLimit(const QVariant& value) { customCvmLimit_ = value; }
    QVariant contactlessTransactionLimit() const { return contactlessTransactionLimit_; }
    void setContactlessTransactionLimit(const QVariant& value) {
        contactlessTransactionLimit_ = value;
    }
    QVariantMap bankInfo() const { return bankInfo_; }
    void setBankInfo(const QVariantMap& value) { bankInfo_ = value; }
    bool closeBatch() const { return closeBatch_; }
    void setCloseBatch(bool value) { closeBatch_ = value; }
    bool hasPin() const { return hasPin_; }
    void setHasPin(bool value) { hasPin_ = value; }
    QString midSouth() const { return midSouth_; }
    void setMidSouth(const QString& value) { midSouth_ = value; }
    bool installmentsEnabled() const { return installmentsEnabled_; }
    void setInstallmentsEnabled(bool value) { installmentsEnabled_ = value; }
    double signatureLimitAmount() const { return signatureLimitAmount_; }
    void setSignatureLimitAmount(double value) { signatureLimitAmount_ = value; }
    QString signatureLimitCurrencyCode() const { return signatureLimitCurrencyCode_; }
    void setSignatureLimitCurrencyCode(const QString& value) {
        signatureLimitCurrencyCode_ = value;
    }
    QVariantList entryModes() const { return entryModes_; }
    void setEntryModes(const QVariantList& value) { entryModes_ = value; }
    std::shared_ptr<CBUStatus> cbuStatus() const { return cbuStatus_; }
    void setCbuStatus(const std::shared_ptr<CBUStatus>& value) { cbuStatus_ = value; }
    bool isSubUser() const { return isSubUser_; }
    void setIsSubUser(bool value) { isSubUser_ = value; }
    bool canAccessUserHistory() const { return canAccessUserHistory_; }
    void setCanAccessUserHistory(bool value) { canAccessUserHistory_ = value; }
    bool canAccessFullHistory() const { return canAccessFullHistory_; }
    void setCanAccessFullHistory(bool value) { canAccessFullHistory_ = value; }
    bool canMakeRefunds() const { return canMakeRefunds_; }
    void setCanMakeRefunds(bool value) { canMakeRefunds_ = value; }
    bool canMakeCancellations() const { return canMakeCancellations_; }
    void setCanMakeCancellations(bool value) { canMakeCancellations_ = value; }
    bool canEditCatalog() const { return canEditCatalog_; }
    void setCanEditCatalog(bool value) { canEditCatalog_ = value; }
    bool canEditGeneralSettings() const { return canEditGeneralSettings_; }
    void setCanEditGeneralSettings(bool value) { canEditGeneralSettings_ = value; }
    bool canHaveSubusers() const { return canHaveSubusers_; }
    void setCanHaveSubusers(bool value) { canHaveSubusers_ = value; }
    bool canAccessBuyers() const { return canAccessBuyers_; }
    void setCanAccessBuyers(bool value) { canAccessBuyers_ = value; }
    bool tutorialAmount() const { return tutorialAmount_; }
    void setTutorialAmount(bool value) { tutorialAmount_ = value; }
    bool tutorialCatalog() const { return tutorialCatalog_; }
    void setTutorialCatalog(bool value) { tutorialCatalog_ = value; }
    bool tutorialSalesHistory() const { return tutorialSalesHistory_; }
    void setTutorialSalesHistory(bool value) { tutorialSalesHistory_ = value; }
    bool tutorialBuyers() const { return tutorialBuyers_; }
    void setTutorialBuyers(bool value) { tutorialBuyers_ = value; }
    bool tutorialEditCatalog() const { return tutorialEditCatalog_; }
    void setTutorialEditCatalog(bool value) { tutorialEditCatalog_ = value; }
    bool tutorialSubusers() const { return tutorialSubusers_; }
    void setTutorialSubusers(bool value) { tutorialSubusers_ = value; }
    bool tutorialConfiguration() const { return tutorialConfiguration_; }
    void setTutorialConfiguration(bool value) { tutorialConfiguration_ = value; }
    bool prepaidRefillAvailable() const { return prepaidRefillAvailable_; }
    void setPrepaidRefillAvailable(bool value) { prepaidRefillAvailable_ = value; }
    double prepaidRefillFee() const { return prepaidRefillFee_; }
    void setPrepaidRefillFee(double value) { prepaidRefillFee_ = value; }
    int selectedCardReader() const { return selectedCardReader_; }
    void setSelectedCardReader(int value) { selectedCardReader_ = value; }
    bool cardReaderSelected() const { return cardReaderSelected_; }
    void setCardReaderSelected(bool value) { cardReaderSelected_ = value; }
    bool manualEntry() const { return manualEntry_; }
    void setManualEntry(bool value) { manualEntry_ = value; }
    int maxSwipeErrors() const { return maxSwipeErrors_; }
    void setMaxSwipeErrors(int value) { maxSwipeErrors_ = value; }
    QList<std::shared_ptr<Tax>> taxes() const { return taxes_; }
    void setTaxes(const QList<std::shared_ptr<Tax>>& value) { taxes_ = value; }
    bool cardOperationsEnabled() const { return cardOperationsEnabled_; }
    void setCardOperationsEnabled(bool value) { cardOperationsEnabled_ = value; }
    std::shared_ptr<QRSettings> settingsQR() const { return settingsQR_; }
    void setSettingsQR(const std::shared_ptr<QRSettings>& value) { settingsQR_ = value; }
    std::shared_ptr<QRSettings> transactionalQR() const { return transactionalQR_; }
    void setTransactionalQR(const std::shared_ptr<QRSettings>& value) { transactionalQR_ = value; }
    bool canRecharge() const { return canRecharge_; }
    void setCanRecharge(bool value) { canRecharge_ = value; }
    bool canPayServices() const { return canPayServices_; }
    void setCanPayServices(bool value) { canPayServices_ = value; }
    bool isInvoicerLinked() const { return isInvoicerLinked_; }
    void setIsInvoicerLinked(bool value) { isInvoicerLinked_ = value; }
    bool shoppingCartAvailable() const { return shoppingCartAvailable_; }
    void setShoppingCartAvailable(bool value) { shoppingCartAvailable_ = value; }
    QString depositTaxMessage() const { return depositTaxMessage_; }
    void setDepositTaxMessage(const QString& value) { depositTaxMessage_ = value; }
    std::shared_ptr<UserAccountType> accountType() const { return accountType_; }
    void setAccountType(const std::shared_ptr<UserAccountType>& value) { accountType_ = value; }

private:
    QString digitalAccountId_ = QString("");
    bool hasVirtualAccount_ = false;
    bool catalogDefault_ = false;
    bool tipsEnabled_ = false;
    bool catalogEnabled_ = false;
    bool subusersEnabled_ = false;
    bool buyersEnabled_ = false;
    bool hasSubusers_ = false;
    bool feedbackEnabled_ = false;
    bool feedbackSwitchEnabled_ = false;
    int feedbackUnreadMessages_ = 0;
    bool canUploadPicture_ = false;
    int defaultTipIndex_ = 0;
    double mandatoryTipPercentage_ = 0.0;
    double globalMaxTipPercentage_ = 0.0;
    QVariantList tipsList_{};
    bool discountsEnabled_ = false;
    int defaultDiscountIndex_ = 0;
    QVariantList discountsList_{};
    bool signEnabled_ = false;
    bool taxEnabled_ = false;
    double taxPercentage_ = 0.0;
    double defaultTaxPercentage_ = 0.0;
    QString taxMode_{};
    QString appLanguage_{};
    QVariantList currencies_{};
    QVariant customCvmLimit_{};
    QVariant contactlessTransactionLimit_{};
    QVariantMap bankInfo_{};
    bool closeBatch_ = false;
    bool hasPin_ = false;
    QString midSouth_{};
    bool installmentsEnabled_ = false;
    double signatureLimitAmount_ = 0.0;
    QString signatureLimitCurrencyCode_{};
    QVariantList entryModes_{};
    std::shared_ptr<CBUStatus> cbuStatus_{};
    bool isSubUser_ = false;
    bool canAccessUserHistory_ = false;
    bool canAccessFullHistory_ = false;
    bool canMakeRefunds_ = false;
    bool canMakeCancellations_ = false;
    bool canEditCatalog_ = false;
    bool canEditGeneralSettings_ = false;
    bool canHaveSubusers_ = false;
    bool canAccessBuyers_ = false;
    bool tutorialAmount_ = false;
    bool tutorialCatalog_ = false;
    bool tutorialSalesHistory_ = false;
    bool tutorialBuyers_ = false;
    bool tutorialEditCatalog_ = false;
    bool tutorialSubusers_ = false;
    bool tutorialConfiguration_ = false;
    bool prepaidRefillAvailable_ = false;
    double prepaidRefillFee_ = 0.0;
    int selectedCardReader_ = 0;
    bool cardReaderSelected_ = false;
    bool manualEntry_ = false;
    int maxSwipeErrors_ = 0;
    QList<std::shared_ptr<Tax>> taxes_{};
    bool cardOperationsEnabled_ = false;
    std::shared_ptr<QRSettings> settingsQR_{};
    std::shared_ptr<QRSettings> transactionalQR_{};
    bool canRecharge_ = false;
    bool canPayServices_ = false;
    bool isInvoicerLinked_ = false;
    bool shoppingCartAvailable_ = false;
    QString depositTaxMessage_{};
    std::shared_ptr<UserAccountType> accountType_{};
};
