#include "core/RunAndWait.h"

#include "core/UserInteraction.h"
#include "os/Process.h"

#include <chrono>

namespace {

bool gWaiting = false;

void PumpEvents() {
    if (HasUserInteraction()) UserInteraction().ProcessMessages();
}

} // namespace

bool RunAndWait(const String& programFile, const String& parameters, const String& workingFolder) {
    if (gWaiting) return false;
    std::unique_ptr<os::TChildProcess> child = os::SpawnProcess(programFile, parameters, workingFolder);
    if (!child) return false;
    gWaiting = true;
    struct TWaitingFlag {
        ~TWaitingFlag() { gWaiting = false; }
    } lowerWhenDone;
    child->WaitFor(PumpEvents, std::chrono::milliseconds(1000));
    return true;
}

bool RunAndWaitActive() {
    return gWaiting;
}
