#pragma once

#include "platform/ui/Storyboard.h"

// The screens of the UI kit, by storyboard and identifier.
namespace UIKitScreens {

inline constexpr QLatin1StringView alertStoryboard{"Alert"};
// The message box (AlertController), also the initial screen of its storyboard.
inline constexpr ScreenName alert{alertStoryboard, QLatin1StringView("AlertController")};

inline constexpr QLatin1StringView inputsStoryboard{"Inputs"};
// The one-field input screen (SingleInputViewController), alone or as the root of a navigation
// controller.
inline constexpr ScreenName singleInput{inputsStoryboard,
                                        QLatin1StringView("SingleInputViewController")};
inline constexpr ScreenName singleInputNavigation{
    inputsStoryboard, QLatin1StringView("SingleInputViewControllerNavigation")};

// Registers the UI kit's screens with the Storyboard.
void registerScreens();

} // namespace UIKitScreens
