#pragma once

// Ends the merchant's session when a lower layer finds it over: the inactivity timer ran out, or
// a reply said the session expired and nobody handled it. The login layer's expiry (mark the
// session expired, log out) is the default, installed by the library's one place of defaults;
// tests may install their own through Services.
class SessionExpiry {
public:
    virtual ~SessionExpiry() = default;
    virtual void expireSession() = 0;

    // Ends the session through the expiry in force; nothing happens when there is none.
    static void expire();
};
