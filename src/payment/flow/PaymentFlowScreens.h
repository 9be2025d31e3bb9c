#pragma once

// The payment-method, installments, refund-amount, keypad and result screens.
namespace PaymentFlowScreens {

// Registers the area's screens with the Storyboard.
void registerScreens();

} // namespace PaymentFlowScreens
