#pragma once

#include <TarvelloSDK/TarvelloSDK.h>

#include <QString>
#include <QStringList>

// The demo's commands for the operations without screens:
//   payment-info ID | payment-info --reference R | send-receipt ID EMAIL | receipt-pdf ID OUT.pdf
//   batches | close-batch ID | close-all-batches | agreements | logo FILE
// Starts the operation and answers true when the command is one of them; the completion then
// gets the operation's result (receipt-pdf writes the document to OUT.pdf and reports its path
// and size instead of the bytes). On bad arguments it answers false, *error says why and
// nothing starts; another command answers false with an empty *error.
bool runScreenlessCommand(const QString& command, const QStringList& arguments,
                          const TarvelloSDK::Completion& completion, QString* error);

// One usage line per command.
QString screenlessCommandsUsage();
