#pragma once

#include <TarvelloSDK/TarvelloError.h>

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <memory>
#include <mutex>
#include <optional>

// Brand texts. The brand rules give all but CARD_TARJETANARANJA and CARD_OTHER; CARD_OTHER is
// the brand of a filled card whose number matches no rule.
inline const QString CARD_VISA = QStringLiteral("Visa");
inline const QString CARD_VISA_DEBIT = QStringLiteral("Visa Debito");
inline const QString CARD_MASTER_CARD = QStringLiteral("MasterCard");
inline const QString CARD_MASTER_DEBIT = QStringLiteral("MasterDebit");
inline const QString CARD_MAESTRO = QStringLiteral("Maestro");
inline const QString CARD_DINERS = QStringLiteral("Diners");
inline const QString CARD_AMERICAN_EXPRESS = QStringLiteral("American Express");
inline const QString CARD_CABAL = QStringLiteral("Cabal");
inline const QString CARD_TARJETANARANJA = QStringLiteral("Tarjeta Naranja");
inline const QString CARD_JCB = QStringLiteral("JCB");
inline const QString CARD_OTHER = QStringLiteral("Tarjeta de Crédito");

// Result codes of card operations.
constexpr qint32 CARD_OK = 0;
constexpr qint32 ERROR_CARD_NO_NAME = 1;
constexpr qint32 ERROR_CARD_BAD_DATA = 2;
constexpr qint32 ERROR_CARD_EXPIRED = 3;
constexpr qint32 ERROR_CARD_NOT_ACCEPTED = 4;

// The card charged in one sale: what was read or typed, what the reader produced, the brand,
// the installment plan and the signature. Fields written "none" are std::optional (or a null
// picture); an empty text is a value and is sent as such.
class CreditCard {
public:
    CreditCard() = default;
    CreditCard(const CreditCard&) = delete;
    CreditCard& operator=(const CreditCard&) = delete;

    // A new card with every field of this one.
    std::shared_ptr<CreditCard> copy() const;

    // Fills the card from a read or typed card; always CARD_OK. The brand is never empty after.
    qint32 setCardNumber(const QString& number, const QString& name, const QString& expiration,
                         const QString& personalIdNumber, const QString& personalIdType);

    // The brand; derived from the number (credit brands) while still empty.
    QString cardIssuer();
    void setCardIssuer(const QString& value) { cardIssuer_ = value; }
    // The first six characters of the number (the whole number when shorter).
    QString bin() const;

    // Brand rules by the leading characters of the number; a type reading "debit" (any case)
    // gives the debit variant of Visa and MasterCard. The empty text when no rule matches.
    static QString getIssuerType(const QString& number, const QString& type);
    static QString getIssuer(const QString& number);
    // Small and large brand pictures from the resource bundle (null when missing).
    static QImage getIssuerPicture(const QString& brand);
    static QImage getIssuerPictureBig(const QString& brand);
    // The bundle file names behind those pictures.
    static QString issuerPictureName(const QString& brand);
    static QString issuerPictureBigName(const QString& brand);

    // Digits only, 10 to 16 of them, and a right Luhn sum.
    static bool isCardNumberValid(const QString& number);
    // Stores the security code when it is digits of the brand's length (4 for American
    // Express, else 3); otherwise keeps the stored one and answers false.
    bool setCVV2(const QString& code);

    void clearInstallments();
    // Forgets what a card reading produced.
    void cleanPresentCardFields();

    // The card object of a back-end sale record; null when the value is not an object.
    static std::shared_ptr<CreditCard> fromDictionary(const QVariant& dictionary);

    // ---- Stripe and EMV hex helpers
    // Reads a stripe result block (hex text of tag, length byte, value fields) into the card.
    qint32 emvReadMSRCode(const QString& block);
    static QString getEMVObjectFromTag(const QString& data, const QString& tag, bool isHex,
                                       qint32 padding);
    static QString getEMVObjectFromTagToTag(const QString& data, const QString& tag,
                                            const QString& toTag, bool isHex, qint32 padding);
    static QString getEMVObjectFromTagLength(const QString& data, const QString& tag, qint32 length,
                                             bool isHex, qint32 padding);
    // With isHex, decodes pairs of hex digits into characters ("3431" gives "41"); a pair that
    // is not two hex digits is skipped and an odd last digit is dropped.
    static QString getEMVRealData(const QString& data, bool isHex);
    // Tag, the length as two lower-case hex digits, the content left-padded with "0".
    static QString createEMVDataTag(const QString& tag, const QString& content, qint32 length);

    // ---- Card-field encryption (3DES ECB, PKCS#7, Base64 in 64-column lines)
    // Replaces each chosen field by the Base64 of its encryption with the key's first 24
    // characters. All or nothing: on failure no field changes, the answer is false and the
    // error slot (when given) says why. A payment must not be sent after a failure.
    [[nodiscard]] bool encryptCardDataWithKey(const QString& key, bool encryptNumber,
                                              bool encryptCVV2, bool encryptExpiration,
                                              TarvelloError* error = nullptr);
    // One text; none when the key is unusable or the cipher fails.
    static std::optional<QString> encryptString(const QString& text, const QString& key,
                                                TarvelloError* error = nullptr);
    static std::optional<QByteArray> tripleDesEncryptString(const QString& text, const QString& key,
                                                            TarvelloError* error = nullptr);
    static std::optional<QString> tripleDesDecryptData(const QByteArray& data, const QString& key,
                                                       TarvelloError* error = nullptr);
    // Domain of the cipher errors.
    static const QString cipherErrorDomain;

    // ---- Fields
    QString number() const { return number_; }
    void setNumber(const QString& value) { number_ = value; }
    QString name() const { return name_; }
    void setName(const QString& value) { name_ = value; }
    QString expiration() const { return expiration_; }
    void setExpiration(const QString& value) { expiration_ = value; }
    QString numberLast4() const { return numberLast4_; }
    void setNumberLast4(const QString& value) { numberLast4_ = value; }
    QString cvv() const { return cvv_; }
    void setCvv(const QString& value) { cvv_ = value; }
    QString cvv2() const { return cvv2_; }
    void setCvv2(const QString& value) { cvv2_ = value; }
    QImage signatureImage() const { return signatureImage_; }
    void setSignatureImage(const QImage& value) { signatureImage_ = value; }
    QString IdNumber() const { return IdNumber_; }
    void setIdNumber(const QString& value) { IdNumber_ = value; }
    QString IdType() const { return IdType_; }
    void setIdType(const QString& value) { IdType_ = value; }
    // Atomic: a reader never sees a half-written value.
    std::optional<QString> pinBlock() const;
    void setPinBlock(const std::optional<QString>& value);
    std::optional<QString> pinKSN() const;
    void setPinKSN(const std::optional<QString>& value);
    std::optional<QByteArray> emvApp() const { return emvApp_; }
    void setEmvApp(const std::optional<QByteArray>& value) { emvApp_ = value; }
    std::optional<QString> applicationLabel() const { return applicationLabel_; }
    void setApplicationLabel(const std::optional<QString>& value) { applicationLabel_ = value; }
    bool offlinePinInserted() const { return offlinePinInserted_; }
    void setOfflinePinInserted(bool value) { offlinePinInserted_ = value; }
    qint32 installments() const { return installments_; }
    void setInstallments(qint32 value) { installments_ = value; }
    float installmentsPrice() const { return installmentsPrice_; }
    void setInstallmentsPrice(float value) { installmentsPrice_ = value; }
    QString bankName() const { return bankName_; }
    void setBankName(const QString& value) { bankName_ = value; }
    float discount() const { return discount_; }
    void setDiscount(float value) { discount_ = value; }
    float interest() const { return interest_; }
    void setInterest(float value) { interest_ = value; }
    QImage bankImage() const { return bankImage_; }
    void setBankImage(const QImage& value) { bankImage_ = value; }
    QString bankImageURL() const { return bankImageURL_; }
    void setBankImageURL(const QString& value) { bankImageURL_ = value; }
    std::optional<QString> track1Encrypted() const { return track1Encrypted_; }
    void setTrack1Encrypted(const std::optional<QString>& value) { track1Encrypted_ = value; }
    QString track2Encrypted() const { return track2Encrypted_; }
    void setTrack2Encrypted(const QString& value) { track2Encrypted_ = value; }
    QString track2KSN() const { return track2KSN_; }
    void setTrack2KSN(const QString& value) { track2KSN_ = value; }
    QString serviceCode() const { return serviceCode_; }
    void setServiceCode(const QString& value) { serviceCode_ = value; }
    // UTF-8 JSON {tag: value} of the chip's tags.
    std::optional<QByteArray> emvTags() const { return emvTags_; }
    void setEmvTags(const std::optional<QByteArray>& value) { emvTags_ = value; }
    std::optional<QString> iccTags() const { return iccTags_; }
    void setIccTags(const std::optional<QString>& value) { iccTags_ = value; }
    // "emv", "nfc_emv", "pei", or empty for a swipe or no card.
    QString transactionType() const { return transactionType_; }
    void setTransactionType(const QString& value) { transactionType_ = value; }

    // The stored brand as it is, without deriving it.
    QString storedCardIssuer() const { return cardIssuer_; }

private:
    QString cardIssuer_ = QStringLiteral("");
    QString number_ = QStringLiteral("");
    QString name_ = QStringLiteral("");
    QString expiration_ = QStringLiteral("");
    QString numberLast4_ = QStringLiteral("");
    QString cvv_ = QStringLiteral("");
    QString cvv2_ = QStringLiteral("");
    QImage signatureImage_;
    QString IdNumber_ = QStringLiteral("");
    QString IdType_ = QStringLiteral("");
    mutable std::mutex pinMutex_;
    std::optional<QString> pinBlock_;
    std::optional<QString> pinKSN_;
    std::optional<QByteArray> emvApp_;
    std::optional<QString> applicationLabel_;
    bool offlinePinInserted_ = false;
    qint32 installments_ = 1;
    float installmentsPrice_ = 0;
    QString bankName_ = QStringLiteral("");
    float discount_ = 0;
    float interest_ = 0;
    QImage bankImage_;
    QString bankImageURL_ = QStringLiteral("");
    std::optional<QString> track1Encrypted_;
    QString track2Encrypted_ = QStringLiteral("");
    QString track2KSN_ = QStringLiteral("");
    QString serviceCode_ = QStringLiteral("");
    std::optional<QByteArray> emvTags_;
    std::optional<QString> iccTags_;
    QString transactionType_ = QStringLiteral("");
};
