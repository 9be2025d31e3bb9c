#pragma once

#include <QString>
#include <optional>

// What the host gave the facade for the back end: its API key and its user token. The facade
// writes them on the main thread; they are kept under a lock, so a request made on any thread
// reads a whole value.
namespace HostCredentials {

std::optional<QString> apiKey();
void setApiKey(const std::optional<QString>& apiKey);
std::optional<QString> userToken();
void setUserToken(const std::optional<QString>& userToken);

// Asserts the start order (the key, then the token); false when an assertion handler let the
// call go on.
bool checkStarted();

} // namespace HostCredentials
