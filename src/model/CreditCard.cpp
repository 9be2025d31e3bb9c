#include "model/CreditCard.h"

#include "platform/core/CardNumber.h"
#include "platform/core/SafeDictionary.h"

#include <QRegularExpression>

namespace {

// Reads the leading decimal digits of a text ("52xx" gives 52, "x" gives 0).
int leadingNumber(const QString& text) {
    int value = 0;
    for (QChar c : text) {
        if (c.unicode() < '0' || c.unicode() > '9')
            break;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

bool isDigitsOnly(const QString& text) {
    static const QRegularExpression digits(QStringLiteral("\\A[0-9]+\\z"));
    return digits.match(text).hasMatch();
}

int hexValue(QChar c) {
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

} // namespace

std::shared_ptr<CreditCard> CreditCard::copy() const {
    auto card = std::make_shared<CreditCard>();
    card->cardIssuer_ = cardIssuer_;
    card->number_ = number_;
    card->name_ = name_;
    card->expiration_ = expiration_;
    card->numberLast4_ = numberLast4_;
    card->cvv_ = cvv_;
    card->cvv2_ = cvv2_;
    card->signatureImage_ = signatureImage_;
    card->IdNumber_ = IdNumber_;
    card->IdType_ = IdType_;
    card->setPinBlock(pinBlock());
    card->setPinKSN(pinKSN());
    card->emvApp_ = emvApp_;
    card->applicationLabel_ = applicationLabel_;
    card->offlinePinInserted_ = offlinePinInserted_;
    card->installments_ = installments_;
    card->installmentsPrice_ = installmentsPrice_;
    card->bankName_ = bankName_;
    card->discount_ = discount_;
    card->interest_ = interest_;
    card->bankImage_ = bankImage_;
    card->bankImageURL_ = bankImageURL_;
    card->track1Encrypted_ = track1Encrypted_;
    card->track2Encrypted_ = track2Encrypted_;
    card->track2KSN_ = track2KSN_;
    card->serviceCode_ = serviceCode_;
    card->emvTags_ = emvTags_;
    card->iccTags_ = iccTags_;
    card->transactionType_ = transactionType_;
    return card;
}

qint32 CreditCard::setCardNumber(const QString& number, const QString& name,
                                 const QString& expiration, const QString& personalIdNumber,
                                 const QString& personalIdType) {
    number_ = number;
    numberLast4_ = number.size() <= 4 ? number : number.right(4);
    name_ = name;
    cardIssuer_ = getIssuer(number);
    if (cardIssuer().isEmpty())
        cardIssuer_ = CARD_OTHER;
    expiration_ = expiration;
    IdNumber_ = personalIdNumber;
    IdType_ = personalIdType;
    return CARD_OK;
}

QString CreditCard::cardIssuer() {
    if (cardIssuer_.isEmpty() && !number_.isEmpty())
        cardIssuer_ = getIssuer(number_);
    return cardIssuer_;
}

QString CreditCard::bin() const {
    return number_.left(6);
}

QString CreditCard::getIssuerType(const QString& number, const QString& type) {
    if (number.size() < 4)
        return QStringLiteral("");
    const bool debit = type.toLower() == QStringLiteral("debit");
    const QString first2 = number.left(2);
    const QString first4 = number.left(4);
    if (number.startsWith(QLatin1Char('4')))
        return debit ? CARD_VISA_DEBIT : CARD_VISA;
    const int two = leadingNumber(first2);
    if (two >= 51 && two <= 55)
        return debit ? CARD_MASTER_DEBIT : CARD_MASTER_CARD;
    static const QStringList maestro{"5018", "5020", "5038", "6304", "6759",
                                     "6761", "6762", "6763", "0604"};
    if (maestro.contains(first4))
        return CARD_MAESTRO;
    if (first2 == QLatin1String("30") || first2 == QLatin1String("36") ||
        first2 == QLatin1String("38"))
        return CARD_DINERS;
    if (first2 == QLatin1String("34") || first2 == QLatin1String("37"))
        return CARD_AMERICAN_EXPRESS;
    if (first2 == QLatin1String("58") || first2 == QLatin1String("60"))
        return CARD_CABAL;
    const int four = leadingNumber(first4);
    if (four >= 2221 && four <= 2720)
        return debit ? CARD_MASTER_DEBIT : CARD_MASTER_CARD;
    if (first2 == QLatin1String("35"))
        return CARD_JCB;
    return QStringLiteral("");
}

QString CreditCard::getIssuer(const QString& number) {
    return getIssuerType(number, QStringLiteral(""));
}

bool CreditCard::isCardNumberValid(const QString& number) {
    if (!isDigitsOnly(number))
        return false;
    const qsizetype length = number.size();
    if (length < 10 || length > 16)
        return false;
    return CardNumber::passesLuhn(number);
}

bool CreditCard::setCVV2(const QString& code) {
    if (!isDigitsOnly(code))
        return false;
    const qsizetype wanted = cardIssuer() == CARD_AMERICAN_EXPRESS ? 4 : 3;
    if (code.size() != wanted)
        return false;
    cvv2_ = code;
    return true;
}

void CreditCard::clearInstallments() {
    installments_ = 1;
    installmentsPrice_ = 0;
    bankName_ = QStringLiteral("");
    discount_ = 0;
    interest_ = 0;
    bankImage_ = QImage();
    bankImageURL_ = QStringLiteral("");
}

void CreditCard::cleanPresentCardFields() {
    track2Encrypted_ = QStringLiteral("");
    track1Encrypted_.reset();
    track2KSN_ = QStringLiteral("");
    serviceCode_ = QStringLiteral("");
    offlinePinInserted_ = false;
    emvTags_.reset();
    iccTags_.reset();
    transactionType_ = QStringLiteral("");
    emvApp_.reset();
    setPinBlock(std::nullopt);
    setPinKSN(std::nullopt);
    applicationLabel_.reset();
}

std::shared_ptr<CreditCard> CreditCard::fromDictionary(const QVariant& dictionary) {
    if (dictionary.typeId() != QMetaType::QVariantMap)
        return nullptr;
    const QVariantMap dict = dictionary.toMap();
    auto card = std::make_shared<CreditCard>();
    // A JSON null counts as absent: these fields are texts.
    const auto take = [&dict](const char* key, QString& field) {
        if (SafeDictionary::hasKey(dict, QLatin1String(key)))
            field = dict.value(QLatin1String(key)).toString();
    };
    take("cardHolderName", card->name_);
    take("cardNumber", card->number_);
    take("last4Numbers", card->numberLast4_);
    take("issuerImageUrl", card->bankImageURL_);
    take("issuerName", card->bankName_);
    return card;
}

std::optional<QString> CreditCard::pinBlock() const {
    std::lock_guard lock(pinMutex_);
    return pinBlock_;
}

void CreditCard::setPinBlock(const std::optional<QString>& value) {
    std::lock_guard lock(pinMutex_);
    pinBlock_ = value;
}

std::optional<QString> CreditCard::pinKSN() const {
    std::lock_guard lock(pinMutex_);
    return pinKSN_;
}

void CreditCard::setPinKSN(const std::optional<QString>& value) {
    std::lock_guard lock(pinMutex_);
    pinKSN_ = value;
}

// ---------------------------------------------------------------- stripe and EMV hex helpers

qint32 CreditCard::emvReadMSRCode(const QString& block) {
    const QString number = getEMVObjectFromTagToTag(block, "DF1A", "5F20", true, 2);
    QString name = getEMVObjectFromTagToTag(block, "5F20", "DF1E", true, 2).trimmed();
    const qsizetype slash = name.indexOf(QLatin1Char('/'));
    if (slash >= 0)
        name = name.mid(slash + 1) + QLatin1Char(' ') + name.left(slash);

    qint32 result =
        setCardNumber(number, name, QStringLiteral(""), QStringLiteral(""), QStringLiteral(""));
    if (result == CARD_OK) {
        track2Encrypted_ = getEMVObjectFromTagLength(block, "DF1E", 24, false, 2);
        track2KSN_ = getEMVObjectFromTagLength(block, "DF1F", 10, false, 2);
        serviceCode_ = getEMVObjectFromTag(block, "5F30", true, 2);
        if (track2Encrypted_.isEmpty() || track2KSN_.isEmpty() || serviceCode_.isEmpty())
            result = ERROR_CARD_BAD_DATA;
    }
    return result;
}

QString CreditCard::getEMVObjectFromTag(const QString& data, const QString& tag, bool isHex,
                                        qint32 padding) {
    const qsizetype found = data.indexOf(tag);
    if (found < 0)
        return QStringLiteral("");
    qint64 start = qint64(found) + tag.size();
    if (padding > 0)
        start += padding;
    if (start >= data.size())
        return QStringLiteral("");
    return getEMVRealData(data.mid(start), isHex);
}

QString CreditCard::getEMVObjectFromTagToTag(const QString& data, const QString& tag,
                                             const QString& toTag, bool isHex, qint32 padding) {
    const QString rest = getEMVObjectFromTag(data, tag, false, padding);
    const qsizetype end = rest.indexOf(toTag);
    if (end < 0)
        return QStringLiteral("");
    return getEMVRealData(rest.left(end), isHex);
}

QString CreditCard::getEMVObjectFromTagLength(const QString& data, const QString& tag,
                                              qint32 length, bool isHex, qint32 padding) {
    const QString rest = getEMVObjectFromTag(data, tag, false, padding);
    const qint64 wanted = 2 * qint64(qMax(length, 0));
    if (rest.size() < wanted)
        return QStringLiteral("");
    return getEMVRealData(rest.left(wanted), isHex);
}

QString CreditCard::getEMVRealData(const QString& data, bool isHex) {
    if (!isHex)
        return data;
    QString result;
    result.reserve(data.size() / 2);
    for (qsizetype i = 0; i + 1 < data.size(); i += 2) {
        const int high = hexValue(data.at(i));
        const int low = hexValue(data.at(i + 1));
        if (high < 0 || low < 0)
            continue;
        result.append(QChar(high * 16 + low));
    }
    return result;
}

QString CreditCard::createEMVDataTag(const QString& tag, const QString& content, qint32 length) {
    const qint64 wanted = 2 * qint64(qMax(length, 0));
    QString padded = content;
    if (padded.size() < wanted)
        padded.prepend(QString(wanted - padded.size(), QLatin1Char('0')));
    return tag + QString::asprintf("%02x", unsigned(length)) + padded;
}
