#pragma once

#include <TarvelloSDK/TQSale.h>
#include <TarvelloSDK/TarvelloError.h>

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <functional>
#include <optional>

class QWidget;

// The one object the host application talks to. Call sharedSDK(), then startWithAPIKey() and
// setUserToken(), in that order; every checked operation stops with an assertion otherwise.
// Every result reaches the host through a completion: a result dictionary and a success flag.
// On failure the dictionary holds a TarvelloError under "error" (TarvelloError::toResult());
// a success without data, or a failure without details, gives an empty dictionary.
// All operations are called on the main (GUI) thread; completions arrive there too.
class TarvelloSDK {
public:
    using Completion = std::function<void(const QVariantMap& result, bool success)>;

    // The process-wide instance, created on first use.
    static TarvelloSDK& sharedSDK();

    TarvelloSDK(const TarvelloSDK&) = delete;
    TarvelloSDK& operator=(const TarvelloSDK&) = delete;

    // ------------------------------------------------------------ life and configuration

    // Stores the key (none is stored too), sets the theme colour to its default and turns
    // retry-on-denied on; calling it again resets both the same way.
    void startWithAPIKey(const std::optional<QString>& apiKey);
    // Stores the token and nothing else: a new token takes effect after a logout.
    void setUserToken(const std::optional<QString>& userToken);

    // Plain accessors, not checked.
    std::optional<QString> getApiKey() const;
    void setApiKey(const std::optional<QString>& apiKey);
    std::optional<QString> getUserToken() const;

    // Checked accessors used for every request to the back end: they assert the start order.
    QString apiKey() const;
    QString userToken() const;

    // Theme colour of every SDK screen; none before startWithAPIKey(), which overwrites it.
    std::optional<QColor> mainColor() const;
    void setMainColor(const std::optional<QColor>& color);

    // Checked. True lets the card screens show a refusal and try again; false ends the charge
    // with error 1004.
    void setRetryOnDenied(bool retryOnDenied);
    bool retryOnDenied() const { return retryOnDenied_; }
    bool shouldRetryOnDenied() const { return retryOnDenied_; }

    // The e-mail address (or, with the other, the domain) the SDK session must belong to. Set
    // to an address other than the current session's, it logs out. Only one of the two may be
    // set; setting the other asserts.
    void setEnforcedUserAccount(const std::optional<QString>& account);
    void setEnforcedDomain(const std::optional<QString>& domain);
    std::optional<QString> enforcedUserAccount() const { return enforcedUserAccount_; }
    std::optional<QString> enforcedDomain() const { return enforcedDomain_; }

    // E-mail address of the SDK session (the logged-in user, else the stored last session).
    std::optional<QString> currentEmail() const;

    // Checked. Ends the SDK session; the key, token, colour, flag and enforced values stay.
    void logout();

    // ------------------------------------------------------------ card reader

    // The card reader the card screens use: "bluetooth", a reader over the machine's Bluetooth
    // (driving it needs the reader maker's driver, which is not part of this build), or
    // "simulated", a scripted reader for tests and demonstrations. Any case. False, and nothing
    // changed, for another text. Until called, the environment variable TARVELLO_READER names
    // it, else "bluetooth". Takes effect for the next card reading.
    bool setCardReaderKind(const QString& kind);
    QString cardReaderKind() const;

    // ------------------------------------------------------------ charges
    // Amounts and tips are in the currency's units. The currency is the numeric currency code;
    // none keeps the merchant's current currency. Reference and external reference are the
    // same thing: the charge's reference. The charge fails at once with 1100 when its total
    // (tip excluded) is 0 or less.

    void chargeAmount(double amount, QWidget* viewController, Completion completion);
    void chargeAmountCurrency(double amount, const std::optional<QString>& currency,
                              QWidget* viewController, Completion completion);
    void chargeAmountDescription(double amount, const std::optional<QString>& description,
                                 QWidget* viewController, Completion completion);
    void chargeAmountDescriptionCurrency(double amount, const std::optional<QString>& description,
                                         const std::optional<QString>& currency,
                                         QWidget* viewController, Completion completion);
    void chargeAmountDescriptionTipAmountCurrency(double amount,
                                                  const std::optional<QString>& description,
                                                  double tipAmount,
                                                  const std::optional<QString>& currency,
                                                  QWidget* viewController, Completion completion);
    void chargeAmountReferenceDescription(double amount, const std::optional<QString>& reference,
                                          const std::optional<QString>& description,
                                          QWidget* viewController, Completion completion);
    void chargeAmountExternalReferenceDescription(double amount,
                                                  const std::optional<QString>& externalReference,
                                                  const std::optional<QString>& description,
                                                  QWidget* viewController, Completion completion);
    void chargeAmountReferenceDescriptionCurrency(double amount,
                                                  const std::optional<QString>& reference,
                                                  const std::optional<QString>& description,
                                                  const std::optional<QString>& currency,
                                                  QWidget* viewController, Completion completion);
    void chargeAmountReferenceDescriptionTipAmount(double amount,
                                                   const std::optional<QString>& reference,
                                                   const std::optional<QString>& description,
                                                   double tipAmount, QWidget* viewController,
                                                   Completion completion);
    void chargeAmountExternalReferenceDescriptionTipAmountCurrency(
        double amount, const std::optional<QString>& externalReference,
        const std::optional<QString>& description, double tipAmount,
        const std::optional<QString>& currency, QWidget* viewController, Completion completion);
    void charge(const TQSale& sale, QWidget* viewController, Completion completion);
    void chargeReference(const TQSale& sale, const std::optional<QString>& reference,
                         QWidget* viewController, Completion completion);
    void chargeAmountDescriptionInstallmentsTipAmount(double amount,
                                                      const std::optional<QString>& description,
                                                      qint64 installments, double tipAmount,
                                                      QWidget* viewController,
                                                      Completion completion);
    void chargeAmountExternalReferenceDescriptionInstallmentsTipAmount(
        double amount, const std::optional<QString>& externalReference,
        const std::optional<QString>& description, qint64 installments, double tipAmount,
        QWidget* viewController, Completion completion);
    // Accepted BINs: six-character card number prefixes (none accepts any card); an empty list
    // or one with an entry of another length fails at once with 1102, before the start check.
    void chargeAmountReferenceDescriptionAcceptedBinsCommerceNumberInstallments(
        double amount, const std::optional<QString>& reference,
        const std::optional<QString>& description, const std::optional<QStringList>& acceptedBins,
        const std::optional<QString>& commerceNumber, const std::optional<qint64>& installments,
        QWidget* viewController, Completion completion);
    // The core every charge ends in.
    void chargeReferenceCurrency(const TQSale& sale, const std::optional<QString>& reference,
                                 const std::optional<QString>& currency, QWidget* viewController,
                                 Completion completion);
    void chargeAmountExternalReferenceDescriptionCurrency(
        double amount, const std::optional<QString>& externalReference,
        const std::optional<QString>& description, const std::optional<QString>& currency,
        QWidget* viewController, Completion completion);

    // ------------------------------------------------------------ refund and settings

    // Refunds or voids an earlier operation, looked up by its id: decimal digits only, up to
    // 9223372036854775807. Any other text fails at once with 1202 "Invalid operation id".
    void refundOperationID(const QString& operationId, QWidget* viewController,
                           Completion completion);
    void refundOperationIDEnablePartialAmount(const QString& operationId, bool enablePartialAmount,
                                              QWidget* viewController, Completion completion);

    // Opens the merchant's settings; closing them reports nothing.
    void presentSettingsFromViewControllerAllowReaderChange(QWidget* viewController,
                                                            bool allowReaderChange);
    void presentSettingsFromViewControllerAllowPictureChangeAllowReaderChange(
        QWidget* viewController, bool allowPictureChange, bool allowReaderChange);

    // ------------------------------------------------------------ operations without screens

    void sendReceiptForOperationID(const QString& operationId, const QString& email,
                                   Completion completion);
    // Success gives {"receipt": the printable bytes}.
    void getPDFReceiptForOperationID(const QString& operationId, Completion completion);
    // The operation id as for refunds; any other text fails at once with 1202.
    void retrievePaymentInfoForOperationID(const QString& operationId, Completion completion);
    void retrievePaymentInfoForReference(const QString& reference, Completion completion);
    void retrievePaymentInfoForExternalReference(const QString& externalReference,
                                                 Completion completion);
    // Success gives {"agreements": ...}.
    void retrieveAgreementNumbersWithCompletion(Completion completion);
    // A null image removes the logo.
    void changeMerchantLogo(const QImage& image, Completion completion);
    // Success gives {"batches": [...]}.
    void retrieveBatchInformation(Completion completion);
    void closeBatchWithId(const QString& batchId, Completion completion);
    void closeAllBatches(Completion completion);

private:
    TarvelloSDK() = default;

    // Asserts the start order; false when an assertion handler let the call go on.
    bool checkStarted() const;

    bool retryOnDenied_ = false;
    std::optional<QString> enforcedUserAccount_;
    std::optional<QString> enforcedDomain_;
};
