#pragma once

#include <TarvelloSDK/TarvelloSDK.h>

#include <QString>
#include <QStringList>

class QWidget;

// The demo's settings commands:
//   settings  opens the merchant's settings through the facade over the host, turns the
//             feedback switch, asks for the password reset, taps Done, and reports
//             {"rows", "feedback", "message", "closed", "screenshots"}. A screenshot of each
//             screen shown goes to the folder in TARVELLO_DEMO_SCREENSHOTS (else the
//             temporary folder).
//   bank-link TEXT  runs the check before a charge for a merchant without a linked bank
//             account, types TEXT on the link screen, sends it and reports {"outcome"
//             (linked, failed, invalid), "answers", "tryToPay", "message"}.
// Answers false, with an empty *error, for another command; false with *error on bad
// arguments.
bool runSettingsCommand(const QString& command, const QStringList& arguments, QWidget* host,
                        const TarvelloSDK::Completion& completion, QString* error);
QString settingsCommandsUsage();
