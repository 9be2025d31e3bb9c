#pragma once

#include <QString>
#include <QStringView>

// Card numbers: the check digit and the one masking of a number for anything a person may read
// (console lines, the request log, chip-data dumps).
namespace CardNumber {

// True when the digits pass the Luhn check ("4111111111111111" does, "4111111111111112" does
// not). The text must hold digits only.
bool passesLuhn(QStringView digits);

// The number with all but its first six and last four characters replaced by "*"
// ("411111******1111"); a value shorter than 13 characters is masked whole ("***").
QString masked(const QString& number);

} // namespace CardNumber
