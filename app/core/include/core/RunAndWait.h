#pragma once
// Starting an external program (the engine) and waiting for it while the
// windows stay responsive.

#include "rtl/Types.h"

// Starts `programFile` with `parameters` (split like a command line) in
// `workingFolder`, at the lowest priority, with the caller's environment,
// and waits for it to end in slices of 1000 ms; after every slice the pending
// window events are handled (UserInteraction().ProcessMessages(), when a user
// interaction is installed). Answers false at once when the program cannot be
// started, and also when another RunAndWait is still waiting: an event
// handler that runs during the wait cannot start a second program. Answers
// true once the program has ended; its exit code is not read.
bool RunAndWait(const String& programFile, const String& parameters, const String& workingFolder);

// True while a RunAndWait waits for its program.
bool RunAndWaitActive();
