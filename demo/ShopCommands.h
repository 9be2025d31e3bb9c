#pragma once

#include <TarvelloSDK/TarvelloSDK.h>

#include <QString>
#include <QStringList>

class QWidget;

// The demo's shop command:
//   shop [--from-sale-button] [--wallet]  presents the card-reader offer over the host and buys
//            one reader as a merchant would: the first reader, the buyer's data, pick-up at the
//            first branch, a test card (or the favourite wallet card and its code), the first
//            plan. Reports {"orderId", "items", "shipping", "installments", "screen",
//            "screenshots"} (no card data); a screenshot of each screen goes to --screenshots
//            (else TARVELLO_DEMO_SCREENSHOTS, else the temporary folder).
// Answers false, with an empty *error, for another command; false with *error on bad
// arguments.
bool runShopCommand(const QString& command, const QStringList& arguments, QWidget* host,
                    const QString& screenshots, const TarvelloSDK::Completion& completion,
                    QString* error);
QString shopCommandsUsage();
