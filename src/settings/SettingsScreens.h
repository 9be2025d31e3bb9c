#pragma once

#include "platform/ui/Storyboard.h"

// The screens of the settings, by storyboard and identifier.
namespace SettingsScreens {

inline constexpr QLatin1StringView configurationStoryboard{"Configuration"};

// The settings screen; it takes "allowPictureChange" and "allowReaderChange".
inline constexpr ScreenName configurationMain{configurationStoryboard,
                                              QLatin1StringView("ConfigurationMain")};

// Registers the area's screens with the Storyboard.
void registerScreens();

} // namespace SettingsScreens
