#include "payment/flow/PaymentFlowScreens.h"

void PaymentFlowScreens::registerScreens() {}
