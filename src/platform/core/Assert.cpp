#include "platform/core/Assert.h"

#include <cstdio>
#include <cstdlib>

namespace HostAssert {
namespace {
Handler& currentHandler() {
    static Handler handler;
    return handler;
}
} // namespace

void setHandler(Handler handler) {
    currentHandler() = std::move(handler);
}

void fail(const QString& message) {
    if (const Handler& handler = currentHandler()) {
        handler(message);
        return;
    }
    std::fprintf(stderr, "*** Assertion failure: %s\n", qPrintable(message));
    std::fflush(stderr);
    std::abort();
}

} // namespace HostAssert
