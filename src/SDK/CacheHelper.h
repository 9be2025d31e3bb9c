#pragma once

class UserDefaults;

// Two flags kept in the user-defaults store: the expired-session marker and whether the virtual
// account is shown.
class CacheHelper {
public:
    void setSessionExpired();
    bool isSessionExpired() const;
    void removeSessionExpire();
    // True when never stored (and then stored as true).
    bool isVirtualAccountVisible();
    void setVirtualAccountVisible(bool visible);
    UserDefaults& userDefaults() const;
};
