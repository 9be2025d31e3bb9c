#pragma once

#include <QString>
#include <optional>

class APIController;

// What the API client needs of the layers below it: the host's API key, the session token,
// expiring the session, handing the inactivity timer over to a client, the connection-error text.
namespace SessionBridge {

// The host's API key, nothing when the SDK has none.
std::optional<QString> apiKey();
// The session token of the logged-in user.
QString userToken();
// Ends the session as a reply without a delegate hook asks (through SessionExpiry).
void expireSession();
// Makes the client the inactivity timer's delegate after a successful reply; a login reply
// restarts the timer first.
void handOverTimer(APIController* client, bool restartTimer);
// The client is going away: the timer must not call it any more (only called for a client that
// was handed the timer, so the timer is never made just for this).
void releaseTimer(APIController* client);
// The text shown for a failed connection.
QString connectionErrorText();

} // namespace SessionBridge
