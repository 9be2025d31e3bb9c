#pragma once

#include "platform/ui/Storyboard.h"

// The screens of the payment flow, by storyboard and identifier, as the presenters open them.
namespace PaymentScreens {

inline constexpr QLatin1StringView storyboard{"Payment"};
inline constexpr QLatin1StringView historyStoryboard{"History"};

// The payment-method screen, first screen of a charge.
inline constexpr ScreenName pickPaymentMethod{storyboard, QLatin1StringView("PickPaymentMethod")};
// The card-reading screen; it takes the sale to read the card for.
inline constexpr ScreenName device{storyboard, QLatin1StringView("Device")};
// The refund-amount screen.
inline constexpr ScreenName refund{historyStoryboard, QLatin1StringView("Refund")};

} // namespace PaymentScreens
