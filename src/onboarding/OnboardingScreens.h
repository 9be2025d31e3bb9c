#pragma once

// The splash, login, signup and first-run screens, and the main view's container.
namespace OnboardingScreens {

// Registers the area's screens with the Storyboard.
void registerScreens();

} // namespace OnboardingScreens
