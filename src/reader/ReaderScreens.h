#pragma once

#include "platform/ui/Storyboard.h"

// The screens of the reader area, by storyboard and identifier.
namespace ReaderScreens {

// The contactless prompt: the initial screen of its storyboard.
inline constexpr ScreenName contactlessPrompt{QLatin1StringView("DSpread_Pinpad_Contactless"),
                                              QLatin1StringView("DSpreadPinpadContactless")};
// The reader model choice screen.
inline constexpr ScreenName readers{QLatin1StringView("Readers"),
                                    QLatin1StringView("ReaderController")};
// The page that closes the reader demo.
inline constexpr ScreenName readerDemoCompleted{
    QLatin1StringView("readerDemo"), QLatin1StringView("ReaderDemoCompletedViewController")};
// The card-reading screen, registered by the payment area.
inline constexpr ScreenName cardReading{QLatin1StringView("Payment"), QLatin1StringView("Device")};

// Registers the reader area's screens with the Storyboard.
void registerScreens();

} // namespace ReaderScreens
