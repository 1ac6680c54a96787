#include "logging.h"

#include "sharedstate.h"

#include <memory>

namespace {

struct LogState
{
    std::shared_ptr<HostLogger> logger;
    bool lookedUp = false;
};

LogState &state()
{
    static LogState s;
    return s;
}

// Asks an existing logger once whether it is enabled; a disabled one is dropped so
// that it is never asked again in this process.
HostLogger *enabledLogger()
{
    LogState &s = state();
    if (!s.logger)
        return nullptr;
    if (!s.logger->IsEnabled()) {
        s.logger.reset();
        return nullptr;
    }
    return s.logger.get();
}

} // namespace

int LogStart(const QString &name) noexcept
{
    try {
        LogState &s = state();
        if (!s.lookedUp) {
            s.lookedUp = true;
            s.logger = shared().components.logger;
        }
        if (HostLogger *logger = enabledLogger())
            return logger->LogStart(name);
    } catch (...) {
        // logging is best effort: the operation goes on as if nothing was logged
    }
    return 0;
}

void LogEnd(int handle, int flag) noexcept
{
    // Nothing escapes from here, so an exception the caller is handling (or about
    // to rethrow) and the connection's last error reach the caller unchanged.
    try {
        if (HostLogger *logger = enabledLogger())
            logger->LogEnd(handle, flag);
    } catch (...) {
    }
}

void ResetLogging()
{
    state() = LogState();
}
