// Kept apart from every file that sees the run-time library's events: the
// backend header declares its own TMouseButton.

#include "WindowingBridge.h"

#include "windowing/Backend.h"

namespace detail {

std::vector<TRect> MonitorBounds() {
    std::vector<TRect> Result;
    for (const auto& Monitor : Backend().Monitors())
        Result.push_back(Monitor.rcMonitor);
    return Result;
}

bool IsWindowingFailure(std::exception_ptr Failure) {
    try {
        std::rethrow_exception(Failure);
    } catch (const EWindowingError&) {
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace detail
