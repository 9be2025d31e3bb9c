#pragma once

#include <TarvelloSDK/TarvelloSDK.h>

class QWidget;

// The merchant application's receipt step after a card charge the demo ran: the buyer-data
// form for the charged sale (the charge's operation id and amount), in a sheet over the host.
// done gets {"saleId", "receiptSent"} when the step ends, with success false when it is left
// without a result.
void openReceiptStep(QWidget* host, const QVariantMap& charge, TarvelloSDK::Completion done);
