#pragma once

#include "platform/ui/Storyboard.h"

// The screens of the UI kit, by storyboard and identifier.
namespace UIKitScreens {

inline constexpr QLatin1StringView alertStoryboard{"Alert"};
// The message box (AlertController), also the initial screen of its storyboard.
inline constexpr ScreenName alert{alertStoryboard, QLatin1StringView("AlertController")};

// Registers the UI kit's screens with the Storyboard.
void registerScreens();

} // namespace UIKitScreens
