#pragma once

#include "model/values/Amount.h"

#include <QImage>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariantMap>
#include <memory>

class CreditCard;
class Sale;

// The fields of a sale as the back end receives them, built in this one place for the payment
// request (Sale::requestData), the sale registration, the prepaid-card payment, the card refund
// and the void. Every amount of money is sent as cents text (DecimalNumber::centsText, 2.625
// gives "2.63"); percentages and tax amounts keep their printf forms ("%.2lf", "%.4lf").
// Reads the sale and its card on the calling thread (the main thread) and changes nothing.
namespace SalePaymentFields {

// Upload key and picture of each line whose product has a picture, in line order.
using Pictures = QList<QPair<QString, QImage>>;

enum class Form {
    // The payment request and the sale registration.
    Payment,
    // The prepaid-card payment: the unit price without tax, the line total with tax less the line
    // discount, and every tax amount of a line with four decimals, 0 included.
    Prepaid,
};

// The sale description ("saleInformationJson"): the compact JSON text of the lines, discounts,
// taxes, tip and totals; every number is a JSON text except "isCustomAmount". The tip and the
// discount are those the amount to charge applies (Sale::chargedTip, Sale::chargedDiscount).
// Each line whose product has a picture gets a new upload key; the pairs go to *pictures when
// it is given.
QString description(const Sale& sale, Form form, Pictures* pictures = nullptr);

// What a sale not paid by card sends as "paymentMethod".
enum class CashMethod {
    // The sale's payment method name, "cash" when it has none (the payment request).
    NameOrCash,
    // "cash" (the sale registration).
    Cash,
};

// Adds the payment fields to `fields`, which may hold fields already (a later field replaces
// one of the same name): the description, currency, place, payment method, total and
// installment plan; when paid by card the card, reader, invoice and chip fields; then the
// sale's custom data and the host's references; last the line pictures under their keys.
// Writes the description, the chip data and the fields to the console (redacted).
void insertPaymentFields(QVariantMap& fields, const Sale& sale, CashMethod cashMethod);

// The sale's card, or a blank card when the sale has none.
std::shared_ptr<CreditCard> cardOf(const Sale& sale);
// The amount rounded to cents, as a double; 0 when there is none.
double doubleOf(const AmountPtr& amount);

// "latitude" and "longitude" of the sale's place, six decimals ("-180.000000" without a fix).
void insertLocation(QVariantMap& fields, const Sale& sale);
// The card and reader fields that the payment, the card refund and the void all send.
void insertCardAndReader(QVariantMap& fields, const Sale& sale, const CreditCard& card);
// The invoice fields of the payment and the void.
void insertInvoice(QVariantMap& fields, const Sale& sale);
// PIN block, PIN key serial number, chip tags, track 1 and chip application, each only when the
// card holds it; the chip data as their bytes.
void insertOptionalCardData(QVariantMap& fields, const CreditCard& card);
// One field per entry of the sale's custom data, its value unchanged.
void insertCustomData(QVariantMap& fields, const Sale& sale);
// The pictures under their upload keys.
void insertPictures(QVariantMap& fields, const Pictures& pictures);

} // namespace SalePaymentFields
