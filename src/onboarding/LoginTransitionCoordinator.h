#pragma once

class ViewController;

// Swaps the key window's root between the login screen and the main view, and logs out.
// Stateless: make one for each call.
class LoginTransitionCoordinator {
public:
    static constexpr int kCrossDissolveMs = 300;

    // The virtual-account scene when the settings carry one, else the side-menu container.
    void transitionToMainView();
    void transitionToLoginScreen();
    // Makes the controller the key window's root with a cross-dissolve. The old root and what
    // it presents go away. Nothing happens without a key window or a controller.
    void changeRootViewControllerAnimated(ViewController* controller);
    // Clears the session, then shows the login screen (or, over a splash, only dismisses what
    // the splash presents).
    void logout();
};

// Presents the logout screen full screen over the screen; it logs out a second later.
void tvLogOut(ViewController* screen);
