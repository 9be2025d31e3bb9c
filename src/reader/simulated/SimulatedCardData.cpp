#include "reader/simulated/SimulatedCardData.h"

#include "reader/TLV.h"
#include "reader/Util.h"

#include <QCryptographicHash>
#include <QDate>

namespace SimulatedCardData {

namespace {

// Fixed test bytes standing for encrypted data, derived from the card and a purpose.
QByteArray testBytes(const CardProfile& card, const char* purpose, int length) {
    QByteArray seed = card.number.toLatin1() + '|' + purpose;
    QByteArray out;
    while (out.size() < length) {
        seed = QCryptographicHash::hash(seed, QCryptographicHash::Sha256);
        out.append(seed);
    }
    return out.left(length);
}

QByteArray ascii(const QString& text) {
    return text.toLatin1();
}

QByteArray hex(const QString& text) {
    return Util::HexStringToByteArray(text);
}

const CardApplication& applicationOf(const CardProfile& card, int index) {
    static const CardApplication none;
    if (card.applications.isEmpty())
        return none;
    return card.applications.at(qBound(0, index, int(card.applications.size()) - 1));
}

// The number as the reader sends it in C4: hidden digits and an odd length's filler are F.
QByteArray maskedNumberNibbles(const CardProfile& card) {
    QString digits = card.number;
    for (int i = 6; i < digits.size() - 4; ++i)
        digits[i] = QLatin1Char('F');
    if (digits.size() % 2)
        digits.append(QLatin1Char('F'));
    return hex(digits);
}

// The expiry "YYMM" as YYMMDD with the month's last day.
QByteArray expiryDate(const CardProfile& card) {
    const int year = 2000 + card.expiry.left(2).toInt();
    const int month = qBound(1, card.expiry.mid(2, 2).toInt(), 12);
    const int day = QDate(year, month, 1).daysInMonth();
    return hex(card.expiry + QStringLiteral("%1").arg(day, 2, 10, QLatin1Char('0')));
}

// Cardholder verification method results for the card's verification.
QByteArray cvmResults(const CardProfile& card) {
    switch (card.verification) {
    case CardProfile::Verification::OnlinePin:
        return hex(QStringLiteral("420300"));
    case CardProfile::Verification::OfflinePin:
        return hex(QStringLiteral("410302"));
    case CardProfile::Verification::Signature:
        return hex(QStringLiteral("1E0300"));
    case CardProfile::Verification::None:
        break;
    }
    return hex(QStringLiteral("1F0302"));
}

QByteArray transactionTypeByte(const Terminal& terminal) {
    return QByteArray(1, terminal.transactionType == 17 ? char(0x20) : char(0x00));
}

QByteArray transactionDate(const Terminal& terminal) {
    return hex(terminal.time.mid(2, 6));
}

QByteArray currency(const Terminal& terminal) {
    return encodeToBCD(terminal.currencyCode.toULongLong(), 2);
}

QByteArray amount(const Terminal& terminal) {
    return encodeToBCD(quint64(qMax<qint64>(0, terminal.amountCents)), 6);
}

} // namespace

QString pinBlock(const CardProfile& card) {
    return Util::byteArray2Hex(testBytes(card, "pin", 8));
}

QString pinKsn() {
    return QStringLiteral("FFFF9876543210E00002");
}

QString trackKsn() {
    return QStringLiteral("FFFF9876543210E00001");
}

QVariantMap swipeData(const CardProfile& card) {
    return {{"formatID", "38"},
            {"serviceCode", card.serviceCode},
            {"maskedPAN", card.maskedNumber()},
            {"encTrack1", Util::byteArray2Hex(testBytes(card, "track1", 40))},
            {"encTrack2", Util::byteArray2Hex(testBytes(card, "track2", 24))},
            {"trackksn", trackKsn()},
            {"cardholderName", card.holder},
            {"expiryDate", card.expiry}};
}

QVariantMap contactlessData(const CardProfile& card) {
    const bool onlinePin = card.verification == CardProfile::Verification::OnlinePin;
    return {{"maskedPAN", card.maskedNumber()},
            {"expiryDate", card.expiry},
            {"cardholderName", card.holder},
            {"pinKsn", onlinePin ? pinKsn() : QString()},
            {"pinblock", onlinePin ? pinBlock(card) : QString()}};
}

Tags cardTags(const CardProfile& card, int application, const Terminal& terminal) {
    const CardApplication& app = applicationOf(card, application);
    Tags tags{{0x4F, hex(app.aid)},
              {0x84, hex(app.aid)},
              {0x50, ascii(app.label)},
              {0x9F12, ascii(app.label)},
              {0x5F20, ascii(card.holder)},
              {0x5F24, expiryDate(card)},
              {0x5F30, hex(QLatin1Char('0') + card.serviceCode)},
              {0x9F34, cvmResults(card)},
              {0x9F06, hex(app.aid)},
              {0x9F26, testBytes(card, "cryptogram", 8)}};
    for (const QString& item : terminal.parameters)
        if (item.startsWith(QLatin1String("DF21"), Qt::CaseInsensitive))
            tags.append({0xDF21, hex(item.mid(4))});
    return tags;
}

Tags onlineRequest(const CardProfile& card, int application, const Terminal& terminal) {
    const CardApplication& app = applicationOf(card, application);
    Tags tags{{0xC4, maskedNumberNibbles(card)},
              {0xC0, hex(trackKsn())},
              {0xC2, testBytes(card, "icc", 32)}};
    if (card.verification == CardProfile::Verification::OnlinePin) {
        tags.append({0xC7, hex(pinBlock(card))});
        tags.append({0xC1, hex(pinKsn())});
    }
    tags += Tags{{0x9F34, cvmResults(card)},
                 {0x5F24, expiryDate(card)},
                 {0x5F20, ascii(card.holder)},
                 {0x5F30, hex(QLatin1Char('0') + card.serviceCode)},
                 {0x4F, hex(app.aid)},
                 {0x9F12, ascii(app.label)},
                 {0x9F26, testBytes(card, "cryptogram", 8)},
                 {0x9F27, QByteArray(1, char(0x80))},
                 {0x9F10, hex(QStringLiteral("06010A03A0A802"))},
                 {0x9F37, testBytes(card, "unpredictable", 4)},
                 {0x95, hex(QStringLiteral("0000008000"))},
                 {0x9A, transactionDate(terminal)},
                 {0x9C, transactionTypeByte(terminal)},
                 {0x9F02, amount(terminal)},
                 {0x5F2A, currency(terminal)}};
    return tags;
}

Tags contactlessBatch(const CardProfile& card, const Terminal& terminal) {
    return {{0xC0, hex(trackKsn())},
            {0xC2, testBytes(card, "nfc", 32)},
            {0x9F26, testBytes(card, "cryptogram", 8)},
            {0x9F27, QByteArray(1, char(0x80))},
            {0x95, hex(QStringLiteral("0000000000"))},
            {0x9A, transactionDate(terminal)},
            {0x9C, transactionTypeByte(terminal)},
            {0x9F02, amount(terminal)},
            {0x5F2A, currency(terminal)}};
}

Tags batchData(const CardProfile& card, int application, const Terminal& terminal,
               const QByteArray& responseCode) {
    return {{0x9F26, testBytes(card, "certificate", 8)},
            {0x9F27, QByteArray(1, char(0x40))},
            {0x8A, responseCode},
            {0x95, hex(QStringLiteral("0000008000"))},
            {0x9A, transactionDate(terminal)},
            {0x9C, transactionTypeByte(terminal)},
            {0x9F02, amount(terminal)},
            {0x5F2A, currency(terminal)},
            {0x4F, hex(applicationOf(card, application).aid)}};
}

Tags reversalData(const CardProfile& card, int application, const Terminal& terminal) {
    return {{0x9F26, testBytes(card, "aac", 8)},
            {0x9F27, QByteArray(1, char(0x00))},
            {0x8A, QByteArray("00")},
            {0x95, hex(QStringLiteral("0000008000"))},
            {0x9F02, amount(terminal)},
            {0x4F, hex(applicationOf(card, application).aid)}};
}

QString toHex(const Tags& tags) {
    QList<TLV> list;
    for (const auto& [tag, value] : tags)
        list.append(TLV::tlvWithData(value, tag));
    return Util::byteArray2Hex(TLV::encodeTags(list));
}

QList<quint32> tagNames(const QString& joined) {
    const QByteArray bytes = Util::HexStringToByteArray(joined);
    QList<quint32> names;
    for (qsizetype i = 0; i < bytes.size();) {
        quint32 tag = quint8(bytes[i]);
        const bool multiByte = (tag & 0x1F) == 0x1F;
        ++i;
        while (multiByte && i < bytes.size()) {
            const quint8 next = quint8(bytes[i++]);
            tag = (tag << 8) | next;
            if (!(next & 0x80))
                break;
        }
        names.append(tag);
    }
    return names;
}

Tags select(const Tags& tags, const QString& joinedTagNames) {
    Tags out;
    for (quint32 name : tagNames(joinedTagNames))
        for (const auto& tag : tags)
            if (tag.first == name)
                out.append(tag);
    return out;
}

} // namespace SimulatedCardData
