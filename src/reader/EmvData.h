#pragma once

#include "reader/TLV.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <optional>

// The EMV data steps of a card transaction that need no reader: reading the reader's BER-TLV
// hex texts, the card fields they give, the authorisation response and log summaries that
// carry no card data.
namespace EmvData {

// The elements of a hex text; none when it does not decode.
std::optional<QList<TLV>> decode(const QString& hex);
// The last element's value as upper-case hex; "" when the tag is missing.
QString hexOf(qint32 tag, const std::optional<QList<TLV>>& tags);
// The last element's value as UTF-8 text; "" when missing or not UTF-8.
QString textOf(qint32 tag, const std::optional<QList<TLV>>& tags);

// Tag 9F34 of a card that verified the PIN itself: 3 bytes, method (first byte without its two
// high bits) 1, 3, 4 or 5, and a result (third byte) other than 1 (failed).
bool offlinePinVerified(const std::optional<QByteArray>& cvmResults);

// The masked number of tag C4: every "F" becomes "*", and one trailing "*" (the filler of an
// odd length) is dropped. "5413FFFFFFFF1234" gives "5413********1234".
QString maskedNumberFromC4(const QString& c4Hex);

// Each element under its tag as four upper-case hex digits ("004F", "9F26"), with its value as
// upper-case hex; a later element of the same tag wins. Empty for no "tlv".
QVariantMap tagDictionary(const QVariantMap& readerAnswer);
// The dictionary as compact JSON ("{}" when empty).
QByteArray jsonOf(const QVariantMap& map);

// Whether a card number is within the accepted ranges: no list accepts every card; otherwise it
// must begin with one of the entries, digit for digit, a masked digit ("*") never matching. An
// empty list accepts none.
bool binAccepted(const QString& number, const std::optional<QStringList>& acceptedBins);

// The authorisation response for the reader: tag 8A with the two-character code, then the
// issuer's elements (not 8A) in their order. An issuer 8A of its own is kept, except an
// approving "00" on a refusal (refusal true), which takes the code. Issuer data that is empty or
// does not decode gives the 8A element alone.
QString authorisationResponse(const QString& issuerData, const QString& code, bool refusal);

// A log line's account of EMV data: tag names and value lengths only, e.g. "9F26(8) 9F06(7)".
QString tagSummary(const std::optional<QList<TLV>>& tags);
// A log line's account of a reader dictionary: its keys, with the masked number kept for
// "maskedPAN" (first six and last four digits at most), e.g. "{maskedPAN=411111******1111,
// expiryDate=(4)}".
QString decodedDataSummary(const QVariantMap& data);
// A card number with at most its first six and last four digits shown.
QString maskNumber(const QString& number);

// Whether a label names a debit or prepaid card ("debit", "electron", "débito", "prepaid",
// "prepaga", ignoring case and accents).
bool isDebitLabel(const QString& label);

} // namespace EmvData
