#pragma once

#include "reader/simulated/CardProfile.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariantMap>

// The data a simulated card gives the reader, as the reader hands it on: decoded track data,
// contactless read data and BER-TLV hex texts. Nothing is really encrypted: the "encrypted"
// fields and PIN blocks are fixed test bytes derived from the card.
namespace SimulatedCardData {

// What the terminal told the reader about the transaction.
struct Terminal {
    qint64 amountCents = 0;
    QString currencyCode = QStringLiteral("032");
    int transactionType = 0;                         // 0 sale, 17 refund or void
    QString time = QStringLiteral("20240101120000"); // yyyyMMddHHmmss
    QStringList parameters;                          // "tag hex + value hex" items loaded
};

using Tags = QList<QPair<quint32, QByteArray>>;

// The keys of a swipe's decoded data: "serviceCode", "maskedPAN", "encTrack1", "encTrack2",
// "trackksn", "cardholderName", "expiryDate", "formatID".
QVariantMap swipeData(const CardProfile& card);
// The keys of a contactless read: "maskedPAN", "expiryDate", "cardholderName", "pinKsn",
// "pinblock" (empty without an online PIN).
QVariantMap contactlessData(const CardProfile& card);
// The card's own tags for its chosen application: 4F, 84, 50, 9F12, 5F20, 5F24, 5F30, 9F34,
// 9F06, and the terminal's DF21 when it was loaded.
Tags cardTags(const CardProfile& card, int application, const Terminal& terminal);
// The online request of a chip card: C4, C0, C2, (C7 and C1 with an online PIN), 9F34, 5F24,
// 5F20, 5F30, 4F, 9F12, 9F26, 9F27, 9F10, 9F37, 95, 9A, 9C, 9F02, 5F2A.
Tags onlineRequest(const CardProfile& card, int application, const Terminal& terminal);
// Contactless batch data: C0, C2, and the card's cryptogram tags.
Tags contactlessBatch(const CardProfile& card, const Terminal& terminal);
// Batch data of an approved chip transaction, reversal data and ICC exception data.
Tags batchData(const CardProfile& card, int application, const Terminal& terminal,
               const QByteArray& responseCode);
Tags reversalData(const CardProfile& card, int application, const Terminal& terminal);

// Upper-case hex text of the tags as BER-TLV.
QString toHex(const Tags& tags);
// The tags asked for, in the order asked, as far as the card has them.
Tags select(const Tags& tags, const QString& joinedTagNames);
// Splits joined tag names ("9F264F") into tag numbers.
QList<quint32> tagNames(const QString& joined);

QString pinBlock(const CardProfile& card);
QString pinKsn();
QString trackKsn();

} // namespace SimulatedCardData
