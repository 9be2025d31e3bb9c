#pragma once

#include "platform/ui/Storyboard.h"

// The splash, login, signup and first-run screens, and the main view's container.
namespace OnboardingScreens {

inline constexpr QLatin1StringView loginStoryboard{"Login"};

// The splash: the initial screen of "Login".
inline constexpr ScreenName splash{loginStoryboard, QLatin1StringView("SplashScreen")};
inline constexpr ScreenName login{loginStoryboard, QLatin1StringView("LoginNew")};
inline constexpr ScreenName forgotPassword{loginStoryboard, QLatin1StringView("ForgotPassword")};
// The main view: the side-menu container with the sale screens on top of the menu.
inline constexpr ScreenName mainView{loginStoryboard,
                                     QLatin1StringView("InitialSlidingViewController")};
inline constexpr ScreenName menu{loginStoryboard, QLatin1StringView("Menu")};
// The main view of an account with a virtual account (the same container).
inline constexpr ScreenName virtualAccount{QLatin1StringView("VirtualAccount"),
                                           QLatin1StringView("VirtualAccountTabBarViewController")};
inline constexpr ScreenName logout{QLatin1StringView("Logout"), QLatin1StringView("Logout")};
inline constexpr ScreenName signupStep1{loginStoryboard, QLatin1StringView("SignupStep1")};
inline constexpr ScreenName signupStep2{loginStoryboard, QLatin1StringView("SignupStep2")};
inline constexpr ScreenName signupStep3{loginStoryboard, QLatin1StringView("SignupStep3")};
inline constexpr ScreenName signupCompleted{loginStoryboard, QLatin1StringView("SignupCompleted")};
inline constexpr ScreenName activation{loginStoryboard, QLatin1StringView("ActivationScreen")};
inline constexpr ScreenName setup{loginStoryboard, QLatin1StringView("Setup")};

inline constexpr QLatin1StringView forgotPassSegue{"forgotPassSegue"};
inline constexpr QLatin1StringView signupSegue{"signupSegue"};
inline constexpr QLatin1StringView signupContinueSegue{"signupContinueSegue"};
inline constexpr QLatin1StringView signupFinalStepSegue{"signupFinalStepSegue"};
inline constexpr QLatin1StringView signupCompletedSegue{"signupCompletedSegue"};
inline constexpr QLatin1StringView cancelSignup3Segue{"cancelSignup3Segue"};
inline constexpr QLatin1StringView gotoActivateAccountSegue{"gotoActivateAccountSegue"};
inline constexpr QLatin1StringView activateSegue{"activateSegue"};
inline constexpr QLatin1StringView laterSegue{"laterSegue"};
inline constexpr QLatin1StringView setupSegue{"setupSegue"};

// Registers the area's screens with the Storyboard.
void registerScreens();

} // namespace OnboardingScreens
