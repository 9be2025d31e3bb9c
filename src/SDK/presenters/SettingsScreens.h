#pragma once

#include "platform/ui/Storyboard.h"

// The screens of the settings, by storyboard and identifier. The area registers them when its
// screens are built; until then looking them up answers null.
namespace SettingsScreens {

inline constexpr QLatin1StringView configurationStoryboard{"Configuration"};

// The settings screen; it takes "allowPictureChange" and "allowReaderChange".
inline constexpr ScreenName configurationMain{configurationStoryboard,
                                              QLatin1StringView("ConfigurationMain")};

} // namespace SettingsScreens
