#pragma once

#include <TarvelloSDK/TarvelloSDK.h>

#include <QString>

struct DemoOptions;

// The demo's "app" command: starts the merchant application at its splash with an empty
// store and walks it as a merchant would: the login screen, a wrong password and its refusal,
// a login to the main view, logout, a signup through its three steps to signup completed, an
// inactive merchant's login through activation, steps 2 and 3, completed and the first-run
// setup. Prints one JSON line per screen, {"screen", "screenshot", ...}, and saves a PNG of
// each in --screenshots DIR (else TARVELLO_DEMO_SCREENSHOTS, else the temporary folder);
// --pad plays it on a pad. Answers false, with an empty *error, for another command.
bool runAppCommand(const DemoOptions& options, const TarvelloSDK::Completion& completion,
                   QString* error);
QString appCommandUsage();

// Opens the merchant application in its own window (the demo window's button).
void openMerchantApplication(const QString& apiKey);
