#pragma once

// Field-building helpers shared by the endpoint operations of APIController.

#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <functional>

class Sale;

namespace EndpointFields {

// {"userId": userId, "token": token} and the further fields.
QVariantMap userFields(const QString& userId, const QString& token, const QVariantMap& more = {});
// A flag as "1" or "0".
QString flag(bool value);
// An integer as "%d".
QString integer(int value);
// A money amount: cents rounding, then exactly two decimals ("1234.50").
QString money(double value);
// "%lf": six decimals (coordinates, recharge and service-payment amounts), as C's printf rounds.
QString sixDecimals(double value);
// "%.4lf", as C's printf rounds.
QString fourDecimals(double value);
// "%.2lf", as C's printf rounds: a percentage or rate, not money (0.125 gives "0.12"). A
// single-precision value is widened first.
QString twoDecimals(double value);
// Leading and trailing spaces (U+0020 only) removed; tabs and line breaks stay.
QString trimmedSpaces(const QString& text);
// The first six characters of a card number or BIN, the whole text when shorter.
QString binOf(const QString& number);
// Compact JSON text of a list or object.
QString compactJson(const QVariant& value);

// Runs the reading of shared model objects on the main thread, waiting for it when called from
// another thread (the sale and its card are only touched on the main thread).
void readOnMainThread(const std::function<void()>& read);

} // namespace EndpointFields
