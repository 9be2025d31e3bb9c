#pragma once

#include <QLoggingCategory>
#include <QString>

// The SDK's console lines, one logging category per area, all declared here. Every category is
// on by default and prints the line as it is; a host filters them with QT_LOGGING_RULES or
// QLoggingCategory::setFilterRules() ("tarvello.api.info=false", "tarvello.*=false").
Q_DECLARE_LOGGING_CATEGORY(tarvelloApi)    // "tarvello.api": the back-end client
Q_DECLARE_LOGGING_CATEGORY(tarvelloSale)   // "tarvello.sale": the sale, its lines, card and amounts
Q_DECLARE_LOGGING_CATEGORY(tarvelloModel)  // "tarvello.model": account, buyer and catalog data
Q_DECLARE_LOGGING_CATEGORY(tarvelloReader) // "tarvello.reader": the card reader and EMV data
Q_DECLARE_LOGGING_CATEGORY(tarvelloSdk)    // "tarvello.sdk": the facade, presenters and session
Q_DECLARE_LOGGING_CATEGORY(tarvelloUi)     // "tarvello.ui": screens, texts and the UI kit
Q_DECLARE_LOGGING_CATEGORY(tarvelloCore)   // "tarvello.core": values and platform services

// Writes one line to a category. The line goes through the redaction step first
// (Redaction::redact), so no secret or card data reaches the console; a line of a category
// that is off is neither redacted nor written.
namespace Logging {

using Category = const QLoggingCategory& (*)();

void debug(Category category, const QString& line);
void info(Category category, const QString& line);
void warning(Category category, const QString& line);

} // namespace Logging
