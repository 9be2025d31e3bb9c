#include "settings/SettingsScreens.h"

void SettingsScreens::registerScreens() {}
