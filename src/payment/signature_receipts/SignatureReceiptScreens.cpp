#include "payment/signature_receipts/SignatureReceiptScreens.h"

void SignatureReceiptScreens::registerScreens() {}
