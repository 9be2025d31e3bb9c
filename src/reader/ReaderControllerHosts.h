#pragma once

class ViewController;

// The settings screen, as the reader choice screen recognises it below itself in the
// navigation stack: the settings screen implements this marker.
class SettingsScreen {
public:
    virtual ~SettingsScreen() = default;
};

// The sliding side-menu container of the main interface, as the reader choice screen
// recognises the screen that presented it.
class SideMenuContainer {
public:
    virtual ~SideMenuContainer() = default;
    // Sends processSale to the screen on top of the container's content (the card-reading
    // screen).
    virtual void processSaleOnTopScreen() = 0;
};
