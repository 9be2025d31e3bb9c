#pragma once

#include <QString>

class ViewController;

// The cardholder and the merchant at the end of a charge: on a signature screen it draws a
// stroke on the pad and taps continue; on the buyer-data form it types the receipt address and
// taps send; on the result screen after it, it taps continue. True when it acted on the screen.
bool signOrSendReceipt(ViewController* screen, const QString& receiptEmail);
