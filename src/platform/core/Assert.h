#pragma once

#include <QString>
#include <functional>

// Host misuse (an operation called out of order, contradictory settings) stops the program with
// a message. Tests install a handler that throws so they can read the message.
namespace HostAssert {

using Handler = std::function<void(const QString& message)>;

// Replaces the failure handler; an empty handler restores the default (print and abort).
void setHandler(Handler handler);

// Reports a misuse through the current handler. The default handler does not return.
void fail(const QString& message);

// Fails with the message when the condition does not hold.
inline void check(bool condition, const QString& message) {
    if (!condition)
        fail(message);
}

} // namespace HostAssert
