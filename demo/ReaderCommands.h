#pragma once

#include <TarvelloSDK/TarvelloSDK.h>

#include <QString>
#include <QStringList>

// The demo's reader command:
//   reader   finds and connects a card reader the way the card-reading screen does and
//            reports it once the reader waits for a card: {"reader", "remembered", "battery",
//            "serial", "cardWaitStarted"}. With the simulated reader (--reader simulated) two
//            readers are in range and the weaker one is remembered, so it is the one connected.
//   reader-sale  with the simulated reader (--reader simulated) reads the named card (--card,
//            default "chip-pin"), registers the sale with the back end and answers the reader:
//            {"outcome", "authorisationResponses", "operationId", "statusReported", "message",
//            "sdk"}.
// Answers false, with an empty *error, for another command; false with *error on bad
// arguments.
bool runReaderCommand(const QString& command, const QStringList& arguments,
                      const TarvelloSDK::Completion& completion, QString* error);

QString readerCommandsUsage();
