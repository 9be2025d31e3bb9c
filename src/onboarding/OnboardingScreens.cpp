#include "onboarding/OnboardingScreens.h"

void OnboardingScreens::registerScreens() {}
