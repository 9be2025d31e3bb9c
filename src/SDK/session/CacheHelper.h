#pragma once

#include <QByteArray>
#include <QVariantMap>

class UserDefaults;

// Two flags kept in the user-defaults store: the expired-session marker and whether the virtual
// account is shown; and the coding of the stored login answer.
class CacheHelper {
public:
    // The stable encoding of an answer kept under "lastUser" and "lastUserSettings", and back.
    static QByteArray encodeAnswer(const QVariantMap& answer);
    static QVariantMap decodeAnswer(const QByteArray& data);

    void setSessionExpired();
    bool isSessionExpired() const;
    void removeSessionExpire();
    // True when never stored (and then stored as true).
    bool isVirtualAccountVisible();
    void setVirtualAccountVisible(bool visible);
    UserDefaults& userDefaults() const;
};
