#pragma once

// The settings screen, as the reader choice screen recognises it below itself in the
// navigation stack: the settings screen implements this marker.
class SettingsScreen {
public:
    virtual ~SettingsScreen() = default;
};
