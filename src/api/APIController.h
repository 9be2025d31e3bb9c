#pragma once

#include "SDK/session/SessionTimer.h"
#include "api/FunctionCode.h"
#include "api/HTTPRequestConfigurator.h"
#include "api/Response.h"
#include "api/URLRequest.h"

#include <TarvelloSDK/TarvelloError.h>

#include <QByteArray>
#include <QColor>
#include <QDateTime>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>
#include <functional>
#include <optional>
#include <vector>

class APIControllerDelegate;
class QNetworkReply;
class Sale;
class Tax;
struct LocationCoordinate;
using SalePtr = std::shared_ptr<Sale>;
using TaxList = std::vector<std::shared_ptr<Tax>>;

// The one client of the merchant back end's REST API.
//
// Delegate-style requests: create one APIController per request (owned by the caller, usually
// as a Qt child of the delegate), set the delegate, call one endpoint operation. The answer
// arrives later on the main thread through APIControllerDelegate with the request's function
// code. Destroying the client drops its request silently.
//
// Block-style requests are static operations with completion and failure callbacks, also
// delivered on the main thread.
class APIController : public QObject, public SessionTimerDelegate {
    Q_OBJECT
public:
    using Completion = std::function<void(const Response& response)>;
    using Failure = std::function<void(const TarvelloError& error)>;
    using JsonCompletion = std::function<void(const QVariant& json)>;
    using DownloadCompletion =
        std::function<void(const QString& filePath, const std::optional<TarvelloError>& error)>;

    explicit APIController(QObject* parent = nullptr);
    ~APIController() override;

    int functionName() const { return functionName_; }
    void setFunctionName(int value) { functionName_ = value; }
    QByteArray receivedData() const { return receivedData_; }
    void setReceivedData(const QByteArray& value) { receivedData_ = value; }
    APIControllerDelegate* delegate() const { return delegate_; }
    void setDelegate(APIControllerDelegate* value) { delegate_ = value; }
    // The host's API key the delegate-style and synchronous requests carry: the one in force
    // when the client was made, so a request sent from a worker never reads the facade's.
    std::optional<QString> apiKey() const { return apiKey_; }
    void setApiKey(const std::optional<QString>& value) { apiKey_ = value; }

    // ---- transports of the delegate-style requests

    // Asynchronous multipart POST of the fields to base address + "/developers/api" + path.
    // False when the request could not be made (the delegate then gets apiDidFailWithError()).
    bool loadUrl(const QString& path, const QVariantMap& data);
    // Asynchronous GET with the values as query items.
    bool getUrl(const QString& path, const QVariantMap& data);
    // setFunctionName(code), then loadUrl() / getUrl().
    bool loadUrlWithCode(int code, const QString& path, const QVariantMap& data);
    bool getUrlWithCode(int code, const QString& path, const QVariantMap& data);
    // Synchronous multipart POST on the calling worker thread (its own network manager and event
    // loop); no delegate, no routing. Refused on the main thread. Nothing when the exchange
    // produced no reply.
    std::optional<QByteArray> loadSynchronousUrl(const QString& path, const QVariantMap& data);

    // The address of a delegate-style request: base address + "/developers/api" + path.
    static QString urlForPath(const QString& path);
    // An identifier or token percent-encoded for use as one path segment or query value.
    static QString escapedComponent(const QString& value);
    // A new random UUID, 36 upper-case characters.
    static QString uuid();

    // The reply router: routes the complete reply held in receivedData() to the delegate (answer,
    // session expiry or raw bytes by function code), hands the inactivity timer over after a
    // successful answer and enters the exchange in the request log.
    void connectionDidFinishLoading(const QString& requestURL, const QByteArray& requestBody);

    // ---- session hooks (the inactivity timer reaches a client after a successful reply)
    // Passes the expiry on to the delegate; false when there is none or it does not handle it.
    bool sessionExpired() override;
    // Tells the delegate when it watches the timer itself, else as sessionExpired().
    bool sessionExpiredFromTimer() override;

    // ---- request bodies

    static inline const QString multipartBoundary = QStringLiteral("0xKhTmLbOuNdArY");
    // Multipart form body of the delegate-style POSTs. Nothing (and the reason in *error) when a
    // key or value holds the boundary or a key holds a quote or a line break.
    static std::optional<QByteArray> bodyFromDictionary(const QVariantMap& fields,
                                                        QString* error = nullptr);
    // Form-data body with the one field "data" holding the fields as compact JSON.
    static std::optional<QByteArray> HTTPBodyFromDictionary(const QVariantMap& fields,
                                                            QString* error = nullptr);
    // Form-data body from part descriptions {"name", "value"} or {"name", "fileName",
    // "contentType"}.
    static std::optional<QByteArray> formDataBodyForParameter(const QVariantList& parts,
                                                              QString* error = nullptr);
    // "data=" followed by the fields as compact JSON.
    static QByteArray HTTPBodyURLEncodeFromDictionary(const QVariantMap& fields);

    // ---- request log and connection type

    // Adds an entry {"size", "host", "body", "response", "time"} after redacting secrets and
    // card data; trims the oldest entries while the total exceeds 1,000,000 characters.
    static void logRequest(const QString& url, const QString& body, const QString& response);
    static QVariantList getRequestLog();
    // "NO INTERNET", "WIFI", "2G", "3G", "4G", or nothing.
    static std::optional<QString> connectionType();
    // The name of a connection from its reachability and medium (QNetworkInformation's enums as
    // integers) and, on a cellular network, the radio technology ("GPRS", "Edge", "CDMA1x",
    // "WCDMA", "HSDPA", "HSUPA", "CDMAEVDORev0", "CDMAEVDORevA", "CDMAEVDORevB", "eHRPD", "LTE").
    static std::optional<QString> connectionTypeFor(int reachability, int transportMedium,
                                                    const QString& radioTechnology);

    // ---- block-style requests

    static URLRequest requestWithConfiguration(const HTTPRequestConfigurator& configurator);
    static void requestWithConfigurator(std::shared_ptr<HTTPRequestConfigurator> configurator,
                                        Completion completion, Failure failure);
    static void handleURLRequest(const URLRequest& request, Completion completion, Failure failure);
    static void handleFileDownloadRequest(const URLRequest& request, DownloadCompletion completion,
                                          Failure failure);

    static void get(const QString& url, Completion completion, Failure failure);
    static void getWithConfigurator(const QString& url,
                                    const std::function<void(HTTPRequestConfigurator&)>& configure,
                                    Completion completion, Failure failure);
    static void getWithParameters(const QString& url, const QVariantMap& parameters,
                                  Completion completion, Failure failure);
    static void downloadFromURL(const QString& url, const QVariantMap& parameters,
                                DownloadCompletion completion, Failure failure);
    static void postWithJsonContent(const QString& url, const QByteArray& content,
                                    const QString& contentType, Completion completion,
                                    Failure failure);
    static void postWithParameters(const QString& url, const QVariantMap& parameters,
                                   Completion completion, Failure failure);
    static void postImage(const QString& url, const QImage& image, Completion completion,
                          Failure failure);
    static void post(const QString& url, Completion completion, Failure failure);
    static void put(const QString& url, const std::optional<QByteArray>& jsonContent,
                    Completion completion, Failure failure);
    static void deleteWithParameters(const QString& url, const QVariantMap& parameters,
                                     Completion completion, Failure failure);
    static std::shared_ptr<HTTPRequestConfigurator>
    createPostFormURLEncodedConfiguratorWithURL(const QString& url);

    // GET of base address + "/api" + path with the session token; the parsed reply or an error,
    // on the main thread. A 401 expires the session and then fails.
    void getV2(const QString& path, JsonCompletion completion, Failure failure);

    // ---- login and user account

    void loadUser(const QString& email, const QString& password, const QString& uuid,
                  const QString& os, const QString& model, const QString& versionName,
                  const QString& versionCode);
    void checkPassword(const QString& password, const QString& userId, const QString& token);
    void getUserExtraInfo(const QString& userId, const QString& token);
    // A null password sends the e-mail alone.
    void recoverPasswordWithEmail(const QString& email, const QString& password);
    void isValidToken(const QString& token, const QString& userId, const QString& uuid,
                      const QString& os, const QString& model, const QString& versionName,
                      const QString& versionCode);
    void setBranchId(const QString& branchId, const QString& userId, const QString& token);
    void savePushToken(const QString& pushToken, const QString& userId, const QString& token,
                       const QString& deviceId);
    void getHelpUrl();
    void acceptTermsForUserId(const QString& userId, const QString& token);
    // A null image sends no image part.
    void createUserWithEmail(const QString& email, const QString& password,
                             const QString& firstName, const QString& lastName,
                             const QImage& image);
    void userExtraInfoWithId(const QString& userId, const QString& token, const QString& firstName,
                             const QString& lastName, const QString& address,
                             const QString& provinceId, const QString& city, const QString& zipCode,
                             const QString& birthdate, const QString& phone,
                             const QString& occupation);
    void activateAccountWithId(const QString& userId, const QString& token,
                               const QString& accountName, const QString& accountUniqueNumber,
                               const QString& accountPersonalIdNumber);
    void getBankNameWithCBU(const QString& cbu, const QString& userId, const QString& token);
    void confirmAccountWithToken(const QString& token);
    static void linkCBUOrAlias(const QString& cbuOrAlias, const QByteArray& jsonContent,
                               Completion completion, Failure failure);

    // ---- batches, settings and PIN

    void getBatchforUserId(const QString& userId, const QString& token);
    void getBatchHistoryforUserId(const QString& userId, const QString& token);
    void closeBatchWithInstallmentId(const QString& installmentId, const QString& userId,
                                     const QString& token);
    void updateSetupSettingsWithUserId(const QString& userId, const QString& token, bool buyersOn,
                                       bool catalogOn, bool tipsOn, bool subusersOn);
    // Synchronous: call from a worker thread; the reply bytes for the caller to parse.
    std::optional<QByteArray> getSettingsWithUserId(const QString& userId, const QString& token);
    // A null image asks the back end to delete the picture.
    void updateUserPicture(const QImage& image, const QString& userId, const QString& token);
    void updateTaxSettingsDefaultTaxRate(float rate, const QString& name, const QString& userId,
                                         const QString& token);
    void updateTipSettingsAllowTips(bool allowTips, const QString& userId, const QString& token);
    void updateTipSettingsDefaultTip(int defaultTip, const QString& userId, const QString& token);
    void updateTipSettingsWithTipAndTipAndTip(float tip1, float tip2, float tip3,
                                              const QString& userId, const QString& token);
    void updateTipSettingsMandatoryTip(float mandatoryTip, const QString& userId,
                                       const QString& token);
    void updateDiscountSettingsAllowDiscounts(bool allowDiscounts, const QString& userId,
                                              const QString& token);
    void updateDiscountSettingsWithDiscountAndDiscountAndDiscount(float discount1, float discount2,
                                                                  float discount3,
                                                                  const QString& userId,
                                                                  const QString& token);
    void updateDiscountSettingsDefaultDiscount(int defaultDiscount, const QString& userId,
                                               const QString& token);
    void updateSignaturePresent(bool present, const QString& userId, const QString& token);
    void updateCatalogEnabled(bool enabled, const QString& userId, const QString& token);
    void updateBuyersEnabled(bool enabled, const QString& userId, const QString& token);
    void updateSubusersEnabled(bool enabled, const QString& userId, const QString& token);
    void tutorialSettingsUpdateUserId(const QString& userId, const QString& token, bool amount,
                                      bool catalog, bool salesHistory, bool buyers,
                                      bool editCatalog, bool subusers, bool configuration);
    void updateFeedbackSettings(bool enabled, const QString& userId, const QString& token);
    void setApplicationLanguage(const QString& language, const QString& userId,
                                const QString& token);
    void setExchangeRate(float rate, const QString& currencyCode, const QString& userId,
                         const QString& token);
    void updateSettingsCatalogOn(bool catalogOn, const QString& userId, const QString& token);
    void setPin(const QString& pin, const QString& userId, const QString& token);
    void checkPin(const QString& pin, const QString& userId, const QString& token);
    void getAgreementNumbersForToken(const QString& token);

    // ---- operation status, signature and receipts; sale history and operation lookup

    void registerSignatureForSaleId(const QString& saleId, const QImage& signature,
                                    const QString& userId, const QString& token);
    void registerPersonalIdForSaleId(const QString& saleId, const QString& personalIdType,
                                     const QString& personalIdNumber, const QString& userId,
                                     const QString& token);
    void adjustTip(double tip, const QString& saleId, const QString& userId, const QString& token);
    // The address is sent without leading and trailing spaces.
    void sendInvoiceForSaleId(const QString& saleId, const QString& email, const QString& userId,
                              const QString& token, bool isResend);
    // The reply reaches the delegate as raw bytes.
    void printInvoiceForSaleId(const QString& saleId, const QString& userId, const QString& token);
    void operationStatus(bool status, const QString& operationId, const QString& userId,
                         const QString& token);
    // Without EMV tags no "emvTags" field is sent.
    void operationStatusTrack(bool status, const QString& operationId, const QString& track,
                              const QString& ksn, const std::optional<QVariantMap>& emvTags,
                              const QString& userId, const QString& annulmentReason,
                              const QString& token);
    // Synchronous: call from a worker thread; the reply bytes.
    std::optional<QByteArray> operationStatusEmvTags(bool status, const QString& operationId,
                                                     const std::optional<QVariantMap>& emvTags,
                                                     const QString& userId, const QString& token);
    void getSaleHistoryFromUserId(const QString& userId, const QString& token,
                                  const QString& subuserId, const QString& buyerId,
                                  const QString& freeTextSearch, int pageNumber);
    // Dates are written as days of the device's time zone.
    void getSaleHistoryFromUserIdFromTo(const QString& userId, const QString& token,
                                        const QString& subuserId, const QString& buyerId,
                                        const QDateTime& from, const QDateTime& to,
                                        const QString& freeTextSearch, int pageNumber);
    void getSaleWithId(qint64 saleId, const QString& userId, const QString& token);
    void getSaleInfo(qint64 operationId, const QString& userId, const QString& token);
    void getSaleInfoForExternalReference(const QString& reference, const QString& userId,
                                         const QString& token);
    void getSalesSummaryFrom(const QDateTime& from, const QDateTime& to, const QString& token);

    // ======== sale registration, refunds and voids (APIControllerSales.cpp)

    // Registers the sale (FunctionCode::SavePayment). A card read by chip or contactless, or marked
    // "pei" (any transaction type but the empty text, "manual", "prepaid" and "WALLET"), goes
    // synchronously: call it from a worker thread; it answers the reply bytes for the caller to
    // parse, nothing when the exchange failed or the call was made on the main thread. The others
    // go asynchronously to the delegate and answer nothing.
    std::optional<QByteArray> registerSale(const Sale& sale, const QString& userId,
                                           const QString& token);
    // The fields registerSale() sends for the sale (line pictures included); sends nothing.
    static QVariantMap registerSaleFields(const Sale& sale, const QString& userId,
                                          const QString& token);
    // The reduced registration fields, without card, payment method or references; sends nothing.
    static QVariantMap prepareRegisterSalePayloadWithSale(const Sale& sale, const QString& userId,
                                                          const QString& token);
    // Refund (MakeRefund) and void (MakeAnnulation) of a card sale: synchronous for "emv",
    // "nfc_emv", "pei" and "WALLET" cards (as registerSale), asynchronous for the empty text,
    // "manual" and "prepaid".
    std::optional<QByteArray> makeRefundForSale(const Sale& sale, const QString& userId,
                                                const QString& token);
    std::optional<QByteArray> makeAnnulationForSale(const Sale& sale, const QString& userId,
                                                    const QString& token);
    void cancelOperationWithId(const QString& operationId, const QString& userId,
                               const QString& token, const QString& pin,
                               const QString& paymentMethodType);
    // The record is a back-end sale record ("saleId", "currency", "latitude", "longitude").
    void makePartialRefundForSale(const QVariantMap& saleRecord, double amount,
                                  const QString& userId, const QString& token);
    void makeRefundEMVTagsForUserId(const QString& userId, const QString& token, double amount);

    // ======== prepaid cards (APIControllerSales.cpp)

    void payWithPrepaidCard(const QString& cardNumber, const QString& pin, const Sale& sale,
                            const QString& token);
    void rechargeAmount(double amount, const QString& cardNumber, const QString& token);
    void sendRechargeReceiptToEmail(const QString& email, const QString& rechargeId,
                                    const QString& token);

    // ======== installments, banks, issuers and promotions (APIControllerInstallments.cpp)

    void getInstallmentsWithUserId(const QString& userId, const QString& token, double amount);
    void getBanksWithUserId(const QString& userId, const QString& token);
    void getInstallmentsForCard(const QString& issuerName, const QString& userId,
                                const QString& token);
    void getInstallmentsForBank(const QString& bankName, const QString& userId,
                                const QString& token);
    void getPromotionForSale(const Sale& sale, const QString& userId, const QString& token);
    void getInstallmentsForSale(const Sale& sale, const QString& userId, const QString& token);
    void getInstallmentsForBin(const QString& bin, const QString& userId, const QString& token,
                               double total, const std::optional<QString>& from);
    void getIssuersWithUserId(const QString& userId, const QString& token);

    // ======== block-style payment and account calls (APIControllerPayments.cpp)
    // The user id and token come from the logged-in User.

    static void dccVerificationForCardEncryptedData(const QString& encryptedData,
                                                    const QString& ksn, const QString& entryMode,
                                                    const QString& installments, const QString& bin,
                                                    double amount, double taxAmount,
                                                    double tipAmount, const QString& reader,
                                                    Completion completion, Failure failure);
    static void getOperationWithIdentifier(const QString& identifier, Completion completion,
                                           Failure failure);
    static void getMultipleTaxesOnCompletion(std::function<void(const TaxList& taxes)> completion,
                                             Failure failure);
    static void performSale(const Sale& sale, std::function<void(SalePtr sale)> completion,
                            Failure failure);
    static void getAccountCBUStatus(std::function<void(const QVariantMap& json)> completion,
                                    Failure failure);
    void generateShareTokenWithTitle(const QString& title, double amount,
                                     const QString& currencyCode, const QString& quantity);
    void sharePaymentButton(const QString& buttonId, const QString& email);

    // ======== catalog, discounts and private installments (APIControllerCatalog.cpp)

    void saveCategoryWithName(const QString& name, const QString& description,
                              const QString& categoryOwnerId,
                              const std::optional<QString>& categoryId, const QString& userId,
                              const QString& token);
    // Synchronous (worker thread): the reply bytes, nothing when the request failed.
    std::optional<QByteArray> getCategoriesForUserId(const QString& userId, const QString& token);
    void deleteCategoryId(const QString& categoryId, const QString& userId, const QString& token,
                          bool deleteContent);
    // A null image sends no picture; no product id creates a product.
    void saveProductWithName(const QString& name, double price, const QString& description,
                             const QImage& image, const TaxList& taxes, const QString& currencyCode,
                             const QString& categoryId, const QColor& color, bool deleteImage,
                             const std::optional<QString>& productId, const QString& userId,
                             const QString& token);
    void saveFavoriteWithProductId(const QString& productId, const QString& position,
                                   const QString& userId, const QString& token);
    std::optional<QByteArray> getProductsForUserId(const QString& userId, const QString& token);
    void deleteProductIds(const QString& productIds, const QString& userId, const QString& token);
    void deleteFavoritesIds(const QString& favoriteIds, const QString& userId,
                            const QString& token);
    void assignCategoryId(int categoryId, const QString& productIds, const QString& userId,
                          const QString& token);
    std::optional<QByteArray> getDiscountsForUserId(const QString& userId, const QString& token);
    // A discount id of 0 creates a discount.
    void saveDiscountWithName(const QString& name, double percentage, double amount, int discountId,
                              const QString& userId, const QString& token);
    void deleteDiscountsIds(const QString& discountIds, const QString& userId,
                            const QString& token);
    void setPrivateInstallmentsOrder(const QStringList& order, const QString& userId,
                                     const QString& token);
    void savePrivateInstallmentWithId(const QString& installmentId, const QString& issuer,
                                      const QString& key, const QString& type, bool enabled,
                                      const QString& startingOn, const QString& endingOn,
                                      const QVariantList& installments, const QString& userId,
                                      const QString& token);
    void deletePrivateInstallmentsWithId(const QString& installmentId, const QString& userId,
                                         const QString& token);

    // ======== sub-users, buyers, feedback and balances (APIControllerBuyers.cpp)

    void getSubUsersForUserId(const QString& userId, const QString& token);
    // A null image sends no picture.
    void saveSubUserWithId(const QString& subUserId, const QString& email, const QString& firstName,
                           const QString& lastName, const QImage& image, bool canAccessUserHistory,
                           bool canAccessFullHistory, bool canMakeRefunds, bool canMakeCancelations,
                           bool canEditCatalog, bool canEditGeneralSettings, bool canCreateSubUsers,
                           bool canAccessBuyers, const QString& createdByUserId,
                           const QString& userId, const QString& token);
    void updateSubUserWithId(const QString& subUserId, bool state, const QString& userId,
                             const QString& token, const std::optional<QString>& newParentUserId);
    void deleteSubUserWithId(const QString& subUserId, const QString& userId, const QString& token,
                             const std::optional<QString>& newParentUserId);
    void transferSubusersFromParentId(const QString& fromParentId, const QString& toParentUserId,
                                      const QString& userId, const QString& token);
    void getBuyersForUserId(const QString& userId, const QString& token);
    void getBuyersWithId(const QString& buyerId, const QString& token);
    void saveBuyerWithId(const QString& buyerId, const QString& email, const QString& fullName,
                         const QImage& image, const QString& address, const QString& province,
                         const QString& city, const QString& zipCode, const QString& countryId,
                         const QString& birthdate, const QString& phone, const QString& personalId,
                         const QString& personalIdType, const QString& saleId,
                         const QString& userId, const QString& token, const QString& deleteImage);
    void deleteBuyerWithId(const QString& buyerId, const QString& userId, const QString& token);
    void getCountriesWithUserId(const QString& userId, const QString& token);
    void getBuyersWithPersonalId(const QString& personalId, const QString& token);
    void getFeedbackWithUserId(const QString& userId, const QString& token,
                               const QString& freeTextSearch, int pageNumber);
    void setFeedbackReadState(bool read, const QString& feedbackId, const QString& userId,
                              const QString& token);
    void getFeedbacksWithToken(const QString& token, int pageNumber);
    void getFeedbackMessagessWithId(const QString& feedbackId, const QString& token);
    void saveFeedbackReply(const QString& message, const QString& feedbackId, const QString& token);
    void getBalanceForUserId(const QString& userId, const QString& token);
    void getBankAccountForUserId(const QString& userId, const QString& token);
    void makeCashoutOfAmount(double amount, const QString& userId, const QString& token,
                             const QString& account);

    // ======== recharges, service payments, deposits and the reader shop (APIControllerShop.cpp)

    // The data holds "email", "password", "name", "ruc", "contactPhone" and "agentPhone".
    void createUserWithData(const QVariantMap& data);
    void checkPinWithTokenSubsidiaryId(const QString& pin, const QString& token, int subsidiaryId);
    void rechargeBalanceForToken(const QString& token);
    void getCarriersForToken(const QString& token);
    void makeRechargeForCompany(const QString& company, const LocationCoordinate& location,
                                const QString& phoneNumber, const QString& currencyCode,
                                double amount, const QString& token);
    void getCompaniesForToken(const QString& token);
    void getReceiptsForService(const QString& service, const QString& customerNumber,
                               const QString& token);
    void makePaymentForService(const QString& service, const LocationCoordinate& location,
                               const QString& accountNumber,
                               const QString& retrievalReferenceNumber, const QString& receiptId,
                               const QString& referenceId, const QString& currencyCode,
                               double totalAmount, double fee, const QString& token);
    static void getDepositsWithStates(const QStringList& states, unsigned long offset,
                                      unsigned long limit, const QString& token,
                                      Completion completion, Failure failure);
    void readerCheckedWithToken(const QString& token, const QString& os, const QString& model,
                                bool success);
    void selectReader(const QString& reader, const QString& userId, const QString& token);
    void getBuyReadersDataWithToken(const QString& token);
    void getWalletCardsWithToken(const QString& token);
    // The purchase dictionary of the shop screens: "items", "billingAddress", "payments",
    // "promotionId", "realAmount", "shipping", "payment". Refused (the delegate gets
    // apiDidFailWithError) when an entry it reads is missing.
    void buyReaderWithToken(const QString& token, const QVariantMap& data);
    void getBuyReadersPickUpLocationsAtState(const QString& state, const QString& token);
    // The name in plain upper-case ASCII: accents and other marks dropped ("Córdoba" gives
    // "CORDOBA"); a letter without an ASCII form is left out.
    static QString foldedProvinceName(const QString& name);

private:
    bool send(const QString& method, const QString& path, const QVariantMap& data);
    void startReply(QNetworkReply* reply, const QByteArray& body);
    void failLater(const TarvelloError& error);
    void routeReply(QNetworkReply* reply, const QByteArray& body);

    int functionName_ = 0;
    QByteArray receivedData_;
    APIControllerDelegate* delegate_ = nullptr;
    std::optional<QString> apiKey_;
    QPointer<QNetworkReply> reply_;
    QString replyContentType_;
    bool timerHandedOver_ = false;
};
