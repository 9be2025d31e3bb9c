#pragma once

#include "platform/ui/Storyboard.h"

// The card-reader shop.
namespace ShopScreens {

inline constexpr ScreenName buyReader{QLatin1StringView("BuyReader"),
                                      QLatin1StringView("BuyReader")};

// Registers the area's screens with the Storyboard.
void registerScreens();

} // namespace ShopScreens
