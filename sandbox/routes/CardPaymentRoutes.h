#pragma once

// Card payments read by chip or tap: savePayment's card answers, the pending operation each
// leaves, its status reports ("/payments/operationCompletion.json") and a script tests set for
// the next card payment's answer.

#include "sandbox/SandboxReply.h"
#include "sandbox/SandboxRequest.h"
#include "sandbox/SandboxState.h"

#include <QList>
#include <QVariantMap>
#include <optional>

namespace CardPaymentRoutes {

// How the back end answers the next card payment (chip or contactless).
struct Script {
    QVariantMap extra; // merged into the answer ("iccTags", "iccResponseTagsComplete")
    std::optional<QVariantMap> refusal; // "response" of a refusal ("code", "message", "customCode")
    bool forceRequired = false;         // 723 until sent again with "forceTransaction" 1
    bool withoutId = false;             // an accepted answer without "id"
    std::optional<qint64> id;           // the operation's id instead of the next one
    bool replyLost = false;             // the payment is recorded, then the connection drops
    int delayMs = 0;                    // the answer waits this long
};

// Scripts the next card payment's answer of that back end; one script per payment, in order.
void scriptNext(SandboxState& state, const Script& script);
void clearScripts(SandboxState& state);

// The answer to a card payment, or none when the payment is not one read by chip or tap.
std::optional<SandboxReply> answerCardPayment(const SandboxRequest& request, SandboxState& state,
                                              SandboxUser* user);

// The statuses ("1", "0") reported for an operation, in order, and the "emvTags" text of each.
QStringList reportsFor(SandboxState& state, qint64 operationId);
QStringList reportedTagsFor(SandboxState& state, qint64 operationId);

} // namespace CardPaymentRoutes
