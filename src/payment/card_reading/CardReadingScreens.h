#pragma once

// The card-reading screen, the reader picker and help, the cardholder checks.
namespace CardReadingScreens {

// Registers the area's screens with the Storyboard.
void registerScreens();

} // namespace CardReadingScreens
